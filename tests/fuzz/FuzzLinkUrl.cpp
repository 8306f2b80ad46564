// Link URLs through the navigation parser: any bytes as the URL the browser reports.
#include <cstdint>
#include <cstring>
#include <string>

#include "htmlview/HtmlLink.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    const std::string strUrl(reinterpret_cast<const char*>(pData), nSize);
    const char* lpszUrl = strUrl.c_str();  // the URL ends at its first zero byte, as delivered
    HtmlLinkInfo info;
    info.strText = "untouched";
    const HtmlNavigation kind = ClassifyNavigation(lpszUrl, info);
    const size_t nLength = std::strlen(lpszUrl);
    switch (kind) {
        case HtmlNavigation::kLink:
            // The link text is the URL's tail after a ">".
            if (info.strText.size() >= nLength ||
                std::strcmp(lpszUrl + nLength - info.strText.size(), info.strText.c_str()) != 0 ||
                lpszUrl[nLength - info.strText.size() - 1] != '>') {
                __builtin_trap();
            }
            break;
        case HtmlNavigation::kBlank:
            if (std::strcmp(lpszUrl, "about:blank") != 0) __builtin_trap();
            break;
        default:
            if (info.strText != "untouched") __builtin_trap();
            if (kind == HtmlNavigation::kOther && std::strcmp(lpszUrl, "about:blank") == 0) __builtin_trap();
            break;
    }
    // Every sub-range parses without reading outside it.
    uint32_t nValue = 7;
    const size_t nHalf = nSize / 2;
    ParseLinkNumber(strUrl.data() + nHalf, strUrl.data() + nSize, nValue);
    ParseLinkNumber(strUrl.data(), strUrl.data() + nHalf, nValue);
    return 0;
}
