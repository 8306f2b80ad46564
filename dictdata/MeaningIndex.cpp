#include "dictdata/MeaningIndex.h"

#include <algorithm>

#include "dictdata/BigEndian.h"
#include "dictdata/MeaningWords.h"

namespace {

const unsigned char* Bytes(const std::string& str) {
    return reinterpret_cast<const unsigned char*>(str.data());
}

// Keeps the ranks that otherRanks holds too, adding its in-definition flags to their counts.
// Both lists ascend.
void Intersect(const std::vector<uint32_t>& otherRanks, const std::vector<unsigned char>& otherFlags,
               std::vector<uint32_t>& ranks, std::vector<uint32_t>& counts) {
    size_t nKept = 0;
    size_t j = 0;
    for (size_t i = 0; i < ranks.size(); ++i) {
        while (j < otherRanks.size() && otherRanks[j] < ranks[i]) ++j;
        if (j == otherRanks.size()) break;
        if (otherRanks[j] != ranks[i]) continue;
        ranks[nKept] = ranks[i];
        counts[nKept] = counts[i] + otherFlags[j];
        ++nKept;
    }
    ranks.resize(nKept);
    counts.resize(nKept);
}

}  // namespace

bool ReadVarint(const unsigned char*& p, const unsigned char* pEnd, uint32_t& nValue) {
    uint64_t nResult = 0;
    for (int i = 0; i < 5; ++i) {
        if (p == pEnd) return false;
        const unsigned char b = *p++;
        nResult |= static_cast<uint64_t>(b & 0x7F) << (7 * i);
        if ((b & 0x80) == 0) {
            if (nResult > 0xFFFFFFFFu) return false;
            nValue = static_cast<uint32_t>(nResult);
            return true;
        }
    }
    return false;
}

bool MeaningIndex::Open(const RecordReader& reader, uint32_t nEntryCount, uint32_t nWordCount) {
    *this = MeaningIndex();
    unsigned char header[kMeaningHeaderSize];
    if (!reader.Read(0, header, sizeof header)) return false;
    const uint32_t nEntries = ReadU32BE(header + 4);
    const uint32_t nWords = ReadU32BE(header + 8);
    const uint32_t nChunks = ReadU32BE(header + 12);
    const uint32_t nDirectory = ReadU32BE(header + 16);
    const uint32_t nWordSize = ReadU32BE(header + 20);
    const uint32_t nPostings = ReadU32BE(header + 24);
    const uint64_t nTotal = kMeaningHeaderSize + uint64_t{nDirectory} + nWordSize + nPostings +
                            uint64_t{kMeaningRankRow} * nEntries;
    if (nEntries != nEntryCount || nTotal != reader.Size() || (nWords == 0) != (nChunks == 0) ||
        nChunks > nWords || uint64_t{nChunks} * kMeaningChunkWords < nWords) {
        return false;
    }
    m_reader = reader;
    m_nEntryCount = nEntries;
    m_nWordCount = nWordCount;
    m_nWords = nWords;
    m_nChunks = nChunks;
    m_nDirectorySize = nDirectory;
    m_nWordSize = nWordSize;
    m_nPostingSize = nPostings;
    m_nDirectoryOffset = kMeaningHeaderSize;
    m_nWordOffset = m_nDirectoryOffset + nDirectory;
    m_nPostingOffset = m_nWordOffset + nWordSize;
    m_nRankOffset = m_nPostingOffset + nPostings;
    m_bOpen = true;
    return true;
}

bool MeaningIndex::LoadDirectory() {
    if (m_bDirectoryLoaded) return true;
    std::string strBytes;
    if (!m_reader.Read(m_nDirectoryOffset, m_nDirectorySize, strBytes)) return false;
    std::vector<Chunk> chunks;
    const unsigned char* p = Bytes(strBytes);
    const unsigned char* pEnd = p + strBytes.size();
    for (uint32_t c = 0; c < m_nChunks; ++c) {
        if (pEnd - p < 1 || *p == 0 || pEnd - p < 1 + *p + 8) return false;
        Chunk chunk;
        chunk.strFirst.assign(reinterpret_cast<const char*>(p + 1), *p);
        p += 1 + *p;
        chunk.nOffset = ReadU32BE(p);
        chunk.nPostingOffset = ReadU32BE(p + 4);
        p += 8;
        // Chunks are not empty, so both offsets ascend strictly; the first ones are 0.
        const bool bFirst = chunks.empty();
        if ((bFirst && (chunk.nOffset != 0 || chunk.nPostingOffset != 0)) ||
            (!bFirst && (chunk.nOffset <= chunks.back().nOffset ||
                         chunk.nPostingOffset <= chunks.back().nPostingOffset ||
                         !(chunks.back().strFirst < chunk.strFirst))) ||
            chunk.nOffset >= m_nWordSize || chunk.nPostingOffset >= m_nPostingSize) {
            return false;
        }
        chunks.push_back(std::move(chunk));
    }
    if (p != pEnd) return false;
    m_chunks.swap(chunks);
    m_bDirectoryLoaded = true;
    return true;
}

