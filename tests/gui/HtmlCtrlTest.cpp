// CHtmlCtrl in a window of its own: sizing, focus, the pages it shows, what a person does in
// them, and the messages it sends its parent.
#include <gtest/gtest.h>

#include <wx/clipbrd.h>
#include <wx/frame.h>
#include <wx/html/htmlcell.h>
#include <wx/menu.h>
#include <wx/uiaction.h>

#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "dictdata/DictionaryFile.h"
#include "htmlview/HtmlCtrl.h"
#include "htmlview/HtmlMessages.h"
#include "htmlview/PageWindow.h"
#include "platform/AnsiText.h"
#include "platform/PrivateMessage.h"
#include "render/PageLinks.h"
#include "render/RelationRows.h"
#include "render/WordPages.h"
#include "res/Templates.h"
#include "tests/gui/GuiTest.h"

namespace {

constexpr int kLookUpId = 1008;

// A parent window that records the private messages and the "Look up" commands it receives.
class RecordingFrame : public wxFrame {
public:
    struct Message {
        int nMessage;
        HtmlLinkInfo link;    // WM_HTML_LINK, WM_HTML_LINKREST
        std::string strUrl;   // WM_HTML_DOCCOMPLETE
        uintptr_t wParam;
    };

    RecordingFrame() : wxFrame(nullptr, wxID_ANY, "view test", wxPoint(50, 50), wxSize(400, 300)) {
        Bind(wxEVT_PRIVATE_MESSAGE, &RecordingFrame::OnMessage, this);
        Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ++m_nLookUps; }, kLookUpId);
    }

    int Count(int nMessage) const {
        int n = 0;
        for (const Message& m : m_messages) n += m.nMessage == nMessage;
        return n;
    }
    // The link numbers and text of the first message nMessage, as "P:N:K text"; empty if none.
    std::string FirstLink(int nMessage) const {
        for (const Message& m : m_messages) {
            if (m.nMessage == nMessage) {
                return std::to_string(m.link.nFirst) + ":" + std::to_string(m.link.nSecond) + ":" +
                       std::to_string(m.link.nThird) + " " + m.link.strText;
            }
        }
        return std::string();
    }

    std::vector<Message> m_messages;
    int m_nLookUps = 0;

private:
    void OnMessage(PrivateMessageEvent& event) {
        Message m{event.GetMessageId(), HtmlLinkInfo(), std::string(), event.GetWParam()};
        if (m.nMessage == WM_HTML_LINK || m.nMessage == WM_HTML_LINKREST) {
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
        m_pHtml->SetLookUpCommandId(kLookUpId);
        ASSERT_TRUE(WaitFor([this] { return m_pFrame->IsShownOnScreen(); }));
    }
    void TearDown() override {
        m_pHtml.reset();
        m_pFrame->Destroy();
        WaitFor([] { return wxTopLevelWindows.empty(); }, 1000);
    }

    PageWindow* Page() const { return m_pHtml->GetBrowser(); }

    // Writes a page and waits until the view reports it complete.
    bool WriteAndSettle(const char* lpszHtml, const char* lpszAnchor = nullptr,
                        uint32_t nScrollPos = 0, uint32_t nScrollRange = 0) {
        m_pFrame->m_messages.clear();
        const bool bResult = m_pHtml->WriteHtml(lpszHtml, lpszAnchor, nScrollPos, nScrollRange);
        EXPECT_TRUE(WaitFor([this] { return m_pFrame->Count(WM_HTML_DOCCOMPLETE) > 0; }));
        return bResult;
    }
    // The shown text, without the line breaks that paragraphs put around it.
    std::string PageText() const { return WxToAnsi(Page()->ToText().Trim(true).Trim(false)); }

    // Makes the frame active and the page focused, so that keys typed through the X server
    // reach the page.
    void FocusPage() {
        m_pFrame->Raise();
        wxUIActionSimulator().MouseMove(Page()->GetScreenRect().GetBottomRight() - wxPoint(8, 8));
        m_pHtml->GetHostWindow()->SetFocus();
        ASSERT_TRUE(WaitFor([this] { return wxWindow::FindFocus() == Page(); }));
    }

    // A tall page: a named anchor halfway down, twice.
    static std::string TallPage() {
        std::string strPage = "<html><body>";
        for (int i = 0; i < 200; ++i) strPage += "line<br>";
        strPage += "<a name=\"mid\">first mid</a><br>";
        for (int i = 0; i < 100; ++i) strPage += "line<br>";
        strPage += "<a name=\"mid\">second mid</a><br>";
        for (int i = 0; i < 200; ++i) strPage += "line<br>";
        return strPage + "</body></html>";
    }

    RecordingFrame* m_pFrame = nullptr;
    std::unique_ptr<RecordingHtmlCtrl> m_pHtml;
};

}  // namespace

