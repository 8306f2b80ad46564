#include "app/WordListCtrl.h"

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>
#endif

WordListCtrl::WordListCtrl(wxWindow* pParent, wxWindowID nId, const wxPoint& pt,
                           const wxSize& size, long nStyle)
    : ListViewCtrl(pParent, nId, pt, size, nStyle) {
#ifndef __WXMSW__
    ShowScrollbars(wxSHOW_SB_NEVER, wxSHOW_SB_DEFAULT);
#endif
}

#ifdef __WXMSW__
WXLRESULT WordListCtrl::MSWWindowProc(WXUINT nMsg, WXWPARAM wParam, WXLPARAM lParam) {
    if (nMsg == WM_NCCALCSIZE) {
        const HWND hWnd = static_cast<HWND>(GetHWND());
        const LONG_PTR nStyle = ::GetWindowLongPtr(hWnd, GWL_STYLE);
        if (nStyle & WS_HSCROLL) {
            ::SetWindowLongPtr(hWnd, GWL_STYLE, nStyle & ~static_cast<LONG_PTR>(WS_HSCROLL));
        }
    }
    return ListViewCtrl::MSWWindowProc(nMsg, wParam, lParam);
}
#endif
