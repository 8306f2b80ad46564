// The private messages of the dictionary window and the record that travels with a link.
//
// Four go from the HTML view to its parent, two from the main dialog to itself. "Sent" means
// handled before the sender goes on; "posted" means queued and handled later from the event
// loop. Every handler answers 0. The numbers are WM_USER-based so that a Windows build can pass
// them through the native message queue unchanged.
#ifndef LEXANO_HTMLVIEW_HTMLMESSAGES_H
#define LEXANO_HTMLVIEW_HTMLMESSAGES_H

#include <cstdint>
#include <string>

constexpr int kWmUser = 1024;

// Sent by the view when a navigation to a link URL begins. wParam: address of an HtmlLinkInfo,
// valid only while the message is handled; lParam 0. The view then cancels the navigation.
constexpr int WM_HTML_LINK = kWmUser + 10;         // 1034
// Sent by the view when the pointer has come to rest on a link URL, or the link focus moved to
// one (see PageWindow::kLinkRestMs): what the link opens is likely to be asked for next, and the
// parent may have it prepared (CHtmlCtrl::PreparePage). wParam: address of an HtmlLinkInfo, valid
// only while the message is handled; lParam 0. Nothing is shown.
constexpr int WM_HTML_LINKREST = kWmUser + 11;     // 1035
// Sent by the view when a document with a known URL finished loading. wParam: address of the
// CHtmlCtrl; lParam: address of the URL as zero-terminated 8-bit text, valid while handled.
constexpr int WM_HTML_DOCCOMPLETE = kWmUser + 20;  // 1044
// Posted by the view when a navigation to exactly "about:blank" begins. Both parameters 0.
constexpr int WM_HTML_BLANK = kWmUser + 60;        // 1084
// Posted by the main dialog to itself: Enter pressed while the search box has the focus.
constexpr int WM_SEARCH_ENTER = kWmUser + 61;      // 1085
// Posted by the main dialog to itself: Backspace pressed, wherever the focus is.
constexpr int WM_BACK_KEY = kWmUser + 62;          // 1086

// What a link URL "...<first:second:third>text" carries. The numbers hold the 32-bit unsigned
// result of their conversion; strText is everything after the first ">" that closes the fields,
// and may itself contain "<", ":" and ">".
struct HtmlLinkInfo {
    uint32_t nFirst = 0;
    uint32_t nSecond = 0;
    uint32_t nThird = 0;
    std::string strText;
};

#endif
