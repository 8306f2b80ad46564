// The program as a desktop starts it: with words or --selection on its command line, a second
// start while a window is open, a window that does not answer, a lock left behind. The first
// window is lexano_probe, the program with a report of what its window shows
// (tests/gui/ProgramProbe.cpp); later starts are the program lexano itself.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/frame.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/gui/GuiTest.h"

extern char** environ;

namespace {

const char kTitle[] = "Quenmark Dictionary";

std::string RunShell(const std::string& strCommand) {
    std::string strOut;
    if (FILE* pPipe = popen(strCommand.c_str(), "r")) {
        char szBuffer[256];
        while (std::fgets(szBuffer, sizeof szBuffer, pPipe) != nullptr) strOut += szBuffer;
        pclose(pPipe);
    }
    return strOut;
}

// The visible windows titled exactly kTitle.
std::vector<unsigned long> DictionaryWindows() {
    std::vector<unsigned long> windows;
    std::istringstream out(RunShell(std::string("xdotool search --onlyvisible --name '^") +
                                    kTitle + "$' 2>/dev/null"));
    unsigned long nWindow = 0;
    while (out >> nWindow) windows.push_back(nWindow);
    return windows;
}

unsigned long ActiveWindow() {
    return std::strtoul(RunShell("xdotool getactivewindow 2>/dev/null").c_str(), nullptr, 10);
}

// A process of the program, ended (woken first, if stopped) when the object goes.
class Program {
public:
    // Starts strProgram with args and, besides the test's environment, env ("NAME=value").
    Program(const std::string& strProgram, const std::vector<std::string>& args,
            const std::vector<std::string>& env) {
        std::vector<std::string> all = {strProgram};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& strArg : all) argv.push_back(&strArg[0]);
        argv.push_back(nullptr);
        std::vector<std::string> vars = env;
        for (char** p = environ; *p != nullptr; ++p) vars.push_back(*p);
        std::vector<char*> envp;
        for (std::string& strVar : vars) envp.push_back(&strVar[0]);
        envp.push_back(nullptr);
        EXPECT_EQ(0, posix_spawn(&m_pid, strProgram.c_str(), nullptr, nullptr, argv.data(),
                                 envp.data()));
    }
    ~Program() {
        if (m_bRunning) {
            kill(m_pid, SIGCONT);
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    pid_t Pid() const { return m_pid; }

    // Waits for the end while the test's own events are handled (it may own the selection
    // being read); the exit status, or -1 when it did not end within nTimeoutMs.
    int WaitForExit(int nTimeoutMs) {
        int nStatus = -1;
        WaitFor([&] {
            int nRaw = 0;
            if (m_bRunning && waitpid(m_pid, &nRaw, WNOHANG) == m_pid) {
                m_bRunning = false;
                nStatus = WIFEXITED(nRaw) ? WEXITSTATUS(nRaw) : -1;
            }
            return !m_bRunning;
        }, nTimeoutMs);
        return nStatus;
    }

private:
    pid_t m_pid = 0;
    bool m_bRunning = true;
};

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A runtime folder of the test's own, private as a desktop session's (mkdtemp makes it
        // so), and short: a socket's path has room for 107 bytes only.
        char szRuntime[] = "/tmp/lexano-test-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(szRuntime));
        m_strRuntime = szRuntime;
        m_strProbeFile = m_strRuntime + "/probe.txt";
        WriteDataFileBesideProgram(MakeDictionary({"apple", "banana", "cherry", "damson"}));
        SetClipboard("");
    }
    void TearDown() override {
        RemoveDataFileBesideProgram();
        RunShell("rm -rf '" + m_strRuntime + "'");
        // Frees what the test put on the clipboard and into the selection; the toolkit frees
        // only one of them as it ends.
        for (bool bPrimary : {true, false}) {
            wxTheClipboard->UsePrimarySelection(bPrimary);
            wxTheClipboard->Clear();
        }
    }

    std::vector<std::string> Environment() const {
        return {"XDG_RUNTIME_DIR=" + m_strRuntime, "LEXANO_PROBE_FILE=" + m_strProbeFile};
    }

    // The first window: the probe, waited for until it reports.
    std::unique_ptr<Program> StartWindow(const std::vector<std::string>& args) {
        auto pProgram = std::make_unique<Program>(LEXANO_PROBE, args, Environment());
        EXPECT_TRUE(WaitFor([this] { return !Probe().empty(); }, 20000)) << "no report";
        return pProgram;
    }

    // A later start of the program itself; its exit status (-1: still running after 10 s).
    int RunLater(const std::vector<std::string>& args) {
        Program later(LEXANO_PROGRAM, args, Environment());
        return later.WaitForExit(10000);
    }

    std::map<std::string, std::string> Probe() const {
        std::map<std::string, std::string> state;
        std::ifstream in(m_strProbeFile);
        std::string strLine;
        while (std::getline(in, strLine)) {
            const size_t nEq = strLine.find('=');
            if (nEq != std::string::npos) state[strLine.substr(0, nEq)] = strLine.substr(nEq + 1);
        }
        return state;
    }

    // Waits until the probe shows the entry of strWord with strSearch in the search box.
    bool ShowsEntry(const std::string& strWord, const std::string& strSearch) {
        return WaitFor([&] {
            auto state = Probe();
            return state["mode"] == "entry" && state["search"] == strSearch &&
                   state["selected"] == strWord &&
                   state["page"].find("definition of " + strWord) != std::string::npos;
        }, 10000);
    }

    static void SetClipboard(const std::string& strText) {
        if (wxTheClipboard->Open()) {
            wxTheClipboard->SetData(new wxTextDataObject(strText));
            wxTheClipboard->Close();
        }
    }
    static void SetPrimarySelection(const std::string& strText) {
        wxTheClipboard->UsePrimarySelection(true);
        SetClipboard(strText);
        wxTheClipboard->UsePrimarySelection(false);
    }

    std::string m_strRuntime;
    std::string m_strProbeFile;
};

}  // namespace

