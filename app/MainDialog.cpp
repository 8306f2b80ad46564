#include "app/MainDialog.h"

#include <wx/button.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/AboutDialog.h"
#include "platform/Activation.h"
#include "platform/AnsiText.h"
#include "platform/Clipboard.h"
#include "platform/DialogTemplate.h"
#include "platform/Environment.h"
#include "platform/LookupText.h"
#include "platform/SystemMenu.h"
#include "platform/TabCtrl.h"
#include "app/WordListCtrl.h"
#include "dictdata/Ansi.h"
#include "dictdata/WordResolver.h"
#include "htmlview/HtmlMessages.h"
#include "htmlview/PageWindow.h"
#include "res/resource.h"

wxBEGIN_EVENT_TABLE(MainDialog, wxDialog)
    EVT_CHAR_HOOK(MainDialog::OnCharHook)
    EVT_BUTTON(wxID_OK, MainDialog::OnOKCommand)
    EVT_BUTTON(wxID_CANCEL, MainDialog::OnCancelCommand)
    EVT_SYSCOMMAND(MainDialog::OnSysCommand)
    EVT_LVN_GETDISPINFO(IDC_LIST1, MainDialog::OnGetDispInfoList)
    EVT_NM_CLICK(IDC_LIST1, MainDialog::OnClickList)
    EVT_BUTTON(IDC_BACK, MainDialog::OnBack)
    EVT_TEXT(IDC_EDIT1, MainDialog::OnChangeSearch)
    EVT_PRIVATE_MESSAGE(WM_HTML_BLANK, MainDialog::OnHtmlBlank)
    EVT_PRIVATE_MESSAGE(WM_SEARCH_ENTER, MainDialog::OnSearchEnter)
    EVT_PRIVATE_MESSAGE(WM_BACK_KEY, MainDialog::OnBackKey)
    EVT_NOTEBOOK_PAGE_CHANGED(IDC_TAB1, MainDialog::OnSelChangeTab)
    EVT_BUTTON(IDC_LOOKUP, MainDialog::OnLookup)
    EVT_ACTIVATE(MainDialog::OnActivate)
    EVT_CLOSE(MainDialog::OnClose)
    EVT_SIZE(MainDialog::OnSize)
    EVT_SHOW(MainDialog::OnShowDialog)
wxEND_EVENT_TABLE()

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

MainDialog::MainDialog() {
    m_hIcon = LoadAppIcons();
}

MainDialog::~MainDialog() = default;

int MainDialog::DoModal() {
    if (!CreateDialogWindow()) {
        return -1;
    }
    // The view's first navigation is what switches to list mode, through a posted message.
    // Delivering it before the window is shown keeps the template's start-up layout (no search
    // box, the entry buttons over the list) from ever being seen; the wait is bounded in case
    // no view could be made.
    PumpMessagesUntil([this] { return m_edit->IsShown(); }, kStartupWaitMs);
    return ShowModal();
}

bool MainDialog::CreateDialogWindow() {
    const ControlFactory factory = [](wxWindow* pParent, const DialogItem& item,
                                      const wxPoint& pt, const wxSize& size) -> wxWindow* {
        if (item.nId != IDC_LIST1) {
            return nullptr;
        }
        return new WordListCtrl(pParent, item.nId, pt, size, ListStyleFromTemplate(item.dwStyle));
    };
    if (!CreateDialogFromTemplate(this, IDD_LEXANO_DIALOG, nullptr, factory)) {
        return false;
    }
    OnInitDialog();
    SetupLayout();
    m_activation = std::make_unique<ActivationWatcher>(this, [this] { OnKeyboardActivation(); });
    return true;
}

void MainDialog::DoDataExchange(bool bSaveAndValidate) {
    if (!m_bBound) {
        m_lookup = wxDynamicCast(FindWindow(IDC_LOOKUP), wxButton);
        m_back = wxDynamicCast(FindWindow(IDC_BACK), wxButton);
        m_tab = dynamic_cast<TabCtrl*>(FindWindow(IDC_TAB1));
        m_edit = wxDynamicCast(FindWindow(IDC_EDIT1), wxTextCtrl);
        m_list = dynamic_cast<WordListCtrl*>(FindWindow(IDC_LIST1));
        m_bBound = true;
    }
    if (bSaveAndValidate) {
        m_search = WxToAnsi(m_edit->GetValue());
    } else {
        // Setting the same text again would report a change and search again; like a Windows
        // edit exchange, only a different text is written.
        const wxString strText = AnsiToWx(m_search);
        if (m_edit->GetValue() != strText) {
            m_edit->SetValue(strText);
        }
    }
}

