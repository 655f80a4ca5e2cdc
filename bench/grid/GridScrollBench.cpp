// Prints how long the grid takes to scroll and repaint at 1 000 and at
// 100 000 rows of the file list: a line scroll, a page scroll (each sent as
// WM_VSCROLL and painted at once) and Ctrl+End from the first row (the key,
// the scroll to the bottom and the repaint). Each figure is the median of
// many runs; the ratio column is the 100 000-row time over the 1 000-row
// time, which stays near 1 when the work does not grow with the rows.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "grid/GridCtrl.h"

namespace {

double Now()
{
    static LARGE_INTEGER s_freq = {};
    if (s_freq.QuadPart == 0)
        QueryPerformanceFrequency(&s_freq);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(s_freq.QuadPart);
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

HWND CreateHost()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = "QuillonGridScrollBenchHost";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "Grid scroll bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           0, 0, 816, 639, nullptr, nullptr, wc.hInstance, nullptr);
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

void FillFileList(CGridCtrl& grid, int nRows)
{
    grid.SetFixedRowCount(1);
    grid.SetEditable(FALSE);
    grid.SetListMode(TRUE);
    grid.SetHeaderSort(TRUE);
    grid.SetGridBkColor(RGB(255, 255, 255));
    grid.GetDefaultCell(FALSE, FALSE, 2)->SetBackClr(RGB(245, 245, 245));
    grid.GetDefaultCell(TRUE, FALSE)->SetBackClr(RGB(102, 102, 102));
    for (const char* h : {"Filename", "Message/Error", "Album", "Comment", "Orig Album, hidden"})
        grid.InsertColumn(h, 0x25);
    grid.SetColumnWidth(4, 0);
    grid.SetRedraw(FALSE);
    char szPath[96];
    for (int r = 0; r < nRows; ++r) {
        std::snprintf(szPath, sizeof(szPath), "C:\\Music\\Artist %04d\\Album %03d\\Track %06d.mp3",
                      r % 977, r % 131, r);
        const int nRow = grid.InsertRow(szPath);
        grid.SetItemText(nRow, 2, "Album");
        grid.SetItemText(nRow, 3, "Comment");
        grid.SetItemText(nRow, 4, "Album");
    }
    grid.SetRedraw(TRUE, TRUE);
    grid.AutoSizeColumns();
    grid.ExpandFirstColumnToFit();
}

// One scroll request and the repaint it causes.
double TimeScroll(CGridCtrl& grid, UINT nCode)
{
    const double t0 = Now();
    SendMessageA(grid.m_hWnd, WM_VSCROLL, MAKEWPARAM(nCode, 0), 0);
    UpdateWindow(grid.m_hWnd);
    return Now() - t0;
}

double TimeKey(CGridCtrl& grid, UINT nVirtKey)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    const double t0 = Now();
    SendMessageA(grid.m_hWnd, WM_KEYDOWN, nVirtKey, 1);
    UpdateWindow(grid.m_hWnd);
    const double t = Now() - t0;
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    return t;
}

struct Figures {
    double line = 0;     // ms, SB_LINEDOWN / SB_LINEUP with the repaint
    double page = 0;     // ms, SB_PAGEDOWN / SB_PAGEUP with the repaint
    double ctrlEnd = 0;  // ms, Ctrl+End from row 1 with the repaint
    int lastRow = 0;     // focus row after Ctrl+End
};

Figures Measure(HWND hHost, int nRows)
{
    auto pGrid = std::make_unique<CGridCtrl>();
    CGridCtrl& grid = *pGrid;
    RECT rc;
    GetClientRect(hHost, &rc);
    grid.Create(rc, hHost, 32198, WS_CHILD | WS_VISIBLE | WS_BORDER);
    FillFileList(grid, nRows);
    UpdateWindow(grid.m_hWnd);
    PumpMessages();

    Figures f;
    std::vector<double> line;
    std::vector<double> page;
    std::vector<double> ctrlEnd;
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < 40; ++i)
            line.push_back(TimeScroll(grid, SB_LINEDOWN));
        for (int i = 0; i < 40; ++i)
            line.push_back(TimeScroll(grid, SB_LINEUP));
        for (int i = 0; i < 10; ++i)
            page.push_back(TimeScroll(grid, SB_PAGEDOWN));
        for (int i = 0; i < 10; ++i)
            page.push_back(TimeScroll(grid, SB_PAGEUP));
        PumpMessages();
    }
    for (int i = 0; i < 30; ++i) {
        grid.SetFocusCell(1, 0);
        SendMessageA(grid.m_hWnd, WM_VSCROLL, SB_TOP, 0);
        UpdateWindow(grid.m_hWnd);
        ctrlEnd.push_back(TimeKey(grid, VK_END));
        f.lastRow = grid.GetFocusCell().row;
        PumpMessages();
    }
    f.line = Median(line);
    f.page = Median(page);
    f.ctrlEnd = Median(ctrlEnd);
    grid.DestroyWindow();
    return f;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    HWND hHost = CreateHost();
    std::printf("grid scroll bench: file list, 800x600 window, medians in ms (scroll or key plus repaint)\n");
    const Figures f1k = Measure(hHost, 1000);
    const Figures f100k = Measure(hHost, 100000);
    auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
    std::printf("%-22s %10s %10s %8s\n", "", "1000 rows", "100000 rows", "ratio");
    std::printf("%-22s %10.3f %10.3f %8.2f\n", "line scroll", f1k.line, f100k.line,
                ratio(f100k.line, f1k.line));
    std::printf("%-22s %10.3f %10.3f %8.2f\n", "page scroll", f1k.page, f100k.page,
                ratio(f100k.page, f1k.page));
    std::printf("%-22s %10.3f %10.3f %8.2f\n", "Ctrl+End from row 1", f1k.ctrlEnd,
                f100k.ctrlEnd, ratio(f100k.ctrlEnd, f1k.ctrlEnd));
    std::printf("Ctrl+End focus row: %d of 1000, %d of 100000\n", f1k.lastRow, f100k.lastRow);
    DestroyWindow(hHost);
    return 0;
}
