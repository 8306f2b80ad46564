// Time from a click on a related word in the page to the end of the page view's paint of the
// word's entry, in-process, on the X display in $DISPLAY and over the data file beside this
// program; beside it, in the same process and alternating with it, Enter in the search box to
// the painted entry of the same word, as lexano_enter_bench times it, and when the link opens
// another tab than the first, Ctrl+Page Down from the tab before it to that tab painted. Each
// run is a fresh process. Two links: "canine" on the page of "dog" (opens the first sense of
// canine's first tab) and "break" on the page of "breakage" (opens break, 75 senses, on its
// Verb tab of 59 senses, scrolled to the sense). Each link is clicked twice a round: with the
// view's preparing of pages for links rested on switched off, and after the pointer rested on
// the link kRestMs, as a person's click comes (the view has the page prepared by then).
//   lexano_link_bench [RUNS [ROUNDS]]        (defaults 5 and 10)
#include <wx/init.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/MainDialog.h"
#include "bench/WindowBench.h"
#include "htmlview/HtmlLink.h"
#include "htmlview/LinkCells.h"
#include "htmlview/PageWindow.h"
#include "platform/AnsiText.h"
#include "res/resource.h"

namespace {

struct LinkCase {
    const char* lpszFrom;    // the page the link is on
    uint32_t nKind;          // the link's kind of relation
    const char* lpszTarget;  // the related word
};
const LinkCase kCases[] = {{"dog", 2, "canine"}, {"breakage", 13, "break"}};
// A pointer's rest on a link before the click: people take longer from reaching a target to
// pressing the button.
constexpr int kRestMs = 150;
// Numbers measured per case: the click with nothing prepared, the click after a rest, Enter,
// the tab change.
constexpr int kMeasures = 4;

class LinkBench {
public:
    explicit LinkBench(MainDialog& dlg) : m_dlg(dlg) {}

    // Starts timing at the key or the button reaching the dialog, ends at the page's paint.
    void Attach() {
        m_pPage = dynamic_cast<PageWindow*>(
            m_dlg.FindWindow(IDC_HTML)->GetChildren().GetFirst()->GetData());
        m_dlg.Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
            if (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_PAGEDOWN) {
                m_tStart = BenchClock::now();
            }
            event.Skip();
        });
        m_pPage->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
            m_tStart = BenchClock::now();
            event.Skip();
        });
        m_pPage->PushEventHandler(&m_watch);
    }
    void Detach() { m_pPage->PopEventHandler(); }

    // Opens strWord from the list by Enter; returns the milliseconds to its painted page.
    double Enter(const std::string& strWord) {
        ToList();
        // The pointer waits outside the page, so that no link is rested on before a click.
        const wxPoint ptAway = m_dlg.ClientToScreen(wxPoint(2, 2));
        wxUIActionSimulator().MouseMove(ptAway);
        PumpUntil([&] { return wxGetMousePosition() == ptAway; });
        wxTextCtrl* pEdit = wxDynamicCast(m_dlg.FindWindow(IDC_EDIT1), wxTextCtrl);
        pEdit->SetValue(strWord);
        PumpUntil([&] { return m_dlg.GetSearchText() == strWord; });
        m_watch.m_bArmed = true;
        wxUIActionSimulator().Char(WXK_RETURN);
        return WaitForPaint(strWord);
    }

    // Goes from the first tab to the tab the last link opened, by Ctrl+Page Down; returns the
    // milliseconds from the last key to the tab's page painted, 0 when it is the first tab.
    double ToLinkedTab() {
        double dMs = 0;
        for (int nTab = 0; nTab < m_nLinkedTab; ++nTab) {
            m_watch.m_bArmed = true;
            wxUIActionSimulator().Char(WXK_PAGEDOWN, wxMOD_CONTROL);
            dMs = WaitForPaint(m_dlg.GetSearchText());
        }
        return dMs;
    }

    // Clicks the link on the page shown, nRestMs after the pointer came onto it, or with no page
    // prepared for it when nRestMs is 0; returns the milliseconds from the click to the linked
    // page painted.
    double Click(const LinkCase& link, int nRestMs) {
        const wxPoint pt = LinkPoint(link);
        if (pt == wxDefaultPosition) {
            std::fprintf(stderr, "lexano_link_bench: no link to %s on %s\n", link.lpszTarget,
                         link.lpszFrom);
            std::exit(1);
        }
        const PageWindow::LinkRestHandler prepare = m_pPage->GetLinkRestHandler();
        if (nRestMs == 0) {
            m_pPage->SetLinkRestHandler(nullptr);
        }
        wxUIActionSimulator sim;
        sim.MouseMove(m_pPage->ClientToScreen(pt));
        PumpUntil([&] { return wxGetMousePosition() == m_pPage->ClientToScreen(pt); });
        if (nRestMs > 0) {
            PumpUntil([] { return false; }, nRestMs);
        }
        m_watch.m_bArmed = true;
        sim.MouseClick();
        const double dMs = WaitForPaint(link.lpszTarget);
        m_pPage->SetLinkRestHandler(prepare);
        m_nLinkedTab = m_dlg.GetEntryView().GetCurrentTab();
        return dMs;
    }

