#include "support/GTestWin.h"

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "framework/Handles.h"
#include "framework/WinApp.h"
#include "support/TestSupport.h"
#include "ui/ProgressWindow.h"
#include "ui/UiIds.h"

namespace {

const char kRegistryKey[] = "Quillon UI Tests";
const char kSettingsPath[] = "Software\\Quillon UI Tests";

std::string WindowText(HWND hWnd)
{
    char sz[1024] = "";
    GetWindowTextA(hWnd, sz, sizeof(sz));
    return sz;
}

RECT ChildRect(HWND hParent, int nID)
{
    RECT rc = {};
    GetWindowRect(GetDlgItem(hParent, nID), &rc);
    MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// An application object with a profile key of its own and a main window.
class ProgressTest : public testing::Test {
protected:
    void SetUp() override
    {
        testsupport::DeleteRegTree(HKEY_CURRENT_USER, kSettingsPath);
        m_app.SetRegistryKey(kRegistryKey);
        ASSERT_TRUE(m_main.CreateEx(0, nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 150,
                                    600, 400, nullptr, nullptr));
        m_app.m_pMainWnd = &m_main;
    }
    void TearDown() override
    {
        m_app.m_pMainWnd = nullptr;
        m_main.DestroyWindow();
        testsupport::DeleteRegTree(HKEY_CURRENT_USER, kSettingsPath);
    }
    int ProfileInt(const char* pszEntry) const
    {
        return static_cast<int>(m_app.GetProfileInt("Settings", pszEntry, -1));
    }
    // Whether the window's centre is the main window's, within a pixel.
    bool CentredOnMain(HWND hWnd) const
    {
        RECT rc, rcMain;
        GetWindowRect(hWnd, &rc);
        GetWindowRect(m_main.m_hWnd, &rcMain);
        return abs(rc.left + rc.right - rcMain.left - rcMain.right) <= 2 &&
               abs(rc.top + rc.bottom - rcMain.top - rcMain.bottom) <= 2;
    }

    CWinApp m_app;
    CWnd m_main;
};

}  // namespace

TEST_F(ProgressTest, CaptionShowsTheStoredTitleWithThePercentage)
{
    const struct {
        int nUpper;
        std::vector<std::string> captions;  // after each step of 1 from 0
    } cases[] = {
        {3, {"Progress [33%]", "Progress [67%]", "Progress [100%]"}},
        // Position 1 rounds to 0 %: the creation title stays.
        {300, {"AVC Progress", "Progress [1%]"}},
        // An empty range never changes the caption.
        {0, {"AVC Progress", "AVC Progress"}},
    };
    for (const auto& c : cases) {
        CProgressWindow progress;
        ASSERT_TRUE(progress.Create(nullptr, "AVC Progress", c.nUpper == 300));
        EXPECT_EQ(m_main.m_hWnd, GetWindow(progress.m_hWnd, GW_OWNER));
        EXPECT_EQ(c.nUpper == 300, (GetWindowLongA(GetDlgItem(progress.m_hWnd, IDC_PROGRESS_BAR), GWL_STYLE) &
                                    PBS_SMOOTH) != 0);
        progress.SetRange(0, c.nUpper, 1);
        for (size_t i = 0; i < c.captions.size(); ++i) {
            // Step gives the bar's previous position.
            EXPECT_EQ(c.nUpper == 0 ? 0 : static_cast<int>(i), progress.Step());
            EXPECT_EQ(c.captions[i], WindowText(progress.m_hWnd)) << c.nUpper << " " << i;
        }
    }
}

TEST_F(ProgressTest, ShownWithoutActivationTheBarLeftOfTheButtonInsideTheWindow)
{
    CProgressWindow progress;
    ASSERT_TRUE(progress.Create(&m_main, "AVC Progress", FALSE));
    HWND hWnd = progress.m_hWnd;
    EXPECT_TRUE(IsWindowVisible(hWnd));
    EXPECT_NE(hWnd, GetActiveWindow());
    EXPECT_NE(hWnd, GetForegroundWindow());

    RECT rcClient;
    GetClientRect(hWnd, &rcClient);
    const RECT rcText = ChildRect(hWnd, IDC_PROGRESS_TEXT);
    const RECT rcBar = ChildRect(hWnd, IDC_PROGRESS_BAR);
    const RECT rcButton = ChildRect(hWnd, IDC_PROGRESS_CANCEL);
    EXPECT_LE(rcText.bottom, rcButton.top);
    EXPECT_LT(rcBar.right, rcButton.left);
    EXPECT_TRUE(rcBar.top >= rcButton.top && rcBar.bottom <= rcButton.bottom);
    for (const RECT& rc : {rcText, rcBar, rcButton}) {
        RECT rcInside;
        EXPECT_TRUE(IntersectRect(&rcInside, &rc, &rcClient) && EqualRect(&rcInside, &rc));
    }

    // The background is the button face colour.
    CWindowDC screen(nullptr);
    CMemoryDC mem(screen);
    const CBitmapHandle bitmap(CreateCompatibleBitmap(screen, 8, 8));
    CSelectObject select(mem, bitmap);
    PatBlt(mem, 0, 0, 8, 8, BLACKNESS);
    EXPECT_NE(0, SendMessageA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem.Get()), 0));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), GetPixel(mem, 4, 4));
}

