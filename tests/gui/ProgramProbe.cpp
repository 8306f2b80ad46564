// Linked into lexano_probe, a copy of the program lexano (the same main and application): a
// report of what its window shows, for the tests that start the program as a user does. While
// the environment names a file in LEXANO_PROBE_FILE, the file is replaced every 50 ms by lines
// "name=value":
//   pid      the process id
//   mode     "list" or "entry"
//   search   the search text (UTF-8)
//   selected the selected row's word, empty when none
//   tabs     the tab labels, comma-separated
//   page     the page's text, lines joined by " | "
//   active   1 while the window is the active one
//   dark     1 while the page is drawn in a dark desktop's colours
#include <unistd.h>

#include <wx/app.h>
#include <wx/ffile.h>
#include <wx/listctrl.h>
#include <wx/module.h>
#include <wx/notebook.h>
#include <wx/timer.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/MainDialog.h"
#include "htmlview/PageWindow.h"
#include "platform/AnsiText.h"
#include "res/resource.h"

namespace {

PageWindow* FindPage(wxWindow* pDlg) {
    wxWindow* pView = pDlg->FindWindow(IDC_HTML);
    if (pView == nullptr || pView->GetChildren().empty()) {
        return nullptr;
    }
    return dynamic_cast<PageWindow*>(pView->GetChildren().GetFirst()->GetData());
}

wxString DescribeDialog(MainDialog* pDlg) {
    wxString strState;
    strState << "pid=" << static_cast<long>(getpid()) << "\n";
    strState << "mode=" << (pDlg->GetMode() == MainDialog::kEntryMode ? "entry" : "list") << "\n";
    strState << "search=" << AnsiToWx(pDlg->GetSearchText()) << "\n";
    if (wxListCtrl* pList = wxDynamicCast(pDlg->FindWindow(IDC_LIST1), wxListCtrl)) {
        const long nRow = pList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
        strState << "selected=" << (nRow >= 0 ? pList->GetItemText(nRow) : wxString()) << "\n";
    }
    if (wxNotebook* pTab = wxDynamicCast(pDlg->FindWindow(IDC_TAB1), wxNotebook)) {
        strState << "tabs=";
        for (size_t i = 0; i < pTab->GetPageCount(); ++i) {
            strState << (i > 0 ? "," : "") << pTab->GetPageText(i);
        }
        strState << "\n";
    }
    if (PageWindow* pPage = FindPage(pDlg)) {
        wxString strText = pPage->ToText();
        strText.Replace("\n", " | ");
        strState << "page=" << strText << "\n";
        strState << "dark=" << (pPage->IsDrawnDark() ? 1 : 0) << "\n";
    }
    strState << "active=" << (pDlg->IsActive() ? 1 : 0) << "\n";
    return strState;
}

class ProbeModule : public wxModule {
public:
    bool OnInit() override {
        const char* pszPath = std::getenv("LEXANO_PROBE_FILE");
        // Only the window program reports; the windowless child of a hand-over does not.
        if (pszPath == nullptr || !wxTheApp->IsGUI()) {
            return true;
        }
        m_strPath = pszPath;
        m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Report(); });
        m_timer.Start(50);
        return true;
    }
    void OnExit() override { m_timer.Stop(); }

private:
    void Report() {
        MainDialog* pDlg = dynamic_cast<MainDialog*>(wxTheApp->GetTopWindow());
        if (pDlg == nullptr || !pDlg->IsShown()) {
            return;
        }
        // Written whole or not at all.
        const std::string strTemp = m_strPath + ".tmp";
        wxFFile file(strTemp, "w");
        if (file.IsOpened() && file.Write(DescribeDialog(pDlg), wxConvUTF8) && file.Close()) {
            std::rename(strTemp.c_str(), m_strPath.c_str());
        }
    }

    std::string m_strPath;
    wxTimer m_timer;

    wxDECLARE_DYNAMIC_CLASS(ProbeModule);
};

wxIMPLEMENT_DYNAMIC_CLASS(ProbeModule, wxModule);

}  // namespace
