#include "support/GTestWin.h"

#include <climits>
#include <string>
#include <vector>

#include "GridInputSupport.h"
#include "support/TestSupport.h"
#include "support/XInput.h"

using gridtest::GridHost;
using testsupport::PumpUntil;

namespace {

int ScrollPos(HWND hWnd, int nBar)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    GetScrollInfo(hWnd, nBar, &si);
    return si.nPos;
}

int ScrollPos(CGridCtrl& grid, int nBar)
{
    return ScrollPos(grid.m_hWnd, nBar);
}

// The part of the window a scroll request leaves to be repainted.
RECT UpdateRectAfter(CGridCtrl& grid, UINT message, UINT nCode)
{
    UpdateWindow(grid.m_hWnd);
    ValidateRect(grid.m_hWnd, nullptr);
    SendMessageA(grid.m_hWnd, message, MAKEWPARAM(nCode, 0), 0);
    RECT rc = {0, 0, 0, 0};
    GetUpdateRect(grid.m_hWnd, &rc, FALSE);
    return rc;
}

// Sets the system's lines per wheel notch for the grids made while the
// object lives.
class WheelLines {
public:
    explicit WheelLines(UINT nLines)
    {
        SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &m_nSaved, 0);
        SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, nLines, nullptr, 0);
    }
    ~WheelLines() { SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, m_nSaved, nullptr, 0); }
    WheelLines(const WheelLines&) = delete;
    WheelLines& operator=(const WheelLines&) = delete;

private:
    UINT m_nSaved = 3;
};

std::vector<int>* g_pTracked = nullptr;
WNDPROC g_pfnGridProc = nullptr;

// Notes the grid's scroll position after each thumb-tracking message.
LRESULT CALLBACK RecordThumbTracking(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallWindowProcA(g_pfnGridProc, hWnd, message, wParam, lParam);
    if (message == WM_VSCROLL && LOWORD(wParam) == SB_THUMBTRACK && g_pTracked != nullptr)
        g_pTracked->push_back(ScrollPos(hWnd, SB_VERT));
    return result;
}

}  // namespace

