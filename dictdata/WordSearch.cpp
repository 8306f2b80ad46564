// Word search: a floor search over the word block keys, read straight from the file, then one
// over the words of the block it picks. Texts compare as zero-terminated strings of unsigned
// bytes; no case folding happens here.
#include <cstring>

#include "dictdata/DictionaryFile.h"

namespace {

// The last element in [nLo, nHi] that is <= lpszText, or nLo when lpszText sorts before all.
// fnCopy(x, nNode, buffer) copies element x's text into a zero-filled buffer; nNode numbers the
// midpoints as a heap (1, then 2n and 2n+1), and is 0 for the two end elements.
template <typename CopyElement>
int FloorSearch(const char* lpszText, int nLo, int nHi, char* lpBuffer, size_t nBufferSize,
                CopyElement fnCopy) {
    auto compareWith = [&](int x, int nNode) {
        std::memset(lpBuffer, 0, nBufferSize);
        fnCopy(x, nNode, lpBuffer);
        return std::strcmp(lpszText, lpBuffer);  // compares as unsigned char
    };
    int lo = nLo;
    int hi = nHi;
    // Once lo (hi) has been a midpoint, the text is known to be greater (smaller) than it.
    bool bLoBelow = false;
    bool bHiAbove = false;
    int nNode = 1;
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        const int nOrder = compareWith(mid, nNode);
        if (nOrder == 0) return mid;
        if (nOrder < 0) {
            hi = mid;
            bHiAbove = true;
            nNode = 2 * nNode;
        } else {
            lo = mid;
            bLoBelow = true;
            nNode = 2 * nNode + 1;
        }
    }
    if (!bLoBelow && compareWith(lo, 0) == 0) return lo;
    if (bHiAbove) return lo;
    return compareWith(hi, 0) < 0 ? lo : hi;
}

}  // namespace

void DictionaryFile::CopyBlockKey(int nBlock, int nNode, char* lpBuffer) {
    unsigned char* pBuffer = reinterpret_cast<unsigned char*>(lpBuffer);
    if (nNode <= 0 || nNode >= kKeyCacheNodes) {
        ReadRecordKey(nBlock, pBuffer);
        return;
    }
    if (!m_keyCached[nNode]) {
        // Only a key that was read is kept. One that cannot be read (a damaged record, or a
        // file emptied while open) compares as the empty text this time and is read again next
        // time.
        if (!ReadRecordKey(nBlock, pBuffer)) return;
        const size_t nLength = std::strlen(lpBuffer);
        if (m_keyCacheText.size() + nLength > 0xFFFF) return;  // cannot hold it: read each time
        m_keyCacheStart[nNode] = static_cast<uint16_t>(m_keyCacheText.size());
        m_keyCacheLength[nNode] = static_cast<uint8_t>(nLength);
        m_keyCacheText.append(lpBuffer, nLength);
        m_keyCached[nNode] = true;
        return;
    }
    std::memcpy(lpBuffer, m_keyCacheText.data() + m_keyCacheStart[nNode], m_keyCacheLength[nNode]);
}

int DictionaryFile::FindBlock(const char* lpszText) {
    char buffer[257];
    // The result stays in 1 to k whatever the keys hold.
    return FloorSearch(lpszText, 1, m_header.nWordBlockCount, buffer, m_header.nMaxWordLength + 1u,
                       [this](int b, int nNode, char* lpBuffer) { CopyBlockKey(b, nNode, lpBuffer); });
}

int DictionaryFile::FindInBlock(const char* lpszText, const WordBlockSlot& slot) {
    char buffer[257];
    const int nLast = WordsInBlock(slot.nBlock) - 1;
    return FloorSearch(lpszText, 0, nLast, buffer, m_header.nMaxWordLength + 1u,
                       [this, &slot](int i, int, char* lpBuffer) { CopyWordText(i, lpBuffer, &slot); });
}

int DictionaryFile::FindWord(std::string strText) {
    if (!IsOpen()) return 0;
    const int nBlock = FindBlock(strText.c_str());
    WordBlockSlot* pSlot = nullptr;
    // A block that fails to load still answers with its first position, a valid one.
    if (!GetWordBlock(nBlock, pSlot)) return (nBlock - 1) * m_header.nWordsPerBlock;
    return (nBlock - 1) * m_header.nWordsPerBlock + FindInBlock(strText.c_str(), *pSlot);
}

int DictionaryFile::FindWordNear(const std::string& strText, bool& bExact) {
    const int n = m_header.nWordsPerBlock;
    char buffer[257];
    // The forms and prefixes of one typed text mostly fall into the block just searched.
    for (const WordBlockSlot* pSlot : {&m_slotA, &m_slotB}) {
        if (pSlot->nBlock == kEmptySlot) continue;
        buffer[0] = '\0';
        CopyWordText(0, buffer, pSlot);
        if (std::strcmp(strText.c_str(), buffer) < 0) continue;
        CopyWordText(WordsInBlock(pSlot->nBlock) - 1, buffer, pSlot);
        if (std::strcmp(strText.c_str(), buffer) > 0) continue;
        const int i = FindInBlock(strText.c_str(), *pSlot);
        CopyWordText(i, buffer, pSlot);
        bExact = strText.size() == std::strlen(buffer) && strText == buffer;
        return (pSlot->nBlock - 1) * n + i;
    }
    const int nPos = FindWord(strText);
    std::string strWord;
    bExact = GetWord(nPos, strWord) && strWord == strText;
    return nPos;
}

bool DictionaryFile::FindExactWord(const std::string& strText, int& nPos) {
    if (!IsOpen()) return false;
    bool bExact = false;
    const int nFound = FindWordNear(strText, bExact);
    if (!bExact) return false;
    nPos = nFound;
    return true;
}
