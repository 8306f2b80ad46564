// Controls that follow the size of their dialog: each keeps its distances to the client area's
// edges that it is anchored to, measured at the size the dialog was made with.
#ifndef LEXANO_PLATFORM_DIALOGLAYOUT_H
#define LEXANO_PLATFORM_DIALOGLAYOUT_H

#include <wx/gdicmn.h>
#include <wx/weakref.h>
#include <wx/window.h>

#include <vector>

class DialogLayout {
public:
    // Edges a control is anchored to. Anchored to left and right it stretches with the width;
    // to the right only it moves with it; to neither, or to the left only, it stays. Likewise
    // for top and bottom.
    static constexpr int kLeft = 1;
    static constexpr int kTop = 2;
    static constexpr int kRight = 4;
    static constexpr int kBottom = 8;
    static constexpr int kAll = kLeft | kTop | kRight | kBottom;

    // Where a control that lay at rcStart in a client area of sizeStart goes in one of sizeNow.
    // Sizes never go below 0.
    static wxRect Place(const wxRect& rcStart, const wxSize& sizeStart, const wxSize& sizeNow,
                        int nAnchors);

    // Takes the client size of pDialog now as the size everything is measured from.
    // REQUIRES: called before Add.
    void Start(wxWindow* pDialog);

    // Adds pControl, a child of the dialog, at its rectangle now, with nAnchors.
    void Add(wxWindow* pControl, int nAnchors);

    // Moves and sizes every added control for the dialog's client size sizeNow. Controls whose
    // window was destroyed meanwhile are skipped.
    void Apply(const wxSize& sizeNow);

private:
    struct Item {
        wxWindowRef pControl;  // null once the window is gone
        wxRect rcStart;
        int nAnchors;
    };
    wxSize m_sizeStart;
    std::vector<Item> m_items;
};

#endif
