// Prints the grid's figures for a file list of 1 000, 10 000 and 100 000
// rows of 5 columns: the time of 1 000 InsertRow calls at the start and at
// the end of the fill, the memory per cell beyond its text, the time to
// paint the visible area, SortItems against std::sort of the same strings
// with the same comparison, and AutoSizeColumns the first and second time
// (whose widths are checked against plain GDI measuring).
// Each time is the median of several runs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "grid/GridCtrl.h"

// ---- Allocation counting ----------------------------------------------------

namespace {

// Live heap: bytes the allocator holds for the program's blocks (usable
// size) and the number of blocks, each of which also costs a header.
size_t g_nLiveUsable = 0;
size_t g_nLiveBlocks = 0;

size_t UsableSize(void* p)
{
#if defined(__GLIBC__)
    return malloc_usable_size(p);
#else
    (void)p;
    return 0;
#endif
}

// The usable size glibc gives a request of n bytes (chunks of 16 bytes,
// 8 of them header, at least 32).
size_t ChunkUsable(size_t n)
{
    const size_t chunk = std::max<size_t>(32, (n + 8 + 15) / 16 * 16);
    return chunk - 8;
}

}  // namespace

void* operator new(size_t n)
{
    void* p = std::malloc(n ? n : 1);
    if (p == nullptr)
        throw std::bad_alloc();
    g_nLiveUsable += UsableSize(p);
    ++g_nLiveBlocks;
    return p;
}

void* operator new[](size_t n)
{
    return operator new(n);
}

void* operator new(size_t n, const std::nothrow_t&) noexcept
{
    try {
        return operator new(n);
    } catch (...) {
        return nullptr;
    }
}

void* operator new[](size_t n, const std::nothrow_t& tag) noexcept
{
    return operator new(n, tag);
}

void operator delete(void* p) noexcept
{
    if (p == nullptr)
        return;
    g_nLiveUsable -= UsableSize(p);
    --g_nLiveBlocks;
    std::free(p);
}

void operator delete[](void* p) noexcept
{
    operator delete(p);
}

void operator delete(void* p, size_t) noexcept
{
    operator delete(p);
}

void operator delete[](void* p, size_t) noexcept
{
    operator delete(p);
}