bool MainDialog::OnInitDialog() {
    UpdateData(false);

    std::string strAbout;
    if (LoadResString(IDS_ABOUTBOX, strAbout) && !strAbout.empty()) {
        AppendSystemMenuItem(this, IDM_ABOUTBOX, strAbout);
    }
    SetIcons(m_hIcon);

    std::string strPath = GetExecutablePath();
    const size_t nSlash = strPath.find_last_of(kPathSeparators);
    if (nSlash != std::string::npos) {
        strPath.erase(nSlash + 1);
    }
    strPath += kDataFileName;
    if (!m_dict.Open(strPath.c_str())) {
        ShowMessageBox(this, "Error: Cannot find/open the data file !", kMbOk);
    }

    SetupWordList();

    // The view lies on the display area of one row of tabs, measured with a tab in place.
    TabInsertItem(m_tab, 0, "Noun");
    const wxRect rcPage = TabAdjustRect(m_tab, m_tab->GetRect());
    // The view answers with WM_HTML_BLANK, which puts the dialog into list mode. Without a view
    // nothing would ever answer, so the dialog goes to list mode itself and still works as a
    // word list; entry mode then shows no page.
    if (m_html.Create(nullptr, nullptr, kWsChild | kWsVisible, rcPage, this, IDC_HTML,
                      nullptr)) {
        m_html.SetLookUpCommandId(IDC_LOOKUP);  // the page menu's "Look up" is "L"
        m_html.GetBrowser()->Bind(wxEVT_CHAR, &MainDialog::OnCharPage, this);
        m_html.Navigate2("about:blank");
    } else {
        ShowList();
        UpdateData(false);
    }
    TabDeleteAllItems(m_tab);
    LookupClipboard();
    return true;
}

void MainDialog::SetupWordList() {
    // No rows yet, so no vertical scroll bar narrows the client area. The width is never
    // negative: -1 and -2 would ask for auto-sizing, which reads every row.
    const int nWidth = std::max(0, m_list->GetClientSize().x);
    m_list->InsertColumn(0, wxString(), wxLIST_FORMAT_LEFT, nWidth);
    m_list->SetExtendedStyle(ListViewCtrl::kLvsExGridLines | ListViewCtrl::kLvsExFullRowSelect);
    m_list->SetItemCount(static_cast<long>(m_dict.GetWordCount()));
}

void MainDialog::SetupLayout() {
    m_layout.Start(this);
    m_layout.Add(m_edit, DialogLayout::kLeft | DialogLayout::kRight | DialogLayout::kBottom);
    m_layout.Add(m_list, DialogLayout::kAll);
    m_layout.Add(m_tab, DialogLayout::kAll);
    m_layout.Add(m_back, DialogLayout::kTop | DialogLayout::kRight);
    m_layout.Add(m_lookup, DialogLayout::kTop | DialogLayout::kRight);
}

void MainDialog::LayoutControls() {
    m_layout.Apply(GetClientSize());
    if (wxWindow* pHost = m_html.GetHostWindow()) {
        pHost->SetSize(TabAdjustRect(m_tab, m_tab->GetRect()));
    }
    // The single column stays as wide as the list, as it was made.
    if (m_list->GetColumnCount() > 0) {
        m_list->SetColumnWidth(0, std::max(0, m_list->GetClientSize().x));
    }
    FitTabLabels();
}

void MainDialog::FitTabLabels() {
    // The buttons lie over the right end of the tab row; no label may run under them.
    const int kGap = 2;
    m_tab->FitLabelsBefore(std::min(m_lookup->GetPosition().x, m_back->GetPosition().x) - kGap);
}

void MainDialog::OnSize(wxSizeEvent& event) {
    event.Skip();
    if (m_bBound) {
        LayoutControls();
    }
}

void MainDialog::OnShowDialog(wxShowEvent& event) {
    event.Skip();
    if (!event.IsShown() || m_bShownOnce) {
        return;
    }
    m_bShownOnce = true;
    // A clipboard word found at start-up was selected before the list had its rows laid out
    // on screen; selecting it again once the window is up brings its row to the top.
    if (!m_search.empty()) {
        CallAfter([this] { SearchAndSelect(); });
    }
}

void MainDialog::ShowList() {
    m_list->Show();
    m_edit->Show();
    m_tab->Hide();
    m_html.ShowWindow(false);
    m_back->Hide();
    m_lookup->Hide();
    SetEditFocus(m_edit);
    m_mode = kListMode;
}

