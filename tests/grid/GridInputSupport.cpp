#include "GridInputSupport.h"

#include <algorithm>
#include <cstdio>

#include "support/TestSupport.h"

namespace gridtest {

namespace {

const char kRecorderProp[] = "QuillonCommandRecorder";

}  // namespace

void FillFileList(CGridCtrl& grid, int nRows)
{
    SetUpLikeFileList(grid);
    char szPath[64];
    for (int r = 0; r < nRows; ++r) {
        std::snprintf(szPath, sizeof(szPath), "C:\\music\\song%05d.mp3", r);
        const int nRow = grid.InsertRow(szPath);
        grid.SetItemText(nRow, 2, "Album");
        grid.SetItemText(nRow, 4, "Album");
    }
}

void FitRows(CGridCtrl& grid, int nRows)
{
    RECT rcWindow;
    RECT rcClient;
    GetWindowRect(grid.m_hWnd, &rcWindow);
    GetClientRect(grid.m_hWnd, &rcClient);
    const int nFrame = (rcWindow.bottom - rcWindow.top) - rcClient.bottom;
    MoveWindow(grid.m_hWnd, 0, 0, rcWindow.right - rcWindow.left,
               grid.GetRowHeight(0) + nRows * grid.GetRowHeight(1) + nFrame, TRUE);
    testsupport::PumpFor(20);
}

POINT CellCenter(CGridCtrl& grid, int nRow, int nCol)
{
    RECT rc = {};
    grid.GetCellRect(nRow, nCol, &rc);
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

POINT ColumnBorder(CGridCtrl& grid, int nCol)
{
    RECT rc = {};
    grid.GetCellRect(0, nCol, &rc);
    RECT rcClient = {};
    GetClientRect(grid.m_hWnd, &rcClient);
    return POINT{std::min<LONG>(rc.right + 1, rcClient.right - 1), (rc.top + rc.bottom) / 2};
}

std::vector<int> SelectedRows(CGridCtrl& grid)
{
    std::vector<int> rows;
    for (int r = 0; r < grid.GetRowCount(); ++r) {
        if (grid.IsCellSelected(r, 0))
            rows.push_back(r);
    }
    return rows;
}

int TopRow(CGridCtrl& grid)
{
    return grid.GetTopleftNonFixedCell().row;
}

int VScrollPos(CGridCtrl& grid)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    if (!GetScrollInfo(grid.m_hWnd, SB_VERT, &si))
        return 0;
    return si.nPos;
}

void SendClick(CGridCtrl& grid, POINT point, UINT nKeyFlags)
{
    const LPARAM lParam = MAKELPARAM(point.x, point.y);
    SendMessageA(grid.m_hWnd, WM_MOUSEMOVE, nKeyFlags, lParam);
    SendMessageA(grid.m_hWnd, WM_LBUTTONDOWN, nKeyFlags | MK_LBUTTON, lParam);
    SendMessageA(grid.m_hWnd, WM_LBUTTONUP, nKeyFlags, lParam);
    testsupport::PumpFor(0);
}

void SendKey(CGridCtrl& grid, UINT nVirtKey, bool bCtrl, bool bShift)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    BYTE saved[256];
    memcpy(saved, keys, sizeof(saved));
    keys[VK_CONTROL] = bCtrl ? 0x80 : 0;
    keys[VK_SHIFT] = bShift ? 0x80 : 0;
    SetKeyboardState(keys);
    SendMessageA(grid.m_hWnd, WM_KEYDOWN, nVirtKey, 1);
    SetKeyboardState(saved);
    testsupport::PumpFor(0);
}

CommandRecorder::CommandRecorder(HWND hWnd, UINT nId) : m_hWnd(hWnd), m_nId(nId)
{
    SetPropA(hWnd, kRecorderProp, this);
    m_pfnOld = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CommandRecorder::WndProc)));
}

CommandRecorder::~CommandRecorder()
{
    SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnOld));
    RemovePropA(m_hWnd, kRecorderProp);
}

LRESULT CALLBACK CommandRecorder::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CommandRecorder* pThis = static_cast<CommandRecorder*>(GetPropA(hWnd, kRecorderProp));
    if (pThis == nullptr)
        return DefWindowProcA(hWnd, message, wParam, lParam);
    if (message == WM_COMMAND && LOWORD(wParam) == pThis->m_nId && HIWORD(wParam) == 0) {
        ++pThis->m_nCount;
        pThis->m_hLastSender = reinterpret_cast<HWND>(lParam);
    }
    return CallWindowProcA(pThis->m_pfnOld, hWnd, message, wParam, lParam);
}

}  // namespace gridtest
