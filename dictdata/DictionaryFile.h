// DictionaryFile: the dictionary engine. Owns the open data file "LexanoData_WN.pdb" and everything
// read from it: the record table, the two description records, and two word block slots. Word
// blocks and entry blocks are read and decompressed on demand; see dictdata/FORMAT.md for the
// byte layout.
//
// Operations report success as bool and write their results to out-parameters; unless a comment
// says otherwise an out-parameter is left untouched on failure. Nothing here throws except a
// failed allocation. One engine is used from one thread only: it owns a single stream whose
// position every read changes.
#ifndef LEXANO_DICTDATA_DICTIONARYFILE_H
#define LEXANO_DICTDATA_DICTIONARYFILE_H

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "dictdata/Relations.h"

// Record 0: the first 15 bytes describe the word list.
struct HeaderRecord {
    uint8_t nReserved = 0;
    uint16_t nWordBlockSize = 0;   // c: largest decompressed word block, in bytes
    uint16_t nWordBlockCount = 0;  // k: word blocks are records 1 to k
    uint8_t nMaxWordLength = 0;    // longest word text and block key, in bytes
    uint32_t nWordCount = 0;       // W: list positions run 0 to W-1
    uint8_t nWordsPerBlock = 0;    // n: words of every block but the last
    uint32_t nReserved2 = 0;
};

// Record k+1: the four part-of-speech groups of the entry numbers and the entry block count.
// The entries-per-block table that follows it is kept separately.
struct EntryIndexRecord {
    uint8_t nReserved = 0;
    uint8_t nPosCode[4] = {0, 0, 0, 0};  // letter code of each group: 'N', 'V', 'a' or 'v'
    uint32_t nEntryCount[4] = {0, 0, 0, 0};
    uint16_t nReserved2 = 0;
    uint16_t nEntryBlockCount = 0;
};

class ExceptionList;
struct ExceptionLists;
class SpellingIndex;   // dictdata/SpellingIndex.h
struct SpellingMatch;
class MeaningIndex;    // dictdata/MeaningIndex.h
struct MeaningMatch;
class RecordReader;    // dictdata/RecordReader.h
struct RelationData;
class DictionaryFileTestAccess;  // tests/DictionaryFileTestAccess.h
class DataFileVerifier;          // tools/Verify.cpp
class IndexVerifier;             // tools/VerifyIndexes.cpp

class DictionaryFile {
public:
    static constexpr size_t kContainerHeaderSize = 78;
    static constexpr size_t kHeaderRecordSize = 15;
    static constexpr size_t kEntryIndexSize = 25;
    static constexpr size_t kEntryBlockSize = 16384;       // largest decompressed entry block
    static constexpr size_t kEntryBlockStoredSize = 16723;  // 16384 + 16384/50 + 12
    // Most records a file may hold after its last entry block; a file with more is rejected.
    static constexpr int kMaxAdditionalRecords = 64;

    DictionaryFile();
    virtual ~DictionaryFile();  // runs Close
    DictionaryFile(const DictionaryFile&) = delete;
    DictionaryFile& operator=(const DictionaryFile&) = delete;

    // ---- Container (Container.cpp) ----

    // Opens and validates the data file at lpszPath and loads the container state. Any previous
    // state is released first. Returns false, with the engine closed, when the file cannot be
    // opened or is not a regular file (a folder, a FIFO, a device: refused at once), its name
    // does not start with "LexanoData", or its container, header record or entry index record
    // is damaged (too short, offsets outside the file or descending, counts that do not fit
    // together). Of the records after the last entry block (the additional records) only the
    // tags are read here, and there may be at most kMaxAdditionalRecords.
    bool Open(const char* lpszPath);

    // Closes the stream and releases every buffer. Safe to call when closed, and twice.
    void Close();

    // True exactly while a data file is open.
    bool IsOpen() const { return m_pStream != nullptr; }

    // The description records, valid while open; all zero while closed.
    const HeaderRecord& GetHeaderRecord() const { return m_header; }
    const EntryIndexRecord& GetEntryIndexRecord() const { return m_entryIndex; }
    // W, the number of words; 0 while closed.
    uint32_t GetWordCount() const { return m_header.nWordCount; }
    // The database name up to its first zero byte (at most 32 bytes).
    std::string GetDatabaseName() const;
    uint16_t GetRecordCount() const { return m_nRecordCount; }
    // Size of the open file in bytes; 0 while closed.
    uint32_t GetFileSize() const { return m_pRecordOffsets ? m_pRecordOffsets[m_nRecordCount] : 0; }
    // Sum of the entries-per-block table: entry numbers run 1 to this.
    uint32_t GetTotalEntries() const { return m_nTotalEntries; }

