// Going from page to page in the dialog as a user does: related words and suggestions clicked in
// the page or followed from the keyboard, the history's keys and mouse buttons, the page's menu
// from the keyboard, the tab a word form opens on, the line that says a text is not in the
// dictionary, and the search in the meanings.
#include <gtest/gtest.h>

#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/settings.h>
#include <wx/timer.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "htmlview/HtmlLink.h"
#include "htmlview/LinkCells.h"
#include "render/WordPages.h"
#include "tests/gui/DialogTest.h"

namespace {

constexpr int kRapidWords = 12;  // more similar words than a sense shows

// fast: a noun, a verb, 20 adjectives and an adverb; its 12th adjective (entry 15) is the
// opposite of slow's last adjective (entry 53) and similar to rapid01 to rapid12. slow: a verb
// (shared with "slow down") and 30 adjectives, so that its last sense lies far down its page.
DataFileContent MakeFastAndSlow() {
    DataFileContent content;
    content.entries = {"fast|fasting\nabstaining from food", "fast\nabstain from certain foods",
                       "slow|slow down\nlose velocity"};
    for (int i = 1; i <= 20; ++i) {
        content.entries.push_back(i == 12 ? "fast\nacting or moving quickly"
                                          : "fast\nfast sense " + std::to_string(i));
    }
    for (int i = 1; i <= 30; ++i) {
        content.entries.push_back(i == 30 ? "slow\nnot moving quickly\nslow traffic"
                                          : "slow\nslow sense " + std::to_string(i));
    }
    std::vector<WriterWord> rapid;
    for (int i = 1; i <= kRapidWords; ++i) {
        char szWord[16];
        std::snprintf(szWord, sizeof szWord, "rapid%02d", i);
        content.entries.push_back(std::string(szWord) + "\nquick in the way " + szWord + " is");
        rapid.push_back({szWord, {static_cast<uint32_t>(content.entries.size())}});
    }
    content.entries.push_back("fast\nquickly");
    const uint32_t nAdverb = static_cast<uint32_t>(content.entries.size());
    WriterWord fast{"fast", {1, 2}};
    for (uint32_t n = 4; n <= 23; ++n) fast.entries.push_back(n);
    fast.entries.push_back(nAdverb);
    WriterWord slow{"slow", {3}};
    for (uint32_t n = 24; n <= 53; ++n) slow.entries.push_back(n);
    content.words = {fast, {"fasting", {1}}};
    content.words.insert(content.words.end(), rapid.begin(), rapid.end());
    content.words.push_back(slow);
    content.words.push_back({"slow down", {3}});
    const uint32_t nSizes[4] = {1, 2, 50 + kRapidWords, 1};
    GroupCountsForSizes(nSizes, content.entryCounts);
    content.relations.resize(content.entries.size());
    content.relations[15 - 1].push_back({1, 0, 53, 0});
    content.relations[53 - 1].push_back({1, 0, 15, 0});
    for (const WriterWord& word : rapid) {
        content.relations[15 - 1].push_back({24, 0, word.entries[0], 0});
    }
    return content;
}

bool Contains(const std::string& strText, const std::string& strPart) {
    return strText.find(strPart) != std::string::npos;
}

// Presses the key named by the X keysym strKeysym (XF86Back) through the X server.
void PressXKey(const std::string& strKeysym) {
    EXPECT_EQ(0, std::system(("xdotool key " + strKeysym).c_str())) << strKeysym;
}

class EntryLinksTest : public MainDialogTest {
protected:
    // The point of the page window's client area at the middle of the first word of the link
    // of kind nKind whose text is strText; wxDefaultPosition when there is none.
    wxPoint LinkPoint(uint32_t nKind, const std::string& strText) const {
        std::vector<LinkCells> links;
        CollectLinkCells(Browser()->GetInternalRepresentation(), links);
        for (const LinkCells& link : links) {
            HtmlLinkInfo info;
            const std::string strHref = WxToAnsi(link.pLink->GetHref());
            if (ClassifyNavigation(strHref.c_str(), info) == HtmlNavigation::kLink &&
                info.nThird == nKind && info.strText == strText) {
                const wxRect rc = link.rects.front();
                return Browser()->CalcScrolledPosition(rc.GetPosition() +
                                                       wxPoint(rc.width / 2, rc.height / 2));
            }
        }
        return wxDefaultPosition;
    }
    bool InView(const wxPoint& pt) const { return Browser()->GetClientRect().Contains(pt); }

