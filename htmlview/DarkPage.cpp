#include "htmlview/DarkPage.h"

#include <wx/html/htmlcell.h>
#include <wx/html/htmlwin.h>
#include <wx/settings.h>

namespace {

// Reaches the colour and the kind of a colour cell, which the toolkit keeps protected and
// offers no setter for: a pointer to a protected member, taken through a derived class, may
// be applied to any cell of the base class.
class ColourCellMembers : public wxHtmlColourCell {
public:
    static wxColour wxHtmlColourCell::*Colour() { return &ColourCellMembers::m_Colour; }
    static unsigned wxHtmlColourCell::*Flags() { return &ColourCellMembers::m_Flags; }
};

uint32_t ToRgb(const wxColour& clr) {
    return (static_cast<uint32_t>(clr.Red()) << 16) | (static_cast<uint32_t>(clr.Green()) << 8) |
           clr.Blue();
}

wxColour FromRgb(uint32_t nRgb) {
    return wxColour((nRgb >> 16) & 0xFF, (nRgb >> 8) & 0xFF, nRgb & 0xFF);
}

wxColour Mapped(const wxColour& clr, ColourUse nUse, const DarkPageScheme& scheme) {
    return FromRgb(DarkPageColour(ToRgb(clr), nUse, scheme));
}

void DarkenCells(wxHtmlCell* pFirst, const DarkPageScheme& scheme) {
    for (wxHtmlCell* pCell = pFirst; pCell != nullptr; pCell = pCell->GetNext()) {
        if (wxHtmlColourCell* pColour = dynamic_cast<wxHtmlColourCell*>(pCell)) {
            wxColour& clr = pColour->*ColourCellMembers::Colour();
            const bool bText = (pColour->*ColourCellMembers::Flags() & wxHTML_CLR_FOREGROUND) != 0;
            if (clr.IsOk()) {
                clr = Mapped(clr, bText ? ColourUse::kText : ColourUse::kBackground, scheme);
            }
        } else if (wxHtmlContainerCell* pContainer = dynamic_cast<wxHtmlContainerCell*>(pCell)) {
            // A table cell's own background (bgcolor); invalid when it has none.
            const wxColour clrBack = pContainer->GetBackgroundColour();
            if (clrBack.IsOk()) {
                pContainer->SetBackgroundColour(Mapped(clrBack, ColourUse::kBackground, scheme));
            }
        }
        DarkenCells(pCell->GetFirstChild(), scheme);
    }
}

}  // namespace

bool IsDarkDesktop() {
    return wxSystemSettings::GetAppearance().IsDark();
}

DarkPageScheme DesktopDarkScheme() {
    return MakeDarkPageScheme(ToRgb(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)),
                              ToRgb(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT)));
}

void DarkenParsedPage(wxHtmlWindow* pWindow, const DarkPageScheme& scheme) {
    pWindow->SetHTMLBackgroundColour(
        Mapped(pWindow->GetHTMLBackgroundColour(), ColourUse::kBackground, scheme));
    DarkenCells(pWindow->GetInternalRepresentation(), scheme);
}
