// The spelling index: every word of the list grouped by its length in bytes, with the sense tag
// counts of the words that WordNet's tagged texts use, so that the search can offer the words
// within a few edits of a text (dictdata/EditDistance.h), the nearest and most common first.
//
// Spelling record (one additional record after the last entry block; integers big-endian):
//   0     4     tag "SPEL"
//   4     4     word count W, equal to the header record's
//   8     4     frequency count F
//   12    1024  256 counts n(0) to n(255): how many words are l bytes long, for l = 0 to 255;
//               they add up to W
//   1036  ..    the length groups, for l = 0 to 255 in turn: n(l) list positions of 3 bytes,
//               ascending, then the n(l) words' texts, l bytes each, in the same order
//   ..    5F    the frequencies: F rows of a list position (3 bytes) and that word's sense tag
//               count (2 bytes, at least 1), positions ascending; a word without a row has 0
// The record is exactly 1036 + (sum of n(l) (3 + l)) + 5F bytes long.
//
// Why this shape: a word within k edits of a text of m letters is m - k to m + k letters long,
// and between the letters it uses and those of the text at most k differ either way. The search
// scans the length groups a text needs with a 32-bit letter mask per word (two bit tricks per
// word) and computes the banded edit distance only for the words that pass (about 600 of the
// 60,000 words of the groups, on average, for WordNet). A trie with a bounded walk visited about
// 9,000 nodes per text here and ran slower; an index of deletions is many times larger. A group
// is read from the file the first time a text needs it and kept; the masks are computed then.
#ifndef LEXANO_DICTDATA_SPELLINGINDEX_H
#define LEXANO_DICTDATA_SPELLINGINDEX_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dictdata/RecordReader.h"

constexpr char kSpellingTag[] = "SPEL";
constexpr size_t kSpellingHeaderSize = 1036;
constexpr size_t kSpellingFrequencyRow = 5;

// One word offered for a text.
struct SpellingMatch {
    int nPos = 0;            // its list position
    int nDistance = 0;       // edits between it and the text: 1 or 2 (0 only for the text itself)
    uint32_t nFrequency = 0; // its sense tag count
    std::string strWord;     // as the list spells it
};

class SpellingIndex {
public:
    // Reads the record's header through reader and checks that its counts fit the record and
    // the word count nWordCount. False, the index unusable, otherwise.
    bool Open(const RecordReader& reader, uint32_t nWordCount);

    // The words within the allowed edits of strText (2, or 1 for texts of fewer than 5 bytes):
    // at most nMax of them, nearest first, then the higher sense tag count, then list order.
    // True with matches set (empty when no word is near enough); false, matches untouched, when
    // the index is not open or a part it needs is damaged (the index then stays unusable).
    bool Find(const std::string& strText, size_t nMax, std::vector<SpellingMatch>& matches);

    // Loads every length group and the frequencies, checking each as Find does. False when
    // one is damaged.
    bool LoadAll();

    // Word texts in length group nLength, packed, and their list positions; valid after a
    // successful LoadAll until the index is destroyed.
    const std::string& GroupTexts(int nLength) const { return m_groups[nLength].strTexts; }
    uint32_t GroupPosition(int nLength, size_t i) const;
    uint32_t GroupSize(int nLength) const { return m_counts[nLength]; }
    // The frequency rows as stored (position, count), valid after LoadAll.
    size_t FrequencyCount() const { return m_nFrequencies; }
    void FrequencyRow(size_t i, uint32_t& nPos, uint32_t& nCount) const;

    // Bytes of memory the index holds now.
    size_t MemoryInUse() const;

private:
    struct Group {
        bool bLoaded = false;
        std::string strPositions;     // 3 bytes a word
        std::string strTexts;         // l bytes a word
        std::vector<uint32_t> masks;  // the letters each word uses (LetterMask)
    };

    bool LoadGroup(int nLength);
    bool LoadFrequencies();
    uint32_t FrequencyOf(uint32_t nPos) const;
    // Appends the words of group nLength within nLimit edits of strText.
    void ScanGroup(int nLength, const std::string& strText, uint32_t nTextMask, int nLimit,
                   std::vector<SpellingMatch>& found) const;

    RecordReader m_reader;
    bool m_bOpen = false;
    uint32_t m_nWordCount = 0;
    uint32_t m_counts[256] = {};
    uint64_t m_groupOffsets[256] = {};
    uint64_t m_nFrequencyOffset = 0;
    uint32_t m_nFrequencies = 0;
    bool m_bFrequenciesLoaded = false;
    std::string m_frequencies;  // the rows as stored
    Group m_groups[256];
};

// The letters, digits and signs a text uses, as a set of 32 classes (a to z, digits, blank,
// hyphen, other ASCII signs, bytes from 0x80): one edit adds at most one class and removes at
// most one.
uint32_t LetterMask(const char* lpText, size_t nLength);

#endif
