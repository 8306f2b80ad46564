#include "render/WordPages.h"

#include "render/EntryPage.h"

bool BuildWordPages(DictionaryFile& dict, int nPos, std::vector<NamedPage>& pages) {
    std::vector<int32_t> numbers;
    if (!dict.IsOpen() || !dict.GetEntryNumbers(nPos, numbers)) return false;
    const int nCount = static_cast<int>(numbers.size());
    std::vector<NamedPage> result;
    int nCursor = 0;
    // Each call puts at least one entry on its page, so the loop ends after nCount pages at most.
    bool bLast = nCount == 0;
    while (!bLast) {
        NamedPage page;
        bLast = BuildEntryPage(dict, nPos, numbers.data(), nCount, page.second, nCursor,
                               page.first);
        result.push_back(std::move(page));
    }
    pages.swap(result);
    return true;
}
