#include "support/GTestWin.h"

#include <algorithm>
#include <vector>

#include "GridInputSupport.h"
#include "support/TestSupport.h"
#include "support/XInput.h"

using gridtest::GridHost;
using testsupport::PumpUntil;

namespace {

// Presses keys on the real keyboard (the grid has the focus) and lets the
// grid handle them: xdotool has sent them when it returns, and Wine turns
// them into messages while this thread pumps.
void RealKeys(CGridCtrl& grid, const std::string& keys)
{
    ASSERT_EQ(grid.m_hWnd, GetFocus());
    ASSERT_TRUE(testsupport::PressKeys(keys));
    testsupport::PumpFor(40);
}

bool FullyVisible(CGridCtrl& grid, int nRow, int nCol)
{
    RECT rc;
    RECT rcClient;
    grid.GetCellRect(nRow, nCol, &rc);
    GetClientRect(grid.m_hWnd, &rcClient);
    return rc.top >= grid.GetFixedRowHeight() && rc.bottom < rcClient.bottom && rc.left >= 0 &&
           rc.right < rcClient.right;
}

}  // namespace

TEST(GridKeyboard, TabAndPagingKeysMoveTheFocusCell)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridtest::FillFileList(grid, 40);
    ASSERT_TRUE(testsupport::FocusWindow(host.Window(), grid.m_hWnd));
    gridtest::SendClick(grid, gridtest::CellCenter(grid, 5, 3));
    ASSERT_EQ(CCellID(5, 3), grid.GetFocusCell());

    // Tab on the last shown column (column 4 is hidden) wraps to the
    // first column of the next row; Shift+Tab wraps back.
    RealKeys(grid, "Tab");
    EXPECT_EQ(CCellID(6, 0), grid.GetFocusCell());
    RealKeys(grid, "shift+Tab");
    EXPECT_EQ(CCellID(5, 3), grid.GetFocusCell());
    RealKeys(grid, "Right");
    EXPECT_EQ(CCellID(5, 3), grid.GetFocusCell());
    RealKeys(grid, "Left");
    EXPECT_EQ(CCellID(5, 2), grid.GetFocusCell());
    EXPECT_EQ(std::vector<int>({5}), gridtest::SelectedRows(grid));

    // Ctrl+End: the last row and the last shown column, scrolled into view.
    RealKeys(grid, "ctrl+End");
    EXPECT_EQ(CCellID(40, 3), grid.GetFocusCell());
    EXPECT_TRUE(FullyVisible(grid, 40, 3));
    EXPECT_EQ(std::vector<int>({40}), gridtest::SelectedRows(grid));
    // On the last row Tab keeps the focus where it is.
    RealKeys(grid, "Tab");
    EXPECT_EQ(CCellID(40, 3), grid.GetFocusCell());

    // Ctrl+Home: row 1 (the first below the header), column 0, at the top.
    RealKeys(grid, "ctrl+Home");
    EXPECT_EQ(CCellID(1, 0), grid.GetFocusCell());
    EXPECT_EQ(0, gridtest::VScrollPos(grid));
    // Shift+Tab on the first row and column keeps the focus.
    RealKeys(grid, "shift+Tab");
    EXPECT_EQ(CCellID(1, 0), grid.GetFocusCell());

    // PgDn moves the focus by as many rows as the top row moved (a page
    // of 10 rows here); on the last page it goes to the last row.
    gridtest::FitRows(grid, 10);
    const int kExpected[] = {11, 21, 31, 40};
    for (int nRow : kExpected) {
        RealKeys(grid, "Next");
        EXPECT_EQ(nRow, grid.GetFocusCell().row);
        EXPECT_EQ(std::min(nRow, 31), gridtest::TopRow(grid));
    }
    // PgUp on the first page goes to row 1.
    RealKeys(grid, "ctrl+Home");
    RealKeys(grid, "Down");
    RealKeys(grid, "Prior");
    EXPECT_EQ(1, grid.GetFocusCell().row);
}

