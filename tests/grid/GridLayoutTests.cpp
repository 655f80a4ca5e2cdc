#include "support/GTestWin.h"

#include <string>

#include "GridInput.h"
#include "catalog/FileListGrid.h"
#include "framework/Handles.h"

using testsupport::GridHost;

namespace {

// The width of a text in the grid's data font as GDI measures it, with
// the overhang and four margins.
int GdiWidth(CGridCtrl& grid, const std::string& text)
{
    CWindowDC dc(grid.m_hWnd);
    CSelectObject sel(dc, grid.GetDefaultCell(FALSE, FALSE)->GetFontObject());
    SIZE size;
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    return size.cx + tm.tmOverhang + 4 * grid.GetDefaultCell(FALSE, FALSE)->GetMargin();
}

bool HasBar(CGridCtrl& grid, LONG nBar)
{
    return (GetWindowLongA(grid.m_hWnd, GWL_STYLE) & nBar) != 0;
}

}  // namespace

// Auto-size gives each shown column the width GDI measures for its widest
// text (every character of the code page included), also after the font
// changes; hidden rows and columns stay hidden.
TEST(GridLayout, AutoSizeMeasuresAsGdiAndKeepsHiddenOnesHidden)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    std::string every;
    for (int c = 255; c > 0; --c)
        every += static_cast<char>(c);
    for (const char* pszAlbum : {"Short", "A rather longer album title", "Mid length"}) {
        const int nRow = grid.InsertRow("C:\\x.mp3");
        grid.SetItemText(nRow, kColAlbum, pszAlbum);
        grid.SetItemText(nRow, kColComment, nRow == 2 ? every.c_str() : "");
        grid.SetItemText(nRow, kColMessage, "ok");
        grid.SetItemText(nRow, kColOrigAlbum, "a hidden text that is long");
    }
    grid.SetRowHeight(2, 0);
    grid.AutoSizeColumns();
    grid.AutoSizeRows();
    EXPECT_EQ(GdiWidth(grid, "A rather longer album title"), grid.GetColumnWidth(kColAlbum));
    EXPECT_EQ(GdiWidth(grid, every), grid.GetColumnWidth(kColComment));
    EXPECT_EQ(GdiWidth(grid, "Message/Error"), grid.GetColumnWidth(kColMessage));  // the heading
    EXPECT_EQ(0, grid.GetColumnWidth(kColOrigAlbum));
    EXPECT_EQ(0, grid.GetRowHeight(2));
    grid.AutoSizeColumn(kColAlbum, GVS_HEADER);
    EXPECT_EQ(GdiWidth(grid, "Album"), grid.GetColumnWidth(kColAlbum));

    // Every cell is measured again after the grid's font changes.
    LOGFONTA lf = *grid.GetDefaultCell(FALSE, FALSE)->GetFont();
    lf.lfHeight = lf.lfHeight < 0 ? lf.lfHeight * 3 : -36;
    const CFontHandle bigFont(CreateFontIndirectA(&lf));
    SendMessageA(grid.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(bigFont.Get()), TRUE);
    EXPECT_EQ(reinterpret_cast<LRESULT>(grid.GetDefaultCell(FALSE, FALSE)->GetFontObject()),
              SendMessageA(grid.m_hWnd, WM_GETFONT, 0, 0));
    grid.AutoSizeColumns();
    EXPECT_EQ(GdiWidth(grid, "A rather longer album title"), grid.GetColumnWidth(kColAlbum));
}

// Column 0 takes up the room the other columns leave; when they need more
// than there is (an album of 150 characters, in a window of a usual size
// and in a narrow one), it keeps the width of its longest
// name, the grid scrolls sideways, and every name is drawn and copied whole.
TEST(GridLayout, FittingColumnZeroFillsTheWindowButKeepsEveryNameWhole)
{
    GridHost wide(GridHost::Setup::FileList, {700, 300});
    CGridCtrl& fitted = wide.Grid();
    testsupport::FillFileList(fitted, 2);
    fitted.SetColumnWidth(kColMessage, 50);
    fitted.ExpandFirstColumnToFit();
    RECT rcWide;
    GetClientRect(fitted.m_hWnd, &rcWide);
    EXPECT_EQ(rcWide.right, fitted.GetVirtualWidth());
    EXPECT_FALSE(HasBar(fitted, WS_HSCROLL));

    std::string album;
    while (album.size() < 150)
        album += "Symphony No. 9 in D minor, Op. 125 - Live ";
    album.resize(150);
    const std::string names[] = {"C:\\Music\\Live\\01 - Allegro ma non troppo.mp3",
                                 "C:\\Music\\Live\\02 - Molto vivace.mp3", "C:\\Music\\Live\\03 - Adagio.mp3"};
    for (const LONG cx : {800, 300}) {
        GridHost host(GridHost::Setup::FileList, {cx, 300});
        CGridCtrl& grid = host.Grid();
        for (int i = 0; i < 3; ++i) {  // as the scan adds its rows, then its closing steps
            const int nRow = grid.InsertRow(names[i].c_str());
            grid.SetItemText(nRow, kColComment, "Recorded live");
            grid.SetItemText(nRow, kColAlbum, i == 1 ? album.c_str() : "Live");
            grid.SetItemText(nRow, kColOrigAlbum, i == 1 ? album.c_str() : "Live");
        }
        grid.AutoSizeColumns();
        grid.ExpandFirstColumnToFit();
        grid.SortItems(kColFilename, TRUE, 0);
        grid.SelectAll();
        EXPECT_EQ(GdiWidth(grid, names[0]), grid.GetColumnWidth(0)) << cx;
        EXPECT_TRUE(HasBar(grid, WS_HSCROLL)) << cx;
        const testsupport::Pixels image(grid.m_hWnd);
        grid.OnEditCopy();
        const std::string copied = gridinput::ClipboardText();
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

// Bars come and go with the rows and columns; scrolled to the end or
// sideways, points find the cells that show there.
TEST(GridLayout, ScrollBarsAndPointsFollowTheScrolling)
{
    GridHost host(GridHost::Setup::FileList, {400, 300});
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 200);
    EXPECT_TRUE(HasBar(grid, WS_VSCROLL));
    const int nLast = grid.GetRowCount() - 1;
    grid.EnsureVisible(nLast, 0);
    RECT rcCell;
    ASSERT_TRUE(grid.GetCellRect(nLast, 0, &rcCell));
    EXPECT_EQ(CCellID(nLast, 0), grid.GetCellFromPt(POINT{2, rcCell.top + 1}));
    EXPECT_TRUE(grid.IsCellVisible(0, 0));

    grid.SetColumnWidth(kColComment, 1000);
    EXPECT_TRUE(HasBar(grid, WS_HSCROLL));
    grid.EnsureVisible(3, kColComment);
    grid.GetCellRect(3, kColComment, &rcCell);
    EXPECT_LT(rcCell.left, grid.GetColumnWidth(0));
    EXPECT_EQ(CCellID(3, kColComment), grid.GetCellFromPt(POINT{rcCell.left + 2, (rcCell.top + rcCell.bottom) / 2}));
    for (int r = grid.GetRowCount() - 1; r >= 3; --r)
        grid.DeleteRow(r);
    EXPECT_FALSE(HasBar(grid, WS_VSCROLL));  // fits again
}
