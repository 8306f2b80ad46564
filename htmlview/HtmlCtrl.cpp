#include "htmlview/HtmlCtrl.h"

#include <wx/webview.h>
#include <wx/window.h>

#include <algorithm>
#include <string>

#include "app/LookupText.h"
#include "app/Platform.h"
#include "htmlview/HtmlLink.h"

#ifdef __WXGTK__
#include <dlfcn.h>

#include <wx/dir.h>
#include <wx/dynlib.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>
#endif

namespace {

#ifdef __WXGTK__
// True when strDir holds a WebKit extension of wx (webkit2_ext*.so).
bool HoldsWebExtension(const wxString& strDir) {
    wxDir dir;
    wxString strFile;
    return wxDir::Exists(strDir) && dir.Open(strDir) &&
           dir.GetFirst(&strFile, "webkit2_ext*.so", wxDIR_FILES);
}

// wx reads the selection through its WebKit extension, which it looks for only under its own
// install prefix; some systems keep it elsewhere, and without it every selection reads as
// empty. When wx's own folder lacks it, WebKit is told the first of these folders that holds
// it: the one found when the program was built, then web-extensions beside the program (for an
// installation that carries its own copy or link). wx sets the folder itself only when it finds
// the extension, so a folder set here is never overridden. Must run before the first browser is
// made: WebKit reads the folder when it starts its web process.
void FindWebExtensions() {
    static bool bDone = false;
    if (bDone) {
        return;
    }
    bDone = true;
    if (HoldsWebExtension(wxDynamicLibrary::GetPluginsDirectory() + "/web-extensions")) {
        return;
    }
    const wxString strProgramDir =
        wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
    const wxString candidates[] = {
        wxString(LEXANO_WX_WEB_EXTENSIONS_DIR),
        strProgramDir + "/web-extensions",
    };
    for (const wxString& strDir : candidates) {
        if (strDir.empty() || !HoldsWebExtension(strDir)) {
            continue;
        }
        // WebKit is loaded with wx's web view library; its functions are looked up rather than
        // linked, so that building needs no WebKit headers.
        using GetDefaultContext = void* (*)();
        using SetExtensionsDirectory = void (*)(void*, const char*);
        const auto pGetDefault = reinterpret_cast<GetDefaultContext>(
            dlsym(RTLD_DEFAULT, "webkit_web_context_get_default"));
        const auto pSetDirectory = reinterpret_cast<SetExtensionsDirectory>(
            dlsym(RTLD_DEFAULT, "webkit_web_context_set_web_extensions_directory"));
        if (pGetDefault != nullptr && pSetDirectory != nullptr) {
            pSetDirectory(pGetDefault(), strDir.fn_str());
        }
        return;
    }
}

// The view shows small generated pages and nothing else: WebKit's document-viewer cache model
// keeps no page cache and small memory caches. (Drawing without the compositor was measured
// too: no faster per page, and the first page took 300 ms longer.) Looked up at run time like
// the functions above.
void MakeViewLean() {
    using GetDefaultContext = void* (*)();
    using SetCacheModel = void (*)(void*, int);
    const auto pGetDefault = reinterpret_cast<GetDefaultContext>(
        dlsym(RTLD_DEFAULT, "webkit_web_context_get_default"));
    const auto pSetCacheModel = reinterpret_cast<SetCacheModel>(
        dlsym(RTLD_DEFAULT, "webkit_web_context_set_cache_model"));
    const int kCacheModelDocumentViewer = 0;
    if (pGetDefault != nullptr && pSetCacheModel != nullptr) {
        pSetCacheModel(pGetDefault(), kCacheModelDocumentViewer);
    }
}
#endif

// A JavaScript string literal holding strText, with every character but letters and digits
// escaped, so that no text can end the literal or the script element around it.
wxString JsStringLiteral(const wxString& strText) {
    wxString strOut = "\"";
    for (wxString::const_iterator it = strText.begin(); it != strText.end(); ++it) {
        const wxUint32 nCode = (*it).GetValue();
        if ((nCode >= '0' && nCode <= '9') || (nCode >= 'A' && nCode <= 'Z') ||
            (nCode >= 'a' && nCode <= 'z')) {
            strOut += *it;
        } else {
            strOut += wxString::Format("\\u%04X", static_cast<unsigned>(nCode & 0xFFFF));
        }
    }
    return strOut + "\"";
}

}  // namespace

