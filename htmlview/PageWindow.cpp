#include "htmlview/PageWindow.h"

#include "htmlview/DarkPage.h"
#include "htmlview/PageTagHandlers.h"

#include <wx/dcclient.h>
#include <wx/html/htmlcell.h>
#include <wx/menu.h>
#include <wx/settings.h>

#include <algorithm>
#include <cmath>
#include <typeinfo>

#include "dictdata/SearchText.h"
#include "htmlview/LinkCells.h"
#include "platform/AnsiText.h"

namespace {

// The pages set their text with <font size="1"> to <font size="7">. Relative to size 3 these are
// the sizes web browsers use (10, 13, 16, 18, 24, 32 and 48 pixels for a 16-pixel size 3), and
// size 3 is 1.2 times the desktop's font, so that a page looks as it does in a browser on a
// desktop with the common 10-point font while following the desktop's own choice.
const double kFontSizeRatios[7] = {0.625, 0.8125, 1.0, 1.125, 1.5, 2.0, 3.0};
const double kSize3PerDesktopPoint = 1.2;
const double kZoomPerStep = 1.1;
// Pixels between the page and the window's edges, as browsers leave around a page's body.
const int kPageBorder = 8;

enum { kIdMenuCopy = wxID_HIGHEST + 1, kIdMenuLookUp };

// The last cell at or after pCell, among its following siblings and their children, that is an
// anchor named strName; null when there is none.
const wxHtmlCell* FindLastAnchor(const wxHtmlCell* pCell, const wxString& strName) {
    const wxHtmlCell* pLast = nullptr;
    for (const wxHtmlCell* p = pCell; p != nullptr; p = p->GetNext()) {
        if (p->GetFirstChild() != nullptr) {
            if (const wxHtmlCell* pFound = FindLastAnchor(p->GetFirstChild(), strName)) {
                pLast = pFound;
            }
        } else if (p->Find(wxHTML_COND_ISANCHOR, &strName) == p) {
            pLast = p;
        }
    }
    return pLast;
}

// Sets on dc the font in which pCell is drawn: the font cells before it, in page order, each set
// the font of what follows them.
void ApplyFontOfCell(wxDC& dc, const wxHtmlCell* pRoot, const wxHtmlCell* pCell) {
    wxDefaultHtmlRenderingStyle style;
    wxHtmlRenderingInfo info;
    info.SetStyle(&style);
    for (wxHtmlTerminalCellsInterator it(pRoot->GetFirstTerminal(), pCell); it; ++it) {
        // Drawing invisibly only sets the DC's font and colours; nothing is painted.
        const_cast<wxHtmlCell*>(*it)->DrawInvisible(dc, 0, 0, info);
    }
}

}  // namespace

PageWindow::PageWindow(wxWindow* pParent, const wxSize& size)
    : wxHtmlWindow(pParent, wxID_ANY, wxPoint(0, 0), size, wxHW_SCROLLBAR_AUTO | wxBORDER_NONE) {
    SetBorders(kPageBorder);
    AddPageTagHandlers(GetParser(), &m_measuringDC);
    ApplyFonts();
    // Before the HTML window's own paint handler, which it calls.
    Bind(wxEVT_PAINT, &PageWindow::OnPaintWithLinkFocus, this);
    Bind(wxEVT_CONTEXT_MENU, &PageWindow::OnContextMenu, this);
    Bind(wxEVT_KEY_DOWN, &PageWindow::OnKeyDownZoom, this);
    Bind(wxEVT_MOUSEWHEEL, &PageWindow::OnMouseWheel, this);
    Bind(wxEVT_MENU, &PageWindow::OnMenuCopy, this, kIdMenuCopy);
    Bind(wxEVT_MENU, &PageWindow::OnMenuLookUp, this, kIdMenuLookUp);
    // Before the HTML window's own double-click handler, which would select the whole cell.
    Bind(wxEVT_LEFT_DCLICK, &PageWindow::OnDoubleClick, this);
    Bind(wxEVT_SYS_COLOUR_CHANGED, &PageWindow::OnSysColourChanged, this);
    m_linkRestTimer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        if (m_linkRestHandler && !m_strRestingHref.empty()) {
            m_linkRestHandler(m_strRestingHref);
        }
    });
}

