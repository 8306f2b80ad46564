// The relations under a sense, as links: one row per kind of relation, its label and the
// related words, each a link in the view's link form (render/PageLinks.h): P the word's list
// position, N the sense it leads to, K the kind. A kind with more than kShownRelatedWords words
// shows that many and a link to "the rest", a page of its own that BuildRelationPage builds.
#ifndef LEXANO_RENDER_RELATIONROWS_H
#define LEXANO_RENDER_RELATIONROWS_H

#include <cstdint>
#include <string>

class DictionaryFile;

// Words a kind shows under its sense before its link to the rest.
constexpr size_t kShownRelatedWords = 10;

// The plain label of kind nKind (1 to 26: "Opposite", "Broader", ...); "" for other numbers.
const char* RelationLabel(int nKind);

// Appends the rows of the relations of entry nEntry, shown for the word at list position nPos:
// those of the sense and those that start from the word, a row per kind in order of kind. True
// when it appended rows; false, nothing appended, when the sense has none or they cannot be
// read.
bool BuildRelationRows(DictionaryFile& dict, int nPos, uint32_t nEntry, std::string& strRows);

// Builds into strPage (replacing it) the page of every word of kind nKind related to entry
// nEntry of the word at nPos: the headword, the sense's definition, then one line per sense
// the kind leads to. False, strPage untouched, when there are none or they cannot be read.
bool BuildRelationPage(DictionaryFile& dict, int nPos, uint32_t nEntry, int nKind,
                       std::string& strPage);

#endif
