// Window tests: windows brought to the front through the window manager, as a user does.
#include <gtest/gtest.h>

#include <wx/toplevel.h>

#include <cstdlib>

#include "tests/gui/GuiTest.h"

namespace {

// Asks the window manager to activate the visible window titled strTitle, as Alt+Tab does;
// false when no such window is visible yet or the request could not be sent.
bool AskToActivate(const std::string& strTitle) {
    const std::string strCommand =
        "xdotool search --onlyvisible --name '^" + strTitle + "$' windowactivate 2>/dev/null";
    return std::system(strCommand.c_str()) == 0;
}

}  // namespace

void ActivateByWindowManager(const std::string& strTitle) {
    EXPECT_TRUE(AskToActivate(strTitle)) << strTitle;
}

bool ShowInFront(wxTopLevelWindow* pWindow) {
    auto IsActive = [pWindow] { return pWindow->IsActive(); };
    pWindow->Show();
    pWindow->Raise();
    // The window manager gives a new window the focus by itself, but may hold it back (its
    // focus-stealing prevention, a slow start on a loaded machine): then the window is
    // activated the way a user would, once it is on the screen.
    if (WaitFor(IsActive, 2000)) {
        return true;
    }
    const std::string strTitle(pWindow->GetTitle().utf8_str());
    for (int nTry = 0; nTry < 5; ++nTry) {
        if (AskToActivate(strTitle) && WaitFor(IsActive, 2000)) {
            return true;
        }
        Pump(200);
    }
    return IsActive();
}
