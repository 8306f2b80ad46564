// The toolkit's failed assertions in the program: a line on standard error, never a dialog.
#include <gtest/gtest.h>

#include <wx/debug.h>

#include <algorithm>
#include <string>

#include "platform/Assertions.h"
#include "tests/gui/GuiTest.h"

TEST(Assertions, AFailedToolkitAssertionIsOneLineOnStandardErrorAndNoDialog) {
    ModalLog().clear();
    const wxAssertHandler_t previous = LogToolkitAssertions();
    ::testing::internal::CaptureStderr();
    const int nLine = __LINE__ + 1;
    wxFAIL_MSG("a probe of the handler");
    wxASSERT(1 + 1 == 3);
    const std::string strErr = ::testing::internal::GetCapturedStderr();
    wxSetAssertHandler(previous);

    EXPECT_NE(strErr.find("lexano: toolkit assertion failed at "), std::string::npos) << strErr;
    EXPECT_NE(strErr.find("AssertionTest.cpp:" + std::to_string(nLine)), std::string::npos)
        << strErr;
    EXPECT_NE(strErr.find(": a probe of the handler\n"), std::string::npos) << strErr;
    EXPECT_NE(strErr.find("\"1 + 1 == 3\""), std::string::npos) << strErr;
    EXPECT_EQ(2, std::count(strErr.begin(), strErr.end(), '\n')) << strErr;
    EXPECT_TRUE(ModalLog().empty());
}
