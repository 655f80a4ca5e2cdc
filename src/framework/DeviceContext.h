// Owning wrappers of the device contexts that WindowDC.h does not cover:
// the paint DC of WM_PAINT and the DC of a whole window (non-client area
// included). Each gives back what it took when it goes; none can be copied.
#pragma once

#include <windows.h>

// BeginPaint in the constructor, EndPaint in the destructor (WM_PAINT only).
class CPaintDC {
public:
    explicit CPaintDC(HWND hWnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps;
    HDC m_hDC;
};

// GetWindowDC in the constructor, ReleaseDC in the destructor: for drawing
// a window's frame (WM_NCPAINT).
class CNonClientDC {
public:
    explicit CNonClientDC(HWND hWnd);
    ~CNonClientDC();
    CNonClientDC(const CNonClientDC&) = delete;
    CNonClientDC& operator=(const CNonClientDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};
