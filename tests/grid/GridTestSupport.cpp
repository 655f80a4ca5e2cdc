#include "GridTestSupport.h"

#include "framework/Handles.h"

namespace gridtest {

namespace {

const char kHostClass[] = "QuillonGridTestHost";

}  // namespace

GridHost::GridHost(int cx, int cy, DWORD dwGridStyle)
{
    WNDCLASSA wc = {};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), kHostClass, &wc)) {
        wc.lpfnWndProc = WndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
        wc.lpszClassName = kHostClass;
        RegisterClassA(&wc);
    }
    RECT rc = {0, 0, cx, cy};
    AdjustWindowRect(&rc, WS_OVERLAPPEDWINDOW, FALSE);
    m_hWnd = CreateWindowExA(0, kHostClass, "Grid test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                             rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr,
                             GetModuleHandleA(nullptr), this);
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_pGrid = std::make_unique<CGridCtrl>();
    RECT rcGrid = {0, 0, cx, cy};
    m_pGrid->Create(rcGrid, m_hWnd, kGridId, dwGridStyle);
}

GridHost::~GridHost()
{
    m_pGrid.reset();
    DestroyWindow(m_hWnd);
}

LRESULT CALLBACK GridHost::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        GridHost* pHost = reinterpret_cast<GridHost*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        const NM_GRIDVIEW* pNm = reinterpret_cast<const NM_GRIDVIEW*>(lParam);
        if (pHost != nullptr && pNm != nullptr && pNm->hdr.idFrom == kGridId)
            pHost->notifications.push_back({static_cast<int>(pNm->hdr.code), pNm->iRow, pNm->iColumn});
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

void SetUpLikeFileList(CGridCtrl& grid)
{
    grid.SetFixedRowCount(1);
    grid.SetEditable(FALSE);
    grid.SetListMode(TRUE);
    grid.SetResizeKeepsTotalWidth(TRUE);
    grid.SetFrameFocusCell(FALSE);
    grid.SetTrackFocusCell(FALSE);
    grid.SetGridBkColor(RGB(255, 255, 255));
    grid.SetHeaderSort(TRUE);
    grid.GetDefaultCell(FALSE, FALSE, 1)->SetBackClr(RGB(255, 255, 255));
    grid.GetDefaultCell(FALSE, FALSE, 2)->SetBackClr(RGB(245, 245, 245));
    grid.GetDefaultCell(TRUE, FALSE)->SetBackClr(RGB(102, 102, 102));
    grid.GetDefaultCell(TRUE, FALSE)->SetTextClr(RGB(255, 255, 255));
    const char* const headings[] = {"Filename", "Message/Error", "Album", "Comment",
                                    "Orig Album, hidden"};
    for (const char* pszHeading : headings)
        grid.InsertColumn(pszHeading, 0x25);
    grid.SetColumnWidth(4, 0);
    grid.SetSortColumn(0);
    grid.AutoSizeColumns();
    grid.ExpandFirstColumnToFit();
    grid.AutoSizeRows();
    grid.SetTitleTipBackClr(RGB(255, 255, 225));
}

RenderedGrid::RenderedGrid(CGridCtrl& grid, bool bFromWindow)
{
    RECT rc;
    GetClientRect(grid.m_hWnd, &rc);
    m_cx = rc.right;
    m_cy = rc.bottom;
    m_bits.assign(static_cast<size_t>(m_cx) * static_cast<size_t>(m_cy), 0);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = m_cx;
    bmi.bmiHeader.biHeight = -m_cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    CWindowDC screen(nullptr);
    CBitmapHandle bitmap(CreateDIBSection(screen, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0));
    CMemoryDC dc(screen);
    {
        CSelectObject sel(dc, bitmap);
        if (bFromWindow) {
            RedrawWindow(grid.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            CWindowDC window(grid.m_hWnd);
            BitBlt(dc, 0, 0, m_cx, m_cy, window, 0, 0, SRCCOPY);
        } else {
            grid.OnDraw(dc);
        }
        GdiFlush();
    }
    const DWORD* p = static_cast<const DWORD*>(pBits);
    m_bits.assign(p, p + m_bits.size());
}

COLORREF RenderedGrid::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return CLR_INVALID;
    const DWORD v = m_bits[static_cast<size_t>(y) * static_cast<size_t>(m_cx) + static_cast<size_t>(x)];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int RenderedGrid::Count(const RECT& rc, COLORREF clr) const
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            if (Pixel(x, y) == clr)
                ++n;
        }
    }
    return n;
}

}  // namespace gridtest
