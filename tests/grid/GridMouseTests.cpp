#include "support/GTestWin.h"

#include <cstdio>
#include <string>
#include <vector>

#include "GridInputSupport.h"
#include "support/TestSupport.h"
#include "support/XInput.h"

using gridtest::CommandRecorder;
using gridtest::GridHost;
using gridtest::Notification;
using testsupport::PumpUntil;

namespace {

std::vector<int> Codes(const std::vector<Notification>& list)
{
    std::vector<int> codes;
    for (const auto& note : list)
        codes.push_back(note.code);
    return codes;
}

// Clicks a client point of the grid with the real pointer, holding the
// modifier keys given (X names joined by '+', or empty).
void RealClick(CGridCtrl& grid, POINT point, const std::string& modifiers = "")
{
    ASSERT_TRUE(testsupport::PointerMoveTo(grid.m_hWnd, point));
    if (!modifiers.empty())
        ASSERT_TRUE(testsupport::KeyDown(modifiers));
    ASSERT_TRUE(testsupport::PointerClick(1));
    if (!modifiers.empty())
        ASSERT_TRUE(testsupport::KeyUp(modifiers));
}

}  // namespace

TEST(GridMouse, ClicksWithCtrlAndShiftSelectRowsAndNeverTheHeader)
{
    // The names are cut off, so presses on column 0 land on title tips; a
    // long double-click time makes every press quick after the one before.
    gridtest::DoubleClickTime slow(20000);
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridtest::FillFileList(grid, 12);
    grid.SetColumnWidth(0, 90);
    ASSERT_TRUE(testsupport::FocusWindow(host.Window(), grid.m_hWnd));
    CommandRecorder commands(host.Window(), gridtest::kGridId);

    // A plain click selects the row (all five cells) and focuses the cell.
    RealClick(grid, gridtest::CellCenter(grid, 2, 1));
    ASSERT_TRUE(PumpUntil([&] { return commands.Count() == 1; }));
    EXPECT_EQ(std::vector<int>({2}), gridtest::SelectedRows(grid));
    EXPECT_EQ(5, grid.GetSelectedCount());
    EXPECT_EQ(CCellID(2, 1), grid.GetFocusCell());
    EXPECT_EQ(grid.m_hWnd, commands.LastSender());
    // Press: the pressed cell is changing; release: the focus cell changed,
    // then the click, for the pressed cell.
    ASSERT_EQ(std::vector<int>({int(LVN_ITEMCHANGING), int(LVN_ITEMCHANGED), int(NM_CLICK)}),
              Codes(host.notifications));
    EXPECT_EQ(2, host.notifications[0].row);
    EXPECT_EQ(1, host.notifications[0].col);
    EXPECT_EQ(2, host.notifications[2].row);

    // Ctrl adds a row and keeps the first.
    RealClick(grid, gridtest::CellCenter(grid, 5, 0), "ctrl");
    ASSERT_TRUE(PumpUntil([&] { return commands.Count() == 2; }));
    EXPECT_EQ(std::vector<int>({2, 5}), gridtest::SelectedRows(grid));
    EXPECT_EQ(10, grid.GetSelectedCount());

    // Ctrl on a selected row takes it out again and keeps the other.
    RealClick(grid, gridtest::CellCenter(grid, 2, 0), "ctrl");
    ASSERT_TRUE(PumpUntil([&] { return commands.Count() == 3; }));
    EXPECT_EQ(std::vector<int>({5}), gridtest::SelectedRows(grid));
    EXPECT_EQ(CCellID(2, 0), grid.GetFocusCell());

    // Shift selects every row from the anchor (the last plain or Ctrl
    // press) to the clicked row.
    RealClick(grid, gridtest::CellCenter(grid, 5, 0));
    ASSERT_TRUE(PumpUntil([&] { return commands.Count() == 4; }));
    RealClick(grid, gridtest::CellCenter(grid, 9, 2), "shift");
    ASSERT_TRUE(PumpUntil([&] { return commands.Count() == 5; }));
    EXPECT_EQ(std::vector<int>({5, 6, 7, 8, 9}), gridtest::SelectedRows(grid));
    // Shift upwards from the same anchor.
    RealClick(grid, gridtest::CellCenter(grid, 3, 2), "shift");
    ASSERT_TRUE(PumpUntil([&] { return commands.Count() == 6; }));
    EXPECT_EQ(std::vector<int>({3, 4, 5}), gridtest::SelectedRows(grid));

    // A plain click on a selected row moves the focus there and leaves
    // that row alone selected; a plain arrow key then selects only the
    // next row.
    RealClick(grid, gridtest::CellCenter(grid, 4, 0));
    ASSERT_TRUE(PumpUntil([&] { return commands.Count() == 7; }));
    EXPECT_EQ(std::vector<int>({4}), gridtest::SelectedRows(grid));
    EXPECT_EQ(CCellID(4, 0), grid.GetFocusCell());
    ASSERT_TRUE(testsupport::PressKeys("Down"));
    EXPECT_TRUE(PumpUntil([&] { return grid.GetFocusCell().row == 5; }));
    EXPECT_EQ(std::vector<int>({5}), gridtest::SelectedRows(grid));

    // Quick clicks on two rows, each through the tip of its name, are two
    // presses: the second row ends up selected.
    for (int nRow : {1, 3}) {
        ASSERT_TRUE(testsupport::PointerMoveTo(grid.m_hWnd, gridtest::CellCenter(grid, nRow, 0)));
        ASSERT_TRUE(PumpUntil([&] { return grid.GetTitleTip().IsWindowVisible(); }));
        ASSERT_TRUE(testsupport::PointerClick(1));
    }
    ASSERT_TRUE(PumpUntil([&] { return commands.Count() == 9; }));
    EXPECT_EQ(std::vector<int>({3}), gridtest::SelectedRows(grid));

    // The header row is never selected, whatever was clicked.
    for (int c = 0; c < grid.GetColumnCount(); ++c)
        EXPECT_FALSE(grid.IsCellSelected(0, c));
}

