// Reading the text selected on the desktop.
#ifndef LEXANO_PLATFORM_SELECTION_H
#define LEXANO_PLATFORM_SELECTION_H

#include <string>

// Sets strText to the text selected on the desktop, in 1252 (characters it lacks become '?'):
// X11's primary selection (on Wayland the primary selection GTK offers there), or on Windows,
// which has no such selection, the clipboard's text. False, strText untouched, when there is
// none or it cannot be read. The clipboard itself stays the clipboard for every other reading.
bool GetDesktopSelectionText(std::string& strText);

#endif