    // ---- Word access (WordBlock.cpp) ----

    // Sets strText to the word at list position nPos. False when closed, nPos is not in 0 to
    // W-1 or its block cannot be loaded.
    bool GetWord(int nPos, std::string& strText);

    // Entry numbers of the word at nPos, by the two-call protocol: with pNumbers null, or nCount
    // below the word's entry count E, sets nCount to E. Otherwise fills pNumbers[0..E-1] and
    // leaves nCount as it is. False (both untouched) when closed, nPos is not in 0 to W-1 or its
    // block cannot be loaded.
    bool GetEntryNumbers(int nPos, int32_t* pNumbers, int& nCount);

    // The same in one call: sets numbers to the entry numbers of the word at nPos (empty for a
    // word without entries). False, numbers untouched, when the two-call form fails.
    bool GetEntryNumbers(int nPos, std::vector<int32_t>& numbers);

    // ---- Word search (WordSearch.cpp) ----

    // List position of the last word that is smaller than or equal to strText by unsigned bytes,
    // or 0 when strText sorts before every word. Always in 0 to W-1.
    // REQUIRES: open.
    int FindWord(std::string strText);

    // The position FindWord gives for strText, with bExact set to whether the word there is
    // strText. When a word block already loaded encloses the text (its first word <= strText
    // <= its last word) the answer comes from that block without reading any block key.
    // REQUIRES: open.
    int FindWordNear(const std::string& strText, bool& bExact);

    // True when strText is a word of the list, with nPos set to its position; false, nPos
    // untouched, otherwise. Searches as FindWordNear does. REQUIRES: open.
    bool FindExactWord(const std::string& strText, int& nPos);

    // ---- Morphology records (MorphologyRecords.cpp) ----

    // The exception lists of the morphology records that follow the last entry block. They are
    // read on the first call and kept until Close, unless a read of the file fails meanwhile
    // (the file was emptied or cut short while open): the next call then reads them again. A
    // list whose record is missing or damaged is empty. Null when closed. Valid until Close or
    // the next call.
    const ExceptionLists* GetExceptionLists();

    // ---- Spelling suggestions (SpellingRecords.cpp) ----

    // The words of the list within a few edits of strText (two, one for texts of fewer than 5
    // bytes; dictdata/EditDistance.h), by the file's spelling record: at most nMax, nearest
    // first, then the most used in WordNet's tagged texts, then list order. True with matches
    // set (empty when no word is near enough); false, matches untouched, when closed or the file
    // has no sound spelling record.
    bool FindSpellings(const std::string& strText, size_t nMax, std::vector<SpellingMatch>& matches);

    // The spelling index, its header read on the first call and its parts as searches need
    // them; null when closed or the file has no spelling record, or its header is damaged.
    // Valid until Close.
    SpellingIndex* GetSpellingIndex();

    // ---- Search in meanings (MeaningRecords.cpp) ----

    // The entries whose definition or usage examples hold every word of strText, as whole words
    // in any letter case with accents folded (dictdata/MeaningWords.h), by the file's meaning
    // index: those with more of the words in their definition first, then those with fewer
    // words in the definition, then the more used senses, then entry number. True with matches
    // set (empty when none, or strText has no words); false, matches untouched, when closed or
    // the file has no sound meaning index.
    bool SearchMeanings(const std::string& strText, std::vector<MeaningMatch>& matches);

    // The meaning index, its header read on the first call; null when closed or the file has
    // none, or its header is damaged. Valid until Close.
    MeaningIndex* GetMeaningIndex();

    // ---- Entry records (EntryRecord.cpp) ----

    // Sets strText to the stored text of entry nEntry: its synonyms joined by "|", a line feed,
    // its definition and, when it has usage examples, a line feed and the examples joined by
    // "|" (up to a zero byte, if it holds one). False, strText untouched, when closed, nEntry
    // is out of range, or its block or record is damaged.
    bool ReadEntryText(int nEntry, std::string& strText);

    // Reads entry nEntry of the word at list position nPos and decodes it. False, outputs
    // untouched, when closed, nEntry is out of range, its block is damaged, or its record is
    // shorter than 2 bytes or runs past the block's data.
    bool ReadEntry(int nPos, int nEntry, std::string& strSynonyms, int& nSynonymCount,
                   std::string& strDefinition, std::string& strUsage);

