#include "htmlview/HtmlLink.h"

#include <cstring>

namespace {

// White space as the "C" locale's isspace sees it; the field is converted in that locale
// whatever the program's locale is.
bool IsCSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

}  // namespace

bool ParseLinkNumber(const char* lpStart, const char* lpEnd, uint32_t& nValue) {
    nValue = 0;
    if (lpStart == nullptr || lpEnd == nullptr || lpEnd <= lpStart) {
        return false;
    }
    // A URL is a C string, so the field holds no zero byte and the conversion below may
    // treat lpEnd as the terminator strtoul would stop at.
    const char* p = lpStart;
    while (p < lpEnd && IsCSpace(*p)) {
        ++p;
    }
    bool bNegative = false;
    if (p < lpEnd && (*p == '+' || *p == '-')) {
        bNegative = *p == '-';
        ++p;
    }
    const char* pDigits = p;
    uint64_t nMagnitude = 0;
    bool bOverflow = false;
    while (p < lpEnd && *p >= '0' && *p <= '9') {
        nMagnitude = nMagnitude * 10 + static_cast<uint64_t>(*p - '0');
        // Once above 32 bits the value only grows; capping keeps the product in 64 bits.
        if (nMagnitude > 0xFFFFFFFFu) {
            bOverflow = true;
            nMagnitude = 0x100000000u;
        }
        ++p;
    }
    // No digits: strtoul converts nothing and reports the field's start as its end, which is
    // never the terminator of a non-empty field.
    if (p == pDigits || p != lpEnd) {
        return false;
    }
    uint32_t nResult = 0xFFFFFFFFu;
    if (!bOverflow) {
        nResult = static_cast<uint32_t>(nMagnitude);
        if (bNegative) {
            nResult = 0u - nResult;
        }
    }
    nValue = nResult;
    return true;
}

HtmlNavigation ClassifyNavigation(const char* lpszUrl, HtmlLinkInfo& info) {
    if (lpszUrl == nullptr) {
        return HtmlNavigation::kOther;
    }
    // Windows-1252 has no trail bytes, so a byte search finds the delimiters.
    const char* p1 = std::strchr(lpszUrl, '<');
    const char* p2 = p1 ? std::strchr(p1, ':') : nullptr;
    const char* p3 = p2 ? std::strchr(p2 + 1, ':') : nullptr;
    const char* p4 = p3 ? std::strchr(p3, '>') : nullptr;
    if (p4 != nullptr) {
        HtmlLinkInfo link;
        if (!ParseLinkNumber(p1 + 1, p2, link.nFirst) ||
            !ParseLinkNumber(p2 + 1, p3, link.nSecond) ||
            !ParseLinkNumber(p3 + 1, p4, link.nThird)) {
            // Not a link for the view, and not compared with "about:blank" either.
            return HtmlNavigation::kBadLink;
        }
        link.strText = p4 + 1;
        info = link;
        return HtmlNavigation::kLink;
    }
    if (std::strcmp(lpszUrl, "about:blank") == 0) {
        return HtmlNavigation::kBlank;
    }
    return HtmlNavigation::kOther;
}
