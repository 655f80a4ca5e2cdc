#include "support/GTestWin.h"

#include <memory>
#include <string>

#include "TestWindows.h"
#include "automation/ControlWindow.h"
#include "support/LogRecorder.h"
#include "support/RecordingPrompt.h"
#include "support/TestSupport.h"
#include "support/VirtualClock.h"

using automationtest::TestWindow;
using automationtest::UniqueTitle;
using testsupport::LogRecorder;
using testsupport::RecordingPrompt;
using testsupport::VirtualClock;

namespace {

std::string FindTopFailure(const std::string& title, int nOrig, int nNow)
{
    return "ControlWindow|8|0|FindTop failed, timeout: " + title + " (orig=" +
           std::to_string(nOrig) + ", wait=250, now=" + std::to_string(nNow) + ")";
}

}  // namespace

TEST(ControlWindow, FindTopChargesEachFailedLookupAgainstTheTimeout)
{
    const std::string title = UniqueTitle("Absent");
    ControlWindow cw;
    EXPECT_EQ(250, cw.m_nWait);
    EXPECT_EQ(nullptr, cw.m_hProcess);
    EXPECT_EQ(0xFFFFFFFFu, ControlWindow::s_dwIdleTimeout);

    struct Case {
        int nTimeout;
        size_t nPauses;  // one fewer than the lookups
        int nNow;
    };
    for (const Case& c : {Case{0, 0, -250}, Case{2000, 8, -250}, Case{30000, 120, -250},
                          Case{2100, 8, -150}, Case{-5, 0, -255}}) {
        SCOPED_TRACE(c.nTimeout);
        LogRecorder log;
        VirtualClock clock;
        EXPECT_EQ(nullptr, cw.FindTop(title.c_str(), c.nTimeout));
        EXPECT_EQ(c.nPauses, clock.m_sleeps.size());
        EXPECT_EQ(c.nPauses, clock.SleepsOf(250));
        ASSERT_EQ(1u, log.m_lines.size());
        EXPECT_EQ(FindTopFailure(title, c.nTimeout, c.nNow), log.m_lines[0]);
    }

    // A matching but disabled window is read once per lookup: 9 lookups for
    // 2000 ms, each one a "disabled" notice.
    LogRecorder log;
    VirtualClock clock;
    TestWindow wnd(title);
    wnd.Enable(false);
    wnd.m_nTextReads = 0;
    EXPECT_EQ(nullptr, cw.FindTop(title.c_str(), 2000));
    EXPECT_EQ(9, wnd.m_nTextReads);
    EXPECT_EQ(9u, log.Count("findapp|2|0|GetWindowHandle failed, window disabled"));
    EXPECT_EQ(1u, log.Count(FindTopFailure(title, 2000, -250)));
    EXPECT_EQ(2000u, clock.Now());
    EXPECT_TRUE(clock.m_idleWaits.empty());
}

