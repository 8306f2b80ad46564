#include "platform/LookupText.h"

namespace {

// The C locale's white-space class, spelled out so that no locale can widen it.
bool IsCWhiteSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

}  // namespace

std::string ClipboardTextToSearch(const std::string& strClipboard) {
    std::string strText;
    strText.reserve(strClipboard.size());
    for (char ch : strClipboard) {
        if (ch == '\0') {
            break;  // 8-bit clipboard text ends at its terminator
        }
        if (ch != '\n' && ch != '\t' && ch != '\r') {
            strText += ch;
        }
    }
    return strText;
}

void TrimWhiteSpace(std::string& strText) {
    size_t nBegin = 0;
    while (nBegin < strText.size() && IsCWhiteSpace(strText[nBegin])) {
        ++nBegin;
    }
    size_t nEnd = strText.size();
    while (nEnd > nBegin && IsCWhiteSpace(strText[nEnd - 1])) {
        --nEnd;
    }
    strText = strText.substr(nBegin, nEnd - nBegin);
}
