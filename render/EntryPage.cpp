// Entry pages; see EntryPage.h.
#include "render/EntryPage.h"

#include "dictdata/Ansi.h"
#include "dictdata/DictionaryFile.h"
#include "render/PageHtml.h"
#include "render/PageLinks.h"
#include "render/RelationRows.h"

namespace {

// Appends one usage example line, its first letter upper-cased.
void AppendExample(std::string& strRows, std::string strExample) {
    if (!strExample.empty()) {
        strExample[0] = static_cast<char>(AnsiToUpper(static_cast<unsigned char>(strExample[0])));
    }
    strRows += ":: ";
    AppendText(strRows, strExample);
    strRows += "<br>";
}

}  // namespace

bool BuildEntryPage(DictionaryFile& dict, int nPos, const int32_t* pEntries, int nCount,
                    std::string& strPage, int& nCursor, std::string& strPosName) {
    // Nothing to show: no page, and none follows.
    if (pEntries == nullptr || nCursor < 0 || nCursor >= nCount) return true;

    std::string strWord;
    dict.GetWord(nPos, strWord);
    StartPage(strPage, strWord);

    // Entries without a known part of speech keep -1 and form runs of their own, named "".
    int nPagePos = -1;
    dict.GetPartOfSpeech(static_cast<uint32_t>(pEntries[nCursor]), nPagePos);
    strPosName = DictionaryFile::PartOfSpeechName(static_cast<uint32_t>(nPagePos));

    const bool bRelations = dict.HasRelations();
    std::string strRows;
    for (;;) {
        const int32_t nEntry = pEntries[nCursor];
        strRows.clear();
        std::string strSynonyms;
        std::string strDefinition;
        std::string strUsage;
        int nSynonymCount = 0;
        // An entry that cannot be read shows as an empty entry.
        dict.ReadEntry(nPos, nEntry, strSynonyms, nSynonymCount, strDefinition, strUsage);
        std::string strAnchor;
        std::string strRelationRows;
        if (bRelations) {
            strAnchor = EntryAnchorName(static_cast<uint32_t>(nEntry));
            BuildRelationRows(dict, nPos, static_cast<uint32_t>(nEntry), strRelationRows);
        }
        BuildSenseRows(strSynonyms, nSynonymCount, strDefinition, strUsage, strAnchor,
                       strRelationRows, strRows);
        strPage += strRows;
        ++nCursor;
        if (nCursor == nCount) {
            AppendPageEnd(strPage);
            return true;
        }
        int nNextPos = -1;
        dict.GetPartOfSpeech(static_cast<uint32_t>(pEntries[nCursor]), nNextPos);
        if (nNextPos != nPagePos) {
            AppendPageEnd(strPage);
            return false;
        }
    }
}

bool BuildSenseRows(const std::string& strSynonyms, int nSynonymCount,
                    const std::string& strDefinition, const std::string& strUsage,
                    std::string& strRows) {
    return BuildSenseRows(strSynonyms, nSynonymCount, strDefinition, strUsage, std::string(),
                          std::string(), strRows);
}

bool BuildSenseRows(const std::string& strSynonyms, int nSynonymCount,
                    const std::string& strDefinition, const std::string& strUsage,
                    const std::string& strAnchorName, const std::string& strRelationRows,
                    std::string& strRows) {
    strRows += "<tr><td>";
    if (!strAnchorName.empty()) {
        strRows += "<a name=\"";
        AppendText(strRows, strAnchorName);
        strRows += "\"></a>";
    }
    strRows += "<font size=\"2\">";
    AppendText(strRows, strDefinition);
    strRows += "</font>";
    strRows += "</td></tr>";

    if (!strSynonyms.empty()) {
        strRows += "<tr><td>";
        strRows += "<font size=\"1\">";
        strRows += nSynonymCount > 1
                       ? "<span style=\"background-color: #003399\"><font color=\"#FFFFFF\">"
                         "Synonyms</font></span> "
                       : "<span style=\"background-color: #003399\"><font color=\"#FFFFFF\">"
                         "Synonym</font></span> ";
        strRows += "<font color=\"#003399\">";
        AppendText(strRows, strSynonyms);
        strRows += "</font>";
        strRows += "</font>";
        strRows += "</td></tr>";
    }

    if (!strUsage.empty()) {
        strRows += "<tr><td>";
        strRows += "<font size=\"1\">";
        strRows += "<span style=\"background-color: #996600\"><font color=\"#FFFFFF\">Usage</font></span>";
        strRows += "<br>";
        strRows += "<font color=\"#996600\">";
        // Examples are separated by "|"; one at index 0 ends the splitting, so the rest, even
        // when it starts with "|", is the last example.
        std::string strRest = strUsage;
        size_t b;
        while ((b = strRest.find('|')) != std::string::npos && b > 0) {
            AppendExample(strRows, strRest.substr(0, b));
            strRest.erase(0, b + 1);
        }
        AppendExample(strRows, strRest);
        strRows += "</font>";
        strRows += "</font>";
        strRows += "</td></tr>";
    }
    strRows += strRelationRows;
    strRows += "<tr><td>&nbsp;</td></tr>";
    return true;
}
