#include "support/GTestWin.h"

#include <string>
#include <vector>

#include "GridInput.h"
#include "catalog/FileListGrid.h"
#include "framework/Handles.h"

using testsupport::CellCenter;
using testsupport::GridHost;
using testsupport::Pixels;

// The widest album of an auto-sized column shows whole and brings no tip;
// a tip comes exactly at the width where the drawn text gets cut off, pale
// yellow over the cell's text and as wide as the whole text. A press on
// the tip goes to the grid cell under it; quick presses pair as a double
// click only on one spot of one cell. A move out of the cell or a key
// hides the tip.
TEST(GridTitleTip, ShowsCutOffTextWholeAndPassesPressesOn)
{
    gridinput::DoubleClickTime slow(20000);  // every press counts as quick
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    testsupport::FillFileList(grid, 3);
    const std::string album = "A rather longer album title";
    grid.SetItemText(2, kColAlbum, album.c_str());
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
    RECT rcCell;
    grid.GetCellRect(2, kColAlbum, &rcCell);
    RECT rcText = rcCell;
    grid.GetCell(2, kColAlbum)->GetTipTextRect(&rcText);
    MapWindowPoints(grid.m_hWnd, nullptr, reinterpret_cast<POINT*>(&rcText), 2);
    RECT rcTip;
    tip.GetWindowRect(&rcTip);
    EXPECT_EQ(rcText.left, rcTip.left);
    EXPECT_EQ(rcText.top, rcTip.top);
    {
        CWindowDC dc(grid.m_hWnd);
        CSelectObject sel(dc, grid.GetCell(2, kColAlbum)->GetFontObject());
        SIZE size = {};
        GetTextExtentPoint32A(dc, album.c_str(), static_cast<int>(album.size()), &size);
        EXPECT_GT(rcTip.right - rcTip.left, size.cx);
    }
    EXPECT_EQ(kTitleTipBackColour, Pixels(tip.m_hWnd).At(1, 1));
    tip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 3));  // inside the cell
    ASSERT_TRUE(tip.IsWindowVisible());

    // The press goes (posted) to the grid at the same screen point.
    MSG msg;
    tip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    EXPECT_FALSE(tip.IsWindowVisible());
    EXPECT_NE(tip.m_hWnd, GetCapture());
    ASSERT_TRUE(PeekMessageA(&msg, grid.m_hWnd, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, PM_REMOVE));
    POINT pt = {rcTip.left + GetSystemMetrics(SM_CXBORDER) + 10, rcTip.top + GetSystemMetrics(SM_CYBORDER) + 5};
    ScreenToClient(grid.m_hWnd, &pt);
    EXPECT_EQ(static_cast<UINT>(WM_LBUTTONDOWN), msg.message);
    EXPECT_EQ(MAKELPARAM(pt.x, pt.y), msg.lParam);
    DispatchMessageA(&msg);
    EXPECT_EQ(std::vector<int>({2}), gridinput::SelectedRows(grid));
    SendMessageA(grid.m_hWnd, WM_LBUTTONUP, 0, msg.lParam);

    // Quick presses: a double click only as the second of a pair on one
    // spot of one cell (the tip is wider than the cell, whose last pixel is
    // at xLast).
    RECT rcCellScreen = rcCell;
    MapWindowPoints(grid.m_hWnd, nullptr, reinterpret_cast<POINT*>(&rcCellScreen), 2);
    const int xLast = rcCellScreen.right - rcTip.left - GetSystemMetrics(SM_CXBORDER);
    const struct {
        int x;
        UINT message;
    } presses[] = {{10, WM_LBUTTONDBLCLK},
                   {10, WM_LBUTTONDOWN},  // a third press starts anew
                   {12 + GetSystemMetrics(SM_CXDOUBLECLK), WM_LBUTTONDOWN},
                   {xLast, WM_LBUTTONDOWN},
                   {xLast + 2, WM_LBUTTONDOWN}};  // near, but on the next cell
    for (const auto& press : presses) {
        grid.ShowTitleTip(2, kColAlbum);
        ASSERT_TRUE(tip.IsWindowVisible());
        tip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, 5));
        ASSERT_TRUE(PeekMessageA(&msg, grid.m_hWnd, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, PM_REMOVE));
        EXPECT_EQ(press.message, msg.message) << press.x;
    }

    grid.ShowTitleTip(2, kColAlbum);
    tip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 200));
    EXPECT_FALSE(tip.IsWindowVisible());
    grid.ShowTitleTip(2, kColAlbum);
    MSG key = {grid.m_hWnd, WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}};
    EXPECT_FALSE(grid.PreTranslateMessage(&key));
    EXPECT_FALSE(tip.IsWindowVisible());
}
