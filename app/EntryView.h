// EntryView: what entry mode shows. It owns the part-of-speech tabs (the template's tab control,
// bound by the dialog), the HTML view laid over their display area, and the pages of what is
// shown: a word's entry, one page per tab, always in the order Noun, Verb, Adj., Adv.; or a page
// of its own under a single tab (the matches of a search in the meanings, every word of one kind
// related to a sense). All pages of a word are built when it is shown; choosing a tab only writes
// a stored page into the view.
//
// The dialog decides when an entry is shown (its modes, the word list's selection); this view
// decides what is shown of it. Going from page to page without the word list belongs here too:
// the links of the pages (FollowLink, for WM_HTML_LINK) and the history of the pages shown in
// this run, each kept as a State (what it was, its tab and scroll position) so that going back
// and forward shows it again as it was left. The history lives in memory only.
#ifndef LEXANO_APP_ENTRYVIEW_H
#define LEXANO_APP_ENTRYVIEW_H

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dictdata/DictionaryFile.h"
#include "htmlview/HtmlCtrl.h"
#include "htmlview/HtmlMessages.h"
#include "render/WordPages.h"

class TabCtrl;
class wxWindow;

class EntryView {
public:
    // The label of the one tab of a search in the meanings.
    static constexpr const char* kMeaningsTab = "Meanings";
    // Pages the history keeps at most; the oldest go first.
    static constexpr size_t kMaxHistory = 1000;

    // What a shown page is.
    enum class PageKind {
        kEntry,      // the entry of word nPos
        kMeanings,   // the matches of a search in the meanings for strText
        kRelations,  // every word of kind nKind related to sense nEntry of word nPos
    };

    // A page as it was left: enough for RestoreState to show it again so.
    struct State {
        PageKind kind = PageKind::kEntry;
        int nPos = -1;              // the word's list position; -1 when nothing was shown
        int nTab = 0;               // the current tab
        uint32_t nScrollPos = 0;    // the scroll position, as WriteHtml takes it: nScrollPos
        uint32_t nScrollRange = 0;  // of nScrollRange of the page's height (0: the top)
        uint32_t nEntry = 0;        // kRelations: the sense
        int nKind = 0;              // kRelations: the kind of relation, 1 to 26
        // kMeanings: the text searched. kEntry: the text typed that is not in the dictionary,
        // named in the line above the headword of tab nNoteTab's page; empty for no such line.
        std::string strText;
        int nNoteTab = 0;
    };

    // The view reads its pages from dict, which must outlive every call but the destructor.
    explicit EntryView(DictionaryFile& dict) : m_dict(dict) {}
    EntryView(const EntryView&) = delete;
    EntryView& operator=(const EntryView&) = delete;

    // Takes pTab, the dialog's tab control, and creates the HTML view with id nId as a visible
    // child of pParent over the tab control's display area below one row of tabs (measured
    // with a tab in place, then removed: the tab row stays empty until an entry is shown). True
    // when the view was made; false leaves no view, and entries then show tabs but no page.
    // REQUIRES: called once, before every other call but GetHtml.
    bool Create(wxWindow* pParent, TabCtrl* pTab, int nId);

    // The HTML view; it has no window until Create succeeded.
    CHtmlCtrl& GetHtml() { return m_html; }

    // Shows or hides the tab control and the view.
    void Show(bool bShow);
    // Gives the keyboard focus to the page, so that the keys that scroll it work at once.
    void FocusPage();
    // Lays the view over the tab control's display area again, for the tab control's size now,
    // and keeps the tabs' labels left of x = nLabelRight (the parent's client coordinates),
    // also those of entries shown later.
    void LayOut(int nLabelRight);

    // Shows the entry of the word at list position nPos with its first tab current: one tab per
    // part of speech the word has, each tab's page stored. A word without entries, or with none
    // of the four parts of speech, gets no tab and an empty page; a word whose entry cannot be
    // read because the data file is damaged gets no tab and a page that says so. The entry goes
    // into the history. True once the entry is shown; false, with the tabs, the page and the
    // history unchanged, when no file is open or nPos is not a position of the file.
    bool ShowWordEntry(int nPos);
    // ShowWordEntry for a word the search box landed on: on the tab of part of speech
    // nPartOfSpeech (0 to 3, the part of the form typed) when the word has one, else the first;
    // and when strNotFound is not empty, the page shown first says in a line above its headword
    // that strNotFound (1252, as typed) is not in the dictionary, with spelling suggestions.
    bool ShowSearchedEntry(int nPos, int nPartOfSpeech, const std::string& strNotFound);
    // Shows under one tab, kMeaningsTab, the page of a search in the meanings for strText (1252):
    // the matches, or a page that says why there are none. It goes into the history. False,
    // nothing changed, only when no file is open.
    bool ShowMeaningPage(const std::string& strText);

