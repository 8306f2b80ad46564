// PageWindow: the HTML window inside CHtmlCtrl that shows the entry pages.
//
// It renders HTML 3.2 itself and loads nothing from anywhere: every page is handed to it as a
// string. What a person does in it is answered here: a click on a link is passed to the owning
// control, which decides what the link means; the right-click menu holds "Copy" and "Look up";
// Ctrl+plus, Ctrl+minus, Ctrl+0 and Ctrl with the mouse wheel zoom the text. Arrow keys, Page Up,
// Page Down, Home and End scroll the page; a double-click selects a word, without the white space
// and punctuation around it; Ctrl+C copies the selection. On a dark desktop the pages are drawn
// dark (htmlview/DarkPage.h). The links can be gone through from the keyboard: the view keeps a
// link focus, marked by a frame around the link, which the owner moves and follows
// (MoveLinkFocus, FollowFocusedLink).
#ifndef LEXANO_HTMLVIEW_PAGEWINDOW_H
#define LEXANO_HTMLVIEW_PAGEWINDOW_H

#include <wx/html/htmlwin.h>
#include <wx/timer.h>

#include <functional>
#include <vector>

#include "htmlview/MeasuringDC.h"
#include "htmlview/PreparedPage.h"

class PageWindow : public wxHtmlWindow {
public:
    // Labels of the right-click menu.
    static constexpr const char* kCopyLabel = "Copy";
    static constexpr const char* kLookUpLabel = "Look up";
    // Zoom steps of the page text, each about 10%, either side of the desktop's size.
    static constexpr int kMinZoomStep = -5;
    static constexpr int kMaxZoomStep = 10;

    // What the owner is told: a link was clicked (its href and target, as the page wrote
    // them), and "Look up" was chosen in the menu.
    using LinkHandler = std::function<void(const wxString& strHref, const wxString& strTarget)>;
    using LookUpHandler = std::function<void()>;
    // The link the pointer rests on, or the link focus moved to, by its href.
    using LinkRestHandler = std::function<void(const wxString& strHref)>;
    // How long the pointer rests on a link before the owner is told.
    static constexpr int kLinkRestMs = 40;

    PageWindow(wxWindow* pParent, const wxSize& size);

    void SetLinkHandler(const LinkHandler& handler) { m_linkHandler = handler; }
    void SetLookUpHandler(const LookUpHandler& handler) { m_lookUpHandler = handler; }
    void SetLinkRestHandler(const LinkRestHandler& handler) { m_linkRestHandler = handler; }
    const LinkRestHandler& GetLinkRestHandler() const { return m_linkRestHandler; }

    // Replaces the shown page by strHtml and scrolls to its top; the page prepared for exactly
    // strHtml is shown without being parsed again. Always true.
    bool ShowPage(const wxString& strHtml);
    // Parses strHtml ahead of ShowPage (htmlview/PreparedPage.h), unless it is kept already.
    void PreparePage(const wxString& strHtml);
    // True when strHtml is the page kept prepared.
    bool IsPrepared(const wxString& strHtml) const { return m_prepared.Holds(strHtml); }

    // Scrolls so that the last anchor named strName is at the top; false when there is none.
    bool ScrollToLastAnchor(const wxString& strName);
    // Scrolls so that pixel row nY of the page is at the top (as far as the page allows).
    void ScrollToPixel(int nY);
    // Height of the laid-out page in pixels, and the pixel row at the top of the window.
    int GetPageHeight() const;
    int GetTopPixel() const;

    // The zoom step: 0 is the desktop's size. Steps outside the range are clamped.
    int GetZoomStep() const { return m_nZoomStep; }
    void SetZoomStep(int nStep);

    // The menu shown on a right click or the Menu key; built fresh each time.
    wxMenu* CreateContextMenu();
    // Shows that menu as the keyboard opens it: under the focused link when it is in view, else
    // at the top left of the window. Returns once the menu is closed.
    void ShowContextMenuFromKeyboard();

