// The line above an entry's headword that says the typed text is not in the dictionary.
#include <vector>

#include "dictdata/Ansi.h"
#include "dictdata/SpellingIndex.h"
#include "dictdata/WordResolver.h"
#include "render/PageLinks.h"
#include "render/PageHtml.h"
#include "render/SearchPages.h"

bool AddNotFoundLine(DictionaryFile& dict, const std::string& strTyped, std::string& strPage) {
    if (!dict.IsOpen()) return false;
    // Above the headword's row, the first of the page's table; without a table, at the start
    // of the body.
    size_t nAt = strPage.find("<tr>");
    if (nAt == std::string::npos) {
        nAt = strPage.find("<body>");
        if (nAt == std::string::npos) return false;
        nAt += 6;
    }
    std::vector<SpellingMatch> suggestions;
    SuggestSpellings(dict, AnsiLowerCopy(strTyped), kNotFoundSuggestions, suggestions);
    std::string strLine = "<tr><td><font size=\"2\">\x93";
    AppendText(strLine, strTyped);
    strLine += "\x94 is not in the dictionary.";
    for (size_t i = 0; i < suggestions.size(); ++i) {
        strLine += i == 0 ? " Did you mean " : (i + 1 == suggestions.size() ? " or " : ", ");
        AppendLink(strLine, suggestions[i].nPos, 0, kLinkWord, suggestions[i].strWord,
                   suggestions[i].strWord);
    }
    if (!suggestions.empty()) strLine += "?";
    strLine += "</font></td></tr>";
    strPage.insert(nAt, strLine);
    return true;
}
