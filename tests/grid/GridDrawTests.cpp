#include "support/GTestWin.h"

#include <utility>

#include "catalog/FileListGrid.h"
#include "support/GridHost.h"

using testsupport::GridHost;
using testsupport::Pixels;

namespace {

RECT CellRect(CGridCtrl& grid, int nRow, int nCol)
{
    RECT rc = {};
    grid.GetCellRect(nRow, nCol, &rc);
    return rc;
}

int CountRed(const Pixels& image, const RECT& rc)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            const COLORREF c = image.At(x, y);
            n += (GetRValue(c) > 150 && GetGValue(c) < 100 && GetBValue(c) < 100) ? 1 : 0;
        }
    }
    return n;
}

// Pixels of the arrow's shadow colour in the first and in the last row of
// the header cell that has any: (narrow, wide) for an arrow pointing up.
std::pair<int, int> ArrowEnds(const Pixels& image, const RECT& rcHeader)
{
    const COLORREF crShadow = GetSysColor(COLOR_3DSHADOW);
    std::pair<int, int> ends = {-1, -1};
    for (int y = rcHeader.top + 1; y < rcHeader.bottom; ++y) {
        const int n = image.Count(RECT{rcHeader.left + 1, y, rcHeader.right, y + 1}, crShadow);
        if (n > 0)
            ends = {ends.first < 0 ? n : ends.first, n};
    }
    return ends;
}

}  // namespace

// The file list as the window shows it: rows alternately white and light
// grey, the dark header with white headings and the sort arrow, red messages, grid lines, the selected row in the highlight
// colours.
TEST(GridDraw, TheFileListShowsItsColoursLinesArrowAndSelection)
{
    GridHost host(GridHost::Setup::FileList, {640, 360});
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 8);
    grid.SetItemText(3, kColMessage, "Error reading tag");
    grid.SetItemFgColour(3, kColMessage, kMessageColour);
    grid.SortItems(0, TRUE);

    Pixels image(grid.m_hWnd);
    const RECT rcOdd = CellRect(grid, 1, kColAlbum);
    const RECT rcHeader = CellRect(grid, 0, kColMessage);
    for (int r = 1; r <= 4; ++r) {
        const RECT rc = CellRect(grid, r, kColAlbum);
        EXPECT_EQ(r % 2 ? kOddRowBackColour : kEvenRowBackColour, image.At(rc.left + 1, rc.top + 1)) << r;
    }
    EXPECT_EQ(kHeaderBackColour, image.At(rcHeader.left + 2, rcHeader.top + 2));
    EXPECT_GT(image.Count(rcHeader, kHeaderTextColour), 5);
    const RECT rcMessage = CellRect(grid, 3, kColMessage);
    EXPECT_GT(CountRed(image, rcMessage), 5);
    EXPECT_EQ(grid.GetGridLineColor(), image.At(rcOdd.right, rcOdd.top + 2));
    EXPECT_EQ(grid.GetGridLineColor(), image.At(rcOdd.left + 2, rcOdd.bottom));

    // The arrow in the sort column's header points up, then down; it goes
    // with the sort column.
    const auto up = ArrowEnds(image, CellRect(grid, 0, 0));
    ASSERT_GT(up.first, 0);
    EXPECT_LT(up.first, up.second);
    grid.SortItems(0, FALSE);
    const auto down = ArrowEnds(Pixels(grid.m_hWnd), CellRect(grid, 0, 0));
    EXPECT_GT(down.first, down.second);

    // A selected row: highlight colours, no red.
    const int nRed = grid.GetItemFgColour(6, kColMessage) == kMessageColour ? 6 : 3;
    grid.SetItemText(1, 0, "changed");  // the arrow goes
    grid.SetSelectedRange(nRed, 0, nRed, kColOrigAlbum);
    image = Pixels(grid.m_hWnd);
    EXPECT_EQ(-1, ArrowEnds(image, CellRect(grid, 0, 0)).first);
    const RECT rcSelected = CellRect(grid, nRed, kColMessage);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), image.At(rcSelected.left + 1, rcSelected.top + 1));
    EXPECT_EQ(0, CountRed(image, rcSelected));
    EXPECT_GT(image.Count(rcSelected, GetSysColor(COLOR_HIGHLIGHTTEXT)), 5);
}
