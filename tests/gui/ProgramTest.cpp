// The program lexano as a user starts it: its own process, its data file beside it, and a close
// request from the window system.
#include <gtest/gtest.h>
#include <X11/Xlib.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "tests/gui/GuiTest.h"

extern char** environ;

namespace {

std::string RunShell(const std::string& strCommand) {
    std::string strOut;
    if (FILE* pPipe = popen(strCommand.c_str(), "r")) {
        char szBuffer[256];
        while (std::fgets(szBuffer, sizeof szBuffer, pPipe) != nullptr) strOut += szBuffer;
        pclose(pPipe);
    }
    return strOut;
}

// The id of the first visible window titled exactly strTitle, waiting up to nSeconds; 0 if none.
unsigned long FindWindowByTitle(const std::string& strTitle, int nSeconds) {
    // Asked again and again rather than with --sync: xdotool gives up at once when a window
    // vanishes while it walks the tree (a message box closing), and then finds nothing.
    const auto tEnd = std::chrono::steady_clock::now() + std::chrono::seconds(nSeconds);
    do {
        const std::string strOut = RunShell("xdotool search --onlyvisible --name '^" + strTitle +
                                            "$' 2>/dev/null | head -1");
        if (const unsigned long nWindow = std::strtoul(strOut.c_str(), nullptr, 10)) {
            return nWindow;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } while (std::chrono::steady_clock::now() < tEnd);
    return 0;
}

// Asks the window to close the way a window manager does: WM_DELETE_WINDOW.
void SendCloseRequest(unsigned long nWindow) {
    Display* pDisplay = XOpenDisplay(nullptr);
    ASSERT_NE(nullptr, pDisplay);
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = nWindow;
    event.xclient.message_type = XInternAtom(pDisplay, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(pDisplay, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(pDisplay, nWindow, False, NoEventMask, &event);
    XFlush(pDisplay);
    XCloseDisplay(pDisplay);
}

// Waits for the process to end; its exit status, or -1 when it had to be killed.
int WaitForExit(pid_t pid, int nSeconds) {
    for (int i = 0; i < nSeconds * 20; ++i) {
        int nStatus = 0;
        if (waitpid(pid, &nStatus, WNOHANG) == pid) {
            return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

// A copy of the program in a folder whose path is far longer than 260 characters.
std::string CopyProgramToLongPath() {
    std::string strDir = std::string(LEXANO_TEST_TMPDIR) + "/program";
    RunShell("rm -rf '" + strDir + "'");
    mkdir(LEXANO_TEST_TMPDIR, 0755);
    mkdir(strDir.c_str(), 0755);
    for (int i = 0; i < 6; ++i) {
        strDir += "/a-rather-long-folder-name-to-pass-the-old-path-limit-" + std::to_string(i);
        mkdir(strDir.c_str(), 0755);
    }
    RunShell("cp '" LEXANO_PROGRAM "' '" + strDir + "/lexano'");
    return strDir;
}

// Starts strProgram; with lpszLocale, under LC_ALL set to it (LANG and the other LC_ variables
// then do not count).
pid_t StartProgram(const std::string& strProgram, const char* lpszLocale = nullptr) {
    // Started from another working directory: the file must be found beside the program.
    chdir("/");
    std::vector<std::string> env;
    for (char** p = environ; *p != nullptr; ++p) {
        if (lpszLocale == nullptr || std::strncmp(*p, "LC_ALL=", 7) != 0) env.push_back(*p);
    }
    if (lpszLocale != nullptr) env.push_back(std::string("LC_ALL=") + lpszLocale);
    std::vector<char*> envp;
    for (std::string& strVar : env) envp.push_back(&strVar[0]);
    envp.push_back(nullptr);
    pid_t pid = 0;
    char* argv[] = {const_cast<char*>(strProgram.c_str()), nullptr};
    EXPECT_EQ(0, posix_spawn(&pid, strProgram.c_str(), nullptr, nullptr, argv, envp.data()));
    return pid;
}

// A copy of the program and a data file of nWords words in the folder strName of the tests'
// scratch folder; the folder's path.
std::string CopyProgramWithDataFile(const std::string& strName, int nWords) {
    mkdir(LEXANO_TEST_TMPDIR, 0755);
    const std::string strDir = std::string(LEXANO_TEST_TMPDIR) + "/" + strName;
    RunShell("rm -rf '" + strDir + "'");
    mkdir(strDir.c_str(), 0755);
    RunShell("cp '" LEXANO_PROGRAM "' '" + strDir + "/lexano'");
    std::string strError;
    EXPECT_TRUE(SaveDataFile(MakeDictionary(NumberedWords(nWords)),
                             (strDir + "/LexanoData_WN.pdb").c_str(), strError))
        << strError;
    return strDir;
}

}  // namespace

TEST(Program, WithoutADisplayItSaysSoInOneLine) {
    const std::string strOut =
        RunShell("env -u DISPLAY -u WAYLAND_DISPLAY '" LEXANO_PROGRAM "' 2>&1; echo \"status $?\"");
    EXPECT_EQ("lexano: cannot open the display; set DISPLAY to a running X server\nstatus 1\n",
              strOut);
}

TEST(Program, FindsItsDataFileFromAnyDirectoryAndEndsWithStatusZeroOnClose) {
    const std::string strDir = CopyProgramToLongPath();
    ASSERT_GT(strDir.size(), 300u);
    std::string strError;
    ASSERT_TRUE(SaveDataFile(MakeDictionary(NumberedWords(50)),
                             (strDir + "/LexanoData_WN.pdb").c_str(), strError))
        << strError;
    const pid_t pid = StartProgram(strDir + "/lexano");
    const unsigned long nWindow = FindWindowByTitle("Quenmark Dictionary", 20);
    ASSERT_NE(0ul, nWindow);
    // No message box: the data file was found. A message box would have come before the
    // window, which shows only once start-up is over.
    EXPECT_EQ(0ul, FindWindowByTitle("Lexano", 1));
    SendCloseRequest(nWindow);
    EXPECT_EQ(0, WaitForExit(pid, 10));
}

TEST(Program, WithoutItsDataFileItReportsOnceAndStillOpens) {
    const std::string strDir = CopyProgramToLongPath();
    const pid_t pid = StartProgram(strDir + "/lexano");
    const unsigned long nMessage = FindWindowByTitle("Lexano", 20);
    ASSERT_NE(0ul, nMessage);
    // Keys typed through the X server go to the active window.
    RunShell("xdotool windowactivate --sync " + std::to_string(nMessage) + " key Return");
    const unsigned long nWindow = FindWindowByTitle("Quenmark Dictionary", 20);
    ASSERT_NE(0ul, nWindow);
    // The window shows only once the message box is closed; none comes again.
    EXPECT_EQ(0ul, FindWindowByTitle("Lexano", 1));
    SendCloseRequest(nWindow);
    EXPECT_EQ(0, WaitForExit(pid, 10));
}

// The folder's name is bytes the locale cannot read: "jos\xC3\xA9" (UTF-8) under the C locale,
// "jos\xE9" (Latin-1) under a UTF-8 one. The program finds its data file beside itself all the
// same: no message box, and the window comes.
TEST(Program, FindsItsDataFileInAFolderNamedInAnotherEncodingThanTheLocales) {
    const struct {
        const char* lpszFolder;
        const char* lpszLocale;
    } cases[] = {{"jos\xC3\xA9", "C"}, {"jos\xE9-latin1", "C.UTF-8"}};
    for (const auto& c : cases) {
        const std::string strDir = CopyProgramWithDataFile(c.lpszFolder, 30);
        const pid_t pid = StartProgram(strDir + "/lexano", c.lpszLocale);
        const unsigned long nWindow = FindWindowByTitle("Quenmark Dictionary", 20);
        EXPECT_NE(0ul, nWindow) << c.lpszLocale << ": no window";
        EXPECT_EQ(0ul, FindWindowByTitle("Lexano", 1)) << c.lpszLocale << ": a message box";
        if (nWindow == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            continue;
        }
        SendCloseRequest(nWindow);
        EXPECT_EQ(0, WaitForExit(pid, 10)) << c.lpszLocale;
    }
}
