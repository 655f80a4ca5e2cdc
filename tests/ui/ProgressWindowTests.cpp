#include "support/GTestWin.h"

#include <commctrl.h>

#include <string>

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
    HWND hChild = GetDlgItem(hParent, nID);
    GetWindowRect(hChild, &rc);
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

    CWinApp m_app;
    CWnd m_main;
};

constexpr UINT kCountMessage = WM_APP + 7;

// Counts the messages posted to it.
class CountingWnd : public CWnd {
public:
    int m_nCount = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingWnd, CWnd)
    ON_MESSAGE_BODY(kCountMessage, ++pThis->m_nCount; return 0;)
END_MESSAGE_MAP()

void ExpectCentredOn(HWND hWnd, HWND hOwner)
{
    RECT rc;
    RECT rcOwner;
    GetWindowRect(hWnd, &rc);
    GetWindowRect(hOwner, &rcOwner);
    EXPECT_NEAR((rcOwner.left + rcOwner.right) / 2, (rc.left + rc.right) / 2, 1);
    EXPECT_NEAR((rcOwner.top + rcOwner.bottom) / 2, (rc.top + rc.bottom) / 2, 1);
}

}  // namespace

TEST_F(ProgressTest, CaptionShowsTheStoredTitleWithThePercentage)
{
    CProgressWindow progress;
    ASSERT_TRUE(progress.Create(nullptr, "AVC Progress", FALSE));
    EXPECT_EQ(m_main.m_hWnd, GetWindow(progress.m_hWnd, GW_OWNER));
    EXPECT_EQ("AVC Progress", WindowText(progress.m_hWnd));

    // Range 0..3 step 1: a third at a time; Step returns the bar's previous position.
    progress.SetRange(0, 3, 1);
    EXPECT_EQ(0, progress.Step());
    EXPECT_EQ("Progress [33%]", WindowText(progress.m_hWnd));
    EXPECT_EQ(1, progress.Step());
    EXPECT_EQ("Progress [67%]", WindowText(progress.m_hWnd));
    EXPECT_EQ(2, progress.Step());
    EXPECT_EQ("Progress [100%]", WindowText(progress.m_hWnd));
    EXPECT_EQ(3, SendMessageA(GetDlgItem(progress.m_hWnd, IDC_PROGRESS_BAR), PBM_GETPOS, 0, 0));
    progress.DestroyWindow();

    // Range 0..300: position 1 rounds to 0 %, so the creation title stays.
    CProgressWindow slow;
    ASSERT_TRUE(slow.Create(nullptr, "AVC Progress", TRUE));
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(slow.m_hWnd, IDC_PROGRESS_BAR), GWL_STYLE) & PBS_SMOOTH);
    slow.SetRange(0, 300, 1);
    slow.Step();
    EXPECT_EQ("AVC Progress", WindowText(slow.m_hWnd));
    slow.Step();
    EXPECT_EQ("Progress [1%]", WindowText(slow.m_hWnd));
    slow.DestroyWindow();

    // An empty range never changes the caption.
    CProgressWindow empty;
    ASSERT_TRUE(empty.Create(nullptr, "AVC Progress", FALSE));
    empty.SetRange(5, 5, 1);
    for (int i = 0; i < 4; ++i)
        empty.Step();
    empty.SetPosition(-20);
    EXPECT_EQ("AVC Progress", WindowText(empty.m_hWnd));
}

