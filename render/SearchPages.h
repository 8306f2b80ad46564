// The pages of the search beyond the word list: the line that says a typed text is not in the
// dictionary, with spelling suggestions, above the entry the search landed on; and the page of
// the entries whose meanings hold the words of a text. Suggestions and matches are links in the
// view's link form with K = kLinkWord (render/PageLinks.h).
#ifndef LEXANO_RENDER_SEARCHPAGES_H
#define LEXANO_RENDER_SEARCHPAGES_H

#include <cstddef>
#include <string>

#include "dictdata/DictionaryFile.h"

// Suggestions the not-found line offers at most, and matches the meaning page lists at most.
constexpr size_t kNotFoundSuggestions = 5;
constexpr size_t kMeaningPageMatches = 100;

// Puts one line above the headword of strPage, an entry page: strTyped (the text as the user
// typed it), that it is not in the dictionary, and up to kNotFoundSuggestions spelling
// suggestions for it (SuggestSpellings of its lower-cased form), each a link <P:0:0> to the
// word. The rest of the page is left as it is. True when the line was added; false, strPage
// untouched, when no file is open or strPage has no body.
bool AddNotFoundLine(DictionaryFile& dict, const std::string& strTyped, std::string& strPage);

// Builds into strPage (replacing it) the page of a search in the meanings for strText: a
// heading with the text and the number of matches, then one line per match, best first
// (DictionaryFile::SearchMeanings): the entry's words, each a link <P:N:0> to that word at
// this entry where the list holds it, its part of speech and its definition; at most
// kMeaningPageMatches lines, then the number of the rest. A file without a meaning index, a
// damaged one, a text without words and a search without matches each get a page that says
// so. False only when no file is open (strPage untouched).
bool BuildMeaningPage(DictionaryFile& dict, const std::string& strText, std::string& strPage);

#endif
