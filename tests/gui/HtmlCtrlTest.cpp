// CHtmlCtrl in a window of its own: sizing, focus, and the messages it sends its parent.
#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/uiaction.h>
#include <wx/webview.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Platform.h"
#include "htmlview/HtmlCtrl.h"
#include "htmlview/HtmlMessages.h"
#include "tests/gui/GuiTest.h"

namespace {

// A parent window that records the private messages it receives.
class RecordingFrame : public wxFrame {
public:
    struct Message {
        int nMessage;
        HtmlLinkInfo link;    // WM_HTML_LINK
        std::string strUrl;   // WM_HTML_DOCCOMPLETE
        uintptr_t wParam;
    };

    RecordingFrame() : wxFrame(nullptr, wxID_ANY, "view test", wxPoint(50, 50), wxSize(400, 300)) {
        Bind(wxEVT_PRIVATE_MESSAGE, &RecordingFrame::OnMessage, this);
    }

    int Count(int nMessage) const {
        int n = 0;
        for (const Message& m : m_messages) n += m.nMessage == nMessage;
        return n;
    }

    std::vector<Message> m_messages;
    bool m_bInsideSend = false;  // set while a sent message is being handled

private:
    void OnMessage(PrivateMessageEvent& event) {
        Message m{event.GetMessageId(), HtmlLinkInfo(), std::string(), event.GetWParam()};
        if (m.nMessage == WM_HTML_LINK) {
            m.link = *reinterpret_cast<const HtmlLinkInfo*>(event.GetWParam());
        } else if (m.nMessage == WM_HTML_DOCCOMPLETE) {
            m.strUrl = reinterpret_cast<const char*>(event.GetLParam());
        }
        m_messages.push_back(m);
        event.SetResult(1);  // the view must not care
    }
};

// A view that records the new-window requests instead of starting a browser.
class RecordingHtmlCtrl : public CHtmlCtrl {
public:
    std::vector<std::string> m_newWindows;

protected:
    void OnNewWindow(const char* lpszUrl) override { m_newWindows.push_back(lpszUrl); }
};

class HtmlCtrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pFrame = new RecordingFrame;
        m_pFrame->Show();
        m_pHtml = std::make_unique<RecordingHtmlCtrl>();
        ASSERT_TRUE(m_pHtml->Create(nullptr, nullptr, kWsChild | kWsVisible,
                                    wxRect(10, 20, 300, 200), m_pFrame, 1007, nullptr));
        // The new browser reports its first, empty document once.
        WaitFor([this] { return m_pFrame->Count(WM_HTML_DOCCOMPLETE) > 0; }, 2000);
        Pump(100);
    }
    void TearDown() override {
        m_pHtml.reset();
        m_pFrame->Destroy();
        Pump(50);
    }
    // Navigates and waits until the view has reported it finished loading something.
    void NavigateAndSettle(const char* lpszUrl) {
        m_pFrame->m_messages.clear();
        m_pHtml->Navigate2(lpszUrl);
        Pump(600);
    }

    // Writes a page and waits until the view reports it loaded.
    bool WriteAndSettle(const char* lpszHtml, const char* lpszAnchor = nullptr,
                        uint32_t nScrollPos = 0, uint32_t nScrollRange = 0) {
        m_pFrame->m_messages.clear();
        const bool bResult = m_pHtml->WriteHtml(lpszHtml, lpszAnchor, nScrollPos, nScrollRange);
        WaitFor([this] { return m_pFrame->Count(WM_HTML_DOCCOMPLETE) > 0; }, 3000);
        Pump(100);
        return bResult;
    }
    // The shown page's text and its selection, read through the view's extension. The tests
    // run no script from here: a script result would bring JavaScriptCore into this process.
    std::string PageText() { return WxToAnsi(m_pHtml->GetBrowser()->GetPageText()); }
    std::string SelectAllAndRead(bool& bResult) {
        m_pHtml->GetBrowser()->SelectAll();
        Pump(200);
        std::string strSelection = "untouched";
        bResult = m_pHtml->GetSelectedText(strSelection);
        return strSelection;
    }
    // The title that the page's own script wrote: its scroll position and height, once every
    // load handler (the view's positioning too) has run.
    static constexpr const char* kReportScroll =
        "<script>window.addEventListener('load',function(){setTimeout(function(){"
        "document.title=window.scrollY+' '+document.scrollingElement.scrollHeight;},0);});"
        "</script>";
    std::string ScrollReport() {
        WaitFor([this] { return !m_pHtml->GetBrowser()->GetCurrentTitle().empty(); }, 3000);
        return WxToAnsi(m_pHtml->GetBrowser()->GetCurrentTitle());
    }

    RecordingFrame* m_pFrame = nullptr;
    std::unique_ptr<RecordingHtmlCtrl> m_pHtml;
};

}  // namespace

