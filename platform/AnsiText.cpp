#include "platform/AnsiText.h"

namespace {

// Unicode code points of Windows-1252 bytes 0x80 to 0x9F. The undefined bytes 0x81, 0x8D, 0x8F,
// 0x90 and 0x9D keep their own value.
const wchar_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char UnicodeToAnsi(wxUniChar ch) {
    const wxUint32 nCode = ch.GetValue();
    if (nCode < 0x80 || (nCode >= 0xA0 && nCode <= 0xFF)) {
        return static_cast<char>(nCode);
    }
    for (int i = 0; i < 32; ++i) {
        if (static_cast<wxUint32>(kCp1252High[i]) == nCode) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

}  // namespace

wxString AnsiToWx(const std::string& strText) {
    wxString str;
    str.reserve(strText.size());
    for (char ch : strText) {
        const unsigned char nByte = static_cast<unsigned char>(ch);
        if (nByte >= 0x80 && nByte < 0xA0) {
            str += wxUniChar(static_cast<wxUint32>(kCp1252High[nByte - 0x80]));
        } else {
            str += wxUniChar(static_cast<wxUint32>(nByte));
        }
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
        strText += UnicodeToAnsi(*it);
    }
    return strText;
}
