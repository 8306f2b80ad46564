// Word search: a floor search over the word block keys, read straight from the file, then one
// over the words of the block it picks. Texts compare as zero-terminated strings of unsigned
// bytes; no case folding happens here.
#include <cstring>

#include "dictdata/DictionaryFile.h"

namespace {

int CompareText(const char* lpszA, const char* lpszB) {
    return std::strcmp(lpszA, lpszB);  // strcmp compares as unsigned char
}

// The last element in [nLo, nHi] that is <= lpszText, or nLo when lpszText sorts before all.
// fnCopy(x, buffer) copies element x's text into a zero-filled buffer.
template <typename CopyElement>
int FloorSearch(const char* lpszText, int nLo, int nHi, char* lpBuffer, size_t nBufferSize,
                CopyElement fnCopy) {
    auto compareWith = [&](int x) {
        std::memset(lpBuffer, 0, nBufferSize);
        fnCopy(x, lpBuffer);
        return CompareText(lpszText, lpBuffer);
    };
    int lo = nLo;
    int hi = nHi;
    while (hi - lo > 1) {
        // Invariant: element lo is <= the text unless lo is still nLo; element hi is > the text
        // unless hi is still nHi.
        const int mid = lo + (hi - lo) / 2;
        const int nOrder = compareWith(mid);
        if (nOrder == 0) return mid;
        if (nOrder < 0) {
            hi = mid;
        } else {
            lo = mid;
        }
    }
    if (compareWith(lo) == 0) return lo;
    return compareWith(hi) < 0 ? lo : hi;
}

}  // namespace

int DictionaryFile::FindBlock(const char* lpszText) {
    char buffer[257];
    // A key that cannot be read compares as the empty text; the result stays in 1 to k.
    return FloorSearch(lpszText, 1, m_header.nWordBlockCount, buffer, m_header.nMaxWordLength + 1u,
                       [this](int b, char* lpBuffer) {
                           ReadRecordKey(b, reinterpret_cast<unsigned char*>(lpBuffer));
                       });
}

int DictionaryFile::FindInBlock(const char* lpszText, const WordBlockSlot& slot) {
    char buffer[257];
    const int nLast = WordsInBlock(slot.nBlock) - 1;
    return FloorSearch(lpszText, 0, nLast, buffer, m_header.nMaxWordLength + 1u,
                       [this, &slot](int i, char* lpBuffer) { CopyWordText(i, lpBuffer, &slot); });
}

int DictionaryFile::FindWord(std::string strText) {
    if (!IsOpen()) return 0;
    const int nBlock = FindBlock(strText.c_str());
    WordBlockSlot* pSlot = nullptr;
    // A block that fails to load still answers with its first position, a valid one.
    if (!GetWordBlock(nBlock, pSlot)) return (nBlock - 1) * m_header.nWordsPerBlock;
    return (nBlock - 1) * m_header.nWordsPerBlock + FindInBlock(strText.c_str(), *pSlot);
}
