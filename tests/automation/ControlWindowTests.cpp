// Steering windows on the virtual clock: each lookup charged against its
// time-out, windows that come late, go, or come up over others, and button
// clicks posted as the button's own. The windows are real, in this process.
#include "support/GTestWin.h"

#include <memory>
#include <string>

#include "TestWindows.h"
#include "automation/ControlWindow.h"
#include "support/LogRecorder.h"
#include "support/TestSupport.h"
#include "support/VirtualClock.h"

using automationtest::TestWindow;
using automationtest::UniqueTitle;
using testsupport::LogRecorder;
using testsupport::VirtualClock;

namespace {

std::string FindTopFailure(const std::string& title, int nOrig, int nNow)
{
    return "ControlWindow|8|0|FindTop failed, timeout: " + title + " (orig=" +
           std::to_string(nOrig) + ", wait=250, now=" + std::to_string(nNow) + ")";
}

// The messages the window has received by now.
const std::vector<TestWindow::Message>& Received(TestWindow& wnd)
{
    testsupport::PumpFor(20);
    return wnd.m_messages;
}

}  // namespace

// A time-out of T makes T / 250 + 1 lookups with a pause between each, and
// a disabled match counts as a failed lookup (its text read once each time).
TEST(ControlWindow, FindTopChargesEachFailedLookupAgainstTheTimeout)
{
    const std::string title = UniqueTitle("Absent");
    ControlWindow cw;
    const struct {
        int nTimeout;
        size_t nPauses;
        int nNow;
    } cases[] = {{0, 0, -250}, {2000, 8, -250}, {2100, 8, -150}, {-5, 0, -255}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nTimeout);
        LogRecorder log;
        VirtualClock clock;
        EXPECT_EQ(nullptr, cw.FindTop(title.c_str(), c.nTimeout));
        EXPECT_EQ(std::vector<DWORD>(c.nPauses, 250), clock.m_sleeps);
        EXPECT_EQ(std::vector<std::string>{FindTopFailure(title, c.nTimeout, c.nNow)}, log.m_lines);
    }
    LogRecorder log;
    VirtualClock clock;
    TestWindow wnd(title);
    wnd.Enable(false);
    wnd.m_nTextReads = 0;
    EXPECT_EQ(nullptr, cw.FindTop(title.c_str(), 2000));
    EXPECT_EQ(9, wnd.m_nTextReads);
    EXPECT_EQ(9u, log.Count("findapp|2|0|GetWindowHandle failed, window disabled"));
    EXPECT_EQ(2000u, clock.Now());
    EXPECT_TRUE(clock.m_idleWaits.empty());

    // Enabled after the third pause: found at the fourth lookup.
    clock.m_sleeps.clear();
    clock.m_onSleep = [&] {
        if (clock.m_sleeps.size() == 3)
            wnd.Enable(true);
    };
    EXPECT_EQ(wnd.Handle(), cw.FindTop(title.c_str(), 30000));
    EXPECT_EQ(3u, clock.m_sleeps.size());
    // Created only after the fifth pause.
    std::unique_ptr<TestWindow> late;
    const std::string lateTitle = UniqueTitle("Late");
    clock.m_sleeps.clear();
    clock.m_onSleep = [&] {
        if (clock.m_sleeps.size() == 5)
            late = std::make_unique<TestWindow>(lateTitle, false);
    };
    HWND hFound = cw.FindTop(lateTitle.c_str(), 2000);
    ASSERT_TRUE(late);
    EXPECT_EQ(late->Handle(), hFound);
    EXPECT_EQ(5u, clock.m_sleeps.size());
}

