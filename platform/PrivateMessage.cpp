#include "platform/PrivateMessage.h"

#include <wx/app.h>
#include <wx/time.h>
#include <wx/utils.h>

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
