// CHtmlCtrl: a web view that lives as an ordinary child control of a dialog.
//
// The object is a member of its dialog and outlives its window: Create makes a host window (the
// control's own window, with the control id) and inside it the browser window, which always
// covers the host's client area. The browser is reached through the control, never by id (wx
// ids end below 32767, so the Windows view id 0xE900 cannot be used). When the host window is
// destroyed the control drops both pointers and stays usable as an object without a window.
//
// Navigations are reported to the host's parent with the private messages of
// htmlview/HtmlMessages.h: a link URL (see ClassifyNavigation) is sent as WM_HTML_LINK and then
// cancelled; a navigation to exactly "about:blank" posts WM_HTML_BLANK; every finished document
// sends WM_HTML_DOCCOMPLETE. A link that asks for a new window (the page footer's) opens in the
// user's web browser, never in the view.
//
// Pages are written as the document's whole content under kPageBaseUrl, a URL of the view's own,
// so that a written page is never taken for a navigation to "about:blank".
#ifndef LEXANO_HTMLVIEW_HTMLCTRL_H
#define LEXANO_HTMLVIEW_HTMLCTRL_H

#include <wx/gdicmn.h>

#include <cstdint>
#include <string>
#include <vector>

class wxWebView;
class wxWindow;
class wxSizeEvent;
class wxFocusEvent;
class wxKeyEvent;
class wxWindowDestroyEvent;
class wxWebViewEvent;

class CHtmlCtrl {
public:
    // The URL under which written pages are shown. Neither "about:blank" nor a link URL.
    static constexpr const char* kPageBaseUrl = "lexano:entry";

    CHtmlCtrl();
    // Destroys the host window if it still exists.
    virtual ~CHtmlCtrl();
    CHtmlCtrl(const CHtmlCtrl&) = delete;
    CHtmlCtrl& operator=(const CHtmlCtrl&) = delete;

    // Creates the host window as a child of pParentWnd with id nID over rect (parent client
    // coordinates), visible when dwStyle has kWsVisible, and the browser inside it. The class
    // name, window name and creation context have no meaning outside Windows and are ignored.
    // Returns true on success; on failure no window is left behind.
    // REQUIRES: no window yet.
    bool Create(const char* lpszClassName, const char* lpszWindowName, uint32_t dwStyle,
                const wxRect& rect, wxWindow* pParentWnd, int nID, void* pContext);

    // Starts a navigation of the browser to lpszUrl (1252). Does nothing without a browser.
    // The start of the navigation is reported (OnBeforeNavigate2) before this returns, as the
    // Windows browser control does; a cancelled one does not go ahead.
    void Navigate2(const char* lpszUrl);

    // Shows (true) or hides (false) the host window; nothing without a window.
    void ShowWindow(bool bShow);

    // Replaces the whole document by lpszHtml (1252; empty gives an empty document). Once the
    // page has loaded, every anchor named lpszAnchor is brought into view in turn, so the last
    // one wins; when lpszAnchor is null or empty and nScrollRange is not 0, the page is instead
    // scrolled to nScrollPos * height / nScrollRange of its height (product modulo 2^32). The
    // positioning runs inside the page: this call never waits for a script, so no handler of
    // the parent runs during it. True once the page has been handed to the browser, which shows
    // it a moment later; false, with nothing written, when lpszHtml is null or there is no
    // browser.
    bool WriteHtml(const char* lpszHtml, const char* lpszAnchor, uint32_t nScrollPos,
                   uint32_t nScrollRange);

    // Sets strSelection to the text selected in the shown page, in 1252 (characters it lacks
    // become '?') and without white space at either end; with nothing selected that is the
    // empty text. True when it is not empty. Without a browser strSelection is left untouched
    // and the result is false.
    bool GetSelectedText(std::string& strSelection);

    // The host window and the browser; null before Create and after the host was destroyed.
    wxWindow* GetHostWindow() const { return m_pHost; }
    wxWebView* GetBrowser() const { return m_pBrowser; }

protected:
    // The browser's navigation start. Sets bCancel to stop the navigation.
    virtual void OnBeforeNavigate2(const char* lpszUrl, bool& bCancel);
    // The browser finished loading the document at lpszUrl (null when unknown).
    virtual void OnDocumentComplete(const char* lpszUrl);
    // A link asked for a new window: opens lpszUrl (1252) in the user's web browser when it is
    // an http or https address, and nothing else.
    virtual void OnNewWindow(const char* lpszUrl);

private:
    void OnDestroy(wxWindowDestroyEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnNavigating(wxWebViewEvent& event);
    void OnLoaded(wxWebViewEvent& event);
    void OnNewWindowEvent(wxWebViewEvent& event);

    wxWindow* m_pHost = nullptr;
    wxWebView* m_pBrowser = nullptr;
    // URLs whose navigation Navigate2 has already reported; the browser's own report of each,
    // which comes later from its web process, is passed over once.
    std::vector<std::string> m_reported;
};

#endif
