#include "platform/MouseButtons.h"

#include <wx/window.h>

void BindBackForwardButtons(wxWindow* pWindow, const std::function<void(bool bForward)>& fnPressed) {
    const auto onButton = [fnPressed](wxMouseEvent& event) {
        const wxEventType nType = event.GetEventType();
        fnPressed(nType == wxEVT_AUX2_DOWN || nType == wxEVT_AUX2_DCLICK);
    };
    pWindow->Bind(wxEVT_AUX1_DOWN, onButton);
    pWindow->Bind(wxEVT_AUX2_DOWN, onButton);
#ifdef __WXMSW__
    // Windows reports a quick second press as a double click instead of a press; GTK reports
    // the press and then the double click, which must not count twice.
    pWindow->Bind(wxEVT_AUX1_DCLICK, onButton);
    pWindow->Bind(wxEVT_AUX2_DCLICK, onButton);
#endif
    for (wxWindow* pChild : pWindow->GetChildren()) {
        BindBackForwardButtons(pChild, fnPressed);
    }
}