private:
    void ToList() {
        if (m_dlg.GetMode() == MainDialog::kListMode) return;
        wxUIActionSimulator().Char(WXK_BACK);
        PumpUntil([&] { return m_dlg.GetMode() == MainDialog::kListMode; });
    }

    double WaitForPaint(const std::string& strWord) {
        if (!PumpUntil([&] {
                return !m_watch.m_bArmed && m_dlg.GetMode() == MainDialog::kEntryMode &&
                       m_dlg.GetSearchText() == strWord;
            })) {
            std::fprintf(stderr, "lexano_link_bench: %s was never painted\n", strWord.c_str());
            std::exit(1);
        }
        return MillisecondsBetween(m_tStart, m_watch.m_tPainted);
    }

    // The middle of the link's first word in the page window's client area, scrolled into
    // view; wxDefaultPosition when the page has no such link.
    wxPoint LinkPoint(const LinkCase& link) {
        for (int nTry = 0; nTry < 2; ++nTry) {
            std::vector<LinkCells> links;
            CollectLinkCells(m_pPage->GetInternalRepresentation(), links);
            for (const LinkCells& cells : links) {
                HtmlLinkInfo info;
                const std::string strHref = WxToAnsi(cells.pLink->GetHref());
                if (ClassifyNavigation(strHref.c_str(), info) != HtmlNavigation::kLink ||
                    info.nThird != link.nKind || info.strText != link.lpszTarget) {
                    continue;
                }
                const wxRect rc = cells.rects.front();
                const wxPoint pt = m_pPage->CalcScrolledPosition(rc.GetPosition()) +
                                   wxPoint(rc.width / 2, rc.height / 2);
                if (m_pPage->GetClientRect().Contains(pt)) return pt;
                m_pPage->ScrollToPixel(rc.y - 20);
                PumpUntil([] { return false; }, 50);
                break;
            }
        }
        return wxDefaultPosition;
    }

    MainDialog& m_dlg;
    PageWindow* m_pPage = nullptr;
    PaintWatch m_watch;
    BenchClock::time_point m_tStart;
    int m_nLinkedTab = 0;  // the tab the last link opened
};

// One process's measurements: for each case the medians of the link clicks, of Enter on the
// same word and of the change to the linked tab, in milliseconds, on one line.
int RunChild(int argc, char** argv, int nRounds) {
    if (!StartBenchToolkit(argc, argv, "lexano_link_bench")) {
        return 1;
    }
    {
        MainDialog dlg;
        if (!OpenBenchDialog(dlg, "lexano_link_bench")) {
            return 1;
        }
        LinkBench bench(dlg);
        bench.Attach();
        bench.Enter("bank");  // the first lookup reads what every later one finds kept
        for (const LinkCase& link : kCases) {
            std::vector<double> clicks, rested, enters, tabs;
            for (int i = 0; i < nRounds; ++i) {
                // Alternating which goes first, so that neither always finds the other's work.
                for (int nStep = 0; nStep < 2; ++nStep) {
                    if ((nStep == 0) == (i % 2 == 0)) {
                        bench.Enter(link.lpszFrom);
                        clicks.push_back(bench.Click(link, 0));
                        bench.Enter(link.lpszFrom);
                        rested.push_back(bench.Click(link, kRestMs));
                    } else {
                        enters.push_back(bench.Enter(link.lpszTarget));
                        tabs.push_back(bench.ToLinkedTab());
                    }
                }
            }
            std::printf("%.2f %.2f %.2f %.2f ", Median(clicks), Median(rested), Median(enters),
                        Median(tabs));
        }
        std::printf("\n");
        bench.Detach();
    }
    wxEntryCleanup();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--child") {
        return RunChild(1, argv, argc > 2 ? std::atoi(argv[2]) : 10);
    }
    const int nRuns = argc > 1 ? std::atoi(argv[1]) : 5;
    const std::string strRounds = argc > 2 ? argv[2] : "10";
    std::vector<std::vector<double>> results;
    if (!RunChildren(argv[0], nRuns, strRounds, kMeasures * (sizeof kCases / sizeof *kCases),
                     results)) {
        return 1;
    }
    std::printf("Click on a related word to painted page, beside Enter on that word and the "
                "change to the linked tab, medians of %d runs:\n", nRuns);
    for (size_t i = 0; i < sizeof kCases / sizeof *kCases; ++i) {
        const double dClick = Median(results[kMeasures * i]);
        const double dRested = Median(results[kMeasures * i + 1]);
        const double dEnter = Median(results[kMeasures * i + 2]);
        const double dTab = Median(results[kMeasures * i + 3]);
        std::printf("  %s on the page of %s: %.1f ms unprepared, %.1f ms after a %d ms rest; "
                    "Enter on %s: %.1f ms (ratios %.2f, %.2f); Ctrl+Page Down to the linked "
                    "tab: %.1f ms\n",
                    kCases[i].lpszTarget, kCases[i].lpszFrom, dClick, dRested, kRestMs,
                    kCases[i].lpszTarget, dEnter, dEnter > 0 ? dClick / dEnter : 0.0,
                    dEnter > 0 ? dRested / dEnter : 0.0, dTab);
    }
    return 0;
}
