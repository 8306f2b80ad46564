#include "render/PageHtml.h"

#include <charconv>

namespace {

// Where the footer credits the source of the dictionary content.
const char kFooterAddress[] = "https://wordnet.princeton.edu/";
const char kFooterText[] = "WordNet 3.0, Princeton University";

// The view reports links whose address holds "<P:N:K>text"; the address is an attribute value,
// so its "<", ">", "&" and quotes are written as entities, which the page view decodes.
const char kLinkPrefix[] = "about:";

}  // namespace

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

void StartPage(std::string& strPage, const std::string& strHeadword) {
    strPage = "<html>";
    strPage += "<head>";
    strPage += "</head>";
    strPage += "<body>";
    strPage += "<font face=\"Arial\">";
    strPage += "<table border=\"0\" width=\"100%\" cellpadding=\"2\" cellspacing=\"1\">";
    strPage += "<tr><td>";
    strPage += "<font size=\"4\">";
    AppendText(strPage, strHeadword);
    strPage += "</font>";
    strPage += "</td></tr>";
    strPage += "<tr><td><hr></td></tr>";
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

void AppendLink(std::string& strOut, uint32_t nFirst, uint32_t nSecond, uint32_t nThird,
                const std::string& strText, const std::string& strShown) {
    strOut += "<a href=\"";
    strOut += kLinkPrefix;
    char numbers[48] = "&lt;";
    char* pEnd = numbers + 4;
    for (uint32_t nValue : {nFirst, nSecond, nThird}) {
        pEnd = std::to_chars(pEnd, numbers + sizeof numbers, nValue).ptr;
        *pEnd++ = ':';
    }
    strOut.append(numbers, pEnd - 1);  // without the last ":"
    strOut += "&gt;";
    for (char ch : strText) {
        switch (ch) {
            case '&': strOut += "&amp;"; break;
            case '<': strOut += "&lt;"; break;
            case '>': strOut += "&gt;"; break;
            case '"': strOut += "&quot;"; break;
            default: strOut += ch; break;
        }
    }
    strOut += "\">";
    AppendText(strOut, strShown);
    strOut += "</a>";
}