    // Clicks the link with the mouse, scrolling it into view first, and waits for the page it
    // leads to.
    void ClickLink(uint32_t nKind, const std::string& strText) {
        wxPoint pt = LinkPoint(nKind, strText);
        ASSERT_NE(wxDefaultPosition, pt) << strText;
        if (!InView(pt)) {
            Browser()->ScrollToPixel(Browser()->GetTopPixel() + pt.y - 40);
            Settle();
            pt = LinkPoint(nKind, strText);
        }
        const int nLoads = m_nPageLoads;
        Click(Browser(), pt);
        ASSERT_TRUE(WaitFor([&] { return m_nPageLoads > nLoads; })) << "no page for " << strText;
    }

    // Goes through the history with a key or a mouse button sent by pressFn, and waits for the
    // page.
    void GoThroughHistory(const std::function<void()>& pressFn) {
        const int nLoads = m_nPageLoads;
        pressFn();
        EXPECT_TRUE(WaitFor([&] { return m_nPageLoads > nLoads; })) << "no page";
        Settle();
    }

    // Opens "fast" and its Adj. tab, scrolled down so that the sense with the relations shows
    // at the top; returns the scroll position.
    int OpenFastAdjectives() {
        OpenWord("fast");
        ClickTab(2);
        const wxPoint pt = LinkPoint(1, "slow");
        Browser()->ScrollToPixel(Browser()->GetTopPixel() + pt.y - 60);
        EXPECT_TRUE(WaitFor([this] { return Browser()->GetTopPixel() > 0; }));
        return Browser()->GetTopPixel();
    }

    // The shown page: its word in the search box, its tabs, the current tab, the scroll position.
    std::string Shown() const {
        return WxToAnsi(Edit()->GetValue()) + " " + TabNames() + " " +
               std::to_string(Tab()->GetSelection()) + " " +
               std::to_string(Browser()->GetTopPixel());
    }
    std::string Shown(const std::string& strWord, const std::string& strTabs, int nTab,
                      int nTop) const {
        return strWord + " " + strTabs + " " + std::to_string(nTab) + " " + std::to_string(nTop);
    }
};

}  // namespace

TEST_F(EntryLinksTest, RelatedWordOpensOnTheTabOfItsSenseScrolledToIt) {
    WriteDataFileBesideProgram(MakeFastAndSlow());
    Start();
    OpenFastAdjectives();
    ClickLink(1, "slow");
    EXPECT_TRUE(InEntryMode());
    EXPECT_EQ("Verb,Adj.", TabNames());
    EXPECT_EQ(1, Tab()->GetSelection());
    // Scrolled to the last sense, whose opposite, "fast", is in view.
    EXPECT_GT(Browser()->GetTopPixel(), 0);
    EXPECT_TRUE(InView(LinkPoint(1, "fast")));
    EXPECT_TRUE(SaveScreenshot(m_pDlg.get(), "entry-mode-link-followed.png"));
    // The word is in the search box: back to the list at that word.
    EXPECT_EQ("slow", Edit()->GetValue());
    Press(WXK_BACK);
    ASSERT_TRUE(WaitFor([this] { return InListMode(); }));
    EXPECT_EQ("slow", List()->GetItemText(Selected()));

    // The rest of a kind too long for its sense, under a tab of its own.
    OpenFastAdjectives();
    const std::string strSenses = PageText();
    EXPECT_TRUE(Contains(strSenses, "rapid10; 2 more")) << strSenses;
    EXPECT_FALSE(Contains(strSenses, "rapid11"));
    ClickLink(100 + 24, "fast");
    EXPECT_EQ("Similar", TabNames());
    EXPECT_TRUE(Contains(PageText(), "rapid11") && Contains(PageText(), "rapid12"));
    EXPECT_EQ("fast", Edit()->GetValue());
    ClickLink(24, "rapid12");
    EXPECT_EQ("Adj.", TabNames());
    EXPECT_TRUE(Contains(PageText(), "quick in the way rapid12 is"));
}

