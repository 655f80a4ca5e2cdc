// Owning wrappers for GDI resources beside WindowDC.h, DeviceContext.h and
// Font.h: bitmaps, brushes and pens, memory DCs and saved DC states. Each
// releases what it holds when it goes and cannot be copied; the object
// owners can be moved.
#pragma once

#include <windows.h>

#include <utility>

// Owns one GDI object (HBITMAP, HBRUSH, HPEN) and deletes it.
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

using CBitmapHandle = CGdiObjectT<HBITMAP>;
using CBrushHandle = CGdiObjectT<HBRUSH>;
using CPenHandle = CGdiObjectT<HPEN>;

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
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC;
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
