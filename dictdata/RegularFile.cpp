#include "dictdata/RegularFile.h"

#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

FILE* OpenRegularFile(const char* lpszPath) {
#ifdef _WIN32
    // Opening a device (CON, a pipe) does not block here; only reading it would. The open
    // stream's own descriptor is what is checked, so no other file can take the name between.
    FILE* pStream = std::fopen(lpszPath, "rb");
    if (pStream == nullptr) return nullptr;
    struct _stat64 status;
    if (_fstat64(_fileno(pStream), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) {
        std::fclose(pStream);
        return nullptr;
    }
    return pStream;
#else
    // Opening a FIFO for reading blocks until a writer comes, unless it is opened without
    // blocking; the descriptor is then checked before anything is read from it.
    const int nFd = open(lpszPath, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (nFd < 0) return nullptr;
    struct stat status;
    if (fstat(nFd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(nFd);
        return nullptr;
    }
    const int nFlags = fcntl(nFd, F_GETFL);
    FILE* pStream = nullptr;
    if (nFlags == -1 || fcntl(nFd, F_SETFL, nFlags & ~O_NONBLOCK) == -1 ||
        (pStream = fdopen(nFd, "rb")) == nullptr) {
        close(nFd);
        return nullptr;
    }
    return pStream;
#endif
}
