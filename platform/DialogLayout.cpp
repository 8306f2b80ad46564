#include "platform/DialogLayout.h"

#include <algorithm>

namespace {

// One axis of Place: the start and length of a control along it.
void PlaceAxis(int nStart, int nLength, int nGrowth, bool bNear, bool bFar, int& nNewStart,
               int& nNewLength) {
    nNewStart = nStart;
    nNewLength = nLength;
    if (bFar && bNear) {
        nNewLength = std::max(0, nLength + nGrowth);
    } else if (bFar) {
        nNewStart = nStart + nGrowth;
    }
}

}  // namespace

wxRect DialogLayout::Place(const wxRect& rcStart, const wxSize& sizeStart, const wxSize& sizeNow,
                           int nAnchors) {
    wxRect rc;
    PlaceAxis(rcStart.x, rcStart.width, sizeNow.x - sizeStart.x, (nAnchors & kLeft) != 0,
              (nAnchors & kRight) != 0, rc.x, rc.width);
    PlaceAxis(rcStart.y, rcStart.height, sizeNow.y - sizeStart.y, (nAnchors & kTop) != 0,
              (nAnchors & kBottom) != 0, rc.y, rc.height);
    return rc;
}

void DialogLayout::Start(wxWindow* pDialog) {
    m_sizeStart = pDialog->GetClientSize();
    m_items.clear();
}

void DialogLayout::Add(wxWindow* pControl, int nAnchors) {
    if (pControl != nullptr) {
        m_items.push_back({wxWindowRef(pControl), pControl->GetRect(), nAnchors});
    }
}

void DialogLayout::Apply(const wxSize& sizeNow) {
    for (Item& item : m_items) {
        if (item.pControl) {
            item.pControl->SetSize(Place(item.rcStart, m_sizeStart, sizeNow, item.nAnchors));
        }
    }
}