bool MeaningIndex::ReadChunk(size_t nChunk, WordList& words) {
    const Chunk& chunk = m_chunks[nChunk];
    const uint32_t nEnd = nChunk + 1 < m_chunks.size() ? m_chunks[nChunk + 1].nOffset : m_nWordSize;
    const uint64_t nPostingEnd =
        nChunk + 1 < m_chunks.size() ? m_chunks[nChunk + 1].nPostingOffset : m_nPostingSize;
    std::string strBytes;
    if (!m_reader.Read(m_nWordOffset + chunk.nOffset, nEnd - chunk.nOffset, strBytes)) return false;
    WordList result;
    const unsigned char* p = Bytes(strBytes);
    const unsigned char* pEnd = p + strBytes.size();
    std::string strWord;
    uint64_t nPosting = chunk.nPostingOffset;
    while (p != pEnd) {
        if (pEnd - p < 2) return false;
        const size_t nShared = p[0];
        const size_t nRest = p[1];
        p += 2;
        if (nShared > strWord.size() || (result.empty() && nShared != 0) || nRest == 0 ||
            nShared + nRest > 255 || static_cast<size_t>(pEnd - p) < nRest) {
            return false;
        }
        std::string strNext = strWord.substr(0, nShared);
        strNext.append(reinterpret_cast<const char*>(p), nRest);
        p += nRest;
        MeaningWordInfo info;
        if (!ReadVarint(p, pEnd, info.nEntries) || !ReadVarint(p, pEnd, info.nPostingSize)) {
            return false;
        }
        // Each posting takes 1 to 5 bytes.
        info.nPostingOffset = nPosting;
        if (info.nEntries == 0 || info.nEntries > m_nEntryCount ||
            info.nPostingSize < info.nEntries || info.nPostingSize > 5ull * info.nEntries ||
            (result.empty() ? strNext != chunk.strFirst : !(strWord < strNext)) ||
            result.size() == static_cast<size_t>(kMeaningChunkWords)) {
            return false;
        }
        nPosting += info.nPostingSize;
        if (nPosting > nPostingEnd) return false;
        strWord = strNext;
        result.emplace_back(std::move(strNext), info);
    }
    if (result.empty() || nPosting != nPostingEnd) return false;
    words.swap(result);
    return true;
}

bool MeaningIndex::FindWord(const std::string& strWord, MeaningWordInfo& info, bool& bDamaged) {
    bDamaged = false;
    if (!m_bOpen || !LoadDirectory()) {
        bDamaged = m_bOpen;
        return false;
    }
    // The last chunk whose first word is not above strWord: chunks [0, lo) qualify, and the
    // search keeps chunks[lo - 1] <= strWord < chunks[hi].
    size_t lo = 0;
    size_t hi = m_chunks.size();
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        if (m_chunks[mid].strFirst <= strWord) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    if (lo == 0) return false;
    WordList words;
    if (!ReadChunk(lo - 1, words)) {
        bDamaged = true;
        return false;
    }
    for (const auto& word : words) {
        if (word.first == strWord) {
            info = word.second;
            return true;
        }
    }
    return false;
}

bool MeaningIndex::ReadPostings(const MeaningWordInfo& info, std::vector<uint32_t>& ranks,
                                std::vector<unsigned char>& inDefinition) const {
    ranks.clear();
    inDefinition.clear();
    std::string strBytes;
    if (info.nPostingOffset > m_nPostingSize ||
        !m_reader.Read(m_nPostingOffset + info.nPostingOffset, info.nPostingSize, strBytes)) {
        return false;
    }
    ranks.reserve(info.nEntries);
    inDefinition.reserve(info.nEntries);
    const unsigned char* p = Bytes(strBytes);
    const unsigned char* pEnd = p + strBytes.size();
    uint64_t nNext = 0;  // the least rank the next posting may have
    for (uint32_t i = 0; i < info.nEntries; ++i) {
        uint32_t nValue = 0;
        if (!ReadVarint(p, pEnd, nValue)) return false;
        const uint64_t nRank = nNext + (nValue >> 1);
        if (nRank >= m_nEntryCount) return false;
        ranks.push_back(static_cast<uint32_t>(nRank));
        inDefinition.push_back(static_cast<unsigned char>(nValue & 1));
        nNext = nRank + 1;
    }
    return p == pEnd;
}

