#include "platform/Activation.h"

#include <wx/mousestate.h>
#include <wx/utils.h>
#include <wx/window.h>

namespace {

bool IsButtonPress(wxEventType nType) {
    return nType == wxEVT_LEFT_DOWN || nType == wxEVT_MIDDLE_DOWN || nType == wxEVT_RIGHT_DOWN ||
           nType == wxEVT_AUX1_DOWN || nType == wxEVT_AUX2_DOWN || nType == wxEVT_LEFT_DCLICK ||
           nType == wxEVT_MIDDLE_DCLICK || nType == wxEVT_RIGHT_DCLICK ||
           nType == wxEVT_AUX1_DCLICK || nType == wxEVT_AUX2_DCLICK;
}

#ifndef __WXMSW__
bool AnyButtonDown() {
    const wxMouseState state = wxGetMouseState();
    return state.LeftIsDown() || state.MiddleIsDown() || state.RightIsDown() ||
           state.Aux1IsDown() || state.Aux2IsDown();
}
#endif

}  // namespace

ActivationWatcher::ActivationWatcher(wxTopLevelWindow* pWnd,
                                     const std::function<void()>& onKeyboardActivation)
    : m_pWnd(pWnd), m_onKeyboardActivation(onKeyboardActivation) {
    m_timer.Bind(wxEVT_TIMER, &ActivationWatcher::OnTimer, this);
    wxEvtHandler::AddFilter(this);
}

ActivationWatcher::~ActivationWatcher() {
    m_timer.Stop();
    wxEvtHandler::RemoveFilter(this);
}

void ActivationWatcher::OnActivate(const wxActivateEvent& event) {
    m_timer.Stop();
    if (!event.GetActive()) {
        return;
    }
#ifdef __WXMSW__
    if (event.GetActivationReason() != wxActivateEvent::Reason_Mouse && m_onKeyboardActivation) {
        m_onKeyboardActivation();
    }
#else
    const auto tNow = std::chrono::steady_clock::now();
    const bool bRecentPress =
        m_bPressed && tNow - m_tLastPress < std::chrono::milliseconds(kClickWaitMs);
    if (AnyButtonDown() || bRecentPress) {
        return;
    }
    m_timer.StartOnce(kClickWaitMs);
#endif
}

int ActivationWatcher::FilterEvent(wxEvent& event) {
    // Every event of the program passes here: only button presses on the window count.
    if (!IsButtonPress(event.GetEventType())) {
        return Event_Skip;
    }
    wxObject* pObject = event.GetEventObject();
    if (pObject == nullptr || !pObject->IsKindOf(wxCLASSINFO(wxWindow))) {
        return Event_Skip;
    }
    if (wxGetTopLevelParent(static_cast<wxWindow*>(pObject)) != m_pWnd) {
        return Event_Skip;
    }
    m_tLastPress = std::chrono::steady_clock::now();
    m_bPressed = true;
    // The activation this press belongs to was a click.
    m_timer.Stop();
    return Event_Skip;
}

void ActivationWatcher::OnTimer(wxTimerEvent& WXUNUSED(event)) {
    if (m_pWnd->IsActive() && m_onKeyboardActivation) {
        m_onKeyboardActivation();
    }
}
