// EntryView's ways from page to page without the word list: the links of the pages, the page of
// a search in the meanings, and the history of the pages shown, each kept as a State.
#include "app/EntryView.h"

#include <algorithm>

#include "htmlview/PageWindow.h"
#include "render/PageLinks.h"
#include "render/RelationRows.h"
#include "render/SearchPages.h"

namespace {

// WriteHtml multiplies the scroll position by the page's height modulo 2^32: positions are kept
// within this range so that the product never wraps.
constexpr uint32_t kMaxScrollRange = 0xFFFF;

}  // namespace

bool EntryView::ShowMeaningPage(const std::string& strText) {
    std::string strPage;
    if (!BuildMeaningPage(m_dict, strText, strPage)) {
        return false;
    }
    const State stateLeft = GetState();
    ShowSinglePage(kMeaningsTab, strPage, 0, 0);
    m_shown = State();
    m_shown.kind = PageKind::kMeanings;
    m_shown.strText = strText;
    Remember(stateLeft);
    return true;
}

bool EntryView::FollowLink(const HtmlLinkInfo& info) {
    State state;
    if (!LinkState(info, state)) {
        return false;
    }
    const State stateLeft = GetState();
    if (!ShowState(state)) {
        return false;
    }
    Remember(stateLeft);
    return true;
}

void EntryView::PrepareLink(const HtmlLinkInfo& info) {
    State state;
    if (!LinkState(info, state) || state.kind != PageKind::kEntry || state.nPos == m_shown.nPos) {
        return;  // only another word's entry is worth the work
    }
    if (state.nPos != m_nPreparedPos) {
        std::vector<NamedPage> pages;
        if (!BuildWordPages(m_dict, state.nPos, pages) ||
            !EveryEntryWasRead(m_dict, state.nPos, pages)) {
            return;
        }
        m_nPreparedPos = state.nPos;
        m_preparedPages.swap(pages);
    }
    // The page ShowWord will write for this link: that of the tab it chooses.
    std::vector<NamedPage> filed = m_preparedPages;
    std::string strPages[4];
    FilePagesByName(filed, strPages);
    Placement where;
    where.nEntry = state.nEntry;
    int nTab = ChooseTab(state.nPos, filed, strPages, where);
    for (const std::string& strPage : strPages) {
        if (!strPage.empty() && nTab-- == 0) {
            m_html.PreparePage(strPage.c_str());
            break;
        }
    }
}

bool EntryView::LinkState(const HtmlLinkInfo& info, State& state) const {
    if (!m_dict.IsOpen() || info.nFirst >= m_dict.GetWordCount()) {
        return false;
    }
    const uint32_t nEntry = info.nSecond;
    const bool bEntryHeld = nEntry >= 1 && nEntry <= m_dict.GetTotalEntries();
    state = State();
    state.nPos = static_cast<int>(info.nFirst);
    if (info.nThird == kLinkWord && nEntry == 0) {
        state.nEntry = 0;  // the word's first tab
    } else if (info.nThird <= kLinkLastRelation && bEntryHeld) {
        state.nEntry = nEntry;
    } else if (info.nThird >= kLinkMoreBase + kLinkFirstRelation &&
               info.nThird <= kLinkMoreBase + kLinkLastRelation && bEntryHeld) {
        state.kind = PageKind::kRelations;
        state.nEntry = nEntry;
        state.nKind = static_cast<int>(info.nThird - kLinkMoreBase);
    } else {
        return false;
    }
    return true;
}

bool EntryView::ShowState(const State& state) {
    switch (state.kind) {
    case PageKind::kEntry: {
        Placement where;
        where.nTab = state.nTab;
        where.nEntry = state.nEntry;
        where.nScrollPos = state.nScrollPos;
        where.nScrollRange = state.nScrollRange;
        where.strNotFound = state.strText;
        where.nNoteTab = state.nNoteTab;
        return ShowWord(state.nPos, where);
    }
    case PageKind::kMeanings: {
        std::string strPage;
        if (!BuildMeaningPage(m_dict, state.strText, strPage)) {
            return false;
        }
        ShowSinglePage(kMeaningsTab, strPage, state.nScrollPos, state.nScrollRange);
        break;
    }
    case PageKind::kRelations: {
        std::string strPage;
        if (!m_dict.IsOpen() || state.nPos < 0 ||
            static_cast<uint32_t>(state.nPos) >= m_dict.GetWordCount() ||
            !BuildRelationPage(m_dict, state.nPos, state.nEntry, state.nKind, strPage)) {
            return false;
        }
        ShowSinglePage(RelationLabel(state.nKind), strPage, state.nScrollPos, state.nScrollRange);
        break;
    }
    }
    m_shown = state;
    m_shown.nTab = 0;
    m_shown.nScrollPos = 0;
    m_shown.nScrollRange = 0;
    return true;
}

bool EntryView::RestoreState(const State& state) {
    // An entry is restored at its tab and scroll position, not at the sense it was opened at.
    State restored = state;
    restored.nEntry = state.kind == PageKind::kEntry ? 0 : state.nEntry;
    return ShowState(restored);
}

EntryView::State EntryView::GetState() const {
    State state = m_shown;
    state.nTab = std::max(0, GetCurrentTab());
    state.nScrollPos = 0;
    state.nScrollRange = 0;
    if (state.kind == PageKind::kEntry) {
        state.nEntry = 0;
    }
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

bool EntryView::GoBack() {
    if (m_history.empty() || m_nHistory == 0) {
        return false;
    }
    const State stateLeft = GetState();
    if (!RestoreState(m_history[m_nHistory - 1])) {
        return false;
    }
    m_history[m_nHistory] = stateLeft;
    --m_nHistory;
    return true;
}

bool EntryView::GoForward() {
    if (m_nHistory + 1 >= m_history.size()) {
        return false;
    }
    const State stateLeft = GetState();
    if (!RestoreState(m_history[m_nHistory + 1])) {
        return false;
    }
    m_history[m_nHistory] = stateLeft;
    ++m_nHistory;
    return true;
}

void EntryView::Remember(const State& stateLeft) {
    const State stateShown = GetState();
    if (!m_history.empty()) {
        if (IsSamePage(m_history[m_nHistory], stateLeft)) {
            m_history[m_nHistory] = stateLeft;  // as it was left: its tab and scroll position
        }
        // A new way forward replaces the old one, as in a web browser.
        m_history.resize(m_nHistory + 1);
        if (IsSamePage(m_history[m_nHistory], stateShown)) {
            m_history[m_nHistory] = stateShown;
            return;
        }
    }
    m_history.push_back(stateShown);
    if (m_history.size() > kMaxHistory) {
        m_history.erase(m_history.begin());
    }
    m_nHistory = m_history.size() - 1;
}

bool EntryView::IsSamePage(const State& a, const State& b) {
    return a.kind == b.kind && a.nPos == b.nPos && a.nEntry == b.nEntry && a.nKind == b.nKind &&
           a.strText == b.strText;
}
