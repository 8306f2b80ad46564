#include "htmlview/HtmlCtrl.h"

#include <wx/window.h>

#include <algorithm>
#include <string>

#include "htmlview/HtmlLink.h"
#include "htmlview/PageWindow.h"
#include "platform/AnsiText.h"
#include "platform/Environment.h"
#include "platform/LookupText.h"
#include "platform/PrivateMessage.h"
#include "res/Templates.h"

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
    m_pHost = pHost;
    m_pBrowser = new PageWindow(pHost, pHost->GetClientSize());
    m_pBrowser->SetLinkHandler([this](const wxString& strHref, const wxString& strTarget) {
        OnLinkClicked(strHref, strTarget);
    });
    m_pBrowser->SetLookUpHandler([this] { OnLookUp(); });
    m_pBrowser->SetLinkRestHandler(
        [this](const wxString& strHref) { OnLinkRest(WxToAnsi(strHref)); });
    m_pHost->Bind(wxEVT_DESTROY, &CHtmlCtrl::OnDestroy, this);
    m_pHost->Bind(wxEVT_SIZE, &CHtmlCtrl::OnSize, this);
    m_pHost->Bind(wxEVT_SET_FOCUS, &CHtmlCtrl::OnSetFocus, this);
    m_pHost->Bind(wxEVT_KEY_DOWN, &CHtmlCtrl::OnKeyDown, this);
    return true;
}

void CHtmlCtrl::Navigate2(const char* lpszUrl) {
    if (m_pBrowser == nullptr || lpszUrl == nullptr) {
        return;
    }
    bool bCancel = false;
    OnBeforeNavigate2(lpszUrl, bCancel);
    if (!bCancel && std::string(lpszUrl) == "about:blank") {
        m_pBrowser->ShowPage(wxString());
        ReportDocumentComplete(lpszUrl);
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
    m_pBrowser->ShowPage(AnsiToWx(lpszHtml));
    if (lpszAnchor != nullptr && *lpszAnchor != '\0') {
        m_pBrowser->ScrollToLastAnchor(AnsiToWx(lpszAnchor));
    } else if (nScrollRange != 0) {
        const uint32_t nHeight = static_cast<uint32_t>(m_pBrowser->GetPageHeight());
        // Unsigned 32-bit arithmetic: the product wraps as the document's scroll height would.
        const uint32_t nTop = static_cast<uint32_t>(nHeight * nScrollPos) / nScrollRange;
        m_pBrowser->ScrollToPixel(static_cast<int>(std::min<uint32_t>(nTop, 0x7FFFFFFF)));
    }
    // Painted now rather than at the toolkit's next frame: the page is what the user waits for.
    PaintNow(m_pBrowser);
    ReportDocumentComplete(kPageBaseUrl);
    return true;
}

void CHtmlCtrl::PreparePage(const char* lpszHtml) {
    if (m_pBrowser != nullptr && lpszHtml != nullptr) {
        m_pBrowser->PreparePage(AnsiToWx(lpszHtml));
    }
}

bool CHtmlCtrl::GetSelectedText(std::string& strSelection) {
    if (m_pBrowser == nullptr) {
        return false;
    }
    std::string strText = WxToAnsi(m_pBrowser->SelectionToText());
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

void CHtmlCtrl::OnLinkClicked(const wxString& strHref, const wxString& strTarget) {
    const std::string strUrl = WxToAnsi(strHref);
    if (strTarget == "_blank") {
        OnNewWindow(strUrl.c_str());
        return;
    }
    // A link in the page is a navigation like any other.
    Navigate2(strUrl.c_str());
}

void CHtmlCtrl::OnLinkRest(const std::string& strHref) {
    wxWindow* pParent = m_pHost != nullptr ? m_pHost->GetParent() : nullptr;
    HtmlLinkInfo info;
    if (pParent != nullptr && ClassifyNavigation(strHref.c_str(), info) == HtmlNavigation::kLink) {
        SendPrivateMessage(pParent, WM_HTML_LINKREST, reinterpret_cast<uintptr_t>(&info), 0);
    }
}

void CHtmlCtrl::OnLookUp() {
    wxWindow* pParent = m_pHost != nullptr ? m_pHost->GetParent() : nullptr;
    if (pParent == nullptr || m_nLookUpCommandId == 0) {
        return;
    }
    wxCommandEvent event(wxEVT_BUTTON, m_nLookUpCommandId);
    event.SetEventObject(m_pHost);
    pParent->GetEventHandler()->ProcessEvent(event);
}

void CHtmlCtrl::ReportDocumentComplete(const std::string& strUrl) {
    // Queued on the host: if the host goes first, the report goes with it.
    m_pHost->CallAfter([this, strUrl] { OnDocumentComplete(strUrl.c_str()); });
}

void CHtmlCtrl::OnDestroy(wxWindowDestroyEvent& event) {
    // The page window's own destruction reaches here too, as the event travels to parents.
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
    // Keys for the page go to the page window; one that reaches the host itself has no use and
    // is not passed on.
}
