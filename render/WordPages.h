// All the entry pages of one word in one call: the page-cursor loop over BuildEntryPage.
#ifndef LEXANO_RENDER_WORDPAGES_H
#define LEXANO_RENDER_WORDPAGES_H

#include <string>
#include <utility>
#include <vector>

#include "dictdata/DictionaryFile.h"

using NamedPage = std::pair<std::string, std::string>;  // (part-of-speech name, page)

// Builds every page of the word at list position nPos, in order: one per run of entries of one
// part of speech, each with its part-of-speech name ("" for entries without one). True with
// pages set (empty for a word without entries); false, pages untouched, when no file is open or
// the word's block cannot be read (nPos outside 0 to W-1 included).
bool BuildWordPages(DictionaryFile& dict, int nPos, std::vector<NamedPage>& pages);

#endif