TEST_F(EntryLinksTest, HistoryKeysGoBackAndForwardWithTabAndScroll) {
    WriteDataFileBesideProgram(MakeFastAndSlow());
    Start();
    // Opened by Enter, by a link, by a click on a row, and by Enter after "L" and a key.
    const int nFastTop = OpenFastAdjectives();
    ClickLink(1, "slow");
    const int nSlowTop = Browser()->GetTopPixel();
    ClickBack();
    ASSERT_TRUE(WaitFor([this] { return InListMode(); }));
    ClearSearch();
    Type("fasting");
    ClickRow(Selected());
    ASSERT_TRUE(WaitFor([this] { return InEntryMode() && TabNames() == "Noun"; }));
    MovePointer(Browser()->ClientToScreen(wxPoint(22, 21)));
    wxUIActionSimulator().MouseDblClick();
    ASSERT_TRUE(WaitFor([this] { return Browser()->SelectionToText() == "fasting"; }));
    Press('L', wxMOD_ALT);
    ASSERT_TRUE(WaitFor([this] { return InListMode(); }));
    Press(WXK_DOWN);  // the next word: rapid01
    Press(WXK_RETURN);
    ASSERT_TRUE(WaitFor([this] { return InEntryMode() && TabNames() == "Adj."; }));

    const auto AltLeft = [this] { Press(WXK_LEFT, wxMOD_ALT); };
    const auto AltRight = [this] { Press(WXK_RIGHT, wxMOD_ALT); };
    GoThroughHistory(AltLeft);
    EXPECT_EQ(Shown("fasting", "Noun", 0, 0), Shown());
    GoThroughHistory(AltLeft);
    EXPECT_EQ(Shown("slow", "Verb,Adj.", 1, nSlowTop), Shown());
    GoThroughHistory(AltLeft);
    EXPECT_EQ(Shown("fast", "Noun,Verb,Adj.,Adv.", 2, nFastTop), Shown());
    // At the start: nothing.
    AltLeft();
    Settle();
    EXPECT_EQ(Shown("fast", "Noun,Verb,Adj.,Adv.", 2, nFastTop), Shown());

    // The keyboard's Forward and Back keys; the page as it was left this time.
    GoThroughHistory([] { PressXKey("XF86Forward"); });
    EXPECT_EQ(Shown("slow", "Verb,Adj.", 1, nSlowTop), Shown());
    Browser()->ScrollToPixel(0);
    ASSERT_TRUE(WaitFor([this] { return Browser()->GetTopPixel() == 0; }));
    GoThroughHistory([] { PressXKey("XF86Back"); });
    EXPECT_EQ(Shown("fast", "Noun,Verb,Adj.,Adv.", 2, nFastTop), Shown());
    GoThroughHistory(AltRight);
    EXPECT_EQ(Shown("slow", "Verb,Adj.", 1, 0), Shown());
    GoThroughHistory(AltRight);
    GoThroughHistory(AltRight);
    EXPECT_EQ(Shown("rapid01", "Adj.", 0, 0), Shown());
    AltRight();
    Settle();
    EXPECT_EQ(Shown("rapid01", "Adj.", 0, 0), Shown());

    // Backspace still returns to the list, at the word shown; from there back shows the page
    // the list was opened from, as it was left.
    GoThroughHistory(AltLeft);
    Press(WXK_BACK);
    ASSERT_TRUE(WaitFor([this] { return InListMode(); }));
    EXPECT_EQ("fasting", List()->GetItemText(Selected()));
    AltLeft();
    ASSERT_TRUE(WaitFor([this] { return InEntryMode(); }));
    EXPECT_EQ(Shown("fasting", "Noun", 0, 0), Shown());
    EXPECT_EQ(4u, m_pDlg->GetEntryView().GetHistory().size());
}