void MainDialog::SearchAndSelect() {
    const std::string strLower = AnsiLowerCopy(m_search);
    if (!m_dict.IsOpen()) {
        return;
    }
    // The row the user means: the word, a base form of it, its accents folded, the first
    // word it begins, or else the word that sorts just before it.
    int nFound = 0;
    Resolution how = Resolution::kNearest;
    ResolveWord(m_dict, strLower, nFound, how);
    const long nPos = nFound;
    const long nCount = m_list->GetItemCount();
    long nTarget = nPos;
    if (nPos > m_list->GetTopItem()) {
        // Bringing the row after the found row's page into view puts the found row on top;
        // within the last page that row does not exist, and the list scrolls to its end.
        const long nPerPage = m_list->GetCountPerPage();
        nTarget = nPos > nCount - nPerPage ? nCount - 1 : nPos + nPerPage - 1;
    }
    m_list->EnsureVisible(nTarget);
    m_list->SetItemState(nPos, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
}

void MainDialog::SelectRow(long nRow) {
    const long nCount = m_list->GetItemCount();
    if (nCount <= 0) {
        return;
    }
    nRow = std::max(0L, std::min(nRow, nCount - 1));
    m_list->EnsureVisible(nRow);
    m_list->SetItemState(nRow, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
}

void MainDialog::SelectTab(int nTab) {
    const int nCount = static_cast<int>(m_tab->GetPageCount());
    if (nCount <= 0) {
        return;
    }
    const int nNew = (nTab % nCount + nCount) % nCount;
    if (nNew != TabGetCurSel(m_tab)) {
        m_tab->ChangeSelection(static_cast<size_t>(nNew));
        ShowCurrentTabPage();
    }
}

bool MainDialog::ShowEntry() {
    m_list->Hide();
    m_edit->Hide();
    m_tab->Show();
    m_html.ShowWindow(true);
    m_back->Show();
    m_lookup->Show();
    // The page takes the focus, so that the keys that scroll it work at once; the control that
    // had it (the search box or the list) is hidden now.
    if (m_html.GetHostWindow() != nullptr) {
        m_html.GetHostWindow()->SetFocus();
    }

    const WaitCursorScope wait;
    const long nRow = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if (nRow < 0) {
        return false;
    }
    // Without a file the tabs and the page stay as they were.
    const int nPos = static_cast<int>(nRow);
    std::vector<NamedPage> pages;
    if (m_dict.IsOpen()) {
        if (BuildWordPages(m_dict, nPos, pages) && EveryEntryWasRead(m_dict, nPos, pages)) {
            std::string strPages[4];  // by name, in the order of kTabNames
            FilePagesByName(pages, strPages);
            const int k = LayOutTabs(strPages);
            // Without a tab the word has nothing to show: an empty page, never the page of the
            // word shown before.
            m_html.WriteHtml(k > 0 ? m_pages[0].c_str() : "", nullptr, 0, 0);
        } else {
            ShowDamagedEntry(nPos);
        }
    }
    m_mode = kEntryMode;
    return true;
}

void MainDialog::ShowDamagedEntry(int nPos) {
    // No tab: the word has no part of speech that could be shown. Its text is missing too when
    // its own block is the damaged part.
    std::string strNone[4];
    LayOutTabs(strNone);
    std::string strWord;
    m_dict.GetWord(nPos, strWord);
    m_html.WriteHtml(BuildDamagedEntryPage(strWord).c_str(), nullptr, 0, 0);
}

void MainDialog::FilePagesByName(std::vector<NamedPage>& pages, std::string strPages[4]) {
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

int MainDialog::LayOutTabs(std::string strPages[4]) {
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
        m_tab->ChangeSelection(0);
    }
    m_bLayingOutTabs = false;
    // GTK moves the focus to a new tab's page window: it goes back to the view.
    if (m_html.GetHostWindow() != nullptr) {
        m_html.GetHostWindow()->SetFocus();
    }
    FitTabLabels();
    return k;
}

void MainDialog::OnOK() {}

void MainDialog::OnCancel() {
    if (m_closing) {
        DestroyDialogWindow();
    }
}

void MainDialog::DestroyDialogWindow() {
    // The dialog object owns its window and lives on the stack of its runner: ending the modal
    // loop hands control back, and the window goes with the object.
    if (IsModal()) {
        EndModal(wxID_CANCEL);
    } else {
        Hide();
    }
}

void MainDialog::PreTranslateMessage(wxKeyEvent& event) {
    const int nKey = event.GetKeyCode();
    const bool bEnter = nKey == WXK_RETURN || nKey == WXK_NUMPAD_ENTER;
    if (bEnter && m_edit != nullptr && wxWindow::FindFocus() == m_edit) {
        PostPrivateMessage(this, WM_SEARCH_ENTER, 0, 0);
    } else if (nKey == WXK_BACK) {
        PostPrivateMessage(this, WM_BACK_KEY, 0, 0);
    }
    // The dialog manager's part: Escape is the Cancel command and ends there; Enter is the OK
    // command and still goes on to the focused control.
    if (nKey == WXK_ESCAPE) {
        OnCancel();
        return;
    }
    if (bEnter) {
        OnOK();
    }
    event.Skip();
}

void MainDialog::OnCharHook(wxKeyEvent& event) {
    if (HandleExtraKey(event)) {
        return;  // used up: the focused control must not act on it too
    }
    PreTranslateMessage(event);
}

bool MainDialog::HandleExtraKey(const wxKeyEvent& event) {
    if (!m_bBound) {
        return false;
    }
    if (m_mode == kListMode && m_edit->IsShown() && wxWindow::FindFocus() == m_edit) {
        return HandleSearchBoxKey(event);
    }
    if (m_mode == kEntryMode) {
        return HandleEntryKey(event);
    }
    return false;
}

bool MainDialog::HandleSearchBoxKey(const wxKeyEvent& event) {
    const int nMods = event.GetModifiers();
    const long nRow = m_list->GetFirstSelected();  // -1 when none: moving starts at row 0
    // A page is the visible rows less one, so that the row at the edge stays in view.
    const long nPage = std::max(1, m_list->GetCountPerPage() - 1);
    long nTarget = 0;
    switch (event.GetKeyCode()) {
    case WXK_UP:
    case WXK_NUMPAD_UP:
        nTarget = nRow - 1;
        break;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
        nTarget = nRow + 1;
        break;
    case WXK_PAGEUP:
    case WXK_NUMPAD_PAGEUP:
        nTarget = nRow - nPage;
        break;
    case WXK_PAGEDOWN:
    case WXK_NUMPAD_PAGEDOWN:
        nTarget = nRow + nPage;
        break;
    case WXK_HOME:
    case WXK_NUMPAD_HOME:
        if (nMods != wxMOD_CONTROL) {
            return false;  // Home alone moves the caret
        }
        nTarget = 0;
        break;
    case WXK_END:
    case WXK_NUMPAD_END:
        if (nMods != wxMOD_CONTROL) {
            return false;
        }
        nTarget = m_list->GetItemCount() - 1;
        break;
    default:
        return false;
    }
    if (nMods != wxMOD_NONE && nMods != wxMOD_CONTROL) {
        return false;  // Shift with them extends the box's own selection
    }
    SelectRow(nTarget);
    return true;
}

bool MainDialog::HandleEntryKey(const wxKeyEvent& event) {
    const int nMods = event.GetModifiers();
    switch (event.GetKeyCode()) {
    case WXK_TAB:
        if (nMods == wxMOD_CONTROL || nMods == (wxMOD_CONTROL | wxMOD_SHIFT)) {
            SelectTab(TabGetCurSel(m_tab) + ((nMods & wxMOD_SHIFT) ? -1 : 1));
            return true;
        }
        return false;
    case WXK_PAGEDOWN:
    case WXK_NUMPAD_PAGEDOWN:
    case WXK_PAGEUP:
    case WXK_NUMPAD_PAGEUP:
        if (nMods != wxMOD_CONTROL) {
            return false;  // without Ctrl the page scrolls
        }
        SelectTab(TabGetCurSel(m_tab) +
                  (event.GetKeyCode() == WXK_PAGEUP || event.GetKeyCode() == WXK_NUMPAD_PAGEUP
                       ? -1
                       : 1));
        return true;
    case 'L':
        if (nMods != wxMOD_ALT) {
            return false;
        }
        LookupSelection();
        return true;
    default:
        return false;
    }
}

void MainDialog::OnCharPage(wxKeyEvent& event) {
    // A character typed into the page starts a new search: back to the list with the box
    // holding that character, the caret after it. Keys with Ctrl or Alt are the page's own
    // (zoom, copy) or nobody's; white space and control characters start no word.
    const wxChar ch = event.GetUnicodeKey();
    if (m_mode != kEntryMode || ch == WXK_NONE || ch <= ' ' || ch == WXK_DELETE ||
        event.ControlDown() || event.AltDown() || event.MetaDown()) {
        event.Skip();
        return;
    }
    ShowList();
    m_search = WxToAnsi(wxString(ch));
    UpdateData(false);
    m_edit->SetInsertionPointEnd();
    // The box may have held that very character already, which raises no change.
    SearchAndSelect();
}

void MainDialog::OnOKCommand(wxCommandEvent& WXUNUSED(event)) {
    OnOK();
}

void MainDialog::OnCancelCommand(wxCommandEvent& WXUNUSED(event)) {
    OnCancel();
}

void MainDialog::OnSysCommand(wxCommandEvent& event) {
    if ((event.GetId() & 0xFFF0) == IDM_ABOUTBOX) {
        AboutDialog dlgAbout;
        dlgAbout.DoModal(this);
    } else {
        event.Skip();
    }
}

void MainDialog::OnGetDispInfoList(ListNotifyEvent& event) {
    LvDispInfo* pInfo = event.GetDispInfo();
    if (pInfo == nullptr || !(pInfo->mask & LvDispInfo::kLvifText) || pInfo->cchTextMax <= 0) {
        return;
    }
    // While no file is open GetWord fails and the row shows the empty text.
    std::string strWord;
    m_dict.GetWord(static_cast<int>(pInfo->iItem), strWord);
    const size_t nLength = std::min(strWord.size(), static_cast<size_t>(pInfo->cchTextMax - 1));
    std::memcpy(pInfo->pszText, strWord.data(), nLength);
    pInfo->pszText[nLength] = '\0';
}

void MainDialog::OnClickList(ListNotifyEvent& WXUNUSED(event)) {
    ShowEntry();
}

void MainDialog::OnBack(wxCommandEvent& WXUNUSED(event)) {
    ShowList();
}

void MainDialog::OnChangeSearch(wxCommandEvent& WXUNUSED(event)) {
    if (!m_bBound) {
        return;  // the template's own initial text, before the controls are bound
    }
    UpdateData(true);
    SearchAndSelect();
}

void MainDialog::OnHtmlBlank(PrivateMessageEvent& WXUNUSED(event)) {
    ShowList();
    UpdateData(false);
}

void MainDialog::OnSearchEnter(PrivateMessageEvent& WXUNUSED(event)) {
    if (m_mode == kListMode) {
        ShowEntry();
    }
}

void MainDialog::OnBackKey(PrivateMessageEvent& WXUNUSED(event)) {
    if (m_mode == kEntryMode) {
        ShowList();
    }
}

void MainDialog::OnClose(wxCloseEvent& WXUNUSED(event)) {
    m_closing = true;
    // A dialog answers a close request with its Cancel command.
    OnCancel();
}

void MainDialog::OnSelChangeTab(wxBookCtrlEvent& WXUNUSED(event)) {
    if (!m_bLayingOutTabs) {
        ShowCurrentTabPage();
    }
}

void MainDialog::ShowCurrentTabPage() {
    const int nTab = TabGetCurSel(m_tab);
    if (nTab >= 0 && nTab < 4) {
        m_html.WriteHtml(m_pages[nTab].c_str(), nullptr, 0, 0);
    }
}

void MainDialog::OnLookup(wxCommandEvent& WXUNUSED(event)) {
    LookupSelection();
}

void MainDialog::LookupSelection() {
    std::string strSelection;
    m_html.GetSelectedText(strSelection);
    if (strSelection.empty()) {
        ShowMessageBox(this, "Select a word to lookup.", kMbOk | kMbIconExclamation);
        return;
    }
    m_search = strSelection;
    UpdateData(false);
    ShowList();
    SearchAndSelect();
}

bool MainDialog::LookupClipboard() {
    std::string strText;
    if (!GetClipboardText(strText)) {
        return false;
    }
    m_search = ClipboardTextToSearch(strText);
    UpdateData(false);
    SearchAndSelect();
    return true;
}

void MainDialog::OnActivate(wxActivateEvent& event) {
    event.Skip();
    if (!m_bBound || !m_activation) {
        return;
    }
    m_activation->OnActivate(event);
    if (event.GetActive()) {
        // As a dialog does for the edit box it gives the focus back to: its whole text is
        // selected, so that typing replaces it. Checked once the focus has come back.
        CallAfter([this] {
            if (wxWindow::FindFocus() == m_edit) {
                m_edit->SelectAll();
            }
        });
    }
}

bool MainDialog::LookUpText(const std::string& strText) {
    m_tLookUp = std::chrono::steady_clock::now();
    m_search = strText;
    UpdateData(false);
    // The box may have held that very text already, which raises no change.
    SearchAndSelect();
    return ShowEntry();
}

void MainDialog::OnKeyboardActivation() {
    if (m_tLookUp != std::chrono::steady_clock::time_point() &&
        std::chrono::steady_clock::now() - m_tLookUp < std::chrono::milliseconds(kLookUpQuietMs)) {
        return;
    }
    if (LookupClipboard()) {
        m_edit->SelectAll();  // the taken text, ready to be typed over
    }
}