TEST_F(HtmlCtrlTest, BrowserCoversTheHostBeforeAndAfterResizing) {
    wxWindow* pHost = m_pHtml->GetHostWindow();
    ASSERT_NE(nullptr, pHost);
    EXPECT_EQ(1007, pHost->GetId());
    EXPECT_EQ(wxRect(10, 20, 300, 200), pHost->GetRect());
    EXPECT_EQ(wxRect(wxPoint(0, 0), pHost->GetClientSize()), m_pHtml->GetBrowser()->GetRect());
    pHost->SetSize(wxRect(5, 5, 250, 120));
    Pump(100);
    EXPECT_EQ(wxRect(wxPoint(0, 0), wxSize(250, 120)), m_pHtml->GetBrowser()->GetRect());
}

TEST_F(HtmlCtrlTest, FocusGivenToTheHostGoesToTheBrowser) {
    m_pFrame->Raise();
    m_pHtml->GetHostWindow()->SetFocus();
    EXPECT_TRUE(WaitFor([this] { return wxWindow::FindFocus() == m_pHtml->GetBrowser(); }, 2000));
}

TEST_F(HtmlCtrlTest, KeysSentToTheHostItselfAreSwallowed) {
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.m_keyCode = 'A';
    event.SetEventObject(m_pHtml->GetHostWindow());
    EXPECT_TRUE(m_pHtml->GetHostWindow()->GetEventHandler()->ProcessEvent(event));
}

TEST_F(HtmlCtrlTest, AboutBlankIsPostedAndItsDocumentReported) {
    NavigateAndSettle("about:blank");
    EXPECT_EQ(1, m_pFrame->Count(WM_HTML_BLANK));
    ASSERT_EQ(1, m_pFrame->Count(WM_HTML_DOCCOMPLETE));
    for (const RecordingFrame::Message& m : m_pFrame->m_messages) {
        if (m.nMessage == WM_HTML_DOCCOMPLETE) {
            EXPECT_EQ("about:blank", m.strUrl);
            EXPECT_EQ(reinterpret_cast<uintptr_t>(m_pHtml.get()), m.wParam);
        }
    }
}

TEST_F(HtmlCtrlTest, LinkUrlIsSentWithItsRecordAndCancelled) {
    NavigateAndSettle("about:blank");
    NavigateAndSettle("about:<12:3:45>bank");
    ASSERT_EQ(1, m_pFrame->Count(WM_HTML_LINK));
    const HtmlLinkInfo& info = m_pFrame->m_messages[0].link;
    EXPECT_EQ(12u, info.nFirst);
    EXPECT_EQ(3u, info.nSecond);
    EXPECT_EQ(45u, info.nThird);
    EXPECT_EQ("bank", info.strText);
    // Cancelled: nothing else loaded, and the old document stays.
    EXPECT_EQ(0, m_pFrame->Count(WM_HTML_DOCCOMPLETE));
    EXPECT_EQ(0, m_pFrame->Count(WM_HTML_BLANK));
    EXPECT_EQ("about:blank", m_pHtml->GetBrowser()->GetCurrentURL());
}

TEST_F(HtmlCtrlTest, BadLinkFieldsAreNotReported) {
    NavigateAndSettle("about:blank<1:x:3>y");
    EXPECT_EQ(0, m_pFrame->Count(WM_HTML_LINK));
    EXPECT_EQ(0, m_pFrame->Count(WM_HTML_BLANK));
}

TEST_F(HtmlCtrlTest, DestroyedHostLeavesAControlWithoutWindows) {
    m_pFrame->m_messages.clear();
    m_pHtml->GetHostWindow()->Destroy();
    Pump(100);
    EXPECT_EQ(nullptr, m_pHtml->GetHostWindow());
    EXPECT_EQ(nullptr, m_pHtml->GetBrowser());
    m_pHtml->Navigate2("about:blank");
    m_pHtml->ShowWindow(true);
    Pump(300);
    EXPECT_TRUE(m_pFrame->m_messages.empty());
}

