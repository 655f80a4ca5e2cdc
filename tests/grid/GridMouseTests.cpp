#include "support/GTestWin.h"

#include <algorithm>
#include <string>
#include <vector>

#include "GridInput.h"
#include "catalog/FileListGrid.h"

using gridinput::Click;
using gridinput::Drag;
using gridinput::kPatience;
using gridinput::SelectedRows;
using testsupport::CellCenter;
using testsupport::GridHost;
using testsupport::PumpUntil;

namespace {

std::vector<int> Widths(const CGridCtrl& grid)
{
    std::vector<int> widths;
    for (int c = 0; c < grid.GetColumnCount(); ++c)
        widths.push_back(grid.GetColumnWidth(c));
    return widths;
}

// The point of a column's right border in the header: the first pixel of
// the next column, or the last pixel of the client area.
POINT ColumnBorder(const CGridCtrl& grid, int nCol)
{
    RECT rc = {};
    RECT rcClient = {};
    grid.GetCellRect(0, nCol, &rc);
    GetClientRect(grid.m_hWnd, &rcClient);
    return POINT{std::min<LONG>(rc.right + 1, rcClient.right - 1), (rc.top + rc.bottom) / 2};
}

}  // namespace

// A click selects the row; Ctrl adds or takes out rows, Shift selects
// from the last plain or Ctrl press; a press on a selected row moves the
// focus there as on any row, so that the keys go on from it.
TEST(GridMouse, ClicksSelectRowsWithCtrlAndShiftAndNeverTheHeader)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 12);
    Click(grid, CellCenter(grid, 2, 1));
    EXPECT_EQ(5, grid.GetSelectedCount());

    const struct {
        int row, col;
        UINT keys;
        std::vector<int> selected;
    } clicks[] = {
        {5, 0, MK_CONTROL, {2, 5}}, {2, 0, MK_CONTROL, {5}},        {5, 0, 0, {5}},
        {9, 2, MK_SHIFT, {5, 6, 7, 8, 9}}, {3, 2, MK_SHIFT, {3, 4, 5}}, {4, 0, 0, {4}},
    };
    for (const auto& click : clicks) {
        Click(grid, CellCenter(grid, click.row, click.col), click.keys);
        EXPECT_EQ(click.selected, SelectedRows(grid)) << click.row << " keys " << click.keys;
        EXPECT_EQ(CCellID(click.row, click.col), grid.GetFocusCell()) << click.row;
    }
    gridinput::Key(grid, VK_DOWN);
    EXPECT_EQ(std::vector<int>({5}), SelectedRows(grid));
    for (int c = 0; c < grid.GetColumnCount(); ++c)
        EXPECT_FALSE(grid.IsCellSelected(0, c));

    // The owner hears of a press (the pressed cell changing), then of the
    // release (the focus cell changed, the click); of a right click, which
    // moves the focus; of nothing done outside the cells but a right click.
    host.notes.clear();
    Click(grid, CellCenter(grid, 1, 1));
    RECT rcLast;
    grid.GetCellRect(grid.GetRowCount() - 1, 0, &rcLast);
    const POINT outside = {40, rcLast.bottom + 30};
    for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        gridinput::Send(grid, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, outside);
    EXPECT_NE(grid.m_hWnd, GetCapture());
    gridinput::Send(grid, WM_RBUTTONUP, 0, outside);
    gridinput::Send(grid, WM_RBUTTONUP, 0, CellCenter(grid, 3, 2));
    const std::vector<testsupport::GridNote> expected = {{LVN_ITEMCHANGING, 1, 1}, {LVN_ITEMCHANGED, 1, 1},
                                                         {NM_CLICK, 1, 1},         {NM_RCLICK, -1, -1},
                                                         {NM_RCLICK, 3, 2}};
    ASSERT_EQ(expected.size(), host.notes.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].code, host.notes[i].code) << i;
        EXPECT_EQ(CCellID(expected[i].row, expected[i].col), CCellID(host.notes[i].row, host.notes[i].col)) << i;
    }
    EXPECT_EQ(CCellID(3, 2), grid.GetFocusCell());
    EXPECT_EQ(std::vector<int>({1}), SelectedRows(grid));
}

// With the real pointer: the names are cut off, so a press on one lands on
// its title tip, which hands it to the row underneath; two quick presses
// on two rows are two presses, not a double click.
TEST(GridMouse, RealClicksThroughTitleTipsSelectTheRowUnderThem)
{
    gridinput::DoubleClickTime slow(20000);
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 6);
    grid.SetColumnWidth(0, 90);
    ASSERT_TRUE(gridinput::Focus(host.Window(), grid.m_hWnd));
    for (int nRow : {1, 3}) {
        ASSERT_TRUE(gridinput::MovePointer(grid.m_hWnd, CellCenter(grid, nRow, 0)));
        ASSERT_TRUE(PumpUntil([&] { return grid.GetTitleTip().IsWindowVisible(); }, kPatience));
        ASSERT_TRUE(testsupport::PointerClick(1));
        EXPECT_TRUE(PumpUntil([&] { return SelectedRows(grid) == std::vector<int>({nRow}); }, kPatience));
        ASSERT_TRUE(PumpUntil([&] { return GetCapture() != grid.m_hWnd; }, kPatience));  // released
    }
}

