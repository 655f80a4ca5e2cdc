#include "support/GTestWin.h"

#include <cstdlib>
#include <string>

#include "GridTestSupport.h"
#include "support/TestSupport.h"

using gridtest::GridHost;
using gridtest::RenderedGrid;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kGrey = RGB(245, 245, 245);
const COLORREF kHeader = RGB(102, 102, 102);
const COLORREF kLines = RGB(192, 192, 192);

RECT CellRect(CGridCtrl& grid, int nRow, int nCol)
{
    RECT rc = {};
    grid.GetCellRect(nRow, nCol, &rc);
    return rc;
}

// Pixels inside a cell, without its grid lines.
RECT Inside(const RECT& rc)
{
    return RECT{rc.left, rc.top, rc.right, rc.bottom};
}

int CountReddish(const RenderedGrid& image, const RECT& rc)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            const COLORREF c = image.Pixel(x, y);
            n += (GetRValue(c) > 150 && GetGValue(c) < 100 && GetBValue(c) < 100) ? 1 : 0;
        }
    }
    return n;
}

// Rows of the header cell that hold pixels of the arrow's shadow colour:
// (pixels in the first such row, pixels in the last such row).
std::pair<int, int> ArrowEnds(const RenderedGrid& image, const RECT& rcHeader)
{
    const COLORREF crShadow = GetSysColor(COLOR_3DSHADOW);
    int nFirst = -1;
    int nLast = -1;
    for (int y = rcHeader.top + 1; y < rcHeader.bottom; ++y) {
        const int n = image.Count(RECT{rcHeader.left + 1, y, rcHeader.right, y + 1}, crShadow);
        if (n == 0)
            continue;
        if (nFirst < 0)
            nFirst = n;
        nLast = n;
    }
    return {nFirst, nLast};
}

void FillFileList(CGridCtrl& grid, int nRows)
{
    gridtest::SetUpLikeFileList(grid);
    for (int r = 1; r <= nRows; ++r) {
        char szPath[64];
        snprintf(szPath, sizeof(szPath), "C:\\Music\\Artist %02d\\Track %02d.mp3", r % 7, r);
        const int nRow = grid.InsertRow(szPath);
        grid.SetItemText(nRow, 2, ("Album " + std::to_string(r % 4)).c_str());
        grid.SetItemText(nRow, 3, r % 3 ? "Comment:AVC" : "old comment");
        grid.SetItemText(nRow, 4, ("Album " + std::to_string(r % 4)).c_str());
        if (r % 5 == 1) {
            grid.SetItemText(nRow, 1, "Error reading tag");
            grid.SetItemFgColour(nRow, 1, RGB(255, 0, 0));
        }
    }
    grid.AutoSizeColumns();
    grid.ExpandFirstColumnToFit();
    grid.SortItems(0, TRUE);
}

// The first data row whose message is red.
int RedRow(CGridCtrl& grid)
{
    for (int r = 1; r < grid.GetRowCount() - 1; ++r) {
        if (grid.GetItemFgColour(r, 1) == RGB(255, 0, 0))
            return r;
    }
    return -1;
}

COLORREF RowColour(int nRow)
{
    return nRow % 2 == 1 ? kWhite : kGrey;
}

}  // namespace

