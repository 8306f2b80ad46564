#include "app/EntryView.h"

#include <wx/window.h>

#include <algorithm>

#include "htmlview/PageWindow.h"
#include "render/PageLinks.h"
#include "render/SearchPages.h"
#include "platform/Environment.h"
#include "platform/TabCtrl.h"
#include "res/Templates.h"

namespace {

// The part-of-speech names that get a tab, in tab order.
const char* const kTabNames[4] = {"Noun", "Verb", "Adj.", "Adv."};

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
    return ShowSearchedEntry(nPos, -1, std::string());
}

bool EntryView::ShowSearchedEntry(int nPos, int nPartOfSpeech, const std::string& strNotFound) {
    const State stateLeft = GetState();
    Placement where;
    where.nPartOfSpeech = nPartOfSpeech;
    where.strNotFound = strNotFound;
    if (!ShowWord(nPos, where)) {
        return false;
    }
    Remember(stateLeft);
    return true;
}

bool EntryView::ShowWord(int nPos, const Placement& where) {
    if (!m_dict.IsOpen() || nPos < 0 || static_cast<uint32_t>(nPos) >= m_dict.GetWordCount()) {
        return false;
    }
    const WaitCursorScope wait;
    std::vector<NamedPage> pages;
    std::string strPages[4];  // by name, in the order of kTabNames
    // Built already when a link to the word was rested on.
    const bool bPrepared = nPos == m_nPreparedPos;
    if (bPrepared) {
        pages.swap(m_preparedPages);
    }
    m_nPreparedPos = -1;
    m_preparedPages.clear();
    const bool bRead = bPrepared || (BuildWordPages(m_dict, nPos, pages) &&
                                     EveryEntryWasRead(m_dict, nPos, pages));
    int nTab = where.nTab;
    if (bRead) {
        FilePagesByName(pages, strPages);
        nTab = ChooseTab(nPos, pages, strPages, where);
        if (nTab < 0) {
            return false;  // an entry the word does not have
        }
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
    const int nCurrent = GetCurrentTab();
    int nNoteTab = 0;
    if (!where.strNotFound.empty()) {
        nNoteTab = where.nNoteTab >= 0 && where.nNoteTab < nTabs ? where.nNoteTab
                                                                  : std::max(0, nCurrent);
        AddNotFoundLine(m_dict, where.strNotFound, nTabs > 0 ? m_pages[nNoteTab] : strPage);
    }
    // Without a tab the word has nothing to show: an empty page, never the page of the word
    // shown before.
    const char* lpszPage = nTabs > 0 && nCurrent >= 0 ? m_pages[nCurrent].c_str() : strPage.c_str();
    const std::string strAnchor = where.nEntry != 0 ? EntryAnchorName(where.nEntry) : std::string();
    m_html.WriteHtml(lpszPage, strAnchor.c_str(), where.nScrollPos, where.nScrollRange);
    m_shown = State();
    m_shown.nPos = nPos;
    m_shown.strText = where.strNotFound;
    m_shown.nNoteTab = nNoteTab;
    return true;
}

int EntryView::ChooseTab(int nPos, const std::vector<NamedPage>& pages,
                         const std::string strPages[4], const Placement& where) {
    std::string strName;
    if (where.nEntry != 0) {
        size_t nPage = 0;
        if (!FindEntryPage(m_dict, nPos, where.nEntry, nPage) || nPage >= pages.size()) {
            return -1;
        }
        strName = pages[nPage].first;
    } else if (where.nPartOfSpeech >= 0) {
        strName = DictionaryFile::PartOfSpeechName(static_cast<uint32_t>(where.nPartOfSpeech));
    } else {
        return where.nTab;
    }
    // The tab of that name counts the non-empty pages before it; a word without it opens on
    // its first tab.
    int nTab = 0;
    for (int i = 0; i < 4; ++i) {
        if (strName == kTabNames[i]) {
            return strPages[i].empty() ? 0 : nTab;
        }
        nTab += strPages[i].empty() ? 0 : 1;
    }
    return 0;
}

void EntryView::ShowSinglePage(const std::string& strLabel, std::string& strPage,
                               uint32_t nScrollPos, uint32_t nScrollRange) {
    m_bLayingOutTabs = true;
    TabDeleteAllItems(m_tab);
    m_pages[0].swap(strPage);
    TabInsertItem(m_tab, 0, strLabel);
    m_tab->ChangeSelection(0);
    m_bLayingOutTabs = false;
    FocusPage();
    FitTabLabels();
    m_html.WriteHtml(m_pages[0].c_str(), nullptr, nScrollPos, nScrollRange);
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
