#include "tools/Verify.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "dictdata/BigEndian.h"
#include "dictdata/DictionaryFile.h"
#include "dictdata/ExceptionList.h"
#include "dictdata/MeaningIndex.h"
#include "dictdata/RelationRecord.h"
#include "dictdata/SpellingIndex.h"
#include "tools/PortableFiles.h"
#include "tools/VerifyIndexes.h"

namespace {

bool Problem(std::string& strReport, const std::string& strWhat) {
    strReport = strWhat;
    return false;
}

// True when the nSize bytes at lpData are one zlib stream that ends exactly at their end.
// zlib's one-call uncompress, which the engine uses, stops at the stream's end and ignores
// what follows; streaming inflate tells where the stream ended. REQUIRES: the stream is known
// to inflate within bounds (the engine read it), so that inflating it again is bounded too.
bool StreamEndsAtEnd(const unsigned char* lpData, size_t nSize) {
    z_stream stream = {};
    if (inflateInit(&stream) != Z_OK) return false;
    stream.next_in = const_cast<unsigned char*>(lpData);
    stream.avail_in = static_cast<uInt>(nSize);
    unsigned char output[16384];
    int nResult = Z_OK;
    while (nResult == Z_OK) {
        stream.next_out = output;
        stream.avail_out = sizeof output;
        nResult = inflate(&stream, Z_NO_FLUSH);
    }
    const bool bEnded = nResult == Z_STREAM_END && stream.avail_in == 0;
    inflateEnd(&stream);
    return bEnded;
}

}  // namespace

// The checks of VerifyDataFile, one per part of the file. It reads the record keys and entry
// blocks that the engine keeps to itself, so the engine names it as a friend.
class DataFileVerifier {
public:
    static bool VerifyWords(DictionaryFile& dict, std::string& strReport);
    static bool VerifyEntries(DictionaryFile& dict, std::string& strReport);
    static bool VerifyAdditionalRecords(DictionaryFile& dict, int& nLists,
                                        std::string& strIndexes, std::string& strReport);

private:
    static bool VerifyWord(DictionaryFile& dict, uint32_t p, std::string& strWord,
                           const std::string& strPrevious, std::string& strReport);
    static bool VerifyBlockKey(DictionaryFile& dict, uint32_t p, const std::string& strWord,
                               std::string& strReport);
    static bool VerifyEntryNumbers(DictionaryFile& dict, uint32_t p, const std::string& strWord,
                                   std::string& strReport);
    static bool VerifyEntryBlock(DictionaryFile& dict, int nBlock, unsigned char* pBuffer,
                                 std::string& strReport);
    static bool VerifyStreamEnd(DictionaryFile& dict, int nRecord, uint32_t nStart,
                                const std::string& strWhat, std::string& strReport);
    static bool VerifyIndexRecord(DictionaryFile& dict, int nRecord, const unsigned char* lpTag,
                                  std::string& strIndexes, std::string& strReport);
    static bool VerifyRelations(DictionaryFile& dict, int nRecord, std::string& strIndexes,
                                std::string& strReport);
    static bool VerifyRelationWords(DictionaryFile& dict, RelationData& data,
                                    std::vector<size_t>& memberCounts, std::string& strReport);
    static bool VerifyRelationChunks(DictionaryFile& dict, RelationData& data,
                                     const std::vector<size_t>& memberCounts,
                                     uint64_t& nRelations, std::string& strReport);
};

// Words: each block loads, words ascend strictly by unsigned bytes across the whole list, each
// block's key is its first word, and every entry number names an entry.
bool DataFileVerifier::VerifyWords(DictionaryFile& dict, std::string& strReport) {
    const uint32_t W = dict.GetWordCount();
    std::string strPrevious;
    for (uint32_t p = 0; p < W; ++p) {
        std::string strWord;
        if (!VerifyWord(dict, p, strWord, strPrevious, strReport) ||
            !VerifyBlockKey(dict, p, strWord, strReport) ||
            !VerifyEntryNumbers(dict, p, strWord, strReport)) {
            return false;
        }
        strPrevious.swap(strWord);
    }
    return true;
}

bool DataFileVerifier::VerifyWord(DictionaryFile& dict, uint32_t p, std::string& strWord,
                                  const std::string& strPrevious, std::string& strReport) {
    const HeaderRecord& h = dict.GetHeaderRecord();
    if (!dict.GetWord(static_cast<int>(p), strWord)) {
        return Problem(strReport,
                       "word block " + std::to_string(p / h.nWordsPerBlock + 1) + " is damaged");
    }
    if (strWord.size() > h.nMaxWordLength) {
        return Problem(strReport, "word " + std::to_string(p) + " is longer than the maximum");
    }
    if (p > 0 && !(strPrevious < strWord)) {
        return Problem(strReport, "word " + std::to_string(p) + " \"" + strWord +
                                      "\" does not sort after \"" + strPrevious + "\"");
    }
    return true;
}

