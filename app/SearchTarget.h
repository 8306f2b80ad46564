// Where the search box's text lands in the word list, and which row to bring into view so that
// the word found shows as the first visible row. Plain functions over the engine, without the
// window toolkit, so that they are tested without a display.
#ifndef LEXANO_APP_SEARCHTARGET_H
#define LEXANO_APP_SEARCHTARGET_H

#include <string>

#include "dictdata/DictionaryFile.h"
#include "dictdata/WordResolver.h"

// The row the search box selects for strSearch, the box's text as typed (1252): a lower-cased
// copy is resolved (ResolveWord), so capitals land where small letters do. True with nPos (0 to
// W-1) and how set; false, both untouched, when no file is open.
bool FindSearchTarget(DictionaryFile& dict, const std::string& strSearch, int& nPos,
                      Resolution& how);

// The row to bring completely into view so that row nPos becomes the first visible row of a
// list of nCount rows whose top row is nTopRow and which shows nPerPage rows whole: nPos itself
// when it is not below the top row; else the last row of the page that nPos would start; and
// when nPos lies within the last page, where no such page exists, the last row, so that the
// list scrolls to its end. Only rows whole count, so the result is always within 0 to
// nCount - 1.
// REQUIRES: 0 <= nPos < nCount, 0 <= nTopRow, 0 <= nPerPage.
long RowToBringIntoView(long nPos, long nTopRow, long nPerPage, long nCount);

#endif
