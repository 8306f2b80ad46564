#include "platform/TimeLimit.h"

#include <wx/app.h>
#include <wx/init.h>

#include <chrono>
#include <thread>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#ifdef _WIN32

bool RunWithTimeLimit(const std::function<bool()>& fnWork, int WXUNUSED(nTimeoutMs)) {
    return fnWork();
}

#else

bool RunWithTimeLimit(const std::function<bool()>& fnWork, int nTimeoutMs) {
    const pid_t pid = fork();
    if (pid < 0) {
        return false;
    }
    if (pid == 0) {
        // The child: the toolkit without windows, then out without running this program's
        // exit handlers, which belong to the parent.
        wxApp::SetInstance(new wxAppConsole);
        wxInitializer toolkit;
        const bool bDone = toolkit.IsOk() && fnWork();
        _exit(bDone ? 0 : 1);
    }
    const auto tEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(nTimeoutMs);
    for (;;) {
        int nStatus = 0;
        const pid_t nDone = waitpid(pid, &nStatus, WNOHANG);
        if (nDone == pid) {
            return WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0;
        }
        if (nDone < 0 || std::chrono::steady_clock::now() >= tEnd) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return false;
}

#endif
