#include "bench/WindowBench.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include <wx/app.h>
#include <wx/init.h>
#include <wx/listctrl.h>

#include "app/MainDialog.h"
#include "platform/Environment.h"
#include "platform/PrivateMessage.h"
#include "res/resource.h"

bool PaintWatch::ProcessEvent(wxEvent& event) {
    const bool bResult = wxEvtHandler::ProcessEvent(event);
    if (event.GetEventType() == wxEVT_PAINT && m_bArmed) {
        m_tPainted = BenchClock::now();
        m_bArmed = false;
    }
    return bResult;
}

bool PumpUntil(const std::function<bool()>& bDone, int nTimeoutMs) {
    return PumpMessagesUntil(bDone, nTimeoutMs);
}

bool StartBenchToolkit(int argc, char** argv, const char* lpszProgram) {
    PrepareToolkitEnvironment();
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "%s: no display\n", lpszProgram);
        return false;
    }
    return true;
}

bool OpenBenchDialog(MainDialog& dlg, const char* lpszProgram) {
    if (!dlg.CreateDialogWindow() ||
        wxDynamicCast(dlg.FindWindow(IDC_LIST1), wxListCtrl)->GetItemCount() == 0) {
        std::fprintf(stderr, "%s: no data file beside the program\n", lpszProgram);
        return false;
    }
    dlg.Show();
    PumpUntil([&] { return dlg.IsShownOnScreen() && dlg.GetMode() == MainDialog::kListMode; });
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

double MillisecondsBetween(BenchClock::time_point tFrom, BenchClock::time_point tTo) {
    return std::chrono::duration<double, std::milli>(tTo - tFrom).count();
}

bool RunChildren(const char* lpszProgram, int nRuns, const std::string& strArg, size_t nValues,
                 std::vector<std::vector<double>>& results) {
    results.assign(nValues, std::vector<double>());
    for (int r = 0; r < nRuns; ++r) {
        int fds[2];
        if (pipe(fds) != 0) return false;
        const pid_t pid = fork();
        if (pid == 0) {
            dup2(fds[1], STDOUT_FILENO);
            execl("/proc/self/exe", lpszProgram, "--child", strArg.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string strOutput;
        char szBuffer[256];
        for (ssize_t n; (n = read(fds[0], szBuffer, sizeof szBuffer)) > 0;) {
            strOutput.append(szBuffer, static_cast<size_t>(n));
        }
        close(fds[0]);
        int nStatus = 0;
        waitpid(pid, &nStatus, 0);
        std::istringstream in(strOutput);
        for (size_t i = 0; i < nValues; ++i) {
            double dValue = 0;
            if (!(in >> dValue)) {
                std::fprintf(stderr, "%s: run %d failed\n", lpszProgram, r + 1);
                return false;
            }
            results[i].push_back(dValue);
        }
    }
    return true;
}
