// Dialog windows made from the templates of res/Templates.h.
#ifndef LEXANO_PLATFORM_DIALOGTEMPLATE_H
#define LEXANO_PLATFORM_DIALOGTEMPLATE_H

#include <wx/dialog.h>

#include <cstdint>
#include <functional>

#include "res/Templates.h"

// Makes the control of one template item, for a dialog that uses its own class for it (the
// word list). Returns null to let the layer create the standard control.
using ControlFactory = std::function<wxWindow*(wxWindow* pParent, const DialogItem& item,
                                               const wxPoint& pt, const wxSize& size)>;

// Creates pDialog's window from template nTemplateId, with the controls of the template placed
// by its dialog units (converted with the dialog's font), and centres it when the template asks.
// A template with kWsThickFrame gives a resizable window (with kWsMaximizeBox, maximisable too)
// whose smallest client size is the template's; placing the controls at other sizes is the
// dialog's own business.
// Template ids IDOK and IDCANCEL become wxID_OK and wxID_CANCEL. False when the template does
// not exist or the window cannot be created.
// REQUIRES: pDialog was constructed without a window.
bool CreateDialogFromTemplate(wxDialog* pDialog, int nTemplateId, wxWindow* pParent,
                              const ControlFactory& factory = ControlFactory());

// wx style flags of a list view template item.
long ListStyleFromTemplate(uint32_t dwStyle);

#endif
