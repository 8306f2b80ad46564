// How a top-level window was activated: by a mouse click into it, or otherwise (Alt+Tab, a
// window-manager switch, a program bringing it to the front).
#ifndef LEXANO_PLATFORM_ACTIVATION_H
#define LEXANO_PLATFORM_ACTIVATION_H

#include <wx/event.h>
#include <wx/eventfilter.h>
#include <wx/timer.h>
#include <wx/toplevel.h>

#include <chrono>
#include <functional>

// Calls its handler after every activation of one top-level window that no mouse click caused.
//
// Windows says with the activation whether a click caused it, and the handler runs at once. GTK
// does not: there an activation counts as a click when a mouse button is down as it arrives, or
// when a button press on the window comes within kClickWaitMs before or after it. The handler
// therefore runs kClickWaitMs after the activation, and not at all when such a press arrived or
// the window lost the activation meanwhile. Where the pointer rests decides nothing: Alt+Tab
// with the pointer over the window is a keyboard activation.
//
// The watcher must not outlive pWnd; pWnd's activate handler calls OnActivate.
class ActivationWatcher : private wxEventFilter {
public:
    static constexpr int kClickWaitMs = 250;

    ActivationWatcher(wxTopLevelWindow* pWnd, const std::function<void()>& onKeyboardActivation);
    ~ActivationWatcher() override;
    ActivationWatcher(const ActivationWatcher&) = delete;
    ActivationWatcher& operator=(const ActivationWatcher&) = delete;

    // Takes note of an activation or deactivation of the window; the window's handler of
    // wxEVT_ACTIVATE calls this for every such event.
    void OnActivate(const wxActivateEvent& event);

private:
    int FilterEvent(wxEvent& event) override;
    void OnTimer(wxTimerEvent& event);

    wxTopLevelWindow* m_pWnd;
    std::function<void()> m_onKeyboardActivation;
    wxTimer m_timer;
    std::chrono::steady_clock::time_point m_tLastPress;  // last button press on the window
    bool m_bPressed = false;  // m_tLastPress holds a press
};

#endif
