// Finding windows: titles as prefixes, the top-level lookup with its
// filters, the child lookup by text, and the automation's pause.
#include "support/GTestWin.h"

#include <string>
#include <vector>

#include "TestWindows.h"
#include "automation/FindApp.h"
#include "support/LogRecorder.h"
#include "support/VirtualClock.h"

using automationtest::TestWindow;
using automationtest::UniqueTitle;

// Titles are case-sensitive prefixes, matched from the last title down; a
// title longer than the text never matches, an empty one matches every text.
TEST(FindApp, TitlesMatchAsCaseSensitivePrefixesFromTheLastTitleDown)
{
    const struct {
        std::vector<const char*> titles;
        const char* pszText;
        int nIndex;
    } cases[] = {
        {{}, "anything", -1},     {{"A", "AB"}, "ABC", 1}, {{"A", "AB"}, "AB", 1},
        {{"A", "AB"}, "AX", 0},   {{"A", "AB"}, "A", 0},   {{"A", "AB"}, "", -1},
        {{"A", "AB"}, "abc", -1}, {{"A", "AB"}, "XA", -1}, {{"A", "AB", ""}, "whatever", 2},
        {{"A", nullptr}, "", -1}, {{"A"}, nullptr, -1},
    };
    for (const auto& c : cases) {
        FindApp app(nullptr);
        for (const char* pszTitle : c.titles)
            app.AddTitle(pszTitle);
        EXPECT_EQ(c.nIndex, app.MatchTitle(c.pszText)) << (c.pszText ? c.pszText : "(null)");
    }
}

TEST(FindApp, TopLevelLookupTakesTheLowestTitleIndexAmongWindowsThatPassTheFilters)
{
    testsupport::LogRecorder log;
    const std::string a = UniqueTitle("A");
    TestWindow ax(a + "X", false);  // hidden
    TestWindow abc(a + "BC");
    TestWindow owned(a + "BD");
    SetWindowLongPtrA(owned.Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(abc.Handle()));
    abc.BringToTop();
    owned.BringToTop();
    FindApp app(a.c_str());
    app.AddTitle((a + "B").c_str());
    // The hidden AX comes last but matches index 0.
    EXPECT_EQ(ax.Handle(), app.GetWindowHandle());
    EXPECT_EQ(0, app.m_nBestIndex);
    ax.Destroy();
    // Among equal indexes the first enumerated wins.
    EXPECT_EQ(owned.Handle(), app.GetWindowHandle());
    EXPECT_EQ(1, app.m_nBestIndex);
    // Filters: owned windows, the window passed over, another process.
    app.m_bUnownedOnly = true;
    EXPECT_EQ(abc.Handle(), app.GetWindowHandle());
    app.m_hWndExcluded = abc.Handle();
    EXPECT_EQ(nullptr, app.GetWindowHandle());
    app.m_hWndExcluded = nullptr;
    app.m_dwProcessId = GetCurrentProcessId() + 4;
    EXPECT_EQ(nullptr, app.GetWindowHandle());
    app.m_dwProcessId = GetCurrentProcessId();
    app.m_bUnownedOnly = false;
    EXPECT_TRUE(log.m_lines.empty());
    // Only the winner must be enabled: while it is not, nothing is found.
    owned.Enable(false);
    EXPECT_EQ(nullptr, app.GetWindowHandle());
    EXPECT_EQ(nullptr, app.m_hWndFound);
    EXPECT_EQ(std::vector<std::string>{"findapp|2|0|GetWindowHandle failed, window disabled"},
              log.m_lines);
    // Only the first 259 characters of a title take part.
    const std::string title = UniqueTitle("long ") + std::string(300, 'x');
    TestWindow wnd(title);
    EXPECT_EQ(wnd.Handle(), FindApp(title.substr(0, 259).c_str()).GetWindowHandle());
    EXPECT_EQ(nullptr, FindApp(title.substr(0, 260).c_str()).GetWindowHandle());
}

// Through children of children, in the system's order; the mnemonic
// ampersand is part of the text and case matters; the id is left alone
// when nothing is found.
TEST(FindApp, ChildLookupTakesTheFirstDescendantWhoseTextBeginsWithThePrefix)
{
    TestWindow dlg(UniqueTitle("Dialog"));
    HWND hPanel = dlg.AddChild("PANEL", "", 300);
    HWND hStatic = dlg.AddChild("STATIC", "OK to go", 201, hPanel);
    HWND hOk = dlg.AddChild("BUTTON", "OK", IDOK, hPanel);
    HWND hYes = dlg.AddChild("BUTTON", "&Yes", IDYES);
    const struct {
        const char* pszText;
        bool bPushButtonsOnly;
        HWND hFound;
        int nId;
    } cases[] = {
        {"OK", false, hStatic, 201},  {"OK", true, hOk, IDOK},    {"OK to", true, nullptr, -5},
        {"&Yes", false, hYes, IDYES}, {"Yes", false, nullptr, -5}, {"ok", false, nullptr, -5},
        {"OK to go!", false, nullptr, -5},
    };
    FindApp app(nullptr);
    for (const auto& c : cases) {
        int nId = -5;
        EXPECT_EQ(c.hFound, app.FindChildByText(dlg.Handle(), c.pszText, &nId, c.bPushButtonsOnly))
            << c.pszText << c.bPushButtonsOnly;
        EXPECT_EQ(c.nId, nId);
    }
}

// Zero yields once; otherwise the full ticks pass, across the counter's wrap,
// pause after pause when they end early, never repeating one that overshot.
TEST(SleepTicks, ZeroYieldsOnceAndOtherwiseWaitsTheFullTicksAcrossTheWrap)
{
    const struct {
        DWORD dwStart, dwMaxStep, dwTicks;
        std::vector<DWORD> sleeps;
    } cases[] = {
        {1000, 0xFFFFFFFF, 0, {0}},
        {0xFFFFFF80u, 100, 250, {250, 150, 50}},
        {0xFFFFFFFFu, 0xFFFFFFFF, 250, {250}},
    };
    for (const auto& c : cases) {
        testsupport::VirtualClock clock(c.dwStart);
        clock.m_dwMaxStep = c.dwMaxStep;
        SleepTicks(c.dwTicks);
        EXPECT_EQ(c.sleeps, clock.m_sleeps);
        EXPECT_EQ(c.dwTicks, clock.Now() - c.dwStart);
    }
}
