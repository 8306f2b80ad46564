// Private window messages (WM_USER and above) delivered as wx events, sent (handled before the
// sender goes on) or posted (queued and handled later from the event loop).
#ifndef LEXANO_PLATFORM_PRIVATEMESSAGE_H
#define LEXANO_PLATFORM_PRIVATEMESSAGE_H

#include <wx/event.h>
#include <wx/window.h>

#include <cstdint>
#include <functional>

// A private message (WM_USER and above) delivered as a wx event. The event id is the message
// number, so handlers are bound per message with EVT_PRIVATE_MESSAGE(WM_XXX, handler). It does
// not travel up to parent windows: a message nobody handles gets the default answer 0.
class PrivateMessageEvent : public wxEvent {
public:
    PrivateMessageEvent(int nMessage = 0, uintptr_t wParam = 0, intptr_t lParam = 0);
    wxEvent* Clone() const override { return new PrivateMessageEvent(*this); }

    int GetMessageId() const { return GetId(); }
    uintptr_t GetWParam() const { return m_wParam; }
    intptr_t GetLParam() const { return m_lParam; }
    intptr_t GetResult() const { return m_nResult; }
    void SetResult(intptr_t nResult) { m_nResult = nResult; }

private:
    uintptr_t m_wParam;
    intptr_t m_lParam;
    intptr_t m_nResult = 0;
};

wxDECLARE_EVENT(wxEVT_PRIVATE_MESSAGE, PrivateMessageEvent);

typedef void (wxEvtHandler::*PrivateMessageEventFunction)(PrivateMessageEvent&);
#define PrivateMessageEventHandler(func) wxEVENT_HANDLER_CAST(PrivateMessageEventFunction, func)
#define EVT_PRIVATE_MESSAGE(nMessage, func) \
    wx__DECLARE_EVT1(wxEVT_PRIVATE_MESSAGE, nMessage, PrivateMessageEventHandler(func))

// Handles the message in pWnd's handlers before returning, and returns their answer (0 when
// none handles it or pWnd is null).
intptr_t SendPrivateMessage(wxWindow* pWnd, int nMessage, uintptr_t wParam, intptr_t lParam);

// Queues the message for pWnd; it is handled later from the event loop. If pWnd is destroyed
// first, the message is dropped. Does nothing when pWnd is null.
void PostPrivateMessage(wxWindow* pWnd, int nMessage, uintptr_t wParam, intptr_t lParam);

// Delivers queued messages and toolkit events until bDone() holds or nTimeoutMs passed. True
// when bDone() held.
bool PumpMessagesUntil(const std::function<bool()>& bDone, int nTimeoutMs);
#endif