namespace {

// Drags with the real pointer from one client point of the grid to another
// (left button), checking the cursor confinement half-way through.
void RealDrag(CGridCtrl& grid, POINT from, POINT to, RECT* pClipDuringDrag = nullptr)
{
    ASSERT_TRUE(testsupport::PointerMoveTo(grid.m_hWnd, from));
    testsupport::PumpFor(30);
    // A press soon after the last one at the same place would be a double click.
    static DWORD s_dwLastPress = 0;
    const DWORD dwSince = GetTickCount() - s_dwLastPress;
    if (dwSince <= GetDoubleClickTime())
        testsupport::PumpFor(GetDoubleClickTime() + 20 - dwSince);
    s_dwLastPress = GetTickCount();
    ASSERT_TRUE(testsupport::PointerDown(1));
    ASSERT_TRUE(PumpUntil([&] { return GetCapture() == grid.m_hWnd || !grid.IsWindowVisible(); }, 2000));
    const POINT middle = {(from.x + to.x) / 2, (from.y + to.y) / 2};
    ASSERT_TRUE(testsupport::PointerMoveTo(grid.m_hWnd, middle));
    testsupport::PumpFor(30);
    if (pClipDuringDrag != nullptr)
        GetClipCursor(pClipDuringDrag);
    ASSERT_TRUE(testsupport::PointerMoveTo(grid.m_hWnd, to));
    testsupport::PumpFor(30);
    ASSERT_TRUE(testsupport::PointerUp(1));
    ASSERT_TRUE(PumpUntil([&] { return GetCapture() != grid.m_hWnd; }, 2000));
    testsupport::PumpFor(30);
}

std::vector<int> Widths(CGridCtrl& grid)
{
    std::vector<int> widths;
    for (int c = 0; c < grid.GetColumnCount(); ++c)
        widths.push_back(grid.GetColumnWidth(c));
    return widths;
}

// The width AutoSizeColumn should reach: the widest cell of the column.
int WidestCell(CGridCtrl& grid, int nCol)
{
    HDC hDC = GetDC(grid.m_hWnd);
    int nWidth = 0;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        nWidth = std::max<int>(nWidth, grid.GetCell(r, nCol)->GetCellExtent(hDC).cx);
    ReleaseDC(grid.m_hWnd, hDC);
    return nWidth;
}

}  // namespace

