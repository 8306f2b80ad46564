// The platform layer: the few window-system services that the dictionary window was designed
// around (dialog templates, private window messages, the system menu, message boxes, the
// executable's path, 8-bit text in controls), each mapped onto wxWidgets. The rest of app/ and
// htmlview/ uses these instead of wx where the two models differ; code that only a Windows build
// needs lives in Platform.cpp behind __WXMSW__.
//
// Text: the engine, the pages and the dialog's strings are Windows-1252. Conversion to and from
// wxString happens only through AnsiToWx and WxToAnsi.
#ifndef LEXANO_APP_PLATFORM_H
#define LEXANO_APP_PLATFORM_H

#include <wx/dialog.h>
#include <wx/event.h>
#include <wx/iconbndl.h>
#include <wx/string.h>

#include <cstdint>
#include <functional>
#include <string>

#include "res/Templates.h"

class wxNotebook;
class wxTextCtrl;

// ---- Text ----

// Windows-1252 bytes to a wxString. Every byte maps to one character; the five bytes that 1252
// leaves undefined map to the C1 controls of the same value, as Windows does.
wxString AnsiToWx(const std::string& strText);
wxString AnsiToWx(const char* lpszText);  // null gives the empty string

// A wxString to Windows-1252. Characters that 1252 lacks become '?', its default character.
std::string WxToAnsi(const wxString& str);

// ---- Private window messages ----

// A private message (WM_USER and above) delivered as a wx event. The event id is the message
// number, so handlers are bound per message with EVT_PRIVATE_MESSAGE(WM_XXX, handler). It does
// not travel up to parent windows: a message nobody handles gets the default answer 0.
class PrivateMessageEvent : public wxEvent {
public:
    PrivateMessageEvent(int nMessage = 0, uintptr_t wParam = 0, intptr_t lParam = 0);
    wxEvent* Clone() const override { return new PrivateMessageEvent(*this); }

    int GetMessageId() const { return GetId(); }
    uintptr_t GetWParam() const { return m_wParam; }
    intptr_t GetLParam() const { return m_lParam; }
    intptr_t GetResult() const { return m_nResult; }
    void SetResult(intptr_t nResult) { m_nResult = nResult; }

private:
    uintptr_t m_wParam;
    intptr_t m_lParam;
    intptr_t m_nResult = 0;
};

wxDECLARE_EVENT(wxEVT_PRIVATE_MESSAGE, PrivateMessageEvent);

typedef void (wxEvtHandler::*PrivateMessageEventFunction)(PrivateMessageEvent&);
#define PrivateMessageEventHandler(func) wxEVENT_HANDLER_CAST(PrivateMessageEventFunction, func)
#define EVT_PRIVATE_MESSAGE(nMessage, func) \
    wx__DECLARE_EVT1(wxEVT_PRIVATE_MESSAGE, nMessage, PrivateMessageEventHandler(func))

// Handles the message in pWnd's handlers before returning, and returns their answer (0 when
// none handles it or pWnd is null).
intptr_t SendPrivateMessage(wxWindow* pWnd, int nMessage, uintptr_t wParam, intptr_t lParam);

// Queues the message for pWnd; it is handled later from the event loop. If pWnd is destroyed
// first, the message is dropped. Does nothing when pWnd is null.
void PostPrivateMessage(wxWindow* pWnd, int nMessage, uintptr_t wParam, intptr_t lParam);

// Delivers queued messages and toolkit events until bDone() holds or nTimeoutMs passed, for
// work that Windows does synchronously and WebKit in its own process. True when bDone() held.
bool PumpMessagesUntil(const std::function<bool()>& bDone, int nTimeoutMs);

// ---- System commands ----

// A command of the window menu (WM_SYSCOMMAND); the event id is the command id. A handler that
// does not know the command calls Skip() for the default processing.
wxDECLARE_EVENT(wxEVT_SYSCOMMAND, wxCommandEvent);
#define EVT_SYSCOMMAND(func) wx__DECLARE_EVT1(wxEVT_SYSCOMMAND, wxID_ANY, wxCommandEventHandler(func))

// Appends a separator and an item with command nCommandId and text strText (1252, "&" marks the
// mnemonic) to pWnd's window menu; choosing the item sends wxEVT_SYSCOMMAND to pWnd. On Windows
// this is the real system menu. GTK gives programs no window menu, so there the items form the
// context menu of pWnd and of its list controls (right click, the Menu key, Shift+F10); edit
// boxes and the web view keep their own context menus. False when the window has no menu to
// extend.
bool AppendSystemMenuItem(wxTopLevelWindow* pWnd, int nCommandId, const std::string& strText);

// ---- Start-up and environment ----

// Control hosting and the three-dimensional control look are Windows concerns that wx handles
// by itself; both are no-ops.
void EnableControlContainer();
void Enable3dControls();

// Full path of the running executable in the file system's own encoding (not 1252), of any
// length; empty when it cannot be found. Found through /proc/self/exe on Linux.
std::string GetExecutablePath();

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

// ---- Clipboard ----

// Sets strText to the clipboard's text in 1252 (characters it lacks become '?'), of any length.
// False, strText untouched, when the clipboard holds no text or cannot be opened or read; it is
// closed again whenever it was opened.
bool GetClipboardText(std::string& strText);

// ---- Activation ----

// Whether event, an activation of pWnd, came from a mouse click into it. Windows says so with
// the activation; GTK does not, so a click is assumed when a mouse button is down or the pointer
// lies inside pWnd, and anything else (Alt+Tab, a window-manager switch) counts as keyboard
// activation.
bool IsClickActivation(wxWindow* pWnd, const wxActivateEvent& event);

// ---- Dialog templates ----

// Makes the control of one template item, for a dialog that uses its own class for it (the
// word list). Returns null to let the layer create the standard control.
using ControlFactory = std::function<wxWindow*(wxWindow* pParent, const DialogItem& item,
                                               const wxPoint& pt, const wxSize& size)>;

// Creates pDialog's window from template nTemplateId, with the controls of the template placed
// by its dialog units (converted with the dialog's font), and centres it when the template asks.
// Template ids IDOK and IDCANCEL become wxID_OK and wxID_CANCEL. False when the template does
// not exist or the window cannot be created.
// REQUIRES: pDialog was constructed without a window.
bool CreateDialogFromTemplate(wxDialog* pDialog, int nTemplateId, wxWindow* pParent,
                              const ControlFactory& factory = ControlFactory());

// wx style flags of a list view template item.
long ListStyleFromTemplate(uint32_t dwStyle);

// ---- Tab control ----

// The tab control is a wxNotebook whose pages are empty windows: what a tab shows is drawn by a
// sibling laid over the display area, as a Windows tab control does it.
void TabInsertItem(wxNotebook* pTab, int nIndex, const std::string& strText);
void TabDeleteAllItems(wxNotebook* pTab);
int TabGetCurSel(wxNotebook* pTab);  // -1 when there are no tabs
// The display area for the tab control window rectangle rcWindow (same coordinates): the part
// below the tab row and inside the frame.
wxRect TabAdjustRect(wxNotebook* pTab, const wxRect& rcWindow);

#endif