namespace {

// ---- Timing -----------------------------------------------------------------

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

unsigned g_seed = 1;
unsigned NextRandom()
{
    g_seed = g_seed * 1103515245u + 12345u;
    return (g_seed >> 8) & 0xFFFFFF;
}

std::string RandomPath()
{
    char sz[128];
    snprintf(sz, sizeof(sz), "C:\\Music\\Artist %05u\\Album %03u\\Track %06u.mp3",
             NextRandom() % 5000, NextRandom() % 500, NextRandom() % 1000000);
    return sz;
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

HWND CreateHost()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = "QuillonGridBenchHost";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "Grid bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                           0, 816, 639, nullptr, nullptr, wc.hInstance, nullptr);
}

void SetUpFileList(CGridCtrl& grid)
{
    grid.SetFixedRowCount(1);
    grid.SetEditable(FALSE);
    grid.SetListMode(TRUE);
    grid.SetGridBkColor(RGB(255, 255, 255));
    grid.GetDefaultCell(FALSE, FALSE, 2)->SetBackClr(RGB(245, 245, 245));
    grid.GetDefaultCell(TRUE, FALSE)->SetBackClr(RGB(102, 102, 102));
    for (const char* h : {"Filename", "Message/Error", "Album", "Comment", "Orig Album, hidden"})
        grid.InsertColumn(h, 0x25);
    grid.SetColumnWidth(4, 0);
}

struct Figures {
    double insertFirst = 0;   // ms per 1 000 InsertRow from 1 000 rows
    double insertLast = 0;    // ms per 1 000 InsertRow up to the last row
    double bytesPerCell = 0;  // heap bytes per cell beyond the text
    double usablePerCell = 0; // the same with the allocator's block headers
    double paintTop = 0;      // ms, visible area at the top
    double paintMiddle = 0;   // ms, visible area scrolled to the middle
    double sortGrid = 0;      // ms, SortItems on column 0
    double sortStd = 0;       // ms, std::sort of the same strings
    double autoSizeFirst = 0; // ms
    double autoSizeAgain = 0; // ms
    bool bWidthsAsGdi = false; // auto-size widths equal plain GDI measuring
};

// Fills a new grid with nRows data rows; times the 1 000 InsertRow calls
// after row 1 000 (the first 1 000 for a grid of 1 000 rows) and the last
// 1 000; counts the memory of the fill.
void Fill(CGridCtrl& grid, int nRows, Figures& f, std::vector<double>& first,
          std::vector<double>& last, bool bCountMemory)
{
    const size_t nUsableBefore = g_nLiveUsable;
    const size_t nBlocksBefore = g_nLiveBlocks;
    size_t nTextUsable = 0;
    size_t nTextBlocks = 0;
    double tBlock = 0;
    int nInBlock = 0;
    for (int r = 0; r < nRows; ++r) {
        const std::string path = RandomPath();
        const double t0 = Now();
        const int nRow = grid.InsertRow(path.c_str());
        tBlock += Now() - t0;
        if (++nInBlock == 1000) {
            if (r + 1 == std::min(2000, nRows))
                first.push_back(tBlock);
            if (r + 1 == nRows)
                last.push_back(tBlock);
            tBlock = 0;
            nInBlock = 0;
        }
        char szAlbum[32];
        snprintf(szAlbum, sizeof(szAlbum), "Album %03u", NextRandom() % 500);
        grid.SetItemText(nRow, 2, szAlbum);
        grid.SetItemText(nRow, 3, "Comment:AVC");
        grid.SetItemText(nRow, 4, szAlbum);
        nTextUsable += ChunkUsable(path.size() + 1) + 2 * ChunkUsable(std::strlen(szAlbum) + 1) +
                       ChunkUsable(std::strlen("Comment:AVC") + 1);
        nTextBlocks += 4;
    }
    if (bCountMemory) {
        // Each text is one block of its own: its usable size and header are
        // the text's, everything else is the grid's.
        const double nCells = static_cast<double>(nRows) * 5.0;
        const double nUsable = static_cast<double>(g_nLiveUsable - nUsableBefore - nTextUsable);
        const double nBlocks = static_cast<double>(g_nLiveBlocks - nBlocksBefore - nTextBlocks);
        f.bytesPerCell = nUsable / nCells;
        f.usablePerCell = (nUsable + 8.0 * nBlocks) / nCells;
    }
}

double TimePaint(CGridCtrl& grid, int nRuns)
{
    std::vector<double> times;
    for (int i = 0; i < nRuns; ++i) {
        const double t0 = Now();
        RedrawWindow(grid.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        times.push_back(Now() - t0);
    }
    return Median(times);
}

// Whether auto-sizing gave every shown column the width that plain GDI
// calls give its widest cell: text extent, overhang and four margins (the
// default cell's width for an empty cell).
bool WidthsAsGdiMeasures(CGridCtrl& grid)
{
    HDC hDC = GetDC(grid.m_hWnd);
    bool bSame = true;
    for (int c = 0; c < grid.GetColumnCount(); ++c) {
        if (grid.GetColumnWidth(c) == 0)
            continue;
        int nWidest = 0;
        for (int r = 0; r < grid.GetRowCount(); ++r) {
            CGridCellBase* pCell = grid.GetCell(r, c);
            const char* pszText = pCell->GetText();
            int cx = pCell->GetDefaultCell(1)->GetWidth();
            if (*pszText != '\0') {
                SelectObject(hDC, pCell->GetFontObject());
                SIZE size;
                GetTextExtentPoint32A(hDC, pszText, static_cast<int>(std::strlen(pszText)), &size);
                TEXTMETRICA tm;
                GetTextMetricsA(hDC, &tm);
                cx = size.cx + tm.tmOverhang + 4 * pCell->GetMargin();
            }
            nWidest = std::max(nWidest, cx);
        }
        bSame = bSame && nWidest == grid.GetColumnWidth(c);
    }
    ReleaseDC(grid.m_hWnd, hDC);
    return bSame;
}

Figures Measure(HWND hHost, int nRows)
{
    Figures f;
    std::vector<double> first, last, paintTop, paintMiddle, sortGrid, sortStd, sizeFirst, sizeAgain;
    const int nRuns = nRows >= 100000 ? 3 : 5;
    for (int run = 0; run < nRuns; ++run) {
        g_seed = 1000u + static_cast<unsigned>(run);
        auto grid = std::make_unique<CGridCtrl>();
        RECT rc;
        GetClientRect(hHost, &rc);
        grid->Create(rc, hHost, 32198, WS_CHILD | WS_VISIBLE | WS_BORDER);
        SetUpFileList(*grid);
        Fill(*grid, nRows, f, first, last, run == 0);
        PumpMessages();

        double t0 = Now();
        grid->AutoSizeColumns();
        sizeFirst.push_back(Now() - t0);
        t0 = Now();
        grid->AutoSizeColumns();
        sizeAgain.push_back(Now() - t0);
        if (run == 0)
            f.bWidthsAsGdi = WidthsAsGdiMeasures(*grid);
        grid->ExpandFirstColumnToFit();
        PumpMessages();

        paintTop.push_back(TimePaint(*grid, 15));
        grid->EnsureVisible(nRows / 2, 0);
        PumpMessages();
        paintMiddle.push_back(TimePaint(*grid, 15));

        std::vector<std::string> texts;
        texts.reserve(static_cast<size_t>(nRows));
        for (int r = 1; r <= nRows; ++r)
            texts.push_back(grid->GetItemText(r, 0));
        t0 = Now();
        std::sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
            return std::strcmp(a.c_str(), b.c_str()) < 0;
        });
        sortStd.push_back(Now() - t0);
        t0 = Now();
        grid->SortItems(0, TRUE);
        sortGrid.push_back(Now() - t0);
        for (int r = 1; r <= nRows; ++r) {
            if (grid->GetItemText(r, 0) != texts[static_cast<size_t>(r - 1)]) {
                std::printf("grid sort order differs at row %d\n", r);
                break;
            }
        }
        grid->DestroyWindow();
    }
    f.insertFirst = Median(first);
    f.insertLast = Median(last);
    f.paintTop = Median(paintTop);
    f.paintMiddle = Median(paintMiddle);
    f.sortGrid = Median(sortGrid);
    f.sortStd = Median(sortStd);
    f.autoSizeFirst = Median(sizeFirst);
    f.autoSizeAgain = Median(sizeAgain);
    return f;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int)
{
    // Row counts may be given on the command line; else 1 000, 10 000, 100 000.
    std::vector<int> rowCounts;
    bool bWidthsAsGdi = true;
    for (const char* p = lpCmdLine; p != nullptr && *p != '\0';) {
        char* pEnd = nullptr;
        const long n = std::strtol(p, &pEnd, 10);
        if (pEnd == p)
            break;
        if (n >= 1000)
            rowCounts.push_back(static_cast<int>(n));
        p = pEnd;
    }
    if (rowCounts.empty())
        rowCounts = {1000, 10000, 100000};
    HWND hHost = CreateHost();
    std::printf("grid bench: 5 columns, 800x600 window, times are medians in ms\n");
    std::printf("%8s %12s %12s %9s %9s %9s %9s %10s %10s %7s %10s %10s\n", "rows", "ins/1000@1k",
                "ins/1000@end", "ratio", "B/cell", "B/cell*", "paintTop", "paintMid",
                "sortGrid", "x std", "autosize1", "autosize2");
    for (int nRows : rowCounts) {
        const Figures f = Measure(hHost, nRows);
        std::printf("%8d %12.2f %12.2f %9.2f %9.1f %9.1f %9.2f %10.2f %10.2f %7.2f %10.2f %10.2f\n",
                    nRows, f.insertFirst, f.insertLast,
                    f.insertFirst > 0 ? f.insertLast / f.insertFirst : 0.0, f.bytesPerCell,
                    f.usablePerCell, f.paintTop, f.paintMiddle, f.sortGrid,
                    f.sortStd > 0 ? f.sortGrid / f.sortStd : 0.0, f.autoSizeFirst,
                    f.autoSizeAgain);
        std::fflush(stdout);
        bWidthsAsGdi = bWidthsAsGdi && f.bWidthsAsGdi;
    }
    std::printf("auto-size widths %s those of plain GDI measuring\n",
                bWidthsAsGdi ? "equal" : "DIFFER FROM");
    std::printf("B/cell: heap bytes per cell beyond its text (usable sizes); B/cell*: the same "
                "with the allocator's block headers\n");
    DestroyWindow(hHost);
    return 0;
}
