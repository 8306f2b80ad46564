// The main dialog's window tests' fixture: the dialog over a data file beside the test program,
// driven as a user drives it, with keys and clicks through the X server, and the helpers that
// wait until what was sent has been handled.
#ifndef LEXANO_TESTS_GUI_DIALOGTEST_H
#define LEXANO_TESTS_GUI_DIALOGTEST_H

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/eventfilter.h>
#include <wx/html/htmlcell.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MainDialog.h"
#include "app/WordListCtrl.h"
#include "htmlview/HtmlMessages.h"
#include "htmlview/PageWindow.h"
#include "platform/AnsiText.h"
#include "platform/PrivateMessage.h"
#include "res/resource.h"
#include "tests/gui/GuiTest.h"


// Counts the keys and mouse buttons that have reached the program's windows, so that a test
// can wait until what it sent through the X server has been handled.
class InputCounter : public wxEventFilter {
public:
    InputCounter() { wxEvtHandler::AddFilter(this); }
    ~InputCounter() override { wxEvtHandler::RemoveFilter(this); }

    int FilterEvent(wxEvent& event) override {
        const wxEventType nType = event.GetEventType();
        if (nType == wxEVT_KEY_UP) {
            const int nKey = static_cast<wxKeyEvent&>(event).GetKeyCode();
            // Modifiers come with the keys they modify; only the keys themselves count.
            if (nKey != WXK_SHIFT && nKey != WXK_CONTROL && nKey != WXK_ALT &&
                nKey != WXK_RAW_CONTROL) {
                ++m_nKeys;
            }
        } else if (nType == wxEVT_LEFT_UP || nType == wxEVT_RIGHT_UP ||
                   nType == wxEVT_AUX1_UP || nType == wxEVT_AUX2_UP) {
            ++m_nButtons;
        }
        return Event_Skip;
    }

    int m_nKeys = 0;     // keys released
    int m_nButtons = 0;  // buttons released: left, right, back and forward
};

// The rectangle (dialog coordinates) of each tab's label, found with the tab control's hit test.
inline std::vector<wxRect> TabLabelRects(wxNotebook* pTab) {
    std::vector<wxRect> rects(pTab->GetPageCount());
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < pTab->GetSize().x; ++x) {
            const int nTab = pTab->HitTest(wxPoint(x, y));
            if (nTab >= 0 && nTab < static_cast<int>(rects.size())) {
                rects[nTab].Union(wxRect(pTab->GetPosition() + wxPoint(x, y), wxSize(1, 1)));
            }
        }
    }
    return rects;
}

// Chooses from the next popup menu of pTopLevel's windows from the keyboard. The menu runs its
// own loop, so a timer presses the keys, one a tick, while the menu is open (a key sent before
// it opened would go to the window under it on a slow run), then Escape should it stay open.
// Made before the action that opens the menu; stops when gone.
class PopupMenuKeys {
public:
    PopupMenuKeys(wxWindow* pTopLevel, std::vector<int> keys)
        : m_pTopLevel(pTopLevel), m_keys(std::move(keys)) {
        m_pTopLevel->Bind(wxEVT_MENU_OPEN, &PopupMenuKeys::OnMenuOpen, this);
        m_pTopLevel->Bind(wxEVT_MENU_CLOSE, &PopupMenuKeys::OnMenuClose, this);
        m_timer.Bind(wxEVT_TIMER, &PopupMenuKeys::OnTick, this);
        m_timer.Start(300);
    }
    ~PopupMenuKeys() {
        m_timer.Stop();
        m_pTopLevel->Unbind(wxEVT_MENU_OPEN, &PopupMenuKeys::OnMenuOpen, this);
        m_pTopLevel->Unbind(wxEVT_MENU_CLOSE, &PopupMenuKeys::OnMenuClose, this);
    }
    PopupMenuKeys(const PopupMenuKeys&) = delete;
    PopupMenuKeys& operator=(const PopupMenuKeys&) = delete;

private:
    void OnMenuOpen(wxMenuEvent& event) {
        m_bOpen = true;
        event.Skip();
    }
    void OnMenuClose(wxMenuEvent& event) {
        m_bOpen = false;
        event.Skip();
    }
    void OnTick(wxTimerEvent&) {
        if (m_bOpen) {
            wxUIActionSimulator().Char(m_nNext < m_keys.size() ? m_keys[m_nNext] : WXK_ESCAPE);
            ++m_nNext;
        }
    }

