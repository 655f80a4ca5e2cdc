// Shared by the grid tests: a real top-level window that hosts a grid and
// records the notifications the grid sends, a grid set up like the
// program's file list, and rendering of a grid into a bitmap whose pixels
// the tests read.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "grid/GridCtrl.h"

namespace gridtest {

constexpr UINT kGridId = 32198;

struct Notification {
    int code;
    int row;
    int col;
};

// A visible top-level window (client area cx x cy) with a grid child that
// fills it.
class GridHost {
public:
    GridHost(int cx = 600, int cy = 400, DWORD dwGridStyle = WS_CHILD | WS_VISIBLE | WS_BORDER);
    ~GridHost();
    GridHost(const GridHost&) = delete;
    GridHost& operator=(const GridHost&) = delete;

    HWND Window() const { return m_hWnd; }
    CGridCtrl& Grid() { return *m_pGrid; }
    // WM_NOTIFY codes received from the grid, in order.
    std::vector<Notification> notifications;

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd = nullptr;
    std::unique_ptr<CGridCtrl> m_pGrid;
};

// Sets the system's double-click time while the object lives (a grid's
// title tip reads it when the grid is made).
class DoubleClickTime {
public:
    explicit DoubleClickTime(UINT nMs) : m_nSaved(GetDoubleClickTime())
    {
        SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, nMs, nullptr, 0);
    }
    ~DoubleClickTime() { SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, m_nSaved, nullptr, 0); }
    DoubleClickTime(const DoubleClickTime&) = delete;
    DoubleClickTime& operator=(const DoubleClickTime&) = delete;

private:
    UINT m_nSaved;
};

// The file-list set-up: one fixed row, list mode, not editable, the
// program's colours and options, five columns with format 0x25, column 4
// hidden.
void SetUpLikeFileList(CGridCtrl& grid);

// The grid's client area drawn by OnDraw into a 32-bit bitmap, or with
// bFromWindow as the window shows it after painting it whole.
class RenderedGrid {
public:
    explicit RenderedGrid(CGridCtrl& grid, bool bFromWindow = false);
    COLORREF Pixel(int x, int y) const;
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    // Number of pixels of a colour inside a rectangle (right/bottom exclusive).
    int Count(const RECT& rc, COLORREF clr) const;

private:
    int m_cx = 0;
    int m_cy = 0;
    std::vector<DWORD> m_bits;
};

}  // namespace gridtest