    // Moves the link focus to the next link of the page (bForward) or the one before, round the
    // page; with no link focused, to the first link not above the window's top (the last not
    // below its bottom), or round to the first (last). The link is marked and scrolled into
    // view. False, nothing changed, when the page has no link.
    bool MoveLinkFocus(bool bForward);
    // Follows the focused link as a click on it does. False when no link is focused.
    bool FollowFocusedLink();
    // The focused link's place among the page's links in page order; -1 when none is. A new
    // page has none.
    int GetFocusedLink() const { return m_nFocusLink; }
    // The rectangles of the focused link's cells in window coordinates (scrolled), one per line
    // it runs over; empty when no link is focused.
    std::vector<wxRect> GetFocusedLinkRects() const;

    // Replaces the shown page by strSource; the link focus goes.
    bool SetPage(const wxString& strSource) override;

    // Selects the word at ptPage (page coordinates, unscrolled) as a double-click does: the text
    // of the word cell there without the white space and punctuation at its ends ("tour," gives
    // "tour"), or the whole cell when that would leave nothing. Nothing where no cell lies.
    void SelectWordAt(const wxPoint& ptPage);

    // The sizes of words measured so far, kept from page to page (htmlview/MeasuringDC.h).
    const MeasuringDC& GetMeasuringDC() const { return m_measuringDC; }

    // True while the shown page is drawn in the colours of a dark desktop (htmlview/DarkPage.h).
    bool IsDrawnDark() const { return m_bDark; }

    // Told by the HTML window when the link under the pointer changes (its href, or empty).
    void SetHTMLStatusText(const wxString& strText) override;

protected:
    void OnLinkClicked(const wxHtmlLinkInfo& link) override;
    wxHtmlOpeningStatus OnOpeningURL(wxHtmlURLType type, const wxString& strUrl,
                                     wxString* pRedirect) const override;

private:
    void ApplyFonts();
    // Shows the prepared cells pCells of the page strSource in place of the page shown.
    void ShowPreparedCells(wxHtmlContainerCell* pCells, const wxString& strSource);
    // Tells the owner of the link strHref once it has rested there kLinkRestMs.
    void StartLinkRest(const wxString& strHref);
    // Draws the page just parsed in the dark page's colours when the desktop is dark.
    void ApplyDesktopColours();
    void OnSysColourChanged(wxSysColourChangedEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    void OnKeyDownZoom(wxKeyEvent& event);
    void OnMouseWheel(wxMouseEvent& event);
    void OnMenuCopy(wxCommandEvent& event);
    void OnMenuLookUp(wxCommandEvent& event);
    void OnDoubleClick(wxMouseEvent& event);
    // Narrows a selection of one word cell to the part [nBegin, nEnd) of its text.
    void NarrowSelection(size_t nBegin, size_t nEnd);
    // Paints the page, then the link focus's mark over it.
    void OnPaintWithLinkFocus(wxPaintEvent& event);
    // Scrolls the least that shows rcPage (page coordinates) whole, or its top when it is
    // taller than the window.
    void ScrollIntoView(const wxRect& rcPage);

    LinkHandler m_linkHandler;
    LookUpHandler m_lookUpHandler;
    LinkRestHandler m_linkRestHandler;
    wxTimer m_linkRestTimer;
    wxString m_strRestingHref;
    wxString m_strSource;  // the page shown, as given
    PreparedPage::Fonts m_fonts;
    int m_nFocusLink = -1;  // the focused link's place in page order; -1: none
    int m_nZoomStep = 0;
    int m_nWheelRotation = 0;  // wheel movement not yet turned into a zoom step
    bool m_bDark = false;      // the page is drawn dark
    // The words' sizes kept from page to page; attached to the window's DC only while a page
    // is parsed.
    MeasuringDC m_measuringDC;
    PreparedPage m_prepared{&m_measuringDC};
};

#endif
