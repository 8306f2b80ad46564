// The tab control: a wxNotebook whose pages are empty windows; what a tab shows is drawn by a
// sibling laid over the display area, as a Windows tab control does it.
#ifndef LEXANO_PLATFORM_TABCTRL_H
#define LEXANO_PLATFORM_TABCTRL_H

#include <wx/gdicmn.h>
#include <wx/notebook.h>
#include <wx/timer.h>

#include <string>
#include <vector>

void TabInsertItem(wxNotebook* pTab, int nIndex, const std::string& strText);
void TabDeleteAllItems(wxNotebook* pTab);
int TabGetCurSel(wxNotebook* pTab);  // -1 when there are no tabs
// The display area for the tab control window rectangle rcWindow (same coordinates): the part
// below the tab row and inside the frame.
wxRect TabAdjustRect(wxNotebook* pTab, const wxRect& rcWindow);

// The tab control of the dialog templates. Besides the notebook it can keep its tabs' labels
// clear of controls that lie over the right end of its tab row.
class TabCtrl : public wxNotebook {
public:
    // Longest time FitLabelsBefore keeps measuring after a call.
    static constexpr int kFitTimeoutMs = 1500;

    TabCtrl(wxWindow* pParent, wxWindowID nId, const wxPoint& pt, const wxSize& size);

#ifdef __WXMSW__
    // Shown, the control goes below its siblings, which lie over its tab row and display area.
    bool Show(bool bShow = true) override;
#endif

    // Keeps every tab label left of x = nRight (the parent's client coordinates). The toolkit
    // may lay out the tab row later, so the labels are measured once they are laid out (for up
    // to kFitTimeoutMs), and while the last one reaches nRight the tabs are narrowed a step:
    // first less padding around the labels (as much less as the overlap needs), then a smaller
    // font, twice at most. Steps taken stay for the control's life.
    void FitLabelsBefore(int nRight);

    // The rectangles of the tabs' labels, without the tabs' padding, in the parent's client
    // coordinates, found with the hit test; a label not laid out yet has an empty rectangle.
    std::vector<wxRect> GetLabelRects() const;

private:
    void OnFitTimer(wxTimerEvent& event);
    // Takes the next narrowing step for labels at rects; false when none is left.
    bool NarrowTabs(const std::vector<wxRect>& rects);

    wxTimer m_fitTimer;
    int m_nFitRight = 0;
    int m_nFitTicks = 0;     // measurements left before giving up
    bool m_bPaddingSet = false;
    int m_nFontSteps = 0;
};

#endif