TEST_F(EntryLinksTest, MouseBackAndForwardButtonsGoThroughTheHistory) {
    WriteDataFileBesideProgram(MakeFastAndSlow());
    Start();
    const int nFastTop = OpenFastAdjectives();
    ClickLink(1, "slow");
    const int nSlowTop = Browser()->GetTopPixel();
    const auto ClickButton = [this](int nButton) {
        const int nTarget = m_input.m_nButtons + 1;
        EXPECT_EQ(0, std::system(("xdotool click " + std::to_string(nButton)).c_str()));
        EXPECT_TRUE(WaitFor([&] { return m_input.m_nButtons >= nTarget; })) << "button lost";
        Settle();
    };
    MovePointer(Browser()->GetScreenRect().GetBottomRight() - wxPoint(30, 30));
    ClickButton(8);  // back
    EXPECT_EQ(Shown("fast", "Noun,Verb,Adj.,Adv.", 2, nFastTop), Shown());
    ClickButton(9);  // forward
    EXPECT_EQ(Shown("slow", "Verb,Adj.", 1, nSlowTop), Shown());

    // Over the word list, back shows the page the list was opened from.
    Press(WXK_BACK);
    ASSERT_TRUE(WaitFor([this] { return InListMode(); }));
    MovePointer(List()->GetScreenRect().GetTopLeft() + wxPoint(30, 30));
    ClickButton(8);
    ASSERT_TRUE(WaitFor([this] { return InEntryMode(); }));
    EXPECT_EQ(Shown("slow", "Verb,Adj.", 1, nSlowTop), Shown());
}

namespace {

// Reads rc (screen coordinates) off the screen into image; false when the screen cannot be read.
bool GrabScreen(const wxRect& rc, wxImage& image) {
    const std::string strPath = ScreenshotDir() + "/screen-grab.png";
    char szCommand[512];
    std::snprintf(szCommand, sizeof szCommand, "import -window root -crop %dx%d+%d+%d +repage '%s'",
                  rc.width, rc.height, rc.x, rc.y, strPath.c_str());
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
    const bool bRead = std::system(szCommand) == 0 && image.LoadFile(strPath, wxBITMAP_TYPE_PNG);
    std::remove(strPath.c_str());
    return bRead;
}

// How many pixels of rc (screen coordinates) have the colour c, give or take a little; -1 when
// the screen cannot be read.
int CountPixelsOfColour(const wxRect& rc, const wxColour& c) {
    wxImage image;
    if (!GrabScreen(rc, image)) return -1;
    int nCount = 0;
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            nCount += std::abs(image.GetRed(x, y) - c.Red()) + std::abs(image.GetGreen(x, y) - c.Green()) +
                          std::abs(image.GetBlue(x, y) - c.Blue()) < 24;
        }
    }
    return nCount;
}

// The pixels of the page window's client area as they are on the screen (width, height and
// the RGB data), without the strip at its right where GTK's overlay scroll bar is drawn, in a
// shade that fades with time.
std::string PagePixels(wxWindow* pPage) {
    pPage->Update();
    const wxSize size = pPage->GetClientSize() - wxSize(16, 0);
    wxImage image;
    if (!GrabScreen(wxRect(pPage->ClientToScreen(wxPoint(0, 0)), size), image)) {
        return std::string();
    }
    return std::to_string(image.GetWidth()) + "x" + std::to_string(image.GetHeight()) + ":" +
           std::string(reinterpret_cast<const char*>(image.GetData()),
                       static_cast<size_t>(image.GetWidth()) * image.GetHeight() * 3);
}

}  // namespace

