// Reading the clipboard's text.
#ifndef LEXANO_PLATFORM_CLIPBOARD_H
#define LEXANO_PLATFORM_CLIPBOARD_H

#include <string>

// Sets strText to the text on the clipboard proper, never X11's PRIMARY selection, in 1252
// (characters it lacks become '?'), of any length. False, strText untouched, when the clipboard
// holds no text or cannot be opened or read; it is closed again whenever it was opened.
bool GetClipboardText(std::string& strText);

// Takes back what the program put on the clipboard and into X11's PRIMARY selection, if it still
// holds them, and frees it; the toolkit itself frees only one of the two as it ends. Call once
// the windows are gone, before the toolkit ends.
void ReleaseClipboards();

#endif
