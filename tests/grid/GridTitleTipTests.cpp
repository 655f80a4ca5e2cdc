#include "support/GTestWin.h"

#include <vector>

#include "GridInput.h"
#include "catalog/FileListGrid.h"

using testsupport::CellCenter;
using testsupport::GridHost;
using testsupport::Pixels;

// The widest album of an auto-sized column shows whole and brings no tip;
// a pale yellow tip comes exactly at the width where the drawn text gets
// cut off. A press (passed on, see the mouse tests), a move out of the
// cell or a key hides the tip.
TEST(GridTitleTip, ShowsCutOffTextWholeAndPassesPressesOn)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 3);
    grid.SetItemText(2, kColAlbum, "A rather longer album title");
    grid.AutoSizeColumns();
    ASSERT_TRUE(gridinput::Focus(host.Window(), grid.m_hWnd));
    const int nAuto = grid.GetColumnWidth(kColAlbum);

    // The album cell's pixels left of its grid line at a width, and whether
    // they show the text as a wide column does.
    auto pixels = [&](int nWidth, int nAcross) {
        grid.SetColumnWidth(kColAlbum, nWidth);
        const Pixels image(grid.m_hWnd);
        RECT rc;
        grid.GetCellRect(2, kColAlbum, &rc);
        std::vector<COLORREF> colours;
        for (int y = rc.top; y < rc.bottom; ++y) {
            for (int x = rc.left; x < rc.left + nAcross; ++x)
                colours.push_back(image.At(x, y));
        }
        return colours;
    };
    auto whole = [&](int nWidth) { return pixels(nWidth, nWidth - 1) == pixels(nAuto + 100, nWidth - 1); };
    int nFit = nAuto;
    while (nFit > 1 && whole(nFit - 1))
        --nFit;
    ASSERT_TRUE(whole(nAuto));
    ASSERT_LT(nFit, nAuto);
    CGridTitleTip& tip = grid.GetTitleTip();
    for (const int nWidth : {nAuto, nFit, nFit - 1}) {
        grid.SetColumnWidth(kColAlbum, nWidth);
        gridinput::Send(grid, WM_MOUSEMOVE, 0, CellCenter(grid, 2, kColAlbum));
        ASSERT_EQ(nWidth < nFit, tip.m_hWnd != nullptr && tip.IsWindowVisible()) << nWidth << " (whole from " << nFit << ")";
    }

    EXPECT_EQ(tip.m_hWnd, GetCapture());
    EXPECT_EQ(kTitleTipBackColour, Pixels(tip.m_hWnd).At(1, 1));
    tip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 3));  // inside the cell
    ASSERT_TRUE(tip.IsWindowVisible());
    tip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    EXPECT_FALSE(tip.IsWindowVisible());
    EXPECT_NE(tip.m_hWnd, GetCapture());

    grid.ShowTitleTip(2, kColAlbum);
    tip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 200));
    EXPECT_FALSE(tip.IsWindowVisible());
    grid.ShowTitleTip(2, kColAlbum);
    MSG key = {grid.m_hWnd, WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}};
    EXPECT_FALSE(grid.PreTranslateMessage(&key));
    EXPECT_FALSE(tip.IsWindowVisible());
}
