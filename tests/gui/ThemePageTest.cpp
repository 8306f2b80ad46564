// The entry page in the desktop's theme, sampled in the pixels on screen. Built twice: with
// LEXANO_DARK_THEME 1 it runs under GTK_THEME=Adwaita:dark, where the page must be drawn dark
// in the counterparts of its colours; with 0 under the light Adwaita, where it must look as it
// is written.
#include <gtest/gtest.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <wx/app.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "app/MainDialog.h"
#include "htmlview/DarkColours.h"
#include "htmlview/DarkPage.h"
#include "htmlview/PageWindow.h"
#include "res/resource.h"
#include "tests/gui/GuiTest.h"

namespace {

// The pixels of a screen rectangle, 0xRRGGBB, row by row.
std::vector<uint32_t> GrabScreen(const wxRect& rc) {
    std::vector<uint32_t> pixels;
    Display* pDisplay = XOpenDisplay(nullptr);
    if (pDisplay == nullptr) {
        return pixels;
    }
    XImage* pImage = XGetImage(pDisplay, DefaultRootWindow(pDisplay), rc.x, rc.y, rc.width,
                               rc.height, AllPlanes, ZPixmap);
    if (pImage != nullptr) {
        for (int y = 0; y < rc.height; ++y) {
            for (int x = 0; x < rc.width; ++x) {
                pixels.push_back(static_cast<uint32_t>(XGetPixel(pImage, x, y)) & 0xFFFFFF);
            }
        }
        XDestroyImage(pImage);
    }
    XCloseDisplay(pDisplay);
    return pixels;
}

int Count(const std::vector<uint32_t>& pixels, uint32_t nRgb) {
    int n = 0;
    for (uint32_t p : pixels) n += p == nRgb;
    return n;
}

// Pixels within nTolerance of nRgb in every channel: text is drawn smoothed, and only the
// cores of its strokes have the text's own colour.
int CountNear(const std::vector<uint32_t>& pixels, uint32_t nRgb, int nTolerance) {
    int n = 0;
    for (uint32_t p : pixels) {
        bool bNear = true;
        for (int nShift : {16, 8, 0}) {
            const int d = static_cast<int>((p >> nShift) & 0xFF) - static_cast<int>((nRgb >> nShift) & 0xFF);
            bNear = bNear && d <= nTolerance && d >= -nTolerance;
        }
        n += bNear;
    }
    return n;
}

class ThemePageTest : public ::testing::Test {
protected:
    void SetUp() override {
        // One word with synonyms and usage examples: every colour of a page.
        DataFileContent content;
        content.nWordsPerBlock = 16;
        content.words = {{"slow", {1, 2}}};
        content.entries = {"slow|easy|tardily\nwithout speed\nhe spoke slowly|go easy here",
                           "slow|dense|dim\nslow to learn or understand"};
        const uint32_t nSizes[4] = {2, 0, 0, 0};
        GroupCountsForSizes(nSizes, content.entryCounts);
        WriteDataFileBesideProgram(content);
        m_pDlg = std::make_unique<MainDialog>();
        ASSERT_TRUE(m_pDlg->CreateDialogWindow());
        m_pDlg->SetSize(wxSize(520, 560));
        m_pDlg->Show();
        ASSERT_TRUE(WaitFor([this] {
            wxWindow* pEdit = m_pDlg->FindWindow(IDC_EDIT1);
            return pEdit != nullptr && pEdit->IsShown();
        }));
    }
    void TearDown() override {
        m_pDlg.reset();
        wxTheApp->ProcessPendingEvents();
        RemoveDataFileBesideProgram();
    }

    // The page window of the dialog, after the entry of "slow" was looked up in it.
    PageWindow* ShowSlow() {
        EXPECT_TRUE(m_pDlg->LookUpText("slow"));
        wxWindow* pHost = m_pDlg->FindWindow(IDC_HTML);
        PageWindow* pPage = dynamic_cast<PageWindow*>(pHost->GetChildren().GetFirst()->GetData());
        EXPECT_TRUE(WaitFor([pPage] { return pPage->IsShownOnScreen(); }));
        Pump(300);
        return pPage;
    }

    std::unique_ptr<MainDialog> m_pDlg;
};

}  // namespace

#if LEXANO_DARK_THEME