TEST(GridMouse, DraggingAColumnBorderMovesWidthToTheNextColumn)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridtest::FillFileList(grid, 8);
    ASSERT_TRUE(testsupport::FocusWindow(host.Window(), grid.m_hWnd));
    const std::vector<int> before = Widths(grid);
    ASSERT_EQ(0, before[4]);

    // Over a border in the header the cursor turns into the sizing cursor.
    const POINT border = gridtest::ColumnBorder(grid, 1);
    ASSERT_TRUE(testsupport::PointerMoveTo(grid.m_hWnd, border));
    EXPECT_TRUE(PumpUntil([] { return GetCursor() == LoadCursorA(nullptr, IDC_SIZEWE); }, 2000));

    // Column 1 grows by d, column 2 shrinks by d; the cursor was confined
    // to the client height, from one pixel right of column 1's left edge.
    const int d = (before[2] - grid.GetMinimumVisibleWidth()) / 2;
    ASSERT_GT(d, 5);
    RECT rcClip = {};
    RealDrag(grid, border, POINT{border.x + d, border.y}, &rcClip);
    std::vector<int> expected = before;
    expected[1] += d;
    expected[2] -= d;
    EXPECT_EQ(expected, Widths(grid));
    RECT rcCol1;
    grid.GetCellRect(0, 1, &rcCol1);
    POINT clipOrigin = {rcCol1.left + 1, 0};
    ClientToScreen(grid.m_hWnd, &clipOrigin);
    EXPECT_EQ(clipOrigin.x, rcClip.left);
    EXPECT_EQ(clipOrigin.y, rcClip.top);
    RECT rcClient;
    GetClientRect(grid.m_hWnd, &rcClient);
    EXPECT_EQ(rcClient.bottom, rcClip.bottom - rcClip.top);
    // The confinement ends with the release.
    RECT rcAfter;
    GetClipCursor(&rcAfter);
    EXPECT_GT(rcAfter.right - rcAfter.left, rcClip.right - rcClip.left);

    // Dragging past the whole next column: the next column stops at the
    // visible minimum, the total stays, and its own border still works.
    const std::vector<int> widths = Widths(grid);
    const POINT border2 = gridtest::ColumnBorder(grid, 1);
    RealDrag(grid, border2, POINT{border2.x + widths[2] + 40, border2.y});
    const int nMinimum = grid.GetMinimumVisibleWidth();
    ASSERT_GT(nMinimum, 2 * grid.GetResizeCaptureRange());
    expected = widths;
    expected[1] += widths[2] - nMinimum;
    expected[2] = nMinimum;
    EXPECT_EQ(expected, Widths(grid));
    const POINT border3 = gridtest::ColumnBorder(grid, 2);
    RealDrag(grid, border3, POINT{border3.x + 20, border3.y});
    EXPECT_EQ(nMinimum + 20, grid.GetColumnWidth(2));

    // The last shown column has no next column: its border resizes it
    // alone.
    const std::vector<int> widths3 = Widths(grid);
    const POINT lastBorder = gridtest::ColumnBorder(grid, 3);
    RECT rcCol3;
    grid.GetCellRect(0, 3, &rcCol3);
    RealDrag(grid, lastBorder, POINT{lastBorder.x - 40, lastBorder.y});
    expected = widths3;
    expected[3] = lastBorder.x - 40 - rcCol3.left;
    EXPECT_EQ(expected, Widths(grid));
    EXPECT_NE(grid.m_hWnd, GetCapture());

    // The same border below the header is no border: the drag selects.
    const POINT dataBorder = {gridtest::ColumnBorder(grid, 0).x, gridtest::CellCenter(grid, 2, 0).y};
    RealDrag(grid, dataBorder, POINT{dataBorder.x + 30, gridtest::CellCenter(grid, 4, 0).y});
    EXPECT_EQ(expected, Widths(grid));
    EXPECT_EQ(std::vector<int>({2, 3, 4}), gridtest::SelectedRows(grid));
}

