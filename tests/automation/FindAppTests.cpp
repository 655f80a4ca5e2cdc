#include "support/GTestWin.h"

#include <string>

#include "TestWindows.h"
#include "automation/FindApp.h"
#include "support/LogRecorder.h"
#include "support/VirtualClock.h"

using automationtest::EnumeratedBefore;
using automationtest::TestWindow;
using automationtest::UniqueTitle;
using testsupport::LogRecorder;
using testsupport::VirtualClock;

namespace {

const std::string kDisabledLine = "findapp|2|0|GetWindowHandle failed, window disabled";

}  // namespace

TEST(FindApp, TitlesMatchAsCaseSensitivePrefixesFromTheLastTitleDown)
{
    FindApp none(nullptr);
    EXPECT_TRUE(none.m_titles.empty());
    EXPECT_EQ(-1, none.MatchTitle("anything"));
    EXPECT_EQ(-1, none.AddTitle(nullptr));
    EXPECT_TRUE(none.m_titles.empty());

    FindApp app("A");
    EXPECT_EQ(1, app.AddTitle("AB"));
    EXPECT_EQ(-1, app.AddTitle(nullptr));
    ASSERT_EQ(2u, app.m_titles.size());
    EXPECT_EQ(1, app.MatchTitle("ABC"));  // both match: the later title is reported
    EXPECT_EQ(1, app.MatchTitle("AB"));
    EXPECT_EQ(0, app.MatchTitle("AX"));
    EXPECT_EQ(0, app.MatchTitle("A"));
    EXPECT_EQ(-1, app.MatchTitle(""));    // a title longer than the text never matches
    EXPECT_EQ(-1, app.MatchTitle("abc"));  // case-sensitive
    EXPECT_EQ(-1, app.MatchTitle("XA"));
    EXPECT_EQ(2, app.AddTitle(""));
    EXPECT_EQ(2, app.MatchTitle("whatever"));  // an empty title matches every text
    EXPECT_EQ(2, app.MatchTitle(""));
}

TEST(FindApp, TopLevelLookupTakesTheLowestTitleIndexAndSeesHiddenWindows)
{
    LogRecorder log;
    const std::string a = UniqueTitle("A");
    TestWindow ax(a + "X", false);  // hidden
    TestWindow abc(a + "BC");
    abc.BringToTop();
    ASSERT_TRUE(EnumeratedBefore(abc.Handle(), ax.Handle()));

    FindApp app(a.c_str());
    app.AddTitle((a + "B").c_str());
    // ABC is seen first and matches index 1; the hidden AX after it matches
    // index 0 and wins.
    EXPECT_EQ(ax.Handle(), app.GetWindowHandle());
    EXPECT_EQ(ax.Handle(), app.m_hWndFound);
    EXPECT_EQ(0, app.m_nBestIndex);

    ax.Destroy();
    EXPECT_EQ(abc.Handle(), app.GetWindowHandle());
    EXPECT_EQ(1, app.m_nBestIndex);

    // Case matters: the same title in lower case finds nothing.
    std::string lower = a + "bc";
    for (auto& c : lower)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    FindApp lowerApp(lower.c_str());
    EXPECT_EQ(nullptr, lowerApp.GetWindowHandle());
    EXPECT_EQ(-1, lowerApp.m_nBestIndex);

    // No titles: nothing is found, though windows exist.
    FindApp empty(nullptr);
    EXPECT_EQ(nullptr, empty.GetWindowHandle());

    // Filters: the window passed over, owned windows, windows of another process.
    TestWindow owned(a + "BD");
    SetWindowLongPtrA(owned.Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(abc.Handle()));
    owned.BringToTop();
    EXPECT_EQ(owned.Handle(), app.GetWindowHandle());
    app.m_bUnownedOnly = true;
    EXPECT_EQ(abc.Handle(), app.GetWindowHandle());
    app.m_hWndExcluded = abc.Handle();
    EXPECT_EQ(nullptr, app.GetWindowHandle());
    app.m_hWndExcluded = nullptr;
    app.m_dwProcessId = GetCurrentProcessId() + 4;
    EXPECT_EQ(nullptr, app.GetWindowHandle());
    app.m_dwProcessId = GetCurrentProcessId();
    EXPECT_EQ(abc.Handle(), app.GetWindowHandle());
    owned.Destroy();

    abc.Destroy();
    EXPECT_EQ(nullptr, app.GetWindowHandle());
    EXPECT_EQ(-1, app.m_nBestIndex);
    EXPECT_TRUE(log.m_lines.empty());
}

TEST(FindApp, OnlyTheFirst259CharactersOfATitleTakePart)
{
    const std::string title = UniqueTitle("long ") + std::string(300, 'x');
    TestWindow wnd(title);
    FindApp fits(title.substr(0, 259).c_str());
    EXPECT_EQ(wnd.Handle(), fits.GetWindowHandle());
    FindApp tooLong(title.substr(0, 260).c_str());
    EXPECT_EQ(nullptr, tooLong.GetWindowHandle());
}