TEST(ControlWindow, FindTopPollsUntilTheWindowIsThereAndEnabled)
{
    const std::string title = UniqueTitle("Poll");
    ControlWindow cw;
    LogRecorder log;
    VirtualClock clock;

    // Disabled at first (a dialog under a modal child, say), enabled after
    // the third pause.
    TestWindow wnd(title);
    wnd.Enable(false);
    clock.m_onSleep = [&] {
        if (clock.m_sleeps.size() == 3)
            wnd.Enable(true);
    };
    EXPECT_EQ(wnd.Handle(), cw.FindTop(title.c_str(), 30000));
    EXPECT_EQ(3u, clock.m_sleeps.size());
    EXPECT_EQ(3u, log.m_lines.size());
    EXPECT_EQ(0u, log.CountContaining("FindTop failed"));

    // Created only after the fifth pause of a later lookup.
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
    EXPECT_TRUE(clock.m_idleWaits.empty());
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
        ASSERT_EQ(1u, log.m_lines.size());
        EXPECT_EQ(FindTopFailure(title, 2000, -250), log.m_lines[0]);
    }
    {
        // It shows up at the ninth lookup and goes after another 100 pauses:
        // exactly one FindTop failure, from the lookup that misses it.
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
        ASSERT_EQ(1u, log.m_lines.size());
        EXPECT_EQ(FindTopFailure(title, 0, -250), log.m_lines[0]);
    }
    {
        // It stays: one lookup to appear and 2401 while waiting for it to go.
        LogRecorder log;
        VirtualClock clock;
        TestWindow wnd(title);
        wnd.m_nTextReads = 0;
        EXPECT_FALSE(cw.WaitForTopToVanish(title.c_str(), 2000, 600000));
        EXPECT_EQ(2402, wnd.m_nTextReads);
        EXPECT_EQ(2400u, clock.SleepsOf(250));
        EXPECT_EQ(2400u, clock.m_sleeps.size());
        EXPECT_TRUE(log.m_lines.empty());

        // A negative vanish budget gives up once it has appeared.
        clock.m_sleeps.clear();
        wnd.m_nTextReads = 0;
        EXPECT_FALSE(cw.WaitForTopToVanish(title.c_str(), 2000, -1));
        EXPECT_EQ(1, wnd.m_nTextReads);
        EXPECT_TRUE(clock.m_sleeps.empty());
        EXPECT_TRUE(clock.m_idleWaits.empty());
    }
}

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

    // "&Yes" is not "Yes": searched every 250 ms with plain pauses until the
    // budget is used up; nothing is posted.
    EXPECT_FALSE(cw.ClickChildButton(title.c_str(), "&Yes", 1000));
    EXPECT_EQ((std::vector<DWORD>{250, 250, 250, 250}), clock.m_sleeps);
    ASSERT_EQ(1u, log.m_lines.size());
    EXPECT_EQ("ControlWindow|8|0|ClickChildButton failed getting child: &Yes", log.m_lines[0]);
    testsupport::PumpFor(50);
    EXPECT_TRUE(dlg.m_messages.empty());

    // "OK" takes the first push button whose text begins with it, inside a
    // panel, past a label and a field that begin with "OK"; the click comes
    // as WM_COMMAND with its id and BN_CLICKED, posted to the top window.
    log.Clear();
    clock.m_sleeps.clear();
    EXPECT_TRUE(cw.ClickChildButton(title.c_str(), "OK", 1000));
    EXPECT_TRUE(clock.m_sleeps.empty());
    EXPECT_TRUE(dlg.m_messages.empty());  // posted, not sent
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !dlg.m_messages.empty(); }, 2000));
    ASSERT_EQ(1u, dlg.m_messages.size());
    EXPECT_EQ(static_cast<UINT>(WM_COMMAND), dlg.m_messages[0].nMsg);
    EXPECT_EQ(MAKEWPARAM(IDOK, BN_CLICKED), dlg.m_messages[0].wParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(hOk), dlg.m_messages[0].lParam);
    EXPECT_TRUE(log.m_lines.empty());

    // A question of the same title that comes up over the dialog while the
    // budget lasts: its button is found there and the click goes to it.
    log.Clear();
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
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !box->m_messages.empty(); }, 2000));
    EXPECT_EQ(MAKEWPARAM(IDNO, BN_CLICKED), box->m_messages[0].wParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(hNo), box->m_messages[0].lParam);
    clock.m_onSleep = nullptr;
    box.reset();

    // No top window at all.
    log.Clear();
    const std::string absent = UniqueTitle("Nowhere");
    EXPECT_FALSE(cw.ClickChildButton(absent.c_str(), "OK", 500));
    ASSERT_EQ(2u, log.m_lines.size());
    EXPECT_EQ(FindTopFailure(absent, 500, -250), log.m_lines[0]);
    EXPECT_EQ("ControlWindow|8|0|ClickChildButton failed finding top: " + absent, log.m_lines[1]);
    EXPECT_TRUE(clock.m_idleWaits.empty());
}