bool DataFileVerifier::VerifyBlockKey(DictionaryFile& dict, uint32_t p, const std::string& strWord,
                                      std::string& strReport) {
    const HeaderRecord& h = dict.GetHeaderRecord();
    if (p % h.nWordsPerBlock != 0) return true;
    const int nBlock = static_cast<int>(p / h.nWordsPerBlock + 1);
    std::vector<unsigned char> key(h.nMaxWordLength + 1u, 0);
    if (!dict.ReadRecordKey(nBlock, key.data()) ||
        strWord != reinterpret_cast<const char*>(key.data())) {
        return Problem(strReport,
                       "word block " + std::to_string(nBlock) + ": its key is not its first word");
    }
    // The key is the first word: the block's zlib stream follows its length byte and it.
    return VerifyStreamEnd(dict, nBlock, 1 + static_cast<uint32_t>(strWord.size()),
                           "word block " + std::to_string(nBlock), strReport);
}

bool DataFileVerifier::VerifyEntryNumbers(DictionaryFile& dict, uint32_t p,
                                          const std::string& strWord, std::string& strReport) {
    const uint32_t nTotal = dict.GetTotalEntries();
    std::vector<int32_t> numbers;
    dict.GetEntryNumbers(static_cast<int>(p), numbers);
    for (int32_t e : numbers) {
        if (e < 1 || static_cast<uint32_t>(e) > nTotal) {
            return Problem(strReport, "word " + std::to_string(p) + " \"" + strWord +
                                          "\" names entry " + std::to_string(e) +
                                          ", outside 1 to " + std::to_string(nTotal));
        }
    }
    return true;
}

// Entries: every block sound, every entry in a group with one of the four letters.
bool DataFileVerifier::VerifyEntries(DictionaryFile& dict, std::string& strReport) {
    const int nBlocks = dict.GetEntryIndexRecord().nEntryBlockCount;
    std::unique_ptr<unsigned char[]> pBuffer(new unsigned char[DictionaryFile::kEntryBlockSize]);
    for (int j = 1; j <= nBlocks; ++j) {
        if (!VerifyEntryBlock(dict, j, pBuffer.get(), strReport)) return false;
    }
    const uint32_t nTotal = dict.GetTotalEntries();
    for (uint32_t e = 1; e <= nTotal; ++e) {
        int nPartOfSpeech = -1;
        dict.GetPartOfSpeech(e, nPartOfSpeech);
        if (nPartOfSpeech < 0) {
            return Problem(strReport, "entry " + std::to_string(e) +
                                          " has no part of speech under the group counts");
        }
    }
    return true;
}