TEST(GridKeyboard, ArrowsSkipHiddenRowsAndScrollOneLineAtTheEdge)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridtest::FillFileList(grid, 40);
    grid.SetRowHeight(3, 0);
    ASSERT_TRUE(testsupport::FocusWindow(host.Window(), grid.m_hWnd));
    gridtest::SendClick(grid, gridtest::CellCenter(grid, 2, 0));

    RealKeys(grid, "Down");
    EXPECT_EQ(CCellID(4, 0), grid.GetFocusCell());
    RealKeys(grid, "Up");
    EXPECT_EQ(CCellID(2, 0), grid.GetFocusCell());
    RealKeys(grid, "Up");
    RealKeys(grid, "Up");
    EXPECT_EQ(CCellID(1, 0), grid.GetFocusCell());

    // Down from the last fully shown row scrolls by one row.
    const CCellRange visible = grid.GetVisibleNonFixedCellRange();
    int nLastFull = visible.GetMaxRow();
    while (!FullyVisible(grid, nLastFull, 0))
        --nLastFull;
    gridtest::SendClick(grid, gridtest::CellCenter(grid, nLastFull, 0));
    const int nTop = gridtest::TopRow(grid);
    RealKeys(grid, "Down");
    EXPECT_EQ(nLastFull + 1, grid.GetFocusCell().row);
    EXPECT_TRUE(FullyVisible(grid, nLastFull + 1, 0));
    EXPECT_EQ(nTop + 1, gridtest::TopRow(grid));

    // Shift extends from the selection's start; a plain key starts anew.
    RealKeys(grid, "shift+Down");
    RealKeys(grid, "shift+Down");
    EXPECT_EQ(std::vector<int>({nLastFull + 1, nLastFull + 2, nLastFull + 3}),
              gridtest::SelectedRows(grid));
    RealKeys(grid, "shift+Up");
    EXPECT_EQ(std::vector<int>({nLastFull + 1, nLastFull + 2}), gridtest::SelectedRows(grid));
    RealKeys(grid, "Up");
    EXPECT_EQ(std::vector<int>({nLastFull + 1}), gridtest::SelectedRows(grid));

    // Ctrl+A selects every data row.
    RealKeys(grid, "ctrl+a");
    EXPECT_EQ(40 * 5, grid.GetSelectedCount());
    EXPECT_FALSE(grid.IsCellSelected(0, 0));
}

TEST(GridKeyboard, KeysNeedAFocusCellAndCharactersNeedAnEditableGrid)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridtest::FillFileList(grid, 10);
    grid.SortItems(0, TRUE);
    grid.SelectAll();
    host.notifications.clear();
    // No focus cell (as after a sort): keys change nothing.
    gridtest::SendKey(grid, VK_DOWN);
    gridtest::SendKey(grid, VK_END, true);
    EXPECT_FALSE(grid.GetFocusCell().IsValid());
    EXPECT_EQ(50, grid.GetSelectedCount());
    EXPECT_EQ(0, gridtest::VScrollPos(grid));

    // A press on a row of the whole selection makes it the focus and the
    // only selected row, as on any other row.
    gridtest::SendClick(grid, gridtest::CellCenter(grid, 2, 0));
    EXPECT_EQ(CCellID(2, 0), grid.GetFocusCell());
    EXPECT_EQ(std::vector<int>({2}), gridtest::SelectedRows(grid));

    // Not editable: F2, Delete and typing leave the texts alone and send
    // nothing.
    host.notifications.clear();
    const std::string text = grid.GetItemText(2, 0);
    gridtest::SendKey(grid, VK_F2);
    gridtest::SendKey(grid, VK_DELETE);
    SendMessageA(grid.m_hWnd, WM_CHAR, 'q', 1);
    EXPECT_EQ(text, grid.GetItemText(2, 0));
    EXPECT_TRUE(host.notifications.empty());
    EXPECT_EQ(CCellID(2, 0), grid.GetFocusCell());

    // The dialog code: arrows and characters, Tab while the grid handles it
    // and Ctrl is up.
    const LRESULT kArrowsAndChars = DLGC_WANTARROWS | DLGC_WANTCHARS;
    EXPECT_EQ(kArrowsAndChars | DLGC_WANTTAB, SendMessageA(grid.m_hWnd, WM_GETDLGCODE, 0, 0));
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    EXPECT_EQ(kArrowsAndChars, SendMessageA(grid.m_hWnd, WM_GETDLGCODE, 0, 0));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    grid.SetHandleTabKey(FALSE);
    EXPECT_EQ(kArrowsAndChars, SendMessageA(grid.m_hWnd, WM_GETDLGCODE, 0, 0));
    // Without Tab handling, Tab does not move the focus.
    gridtest::SendKey(grid, VK_TAB);
    EXPECT_EQ(CCellID(2, 0), grid.GetFocusCell());
}
