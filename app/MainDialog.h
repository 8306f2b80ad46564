// MainDialog: the program's one window. In list mode it shows the word list with the search box
// under it; in entry mode the part-of-speech tabs over the HTML view, with the "<<" and "L"
// buttons on the tab row. The word list holds no words: it has a row count, and each row's text
// is read from the engine when the row is drawn.
//
// The window closes only on a close request (close box, Alt+F4, a window-manager close); Enter
// and Escape never close it.
//
// The dialog wires its parts: the template's controls, the two modes, the word list and the
// search box, the clipboard and activation, the system menu. What entry mode shows (tabs, pages,
// the view) is its EntryView's; what the keys do is decided by its KeyRouter; where a search
// lands is app/SearchTarget.h.
#ifndef LEXANO_APP_MAINDIALOG_H
#define LEXANO_APP_MAINDIALOG_H

#include <wx/dialog.h>
#include <wx/iconbndl.h>

#include <chrono>
#include <memory>
#include <string>

#include "app/EntryView.h"
#include "app/KeyRouter.h"
#include "dictdata/DictionaryFile.h"
#include "dictdata/WordResolver.h"
#include "platform/DialogLayout.h"
#include "platform/ListViewCtrl.h"
#include "platform/PrivateMessage.h"

class wxBookCtrlEvent;
class wxContextMenuEvent;
class wxButton;
class TabCtrl;
class wxTextCtrl;
class ActivationWatcher;
class WordListCtrl;

class MainDialog : public wxDialog, private KeyTarget {
public:
    // Display modes, the values of m_mode.
    static constexpr int kListMode = 1;
    static constexpr int kEntryMode = 2;
    // The name of the data file, looked for beside the executable only.
    static constexpr const char* kDataFileName = "LexanoData_WN.pdb";
    // Longest wait for the view's first navigation before the window is shown anyway.
    static constexpr int kStartupWaitMs = 3000;
    // After LookUpText, how long an activation of the window other than by a click leaves the
    // clipboard alone: the activation that comes of showing the looked-up entry must not put
    // the clipboard's text over the text looked up.
    static constexpr int kLookUpQuietMs = 2000;

    // Constructs the dialog object without a window and without an open data file.
    MainDialog();
    ~MainDialog() override;

    // Creates the window and runs it modally until a close request ends it. Returns the end
    // code, or -1 when the window could not be created.
    int DoModal();

    // Creates the window from its template, binds the controls and runs OnInitDialog, without
    // showing it. DoModal does this first; a test may then show the window itself. False when
    // the window could not be created.
    bool CreateDialogWindow();

    // Switches to list mode: word list and search box shown, the focus in the search box.
    void ShowList();

    // Selects the row of the word nearest m_search, bringing it to the top of the visible rows
    // or, within the last page, scrolling the list to its end. Nothing when no file is open.
    void SearchAndSelect();

    // Switches the controls to entry mode and shows the entry of the first selected row: one
    // tab per part of speech, always in the order Noun, Verb, Adj., Adv., with the first tab's
    // page in the view. A word without entries, or with none of those four, gets no tab and an
    // empty page; a word whose entry cannot be read because the data file is damaged gets no tab
    // and a page that says so. When the row is the one the search box's text landed on, the
    // entry opens as that text leads: a form of the word ("went") on the tab of the form's part
    // of speech, and a text the search found only by its spelling or as the nearest word with a
    // line above the headword that says it is not in the dictionary, with suggestions. Returns
    // false, with m_mode, the tabs and the page unchanged, when no row is selected; true once
    // entry mode is set.
    bool ShowEntry();

    // Shows in entry mode, under one tab, the page of a search in the meanings for the search
    // box's text. Nothing when no file is open.
    void SearchMeanings() override;

    // The label of the word list's menu item that does SearchMeanings.
    static constexpr const char* kSearchMeaningsLabel = "Search meanings";

    // Puts the clipboard's text, without its line feeds, tabs and carriage returns, into the
    // search box and selects the nearest word; the display mode stays. False, with nothing
    // changed, when the clipboard holds no text or cannot be read.
    bool LookupClipboard();

    // Puts strText (1252) into the search box, selects the word it resolves to and shows that
    // word's entry, as typing it and pressing Enter would, in whichever mode the dialog is.
    // Returns ShowEntry's answer.
    bool LookUpText(const std::string& strText);

    // Moves the word list's selection to row nRow (clamped to the list) and brings it into view
    // with the least scrolling; the search text stays. Nothing when the list is empty.
    void SelectRow(long nRow) override;

