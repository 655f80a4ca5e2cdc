#include "support/GTestWin.h"

#include <string>

#include "GridTestSupport.h"
#include "framework/Handles.h"

using gridtest::GridHost;

namespace {

// A grid with one header row and three columns, rows filled with "rN cM".
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

TEST(GridData, BadIndexesGiveTheDocumentedResults)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    Fill(grid, 3);
    const int rows = grid.GetRowCount();
    const int cols = grid.GetColumnCount();
    ASSERT_EQ(4, rows);
    ASSERT_EQ(3, cols);

    for (auto cell : {std::make_pair(-1, 0), std::make_pair(0, -1), std::make_pair(rows, 0),
                      std::make_pair(0, cols)}) {
        const int r = cell.first;
        const int c = cell.second;
        EXPECT_FALSE(grid.SetItemText(r, c, "x"));
        EXPECT_EQ("", grid.GetItemText(r, c));
        EXPECT_FALSE(grid.SetItemFgColour(r, c, RGB(255, 0, 0)));
        EXPECT_FALSE(grid.SetItemBkColour(r, c, RGB(255, 0, 0)));
        EXPECT_FALSE(grid.SetItemFormat(r, c, 0));
        EXPECT_EQ(0u, grid.GetItemFormat(r, c));
        EXPECT_FALSE(grid.SetItemState(r, c, GVIS_SELECTED));
        EXPECT_EQ(0u, grid.GetItemState(r, c));
        EXPECT_FALSE(grid.SetItemData(r, c, 5));
        EXPECT_EQ(0, grid.GetItemData(r, c));
        EXPECT_FALSE(grid.IsCellSelected(r, c));
        EXPECT_EQ(nullptr, grid.GetCell(r, c));
        RECT rc;
        EXPECT_FALSE(grid.GetCellRect(r, c, &rc));
        POINT pt;
        EXPECT_FALSE(grid.GetCellOrigin(r, c, &pt));
        EXPECT_FALSE(grid.IsCellVisible(r, c));
        EXPECT_FALSE(grid.RedrawCell(r, c));
        grid.EnsureVisible(r, c);
        grid.SetModified(TRUE, r, c);
    }
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_EQ(-1, grid.GetRowHeight(-1));
    EXPECT_EQ(-1, grid.GetRowHeight(rows));
    EXPECT_EQ(-1, grid.GetColumnWidth(-1));
    EXPECT_EQ(-1, grid.GetColumnWidth(cols));
    EXPECT_FALSE(grid.SetRowHeight(rows, 10));
    EXPECT_FALSE(grid.SetRowHeight(1, -1));
    EXPECT_FALSE(grid.SetColumnWidth(cols, 10));
    EXPECT_FALSE(grid.SetColumnWidth(0, -1));
    EXPECT_EQ(-1, grid.InsertColumn("x", 0x25, cols + 1));
    EXPECT_EQ(-1, grid.InsertRow("x", rows));
    EXPECT_EQ(-1, grid.InsertRow("x", 0));  // into the fixed rows
    EXPECT_FALSE(grid.DeleteRow(-1));
    EXPECT_FALSE(grid.DeleteRow(rows));
    EXPECT_FALSE(grid.SortItems(cols, TRUE));
    EXPECT_FALSE(grid.SortItems(-1, TRUE));
    EXPECT_FALSE(grid.SetRowCount(-1));
    EXPECT_FALSE(grid.SetColumnCount(-1));
    EXPECT_FALSE(grid.SetFixedRowCount(-1));
    grid.AutoSizeColumn(-1);
    grid.AutoSizeColumn(cols);
    grid.AutoSizeRow(rows);
    EXPECT_EQ(CCellID(), grid.SetFocusCell(rows + 5, 1));
    EXPECT_EQ(CCellID(), grid.GetFocusCell());
    EXPECT_EQ(CCellID(), grid.GetCellFromPt(POINT{-5, 3}));
    EXPECT_EQ(CCellID(), grid.GetCellFromPt(POINT{5, 100000}));
    grid.SetSelectedRange(1, 0, rows + 3, cols - 1);
    EXPECT_EQ(0, grid.GetSelectedCount());

    // A fixed column cannot be inserted before.
    grid.SetFixedColumnCount(1);
    EXPECT_EQ(-1, grid.InsertColumn("x", 0x25, 0));

    // Nothing changed on the way.
    EXPECT_EQ(rows, grid.GetRowCount());
    EXPECT_EQ(cols, grid.GetColumnCount());
    EXPECT_EQ("r2 c1", grid.GetItemText(2, 1));
}