TEST_F(EntryLinksTest, TabMovesAVisibleFocusFromLinkToLinkAndEnterFollowsIt) {
    WriteDataFileBesideProgram(MakeFastAndSlow());
    Start();
    OpenWord("fast");
    Press(WXK_PAGEDOWN, wxMOD_CONTROL);
    Press(WXK_PAGEDOWN, wxMOD_CONTROL);
    ASSERT_EQ(2, Tab()->GetSelection());
    ASSERT_EQ(-1, Browser()->GetFocusedLink());
    ASSERT_EQ(0, Browser()->GetTopPixel());
    const wxColour cMark = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    const auto MarkPixels = [&] {
        std::vector<wxRect> rects = Browser()->GetFocusedLinkRects();
        wxRect rc = rects.empty() ? wxRect(0, 0, 1, 1) : rects.front();
        rc.Inflate(6, 5);
        Browser()->Update();
        return CountPixelsOfColour(wxRect(Browser()->ClientToScreen(rc.GetPosition()), rc.GetSize()),
                                   cMark);
    };

    // The first link below the window's top is below the fold: it is scrolled into view.
    Press(WXK_TAB);
    EXPECT_EQ(0, Browser()->GetFocusedLink());
    EXPECT_GT(Browser()->GetTopPixel(), 0);
    ASSERT_EQ(1u, Browser()->GetFocusedLinkRects().size());
    EXPECT_TRUE(Browser()->GetClientRect().Contains(Browser()->GetFocusedLinkRects()[0]));
    EXPECT_TRUE(InView(LinkPoint(1, "slow")));
    EXPECT_GT(MarkPixels(), 20);
    EXPECT_TRUE(SaveScreenshot(m_pDlg.get(), "entry-mode-link-focus.png"));
    Press(WXK_TAB);
    EXPECT_EQ(1, Browser()->GetFocusedLink());
    Press(WXK_TAB, wxMOD_SHIFT);
    Press(WXK_TAB, wxMOD_SHIFT);  // round to the last link: the footer's
    const int nLast = Browser()->GetFocusedLink();
    EXPECT_EQ(1 + 1 + 10 + 1, nLast + 1);  // slow, rapid01 to rapid10, "2 more", the footer
    Press(WXK_TAB);
    EXPECT_EQ(0, Browser()->GetFocusedLink());
    EXPECT_TRUE(InEntryMode());

    Press(WXK_RETURN);
    ASSERT_TRUE(WaitFor([this] { return TabNames() == "Verb,Adj."; }));
    EXPECT_EQ("slow", Edit()->GetValue());
    EXPECT_EQ(-1, Browser()->GetFocusedLink());
    EXPECT_EQ(0, MarkPixels());
    // Without a focused link Enter does nothing.
    Press(WXK_RETURN);
    EXPECT_EQ("slow", Edit()->GetValue());
    EXPECT_TRUE(InEntryMode());
}

