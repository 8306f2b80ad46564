// DictApp: the application. It runs the main dialog modally and ends the program when the
// dialog's window is gone; the dialog's modal loop is the program's only event loop.
#ifndef LEXANO_APP_DICTAPP_H
#define LEXANO_APP_DICTAPP_H

#include <wx/app.h>

class DictApp : public wxApp {
public:
    // Runs InitInstance. The command line is not parsed: the program takes no arguments.
    bool OnInit() override;

    // Builds and runs the main dialog until a close request ends it. Returns false: there is
    // nothing left to run afterwards.
    bool InitInstance();
};

wxDECLARE_APP(DictApp);

#endif