TEST_F(HtmlCtrlTest, PageWindowCoversTheHostBeforeAndAfterResizing) {
    wxWindow* pHost = m_pHtml->GetHostWindow();
    ASSERT_NE(nullptr, pHost);
    EXPECT_EQ(1007, pHost->GetId());
    EXPECT_EQ(wxRect(10, 20, 300, 200), pHost->GetRect());
    EXPECT_EQ(wxRect(wxPoint(0, 0), pHost->GetClientSize()), Page()->GetRect());
    pHost->SetSize(wxRect(5, 5, 250, 120));
    EXPECT_EQ(wxRect(wxPoint(0, 0), wxSize(250, 120)), Page()->GetRect());
}

TEST_F(HtmlCtrlTest, FocusGivenToTheHostGoesToThePageAndHostKeysAreSwallowed) {
    FocusPage();
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.m_keyCode = 'A';
    event.SetEventObject(m_pHtml->GetHostWindow());
    EXPECT_TRUE(m_pHtml->GetHostWindow()->GetEventHandler()->ProcessEvent(event));
}

TEST_F(HtmlCtrlTest, AboutBlankIsPostedOnceAndItsDocumentReported) {
    m_pHtml->Navigate2("about:blank");
    // Posted: not yet handled when Navigate2 returns.
    EXPECT_EQ(0, m_pFrame->Count(WM_HTML_BLANK));
    ASSERT_TRUE(WaitFor([this] { return m_pFrame->Count(WM_HTML_DOCCOMPLETE) > 0; }));
    EXPECT_EQ(1, m_pFrame->Count(WM_HTML_BLANK));
    ASSERT_EQ(1, m_pFrame->Count(WM_HTML_DOCCOMPLETE));
    for (const RecordingFrame::Message& m : m_pFrame->m_messages) {
        if (m.nMessage == WM_HTML_DOCCOMPLETE) {
            EXPECT_EQ("about:blank", m.strUrl);
            EXPECT_EQ(reinterpret_cast<uintptr_t>(m_pHtml.get()), m.wParam);
        }
    }
    EXPECT_EQ("", PageText());
}

TEST_F(HtmlCtrlTest, LinkUrlsAreSentWithTheirRecordAndCancelled) {
    ASSERT_TRUE(WriteAndSettle("<html><body>kept</body></html>"));
    m_pFrame->m_messages.clear();
    m_pHtml->Navigate2("about:<12:3:45>bank");
    ASSERT_EQ(1, m_pFrame->Count(WM_HTML_LINK));
    const HtmlLinkInfo& info = m_pFrame->m_messages[0].link;
    EXPECT_EQ(12u, info.nFirst);
    EXPECT_EQ(3u, info.nSecond);
    EXPECT_EQ(45u, info.nThird);
    EXPECT_EQ("bank", info.strText);

    // The same from a click in the page; the page stays and nothing else is reported.
    static_cast<wxHtmlWindowInterface*>(Page())->OnHTMLLinkClicked(
        wxHtmlLinkInfo("x<1:2:3>a<4:5:6>b"));
    ASSERT_EQ(2, m_pFrame->Count(WM_HTML_LINK));
    EXPECT_EQ("a<4:5:6>b", m_pFrame->m_messages[1].link.strText);
    // A link whose fields do not convert, and any other URL, are neither reported nor loaded.
    m_pHtml->Navigate2("about:blank<1:x:3>y");
    m_pHtml->Navigate2("https://example.org/");
    Pump(100);
    EXPECT_EQ(2u, m_pFrame->m_messages.size());
    EXPECT_EQ("kept", PageText());
}

