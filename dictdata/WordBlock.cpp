// Word blocks: records 1 to k, each holding n consecutive words of the sorted list.
//
// Word block record:
//   0    1    key length
//   1    len  key: the block's first word, no terminator, at most max word length bytes
//   ...  rest one zlib stream, at most c + c/50 + 12 bytes
// Decompressed block (at most c bytes):
//   0    2n   pairs: text length L(i), entry count E(i) for i = 0..n-1 (filler after the last
//             word of the last block)
//   2n   ...  for each word in order: L(i) bytes of text, then E(i) 24-bit big-endian entry
//             numbers
// Word i's data starts at 2n + O(i), O(0) = 0, O(i) = O(i-1) + L(i-1) + 3 E(i-1).
#include <zlib.h>

#include <cstring>

#include "dictdata/BigEndian.h"
#include "dictdata/DictionaryFile.h"

int DictionaryFile::WordsInBlock(int nBlock) const {
    const int n = m_header.nWordsPerBlock;
    if (nBlock < m_header.nWordBlockCount) return n;
    return static_cast<int>(m_header.nWordCount - static_cast<uint32_t>(n) * (nBlock - 1));
}

bool DictionaryFile::LoadWordBlock(int nBlock, WordBlockSlot& slot) {
    if (!IsOpen() || nBlock < 1 || nBlock > m_header.nWordBlockCount || !slot.pData) return false;
    // From here on the slot's data buffer may be overwritten, so every failure empties it.
    slot.nBlock = kEmptySlot;

    const uint32_t c = m_header.nWordBlockSize;
    const uint32_t n = m_header.nWordsPerBlock;
    const uint32_t nRecordSize = RecordSize(nBlock);
    unsigned char nKeyLength = 0;
    if (nRecordSize < 1 || !ReadAt(m_pRecordOffsets[nBlock], &nKeyLength, 1) ||
        nKeyLength > m_header.nMaxWordLength || nRecordSize < 1u + nKeyLength) {
        return false;
    }
    const uint32_t nCompressed = nRecordSize - 1 - nKeyLength;
    const uint32_t nLimit = c + c / 50 + 12;
    if (nCompressed == 0 || nCompressed > nLimit) return false;
    std::unique_ptr<unsigned char[]> pCompressed(new unsigned char[nCompressed]);
    if (!ReadAt(m_pRecordOffsets[nBlock] + 1 + nKeyLength, pCompressed.get(), nCompressed)) {
        return false;
    }
    uLongf nLength = c;
    if (uncompress(slot.pData.get(), &nLength, pCompressed.get(), nCompressed) != Z_OK ||
        nLength < 2 * n) {
        return false;
    }

    // Offsets of the block's real words must keep every text and entry number inside the data;
    // filler pairs of the last block are indexed but never read.
    const unsigned char* pPairs = slot.pData.get();
    const int nWords = WordsInBlock(nBlock);
    int32_t nOffset = 0;
    for (uint32_t i = 0; i < n; ++i) {
        slot.pOffsets[i] = nOffset;
        const uint32_t L = pPairs[2 * i];
        const uint32_t E = pPairs[2 * i + 1];
        if (static_cast<int>(i) < nWords &&
            (L > m_header.nMaxWordLength || 2 * n + nOffset + L + 3 * E > nLength)) {
            return false;
        }
        nOffset += static_cast<int32_t>(L + 3 * E);
    }
    std::memcpy(slot.pPairs.get(), pPairs, 2 * n);
    slot.nBlock = static_cast<uint16_t>(nBlock);
    return true;
}

void DictionaryFile::CopyWordText(int nIndex, char* lpBuffer, const WordBlockSlot* pSlot) const {
    // Only the block's real words were checked when it was loaded; the filler pairs after the
    // last block's words may claim any length.
    if (pSlot == nullptr || pSlot->nBlock == kEmptySlot || nIndex < 0 ||
        nIndex >= WordsInBlock(pSlot->nBlock)) {
        return;
    }
    const uint32_t L = pSlot->pPairs[2 * nIndex];
    const unsigned char* pText =
        pSlot->pData.get() + 2 * m_header.nWordsPerBlock + pSlot->pOffsets[nIndex];
    std::memcpy(lpBuffer, pText, L);
    lpBuffer[L] = '\0';
}

