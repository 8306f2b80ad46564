// The relation record: WordNet's relations between senses and between words, stored as one
// additional record after the entry blocks. Pure functions over its bytes; the engine reads the
// record from the file (Relations.cpp) and hands the pieces to these.
//
// Relation record (integers big-endian, offsets from the record's first byte):
//   0   4   tag "RELS"
//   4   4   entry count E: the file's entries, 1 to E
//   8   4   word count W: the file's words, at most kMaxRelationWords
//   12  2   entries per chunk M, at least 1
//   14  2   chunk count C = ceil(E / M)
//   16  4   members offset      20  4  members size
//   24  4   texts offset        28  4  texts size
//   32  8C  chunk table: per chunk its zlib stream's offset (4 bytes) and decompressed size
//           (4 bytes, at most kMaxRelationChunk)
//   ..      the chunks' zlib streams back to back, in chunk order; each runs to the next one,
//           the last to the members section
//   ..      members section, then texts section, which ends the record
//
// Chunk c holds the relations of entries cM+1 to min(E, cM+M). Decompressed, per entry in order:
//   0   2   item count I
//   2   6I  items: kind (1 byte, 1 to 26), source word (1 byte: 0 for a relation of the whole
//           sense, else the 1-based number of the entry's member it starts from), target entry
//           (3 bytes, 1 to E), target word (1 byte: 0 for every member of the target, else the
//           1-based number of the target's member it leads to); in ascending order of kind
// and nothing after the chunk's last entry.
//
// Members section: the words of each entry, entries 1 to E in order, in groups of
// kMembersPerGroup entries:
//   0   4G  group offsets, G = ceil(E / kMembersPerGroup): where group g's first entry starts,
//           from the section's start, ascending
//   then per entry: 1 byte member count m, then m members of 3 bytes: bits 0-21 the word's list
//   position (below W), bits 22-23 its spelling in the sense: 0 as the list spells it, 1 with
//   its first letter upper-cased, 2 with its first letter and every letter after a blank or a
//   hyphen upper-cased, 3 as spelled by the 1-byte length (1 to 255) and the text that follow.
//
// Texts section: the list's words by list position, front-coded in groups of kTextsPerGroup:
//   0   4H  group offsets, H = ceil(W / kTextsPerGroup): where word h * kTextsPerGroup starts,
//           from the section's start, ascending
//   then per word: 1 byte s, the length of the prefix shared with the word before it (0 for the
//   first word of a group), 1 byte x, then x bytes that follow that prefix; s + x at most 255.
#ifndef LEXANO_DICTDATA_RELATIONRECORD_H
#define LEXANO_DICTDATA_RELATIONRECORD_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "dictdata/Relations.h"

constexpr char kRelationTag[] = "RELS";
constexpr size_t kRelationHeaderSize = 32;
constexpr size_t kRelationItemSize = 6;
constexpr uint32_t kMaxRelationChunk = 1u << 20;  // decompressed bytes of one chunk
constexpr uint32_t kMaxRelationWords = 1u << 22;  // list positions are stored in 22 bits
constexpr uint32_t kMembersPerGroup = 16;
constexpr uint32_t kTextsPerGroup = 16;
constexpr int kRelationKindCount = 26;

// The header and the chunk table of a relation record, checked against each other and the
// record's size.
struct RelationLayout {
    uint32_t nEntries = 0;
    uint32_t nWords = 0;
    uint32_t nEntriesPerChunk = 0;
    uint32_t nChunks = 0;
    uint32_t nMembersOffset = 0;
    uint32_t nMembersSize = 0;
    uint32_t nTextsOffset = 0;
    uint32_t nTextsSize = 0;
    // Per chunk: the offset of its stream and its decompressed size; chunkOffsets has one more
    // value, the members offset, where the last stream ends.
    std::vector<uint32_t> chunkOffsets;
    std::vector<uint32_t> chunkSizes;
};

// Reads the 32-byte header at lpHeader of a record of nRecordSize bytes. True with layout's
// header fields set (its chunk table still empty); false, layout untouched, when the tag is not
// "RELS", M is 0, C is not ceil(E / M), W is above kMaxRelationWords or the members and texts
// sections do not end the record (members right before texts, texts up to the record's end).
bool ReadRelationHeader(const unsigned char* lpHeader, uint32_t nRecordSize,
                        RelationLayout& layout);

// Reads the chunk table (8 bytes per chunk, at lpTable) into layout. False, layout untouched,
// when a stream starts before the end of the table, the streams' offsets descend or run past the
// members offset, a stream is empty or a size is 0 or above kMaxRelationChunk.
bool ReadRelationChunkTable(const unsigned char* lpTable, RelationLayout& layout);