bool MeaningIndex::LoadRanks() {
    if (m_bRanksLoaded) return true;
    std::string strRows;
    if (!m_reader.Read(m_nRankOffset, uint64_t{kMeaningRankRow} * m_nEntryCount, strRows)) {
        return false;
    }
    for (uint32_t r = 0; r < m_nEntryCount; ++r) {
        const unsigned char* pRow = Bytes(strRows) + kMeaningRankRow * r;
        const uint32_t nEntry = ReadU24BE(pRow);
        if (nEntry < 1 || nEntry > m_nEntryCount || ReadU24BE(pRow + 3) >= m_nWordCount) return false;
    }
    m_ranks.swap(strRows);
    m_bRanksLoaded = true;
    return true;
}

void MeaningIndex::RankRow(uint32_t r, int32_t& nEntry, int& nPos) const {
    const unsigned char* pRow = Bytes(m_ranks) + kMeaningRankRow * r;
    nEntry = static_cast<int32_t>(ReadU24BE(pRow));
    nPos = static_cast<int>(ReadU24BE(pRow + 3));
}

bool MeaningIndex::Search(const std::string& strText, std::vector<MeaningMatch>& matches) {
    if (!m_bOpen) return false;
    std::vector<std::string> words;
    SplitMeaningWords(strText, words);
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    if (!LoadDirectory() || !LoadRanks()) {
        m_bOpen = false;
        return false;
    }
    std::vector<MeaningWordInfo> infos;
    for (const std::string& strWord : words) {
        MeaningWordInfo info;
        bool bDamaged = false;
        if (FindWord(strWord, info, bDamaged)) {
            infos.push_back(info);
            continue;
        }
        if (bDamaged) {
            m_bOpen = false;
            return false;
        }
        matches.clear();  // a word that no entry uses: nothing holds them all
        return true;
    }
    // The rarest word first: every other list only thins its matches.
    std::sort(infos.begin(), infos.end(), [](const MeaningWordInfo& a, const MeaningWordInfo& b) {
        return a.nEntries < b.nEntries;
    });
    std::vector<uint32_t> ranks, otherRanks;
    std::vector<unsigned char> otherFlags;
    std::vector<uint32_t> counts;  // of the searched words in each match's definition
    for (size_t w = 0; w < infos.size(); ++w) {
        if (!ReadPostings(infos[w], w == 0 ? ranks : otherRanks, otherFlags)) {
            m_bOpen = false;
            return false;
        }
        if (w == 0) {
            counts.assign(otherFlags.begin(), otherFlags.end());
            continue;
        }
        Intersect(otherRanks, otherFlags, ranks, counts);
    }
    std::vector<MeaningMatch> result;
    result.reserve(ranks.size());
    // Stable by rank within each count, the most words in the definition first.
    std::vector<size_t> order(ranks.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&counts](size_t a, size_t b) { return counts[a] > counts[b]; });
    for (size_t i : order) {
        MeaningMatch match;
        RankRow(ranks[i], match.nEntry, match.nPos);
        match.nInDefinition = static_cast<int>(counts[i]);
        result.push_back(match);
    }
    matches.swap(result);
    return true;
}

bool MeaningIndex::ForEachWord(
    const std::function<bool(const std::string&, const MeaningWordInfo&)>& fnWord) {
    if (!m_bOpen || !LoadDirectory()) return false;
    std::string strPrevious;
    uint32_t nWords = 0;
    WordList words;
    for (size_t c = 0; c < m_chunks.size(); ++c) {
        if (!ReadChunk(c, words)) return false;
        for (const auto& word : words) {
            if ((nWords > 0 && !(strPrevious < word.first)) || !fnWord(word.first, word.second)) {
                return false;
            }
            strPrevious = word.first;
            ++nWords;
        }
    }
    return nWords == m_nWords;
}

size_t MeaningIndex::MemoryInUse() const {
    size_t nBytes = sizeof *this + m_ranks.capacity() + m_chunks.capacity() * sizeof(Chunk);
    for (const Chunk& chunk : m_chunks) nBytes += chunk.strFirst.capacity();
    return nBytes;
}
