// Text as a search takes it: white space and punctuation around a word, typographic marks.
#include <gtest/gtest.h>

#include "dictdata/SearchText.h"

TEST(SearchText, WhiteSpaceGoesAndTypographicMarksBecomePlain) {
    const std::pair<const char*, const char*> kCases[] = {
        {" apple", "apple"},
        {"\xA0\tapple \r\n", "apple"},  // the no-break space too
        {"ice  cream", "ice  cream"},    // inside, nothing changes
        {"rock \x92n\x92 roll", "rock 'n' roll"},
        {"\x91quoted\x92 \x93twice\x94 \x82low\x84 \x8B" "angle\x9B \xAB" "double\xBB",
         "'quoted' \"twice\" 'low\" 'angle' \"double\""},
        {"well\x96known\x97", "well-known-"},
        {"caf\xE9 \x8A\x9C", "caf\xE9 \x8A\x9C"},  // letters stay
        {"", ""},
        {" \xA0 ", ""},
    };
    for (const auto& c : kCases) EXPECT_EQ(PlainSearchText(c.first), c.second) << c.first;
}

TEST(SearchText, TextsTriedDropTheMarksAtTheEndThenAtTheStart) {
    using Texts = std::vector<std::string>;
    EXPECT_EQ(SearchTextsFor("tour, "), (Texts{"tour,", "tour"}));
    EXPECT_EQ(SearchTextsFor(" apple"), (Texts{"apple"}));
    EXPECT_EQ(SearchTextsFor("\x91tween\x92"), (Texts{"'tween'", "'tween", "tween"}));
    EXPECT_EQ(SearchTextsFor("(often"), (Texts{"(often", "often"}));
    EXPECT_EQ(SearchTextsFor("\x93rock \x91n\x92 roll.\x94"),
              (Texts{"\"rock 'n' roll.\"", "\"rock 'n' roll", "rock 'n' roll"}));
    EXPECT_EQ(SearchTextsFor("' apple ' "), (Texts{"' apple '", "' apple", "apple"}));
    EXPECT_EQ(SearchTextsFor("well-known"), (Texts{"well-known"}));
    EXPECT_EQ(SearchTextsFor("..."), (Texts{"..."}));
    EXPECT_EQ(SearchTextsFor(""), (Texts{""}));

    size_t nBegin = 9;
    size_t nEnd = 9;
    FindWordSpan("\x93tour\x94, ", nBegin, nEnd);
    EXPECT_EQ(nBegin, 1u);
    EXPECT_EQ(nEnd, 5u);
    FindWordSpan(" --\x97", nBegin, nEnd);
    EXPECT_EQ(nBegin, nEnd);
    for (char ch : std::string("aZ0 \xA0\xE9\x8A\x9F\xFF")) {
        EXPECT_FALSE(IsSearchPunctuation(static_cast<unsigned char>(ch))) << int(ch);
    }
    for (char ch : std::string("!/:@[`{~\x85\x92\x97\xBB")) {
        EXPECT_TRUE(IsSearchPunctuation(static_cast<unsigned char>(ch))) << int(ch);
    }
}
