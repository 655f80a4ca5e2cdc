#include "support/GTestWin.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "GridTestSupport.h"

using gridtest::GridHost;

namespace {

// Rows of (album, id), the id also in the hidden column 4 and each row a
// height of its own, so that a row torn apart by the sort shows.
void FillAlbums(CGridCtrl& grid, const std::vector<std::string>& albums)
{
    gridtest::SetUpLikeFileList(grid);
    for (size_t i = 0; i < albums.size(); ++i) {
        const std::string id = "id" + std::to_string(i);
        const int nRow = grid.InsertRow(("file" + std::to_string(i)).c_str());
        grid.SetItemText(nRow, 2, albums[i].c_str());
        grid.SetItemText(nRow, 4, id.c_str());
        grid.SetRowHeight(nRow, 20 + static_cast<int>(i));
    }
}

void ExpectRowsIntact(CGridCtrl& grid)
{
    for (int r = 1; r < grid.GetRowCount(); ++r) {
        const std::string id = grid.GetItemText(r, 4);
        const int i = std::atoi(id.c_str() + 2);
        EXPECT_EQ("file" + std::to_string(i), grid.GetItemText(r, 0));
        EXPECT_EQ(20 + i, grid.GetRowHeight(r));
    }
}

std::vector<std::string> Column(CGridCtrl& grid, int nCol)
{
    std::vector<std::string> texts;
    for (int r = grid.GetFixedRowCount(); r < grid.GetRowCount(); ++r)
        texts.push_back(grid.GetItemText(r, nCol));
    return texts;
}

int CALLBACK CompareAsNumbers(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const auto* p1 = reinterpret_cast<const CGridCellBase*>(lParam1);
    const auto* p2 = reinterpret_cast<const CGridCellBase*>(lParam2);
    EXPECT_EQ(42, lParamSort);
    return std::atoi(p1->GetText()) - std::atoi(p2->GetText());
}

}  // namespace

TEST(GridSort, CaseSensitiveByteOrderBothWaysWithWholeRows)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    FillAlbums(grid, {"banana", "Apple", "apple", "Banana", "", "Zebra", "\xe9t\xe9", "apple"});
    grid.SetSelectedRange(2, 0, 3, 4);
    grid.SetFocusCell(2, 2);

    EXPECT_TRUE(grid.SortItems(2, TRUE));
    EXPECT_EQ(std::vector<std::string>({"", "Apple", "Banana", "Zebra", "apple", "apple", "banana",
                                        "\xe9t\xe9"}),
              Column(grid, 2));
    ExpectRowsIntact(grid);
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_EQ(CCellID(), grid.GetFocusCell());
    EXPECT_FALSE(grid.GetItemState(2, 2) & GVIS_FOCUSED);
    EXPECT_EQ(2, grid.GetSortColumn());
    EXPECT_TRUE(grid.GetSortAscending());
    EXPECT_EQ("Album", grid.GetItemText(0, 2));  // the header stays

    EXPECT_TRUE(grid.SortItems(2, FALSE));
    EXPECT_EQ(std::vector<std::string>({"\xe9t\xe9", "banana", "apple", "apple", "Zebra", "Banana",
                                        "Apple", ""}),
              Column(grid, 2));
    ExpectRowsIntact(grid);
    EXPECT_FALSE(grid.GetSortAscending());

    // The hidden column sorts too.
    EXPECT_TRUE(grid.SortItems(4, TRUE));
    EXPECT_EQ(std::vector<std::string>({"id0", "id1", "id2", "id3", "id4", "id5", "id6", "id7"}),
              Column(grid, 4));
    ExpectRowsIntact(grid);
}

TEST(GridSort, ChangingTheSortColumnRemovesTheArrowNotTheOrder)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    FillAlbums(grid, {"c", "a", "b"});
    grid.SortItems(2, TRUE);
    ASSERT_EQ(std::vector<std::string>({"a", "b", "c"}), Column(grid, 2));
    grid.SetItemText(3, 3, "comment");  // another column
    EXPECT_EQ(2, grid.GetSortColumn());
    grid.SetItemText(1, 2, "zzz");
    EXPECT_EQ(-1, grid.GetSortColumn());
    EXPECT_EQ(std::vector<std::string>({"zzz", "b", "c"}), Column(grid, 2));
}

TEST(GridSort, CompareFunctionAndLargeInputs)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    FillAlbums(grid, {"10", "9", "100", "-1"});
    grid.SetCompareFunction(CompareAsNumbers);
    grid.SortItems(2, TRUE, 42);
    EXPECT_EQ(std::vector<std::string>({"-1", "9", "10", "100"}), Column(grid, 2));
    grid.SetCompareFunction(nullptr);

    // Many rows with many equal keys, in random and in sorted order, end in
    // the same order as std::sort gives.
    GridHost host2;
    CGridCtrl& big = host2.Grid();
    big.SetFixedRowCount(1);
    big.SetColumnCount(2);
    big.SetRowCount(20001);
    std::vector<std::string> keys;
    unsigned seed = 12345;
    for (int r = 1; r < big.GetRowCount(); ++r) {
        seed = seed * 1103515245u + 12345u;
        keys.push_back("k" + std::to_string((seed >> 16) % 500));
        big.SetItemText(r, 0, keys.back().c_str());
        big.SetItemText(r, 1, std::to_string(r).c_str());
    }
    std::sort(keys.begin(), keys.end(),
              [](const std::string& a, const std::string& b) { return std::strcmp(a.c_str(), b.c_str()) < 0; });
    big.SortItems(0, TRUE);
    EXPECT_EQ(keys, Column(big, 0));
    big.SortItems(0, TRUE);  // already sorted
    EXPECT_EQ(keys, Column(big, 0));
    big.SortItems(0, FALSE);
    std::reverse(keys.begin(), keys.end());
    EXPECT_EQ(keys, Column(big, 0));
}
