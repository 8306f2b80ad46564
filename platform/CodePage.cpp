#include "platform/CodePage.h"

#ifdef _WIN32
#include <windows.h>

static_assert(kCpUtf7 == CP_UTF7 && kCpUtf8 == CP_UTF8, "code pages by their Windows values");
static_assert(kWcErrInvalidChars == WC_ERR_INVALID_CHARS &&
                  kWcNoBestFitChars == WC_NO_BEST_FIT_CHARS,
              "flags by their Windows values");
#endif

namespace {

// The code pages whose conversions take no flags at all, UTF-7 aside.
bool TakesNoFlags(uint32_t nCodePage) {
    switch (nCodePage) {
        case 42: case 50220: case 50221: case 50222: case 50225: case 50227: case 50229:
            return true;
        default:
            return nCodePage >= 57002 && nCodePage <= 57011;
    }
}

}  // namespace

WideToCodePageRules WideToCodePageRulesFor(uint32_t nCodePage) {
    WideToCodePageRules rules;
    if (nCodePage == kCpUtf8 || nCodePage == kCpGb18030) {
        rules.dwFlags = kWcErrInvalidChars;
    } else if (nCodePage == kCpUtf7) {
        rules.dwFlags = 0;
    } else if (TakesNoFlags(nCodePage)) {
        rules.dwFlags = 0;
        rules.bAskDefaultUsed = true;
    } else {
        rules.dwFlags = kWcNoBestFitChars;
        rules.bAskDefaultUsed = true;
    }
    return rules;
}

#ifdef _WIN32
bool WideToCodePageExactly(uint32_t nCodePage, const std::wstring& strWide, std::string& strText) {
    if (strWide.empty()) {
        return false;
    }
    const WideToCodePageRules rules = WideToCodePageRulesFor(nCodePage);
    const int nWide = static_cast<int>(strWide.size());
    BOOL bDefaultUsed = FALSE;
    LPBOOL pDefaultUsed = rules.bAskDefaultUsed ? &bDefaultUsed : nullptr;
    const int nBytes = ::WideCharToMultiByte(nCodePage, rules.dwFlags, strWide.data(), nWide,
                                             nullptr, 0, nullptr, pDefaultUsed);
    if (nBytes <= 0 || bDefaultUsed) {
        return false;
    }
    std::string strResult(static_cast<size_t>(nBytes), '\0');
    if (::WideCharToMultiByte(nCodePage, rules.dwFlags, strWide.data(), nWide, &strResult[0],
                              nBytes, nullptr, pDefaultUsed) != nBytes ||
        bDefaultUsed) {
        return false;
    }
    strText = strResult;
    return true;
}
#endif