    // Sets nPartOfSpeech to the part of speech of entry nEntry's group (0 adverb, 1 adjective,
    // 2 verb, 3 noun); leaves it unchanged when the entry is in no group or its group's letter
    // code is none of the four. Always true.
    bool GetPartOfSpeech(uint32_t nEntry, int& nPartOfSpeech);

    // "Adv.", "Adj.", "Verb", "Noun" for 0 to 3; "" for anything else.
    static std::string PartOfSpeechName(uint32_t nPartOfSpeech);

    // ---- Relations (Relations.cpp) ----

    // True when the open file has a relation record after its entry blocks (Open noted its
    // tag; nothing of it is read until one of the calls below). False when closed.
    bool HasRelations() const;

    // Sets members to the words of entry nEntry, in the order of its synonym line, each with its
    // list position and its spelling in the sense. False, members untouched, when closed, the
    // file has no relation record, the record is damaged, or nEntry is not in 1 to
    // GetTotalEntries().
    bool GetEntryMembers(uint32_t nEntry, std::vector<EntryMember>& members);

    // Sets words to the words that the relations between senses lead to from entry nEntry: per
    // relation, in ascending order of kind, every word of its target sense (a word listed twice
    // there once). False, words untouched, when closed, the file has no relation record, the
    // record or the chunk that holds nEntry is damaged, or nEntry is out of range; a target
    // sense that cannot be read is left out.
    bool GetSenseRelations(uint32_t nEntry, std::vector<RelatedWord>& words);

    // The same for the relations between words that start from the word at list position nPos
    // in entry nEntry: per relation the one word it leads to. Empty when nPos is not a word of
    // the entry. False as above, and for a negative nPos.
    bool GetWordRelations(int nPos, uint32_t nEntry, std::vector<RelatedWord>& words);

    // Both, as a page shows them under entry nEntry of the word at nPos: in ascending order of
    // kind, within a kind the sense's relations before the word's. False as above.
    bool GetRelatedWords(int nPos, uint32_t nEntry, std::vector<RelatedWord>& words);

private:
    friend class DictionaryFileTestAccess;
    friend class DataFileVerifier;
    friend class IndexVerifier;

    static constexpr uint16_t kEmptySlot = 0xFFFF;

    // One decompressed word block and its index. Buffers are sized once per open file.
    struct WordBlockSlot {
        uint16_t nBlock = kEmptySlot;            // block held, 1 to k; kEmptySlot when none
        std::unique_ptr<unsigned char[]> pData;  // c + 1 bytes: the decompressed block
        std::unique_ptr<int32_t[]> pOffsets;     // n word offsets O(i), relative to the word data
        std::unique_ptr<unsigned char[]> pPairs; // 2n bytes: (text length, entry count) per word
    };

    // ---- Container (Container.cpp) ----

    // Reads record 0 into the header record. False when no file is open or the read fails.
    bool ReadHeaderRecord();

    // Copies the key that starts record nRecord (a length byte, then that many bytes of text)
    // into lpBuffer, without a terminator. False, with the buffer untouched, when no file is
    // open, nRecord is not in 1 to record count - 1, the key is longer than the maximum word
    // length or runs past its record.
    // REQUIRES: lpBuffer holds at least maximum word length + 1 bytes.
    bool ReadRecordKey(int nRecord, unsigned char* lpBuffer);

    // File offset of record nRecord; nRecord == record count gives the file size.
    // REQUIRES: open, 0 <= nRecord <= record count.
    uint32_t GetRecordOffset(int nRecord) const { return m_pRecordOffsets[nRecord]; }
    // Value of the entries-per-block table for entry block nBlock (1-based).
    // REQUIRES: open, 1 <= nBlock <= entry block count.
    uint16_t GetEntriesInBlock(int nBlock) const { return m_pEntriesPerBlock[nBlock - 1]; }

    // The phases of Open, each false on a damaged file (the caller then closes).
    bool OpenStream(const char* lpszPath, int64_t& nFileSize);
    bool ReadContainerHeader(uint16_t& nRecordCount);
    bool ReadRecordTable(uint16_t nRecordCount, int64_t nFileSize);
    bool CheckHeaderRecord();
    bool ReadEntryIndex();

    // ---- Word blocks (WordBlock.cpp) ----

    // Reads, decompresses and indexes word block nBlock into slot. False when no file is open or
    // nBlock is outside 1 to k (slot untouched), and when the block is damaged: then the slot is
    // left empty (kEmptySlot).
    bool LoadWordBlock(int nBlock, WordBlockSlot& slot);