namespace {

// The cells of the page that are word links, each with its place in the page.
struct LinkCell {
    const wxHtmlCell* pCell;
    wxPoint place;
};

void CollectLinks(const wxHtmlCell* pCell, std::vector<LinkCell>& links) {
    for (const wxHtmlCell* p = pCell; p != nullptr; p = p->GetNext()) {
        if (p->GetFirstChild() != nullptr) CollectLinks(p->GetFirstChild(), links);
        // The footer's link opens a browser window; the rest are the page's word links.
        // A link of several words is a cell per word: its first one stands for it.
        if (p->GetFirstChild() == nullptr && p->GetLink() != nullptr &&
            p->GetLink()->GetTarget() != "_blank" &&
            (links.empty() || links.back().pCell->GetLink()->GetHref() != p->GetLink()->GetHref())) {
            wxPoint place;
            for (const wxHtmlCell* q = p; q != nullptr; q = q->GetParent()) {
                place += wxPoint(q->GetPosX(), q->GetPosY());
            }
            links.push_back({p, place});
        }
    }
}

}  // namespace

TEST_F(HtmlCtrlTest, RelationLinksOfEntryPagesReportTheirThreeNumbers) {
    DataFileContent content = RelationContent();
    // A word whose text needs escaping in the link's address and its shown text.
    content.entries[6] = "BIG|\"big\" & <b>\nwritten in capitals";
    content.words.insert(content.words.begin(), WriterWord{"\"big\" & <b>", {7}});
    const std::string strPath = SaveContent(content, "relations.pdb");
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(strPath.c_str()));
    int nBig = -1, nSmall = -1, nLarge = -1;
    ASSERT_TRUE(dict.FindExactWord("big", nBig) && dict.FindExactWord("small", nSmall) &&
                dict.FindExactWord("large", nLarge));
    std::vector<NamedPage> pages;
    ASSERT_TRUE(BuildWordPages(dict, nBig, pages));
    ASSERT_TRUE(WriteAndSettle(pages[0].second.c_str()));

    // Every word link of the page, as the view parsed it, reports the numbers the page wrote.
    std::vector<LinkCell> links;
    CollectLinks(Page()->GetInternalRepresentation(), links);
    std::vector<std::string> reported;
    for (const LinkCell& link : links) {
        m_pFrame->m_messages.clear();
        static_cast<wxHtmlWindowInterface*>(Page())->OnHTMLLinkClicked(*link.pCell->GetLink());
        ASSERT_EQ(1, m_pFrame->Count(WM_HTML_LINK)) << link.pCell->GetLink()->GetHref();
        const HtmlLinkInfo& info = m_pFrame->m_messages[0].link;
        reported.push_back(std::to_string(info.nFirst) + ":" + std::to_string(info.nSecond) + ":" +
                           std::to_string(info.nThird) + " " + info.strText);
    }
    // small (the opposite of big), then BIG and the escaped word (similar), then the similar
    // sense of entry 7: big, large.
    EXPECT_EQ(reported, (std::vector<std::string>{
                            std::to_string(nSmall) + ":6:1 small",
                            std::to_string(nBig) + ":7:24 BIG",
                            "0:7:24 \"big\" & <b>",
                            std::to_string(nBig) + ":5:24 big",
                            std::to_string(nLarge) + ":5:24 large"}));

    // A click with the mouse on "small" reports the same; so does the pointer resting on it,
    // before or after the click.
    ASSERT_FALSE(links.empty());
    FocusPage();
    m_pFrame->m_messages.clear();
    const wxHtmlCell* pSmall = links[0].pCell;
    const wxPoint center = links[0].place + wxPoint(pSmall->GetWidth() / 2, pSmall->GetHeight() / 2);
    wxUIActionSimulator sim;
    sim.MouseMove(Page()->ClientToScreen(center));
    ASSERT_TRUE(WaitFor([&] { return wxFindWindowAtPoint(wxGetMousePosition()) == Page(); }));
    sim.MouseClick();
    ASSERT_TRUE(WaitFor([this] { return m_pFrame->Count(WM_HTML_LINK) == 1; }));
    EXPECT_EQ(std::to_string(nSmall) + ":6:1 small", m_pFrame->FirstLink(WM_HTML_LINK));
    ASSERT_TRUE(WaitFor([this] { return m_pFrame->Count(WM_HTML_LINKREST) == 1; }));
    EXPECT_EQ(std::to_string(nSmall) + ":6:1 small", m_pFrame->FirstLink(WM_HTML_LINKREST));
    EXPECT_EQ(PageText().substr(0, 3), "big");
}

