#include "app/DictApp.h"

#include <wx/init.h>
#include <wx/log.h>

#include "app/MainDialog.h"
#include "platform/Assertions.h"
#include "platform/Clipboard.h"
#include "platform/Environment.h"

wxIMPLEMENT_APP_NO_MAIN(DictApp);

bool DictApp::OnInit() {
    return InitInstance();
}

bool DictApp::InitInstance() {
    MainDialog dlg;
    SetTopWindow(&dlg);
    dlg.DoModal();
    return false;
}

int main(int argc, char** argv) {
    LogToolkitAssertions();
    PrepareToolkitEnvironment();
    bool bStarted = false;
    {
        // Without a display the toolkit would report in its own words; one line of ours says
        // what is missing.
        wxLogNull noLog;
        bStarted = wxEntryStart(argc, argv);
    }
    if (!bStarted) {
        ReportStartFailure();
        return 1;
    }
    wxTheApp->CallOnInit();
    ReleaseClipboards();
    wxEntryCleanup();
    return 0;
}
