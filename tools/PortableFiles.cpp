#include "tools/PortableFiles.h"

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#endif

bool MoveIntoPlace(const char* lpszSource, const char* lpszTarget) {
#ifdef _WIN32
    return MoveFileExA(lpszSource, lpszTarget, MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(lpszSource, lpszTarget) == 0;
#endif
}

bool AllowReadingByAll(int nFd) {
#ifdef _WIN32
    (void)nFd;
    return true;
#else
    return fchmod(nFd, 0644) == 0;
#endif
}

void UseBinaryStandardStreams() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}