TEST(GridMouse, DoubleClickOnABorderFitsTheColumnLeftOfIt)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridtest::FillFileList(grid, 6);
    grid.SetItemText(3, 2, "An album name much longer than its heading");
    for (int r = 1; r < grid.GetRowCount(); ++r)
        grid.SetItemText(r, 1, "e");
    grid.SetColumnWidth(0, 150);
    grid.SetColumnWidth(1, 200);
    grid.SetColumnWidth(2, 60);
    grid.SetColumnWidth(3, 60);
    grid.Refresh();
    ASSERT_TRUE(testsupport::FocusWindow(host.Window(), grid.m_hWnd));

    // The widest text is a data cell.
    ASSERT_TRUE(testsupport::PointerMoveTo(grid.m_hWnd, gridtest::ColumnBorder(grid, 2)));
    ASSERT_TRUE(testsupport::PointerClick(1, 2));
    const int nAlbum = WidestCell(grid, 2);
    EXPECT_TRUE(PumpUntil([&] { return grid.GetColumnWidth(2) == nAlbum; }, 2000));
    EXPECT_GT(nAlbum, 150);

    // The widest text is the heading ("Message/Error" over "e").
    ASSERT_TRUE(testsupport::PointerMoveTo(grid.m_hWnd, gridtest::ColumnBorder(grid, 1)));
    ASSERT_TRUE(testsupport::PointerClick(1, 2));
    const int nMessage = grid.GetCell(0, 1)->GetTextExtent("Message/Error").cx;
    EXPECT_TRUE(PumpUntil([&] { return grid.GetColumnWidth(1) == nMessage; }, 2000));
    EXPECT_EQ(WidestCell(grid, 1), nMessage);

    // A hidden column is passed over: the border right of column 1 (with
    // column 2 hidden) still fits column 1.
    grid.SetColumnWidth(1, 250);
    grid.SetColumnWidth(2, 0);
    grid.Refresh();
    RECT rc3;
    grid.GetCellRect(0, 3, &rc3);
    ASSERT_TRUE(testsupport::PointerMoveTo(grid.m_hWnd, POINT{rc3.left + 1, (rc3.top + rc3.bottom) / 2}));
    ASSERT_TRUE(testsupport::PointerClick(1, 2));
    EXPECT_TRUE(PumpUntil([&] { return grid.GetColumnWidth(1) == nMessage; }, 2000));
    EXPECT_EQ(0, grid.GetColumnWidth(2));
    EXPECT_EQ(60, grid.GetColumnWidth(3));
}