// The page a related word opens is prepared while the pointer rests on the link, or the link
// focus is on it, and the click or Enter then shows it as it would have been shown anyway.
TEST_F(EntryLinksTest, PageOfALinkRestedOnIsPreparedAndShownByTheClick) {
    WriteDataFileBesideProgram(MakeFastAndSlow());
    DictionaryFile dict;
    ASSERT_TRUE(dict.Open(DataFilePathBesideProgram().c_str()));
    int nSlow = -1;
    ASSERT_TRUE(dict.FindExactWord("slow", nSlow));
    std::vector<NamedPage> pages;
    ASSERT_TRUE(BuildWordPages(dict, nSlow, pages));
    ASSERT_EQ("Adj.", pages.at(1).first);
    const wxString strSlowAdjectives = AnsiToWx(pages[1].second.c_str());
    Start();
    const int nTop = OpenFastAdjectives();

    MovePointer(Browser()->ClientToScreen(LinkPoint(1, "slow")));
    ASSERT_TRUE(WaitFor([&] { return Browser()->IsPrepared(strSlowAdjectives); }));
    EXPECT_EQ(Shown("fast", "Noun,Verb,Adj.,Adv.", 2, nTop), Shown());  // nothing else changed
    ClickLink(1, "slow");
    EXPECT_FALSE(Browser()->IsPrepared(strSlowAdjectives));
    const std::string strByLink = Shown();
    EXPECT_EQ("slow Verb,Adj. 1", strByLink.substr(0, strByLink.rfind(' ')));
    EXPECT_GT(Browser()->GetTopPixel(), 0);
    EXPECT_TRUE(InView(LinkPoint(1, "fast")));
    // Drawn as the same page parsed anew is drawn (forward in the history builds it again).
    const std::string strPrepared = PagePixels(Browser());
    ASSERT_FALSE(strPrepared.empty());
    const int nLinkedTop = Browser()->GetTopPixel();
    GoThroughHistory([this] { Press(WXK_LEFT, wxMOD_ALT); });
    GoThroughHistory([this] { Press(WXK_RIGHT, wxMOD_ALT); });
    ASSERT_EQ("slow Verb,Adj. 1", Shown().substr(0, Shown().rfind(' ')));
    Browser()->ScrollToPixel(nLinkedTop);
    EXPECT_TRUE(PagePixels(Browser()) == strPrepared) << "the prepared page looks different";

    // The same from the keyboard: the link focus on "slow" prepares it, Enter shows it.
    GoThroughHistory([this] { Press(WXK_LEFT, wxMOD_ALT); });
    ASSERT_EQ(Shown("fast", "Noun,Verb,Adj.,Adv.", 2, nTop), Shown());
    MovePointer(Browser()->GetScreenRect().GetTopLeft() - wxPoint(20, 20));
    Press(WXK_TAB);
    ASSERT_EQ(0, Browser()->GetFocusedLink());
    ASSERT_TRUE(WaitFor([&] { return Browser()->IsPrepared(strSlowAdjectives); }));
    Press(WXK_RETURN);
    ASSERT_TRUE(WaitFor([this] { return TabNames() == "Verb,Adj."; }));
    EXPECT_FALSE(Browser()->IsPrepared(strSlowAdjectives));
    EXPECT_EQ(strByLink, Shown());
}

TEST_F(EntryLinksTest, MenuKeyAndShiftF10OpenThePageMenu) {
    WriteDataFileBesideProgram(MakeFastAndSlow());
    Start();
    const struct {
        int nKey;
        int nModifiers;
    } keys[] = {{WXK_MENU, wxMOD_NONE}, {WXK_F10, wxMOD_SHIFT}};
    for (const auto& key : keys) {
        OpenWord("slow");
        MovePointer(Browser()->ClientToScreen(wxPoint(22, 21)));
        wxUIActionSimulator().MouseDblClick();
        ASSERT_TRUE(WaitFor([this] { return Browser()->SelectionToText() == "slow"; }));
        MovePointer(m_pDlg->GetScreenRect().GetBottomRight() + wxPoint(20, 20));
        {
            // Its second item, "Look up".
            PopupMenuKeys menuKeys(m_pDlg.get(), {WXK_DOWN, WXK_DOWN, WXK_RETURN});
            wxUIActionSimulator().Char(key.nKey, key.nModifiers);
            EXPECT_TRUE(WaitFor([this] { return InListMode(); }, 4000)) << key.nKey;
        }
        EXPECT_EQ("slow", Edit()->GetValue());
        EXPECT_TRUE(ModalLog().empty());
        Settle();
    }
}

