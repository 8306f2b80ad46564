#include "tools/PortableFiles.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
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

std::string ReasonNotReadable(const char* lpszPath) {
#ifdef _WIN32
    struct _stat64 status;
    const int nResult = _stat64(lpszPath, &status);
    const bool bFolder = nResult == 0 && (status.st_mode & _S_IFMT) == _S_IFDIR;
    const bool bRegular = nResult == 0 && (status.st_mode & _S_IFMT) == _S_IFREG;
#else
    struct stat status;
    const int nResult = stat(lpszPath, &status);
    const bool bFolder = nResult == 0 && S_ISDIR(status.st_mode);
    const bool bRegular = nResult == 0 && S_ISREG(status.st_mode);
#endif
    if (nResult != 0) return std::strerror(errno);
    if (bFolder) return "it is a folder";
    if (!bRegular) return "it is not a regular file";
    FILE* pFile = std::fopen(lpszPath, "rb");
    if (pFile == nullptr) return std::strerror(errno);
    std::fclose(pFile);
    return std::string();
}

void UseBinaryStandardStreams() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}
