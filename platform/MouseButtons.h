// The mouse's back and forward buttons (the side buttons, "X buttons" on Windows), which web
// browsers and file managers use for their history.
#ifndef LEXANO_PLATFORM_MOUSEBUTTONS_H
#define LEXANO_PLATFORM_MOUSEBUTTONS_H

#include <functional>

class wxWindow;

// Calls fnPressed(false) for each press of the back button and fnPressed(true) for each press
// of the forward button over pWindow or any window inside it at the time of the call. A quick
// second press counts as a press, not as a double click.
void BindBackForwardButtons(wxWindow* pWindow, const std::function<void(bool bForward)>& fnPressed);

#endif