CHtmlCtrl::CHtmlCtrl() = default;

CHtmlCtrl::~CHtmlCtrl() {
    if (m_pHost != nullptr) {
        wxWindow* pHost = m_pHost;
        // The destroy handler below still runs and clears both pointers.
        delete pHost;
    }
}

bool CHtmlCtrl::Create(const char* WXUNUSED(lpszClassName), const char* WXUNUSED(lpszWindowName),
                       uint32_t dwStyle, const wxRect& rect, wxWindow* pParentWnd, int nID,
                       void* WXUNUSED(pContext)) {
    if (pParentWnd == nullptr || m_pHost != nullptr) {
        return false;
    }
    wxWindow* pHost = new wxWindow(pParentWnd, nID, rect.GetPosition(), rect.GetSize(),
                                   wxBORDER_NONE | wxCLIP_CHILDREN);
    if (!(dwStyle & kWsVisible)) {
        pHost->Hide();
    }
#ifdef __WXGTK__
    FindWebExtensions();
    MakeViewLean();
#endif
    // An empty URL: the browser starts with an empty document and reports no navigation, so the
    // only navigations the parent hears of are the ones it asks for.
    wxWebView* pBrowser = wxWebView::New(pHost, wxID_ANY, wxString(), wxPoint(0, 0),
                                         pHost->GetClientSize(), wxWebViewBackendDefault,
                                         wxBORDER_NONE);
    if (pBrowser == nullptr) {
        pHost->Destroy();
        return false;
    }
    m_pHost = pHost;
    m_pBrowser = pBrowser;
    m_pHost->Bind(wxEVT_DESTROY, &CHtmlCtrl::OnDestroy, this);
    m_pHost->Bind(wxEVT_SIZE, &CHtmlCtrl::OnSize, this);
    m_pHost->Bind(wxEVT_SET_FOCUS, &CHtmlCtrl::OnSetFocus, this);
    m_pHost->Bind(wxEVT_KEY_DOWN, &CHtmlCtrl::OnKeyDown, this);
    m_pBrowser->Bind(wxEVT_WEBVIEW_NAVIGATING, &CHtmlCtrl::OnNavigating, this);
    m_pBrowser->Bind(wxEVT_WEBVIEW_LOADED, &CHtmlCtrl::OnLoaded, this);
    m_pBrowser->Bind(wxEVT_WEBVIEW_NEWWINDOW, &CHtmlCtrl::OnNewWindowEvent, this);
    return true;
}

void CHtmlCtrl::Navigate2(const char* lpszUrl) {
    if (m_pBrowser == nullptr || lpszUrl == nullptr) {
        return;
    }
    // WebKit reports a navigation only once its web process is up, half a second after the
    // view is made; the dialog's start-up waits for the "about:blank" report. Reporting here
    // keeps the order the dialog relies on without that wait.
    bool bCancel = false;
    OnBeforeNavigate2(lpszUrl, bCancel);
    if (!bCancel) {
        m_reported.push_back(lpszUrl);
        m_pBrowser->LoadURL(AnsiToWx(lpszUrl));
    }
}

void CHtmlCtrl::ShowWindow(bool bShow) {
    if (m_pHost != nullptr) {
        m_pHost->Show(bShow);
    }
}

bool CHtmlCtrl::WriteHtml(const char* lpszHtml, const char* lpszAnchor, uint32_t nScrollPos,
                          uint32_t nScrollRange) {
    if (m_pBrowser == nullptr || lpszHtml == nullptr) {
        return false;
    }
    wxString strPage = AnsiToWx(lpszHtml);
    // The positioning script comes after the page's own end; the parser puts it into the body,
    // and it waits for the load so that the page's height is known.
    if (lpszAnchor != nullptr && *lpszAnchor != '\0') {
        strPage += "<script>window.addEventListener('load',function(){var n=" +
                   JsStringLiteral(AnsiToWx(lpszAnchor)) +
                   ",a=document.anchors;for(var i=0;i<a.length;i++){if(a[i].name===n)"
                   "a[i].scrollIntoView(true);}});</script>";
    } else if (nScrollRange != 0) {
        strPage += wxString::Format(
            "<script>window.addEventListener('load',function(){"
            "var e=document.scrollingElement||document.body;if(!e)return;"
            "e.scrollTop=999999999;var h=e.scrollHeight>>>0;"
            "e.scrollTop=Math.floor((Math.imul(h,%u)>>>0)/%u);});</script>",
            static_cast<unsigned>(nScrollPos), static_cast<unsigned>(nScrollRange));
    }
    m_pBrowser->SetPage(strPage, kPageBaseUrl);
    return true;
}

