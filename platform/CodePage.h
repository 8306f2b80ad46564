// Converting UTF-16 text, such as the program's path, to an 8-bit code page of Windows exactly:
// the documented rules of WideCharToMultiByte for each kind of code page, as a function of the
// code page so that they are tested on any system, and on Windows the conversion itself.
#ifndef LEXANO_PLATFORM_CODEPAGE_H
#define LEXANO_PLATFORM_CODEPAGE_H

#include <cstdint>
#include <string>

// Code pages and WideCharToMultiByte flags by their Windows values.
constexpr uint32_t kCpUtf7 = 65000;
constexpr uint32_t kCpUtf8 = 65001;
constexpr uint32_t kCpGb18030 = 54936;
constexpr uint32_t kWcErrInvalidChars = 0x80;
constexpr uint32_t kWcNoBestFitChars = 0x400;

// How an exact conversion to one code page is asked for.
struct WideToCodePageRules {
    uint32_t dwFlags = 0;            // WideCharToMultiByte's flags
    bool bAskDefaultUsed = false;    // lpUsedDefaultChar may be passed, and tells a lost character
};

// The rules for nCodePage (a code page number, not CP_ACP):
// - UTF-8 (65001) and GB18030 (54936) spell every character: WC_ERR_INVALID_CHARS alone, so
//   that a lone surrogate fails the conversion, and no default-character pointers, which the
//   documentation requires to be null for UTF-8;
// - UTF-7 (65000) spells every character too, and takes no flags and no such pointers;
// - the code pages that take no flags (42, 50220, 50221, 50222, 50225, 50227, 50229, 57002 to
//   57011): none, with lpUsedDefaultChar;
// - every other code page, the ANSI code pages among them: WC_NO_BEST_FIT_CHARS, so that no
//   character turns into a look-alike, with lpUsedDefaultChar.
WideToCodePageRules WideToCodePageRulesFor(uint32_t nCodePage);

#ifdef _WIN32
// Converts strWide to code page nCodePage into strText by those rules. False, strText untouched,
// when strWide is empty, a character has no exact counterpart in the code page (it would have
// become its default character or a look-alike), or the conversion fails.
bool WideToCodePageExactly(uint32_t nCodePage, const std::wstring& strWide, std::string& strText);
#endif

#endif
