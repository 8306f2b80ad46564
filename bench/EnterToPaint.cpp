// Time from the Enter key reaching the main dialog to the end of the page view's paint of the
// entry, in-process, on the X display in $DISPLAY and over the data file beside this program.
// Each run is a fresh process: it times its first lookup, then the heavy word and a one-sense
// word in turn, going back to the list with Backspace between lookups.
//   lexano_enter_bench [RUNS [ROUNDS]]        (defaults 5 and 10)
#include <wx/init.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/MainDialog.h"
#include "bench/WindowBench.h"
#include "htmlview/HtmlMessages.h"
#include "platform/PrivateMessage.h"
#include "res/resource.h"

namespace {

const char* const kFirstWord = "bank";
const char* const kHeavyWord = "break";      // 75 senses
const char* const kOneSenseWord = "zymurgy";

bool Pump(const std::function<bool()>& bDone, int nTimeoutMs = 10000) {
    return PumpUntil(bDone, nTimeoutMs);
}

// One lookup: types strWord into the search box, presses Enter through the X server and
// returns the milliseconds from the key's arrival at the dialog to the painted page.
double TimeLookup(MainDialog& dlg, PaintWatch& watch, const std::string& strWord,
                  BenchClock::time_point& tKey) {
    wxTextCtrl* pEdit = wxDynamicCast(dlg.FindWindow(IDC_EDIT1), wxTextCtrl);
    pEdit->SetValue(strWord);
    Pump([&] { return dlg.GetSearchText() == strWord; });
    tKey = BenchClock::time_point();
    watch.m_bArmed = true;
    wxUIActionSimulator().Char(WXK_RETURN);
    if (!Pump([&] { return !watch.m_bArmed && dlg.GetMode() == MainDialog::kEntryMode; })) {
        std::fprintf(stderr, "lexano_enter_bench: %s was never painted\n", strWord.c_str());
        std::exit(1);
    }
    const double dMs = MillisecondsBetween(tKey, watch.m_tPainted);
    wxUIActionSimulator().Char(WXK_BACK);
    Pump([&] { return dlg.GetMode() == MainDialog::kListMode; });
    return dMs;
}

// One process's measurements, printed as "first heavy one-sense" medians in milliseconds.
int RunChild(int argc, char** argv, int nRounds) {
    if (!StartBenchToolkit(argc, argv, "lexano_enter_bench")) {
        return 1;
    }
    {
        MainDialog dlg;
        if (!OpenBenchDialog(dlg, "lexano_enter_bench")) {
            return 1;
        }
        BenchClock::time_point tKey;
        dlg.Bind(wxEVT_CHAR_HOOK, [&tKey](wxKeyEvent& event) {
            if (event.GetKeyCode() == WXK_RETURN) tKey = BenchClock::now();
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
    std::vector<std::vector<double>> results;
    if (!RunChildren(argv[0], nRuns, strRounds, 3, results)) {
        return 1;
    }
    const std::vector<double>& first = results[0];
    const std::vector<double>& heavy = results[1];
    const std::vector<double>& light = results[2];
    std::printf("Enter to painted page, median of %d runs: first lookup (%s) %.1f ms, "
                "%s %.1f ms, one-sense word (%s) %.1f ms\n",
                nRuns, kFirstWord, Median(first), kHeavyWord, Median(heavy), kOneSenseWord,
                Median(light));
    return 0;
}
