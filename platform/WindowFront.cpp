#include "platform/WindowFront.h"

#include <wx/toplevel.h>

#include <cstdlib>
#include <cstring>

#ifdef __WXGTK__
#include <dlfcn.h>
#endif
#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>
#endif

#ifdef __WXGTK__
namespace {

// The user's time of action at the end of a start-up id ("..._TIME1234"); 0 when it has none.
unsigned long TimeOfStartupId(const std::string& strStartupId) {
    const size_t nAt = strStartupId.rfind("_TIME");
    if (nAt == std::string::npos) {
        return 0;
    }
    return std::strtoul(strStartupId.c_str() + nAt + 5, nullptr, 10);
}

// GTK's and GDK's calls are looked up, so that building needs no GTK headers; a missing one
// leaves its step out.
template <typename Function>
Function Lookup(const char* pszName) {
    return reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, pszName));
}

// The X server's present time, as a user's action now would carry; 0 when the window is not
// on X11 (Wayland has no such time).
unsigned long CurrentServerTime(void* pGtkWindow) {
    const auto pGetDisplay = Lookup<void* (*)()>("gdk_display_get_default");
    const auto pTypeName = Lookup<const char* (*)(void*)>("g_type_name_from_instance");
    const auto pGetWindow = Lookup<void* (*)(void*)>("gtk_widget_get_window");
    const auto pServerTime = Lookup<unsigned (*)(void*)>("gdk_x11_get_server_time");
    if (!pGetDisplay || !pTypeName || !pGetWindow || !pServerTime) {
        return 0;
    }
    void* pDisplay = pGetDisplay();
    const char* pszType = pDisplay != nullptr ? pTypeName(pDisplay) : nullptr;
    void* pGdkWindow = pGetWindow(pGtkWindow);
    if (pszType == nullptr || std::strcmp(pszType, "GdkX11Display") != 0 || !pGdkWindow) {
        return 0;
    }
    return pServerTime(pGdkWindow);
}

// Presents the GTK window with the user's time of action; false when GTK's calls are missing.
bool PresentWithTime(void* pGtkWindow, const std::string& strStartupId) {
    const auto pSetStartupId = Lookup<void (*)(void*, const char*)>("gtk_window_set_startup_id");
    const auto pPresent = Lookup<void (*)(void*, unsigned)>("gtk_window_present_with_time");
    if (!pSetStartupId || !pPresent) {
        return false;
    }
    unsigned long nTime = TimeOfStartupId(strStartupId);
    if (!strStartupId.empty()) {
        pSetStartupId(pGtkWindow, strStartupId.c_str());
    }
    if (nTime == 0) {
        nTime = CurrentServerTime(pGtkWindow);
    }
    pPresent(pGtkWindow, static_cast<unsigned>(nTime));
    return true;
}

}  // namespace
#endif

std::string GetStartupNotificationId() {
#ifdef __WXMSW__
    return std::string();
#else
    for (const char* pszName : {"XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID"}) {
        const char* pszValue = std::getenv(pszName);
        if (pszValue != nullptr && *pszValue != '\0') {
            return pszValue;
        }
    }
    return std::string();
#endif
}

void AllowHandOverToComeToFront() {
#ifdef __WXMSW__
    ::AllowSetForegroundWindow(ASFW_ANY);
#endif
}

void BringToFront(wxTopLevelWindow* pWnd, const std::string& strStartupId) {
    const bool bWasActive = pWnd->IsActive();
    if (pWnd->IsIconized()) {
        pWnd->Iconize(false);
    }
    pWnd->Show();
#ifdef __WXGTK__
    if (!PresentWithTime(pWnd->GetHandle(), strStartupId)) {
        pWnd->Raise();
    }
#else
    (void)strStartupId;
    pWnd->Raise();  // the foreground window, which the starting process allowed
#endif
    if (!bWasActive) {
        // Cleared by the toolkit as soon as the window is activated.
        pWnd->RequestUserAttention(wxUSER_ATTENTION_INFO);
    }
}
