// Where a typed text lands in the word list: the word itself, a base form of it, its accents
// folded, the first word it begins, the word it misspells, or the word before it; the same for
// text taken from a page or the clipboard, whose surrounding spaces and punctuation do not
// count. The search box lower-cases the text (AnsiLowerCopy) before it asks.
#ifndef LEXANO_DICTDATA_WORDRESOLVER_H
#define LEXANO_DICTDATA_WORDRESOLVER_H

#include <string>
#include <vector>

#include "dictdata/DictionaryFile.h"
#include "dictdata/SpellingIndex.h"

enum class Resolution {
    kExact,    // the text is a word of the list
    kForm,     // a base form of the text is ("went" -> "go", "mice" -> "mouse")
    kFolded,   // the text with plain letters for accented ones is, or has such a base form
    kPrefix,   // the first word that starts with the text (or with its folded form)
    kSpelling, // the nearest word within a few edits of the text (DictionaryFile::FindSpellings)
    kNearest,  // none of these: the word FindWord gives, the last one not above the text
};

// Resolves strLowerText in the open dictionary, trying in this order: exact, form, folded,
// prefix, spelling, nearest. The text is first taken as a person means it
// (dictdata/SearchText.h): without the white space around it, with plain quotes and dashes for
// typographic ones; when it begins or ends with punctuation and lands by none of the steps but
// nearest, the steps are run again on it without the punctuation at its end, then at both ends
// (SearchTextsFor). The spelling step takes the first of FindSpellings' words for the text, or
// for its folded form when the text has accents; a file without a spelling record skips it.
// Forms come from the file's exception lists (when it has them) and WordNet's rules of
// detachment; a form counts only when its base is a word with an entry of the part of speech
// that produced it. True with nPos (0 to W-1) and how set; false, both untouched, only when no
// file is open.
bool ResolveWord(DictionaryFile& dict, const std::string& strLowerText, int& nPos,
                 Resolution& how);

// The words the spelling step offers for strLowerText, as ResolveWord takes them: those of
// FindSpellings for the text, else for its folded form when the text has accents; at most nMax,
// the one ResolveWord lands on first. True with matches set (perhaps empty); false, matches
// untouched, when no file is open or it has no sound spelling record.
bool SuggestSpellings(DictionaryFile& dict, const std::string& strLowerText, size_t nMax,
                      std::vector<SpellingMatch>& matches);

// "exact", "form", "folded", "prefix", "spelling" or "nearest".
const char* ResolutionName(Resolution how);

#endif