    // Copies word nIndex's text of a loaded slot into lpBuffer, zero-terminated. Copies nothing
    // when pSlot is null or empty, or nIndex is not an index of one of the block's words (the
    // filler pairs after the last block's words included).
    // REQUIRES: lpBuffer holds at least maximum word length + 1 bytes.
    void CopyWordText(int nIndex, char* lpBuffer, const WordBlockSlot* pSlot) const;

    // Sets pSlot to the slot that holds block nBlock, loading it by the two-slot rule. False,
    // with pSlot null, when nBlock is outside 1 to k or its block fails to load. The slot stays
    // valid until the next call that may load or copy a block.
    bool GetWordBlock(int nBlock, WordBlockSlot*& pSlot);

    // Makes dest hold the same block as src.
    void CopySlot(WordBlockSlot& dest, const WordBlockSlot& src);

    // Number of words held by block nBlock (n, or the rest for the last block).
    int WordsInBlock(int nBlock) const;

    // ---- Word search (WordSearch.cpp) ----

    // Word block (1 to k) whose key is the greatest key not above lpszText, or 1.
    int FindBlock(const char* lpszText);

    // Index (0 to the block's last word index) of the last word of slot's block not above
    // lpszText, or 0. REQUIRES: slot holds a loaded block.
    int FindInBlock(const char* lpszText, const WordBlockSlot& slot);

    // ---- Additional records (AdditionalRecords.cpp) ----

    // The first record after the last entry block: additional records run from here to the
    // record count - 1.
    int FirstAdditionalRecord() const;

    // The step of Open that reads the tag of every additional record and notes the first record
    // of each kind the engine knows. False when there are more than kMaxAdditionalRecords of
    // them or a tag cannot be read.
    bool ScanAdditionalRecords();

    // The record number of the additional record of the kind tagged lpszTag (4 characters) and,
    // for kinds that have them, sub-kind nSubkind (an exception list's part-of-speech letter);
    // -1 when the file has none. REQUIRES: open.
    int FindAdditionalRecord(const char* lpszTag, unsigned char nSubkind = 0) const;

    // ---- Morphology records (MorphologyRecords.cpp) ----

    // Reads morphology record nRecord into list and sets nPartOfSpeech to its part of speech.
    // False, outputs untouched, when nRecord is not an additional record or the record is
    // damaged (header, sizes, zlib stream or pairs).
    bool ReadExceptionRecord(int nRecord, int& nPartOfSpeech, ExceptionList& list);

    // ---- Indexes after the entry blocks (SpellingRecords.cpp) ----

    // A reader of additional record nRecord's bytes, valid until Close.
    // REQUIRES: open, FirstAdditionalRecord() <= nRecord < record count.
    RecordReader ReaderForRecord(int nRecord);

    // ---- Entry records (EntryRecord.cpp) ----

    // Entry block (1-based) that holds entry number nEntry; sets nPosition to its 1-based
    // position there. Returns 0, nPosition untouched, when nEntry is not in 1 to
    // GetTotalEntries().
    int LocateEntry(int nEntry, int& nPosition);

    // Reads and decompresses entry block nBlock into lpBuffer (zero-filled first) and sets
    // *pnSize, when given, to the decompressed size. False when closed or nBlock is outside 1 to
    // the entry block count (buffer untouched), and when the block's stored size is above
    // kEntryBlockStoredSize or it fails to decompress (buffer contents then undefined).
    // REQUIRES: lpBuffer holds kEntryBlockSize bytes.
    bool ReadEntryBlock(int nBlock, unsigned char* lpBuffer, size_t* pnSize = nullptr);

    // Splits an entry text into synonyms (without the headword of nPos, joined by ", " and
    // closed by "."), definition and usage. Always sets all four outputs. True when the text has
    // a definition part (its first line feed is at index 1 or later).
    bool DecodeEntryText(int nPos, std::string strText, std::string& strSynonyms,
                         std::string& strDefinition, std::string& strUsage, int& nSynonymCount);

    // ---- Relations (Relations.cpp) ----

    // Reads relation record nRecord's header, chunk table and the group offsets of its word
    // sections into data, whose word groups are then read from this engine's file as needed.
    // False when nRecord is not an additional record, or the record is damaged or does not fit
    // this file's entry and word counts.
    bool ReadRelationRecord(int nRecord, RelationData& data);

    // The relation record as read on the first call; null when closed, when the file has none,
    // or when it is damaged (then it is not read again). Valid until Close.
    RelationData* GetRelationData();