TEST(GridMouse, RowBordersSizeOnlyInFixedColumns)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridtest::FillFileList(grid, 8);
    ASSERT_TRUE(testsupport::FocusWindow(host.Window(), grid.m_hWnd));
    const int nHeight = grid.GetRowHeight(2);

    // The file list has no fixed column: a row border is no border.
    RECT rc;
    grid.GetCellRect(2, 0, &rc);
    RealDrag(grid, POINT{20, rc.bottom}, POINT{20, rc.bottom + 15});
    for (int r = 1; r < grid.GetRowCount(); ++r)
        EXPECT_EQ(nHeight, grid.GetRowHeight(r)) << r;

    // With a fixed column the border in it can be dragged.
    grid.SetFixedColumnCount(1);
    grid.Refresh();
    grid.GetCellRect(2, 0, &rc);
    RealDrag(grid, POINT{20, rc.bottom + 1}, POINT{20, rc.bottom + 16});
    EXPECT_EQ(nHeight + 15, grid.GetRowHeight(2));
    EXPECT_EQ(nHeight, grid.GetRowHeight(3));
    // The cursor stays one pixel below the row's top while the border is
    // dragged, so the mouse leaves at least 1.
    grid.GetCellRect(3, 0, &rc);
    RealDrag(grid, POINT{20, rc.bottom + 1}, POINT{20, rc.top - 5});
    EXPECT_EQ(1, grid.GetRowHeight(3));

    // A release above the top (as a posted message may give) hides the row
    // when hiding is allowed, and leaves 1 pixel when it is not.
    auto sizeRowTo = [&](int nRow, int y) {
        RECT rcRow;
        grid.GetCellRect(nRow, 0, &rcRow);
        const LPARAM lpBorder = MAKELPARAM(20, rcRow.bottom + 1);
        SendMessageA(grid.m_hWnd, WM_MOUSEMOVE, 0, lpBorder);
        SendMessageA(grid.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, lpBorder);
        SendMessageA(grid.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(20, y));
    };
    grid.GetCellRect(4, 0, &rc);
    sizeRowTo(4, rc.top - 3);
    EXPECT_EQ(0, grid.GetRowHeight(4));
    grid.EnableRowHide(FALSE);
    grid.GetCellRect(5, 0, &rc);
    sizeRowTo(5, rc.top - 3);
    EXPECT_EQ(1, grid.GetRowHeight(5));

    // Outside the fixed column the same row border selects.
    grid.GetCellRect(6, 1, &rc);
    RealDrag(grid, POINT{(rc.left + rc.right) / 2, rc.bottom}, POINT{(rc.left + rc.right) / 2, rc.bottom + 15});
    EXPECT_EQ(nHeight, grid.GetRowHeight(6));
}

TEST(GridMouse, HeaderClicksAfterAScanToggleTheSortAndClearTheSelection)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridtest::FillFileList(grid, 6);
    grid.SetItemText(2, 2, "b");
    grid.SetItemText(5, 2, "a");
    // As a folder scan leaves the list: sorted by "Filename" ascending, all
    // selected.
    grid.SortItems(0, TRUE);
    grid.SelectAll();
    ASSERT_TRUE(testsupport::FocusWindow(host.Window(), grid.m_hWnd));
    CommandRecorder commands(host.Window(), gridtest::kGridId);
    host.notifications.clear();

    auto column0 = [&] {
        std::vector<std::string> texts;
        for (int r = 1; r < grid.GetRowCount(); ++r)
            texts.push_back(grid.GetItemText(r, 0));
        return texts;
    };
    std::vector<std::string> ascending = column0();
    std::vector<std::string> descending(ascending.rbegin(), ascending.rend());

    RealClick(grid, gridtest::CellCenter(grid, 0, 0));
    ASSERT_TRUE(PumpUntil([&] { return commands.Count() == 1; }));
    EXPECT_EQ(0, grid.GetSortColumn());
    EXPECT_FALSE(grid.GetSortAscending());
    EXPECT_EQ(descending, column0());
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_FALSE(grid.GetFocusCell().IsValid());
    ASSERT_EQ(std::vector<int>({int(LVN_ITEMCHANGING), int(LVN_ITEMCHANGED), int(NM_CLICK)}),
              Codes(host.notifications));
    EXPECT_EQ(0, host.notifications[0].row);
    EXPECT_EQ(-1, host.notifications[1].row);
    EXPECT_EQ(0, host.notifications[2].row);

    // Select a row again; the second click sorts ascending and clears it.
    RealClick(grid, gridtest::CellCenter(grid, 3, 0));
    ASSERT_TRUE(PumpUntil([&] { return commands.Count() == 2; }));
    ASSERT_EQ(5, grid.GetSelectedCount());
    RealClick(grid, gridtest::CellCenter(grid, 0, 0));
    ASSERT_TRUE(PumpUntil([&] { return commands.Count() == 3; }));
    EXPECT_TRUE(grid.GetSortAscending());
    EXPECT_EQ(ascending, column0());
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_FALSE(grid.GetFocusCell().IsValid());

    // Another column sorts ascending first.
    RealClick(grid, gridtest::CellCenter(grid, 0, 2));
    ASSERT_TRUE(PumpUntil([&] { return commands.Count() == 4; }));
    EXPECT_EQ(2, grid.GetSortColumn());
    EXPECT_TRUE(grid.GetSortAscending());
    EXPECT_EQ("Album", grid.GetItemText(1, 2));
    EXPECT_EQ("Album", grid.GetItemText(4, 2));
    EXPECT_EQ("a", grid.GetItemText(5, 2));
    EXPECT_EQ("b", grid.GetItemText(6, 2));
    for (int c = 0; c < grid.GetColumnCount(); ++c)
        EXPECT_FALSE(grid.IsCellSelected(0, c));
}

