// The colours of a page drawn on a dark desktop: each colour a page asks for, as text or as a
// background, mapped to a counterpart that reads on a dark page. The pages themselves are
// written for a white page and never change; only the view draws them differently.
//
// Plain arithmetic on 0xRRGGBB values, without the window toolkit, so that it is tested without
// a display.
#ifndef LEXANO_HTMLVIEW_DARKCOLOURS_H
#define LEXANO_HTMLVIEW_DARKCOLOURS_H

#include <cstdint>

// The dark page's own two colours: its background and its plain text.
struct DarkPageScheme {
    uint32_t nBackground;
    uint32_t nText;
};

// A scheme taken from the desktop's window colours when they are usable for a dark page: the
// background dark (relative luminance at most kMaxBackgroundLuminance) and the text light
// (contrast with it at least kMinTextContrast); otherwise nFallbackBackground and
// nFallbackText, which are.
constexpr double kMaxBackgroundLuminance = 0.1;
constexpr double kMinTextContrast = 4.5;
constexpr uint32_t kFallbackDarkBackground = 0x1E1E1E;
constexpr uint32_t kFallbackDarkText = 0xE6E6E6;
DarkPageScheme MakeDarkPageScheme(uint32_t nWindow, uint32_t nWindowText);

enum class ColourUse { kText, kBackground };

// The colour a dark page draws for nRgb used as nUse:
// - the page's own colours have chosen counterparts: plain black text becomes the scheme's
//   text and a white background the scheme's background; the synonyms' blue (#003399) and the
//   usage's brown (#996600) become light blue and light amber as text, and as the backgrounds
//   of the white labels they keep colours that white reads on; the footer's grey (#808080)
//   becomes a lighter grey; white text (on those labels) stays white.
// - any other text colour keeps its hue with its lightness turned over when it is dark, then
//   is mixed with white until it has kMinTextContrast against the scheme's background.
// - any other background keeps its hue with its lightness turned over when it is light.
uint32_t DarkPageColour(uint32_t nRgb, ColourUse nUse, const DarkPageScheme& scheme);

// Relative luminance (0 black to 1 white) and the contrast ratio of two colours (1 to 21), as
// the web's accessibility guidelines define them.
double RelativeLuminance(uint32_t nRgb);
double ContrastRatio(uint32_t nRgbA, uint32_t nRgbB);

#endif
