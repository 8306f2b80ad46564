// The About box: the program's icon, name and version, and a notice line. It has no state and
// closes with OK, Escape or its close box.
#ifndef LEXANO_APP_ABOUTDIALOG_H
#define LEXANO_APP_ABOUTDIALOG_H

#include <wx/dialog.h>

class AboutDialog : public wxDialog {
public:
    // Constructs the dialog object without a window.
    AboutDialog() = default;

    // Creates the window over pParent and runs it modally; returns the end code, or -1 when the
    // window could not be created.
    int DoModal(wxWindow* pParent);
};

#endif