    // A link of the view's link form was clicked (WM_HTML_LINK; info valid during the call),
    // meaning what render/PageLinks.h says: K 0, a word, opens word P on the tab of entry N,
    // scrolled to that sense (N 0: its first tab, at the top); K 1 to 26, a related word, opens
    // word P on the tab of sense N, scrolled to it; K 100 + kind shows under one tab, labelled
    // with the kind, every word of that kind related to sense N of word P. The page goes into
    // the history. True when a page was shown; false, nothing changed, when the link names a
    // position the file does not hold (P of W or more), an entry it does not hold (N outside 1 to
    // the file's entries, or not an entry of word P) or no kind of link.
    bool FollowLink(const HtmlLinkInfo& info);
    // The pointer rests on a link (WM_HTML_LINKREST): when it opens another word's entry, that
    // word's pages are built and the page the link would show is parsed in the view, so that
    // FollowLink of the same link shows it without either. Nothing is shown; only the last
    // link's pages are kept, until the next entry is shown.
    void PrepareLink(const HtmlLinkInfo& info);
    // True while the pages of a link rested on are kept.
    bool HasPreparedWord() const { return m_nPreparedPos >= 0; }

    // Back and forward through the history: shows the page before (after) the current one as
    // it was left, and keeps the current one as it is now. False, nothing changed, at the
    // history's start (end).
    bool GoBack();
    bool GoForward();

    // Makes tab nTab (taken modulo the tab count, so -1 is the last) the current tab and shows
    // its page. Nothing without tabs.
    void SelectTab(int nTab);
    // The current tab, -1 when there is none.
    int GetCurrentTab() const;
    // The user chose a tab: shows its page. Tab changes made while the tabs are laid out for a
    // new entry are not the user's and are ignored.
    void OnTabChanged();

    // The shown page, its current tab and its scroll position; nPos is -1 before the first.
    State GetState() const;
    // Shows the page of state again on tab state.nTab (the first tab when there are no longer
    // as many) at the scroll position of the state. The pages are built anew; the history is
    // not changed. True when shown; false, nothing changed, when the state names a page the
    // file does not hold (an entry of nPos -1 among them) or no file is open.
    bool RestoreState(const State& state);

    // The pages of the history, oldest first, the current one as last left; and which is
    // current (0 when the history is empty).
    const std::vector<State>& GetHistory() const { return m_history; }
    size_t GetHistoryIndex() const { return m_nHistory; }

private:
    // Where a word's entry opens: the tab of entry nEntry (scrolled to it) when nEntry is not 0,
    // else the tab of part of speech nPartOfSpeech when the word has it, else tab nTab; then
    // scrolled to nScrollPos of nScrollRange unless scrolled to an entry.
    struct Placement {
        int nTab = 0;
        int nPartOfSpeech = -1;
        uint32_t nEntry = 0;
        uint32_t nScrollPos = 0;
        uint32_t nScrollRange = 0;
        std::string strNotFound;  // the not-found line's text, on the tab opened (or nNoteTab)
        int nNoteTab = -1;        // -1: the tab opened
    };

    // Shows the entry of the word at nPos as where says. As ShowWordEntry otherwise, without
    // touching the history; false too when where names an entry the word does not have.
    bool ShowWord(int nPos, const Placement& where);
    // Shows strPage as the one page of a single tab labelled strLabel, scrolled to nScrollPos
    // of nScrollRange; the page is moved out.
    void ShowSinglePage(const std::string& strLabel, std::string& strPage, uint32_t nScrollPos,
                        uint32_t nScrollRange);
    // The page of state without the history: its entry, meanings or relations.
    bool ShowState(const State& state);
    // The page a link of the view's link form opens; false when it opens none.
    bool LinkState(const HtmlLinkInfo& info, State& state) const;
    // Files each page under its part-of-speech name: strPages in the order Noun, Verb, Adj.,
    // Adv.; the pages are moved out.
    static void FilePagesByName(std::vector<NamedPage>& pages, std::string strPages[4]);
    // The tab that where asks for among the non-empty strPages (by name, in tab order), given
    // the word's pages as built.
    int ChooseTab(int nPos, const std::vector<NamedPage>& pages, const std::string strPages[4],
                  const Placement& where);
    // Puts the non-empty pages of strPages (by name, in tab order) into m_pages with one tab
    // each, and makes tab nTab current (the first when there are not that many). The pages are
    // moved out. Returns the number of tabs.
    int LayOutTabs(std::string strPages[4], int nTab);
    void FitTabLabels();
    void ShowCurrentTabPage();
    // Puts a page just shown into the history after the current one, with stateLeft, the state
    // of the page shown before it as it was left, kept for the way back. A page shown again
    // (the same word or search) takes the place of the current one.
    void Remember(const State& stateLeft);
    static bool IsSamePage(const State& a, const State& b);

    DictionaryFile& m_dict;
    TabCtrl* m_tab = nullptr;  // owned by the dialog's window
    CHtmlCtrl m_html;          // the view, over the tabs' display area
    // The shown pages: slot k holds tab k's page. Slots beyond the last tab keep earlier pages
    // and are never shown.
    std::string m_pages[4];
    State m_shown;                  // what is shown (its tab and scroll position aside)
    std::vector<State> m_history;   // the pages shown in this run, oldest first
    size_t m_nHistory = 0;          // the current page's place in m_history
    int m_nLabelRight = INT_MAX;    // the tabs' labels stay left of it
    bool m_bLayingOutTabs = false;  // tab changes made by LayOutTabs are not the user's
    // The pages built for the link rested on last (PrepareLink): word m_nPreparedPos's.
    int m_nPreparedPos = -1;
    std::vector<NamedPage> m_preparedPages;
};

#endif
