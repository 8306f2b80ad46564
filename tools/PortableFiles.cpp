#include "tools/PortableFiles.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32

// The system's text for the last Win32 error, without its line end.
std::string LastErrorText() {
    char buffer[512] = {};
    const DWORD nLength =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       GetLastError(), 0, buffer, sizeof buffer, nullptr);
    std::string strText(buffer, nLength);
    while (!strText.empty() && (strText.back() == '\n' || strText.back() == '\r' ||
                                strText.back() == ' ' || strText.back() == '.')) {
        strText.pop_back();
    }
    return strText.empty() ? "error " + std::to_string(GetLastError()) : strText;
}

#else

// The folder part of strPath, "." when it has none.
std::string FolderOf(const std::string& strPath) {
    const size_t nSlash = strPath.rfind('/');
    if (nSlash == std::string::npos) return ".";
    return nSlash == 0 ? "/" : strPath.substr(0, nSlash);
}

// The permissions for the file replacing lpszTarget: the target's own, or those that creating
// a file gives (0666 without the bits of the umask).
mode_t ModeFor(const char* lpszTarget) {
    struct stat status;
    if (stat(lpszTarget, &status) == 0 && S_ISREG(status.st_mode)) return status.st_mode & 07777;
    const mode_t nMask = umask(0);
    umask(nMask);
    return 0666 & ~nMask;
}

#endif

}  // namespace

bool CreateFileBeside(const char* lpszTarget, FILE*& pFile, std::string& strTemp,
                      std::string& strReason) {
    // mkstemp opens with O_CREAT | O_EXCL on every platform (MinGW's with _O_EXCL, in binary
    // mode), trying other names while one exists.
    std::string strName = std::string(lpszTarget) + ".XXXXXX";
    const int nFd = mkstemp(&strName[0]);
    if (nFd < 0) {
        strReason = std::strerror(errno);
        return false;
    }
#ifndef _WIN32
    if (fchmod(nFd, ModeFor(lpszTarget)) != 0) {
        strReason = std::strerror(errno);
        close(nFd);
        std::remove(strName.c_str());
        return false;
    }
#endif
    FILE* pStream = fdopen(nFd, "wb");
    if (pStream == nullptr) {
        strReason = std::strerror(errno);
        close(nFd);
        std::remove(strName.c_str());
        return false;
    }
    pFile = pStream;
    strTemp = strName;
    return true;
}

bool CloseDurably(FILE* pFile, std::string& strReason) {
    bool bOk = std::fflush(pFile) == 0;
#ifdef _WIN32
    bOk = bOk && _commit(_fileno(pFile)) == 0;
#else
    bOk = bOk && fsync(fileno(pFile)) == 0;
#endif
    if (!bOk) strReason = std::strerror(errno);
    if (std::fclose(pFile) != 0 && bOk) {
        strReason = std::strerror(errno);
        bOk = false;
    }
    return bOk;
}

bool MoveIntoPlace(const char* lpszSource, const char* lpszTarget, std::string& strReason) {
#ifdef _WIN32
    if (MoveFileExA(lpszSource, lpszTarget,
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
        strReason = LastErrorText();
        return false;
    }
#else
    if (std::rename(lpszSource, lpszTarget) != 0) {
        strReason = std::strerror(errno);
        return false;
    }
    // The new name is an entry of the folder: flushing the folder keeps the rename over a
    // crash. The file is in place already, so a folder that cannot be flushed (some file
    // systems refuse) does not fail the move.
    const int nFolder = open(FolderOf(lpszTarget).c_str(), O_RDONLY | O_CLOEXEC);
    if (nFolder >= 0) {
        fsync(nFolder);
        close(nFolder);
    }
#endif
    return true;
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
