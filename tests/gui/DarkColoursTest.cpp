// The colours a page is drawn in on a dark desktop.
#include <gtest/gtest.h>

#include <cstdint>

#include "htmlview/DarkColours.h"

namespace {

const DarkPageScheme kScheme = {0x2D2D2D, 0xFFFFFF};  // a dark GTK theme's window colours

int Red(uint32_t n) { return (n >> 16) & 0xFF; }
int Green(uint32_t n) { return (n >> 8) & 0xFF; }
int Blue(uint32_t n) { return n & 0xFF; }

}  // namespace

TEST(DarkColours, ContrastFollowsTheAccessibilityFormula) {
    EXPECT_NEAR(21.0, ContrastRatio(0x000000, 0xFFFFFF), 1e-9);
    EXPECT_NEAR(1.0, ContrastRatio(0x808080, 0x808080), 1e-9);
    EXPECT_NEAR(ContrastRatio(0x003399, 0xFFFFFF), ContrastRatio(0xFFFFFF, 0x003399), 1e-12);
    EXPECT_NEAR(0.2159, RelativeLuminance(0x808080), 1e-4);
}

TEST(DarkColours, TheDesktopsColoursAreUsedOnlyWhenTheyMakeADarkPage) {
    const DarkPageScheme dark = MakeDarkPageScheme(0x2D2D2D, 0xFFFFFF);
    EXPECT_EQ(0x2D2D2Du, dark.nBackground);
    EXPECT_EQ(0xFFFFFFu, dark.nText);
    // Light window colours (Windows' dark app mode leaves them so), or text too dim to read.
    for (const DarkPageScheme& scheme :
         {MakeDarkPageScheme(0xFFFFFF, 0x000000), MakeDarkPageScheme(0x2D2D2D, 0x555555),
          MakeDarkPageScheme(0x606060, 0xFFFFFF)}) {
        EXPECT_EQ(kFallbackDarkBackground, scheme.nBackground);
        EXPECT_EQ(kFallbackDarkText, scheme.nText);
    }
}

TEST(DarkColours, ThePagesOwnColoursReadOnTheDarkPage) {
    EXPECT_EQ(kScheme.nText, DarkPageColour(0x000000, ColourUse::kText, kScheme));
    EXPECT_EQ(kScheme.nBackground, DarkPageColour(0xFFFFFF, ColourUse::kBackground, kScheme));
    // Synonyms, usage, footer, and the link colour of the view, as text on the page.
    for (uint32_t nText : {0x003399u, 0x996600u, 0x808080u, 0x0000FFu}) {
        const uint32_t nDark = DarkPageColour(nText, ColourUse::kText, kScheme);
        EXPECT_GE(ContrastRatio(nDark, kScheme.nBackground), kMinTextContrast) << std::hex << nText;
    }
    // The labels: their white text stays readable on them, and they stand out from the page.
    for (uint32_t nLabel : {0x003399u, 0x996600u}) {
        const uint32_t nDark = DarkPageColour(nLabel, ColourUse::kBackground, kScheme);
        const uint32_t nText = DarkPageColour(0xFFFFFF, ColourUse::kText, kScheme);
        EXPECT_GE(ContrastRatio(nText, nDark), kMinTextContrast) << std::hex << nLabel;
        EXPECT_GE(ContrastRatio(nDark, kScheme.nBackground), 2.0) << std::hex << nLabel;
    }
}

TEST(DarkColours, OtherColoursKeepTheirHueAndBecomeReadable) {
    const uint32_t nBlue = DarkPageColour(0x0000FF, ColourUse::kText, kScheme);
    EXPECT_GT(Blue(nBlue), Red(nBlue));
    EXPECT_GT(Blue(nBlue), Green(nBlue));
    const uint32_t nRed = DarkPageColour(0x990000, ColourUse::kText, kScheme);
    EXPECT_GE(ContrastRatio(nRed, kScheme.nBackground), kMinTextContrast);
    EXPECT_GT(Red(nRed), Green(nRed));
    EXPECT_EQ(Green(nRed), Blue(nRed));
    // A light text colour that reads already stays as it is.
    EXPECT_EQ(0xFFEE88u, DarkPageColour(0xFFEE88, ColourUse::kText, kScheme));
    // A light background turns dark with its hue; a dark one stays.
    const uint32_t nBack = DarkPageColour(0xFFFFCC, ColourUse::kBackground, kScheme);
    EXPECT_LT(RelativeLuminance(nBack), 0.1);
    EXPECT_EQ(Red(nBack), Green(nBack));
    EXPECT_LT(Blue(nBack), Red(nBack));
    EXPECT_EQ(0x402000u, DarkPageColour(0x402000, ColourUse::kBackground, kScheme));
}
