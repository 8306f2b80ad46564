// Reads a WordNet 3.0 database (the files index.noun, index.verb, index.adj, index.adv and
// data.noun, data.verb, data.adj, data.adv of one folder) into the content of a data file.
//
// Input lines, fields separated by single spaces; lines that begin with two spaces are the
// licence text and are skipped:
//   index:  lemma pos synset_cnt p_cnt [ptr_symbol]{p_cnt} sense_cnt tagsense_cnt
//           [synset_offset]{synset_cnt}
//   data:   synset_offset lex_filenum ss_type w_cnt(2 hex digits) [word lex_id(1 hex)]{w_cnt}
//           p_cnt [ptr_symbol offset pos source/target]{p_cnt}
//           (data.verb only: f_cnt [+ f_num w_num]{f_cnt}) | gloss
// A synset offset is the byte offset of its line in its data file; index lines refer to synsets
// by it. Lemmas are lower case with "_" for spaces; data.adj may end a word with one of the
// position markers "(a)", "(p)" or "(ip)".
//
// What the data file gets:
// - Words: every lemma of the four index files once, "_" turned into a space, in ascending order
//   of unsigned bytes. A word's entry numbers are its senses in index order: nouns, then verbs,
//   adjectives (satellites included), adverbs.
// - Entries: one per synset, in four groups 'N', 'V', 'a', 'v' (noun, verb, adjective and
//   satellite, adverb). Entry text: the synset's words joined by "|" (spaces for "_", stored
//   letter case, position markers removed), a line feed, the definition, and when the gloss has
//   examples a line feed and the examples joined by "|".
// - Relations: every pointer of a data line, as a relation of its synset's entry to the entry of
//   the synset it points at, of the kind its symbol names (dictdata/Relations.h); a pointer
//   whose source/target field is 0000 relates the senses, any other the source word (its number
//   in the synset) to the target word.
#ifndef LEXANO_TOOLS_WORDNETREADER_H
#define LEXANO_TOOLS_WORDNETREADER_H

#include <cstdint>
#include <string>
#include <vector>

#include "tools/DataFileWriter.h"

// One parsed line of an index file.
struct WordNetIndexLine {
    std::string strLemma;            // as stored: lower case, "_" for spaces
    char chPos = 0;                  // 'n', 'v', 'a' or 'r'
    std::vector<uint32_t> offsets;   // the lemma's synsets in sense order
};

// One pointer of a data line: a relation from the synset (nSource 0) or from its word nSource
// (1-based) to synset nOffset of part of speech chPos, to the whole synset (nTarget 0) or to its
// word nTarget.
struct WordNetPointer {
    std::string strSymbol;  // "!", "@", "~i", ...
    uint32_t nOffset = 0;
    char chPos = 0;         // 'n', 'v', 'a', 's' or 'r'
    uint8_t nSource = 0;
    uint8_t nTarget = 0;
};

// One parsed line of a data file.
struct WordNetSynset {
    uint32_t nOffset = 0;
    char chType = 0;                 // 'n', 'v', 'a', 's' or 'r'
    std::vector<std::string> words;  // as stored, position markers included
    std::vector<WordNetPointer> pointers;
    std::string strGloss;            // the text after "| ", trailing blanks removed
};

// Parses one index line (without its line end). True with out filled; false with strError
// saying what is wrong (out untouched).
bool ParseIndexLine(const std::string& strLine, WordNetIndexLine& out, std::string& strError);

// Parses one data line (without its line end); bVerbFrames says whether the line carries the
// frame list of data.verb. True with out filled; false with strError (out untouched).
bool ParseDataLine(const std::string& strLine, bool bVerbFrames, WordNetSynset& out,
                   std::string& strError);

// One parsed line of cntlist.rev, the sense tag counts: "sense_key sense_number tag_cnt", the
// sense key "lemma%ss_type:lex_filenum:lex_id:head_word:head_id".
struct WordNetSenseCount {
    std::string strLemma;   // as stored: lower case, "_" for spaces
    int nPos = 0;           // 0 noun, 1 verb, 2 adjective (satellites included), 3 adverb
    uint32_t nSense = 0;    // the lemma's sense number in that part of speech, from 1
    uint32_t nCount = 0;    // how often the tagged texts use the sense
};

// Parses one line of cntlist.rev (without its line end). True with out filled; false with
// strError saying what is wrong (out untouched).
bool ParseSenseCountLine(const std::string& strLine, WordNetSenseCount& out, std::string& strError);

// Splits a gloss into its definition and its quoted examples. The examples begin at the first
// double quote that is outside parentheses and any earlier quote and follows ";", ":", "," or
// ")"; everything before it is the definition, kept whole with its own ";" and quoted phrases.
// The examples are cut at ";" next to a quote and between a closing and an opening quote that
// only blanks, ",", ":", "." or "or" separate; each loses its own quotes and keeps an
// attribution that follows it ("- Shakespeare", "(Santayana)"). A piece without quotes, or a
// quoted phrase that a sentence goes on from ("\"lang syne\" is Scottish"), is a note that is
// added to the definition after "; ". Unbalanced quotes are tolerated: no text is lost.
void SplitGloss(const std::string& strGloss, std::string& strDefinition,
                std::vector<std::string>& examples);

// The word as the data file shows it: "_" turned into a space and a trailing "(a)", "(p)" or
// "(ip)" removed.
std::string DisplayWord(const std::string& strWord);

// The entry text of a synset: synonym line, line feed, definition, and when there are examples
// a line feed and the examples joined by "|".
std::string EntryText(const WordNetSynset& synset);

// Reads the eight database files in strDir (a folder path, with or without a trailing "/") into
// content: words with their entry numbers, entry texts, the four part-of-speech codes and the
// group counts, and the exception lists noun.exc, verb.exc, adj.exc and adv.exc when the
// folder has them (lines "inflected base..." with "_" for spaces; one pair per base), and the
// sense tag counts of cntlist.rev when it has that: summed per word into wordFrequencies and
// per synset into entryFrequencies (a sense key naming no sense of the index is left out). Other
// fields of content are left as they are. True on success, with a line appended to *pWarnings
// (when given) for each exception list the folder lacks; false, content untouched, with
// strError naming the file and line of the first fault: a missing, unreadable or empty (no
// line besides the licence text) database file, an exception list that exists but cannot be
// read, a malformed line (an exception line needs a form and a base; a count line a sense key,
// a sense number and a count), a lemma listed twice in one
// index file, a synset offset that its data file lacks or that appears twice, or a limit of
// the data file format (word longer than 255 bytes, more than 255 entries for one word, an
// entry text that cannot fit an entry block of content.nEntryBlockLimit bytes, more entries
// than 24-bit entry numbers can name), a synset word whose lemma's index line does not name
// the synset, or a pointer with an unknown symbol, to a synset its data file lacks or naming a
// word its synset lacks.
bool ReadWordNet(const std::string& strDir, DataFileContent& content, std::string& strError,
                 std::vector<std::string>* pWarnings = nullptr);

#endif