// Checks entry block nBlock: it decompresses within its limits and holds exactly its stated
// number of records, each at least 2 bytes long and inside the data.
bool DataFileVerifier::VerifyEntryBlock(DictionaryFile& dict, int nBlock, unsigned char* pBuffer,
                                        std::string& strReport) {
    const std::string strWhere = "entry block " + std::to_string(nBlock);
    size_t nSize = 0;
    if (!dict.ReadEntryBlock(nBlock, pBuffer, &nSize)) {
        return Problem(strReport, strWhere + " is too large or does not decompress");
    }
    const int nRecord = dict.GetHeaderRecord().nWordBlockCount + 1 + nBlock;
    if (!VerifyStreamEnd(dict, nRecord, 0, strWhere, strReport)) return false;
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

// Record nRecord from its byte nStart to its end must be one zlib stream and nothing more:
// bytes after it would be silently ignored by the engine (a record count one too small, for
// one, makes the last record swallow the ones it no longer counts).
bool DataFileVerifier::VerifyStreamEnd(DictionaryFile& dict, int nRecord, uint32_t nStart,
                                       const std::string& strWhat, std::string& strReport) {
    const uint32_t nSize = dict.RecordSize(nRecord);
    std::vector<unsigned char> bytes(nSize > nStart ? nSize - nStart : 0);
    if (bytes.empty() || !dict.ReadAt(dict.GetRecordOffset(nRecord) + nStart, bytes.data(),
                                      bytes.size())) {
        return Problem(strReport, strWhat + " cannot be read");
    }
    if (StreamEndsAtEnd(bytes.data(), bytes.size())) return true;
    const bool bLast = nRecord + 1 == dict.GetRecordCount();
    return Problem(strReport, strWhat + " has bytes after its zlib stream" +
                                  (bLast ? " (at the end of the file)" : ""));
}

// The spelling record or the meaning index at record nRecord, whose tag is lpTag: the first of
// its kind, and sound. Appends what it holds to strIndexes (", a spelling index", ...).
bool DataFileVerifier::VerifyIndexRecord(DictionaryFile& dict, int nRecord,
                                         const unsigned char* lpTag, std::string& strIndexes,
                                         std::string& strReport) {
    const bool bSpelling = std::memcmp(lpTag, kSpellingTag, 4) == 0;
    const std::string strKind = bSpelling ? "spelling index" : "meaning index";
    if (strIndexes.find(strKind) != std::string::npos) {
        return Problem(strReport, "record " + std::to_string(nRecord) + " repeats the " + strKind);
    }
    if (bSpelling) {
        if (!VerifySpellingRecord(dict, nRecord, strReport)) return false;
        strIndexes += ", a spelling index";
        return true;
    }
    uint32_t nWords = 0;
    if (!VerifyMeaningRecord(dict, nRecord, nWords, strReport)) return false;
    strIndexes += ", a meaning index of " + std::to_string(nWords) + " words";
    return true;
}

// Additional records: each has a known tag, each morphology record is a sound exception list,
// at most one per part of speech, and the relation record, the spelling record and the meaning
// index are sound, at most one of each.
bool DataFileVerifier::VerifyAdditionalRecords(DictionaryFile& dict, int& nLists,
                                               std::string& strIndexes, std::string& strReport) {
    bool bSeen[4] = {false, false, false, false};
    bool bRelations = false;
    nLists = 0;
    for (int r = dict.FirstAdditionalRecord(); r < dict.GetRecordCount(); ++r) {
        const std::string strWhere = "record " + std::to_string(r) + " after the entry blocks";
        unsigned char tag[4] = {};
        const bool bTagged = dict.RecordSize(r) >= 4 && dict.ReadAt(dict.GetRecordOffset(r), tag, 4);
        if (bTagged && std::memcmp(tag, kRelationTag, 4) == 0) {
            if (bRelations) {
                return Problem(strReport, "record " + std::to_string(r) +
                                              " repeats the relation record");
            }
            bRelations = true;
            if (!VerifyRelations(dict, r, strIndexes, strReport)) return false;
            continue;
        }
        if (bTagged && (std::memcmp(tag, kSpellingTag, 4) == 0 || std::memcmp(tag, kMeaningTag, 4) == 0)) {
            if (!VerifyIndexRecord(dict, r, tag, strIndexes, strReport)) return false;
            continue;
        }
        if (!bTagged || std::memcmp(tag, kExceptionTag, 4) != 0) {
            return Problem(strReport, strWhere + " has an unknown tag");
        }
        ExceptionList list;
        int nPart = -1;
        if (!dict.ReadExceptionRecord(r, nPart, list)) {
            return Problem(strReport, strWhere + " is no sound morphology record");
        }
        if (!VerifyStreamEnd(dict, r, kExceptionHeaderSize, strWhere, strReport)) return false;
        if (bSeen[nPart]) {
            return Problem(strReport, "record " + std::to_string(r) + " repeats the " +
                                          DictionaryFile::PartOfSpeechName(nPart) +
                                          " exception list");
        }
        bSeen[nPart] = true;
        ++nLists;
    }
    return true;
}

// The relation record: its layout fits the file, its word sections read whole, every entry's
// words are exactly the words that name the entry, the texts are the word list, and every chunk
// inflates to sound relations whose words exist.
bool DataFileVerifier::VerifyRelations(DictionaryFile& dict, int nRecord,
                                       std::string& strIndexes, std::string& strReport) {
    RelationData data;
    if (!dict.ReadRelationRecord(nRecord, data)) {
        return Problem(strReport, "record " + std::to_string(nRecord) +
                                      " is no sound relation record for this file");
    }
    std::vector<size_t> memberCounts;
    uint64_t nRelations = 0;
    if (!VerifyRelationWords(dict, data, memberCounts, strReport) ||
        !VerifyRelationChunks(dict, data, memberCounts, nRelations, strReport)) {
        return false;
    }
    strIndexes += ", " + std::to_string(nRelations) + " relations";
    return true;
}

bool DataFileVerifier::VerifyRelationWords(DictionaryFile& dict, RelationData& data,
                                           std::vector<size_t>& memberCounts,
                                           std::string& strReport) {
    if (!data.words.CheckSections()) {
        return Problem(strReport, "the relation record's words of the entries or its texts of "
                                  "the words are damaged");
    }
    // Every (entry, word) pair, once from the word blocks and once from the record.
    std::vector<std::pair<uint32_t, uint32_t>> fromWords;
    std::vector<std::pair<uint32_t, uint32_t>> fromRecord;
    const uint32_t W = dict.GetWordCount();
    for (uint32_t p = 0; p < W; ++p) {
        std::string strWord;
        std::string strText;
        std::vector<int32_t> numbers;
        dict.GetWord(static_cast<int>(p), strWord);
        if (!data.words.GetText(p, strText) || strText != strWord) {
            return Problem(strReport, "the relation record spells word " + std::to_string(p) +
                                          " otherwise than the word list");
        }
        dict.GetEntryNumbers(static_cast<int>(p), numbers);
        for (int32_t e : numbers) fromWords.emplace_back(static_cast<uint32_t>(e), p);
    }
    const uint32_t nEntries = dict.GetTotalEntries();
    memberCounts.assign(nEntries + 1, 0);
    for (uint32_t e = 1; e <= nEntries; ++e) {
        std::vector<EntryMember> members;
        data.words.GetMembers(e, members);
        memberCounts[e] = members.size();
        for (const EntryMember& m : members) fromRecord.emplace_back(e, static_cast<uint32_t>(m.nPos));
    }
    for (auto* pPairs : {&fromWords, &fromRecord}) {
        std::sort(pPairs->begin(), pPairs->end());
        pPairs->erase(std::unique(pPairs->begin(), pPairs->end()), pPairs->end());
    }
    if (fromWords != fromRecord) {
        return Problem(strReport, "the relation record's words of the entries are not the words "
                                  "that name them");
    }
    return true;
}

bool DataFileVerifier::VerifyRelationChunks(DictionaryFile& dict, RelationData& data,
                                            const std::vector<size_t>& memberCounts,
                                            uint64_t& nRelations, std::string& strReport) {
    const RelationLayout& layout = data.layout;
    nRelations = 0;
    for (uint32_t c = 0; c < layout.nChunks; ++c) {
        std::string strChunk;
        std::vector<uint32_t> starts;
        if (!dict.LoadRelationChunk(data, c, strChunk, starts)) {
            return Problem(strReport, "relation chunk " + std::to_string(c) + " is damaged");
        }
        const unsigned char* p = reinterpret_cast<const unsigned char*>(strChunk.data());
        for (size_t i = 0; i + 1 < starts.size(); ++i) {
            const uint32_t nEntry = c * layout.nEntriesPerChunk + static_cast<uint32_t>(i) + 1;
            const size_t nItems = (starts[i + 1] - starts[i]) / kRelationItemSize;
            for (size_t j = 0; j < nItems; ++j) {
                const RelationItem item = ReadRelationItem(p + starts[i], j);
                if (item.nSourceWord > memberCounts[nEntry] ||
                    item.nTargetWord > memberCounts[item.nTargetEntry]) {
                    return Problem(strReport, "entry " + std::to_string(nEntry) +
                                                  " has a relation from or to a word that its "
                                                  "sense lacks");
                }
            }
            nRelations += nItems;
        }
    }
    return true;
}

std::string CannotOpenMessage(const char* lpszPath) {
    const std::string strReason = ReasonNotReadable(lpszPath);
    return std::string("cannot open ") + lpszPath + " as a data file: " +
           (strReason.empty() ? "it is not a dictionary, or it is damaged" : strReason);
}

bool VerifyDataFile(const char* lpszPath, std::string& strReport) {
    DictionaryFile dict;
    if (!dict.Open(lpszPath)) return Problem(strReport, CannotOpenMessage(lpszPath));
    int nLists = 0;
    std::string strIndexes;
    if (!DataFileVerifier::VerifyWords(dict, strReport) ||
        !DataFileVerifier::VerifyEntries(dict, strReport) ||
        !DataFileVerifier::VerifyAdditionalRecords(dict, nLists, strIndexes, strReport)) {
        return false;
    }
    const HeaderRecord& h = dict.GetHeaderRecord();
    strReport = "ok: " + std::to_string(h.nWordCount) + " words, " +
                std::to_string(dict.GetTotalEntries()) + " entries, " +
                std::to_string(h.nWordBlockCount) + " word blocks, " +
                std::to_string(dict.GetEntryIndexRecord().nEntryBlockCount) + " entry blocks";
    if (nLists > 0) strReport += ", " + std::to_string(nLists) + " exception lists";
    strReport += strIndexes;
    return true;
}