TEST(GridMouse, HoldingTheButtonBelowTheWindowScrollsARowPerTick)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridtest::FillFileList(grid, 60);
    // A window that shows whole rows only.
    gridtest::FitRows(grid, 10);
    ASSERT_EQ(10, grid.GetVisibleNonFixedCellRange().GetRowSpan());
    ASSERT_TRUE(testsupport::FocusWindow(host.Window(), grid.m_hWnd));

    ASSERT_TRUE(testsupport::PointerMoveTo(grid.m_hWnd, gridtest::CellCenter(grid, 4, 0)));
    ASSERT_TRUE(testsupport::PointerDown(1));
    ASSERT_TRUE(PumpUntil([&] { return GetCapture() == grid.m_hWnd; }, 2000));
    RECT rcClient;
    GetClientRect(grid.m_hWnd, &rcClient);
    ASSERT_TRUE(testsupport::PointerMoveTo(grid.m_hWnd, POINT{100, rcClient.bottom + 40}));

    // Each tick of timer 513 moves the top row by one and adds one row to
    // the selection, which runs from the pressed row to the bottom row.
    struct Tick {
        int nTop;
        int nLastSelected;
    };
    std::vector<Tick> ticks;
    const DWORD dwStart = GetTickCount();
    MSG msg;
    while (ticks.size() < 12 && GetTickCount() - dwStart < 5000) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            Sleep(1);
            continue;
        }
        const bool bTick = msg.message == WM_TIMER && msg.hwnd == grid.m_hWnd &&
                           msg.wParam == CGridCtrl::kAutoScrollTimerId;
        DispatchMessageA(&msg);
        if (bTick)
            ticks.push_back({gridtest::TopRow(grid), gridtest::SelectedRows(grid).back()});
    }
    const DWORD dwElapsed = GetTickCount() - dwStart;
    ASSERT_EQ(12u, ticks.size());
    for (size_t i = 1; i < ticks.size(); ++i) {
        EXPECT_EQ(ticks[i - 1].nTop + 1, ticks[i].nTop) << i;
        EXPECT_EQ(ticks[i - 1].nLastSelected + 1, ticks[i].nLastSelected) << i;
        EXPECT_EQ(ticks[i].nTop + 9, ticks[i].nLastSelected) << i;
    }
    EXPECT_EQ(4, gridtest::SelectedRows(grid).front());
    std::printf("auto-scroll: %u ticks in %lu ms\n", static_cast<unsigned>(ticks.size()),
                static_cast<unsigned long>(dwElapsed));

    // Releasing the button stops the timer.
    ASSERT_TRUE(testsupport::PointerUp(1));
    ASSERT_TRUE(PumpUntil([&] { return GetCapture() != grid.m_hWnd; }, 2000));
    const int nTop = gridtest::TopRow(grid);
    testsupport::PumpFor(150);
    EXPECT_EQ(nTop, gridtest::TopRow(grid));

    // So does losing the capture while the button is still held.
    ASSERT_TRUE(testsupport::PointerMoveTo(grid.m_hWnd, gridtest::CellCenter(grid, nTop + 2, 0)));
    testsupport::PumpFor(GetDoubleClickTime());
    ASSERT_TRUE(testsupport::PointerDown(1));
    ASSERT_TRUE(PumpUntil([&] { return GetCapture() == grid.m_hWnd; }, 2000));
    SetCapture(host.Window());
    ASSERT_TRUE(testsupport::PointerMoveTo(grid.m_hWnd, POINT{100, rcClient.bottom + 40}));
    const int nTop2 = gridtest::TopRow(grid);
    testsupport::PumpFor(150);
    EXPECT_EQ(nTop2, gridtest::TopRow(grid));
    ReleaseCapture();
    ASSERT_TRUE(testsupport::PointerUp(1));
    testsupport::PumpFor(20);
}

