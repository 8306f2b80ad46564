#include "render/WordPages.h"

#include "render/EntryPage.h"
#include "render/PageHtml.h"

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

bool EveryEntryWasRead(DictionaryFile& dict, int nPos, const std::vector<NamedPage>& pages) {
    // An entry that cannot be read is built as a sense whose definition row is empty; a sound
    // entry with an empty definition looks the same, so such a page only calls for reading.
    const std::string kEmptyDefinition = "<tr><td><font size=\"2\"></font></td></tr>";
    bool bInDoubt = false;
    for (const NamedPage& page : pages) {
        bInDoubt = bInDoubt || page.second.find(kEmptyDefinition) != std::string::npos;
    }
    if (!bInDoubt) return true;
    std::vector<int32_t> numbers;
    if (!dict.GetEntryNumbers(nPos, numbers)) return false;
    for (int32_t nEntry : numbers) {
        std::string strSynonyms, strDefinition, strUsage;
        int nSynonyms = 0;
        if (!dict.ReadEntry(nPos, nEntry, strSynonyms, nSynonyms, strDefinition, strUsage)) {
            return false;
        }
    }
    return true;
}

std::string BuildDamagedEntryPage(const std::string& strWord) {
    std::string strPage = "<html><head></head><body><font face=\"Arial\">"
                          "<table border=\"0\" width=\"100%\" cellpadding=\"2\" cellspacing=\"1\">";
    if (!strWord.empty()) {
        strPage += "<tr><td><font size=\"4\">";
        AppendText(strPage, strWord);
        strPage += "</font></td></tr><tr><td><hr></td></tr>";
    }
    strPage += "<tr><td><font size=\"2\">This entry cannot be read because the data file is "
               "damaged.</font></td></tr>"
               "<tr><td><font size=\"1\" color=\"#808080\">Installing the dictionary again "
               "brings a sound copy of its data file, LexanoData_WN.pdb.</font></td></tr>"
               "</table></font></body></html>";
    return strPage;
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
