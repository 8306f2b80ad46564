#include "render/PageHtml.h"

namespace {

// Where the footer credits the source of the dictionary content.
const char kFooterAddress[] = "https://wordnet.princeton.edu/";
const char kFooterText[] = "WordNet 3.0, Princeton University";

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
