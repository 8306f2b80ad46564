// The meaning index: for every word used in the definitions and usage examples (the words of
// dictdata/MeaningWords.h), the entries that use it, so that a search finds the entries whose
// definition or examples hold every word of a text without reading any entry.
//
// Meaning index record (one additional record after the last entry block; integers big-endian,
// a varint is 7 bits a byte, low bits first, the high bit set on every byte but the last, at
// most 5 bytes and 32 bits):
//   0   4  tag "MIDX"
//   4   4  entry count E, equal to the file's number of entries
//   8   4  word count T
//   12  4  chunk count C (at least 1 when T is, 0 when T is 0)
//   16  4  directory size D
//   20  4  word section size S
//   24  4  posting section size P
//   28  D  directory, one row per chunk in word order: length of the chunk's first word (1 byte,
//          1 to 255), that word, the chunk's offset in the word section (4), the offset of its
//          first word's postings in the posting section (4); both offsets ascend, the first is 0
//   ..  S  word section: the chunks back to back, each running to the next one's offset (the
//          last to S), each holding at most kMeaningChunkWords words in ascending byte order
//          (across the whole section): bytes shared with the previous word of the chunk (1; 0
//          for the first), length of the rest (1), the rest, how many entries use the word
//          (varint, at least 1), length of its postings in bytes (varint)
//   ..  P  postings, word after word in word order: one varint per entry using the word, by
//          ascending rank: (gap << 1) | in-definition, where gap is the rank itself for the
//          first and the rank minus the previous one minus 1 after it, and in-definition is 1
//          when the entry's definition holds the word (0: only its usage examples do)
//   ..  6E ranks: for rank 0 to E - 1, the entry number (3 bytes) and the list position of the
//          entry's first word (3 bytes); every entry has one rank
// The record is exactly 28 + D + S + P + 6E bytes long.
//
// Ranks are the order in which matches are shown among those with as many of the searched words
// in their definitions: fewer words in the definition first (the entry that is most about the
// words), then the sense most often tagged in WordNet's texts, then entry number. A search
// reads the directory and the rank table once and keeps them; each word costs one chunk read and
// one read of its postings.
#ifndef LEXANO_DICTDATA_MEANINGINDEX_H
#define LEXANO_DICTDATA_MEANINGINDEX_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "dictdata/RecordReader.h"

constexpr char kMeaningTag[] = "MIDX";
constexpr size_t kMeaningHeaderSize = 28;
constexpr size_t kMeaningRankRow = 6;
constexpr int kMeaningChunkWords = 64;

// One entry that a search found.
struct MeaningMatch {
    int32_t nEntry = 0;      // its entry number
    int nPos = 0;            // list position of its first word (the first synonym that is one)
    int nInDefinition = 0;   // how many of the searched words its definition holds
};

// A word of the index and where its postings lie.
struct MeaningWordInfo {
    uint32_t nEntries = 0;        // entries that use it
    uint64_t nPostingOffset = 0;  // in the posting section
    uint32_t nPostingSize = 0;    // bytes
};

class MeaningIndex {
public:
    // Reads and checks the record's header through reader: its sizes must add up to the record
    // and its entry count must be nEntryCount; nWordCount bounds the list positions. False, the
    // index unusable, otherwise.
    bool Open(const RecordReader& reader, uint32_t nEntryCount, uint32_t nWordCount);

    // The entries whose definition or usage examples hold every word of strText (words as in
    // dictdata/MeaningWords.h; repeats count once): those with more of the words in their
    // definition first, then by rank. True with matches set (empty when strText has no words or
    // no entry holds them all); false, matches untouched, when the index is not open or a part
    // it reads is damaged (the index then stays unusable).
    bool Search(const std::string& strText, std::vector<MeaningMatch>& matches);

    // Finds strWord (already lower-cased and folded). True with info set when the index holds
    // it; false otherwise, or with bDamaged set when the chunk it would be in is damaged.
    bool FindWord(const std::string& strWord, MeaningWordInfo& info, bool& bDamaged);

    // Decodes the postings of a word into ranks and in-definition flags (both cleared first).
    // False when they are damaged: fewer or more bytes than the entries need, a rank at or
    // past E, or ranks out of order.
    bool ReadPostings(const MeaningWordInfo& info, std::vector<uint32_t>& ranks,
                      std::vector<unsigned char>& inDefinition) const;

    // Calls fnWord(word, info) for every word in order, checking every chunk as FindWord does,
    // until fnWord returns false. True when every word was visited, the words ascend and fill
    // the word and posting sections exactly; false otherwise.
    bool ForEachWord(const std::function<bool(const std::string&, const MeaningWordInfo&)>& fnWord);

    // The rank table, loaded on the first search: entry number and first word's position of
    // rank r. REQUIRES: LoadRanks succeeded, r < GetEntryCount().
    bool LoadRanks();
    void RankRow(uint32_t r, int32_t& nEntry, int& nPos) const;

    uint32_t GetEntryCount() const { return m_nEntryCount; }
    uint32_t GetWordCount() const { return m_nWords; }
    // Bytes of memory the index holds now.
    size_t MemoryInUse() const;

private:
    struct Chunk {
        std::string strFirst;
        uint32_t nOffset = 0;         // in the word section
        uint32_t nPostingOffset = 0;  // of its first word
    };

    using WordList = std::vector<std::pair<std::string, MeaningWordInfo>>;

    bool LoadDirectory();
    // Reads and checks chunk nChunk into words. False when it is damaged.
    bool ReadChunk(size_t nChunk, WordList& words);

    RecordReader m_reader;
    bool m_bOpen = false;
    uint32_t m_nEntryCount = 0;
    uint32_t m_nWordCount = 0;  // of the word list: bounds the positions in the rank table
    uint32_t m_nWords = 0;
    uint32_t m_nChunks = 0;
    uint64_t m_nDirectoryOffset = 0, m_nWordOffset = 0, m_nPostingOffset = 0, m_nRankOffset = 0;
    uint32_t m_nDirectorySize = 0, m_nWordSize = 0, m_nPostingSize = 0;
    bool m_bDirectoryLoaded = false;
    std::vector<Chunk> m_chunks;
    bool m_bRanksLoaded = false;
    std::string m_ranks;  // the rank table as stored
};

// Reads one varint at p, not past pEnd, into nValue and advances p. False when it runs past pEnd
// or over 5 bytes or 32 bits.
bool ReadVarint(const unsigned char*& p, const unsigned char* pEnd, uint32_t& nValue);

#endif