void DictionaryFile::CopySlot(WordBlockSlot& dest, const WordBlockSlot& src) {
    const uint32_t n = m_header.nWordsPerBlock;
    dest.nBlock = src.nBlock;
    std::memcpy(dest.pData.get(), src.pData.get(), m_header.nWordBlockSize);
    std::memcpy(dest.pPairs.get(), src.pPairs.get(), 2 * n);
    std::memcpy(dest.pOffsets.get(), src.pOffsets.get(), n * sizeof(int32_t));
}

bool DictionaryFile::GetWordBlock(int nBlock, WordBlockSlot*& pSlot) {
    pSlot = nullptr;
    if (!IsOpen() || nBlock < 1 || nBlock > m_header.nWordBlockCount) return false;
    // Forward movement keeps two consecutive blocks, the earlier in A and the later in B; B is
    // consulted only as A's successor. An empty slot's number (0xFFFF) never matches a block.
    const int nA = m_slotA.nBlock;
    const int nB = m_slotB.nBlock;
    if (nA == nBlock) {
        pSlot = &m_slotA;
        return true;
    }
    if (nA != kEmptySlot && nA + 1 == nBlock) {
        if (nB != nBlock && !LoadWordBlock(nBlock, m_slotB)) return false;
        pSlot = &m_slotB;
        return true;
    }
    if (nB != kEmptySlot && nB + 1 == nBlock) {
        CopySlot(m_slotA, m_slotB);
        if (!LoadWordBlock(nBlock, m_slotB)) return false;
        pSlot = &m_slotB;
        return true;
    }
    if (!LoadWordBlock(nBlock, m_slotA)) return false;
    pSlot = &m_slotA;
    return true;
}

bool DictionaryFile::GetWord(int nPos, std::string& strText) {
    if (!IsOpen() || nPos < 0 || static_cast<uint32_t>(nPos) >= m_header.nWordCount) return false;
    const int n = m_header.nWordsPerBlock;
    WordBlockSlot* pSlot = nullptr;
    if (!GetWordBlock(nPos / n + 1, pSlot)) return false;
    char buffer[256];
    CopyWordText(nPos % n, buffer, pSlot);
    strText.assign(buffer);
    return true;
}

bool DictionaryFile::GetEntryNumbers(int nPos, int32_t* pNumbers, int& nCount) {
    if (!IsOpen() || nPos < 0 || static_cast<uint32_t>(nPos) >= m_header.nWordCount) return false;
    const int n = m_header.nWordsPerBlock;
    WordBlockSlot* pSlot = nullptr;
    if (!GetWordBlock(nPos / n + 1, pSlot)) return false;
    const int i = nPos % n;
    const int L = pSlot->pPairs[2 * i];
    const int E = pSlot->pPairs[2 * i + 1];
    if (pNumbers == nullptr || nCount < E) {
        nCount = E;
        return true;
    }
    const unsigned char* pEntries = pSlot->pData.get() + 2 * n + pSlot->pOffsets[i] + L;
    for (int j = 0; j < E; ++j) pNumbers[j] = static_cast<int32_t>(ReadU24BE(pEntries + 3 * j));
    return true;
}

bool DictionaryFile::GetEntryNumbers(int nPos, std::vector<int32_t>& numbers) {
    int nCount = 0;
    if (!GetEntryNumbers(nPos, nullptr, nCount)) return false;
    std::vector<int32_t> result(nCount);
    if (nCount > 0 && !GetEntryNumbers(nPos, result.data(), nCount)) return false;
    numbers.swap(result);
    return true;
}