TEST_F(EntryLinksTest, FormOfAWordOpensOnTheTabOfItsPartOfSpeech) {
    DataFileContent content;
    content.entries = {"go|go game\na board game for two", "go\nmove from one place to another",
                       "walk\nuse one's feet to advance"};
    content.words = {{"go", {1, 2}}, {"go game", {1}}, {"walk", {3}}};
    const uint32_t nSizes[4] = {1, 2, 0, 0};
    GroupCountsForSizes(nSizes, content.entryCounts);
    content.exceptions[1] = {{"went", "go"}};
    WriteDataFileBesideProgram(content);
    Start();
    std::string strPage = OpenWord("went");
    EXPECT_EQ("Noun,Verb", TabNames());
    EXPECT_EQ(1, Tab()->GetSelection());
    EXPECT_TRUE(Contains(strPage, "move from one place")) << strPage;
    // The word itself opens on its first tab, as does the row once the keys moved the list's
    // selection away from where the form led and back.
    OpenWord("go");
    EXPECT_EQ(0, Tab()->GetSelection());
    ClickBack();
    ASSERT_TRUE(WaitFor([this] { return InListMode(); }));
    ClearSearch();
    Type("went");
    Press(WXK_DOWN);
    Press(WXK_UP);
    ASSERT_EQ("go", List()->GetItemText(Selected()));
    Press(WXK_RETURN);
    ASSERT_TRUE(WaitFor([this] { return InEntryMode(); }));
    EXPECT_EQ(0, Tab()->GetSelection());
}

TEST_F(EntryLinksTest, TextNotInTheDictionaryIsSaidWithSuggestionsThatOpenAsLinks) {
    DataFileContent content = MakeDictionary({"deceive", "receive", "recidivist", "relieve", "zebra"});
    content.bSpellingIndex = true;
    WriteDataFileBesideProgram(content);
    Start();
    std::string strPage = OpenWord("recieve");
    EXPECT_TRUE(Contains(strPage, "\x93recieve\x94 is not in the dictionary. Did you mean receive, "
                                  "relieve or deceive?")) << strPage;
    EXPECT_TRUE(Contains(strPage, "definition of receive"));
    EXPECT_TRUE(SaveScreenshot(m_pDlg.get(), "entry-mode-not-found.png"));
    ClickLink(0, "relieve");
    strPage = PageText();
    EXPECT_TRUE(Contains(strPage, "definition of relieve")) << strPage;
    EXPECT_FALSE(Contains(strPage, "not in the dictionary"));
    EXPECT_EQ("relieve", Edit()->GetValue());
    // Back in the history the line is there again.
    GoThroughHistory([this] { Press(WXK_LEFT, wxMOD_ALT); });
    EXPECT_TRUE(Contains(PageText(), "\x93recieve\x94 is not in the dictionary"));

    // The nearest word, with nothing to suggest; a word of the list says nothing.
    strPage = OpenWord("qzxv");
    EXPECT_TRUE(Contains(strPage, "\x93qzxv\x94 is not in the dictionary.")) << strPage;
    EXPECT_FALSE(Contains(strPage, "Did you mean"));
    EXPECT_FALSE(Contains(OpenWord("zebra"), "not in the dictionary"));
}

namespace {

DataFileContent MakeFelines() {
    DataFileContent content = MakeDictionary({"cat", "dog", "lion", "tiger"});
    content.entries = {"cat\na small domesticated feline", "dog\na domesticated canine",
                       "lion\na large feline of Africa", "tiger\na large feline of Asia"};
    content.bMeaningIndex = true;
    return content;
}

}  // namespace

TEST_F(EntryLinksTest, CtrlEnterSearchesTheMeaningsAndBackspaceReturns) {
    WriteDataFileBesideProgram(MakeFelines());
    Start();
    Type("Large Feline");
    const int nLoads = m_nPageLoads;
    Press(WXK_RETURN, wxMOD_CONTROL);
    ASSERT_TRUE(WaitFor([&] { return InEntryMode() && m_nPageLoads > nLoads; }));
    EXPECT_EQ("Meanings", TabNames());
    std::string strPage = PageText();
    EXPECT_TRUE(Contains(strPage, "lion") && Contains(strPage, "tiger")) << strPage;
    EXPECT_FALSE(Contains(strPage, "cat")) << strPage;
    EXPECT_TRUE(SaveScreenshot(m_pDlg.get(), "entry-mode-meanings.png"));

    // A match opens as a link; the result page is in the history.
    ClickLink(0, "tiger");
    EXPECT_TRUE(Contains(PageText(), "a large feline of Asia"));
    EXPECT_EQ("Noun", TabNames());
    EXPECT_EQ("tiger", Edit()->GetValue());
    GoThroughHistory([this] { Press(WXK_LEFT, wxMOD_ALT); });
    EXPECT_EQ("Meanings", TabNames());
    EXPECT_EQ("Large Feline", Edit()->GetValue());
    Press(WXK_BACK);
    ASSERT_TRUE(WaitFor([this] { return InListMode(); }));
    EXPECT_EQ("Large Feline", Edit()->GetValue());
}

