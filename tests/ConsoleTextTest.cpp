// The conversions of lexano-data's text between Windows-1252 and UTF-8.
#include <gtest/gtest.h>

#include "tools/ConsoleText.h"

TEST(ConsoleText, EveryWindows1252ByteSurvivesUtf8) {
    std::string strAll;
    for (int b = 1; b < 256; ++b) strAll += static_cast<char>(b);
    std::string strBack;
    ASSERT_TRUE(Utf8ToAnsi(AnsiToUtf8(strAll), strBack));
    EXPECT_EQ(strBack, strAll);
    EXPECT_EQ(AnsiToUtf8("caf\xE9 \x80 \x93"), "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9C");
}

TEST(ConsoleText, TextThatIsNotUtf8IsRefused) {
    std::string strAnsi = "kept";
    for (const char* lpszBad : {"caf\xE9", "\xC3", "\x80", "\xC0\xAF", "\xED\xA0\x80",
                                "\xF4\x90\x80\x80", "\xE2\x82", "\xF8\x88\x80\x80\x80"}) {
        EXPECT_FALSE(Utf8ToAnsi(lpszBad, strAnsi)) << lpszBad;
    }
    EXPECT_EQ(strAnsi, "kept");
    // Characters that 1252 lacks become "?".
    ASSERT_TRUE(Utf8ToAnsi("\xE4\xB8\xAD \xF0\x9F\x98\x80 \xC5\x93", strAnsi));
    EXPECT_EQ(strAnsi, "? ? \x9C");
}
