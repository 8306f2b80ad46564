// All the entry pages of one word in one call: the page-cursor loop over BuildEntryPage; and the
// page that stands for an entry the data file no longer holds readably.
#ifndef LEXANO_RENDER_WORDPAGES_H
#define LEXANO_RENDER_WORDPAGES_H

#include <cstddef>
#include <cstdint>
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

// True when every entry of the word at nPos was read into pages, the pages BuildWordPages built
// for it; false when an entry's block is damaged, so that the pages show it as a sense with
// nothing in it. Only a word whose pages hold a sense without a definition has its entries read
// again to tell, so a sound word costs a search of its pages.
bool EveryEntryWasRead(DictionaryFile& dict, int nPos, const std::vector<NamedPage>& pages);

// The page shown instead of an entry that cannot be read: strWord (1252; empty when the word
// itself cannot be read) and the message that its entry cannot be read because the data file is
// damaged. One complete HTML 3.2 document.
std::string BuildDamagedEntryPage(const std::string& strWord);
// Sets nPage to the index, among the pages BuildWordPages gives for the word at nPos, of the
// page that shows entry nEntry (the tab to open for a link to that sense). False, nPage
// untouched, when the word does not have that entry or cannot be read.
bool FindEntryPage(DictionaryFile& dict, int nPos, uint32_t nEntry, size_t& nPage);

#endif
