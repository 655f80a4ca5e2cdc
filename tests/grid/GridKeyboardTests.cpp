#include "support/GTestWin.h"

#include <vector>

#include "GridInput.h"

using gridinput::Key;
using gridinput::SelectedRows;
using gridinput::TopRow;
using testsupport::GridHost;

namespace {

enum { kCtrl = 1, kShift = 2 };

// One key and where it leaves the focus, the top row (0: any) and the
// selected rows (from first to last).
struct KeyStep {
    UINT vk;
    int mods;
    CCellID focus;
    int top;
    int first;
    int last;
};

void Press(CGridCtrl& grid, const std::vector<KeyStep>& steps)
{
    for (const KeyStep& step : steps) {
        Key(grid, step.vk, step.mods & kCtrl, step.mods & kShift);
        const CCellID focus = grid.GetFocusCell();
        RECT rc;
        RECT rcClient;
        grid.GetCellRect(focus.row, focus.col, &rc);
        GetClientRect(grid.m_hWnd, &rcClient);
        const std::vector<int> rows = SelectedRows(grid);
        EXPECT_EQ(step.focus, focus) << "key " << step.vk << " mods " << step.mods;
        EXPECT_TRUE(rc.top >= grid.GetFixedRowHeight() && rc.bottom < rcClient.bottom && rc.left >= 0 &&
                    rc.right < rcClient.right) << "focus " << focus.row << "," << focus.col << " shown whole";
        EXPECT_TRUE(step.top == 0 || step.top == TopRow(grid)) << "key " << step.vk << " top " << TopRow(grid);
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(step.first, rows.front()) << "key " << step.vk;
        EXPECT_EQ(step.last, rows.back()) << "key " << step.vk;
    }
}

}  // namespace

// Tab goes through the shown columns and wraps to the next row (column 4
// is hidden); Home and End with Ctrl go to the ends; a page key moves the
// focus as far as it scrolls (10 rows a page), to the last or first row
// on the last page.
TEST(GridKeyboard, TabHomeEndAndPagingKeysMoveTheFocusCell)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 40);
    gridinput::FitRows(grid, 10);
    gridinput::Click(grid, testsupport::CellCenter(grid, 5, 3));
    Press(grid, {{VK_TAB, 0, {6, 0}, 0, 6, 6},       {VK_TAB, kShift, {5, 3}, 0, 5, 5},
                 {VK_RIGHT, 0, {5, 3}, 0, 5, 5},     {VK_LEFT, 0, {5, 2}, 0, 5, 5},
                 {VK_END, kCtrl, {40, 3}, 31, 40, 40}, {VK_TAB, 0, {40, 3}, 31, 40, 40},
                 {VK_HOME, kCtrl, {1, 0}, 1, 1, 1},  {VK_TAB, kShift, {1, 0}, 1, 1, 1},
                 {VK_NEXT, 0, {11, 0}, 11, 11, 11},  {VK_NEXT, 0, {21, 0}, 21, 21, 21},
                 {VK_NEXT, 0, {31, 0}, 31, 31, 31},  {VK_NEXT, 0, {40, 0}, 31, 40, 40},
                 {VK_HOME, kCtrl, {1, 0}, 1, 1, 1},  {VK_DOWN, 0, {2, 0}, 1, 2, 2},
                 {VK_PRIOR, 0, {1, 0}, 1, 1, 1}});
}

// The arrows pass over a hidden row and scroll one row at the edge; Shift
// extends from the selection's start, a plain arrow starts anew; Ctrl+A
// selects every data row.
TEST(GridKeyboard, ArrowsSkipHiddenRowsScrollALineAndExtendWithShift)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 40);
    gridinput::FitRows(grid, 10);
    grid.SetRowHeight(3, 0);
    gridinput::Click(grid, testsupport::CellCenter(grid, 2, 0));
    Press(grid, {{VK_DOWN, 0, {4, 0}, 1, 4, 4}, {VK_UP, 0, {2, 0}, 1, 2, 2}, {VK_UP, 0, {1, 0}, 1, 1, 1},
                 {VK_UP, 0, {1, 0}, 1, 1, 1}});
    gridinput::Click(grid, testsupport::CellCenter(grid, 11, 0));  // the last row shown whole
    Press(grid, {{VK_DOWN, 0, {12, 0}, 2, 12, 12}, {VK_DOWN, kShift, {13, 0}, 0, 12, 13},
                 {VK_DOWN, kShift, {14, 0}, 0, 12, 14}, {VK_UP, kShift, {13, 0}, 0, 12, 13},
                 {VK_UP, 0, {12, 0}, 0, 12, 12}, {'A', kCtrl, {12, 0}, 0, 1, 40}});
    EXPECT_EQ(40 * 5, grid.GetSelectedCount());
}

// Without a focus cell (as after a sort) keys change nothing; in the file
// list, which is not editable, F2, Delete, cut, paste and characters change
// nothing either.
TEST(GridKeyboard, KeysNeedAFocusCellAndCharactersAnEditableGrid)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 10);
    grid.SortItems(0, TRUE);
    grid.SelectAll();
    Key(grid, VK_DOWN);
    Key(grid, VK_END, true);
    EXPECT_FALSE(grid.GetFocusCell().IsValid());
    EXPECT_EQ(50, grid.GetSelectedCount());

    const POINT pt = testsupport::CellCenter(grid, 2, 0);  // on the whole selection
    gridinput::Send(grid, WM_LBUTTONDOWN, MK_LBUTTON, pt);
    EXPECT_EQ(CCellID(2, 0), grid.GetFocusCell());  // already on the press
    gridinput::Send(grid, WM_LBUTTONUP, 0, pt);
    host.notes.clear();
    const std::string text = grid.GetItemText(2, 0);
    Key(grid, VK_F2);
    Key(grid, VK_DELETE);
    Key(grid, 'X', true);
    Key(grid, 'V', true);
    SendMessageA(grid.m_hWnd, WM_CHAR, 'q', 1);
    EXPECT_EQ(text, grid.GetItemText(2, 0));
    EXPECT_TRUE(host.notes.empty());

}
