#include "platform/DialogTemplate.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <vector>

#include "platform/AnsiText.h"
#include "platform/Environment.h"
#include "platform/TabCtrl.h"
#include "res/resource.h"

namespace {

wxWindowID ControlIdFromTemplate(int nId) {
    switch (nId) {
    case kIdOk:
        return wxID_OK;
    case kIdCancel:
        return wxID_CANCEL;
    case IDC_STATIC:
        return wxID_ANY;
    default:
        return nId;
    }
}

long BorderFromTemplate(uint32_t dwStyle) {
    return (dwStyle & kWsBorder) ? wxBORDER_THEME : wxBORDER_NONE;
}

wxWindow* CreateStandardControl(wxWindow* pParent, const DialogItem& item, const wxPoint& pt,
                                const wxSize& size) {
    const wxWindowID nId = ControlIdFromTemplate(item.nId);
    const wxString strText = AnsiToWx(item.lpszText);
    switch (item.nClass) {
    case ControlClass::kEdit:
        return new wxTextCtrl(pParent, nId, strText, pt, size, BorderFromTemplate(item.dwStyle));
    case ControlClass::kListView:
        return new wxListView(pParent, nId, pt, size, ListStyleFromTemplate(item.dwStyle));
    case ControlClass::kButton: {
        wxButton* pButton = new wxButton(pParent, nId, strText, pt, size, wxBU_EXACTFIT);
        if (item.dwStyle & kBsDefPushButton) {
            pButton->SetDefault();
        }
        return pButton;
    }
    case ControlClass::kTab:
        return new TabCtrl(pParent, nId, pt, size);
    case ControlClass::kStatic:
        if ((item.dwStyle & 0x1F) == kSsIcon) {
            const wxIcon icon = LoadAppIcons().GetIcon(32);
            return new wxStaticBitmap(pParent, nId, icon, pt, icon.GetSize());
        }
        return new wxStaticText(pParent, nId, strText, pt, size);
    }
    return nullptr;
}

}  // namespace

long ListStyleFromTemplate(uint32_t dwStyle) {
    long nStyle = BorderFromTemplate(dwStyle);
    if (dwStyle & kLvsReport) nStyle |= wxLC_REPORT;
    if (dwStyle & kLvsSingleSel) nStyle |= wxLC_SINGLE_SEL;
    if (dwStyle & kLvsOwnerData) nStyle |= wxLC_VIRTUAL;
    if (dwStyle & kLvsNoColumnHeader) nStyle |= wxLC_NO_HEADER;
    // Selections always show in wx lists, so LVS_SHOWSELALWAYS needs no flag.
    return nStyle;
}

namespace {

// Creates pDialog's window with the template's caption, frame styles and client size.
bool CreateTemplateWindow(wxDialog* pDialog, const DialogTemplate& dlgTemplate, wxWindow* pParent) {
    long nStyle = 0;
    if (dlgTemplate.dwStyle & kWsCaption) nStyle |= wxCAPTION;
    if (dlgTemplate.dwStyle & kWsSysMenu) nStyle |= wxSYSTEM_MENU | wxCLOSE_BOX;
    if (dlgTemplate.dwStyle & kWsThickFrame) nStyle |= wxRESIZE_BORDER;
    if (dlgTemplate.dwStyle & kWsMaximizeBox) nStyle |= wxMAXIMIZE_BOX;
    // A parentless wx dialog has its own taskbar entry already, which is WS_EX_APPWINDOW.
    if (!pDialog->Create(pParent, wxID_ANY, AnsiToWx(dlgTemplate.lpszCaption), wxDefaultPosition,
                         wxDefaultSize, nStyle)) {
        return false;
    }
    const wxSize sizeClient =
        pDialog->ConvertDialogToPixels(wxSize(dlgTemplate.cx, dlgTemplate.cy));
    pDialog->SetClientSize(sizeClient);
    // A resizable dialog opens at the template's size, which is also its smallest.
    if (dlgTemplate.dwStyle & kWsThickFrame) {
        pDialog->SetMinClientSize(sizeClient);
    }
    return true;
}

// Creates the template's controls in pDialog; the result holds them in template order, null for
// an item that made none.
std::vector<wxWindow*> CreateTemplateControls(wxDialog* pDialog, const DialogTemplate& dlgTemplate,
                                              const ControlFactory& factory) {
    // GTK paints siblings in the order they were made, the last on top, and a notebook paints
    // its whole tab row. Windows tab controls paint only their tabs, so the controls that the
    // template lays over a tab row must be made after it: tab controls come first here.
    std::vector<wxWindow*> controls(dlgTemplate.nItems, nullptr);
    for (int nPass = 0; nPass < 2; ++nPass) {
        for (int i = 0; i < dlgTemplate.nItems; ++i) {
            const DialogItem& item = dlgTemplate.pItems[i];
            if ((item.nClass == ControlClass::kTab) != (nPass == 0)) {
                continue;
            }
            const wxPoint pt = pDialog->ConvertDialogToPixels(wxPoint(item.x, item.y));
            const wxSize size = pDialog->ConvertDialogToPixels(wxSize(item.cx, item.cy));
            wxWindow* pControl = factory ? factory(pDialog, item, pt, size) : nullptr;
            if (pControl == nullptr) {
                pControl = CreateStandardControl(pDialog, item, pt, size);
            }
            if (pControl != nullptr && !(item.dwStyle & kWsVisible)) {
                pControl->Hide();
            }
            controls[i] = pControl;
        }
    }
    return controls;
}

// Puts the keyboard order of controls back to their order in the list.
void SetTabOrder(const std::vector<wxWindow*>& controls) {
    wxWindow* pPrevious = nullptr;
    for (wxWindow* pControl : controls) {
        if (pControl == nullptr) {
            continue;
        }
        if (pPrevious != nullptr) {
            pControl->MoveAfterInTabOrder(pPrevious);
        }
        pPrevious = pControl;
    }
}

}  // namespace

bool CreateDialogFromTemplate(wxDialog* pDialog, int nTemplateId, wxWindow* pParent,
                              const ControlFactory& factory) {
    const DialogTemplate* pTemplate = FindDialogTemplate(nTemplateId);
    if (pTemplate == nullptr || !CreateTemplateWindow(pDialog, *pTemplate, pParent)) {
        return false;
    }
    SetTabOrder(CreateTemplateControls(pDialog, *pTemplate, factory));
    if (pTemplate->dwStyle & kDsCenter) {
        pDialog->Centre(wxBOTH);
    }
    return true;
}
