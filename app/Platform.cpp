#include "app/Platform.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/stdpaths.h>
#include <wx/textctrl.h>
#include <wx/time.h>
#include <wx/utils.h>
#include <wx/listctrl.h>
#include <wx/mousestate.h>
#include <wx/webview.h>

#include <memory>
#include <vector>

#include "res/lexano16.xpm"
#include "res/lexano32.xpm"
#include "res/resource.h"

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>
#endif

// ---- Text ----

namespace {

// Unicode code points of Windows-1252 bytes 0x80 to 0x9F. The undefined bytes 0x81, 0x8D, 0x8F,
// 0x90 and 0x9D keep their own value.
const wchar_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char UnicodeToAnsi(wxUniChar ch) {
    const wxUint32 nCode = ch.GetValue();
    if (nCode < 0x80 || (nCode >= 0xA0 && nCode <= 0xFF)) {
        return static_cast<char>(nCode);
    }
    for (int i = 0; i < 32; ++i) {
        if (static_cast<wxUint32>(kCp1252High[i]) == nCode) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

}  // namespace

wxString AnsiToWx(const std::string& strText) {
    wxString str;
    str.reserve(strText.size());
    for (char ch : strText) {
        const unsigned char nByte = static_cast<unsigned char>(ch);
        if (nByte >= 0x80 && nByte < 0xA0) {
            str += wxUniChar(static_cast<wxUint32>(kCp1252High[nByte - 0x80]));
        } else {
            str += wxUniChar(static_cast<wxUint32>(nByte));
        }
    }
    return str;
}

wxString AnsiToWx(const char* lpszText) {
    return lpszText != nullptr ? AnsiToWx(std::string(lpszText)) : wxString();
}

std::string WxToAnsi(const wxString& str) {
    std::string strText;
    strText.reserve(str.length());
    for (wxString::const_iterator it = str.begin(); it != str.end(); ++it) {
        strText += UnicodeToAnsi(*it);
    }
    return strText;
}

// ---- Private window messages ----

wxDEFINE_EVENT(wxEVT_PRIVATE_MESSAGE, PrivateMessageEvent);

PrivateMessageEvent::PrivateMessageEvent(int nMessage, uintptr_t wParam, intptr_t lParam)
    : wxEvent(nMessage, wxEVT_PRIVATE_MESSAGE), m_wParam(wParam), m_lParam(lParam) {}

intptr_t SendPrivateMessage(wxWindow* pWnd, int nMessage, uintptr_t wParam, intptr_t lParam) {
    if (pWnd == nullptr) {
        return 0;
    }
    PrivateMessageEvent event(nMessage, wParam, lParam);
    event.SetEventObject(pWnd);
    pWnd->GetEventHandler()->ProcessEvent(event);
    return event.GetResult();
}

void PostPrivateMessage(wxWindow* pWnd, int nMessage, uintptr_t wParam, intptr_t lParam) {
    if (pWnd == nullptr) {
        return;
    }
    PrivateMessageEvent* pEvent = new PrivateMessageEvent(nMessage, wParam, lParam);
    pEvent->SetEventObject(pWnd);
    // A handler's pending events are discarded when it is destroyed, so a message to a window
    // that is gone is never delivered.
    wxQueueEvent(pWnd->GetEventHandler(), pEvent);
}

bool PumpMessagesUntil(const std::function<bool()>& bDone, int nTimeoutMs) {
    const wxLongLong tEnd = wxGetLocalTimeMillis() + nTimeoutMs;
    while (!bDone()) {
        if (wxGetLocalTimeMillis() >= tEnd) {
            return false;
        }
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
    return true;
}

// ---- System commands ----

wxDEFINE_EVENT(wxEVT_SYSCOMMAND, wxCommandEvent);

namespace {

struct SystemMenuItem {
    int nCommandId;
    wxString strText;
};

void SendSysCommand(wxWindow* pWnd, int nCommandId) {
    wxCommandEvent event(wxEVT_SYSCOMMAND, nCommandId);
    event.SetEventObject(pWnd);
    pWnd->GetEventHandler()->ProcessEvent(event);
}

#ifdef __WXMSW__
bool OnMswSysCommand(wxWindowMSW* pWnd, WXUINT WXUNUSED(nMsg), WXWPARAM wParam,
                     WXLPARAM WXUNUSED(lParam)) {
    // Commands of the system's own (below 0xF000) go to the window's menu items; ours are
    // reported as wxEVT_SYSCOMMAND and treated as handled unless the handler skipped them.
    if ((wParam & 0xFFF0) >= 0xF000) {
        return false;
    }
    wxCommandEvent event(wxEVT_SYSCOMMAND, static_cast<int>(wParam));
    event.SetEventObject(pWnd);
    return pWnd->GetEventHandler()->ProcessEvent(event);
}
#else
// The window the context menu belongs to: pWnd itself or a list control inside it. Edit boxes
// and the web view bring their own menus.
bool WantsWindowMenu(wxTopLevelWindow* pWnd, wxObject* pSource) {
    // IsKindOf rather than wxDynamicCast: the latter's compile-time check is a static downcast
    // that the undefined-behaviour sanitizer rightly reports for objects of other classes.
    if (pSource == nullptr || !pSource->IsKindOf(wxCLASSINFO(wxWindow))) {
        return false;
    }
    wxWindow* pWindow = static_cast<wxWindow*>(pSource);
    if (pWindow == pWnd) {
        return true;
    }
    for (wxWindow* p = pWindow; p != nullptr && p != pWnd; p = p->GetParent()) {
        if (p->IsKindOf(wxCLASSINFO(wxTextCtrl)) || p->IsKindOf(wxCLASSINFO(wxWebView))) {
            return false;
        }
        if (p->IsKindOf(wxCLASSINFO(wxListCtrl))) {
            return true;
        }
    }
    return false;
}
#endif

}  // namespace

bool AppendSystemMenuItem(wxTopLevelWindow* pWnd, int nCommandId, const std::string& strText) {
    if (pWnd == nullptr) {
        return false;
    }
#ifdef __WXMSW__
    HMENU hMenu = ::GetSystemMenu(static_cast<HWND>(pWnd->GetHWND()), FALSE);
    if (hMenu == nullptr) {
        return false;
    }
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(hMenu, MF_STRING, static_cast<UINT_PTR>(nCommandId), strText.c_str());
    wxWindow::MSWRegisterMessageHandler(WM_SYSCOMMAND, OnMswSysCommand);
    return true;
#else
    // The items live as long as the window's binding that shows them.
    auto pItems = std::make_shared<std::vector<SystemMenuItem>>();
    pItems->push_back({nCommandId, AnsiToWx(strText)});
    pWnd->Bind(wxEVT_CONTEXT_MENU, [pWnd, pItems](wxContextMenuEvent& event) {
        if (!WantsWindowMenu(pWnd, event.GetEventObject())) {
            event.Skip();
            return;
        }
        wxMenu menu;
        for (const SystemMenuItem& item : *pItems) {
            menu.Append(item.nCommandId, item.strText);
        }
        // The popup is placed at the mouse, or for the keyboard at the window's default spot.
        wxPoint pt = event.GetPosition();
        if (pt != wxDefaultPosition) {
            pt = pWnd->ScreenToClient(pt);
        }
        const int nChosen = pWnd->GetPopupMenuSelectionFromUser(menu, pt);
        if (nChosen != wxID_NONE) {
            SendSysCommand(pWnd, nChosen);
        }
    });
    return true;
#endif
}

// ---- Start-up and environment ----

void EnableControlContainer() {}

void Enable3dControls() {}

std::string GetExecutablePath() {
    const wxString strPath = wxStandardPaths::Get().GetExecutablePath();
#ifdef __WXMSW__
    // The engine opens files through the C library, which takes ANSI names on Windows.
    return std::string(strPath.mb_str(wxConvLibc));
#else
    return std::string(strPath.fn_str());
#endif
}

#ifdef __WXMSW__
const char* const kPathSeparators = "\\/";
#else
const char* const kPathSeparators = "/";
#endif

void ShowMessageBox(wxWindow* pParent, const std::string& strText, unsigned nType) {
    long nStyle = wxOK | wxCENTRE;
    if ((nType & 0xF0) == kMbIconExclamation) {
        nStyle |= wxICON_EXCLAMATION;
    }
    wxMessageBox(AnsiToWx(strText), wxTheApp->GetAppDisplayName(), nStyle, pParent);
}

wxIconBundle LoadAppIcons() {
    wxIconBundle icons;
    icons.AddIcon(wxIcon(lexano32_xpm));
    icons.AddIcon(wxIcon(lexano16_xpm));
    return icons;
}

void BeginWaitCursor() {
    wxBeginBusyCursor();
}

void EndWaitCursor() {
    wxEndBusyCursor();
}

void SetEditFocus(wxTextCtrl* pEdit) {
    long nFrom = 0;
    long nTo = 0;
    pEdit->GetSelection(&nFrom, &nTo);
    pEdit->SetFocus();
    pEdit->SetSelection(nFrom, nTo);
}

bool OpenInWebBrowser(const std::string& strUrl) {
    return wxLaunchDefaultBrowser(AnsiToWx(strUrl));
}

// ---- Clipboard ----

bool GetClipboardText(std::string& strText) {
    // Reading waits for the owner's answer while delivering events; an activation handled
    // meanwhile must not open the clipboard a second time.
    if (wxTheClipboard->IsOpened()) {
        return false;
    }
    if (!wxTheClipboard->Open()) {
        return false;
    }
    bool bRead = false;
    wxTextDataObject data;
    if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT) || wxTheClipboard->IsSupported(wxDF_TEXT)) {
        bRead = wxTheClipboard->GetData(data);
    }
    wxTheClipboard->Close();
    if (!bRead) {
        return false;
    }
    strText = WxToAnsi(data.GetText());
    return true;
}

// ---- Activation ----

bool IsClickActivation(wxWindow* pWnd, const wxActivateEvent& event) {
#ifdef __WXMSW__
    (void)pWnd;
    return event.GetActivationReason() == wxActivateEvent::Reason_Mouse;
#else
    (void)event;
    const wxMouseState state = wxGetMouseState();
    if (state.LeftIsDown() || state.MiddleIsDown() || state.RightIsDown() ||
        state.Aux1IsDown() || state.Aux2IsDown()) {
        return true;
    }
    return pWnd->GetScreenRect().Contains(state.GetPosition());
#endif
}

// ---- Dialog templates ----

namespace {

wxWindowID ControlIdFromTemplate(int nId) {
    switch (nId) {
    case kIdOk:
        return wxID_OK;
    case kIdCancel:
        return wxID_CANCEL;
    case IDC_STATIC:
        return wxID_ANY;
    default:
        return nId;
    }
}

long BorderFromTemplate(uint32_t dwStyle) {
    return (dwStyle & kWsBorder) ? wxBORDER_THEME : wxBORDER_NONE;
}

wxWindow* CreateStandardControl(wxWindow* pParent, const DialogItem& item, const wxPoint& pt,
                                const wxSize& size) {
    const wxWindowID nId = ControlIdFromTemplate(item.nId);
    const wxString strText = AnsiToWx(item.lpszText);
    switch (item.nClass) {
    case ControlClass::kEdit:
        return new wxTextCtrl(pParent, nId, strText, pt, size, BorderFromTemplate(item.dwStyle));
    case ControlClass::kListView:
        return new wxListView(pParent, nId, pt, size, ListStyleFromTemplate(item.dwStyle));
    case ControlClass::kButton: {
        wxButton* pButton = new wxButton(pParent, nId, strText, pt, size, wxBU_EXACTFIT);
        if (item.dwStyle & kBsDefPushButton) {
            pButton->SetDefault();
        }
        return pButton;
    }
    case ControlClass::kTab:
        return new wxNotebook(pParent, nId, pt, size);
    case ControlClass::kStatic:
        if ((item.dwStyle & 0x1F) == kSsIcon) {
            const wxIcon icon = LoadAppIcons().GetIcon(32);
            return new wxStaticBitmap(pParent, nId, icon, pt, icon.GetSize());
        }
        return new wxStaticText(pParent, nId, strText, pt, size);
    }
    return nullptr;
}

}  // namespace

long ListStyleFromTemplate(uint32_t dwStyle) {
    long nStyle = BorderFromTemplate(dwStyle);
    if (dwStyle & kLvsReport) nStyle |= wxLC_REPORT;
    if (dwStyle & kLvsSingleSel) nStyle |= wxLC_SINGLE_SEL;
    if (dwStyle & kLvsOwnerData) nStyle |= wxLC_VIRTUAL;
    if (dwStyle & kLvsNoColumnHeader) nStyle |= wxLC_NO_HEADER;
    // Selections always show in wx lists, so LVS_SHOWSELALWAYS needs no flag.
    return nStyle;
}

bool CreateDialogFromTemplate(wxDialog* pDialog, int nTemplateId, wxWindow* pParent,
                              const ControlFactory& factory) {
    const DialogTemplate* pTemplate = FindDialogTemplate(nTemplateId);
    if (pTemplate == nullptr) {
        return false;
    }
    long nStyle = 0;
    if (pTemplate->dwStyle & kWsCaption) nStyle |= wxCAPTION;
    if (pTemplate->dwStyle & kWsSysMenu) nStyle |= wxSYSTEM_MENU | wxCLOSE_BOX;
    // A parentless wx dialog has its own taskbar entry already, which is WS_EX_APPWINDOW.
    if (!pDialog->Create(pParent, wxID_ANY, AnsiToWx(pTemplate->lpszCaption), wxDefaultPosition,
                         wxDefaultSize, nStyle)) {
        return false;
    }
    pDialog->SetClientSize(pDialog->ConvertDialogToPixels(wxSize(pTemplate->cx, pTemplate->cy)));

    // GTK paints siblings in the order they were made, the last on top, and a notebook paints
    // its whole tab row. Windows tab controls paint only their tabs, so the controls that the
    // template lays over a tab row must be made after it: tab controls come first here, and the
    // keyboard order is put back to the template's order afterwards.
    std::vector<wxWindow*> controls(pTemplate->nItems, nullptr);
    for (int nPass = 0; nPass < 2; ++nPass) {
        for (int i = 0; i < pTemplate->nItems; ++i) {
            const DialogItem& item = pTemplate->pItems[i];
            if ((item.nClass == ControlClass::kTab) != (nPass == 0)) {
                continue;
            }
            const wxPoint pt = pDialog->ConvertDialogToPixels(wxPoint(item.x, item.y));
            const wxSize size = pDialog->ConvertDialogToPixels(wxSize(item.cx, item.cy));
            wxWindow* pControl = factory ? factory(pDialog, item, pt, size) : nullptr;
            if (pControl == nullptr) {
                pControl = CreateStandardControl(pDialog, item, pt, size);
            }
            if (pControl != nullptr && !(item.dwStyle & kWsVisible)) {
                pControl->Hide();
            }
            controls[i] = pControl;
        }
    }
    wxWindow* pPrevious = nullptr;
    for (wxWindow* pControl : controls) {
        if (pControl == nullptr) {
            continue;
        }
        if (pPrevious != nullptr) {
            pControl->MoveAfterInTabOrder(pPrevious);
        }
        pPrevious = pControl;
    }
    if (pTemplate->dwStyle & kDsCenter) {
        pDialog->Centre(wxBOTH);
    }
    return true;
}

// ---- Tab control ----

void TabInsertItem(wxNotebook* pTab, int nIndex, const std::string& strText) {
    // An empty label is a control without a window of its own, so the page paints nothing over
    // the view that lies on the display area.
    wxWindow* pPage = new wxStaticText(pTab, wxID_ANY, wxString());
    pTab->InsertPage(static_cast<size_t>(nIndex), pPage, AnsiToWx(strText));
}

void TabDeleteAllItems(wxNotebook* pTab) {
    pTab->DeleteAllPages();
}

int TabGetCurSel(wxNotebook* pTab) {
    return pTab->GetSelection();
}

wxRect TabAdjustRect(wxNotebook* pTab, const wxRect& rcWindow) {
    // The notebook reports only its total frame; tabs lie on top and the frame is equally thick
    // on the other three sides.
    const wxSize sizePage(100, 100);
    const wxSize sizeFrame = pTab->CalcSizeFromPage(sizePage) - sizePage;
    const int nSide = sizeFrame.x / 2;
    const int nTop = sizeFrame.y - nSide;
    return wxRect(rcWindow.x + nSide, rcWindow.y + nTop, rcWindow.width - sizeFrame.x,
                  rcWindow.height - sizeFrame.y);
}