TEST(GridMouse, OutsideTheCellsOnlyARightClickIsReported)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridtest::FillFileList(grid, 3);
    CommandRecorder commands(host.Window(), gridtest::kGridId);
    gridtest::SendClick(grid, gridtest::CellCenter(grid, 1, 1));
    ASSERT_EQ(1, commands.Count());
    host.notifications.clear();

    RECT rcLast;
    grid.GetCellRect(3, 0, &rcLast);
    const LPARAM lpOutside = MAKELPARAM(40, rcLast.bottom + 30);
    for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                         WM_LBUTTONUP})
        PostMessageA(grid.m_hWnd, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, lpOutside);
    testsupport::PumpFor(50);
    EXPECT_TRUE(host.notifications.empty());
    EXPECT_EQ(1, commands.Count());
    EXPECT_EQ(std::vector<int>({1}), gridtest::SelectedRows(grid));
    EXPECT_EQ(CCellID(1, 1), grid.GetFocusCell());
    EXPECT_NE(grid.m_hWnd, GetCapture());

    // A right click outside: NM_RCLICK for (-1, -1), nothing else.
    PostMessageA(grid.m_hWnd, WM_RBUTTONDOWN, MK_RBUTTON, lpOutside);
    PostMessageA(grid.m_hWnd, WM_RBUTTONUP, 0, lpOutside);
    testsupport::PumpFor(50);
    ASSERT_EQ(1u, host.notifications.size());
    EXPECT_EQ(NM_RCLICK, host.notifications[0].code);
    EXPECT_EQ(-1, host.notifications[0].row);
    EXPECT_EQ(-1, host.notifications[0].col);
    EXPECT_EQ(CCellID(1, 1), grid.GetFocusCell());

    // On a cell the focus moves there; the selection stays.
    host.notifications.clear();
    const POINT cell = gridtest::CellCenter(grid, 3, 2);
    PostMessageA(grid.m_hWnd, WM_RBUTTONUP, 0, MAKELPARAM(cell.x, cell.y));
    testsupport::PumpFor(50);
    EXPECT_EQ(CCellID(3, 2), grid.GetFocusCell());
    EXPECT_EQ(std::vector<int>({1}), gridtest::SelectedRows(grid));
    ASSERT_EQ(1u, host.notifications.size());
    EXPECT_EQ(NM_RCLICK, host.notifications[0].code);
    EXPECT_EQ(3, host.notifications[0].row);
    EXPECT_EQ(2, host.notifications[0].col);
    EXPECT_EQ(1, commands.Count());
}