    wxWindow* m_pTopLevel;
    std::vector<int> m_keys;
    wxTimer m_timer;
    bool m_bOpen = false;
    size_t m_nNext = 0;
};

class MainDialogTest : public ::testing::Test {
protected:
    void TearDown() override {
        m_pDlg.reset();
        wxTheApp->ProcessPendingEvents();
        RemoveDataFileBesideProgram();
    }

    // Creates and shows the dialog over the data file now beside the program, and waits for
    // the start-up to end in list mode.
    MainDialog& Start() {
        ModalLog().clear();
        m_pDlg = std::make_unique<MainDialog>();
        EXPECT_TRUE(m_pDlg->CreateDialogWindow());
        m_pDlg->Show();
        EXPECT_TRUE(WaitFor([this] { return InListMode(); })) << "start-up never reached list mode";
        // The window manager gives the new window the focus; keys go there.
        EXPECT_TRUE(WaitFor([this] { return m_pDlg->IsActive(); })) << "never activated";
        Settle();
        m_nPageLoads = 0;
        m_pDlg->Bind(wxEVT_PRIVATE_MESSAGE, [this](PrivateMessageEvent& event) {
            m_nPageLoads += std::string(reinterpret_cast<const char*>(event.GetLParam())) ==
                            CHtmlCtrl::kPageBaseUrl;
            event.Skip();
        }, WM_HTML_DOCCOMPLETE);
        return *m_pDlg;
    }

    MainDialog& Open(const std::vector<std::string>& words) {
        WriteDataFileBesideProgram(MakeDictionary(words));
        return Start();
    }

    bool InListMode() const {
        return m_pDlg->GetMode() == MainDialog::kListMode && Edit()->IsShown() &&
               List()->IsShown() && wxWindow::FindFocus() == Edit();
    }
    bool InEntryMode() const {
        return m_pDlg->GetMode() == MainDialog::kEntryMode && !Edit()->IsShown() &&
               !List()->IsShown() && Tab()->IsShown() && View()->IsShown() &&
               Back()->IsShown() && Lookup()->IsShown();
    }

    wxTextCtrl* Edit() const { return wxDynamicCast(m_pDlg->FindWindow(IDC_EDIT1), wxTextCtrl); }
    WordListCtrl* List() const {
        return dynamic_cast<WordListCtrl*>(m_pDlg->FindWindow(IDC_LIST1));
    }
    wxNotebook* Tab() const { return wxDynamicCast(m_pDlg->FindWindow(IDC_TAB1), wxNotebook); }
    wxButton* Back() const { return wxDynamicCast(m_pDlg->FindWindow(IDC_BACK), wxButton); }
    wxButton* Lookup() const { return wxDynamicCast(m_pDlg->FindWindow(IDC_LOOKUP), wxButton); }
    wxWindow* View() const { return m_pDlg->FindWindow(IDC_HTML); }
    PageWindow* Browser() const {
        return dynamic_cast<PageWindow*>(View()->GetChildren().GetFirst()->GetData());
    }
    // A click on a link to strUrl in the shown page.
    void ClickLinkInPage(const std::string& strUrl) {
        wxHtmlWindowInterface* pPage = Browser();
        pPage->OnHTMLLinkClicked(wxHtmlLinkInfo(strUrl));
    }

    long Selected() const { return List()->GetFirstSelected(); }
    long Top() const { return List()->GetTopItem(); }

