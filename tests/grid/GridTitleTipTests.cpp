#include "support/GTestWin.h"

#include <cstdlib>
#include <string>

#include "GridEditTestSupport.h"
#include "GridTestSupport.h"
#include "grid/GridCtrl.h"
#include "support/TestSupport.h"

using gridedit::EditHost;
using testsupport::PumpFor;

namespace {

const COLORREF kPaleYellow = RGB(255, 255, 225);
const char kLongName[] =
    "C:\\music\\A very long folder name of an album\\01 - A track whose name is long.mp3";
const char kShortName[] = "C:\\a.mp3";

// A grid set up like the program's file list, column 0 narrower than the
// long name.
void SetUpFileList(CGridCtrl& grid)
{
    grid.SetFixedRowCount(1);
    grid.SetEditable(FALSE);
    grid.SetListMode(TRUE);
    const char* const headings[] = {"Filename", "Message/Error", "Album", "Comment",
                                    "Orig Album, hidden"};
    for (const char* pszHeading : headings)
        grid.InsertColumn(pszHeading, 0x25);
    grid.InsertRow(kLongName);
    grid.InsertRow(kShortName);
    grid.AutoSizeRows();
    grid.SetColumnWidth(0, 200);
    grid.SetColumnWidth(4, 0);
    grid.SetTitleTipBackClr(kPaleYellow);
}

// Whether a window's client area shows a colour (read through its DC).
int CountColour(HWND hWnd, COLORREF clr)
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    HDC hDC = GetDC(hWnd);
    int n = 0;
    for (int y = rc.top; y < rc.bottom; y += 2) {
        for (int x = rc.left; x < rc.right; x += 2)
            n += GetPixel(hDC, x, y) == clr ? 1 : 0;
    }
    ReleaseDC(hWnd, hDC);
    return n;
}

}  // namespace