TEST(FindApp, AmongEqualTitlesTheFirstEnumeratedWinsAndMustBeEnabled)
{
    LogRecorder log;
    const std::string title = UniqueTitle("Same");
    TestWindow second(title);
    TestWindow first(title);
    first.BringToTop();
    ASSERT_TRUE(EnumeratedBefore(first.Handle(), second.Handle()));

    FindApp app(title.c_str());
    EXPECT_EQ(first.Handle(), app.GetWindowHandle());
    EXPECT_TRUE(log.m_lines.empty());

    // The winner is disabled: no result, though the other one is enabled.
    first.Enable(false);
    EXPECT_EQ(nullptr, app.GetWindowHandle());
    EXPECT_EQ(nullptr, app.m_hWndFound);
    ASSERT_EQ(1u, log.m_lines.size());
    EXPECT_EQ(kDisabledLine, log.m_lines[0]);

    // The enabled one on top wins again.
    second.BringToTop();
    EXPECT_EQ(second.Handle(), app.GetWindowHandle());
    EXPECT_EQ(1u, log.m_lines.size());
}

TEST(FindApp, ChildLookupTakesTheFirstDescendantWhoseTextBeginsWithThePrefix)
{
    TestWindow dlg(UniqueTitle("Dialog"));
    HWND hPanel = dlg.AddChild("PANEL", "", 300);
    HWND hStatic = dlg.AddChild("STATIC", "OK to go", 201, hPanel);
    HWND hOk = dlg.AddChild("BUTTON", "OK", IDOK, hPanel);
    HWND hYes = dlg.AddChild("BUTTON", "Yes", 6);
    HWND hSave = dlg.AddChild("BUTTON", "&Save", 7);

    FindApp app(nullptr);
    int nId = -5;
    EXPECT_EQ(hStatic, app.FindChildByText(dlg.Handle(), "OK", &nId));  // a grandchild
    EXPECT_EQ(201, nId);
    EXPECT_EQ(hStatic, app.m_hWndChild);
    EXPECT_EQ("OK", app.m_strChildText);

    EXPECT_EQ(hYes, app.FindChildByText(dlg.Handle(), "Yes", &nId));
    EXPECT_EQ(6, nId);
    EXPECT_EQ(hSave, app.FindChildByText(dlg.Handle(), "&Save", &nId));
    EXPECT_EQ(7, nId);

    // The mnemonic ampersand is part of the text; case matters; a prefix
    // longer than the text does not match. The id stays untouched.
    nId = -5;
    EXPECT_EQ(nullptr, app.FindChildByText(dlg.Handle(), "&Yes", &nId));
    EXPECT_EQ(nullptr, app.FindChildByText(dlg.Handle(), "Save", &nId));
    EXPECT_EQ(nullptr, app.FindChildByText(dlg.Handle(), "ok", &nId));
    EXPECT_EQ(nullptr, app.FindChildByText(dlg.Handle(), "OK to go!", &nId));
    EXPECT_EQ(nullptr, app.m_hWndChild);
    EXPECT_EQ(-5, nId);

    // Asked for push buttons only, the static label is passed over.
    EXPECT_EQ(hOk, app.FindChildByText(dlg.Handle(), "OK", &nId, true));
    EXPECT_EQ(IDOK, nId);
    EXPECT_EQ(nullptr, app.FindChildByText(dlg.Handle(), "OK to", &nId, true));

    // After the static label is gone, the button is the first "OK".
    DestroyWindow(hStatic);
    EXPECT_EQ(hOk, app.FindChildByText(dlg.Handle(), "OK", &nId));
    EXPECT_EQ(IDOK, nId);
}

TEST(SleepTicks, ZeroYieldsOnceAndOtherwiseWaitsTheFullTicksAcrossTheWrap)
{
    {
        VirtualClock clock(1000);
        SleepTicks(0);
        ASSERT_EQ(1u, clock.m_sleeps.size());
        EXPECT_EQ(0u, clock.m_sleeps[0]);
        EXPECT_EQ(1000u, clock.Now());
    }
    {
        // Pauses end early (100 ticks at most) and the counter wraps on the way.
        VirtualClock clock(0xFFFFFF80u);
        clock.m_dwMaxStep = 100;
        SleepTicks(250);
        EXPECT_EQ(250u, clock.Now() - 0xFFFFFF80u);
        EXPECT_EQ((std::vector<DWORD>{250, 150, 50}), clock.m_sleeps);
    }
    {
        // A pause that overshoots is not repeated.
        VirtualClock clock(0xFFFFFFFFu);
        SleepTicks(250);
        EXPECT_EQ((std::vector<DWORD>{250}), clock.m_sleeps);
    }
    {
        // The real clock.
        const DWORD dwStart = GetTickCount();
        SleepTicks(250);
        EXPECT_GE(GetTickCount() - dwStart, 250u);
    }
}
