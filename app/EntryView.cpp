#include "app/EntryView.h"

#include <wx/window.h>

#include <algorithm>

#include "htmlview/PageWindow.h"
#include "platform/Environment.h"
#include "platform/TabCtrl.h"
#include "res/Templates.h"

namespace {

// The part-of-speech names that get a tab, in tab order.
const char* const kTabNames[4] = {"Noun", "Verb", "Adj.", "Adv."};

// WriteHtml multiplies the scroll position by the page's height modulo 2^32: positions are kept
// within this range so that the product never wraps.
constexpr uint32_t kMaxScrollRange = 0xFFFF;

// The wait cursor from construction to destruction, so that it ends on every way out, also
// when an allocation fails.
class WaitCursorScope {
public:
    WaitCursorScope() { BeginWaitCursor(); }
    ~WaitCursorScope() { EndWaitCursor(); }
    WaitCursorScope(const WaitCursorScope&) = delete;
    WaitCursorScope& operator=(const WaitCursorScope&) = delete;
};

}  // namespace

bool EntryView::Create(wxWindow* pParent, TabCtrl* pTab, int nId) {
    m_tab = pTab;
    TabInsertItem(m_tab, 0, kTabNames[0]);
    const wxRect rcPage = TabAdjustRect(m_tab, m_tab->GetRect());
    const bool bCreated =
        m_html.Create(nullptr, nullptr, kWsChild | kWsVisible, rcPage, pParent, nId, nullptr);
    TabDeleteAllItems(m_tab);
    return bCreated;
}

void EntryView::Show(bool bShow) {
    m_tab->Show(bShow);
    m_html.ShowWindow(bShow);
}

void EntryView::FocusPage() {
    if (m_html.GetHostWindow() != nullptr) {
        m_html.GetHostWindow()->SetFocus();
    }
}

void EntryView::LayOut(int nLabelRight) {
    if (wxWindow* pHost = m_html.GetHostWindow()) {
        pHost->SetSize(TabAdjustRect(m_tab, m_tab->GetRect()));
    }
    m_nLabelRight = nLabelRight;
    FitTabLabels();
}

void EntryView::FitTabLabels() {
    if (m_nLabelRight != INT_MAX) {
        m_tab->FitLabelsBefore(m_nLabelRight);
    }
}

bool EntryView::ShowWordEntry(int nPos) {
    return ShowWord(nPos, 0, 0, 0);
}

bool EntryView::ShowWord(int nPos, int nTab, uint32_t nScrollPos, uint32_t nScrollRange) {
    if (!m_dict.IsOpen() || nPos < 0 || static_cast<uint32_t>(nPos) >= m_dict.GetWordCount()) {
        return false;
    }
    const WaitCursorScope wait;
    std::vector<NamedPage> pages;
    std::string strPages[4];  // by name, in the order of kTabNames
    const bool bRead =
        BuildWordPages(m_dict, nPos, pages) && EveryEntryWasRead(m_dict, nPos, pages);
    if (bRead) {
        FilePagesByName(pages, strPages);
    }
    // A word that cannot be read has no part of speech that could be shown: no tab.
    const int nTabs = LayOutTabs(strPages, nTab);
    std::string strPage;
    if (!bRead) {
        // Its text is missing too when its own block is the damaged part.
        std::string strWord;
        m_dict.GetWord(nPos, strWord);
        strPage = BuildDamagedEntryPage(strWord);
    }
    // Without a tab the word has nothing to show: an empty page, never the page of the word
    // shown before.
    const int nCurrent = GetCurrentTab();
    const char* lpszPage = nTabs > 0 && nCurrent >= 0 ? m_pages[nCurrent].c_str() : strPage.c_str();
    m_html.WriteHtml(lpszPage, nullptr, nScrollPos, nScrollRange);
    m_nPos = nPos;
    return true;
}

void EntryView::FilePagesByName(std::vector<NamedPage>& pages, std::string strPages[4]) {
    // A later page with the same name replaces an earlier one; a page with another name
    // (entries without a part of speech) is dropped.
    for (NamedPage& page : pages) {
        for (int i = 0; i < 4; ++i) {
            if (page.first == kTabNames[i]) {
                strPages[i].swap(page.second);
                break;
            }
        }
    }
}

int EntryView::LayOutTabs(std::string strPages[4], int nTab) {
    m_bLayingOutTabs = true;
    TabDeleteAllItems(m_tab);
    int k = 0;
    for (int i = 0; i < 4; ++i) {
        if (!strPages[i].empty()) {
            m_pages[k].swap(strPages[i]);
            TabInsertItem(m_tab, k, kTabNames[i]);
            ++k;
        }
    }
    if (k > 0) {
        m_tab->ChangeSelection(static_cast<size_t>(nTab >= 0 && nTab < k ? nTab : 0));
    }
    m_bLayingOutTabs = false;
    // GTK moves the focus to a new tab's page window: it goes back to the view.
    FocusPage();
    FitTabLabels();
    return k;
}

void EntryView::SelectTab(int nTab) {
    const int nCount = static_cast<int>(m_tab->GetPageCount());
    if (nCount <= 0) {
        return;
    }
    const int nNew = (nTab % nCount + nCount) % nCount;
    if (nNew != GetCurrentTab()) {
        m_tab->ChangeSelection(static_cast<size_t>(nNew));
        ShowCurrentTabPage();
    }
}

int EntryView::GetCurrentTab() const {
    return TabGetCurSel(m_tab);
}

void EntryView::OnTabChanged() {
    if (!m_bLayingOutTabs) {
        ShowCurrentTabPage();
    }
}

void EntryView::ShowCurrentTabPage() {
    const int nTab = GetCurrentTab();
    if (nTab >= 0 && nTab < 4) {
        m_html.WriteHtml(m_pages[nTab].c_str(), nullptr, 0, 0);
    }
}

EntryView::State EntryView::GetState() const {
    State state;
    state.nPos = m_nPos;
    state.nTab = std::max(0, GetCurrentTab());
    const PageWindow* pPage = m_html.GetBrowser();
    const int nHeight = pPage != nullptr ? pPage->GetPageHeight() : 0;
    if (nHeight > 0) {
        // Kept as a fraction of the height, which also holds once the page is laid out anew
        // for another width.
        const uint64_t nTop = static_cast<uint64_t>(std::max(0, pPage->GetTopPixel()));
        const uint64_t nRange = std::min<uint64_t>(static_cast<uint64_t>(nHeight), kMaxScrollRange);
        // Rounded up, so that the page is not shown a pixel above where it was.
        state.nScrollPos = static_cast<uint32_t>((nTop * nRange + nHeight - 1) / nHeight);
        state.nScrollRange = static_cast<uint32_t>(nRange);
    }
    return state;
}

bool EntryView::RestoreState(const State& state) {
    return ShowWord(state.nPos, state.nTab, state.nScrollPos, state.nScrollRange);
}

bool EntryView::FollowLink(const HtmlLinkInfo& WXUNUSED(info)) {
    return false;
}
