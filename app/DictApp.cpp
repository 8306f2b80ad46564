#include "app/DictApp.h"

#include <wx/init.h>
#include <wx/log.h>

#include "app/MainDialog.h"
#include "app/RequestRouter.h"
#include "app/SingleInstance.h"
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
    RequestRouter requests(dlg);
    requests.SetStartupRequest(m_startRequest);
    if (m_pInstance != nullptr) {
        m_pInstance->StartServing(
            [&requests](const LookupRequest& request) { requests.OnHandedOver(request); });
    }
    dlg.DoModal();
    if (m_pInstance != nullptr) {
        m_pInstance->Release();
    }
    return false;
}

int main(int argc, char** argv) {
    LogToolkitAssertions();
    LookupRequest request;
    SingleInstance instance;
    const int nStatus = RunCommandLine(argc, argv, request, instance);
    if (nStatus >= 0) {
        return nStatus;
    }
    PrepareToolkitEnvironment();
    bool bStarted = false;
    {
        // Without a display the toolkit would report in its own words; one line of ours says
        // what is missing. The toolkit gets the program's name only: the arguments are ours.
        wxLogNull noLog;
        int nArgs = 1;
        bStarted = wxEntryStart(nArgs, argv);
    }
    if (!bStarted) {
        ReportStartFailure();
        return 1;
    }
    wxGetApp().SetStart(request, instance.HoldsLock() ? &instance : nullptr);
    wxTheApp->CallOnInit();
    instance.Release();
    ReleaseClipboards();
    wxEntryCleanup();
    return 0;
}
