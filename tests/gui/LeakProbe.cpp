// A window program that loses memory on purpose inside an event handler that the toolkit's main
// loop runs, the way every handler of the dictionary runs. Under LeakSanitizer with the
// project's suppressions its leak must still be reported: the suppressions may cover only the
// libraries' own start-up allocations, never a handler's.
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/timer.h>

#include <cstdio>

#include "platform/Environment.h"

namespace {

char* volatile g_pLost = nullptr;

void LeakingHandler(wxTimerEvent& WXUNUSED(event)) {
    g_pLost = new char[4321];
    g_pLost = nullptr;  // the only pointer to the block is gone
    wxEventLoopBase::GetActive()->Exit(0);
}

}  // namespace

int main(int argc, char** argv) {
    PrepareToolkitEnvironment();
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        std::fputs("leak probe: no display\n", stderr);
        return 1;
    }
    {
        wxFrame* pFrame = new wxFrame(nullptr, wxID_ANY, "leak probe");
        pFrame->Show();
        wxTimer timer;
        timer.Bind(wxEVT_TIMER, &LeakingHandler);
        timer.StartOnce(50);
        wxEventLoop loop;
        loop.Run();
        pFrame->Destroy();
    }
    wxEntryCleanup();
    return 0;
}
