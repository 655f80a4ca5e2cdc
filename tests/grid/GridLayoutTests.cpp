#include "support/GTestWin.h"

#include <algorithm>
#include <string>

#include "GridTestSupport.h"
#include "catalog/FileListGrid.h"
#include "framework/Handles.h"

using gridtest::GridHost;

namespace {

// Width of a text in the grid's data font, measured here without the grid:
// text, overhang and four margins.
int ExpectedWidth(CGridCtrl& grid, const char* pszText)
{
    CWindowDC dc(grid.m_hWnd);
    CSelectObject sel(dc, grid.GetDefaultCell(FALSE, FALSE)->GetFontObject());
    SIZE size;
    GetTextExtentPoint32A(dc, pszText, static_cast<int>(strlen(pszText)), &size);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    return size.cx + tm.tmOverhang + 4 * grid.GetDefaultCell(FALSE, FALSE)->GetMargin();
}

}  // namespace

TEST(GridLayout, CreateSizesRowsAndColumnsWithoutHorizontalScrollStyle)
{
    CGridCtrl grid(3, 2, 1, 0);
    EXPECT_EQ(3, grid.GetRowCount());
    EXPECT_EQ(1, grid.GetFixedRowCount());
    GridHost host;  // a parent window
    RECT rc = {0, 0, 300, 200};
    ASSERT_TRUE(grid.Create(rc, host.Window(), 77, WS_CHILD | WS_VISIBLE | WS_HSCROLL));
    char szClass[64] = "";
    GetClassNameA(grid.m_hWnd, szClass, sizeof(szClass));
    EXPECT_STREQ("MFCGridCtrl", szClass);
    EXPECT_EQ(&grid, CWnd::FromHandlePermanent(grid.m_hWnd));
    EXPECT_FALSE(GetWindowLongA(grid.m_hWnd, GWL_STYLE) & WS_HSCROLL);
    EXPECT_EQ(grid.GetDefaultCell(FALSE, FALSE, 0)->GetHeight(), grid.GetRowHeight(0));
    EXPECT_EQ(grid.GetDefaultCell(FALSE, FALSE, 1)->GetHeight(), grid.GetRowHeight(2));
    EXPECT_EQ((std::max)(grid.GetDefaultCell(FALSE, FALSE, 1)->GetWidth(),
                       grid.GetDefaultCell(FALSE, FALSE, 2)->GetWidth()),
              grid.GetColumnWidth(1));
    // The default cells were measured with the system message font.
    EXPECT_GT(grid.GetDefaultCell(FALSE, FALSE)->GetWidth(), 40);
    EXPECT_GT(grid.GetDefaultCell(FALSE, FALSE)->GetHeight(), 10);
    EXPECT_GT(grid.GetDefaultCell(FALSE, FALSE)->GetMargin(), 0);
    EXPECT_GT(grid.GetWheelScrollLines(), 0);
    grid.DestroyWindow();
}

TEST(GridLayout, AutoSizeFitsTheWidestTextAndKeepsHiddenOnesHidden)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridtest::SetUpLikeFileList(grid);
    // Every character of the code page, in one text (the longest).
    std::string every;
    for (int c = 255; c > 0; --c)
        every += static_cast<char>(c);
    const char* const albums[] = {"Short", "A rather longer album title", "Mid length"};
    for (const char* pszAlbum : albums) {
        const int nRow = grid.InsertRow("C:\\x.mp3");
        grid.SetItemText(nRow, 2, pszAlbum);
        grid.SetItemText(nRow, 3, pszAlbum == albums[1] ? every.c_str() : "");
        grid.SetItemText(nRow, 1, "ok");
        grid.SetItemText(nRow, 4, "a hidden text that is long");
    }
    grid.SetRowHeight(2, 0);
    grid.AutoSizeColumns();
    grid.AutoSizeRows();
    EXPECT_EQ(ExpectedWidth(grid, "A rather longer album title"), grid.GetColumnWidth(2));
    EXPECT_EQ(ExpectedWidth(grid, every.c_str()), grid.GetColumnWidth(3));
    // The heading is wider than the data here.
    EXPECT_EQ(ExpectedWidth(grid, "Message/Error"), grid.GetColumnWidth(1));
    EXPECT_EQ(0, grid.GetColumnWidth(4));
    EXPECT_EQ(0, grid.GetRowHeight(2));
    EXPECT_GT(grid.GetRowHeight(1), 0);

    // Only the header when asked for it.
    grid.AutoSizeColumn(2, GVS_HEADER);
    EXPECT_EQ(ExpectedWidth(grid, "Album"), grid.GetColumnWidth(2));
}

