// Window tests: run inside a real X session (Xvfb) with the real toolkit.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/filename.h>
#include <wx/init.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "app/MainDialog.h"
#include "platform/AnsiText.h"
#include "platform/Clipboard.h"
#include "platform/Environment.h"
#include "tests/gui/GuiTest.h"

namespace {

// Answers every modal dialog but the main one at once, as if its default button was pressed, and logs it.
class AnswerModalDialogs : public wxModalDialogHook {
protected:
    int Enter(wxDialog* pDialog) override {
        // The main dialog itself runs modally in some tests.
        if (dynamic_cast<MainDialog*>(pDialog) != nullptr) {
            return wxID_NONE;
        }
        std::string strLine = WxToAnsi(pDialog->GetTitle());
        if (wxMessageDialog* pMessage = dynamic_cast<wxMessageDialog*>(pDialog)) {
            strLine += " | " + WxToAnsi(pMessage->GetMessage());
        }
        ModalLog().push_back(strLine);
        return wxID_OK;
    }
    void Exit(wxDialog* WXUNUSED(pDialog)) override {}
};

// A failed toolkit assertion fails the test that ran into it; the run goes on, with no dialog.
void FailTheTest(const wxString& strFile, int nLine, const wxString& strFunction,
                 const wxString& strCondition, const wxString& strMessage) {
    ADD_FAILURE_AT(strFile.utf8_str().data(), nLine)
        << "toolkit assertion failed in " << strFunction.utf8_str().data() << "(): \""
        << strCondition.utf8_str().data() << "\" " << strMessage.utf8_str().data();
}

}  // namespace

bool WaitFor(const std::function<bool()>& bDone, int nTimeoutMs) {
    const auto tEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(nTimeoutMs);
    while (!bDone()) {
        if (std::chrono::steady_clock::now() > tEnd) {
            return bDone();
        }
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void Pump(int nMs) {
    WaitFor([] { return false; }, nMs);
}

std::string DataFilePathBesideProgram() {
    std::string strPath = GetExecutablePath();
    strPath.erase(strPath.find_last_of('/') + 1);
    return strPath + "LexanoData_WN.pdb";
}

void WriteDataFileBesideProgram(const DataFileContent& content) {
    std::string strError;
    ASSERT_TRUE(SaveDataFile(content, DataFilePathBesideProgram().c_str(), strError)) << strError;
}

void WriteBytesBesideProgram(const std::string& strBytes) {
    FILE* pFile = std::fopen(DataFilePathBesideProgram().c_str(), "wb");
    ASSERT_NE(nullptr, pFile);
    std::fwrite(strBytes.data(), 1, strBytes.size(), pFile);
    std::fclose(pFile);
}

void RemoveDataFileBesideProgram() {
    std::remove(DataFilePathBesideProgram().c_str());
}

bool LinkWordNetDataFileBesideProgram() {
    const char* const lpszData = LEXANO_WORDNET_DATA;
    if (access(lpszData, R_OK) != 0) {
        return false;
    }
    RemoveDataFileBesideProgram();
    const bool bLinked = symlink(lpszData, DataFilePathBesideProgram().c_str()) == 0;
    EXPECT_TRUE(bLinked) << DataFilePathBesideProgram();
    return bLinked;
}

DataFileContent MakeDictionary(const std::vector<std::string>& words, int nWordsPerBlock) {
    DataFileContent content;
    content.nWordsPerBlock = nWordsPerBlock;
    for (size_t p = 0; p < words.size(); ++p) {
        content.words.push_back({words[p], {static_cast<uint32_t>(p + 1)}});
        content.entries.push_back(words[p] + "\ndefinition of " + words[p]);
    }
    const uint32_t nSizes[4] = {static_cast<uint32_t>(words.size()), 0, 0, 0};
    GroupCountsForSizes(nSizes, content.entryCounts);
    return content;
}

std::vector<std::string>& ModalLog() {
    static std::vector<std::string> log;
    return log;
}

std::string ScreenshotDir() {
    const std::string strDir = LEXANO_SCREENSHOT_DIR;
    mkdir(strDir.c_str(), 0755);
    return strDir;
}

namespace {

// Paints every part of pWindow and its children now.
void RepaintAll(wxWindow* pWindow) {
    pWindow->Refresh();
    pWindow->Update();
    for (wxWindow* pChild : pWindow->GetChildren()) {
        RepaintAll(pChild);
    }
}

}  // namespace

bool SaveScreenshot(wxWindow* pWindow, const std::string& strName) {
    RepaintAll(pWindow);
    wxTheApp->Yield(true);
    // The client area too: under a window manager the window's rectangle may leave out part
    // of the frame.
    wxRect rc = pWindow->GetScreenRect();
    rc.Union(wxRect(pWindow->ClientToScreen(wxPoint(0, 0)), pWindow->GetClientSize()));
    rc.Inflate(12);
    const std::string strPath = ScreenshotDir() + "/" + strName;
    char szCommand[512];
    std::snprintf(szCommand, sizeof szCommand, "import -window root -crop %dx%d+%d+%d +repage '%s'",
                  rc.width, rc.height, std::max(0, rc.x), std::max(0, rc.y), strPath.c_str());
    return std::system(szCommand) == 0;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();  // listing the tests needs no display
    }
    wxSetAssertHandler(FailTheTest);
    PrepareToolkitEnvironment();
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "window tests: no display; run them under xvfb-run\n");
        return 1;
    }
    wxTheApp->SetAppName("Lexano");
    AnswerModalDialogs hook;
    hook.Register();
    const int nResult = RUN_ALL_TESTS();
    hook.Unregister();
    ReleaseClipboards();
    wxEntryCleanup();
    return nResult;
}
