// Entry pages: one complete HTML document per run of a word's entries that share a part of
// speech. The caller keeps the cursor: each call builds one page and tells whether another
// follows.
#include <cstring>

#include "dictdata/Ansi.h"
#include "dictdata/DictionaryFile.h"

namespace {

// Where the footer credits the source of the dictionary content.
const char kFooterAddress[] = "https://wordnet.princeton.edu/";
const char kFooterText[] = "WordNet 3.0, Princeton University";

// Appends a text from the data file. Its "&", "<" and ">" are written as entities so that no
// text, however damaged, can end up as markup in the page.
void AppendText(std::string& strOut, const std::string& strText) {
    for (char ch : strText) {
        switch (ch) {
            case '&': strOut += "&amp;"; break;
            case '<': strOut += "&lt;"; break;
            case '>': strOut += "&gt;"; break;
            default: strOut += ch; break;
        }
    }
}

// Appends one usage example line, its first letter upper-cased.
void AppendExample(std::string& strRows, std::string strExample) {
    if (!strExample.empty()) {
        strExample[0] = static_cast<char>(AnsiToUpper(static_cast<unsigned char>(strExample[0])));
    }
    strRows += ":: ";
    AppendText(strRows, strExample);
    strRows += "<br>";
}

void AppendPageEnd(std::string& strPage) {
    strPage += "</table>";
    strPage += "<p align=\"center\"><font size=\"1\">";
    strPage += "<a href=\"";
    strPage += kFooterAddress;
    strPage += "\" target=\"_blank\">";
    strPage += "<i><font color=\"#808080\">";
    strPage += kFooterText;
    strPage += "</font></i></a>";
    strPage += "</font></p>";
    strPage += "</font>";
    strPage += "</body>";
    strPage += "</html>";
}

}  // namespace

bool DictionaryFile::BuildEntryPage(int nPos, const int32_t* pEntries, int nCount,
                                    std::string& strPage, int& nCursor, std::string& strPosName) {
    // Nothing to show: no page, and none follows.
    if (pEntries == nullptr || nCursor < 0 || nCursor >= nCount) return true;

    strPage = "<html>";
    strPage += "<head>";
    strPage += "</head>";
    strPage += "<body>";
    strPage += "<font face=\"Arial\">";
    strPage += "<table border=\"0\" width=\"100%\" cellpadding=\"2\" cellspacing=\"1\">";
    std::string strWord;
    GetWord(nPos, strWord);
    strPage += "<tr><td>";
    strPage += "<font size=\"4\">";
    AppendText(strPage, strWord);
    strPage += "</font>";
    strPage += "</td></tr>";
    strPage += "<tr><td><hr></td></tr>";

    // Entries without a known part of speech keep -1 and form runs of their own, named "".
    int nPagePos = -1;
    GetPartOfSpeech(static_cast<uint32_t>(pEntries[nCursor]), nPagePos);
    strPosName = PartOfSpeechName(static_cast<uint32_t>(nPagePos));

    std::string strRows;
    for (;;) {
        strRows.clear();
        std::string strSynonyms;
        std::string strDefinition;
        std::string strUsage;
        int nSynonymCount = 0;
        // An entry that cannot be read shows as an empty entry.
        ReadEntry(nPos, pEntries[nCursor], strSynonyms, nSynonymCount, strDefinition, strUsage);
        BuildSenseRows(strSynonyms, nSynonymCount, strDefinition, strUsage, strRows);
        strPage += strRows;
        ++nCursor;
        if (nCursor == nCount) {
            AppendPageEnd(strPage);
            return true;
        }
        int nNextPos = -1;
        GetPartOfSpeech(static_cast<uint32_t>(pEntries[nCursor]), nNextPos);
        if (nNextPos != nPagePos) {
            AppendPageEnd(strPage);
            return false;
        }
    }
}

bool DictionaryFile::BuildSenseRows(const std::string& strSynonyms, int nSynonymCount,
                                    const std::string& strDefinition,
                                    const std::string& strUsage, std::string& strRows) {
    strRows += "<tr><td>";
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
    strRows += "<tr><td>&nbsp;</td></tr>";
    return true;
}
