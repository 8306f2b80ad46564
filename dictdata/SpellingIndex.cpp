#include "dictdata/SpellingIndex.h"

#include <algorithm>

#include "dictdata/BigEndian.h"
#include "dictdata/EditDistance.h"

namespace {

// Texts of fewer bytes than this allow one edit, longer ones two.
constexpr size_t kTwoEditsFrom = 5;

const unsigned char* Bytes(const std::string& str) {
    return reinterpret_cast<const unsigned char*>(str.data());
}

// True when x has at most nLimit (1 or 2) bits set.
inline bool AtMostBits(uint32_t x, int nLimit) {
    if (nLimit == 2) x &= x - 1;
    return (x & (x - 1)) == 0;
}

}  // namespace

uint32_t LetterMask(const char* lpText, size_t nLength) {
    uint32_t nMask = 0;
    for (size_t i = 0; i < nLength; ++i) {
        const unsigned char ch = static_cast<unsigned char>(lpText[i]);
        int nClass = 30;
        if (ch >= 'a' && ch <= 'z') {
            nClass = ch - 'a';
        } else if (ch >= '0' && ch <= '9') {
            nClass = 26;
        } else if (ch == ' ') {
            nClass = 27;
        } else if (ch == '-') {
            nClass = 28;
        } else if (ch == '\'' || ch == '.') {
            nClass = 29;
        } else if (ch >= 0x80) {
            nClass = 31;
        }
        nMask |= 1u << nClass;
    }
    return nMask;
}

bool SpellingIndex::Open(const RecordReader& reader, uint32_t nWordCount) {
    *this = SpellingIndex();
    unsigned char header[kSpellingHeaderSize];
    if (!reader.Read(0, header, sizeof header) || ReadU32BE(header + 4) != nWordCount) return false;
    const uint32_t nFrequencies = ReadU32BE(header + 8);
    uint64_t nWords = 0;
    uint64_t nOffset = kSpellingHeaderSize;
    for (int l = 0; l < 256; ++l) {
        m_counts[l] = ReadU32BE(header + 12 + 4 * l);
        m_groupOffsets[l] = nOffset;
        nWords += m_counts[l];
        nOffset += static_cast<uint64_t>(m_counts[l]) * (3 + l);
    }
    // 64-bit sums of 32-bit counts cannot wrap; the record's size bounds them all.
    if (nWords != nWordCount ||
        nOffset + static_cast<uint64_t>(nFrequencies) * kSpellingFrequencyRow != reader.Size()) {
        *this = SpellingIndex();
        return false;
    }
    m_reader = reader;
    m_nWordCount = nWordCount;
    m_nFrequencyOffset = nOffset;
    m_nFrequencies = nFrequencies;
    m_bOpen = true;
    return true;
}

bool SpellingIndex::LoadGroup(int nLength) {
    Group& group = m_groups[nLength];
    if (group.bLoaded) return true;
    const uint64_t n = m_counts[nLength];
    Group loaded;
    if (!m_reader.Read(m_groupOffsets[nLength], 3 * n, loaded.strPositions) ||
        !m_reader.Read(m_groupOffsets[nLength] + 3 * n, n * nLength, loaded.strTexts)) {
        return false;
    }
    loaded.masks.resize(n);
    uint32_t nPrevious = 0;
    for (uint64_t i = 0; i < n; ++i) {
        const uint32_t nPos = ReadU24BE(Bytes(loaded.strPositions) + 3 * i);
        if (nPos >= m_nWordCount || (i > 0 && nPos <= nPrevious)) return false;
        nPrevious = nPos;
        loaded.masks[i] = LetterMask(loaded.strTexts.data() + i * nLength, nLength);
    }
    loaded.bLoaded = true;
    group = std::move(loaded);
    return true;
}

bool SpellingIndex::LoadFrequencies() {
    if (m_bFrequenciesLoaded) return true;
    std::string strRows;
    if (!m_reader.Read(m_nFrequencyOffset, uint64_t{kSpellingFrequencyRow} * m_nFrequencies,
                       strRows)) {
        return false;
    }
    for (uint32_t i = 0; i < m_nFrequencies; ++i) {
        const unsigned char* pRow = Bytes(strRows) + kSpellingFrequencyRow * i;
        const uint32_t nPos = ReadU24BE(pRow);
        if (nPos >= m_nWordCount || ReadU16BE(pRow + 3) == 0 ||
            (i > 0 && nPos <= ReadU24BE(pRow - kSpellingFrequencyRow))) {
            return false;
        }
    }
    m_frequencies.swap(strRows);
    m_bFrequenciesLoaded = true;
    return true;
}

