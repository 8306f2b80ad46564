#include "app/MainDialog.h"

#include <wx/button.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cstring>

#include "app/AboutDialog.h"
#include "app/SearchTarget.h"
#include "platform/Activation.h"
#include "platform/AnsiText.h"
#include "platform/Clipboard.h"
#include "platform/DialogTemplate.h"
#include "platform/Environment.h"
#include "platform/LookupText.h"
#include "platform/SystemMenu.h"
#include "platform/TabCtrl.h"
#include "app/WordListCtrl.h"
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
    EVT_PRIVATE_MESSAGE(WM_HTML_LINK, MainDialog::OnHtmlLink)
    EVT_PRIVATE_MESSAGE(WM_HTML_LINKREST, MainDialog::OnHtmlLinkRest)
    EVT_BUTTON(IDC_LOOKUP, MainDialog::OnLookup)
    EVT_ACTIVATE(MainDialog::OnActivate)
    EVT_CLOSE(MainDialog::OnClose)
    EVT_SIZE(MainDialog::OnSize)
    EVT_SHOW(MainDialog::OnShowDialog)
wxEND_EVENT_TABLE()

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
    m_keys.Attach(this, m_edit, m_list);

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

    // The view answers with WM_HTML_BLANK, which puts the dialog into list mode. Without a view
    // nothing would ever answer, so the dialog goes to list mode itself and still works as a
    // word list; entry mode then shows no page.
    if (m_entry.Create(this, m_tab, IDC_HTML)) {
        CHtmlCtrl& html = m_entry.GetHtml();
        html.SetLookUpCommandId(IDC_LOOKUP);  // the page menu's "Look up" is "L"
        html.GetBrowser()->Bind(wxEVT_CHAR, &KeyRouter::OnCharPage, &m_keys);
        html.Navigate2("about:blank");
        m_keys.AttachMouseButtons(this);
    } else {
        ShowList();
        UpdateData(false);
        m_keys.AttachMouseButtons(this);
    }
    // The list's own menu: the search in the meanings, and what the window menu offers.
    m_list->Bind(wxEVT_CONTEXT_MENU, &MainDialog::OnContextMenuList, this);
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
    // Also at the size the dialog was made with: the tab labels' limit holds from the start.
    LayoutControls();
}

void MainDialog::LayoutControls() {
    m_layout.Apply(GetClientSize());
    // The buttons lie over the right end of the tab row; no label may run under them.
    const int kGap = 2;
    m_entry.LayOut(std::min(m_lookup->GetPosition().x, m_back->GetPosition().x) - kGap);
    // The single column stays as wide as the list, as it was made.
    if (m_list->GetColumnCount() > 0) {
        m_list->SetColumnWidth(0, std::max(0, m_list->GetClientSize().x));
    }
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
    m_entry.Show(false);
    m_back->Hide();
    m_lookup->Hide();
    SetEditFocus(m_edit);
    m_mode = kListMode;
}