    // Reads, inflates and indexes chunk nChunk of the record. False, outputs untouched, when it
    // cannot be read, does not inflate to its stated size or is damaged inside.
    // REQUIRES: nChunk below the layout's chunk count.
    bool LoadRelationChunk(RelationData& data, uint32_t nChunk, std::string& strChunk,
                           std::vector<uint32_t>& itemStarts);

    // Points lpItems at the stored relations of entry nEntry (nCount items of
    // kRelationItemSize bytes), inflating its chunk into a slot when no slot holds it. Valid
    // until the next call. False when the record or the chunk cannot be read.
    bool GetRelationItems(uint32_t nEntry, const unsigned char*& lpItems, size_t& nCount);

    // The related words of entry nEntry: of the sense when nSourcePos is negative, else of the
    // word at nSourcePos in it.
    bool CollectRelatedWords(uint32_t nEntry, int nSourcePos, std::vector<RelatedWord>& words);

    // ---- Helpers ----

    // Reads nSize bytes at file offset nOffset into lpBuffer; false on a short read, which also
    // runs ForgetCachedReads.
    bool ReadAt(uint32_t nOffset, void* lpBuffer, size_t nSize);
    // Empties both word block slots (their buffers stay) and the block key cache, and marks the
    // exception lists for reading again: nothing kept from the file outlives a failed read.
    void ForgetCachedReads();
    // Size of record nRecord, from the record offsets.
    uint32_t RecordSize(int nRecord) const {
        return m_pRecordOffsets[nRecord + 1] - m_pRecordOffsets[nRecord];
    }
    bool AllocateSlot(WordBlockSlot& slot);
    // Copies the key of block nBlock, met at node nNode of the block search (1 the first
    // midpoint, 2n and 2n+1 the next ones), into lpBuffer; the keys of the first
    // kKeyCacheNodes nodes are read from the file once and kept.
    void CopyBlockKey(int nBlock, int nNode, char* lpBuffer);
    static void ReleaseSlot(WordBlockSlot& slot);

    FILE* m_pStream = nullptr;
    std::unique_ptr<uint32_t[]> m_pRecordOffsets;  // record count + 1; the last is the file size
    unsigned char m_name[32] = {};
    uint16_t m_nAttributes = 0;
    uint16_t m_nVersion = 0;
    uint32_t m_nCreationDate = 0;
    uint32_t m_nModificationDate = 0;
    uint32_t m_nBackupDate = 0;
    uint32_t m_nModificationNumber = 0;
    uint32_t m_nAppInfoOffset = 0;
    uint32_t m_nSortInfoOffset = 0;
    unsigned char m_type[4] = {};
    unsigned char m_creator[4] = {};
    uint32_t m_nUniqueIdSeed = 0;
    uint32_t m_nNextRecordList = 0;
    uint16_t m_nRecordCount = 0;
    HeaderRecord m_header;
    EntryIndexRecord m_entryIndex;
    std::unique_ptr<uint16_t[]> m_pEntriesPerBlock;
    uint32_t m_nTotalEntries = 0;
    WordBlockSlot m_slotA;
    WordBlockSlot m_slotB;
    std::unique_ptr<ExceptionLists> m_pExceptions;  // null until GetExceptionLists reads them
    bool m_bExceptionsStale = false;  // a read failed since they were read: read them again
    std::unique_ptr<SpellingIndex> m_pSpelling;     // null until GetSpellingIndex opens it
    bool m_bSpellingTried = false;                  // GetSpellingIndex has looked for it
    std::unique_ptr<MeaningIndex> m_pMeaning;       // null until GetMeaningIndex opens it
    bool m_bMeaningTried = false;
    std::unique_ptr<RelationData> m_pRelations;     // null until read, or when damaged
    bool m_bRelationsRead = false;                  // the relation record has been looked for

    // The additional records of known kinds, as ScanAdditionalRecords found them.
    struct AdditionalRecord {
        char tag[4];
        unsigned char nSubkind;
        uint16_t nRecord;
    };
    AdditionalRecord m_additional[kMaxAdditionalRecords] = {};
    int m_nAdditional = 0;

    // Every search starts at the same midpoints, so the keys of the top levels of the block
    // search are kept: typing then costs a few key reads from the file instead of log2(k).
    // Packed: node i's key is m_keyCacheText[m_keyCacheStart[i], + m_keyCacheLength[i]).
    static constexpr int kKeyCacheNodes = 256;  // nodes 1 to 255: eight levels
    std::string m_keyCacheText;
    uint16_t m_keyCacheStart[kKeyCacheNodes] = {};
    uint8_t m_keyCacheLength[kKeyCacheNodes] = {};
    bool m_keyCached[kKeyCacheNodes] = {};
};

#endif