TEST_F(EntryLinksTest, SearchMeaningsInTheWordListsMenu) {
    WriteDataFileBesideProgram(MakeFelines());
    Start();
    Type("domesticated");
    wxRect rc;
    ASSERT_TRUE(List()->GetItemRect(1, rc));
    MovePointer(List()->ClientToScreen(wxPoint(rc.x + 20, rc.y + rc.height / 2)));
    const int nLoads = m_nPageLoads;
    {
        PopupMenuKeys menuKeys(m_pDlg.get(), {WXK_DOWN, WXK_RETURN});  // its first item
        wxUIActionSimulator().MouseClick(wxMOUSE_BTN_RIGHT);
        EXPECT_TRUE(WaitFor([&] { return InEntryMode() && m_nPageLoads > nLoads; }, 5000));
    }
    EXPECT_EQ("Meanings", TabNames());
    const std::string strPage = PageText();
    EXPECT_TRUE(Contains(strPage, "cat") && Contains(strPage, "dog")) << strPage;
    EXPECT_TRUE(ModalLog().empty());
}

// The pages of the real data file that show the new parts best, for a person to look at
// (skipped without the file).
TEST_F(EntryLinksTest, WordNetPagesScreenshots) {
    if (!LinkWordNetDataFileBesideProgram()) {
        GTEST_SKIP() << LEXANO_WORDNET_DATA << " is missing; make it with lexano-data build";
    }
    Start();
    m_pDlg->SetSize(wxSize(460, 620));
    Settle();
    OpenWord("fast");
    ClickTab(2);
    EXPECT_TRUE(Contains(PageText(), "Opposite slow"));
    EXPECT_TRUE(SaveScreenshot(m_pDlg.get(), "wordnet-fast-adj.png"));
    OpenWord("dog");
    EXPECT_TRUE(Contains(PageText(), "Broader canine, canid; domestic animal"));
    EXPECT_TRUE(SaveScreenshot(m_pDlg.get(), "wordnet-dog.png"));
    ClickLink(2, "canine");
    EXPECT_EQ("canine", Edit()->GetValue());
    EXPECT_TRUE(SaveScreenshot(m_pDlg.get(), "wordnet-dog-canine.png"));
    // The heaviest page, break's Verb tab, opened from a link rested on: shown as prepared.
    OpenWord("breakage");
    MovePointer(Browser()->ClientToScreen(LinkPoint(13, "break")));
    ASSERT_TRUE(WaitFor([this] { return m_pDlg->GetEntryView().HasPreparedWord(); }));
    ClickLink(13, "break");
    EXPECT_EQ("break Noun,Verb 1", Shown().substr(0, Shown().rfind(' ')));
    EXPECT_TRUE(SaveScreenshot(m_pDlg.get(), "wordnet-breakage-break-prepared.png"));
    const std::string strPage = OpenWord("recieve");
    EXPECT_TRUE(Contains(strPage, "\x93recieve\x94 is not in the dictionary. Did you mean receive"))
        << strPage;
    EXPECT_TRUE(SaveScreenshot(m_pDlg.get(), "wordnet-recieve.png"));
    ClickBack();
    ASSERT_TRUE(WaitFor([this] { return InListMode(); }));
    ClearSearch();
    Type("large feline");
    Press(WXK_RETURN, wxMOD_CONTROL);
    ASSERT_TRUE(WaitFor([this] { return InEntryMode() && TabNames() == "Meanings"; }));
    EXPECT_TRUE(SaveScreenshot(m_pDlg.get(), "wordnet-meanings-large-feline.png"));
}
