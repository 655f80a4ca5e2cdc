// Owning wrappers of device contexts and of a GDI object selected into one.
// Each releases what it took when it goes; none can be copied.
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
    const PAINTSTRUCT& PaintStruct() const { return m_ps; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps;
    HDC m_hDC;
};

// GetDC / GetWindowDC in the constructor, ReleaseDC in the destructor.
class CClientDC {
public:
    explicit CClientDC(HWND hWnd);
    ~CClientDC();
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

protected:
    CClientDC(HWND hWnd, HDC hDC) : m_hWnd(hWnd), m_hDC(hDC) {}

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// The DC of the whole window, non-client area included.
class CWindowDC : public CClientDC {
public:
    explicit CWindowDC(HWND hWnd);
};

// Selects a GDI object into a DC and restores the previous one when it goes.
class CSelectObject {
public:
    CSelectObject(HDC hDC, HGDIOBJ hObject);
    ~CSelectObject();
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};
