#include "platform/ListViewCtrl.h"

#include "platform/AnsiText.h"

#ifdef __WXMSW__
#include <wx/msw/wrapcctl.h>
#endif

wxDEFINE_EVENT(wxEVT_LVN_GETDISPINFO, ListNotifyEvent);
wxDEFINE_EVENT(wxEVT_NM_CLICK, ListNotifyEvent);

ListViewCtrl::ListViewCtrl(wxWindow* pParent, wxWindowID nId, const wxPoint& pt,
                           const wxSize& size, long nStyle)
    : wxListView(pParent, nId, pt, size, nStyle) {
    // The generic list draws, and is clicked, in a client window of its own; without a header
    // it is the list's only child. The native one of MSW has none and sends NM_CLICK instead.
    for (wxWindow* pChild : GetChildren()) {
        pChild->Bind(wxEVT_LEFT_DOWN, &ListViewCtrl::OnClientLeftDown, this);
        pChild->Bind(wxEVT_LEFT_UP, &ListViewCtrl::OnClientLeftUp, this);
    }
}

void ListViewCtrl::SetExtendedStyle(uint32_t dwExStyle) {
    long nStyle = GetWindowStyleFlag() & ~(wxLC_HRULES | wxLC_VRULES);
    if (dwExStyle & kLvsExGridLines) {
        nStyle |= wxLC_HRULES | wxLC_VRULES;
    }
    SetWindowStyleFlag(nStyle);
}

wxString ListViewCtrl::OnGetItemText(long nItem, long nColumn) const {
    char szText[kTextMax] = {};
    LvDispInfo info;
    info.iItem = nItem;
    info.iSubItem = nColumn;
    info.pszText = szText;
    info.cchTextMax = kTextMax;
    ListNotifyEvent event(wxEVT_LVN_GETDISPINFO, GetId(), &info);
    event.SetEventObject(const_cast<ListViewCtrl*>(this));
    if (wxWindow* pParent = GetParent()) {
        pParent->GetEventHandler()->ProcessEvent(event);
    }
    // Whatever the handler did, the text ends inside the buffer.
    szText[kTextMax - 1] = '\0';
    return AnsiToWx(szText);
}

void ListViewCtrl::OnClientLeftDown(wxMouseEvent& event) {
    m_bLeftDown = true;
    event.Skip();  // the list selects the row under the mouse
}

void ListViewCtrl::OnClientLeftUp(wxMouseEvent& event) {
    event.Skip();
    if (!m_bLeftDown) {
        return;
    }
    m_bLeftDown = false;
    NotifyClick();
}

#ifdef __WXMSW__
bool ListViewCtrl::MSWOnNotify(int nCtrlId, WXLPARAM lParam, WXLPARAM* pResult) {
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    const bool bFromList = pHeader->hwndFrom == static_cast<HWND>(GetHWND());
    if (bFromList && pHeader->code == static_cast<UINT>(NM_CLICK)) {
        NotifyClick();
    }
    return wxListView::MSWOnNotify(nCtrlId, lParam, pResult);
}
#endif

void ListViewCtrl::NotifyClick() {
    ListNotifyEvent notify(wxEVT_NM_CLICK, GetId());
    notify.SetEventObject(this);
    if (wxWindow* pParent = GetParent()) {
        pParent->GetEventHandler()->ProcessEvent(notify);
    }
}