// A header border gives or takes width from the next shown column, which
// stays visible; the last shown column's border sizes it alone; a double
// click fits the column left of the border to its widest text.
TEST(GridMouse, HeaderBordersSizeAndFitColumns)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 8);
    const std::vector<int> before = Widths(grid);

    // Over a border the cursor is the sizing one.
    const POINT border = ColumnBorder(grid, 1);
    gridinput::Send(grid, WM_MOUSEMOVE, 0, border);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_SIZEWE), GetCursor());
    const int d = (before[2] - grid.GetMinimumVisibleWidth()) / 2;
    ASSERT_GT(d, 5);
    Drag(grid, border, POINT{border.x + d, border.y});
    std::vector<int> expected = before;
    expected[1] += d;
    expected[2] -= d;
    EXPECT_EQ(expected, Widths(grid));

    // Nearly over the whole next column: it stops at the visible minimum,
    // and its own border still works.
    const int nMinimum = grid.GetMinimumVisibleWidth();
    ASSERT_GT(nMinimum, 2 * grid.GetResizeCaptureRange());
    const POINT border1 = ColumnBorder(grid, 1);
    Drag(grid, border1, POINT{border1.x + expected[2] - nMinimum / 2, border1.y});
    expected[1] += expected[2] - nMinimum;
    expected[2] = nMinimum;
    EXPECT_EQ(expected, Widths(grid));
    const POINT border2 = ColumnBorder(grid, 2);
    Drag(grid, border2, POINT{border2.x + 20, border2.y});
    EXPECT_EQ(nMinimum + 20, grid.GetColumnWidth(2));
    expected = Widths(grid);
    RECT rcCol3;
    grid.GetCellRect(0, 3, &rcCol3);
    const POINT border3 = ColumnBorder(grid, 3);  // the hidden column 4 follows
    Drag(grid, border3, POINT{border3.x - 40, border3.y});
    expected[3] = border3.x - 40 - rcCol3.left;
    EXPECT_EQ(expected, Widths(grid));
    // A double click fits the column to its widest text.
    grid.SetItemText(3, kColAlbum, "An album name much longer than its heading");
    grid.SetColumnWidth(kColAlbum, 60);
    gridinput::Send(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, ColumnBorder(grid, kColAlbum));
    EXPECT_EQ(grid.GetCell(3, kColAlbum)->GetCellExtent(nullptr).cx, grid.GetColumnWidth(kColAlbum));
}

// After a scan (sorted by name, all selected) a header click sorts the
// other way, the next one back; another column sorts ascending first.
// Each clears the selection and the focus.
TEST(GridMouse, HeaderClicksToggleTheSortAndClearTheSelection)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 6);
    grid.SetItemText(2, kColAlbum, "b");
    grid.SetItemText(5, kColAlbum, "a");
    grid.SortItems(0, TRUE);
    grid.SelectAll();
    const std::vector<std::string> ascending = testsupport::Column(grid, 0);

    Click(grid, CellCenter(grid, 0, 0));
    EXPECT_EQ(std::vector<std::string>(ascending.rbegin(), ascending.rend()), testsupport::Column(grid, 0));
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_FALSE(grid.GetFocusCell().IsValid());

    Click(grid, CellCenter(grid, 3, 0));
    Click(grid, CellCenter(grid, 0, 0));
    EXPECT_EQ(ascending, testsupport::Column(grid, 0));

    Click(grid, CellCenter(grid, 0, kColAlbum));
    EXPECT_EQ(std::vector<std::string>({"Album", "Album", "Album", "Album", "a", "b"}),
              testsupport::Column(grid, kColAlbum));
}

// While the button is held below the window, each tick of the auto-scroll
// timer scrolls one row and selects one more; a lost capture stops the
// timer.
TEST(GridMouse, HoldingTheButtonBelowTheWindowScrollsARowPerTick)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 60);
    gridinput::FitRows(grid, 10);
    RECT rcClient;
    GetClientRect(grid.m_hWnd, &rcClient);
    POINT below = {100, rcClient.bottom + 40};
    ClientToScreen(grid.m_hWnd, &below);
    gridinput::Send(grid, WM_LBUTTONDOWN, MK_LBUTTON, CellCenter(grid, 4, 0));
    ASSERT_TRUE(SetCursorPos(below.x, below.y));

    std::vector<std::pair<int, int>> ticks;  // top row, last selected row
    const DWORD dwStart = GetTickCount();
    MSG msg;
    while (ticks.size() < 12 && GetTickCount() - dwStart < kPatience) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            continue;
        }
        DispatchMessageA(&msg);
        if (msg.message == WM_TIMER && msg.hwnd == grid.m_hWnd && msg.wParam == CGridCtrl::kAutoScrollTimerId)
            ticks.emplace_back(gridinput::TopRow(grid), SelectedRows(grid).back());
    }
    ASSERT_EQ(12u, ticks.size());
    for (size_t i = 1; i < ticks.size(); ++i) {
        EXPECT_EQ(ticks[i - 1].first + 1, ticks[i].first) << i;
        EXPECT_EQ(ticks[i].first + 9, ticks[i].second) << i;
    }
    EXPECT_EQ(4, SelectedRows(grid).front());
    SetCapture(host.Window());  // a lost capture stops the timer
    EXPECT_FALSE(KillTimer(grid.m_hWnd, CGridCtrl::kAutoScrollTimerId));
    ReleaseCapture();
}