TEST_F(ProgressTest, LayoutGivesFourLinesAcrossAndTheBarLeftOfTheButton)
{
    CProgressWindow progress;
    ASSERT_TRUE(progress.Create(&m_main, "AVC Progress", FALSE));
    HWND hWnd = progress.m_hWnd;

    // Shown without taking the activation.
    EXPECT_TRUE(IsWindowVisible(hWnd));
    EXPECT_NE(hWnd, GetActiveWindow());
    EXPECT_NE(hWnd, GetForegroundWindow());
    EXPECT_EQ(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST,
              GetWindowLongA(hWnd, GWL_EXSTYLE) & (WS_EX_DLGMODALFRAME | WS_EX_TOPMOST));

    RECT rcClient;
    GetClientRect(hWnd, &rcClient);
    EXPECT_EQ(410, rcClient.right);

    const RECT rcText = ChildRect(hWnd, IDC_PROGRESS_TEXT);
    const RECT rcBar = ChildRect(hWnd, IDC_PROGRESS_BAR);
    const RECT rcButton = ChildRect(hWnd, IDC_PROGRESS_CANCEL);
    EXPECT_EQ(10, rcText.left);
    EXPECT_EQ(10, rcText.top);
    EXPECT_EQ(390, rcText.right - rcText.left);

    // Four lines of the text area's font.
    HFONT hFont = reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(hWnd, IDC_PROGRESS_TEXT), WM_GETFONT, 0, 0));
    ASSERT_NE(nullptr, hFont);
    HDC hDC = GetDC(hWnd);
    HGDIOBJ hOld = SelectObject(hDC, hFont);
    TEXTMETRICA tm;
    GetTextMetricsA(hDC, &tm);
    SIZE sizeLabel;
    GetTextExtentPoint32A(hDC, " Cancel   ", 10, &sizeLabel);
    SelectObject(hDC, hOld);
    ReleaseDC(hWnd, hDC);
    EXPECT_EQ(4 * tm.tmHeight, rcText.bottom - rcText.top);

    // The button below the text's right end, the bar filling the row to its left.
    EXPECT_EQ(rcText.right, rcButton.right);
    EXPECT_EQ(rcText.bottom + 10, rcButton.top);
    EXPECT_EQ(sizeLabel.cx + 4 * GetSystemMetrics(SM_CXEDGE), rcButton.right - rcButton.left);
    EXPECT_EQ(sizeLabel.cy + 3 * GetSystemMetrics(SM_CYEDGE), rcButton.bottom - rcButton.top);
    EXPECT_EQ(rcText.left, rcBar.left);
    EXPECT_EQ(rcButton.left - 10, rcBar.right);
    EXPECT_EQ(rcButton.top + GetSystemMetrics(SM_CYEDGE), rcBar.top);
    EXPECT_EQ(rcButton.bottom - GetSystemMetrics(SM_CYEDGE), rcBar.bottom);
    EXPECT_EQ(rcButton.bottom + 10, rcClient.bottom);
    EXPECT_EQ(" Cancel ", WindowText(GetDlgItem(hWnd, IDC_PROGRESS_CANCEL)));

    // The background is the button face colour.
    HDC hScreen = GetDC(nullptr);
    HDC hMem = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, 8, 8);
    HGDIOBJ hOldBitmap = SelectObject(hMem, hBitmap);
    PatBlt(hMem, 0, 0, 8, 8, BLACKNESS);
    EXPECT_NE(0, SendMessageA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hMem), 0));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), GetPixel(hMem, 4, 4));
    SelectObject(hMem, hOldBitmap);
    DeleteObject(hBitmap);
    DeleteDC(hMem);
    ReleaseDC(nullptr, hScreen);
}

TEST_F(ProgressTest, CancelByButtonOrEscapeStopsThePump)
{
    // The button.
    {
        CProgressWindow progress;
        ASSERT_TRUE(progress.Create(nullptr, "AVC Progress", FALSE));
        HWND hButton = GetDlgItem(progress.m_hWnd, IDC_PROGRESS_CANCEL);
        SendMessageA(hButton, BM_CLICK, 0, 0);
        EXPECT_TRUE(progress.IsCancelled());
        EXPECT_EQ("Wait", WindowText(hButton));
        EXPECT_FALSE(IsWindowEnabled(hButton));
        EXPECT_EQ(m_main.m_hWnd, GetForegroundWindow());

        // A cancelled window's pump leaves the queue alone.
        PostMessageA(m_main.m_hWnd, WM_NULL, 0, 0);
        progress.PumpMessages(TRUE);
        MSG msg;
        EXPECT_TRUE(PeekMessageA(&msg, m_main.m_hWnd, WM_NULL, WM_NULL, PM_REMOVE));
        EXPECT_TRUE(progress.IsCancelled());
        EXPECT_EQ("Wait", WindowText(hButton));
        EXPECT_FALSE(IsWindowEnabled(hButton));
    }

    // Escape typed into another window of the program: the key goes through
    // the pump's translation into a character.
    HWND hEdit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, m_main.m_hWnd,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hEdit);
    {
        CProgressWindow progress;
        ASSERT_TRUE(progress.Create(nullptr, "AVC Progress", FALSE));
        // Without escapeCancels, Escape is an ordinary key.
        PostMessageA(hEdit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        progress.PumpMessages(FALSE);
        EXPECT_FALSE(progress.IsCancelled());

        PostMessageA(hEdit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        progress.PumpMessages(TRUE);
        EXPECT_TRUE(progress.IsCancelled());
        HWND hButton = GetDlgItem(progress.m_hWnd, IDC_PROGRESS_CANCEL);
        EXPECT_EQ("Wait", WindowText(hButton));
        EXPECT_FALSE(IsWindowEnabled(hButton));
    }
    // The character itself, and only the Escape character, cancels.
    {
        CProgressWindow progress;
        ASSERT_TRUE(progress.Create(nullptr, "AVC Progress", FALSE));
        PostMessageA(hEdit, WM_CHAR, 'a', 0x00010001);
        PostMessageA(hEdit, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        progress.PumpMessages(TRUE);
        EXPECT_FALSE(progress.IsCancelled());
        PostMessageA(hEdit, WM_CHAR, VK_ESCAPE, 0x00010001);
        progress.PumpMessages(TRUE);
        EXPECT_TRUE(progress.IsCancelled());
    }
    DestroyWindow(hEdit);
}

TEST_F(ProgressTest, PumpDispatchesPendingMessagesAndPostsQuitAgain)
{
    CProgressWindow progress;
    ASSERT_TRUE(progress.Create(nullptr, "AVC Progress", FALSE));
    testsupport::PumpFor(50);

    // Pending messages of any window of the thread are dispatched.
    CountingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr));
    wnd.PostMessage(kCountMessage);
    wnd.PostMessage(kCountMessage);
    progress.PumpMessages(TRUE);
    EXPECT_EQ(2, wnd.m_nCount);

    // A quit message ends the pump and is put back for the main loop; what
    // was posted before it is dispatched first.
    wnd.PostMessage(kCountMessage);
    PostQuitMessage(0);
    progress.PumpMessages(TRUE);
    EXPECT_EQ(3, wnd.m_nCount);
    MSG msg;
    bool bQuit = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            bQuit = true;
    }
    EXPECT_TRUE(bQuit);
    EXPECT_FALSE(progress.IsCancelled());
    wnd.DestroyWindow();
}