TEST_F(DesktopTest, WordsOnTheCommandLineOpenTheirEntryOverTheClipboard) {
    // Without arguments: the clipboard's text in the search box, the list, as always.
    SetClipboard("cherry\n");
    {
        auto pWindow = StartWindow({});
        EXPECT_TRUE(WaitFor([this] {
            auto state = Probe();
            return state["mode"] == "list" && state["search"] == "cherry" &&
                   state["selected"] == "cherry";
        }));
    }
    RunShell("rm -f '" + m_strProbeFile + "'");
    // With words: resolved as typed ("Bananas" lands on banana), the entry shown; the
    // clipboard taken at start-up and at the first activation does not replace them.
    auto pWindow = StartWindow({"Bananas"});
    EXPECT_TRUE(ShowsEntry("banana", "Bananas"));
    EXPECT_EQ("Noun", Probe()["tabs"]);
    Pump(1000);
    EXPECT_EQ("Bananas", Probe()["search"]);
    EXPECT_EQ(1u, DictionaryWindows().size());
    RunShell("import -window root '" + ScreenshotDir() + "/program-with-word.png'");
}

TEST_F(DesktopTest, ALaterStartHandsItsRequestToTheOpenWindowAndEndsAtOnce) {
    auto pWindow = StartWindow({});
    ASSERT_TRUE(WaitFor([] { return DictionaryWindows().size() == 1; }));
    const unsigned long nWindow = DictionaryWindows()[0];
    // The window's socket and lock: for nobody but the user, in the runtime folder.
    const std::string strBase = m_strRuntime + "/lexano-" + (std::getenv("DISPLAY") + 1);
    for (const std::string& strPath : {strBase + ".socket", strBase + ".lock"}) {
        struct stat st;
        ASSERT_EQ(0, lstat(strPath.c_str(), &st)) << strPath;
        EXPECT_EQ(0u, st.st_mode & 077) << strPath;
        EXPECT_EQ(getuid(), st.st_uid) << strPath;
    }
    struct stat st;
    ASSERT_EQ(0, lstat((strBase + ".socket").c_str(), &st));
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
    // Another window is in front when the request comes.
    wxFrame* pOther = new wxFrame(nullptr, wxID_ANY, "other window", wxPoint(0, 0), wxSize(900, 900));
    ASSERT_TRUE(ShowInFront(pOther));

    // It ends with status 0 once the window took the request; had the window not taken it,
    // the later start would have opened a window of its own and gone on running.
    const auto tStart = std::chrono::steady_clock::now();
    EXPECT_EQ(0, RunLater({"--", "Cherry"}));
    const auto nMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                         std::chrono::steady_clock::now() - tStart).count();
    EXPECT_TRUE(ShowsEntry("cherry", "Cherry"));
    EXPECT_TRUE(WaitFor([&] { return ActiveWindow() == nWindow && Probe()["active"] == "1"; }))
        << "the window did not come to the front";
    EXPECT_EQ(std::vector<unsigned long>{nWindow}, DictionaryWindows());
    std::printf("hand-over: the later start ended after %lld ms\n", static_cast<long long>(nMs));

    // Without words: the window only comes to the front, as it was.
    ASSERT_TRUE(ShowInFront(pOther));
    EXPECT_EQ(0, RunLater({}));
    EXPECT_TRUE(WaitFor([&] { return ActiveWindow() == nWindow; }));
    EXPECT_TRUE(ShowsEntry("cherry", "Cherry"));
    pOther->Destroy();
}

