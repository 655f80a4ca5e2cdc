#include "support/GTestWin.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "catalog/FileListGrid.h"
#include "support/GridHost.h"

using testsupport::Column;
using testsupport::GridHost;

namespace {

// File-list rows of (album, id), the id also in the hidden column and each
// row a height of its own, so that a row torn apart by a sort shows.
void FillAlbums(CGridCtrl& grid, const std::vector<std::string>& albums)
{
    for (size_t i = 0; i < albums.size(); ++i) {
        const int nRow = grid.InsertRow(("file" + std::to_string(i)).c_str());
        grid.SetItemText(nRow, kColAlbum, albums[i].c_str());
        grid.SetItemText(nRow, kColOrigAlbum, ("id" + std::to_string(i)).c_str());
        grid.SetRowHeight(nRow, 20 + static_cast<int>(i));
    }
}

void ExpectRowsIntact(CGridCtrl& grid)
{
    for (int r = 1; r < grid.GetRowCount(); ++r) {
        const int i = std::atoi(grid.GetItemText(r, kColOrigAlbum).c_str() + 2);
        EXPECT_EQ("file" + std::to_string(i), grid.GetItemText(r, 0));
        EXPECT_EQ(20 + i, grid.GetRowHeight(r));
    }
}

}  // namespace

TEST(GridSort, CaseSensitiveByteOrderBothWaysWithWholeRows)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    FillAlbums(grid, {"banana", "Apple", "apple", "Banana", "", "Zebra", "\xe9t\xe9", "apple"});
    grid.SetSelectedRange(2, 0, 3, 4);
    grid.SetFocusCell(2, 2);

    EXPECT_TRUE(grid.SortItems(kColAlbum, TRUE));
    const std::vector<std::string> ascending = {"", "Apple", "Banana", "Zebra", "apple", "apple",
                                                "banana", "\xe9t\xe9"};
    EXPECT_EQ(ascending, Column(grid, kColAlbum));
    ExpectRowsIntact(grid);
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_EQ(CCellID(), grid.GetFocusCell());
    EXPECT_EQ("Album", grid.GetItemText(0, kColAlbum));  // the header stays

    EXPECT_TRUE(grid.SortItems(kColAlbum, FALSE));
    EXPECT_EQ(std::vector<std::string>(ascending.rbegin(), ascending.rend()), Column(grid, kColAlbum));
    ExpectRowsIntact(grid);

    // A change in the sort column (or of the rows) ends the sort as shown by
    // the arrow, but leaves the order; a change elsewhere keeps it.
    grid.SetItemText(3, kColComment, "comment");
    EXPECT_EQ(kColAlbum, grid.GetSortColumn());
    grid.SetItemText(1, kColAlbum, "zzz");
    EXPECT_EQ(-1, grid.GetSortColumn());
    grid.SortItems(0, TRUE);
    grid.InsertRow("new");
    EXPECT_EQ(-1, grid.GetSortColumn());
}

// Many rows with many equal keys, in random and in sorted order, end in
// the order std::sort gives.
TEST(GridSort, ManyRowsWithEqualKeys)
{
    GridHost host;
    CGridCtrl& big = host.Grid();
    big.SetFixedRowCount(1);
    big.SetColumnCount(1);
    big.SetRowCount(20001);
    std::vector<std::string> keys;
    unsigned seed = 12345;
    for (int r = 1; r < big.GetRowCount(); ++r) {
        seed = seed * 1103515245u + 12345u;
        keys.push_back("k" + std::to_string((seed >> 16) % 500));
        big.SetItemText(r, 0, keys.back().c_str());
    }
    std::sort(keys.begin(), keys.end(),
              [](const std::string& a, const std::string& b) { return std::strcmp(a.c_str(), b.c_str()) < 0; });
    for (int nPass = 0; nPass < 2; ++nPass) {  // the second time already sorted
        big.SortItems(0, TRUE);
        EXPECT_EQ(keys, Column(big, 0));
    }
}
