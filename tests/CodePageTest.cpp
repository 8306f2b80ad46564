// Exact conversion of UTF-16 text (the program's path) to a code page: the flags and pointers
// each kind of code page takes, and on Windows the conversion itself.
#include <gtest/gtest.h>

#include "platform/CodePage.h"

TEST(CodePage, EachKindOfCodePageGetsTheFlagsItsDocumentationAllows) {
    const struct {
        uint32_t nCodePage;
        uint32_t dwFlags;
        bool bAskDefaultUsed;
    } kCases[] = {
        {65001, kWcErrInvalidChars, false},  // UTF-8, also as the system-wide ANSI code page
        {54936, kWcErrInvalidChars, false},  // GB18030
        {65000, 0, false},                   // UTF-7
        {1252, kWcNoBestFitChars, true},
        {932, kWcNoBestFitChars, true},
        {437, kWcNoBestFitChars, true},
        {42, 0, true},
        {50220, 0, true},
        {50229, 0, true},
        {50224, kWcNoBestFitChars, true},
        {57002, 0, true},
        {57011, 0, true},
        {57012, kWcNoBestFitChars, true},
    };
    for (const auto& c : kCases) {
        const WideToCodePageRules rules = WideToCodePageRulesFor(c.nCodePage);
        EXPECT_EQ(rules.dwFlags, c.dwFlags) << c.nCodePage;
        EXPECT_EQ(rules.bAskDefaultUsed, c.bAskDefaultUsed) << c.nCodePage;
    }
}

#ifdef _WIN32
// The real conversion, whatever the system's own ANSI code page is.
TEST(CodePage, PathsConvertExactlyOrNotAtAll) {
    const std::wstring strPath = L"C:\\jos\u00e9\\lexano.exe";
    std::string strText = "untouched";
    ASSERT_TRUE(WideToCodePageExactly(65001, strPath, strText));
    EXPECT_EQ(strText, "C:\\jos\xC3\xA9\\lexano.exe");
    ASSERT_TRUE(WideToCodePageExactly(1252, strPath, strText));
    EXPECT_EQ(strText, "C:\\jos\xE9\\lexano.exe");
    ASSERT_TRUE(WideToCodePageExactly(65001, L"\U0001F600", strText));
    EXPECT_EQ(strText, "\xF0\x9F\x98\x80");

    strText = "untouched";
    EXPECT_FALSE(WideToCodePageExactly(1252, L"C:\\\u0101", strText));  // a-macron: no 'a' for it
    EXPECT_FALSE(WideToCodePageExactly(65001, std::wstring(1, wchar_t(0xD800)), strText));
    EXPECT_FALSE(WideToCodePageExactly(65001, L"", strText));
    EXPECT_EQ(strText, "untouched");
}
#endif