bool PageWindow::ShowPage(const wxString& strHtml) {
    if (wxHtmlContainerCell* pCells = m_prepared.Take(strHtml)) {
        ShowPreparedCells(pCells, strHtml);
    } else {
        SetPage(strHtml);
    }
    ApplyDesktopColours();
    Scroll(0, 0);
    return true;
}

void PageWindow::PreparePage(const wxString& strHtml) {
    if (!m_prepared.Holds(strHtml) && strHtml != m_strSource) {
        m_prepared.Prepare(this, strHtml, m_fonts, kPageBorder);
    }
}

void PageWindow::ShowPreparedCells(wxHtmlContainerCell* pCells, const wxString& strSource) {
    // What the HTML window does for a page it parses, and what a new page clears: a selection
    // being made with the mouse (its cells are going), the selection, the link focus. The
    // scroll bars stay as they are until the layout: an empty page in between would hide them
    // and lay the page out for a width the window does not have yet.
    wxMouseCaptureLostEvent lost;
    OnMouseCaptureLost(lost);
    if (HasCapture()) {
        ReleaseMouse();
    }
    wxDELETE(m_selection);
    m_nFocusLink = -1;
    m_linkRestTimer.Stop();
    m_strSource = strSource;
    SetBackgroundColour(*wxWHITE);
    delete m_Cell;
    m_Cell = pCells;
    CreateLayout();
    Refresh();
}

void PageWindow::SetHTMLStatusText(const wxString& strText) {
    wxHtmlWindow::SetHTMLStatusText(strText);
    StartLinkRest(strText);
}

void PageWindow::StartLinkRest(const wxString& strHref) {
    m_strRestingHref = strHref;
    if (strHref.empty() || !m_linkRestHandler) {
        m_linkRestTimer.Stop();
    } else {
        m_linkRestTimer.StartOnce(kLinkRestMs);
    }
}

void PageWindow::ApplyDesktopColours() {
    // Checked at every parse, so that a page written after the desktop changed its theme
    // follows it. A light desktop keeps the page's own colours.
    m_bDark = IsDarkDesktop();
    if (m_bDark) {
        DarkenParsedPage(this, DesktopDarkScheme());
    }
}

void PageWindow::OnSysColourChanged(wxSysColourChangedEvent& event) {
    event.Skip();
    // The shown page is parsed again from its source, which brings back its written colours,
    // and drawn in the desktop's new ones, at the same place.
    m_prepared.Drop();  // parsed in the old colours' page, which the darkening walks
    const wxString strSource = m_strSource;
    const int nTop = GetTopPixel();
    SetPage(strSource);
    ApplyDesktopColours();
    ScrollToPixel(nTop);
    Refresh();
}

bool PageWindow::ScrollToLastAnchor(const wxString& strName) {
    const wxHtmlCell* pAnchor = FindLastAnchor(GetInternalRepresentation(), strName);
    if (pAnchor == nullptr) {
        return false;
    }
    int nY = 0;
    for (const wxHtmlCell* p = pAnchor; p != nullptr; p = p->GetParent()) {
        nY += p->GetPosY();
    }
    ScrollToPixel(nY);
    return true;
}

void PageWindow::ScrollToPixel(int nY) {
    int nUnitX = 0;
    int nUnitY = 0;
    GetScrollPixelsPerUnit(&nUnitX, &nUnitY);
    if (nUnitY > 0) {
        Scroll(-1, std::max(0, nY) / nUnitY);
    }
}

int PageWindow::GetPageHeight() const {
    return GetVirtualSize().y;
}

int PageWindow::GetTopPixel() const {
    int nUnitX = 0;
    int nUnitY = 0;
    GetScrollPixelsPerUnit(&nUnitX, &nUnitY);
    return GetViewStart().y * nUnitY;
}