TEST(GridTitleTip, CutOffTextShowsWholeInPaleYellowTipAndClickReachesTheRowBelow)
{
    // Presses on the tip count as quick whatever the machine's load.
    gridtest::DoubleClickTime slow(20000);
    EditHost host(0, 0, 600, 300, "Title tips");
    CGridCtrl& grid = host.Grid();
    SetUpFileList(grid);
    SetForegroundWindow(host.Window());
    SetFocus(grid.m_hWnd);
    PumpFor(100);

    // A name that fits shows no tip.
    grid.ShowTitleTip(2, 0);
    CGridTitleTip& tip = grid.GetTitleTip();
    ASSERT_NE(nullptr, tip.m_hWnd);
    EXPECT_FALSE(tip.IsWindowVisible());

    // A cut-off name: the tip lies over the cell's text and is as wide as
    // the whole name.
    grid.ShowTitleTip(1, 0);
    ASSERT_TRUE(tip.IsWindowVisible());
    EXPECT_EQ(tip.m_hWnd, GetCapture());
    char szClass[64] = {};
    GetClassNameA(tip.m_hWnd, szClass, sizeof(szClass) - 1);
    EXPECT_STREQ("ZTitleTip", szClass);
    RECT rcCell;
    grid.GetCellRect(1, 0, &rcCell);
    RECT rcText = rcCell;
    grid.GetCell(1, 0)->GetTipTextRect(&rcText);
    MapWindowPoints(grid.m_hWnd, nullptr, reinterpret_cast<POINT*>(&rcText), 2);
    RECT rcTip;
    tip.GetWindowRect(&rcTip);
    EXPECT_EQ(rcText.left, rcTip.left);
    EXPECT_EQ(rcText.top, rcTip.top);
    EXPECT_EQ(rcText.bottom - rcText.top, rcTip.bottom - rcTip.top);
    {
        HDC hDC = GetDC(grid.m_hWnd);
        HGDIOBJ hOld = SelectObject(hDC, grid.GetCell(1, 0)->GetFontObject());
        SIZE size = {};
        const std::string padded = std::string(" ") + kLongName + " ";
        GetTextExtentPoint32A(hDC, padded.c_str(), static_cast<int>(padded.size()), &size);
        SelectObject(hDC, hOld);
        ReleaseDC(grid.m_hWnd, hDC);
        EXPECT_GE(rcTip.right - rcTip.left, size.cx);
        EXPECT_GT(rcTip.right - rcTip.left, rcText.right - rcText.left);
    }
    PumpFor(100);
    EXPECT_GT(CountColour(tip.m_hWnd, kPaleYellow), 100);
    // Time to look at it (QUILLON_TEST_PAUSE_MS) with a screenshot tool.
    char szPause[16] = {};
    if (GetEnvironmentVariableA("QUILLON_TEST_PAUSE_MS", szPause, sizeof(szPause) - 1) > 0)
        PumpFor(static_cast<DWORD>(atoi(szPause)));

    // A second Show while shown changes nothing; a move inside the hover
    // rectangle keeps the tip.
    grid.ShowTitleTip(2, 0);
    EXPECT_TRUE(tip.IsWindowVisible());
    tip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 3));
    EXPECT_TRUE(tip.IsWindowVisible());

    // A click on the tip hides it and goes to the grid cell under it.
    MSG msg;
    while (PeekMessageA(&msg, grid.m_hWnd, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, PM_REMOVE)) {
    }
    tip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    EXPECT_FALSE(tip.IsWindowVisible());
    EXPECT_NE(tip.m_hWnd, GetCapture());
    ASSERT_TRUE(PeekMessageA(&msg, grid.m_hWnd, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, PM_NOREMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_LBUTTONDOWN), msg.message);
    POINT ptExpected = {rcTip.left + GetSystemMetrics(SM_CXBORDER) + 10,
                        rcTip.top + GetSystemMetrics(SM_CYBORDER) + 5};
    ScreenToClient(grid.m_hWnd, &ptExpected);
    EXPECT_EQ(ptExpected.x, static_cast<short>(LOWORD(msg.lParam)));
    EXPECT_EQ(ptExpected.y, static_cast<short>(HIWORD(msg.lParam)));
    EXPECT_EQ(1, grid.GetCellFromPt(ptExpected).row);
    PumpFor(50);  // the grid handles the press
    EXPECT_TRUE(grid.IsCellSelected(1, 0));
    SendMessageA(grid.m_hWnd, WM_LBUTTONUP, 0, msg.lParam);  // and the release that follows
    PumpFor(50);

    // Further quick presses on the tip: a double click only as the second
    // of a pair on one spot of one cell (the tip is wider than the cell,
    // whose last pixel is at xLast).
    RECT rcCellScreen = rcCell;
    MapWindowPoints(grid.m_hWnd, nullptr, reinterpret_cast<POINT*>(&rcCellScreen), 2);
    const int xLast = rcCellScreen.right - rcTip.left - GetSystemMetrics(SM_CXBORDER);
    const struct {
        int x;
        UINT message;
    } presses[] = {{10, WM_LBUTTONDBLCLK},
                   {10, WM_LBUTTONDOWN},
                   {12 + GetSystemMetrics(SM_CXDOUBLECLK), WM_LBUTTONDOWN},
                   {xLast, WM_LBUTTONDOWN},
                   {xLast + 2, WM_LBUTTONDOWN}};
    for (const auto& press : presses) {
        grid.ShowTitleTip(1, 0);
        ASSERT_TRUE(tip.IsWindowVisible());
        tip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, 5));
        ASSERT_TRUE(PeekMessageA(&msg, grid.m_hWnd, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, PM_REMOVE));
        EXPECT_EQ(press.message, msg.message) << press.x;
    }

    // A move out of the cell or a key hides it.
    grid.ShowTitleTip(1, 0);
    ASSERT_TRUE(tip.IsWindowVisible());
    tip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 200));
    EXPECT_FALSE(tip.IsWindowVisible());
    grid.ShowTitleTip(1, 0);
    ASSERT_TRUE(tip.IsWindowVisible());
    MSG key = {grid.m_hWnd, WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}};
    EXPECT_FALSE(grid.PreTranslateMessage(&key));
    EXPECT_FALSE(tip.IsWindowVisible());

    // Title tips off: none.
    grid.EnableTitleTips(FALSE);
    grid.ShowTitleTip(1, 0);
    EXPECT_FALSE(tip.IsWindowVisible());
}
