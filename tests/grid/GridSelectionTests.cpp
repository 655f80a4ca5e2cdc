#include "support/GTestWin.h"

#include "GridInput.h"

using gridinput::SelectedRows;
using testsupport::GridHost;

// In the file list a range selects whole data rows (the hidden column
// too), never the header; a Ctrl selection keeps the rows saved before it;
// Select All takes every data row.
TEST(GridSelection, RangesSelectWholeDataRowsAndKeepTheSavedOnes)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 6);
    grid.SetSelectedRange(0, 0, 1, 4);
    EXPECT_EQ(5, grid.GetSelectedCount());
    EXPECT_TRUE(grid.IsCellSelected(1, 4));
    EXPECT_EQ(std::vector<int>({1}), SelectedRows(grid));
    grid.SetSelectedRange(2, 0, 4, 4);
    grid.SetSelectedRange(3, 0, 3, 4, FALSE, FALSE);  // deselects a part
    EXPECT_EQ(std::vector<int>({2, 4}), SelectedRows(grid));
    EXPECT_EQ(CCellRange(2, 0, 4, 4), grid.GetSelectedCellRange());

    grid.SetSelectedRange(2, 0, 2, 4);
    grid.SaveSelection();  // a Ctrl selection begins
    grid.SetSelectedRange(4, 0, 4, 4);
    grid.SetSelectedRange(4, 0, 5, 4);  // the range may change again
    EXPECT_EQ(std::vector<int>({2, 4, 5}), SelectedRows(grid));
    EXPECT_EQ(15, grid.GetSelectedCount());
    grid.ResetSelectedRange();  // forgets the saved rows
    grid.SetSelectedRange(5, 0, 5, 4);
    EXPECT_EQ(std::vector<int>({5}), SelectedRows(grid));

    // The focus cell never lies in the header.
    grid.SetFocusCell(0, 3);
    EXPECT_EQ(CCellID(1, 3), grid.GetFocusCell());

    // Select All (the call and the command) notifies once, before and after.
    host.notes.clear();
    grid.SelectAll();
    EXPECT_EQ(std::vector<int>({1, 2, 3, 4, 5, 6}), SelectedRows(grid));
    grid.ResetSelectedRange();
    SendMessageA(grid.m_hWnd, WM_COMMAND, ID_EDIT_SELECT_ALL, 0);
    EXPECT_EQ(6 * 5, grid.GetSelectedCount());
    const std::vector<UINT> codes = {LVN_ITEMCHANGING, LVN_ITEMCHANGED, LVN_ITEMCHANGING, LVN_ITEMCHANGED};
    ASSERT_EQ(codes.size(), host.notes.size());
    for (size_t i = 0; i < codes.size(); ++i)
        EXPECT_EQ(codes[i], host.notes[i].code) << i;
}

// Rows 65536 apart are different cells of the selection.
TEST(GridSelection, RowsBeyond65535AreTheirOwnCells)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    grid.SetColumnCount(2);
    grid.SetRowCount(70000);
    grid.SetSelectedRange(65537, 0, 65537, 1);
    EXPECT_FALSE(grid.IsCellSelected(1, 1));
    grid.SaveSelection();
    grid.SetSelectedRange(1, 0, 1, 1);  // both rows
    EXPECT_EQ(4, grid.GetSelectedCount());
    EXPECT_EQ(CCellRange(1, 0, 65537, 1), grid.GetSelectedCellRange());
}