// The relations of "dog" and "fast" from the real data file, as the view shows them, and the
// page of the rest of dog's narrower terms (skipped without the file).
TEST_F(HtmlCtrlTest, WordNetRelationsShowLegibly) {
    const std::string strData = LEXANO_WORDNET_DATA;
    DictionaryFile dict;
    if (access(strData.c_str(), R_OK) != 0 || !dict.Open(strData.c_str()) || !dict.HasRelations()) {
        GTEST_SKIP() << strData << " with relations is missing; make it with lexano-data build";
    }
    m_pFrame->SetSize(wxSize(460, 700));
    m_pHtml->GetHostWindow()->SetSize(wxRect(10, 20, 420, 600));
    int nDog = -1, nFast = -1;
    ASSERT_TRUE(dict.FindExactWord("dog", nDog) && dict.FindExactWord("fast", nFast));
    std::vector<NamedPage> pages;
    ASSERT_TRUE(BuildWordPages(dict, nDog, pages));
    ASSERT_TRUE(WriteAndSettle(pages[0].second.c_str()));
    EXPECT_NE(std::string::npos, PageText().find("Broader canine, canid; domestic animal"));
    EXPECT_TRUE(SaveScreenshot(m_pFrame, "relations-dog.png"));
    ASSERT_TRUE(BuildWordPages(dict, nFast, pages));
    ASSERT_EQ("Adj.", pages.at(2).first);
    ASSERT_TRUE(WriteAndSettle(pages[2].second.c_str()));
    EXPECT_NE(std::string::npos, PageText().find("Opposite slow"));
    EXPECT_TRUE(SaveScreenshot(m_pFrame, "relations-fast-adj.png"));
    std::vector<int32_t> numbers;
    ASSERT_TRUE(dict.GetEntryNumbers(nDog, numbers));
    std::string strRest;
    ASSERT_TRUE(BuildRelationPage(dict, nDog, static_cast<uint32_t>(numbers[0]), 4, strRest));
    ASSERT_TRUE(WriteAndSettle(strRest.c_str()));
    EXPECT_NE(std::string::npos, PageText().find("Mexican hairless"));
    EXPECT_TRUE(SaveScreenshot(m_pFrame, "relations-dog-narrower.png"));
}

TEST_F(HtmlCtrlTest, WrittenPagesReplaceTheDocumentWithoutCountingAsBlank) {
    EXPECT_TRUE(WriteAndSettle("<html><body><p>first</p></body></html>"));
    EXPECT_TRUE(WriteAndSettle("<html><body><p>second caf\xE9 \x80</p></body></html>"));
    EXPECT_EQ("second caf\xE9 \x80", PageText());
    ASSERT_EQ(1, m_pFrame->Count(WM_HTML_DOCCOMPLETE));
    EXPECT_EQ(CHtmlCtrl::kPageBaseUrl, m_pFrame->m_messages.back().strUrl);
    EXPECT_EQ(0, m_pFrame->Count(WM_HTML_BLANK));
    EXPECT_TRUE(WriteAndSettle(""));
    EXPECT_EQ("", PageText());
    EXPECT_FALSE(m_pHtml->WriteHtml(nullptr, nullptr, 0, 0));
}

TEST_F(HtmlCtrlTest, ABreakThatEndsACellAddsNoEmptyLine) {
    const char* const lpszRows =
        "<html><body><table><tr><td><font size=\"1\">:: One%s</font></td></tr>"
        "<tr><td>next</td></tr></table></body></html>";
    const auto HeightWith = [&](const char* lpszEnd) {
        const std::string strPage = wxString::Format(lpszRows, lpszEnd).ToStdString();
        EXPECT_TRUE(WriteAndSettle(strPage.c_str()));
        return Page()->GetInternalRepresentation()->GetHeight();
    };
    const int nPlain = HeightWith("");
    EXPECT_EQ(nPlain, HeightWith("<br>"));
    EXPECT_EQ(nPlain, HeightWith("<br> </font>"));
    // Inside the text a break still starts a line of its own.
    EXPECT_GT(HeightWith("<br>two"), nPlain);
}

