// The owner-data list view of the platform layer: a virtual wx list that, like a Windows list
// view with LVS_OWNERDATA, stores no rows and asks its parent for a row's text each time it
// draws it (LVN_GETDISPINFO), and that tells its parent of every click (NM_CLICK).
#ifndef LEXANO_PLATFORM_LISTVIEWCTRL_H
#define LEXANO_PLATFORM_LISTVIEWCTRL_H

#include <wx/listctrl.h>

#include <cstdint>

// What the list asks for in LVN_GETDISPINFO. The handler fills pszText with at most
// cchTextMax - 1 bytes of 1252 text and a terminator; the buffer starts as the empty string.
struct LvDispInfo {
    static constexpr unsigned kLvifText = 0x0001;
    unsigned mask = kLvifText;
    long iItem = 0;
    long iSubItem = 0;
    char* pszText = nullptr;
    int cchTextMax = 0;
};

// A list notification to the list's parent; the event id is the list's id. For
// wxEVT_LVN_GETDISPINFO, GetDispInfo() is the request (valid while handled); for wxEVT_NM_CLICK
// it is null. Not passed on to further parents.
class ListNotifyEvent : public wxEvent {
public:
    ListNotifyEvent(wxEventType nType = wxEVT_NULL, int nId = 0, LvDispInfo* pInfo = nullptr)
        : wxEvent(nId, nType), m_pInfo(pInfo) {}
    wxEvent* Clone() const override { return new ListNotifyEvent(*this); }
    LvDispInfo* GetDispInfo() const { return m_pInfo; }

private:
    LvDispInfo* m_pInfo;
};

wxDECLARE_EVENT(wxEVT_LVN_GETDISPINFO, ListNotifyEvent);
wxDECLARE_EVENT(wxEVT_NM_CLICK, ListNotifyEvent);

typedef void (wxEvtHandler::*ListNotifyEventFunction)(ListNotifyEvent&);
#define ListNotifyEventHandler(func) wxEVENT_HANDLER_CAST(ListNotifyEventFunction, func)
#define EVT_LVN_GETDISPINFO(id, func) \
    wx__DECLARE_EVT1(wxEVT_LVN_GETDISPINFO, id, ListNotifyEventHandler(func))
#define EVT_NM_CLICK(id, func) wx__DECLARE_EVT1(wxEVT_NM_CLICK, id, ListNotifyEventHandler(func))

class ListViewCtrl : public wxListView {
public:
    // Extended list styles (Windows values) for SetExtendedStyle.
    static constexpr uint32_t kLvsExGridLines = 0x01;
    static constexpr uint32_t kLvsExFullRowSelect = 0x20;
    // Size of the text buffer of a LVN_GETDISPINFO request, terminator included.
    static constexpr int kTextMax = 260;

    // nStyle: wx list styles, for an owner-data list wxLC_REPORT | wxLC_VIRTUAL.
    ListViewCtrl(wxWindow* pParent, wxWindowID nId, const wxPoint& pt, const wxSize& size,
                 long nStyle);

    // Replaces the extended styles by dwExStyle. Grid lines become row and column rules; rows
    // are always selected whole in wx.
    void SetExtendedStyle(uint32_t dwExStyle);

protected:
    wxString OnGetItemText(long nItem, long nColumn) const override;
#ifdef __WXMSW__
    // The native list reports its clicks itself (NM_CLICK): they are passed on as they come.
    bool MSWOnNotify(int nCtrlId, WXLPARAM lParam, WXLPARAM* pResult) override;
#endif

private:
    void NotifyClick();
    void OnClientLeftDown(wxMouseEvent& event);
    void OnClientLeftUp(wxMouseEvent& event);

    bool m_bLeftDown = false;  // a left button press inside the list is waiting for its release
};

#endif