TEST(GridData, InsertColumnBeforeDataRowsFormatsOnlyTheHeader)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    grid.SetFixedRowCount(1);
    EXPECT_EQ(0, grid.InsertColumn("Filename", 0x25));
    EXPECT_EQ(1, grid.InsertColumn("Album", 0x25, -1));
    EXPECT_EQ(1, grid.GetRowCount());
    EXPECT_EQ(0x25u, grid.GetItemFormat(0, 0));
    EXPECT_EQ("Album", grid.GetItemText(0, 1));
    // The new column is as wide as its heading.
    EXPECT_EQ(grid.GetCell(0, 1)->GetTextExtent("Album").cx, grid.GetColumnWidth(1));
    // Header cells are fixed-row cells.
    EXPECT_EQ(GVIS_FIXED | GVIS_FIXEDROW, grid.GetItemState(0, 0) & 0x70);

    const int nRow = grid.InsertRow("x.mp3");
    EXPECT_EQ(1, nRow);
    // Data cells start with their default cell's format.
    EXPECT_EQ(0x8824u, grid.GetItemFormat(1, 0));
    EXPECT_EQ(0x8824u, grid.GetItemFormat(1, 1));
    EXPECT_EQ(0u, grid.GetItemState(1, 0) & 0x70);

    // Once rows exist, the format reaches every row of a new column.
    EXPECT_EQ(1, grid.InsertColumn("Middle", DT_RIGHT, 1));
    EXPECT_EQ(DT_RIGHT, grid.GetItemFormat(0, 1));
    EXPECT_EQ(DT_RIGHT, grid.GetItemFormat(1, 1));
    EXPECT_EQ("Album", grid.GetItemText(0, 2));

    // A column inserted before the focus column moves the focus right.
    grid.SetFocusCell(1, 2);
    grid.InsertColumn("First", 0x25, 0);
    EXPECT_EQ(CCellID(1, 3), grid.GetFocusCell());
    EXPECT_TRUE(grid.GetItemState(1, 3) & GVIS_FOCUSED);
}

TEST(GridData, InsertRowHeightsAndFocus)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    grid.SetFixedRowCount(1);
    grid.InsertColumn("A");
    grid.InsertColumn("B");

    const int nRow = grid.InsertRow("Some text");
    EXPECT_EQ(grid.GetCell(nRow, 0)->GetTextExtent("Some text").cy, grid.GetRowHeight(nRow));
    const int nEmpty = grid.InsertRow("");
    EXPECT_EQ(grid.GetDefaultCell(TRUE, FALSE)->GetHeight(), grid.GetRowHeight(nEmpty));
    EXPECT_EQ(3, grid.GetRowCount());

    // A row inserted above the focus row moves the focus down.
    grid.SetFocusCell(2, 1);
    EXPECT_EQ(1, grid.InsertRow("above", 1));
    EXPECT_EQ(CCellID(3, 1), grid.GetFocusCell());
    EXPECT_EQ("above", grid.GetItemText(1, 0));
    EXPECT_EQ("Some text", grid.GetItemText(2, 0));
    // A grid without columns gets one.
    GridHost host2;
    EXPECT_EQ(0, host2.Grid().InsertRow("only"));
    EXPECT_EQ(1, host2.Grid().GetColumnCount());
}

TEST(GridData, DeleteRowsDownToTheHeader)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    Fill(grid, 6);
    ASSERT_EQ(7, grid.GetRowCount());

    grid.SetFocusCell(3, 1);
    EXPECT_TRUE(grid.DeleteRow(5));  // below the focus: focus stays
    EXPECT_EQ(CCellID(3, 1), grid.GetFocusCell());
    EXPECT_TRUE(grid.DeleteRow(1));  // above the focus: focus moves up
    EXPECT_EQ(CCellID(2, 1), grid.GetFocusCell());
    EXPECT_EQ("r4 c0", grid.GetItemText(3, 0));

    grid.SetSelectedRange(1, 0, 2, 2);
    for (int r = grid.GetRowCount() - 1; r >= 1; --r) {
        EXPECT_TRUE(grid.DeleteRow(r));
        EXPECT_EQ(0, grid.GetSelectedCount());
        if (r == 2) {
            EXPECT_EQ(CCellID(), grid.GetFocusCell());  // its row went
        }
    }
    EXPECT_EQ(1, grid.GetRowCount());
    EXPECT_EQ(1, grid.GetFixedRowCount());
    EXPECT_EQ("A", grid.GetItemText(0, 0));
    EXPECT_EQ("C", grid.GetItemText(0, 2));

    // Deleting a fixed row lowers the fixed count.
    EXPECT_TRUE(grid.DeleteRow(0));
    EXPECT_EQ(0, grid.GetRowCount());
    EXPECT_EQ(0, grid.GetFixedRowCount());
}