TEST_F(ProgressTest, PositionIsSavedAndRestored)
{
    // Nothing saved: centred on the owner.
    {
        CProgressWindow progress;
        ASSERT_TRUE(progress.Create(&m_main, "AVC Progress", FALSE));
        ExpectCentredOn(progress.m_hWnd, m_main.m_hWnd);
        SetWindowPos(progress.m_hWnd, nullptr, 40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }  // destruction saves
    EXPECT_EQ(40, ProfileInt("X"));
    EXPECT_EQ(60, ProfileInt("Y"));

    {
        CProgressWindow progress;
        ASSERT_TRUE(progress.Create(&m_main, "AVC Progress", FALSE));
        RECT rc;
        GetWindowRect(progress.m_hWnd, &rc);
        EXPECT_EQ(40, rc.left);
        EXPECT_EQ(60, rc.top);

        // Cancel saves at once.
        SetWindowPos(progress.m_hWnd, nullptr, 70, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(GetDlgItem(progress.m_hWnd, IDC_PROGRESS_CANCEL), BM_CLICK, 0, 0);
        EXPECT_EQ(70, ProfileInt("X"));
        EXPECT_EQ(90, ProfileInt("Y"));
        SetWindowPos(progress.m_hWnd, nullptr, 80, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_TRUE(progress.DestroyWindow());
        EXPECT_EQ(80, ProfileInt("X"));
        EXPECT_EQ(100, ProfileInt("Y"));
        // Nothing is left to destroy or save.
        EXPECT_FALSE(progress.DestroyWindow());
        EXPECT_EQ(0, progress.SetPosition(7));
        EXPECT_EQ(0, progress.Step());
    }

    // A position off the screen: centred on the owner again.
    m_app.WriteProfileInt("Settings", "X", GetSystemMetrics(SM_CXSCREEN) + 5);
    {
        CProgressWindow progress;
        ASSERT_TRUE(progress.Create(&m_main, "AVC Progress", FALSE));
        ExpectCentredOn(progress.m_hWnd, m_main.m_hWnd);
    }
    m_app.WriteProfileInt("Settings", "X", 10);
    m_app.WriteProfileInt("Settings", "Y", -3);
    {
        CProgressWindow progress;
        ASSERT_TRUE(progress.Create(&m_main, "AVC Progress", FALSE));
        ExpectCentredOn(progress.m_hWnd, m_main.m_hWnd);
    }
}

TEST_F(ProgressTest, TextIsShownVerbatimAndCutSafely)
{
    CProgressWindow progress;
    // Before Create there is no window: nothing happens.
    progress.SetText("%s", "ignored");
    EXPECT_EQ(0, progress.SetPosition(5));
    progress.SetRange(0, 10, 2);
    EXPECT_EQ(0, progress.Step());

    ASSERT_TRUE(progress.Create(nullptr, "AVC Progress", FALSE));
    HWND hText = GetDlgItem(progress.m_hWnd, IDC_PROGRESS_TEXT);
    const char kPath[] = "C:\\Music\\100% & 50%s\\track %d.mp3";
    progress.SetText("%d of %d\n%s", 2, 3, kPath);
    EXPECT_EQ(std::string("2 of 3\n") + kPath, WindowText(hText));
    EXPECT_EQ(SS_LEFTNOWORDWRAP, GetWindowLongA(hText, GWL_STYLE) & SS_TYPEMASK);
    EXPECT_TRUE(GetWindowLongA(hText, GWL_STYLE) & SS_NOPREFIX);

    const std::string longLine(600, 'x');
    progress.SetText("%s", longLine.c_str());
    EXPECT_EQ(std::string(CProgressWindow::kTextBufferSize - 1, 'x'), WindowText(hText));
}
