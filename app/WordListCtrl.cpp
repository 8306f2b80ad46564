#include "app/WordListCtrl.h"

WordListCtrl::WordListCtrl(wxWindow* pParent, wxWindowID nId, const wxPoint& pt,
                           const wxSize& size, long nStyle)
    : ListViewCtrl(pParent, nId, pt, size, nStyle) {
    ShowScrollbars(wxSHOW_SB_NEVER, wxSHOW_SB_DEFAULT);
}
