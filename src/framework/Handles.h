// Owners of Win32 handles, all in one naming scheme:
// - C<Kind>Handle owns a handle it is given (CFontHandle, CRegKeyHandle,
//   CKernelHandle, ...): it closes the handle exactly once, when it goes or
//   when Reset gives it another one. It can be moved, never copied. The
//   borrowed form is the plain handle that Get() lends; Release() gives the
//   handle up without closing it.
// - The scope guards (CWindowDC, CNonClientDC, CPaintDC, CSelectObject,
//   CSaveDC) take something in their constructor and give it back in their
//   destructor; they can be neither copied nor moved. Get() lends the DC.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

// How one kind of handle is closed and which value means "none": null for
// all but the kernel handles.
template <typename THandle>
struct CNullHandleTraits {
    using Handle = THandle;
    static Handle None() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
};
template <typename TGdiHandle>
struct CGdiObjectTraits : CNullHandleTraits<TGdiHandle> {
    static void Close(TGdiHandle h) { ::DeleteObject(h); }
};
struct CRegKeyTraits : CNullHandleTraits<HKEY> {
    static void Close(HKEY h) { ::RegCloseKey(h); }
};
// CreateFile fails with INVALID_HANDLE_VALUE, other functions with null:
// neither is closed.
struct CKernelHandleTraits : CNullHandleTraits<HANDLE> {
    static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct CGlobalTraits : CNullHandleTraits<HGLOBAL> {
    static void Close(HGLOBAL h) { ::GlobalFree(h); }
};
struct CImageListTraits : CNullHandleTraits<HIMAGELIST> {
    static void Close(HIMAGELIST h) { ::ImageList_Destroy(h); }
};
struct CCreatedDCTraits : CNullHandleTraits<HDC> {
    static void Close(HDC h) { ::DeleteDC(h); }
};

template <typename TTraits>
class CHandleT {
public:
    using Handle = typename TTraits::Handle;

    CHandleT() = default;
    explicit CHandleT(Handle h) : m_h(h) {}
    ~CHandleT() { Reset(); }
    CHandleT(const CHandleT&) = delete;
    CHandleT& operator=(const CHandleT&) = delete;
    CHandleT(CHandleT&& other) noexcept : m_h(other.Release()) {}
    CHandleT& operator=(CHandleT&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    Handle Get() const { return m_h; }
    operator Handle() const { return m_h; }
    bool IsValid() const { return TTraits::IsValid(m_h); }

    // Closes the held handle (unless it is h) and holds h instead.
    void Reset(Handle h = TTraits::None())
    {
        if (m_h != h && TTraits::IsValid(m_h))
            TTraits::Close(m_h);
        m_h = h;
    }
    // Gives the handle up without closing it.
    Handle Release() { return std::exchange(m_h, TTraits::None()); }
    // For a function that hands out a new handle through a pointer: closes
    // the held handle and returns where the new one goes.
    Handle* Put()
    {
        Reset();
        return &m_h;
    }

private:
    Handle m_h = TTraits::None();
};

// GDI objects (DeleteObject).
template <typename TGdiHandle>
using CGdiObjectT = CHandleT<CGdiObjectTraits<TGdiHandle>>;
using CFontHandle = CGdiObjectT<HFONT>;
using CBitmapHandle = CGdiObjectT<HBITMAP>;
using CBrushHandle = CGdiObjectT<HBRUSH>;
using CPenHandle = CGdiObjectT<HPEN>;

using CRegKeyHandle = CHandleT<CRegKeyTraits>;
// Processes, threads, files and other kernel objects (CloseHandle).
using CKernelHandle = CHandleT<CKernelHandleTraits>;
// Global memory (GlobalFree). For a fixed block (GMEM_FIXED, GPTR) the
// handle is the memory's address.
using CGlobalHandle = CHandleT<CGlobalTraits>;
using CImageListHandle = CHandleT<CImageListTraits>;

// What CreateProcess hands out, in the fields of PROCESS_INFORMATION, with
// the process and thread handles owned.
struct CProcessInformation {
    CKernelHandle hProcess;
    CKernelHandle hThread;
    DWORD dwProcessId = 0;
    DWORD dwThreadId = 0;

    // Closes the handles held and takes over those of pi.
    void Reset(const PROCESS_INFORMATION& pi = PROCESS_INFORMATION{})
    {
        hProcess.Reset(pi.hProcess);
        hThread.Reset(pi.hThread);
        dwProcessId = pi.dwProcessId;
        dwThreadId = pi.dwThreadId;
    }
};

// A memory DC compatible with another DC (CreateCompatibleDC, DeleteDC).
class CMemoryDC : public CHandleT<CCreatedDCTraits> {
public:
    explicit CMemoryDC(HDC hCompatible) : CHandleT(::CreateCompatibleDC(hCompatible)) {}
};

// A DC of a window's client area (GetDC, ReleaseDC); the screen's for a null
// window.
class CWindowDC {
public:
    explicit CWindowDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetDC(hWnd)) {}
    ~CWindowDC()
    {
        if (m_hDC != nullptr)
            ::ReleaseDC(m_hWnd, m_hDC);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

    HDC Get() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// The DC of a whole window, frame included (GetWindowDC, ReleaseDC): for
// drawing in WM_NCPAINT.
class CNonClientDC {
public:
    explicit CNonClientDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetWindowDC(hWnd)) {}
    ~CNonClientDC()
    {
        if (m_hDC != nullptr)
            ::ReleaseDC(m_hWnd, m_hDC);
    }
    CNonClientDC(const CNonClientDC&) = delete;
    CNonClientDC& operator=(const CNonClientDC&) = delete;

    HDC Get() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// The paint DC of WM_PAINT (BeginPaint, EndPaint). EndPaint is due even when
// BeginPaint gave no DC.
class CPaintDC {
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd), m_ps(), m_hDC(::BeginPaint(hWnd, &m_ps)) {}
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC Get() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    // The area to paint.
    const RECT& PaintRect() const { return m_ps.rcPaint; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps;
    HDC m_hDC;
};

// A GDI object selected into a DC for a scope; the DC's previous object goes
// back afterwards. Nothing is selected for a null DC or object.
class CSelectObject {
public:
    CSelectObject(HDC hDC, HGDIOBJ hObject)
        : m_hDC(hDC), m_hOld(hDC != nullptr && hObject != nullptr ? ::SelectObject(hDC, hObject) : nullptr)
    {
    }
    ~CSelectObject()
    {
        if (m_hOld != nullptr)
            ::SelectObject(m_hDC, m_hOld);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// The whole state of a DC saved for a scope (SaveDC, RestoreDC).
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
