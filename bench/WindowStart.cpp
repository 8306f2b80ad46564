// Time from starting a program to its window named "Quenmark Dictionary" being mapped, on the
// X display in $DISPLAY. Each run starts the program afresh and ends it once mapped. With a
// reference command, the two are started alternately, run by run, and the ratio of their
// medians is printed: the machine's load then weighs on both alike.
//   lexano_window_start RUNS COMMAND [REFERENCE]
// A command is split at spaces (e.g. "env GDK_GL= build/lexano").
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool IsDictionaryWindow(Display* pDisplay, Window window) {
    char* lpszName = nullptr;
    if (XFetchName(pDisplay, window, &lpszName) == 0 || lpszName == nullptr) return false;
    const bool bMatch = std::strcmp(lpszName, "Quenmark Dictionary") == 0;
    XFree(lpszName);
    return bMatch;
}

// Milliseconds from starting strCommand to its window being mapped.
double TimeStart(Display* pDisplay, const std::string& strCommand) {
    std::vector<std::string> words;
    std::istringstream in(strCommand);
    for (std::string strWord; in >> strWord;) words.push_back(strWord);
    std::vector<char*> args;
    for (std::string& strWord : words) args.push_back(&strWord[0]);
    args.push_back(nullptr);

    XSelectInput(pDisplay, DefaultRootWindow(pDisplay), SubstructureNotifyMask);
    XSync(pDisplay, True);
    const auto tStart = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(args[0], args.data());
        _exit(127);
    }
    bool bMapped = false;
    while (!bMapped) {
        XEvent event;
        XNextEvent(pDisplay, &event);
        bMapped = event.type == MapNotify && IsDictionaryWindow(pDisplay, event.xmap.window);
    }
    const double dMs = std::chrono::duration<double, std::milli>(
                           std::chrono::steady_clock::now() - tStart).count();
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return dMs;
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char* lpszName, const std::vector<double>& times) {
    std::printf("%-10s window mapped after %.0f ms (median of %zu; fastest %.0f, slowest %.0f)\n",
                lpszName, Median(times), times.size(),
                *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fputs("usage: lexano_window_start RUNS COMMAND [REFERENCE]\n", stderr);
        return 2;
    }
    Display* pDisplay = XOpenDisplay(nullptr);
    if (pDisplay == nullptr) {
        std::fputs("lexano_window_start: no display\n", stderr);
        return 1;
    }
    const int nRuns = std::max(1, std::atoi(argv[1]));
    std::vector<double> times, reference;
    for (int r = 0; r < nRuns; ++r) {
        times.push_back(TimeStart(pDisplay, argv[2]));
        if (argc == 4) reference.push_back(TimeStart(pDisplay, argv[3]));
    }
    Report("program", times);
    if (argc == 4) {
        Report("reference", reference);
        std::printf("ratio of medians: %.2f\n", Median(times) / Median(reference));
    }
    return 0;
}
