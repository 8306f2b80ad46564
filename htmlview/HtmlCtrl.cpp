#include "htmlview/HtmlCtrl.h"

#include <wx/webview.h>
#include <wx/window.h>

#include <string>

#include "app/Platform.h"
#include "htmlview/HtmlLink.h"

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
    return true;
}

void CHtmlCtrl::Navigate2(const char* lpszUrl) {
    if (m_pBrowser != nullptr && lpszUrl != nullptr) {
        m_pBrowser->LoadURL(AnsiToWx(lpszUrl));
    }
}

void CHtmlCtrl::ShowWindow(bool bShow) {
    if (m_pHost != nullptr) {
        m_pHost->Show(bShow);
    }
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
