// EntryView: what entry mode shows of a word. It owns the part-of-speech tabs (the template's
// tab control, bound by the dialog), the HTML view laid over their display area, and the pages
// of the shown entry, one per tab, always in the order Noun, Verb, Adj., Adv. All pages of a
// word are built when it is shown; choosing a tab only writes a stored page into the view.
//
// The dialog decides when an entry is shown (its modes, the word list's selection); this view
// decides what is shown of it, given a list position. Going from one entry to another without
// the word list belongs here too: State is what it takes to show an entry again as it was
// left (its word, tab and scroll position), and FollowLink is where a link of the view's link
// form (WM_HTML_LINK) arrives.
#ifndef LEXANO_APP_ENTRYVIEW_H
#define LEXANO_APP_ENTRYVIEW_H

#include <climits>
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
    // An entry as it was left: enough for RestoreState to show it again so.
    struct State {
        int nPos = -1;              // the word's list position; -1 when no entry was shown
        int nTab = 0;               // the current tab
        uint32_t nScrollPos = 0;    // the scroll position, as WriteHtml takes it: nScrollPos
        uint32_t nScrollRange = 0;  // of nScrollRange of the page's height (0: the top)
    };

    // The view reads the words' pages from dict, which must outlive every call but the
    // destructor.
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
    // read because the data file is damaged gets no tab and a page that says so. True once the
    // entry is shown; false, with the tabs and the page unchanged, when no file is open or nPos
    // is not a position of the file.
    bool ShowWordEntry(int nPos);

    // Makes tab nTab (taken modulo the tab count, so -1 is the last) the current tab and shows
    // its page. Nothing without tabs.
    void SelectTab(int nTab);
    // The current tab, -1 when there is none.
    int GetCurrentTab() const;
    // The user chose a tab: shows its page. Tab changes made while the tabs are laid out for a
    // new entry are not the user's and are ignored.
    void OnTabChanged();

    // The shown entry, its current tab and its scroll position; nPos is -1 before the first.
    State GetState() const;
    // Shows the entry of state.nPos again on tab state.nTab (the first tab when the word has no
    // longer as many) at the scroll position of the state. The pages are built anew. Returns what
    // ShowWordEntry would for state.nPos.
    bool RestoreState(const State& state);

    // A link of the view's link form was clicked (WM_HTML_LINK; info valid during the call).
    // The entry pages hold no such links, so none is followed: false, and nothing changes.
    bool FollowLink(const HtmlLinkInfo& info);

private:
    // Shows the entry of the word at nPos on tab nTab (clamped to the tabs it gets), scrolled to
    // nScrollPos of nScrollRange. As ShowWordEntry otherwise.
    bool ShowWord(int nPos, int nTab, uint32_t nScrollPos, uint32_t nScrollRange);
    // Files each page under its part-of-speech name: strPages in the order Noun, Verb, Adj.,
    // Adv.; the pages are moved out.
    static void FilePagesByName(std::vector<NamedPage>& pages, std::string strPages[4]);
    // Puts the non-empty pages of strPages (by name, in tab order) into m_pages with one tab
    // each, and makes tab nTab current (the first when there are not that many). The pages are
    // moved out. Returns the number of tabs.
    int LayOutTabs(std::string strPages[4], int nTab);
    void FitTabLabels();
    void ShowCurrentTabPage();

    DictionaryFile& m_dict;
    TabCtrl* m_tab = nullptr;  // owned by the dialog's window
    CHtmlCtrl m_html;          // the view, over the tabs' display area
    // The shown entry's pages: slot k holds tab k's page. Slots beyond the last tab keep an
    // earlier entry's pages and are never shown.
    std::string m_pages[4];
    int m_nPos = -1;                // the shown word's list position; -1 before the first
    int m_nLabelRight = INT_MAX;    // the tabs' labels stay left of it
    bool m_bLayingOutTabs = false;  // tab changes made by LayOutTabs are not the user's
};

#endif