TEST_F(ProgressTest, CancelByButtonOrEscapeStopsThePump)
{
    // Keys go to another window of the program; the pump's translation makes
    // the character of a key.
    HWND hEdit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, m_main.m_hWnd,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hEdit);
    // {messages and keys posted (none: a click on the button), bEscapeCancels,
    // cancelled}: the Escape character cancels, and only when asked.
    const struct {
        std::vector<std::pair<UINT, WPARAM>> posted;
        BOOL bEscapeCancels;
        bool bCancelled;
    } cases[] = {{{{WM_KEYDOWN, VK_ESCAPE}}, FALSE, false}, {{{WM_KEYDOWN, VK_ESCAPE}}, TRUE, true},
                 {{{WM_CHAR, 'a'}, {WM_KEYUP, VK_ESCAPE}}, TRUE, false}, {{{WM_CHAR, VK_ESCAPE}}, TRUE, true},
                 {{}, TRUE, true}};
    for (const auto& c : cases) {
        CProgressWindow progress;
        ASSERT_TRUE(progress.Create(nullptr, "AVC Progress", FALSE));
        HWND hButton = GetDlgItem(progress.m_hWnd, IDC_PROGRESS_CANCEL);
        for (const auto& posted : c.posted)
            PostMessageA(hEdit, posted.first, posted.second, 0x00010001);
        if (c.posted.empty())
            SendMessageA(hButton, BM_CLICK, 0, 0);
        progress.PumpMessages(c.bEscapeCancels);
        EXPECT_EQ(c.bCancelled, progress.IsCancelled() != FALSE) << &c - cases;
        if (!c.bCancelled)
            continue;
        EXPECT_EQ("Wait", WindowText(hButton));
        EXPECT_FALSE(IsWindowEnabled(hButton));
        EXPECT_EQ(m_main.m_hWnd, GetForegroundWindow());
        // A cancelled window's pump leaves the queue alone.
        PostMessageA(m_main.m_hWnd, WM_NULL, 0, 0);
        progress.PumpMessages(TRUE);
        MSG msg;
        EXPECT_TRUE(PeekMessageA(&msg, m_main.m_hWnd, WM_NULL, WM_NULL, PM_REMOVE));
    }
    DestroyWindow(hEdit);
}

TEST_F(ProgressTest, PumpTakesEveryPendingMessageAndPostsQuitAgain)
{
    CProgressWindow progress;
    ASSERT_TRUE(progress.Create(nullptr, "AVC Progress", FALSE));
    testsupport::PumpFor(50);
    // Pending messages of any window of the thread are taken.
    MSG msg;
    PostMessageA(m_main.m_hWnd, WM_APP, 0, 0);
    PostMessageA(m_main.m_hWnd, WM_APP, 0, 0);
    progress.PumpMessages(TRUE);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_APP, WM_APP, PM_NOREMOVE));

    // A quit message ends the pump and is put back for the main loop; what
    // was posted before it is taken first (a quit comes only after those).
    PostMessageA(m_main.m_hWnd, WM_APP, 0, 0);
    PostQuitMessage(0);
    progress.PumpMessages(TRUE);
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message == WM_QUIT);
    EXPECT_FALSE(progress.IsCancelled());
}

TEST_F(ProgressTest, PositionIsSavedAndRestored)
{
    const auto move = [](const CProgressWindow& progress, int x, int y) {
        SetWindowPos(progress.m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    // Nothing saved: centred on the owner; destruction saves.
    {
        CProgressWindow progress;
        ASSERT_TRUE(progress.Create(&m_main, "AVC Progress", FALSE));
        EXPECT_TRUE(CentredOnMain(progress.m_hWnd));
        move(progress, 40, 60);
    }
    EXPECT_EQ(40, ProfileInt("X"));
    EXPECT_EQ(60, ProfileInt("Y"));
    {
        CProgressWindow progress;
        ASSERT_TRUE(progress.Create(&m_main, "AVC Progress", FALSE));
        RECT rc;
        GetWindowRect(progress.m_hWnd, &rc);
        EXPECT_TRUE(rc.left == 40 && rc.top == 60);
        // Cancel saves at once, DestroyWindow again.
        move(progress, 70, 90);
        SendMessageA(GetDlgItem(progress.m_hWnd, IDC_PROGRESS_CANCEL), BM_CLICK, 0, 0);
        EXPECT_TRUE(ProfileInt("X") == 70 && ProfileInt("Y") == 90);
        move(progress, 80, 100);
        EXPECT_TRUE(progress.DestroyWindow());
        EXPECT_TRUE(ProfileInt("X") == 80 && ProfileInt("Y") == 100);
        // Nothing is left to destroy or save.
        EXPECT_FALSE(progress.DestroyWindow());
        EXPECT_EQ(0, progress.SetPosition(7));
    }
    // A position off the screen: centred on the owner again.
    for (const POINT& pt : {POINT{GetSystemMetrics(SM_CXSCREEN) + 5, 10}, POINT{10, -3}}) {
        m_app.WriteProfileInt("Settings", "X", pt.x);
        m_app.WriteProfileInt("Settings", "Y", pt.y);
        CProgressWindow progress;
        ASSERT_TRUE(progress.Create(&m_main, "AVC Progress", FALSE));
        EXPECT_TRUE(CentredOnMain(progress.m_hWnd));
    }
}

TEST_F(ProgressTest, TextIsShownVerbatimAndCutSafely)
{
    CProgressWindow progress;
    ASSERT_TRUE(progress.Create(nullptr, "AVC Progress", FALSE));
    HWND hText = GetDlgItem(progress.m_hWnd, IDC_PROGRESS_TEXT);
    const char kPath[] = "C:\\Music\\100% & 50%s\\track %d.mp3";
    progress.SetText("%d of %d\n%s", 2, 3, kPath);
    EXPECT_EQ(std::string("2 of 3\n") + kPath, WindowText(hText));
    EXPECT_TRUE(GetWindowLongA(hText, GWL_STYLE) & SS_NOPREFIX);

    const std::string longLine(600, 'x');
    progress.SetText("%s", longLine.c_str());
    EXPECT_EQ(std::string(CProgressWindow::kTextBufferSize - 1, 'x'), WindowText(hText));
}
