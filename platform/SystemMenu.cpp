#include "platform/SystemMenu.h"

#include <wx/html/htmlwin.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/textctrl.h>

#include <memory>
#include <vector>

#include "platform/AnsiText.h"

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>
#endif

wxDEFINE_EVENT(wxEVT_SYSCOMMAND, wxCommandEvent);

namespace {

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
struct SystemMenuItem {
    int nCommandId;
    wxString strText;
};

void SendSysCommand(wxWindow* pWnd, int nCommandId) {
    wxCommandEvent event(wxEVT_SYSCOMMAND, nCommandId);
    event.SetEventObject(pWnd);
    pWnd->GetEventHandler()->ProcessEvent(event);
}

// The window the context menu belongs to: pWnd itself or a list control inside it. Edit boxes
// and the page view bring their own menus.
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
        if (p->IsKindOf(wxCLASSINFO(wxTextCtrl)) || p->IsKindOf(wxCLASSINFO(wxHtmlWindow))) {
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
    // wx keeps one handler per message for the whole process and refuses a second one, so it
    // is registered with the first item; it serves every window.
    static const bool bRegistered =
        wxWindow::MSWRegisterMessageHandler(WM_SYSCOMMAND, OnMswSysCommand);
    return bRegistered;
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
