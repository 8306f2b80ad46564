#include "tests/TestPlatform.h"

#include <malloc.h>
#include <sys/stat.h>

#include <cstdlib>

#ifdef _WIN32
#include <direct.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

#ifndef _WIN32
int ExitStatus(int nWait) { return WIFEXITED(nWait) ? WEXITSTATUS(nWait) : -1; }
#endif

}  // namespace

#ifdef _WIN32

const char kNullDevice[] = "NUL";

void MakeDirectory(const std::string& strDir) { _mkdir(strDir.c_str()); }

std::string QuoteArgument(const std::string& strArg) {
    // Our test paths and arguments hold no double quotes, which cmd.exe cannot escape.
    return "\"" + strArg + "\"";
}

// cmd.exe /c drops the first and the last quote of a command that starts with one: a pair
// around the whole command keeps the quotes of its words.
FILE* OpenPipe(const std::string& strCommand) {
    return _popen(("\"" + strCommand + "\"").c_str(), "rb");
}

int ClosePipe(FILE* pPipe) { return _pclose(pPipe); }

int RunCommand(const std::string& strCommand) {
    return std::system(("\"" + strCommand + "\"").c_str());
}

size_t HeapInUse() {
    size_t nUsed = 0;
    _HEAPINFO info;
    info._pentry = nullptr;
    while (_heapwalk(&info) == _HEAPOK) {
        if (info._useflag == _USEDENTRY) nUsed += info._size;
    }
    return nUsed;
}

#else

const char kNullDevice[] = "/dev/null";

void MakeDirectory(const std::string& strDir) { mkdir(strDir.c_str(), 0755); }

std::string QuoteArgument(const std::string& strArg) {
    std::string strQuoted = "'";
    for (char ch : strArg) strQuoted += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return strQuoted + "'";
}

FILE* OpenPipe(const std::string& strCommand) { return popen(strCommand.c_str(), "r"); }

int ClosePipe(FILE* pPipe) { return ExitStatus(pclose(pPipe)); }

int RunCommand(const std::string& strCommand) { return ExitStatus(std::system(strCommand.c_str())); }

size_t HeapInUse() { return mallinfo2().uordblks; }

bool MakeFifo(const std::string& strPath) {
    unlink(strPath.c_str());  // may be left from an earlier run
    return mkfifo(strPath.c_str(), 0600) == 0;
}

void ReleaseFifoReader(const std::string& strPath) {
    const int nFd = open(strPath.c_str(), O_WRONLY | O_NONBLOCK);
    if (nFd >= 0) close(nFd);
}

#endif