TEST_F(HtmlCtrlTest, WrittenPageReplacesTheDocumentWithoutCountingAsBlank) {
    EXPECT_TRUE(WriteAndSettle("<html><body><p>first</p></body></html>"));
    EXPECT_TRUE(WriteAndSettle("<html><body><p>second caf\xE9 \x80</p></body></html>"));
    EXPECT_EQ("second caf\xE9 \x80", PageText());
    EXPECT_EQ(CHtmlCtrl::kPageBaseUrl, m_pHtml->GetBrowser()->GetCurrentURL());
    EXPECT_EQ(0, m_pFrame->Count(WM_HTML_BLANK));
    EXPECT_TRUE(WriteAndSettle(""));
    EXPECT_EQ("", PageText());
    EXPECT_FALSE(m_pHtml->WriteHtml(nullptr, nullptr, 0, 0));
}

TEST_F(HtmlCtrlTest, SelectionComesBackTrimmedIn1252) {
    bool bResult = true;
    ASSERT_TRUE(WriteAndSettle("<html><body><pre> \t hello\n</pre></body></html>"));
    std::string strSelection = "untouched";
    EXPECT_FALSE(m_pHtml->GetSelectedText(strSelection));
    EXPECT_EQ("", strSelection);
    EXPECT_EQ("hello", SelectAllAndRead(bResult));
    EXPECT_TRUE(bResult);

    ASSERT_TRUE(WriteAndSettle("<html><body><pre>  \n\t </pre></body></html>"));
    EXPECT_EQ("", SelectAllAndRead(bResult));
    EXPECT_FALSE(bResult);

    // 1252 characters come back as they were written; one that 1252 lacks becomes '?'.
    ASSERT_TRUE(WriteAndSettle("<html><body>na\xEFve \x80 \x96 &#257;</body></html>"));
    EXPECT_EQ("na\xEFve \x80 \x96 ?", SelectAllAndRead(bResult));
    EXPECT_TRUE(bResult);
}

TEST_F(HtmlCtrlTest, AnchorAndScrollPositionPlaceThePage) {
    const std::string strPage = std::string("<html><body style=\"margin:0\">") + kReportScroll +
                                "<div style=\"height:3000px\"></div><a name=\"mid\">mid</a>"
                                "<div style=\"height:3000px\"></div></body></html>";
    ASSERT_TRUE(WriteAndSettle(strPage.c_str(), "mid"));
    const std::string strReport = ScrollReport();
    EXPECT_EQ("3000 ", strReport.substr(0, 5));
    const int nHeight = std::stoi(strReport.substr(strReport.find(' ') + 1));
    ASSERT_GT(nHeight, 6000);
    ASSERT_TRUE(WriteAndSettle(strPage.c_str(), "nowhere"));
    EXPECT_EQ("0 " + std::to_string(nHeight), ScrollReport());
    // A quarter of the page's height; with a range of 0 the page stays at its top.
    ASSERT_TRUE(WriteAndSettle(strPage.c_str(), nullptr, 1, 4));
    EXPECT_EQ(std::to_string(nHeight / 4) + " " + std::to_string(nHeight), ScrollReport());
    ASSERT_TRUE(WriteAndSettle(strPage.c_str(), nullptr, 1, 0));
    EXPECT_EQ("0 " + std::to_string(nHeight), ScrollReport());
}

TEST_F(HtmlCtrlTest, NewWindowLinkGoesToTheBrowserNotTheView) {
    ASSERT_TRUE(WriteAndSettle(
        "<html><body style=\"margin:0\"><a href=\"https://example.org/\" target=\"_blank\" "
        "style=\"display:block;width:200px;height:60px\">footer</a></body></html>"));
    m_pFrame->Raise();
    wxUIActionSimulator sim;
    sim.MouseMove(m_pHtml->GetBrowser()->ClientToScreen(wxPoint(40, 30)));
    Pump(100);
    sim.MouseClick();
    EXPECT_TRUE(WaitFor([this] { return !m_pHtml->m_newWindows.empty(); }, 3000));
    Pump(300);
    ASSERT_EQ(1u, m_pHtml->m_newWindows.size());
    EXPECT_EQ("https://example.org/", m_pHtml->m_newWindows[0]);
    EXPECT_EQ(CHtmlCtrl::kPageBaseUrl, m_pHtml->GetBrowser()->GetCurrentURL());
    EXPECT_EQ("footer", PageText());
}

TEST(HtmlCtrl, CreateWithoutParentFails) {
    CHtmlCtrl html;
    EXPECT_FALSE(html.Create(nullptr, nullptr, kWsChild | kWsVisible, wxRect(0, 0, 10, 10),
                             nullptr, 1007, nullptr));
    EXPECT_EQ(nullptr, html.GetHostWindow());
}