TEST_F(ThemePageTest, OnADarkDesktopThePageIsDrawnInDarkCounterpartsOfItsColours) {
    ASSERT_TRUE(IsDarkDesktop()) << "GTK_THEME=Adwaita:dark did not make the desktop dark";
    PageWindow* pPage = ShowSlow();
    EXPECT_TRUE(pPage->IsDrawnDark());
    EXPECT_TRUE(SaveScreenshot(m_pDlg.get(), "page-dark-theme.png"));
    const wxRect rc(pPage->GetScreenPosition(), pPage->GetClientSize());
    const std::vector<uint32_t> pixels = GrabScreen(rc);
    ASSERT_EQ(static_cast<size_t>(rc.width * rc.height), pixels.size());

    // The page's background is the theme's dark window colour, as the word list's is.
    const DarkPageScheme scheme = DesktopDarkScheme();
    EXPECT_EQ(scheme.nBackground, pixels[2 * rc.width + 2]);
    EXPECT_LT(RelativeLuminance(scheme.nBackground), kMaxBackgroundLuminance);
    EXPECT_GT(Count(pixels, scheme.nBackground), static_cast<int>(pixels.size()) / 2);
    // The labels on their dark-page colours, not on the light page's; white text on them.
    EXPECT_GT(Count(pixels, DarkPageColour(0x003399, ColourUse::kBackground, scheme)), 50);
    EXPECT_GT(Count(pixels, DarkPageColour(0x996600, ColourUse::kBackground, scheme)), 50);
    EXPECT_EQ(0, Count(pixels, 0x003399));
    EXPECT_GT(CountNear(pixels, 0xFFFFFF, 40), 0);
    // Synonyms in light blue, the examples in light amber, the plain text light.
    EXPECT_GT(CountNear(pixels, DarkPageColour(0x003399, ColourUse::kText, scheme), 40), 0);
    EXPECT_GT(CountNear(pixels, DarkPageColour(0x996600, ColourUse::kText, scheme), 40), 0);
    EXPECT_GT(CountNear(pixels, scheme.nText, 40), 20);
    // Nothing is drawn in black: no text of the light page is left dark on the dark page.
    EXPECT_EQ(0, CountNear(pixels, 0x000000, 8));

    // A page laid out again (another text size) keeps the dark colours.
    pPage->SetZoomStep(PageWindow::kMaxZoomStep);
    Pump(200);
    EXPECT_EQ(scheme.nBackground, GrabScreen(rc)[2 * rc.width + 2]);

    // A change of the desktop's colours draws the shown page anew, where it was.
    pPage->ScrollToPixel(pPage->GetPageHeight() / 3);
    const int nTop = pPage->GetTopPixel();
    ASSERT_GT(nTop, 0);
    wxSysColourChangedEvent event;
    event.SetEventObject(pPage);
    pPage->GetEventHandler()->ProcessEvent(event);
    Pump(200);
    EXPECT_TRUE(pPage->IsDrawnDark());
    EXPECT_EQ(nTop, pPage->GetTopPixel());
    EXPECT_NE(wxString::npos, pPage->ToText().find("without speed"));
    EXPECT_EQ(scheme.nBackground, GrabScreen(rc)[2 * rc.width + 2]);
}

#else

TEST_F(ThemePageTest, OnALightDesktopThePageKeepsItsOwnColours) {
    ASSERT_FALSE(IsDarkDesktop());
    PageWindow* pPage = ShowSlow();
    EXPECT_FALSE(pPage->IsDrawnDark());
    EXPECT_TRUE(SaveScreenshot(m_pDlg.get(), "page-light-theme.png"));
    const wxRect rc(pPage->GetScreenPosition(), pPage->GetClientSize());
    const std::vector<uint32_t> pixels = GrabScreen(rc);
    ASSERT_EQ(static_cast<size_t>(rc.width * rc.height), pixels.size());
    EXPECT_EQ(0xFFFFFFu, pixels[2 * rc.width + 2]);
    EXPECT_GT(Count(pixels, 0x003399), 50);
    EXPECT_GT(Count(pixels, 0x996600), 50);
    EXPECT_GT(CountNear(pixels, 0x000000, 40), 20);
    const DarkPageScheme scheme = DarkPageScheme{kFallbackDarkBackground, kFallbackDarkText};
    EXPECT_EQ(0, Count(pixels, DarkPageColour(0x003399, ColourUse::kBackground, scheme)));
}

#endif