// One relation as a chunk stores it.
struct RelationItem {
    uint8_t nKind = 0;
    uint8_t nSourceWord = 0;
    uint32_t nTargetEntry = 0;
    uint8_t nTargetWord = 0;
};

// Checks a decompressed chunk that holds nEntryCount entries whose targets lie in 1 to
// nEntries, and sets itemStarts to the offset of each entry's first item (nEntryCount + 1
// values, the last one the chunk's end). False, itemStarts untouched, when the data ends early,
// holds bytes after its last entry, or an item has a kind outside 1 to 26, a target outside 1 to
// nEntries or a kind below the one before it.
bool IndexRelationChunk(const std::string& strChunk, uint32_t nEntryCount, uint32_t nEntries,
                        std::vector<uint32_t>& itemStarts);

// Item i (from 0) of the items that start at lpItem. REQUIRES: the chunk was indexed.
RelationItem ReadRelationItem(const unsigned char* lpItem, size_t i);

// The members and texts sections of a relation record. Their group offsets are read and
// checked once; a group's bytes are read from the file when one of its entries or words is
// first asked for and kept, so that a lookup reads only the groups it needs.
class RelationWords {
public:
    // Reads nSize bytes at nOffset from the record's start into lpBuffer; false on a short read.
    using Reader = std::function<bool(uint32_t nOffset, unsigned char* lpBuffer, size_t nSize)>;

    // Takes the reader and the sections' places in the record (of a layout with nEntries
    // entries and nWords words) and reads both tables of group offsets. False, nothing taken,
    // when a table cannot be read, does not fit its section, or its offsets descend, point into
    // the table or past the section.
    bool Assign(Reader reader, const RelationLayout& layout);

    // Sets members to the words of entry nEntry (1 to nEntries), in stored order. False,
    // members untouched, when nEntry is out of range, its group cannot be read, or the group is
    // damaged on the way to the entry or inside it (a member that runs past the group, a
    // position not below nWords, an empty spelled text).
    bool GetMembers(uint32_t nEntry, std::vector<EntryMember>& members);

    // Sets strText to the word at list position nPos as the list spells it. False, strText
    // untouched, when nPos is not below nWords or its group cannot be read or is damaged.
    bool GetText(uint32_t nPos, std::string& strText);

    // Reads both sections whole: true when every group holds exactly its entries or words,
    // each as GetMembers and GetText read them. Used by the whole-file check; the lookups
    // above check only what they read.
    bool CheckSections();

private:
    struct Section {
        uint32_t nOffset = 0;               // from the record's start
        uint32_t nSize = 0;
        std::vector<uint32_t> groupStarts;  // from the section's start; then the section's end
        std::unordered_map<uint32_t, std::string> groups;  // the groups read so far
    };

    // Reads the group offsets of a section of nGroups groups.
    bool ReadGroupTable(Section& section, uint32_t nGroups);
    // Sets pGroup to the bytes of group nGroup, reading them on the first call. False when
    // they cannot be read.
    bool LoadGroup(Section& section, uint32_t nGroup, const std::string*& pGroup);
    // Walks member group nGroup up to its entry nLast (0-based in the group) and sets members
    // to that entry's, when pMembers is given; nEnd to where the walk stopped.
    bool WalkMembers(const std::string& strGroup, uint32_t nLast,
                     std::vector<EntryMember>* pMembers, size_t& nEnd);
    // Walks text group bytes up to its word nLast and sets strText to it; nEnd as above.
    static bool WalkTexts(const std::string& strGroup, uint32_t nLast, std::string& strText,
                          size_t& nEnd);

    Reader m_reader;
    Section m_members;
    Section m_texts;
    uint32_t m_nEntries = 0;
    uint32_t m_nWords = 0;
};

// What the engine keeps of a relation record once it has read it: the layout, the two word
// sections, and the chunks it inflated last.
struct RelationData {
    static constexpr int kChunkSlots = 64;
    struct Chunk {
        uint32_t nChunk = UINT32_MAX;     // the chunk held; UINT32_MAX for none
        std::string strData;              // its decompressed bytes, indexed
        std::vector<uint32_t> itemStarts; // per entry of the chunk, where its items start
        uint64_t nLastUse = 0;
    };
    RelationLayout layout;
    RelationWords words;
    Chunk chunks[kChunkSlots];
    uint64_t nClock = 0;
};

// The spelling codes of a member, as the writer chooses them: the first of 0, 1, 2 whose rule
// turns strListText into strText, else 3.
int SpellingCode(const std::string& strListText, const std::string& strText);

// strListText spelled by code 0, 1 or 2 (3 and others give it unchanged).
std::string ApplySpelling(const std::string& strListText, int nCode);

#endif
