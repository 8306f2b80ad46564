#include "platform/AnsiText.h"

#include "dictdata/Ansi.h"

wxString AnsiToWx(const std::string& strText) {
    wxString str;
    str.reserve(strText.size());
    for (char ch : strText) {
        str += wxUniChar(static_cast<wxUint32>(AnsiToCodePoint(static_cast<unsigned char>(ch))));
    }
    return str;
}

wxString AnsiToWx(const char* lpszText) {
    return lpszText != nullptr ? AnsiToWx(std::string(lpszText)) : wxString();
}

std::string WxToAnsi(const wxString& str) {
    std::string strText;
    strText.reserve(str.length());
    for (wxString::const_iterator it = str.begin(); it != str.end(); ++it) {
        strText += CodePointToAnsi((*it).GetValue());
    }
    return strText;
}
