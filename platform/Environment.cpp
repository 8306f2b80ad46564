#include "platform/Environment.h"

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <cstdio>
#include <cstdlib>

#ifdef __WXGTK__
#include <dlfcn.h>
#endif
#ifndef __WXMSW__
#include <unistd.h>
#endif
#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>
#endif

#include "platform/AnsiText.h"
#include "platform/CodePage.h"
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
#ifndef __WXMSW__
    // The path's own bytes, as the file system holds them. Through a wxString they would be
    // decoded by the locale's encoding and encoded again, which spells a folder name that the
    // locale cannot read differently, or not at all.
    std::string strLink(256, '\0');
    for (;;) {
        const ssize_t nLength = readlink("/proc/self/exe", &strLink[0], strLink.size());
        if (nLength < 0) {
            break;  // no /proc: the toolkit's answer below
        }
        if (static_cast<size_t>(nLength) < strLink.size()) {
            strLink.resize(static_cast<size_t>(nLength));
            return strLink;
        }
        strLink.resize(strLink.size() * 2);  // it may have been cut: again with more room
    }
#endif
    const wxString strPath = wxStandardPaths::Get().GetExecutablePath();
#ifdef __WXMSW__
    // The engine opens files through the C library, which takes ANSI names on Windows. A folder
    // whose name the ANSI code page cannot spell is reached through its short (8.3) name.
    // The ANSI code page by its number: UTF-8 when Windows is set to use it system-wide, which
    // takes other conversion flags than the code pages of old.
    const UINT nAnsiCodePage = ::GetACP();
    const std::wstring strWide = strPath.ToStdWstring();
    std::string strAnsi;
    if (WideToCodePageExactly(nAnsiCodePage, strWide, strAnsi)) {
        return strAnsi;
    }
    const DWORD nShort = ::GetShortPathNameW(strWide.c_str(), nullptr, 0);
    if (nShort == 0) {
        return std::string();
    }
    std::wstring strShort(nShort, L'\0');
    const DWORD nWritten = ::GetShortPathNameW(strWide.c_str(), &strShort[0], nShort);
    if (nWritten == 0 || nWritten >= nShort) {
        return std::string();
    }
    strShort.resize(nWritten);
    return WideToCodePageExactly(nAnsiCodePage, strShort, strAnsi) ? strAnsi : std::string();
#else
    return std::string(strPath.fn_str());
#endif
}

void ReportStartFailure() {
#ifdef __WXMSW__
    // A window program has no console to write to.
    ::MessageBoxA(nullptr, "Lexano cannot start: the window system could not be set up.",
                  "Lexano", MB_OK | MB_ICONERROR);
#else
    std::fprintf(stderr, "lexano: cannot open the display; set DISPLAY to a running X server\n");
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
