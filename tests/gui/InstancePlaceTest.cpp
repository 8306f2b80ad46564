// Where the one-window lock and socket live: a private folder of the user, per display.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/InstancePlace.h"

namespace {

// A fresh folder under the test's temporary folder.
std::string MakeFolder(const std::string& strName, mode_t nMode) {
    const std::string strPath = std::string(LEXANO_TEST_TMPDIR) + "/" + strName;
    std::system(("rm -rf '" + strPath + "'; mkdir -p '" LEXANO_TEST_TMPDIR "'").c_str());
    mkdir(strPath.c_str(), 0700);
    chmod(strPath.c_str(), nMode);
    return strPath;
}

// Sets or (with nullptr) removes an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* pszName, const char* pszValue) : m_strName(pszName) {
        if (const char* pszOld = std::getenv(pszName)) {
            m_strOld = pszOld;
            m_bHad = true;
        }
        if (pszValue != nullptr) {
            setenv(pszName, pszValue, 1);
        } else {
            unsetenv(pszName);
        }
    }
    ~ScopedEnv() {
        if (m_bHad) {
            setenv(m_strName.c_str(), m_strOld.c_str(), 1);
        } else {
            unsetenv(m_strName.c_str());
        }
    }

private:
    std::string m_strName;
    std::string m_strOld;
    bool m_bHad = false;
};

}  // namespace

TEST(InstancePlace, OnlyADirectoryOfTheUserClosedToOthersIsPrivate) {
    const std::string strPrivate = MakeFolder("private", 0700);
    EXPECT_TRUE(IsPrivateFolder(strPrivate));
    EXPECT_FALSE(IsPrivateFolder(MakeFolder("group-readable", 0750)));
    EXPECT_FALSE(IsPrivateFolder(MakeFolder("world-writable", 0777)));
    // A link to a private folder is not one: whoever made the link chose where it leads.
    const std::string strLink = std::string(LEXANO_TEST_TMPDIR) + "/link-to-private";
    unlink(strLink.c_str());
    ASSERT_EQ(0, symlink(strPrivate.c_str(), strLink.c_str()));
    EXPECT_FALSE(IsPrivateFolder(strLink));
    const std::string strFile = strPrivate + "/file";
    close(open(strFile.c_str(), O_CREAT | O_WRONLY, 0600));
    EXPECT_FALSE(IsPrivateFolder(strFile));
    EXPECT_FALSE(IsPrivateFolder(strPrivate + "/missing"));
    EXPECT_FALSE(IsPrivateFolder(""));
}

TEST(InstancePlace, RuntimeFolderIsXdgRuntimeDirWhenPrivateElseAFolderOfItsOwn) {
    const std::string strXdg = MakeFolder("xdg", 0700);
    const std::string strTemp = MakeFolder("temp", 0755);
    const ScopedEnv temp("TMPDIR", strTemp.c_str());
    std::string strFolder;
    {
        const ScopedEnv xdg("XDG_RUNTIME_DIR", strXdg.c_str());
        ASSERT_TRUE(FindPrivateRuntimeFolder(20, strFolder));
        EXPECT_EQ(strXdg, strFolder);
    }
    {
        // No room for the socket's name in it: the next place.
        const std::string strLong = MakeFolder(std::string(60, 'x'), 0700);
        const ScopedEnv xdg("XDG_RUNTIME_DIR", strLong.c_str());
        ASSERT_TRUE(FindPrivateRuntimeFolder(kMaxSocketPath - strLong.size(), strFolder));
        EXPECT_NE(strLong, strFolder);
    }
    // Not private, or not set: /run/user/UID when that is private, else one made in TMPDIR.
    const std::string strRunUser = "/run/user/" + std::to_string(geteuid());
    const std::string strOwn = strTemp + "/lexano-" + std::to_string(geteuid());
    const std::string strExpected = IsPrivateFolder(strRunUser) ? strRunUser : strOwn;
    chmod(strXdg.c_str(), 0755);
    for (const char* pszXdg : {strXdg.c_str(), static_cast<const char*>(nullptr), "relative"}) {
        const ScopedEnv xdg("XDG_RUNTIME_DIR", pszXdg);
        strFolder.clear();
        ASSERT_TRUE(FindPrivateRuntimeFolder(20, strFolder));
        EXPECT_EQ(strExpected, strFolder);
    }
    if (strExpected == strOwn) {
        struct stat st;
        ASSERT_EQ(0, lstat(strOwn.c_str(), &st));
        EXPECT_EQ(0700u, st.st_mode & 0777);
        // Someone else's making (here: opened to all) is never used, nor repaired.
        chmod(strOwn.c_str(), 0777);
        const ScopedEnv xdg("XDG_RUNTIME_DIR", nullptr);
        strFolder = "untouched";
        EXPECT_FALSE(FindPrivateRuntimeFolder(20, strFolder));
        EXPECT_EQ("untouched", strFolder);
        ASSERT_EQ(0, lstat(strOwn.c_str(), &st));
        EXPECT_EQ(0777u, st.st_mode & 0777);
    }
}

TEST(InstancePlace, EachDisplayHasItsOwnName) {
    {
        const ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
        const ScopedEnv x("DISPLAY", ":12.0");
        EXPECT_EQ("12.0", DisplayNamePart());
    }
    {
        const ScopedEnv wayland("WAYLAND_DISPLAY", "wayland-1");
        const ScopedEnv x("DISPLAY", ":0");
        EXPECT_EQ("wayland-1", DisplayNamePart());
    }
    {
        const ScopedEnv wayland("WAYLAND_DISPLAY", "");
        const ScopedEnv x("DISPLAY", "host/../x:1");
        EXPECT_EQ("host_.._x_1", DisplayNamePart());
    }
    const ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    const ScopedEnv x("DISPLAY", nullptr);
    EXPECT_EQ("", DisplayNamePart());
    InstancePlace place;
    place.strServerName = "untouched";
    EXPECT_FALSE(FindInstancePlace(place));
    EXPECT_EQ("untouched", place.strServerName);
}

TEST(InstancePlace, ALockFileCountsAsHeldOnlyWhileItsProcessHoldsTheLock) {
    const std::string strPath = MakeFolder("lock", 0700) + "/lexano-1.lock";
    close(open(strPath.c_str(), O_CREAT | O_WRONLY, 0600));
    EXPECT_FALSE(IsLockFileHeld(strPath));
    // Another process takes the lock (a process never conflicts with its own locks) and holds
    // it until its pipe is closed.
    int fds[2];
    ASSERT_EQ(0, pipe(fds));
    int ready[2];
    ASSERT_EQ(0, pipe(ready));
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        close(fds[1]);
        const int fd = open(strPath.c_str(), O_WRONLY);
        struct flock lock = {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        const char ch = fcntl(fd, F_SETLK, &lock) == 0 ? 'y' : 'n';
        (void)!write(ready[1], &ch, 1);
        char c;
        (void)!read(fds[0], &c, 1);
        _exit(0);
    }
    close(fds[0]);
    char ch = 0;
    ASSERT_EQ(1, read(ready[0], &ch, 1));
    ASSERT_EQ('y', ch);
    EXPECT_TRUE(IsLockFileHeld(strPath));
    EXPECT_FALSE(RemoveLockFileIfNotHeld(strPath));
    close(fds[1]);
    waitpid(pid, nullptr, 0);
    EXPECT_FALSE(IsLockFileHeld(strPath));
    EXPECT_TRUE(RemoveLockFileIfNotHeld(strPath));
    EXPECT_NE(0, access(strPath.c_str(), F_OK));
    EXPECT_FALSE(IsLockFileHeld(strPath));
}