TEST(GridDraw, RowsHeaderTextColoursLinesAndArrowOnPixels)
{
    GridHost host(640, 360);
    CGridCtrl& grid = host.Grid();
    FillFileList(grid, 8);
    const int nRed = RedRow(grid);
    ASSERT_GT(nRed, 0);

    RenderedGrid image(grid);
    const RECT rcOdd = CellRect(grid, 1, 2);
    const RECT rcEven = CellRect(grid, 2, 2);
    const RECT rcHeader = CellRect(grid, 0, 1);
    EXPECT_EQ(kWhite, image.Pixel(rcOdd.left + 1, rcOdd.top + 1));
    EXPECT_EQ(kGrey, image.Pixel(rcEven.left + 1, rcEven.top + 1));
    EXPECT_EQ(kWhite, image.Pixel(CellRect(grid, 3, 3).left + 1, CellRect(grid, 3, 3).top + 1));
    EXPECT_EQ(kHeader, image.Pixel(rcHeader.left + 2, rcHeader.top + 2));
    EXPECT_GT(image.Count(Inside(rcHeader), kWhite), 5);  // the heading text
    // The raised edge of a header cell.
    EXPECT_EQ(GetSysColor(COLOR_3DHIGHLIGHT), image.Pixel(rcHeader.left, rcHeader.top + 3));
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), image.Pixel(rcHeader.right, rcHeader.top + 3));

    // Red message text on the row's own background.
    const RECT rcMessage = CellRect(grid, nRed, 1);
    EXPECT_GT(CountReddish(image, Inside(rcMessage)), 5);
    EXPECT_EQ(RowColour(nRed), image.Pixel(rcMessage.left + 1, rcMessage.top + 1));
    grid.SetItemText(nRed + 1, 1, "Not red");
    EXPECT_EQ(0, CountReddish(RenderedGrid(grid), Inside(CellRect(grid, nRed + 1, 1))));

    // Grid lines at the right and bottom edge of the data cells.
    EXPECT_EQ(kLines, image.Pixel(rcOdd.right, rcOdd.top + 2));
    EXPECT_EQ(kLines, image.Pixel(rcOdd.left + 2, rcOdd.bottom));
    // The grid background below the last row.
    const RECT rcLast = CellRect(grid, grid.GetRowCount() - 1, 0);
    EXPECT_EQ(kWhite, image.Pixel(5, rcLast.bottom + 5));

    // The arrow in the sort column's header points up: apex row narrow,
    // base row wide.
    const auto up = ArrowEnds(image, CellRect(grid, 0, 0));
    ASSERT_GT(up.first, 0);
    EXPECT_LT(up.first, up.second);
    EXPECT_EQ(-1, ArrowEnds(image, rcHeader).first);  // no arrow elsewhere
    grid.SortItems(0, FALSE);
    const auto down = ArrowEnds(RenderedGrid(grid), CellRect(grid, 0, 0));
    EXPECT_GT(down.first, down.second);
    grid.SetItemText(1, 0, "changed");  // the arrow goes with the sort column
    EXPECT_EQ(-1, ArrowEnds(RenderedGrid(grid), CellRect(grid, 0, 0)).first);
}

TEST(GridDraw, SelectedRowUsesHighlightColours)
{
    GridHost host(640, 360);
    CGridCtrl& grid = host.Grid();
    FillFileList(grid, 8);
    const int nRed = RedRow(grid);
    ASSERT_GT(nRed, 0);
    grid.SetSelectedRange(nRed, 0, nRed, 4);
    RenderedGrid image(grid);
    const RECT rcMessage = CellRect(grid, nRed, 1);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), image.Pixel(rcMessage.left + 1, rcMessage.top + 1));
    EXPECT_EQ(0, CountReddish(image, Inside(rcMessage)));
    EXPECT_GT(image.Count(Inside(rcMessage), GetSysColor(COLOR_HIGHLIGHTTEXT)), 5);
    const RECT rcOther = CellRect(grid, nRed + 1, 0);
    EXPECT_EQ(RowColour(nRed + 1), image.Pixel(rcOther.left + 1, rcOther.top + 1));
}

TEST(GridDraw, PaintReachesTheScreen)
{
    GridHost host(800, 420);
    CGridCtrl& grid = host.Grid();
    FillFileList(grid, 40);
    grid.SetSelectedRange(3, 0, 4, 4);
    grid.Refresh();
    UpdateWindow(grid.m_hWnd);
    testsupport::PumpFor(100);

    const RECT rcHeader = CellRect(grid, 0, 2);
    const RECT rcEven = CellRect(grid, 2, 2);
    HDC hDC = GetDC(grid.m_hWnd);
    EXPECT_EQ(kHeader, GetPixel(hDC, rcHeader.left + 2, rcHeader.top + 2));
    EXPECT_EQ(kGrey, GetPixel(hDC, rcEven.left + 1, rcEven.top + 1));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), GetPixel(hDC, rcEven.left + 1, CellRect(grid, 3, 2).top + 1));
    ReleaseDC(grid.m_hWnd, hDC);

    // For a look at the grid: QUILLON_GRID_HOLD_MS keeps it on the screen.
    if (const char* pszHold = std::getenv("QUILLON_GRID_HOLD_MS"))
        testsupport::PumpFor(static_cast<DWORD>(std::atoi(pszHold)));
}
