#include "platform/TimeLimit.h"

#include <wx/app.h>
#include <wx/init.h>

#include <chrono>
#include <string>
#include <thread>

#ifdef _WIN32
#include <wx/msw/wrapwin.h>
#else
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#ifdef _WIN32

namespace {

const wchar_t kChildMark[] = L"LEXANO_TIME_LIMITED_CHILD";
// A Windows process takes longer to start, under Wine some hundred milliseconds.
const int kChildStartMs = 500;

}  // namespace

bool IsTimeLimitedChild() {
    wchar_t szValue[4] = {};
    return ::GetEnvironmentVariableW(kChildMark, szValue, 4) == 1 && szValue[0] == L'1';
}

bool RunWithTimeLimit(const std::function<bool()>& fnWork, int nTimeoutMs) {
    if (IsTimeLimitedChild()) {
        ::ExitProcess(fnWork() ? 0 : 1);
    }
    wchar_t szModule[32768];
    const DWORD nLength = ::GetModuleFileNameW(nullptr, szModule, 32768);
    if (nLength == 0 || nLength >= 32768) {
        return false;
    }
    // CreateProcessW may write into the command line it is given.
    std::wstring strCommand = ::GetCommandLineW();
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ::SetEnvironmentVariableW(kChildMark, L"1");
    const BOOL bStarted = ::CreateProcessW(szModule, &strCommand[0], nullptr, nullptr, FALSE, 0,
                                           nullptr, nullptr, &startup, &process);
    ::SetEnvironmentVariableW(kChildMark, nullptr);
    if (!bStarted) {
        return false;
    }
    DWORD nExit = 1;
    if (::WaitForSingleObject(process.hProcess, nTimeoutMs + kChildStartMs) == WAIT_OBJECT_0) {
        ::GetExitCodeProcess(process.hProcess, &nExit);
    } else {
        ::TerminateProcess(process.hProcess, 1);
        ::WaitForSingleObject(process.hProcess, INFINITE);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return nExit == 0;
}

#else

bool IsTimeLimitedChild() {
    return false;
}

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