TEST_F(HtmlCtrlTest, AnchorAndScrollPositionPlaceThePage) {
    const std::string strPage = TallPage();
    ASSERT_TRUE(WriteAndSettle(strPage.c_str()));
    const int nHeight = Page()->GetPageHeight();
    ASSERT_GT(nHeight, 2000);
    EXPECT_EQ(0, Page()->GetTopPixel());

    // The last anchor of the name wins: past the first one, at the second.
    ASSERT_TRUE(WriteAndSettle(strPage.c_str(), "mid"));
    const int nSecondMid = Page()->GetTopPixel();
    EXPECT_GT(nSecondMid, nHeight / 2);
    EXPECT_LT(nSecondMid, nHeight * 3 / 4);
    ASSERT_TRUE(WriteAndSettle(strPage.c_str(), "nowhere"));
    EXPECT_EQ(0, Page()->GetTopPixel());

    // A quarter of the page's height, to the scroll unit; a range of 0 stays at the top.
    ASSERT_TRUE(WriteAndSettle(strPage.c_str(), nullptr, 1, 4));
    EXPECT_NEAR(nHeight / 4, Page()->GetTopPixel(), 20);
    ASSERT_TRUE(WriteAndSettle(strPage.c_str(), nullptr, 1, 0));
    EXPECT_EQ(0, Page()->GetTopPixel());
}

TEST_F(HtmlCtrlTest, DoubleClickSelectsAWordThatComesBackTrimmedIn1252) {
    ASSERT_TRUE(WriteAndSettle("<html><body><font size=\"4\">na\xEFve</font> rest</body></html>"));
    std::string strSelection = "untouched";
    EXPECT_FALSE(m_pHtml->GetSelectedText(strSelection));
    EXPECT_EQ("", strSelection);
    FocusPage();
    wxUIActionSimulator sim;
    sim.MouseMove(Page()->ClientToScreen(wxPoint(14, 14)));
    ASSERT_TRUE(WaitFor([&] {
        return wxFindWindowAtPoint(wxGetMousePosition()) == Page();
    }));
    sim.MouseDblClick();
    ASSERT_TRUE(WaitFor([this] { return !Page()->SelectionToText().empty(); }));
    EXPECT_TRUE(m_pHtml->GetSelectedText(strSelection));
    EXPECT_EQ("na\xEFve", strSelection);

    // White space around a selection goes; one that is only white space reads as empty.
    ASSERT_TRUE(WriteAndSettle("<html><body><pre> \t hello\n</pre></body></html>"));
    Page()->SelectAll();
    EXPECT_TRUE(m_pHtml->GetSelectedText(strSelection));
    EXPECT_EQ("hello", strSelection);
    ASSERT_TRUE(WriteAndSettle("<html><body><pre>  \n\t </pre></body></html>"));
    Page()->SelectAll();
    EXPECT_FALSE(m_pHtml->GetSelectedText(strSelection));
    EXPECT_EQ("", strSelection);
}

TEST_F(HtmlCtrlTest, CtrlCCopiesTheSelection) {
    ASSERT_TRUE(WriteAndSettle("<html><body>copy caf\xE9</body></html>"));
    FocusPage();
    Page()->SelectAll();
    wxUIActionSimulator().Char('c', wxMOD_CONTROL);
    std::string strClipboard;
    ASSERT_TRUE(WaitFor([&] {
        wxTextDataObject data;
        if (!wxTheClipboard->Open()) return false;
        const bool bRead = wxTheClipboard->GetData(data);
        wxTheClipboard->Close();
        strClipboard = WxToAnsi(data.GetText());
        return bRead && strClipboard.find("copy") != std::string::npos;
    }));
    EXPECT_EQ("copy caf\xE9", strClipboard.substr(0, 9));
}

TEST_F(HtmlCtrlTest, NewWindowLinkGoesToTheBrowserNotTheView) {
    ASSERT_TRUE(WriteAndSettle(
        "<html><body><font size=\"7\"><a href=\"https://example.org/\" target=\"_blank\">"
        "footer</a></font></body></html>"));
    FocusPage();
    wxUIActionSimulator sim;
    sim.MouseMove(Page()->ClientToScreen(wxPoint(30, 25)));
    ASSERT_TRUE(WaitFor([&] { return wxFindWindowAtPoint(wxGetMousePosition()) == Page(); }));
    sim.MouseClick();
    ASSERT_TRUE(WaitFor([this] { return !m_pHtml->m_newWindows.empty(); }));
    ASSERT_EQ(1u, m_pHtml->m_newWindows.size());
    EXPECT_EQ("https://example.org/", m_pHtml->m_newWindows[0]);
    EXPECT_EQ("footer", PageText());
    EXPECT_EQ(0, m_pFrame->Count(WM_HTML_LINK));
}

