// The program's surroundings: its own path, message boxes, its icon, the wait cursor, the edit
// box focus rule, the user's web browser, and the toolkit's start-up settings.
#ifndef LEXANO_PLATFORM_ENVIRONMENT_H
#define LEXANO_PLATFORM_ENVIRONMENT_H

#include <wx/iconbndl.h>
#include <wx/window.h>

#include <string>

class wxTextCtrl;

// Settles what the toolkit reads from the environment at its start; call first in main. On
// GTK it turns GDK's OpenGL off (GDK_GL=disable) unless the user has set GDK_GL: nothing in the
// program draws with OpenGL, and loading it costs memory and start-up time.
void PrepareToolkitEnvironment();

// Paints what is waiting to be painted in pWnd's top-level window now, after laying out any
// control whose size is pending, instead of at the toolkit's next frame.
void PaintNow(wxWindow* pWnd);

// Full path of the running executable in the file system's own encoding (not 1252), of any
// length; empty when it cannot be found. On Linux these are the bytes of /proc/self/exe, taken
// as they are whatever the locale. On Windows it
// is in the ANSI code page, which fopen takes; a path that code page cannot spell is given by
// its short (8.3) name, or empty when it has none.
std::string GetExecutablePath();

// Tells the user that the toolkit could not start (on X: no display): on standard error, or on
// Windows, where a window program has no console, in a message box.
void ReportStartFailure();

// The characters that end a directory in a path from GetExecutablePath.
extern const char* const kPathSeparators;

// Message box types (Windows values) and ShowMessageBox, which shows lpszText (1252) modally
// with the application's name as its caption and returns when the user closed it.
constexpr unsigned kMbOk = 0x00;
constexpr unsigned kMbIconExclamation = 0x30;
void ShowMessageBox(wxWindow* pParent, const std::string& strText, unsigned nType);

// The application icon, group 128: the 32x32 and the 16x16 image.
wxIconBundle LoadAppIcons();

// The wait cursor, shown from Begin to the matching End; calls nest.
void BeginWaitCursor();
void EndWaitCursor();

// Gives the keyboard focus to the edit box pEdit without changing its selection or caret. GTK
// selects an edit box's whole text when it gains the focus, which Windows does only for
// keyboard navigation between controls.
void SetEditFocus(wxTextCtrl* pEdit);

// Opens strUrl (1252) in the user's web browser and returns at once; false when no browser could
// be started.
bool OpenInWebBrowser(const std::string& strUrl);

#endif