void PageWindow::SetZoomStep(int nStep) {
    nStep = std::min(kMaxZoomStep, std::max(kMinZoomStep, nStep));
    if (nStep == m_nZoomStep) {
        return;
    }
    // The page is laid out anew; the same share of it stays at the top.
    const int nHeight = GetPageHeight();
    const double dShare = nHeight > 0 ? static_cast<double>(GetTopPixel()) / nHeight : 0.0;
    m_nZoomStep = nStep;
    ApplyFonts();
    ScrollToPixel(static_cast<int>(dShare * GetPageHeight()));
}

void PageWindow::ApplyFonts() {
    const wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    const double dPoints = font.IsOk() ? font.GetFractionalPointSize() : 10.0;
    const double dSize3 = dPoints * kSize3PerDesktopPoint * std::pow(kZoomPerStep, m_nZoomStep);
    int sizes[7];
    for (int i = 0; i < 7; ++i) {
        sizes[i] = std::max(1, static_cast<int>(std::lround(dSize3 * kFontSizeRatios[i])));
    }
    m_measuringDC.Forget();  // the sizes kept are those of the old fonts
    m_prepared.Drop();
    m_fonts.strNormalFace = font.IsOk() ? font.GetFaceName() : wxString();
    m_fonts.strFixedFace = wxString();
    std::copy(sizes, sizes + 7, m_fonts.sizes);
    SetFonts(m_fonts.strNormalFace, m_fonts.strFixedFace, sizes);
    ApplyDesktopColours();  // new fonts parse the page again
}

void PageWindow::OnLinkClicked(const wxHtmlLinkInfo& link) {
    // Never LoadPage: what a link means is the owner's decision, and nothing is fetched.
    if (m_linkHandler) {
        m_linkHandler(link.GetHref(), link.GetTarget());
    }
}

wxHtmlOpeningStatus PageWindow::OnOpeningURL(wxHtmlURLType WXUNUSED(type),
                                             const wxString& WXUNUSED(strUrl),
                                             wxString* WXUNUSED(pRedirect)) const {
    // Pages are complete strings: images, style sheets or frames they might name are not loaded.
    return wxHTML_BLOCK;
}

wxMenu* PageWindow::CreateContextMenu() {
    wxMenu* pMenu = new wxMenu;
    pMenu->Append(kIdMenuCopy, kCopyLabel);
    pMenu->Append(kIdMenuLookUp, kLookUpLabel);
    pMenu->Enable(kIdMenuCopy, !SelectionToText().empty());
    return pMenu;
}

void PageWindow::OnContextMenu(wxContextMenuEvent& event) {
    wxPoint pt = event.GetPosition();
    if (pt != wxDefaultPosition) {
        pt = ScreenToClient(pt);
    }
    wxMenu* pMenu = CreateContextMenu();
    PopupMenu(pMenu, pt);
    delete pMenu;
}

void PageWindow::OnKeyDownZoom(wxKeyEvent& event) {
    if (!event.ControlDown() || event.AltDown()) {
        event.Skip();
        return;
    }
    switch (event.GetKeyCode()) {
    case '+':
    case '=':
    case WXK_NUMPAD_ADD:
        SetZoomStep(m_nZoomStep + 1);
        break;
    case '-':
    case WXK_NUMPAD_SUBTRACT:
        SetZoomStep(m_nZoomStep - 1);
        break;
    case '0':
    case WXK_NUMPAD0:
        SetZoomStep(0);
        break;
    default:
        event.Skip();  // Ctrl+C and the rest: the HTML window's own keys
        break;
    }
}

void PageWindow::OnMouseWheel(wxMouseEvent& event) {
    if (!event.ControlDown()) {
        event.Skip();  // scrolling
        return;
    }
    m_nWheelRotation += event.GetWheelRotation();
    const int nDelta = event.GetWheelDelta() > 0 ? event.GetWheelDelta() : 120;
    const int nSteps = m_nWheelRotation / nDelta;
    if (nSteps != 0) {
        m_nWheelRotation -= nSteps * nDelta;
        SetZoomStep(m_nZoomStep + nSteps);
    }
}