TEST(GridLayout, ExpandFirstColumnToFitFillsTheWindow)
{
    GridHost host(500, 300);
    CGridCtrl& grid = host.Grid();
    gridtest::SetUpLikeFileList(grid);
    grid.SetColumnWidth(1, 50);
    grid.ExpandFirstColumnToFit();
    RECT rc;
    GetClientRect(grid.m_hWnd, &rc);
    long long nSum = 0;
    for (int c = 0; c < grid.GetColumnCount(); ++c)
        nSum += grid.GetColumnWidth(c);
    EXPECT_EQ(rc.right, nSum);
}

namespace {

// The client size the system gives a new top-level window of default size.
SIZE DefaultClientSize()
{
    HWND hWnd = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    RECT rc = {};
    GetClientRect(hWnd, &rc);
    DestroyWindow(hWnd);
    return SIZE{rc.right, rc.bottom};
}

std::string CopiedText(CGridCtrl& grid)
{
    COleDataSource* pSource = grid.CopyTextFromGrid();
    if (pSource == nullptr)
        return "<nothing>";
    FORMATETC fmt = {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    std::string text;
    if (SUCCEEDED(pSource->GetData(&fmt, &medium))) {
        text = static_cast<const char*>(GlobalLock(medium.hGlobal));
        GlobalUnlock(medium.hGlobal);
        ReleaseStgMedium(&medium);
    }
    pSource->InternalRelease();
    return text;
}

}  // namespace

// The file list after a scan whose one album has 150 characters, in a
// window of the default size and in a narrow one: the other columns need
// more room than there is, yet column 0 keeps the width of its longest name
// (the grid scrolls sideways), the names are drawn and a copy holds them.
TEST(GridLayout, FileNamesStayWholeWhenTheOtherColumnsNeedTheRoom)
{
    std::string album;
    while (album.size() < 150)
        album += "Symphony No. 9 in D minor, Op. 125 - Live ";
    album.resize(150);
    const std::string names[] = {"C:\\Music\\Live\\01 - Allegro ma non troppo.mp3",
                                 "C:\\Music\\Live\\02 - Molto vivace.mp3",
                                 "C:\\Music\\Live\\03 - Adagio.mp3"};
    const SIZE sizeDefault = DefaultClientSize();
    for (const int cx : {static_cast<int>(sizeDefault.cx), 300}) {
        GridHost host(cx, 300);
        ShowWindow(host.Grid().m_hWnd, SW_HIDE);
        CGridCtrl grid;
        InitFileListGrid(grid, host.Window(), TRUE);
        MoveWindow(grid.m_hWnd, 0, 0, cx, 300, TRUE);
        grid.ExpandFirstColumnToFit();
        // The rows as the scan adds them, then its closing steps.
        for (int i = 0; i < 3; ++i) {
            const int nRow = grid.InsertRow(names[i].c_str());
            const char* pszAlbum = i == 1 ? album.c_str() : "Live";
            grid.SetItemText(nRow, kColComment, "Recorded live");
            grid.SetItemText(nRow, kColAlbum, pszAlbum);
            grid.SetItemText(nRow, kColOrigAlbum, pszAlbum);
        }
        grid.AutoSizeColumns();
        grid.ExpandFirstColumnToFit();
        grid.SortItems(kColFilename, TRUE, 0);
        grid.SelectAll();

        EXPECT_EQ(ExpectedWidth(grid, names[0].c_str()), grid.GetColumnWidth(0)) << cx;
        EXPECT_TRUE(GetWindowLongA(grid.m_hWnd, GWL_STYLE) & WS_HSCROLL) << cx;
        const gridtest::RenderedGrid image(grid);
        const std::string copied = CopiedText(grid);
        for (int r = 1; r <= 3; ++r) {
            RECT rc;
            grid.GetCellRect(r, 0, &rc);
            const int nText = (rc.right - rc.left) * (rc.bottom - rc.top) -
                              image.Count(rc, GetSysColor(COLOR_HIGHLIGHT));
            EXPECT_GT(nText, 50) << cx << " row " << r;
            EXPECT_NE(std::string::npos, copied.find(names[r - 1] + "\t")) << cx;
        }
    }
}

TEST(GridLayout, ScrollBarsGeometryAndEnsureVisible)
{
    GridHost host(400, 300);
    CGridCtrl& grid = host.Grid();
    gridtest::SetUpLikeFileList(grid);
    for (int r = 0; r < 5; ++r)
        grid.InsertRow(("row " + std::to_string(r)).c_str());
    EXPECT_FALSE(GetWindowLongA(grid.m_hWnd, GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(GetWindowLongA(grid.m_hWnd, GWL_STYLE) & WS_HSCROLL);
    for (int r = 5; r < 200; ++r)
        grid.InsertRow(("row " + std::to_string(r)).c_str());
    EXPECT_TRUE(GetWindowLongA(grid.m_hWnd, GWL_STYLE) & WS_VSCROLL);
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(grid.m_hWnd, SB_VERT, &si);
    RECT rc;
    GetClientRect(grid.m_hWnd, &rc);
    EXPECT_EQ(grid.GetVirtualHeight() - grid.GetFixedRowHeight() - 1, si.nMax);
    EXPECT_EQ(static_cast<UINT>(rc.bottom - grid.GetFixedRowHeight()), si.nPage);

    // Geometry: cells and points agree.
    RECT rcCell;
    ASSERT_TRUE(grid.GetCellRect(3, 1, &rcCell));
    EXPECT_EQ(grid.GetColumnWidth(0), rcCell.left);
    EXPECT_EQ(grid.GetRowHeight(0) + grid.GetRowHeight(1) + grid.GetRowHeight(2), rcCell.top);
    EXPECT_EQ(rcCell.left + grid.GetColumnWidth(1) - 1, rcCell.right);
    EXPECT_EQ(CCellID(3, 1), grid.GetCellFromPt(POINT{rcCell.left + 1, rcCell.top + 1}));
    EXPECT_EQ(CCellID(3, 1), grid.GetCellFromPt(POINT{rcCell.right, rcCell.bottom}));
    EXPECT_EQ(CCellID(0, 2), grid.GetCellFromPt(POINT{grid.GetColumnWidth(0) + grid.GetColumnWidth(1) + 1, 1}));
    const int nLast = grid.GetRowCount() - 1;
    EXPECT_FALSE(grid.IsCellVisible(nLast, 0));
    EXPECT_TRUE(grid.IsCellVisible(1, 0));

    // Scrolling the last row into view.
    grid.EnsureVisible(nLast, 0);
    EXPECT_TRUE(grid.IsCellVisible(nLast, 0));
    ASSERT_TRUE(grid.GetCellRect(nLast, 0, &rcCell));
    EXPECT_LT(rcCell.bottom, rc.bottom);
    EXPECT_EQ(CCellID(nLast, 0), grid.GetCellFromPt(POINT{2, rcCell.top + 1}));
    EXPECT_FALSE(grid.IsCellVisible(1, 0));
    EXPECT_TRUE(grid.IsCellVisible(0, 0));  // the header does not scroll
    const CCellRange visible = grid.GetVisibleNonFixedCellRange();
    EXPECT_EQ(nLast, visible.GetMaxRow());
    EXPECT_GT(visible.GetMinRow(), 150);
    grid.EnsureVisible(1, 0);
    EXPECT_EQ(CCellID(1, 0), grid.GetTopleftNonFixedCell());

    // Deleting rows until they fit hides the bar again.
    for (int r = grid.GetRowCount() - 1; r >= 3; --r)
        grid.DeleteRow(r);
    EXPECT_FALSE(GetWindowLongA(grid.m_hWnd, GWL_STYLE) & WS_VSCROLL);

    // Columns wider than the window bring the horizontal bar.
    grid.SetColumnWidth(3, 1000);
    EXPECT_TRUE(GetWindowLongA(grid.m_hWnd, GWL_STYLE) & WS_HSCROLL);
}
