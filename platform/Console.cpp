#include "platform/Console.h"

#include <wx/string.h>

#include <cstdio>

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>
#include <shellapi.h>
#endif

#ifdef __WXMSW__
namespace {

// Binds stream to the console of the parent process when the process has no standard handle
// nStdHandle (a window program started from a console).
void AttachParentConsole(DWORD nStdHandle, FILE* pStream) {
    const HANDLE hStd = ::GetStdHandle(nStdHandle);
    if (hStd != nullptr && hStd != INVALID_HANDLE_VALUE) {
        return;
    }
    if (::AttachConsole(ATTACH_PARENT_PROCESS) || ::GetLastError() == ERROR_ACCESS_DENIED) {
        // ERROR_ACCESS_DENIED: attached already, for the other stream.
        std::freopen("CONOUT$", "w", pStream);
    }
}

}  // namespace
#endif

std::vector<std::string> GetProgramArguments(int argc, char** argv) {
    std::vector<std::string> args;
#ifdef __WXMSW__
    (void)argc;
    (void)argv;
    int nArgs = 0;
    LPWSTR* pArgs = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
    if (pArgs == nullptr) {
        return args;
    }
    for (int i = 1; i < nArgs; ++i) {
        args.push_back(std::string(wxString(pArgs[i]).utf8_str()));
    }
    ::LocalFree(pArgs);
#else
    for (int i = 1; i < argc; ++i) {
        const wxString strUtf8 = wxString::FromUTF8(argv[i]);
        const bool bUtf8 = !strUtf8.empty() || argv[i][0] == '\0';
        const wxString strArg = bUtf8 ? strUtf8 : wxString(argv[i], wxConvISO8859_1);
        args.push_back(std::string(strArg.utf8_str()));
    }
#endif
    return args;
}

void WriteStandardOutput(const std::string& strText) {
#ifdef __WXMSW__
    AttachParentConsole(STD_OUTPUT_HANDLE, stdout);
#endif
    std::fputs(strText.c_str(), stdout);
    std::fflush(stdout);
}

void WriteStandardError(const std::string& strText) {
#ifdef __WXMSW__
    AttachParentConsole(STD_ERROR_HANDLE, stderr);
#endif
    std::fputs(strText.c_str(), stderr);
    std::fflush(stderr);
}
