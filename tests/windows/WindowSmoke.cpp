// The window program for the smoke test under Wine: the program lexano itself (the same main
// and application, with its command line and its one window), plus a report of what the
// window shows, rewritten every 100 ms to the file named by the environment variable
// LEXANO_SMOKE_STATE. smoke-window.sh drives the window with real input (xdotool) and waits on
// that report. One "name=value" line each:
//   rows        rows of the word list
//   selected    the selected row's index and text ("-1" when none)
//   edit        the search box's text
//   mode        "list" while the word list is shown, "entry" while the page is
//   tabs        the tab labels, comma-separated
//   page        the page's text, lines joined by " | ", at most 300 characters
//   selection   the text selected in the page
//   dark        1 while the page is drawn in a dark desktop's colours
//   hscroll     1 when the word list has a horizontal scroll bar
//   row         screen centre of the third visible row and its index: "X Y INDEX"
//   headword    screen point over the page's first word: "X Y"
//   lookup      screen centre of the "L" button: "X Y"
//   tabrow      height of the tab row: from the tab control's top to the view's
//   acp         the ANSI code page
//   path        the program's path as GetExecutablePath gives it (ANSI, or short when needed)
//   hit         what a click on the headword reaches: "page", or the class of what lies above
//   link        screen centre of the first related word's link in view and the word: "X Y WORD"
//   focuslink   the page's focused link, by its place among the links (-1: none)
//   history     the pages in the history and the current one's place: "COUNT INDEX"
#include <wx/app.h>
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/module.h>
#include <wx/msw/private.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/file.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include "app/MainDialog.h"
#include "htmlview/HtmlLink.h"
#include "htmlview/LinkCells.h"
#include "htmlview/PageWindow.h"
#include "platform/Environment.h"
#include "platform/AnsiText.h"
#include "res/resource.h"

