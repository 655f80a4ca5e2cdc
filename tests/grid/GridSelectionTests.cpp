#include "support/GTestWin.h"

#include <string>

#include "GridTestSupport.h"

using gridtest::GridHost;

namespace {

void FillList(CGridCtrl& grid, int nRows)
{
    gridtest::SetUpLikeFileList(grid);
    for (int r = 0; r < nRows; ++r) {
        const int nRow = grid.InsertRow(("C:\\music\\song" + std::to_string(r) + ".mp3").c_str());
        grid.SetItemText(nRow, 2, "Album");
        grid.SetItemText(nRow, 4, "Album");
    }
}

int CountCode(const std::vector<gridtest::Notification>& list, int code)
{
    int n = 0;
    for (const auto& note : list)
        n += note.code == code ? 1 : 0;
    return n;
}

}  // namespace

TEST(GridSelection, EmptySelectionRangeDoesNotRunALoop)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    FillList(grid, 4);
    const CCellRange range = grid.GetSelectedCellRange();
    EXPECT_EQ(grid.GetRowCount(), range.GetMinRow());
    EXPECT_EQ(grid.GetColumnCount(), range.GetMinCol());
    EXPECT_EQ(-1, range.GetMaxRow());
    EXPECT_EQ(-1, range.GetMaxCol());
    int nLoops = 0;
    for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r)
        ++nLoops;
    EXPECT_EQ(0, nLoops);
}

TEST(GridSelection, RowSelectionInListModeCountsEveryColumn)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    FillList(grid, 5);
    ASSERT_TRUE(grid.GetListMode());
    ASSERT_EQ(0, grid.GetColumnWidth(4));
    // A row selection covers all non-fixed columns, the hidden one too.
    grid.SetSelectedRange(3, 0, 3, grid.GetColumnCount() - 1);
    EXPECT_EQ(5, grid.GetSelectedCount());
    EXPECT_TRUE(grid.IsCellSelected(3, 0));
    EXPECT_TRUE(grid.IsCellSelected(3, 4));
    EXPECT_FALSE(grid.IsCellSelected(2, 0));
    const CCellRange range = grid.GetSelectedCellRange();
    EXPECT_EQ(CCellRange(3, 0, 3, 4), range);

    // Selection bounds never reach the header.
    grid.SetSelectedRange(0, 0, 1, 4);
    EXPECT_FALSE(grid.IsCellSelected(0, 0));
    EXPECT_EQ(5, grid.GetSelectedCount());

    // Deselecting part of a selection.
    grid.SetSelectedRange(1, 0, 2, 4);
    grid.SetSelectedRange(2, 0, 2, 4, FALSE, FALSE);
    EXPECT_EQ(5, grid.GetSelectedCount());
    EXPECT_FALSE(grid.IsCellSelected(2, 1));
    EXPECT_TRUE(grid.IsCellSelected(1, 1));

    // Selection switched off: nothing reads as selected.
    grid.EnableSelection(FALSE);
    EXPECT_FALSE(grid.IsCellSelected(1, 1));
    grid.SetSelectedRange(1, 0, 2, 4);
    EXPECT_EQ(0, grid.GetSelectedCount());
}

TEST(GridSelection, SelectAllSelectsEveryDataCellAndNotifies)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    FillList(grid, 6);
    host.notifications.clear();
    grid.SelectAll();
    EXPECT_EQ(6 * 5, grid.GetSelectedCount());
    for (int c = 0; c < 5; ++c) {
        EXPECT_FALSE(grid.IsCellSelected(0, c));
        for (int r = 1; r <= 6; ++r)
            EXPECT_TRUE(grid.IsCellSelected(r, c));
    }
    ASSERT_EQ(2u, host.notifications.size());
    EXPECT_EQ(LVN_ITEMCHANGING, host.notifications[0].code);
    EXPECT_EQ(LVN_ITEMCHANGED, host.notifications[1].code);

    // The select-all command does the same.
    grid.ResetSelectedRange();
    EXPECT_EQ(0, grid.GetSelectedCount());
    SendMessageA(grid.m_hWnd, WM_COMMAND, ID_EDIT_SELECT_ALL, 0);
    EXPECT_EQ(6 * 5, grid.GetSelectedCount());
    EXPECT_EQ(2, CountCode(host.notifications, LVN_ITEMCHANGED));
}

TEST(GridSelection, SavedSelectionIsRestoredForCtrlSelections)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    FillList(grid, 6);
    grid.SetSelectedRange(2, 0, 2, 4);
    grid.SaveSelection();  // a Ctrl selection begins
    grid.SetSelectedRange(4, 0, 4, 4);
    EXPECT_EQ(10, grid.GetSelectedCount());
    EXPECT_TRUE(grid.IsCellSelected(2, 0));
    EXPECT_TRUE(grid.IsCellSelected(4, 0));
    // The range can change again: the saved rows stay.
    grid.SetSelectedRange(4, 0, 5, 4);
    EXPECT_EQ(15, grid.GetSelectedCount());
    EXPECT_EQ(CCellRange(2, 0, 5, 4), grid.GetSelectedCellRange());

    // In list mode with single row selection the saved rows are not restored.
    grid.SetSingleRowSelection(TRUE);
    grid.SetSelectedRange(3, 0, 3, 4);
    EXPECT_EQ(5, grid.GetSelectedCount());
    EXPECT_FALSE(grid.IsCellSelected(2, 0));
    grid.SetSingleRowSelection(FALSE);

    // A reset forgets both.
    grid.ResetSelectedRange();
    grid.SetSelectedRange(5, 0, 5, 4);
    EXPECT_EQ(5, grid.GetSelectedCount());
    EXPECT_FALSE(grid.IsCellSelected(2, 0));
}

TEST(GridSelection, FocusCellMovesItsFlag)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    FillList(grid, 3);
    EXPECT_EQ(CCellID(), grid.SetFocusCell(2, 1));
    EXPECT_TRUE(grid.GetItemState(2, 1) & GVIS_FOCUSED);
    EXPECT_EQ(CCellID(2, 1), grid.SetFocusCell(0, 3));  // raised out of the header
    EXPECT_EQ(CCellID(1, 3), grid.GetFocusCell());
    EXPECT_FALSE(grid.GetItemState(2, 1) & GVIS_FOCUSED);
    EXPECT_TRUE(grid.GetItemState(1, 3) & GVIS_FOCUSED);
    grid.SetFocusCell(-1, -1);
    EXPECT_FALSE(grid.GetItemState(1, 3) & GVIS_FOCUSED);
}

// Rows 65536 apart are different cells of the selection.
TEST(GridSelection, RowsBeyond65535AreTheirOwnCells)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    grid.SetColumnCount(2);
    grid.SetRowCount(70000);
    grid.SetSelectedRange(65537, 0, 65537, 1);
    EXPECT_EQ(2, grid.GetSelectedCount());
    EXPECT_TRUE(grid.IsCellSelected(65537, 1));
    EXPECT_FALSE(grid.IsCellSelected(1, 1));
    EXPECT_EQ(CCellRange(65537, 0, 65537, 1), grid.GetSelectedCellRange());
    grid.SetSelectedRange(1, 0, 1, 1);  // replaces, does not collide
    EXPECT_EQ(2, grid.GetSelectedCount());
    EXPECT_FALSE(grid.IsCellSelected(65537, 0));
    EXPECT_EQ(CCellRange(1, 0, 1, 1), grid.GetSelectedCellRange());
}