TEST_F(HtmlCtrlTest, ContextMenuHoldsCopyAndLookUp) {
    ASSERT_TRUE(WriteAndSettle("<html><body>word</body></html>"));
    std::unique_ptr<wxMenu> pMenu(Page()->CreateContextMenu());
    ASSERT_EQ(2u, pMenu->GetMenuItemCount());
    const wxMenuItem* pCopy = pMenu->FindItemByPosition(0);
    const wxMenuItem* pLookUp = pMenu->FindItemByPosition(1);
    EXPECT_EQ("Copy", pCopy->GetItemLabelText());
    EXPECT_EQ("Look up", pLookUp->GetItemLabelText());
    EXPECT_FALSE(pCopy->IsEnabled());  // nothing selected
    Page()->SelectAll();
    pMenu.reset(Page()->CreateContextMenu());
    EXPECT_TRUE(pMenu->FindItemByPosition(0)->IsEnabled());

    // "Look up" is the parent's command, chosen here from a real menu with the keyboard.
    FocusPage();
    wxUIActionSimulator sim;
    sim.MouseMove(Page()->ClientToScreen(wxPoint(30, 12)));
    ASSERT_TRUE(WaitFor([&] { return wxFindWindowAtPoint(wxGetMousePosition()) == Page(); }));
    Page()->CallAfter([] {
        wxUIActionSimulator keys;
        keys.Char(WXK_DOWN);
        keys.Char(WXK_DOWN);
        keys.Char(WXK_RETURN);
    });
    sim.MouseClick(wxMOUSE_BTN_RIGHT);
    EXPECT_TRUE(WaitFor([this] { return m_pFrame->m_nLookUps == 1; }));
}

TEST_F(HtmlCtrlTest, CtrlPlusMinusZeroAndTheWheelZoomTheText) {
    const std::string strPage = TallPage();
    ASSERT_TRUE(WriteAndSettle(strPage.c_str()));
    const int nHeight = Page()->GetPageHeight();
    FocusPage();
    wxUIActionSimulator keys;
    keys.Char('=', wxMOD_CONTROL);
    ASSERT_TRUE(WaitFor([this] { return Page()->GetZoomStep() == 1; }));
    EXPECT_GT(Page()->GetPageHeight(), nHeight);
    keys.Char('-', wxMOD_CONTROL);
    keys.Char('-', wxMOD_CONTROL);
    ASSERT_TRUE(WaitFor([this] { return Page()->GetZoomStep() == -1; }));
    EXPECT_LT(Page()->GetPageHeight(), nHeight);
    keys.Char('0', wxMOD_CONTROL);
    ASSERT_TRUE(WaitFor([this] { return Page()->GetZoomStep() == 0; }));
    EXPECT_EQ(nHeight, Page()->GetPageHeight());

    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.SetControlDown(true);
    wheel.m_wheelRotation = 240;
    wheel.m_wheelDelta = 120;
    Page()->GetEventHandler()->ProcessEvent(wheel);
    EXPECT_EQ(2, Page()->GetZoomStep());
    Page()->SetZoomStep(100);
    EXPECT_EQ(PageWindow::kMaxZoomStep, Page()->GetZoomStep());
}

TEST_F(HtmlCtrlTest, KeysScrollTheFocusedPage) {
    const std::string strPage = TallPage();
    ASSERT_TRUE(WriteAndSettle(strPage.c_str()));
    FocusPage();
    wxUIActionSimulator keys;
    keys.Char(WXK_DOWN);
    ASSERT_TRUE(WaitFor([this] { return Page()->GetTopPixel() > 0; }));
    const int nAfterDown = Page()->GetTopPixel();
    keys.Char(WXK_PAGEDOWN);
    ASSERT_TRUE(WaitFor([&] { return Page()->GetTopPixel() > nAfterDown + 50; }));
    keys.Char(WXK_END);
    ASSERT_TRUE(WaitFor([this] {
        return Page()->GetTopPixel() + Page()->GetClientSize().y >= Page()->GetPageHeight() - 20;
    }));
    keys.Char(WXK_HOME);
    ASSERT_TRUE(WaitFor([this] { return Page()->GetTopPixel() == 0; }));
}

