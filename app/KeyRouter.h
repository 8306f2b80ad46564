// The main dialog's keyboard: which key does what, in which mode and with the focus where. The
// dialog hands the router every key before the focused control sees it (its char hook) and every
// character typed into the page; what a key asks for is done by the KeyTarget, the dialog.
//
// The dialog's own rule (PreTranslateMessage): Enter in the search box posts WM_SEARCH_ENTER,
// Backspace anywhere posts WM_BACK_KEY, neither key swallowed; Escape is the Cancel command and
// Enter the OK command, as a dialog manager has them. Added to it: in the search box, the keys
// that move the list's selection; in entry mode, the keys that change tabs, and Alt+L for "L";
// a character typed into the page starts a new search with it.
#ifndef LEXANO_APP_KEYROUTER_H
#define LEXANO_APP_KEYROUTER_H

#include <string>

class wxKeyEvent;
class wxListView;
class wxTextCtrl;
class wxWindow;

// What the keys act on.
class KeyTarget {
public:
    // True in entry mode, false in list mode.
    virtual bool InEntryMode() const = 0;
    // Moves the word list's selection to row nRow (clamped to the list) and into view.
    virtual void SelectRow(long nRow) = 0;
    // The current tab, -1 when there is none.
    virtual int GetCurrentTab() const = 0;
    // Makes tab nTab, taken modulo the tab count, the current tab and shows its page.
    virtual void SelectTab(int nTab) = 0;
    // Looks up the text selected in the page, as the "L" button does.
    virtual void LookupSelection() = 0;
    // Returns to the list with strText (1252) in the search box, the caret after it, searched.
    virtual void SearchTyped(const std::string& strText) = 0;

protected:
    ~KeyTarget() = default;
};

class KeyRouter {
public:
    explicit KeyRouter(KeyTarget& target) : m_target(target) {}
    KeyRouter(const KeyRouter&) = delete;
    KeyRouter& operator=(const KeyRouter&) = delete;

    // The dialog, which gets the posted messages and the OK and Cancel commands, its search box
    // and its word list. Until this is called every key goes on unhandled.
    void Attach(wxWindow* pDialog, wxTextCtrl* pEdit, wxListView* pList);

    // A key pressed anywhere in the dialog, before the focused control sees it. A key that one
    // of the added keys uses up goes no further; every other key goes through
    // PreTranslateMessage.
    void OnCharHook(wxKeyEvent& event);

    // The dialog's keyboard rule for a key-down: posts WM_SEARCH_ENTER for Enter in the search
    // box and WM_BACK_KEY for Backspace; Escape is the Cancel command and goes no further; Enter
    // is also the OK command; every key but Escape goes on to the focused control.
    void PreTranslateMessage(wxKeyEvent& event);

    // A character typed into the page (its wxEVT_CHAR). In entry mode a character that can start
    // a word starts a new search with it; every other key goes on to the page.
    void OnCharPage(wxKeyEvent& event);

private:
    // The added keys; true when the key was used up.
    bool HandleExtraKey(const wxKeyEvent& event);
    bool HandleSearchBoxKey(const wxKeyEvent& event);
    bool HandleEntryKey(const wxKeyEvent& event);
    // Sends the command nId to the dialog as its button would (wxID_OK, wxID_CANCEL).
    void SendCommand(int nId);

    KeyTarget& m_target;
    wxWindow* m_pDialog = nullptr;
    wxTextCtrl* m_pEdit = nullptr;
    wxListView* m_pList = nullptr;
};

#endif
