#include "app/KeyRouter.h"

#include <wx/listctrl.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "htmlview/HtmlMessages.h"
#include "platform/AnsiText.h"
#include "platform/PrivateMessage.h"

void KeyRouter::Attach(wxWindow* pDialog, wxTextCtrl* pEdit, wxListView* pList) {
    m_pDialog = pDialog;
    m_pEdit = pEdit;
    m_pList = pList;
}

void KeyRouter::OnCharHook(wxKeyEvent& event) {
    if (m_pDialog == nullptr) {
        event.Skip();
        return;
    }
    if (HandleExtraKey(event)) {
        return;  // used up: the focused control must not act on it too
    }
    PreTranslateMessage(event);
}

void KeyRouter::PreTranslateMessage(wxKeyEvent& event) {
    const int nKey = event.GetKeyCode();
    const bool bEnter = nKey == WXK_RETURN || nKey == WXK_NUMPAD_ENTER;
    if (bEnter && m_pEdit != nullptr && wxWindow::FindFocus() == m_pEdit) {
        PostPrivateMessage(m_pDialog, WM_SEARCH_ENTER, 0, 0);
    } else if (nKey == WXK_BACK) {
        PostPrivateMessage(m_pDialog, WM_BACK_KEY, 0, 0);
    }
    // The dialog manager's part: Escape is the Cancel command and ends there; Enter is the OK
    // command and still goes on to the focused control.
    if (nKey == WXK_ESCAPE) {
        SendCommand(wxID_CANCEL);
        return;
    }
    if (bEnter) {
        SendCommand(wxID_OK);
    }
    event.Skip();
}

void KeyRouter::SendCommand(int nId) {
    wxCommandEvent command(wxEVT_BUTTON, nId);
    command.SetEventObject(m_pDialog);
    m_pDialog->ProcessWindowEvent(command);
}

bool KeyRouter::HandleExtraKey(const wxKeyEvent& event) {
    if (!m_target.InEntryMode()) {
        const bool bInBox = m_pEdit->IsShown() && wxWindow::FindFocus() == m_pEdit;
        return bInBox && HandleSearchBoxKey(event);
    }
    return HandleEntryKey(event);
}

bool KeyRouter::HandleSearchBoxKey(const wxKeyEvent& event) {
    const int nMods = event.GetModifiers();
    const long nRow = m_pList->GetFirstSelected();  // -1 when none: moving starts at row 0
    // A page is the visible rows less one, so that the row at the edge stays in view.
    const long nPage = std::max(1, m_pList->GetCountPerPage() - 1);
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
        nTarget = m_pList->GetItemCount() - 1;
        break;
    default:
        return false;
    }
    if (nMods != wxMOD_NONE && nMods != wxMOD_CONTROL) {
        return false;  // Shift with them extends the box's own selection
    }
    m_target.SelectRow(nTarget);
    return true;
}

bool KeyRouter::HandleEntryKey(const wxKeyEvent& event) {
    const int nMods = event.GetModifiers();
    switch (event.GetKeyCode()) {
    case WXK_TAB:
        if (nMods == wxMOD_CONTROL || nMods == (wxMOD_CONTROL | wxMOD_SHIFT)) {
            m_target.SelectTab(m_target.GetCurrentTab() + ((nMods & wxMOD_SHIFT) ? -1 : 1));
            return true;
        }
        return false;
    case WXK_PAGEDOWN:
    case WXK_NUMPAD_PAGEDOWN:
        if (nMods != wxMOD_CONTROL) {
            return false;  // without Ctrl the page scrolls
        }
        m_target.SelectTab(m_target.GetCurrentTab() + 1);
        return true;
    case WXK_PAGEUP:
    case WXK_NUMPAD_PAGEUP:
        if (nMods != wxMOD_CONTROL) {
            return false;
        }
        m_target.SelectTab(m_target.GetCurrentTab() - 1);
        return true;
    case 'L':
        if (nMods != wxMOD_ALT) {
            return false;
        }
        m_target.LookupSelection();
        return true;
    default:
        return false;
    }
}

void KeyRouter::OnCharPage(wxKeyEvent& event) {
    // Keys with Ctrl or Alt are the page's own (zoom, copy) or nobody's; white space and control
    // characters start no word.
    const wxChar ch = event.GetUnicodeKey();
    if (!m_target.InEntryMode() || ch == WXK_NONE || ch <= ' ' || ch == WXK_DELETE ||
        event.ControlDown() || event.AltDown() || event.MetaDown()) {
        event.Skip();
        return;
    }
    m_target.SearchTyped(WxToAnsi(wxString(ch)));
}