TEST(GridMouse, PressesOnSelectedOrFocusCellsPrepareADragOrAnEdit)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridtest::FillFileList(grid, 5);
    CommandRecorder commands(host.Window(), gridtest::kGridId);
    grid.SetSelectedRange(1, 0, 3, 4);
    grid.SetFocusCell(2, 0);

    // Drag and drop on: a press on a selected row changes nothing until
    // the release, which then clicks and selects just that row.
    grid.EnableDragAndDrop(TRUE);
    host.notifications.clear();
    const POINT point = gridtest::CellCenter(grid, 3, 1);
    const LPARAM lp = MAKELPARAM(point.x, point.y);
    SendMessageA(grid.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, lp);
    EXPECT_TRUE(host.notifications.empty());
    EXPECT_EQ(15, grid.GetSelectedCount());
    EXPECT_EQ(CCellID(2, 0), grid.GetFocusCell());
    SendMessageA(grid.m_hWnd, WM_LBUTTONUP, 0, lp);
    testsupport::PumpFor(0);
    EXPECT_EQ(std::vector<int>({int(NM_CLICK), int(LVN_ITEMCHANGING), int(LVN_ITEMCHANGED)}),
              Codes(host.notifications));
    EXPECT_EQ(std::vector<int>({3}), gridtest::SelectedRows(grid));
    EXPECT_EQ(CCellID(3, 1), grid.GetFocusCell());
    EXPECT_EQ(1, commands.Count());

    // Editable, the press on the focus cell's text waits for the release
    // (which opens the editor) and selects nothing.
    grid.EnableDragAndDrop(FALSE);
    grid.SetEditable(TRUE);
    grid.SetSelectedRange(-1, -1, -1, -1);
    host.notifications.clear();
    SendMessageA(grid.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, lp);
    EXPECT_TRUE(host.notifications.empty());
    EXPECT_NE(grid.m_hWnd, GetCapture());
    EXPECT_EQ(0, grid.GetSelectedCount());
    SendMessageA(grid.m_hWnd, WM_LBUTTONUP, 0, lp);
    testsupport::PumpFor(0);
    EXPECT_EQ(std::vector<int>({int(LVN_BEGINLABELEDIT)}), Codes(host.notifications));
    EXPECT_NE(nullptr, GetDlgItem(grid.m_hWnd, CGridCtrl::IDC_INPLACE_CONTROL));
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_EQ(2, commands.Count());
    grid.EndEditing();
}

// The widest album of an auto-sized column shows whole and brings no tip;
// a tip comes exactly at the width where the drawn text gets cut off.
TEST(GridMouse, ATitleTipShowsOnlyOverTextTheCellCutsOff)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridtest::FillFileList(grid, 3);
    grid.SetItemText(2, 2, "A rather longer album title");
    grid.AutoSizeColumns();
    ASSERT_TRUE(testsupport::FocusWindow(host.Window(), grid.m_hWnd));
    const int nAuto = grid.GetColumnWidth(2);

    // The album cell's pixels left of its grid line, at a width of the
    // column, and whether they show the text as a wide column does.
    auto pixels = [&](int nWidth, int nAcross) {
        grid.SetColumnWidth(2, nWidth);
        const gridtest::RenderedGrid image(grid);
        RECT rc;
        grid.GetCellRect(2, 2, &rc);
        std::vector<COLORREF> colours;
        for (int y = rc.top; y < rc.bottom; ++y) {
            for (int x = rc.left; x < rc.left + nAcross; ++x)
                colours.push_back(image.Pixel(x, y));
        }
        return colours;
    };
    auto whole = [&](int nWidth) {
        return pixels(nWidth, nWidth - 1) == pixels(nAuto + 100, nWidth - 1);
    };
    int nFit = nAuto;
    while (nFit > 1 && whole(nFit - 1))
        --nFit;
    ASSERT_TRUE(whole(nAuto));
    ASSERT_LT(nFit, nAuto);

    // The pointer over the album at each width.
    CGridTitleTip& tip = grid.GetTitleTip();
    for (const int nWidth : {nAuto, nFit, nFit - 1}) {
        grid.SetColumnWidth(2, nWidth);
        grid.Refresh();
        ASSERT_TRUE(testsupport::PointerMoveTo(grid.m_hWnd, gridtest::CellCenter(grid, 1, 1)));
        ASSERT_TRUE(testsupport::PointerMoveTo(grid.m_hWnd, gridtest::CellCenter(grid, 2, 2)));
        // Every move the pointer made has reached the grid.
        MSG msg;
        ASSERT_TRUE(PumpUntil(
            [&] { return !PeekMessageA(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_NOREMOVE); }));
        const bool bCut = nWidth < nFit;
        EXPECT_EQ(bCut, PumpUntil([&] { return tip.IsWindowVisible(); }, bCut ? 5000 : 100))
            << nWidth << " (whole from " << nFit << ")";
    }
    HDC hDC = GetDC(tip.m_hWnd);
    EXPECT_EQ(RGB(255, 255, 225), GetPixel(hDC, 1, 1));
    ReleaseDC(tip.m_hWnd, hDC);
}
