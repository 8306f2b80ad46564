// How a top-level window was activated.
#ifndef LEXANO_PLATFORM_ACTIVATION_H
#define LEXANO_PLATFORM_ACTIVATION_H

#include <wx/event.h>
#include <wx/window.h>

// Whether event, an activation of pWnd, came from a mouse click into it. Windows says so with
// the activation; GTK does not, so a click is assumed when a mouse button is down or the pointer
// lies inside pWnd, and anything else (Alt+Tab, a window-manager switch) counts as keyboard
// activation.
bool IsClickActivation(wxWindow* pWnd, const wxActivateEvent& event);

#endif
