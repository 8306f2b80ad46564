// Pieces shared by the benchmarks that time the window in-process: a watch on the page view's
// paints, the event loop until a condition holds, medians, and the runs in fresh processes.
#ifndef LEXANO_BENCH_WINDOWBENCH_H
#define LEXANO_BENCH_WINDOWBENCH_H

#include <wx/event.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

using BenchClock = std::chrono::steady_clock;

class MainDialog;

// Sits in front of a window's own handlers and notes when a paint has been handled, once armed.
class PaintWatch : public wxEvtHandler {
public:
    bool m_bArmed = false;
    BenchClock::time_point m_tPainted;

    bool ProcessEvent(wxEvent& event) override;
};

// Delivers events until bDone() holds or nTimeoutMs passed; true when it held.
bool PumpUntil(const std::function<bool()>& bDone, int nTimeoutMs = 10000);

// Starts the toolkit for a run; false, with a message naming lpszProgram, without a display.
bool StartBenchToolkit(int argc, char** argv, const char* lpszProgram);

// Creates dlg over the data file beside the program, shows it and waits for its word list;
// false, with a message naming lpszProgram, when the list is empty (no data file).
bool OpenBenchDialog(MainDialog& dlg, const char* lpszProgram);

double Median(std::vector<double> values);

double MillisecondsBetween(BenchClock::time_point tFrom, BenchClock::time_point tTo);

// Runs this program nRuns times as "PROGRAM --child ARG" and collects the numbers each run
// prints on its one line of output: results[i] holds the i-th number of every run. False, with
// a message on standard error, when a run fails or prints fewer than nValues numbers.
bool RunChildren(const char* lpszProgram, int nRuns, const std::string& strArg, size_t nValues,
                 std::vector<std::vector<double>>& results);

#endif
