// The window menu (the system menu of Windows) and the commands chosen from it.
#ifndef LEXANO_PLATFORM_SYSTEMMENU_H
#define LEXANO_PLATFORM_SYSTEMMENU_H

#include <wx/event.h>
#include <wx/toplevel.h>

#include <string>

// A command of the window menu (WM_SYSCOMMAND); the event id is the command id. A handler that
// does not know the command calls Skip() for the default processing.
wxDECLARE_EVENT(wxEVT_SYSCOMMAND, wxCommandEvent);
#define EVT_SYSCOMMAND(func) wx__DECLARE_EVT1(wxEVT_SYSCOMMAND, wxID_ANY, wxCommandEventHandler(func))

// Appends a separator and an item with command nCommandId and text strText (1252, "&" marks the
// mnemonic) to pWnd's window menu; choosing the item sends wxEVT_SYSCOMMAND to pWnd. On Windows
// this is the real system menu. GTK gives programs no window menu, so there the items form the
// context menu of pWnd and of its list controls (right click, the Menu key, Shift+F10); edit
// boxes and the page view keep their own context menus. False when the window has no menu to
// extend.
bool AppendSystemMenuItem(wxTopLevelWindow* pWnd, int nCommandId, const std::string& strText);

#endif