    // Handles what is queued: the messages that the handlers of the last input posted.
    static void Settle() {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
        wxTheApp->ProcessPendingEvents();
    }
    // Sends keys with send and waits until nKeys of them have been handled.
    void SendKeys(const std::function<void(wxUIActionSimulator&)>& send, int nKeys) {
        const int nTarget = m_input.m_nKeys + nKeys;
        wxUIActionSimulator sim;
        send(sim);
        EXPECT_TRUE(WaitFor([&] { return m_input.m_nKeys >= nTarget; })) << "keys lost";
        Settle();
    }
    void Type(const std::string& strText) {
        SendKeys([&](wxUIActionSimulator& sim) { sim.Text(strText.c_str()); },
                 static_cast<int>(strText.size()));
    }
    void Press(int nKey, int nModifiers = wxMOD_NONE) {
        SendKeys([&](wxUIActionSimulator& sim) { sim.Char(nKey, nModifiers); }, 1);
    }
    static void MovePointer(const wxPoint& ptScreen) {
        wxUIActionSimulator().MouseMove(ptScreen);
        EXPECT_TRUE(WaitFor([&] { return wxGetMousePosition() == ptScreen; }));
    }
    void Click(wxWindow* pWindow, const wxPoint& ptClient) {
        MovePointer(pWindow->ClientToScreen(ptClient));
        const int nTarget = m_input.m_nButtons + 1;
        wxUIActionSimulator().MouseClick();
        EXPECT_TRUE(WaitFor([&] { return m_input.m_nButtons >= nTarget; })) << "click lost";
        Settle();
    }
    void ClickRow(long nRow) {
        wxRect rc;
        ASSERT_TRUE(List()->GetItemRect(nRow, rc));
        Click(List(), wxPoint(rc.x + 10, rc.y + rc.height / 2));
    }
    void ClickBack() { Click(Back(), wxPoint(Back()->GetSize().x / 2, Back()->GetSize().y / 2)); }
    // Clears the search box by keys, as a user does.
    void ClearSearch() {
        Edit()->SetInsertionPointEnd();
        const int nChars = static_cast<int>(Edit()->GetValue().length());
        SendKeys([&](wxUIActionSimulator& sim) {
            for (int i = 0; i < nChars; ++i) {
                sim.Char(WXK_BACK);
            }
        }, nChars);
        EXPECT_EQ("", Edit()->GetValue());
    }

    // Opens strWord from the list as a user does, and returns the text of the page shown.
    std::string OpenWord(const std::string& strWord) {
        if (!InListMode()) {
            ClickBack();
            WaitFor([this] { return InListMode(); });
        }
        ClearSearch();
        Type(strWord);
        const int nLoads = m_nPageLoads;
        Press(WXK_RETURN);
        EXPECT_TRUE(WaitFor([&] { return InEntryMode() && m_nPageLoads > nLoads; }))
            << strWord << ": no page shown";
        return PageText();
    }
    std::string PageText() { return WxToAnsi(Browser()->ToText()); }
    std::string TabNames() const {
        std::string strNames;
        for (size_t i = 0; i < Tab()->GetPageCount(); ++i) {
            strNames += (i > 0 ? "," : "") + WxToAnsi(Tab()->GetPageText(i));
        }
        return strNames;
    }
    // Waits until the toolkit has laid out every tab label and the row has been fitted, so
    // that no label lies under the buttons any more.
    bool WaitForTabRow() {
        return WaitFor([this] {
            const std::vector<wxRect> rects = TabLabelRects(Tab());
            for (const wxRect& rc : rects) {
                if (rc.IsEmpty()) {
                    return false;
                }
            }
            return rects.empty() || (!rects.back().Intersects(Lookup()->GetRect()) &&
                                     !rects.back().Intersects(Back()->GetRect()));
        });
    }
    // Clicks tab nTab's label and waits for its page.
    void ClickTab(int nTab) {
        EXPECT_TRUE(WaitForTabRow());
        for (int x = 2; x < Tab()->GetSize().x; x += 4) {
            if (Tab()->HitTest(wxPoint(x, 12)) == nTab) {
                const int nLoads = m_nPageLoads;
                Click(Tab(), wxPoint(x + 6, 12));
                EXPECT_TRUE(WaitFor([&] { return m_nPageLoads > nLoads; })) << "tab " << nTab;
                return;
            }
        }
        ADD_FAILURE() << "no tab " << nTab;
    }

    std::unique_ptr<MainDialog> m_pDlg;
    int m_nPageLoads = 0;  // pages written into the view and loaded
    InputCounter m_input;
};

#endif
