// Time from the Enter key reaching the main dialog to the end of the page view's paint of the
// entry, in-process, on the X display in $DISPLAY and over the data file beside this program.
// Each run is a fresh process: it times its first lookup, then the heavy word and a one-sense
// word in turn, going back to the list with Backspace between lookups.
//   lexano_enter_bench [RUNS [ROUNDS]]        (defaults 5 and 10)
#include <sys/wait.h>
#include <unistd.h>

#include <wx/app.h>
#include <wx/init.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/MainDialog.h"
#include "htmlview/HtmlMessages.h"
#include "platform/Environment.h"
#include "platform/PrivateMessage.h"
#include "res/resource.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* const kFirstWord = "bank";
const char* const kHeavyWord = "break";      // 75 senses
const char* const kOneSenseWord = "zymurgy";

// Sits in front of the page window's own handlers and notes when a paint has been handled.
class PaintWatch : public wxEvtHandler {
public:
    bool m_bArmed = false;
    Clock::time_point m_tPainted;

    bool ProcessEvent(wxEvent& event) override {
        const bool bResult = wxEvtHandler::ProcessEvent(event);
        if (event.GetEventType() == wxEVT_PAINT && m_bArmed) {
            m_tPainted = Clock::now();
            m_bArmed = false;
        }
        return bResult;
    }
};

bool Pump(const std::function<bool()>& bDone, int nTimeoutMs = 10000) {
    return PumpMessagesUntil(bDone, nTimeoutMs);
}

// One lookup: types strWord into the search box, presses Enter through the X server and
// returns the milliseconds from the key's arrival at the dialog to the painted page.
double TimeLookup(MainDialog& dlg, PaintWatch& watch, const std::string& strWord,
                  Clock::time_point& tKey) {
    wxTextCtrl* pEdit = wxDynamicCast(dlg.FindWindow(IDC_EDIT1), wxTextCtrl);
    pEdit->SetValue(strWord);
    Pump([&] { return dlg.GetSearchText() == strWord; });
    tKey = Clock::time_point();
    watch.m_bArmed = true;
    wxUIActionSimulator().Char(WXK_RETURN);
    if (!Pump([&] { return !watch.m_bArmed && dlg.GetMode() == MainDialog::kEntryMode; })) {
        std::fprintf(stderr, "lexano_enter_bench: %s was never painted\n", strWord.c_str());
        std::exit(1);
    }
    const double dMs = std::chrono::duration<double, std::milli>(watch.m_tPainted - tKey).count();
    wxUIActionSimulator().Char(WXK_BACK);
    Pump([&] { return dlg.GetMode() == MainDialog::kListMode; });
    return dMs;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// One process's measurements, printed as "first heavy one-sense" medians in milliseconds.
int RunChild(int argc, char** argv, int nRounds) {
    PrepareToolkitEnvironment();
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        std::fputs("lexano_enter_bench: no display\n", stderr);
        return 1;
    }
    {
        MainDialog dlg;
        if (!dlg.CreateDialogWindow() ||
            wxDynamicCast(dlg.FindWindow(IDC_LIST1), wxListCtrl)->GetItemCount() == 0) {
            std::fputs("lexano_enter_bench: no data file beside the program\n", stderr);
            return 1;
        }
        dlg.Show();
        Pump([&] { return dlg.IsShownOnScreen() && dlg.GetMode() == MainDialog::kListMode; });
        Clock::time_point tKey;
        dlg.Bind(wxEVT_CHAR_HOOK, [&tKey](wxKeyEvent& event) {
            if (event.GetKeyCode() == WXK_RETURN) tKey = Clock::now();
            event.Skip();
        });
        PaintWatch watch;
        dlg.FindWindow(IDC_HTML)->GetChildren().GetFirst()->GetData()->PushEventHandler(&watch);
        wxUIActionSimulator().MouseMove(dlg.GetScreenRect().GetBottomRight() - wxPoint(5, 5));
        const double dFirst = TimeLookup(dlg, watch, kFirstWord, tKey);
        std::vector<double> heavy, light;
        for (int i = 0; i < nRounds; ++i) {
            heavy.push_back(TimeLookup(dlg, watch, kHeavyWord, tKey));
            light.push_back(TimeLookup(dlg, watch, kOneSenseWord, tKey));
        }
        dlg.FindWindow(IDC_HTML)->GetChildren().GetFirst()->GetData()->PopEventHandler();
        std::printf("%.1f %.1f %.1f\n", dFirst, Median(heavy), Median(light));
    }
    wxEntryCleanup();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--child") {
        return RunChild(1, argv, argc > 2 ? std::atoi(argv[2]) : 10);
    }
    const int nRuns = argc > 1 ? std::atoi(argv[1]) : 5;
    const std::string strRounds = argc > 2 ? argv[2] : "10";
    std::vector<double> first, heavy, light;
    for (int r = 0; r < nRuns; ++r) {
        int fds[2];
        if (pipe(fds) != 0) return 1;
        const pid_t pid = fork();
        if (pid == 0) {
            dup2(fds[1], STDOUT_FILENO);
            execl("/proc/self/exe", argv[0], "--child", strRounds.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char szLine[128] = {};
        const ssize_t nRead = read(fds[0], szLine, sizeof szLine - 1);
        close(fds[0]);
        int nStatus = 0;
        waitpid(pid, &nStatus, 0);
        double dFirst = 0, dHeavy = 0, dLight = 0;
        if (nRead <= 0 || std::sscanf(szLine, "%lf %lf %lf", &dFirst, &dHeavy, &dLight) != 3) {
            std::fprintf(stderr, "lexano_enter_bench: run %d failed\n", r + 1);
            return 1;
        }
        first.push_back(dFirst);
        heavy.push_back(dHeavy);
        light.push_back(dLight);
    }
    std::printf("Enter to painted page, median of %d runs: first lookup (%s) %.1f ms, "
                "%s %.1f ms, one-sense word (%s) %.1f ms\n",
                nRuns, kFirstWord, Median(first), kHeavyWord, Median(heavy), kOneSenseWord,
                Median(light));
    return 0;
}
