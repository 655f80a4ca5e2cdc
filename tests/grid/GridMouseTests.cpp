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

std::vector<UINT> Codes(const std::vector<testsupport::GridNote>& notes)
{
    std::vector<UINT> codes;
    for (const auto& note : notes)
        codes.push_back(note.code);
    return codes;
}

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

// Presses report the pressed cell changing, then (on the release) the focus
// cell changed and the click; Ctrl adds or takes out rows, Shift selects
// from the last plain or Ctrl press; a press on a selected row moves the
// focus there as on any row, so that the keys go on from it.
TEST(GridMouse, ClicksSelectRowsWithCtrlAndShiftAndNeverTheHeader)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 12);
    Click(grid, CellCenter(grid, 2, 1));
    ASSERT_EQ(std::vector<UINT>({LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK}),
              Codes(host.notes));
    EXPECT_EQ(CCellID(2, 1), CCellID(host.notes[0].row, host.notes[0].col));
    EXPECT_EQ(2, host.notes[2].row);
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

    // Over a border the cursor is the sizing one; while it is dragged the
    // cursor stays in the client height, from one pixel into the column.
    const POINT border = ColumnBorder(grid, 1);
    gridinput::Send(grid, WM_MOUSEMOVE, 0, border);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_SIZEWE), GetCursor());
    gridinput::Send(grid, WM_LBUTTONDOWN, MK_LBUTTON, border);
    RECT rcClip = {};
    GetClipCursor(&rcClip);
    RECT rcCol1;
    grid.GetCellRect(0, 1, &rcCol1);
    POINT origin = {rcCol1.left + 1, 0};
    ClientToScreen(grid.m_hWnd, &origin);
    RECT rcClient;
    GetClientRect(grid.m_hWnd, &rcClient);
    EXPECT_EQ(origin.x, rcClip.left);
    EXPECT_EQ(origin.y, rcClip.top);
    EXPECT_EQ(rcClient.bottom, rcClip.bottom - rcClip.top);
    const int d = (before[2] - grid.GetMinimumVisibleWidth()) / 2;
    ASSERT_GT(d, 5);
    gridinput::Send(grid, WM_LBUTTONUP, 0, POINT{border.x + d, border.y});
    RECT rcAfter;
    GetClipCursor(&rcAfter);
    EXPECT_GT(rcAfter.right - rcAfter.left, rcClip.right - rcClip.left);
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
    // The same point below the header is no border: the drag selects.
    const POINT below = {ColumnBorder(grid, 0).x, CellCenter(grid, 2, 0).y};
    Drag(grid, below, POINT{below.x + 30, CellCenter(grid, 4, 0).y});
    EXPECT_EQ(expected, Widths(grid));
    EXPECT_EQ(std::vector<int>({2, 3, 4}), SelectedRows(grid));

    // Double clicks: the widest text of a column is a data cell, or the
    // heading; a hidden column is passed over to the one before.
    grid.SetItemText(3, kColAlbum, "An album name much longer than its heading");
    for (int r = 1; r < grid.GetRowCount(); ++r)
        grid.SetItemText(r, kColMessage, "e");
    for (const int nCol : {0, 1, 2})
        grid.SetColumnWidth(nCol, nCol == kColMessage ? 200 : 60);
    auto widest = [&](int nCol) {
        int n = 0;
        for (int r = 0; r < grid.GetRowCount(); ++r)
            n = std::max<int>(n, grid.GetCell(r, nCol)->GetCellExtent(nullptr).cx);
        return n;
    };
    gridinput::Send(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, ColumnBorder(grid, kColAlbum));
    EXPECT_EQ(grid.GetCell(3, kColAlbum)->GetCellExtent(nullptr).cx, grid.GetColumnWidth(kColAlbum));
    const int nHeading = grid.GetCell(0, kColMessage)->GetCellExtent(nullptr).cx;
    ASSERT_EQ(nHeading, widest(kColMessage));
    gridinput::Send(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, ColumnBorder(grid, kColMessage));
    EXPECT_EQ(nHeading, grid.GetColumnWidth(kColMessage));
    grid.SetColumnWidth(kColMessage, 250);
    grid.SetColumnWidth(kColAlbum, 0);
    grid.GetCellRect(0, kColComment, &rcCol3);
    gridinput::Send(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, POINT{rcCol3.left + 1, border.y});
    EXPECT_EQ(nHeading, grid.GetColumnWidth(kColMessage));
    EXPECT_EQ(0, grid.GetColumnWidth(kColAlbum));
}

