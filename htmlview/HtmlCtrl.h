// CHtmlCtrl: the page view, living as an ordinary child control of a dialog.
//
// The object is a member of its dialog and outlives its window: Create makes a host window (the
// control's own window, with the control id) and inside it the page window (an HTML window that
// renders the pages itself), which always covers the host's client area. The page window is
// reached through the control, never by id. When the host window is destroyed the control drops
// both pointers and stays usable as an object without a window.
//
// Navigations are reported to the host's parent with the private messages of
// htmlview/HtmlMessages.h: a link URL (see ClassifyNavigation) is sent as WM_HTML_LINK and then
// cancelled, and sent as WM_HTML_LINKREST when the pointer rests on it; a navigation to exactly
// "about:blank" posts WM_HTML_BLANK; every finished document sends WM_HTML_DOCCOMPLETE. A link
// that asks for a new window (the page footer's) opens in the user's web browser. Nothing else
// is ever loaded: the view shows only what it is given.
//
// Written pages are reported under kPageBaseUrl, a URL of the view's own, so that a written page
// is never taken for a navigation to "about:blank".
#ifndef LEXANO_HTMLVIEW_HTMLCTRL_H
#define LEXANO_HTMLVIEW_HTMLCTRL_H

#include <wx/gdicmn.h>
#include <wx/string.h>

#include <cstdint>
#include <string>

class PageWindow;
class wxWindow;
class wxSizeEvent;
class wxFocusEvent;
class wxKeyEvent;
class wxWindowDestroyEvent;

class CHtmlCtrl {
public:
    // The URL under which written pages are reported. Neither "about:blank" nor a link URL.
    static constexpr const char* kPageBaseUrl = "lexano:entry";

    CHtmlCtrl();
    // Destroys the host window if it still exists.
    virtual ~CHtmlCtrl();
    CHtmlCtrl(const CHtmlCtrl&) = delete;
    CHtmlCtrl& operator=(const CHtmlCtrl&) = delete;

    // Creates the host window as a child of pParentWnd with id nID over rect (parent client
    // coordinates), visible when dwStyle has kWsVisible, and the page window inside it. The
    // class name, window name and creation context have no meaning outside Windows and are
    // ignored. Returns true on success; on failure no window is left behind.
    // REQUIRES: no window yet.
    bool Create(const char* lpszClassName, const char* lpszWindowName, uint32_t dwStyle,
                const wxRect& rect, wxWindow* pParentWnd, int nID, void* pContext);

    // Starts a navigation to lpszUrl (1252). Its start is reported (OnBeforeNavigate2) before
    // this returns; "about:blank", unless cancelled, then shows the empty document and reports
    // it complete. Any other URL is not loaded. Does nothing without a page window.
    void Navigate2(const char* lpszUrl);

    // Shows (true) or hides (false) the host window; nothing without a window.
    void ShowWindow(bool bShow);

    // Replaces the whole document by lpszHtml (1252; empty gives an empty document) and shows
    // its top. Then, when lpszAnchor is neither null nor empty, the last anchor of that name is
    // brought to the top; otherwise, when nScrollRange is not 0, the page is scrolled to
    // nScrollPos * height / nScrollRange of its height (the product modulo 2^32). The document's
    // completion is reported once this call has returned and the current event is handled.
    // True once the page is shown; false, with nothing written, when lpszHtml is null or there
    // is no page window.
    bool WriteHtml(const char* lpszHtml, const char* lpszAnchor, uint32_t nScrollPos,
                   uint32_t nScrollRange);

    // Parses lpszHtml (1252) ahead of a WriteHtml of exactly that text, which then shows it
    // without parsing it again; only the last page prepared is kept. Nothing is shown.
    void PreparePage(const char* lpszHtml);

    // Sets strSelection to the text selected in the shown page, in 1252 (characters it lacks
    // become '?') and without white space at either end; with nothing selected that is the
    // empty text. True when it is not empty. Without a page window strSelection is left
    // untouched and the result is false.
    bool GetSelectedText(std::string& strSelection);

    // The command id that "Look up" in the page's right-click menu sends to the host's parent,
    // as a button click (wxEVT_BUTTON); 0, the default, sends nothing.
    void SetLookUpCommandId(int nCommandId) { m_nLookUpCommandId = nCommandId; }

    // The host window and the page window; null before Create and after the host was destroyed.
    wxWindow* GetHostWindow() const { return m_pHost; }
    PageWindow* GetBrowser() const { return m_pBrowser; }

protected:
    // A navigation starts. Sets bCancel to stop it.
    virtual void OnBeforeNavigate2(const char* lpszUrl, bool& bCancel);
    // The document at lpszUrl (null when unknown) finished loading.
    virtual void OnDocumentComplete(const char* lpszUrl);
    // A link asked for a new window: opens lpszUrl (1252) in the user's web browser when it is
    // an http or https address, and nothing else.
    virtual void OnNewWindow(const char* lpszUrl);

private:
    void OnDestroy(wxWindowDestroyEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnLinkClicked(const wxString& strHref, const wxString& strTarget);
    void OnLinkRest(const std::string& strHref);
    void OnLookUp();
    // Reports the document at strUrl complete once the current event has been handled.
    void ReportDocumentComplete(const std::string& strUrl);

    wxWindow* m_pHost = nullptr;
    PageWindow* m_pBrowser = nullptr;
    int m_nLookUpCommandId = 0;
};

#endif