TEST(GridData, CellsTakeDefaultsFromTheirDefaultCell)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    Fill(grid, 2);
    grid.SetFixedColumnCount(1);

    EXPECT_STREQ("CGridCellBase", RUNTIME_CLASS(CGridCellBase)->m_lpszClassName);
    EXPECT_STREQ("CGridCell", grid.GetCell(1, 1)->GetRuntimeClass()->m_lpszClassName);
    EXPECT_STREQ("CGridDefaultCell",
                 grid.GetDefaultCell(FALSE, FALSE)->GetRuntimeClass()->m_lpszClassName);

    // Which default cell serves which cell.
    CGridCellBase* pCorner = grid.GetCell(0, 0);
    EXPECT_EQ(grid.GetDefaultCell(TRUE, TRUE), pCorner->GetDefaultCell(0));
    EXPECT_EQ(grid.GetDefaultCell(TRUE, FALSE), grid.GetCell(0, 1)->GetDefaultCell(0));
    EXPECT_EQ(grid.GetDefaultCell(FALSE, TRUE), grid.GetCell(1, 0)->GetDefaultCell(1));
    EXPECT_EQ(grid.GetDefaultCell(FALSE, FALSE, 1), grid.GetCell(1, 1)->GetDefaultCell(1));
    EXPECT_EQ(grid.GetDefaultCell(FALSE, FALSE, 2), grid.GetCell(2, 1)->GetDefaultCell(2));
    EXPECT_NE(grid.GetDefaultCell(FALSE, FALSE, 1), grid.GetDefaultCell(FALSE, FALSE, 2));
    EXPECT_EQ(GVIS_FIXED | GVIS_FIXEDROW | GVIS_FIXEDCOL, pCorner->GetState() & 0x70);
    EXPECT_EQ(GVIS_FIXED | GVIS_FIXEDCOL, grid.GetCell(2, 0)->GetState() & 0x70);

    // Colours after construction; "default" values resolve through row 1.
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), grid.GetDefaultCell(TRUE, FALSE)->GetBackClr());
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), grid.GetDefaultCell(FALSE, FALSE, 2)->GetBackClr());
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), grid.GetDefaultCell(TRUE, TRUE)->GetTextClr());
    EXPECT_EQ(GetSysColor(COLOR_3DSHADOW), grid.GetGridBkColor());
    grid.GetDefaultCell(FALSE, FALSE, 1)->SetBackClr(RGB(1, 2, 3));
    CGridCellBase* pCell = grid.GetCell(2, 2);
    EXPECT_EQ(RGB(1, 2, 3), pCell->GetBackClr());
    pCell->SetBackClr(RGB(9, 9, 9));
    EXPECT_EQ(RGB(9, 9, 9), pCell->GetBackClr());
    EXPECT_EQ(grid.GetDefaultCell(FALSE, FALSE)->GetMargin(), pCell->GetMargin());
    EXPECT_TRUE(pCell->IsDefaultFont());
    EXPECT_EQ(grid.GetDefaultCell(FALSE, FALSE)->GetFontObject(), pCell->GetFontObject());

    // A default cell is always read-only; its format is preset.
    EXPECT_TRUE(grid.GetDefaultCell(FALSE, FALSE)->IsReadOnly());
    CGridDefaultCell fresh;
    EXPECT_EQ(0x8824u, fresh.GetFormat());
    EXPECT_EQ(CLR_DEFAULT, fresh.GetBackClr());
    EXPECT_EQ(30, fresh.GetWidth());
    EXPECT_EQ(10, fresh.GetHeight());

    // Reset empties everything but the application value.
    LOGFONTA lf = *grid.GetDefaultCell(FALSE, FALSE)->GetFont();
    pCell->SetFont(&lf);
    pCell->SetData(77);
    pCell->SetImage(2);
    pCell->SetMargin(9);
    pCell->Reset();
    EXPECT_STREQ("", pCell->GetText());
    EXPECT_EQ(-1, pCell->GetImage());
    EXPECT_EQ(77, pCell->GetData());
    EXPECT_EQ(0u, pCell->GetState());
    EXPECT_TRUE(pCell->IsDefaultFont());
    EXPECT_EQ(nullptr, pCell->GetGrid());
    EXPECT_EQ(CLR_DEFAULT, pCell->GetBackClr());  // no grid: nothing to resolve through
}