void MainDialog::SearchAndSelect() {
    // The row the user means: the word, a base form of it, its accents folded, the first
    // word it begins, or else the word that sorts just before it. Nothing without a file.
    int nFound = 0;
    Resolution how = Resolution::kNearest;
    int nPart = -1;
    if (!FindSearchTarget(m_dict, m_search, nFound, how, nPart)) {
        return;
    }
    const long nPos = nFound;
    m_nSearchRow = nPos;
    m_searchHow = how;
    m_nSearchPart = nPart;
    m_list->EnsureVisible(RowToBringIntoView(nPos, m_list->GetTopItem(),
                                             m_list->GetCountPerPage(), m_list->GetItemCount()));
    m_list->SetItemState(nPos, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
}

void MainDialog::SelectRow(long nRow) {
    const long nCount = m_list->GetItemCount();
    if (nCount <= 0) {
        return;
    }
    nRow = std::max(0L, std::min(nRow, nCount - 1));
    m_nSearchRow = -1;  // the selection is no longer where the text led
    m_list->EnsureVisible(nRow);
    m_list->SetItemState(nRow, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
}

void MainDialog::SelectTab(int nTab) {
    m_entry.SelectTab(nTab);
}

bool MainDialog::ShowEntry() {
    ShowEntryControls();
    const long nRow = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if (nRow < 0) {
        return false;
    }
    int nPart = -1;
    std::string strNotFound;
    if (nRow == m_nSearchRow) {
        nPart = m_nSearchPart;
        if (m_searchHow == Resolution::kSpelling || m_searchHow == Resolution::kNearest) {
            strNotFound = m_search;
        }
    }
    // Without a file the tabs and the page stay as they were.
    m_entry.ShowSearchedEntry(static_cast<int>(nRow), nPart, strNotFound);
    m_mode = kEntryMode;
    return true;
}

void MainDialog::ShowEntryControls() {
    m_list->Hide();
    m_edit->Hide();
    m_entry.Show(true);
    m_back->Show();
    m_lookup->Show();
    // The page takes the focus, so that the keys that scroll it work at once; the control that
    // had it (the search box or the list) is hidden now.
    m_entry.FocusPage();
}

void MainDialog::SearchMeanings() {
    if (!m_dict.IsOpen()) {
        return;
    }
    ShowEntryControls();
    m_entry.ShowMeaningPage(m_search);
    m_mode = kEntryMode;
}

void MainDialog::ReturnToList() {
    if (m_mode == kEntryMode) {
        ShowList();
    }
}

void MainDialog::GoThroughHistory(bool bForward) {
    if (m_mode != kEntryMode) {
        // From the list, back goes to the page the list was opened from, as it was left.
        if (bForward || m_entry.GetHistory().empty()) {
            return;
        }
        ShowEntryControls();
        m_mode = kEntryMode;
    } else if (!(bForward ? m_entry.GoForward() : m_entry.GoBack())) {
        return;
    }
    PutShownPageIntoSearchBox();
}

void MainDialog::PutShownPageIntoSearchBox() {
    const EntryView::State state = m_entry.GetState();
    std::string strText = state.strText;
    if (state.kind != EntryView::PageKind::kMeanings && !m_dict.GetWord(state.nPos, strText)) {
        return;
    }
    m_search = strText;
    UpdateData(false);
    // The box may have held that very text already, which raises no change.
    SearchAndSelect();
}

bool MainDialog::MoveLinkFocus(bool bForward) {
    PageWindow* pPage = m_entry.GetHtml().GetBrowser();
    if (pPage == nullptr || !pPage->MoveLinkFocus(bForward)) {
        return false;
    }
    m_entry.FocusPage();
    return true;
}

bool MainDialog::FollowFocusedLink() {
    PageWindow* pPage = m_entry.GetHtml().GetBrowser();
    return pPage != nullptr && wxWindow::FindFocus() == pPage && pPage->FollowFocusedLink();
}

void MainDialog::ShowPageMenu() {
    // Once the key has been handled: on Windows the keys come through a keyboard hook, and a
    // menu's own loop run inside it would take the key that opened it (F10) as the one that
    // closes it.
    CallAfter([this] {
        if (PageWindow* pPage = m_entry.GetHtml().GetBrowser()) {
            pPage->ShowContextMenuFromKeyboard();
        }
    });
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

void MainDialog::OnCharHook(wxKeyEvent& event) {
    m_keys.OnCharHook(event);
}

void MainDialog::SearchTyped(const std::string& strText) {
    ShowList();
    m_search = strText;
    UpdateData(false);
    m_edit->SetInsertionPointEnd();
    // The box may have held that very text already, which raises no change.
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

void MainDialog::OnContextMenuList(wxContextMenuEvent& event) {
    wxMenu menu;
    menu.Append(IDM_SEARCHMEANINGS, kSearchMeaningsLabel);
    std::string strAbout;
    if (LoadResString(IDS_ABOUTBOX, strAbout) && !strAbout.empty()) {
        menu.AppendSeparator();
        menu.Append(IDM_ABOUTBOX, AnsiToWx(strAbout));
    }
    wxPoint pt = event.GetPosition();
    if (pt != wxDefaultPosition) {
        pt = ScreenToClient(pt);
    }
    switch (GetPopupMenuSelectionFromUser(menu, pt)) {
    case IDM_SEARCHMEANINGS:
        SearchMeanings();
        break;
    case IDM_ABOUTBOX: {
        AboutDialog dlgAbout;
        dlgAbout.DoModal(this);
        break;
    }
    default:
        break;
    }
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
    m_entry.OnTabChanged();
}

void MainDialog::OnHtmlLink(PrivateMessageEvent& event) {
    const HtmlLinkInfo* pInfo = reinterpret_cast<const HtmlLinkInfo*>(event.GetWParam());
    // A link that leads nowhere the file holds changes nothing.
    if (pInfo != nullptr && m_entry.FollowLink(*pInfo)) {
        m_mode = kEntryMode;
        PutShownPageIntoSearchBox();
    }
}

void MainDialog::OnHtmlLinkRest(PrivateMessageEvent& event) {
    const HtmlLinkInfo* pInfo = reinterpret_cast<const HtmlLinkInfo*>(event.GetWParam());
    if (pInfo != nullptr) {
        m_entry.PrepareLink(*pInfo);
    }
}

void MainDialog::OnLookup(wxCommandEvent& WXUNUSED(event)) {
    LookupSelection();
}

void MainDialog::LookupSelection() {
    std::string strSelection;
    m_entry.GetHtml().GetSelectedText(strSelection);
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
