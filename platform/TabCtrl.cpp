#include "platform/TabCtrl.h"

#include <wx/stattext.h>

#ifdef __WXMSW__
#include <wx/msw/wrapcctl.h>
#endif

#include <algorithm>
#include <cstdio>

#include "platform/AnsiText.h"

namespace {

constexpr int kFitTickMs = 40;
constexpr int kMaxFontSteps = 2;
// Rows of the tab row searched for labels, from the control's top.
constexpr int kTabRowHeight = 60;

}  // namespace

void TabInsertItem(wxNotebook* pTab, int nIndex, const std::string& strText) {
    // An empty label is a control without a window of its own, so the page paints nothing over
    // the view that lies on the display area.
    wxWindow* pPage = new wxStaticText(pTab, wxID_ANY, wxString());
    pTab->InsertPage(static_cast<size_t>(nIndex), pPage, AnsiToWx(strText));
}

void TabDeleteAllItems(wxNotebook* pTab) {
    pTab->DeleteAllPages();
}

int TabGetCurSel(wxNotebook* pTab) {
    return pTab->GetSelection();
}

wxRect TabAdjustRect(wxNotebook* pTab, const wxRect& rcWindow) {
#ifdef __WXMSW__
    // The native control knows its tab row; the notebook's own estimate assumes it is laid out.
    // Before it was first shown it may report no tab row: TabCtrl::Show has the parent laid
    // out again then.
    RECT rc = {0, 0, rcWindow.width, rcWindow.height};
    TabCtrl_AdjustRect(static_cast<HWND>(pTab->GetHWND()), FALSE, &rc);
    return wxRect(rcWindow.x + rc.left, rcWindow.y + rc.top, rc.right - rc.left,
                  rc.bottom - rc.top);
#else
    // The notebook reports only its total frame; tabs lie on top and the frame is equally thick
    // on the other three sides.
    const wxSize sizePage(100, 100);
    const wxSize sizeFrame = pTab->CalcSizeFromPage(sizePage) - sizePage;
    const int nSide = sizeFrame.x / 2;
    const int nTop = sizeFrame.y - nSide;
    return wxRect(rcWindow.x + nSide, rcWindow.y + nTop, rcWindow.width - sizeFrame.x,
                  rcWindow.height - sizeFrame.y);
#endif
}

TabCtrl::TabCtrl(wxWindow* pParent, wxWindowID nId, const wxPoint& pt, const wxSize& size)
    : wxNotebook(pParent, nId, pt, size) {
    m_fitTimer.Bind(wxEVT_TIMER, &TabCtrl::OnFitTimer, this);
}

#ifdef __WXMSW__
bool TabCtrl::Show(bool bShow) {
    const bool bChanged = wxNotebook::Show(bShow);
    if (bShow) {
        // On MSW the siblings made after the tab control lie below it, and with them the view
        // on its display area and the buttons on its tab row; its pages would take their
        // clicks. Shown, it goes below every sibling. Only the stacking changes: the keyboard
        // order is wx's own and stays.
        ::SetWindowPos(static_cast<HWND>(GetHWND()), HWND_BOTTOM, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        // A hidden control may not have laid out its tab row yet, and so reported none to
        // TabAdjustRect; once shown it has, and the parent places what lies on it again.
        if (bChanged && GetParent() != nullptr) {
            GetParent()->SendSizeEvent(wxSEND_EVENT_POST);
        }
    }
    return bChanged;
}
#endif

void TabCtrl::FitLabelsBefore(int nRight) {
    m_nFitRight = nRight;
    m_nFitTicks = kFitTimeoutMs / kFitTickMs;
    if (!m_fitTimer.IsRunning()) {
        m_fitTimer.Start(kFitTickMs);
    }
}

std::vector<wxRect> TabCtrl::GetLabelRects() const {
    std::vector<wxRect> rects(GetPageCount());
    const int nHeight = std::min(kTabRowHeight, GetSize().y);
    // Every second row is enough to find labels of text height, and halves the work.
    for (int y = 0; y < nHeight; y += 2) {
        for (int x = 0; x < GetSize().x; ++x) {
            const int nTab = HitTest(wxPoint(x, y));
            if (nTab >= 0 && nTab < static_cast<int>(rects.size())) {
                rects[nTab].Union(wxRect(GetPosition() + wxPoint(x, y), wxSize(1, 2)));
            }
        }
    }
    return rects;
}

void TabCtrl::OnFitTimer(wxTimerEvent& WXUNUSED(event)) {
    if (--m_nFitTicks < 0 || !IsShownOnScreen() || GetPageCount() == 0) {
        m_fitTimer.Stop();
        return;
    }
    const std::vector<wxRect> rects = GetLabelRects();
    for (const wxRect& rc : rects) {
        if (rc.IsEmpty()) {
            return;  // not laid out yet
        }
    }
    if (rects.back().GetRight() < m_nFitRight || !NarrowTabs(rects)) {
        m_fitTimer.Stop();
    }
    // After a step the row is laid out anew; the next tick measures it.
}

bool TabCtrl::NarrowTabs(const std::vector<wxRect>& rects) {
#ifdef __WXGTK3__
    if (!m_bPaddingSet && rects.size() > 1) {
        m_bPaddingSet = true;
        // Between two labels lie the padding on both sides of a tab and the tabs' borders. The
        // last label moves left by the padding saved on every tab side before its right end.
        int nGap = rects[1].x - rects[0].GetRight() - 1;
        for (size_t i = 2; i < rects.size(); ++i) {
            nGap = std::min(nGap, rects[i].x - rects[i - 1].GetRight() - 1);
        }
        const int nOverlap = rects.back().GetRight() - m_nFitRight + 1;
        const int nSides = 2 * static_cast<int>(rects.size()) - 1;
        const int nPadding = std::max(0, nGap / 2 - (nOverlap + nSides - 1) / nSides - 1);
        char szStyle[160];
        std::snprintf(szStyle, sizeof szStyle,
                      "notebook > header > tabs > tab { padding-left: %dpx; "
                      "padding-right: %dpx; min-width: 0; }",
                      nPadding, nPadding);
        GTKApplyCssStyle(szStyle);
        return true;
    }
#else
    (void)rects;
#endif
    if (m_nFontSteps < kMaxFontSteps) {
        ++m_nFontSteps;
        SetFont(GetFont().Smaller());
        return true;
    }
    return false;
}