TEST(GridData, FixedRowCountSetsAndClearsFlags)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    grid.SetRowCount(4);
    grid.SetColumnCount(2);
    grid.SetItemFgColour(1, 0, RGB(255, 0, 0));
    grid.SetFocusCell(1, 1);
    grid.SetSelectedRange(0, 0, 3, 1);
    EXPECT_EQ(8, grid.GetSelectedCount());

    EXPECT_TRUE(grid.SetFixedRowCount(2));
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_EQ(CCellID(), grid.GetFocusCell());  // now fixed: dropped
    EXPECT_EQ(GVIS_FIXED | GVIS_FIXEDROW, grid.GetItemState(1, 0) & 0x70);
    EXPECT_EQ(grid.GetDefaultCell(TRUE, FALSE)->GetTextClr(), grid.GetItemFgColour(1, 0));

    EXPECT_TRUE(grid.SetFixedRowCount(1));
    EXPECT_EQ(0u, grid.GetItemState(1, 0) & 0x70);
    EXPECT_EQ(GVIS_FIXED | GVIS_FIXEDROW, grid.GetItemState(0, 0) & 0x70);

    // More fixed rows than rows adds rows.
    EXPECT_TRUE(grid.SetFixedRowCount(6));
    EXPECT_EQ(6, grid.GetRowCount());
}

TEST(GridData, ModifiedFlagsAndTheSortColumn)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    Fill(grid, 3);
    grid.SortItems(1, TRUE);
    EXPECT_EQ(1, grid.GetSortColumn());

    // A change elsewhere keeps the sort column; a change in it drops it.
    EXPECT_TRUE(grid.SetItemText(2, 0, "zzz"));
    EXPECT_EQ(1, grid.GetSortColumn());
    EXPECT_TRUE(grid.GetModified(2, 0));
    EXPECT_TRUE(grid.GetModified());
    EXPECT_TRUE(grid.SetItemText(2, 1, "changed"));
    EXPECT_EQ(-1, grid.GetSortColumn());
    EXPECT_TRUE(grid.GetSortAscending());

    // Clearing the grid's flag clears every cell's.
    grid.SetModified(FALSE);
    EXPECT_FALSE(grid.GetModified());
    EXPECT_FALSE(grid.GetModified(2, 0));
    EXPECT_FALSE(grid.GetItemState(2, 1) & GVIS_MODIFIED);

    grid.SortItems(0, TRUE);
    grid.InsertRow("new");  // structure changes clear it too
    EXPECT_EQ(-1, grid.GetSortColumn());
}

TEST(GridData, MeasuredExtentsFollowTextAndFontChanges)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    Fill(grid, 3);
    grid.AutoSizeColumns();
    const int nWidth = grid.GetColumnWidth(1);

    // A longer text is measured again.
    grid.SetItemText(2, 1, "a much longer text than the others in this column");
    grid.AutoSizeColumns();
    const int nWider = grid.GetColumnWidth(1);
    EXPECT_GT(nWider, nWidth);

    // So is every cell after the grid's font changes.
    LOGFONTA lf = *grid.GetDefaultCell(FALSE, FALSE)->GetFont();
    lf.lfHeight = lf.lfHeight < 0 ? lf.lfHeight * 3 : -36;
    const CFontHandle bigFont(CreateFontIndirectA(&lf));
    SendMessageA(grid.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(bigFont.Get()), TRUE);
    EXPECT_EQ(reinterpret_cast<LRESULT>(grid.GetDefaultCell(FALSE, FALSE)->GetFontObject()),
              SendMessageA(grid.m_hWnd, WM_GETFONT, 0, 0));
    grid.AutoSizeColumns();
    EXPECT_GT(grid.GetColumnWidth(1), nWider * 2);
    grid.AutoSizeRows();
    EXPECT_GT(grid.GetRowHeight(2), 30);

    // And a cell whose format changes to word wrapping is measured by lines.
    grid.SetItemText(3, 2, "one\nthree words here");
    grid.SetItemFormat(3, 2, DT_WORDBREAK | DT_LEFT);
    const SIZE sizeTwoLines = grid.GetCell(3, 2)->GetCellExtent(nullptr);
    grid.SetItemFormat(3, 2, DT_SINGLELINE | DT_LEFT);
    const SIZE sizeOneLine = grid.GetCell(3, 2)->GetCellExtent(nullptr);
    EXPECT_GT(sizeTwoLines.cy, sizeOneLine.cy);
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
