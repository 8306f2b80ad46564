// Where the program keeps what makes it one window per user and display: the lock that the
// first start takes (wx's single-instance checker) and the channel on which its window takes
// requests from later starts (wx's IPC: a Unix-domain socket on Unix, a DDE service on Windows).
//
// On Unix both live in the user's runtime folder, which must be private: a directory, not a
// symbolic link, owned by the user, without any permission for group or others. The socket is
// therefore reachable by nobody else, whatever its own mode. Each display has its own lock and
// socket, so that a window on one display never takes the requests of a start on another.
// On Windows the lock is a mutex of the user's session and DDE reaches only the windows of the
// same desktop.
#ifndef LEXANO_PLATFORM_INSTANCEPLACE_H
#define LEXANO_PLATFORM_INSTANCEPLACE_H

#include <string>

// The names are UTF-8.
struct InstancePlace {
    std::string strFolder;      // Unix: the private folder of the lock file; Windows: empty
    std::string strLockName;    // the lock: a file name in strFolder, or the mutex's name
    std::string strServerName;  // the channel: the socket's path, or the DDE service's name
};

// Fills place for this user and display. False, place untouched, when there is no safe place
// (Unix: no private runtime folder, or neither WAYLAND_DISPLAY nor DISPLAY is set): then every
// start opens a window of its own.
bool FindInstancePlace(InstancePlace& place);

#ifndef _WIN32
// Longest socket path a Unix-domain socket address holds, without its terminator.
constexpr size_t kMaxSocketPath = 107;

// True when strPath is a directory (not a symbolic link) owned by this process's user with no
// permission for group or others.
bool IsPrivateFolder(const std::string& strPath);

// Sets strFolder to the first private folder among $XDG_RUNTIME_DIR, /run/user/UID and
// "lexano-UID" under $TMPDIR (or /tmp), which is made with mode 0700 when missing, that leaves
// room for a socket path of nNameLength more characters. False, strFolder untouched, when none.
bool FindPrivateRuntimeFolder(size_t nNameLength, std::string& strFolder);

// The display this process's windows go to, as a file-name part: WAYLAND_DISPLAY, else
// DISPLAY without its leading ':'; any character but letters, digits, '.', '_' and '-' becomes
// '_'. Empty when neither is set.
std::string DisplayNamePart();

// True while a process holds a lock (fcntl) on the file at strPath; false when nobody does or
// the file cannot be opened. Tells a lock file that its process left behind from a live one,
// whatever process now has the process id written in it.
bool IsLockFileHeld(const std::string& strPath);

// Removes the lock file at strPath when no process holds a lock on it (its process is gone);
// true when it removed it.
bool RemoveLockFileIfNotHeld(const std::string& strPath);
#endif

#endif