namespace {

// Every word cell of the shown page: its text, place and size.
std::vector<std::string> WordCells(PageWindow* pPage) {
    std::vector<std::string> cells;
    const wxHtmlCell* pRoot = pPage->GetInternalRepresentation();
    for (wxHtmlTerminalCellsInterator it(pRoot->GetFirstTerminal(), nullptr); it; ++it) {
        const wxPoint pt = (*it)->GetAbsPos();
        cells.push_back(WxToAnsi((*it)->ConvertToText(nullptr)) + " " + std::to_string(pt.x) +
                        "," + std::to_string(pt.y) + " " + std::to_string((*it)->GetWidth()) +
                        "x" + std::to_string((*it)->GetHeight()));
    }
    return cells;
}

}  // namespace

TEST_F(HtmlCtrlTest, WordsAreMeasuredOnceAndLaidOutAsTheToolkitMeasuresThem) {
    const std::string strBody =
        "<body><font size=\"2\">alpha beta alpha gamma</font> <font size=\"5\">alpha "
        "<b>beta</b></font> <font size=\"1\">\xE9t\xE9 alpha</font></body></html>";
    // Without <head> the window measures every word itself: the reference.
    ASSERT_TRUE(WriteAndSettle(("<html>" + strBody).c_str()));
    const std::vector<std::string> measured = WordCells(Page());
    EXPECT_EQ(Page()->GetMeasuringDC().GetKeptCount(), 0u);

    const std::string strPage = "<html><head></head>" + strBody;
    ASSERT_TRUE(WriteAndSettle(strPage.c_str()));
    const size_t nKept = Page()->GetMeasuringDC().GetKeptCount();
    const size_t nHits = Page()->GetMeasuringDC().GetHitCount();
    EXPECT_GT(nKept, 0u);
    EXPECT_GT(nHits, 0u);  // "alpha " twice in one size
    EXPECT_EQ(WordCells(Page()), measured);

    // The same page again: nothing new measured, every word answered from what was kept.
    ASSERT_TRUE(WriteAndSettle(strPage.c_str()));
    EXPECT_EQ(Page()->GetMeasuringDC().GetKeptCount(), nKept);
    EXPECT_EQ(Page()->GetMeasuringDC().GetHitCount(), nHits + nKept + nHits);
    EXPECT_EQ(WordCells(Page()), measured);

    // New fonts (a zoom step) drop the sizes of the old ones.
    Page()->SetZoomStep(2);
    ASSERT_TRUE(WriteAndSettle(strPage.c_str()));
    const std::vector<std::string> zoomed = WordCells(Page());
    EXPECT_NE(zoomed, measured);
    EXPECT_LE(Page()->GetMeasuringDC().GetKeptCount(), nKept);
    ASSERT_TRUE(WriteAndSettle(("<html>" + strBody).c_str()));
    EXPECT_EQ(WordCells(Page()), zoomed);
}

TEST_F(HtmlCtrlTest, DestroyedHostLeavesAControlWithoutWindows) {
    m_pFrame->m_messages.clear();
    m_pHtml->GetHostWindow()->Destroy();
    ASSERT_TRUE(WaitFor([this] { return m_pHtml->GetHostWindow() == nullptr; }));
    EXPECT_EQ(nullptr, m_pHtml->GetBrowser());
    m_pHtml->Navigate2("about:blank");
    m_pHtml->ShowWindow(true);
    EXPECT_FALSE(m_pHtml->WriteHtml("<p>x</p>", nullptr, 0, 0));
    std::string strSelection = "untouched";
    EXPECT_FALSE(m_pHtml->GetSelectedText(strSelection));
    EXPECT_EQ("untouched", strSelection);
    Pump(100);
    EXPECT_TRUE(m_pFrame->m_messages.empty());
}

TEST(HtmlCtrl, CreateWithoutParentFails) {
    CHtmlCtrl html;
    EXPECT_FALSE(html.Create(nullptr, nullptr, kWsChild | kWsVisible, wxRect(0, 0, 10, 10),
                             nullptr, 1007, nullptr));
    EXPECT_EQ(nullptr, html.GetHostWindow());
}

