#include "platform/Activation.h"

#include <wx/mousestate.h>
#include <wx/utils.h>

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