void PageWindow::OnMenuCopy(wxCommandEvent& WXUNUSED(event)) {
    // Opens the clipboard itself, and only for as long as it writes.
    CopySelection(Secondary);
}

void PageWindow::OnDoubleClick(wxMouseEvent& event) {
    if (!IsSelectionEnabled()) {
        event.Skip();
        return;
    }
    SelectWordAt(CalcUnscrolledPosition(event.GetPosition()));
    CopySelection(Primary);  // as X11 programs do: the selected word is the PRIMARY selection
    m_lastDoubleClick = wxGetLocalTimeMillis();  // a third click selects the line
}

void PageWindow::SelectWordAt(const wxPoint& ptPage) {
    SelectWord(ptPage);
    const wxHtmlCell* pCell = m_selection != nullptr ? m_selection->GetFromCell() : nullptr;
    // Only a plain word cell: one with tabs shows other text than it holds.
    if (pCell == nullptr || typeid(*pCell) != typeid(wxHtmlWordCell)) {
        return;
    }
    size_t nBegin = 0;
    size_t nEnd = 0;
    FindWordSpan(WxToAnsi(pCell->ConvertToText(nullptr)), nBegin, nEnd);
    if (nBegin < nEnd) {
        NarrowSelection(nBegin, nEnd);
    }
}

void PageWindow::NarrowSelection(size_t nBegin, size_t nEnd) {
    const wxHtmlCell* pCell = m_selection->GetFromCell();
    const wxString strText = pCell->ConvertToText(nullptr);
    if (nBegin == 0 && nEnd == strText.length()) {
        return;
    }
    wxClientDC dc(this);
    ApplyFontOfCell(dc, GetInternalRepresentation(), pCell);
    wxArrayInt widths;
    if (!dc.GetPartialTextExtents(strText, widths) || widths.size() < nEnd) {
        return;
    }
    // Pixel offsets of the part's ends within the cell. The points carry them for a layout
    // anew; the character positions and extents are what drawing and copying use.
    const int nFromX = nBegin > 0 ? widths[nBegin - 1] : 0;
    const int nToX = widths[nEnd - 1];
    const wxPoint ptCell = pCell->GetAbsPos();
    m_selection->Set(ptCell + wxPoint(nFromX, 0), pCell, ptCell + wxPoint(nToX, 0), pCell);
    m_selection->SetFromCharacterPos(static_cast<wxCoord>(nBegin));
    m_selection->SetToCharacterPos(static_cast<wxCoord>(nEnd));
    m_selection->SetExtentBeforeSelection(static_cast<unsigned>(nFromX));
    m_selection->SetExtentBeforeSelectionEnd(static_cast<unsigned>(nToX));
    RefreshRect(
        wxRect(CalcScrolledPosition(ptCell), wxSize(pCell->GetWidth(), pCell->GetHeight())));
}

void PageWindow::OnMenuLookUp(wxCommandEvent& WXUNUSED(event)) {
    if (m_lookUpHandler) {
        m_lookUpHandler();
    }
}

bool PageWindow::SetPage(const wxString& strSource) {
    m_nFocusLink = -1;
    m_linkRestTimer.Stop();  // the link rested on is gone with its page
    m_strSource = strSource;
    const bool bSet = wxHtmlWindow::SetPage(strSource);
    m_measuringDC.Detach();  // the window's DC of that parse is gone
    return bSet;
}

