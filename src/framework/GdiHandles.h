// Owning wrappers for GDI resources: objects (fonts, bitmaps, brushes, pens),
// device contexts and selections. Each releases what it holds when it goes
// and cannot be copied; the object owners can be moved.
#pragma once

#include <windows.h>

#include <utility>

// Owns one GDI object (HFONT, HBITMAP, HBRUSH, HPEN) and deletes it.
template <typename THandle>
class CGdiObjectT {
public:
    CGdiObjectT() = default;
    explicit CGdiObjectT(THandle h) : m_h(h) {}
    ~CGdiObjectT() { Reset(); }
    CGdiObjectT(const CGdiObjectT&) = delete;
    CGdiObjectT& operator=(const CGdiObjectT&) = delete;
    CGdiObjectT(CGdiObjectT&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    CGdiObjectT& operator=(CGdiObjectT&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_h, nullptr));
        return *this;
    }

    THandle Get() const { return m_h; }
    operator THandle() const { return m_h; }
    // Deletes the held object and takes h instead.
    void Reset(THandle h = nullptr)
    {
        if (m_h != nullptr && m_h != h)
            ::DeleteObject(m_h);
        m_h = h;
    }
    // Gives up ownership.
    THandle Release() { return std::exchange(m_h, nullptr); }

private:
    THandle m_h = nullptr;
};

using CFontHandle = CGdiObjectT<HFONT>;
using CBitmapHandle = CGdiObjectT<HBITMAP>;
using CBrushHandle = CGdiObjectT<HBRUSH>;
using CPenHandle = CGdiObjectT<HPEN>;

// A DC of a window's client area (GetDC/ReleaseDC). A null window gives the
// screen DC.
class CClientDC {
public:
    explicit CClientDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetDC(hWnd)) {}
    ~CClientDC()
    {
        if (m_hDC != nullptr)
            ::ReleaseDC(m_hWnd, m_hDC);
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    HDC Get() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// BeginPaint/EndPaint for WM_PAINT.
class CPaintDC {
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd) { m_hDC = ::BeginPaint(hWnd, &m_ps); }
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    HDC Get() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    const RECT& PaintRect() const { return m_ps.rcPaint; }

private:
    HWND m_hWnd;
    HDC m_hDC = nullptr;
    PAINTSTRUCT m_ps = {};
};

// A memory DC compatible with another DC (CreateCompatibleDC/DeleteDC).
class CMemoryDC {
public:
    explicit CMemoryDC(HDC hCompatible) : m_hDC(::CreateCompatibleDC(hCompatible)) {}
    ~CMemoryDC()
    {
        if (m_hDC != nullptr)
            ::DeleteDC(m_hDC);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    HDC Get() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC;
};

// Selects an object into a DC and selects the previous one back.
class CSelectObject {
public:
    CSelectObject(HDC hDC, HGDIOBJ hObject)
        : m_hDC(hDC), m_hOld(hObject != nullptr ? ::SelectObject(hDC, hObject) : nullptr)
    {
    }
    ~CSelectObject()
    {
        if (m_hOld != nullptr && m_hOld != HGDI_ERROR)
            ::SelectObject(m_hDC, m_hOld);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// SaveDC/RestoreDC around a drawing step.
class CSaveDC {
public:
    explicit CSaveDC(HDC hDC) : m_hDC(hDC), m_nSaved(::SaveDC(hDC)) {}
    ~CSaveDC()
    {
        if (m_nSaved != 0)
            ::RestoreDC(m_hDC, m_nSaved);
    }
    CSaveDC(const CSaveDC&) = delete;
    CSaveDC& operator=(const CSaveDC&) = delete;

private:
    HDC m_hDC;
    int m_nSaved;
};
