// Bringing the window of one process to the front at the request of another.
#ifndef LEXANO_PLATFORM_WINDOWFRONT_H
#define LEXANO_PLATFORM_WINDOWFRONT_H

#include <string>

class wxTopLevelWindow;

// The start-up notification id that the launcher gave this process: DESKTOP_STARTUP_ID on X11,
// XDG_ACTIVATION_TOKEN on Wayland; empty when there is none (and always on Windows).
std::string GetStartupNotificationId();

// Called by the process that hands a request over, before it does: lets the process that takes
// it come to the front (Windows gives the foreground only to a process the foreground process
// allows); nothing elsewhere.
void AllowHandOverToComeToFront();

// Brings pWnd to the front and asks for the keyboard focus: restores it when minimised and
// presents it. strStartupId, the start-up id of the process that asked (may be empty), ends
// that process's start-up notification and carries the time of the user's action, which
// desktops that prevent focus stealing go by; without it, the X server's present time is
// used. If pWnd was not the active window, it also asks for the user's attention, in case the
// desktop keeps the focus where it is.
void BringToFront(wxTopLevelWindow* pWnd, const std::string& strStartupId);

#endif
