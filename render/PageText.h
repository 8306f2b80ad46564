// Texts written into the pages of the search: escaped so that no text, however damaged, can
// end up as markup.
#ifndef LEXANO_RENDER_PAGETEXT_H
#define LEXANO_RENDER_PAGETEXT_H

#include <cstdint>
#include <string>

// Appends strText with "&", "<", ">" and the double quote written as entities.
inline void AppendPageText(std::string& strOut, const std::string& strText) {
    for (char ch : strText) {
        switch (ch) {
            case '&': strOut += "&amp;"; break;
            case '<': strOut += "&lt;"; break;
            case '>': strOut += "&gt;"; break;
            case '"': strOut += "&quot;"; break;
            default: strOut += ch; break;
        }
    }
}

// Appends a link in the view's link form that shows strWord and leads to <nPos:nEntry:nKind>.
// The address's "<" and ">" are entities too: the page view ends a tag at the first ">", quoted
// or not, and decodes entities in attribute values.
inline void AppendPageLink(std::string& strOut, int nPos, int32_t nEntry, uint32_t nKind,
                           const std::string& strWord) {
    strOut += "<a href=\"about:&lt;" + std::to_string(nPos) + ":" + std::to_string(nEntry) + ":" +
              std::to_string(nKind) + "&gt;";
    AppendPageText(strOut, strWord);
    strOut += "\">";
    AppendPageText(strOut, strWord);
    strOut += "</a>";
}

#endif