TEST(ControlWindow, WaitForTopToVanishLooksForTheWindowToComeAndThenToGo)
{
    const std::string title = UniqueTitle("Progress");
    ControlWindow cw;
    {
        // It never shows up: 9 lookups, then counted as gone.
        LogRecorder log;
        VirtualClock clock;
        EXPECT_TRUE(cw.WaitForTopToVanish(title.c_str(), 2000, 600000));
        EXPECT_EQ(8u, clock.m_sleeps.size());
        EXPECT_EQ(std::vector<std::string>{FindTopFailure(title, 2000, -250)}, log.m_lines);
    }
    {
        // It shows at the ninth lookup and goes after another 100 pauses:
        // one failure line, from the lookup that misses it.
        LogRecorder log;
        VirtualClock clock;
        std::unique_ptr<TestWindow> wnd;
        clock.m_onSleep = [&] {
            if (clock.m_sleeps.size() == 8)
                wnd = std::make_unique<TestWindow>(title);
            if (clock.m_sleeps.size() == 108)
                wnd.reset();
        };
        EXPECT_TRUE(cw.WaitForTopToVanish(title.c_str(), 2000, 600000));
        EXPECT_EQ(108u, clock.m_sleeps.size());
        EXPECT_EQ(std::vector<std::string>{FindTopFailure(title, 0, -250)}, log.m_lines);
    }
    // It stays: one lookup to appear and 2401 while waiting for it to go; a
    // negative vanish budget gives up once it has appeared.
    LogRecorder log;
    VirtualClock clock;
    TestWindow wnd(title);
    for (const auto& c : {std::make_pair(600000, 2400), std::make_pair(-1, 0)}) {
        wnd.m_nTextReads = 0;
        clock.m_sleeps.clear();
        EXPECT_FALSE(cw.WaitForTopToVanish(title.c_str(), 2000, c.first));
        EXPECT_EQ(c.second + (c.second ? 2 : 1), wnd.m_nTextReads);
        EXPECT_EQ(std::vector<DWORD>(c.second, 250), clock.m_sleeps);
    }
    EXPECT_TRUE(log.m_lines.empty());
    EXPECT_TRUE(clock.m_idleWaits.empty());
}

// Only push buttons count, inside panels and past a label and a field that
// begin with the text; the click is WM_COMMAND with the button's id and
// handle, posted to the top window.
TEST(ControlWindow, ClickChildButtonPostsACommandFromTheFirstMatchingPushButton)
{
    const std::string title = UniqueTitle("Confirm");
    ControlWindow cw;
    LogRecorder log;
    VirtualClock clock(0xFFFFFE00u);  // the counter wraps during the budget
    TestWindow dlg(title);
    HWND hPanel = dlg.AddChild("PANEL", "", 300);
    dlg.AddChild("STATIC", "OK to go", 201, hPanel);
    dlg.AddChild("EDIT", "OK Computer", 202, hPanel);
    HWND hOk = dlg.AddChild("BUTTON", "OK", IDOK, hPanel);
    dlg.AddChild("BUTTON", "Yes", IDYES);

    // "&Yes" is not "Yes": searched every 250 ms until the budget is used up.
    EXPECT_FALSE(cw.ClickChildButton(title.c_str(), "&Yes", 1000));
    EXPECT_EQ((std::vector<DWORD>{250, 250, 250, 250}), clock.m_sleeps);
    EXPECT_EQ(std::vector<std::string>{"ControlWindow|8|0|ClickChildButton failed getting child: &Yes"},
              log.m_lines);
    EXPECT_TRUE(Received(dlg).empty());

    log.Clear();
    clock.m_sleeps.clear();
    EXPECT_TRUE(cw.ClickChildButton(title.c_str(), "OK", 1000));
    EXPECT_TRUE(clock.m_sleeps.empty());
    EXPECT_TRUE(dlg.m_messages.empty());  // posted, not sent
    ASSERT_EQ(1u, Received(dlg).size());
    EXPECT_EQ(static_cast<UINT>(WM_COMMAND), dlg.m_messages[0].nMsg);
    EXPECT_EQ(MAKEWPARAM(IDOK, BN_CLICKED), dlg.m_messages[0].wParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(hOk), dlg.m_messages[0].lParam);
    EXPECT_TRUE(log.m_lines.empty());

    // A question of the same title that comes up over the dialog while the
    // budget lasts: its button is found there and the click goes to it.
    clock.m_sleeps.clear();
    std::unique_ptr<TestWindow> box;
    HWND hNo = nullptr;
    clock.m_onSleep = [&] {
        if (clock.m_sleeps.size() == 2) {
            box = std::make_unique<TestWindow>(title);
            box->BringToTop();
            hNo = box->AddChild("BUTTON", "&No", IDNO);
        }
    };
    EXPECT_TRUE(cw.ClickChildButton(title.c_str(), "&No", 1000));
    EXPECT_EQ(2u, clock.m_sleeps.size());
    ASSERT_TRUE(box);
    ASSERT_EQ(1u, Received(*box).size());
    EXPECT_EQ(MAKEWPARAM(IDNO, BN_CLICKED), box->m_messages[0].wParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(hNo), box->m_messages[0].lParam);
    clock.m_onSleep = nullptr;

    // No top window at all.
    log.Clear();
    const std::string absent = UniqueTitle("Nowhere");
    EXPECT_FALSE(cw.ClickChildButton(absent.c_str(), "OK", 500));
    EXPECT_EQ((std::vector<std::string>{FindTopFailure(absent, 500, -250),
                                        "ControlWindow|8|0|ClickChildButton failed finding top: " + absent}),
              log.m_lines);
    EXPECT_TRUE(clock.m_idleWaits.empty());
}

