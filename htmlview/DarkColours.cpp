#include "htmlview/DarkColours.h"

#include <algorithm>
#include <cmath>

namespace {

struct ColourPair {
    uint32_t nLight;
    uint32_t nDark;
};

// The entry pages' own colours (render/EntryPage.cpp) and the view's link colour.
const ColourPair kTextColours[] = {
    {0x003399, 0x6699FF},  // synonyms
    {0x996600, 0xFFCC66},  // usage examples
    {0x808080, 0xA0A0A0},  // the footer
    {0xFFFFFF, 0xFFFFFF},  // the labels' text, on their own backgrounds
};
const ColourPair kBackgroundColours[] = {
    {0x003399, 0x2B5BB5},  // the "Synonyms" label: white reads on it at 6:1
    {0x996600, 0x996600},  // the "Usage" label: already 5:1 with white, and apart from the page
};

double Channel(uint32_t nRgb, int nShift) {
    return static_cast<double>((nRgb >> nShift) & 0xFF) / 255.0;
}

uint32_t FromChannels(double r, double g, double b) {
    const auto byte = [](double v) {
        return static_cast<uint32_t>(std::lround(std::min(1.0, std::max(0.0, v)) * 255.0));
    };
    return (byte(r) << 16) | (byte(g) << 8) | byte(b);
}

double HueToChannel(double p, double q, double t) {
    t = t < 0 ? t + 1 : (t > 1 ? t - 1 : t);
    if (t < 1.0 / 6) return p + (q - p) * 6 * t;
    if (t < 1.0 / 2) return q;
    if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
}

// The colour with the same hue and saturation and lightness 1 - L (HSL).
uint32_t TurnLightnessOver(uint32_t nRgb) {
    const double r = Channel(nRgb, 16), g = Channel(nRgb, 8), b = Channel(nRgb, 0);
    const double dMax = std::max({r, g, b}), dMin = std::min({r, g, b});
    const double l = (dMax + dMin) / 2;
    const double l2 = 1 - l;
    if (dMax == dMin) {
        return FromChannels(l2, l2, l2);
    }
    const double d = dMax - dMin;
    const double s = l > 0.5 ? d / (2 - dMax - dMin) : d / (dMax + dMin);
    double h = dMax == r ? (g - b) / d + (g < b ? 6 : 0) : dMax == g ? (b - r) / d + 2 : (r - g) / d + 4;
    h /= 6;
    const double q = l2 < 0.5 ? l2 * (1 + s) : l2 + s - l2 * s;
    const double p = 2 * l2 - q;
    return FromChannels(HueToChannel(p, q, h + 1.0 / 3), HueToChannel(p, q, h),
                        HueToChannel(p, q, h - 1.0 / 3));
}

double Lightness(uint32_t nRgb) {
    const double r = Channel(nRgb, 16), g = Channel(nRgb, 8), b = Channel(nRgb, 0);
    return (std::max({r, g, b}) + std::min({r, g, b})) / 2;
}

// nRgb mixed with white in steps of a tenth until it has kMinTextContrast against nBackground.
uint32_t LightenForContrast(uint32_t nRgb, uint32_t nBackground) {
    const double r = Channel(nRgb, 16), g = Channel(nRgb, 8), b = Channel(nRgb, 0);
    uint32_t nResult = nRgb;
    for (int i = 1; i <= 10 && ContrastRatio(nResult, nBackground) < kMinTextContrast; ++i) {
        const double t = i / 10.0;
        nResult = FromChannels(r + (1 - r) * t, g + (1 - g) * t, b + (1 - b) * t);
    }
    return nResult;
}

}  // namespace

double RelativeLuminance(uint32_t nRgb) {
    const auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(Channel(nRgb, 16)) + 0.7152 * linear(Channel(nRgb, 8)) +
           0.0722 * linear(Channel(nRgb, 0));
}

double ContrastRatio(uint32_t nRgbA, uint32_t nRgbB) {
    const double a = RelativeLuminance(nRgbA);
    const double b = RelativeLuminance(nRgbB);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

DarkPageScheme MakeDarkPageScheme(uint32_t nWindow, uint32_t nWindowText) {
    if (RelativeLuminance(nWindow) <= kMaxBackgroundLuminance &&
        ContrastRatio(nWindow, nWindowText) >= kMinTextContrast &&
        RelativeLuminance(nWindowText) > RelativeLuminance(nWindow)) {
        return DarkPageScheme{nWindow, nWindowText};
    }
    return DarkPageScheme{kFallbackDarkBackground, kFallbackDarkText};
}

uint32_t DarkPageColour(uint32_t nRgb, ColourUse nUse, const DarkPageScheme& scheme) {
    nRgb &= 0xFFFFFF;
    if (nUse == ColourUse::kText) {
        if (nRgb == 0x000000) {
            return scheme.nText;
        }
        for (const ColourPair& pair : kTextColours) {
            if (pair.nLight == nRgb) return pair.nDark;
        }
        const uint32_t nTurned = Lightness(nRgb) < 0.5 ? TurnLightnessOver(nRgb) : nRgb;
        return LightenForContrast(nTurned, scheme.nBackground);
    }
    if (nRgb == 0xFFFFFF) {
        return scheme.nBackground;
    }
    for (const ColourPair& pair : kBackgroundColours) {
        if (pair.nLight == nRgb) return pair.nDark;
    }
    return Lightness(nRgb) > 0.5 ? TurnLightnessOver(nRgb) : nRgb;
}