TEST(GridScroll, LinesPagesEndsAndOnlyTheScrollingPartIsRepainted)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridtest::FillFileList(grid, 100);
    gridtest::FitRows(grid, 10);
    grid.SetRowHeight(1, 40);
    const int nRow = grid.GetRowHeight(2);
    const int nHeader = grid.GetRowHeight(0);
    RECT rcClient;
    GetClientRect(grid.m_hWnd, &rcClient);
    const int nPage = rcClient.bottom - nHeader;

    // A line is the height of the top row; back up, the height of the row
    // above the top one.
    RECT rc = UpdateRectAfter(grid, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(40, ScrollPos(grid, SB_VERT));
    EXPECT_EQ(2, gridtest::TopRow(grid));
    // Only the rows below the header are repainted, across the whole width.
    EXPECT_EQ(nHeader, rc.top);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(rcClient.right, rc.right);
    EXPECT_EQ(rcClient.bottom, rc.bottom);
    SendMessageA(grid.m_hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(40 + nRow, ScrollPos(grid, SB_VERT));
    SendMessageA(grid.m_hWnd, WM_VSCROLL, SB_LINEUP, 0);
    SendMessageA(grid.m_hWnd, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(0, ScrollPos(grid, SB_VERT));
    SendMessageA(grid.m_hWnd, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(0, ScrollPos(grid, SB_VERT));

    // A page is the client height less the header.
    SendMessageA(grid.m_hWnd, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(nPage, ScrollPos(grid, SB_VERT));
    SendMessageA(grid.m_hWnd, WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(0, ScrollPos(grid, SB_VERT));

    // Bottom: the last row ends at the bottom of the window.
    SendMessageA(grid.m_hWnd, WM_VSCROLL, SB_BOTTOM, 0);
    const int nMax = static_cast<int>(grid.GetVirtualHeight()) - nHeader - nPage;
    EXPECT_EQ(nMax, ScrollPos(grid, SB_VERT));
    RECT rcLast;
    grid.GetCellRect(100, 0, &rcLast);
    EXPECT_EQ(rcClient.bottom - 1, rcLast.bottom);
    SendMessageA(grid.m_hWnd, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(nMax, ScrollPos(grid, SB_VERT));
    // Nothing moves, nothing is repainted.
    rc = UpdateRectAfter(grid, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_TRUE(IsRectEmpty(&rc));
    SendMessageA(grid.m_hWnd, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(0, ScrollPos(grid, SB_VERT));

    // Horizontally, with a fixed column: columns move, the fixed column
    // and the header's corner stay.
    grid.SetFixedColumnCount(1);
    grid.SetColumnWidth(0, 100);
    grid.SetColumnWidth(1, 300);
    grid.SetColumnWidth(2, 250);
    grid.SetColumnWidth(3, 400);
    rc = UpdateRectAfter(grid, WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(300, ScrollPos(grid, SB_HORZ));
    EXPECT_EQ(100, rc.left);
    EXPECT_EQ(0, rc.top);
    EXPECT_EQ(2, grid.GetTopleftNonFixedCell().col);
    SendMessageA(grid.m_hWnd, WM_HSCROLL, SB_LINELEFT, 0);
    EXPECT_EQ(0, ScrollPos(grid, SB_HORZ));
    // Vertical scrolling repaints the fixed column's rows too.
    rc = UpdateRectAfter(grid, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(nHeader, rc.top);
}

TEST(GridScroll, DraggingTheThumbUsesThe32BitPosition)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridtest::FillFileList(grid, 100000);
    ASSERT_GT(grid.GetVirtualHeight(), 1000000);
    ASSERT_TRUE(testsupport::FocusWindow(host.Window(), grid.m_hWnd));

    // The thumb positions the grid sees while it is dragged.
    std::vector<int> tracked;
    g_pTracked = &tracked;
    g_pfnGridProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        grid.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordThumbTracking)));

    SCROLLBARINFO sbi = {};
    sbi.cbSize = sizeof(sbi);
    ASSERT_TRUE(GetScrollBarInfo(grid.m_hWnd, OBJID_VSCROLL, &sbi));
    const int x = (sbi.rcScrollBar.left + sbi.rcScrollBar.right) / 2;
    const int yThumb = sbi.rcScrollBar.top + (sbi.xyThumbTop + sbi.xyThumbBottom) / 2;
    const int yTarget = sbi.rcScrollBar.top + (sbi.rcScrollBar.bottom - sbi.rcScrollBar.top) * 3 / 4;
    ASSERT_TRUE(testsupport::RunXdotool({"mousemove", std::to_string(x), std::to_string(yThumb)}));
    testsupport::PumpFor(50);
    // Scroll-bar tracking runs its own message loop until the release.
    ASSERT_TRUE(testsupport::RunXdotoolPumping(
        {"mousedown", "1", "sleep", "0.1", "mousemove", std::to_string(x),
         std::to_string((yThumb + yTarget) / 2), "sleep", "0.1", "mousemove", std::to_string(x),
         std::to_string(yTarget), "sleep", "0.1", "mouseup", "1"}));
    testsupport::PumpFor(100);
    SetWindowLongPtrA(grid.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pfnGridProc));

    // Three quarters down a bar of over a million pixels: far beyond what
    // the message's 16 bits hold, and the grid shows what the bar says.
    ASSERT_FALSE(tracked.empty());
    EXPECT_GT(tracked.back(), 65535);
    const int nPos = ScrollPos(grid, SB_VERT);
    EXPECT_GT(nPos, 600000);
    EXPECT_EQ(tracked.back(), nPos);
    const int nRowHeight = grid.GetRowHeight(1);
    EXPECT_EQ(1 + nPos / nRowHeight, gridtest::TopRow(grid));
}

TEST(GridScroll, AWheelNotchScrollsTheSystemsLinesOrAPage)
{
    {
        WheelLines lines(3);
        GridHost host;
        CGridCtrl& grid = host.Grid();
        ASSERT_EQ(3, grid.GetWheelScrollLines());
        gridtest::FillFileList(grid, 60);
        gridtest::FitRows(grid, 10);
        ASSERT_TRUE(testsupport::FocusWindow(host.Window(), grid.m_hWnd));
        ASSERT_TRUE(testsupport::PointerMoveTo(grid.m_hWnd, gridtest::CellCenter(grid, 3, 0)));

        ASSERT_TRUE(testsupport::PointerClick(5));  // one notch down
        EXPECT_TRUE(PumpUntil([&] { return gridtest::TopRow(grid) == 4; }, 2000));
        testsupport::PumpFor(50);
        EXPECT_EQ(4, gridtest::TopRow(grid));
        ASSERT_TRUE(testsupport::PointerClick(4));  // one notch up
        EXPECT_TRUE(PumpUntil([&] { return gridtest::TopRow(grid) == 1; }, 2000));

        // Part of a notch: delta x lines / 120 lines, towards 0.
        PostMessageA(grid.m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-80)), 0);
        testsupport::PumpFor(50);
        EXPECT_EQ(3, gridtest::TopRow(grid));
        PostMessageA(grid.m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, 30), 0);
        testsupport::PumpFor(50);
        EXPECT_EQ(3, gridtest::TopRow(grid));
    }
    {
        WheelLines pages(WHEEL_PAGESCROLL);
        GridHost host;
        CGridCtrl& grid = host.Grid();
        gridtest::FillFileList(grid, 60);
        gridtest::FitRows(grid, 10);
        ASSERT_TRUE(testsupport::FocusWindow(host.Window(), grid.m_hWnd));
        ASSERT_TRUE(testsupport::PointerMoveTo(grid.m_hWnd, gridtest::CellCenter(grid, 3, 0)));
        ASSERT_TRUE(testsupport::PointerClick(5));
        EXPECT_TRUE(PumpUntil([&] { return gridtest::TopRow(grid) == 11; }, 2000));
        testsupport::PumpFor(50);
        EXPECT_EQ(11, gridtest::TopRow(grid));
    }
}

// Ctrl+End and PgUp in a long list leave the top row partly scrolled under
// the header: a whole repaint (as after a resize) still shows the header
// as it was.
TEST(GridScroll, TheHeaderStaysOverAPartlyScrolledRow)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridtest::FillFileList(grid, 2000);
    gridtest::FitRows(grid, 10);
    RECT rcWindow;
    GetWindowRect(grid.m_hWnd, &rcWindow);
    MoveWindow(grid.m_hWnd, 0, 0, rcWindow.right - rcWindow.left,
               rcWindow.bottom - rcWindow.top + grid.GetRowHeight(1) / 2, TRUE);
    grid.ExpandFirstColumnToFit();
    ASSERT_TRUE(testsupport::FocusWindow(host.Window(), grid.m_hWnd));
    gridtest::SendClick(grid, gridtest::CellCenter(grid, 1, 0));
    auto header = [&] {
        const gridtest::RenderedGrid image(grid, true);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < grid.GetRowHeight(0); ++y) {
            for (int x = 0; x < image.Width(); ++x)
                pixels.push_back(image.Pixel(x, y));
        }
        return pixels;
    };
    const std::vector<COLORREF> before = header();

    ASSERT_TRUE(testsupport::PressKeys("ctrl+End"));
    ASSERT_TRUE(PumpUntil([&] { return grid.GetFocusCell().row == 2000; }));
    ASSERT_TRUE(testsupport::PressKeys("Prior"));
    ASSERT_TRUE(PumpUntil([&] { return grid.GetFocusCell().row < 2000; }));
    ASSERT_NE(0, gridtest::VScrollPos(grid) % grid.GetRowHeight(1));
    EXPECT_TRUE(before == header());
}
