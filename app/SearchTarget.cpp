#include "app/SearchTarget.h"

#include "dictdata/Ansi.h"

bool FindSearchTarget(DictionaryFile& dict, const std::string& strSearch, int& nPos,
                      Resolution& how) {
    // The box keeps the text as typed; only the copy that is looked up is lower-cased.
    return ResolveWord(dict, AnsiLowerCopy(strSearch), nPos, how);
}

long RowToBringIntoView(long nPos, long nTopRow, long nPerPage, long nCount) {
    if (nPos <= nTopRow) {
        return nPos;  // scrolling up to a row puts it on top
    }
    // Scrolling down to a row puts it at the bottom: the row a page after the found one puts
    // the found one on top. Within the last page that row does not exist.
    return nPos > nCount - nPerPage ? nCount - 1 : nPos + nPerPage - 1;
}
