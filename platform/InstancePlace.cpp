#include "platform/InstancePlace.h"

#include <cstdlib>

#ifdef _WIN32
#include <wx/utils.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const char kLockPrefix[] = "lexano-";
const char kLockSuffix[] = ".lock";
const char kSocketSuffix[] = ".socket";

}  // namespace

#ifdef _WIN32

bool FindInstancePlace(InstancePlace& place) {
    // Mutex names without a prefix live in the session's own namespace.
    InstancePlace result;
    result.strLockName = "Lexano-Quenmark-Dictionary-" + std::string(wxGetUserId().utf8_str());
    result.strServerName = "LexanoQuenmarkDictionary";
    place = result;
    return true;
}

#else

bool IsPrivateFolder(const std::string& strPath) {
    struct stat st;
    if (strPath.empty() || lstat(strPath.c_str(), &st) != 0) {
        return false;
    }
    return S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 077) == 0;
}

bool FindPrivateRuntimeFolder(size_t nNameLength, std::string& strFolder) {
    const std::string strUid = std::to_string(static_cast<unsigned long>(geteuid()));
    std::string candidates[3];
    if (const char* pszRuntime = std::getenv("XDG_RUNTIME_DIR")) {
        candidates[0] = pszRuntime;
    }
    candidates[1] = "/run/user/" + strUid;
    const char* pszTemp = std::getenv("TMPDIR");
    candidates[2] = std::string(pszTemp != nullptr && *pszTemp != '\0' ? pszTemp : "/tmp") +
                    "/lexano-" + strUid;
    for (int i = 0; i < 3; ++i) {
        const std::string& strCandidate = candidates[i];
        if (strCandidate.empty() || strCandidate[0] != '/' ||
            strCandidate.size() + 1 + nNameLength > kMaxSocketPath) {
            continue;
        }
        if (i == 2) {
            // Made private from the start; one that exists already must pass the check below,
            // so that a folder another user prepared there is never used.
            mkdir(strCandidate.c_str(), 0700);
        }
        if (IsPrivateFolder(strCandidate)) {
            strFolder = strCandidate;
            return true;
        }
    }
    return false;
}

std::string DisplayNamePart() {
    const char* pszWayland = std::getenv("WAYLAND_DISPLAY");
    const char* pszX = std::getenv("DISPLAY");
    std::string strDisplay;
    if (pszWayland != nullptr && *pszWayland != '\0') {
        strDisplay = pszWayland;
    } else if (pszX != nullptr && *pszX != '\0') {
        strDisplay = pszX[0] == ':' ? pszX + 1 : pszX;
    }
    for (char& ch : strDisplay) {
        const bool bKeep = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                           (ch >= '0' && ch <= '9') || ch == '.' || ch == '_' || ch == '-';
        if (!bKeep) {
            ch = '_';
        }
    }
    return strDisplay;
}

bool IsLockFileHeld(const std::string& strPath) {
    const int fd = open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    const bool bHeld = fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    close(fd);
    return bHeld;
}

bool RemoveLockFileIfNotHeld(const std::string& strPath) {
    return !IsLockFileHeld(strPath) && unlink(strPath.c_str()) == 0;
}

bool FindInstancePlace(InstancePlace& place) {
    const std::string strDisplay = DisplayNamePart();
    if (strDisplay.empty()) {
        return false;
    }
    const std::string strBase = kLockPrefix + strDisplay;
    const std::string strSocketName = strBase + kSocketSuffix;
    std::string strFolder;
    if (!FindPrivateRuntimeFolder(strSocketName.size(), strFolder)) {
        return false;
    }
    InstancePlace result;
    result.strFolder = strFolder;
    result.strLockName = strBase + kLockSuffix;
    result.strServerName = strFolder + "/" + strSocketName;
    place = result;
    return true;
}

#endif
