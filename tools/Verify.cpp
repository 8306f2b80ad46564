#include "tools/Verify.h"

#include <cstring>
#include <memory>
#include <vector>

#include "dictdata/BigEndian.h"
#include "dictdata/DictionaryFile.h"

namespace {

bool Problem(std::string& strReport, const std::string& strWhat) {
    strReport = strWhat;
    return false;
}

// Checks entry block nBlock: it decompresses within its limits and holds exactly its stated
// number of records, each at least 2 bytes long and inside the data.
bool VerifyEntryBlock(DictionaryFile& dict, int nBlock, unsigned char* pBuffer,
                      std::string& strReport) {
    const std::string strWhere = "entry block " + std::to_string(nBlock);
    size_t nSize = 0;
    if (!dict.ReadEntryBlock(nBlock, pBuffer, &nSize)) {
        return Problem(strReport, strWhere + " is too large or does not decompress");
    }
    const int nRecords = dict.GetEntriesInBlock(nBlock);
    size_t nOffset = 0;
    for (int i = 1; i <= nRecords; ++i) {
        if (nOffset + 2 > nSize) {
            return Problem(strReport, strWhere + " ends before record " + std::to_string(i) +
                                          " of " + std::to_string(nRecords));
        }
        const size_t L = ReadU16BE(pBuffer + nOffset);
        if (L < 2 || nOffset + L > nSize) {
            return Problem(strReport, strWhere + ", record " + std::to_string(i) +
                                          ": length " + std::to_string(L) +
                                          " is below 2 or runs past the data");
        }
        nOffset += L;
    }
    return true;
}

}  // namespace

bool VerifyDataFile(const char* lpszPath, std::string& strReport) {
    DictionaryFile dict;
    if (!dict.Open(lpszPath)) {
        return Problem(strReport, std::string("cannot open ") + lpszPath +
                                      " as a data file (missing, not a dictionary, or damaged)");
    }
    const HeaderRecord& h = dict.GetHeaderRecord();
    const uint32_t W = h.nWordCount;
    const uint32_t nTotal = dict.GetTotalEntries();

    // Words: each block loads, words ascend strictly by unsigned bytes across the whole list,
    // each block's key is its first word, and every entry number names an entry.
    std::string strPrevious;
    std::vector<int32_t> numbers;
    std::unique_ptr<unsigned char[]> pKey(new unsigned char[h.nMaxWordLength + 1u]);
    for (uint32_t p = 0; p < W; ++p) {
        const int nPos = static_cast<int>(p);
        std::string strWord;
        if (!dict.GetWord(nPos, strWord)) {
            return Problem(strReport, "word block " + std::to_string(p / h.nWordsPerBlock + 1) +
                                          " is damaged");
        }
        if (strWord.size() > h.nMaxWordLength) {
            return Problem(strReport, "word " + std::to_string(p) + " is longer than the maximum");
        }
        if (p > 0 && !(strPrevious < strWord)) {
            return Problem(strReport, "word " + std::to_string(p) + " \"" + strWord +
                                          "\" does not sort after \"" + strPrevious + "\"");
        }
        if (p % h.nWordsPerBlock == 0) {
            const int nBlock = static_cast<int>(p / h.nWordsPerBlock + 1);
            std::memset(pKey.get(), 0, h.nMaxWordLength + 1u);
            if (!dict.ReadRecordKey(nBlock, pKey.get()) ||
                strWord != reinterpret_cast<const char*>(pKey.get())) {
                return Problem(strReport, "word block " + std::to_string(nBlock) +
                                              ": its key is not its first word");
            }
        }
        int nCount = 0;
        dict.GetEntryNumbers(nPos, nullptr, nCount);
        numbers.assign(nCount, 0);
        dict.GetEntryNumbers(nPos, numbers.data(), nCount);
        for (int32_t e : numbers) {
            if (e < 1 || static_cast<uint32_t>(e) > nTotal) {
                return Problem(strReport, "word " + std::to_string(p) + " \"" + strWord +
                                              "\" names entry " + std::to_string(e) +
                                              ", outside 1 to " + std::to_string(nTotal));
            }
        }
        strPrevious.swap(strWord);
    }

    // Entries: every block sound, every entry in a group with one of the four letters.
    const int nBlocks = dict.GetEntryIndexRecord().nEntryBlockCount;
    std::unique_ptr<unsigned char[]> pBuffer(new unsigned char[DictionaryFile::kEntryBlockSize]);
    for (int j = 1; j <= nBlocks; ++j) {
        if (!VerifyEntryBlock(dict, j, pBuffer.get(), strReport)) return false;
    }
    for (uint32_t e = 1; e <= nTotal; ++e) {
        int nPartOfSpeech = -1;
        dict.GetPartOfSpeech(e, nPartOfSpeech);
        if (nPartOfSpeech < 0) {
            return Problem(strReport, "entry " + std::to_string(e) +
                                          " has no part of speech under the group counts");
        }
    }
    strReport = "ok: " + std::to_string(W) + " words, " + std::to_string(nTotal) + " entries, " +
                std::to_string(h.nWordBlockCount) + " word blocks, " + std::to_string(nBlocks) +
                " entry blocks";
    return true;
}