TEST_F(DesktopTest, SelectionIsLookedUpByTheFirstStartAndByAHandOver) {
    // The selection and the clipboard are different texts; only the selection counts.
    SetClipboard("damson");
    SetPrimarySelection(" apple \n");
    auto pWindow = StartWindow({"--selection"});
    EXPECT_TRUE(ShowsEntry("apple", "apple"));

    SetPrimarySelection("Cherries");
    Program later(LEXANO_PROGRAM, {"--selection"}, Environment());
    EXPECT_EQ(0, later.WaitForExit(10000));
    EXPECT_TRUE(ShowsEntry("cherry", "Cherries"));

    // Nothing selected: the window comes to the front and keeps its entry.
    SetPrimarySelection("");
    EXPECT_EQ(0, RunLater({"--selection"}));
    Pump(500);
    EXPECT_TRUE(ShowsEntry("cherry", "Cherries"));
}

TEST_F(DesktopTest, AStartThatGetsNoAnswerOpensItsOwnWindow) {
    auto pWindow = StartWindow({});
    ASSERT_TRUE(WaitFor([] { return DictionaryWindows().size() == 1; }));
    // The open window's process holds the lock and its socket but answers nothing.
    kill(pWindow->Pid(), SIGSTOP);
    const auto tStart = std::chrono::steady_clock::now();
    // The probe again, for its data file, but without a report.
    Program later(LEXANO_PROBE, {"cherry"}, {"XDG_RUNTIME_DIR=" + m_strRuntime});
    EXPECT_TRUE(WaitFor([] { return DictionaryWindows().size() == 2; }, 20000));
    const auto nMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                         std::chrono::steady_clock::now() - tStart).count();
    std::printf("no answer: the later start's window appeared after %lld ms\n",
                static_cast<long long>(nMs));
    EXPECT_EQ(-1, later.WaitForExit(100)) << "the later start ended instead of opening a window";
}

TEST_F(DesktopTest, ALockLeftBehindDoesNotStopAStart) {
    const std::string strDisplay = std::getenv("DISPLAY") + 1;
    const std::string strLock = m_strRuntime + "/lexano-" + strDisplay + ".lock";
    const std::string strSocket = m_strRuntime + "/lexano-" + strDisplay + ".socket";
    // Left by a process that is gone: its process id names nobody, or now names a live process
    // (this test's own); the socket is still bound to nothing.
    for (const long nPid : {999999999L, static_cast<long>(getpid())}) {
        {
            std::ofstream lock(strLock);
            lock << nPid << '\0';
        }
        chmod(strLock.c_str(), 0600);
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr = {};
        addr.sun_family = AF_UNIX;
        std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", strSocket.c_str());
        unlink(strSocket.c_str());
        ASSERT_EQ(0, bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr));
        close(fd);

        RunShell("rm -f '" + m_strProbeFile + "'");
        auto pWindow = StartWindow({});
        // The new window serves: a later start hands over to it.
        EXPECT_EQ(0, RunLater({"damson"})) << "lock file with process id " << nPid;
        EXPECT_TRUE(ShowsEntry("damson", "damson"));
        EXPECT_EQ(1u, DictionaryWindows().size());
    }
}
