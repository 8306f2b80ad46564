// Recognising the URLs that the HTML view reports to its parent. Pure functions on 8-bit text
// (Windows-1252, a single-byte code page, so every byte is one character), with no window
// involved, so that the rules can be checked without a display.
#ifndef LEXANO_HTMLVIEW_HTMLLINK_H
#define LEXANO_HTMLVIEW_HTMLLINK_H

#include <cstdint>

#include "htmlview/HtmlMessages.h"

// Converts the field [lpStart, lpEnd) as the C library's strtoul does in base 10 with a 32-bit
// unsigned long: leading white space, one optional "+" or "-" (a minus negates modulo 2^32),
// then decimal digits; a magnitude above 4294967295 gives 4294967295.
// Returns true and sets nValue to the result only when the conversion consumed the whole field.
// Returns false and sets nValue to 0 when either pointer is null, the field is empty
// (lpEnd not after lpStart), or anything is left over.
bool ParseLinkNumber(const char* lpStart, const char* lpEnd, uint32_t& nValue);

// What a navigation to a URL means to the view.
enum class HtmlNavigation {
    kLink,     // a link URL whose three fields converted: report it and cancel the navigation
    kBadLink,  // shaped like a link URL but a field did not convert: navigate, report nothing
    kBlank,    // exactly "about:blank": report it, navigate
    kOther,    // anything else: navigate, report nothing
};

// Classifies lpszUrl. The URL is a link URL when it holds a "<", then a ":" at or after it, a
// second ":" after that, and a ">" at or after the second ":", in this order; the three fields
// lie strictly between those four characters. On kLink, info holds the three numbers and the
// text after the ">"; otherwise info is untouched. A null URL is kOther.
HtmlNavigation ClassifyNavigation(const char* lpszUrl, HtmlLinkInfo& info);

#endif
