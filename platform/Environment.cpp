#include "platform/Environment.h"

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <cstdlib>

#ifdef __WXGTK__
#include <dlfcn.h>
#endif

#include "platform/AnsiText.h"
#include "res/lexano16.xpm"
#include "res/lexano32.xpm"

void PaintNow(wxWindow* pWnd) {
    if (pWnd == nullptr || !pWnd->IsShownOnScreen()) {
        return;
    }
#ifdef __WXGTK__
    // GTK paints a whole top-level window at once, so every control in it must have its size
    // first: one whose tabs just changed would otherwise be drawn unallocated. GTK's own call
    // for that is looked up, so that building needs no GTK headers.
    using CheckResize = void (*)(void*);
    static const auto pCheckResize =
        reinterpret_cast<CheckResize>(dlsym(RTLD_DEFAULT, "gtk_container_check_resize"));
    if (pCheckResize == nullptr) {
        return;  // the next frame paints it
    }
    pCheckResize(wxGetTopLevelParent(pWnd)->GetHandle());
#endif
    pWnd->Update();
}

void PrepareToolkitEnvironment() {
#ifdef __WXGTK__
    setenv("GDK_GL", "disable", 0);  // 0: a value the user set stays
#endif
}

std::string GetExecutablePath() {
    const wxString strPath = wxStandardPaths::Get().GetExecutablePath();
#ifdef __WXMSW__
    // The engine opens files through the C library, which takes ANSI names on Windows.
    return std::string(strPath.mb_str(wxConvLibc));
#else
    return std::string(strPath.fn_str());
#endif
}

#ifdef __WXMSW__
const char* const kPathSeparators = "\\/";
#else
const char* const kPathSeparators = "/";
#endif

void ShowMessageBox(wxWindow* pParent, const std::string& strText, unsigned nType) {
    long nStyle = wxOK | wxCENTRE;
    if ((nType & 0xF0) == kMbIconExclamation) {
        nStyle |= wxICON_EXCLAMATION;
    }
    wxMessageBox(AnsiToWx(strText), wxTheApp->GetAppDisplayName(), nStyle, pParent);
}

wxIconBundle LoadAppIcons() {
    wxIconBundle icons;
    icons.AddIcon(wxIcon(lexano32_xpm));
    icons.AddIcon(wxIcon(lexano16_xpm));
    return icons;
}

void BeginWaitCursor() {
    wxBeginBusyCursor();
}

void EndWaitCursor() {
    wxEndBusyCursor();
}

void SetEditFocus(wxTextCtrl* pEdit) {
    long nFrom = 0;
    long nTo = 0;
    pEdit->GetSelection(&nFrom, &nTo);
    pEdit->SetFocus();
    pEdit->SetSelection(nFrom, nTo);
}

bool OpenInWebBrowser(const std::string& strUrl) {
    return wxLaunchDefaultBrowser(AnsiToWx(strUrl));
}