TEST(ControlWindow, ClickChildButtonWithATopWindowThatTookTheWholeBudgetClicksNothing)
{
    const std::string title = UniqueTitle("Slow");
    ControlWindow cw;
    LogRecorder log;
    VirtualClock clock;
    std::unique_ptr<TestWindow> dlg;
    // The window with its OK button comes at 1000 ms: found by FindTop's
    // fifth and last lookup, with no time left for the button.
    clock.m_onSleep = [&] {
        if (clock.Now() == 1000) {
            dlg = std::make_unique<TestWindow>(title);
            dlg->AddChild("BUTTON", "OK", IDOK);
        }
    };
    EXPECT_FALSE(cw.ClickChildButton(title.c_str(), "OK", 1000));
    ASSERT_TRUE(dlg);
    EXPECT_EQ(4u, clock.m_sleeps.size());
    ASSERT_EQ(1u, log.m_lines.size());
    EXPECT_EQ("ControlWindow|8|0|ClickChildButton failed getting child: OK", log.m_lines[0]);
    testsupport::PumpFor(50);
    EXPECT_TRUE(dlg->m_messages.empty());
}

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
    EXPECT_TRUE(clock.m_sleeps.empty());
    // A control that comes after its window's title is waited for within the
    // time-out; one that never comes uses it up.
    HWND hLate = nullptr;
    clock.m_onSleep = [&] {
        if (clock.m_sleeps.size() == 2)
            hLate = wnd.AddChild("EDIT", "", 1150);
    };
    HWND hFound = cw.FindChild(title.c_str(), 1150, 1000);
    EXPECT_EQ(hLate, hFound);
    EXPECT_EQ(2u, clock.m_sleeps.size());
    EXPECT_EQ(nullptr, cw.FindChild(title.c_str(), 1151, 1000));
    EXPECT_EQ(6u, clock.m_sleeps.size());
    clock.m_onSleep = nullptr;
    EXPECT_TRUE(log.m_lines.empty());

    EXPECT_TRUE(cw.PostMessageToTop(title.c_str(), WM_APP + 7, 1133, 42, 0));
    EXPECT_TRUE(wnd.m_messages.empty());
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !wnd.m_messages.empty(); }, 2000));
    EXPECT_EQ(static_cast<UINT>(WM_APP + 7), wnd.m_messages[0].nMsg);
    EXPECT_EQ(1133u, wnd.m_messages[0].wParam);
    EXPECT_EQ(42, wnd.m_messages[0].lParam);

    EXPECT_TRUE(cw.WaitForTop(title.c_str(), 0));
    EXPECT_TRUE(log.m_lines.empty());

    const std::string absent = UniqueTitle("Gone");
    EXPECT_EQ(nullptr, cw.FindChild(absent.c_str(), 1148, 0));
    EXPECT_FALSE(cw.PostMessageToTop(absent.c_str(), WM_APP + 7, 0, 0, 0));
    EXPECT_FALSE(cw.WaitForTop(absent.c_str(), 250));
    ASSERT_EQ(5u, log.m_lines.size());
    EXPECT_EQ(FindTopFailure(absent, 0, -250), log.m_lines[0]);
    EXPECT_EQ("ControlWindow|8|0|FindChild failed: " + absent, log.m_lines[1]);
    EXPECT_EQ(FindTopFailure(absent, 0, -250), log.m_lines[2]);
    EXPECT_EQ("ControlWindow|8|0|PostMessageToTop failed: " + absent, log.m_lines[3]);
    EXPECT_EQ(FindTopFailure(absent, 250, -250), log.m_lines[4]);

    // Nothing was started, so nothing waited for idleness.
    EXPECT_EQ(4, cw.SendToWindow(hEdit, WM_GETTEXTLENGTH, 0, 0));
    EXPECT_TRUE(clock.m_idleWaits.empty());
}

TEST(ControlWindow, NoIdleWaitBeforeOrAfterAFailedLaunch)
{
    const std::string title = UniqueTitle("Idle");
    TestWindow wnd(title);
    HWND hButton = wnd.AddChild("BUTTON", "OK", IDOK);
    LogRecorder log;
    VirtualClock clock;
    RecordingPrompt prompt;

    auto useEverything = [&](ControlWindow& cw) {
        EXPECT_NE(nullptr, cw.FindTop(title.c_str(), 0));
        EXPECT_NE(nullptr, cw.FindChild(title.c_str(), IDOK, 0));
        EXPECT_TRUE(cw.PostMessageToTop(title.c_str(), WM_NULL, 0, 0, 0));
        EXPECT_TRUE(cw.ClickChildButton(title.c_str(), "OK", 250));
        EXPECT_TRUE(cw.WaitForTop(title.c_str(), 0));
        EXPECT_FALSE(cw.WaitForTopToVanish(title.c_str(), 0, 0));
        EXPECT_EQ(2, cw.SendToWindow(hButton, WM_GETTEXTLENGTH, 0, 0));
    };

    ControlWindow before;
    useEverything(before);
    EXPECT_TRUE(clock.m_idleWaits.empty());

    ControlWindow failed;
    EXPECT_EQ(-1, failed.Launch("C:\\no such folder\\no such program.exe", "\"x.mp3\""));
    EXPECT_EQ(nullptr, failed.m_hProcess);
    ASSERT_EQ(1u, prompt.m_texts.size());
    EXPECT_EQ("CreateProcess failed", prompt.m_texts[0]);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONWARNING), prompt.m_types[0]);
    useEverything(failed);
    EXPECT_TRUE(clock.m_idleWaits.empty());
    testsupport::PumpFor(20);
}
