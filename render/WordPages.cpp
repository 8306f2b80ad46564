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

bool FindEntryPage(DictionaryFile& dict, int nPos, uint32_t nEntry, size_t& nPage) {
    std::vector<int32_t> numbers;
    if (!dict.IsOpen() || !dict.GetEntryNumbers(nPos, numbers)) return false;
    // The pages' runs: a new page wherever the part of speech changes, as BuildEntryPage cuts.
    size_t nIndex = 0;
    int nRunPos = -1;
    for (size_t i = 0; i < numbers.size(); ++i) {
        int nEntryPos = -1;
        dict.GetPartOfSpeech(static_cast<uint32_t>(numbers[i]), nEntryPos);
        if (i > 0 && nEntryPos != nRunPos) ++nIndex;
        nRunPos = nEntryPos;
        if (static_cast<uint32_t>(numbers[i]) == nEntry) {
            nPage = nIndex;
            return true;
        }
    }
    return false;
}
