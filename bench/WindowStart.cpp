// Time from starting a program to its window named "Quenmark Dictionary" being mapped, on the
// X display in $DISPLAY. Each run starts the program afresh and closes it once mapped.
//   lexano_window_start RUNS PROGRAM
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

bool IsDictionaryWindow(Display* pDisplay, Window window) {
    char* lpszName = nullptr;
    if (XFetchName(pDisplay, window, &lpszName) == 0 || lpszName == nullptr) return false;
    const bool bMatch = std::strcmp(lpszName, "Quenmark Dictionary") == 0;
    XFree(lpszName);
    return bMatch;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: lexano_window_start RUNS PROGRAM\n", stderr);
        return 2;
    }
    Display* pDisplay = XOpenDisplay(nullptr);
    if (pDisplay == nullptr) {
        std::fputs("lexano_window_start: no display\n", stderr);
        return 1;
    }
    const int nRuns = std::atoi(argv[1]);
    std::vector<double> times;
    for (int r = 0; r < nRuns; ++r) {
        XSelectInput(pDisplay, DefaultRootWindow(pDisplay), SubstructureNotifyMask);
        XSync(pDisplay, True);
        const auto tStart = std::chrono::steady_clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            execl(argv[2], argv[2], static_cast<char*>(nullptr));
            _exit(127);
        }
        bool bMapped = false;
        while (!bMapped) {
            XEvent event;
            XNextEvent(pDisplay, &event);
            bMapped = event.type == MapNotify && IsDictionaryWindow(pDisplay, event.xmap.window);
        }
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - tStart).count());
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    std::sort(times.begin(), times.end());
    std::printf("window mapped after %.0f ms (median of %d; fastest %.0f, slowest %.0f)\n",
                times[times.size() / 2], nRuns, times.front(), times.back());
    return 0;
}
