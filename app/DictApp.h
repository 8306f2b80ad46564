// DictApp: the application. It runs the main dialog modally and ends the program when the
// dialog's window is gone; the dialog's modal loop is the program's only event loop.
#ifndef LEXANO_APP_DICTAPP_H
#define LEXANO_APP_DICTAPP_H

#include <wx/app.h>

#include "app/LookupRequest.h"

class SingleInstance;

class DictApp : public wxApp {
public:
    // Runs InitInstance. The toolkit parses no command line: main has read it.
    bool OnInit() override;

    // Builds and runs the main dialog until a close request ends it. Returns false: there is
    // nothing left to run afterwards.
    bool InitInstance();

    // Before OnInit: what the command line asks the window to look up, and the one-window lock
    // of this start, whose window then takes the requests of later starts (may be null).
    void SetStart(const LookupRequest& request, SingleInstance* pInstance) {
        m_startRequest = request;
        m_pInstance = pInstance;
    }

private:
    LookupRequest m_startRequest;
    SingleInstance* m_pInstance = nullptr;
};

wxDECLARE_APP(DictApp);

// What main does before the toolkit starts: answers --help, --version and wrong usage, and
// hands the request of the command line to the window already open on this display. Returns
// the exit status when the program has nothing more to do, or -1 when it must open its window;
// then request holds what to look up, and instance holds the one-window lock when this start
// took it.
int RunCommandLine(int argc, char** argv, LookupRequest& request, SingleInstance& instance);

#endif