bool CHtmlCtrl::GetSelectedText(std::string& strSelection) {
    if (m_pBrowser == nullptr) {
        return false;
    }
    std::string strText = WxToAnsi(m_pBrowser->GetSelectedText());
    TrimWhiteSpace(strText);
    strSelection = strText;
    return !strSelection.empty();
}

void CHtmlCtrl::OnBeforeNavigate2(const char* lpszUrl, bool& bCancel) {
    wxWindow* pParent = m_pHost != nullptr ? m_pHost->GetParent() : nullptr;
    HtmlLinkInfo info;
    switch (ClassifyNavigation(lpszUrl, info)) {
    case HtmlNavigation::kLink:
        if (pParent != nullptr) {
            SendPrivateMessage(pParent, WM_HTML_LINK, reinterpret_cast<uintptr_t>(&info), 0);
            // Cancelled whatever the parent answered: a link is a message, not a page.
            bCancel = true;
        }
        break;
    case HtmlNavigation::kBlank:
        PostPrivateMessage(pParent, WM_HTML_BLANK, 0, 0);
        break;
    case HtmlNavigation::kBadLink:
    case HtmlNavigation::kOther:
        break;
    }
}

void CHtmlCtrl::OnDocumentComplete(const char* lpszUrl) {
    if (lpszUrl != nullptr && m_pHost != nullptr) {
        SendPrivateMessage(m_pHost->GetParent(), WM_HTML_DOCCOMPLETE,
                           reinterpret_cast<uintptr_t>(this), reinterpret_cast<intptr_t>(lpszUrl));
    }
}

void CHtmlCtrl::OnNewWindow(const char* lpszUrl) {
    const std::string strUrl = lpszUrl != nullptr ? lpszUrl : "";
    if (strUrl.compare(0, 7, "http://") == 0 || strUrl.compare(0, 8, "https://") == 0) {
        OpenInWebBrowser(strUrl);
    }
}

void CHtmlCtrl::OnDestroy(wxWindowDestroyEvent& event) {
    // The browser's own destruction reaches here too, as the event travels to parents.
    if (event.GetEventObject() == m_pHost) {
        m_pBrowser = nullptr;
        m_pHost = nullptr;
    }
    event.Skip();
}

void CHtmlCtrl::OnSize(wxSizeEvent& event) {
    event.Skip();
    if (m_pBrowser != nullptr) {
        m_pBrowser->SetSize(wxRect(wxPoint(0, 0), m_pHost->GetClientSize()));
    }
}

void CHtmlCtrl::OnSetFocus(wxFocusEvent& WXUNUSED(event)) {
    if (m_pBrowser != nullptr) {
        m_pBrowser->SetFocus();
    }
}

void CHtmlCtrl::OnKeyDown(wxKeyEvent& WXUNUSED(event)) {
    // Keys for the page go to the browser window; one that reaches the host itself has no use
    // and is not passed on.
}

void CHtmlCtrl::OnNavigating(wxWebViewEvent& event) {
    const std::string strUrl = WxToAnsi(event.GetURL());
    const auto itReported = std::find(m_reported.begin(), m_reported.end(), strUrl);
    if (itReported != m_reported.end()) {
        m_reported.erase(itReported);
        return;
    }
    bool bCancel = false;
    OnBeforeNavigate2(strUrl.c_str(), bCancel);
    if (bCancel) {
        event.Veto();
    }
}

void CHtmlCtrl::OnLoaded(wxWebViewEvent& event) {
    const std::string strUrl = WxToAnsi(event.GetURL());
    OnDocumentComplete(strUrl.c_str());
}

void CHtmlCtrl::OnNewWindowEvent(wxWebViewEvent& event) {
    // The view itself never opens the window: wx declines it once this handler returns.
    const std::string strUrl = WxToAnsi(event.GetURL());
    OnNewWindow(strUrl.c_str());
}