// A page parsed ahead (the one a link rested on opens) is shown as the very page a parse gives,
// without the window parsing it; only a page asked for exactly is taken, and new fonts drop it.
TEST_F(HtmlCtrlTest, APreparedPageIsShownAsTheParsedPageWithoutAParse) {
    const std::string strPath = SaveContent(RelationContent(), "prepared.pdb");
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(strPath.c_str()));
    int nBig = -1;
    ASSERT_TRUE(dict.FindExactWord("big", nBig));
    std::vector<NamedPage> pages;
    ASSERT_TRUE(BuildWordPages(dict, nBig, pages));
    const std::string strPage = pages[0].second;
    std::vector<int32_t> numbers;
    ASSERT_TRUE(dict.GetEntryNumbers(nBig, numbers));
    const wxString strLastSense = EntryAnchorName(static_cast<uint32_t>(numbers.back()));
    // As parsed: its text, height, links and their places, and where its last sense lies.
    auto Describe = [&] {
        std::vector<LinkCell> links;
        CollectLinks(Page()->GetInternalRepresentation(), links);
        std::string strLinks;
        for (const LinkCell& link : links) {
            strLinks += WxToAnsi(link.pCell->GetLink()->GetHref()) + "@" +
                        std::to_string(link.place.x) + "," + std::to_string(link.place.y) + " ";
        }
        EXPECT_TRUE(Page()->ScrollToLastAnchor(strLastSense));
        return PageText() + "|" + std::to_string(Page()->GetPageHeight()) + "|" + strLinks + "|" +
               std::to_string(Page()->GetTopPixel());
    };
    m_pHtml->GetHostWindow()->SetSize(wxRect(10, 20, 300, 120));
    ASSERT_TRUE(WriteAndSettle(strPage.c_str()));
    const std::string strParsed = Describe();
    ASSERT_NE(std::string::npos, strParsed.find("small")) << strParsed;

    ASSERT_TRUE(WriteAndSettle("<html><body>other</body></html>"));
    m_pFrame->m_messages.clear();
    m_pHtml->PreparePage(strPage.c_str());
    EXPECT_TRUE(Page()->IsPrepared(AnsiToWx(strPage.c_str())));
    Pump(50);
    EXPECT_EQ("other", PageText());  // nothing shown, nothing reported
    EXPECT_TRUE(m_pFrame->m_messages.empty());
    ASSERT_TRUE(WriteAndSettle(strPage.c_str()));
    EXPECT_FALSE(Page()->IsPrepared(AnsiToWx(strPage.c_str())));
    EXPECT_EQ(strParsed, Describe());
    // The window's own parser never saw the page: it last parsed the page before.
    EXPECT_EQ("<html><body>other</body></html>", *Page()->GetParser()->GetSource());

    // Another page than the one prepared is parsed as usual, and the prepared one is dropped.
    m_pHtml->PreparePage(strPage.c_str());
    ASSERT_TRUE(WriteAndSettle("<html><body>third</body></html>"));
    EXPECT_EQ("third", PageText());
    EXPECT_FALSE(Page()->IsPrepared(AnsiToWx(strPage.c_str())));
    // New fonts (a zoom step) drop it too: it was parsed in the old ones.
    m_pHtml->PreparePage(strPage.c_str());
    Page()->SetZoomStep(1);
    EXPECT_FALSE(Page()->IsPrepared(AnsiToWx(strPage.c_str())));
    Page()->SetZoomStep(0);
}

// A prepared page that comes while a selection is being dragged with the mouse ends that
// selection: the drag must not go on over the cells of the page that went.
TEST_F(HtmlCtrlTest, APreparedPageEndsASelectionBeingDragged) {
    std::string strWords = "<html><body>";
    for (int i = 0; i < 40; ++i) strWords += "word" + std::to_string(i) + " ";
    const std::string strNext = "<html><body><p>next page</p></body></html>";
    ASSERT_TRUE(WriteAndSettle((strWords + "</body></html>").c_str()));
    m_pHtml->PreparePage(strNext.c_str());
    FocusPage();
    wxUIActionSimulator sim;
    sim.MouseMove(Page()->ClientToScreen(wxPoint(12, 14)));
    sim.MouseDown();
    sim.MouseMove(Page()->ClientToScreen(wxPoint(120, 30)));
    ASSERT_TRUE(WaitFor([this] { return !Page()->SelectionToText().empty(); }));
    ASSERT_TRUE(WriteAndSettle(strNext.c_str()));
    EXPECT_FALSE(Page()->IsPrepared(AnsiToWx(strNext.c_str())));
    EXPECT_FALSE(Page()->HasCapture());
    sim.MouseMove(Page()->ClientToScreen(wxPoint(60, 20)));
    Pump(100);
    sim.MouseUp();
    Pump(100);
    EXPECT_EQ("next page", PageText());
    EXPECT_EQ("", Page()->SelectionToText());
}