// Row borders size rows only in a fixed column, which the file list has not.
TEST(GridMouse, RowBordersSizeRowsOnlyInAFixedColumn)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 8);
    const int nHeight = grid.GetRowHeight(2);
    RECT rc;
    grid.GetCellRect(2, 0, &rc);
    Drag(grid, POINT{20, rc.bottom}, POINT{20, rc.bottom + 15});
    EXPECT_EQ(nHeight, grid.GetRowHeight(2));
    grid.SetFixedColumnCount(1);
    Drag(grid, POINT{20, rc.bottom + 1}, POINT{20, rc.bottom + 16});
    EXPECT_EQ(nHeight + 15, grid.GetRowHeight(2));
    for (const int nRow : {4, 6}) {  // dragged above the row's top: hidden when allowed
        grid.EnableRowHide(nRow == 4);
        grid.GetCellRect(nRow, 0, &rc);
        Drag(grid, POINT{20, rc.bottom + 1}, POINT{20, rc.top - 3});
        EXPECT_EQ(nRow == 4 ? 0 : 1, grid.GetRowHeight(nRow));
    }
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
    host.notes.clear();
    const std::vector<std::string> ascending = testsupport::Column(grid, 0);

    Click(grid, CellCenter(grid, 0, 0));
    EXPECT_FALSE(grid.GetSortAscending());
    EXPECT_EQ(std::vector<std::string>(ascending.rbegin(), ascending.rend()), testsupport::Column(grid, 0));
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_FALSE(grid.GetFocusCell().IsValid());
    ASSERT_EQ(std::vector<UINT>({LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK}),
              Codes(host.notes));
    EXPECT_EQ(0, host.notes[0].row);
    EXPECT_EQ(-1, host.notes[1].row);

    Click(grid, CellCenter(grid, 3, 0));
    Click(grid, CellCenter(grid, 0, 0));
    EXPECT_TRUE(grid.GetSortAscending());
    EXPECT_EQ(ascending, testsupport::Column(grid, 0));
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_FALSE(grid.GetFocusCell().IsValid());

    Click(grid, CellCenter(grid, 0, kColAlbum));
    EXPECT_EQ(kColAlbum, grid.GetSortColumn());
    EXPECT_EQ(std::vector<std::string>({"Album", "Album", "Album", "Album", "a", "b"}),
              testsupport::Column(grid, kColAlbum));
}

// While the button is held below the window, each tick of the auto-scroll
// timer scrolls one row and selects one more; the release or a lost
// capture stops the timer.
TEST(GridMouse, HoldingTheButtonBelowTheWindowScrollsARowPerTick)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 60);
    gridinput::FitRows(grid, 10);
    ASSERT_EQ(10, grid.GetVisibleNonFixedCellRange().GetRowSpan());
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
    gridinput::Send(grid, WM_LBUTTONUP, 0, POINT{100, rcClient.bottom + 40});
    EXPECT_FALSE(KillTimer(grid.m_hWnd, CGridCtrl::kAutoScrollTimerId));  // none left running

    gridinput::Send(grid, WM_LBUTTONDOWN, MK_LBUTTON, CellCenter(grid, gridinput::TopRow(grid) + 2, 0));
    ASSERT_EQ(grid.m_hWnd, GetCapture());
    SetCapture(host.Window());
    EXPECT_FALSE(KillTimer(grid.m_hWnd, CGridCtrl::kAutoScrollTimerId));
    ReleaseCapture();
}

// Outside the cells only a right click is reported, for (-1, -1); on a
// cell it moves the focus there and leaves the selection.
TEST(GridMouse, OutsideTheCellsOnlyARightClickIsReported)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 3);
    Click(grid, CellCenter(grid, 1, 1));
    host.notes.clear();
    RECT rcLast;
    grid.GetCellRect(3, 0, &rcLast);
    const POINT outside = {40, rcLast.bottom + 30};
    for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        gridinput::Send(grid, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, outside);
    EXPECT_TRUE(host.notes.empty());
    EXPECT_EQ(std::vector<int>({1}), SelectedRows(grid));
    EXPECT_NE(grid.m_hWnd, GetCapture());
    gridinput::Send(grid, WM_RBUTTONUP, 0, outside);
    gridinput::Send(grid, WM_RBUTTONUP, 0, CellCenter(grid, 3, 2));
    ASSERT_EQ(2u, host.notes.size());
    EXPECT_EQ(NM_RCLICK, host.notes[0].code);
    EXPECT_EQ(CCellID(-1, -1), CCellID(host.notes[0].row, host.notes[0].col));
    EXPECT_EQ(NM_RCLICK, host.notes[1].code);
    EXPECT_EQ(CCellID(3, 2), CCellID(host.notes[1].row, host.notes[1].col));
    EXPECT_EQ(CCellID(3, 2), grid.GetFocusCell());
    EXPECT_EQ(std::vector<int>({1}), SelectedRows(grid));
}

