// The entry view in a window of its own, over a data file of its own: an entry shown again from
// its state, and positions the file does not hold. What the dialog shows of entries is tested
// with the dialog (MainDialogTest).
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/frame.h>

#include <memory>
#include <string>

#include "app/EntryView.h"
#include "htmlview/PageWindow.h"
#include "platform/AnsiText.h"
#include "platform/TabCtrl.h"
#include "tests/gui/GuiTest.h"

namespace {

constexpr int kViewId = 1007;

// "long": 2 nouns and 40 verbs, so that its verb page is taller than the view; "short": 1 noun.
DataFileContent MakeLongAndShort() {
    DataFileContent content;
    content.entries = {"long\na yearning", "short\na short film", "long\na long syllable"};
    content.words = {{"long", {1, 3}}, {"short", {2}}};
    for (int i = 0; i < 40; ++i) {
        content.entries.push_back("long\nto desire, sense " + std::to_string(i + 1));
        content.words[0].entries.push_back(static_cast<uint32_t>(content.entries.size()));
    }
    const uint32_t nSizes[4] = {3, 40, 0, 0};
    GroupCountsForSizes(nSizes, content.entryCounts);
    return content;
}

class EntryViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dict.Open(SaveContent(MakeLongAndShort(), "entries.pdb").c_str()));
        m_pFrame = new wxFrame(nullptr, wxID_ANY, "entry view", wxPoint(50, 50), wxSize(400, 300));
        m_pTab = new TabCtrl(m_pFrame, 1002, wxPoint(5, 5), wxSize(380, 250));
        m_pView = std::make_unique<EntryView>(m_dict);
        ASSERT_TRUE(m_pView->Create(m_pFrame, m_pTab, kViewId));
        m_pFrame->Show();
        ASSERT_TRUE(WaitFor([this] { return m_pFrame->IsShownOnScreen(); }));
    }
    void TearDown() override {
        m_pView.reset();
        m_pFrame->Destroy();
        WaitFor([] { return wxTopLevelWindows.empty(); }, 1000);
    }

    PageWindow* Page() { return m_pView->GetHtml().GetBrowser(); }
    std::string PageText() { return WxToAnsi(Page()->ToText()); }
    std::string TabNames() const {
        std::string strNames;
        for (size_t i = 0; i < m_pTab->GetPageCount(); ++i) {
            strNames += (i > 0 ? "," : "") + WxToAnsi(m_pTab->GetPageText(i));
        }
        return strNames;
    }

    DictionaryFile m_dict;
    wxFrame* m_pFrame = nullptr;
    TabCtrl* m_pTab = nullptr;
    std::unique_ptr<EntryView> m_pView;
};

bool Contains(const std::string& strText, const std::string& strPart) {
    return strText.find(strPart) != std::string::npos;
}

}  // namespace

TEST_F(EntryViewTest, RestoredStateShowsTheEntryOnItsTabAtItsScrollPosition) {
    ASSERT_TRUE(m_pView->ShowWordEntry(0));
    EXPECT_EQ("Noun,Verb", TabNames());
    m_pView->SelectTab(1);
    ASSERT_TRUE(Contains(PageText(), "sense 40"));
    ASSERT_GT(Page()->GetPageHeight(), 2 * Page()->GetClientSize().y);
    Page()->ScrollToPixel(Page()->GetPageHeight() / 2);
    ASSERT_TRUE(WaitFor([this] { return Page()->GetTopPixel() > 0; }));
    const int nTop = Page()->GetTopPixel();
    const EntryView::State state = m_pView->GetState();
    EXPECT_EQ(0, state.nPos);
    EXPECT_EQ(1, state.nTab);

    ASSERT_TRUE(m_pView->ShowWordEntry(1));
    EXPECT_EQ("Noun", TabNames());
    EXPECT_TRUE(Contains(PageText(), "a short film"));
    EXPECT_EQ(0, Page()->GetTopPixel());

    ASSERT_TRUE(m_pView->RestoreState(state));
    EXPECT_EQ("Noun,Verb", TabNames());
    EXPECT_EQ(1, m_pView->GetCurrentTab());
    EXPECT_TRUE(Contains(PageText(), "sense 40"));
    EXPECT_EQ(nTop, Page()->GetTopPixel());
    // The tabs still work as tabs: the first shows the nouns from the top.
    m_pView->SelectTab(0);
    EXPECT_TRUE(Contains(PageText(), "a yearning"));
    EXPECT_EQ(0, Page()->GetTopPixel());
}

TEST_F(EntryViewTest, PositionTheFileDoesNotHoldChangesNothing) {
    ASSERT_TRUE(m_pView->ShowWordEntry(1));
    const std::string strPage = PageText();
    for (int nPos : {-1, 2, 1 << 30}) {
        EXPECT_FALSE(m_pView->ShowWordEntry(nPos)) << nPos;
    }
    EXPECT_FALSE(m_pView->RestoreState(EntryView::State()));  // no entry shown yet
    EXPECT_EQ("Noun", TabNames());
    EXPECT_EQ(strPage, PageText());
    EXPECT_EQ(1, m_pView->GetState().nPos);
}
