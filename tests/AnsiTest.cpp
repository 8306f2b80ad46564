#include <gtest/gtest.h>

#include "dictdata/Ansi.h"

TEST(Ansi, CaseMappingCoversWindows1252Letters) {
    EXPECT_EQ(AnsiToLower('A'), 'a');
    EXPECT_EQ(AnsiToUpper('z'), 'Z');
    EXPECT_EQ(AnsiToLower(0xC9), 0xE9);  // É
    EXPECT_EQ(AnsiToUpper(0xFC), 0xDC);  // ü
    EXPECT_EQ(AnsiToLower(0x8A), 0x9A);  // Š
    EXPECT_EQ(AnsiToLower(0x9F), 0xFF);  // Ÿ
    EXPECT_EQ(AnsiToUpper(0x9C), 0x8C);  // œ
    // Not letters, or letters without a single-byte partner.
    EXPECT_EQ(AnsiToLower(0xD7), 0xD7);  // ×
    EXPECT_EQ(AnsiToUpper(0xF7), 0xF7);  // ÷
    EXPECT_EQ(AnsiToUpper(0xDF), 0xDF);  // ß
    EXPECT_EQ(AnsiToUpper(0xB5), 0xB5);  // µ
    EXPECT_EQ(AnsiToLower('['), '[');
    // Every pair maps back.
    for (int ch = 0; ch < 256; ++ch) {
        const unsigned char lower = AnsiToLower(static_cast<unsigned char>(ch));
        if (lower != ch) {
            EXPECT_EQ(AnsiToUpper(lower), ch) << ch;
        }
    }
    EXPECT_EQ(AnsiLowerCopy("Caf\xC9 ABC"), "caf\xE9 abc");
}

TEST(Ansi, FoldingGivesPlainLettersForAccentedOnes) {
    EXPECT_EQ(AnsiFoldAccents("caf\xE9"), "cafe");
    EXPECT_EQ(AnsiFoldAccents("na\xEFve \xE7\xF4t\xE9"), "naive cote");
    EXPECT_EQ(AnsiFoldAccents("\xE6on \x9C" "uvre stra\xDF" "e \xF1" "and\xFA"), "aeon oeuvre strasse nandu");
    EXPECT_EQ(AnsiFoldAccents("\xC9T\xC9 \x8A\x9F\xDE"), "ETE SYTH");
    EXPECT_EQ(AnsiFoldAccents("\xFEorn \xF0"), "thorn d");
    // Signs and other bytes stay.
    EXPECT_EQ(AnsiFoldAccents("2\xD7" "3\xF7" "4 \xB5 plain-text"), "2\xD7" "3\xF7" "4 \xB5 plain-text");
    EXPECT_EQ(AnsiFoldAccents(""), "");
}