    // Makes tab nTab (taken modulo the tab count, so -1 is the last) the current tab and shows
    // its page. Nothing without tabs.
    void SelectTab(int nTab) override;

    // The display mode: kListMode or kEntryMode.
    int GetMode() const { return m_mode; }

    // The search text as last exchanged with the search box (1252).
    const std::string& GetSearchText() const { return m_search; }

    // What entry mode shows: the tabs, the view, the pages and their history.
    const EntryView& GetEntryView() const { return m_entry; }

protected:
    // Binds the controls to the members on the first call; then copies the search box's text
    // into m_search (bSaveAndValidate) or m_search into the search box.
    virtual void DoDataExchange(bool bSaveAndValidate);
    void UpdateData(bool bSaveAndValidate) { DoDataExchange(bSaveAndValidate); }

    virtual bool OnInitDialog();
    // The dialog's OK command (Enter): nothing.
    virtual void OnOK();
    // The dialog's Cancel command (Escape, and the close request): ends the dialog only when a
    // close request has arrived.
    virtual void OnCancel();

private:
    // What the keys ask for (KeyTarget); SelectRow and SelectTab above too.
    bool InEntryMode() const override { return m_mode == kEntryMode; }
    int GetCurrentTab() const override { return m_entry.GetCurrentTab(); }
    void LookupSelection() override;
    void SearchTyped(const std::string& strText) override;
    void ReturnToList() override;
    void GoThroughHistory(bool bForward) override;
    bool MoveLinkFocus(bool bForward) override;
    bool FollowFocusedLink() override;
    void ShowPageMenu() override;

    // Shows the entry mode's controls, with the focus in the page.
    void ShowEntryControls();
    // Puts into the search box the word of the page shown (its list spelling), or the text of a
    // search in the meanings, and selects its row, so that going back to the list goes there.
    void PutShownPageIntoSearchBox();

    void SetupWordList();
    void SetupLayout();
    void LayoutControls();
    void DestroyDialogWindow();
    void OnKeyboardActivation();

    void OnCharHook(wxKeyEvent& event);
    void OnOKCommand(wxCommandEvent& event);
    void OnCancelCommand(wxCommandEvent& event);
    void OnSysCommand(wxCommandEvent& event);
    void OnGetDispInfoList(ListNotifyEvent& event);
    void OnClickList(ListNotifyEvent& event);
    void OnContextMenuList(wxContextMenuEvent& event);
    void OnBack(wxCommandEvent& event);
    void OnChangeSearch(wxCommandEvent& event);
    void OnHtmlBlank(PrivateMessageEvent& event);
    void OnSearchEnter(PrivateMessageEvent& event);
    void OnBackKey(PrivateMessageEvent& event);
    void OnSelChangeTab(wxBookCtrlEvent& event);
    void OnHtmlLink(PrivateMessageEvent& event);
    // The pointer rests on a link: what it opens is prepared.
    void OnHtmlLinkRest(PrivateMessageEvent& event);
    void OnLookup(wxCommandEvent& event);
    void OnActivate(wxActivateEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnShowDialog(wxShowEvent& event);

    // Controls of the template, bound by DoDataExchange; owned by the window.
    wxButton* m_lookup = nullptr;   // "L"
    wxButton* m_back = nullptr;     // "<<"
    TabCtrl* m_tab = nullptr;       // part-of-speech tabs
    wxTextCtrl* m_edit = nullptr;   // search box
    WordListCtrl* m_list = nullptr; // word list
    bool m_bBound = false;

    std::string m_search;  // the search text, 1252, as typed
    // Where the search text landed: its row (-1 once the selection was moved by other means),
    // by which step, and the part of speech of the form it is (-1 when none).
    long m_nSearchRow = -1;
    Resolution m_searchHow = Resolution::kExact;
    int m_nSearchPart = -1;
    wxIconBundle m_hIcon;  // icon group 128
    int m_mode = kListMode;
    bool m_closing = false;  // a close request has arrived; never cleared
    bool m_bShownOnce = false;      // the window has been shown
    std::chrono::steady_clock::time_point m_tLookUp;  // the last LookUpText; epoch: none yet
    DialogLayout m_layout;          // the template's controls, anchored to the client edges
    std::unique_ptr<ActivationWatcher> m_activation;  // tells keyboard from click activations
    KeyRouter m_keys{*this};  // the keyboard; declared before m_entry, whose page it listens to
    // The tabs, the HTML view (made at run time over the tabs' display area) and the shown
    // entry's pages.
    EntryView m_entry{m_dict};
    DictionaryFile m_dict;   // declared last: destroyed first, closing the data file

    wxDECLARE_EVENT_TABLE();
};

#endif