uint32_t SpellingIndex::FrequencyOf(uint32_t nPos) const {
    // Binary search over the rows, ascending by position: rows [lo, hi) may still hold nPos.
    size_t lo = 0;
    size_t hi = m_nFrequencies;
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        const unsigned char* pRow = Bytes(m_frequencies) + kSpellingFrequencyRow * mid;
        const uint32_t nRowPos = ReadU24BE(pRow);
        if (nRowPos == nPos) return ReadU16BE(pRow + 3);
        if (nRowPos < nPos) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return 0;
}

void SpellingIndex::ScanGroup(int nLength, const std::string& strText, uint32_t nTextMask,
                              int nLimit, std::vector<SpellingMatch>& found) const {
    const Group& group = m_groups[nLength];
    const uint32_t* pMasks = group.masks.data();
    const size_t n = group.masks.size();
    for (size_t i = 0; i < n; ++i) {
        const uint32_t nMask = pMasks[i];
        if (!AtMostBits(nMask & ~nTextMask, nLimit) || !AtMostBits(nTextMask & ~nMask, nLimit)) {
            continue;
        }
        const char* pWord = group.strTexts.data() + i * nLength;
        const int nDistance =
            BoundedEditDistance(strText.data(), strText.size(), pWord, nLength, nLimit);
        if (nDistance > nLimit) continue;
        SpellingMatch match;
        match.nPos = static_cast<int>(ReadU24BE(Bytes(group.strPositions) + 3 * i));
        match.nDistance = nDistance;
        match.strWord.assign(pWord, nLength);
        found.push_back(std::move(match));
    }
}

bool SpellingIndex::Find(const std::string& strText, size_t nMax,
                         std::vector<SpellingMatch>& matches) {
    if (!m_bOpen) return false;
    const int nLimit = strText.size() < kTwoEditsFrom ? 1 : kMaxEditLimit;
    std::vector<SpellingMatch> found;
    // No word is longer than 255 bytes, so a longer text has none near it.
    if (strText.size() <= 255 + static_cast<size_t>(nLimit)) {
        const int nText = static_cast<int>(strText.size());
        const uint32_t nTextMask = LetterMask(strText.data(), strText.size());
        for (int l = std::max(0, nText - nLimit); l <= std::min(255, nText + nLimit); ++l) {
            if (m_counts[l] == 0) continue;
            if (!LoadGroup(l)) {
                m_bOpen = false;
                return false;
            }
            ScanGroup(l, strText, nTextMask, nLimit, found);
        }
    }
    if (!found.empty() && !LoadFrequencies()) {
        m_bOpen = false;
        return false;
    }
    for (SpellingMatch& match : found) match.nFrequency = FrequencyOf(static_cast<uint32_t>(match.nPos));
    const auto better = [](const SpellingMatch& a, const SpellingMatch& b) {
        if (a.nDistance != b.nDistance) return a.nDistance < b.nDistance;
        if (a.nFrequency != b.nFrequency) return a.nFrequency > b.nFrequency;
        return a.nPos < b.nPos;
    };
    if (found.size() > nMax) {
        std::partial_sort(found.begin(), found.begin() + nMax, found.end(), better);
        found.resize(nMax);
    } else {
        std::sort(found.begin(), found.end(), better);
    }
    matches.swap(found);
    return true;
}

bool SpellingIndex::LoadAll() {
    if (!m_bOpen) return false;
    for (int l = 0; l < 256; ++l) {
        if (!LoadGroup(l)) {
            m_bOpen = false;
            return false;
        }
    }
    if (!LoadFrequencies()) {
        m_bOpen = false;
        return false;
    }
    return true;
}

uint32_t SpellingIndex::GroupPosition(int nLength, size_t i) const {
    return ReadU24BE(Bytes(m_groups[nLength].strPositions) + 3 * i);
}

void SpellingIndex::FrequencyRow(size_t i, uint32_t& nPos, uint32_t& nCount) const {
    const unsigned char* pRow = Bytes(m_frequencies) + kSpellingFrequencyRow * i;
    nPos = ReadU24BE(pRow);
    nCount = ReadU16BE(pRow + 3);
}

size_t SpellingIndex::MemoryInUse() const {
    size_t nBytes = sizeof *this + m_frequencies.capacity();
    for (const Group& group : m_groups) {
        nBytes += group.strPositions.capacity() + group.strTexts.capacity() +
                  group.masks.capacity() * sizeof(uint32_t);
    }
    return nBytes;
}
