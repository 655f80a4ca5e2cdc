#include "support/GTestWin.h"

#include <iterator>
#include <string>

#include "support/GridHost.h"

using testsupport::GridHost;

namespace {

// A grid with one header row (A, B, C) and rows of "rN cM".
void Fill(CGridCtrl& grid, int nDataRows)
{
    grid.SetFixedRowCount(1);
    for (const char* h : {"A", "B", "C"})
        grid.InsertColumn(h);
    for (int r = 1; r <= nDataRows; ++r) {
        const int nRow = grid.InsertRow(("r" + std::to_string(r) + " c0").c_str());
        for (int c = 1; c < 3; ++c)
            grid.SetItemText(nRow, c, ("r" + std::to_string(r) + " c" + std::to_string(c)).c_str());
    }
}

}  // namespace

// Every call given a row or column outside the grid does nothing and says
// so; none asserts.
TEST(GridData, BadIndexesChangeNothing)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    Fill(grid, 3);
    const int rows = 4;
    const int cols = 3;
    for (const CCellID bad : {CCellID(-1, 0), CCellID(0, -1), CCellID(rows, 0), CCellID(0, cols)}) {
        const int r = bad.row;
        const int c = bad.col;
        RECT rc;
        const bool results[] = {
            !grid.SetItemText(r, c, "x"), grid.GetItemText(r, c).empty(), !grid.SetItemState(r, c, GVIS_SELECTED),
            grid.GetItemState(r, c) == 0, !grid.IsCellSelected(r, c), grid.GetCell(r, c) == nullptr,
            !grid.GetCellRect(r, c, &rc), !grid.IsCellVisible(r, c), !grid.RedrawCell(r, c),
        };
        for (size_t i = 0; i < std::size(results); ++i)
            EXPECT_TRUE(results[i]) << "call " << i << " on " << r << "," << c;
        grid.EnsureVisible(r, c);
        grid.SetModified(TRUE, r, c);
    }
    const bool results[] = {
        grid.GetRowHeight(rows) == -1, grid.GetColumnWidth(cols) == -1, !grid.SetRowHeight(1, -1),
        !grid.SetColumnWidth(cols, 10), grid.InsertColumn("x", DT_LEFT, cols + 1) == -1,
        grid.InsertRow("x", 0) == -1, !grid.DeleteRow(rows), !grid.SortItems(cols, TRUE), !grid.SetRowCount(-1),
        grid.SetFocusCell(rows + 5, 1) == CCellID(), grid.GetCellFromPt(POINT{5, 100000}) == CCellID(),
    };
    for (size_t i = 0; i < std::size(results); ++i)
        EXPECT_TRUE(results[i]) << "grid call " << i;
    grid.AutoSizeColumn(cols);
    grid.AutoSizeRow(rows);
    grid.SetSelectedRange(1, 0, rows + 3, cols - 1);
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_EQ(rows, grid.GetRowCount());
    EXPECT_EQ(cols, grid.GetColumnCount());
    EXPECT_EQ("r2 c1", grid.GetItemText(2, 1));
}

// The focus stays on its cell while rows and columns come and go before it.
TEST(GridData, InsertAndDeleteKeepTheFocusOnItsCell)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    Fill(grid, 5);
    // A column inserted once rows exist takes the format in every row.
    grid.SetFocusCell(3, 1);
    EXPECT_EQ(0, grid.InsertColumn("New", DT_RIGHT, 0));
    EXPECT_EQ(DT_RIGHT, grid.GetItemFormat(3, 0));
    grid.InsertColumn("First", DT_LEFT, 0);
    EXPECT_EQ(CCellID(3, 3), grid.GetFocusCell());
    EXPECT_EQ(1, grid.InsertRow("above", 1));
    EXPECT_EQ(CCellID(4, 3), grid.GetFocusCell());
    EXPECT_TRUE(grid.DeleteRow(5));  // below the focus
    EXPECT_TRUE(grid.DeleteRow(1));  // above it
    EXPECT_EQ(CCellID(3, 3), grid.GetFocusCell());
    EXPECT_TRUE(grid.GetItemState(3, 3) & GVIS_FOCUSED);
    EXPECT_EQ("r3 c1", grid.GetItemText(3, 3));

    grid.SetSelectedRange(1, 0, 2, 2);
    while (grid.GetRowCount() > 1)
        grid.DeleteRow(grid.GetRowCount() - 1);
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_FALSE(grid.GetFocusCell().IsValid());  // its row went
    EXPECT_TRUE(grid.DeleteRow(0));  // a fixed row lowers the count
    EXPECT_EQ(0, grid.GetFixedRowCount());
}

// Measuring leaves no font selected that could not be deleted when it is
// replaced: not a cell's own font (one object shared by such cells, remade
// for another font), not a default cell's font.
TEST(GridData, FontsUsedForMeasuringAreDeletedWhenReplaced)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    Fill(grid, 3);
    LOGFONTA lf = *grid.GetDefaultCell(FALSE, FALSE)->GetFont();
    for (int nRow : {1, 2}) {
        lf.lfHeight = -10 - 10 * nRow;
        grid.SetItemFont(nRow, 1, &lf);
    }
    grid.GetCell(1, 1)->GetCellExtent(nullptr);
    const HFONT hOwn = grid.GetCell(1, 1)->GetFontObject();
    grid.GetCell(2, 1)->GetFontObject();
    EXPECT_EQ(0u, GetObjectType(hOwn));

    grid.GetCell(3, 1)->GetCellExtent(nullptr);
    CGridDefaultCell* pDefault = grid.GetCell(3, 1)->GetDefaultCell(1);
    const HFONT hDefault = pDefault->GetFontObject();
    pDefault->SetFont(&lf);
    EXPECT_EQ(0u, GetObjectType(hDefault));
}