// The top window and its button share one budget: a window that took all
// of it (found by FindTop's last lookup, at 1000 ms) leaves none for the button.
TEST(ControlWindow, ClickChildButtonWithATopWindowThatTookTheWholeBudgetClicksNothing)
{
    const std::string title = UniqueTitle("Slow");
    ControlWindow cw;
    LogRecorder log;
    VirtualClock clock;
    std::unique_ptr<TestWindow> dlg;
    clock.m_onSleep = [&] {
        if (clock.Now() == 1000) {
            dlg = std::make_unique<TestWindow>(title);
            dlg->AddChild("BUTTON", "OK", IDOK);
        }
    };
    EXPECT_FALSE(cw.ClickChildButton(title.c_str(), "OK", 1000));
    ASSERT_TRUE(dlg);
    EXPECT_EQ(4u, clock.m_sleeps.size());
    EXPECT_EQ(std::vector<std::string>{"ControlWindow|8|0|ClickChildButton failed getting child: OK"},
              log.m_lines);
    EXPECT_TRUE(Received(*dlg).empty());
}

// A control that comes after its window's title is waited for within the
// time-out; messages go to the top window; nothing waits for idleness
// before a program was started, and afterwards every step does, also one
// whose window is missing.
TEST(ControlWindow, FindChildAndPostMessageToTopReachTheTopWindow)
{
    const std::string title = UniqueTitle("Main");
    ControlWindow cw;
    LogRecorder log;
    VirtualClock clock;
    TestWindow wnd(title);
    HWND hEdit = wnd.AddChild("EDIT", "name", 1148);
    wnd.m_nWatchedMsg = WM_APP + 7;

    EXPECT_EQ(hEdit, cw.FindChild(title.c_str(), 1148, 0));
    EXPECT_EQ(nullptr, cw.FindChild(title.c_str(), 1149, 0));  // no such control: no log
    HWND hLate = nullptr;
    clock.m_onSleep = [&] {
        if (clock.m_sleeps.size() == 2)
            hLate = wnd.AddChild("EDIT", "", 1150);
    };
    EXPECT_EQ(hLate, cw.FindChild(title.c_str(), 1150, 1000));
    EXPECT_EQ(2u, clock.m_sleeps.size());
    EXPECT_EQ(nullptr, cw.FindChild(title.c_str(), 1151, 1000));
    EXPECT_EQ(6u, clock.m_sleeps.size());
    clock.m_onSleep = nullptr;
    EXPECT_TRUE(cw.PostMessageToTop(title.c_str(), WM_APP + 7, 1133, 42, 0));
    EXPECT_TRUE(wnd.m_messages.empty());
    ASSERT_EQ(1u, Received(wnd).size());
    EXPECT_EQ(static_cast<UINT>(WM_APP + 7), wnd.m_messages[0].nMsg);
    EXPECT_EQ(1133u, wnd.m_messages[0].wParam);
    EXPECT_EQ(42, wnd.m_messages[0].lParam);
    EXPECT_TRUE(cw.WaitForTop(title.c_str(), 0));
    EXPECT_EQ(4, cw.SendToWindow(hEdit, WM_GETTEXTLENGTH, 0, 0));
    EXPECT_TRUE(log.m_lines.empty());
    EXPECT_TRUE(clock.m_idleWaits.empty());

    const std::string absent = UniqueTitle("Gone");
    cw.m_hProcess = GetCurrentProcess();
    EXPECT_EQ(nullptr, cw.FindChild(absent.c_str(), 1148, 0));
    EXPECT_FALSE(cw.PostMessageToTop(absent.c_str(), WM_APP + 7, 0, 0, 0));
    EXPECT_FALSE(cw.WaitForTop(absent.c_str(), 250));
    EXPECT_EQ((std::vector<std::string>{
                  FindTopFailure(absent, 0, -250), "ControlWindow|8|0|FindChild failed: " + absent,
                  FindTopFailure(absent, 0, -250),
                  "ControlWindow|8|0|PostMessageToTop failed: " + absent,
                  FindTopFailure(absent, 250, -250)}),
              log.m_lines);
    ASSERT_EQ(2u, clock.m_idleWaits.size());
    EXPECT_EQ(GetCurrentProcess(), clock.m_idleWaits[0].hProcess);
    EXPECT_EQ(INFINITE, clock.m_idleWaits[0].dwMilliseconds);
}