namespace {

wxString PointText(const wxPoint& pt) {
    return wxString::Format("%d %d", pt.x, pt.y);
}

wxString Centre(wxWindow* pWnd) {
    const wxSize size = pWnd->GetClientSize();
    return PointText(pWnd->ClientToScreen(wxPoint(size.x / 2, size.y / 2)));
}

PageWindow* FindPage(wxWindow* pDlg) {
    wxWindow* pView = pDlg->FindWindow(IDC_HTML);
    if (pView == nullptr || pView->GetChildren().empty()) {
        return nullptr;
    }
    return dynamic_cast<PageWindow*>(pView->GetChildren().GetFirst()->GetData());
}

// The first related word's link in view, the link focus and the history.
void AddLinkState(wxWindow* pDlg, PageWindow* pPage, wxString& strState) {
    std::vector<LinkCells> links;
    CollectLinkCells(pPage->GetInternalRepresentation(), links);
    for (const LinkCells& link : links) {
        HtmlLinkInfo info;
        const wxRect rc(pPage->CalcScrolledPosition(link.rects.front().GetPosition()),
                        link.rects.front().GetSize());
        if (ClassifyNavigation(WxToAnsi(link.pLink->GetHref()).c_str(), info) ==
                HtmlNavigation::kLink &&
            info.nThird >= 1 && info.nThird <= 26 && pPage->GetClientRect().Contains(rc)) {
            const wxPoint ptCentre = rc.GetPosition() + wxPoint(rc.width / 2, rc.height / 2);
            strState << "link=" << PointText(pPage->ClientToScreen(ptCentre)) << " "
                     << AnsiToWx(info.strText) << "\n";
            break;
        }
    }
    strState << "focuslink=" << pPage->GetFocusedLink() << "\n";
    if (MainDialog* pMain = dynamic_cast<MainDialog*>(pDlg)) {
        strState << "history=" << pMain->GetEntryView().GetHistory().size() << " "
                 << pMain->GetEntryView().GetHistoryIndex() << "\n";
    }
}

void AddListState(wxListCtrl* pList, wxString& strState) {
    const long nSelected = pList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    strState << "rows=" << pList->GetItemCount() << "\n";
    strState << "selected=" << nSelected;
    if (nSelected >= 0) {
        strState << " " << pList->GetItemText(nSelected);
    }
    strState << "\nmode=" << (pList->IsShown() ? "list" : "entry") << "\n";
    const LONG_PTR nStyle = ::GetWindowLongPtr(static_cast<HWND>(pList->GetHWND()), GWL_STYLE);
    strState << "hscroll=" << ((nStyle & WS_HSCROLL) ? 1 : 0) << "\n";
    const long nRow = pList->GetTopItem() + 2;
    wxRect rc;
    if (nRow < pList->GetItemCount() && pList->GetItemRect(nRow, rc)) {
        const wxPoint pt = pList->ClientToScreen(wxPoint(rc.x + 20, rc.y + rc.height / 2));
        strState << "row=" << PointText(pt) << " " << nRow << "\n";
    }
}

void AddPageState(wxWindow* pDlg, wxString& strState) {
    if (wxNotebook* pTab = wxDynamicCast(pDlg->FindWindow(IDC_TAB1), wxNotebook)) {
        strState << "tabs=";
        for (size_t i = 0; i < pTab->GetPageCount(); ++i) {
            strState << (i > 0 ? "," : "") << pTab->GetPageText(i);
        }
        strState << "\n";
        if (wxWindow* pView = pDlg->FindWindow(IDC_HTML)) {
            strState << "tabrow=" << pView->GetRect().y - pTab->GetRect().y << "\n";
        }
    }
    if (PageWindow* pPage = FindPage(pDlg)) {
        wxString strText = pPage->ToText();
        strText.Replace("\n", " | ");
        strState << "page=" << strText.Left(300) << "\n";
        strState << "selection=" << pPage->SelectionToText() << "\n";
        strState << "dark=" << (pPage->IsDrawnDark() ? 1 : 0) << "\n";
        const wxPoint ptHead = pPage->ClientToScreen(wxPoint(22, 21));
        strState << "headword=" << PointText(ptHead) << "\n";
        // Which window a click there reaches: the page itself unless a sibling lies above it.
        POINT pt = {ptHead.x, ptHead.y};
        const HWND hHit = ::WindowFromPoint(pt);
        wxWindow* pHit = wxFindWinFromHandle(hHit);
        strState << "hit=";
        if (pHit == pPage) {
            strState << "page\n";
        } else {
            strState << (pHit ? pHit->GetClassInfo()->GetClassName() : wxT("none")) << "\n";
        }
        AddLinkState(pDlg, pPage, strState);
    }
    if (wxWindow* pLookup = pDlg->FindWindow(IDC_LOOKUP)) {
        strState << "lookup=" << Centre(pLookup) << "\n";
    }
}

// Replaces the report by the dialog's state; the report is written whole or not at all.
void WriteState(wxWindow* pDlg, const wxString& strPath) {
    wxListCtrl* pList = wxDynamicCast(pDlg->FindWindow(IDC_LIST1), wxListCtrl);
    wxTextCtrl* pEdit = wxDynamicCast(pDlg->FindWindow(IDC_EDIT1), wxTextCtrl);
    if (pList == nullptr || pEdit == nullptr) {
        return;
    }
    wxString strState;
    AddListState(pList, strState);
    strState << "edit=" << pEdit->GetValue() << "\n";
    // The ANSI code page and the program's path as the data file is opened through it.
    strState << "acp=" << ::GetACP() << "\n";
    strState << "path=" << wxString(GetExecutablePath().c_str(), wxConvLibc) << "\n";
    AddPageState(pDlg, strState);
    const wxString strTemp = strPath + ".tmp";
    wxFile file;
    if (file.Create(strTemp, true) && file.Write(strState, wxConvUTF8)) {
        file.Close();
        ::MoveFileExW(strTemp.wc_str(), strPath.wc_str(), MOVEFILE_REPLACE_EXISTING);
    }
}

// Starts the report with the toolkit, when the environment asks for it.
class SmokeModule : public wxModule {
public:
    bool OnInit() override {
        if (!wxGetEnv("LEXANO_SMOKE_STATE", &m_strPath)) {
            return true;
        }
        m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
            if (wxWindow* pDlg = dynamic_cast<MainDialog*>(wxTheApp->GetTopWindow())) {
                WriteState(pDlg, m_strPath);
            }
        });
        m_timer.Start(100);
        return true;
    }
    void OnExit() override { m_timer.Stop(); }

private:
    wxString m_strPath;
    wxTimer m_timer;

    wxDECLARE_DYNAMIC_CLASS(SmokeModule);
};

wxIMPLEMENT_DYNAMIC_CLASS(SmokeModule, wxModule);

}  // namespace
