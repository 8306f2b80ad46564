#include "tools/ConsoleText.h"

#include <algorithm>
#include <clocale>
#include <cstdint>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <langinfo.h>
#include <strings.h>
#endif

#include "dictdata/Ansi.h"

namespace {

bool g_bUtf8Arguments = false;
bool g_bUtf8Output = false;

#ifdef _WIN32
// strText from code page nFrom to code page nTo, through UTF-16; strText itself on failure.
std::string Recode(const std::string& strText, UINT nFrom, UINT nTo) {
    if (strText.empty()) return strText;
    const int nWide = MultiByteToWideChar(nFrom, 0, strText.data(), static_cast<int>(strText.size()), nullptr, 0);
    if (nWide <= 0) return strText;
    std::wstring strWide(static_cast<size_t>(nWide), L'\0');
    MultiByteToWideChar(nFrom, 0, strText.data(), static_cast<int>(strText.size()), &strWide[0], nWide);
    const int nOut = WideCharToMultiByte(nTo, 0, strWide.data(), nWide, nullptr, 0, nullptr, nullptr);
    if (nOut <= 0) return strText;
    std::string strOut(static_cast<size_t>(nOut), '\0');
    WideCharToMultiByte(nTo, 0, strWide.data(), nWide, &strOut[0], nOut, nullptr, nullptr);
    return strOut;
}
#endif

}  // namespace

bool Utf8ToAnsi(const std::string& strUtf8, std::string& strAnsi) {
    std::string strOut;
    strOut.reserve(strUtf8.size());
    size_t i = 0;
    while (i < strUtf8.size()) {
        const unsigned char b = static_cast<unsigned char>(strUtf8[i]);
        int nMore = 0;
        uint32_t nCode = b;
        if (b >= 0xF0 && b <= 0xF4) {
            nMore = 3;
            nCode = b & 0x07;
        } else if (b >= 0xE0) {
            nMore = b <= 0xEF ? 2 : -1;
            nCode = b & 0x0F;
        } else if (b >= 0xC2) {
            nMore = 1;
            nCode = b & 0x1F;
        } else if (b >= 0x80) {
            nMore = -1;  // a continuation byte, or an overlong lead
        }
        if (nMore < 0 || strUtf8.size() - i <= static_cast<size_t>(nMore)) return false;
        for (int j = 1; j <= nMore; ++j) {
            const unsigned char c = static_cast<unsigned char>(strUtf8[i + j]);
            if ((c & 0xC0) != 0x80) return false;
            nCode = (nCode << 6) | (c & 0x3F);
        }
        // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
        if ((nMore == 2 && (nCode < 0x800 || (nCode >= 0xD800 && nCode <= 0xDFFF))) ||
            (nMore == 3 && (nCode < 0x10000 || nCode > 0x10FFFF))) {
            return false;
        }
        strOut += CodePointToAnsi(nCode);
        i += 1 + nMore;
    }
    strAnsi.swap(strOut);
    return true;
}

std::string AnsiToUtf8(const std::string& strAnsi) {
    const bool bAscii = std::all_of(strAnsi.begin(), strAnsi.end(),
                                    [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
    if (bAscii) return strAnsi;
    std::string strOut;
    strOut.reserve(strAnsi.size() * 2);
    for (char ch : strAnsi) {
        const unsigned char b = static_cast<unsigned char>(ch);
        const uint32_t nCode = AnsiToCodePoint(b);
        if (nCode < 0x80) {
            strOut += static_cast<char>(nCode);
        } else if (nCode < 0x800) {
            strOut += static_cast<char>(0xC0 | (nCode >> 6));
            strOut += static_cast<char>(0x80 | (nCode & 0x3F));
        } else {
            strOut += static_cast<char>(0xE0 | (nCode >> 12));
            strOut += static_cast<char>(0x80 | ((nCode >> 6) & 0x3F));
            strOut += static_cast<char>(0x80 | (nCode & 0x3F));
        }
    }
    return strOut;
}

void InitConsoleText() {
#ifdef _WIN32
    g_bUtf8Arguments = GetACP() == CP_UTF8;
    g_bUtf8Output = _isatty(_fileno(stdout)) && GetConsoleOutputCP() == CP_UTF8;
#else
    if (std::setlocale(LC_ALL, "") != nullptr) {
        const char* lpszSet = nl_langinfo(CODESET);
        const bool bUtf8 = lpszSet != nullptr &&
                           (strcasecmp(lpszSet, "UTF-8") == 0 || strcasecmp(lpszSet, "utf8") == 0);
        g_bUtf8Arguments = bUtf8;
        g_bUtf8Output = bUtf8;
    }
    std::setlocale(LC_ALL, "C");
#endif
}

std::string TextFromArgument(const std::string& strArgument) {
#ifdef _WIN32
    if (!g_bUtf8Arguments && GetACP() != 1252) return Recode(strArgument, CP_ACP, 1252);
#endif
    std::string strAnsi;
    // Bytes that are not UTF-8 cannot have come from a UTF-8 terminal: they pass as 1252.
    if (g_bUtf8Arguments && Utf8ToAnsi(strArgument, strAnsi)) return strAnsi;
    return strArgument;
}

std::string TextForOutput(const std::string& strAnsi) {
    return g_bUtf8Output ? AnsiToUtf8(strAnsi) : strAnsi;
}
