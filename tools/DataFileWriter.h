// Writes dictionary data files in the format that DictionaryFile reads (dictdata/FORMAT.md).
// Used by the WordNet builder and by the tests, which build small dictionaries in memory, sound
// and damaged. The writer checks what the format can hold and reports the first limit broken;
// it never writes time stamps or other varying content, so the same input gives the same bytes.
#ifndef LEXANO_TOOLS_DATAFILEWRITER_H
#define LEXANO_TOOLS_DATAFILEWRITER_H

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// One headword and the numbers of its entries, in display order.
struct WriterWord {
    std::string strText;
    std::vector<uint32_t> entries;
};

// One relation of an entry, as the relation record stores it (dictdata/RelationRecord.h).
struct WriterRelation {
    uint8_t nKind = 0;          // 1 to 26, as dictdata/Relations.h numbers them
    uint8_t nSourceWord = 0;    // 0: of the whole sense; else the 1-based word of the entry's
                                // synonym line that it starts from
    uint32_t nTargetEntry = 0;  // the entry it leads to
    uint8_t nTargetWord = 0;    // 0: every word of the target; else its 1-based word
};

// Everything a data file holds.
struct DataFileContent {
    std::string strName = "LexanoData_WN";  // database name, at most 31 bytes
    std::vector<WriterWord> words;          // in ascending order of unsigned bytes, no repeats
    std::vector<std::string> entries;       // entry texts; entry number i + 1 is entries[i]
    unsigned char posCodes[4] = {'N', 'V', 'a', 'v'};
    uint32_t entryCounts[4] = {0, 0, 0, 0};  // the four group counts, stored as given
    // Morphology exception lists, one per group in the order of posCodes: (inflected form, base
    // form) pairs in the order to try them. Each non-empty list becomes one morphology record
    // after the entry blocks.
    std::vector<std::pair<std::string, std::string>> exceptions[4];
    // How often WordNet's tagged texts use each word (by list position) and each entry (by
    // entry number - 1); missing values count 0. They order the spelling suggestions and the
    // matches of the search in meanings.
    std::vector<uint32_t> wordFrequencies;
    std::vector<uint32_t> entryFrequencies;
    // Whether to add the spelling record and the meaning index record after the entry blocks
    // (tools/IndexRecords.h).
    bool bSpellingIndex = false;
    bool bMeaningIndex = false;
    // The relations of each entry, relations[i] those of entry i + 1. When not empty it holds
    // one list per entry and becomes the relation record after the morphology records; each
    // item of an entry's synonym line must then, lower-cased, be a word that names the entry.
    std::vector<std::vector<WriterRelation>> relations;
    int nRelationEntriesPerChunk = 64;        // entries per chunk of the relation record
    int nWordsPerBlock = 64;                  // n, 1 to 255
    size_t nEntryBlockLimit = 16384;          // entry blocks are filled up to this many bytes
    // When not zero, these replace the computed values (for tests of odd files).
    uint16_t nWordBlockSizeOverride = 0;
    uint8_t nMaxWordLengthOverride = 0;
};

// Group counts for entries numbered consecutively from 1 in groups of the given sizes, such that
// the reader's strict test "n < C1, else n < C1+C2, ..." puts every entry into its own group:
// C1 = size1 + 1, the others equal their sizes.
void GroupCountsForSizes(const uint32_t nSizes[4], uint32_t nCounts[4]);

// Builds the file's bytes into out. False, with strError naming the first limit broken (word
// order, lengths, counts, entry numbers, record count), when the content cannot be stored.
bool WriteDataFile(const DataFileContent& content, std::vector<unsigned char>& out,
                   std::string& strError);

// Checks a written file, named lpszWritten, before it takes its final name: true to go on;
// false with strError saying why.
using WrittenFileCheck = std::function<bool(const char* lpszWritten, std::string& strError)>;

// WriteDataFile, then writes the bytes to a new, uniquely named file beside lpszPath (created
// exclusively, with the permissions of the file it replaces), flushes it to the disk, runs
// fnCheck on it when given, and renames it over lpszPath. False, with strError naming
// lpszPath and the system's reason (or fnCheck's error), when any step fails: lpszPath is then
// as it was, no temporary file is left, and no other name is ever touched.
bool SaveDataFile(const DataFileContent& content, const char* lpszPath, std::string& strError,
                  const WrittenFileCheck& fnCheck = nullptr);

// Lower-level pieces, for tests that build damaged files record by record.

// The container: a 78-byte header with the name and record count, the record table, then the
// records back to back. False when there are more than 65535 records or the name is too long.
bool AssembleContainer(const std::string& strName, const std::vector<std::string>& records,
                       std::vector<unsigned char>& out);

// zlib stream of strData at the best compression.
std::string Compress(const std::string& strData);

// A word block record: key length, key, then the compressed block.
std::string WordBlockRecord(const std::string& strKey, const std::string& strBlock);

// The 15-byte header record.
std::string HeaderRecordBytes(uint16_t nWordBlockSize, uint16_t nWordBlockCount,
                              uint8_t nMaxWordLength, uint32_t nWordCount,
                              uint8_t nWordsPerBlock);

// The entry index record followed by its entries-per-block table.
std::string EntryIndexRecordBytes(const unsigned char posCodes[4], const uint32_t counts[4],
                                  const std::vector<uint16_t>& entriesPerBlock);

// One entry record: 2-byte big-endian length (text + 2), then the text.
std::string EntryRecordBytes(const std::string& strText);

// One morphology record (dictdata/ExceptionList.h) for the letter code chPosCode: the pairs
// sorted by their inflected form, pairs of one form kept in their order. False, strError set,
// when a text is empty, longer than 255 bytes or holds a tab, line feed or zero byte, or the
// list is too large for a record.
bool MorphologyRecordBytes(unsigned char chPosCode,
                           const std::vector<std::pair<std::string, std::string>>& pairs,
                           std::string& strRecord, std::string& strError);

// The relation record of content (dictdata/RelationRecord.h): its relations in chunks of
// content.nRelationEntriesPerChunk entries, the words of every entry and the word list's texts.
// False, strError set, when there is not one list of relations per entry, a relation names a
// kind, entry or word that does not exist, an entry's word is not a word of the list that names
// the entry, or a count exceeds what the record can hold.
bool RelationRecordBytes(const DataFileContent& content, std::string& strRecord,
                         std::string& strError);

#endif
