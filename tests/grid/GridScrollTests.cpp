#include "support/GTestWin.h"

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "GridInput.h"
#include "catalog/FileListGrid.h"

using gridinput::kPatience;
using gridinput::TopRow;
using testsupport::GridHost;
using testsupport::PumpUntil;

namespace {

int ScrollPos(HWND hWnd, int nBar)
{
    SCROLLINFO si = {sizeof(si), SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(hWnd, nBar, &si);
    return si.nPos;
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

}  // namespace

// A line is the top row's height forward and the height of the row above
// it backward; a page the client height less the header; the ends go as
// far as the last row. Only the rows (columns) that scroll are repainted.
TEST(GridScroll, LinesPagesAndEndsRepaintOnlyWhatScrolls)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 100);
    gridinput::FitRows(grid, 10);
    grid.SetRowHeight(1, 40);
    const int nRow = grid.GetRowHeight(2);
    const int nHeader = grid.GetRowHeight(0);
    RECT rcClient;
    GetClientRect(grid.m_hWnd, &rcClient);
    const int nPage = rcClient.bottom - nHeader;
    const int nMax = static_cast<int>(grid.GetVirtualHeight()) - nHeader - nPage;
    const struct {
        UINT code;
        int pos;
    } steps[] = {{SB_LINEDOWN, 40}, {SB_LINEDOWN, 40 + nRow}, {SB_LINEUP, 40}, {SB_LINEUP, 0},
                 {SB_LINEUP, 0},    {SB_PAGEDOWN, nPage},     {SB_PAGEUP, 0},  {SB_BOTTOM, nMax},
                 {SB_PAGEDOWN, nMax}, {SB_LINEDOWN, nMax},    {SB_TOP, 0}};
    int nPos = 0;
    for (const auto& step : steps) {
        const RECT rc = UpdateRectAfter(grid, WM_VSCROLL, step.code);
        EXPECT_EQ(step.pos, ScrollPos(grid.m_hWnd, SB_VERT)) << "code " << step.code;
        const RECT rcExpected = step.pos == nPos ? RECT{0, 0, 0, 0} : RECT{0, nHeader, rcClient.right, rcClient.bottom};
        EXPECT_TRUE(EqualRect(&rcExpected, &rc)) << "code " << step.code << " top " << rc.top;
        nPos = step.pos;
    }
}

// The real pointer drags the thumb three quarters down a bar of over a
// million pixels: far beyond the 16 bits of the message, and the grid
// shows what the bar says.
TEST(GridScroll, DraggingTheThumbUsesThe32BitPosition)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 100000);
    ASSERT_GT(grid.GetVirtualHeight(), 1000000);
    ASSERT_TRUE(gridinput::Focus(host.Window(), grid.m_hWnd));
    SCROLLBARINFO sbi = {};
    sbi.cbSize = sizeof(sbi);
    ASSERT_TRUE(GetScrollBarInfo(grid.m_hWnd, OBJID_VSCROLL, &sbi));
    POINT thumb = {(sbi.rcScrollBar.left + sbi.rcScrollBar.right) / 2,
                   sbi.rcScrollBar.top + (sbi.xyThumbTop + sbi.xyThumbBottom) / 2};
    const int yTarget = sbi.rcScrollBar.top + (sbi.rcScrollBar.bottom - sbi.rcScrollBar.top) * 3 / 4;
    const std::string x = std::to_string(thumb.x);
    ScreenToClient(grid.m_hWnd, &thumb);
    ASSERT_TRUE(gridinput::MovePointer(grid.m_hWnd, thumb));
    // Scroll-bar tracking runs its own message loop until the release.
    ASSERT_TRUE(testsupport::RunXdotoolPumping({"mousedown", "1", "sleep", "0.1", "mousemove", x,
                                                std::to_string(yTarget - 20), "sleep", "0.1", "mousemove",
                                                x, std::to_string(yTarget), "sleep", "0.1", "mouseup", "1"}));
    EXPECT_TRUE(PumpUntil([&] { return ScrollPos(grid.m_hWnd, SB_VERT) > 600000 && GetCapture() != grid.m_hWnd; },
                          kPatience));
    const int nPos = ScrollPos(grid.m_hWnd, SB_VERT);
    EXPECT_EQ(1 + nPos / grid.GetRowHeight(1), TopRow(grid));
}

// A notch scrolls the system's lines per notch (part of a notch its part,
// towards 0), or a page when the system pages by the wheel.
TEST(GridScroll, AWheelNotchScrollsTheSystemsLinesOrAPage)
{
    UINT nSaved = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nSaved, 0);
    const struct {
        UINT nLines;
        short delta;
        int top;
    } notches[] = {{3, -120, 4}, {3, 120, 1}, {3, -80, 3}, {3, 30, 3}, {WHEEL_PAGESCROLL, -120, 11}};
    std::unique_ptr<GridHost> host;
    for (const auto& notch : notches) {
        if (!host || notch.nLines != static_cast<UINT>(host->Grid().GetWheelScrollLines())) {
            SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, notch.nLines, nullptr, 0);
            host = std::make_unique<GridHost>(GridHost::Setup::FileList);  // reads it when made
            testsupport::FillFileList(host->Grid(), 60);
            gridinput::FitRows(host->Grid(), 10);
        }
        PostMessageA(host->Grid().m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(notch.delta)), 0);
        testsupport::PumpFor(0);
        EXPECT_EQ(notch.top, TopRow(host->Grid())) << notch.nLines << " lines, delta " << notch.delta;
    }
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, nSaved, nullptr, 0);
}

// Ctrl+End and PgUp in a long list leave the top row partly scrolled under
// the header: a whole repaint (as after a resize) still shows the header as
// it was.
TEST(GridScroll, TheHeaderStaysOverAPartlyScrolledRow)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 2000);
    gridinput::FitRows(grid, 10);
    RECT rcWindow;
    GetWindowRect(grid.m_hWnd, &rcWindow);
    MoveWindow(grid.m_hWnd, 0, 0, rcWindow.right - rcWindow.left,
               rcWindow.bottom - rcWindow.top + grid.GetRowHeight(1) / 2, TRUE);
    grid.ExpandFirstColumnToFit();  // no sideways scrolling
    gridinput::Click(grid, testsupport::CellCenter(grid, 1, 0));
    auto header = [&] {  // how many pixels of the header have each of its colours
        const testsupport::Pixels image(grid.m_hWnd);
        const RECT rc = {0, 0, image.Width(), grid.GetRowHeight(0)};
        return std::vector<int>({image.Count(rc, kHeaderBackColour), image.Count(rc, kHeaderTextColour)});
    };
    const std::vector<int> before = header();
    gridinput::Key(grid, VK_END, true);
    gridinput::Key(grid, VK_PRIOR);
    ASSERT_NE(0, ScrollPos(grid.m_hWnd, SB_VERT) % grid.GetRowHeight(1));
    EXPECT_EQ(before, header());
}