bool PageWindow::MoveLinkFocus(bool bForward) {
    std::vector<LinkCells> links;
    CollectLinkCells(GetInternalRepresentation(), links);
    const int nCount = static_cast<int>(links.size());
    if (nCount == 0) {
        return false;
    }
    int nNext = 0;
    if (m_nFocusLink >= 0 && m_nFocusLink < nCount) {
        nNext = (m_nFocusLink + (bForward ? 1 : nCount - 1)) % nCount;
    } else {
        // From the part of the page in view, as a reader expects after scrolling.
        const int nTop = GetTopPixel();
        const int nBottom = nTop + GetClientSize().y;
        nNext = bForward ? 0 : nCount - 1;
        for (int i = 0; i < nCount; ++i) {
            const int n = bForward ? i : nCount - 1 - i;
            const wxRect rc = links[n].GetBounds();
            if (bForward ? rc.GetTop() >= nTop : rc.GetBottom() < nBottom) {
                nNext = n;
                break;
            }
        }
    }
    m_nFocusLink = nNext;
    ScrollIntoView(links[nNext].GetBounds());
    Refresh();
    StartLinkRest(links[nNext].pLink->GetHref());
    return true;
}

bool PageWindow::FollowFocusedLink() {
    std::vector<LinkCells> links;
    CollectLinkCells(GetInternalRepresentation(), links);
    if (m_nFocusLink < 0 || m_nFocusLink >= static_cast<int>(links.size())) {
        return false;
    }
    // A copy: following the link may replace the page, and its cells with it.
    const wxHtmlLinkInfo link(links[m_nFocusLink].pLink->GetHref(),
                              links[m_nFocusLink].pLink->GetTarget());
    OnLinkClicked(link);
    return true;
}

std::vector<wxRect> PageWindow::GetFocusedLinkRects() const {
    std::vector<wxRect> rects;
    if (m_nFocusLink < 0) {
        return rects;  // every paint asks: a page of hundreds of links is not walked for nothing
    }
    std::vector<LinkCells> links;
    CollectLinkCells(GetInternalRepresentation(), links);
    if (m_nFocusLink >= 0 && m_nFocusLink < static_cast<int>(links.size())) {
        for (const wxRect& rc : links[m_nFocusLink].rects) {
            rects.push_back(wxRect(CalcScrolledPosition(rc.GetPosition()), rc.GetSize()));
        }
    }
    return rects;
}

void PageWindow::ScrollIntoView(const wxRect& rcPage) {
    const int kMargin = kPageBorder;
    const int nTop = GetTopPixel();
    const int nHeight = GetClientSize().y;
    if (rcPage.GetTop() - kMargin < nTop || rcPage.height + 2 * kMargin > nHeight) {
        ScrollToPixel(rcPage.GetTop() - kMargin);
    } else if (rcPage.GetBottom() + kMargin >= nTop + nHeight) {
        // Scrolling goes by whole units: rounded up so that the bottom is in view.
        int nUnitX = 0;
        int nUnitY = 0;
        GetScrollPixelsPerUnit(&nUnitX, &nUnitY);
        const int nWanted = rcPage.GetBottom() + kMargin + 1 - nHeight;
        ScrollToPixel(nUnitY > 0 ? (nWanted + nUnitY - 1) / nUnitY * nUnitY : nWanted);
    }
}

void PageWindow::OnPaintWithLinkFocus(wxPaintEvent& event) {
    // This paint DC stays open while the HTML window paints through its own: on Windows a
    // second one made after the first had closed would find nothing left to paint.
    wxPaintDC dc(this);
    wxHtmlWindow::OnPaint(event);
    const std::vector<wxRect> rects = GetFocusedLinkRects();
    if (rects.empty()) {
        return;
    }
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT), 2));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    for (const wxRect& rc : rects) {
        dc.DrawRectangle(wxRect(rc).Inflate(2, 1));
    }
}

void PageWindow::ShowContextMenuFromKeyboard() {
    wxPoint pt(kPageBorder, kPageBorder);
    const std::vector<wxRect> rects = GetFocusedLinkRects();
    if (!rects.empty() && GetClientRect().Contains(rects.front().GetBottomLeft())) {
        pt = rects.front().GetBottomLeft();
    }
    wxMenu* pMenu = CreateContextMenu();
    PopupMenu(pMenu, pt);
    delete pMenu;
}
