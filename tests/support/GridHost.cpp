#include "support/GridHost.h"

#include <cstdio>

#include "catalog/FileListGrid.h"
#include "framework/Handles.h"
#include "support/TestSupport.h"

namespace testsupport {

GridHost::GridHost(Setup setup, SIZE client, POINT at)
{
    static_assert(kGridId == kFileListGridId, "one id for both set-ups");
    static const char kHostClass[] = "QuillonGridTestHost";
    const WNDCLASSA wc = {0, WndProc, 0, 0, GetModuleHandleA(nullptr), nullptr, LoadCursorA(nullptr, IDC_ARROW),
                          nullptr, nullptr, kHostClass};
    RegisterClassA(&wc);  // fails harmlessly once registered
    RECT rc = {0, 0, client.cx, client.cy};
    AdjustWindowRect(&rc, WS_OVERLAPPEDWINDOW, FALSE);
    m_hWnd = CreateWindowExA(0, kHostClass, "Grid test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, at.x, at.y,
                             rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_pGrid = std::make_unique<CGridCtrl>();
    if (setup == Setup::FileList) {
        InitFileListGrid(*m_pGrid, m_hWnd, TRUE);
        MoveWindow(m_pGrid->m_hWnd, 0, 0, client.cx, client.cy, TRUE);
        m_pGrid->ExpandFirstColumnToFit();  // as the main window does on WM_SIZE
    } else {
        m_pGrid->Create(RECT{0, 0, client.cx, client.cy}, m_hWnd, kGridId,
                        WS_CHILD | WS_VISIBLE | WS_BORDER);
    }
    SetForegroundWindow(m_hWnd);
    UpdateWindow(m_hWnd);
}

// The tip goes before its windows do.
GridHost::~GridHost()
{
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    m_pGrid->HideTitleTip();
    m_pGrid.reset();
    DestroyWindow(m_hWnd);
    PumpFor(0);
}

LRESULT CALLBACK GridHost::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* pHost = reinterpret_cast<GridHost*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    const auto* pNm = reinterpret_cast<const NM_GRIDVIEW*>(lParam);
    if (message != WM_NOTIFY || pHost == nullptr || pNm == nullptr || pNm->hdr.idFrom != kGridId)
        return DefWindowProcA(hWnd, message, wParam, lParam);
    const GridNote note = {pNm->hdr.code, pNm->iRow, pNm->iColumn};
    pHost->notes.push_back(note);
    return pHost->reply ? pHost->reply(note) : 0;
}

void FillFileList(CGridCtrl& grid, int nRows)
{
    char szPath[64];
    const int nFirst = grid.GetRowCount() - grid.GetFixedRowCount();
    for (int i = nFirst; i < nFirst + nRows; ++i) {
        std::snprintf(szPath, sizeof(szPath), "C:\\music\\song%05d.mp3", i);
        const int nRow = grid.InsertRow(szPath);
        grid.SetItemText(nRow, kColAlbum, "Album");
        grid.SetItemText(nRow, kColOrigAlbum, "Album");
    }
}

std::vector<std::string> Column(const CGridCtrl& grid, int nCol)
{
    std::vector<std::string> texts;
    for (int r = grid.GetFixedRowCount(); r < grid.GetRowCount(); ++r)
        texts.push_back(grid.GetItemText(r, nCol));
    return texts;
}

POINT CellCenter(const CGridCtrl& grid, int nRow, int nCol)
{
    RECT rc = {};
    grid.GetCellRect(nRow, nCol, &rc);
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

Pixels::Pixels(HWND hWnd)
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    m_cx = rc.right;
    m_cy = rc.bottom;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = m_cx;
    bmi.bmiHeader.biHeight = -m_cy;  // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    CWindowDC window(hWnd);
    CBitmapHandle bitmap(CreateDIBSection(window, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0));
    CMemoryDC dc(window);
    if (bitmap.Get() == nullptr || dc.Get() == nullptr)
        return;
    CSelectObject sel(dc, bitmap);
    BitBlt(dc, 0, 0, m_cx, m_cy, window, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD* p = static_cast<const DWORD*>(pBits);
    m_bits.assign(p, p + static_cast<size_t>(m_cx) * static_cast<size_t>(m_cy));
}

COLORREF Pixels::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_cx || y >= m_cy || m_bits.empty())
        return CLR_INVALID;
    const DWORD v = m_bits[static_cast<size_t>(y) * static_cast<size_t>(m_cx) + static_cast<size_t>(x)];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int Pixels::Count(const RECT& rc, COLORREF clr) const
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x)
            n += At(x, y) == clr ? 1 : 0;
    }
    return n;
}

}  // namespace testsupport
