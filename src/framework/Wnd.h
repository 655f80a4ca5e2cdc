// A C++ object bound to one HWND, with a per-class message map.
//
// Windows of classes registered here are bound on their first message while
// CreateEx is in progress (WM_GETMINMAXINFO arrives even before WM_NCCREATE)
// and unbound at WM_NCDESTROY, so no message reaches a dead object. Windows
// of system classes (edit, toolbar, ...) are bound by SubclassWindow.
#pragma once

#include <windows.h>

#include "framework/CmdTarget.h"

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
        operator HWND() const { return m_hWnd; }

    // The bound object of a window, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Registers (once) a window class with the framework's window procedure
    // and returns its name, generated from the arguments.
    static const char* RegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                                        HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);

    virtual BOOL CreateEx(DWORD dwExStyle, const char* pszClassName, const char* pszWindowName,
                          DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                          HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    virtual BOOL Create(const char* pszClassName, const char* pszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();

    // Binds this object to an existing window and routes its messages through
    // this object's map first; the window's own procedure is the default.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled now.
    LRESULT Default();
    // Called after WM_NCDESTROY, when the object is no longer bound.
    virtual void PostNcDestroy() {}

    // WM_COMMAND and WM_NOTIFY dispatch; return TRUE when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Sends a message to every descendant window, bound or not.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE);

    // Thin conveniences.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL ShowWindow(int nCmdShow) const { return ::ShowWindow(m_hWnd, nCmdShow); }
    void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE) const
    {
        return ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
    }
    void GetClientRect(RECT* pRect) const { ::GetClientRect(m_hWnd, pRect); }
    void GetWindowRect(RECT* pRect) const { ::GetWindowRect(m_hWnd, pRect); }
    void ScreenToClient(RECT* pRect) const;
    void Invalidate(BOOL bErase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    HWND SetFocus() const { return ::SetFocus(m_hWnd); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

    // Handlers whose default is the system's processing.
    int OnCreate(LPCREATESTRUCTA) { return static_cast<int>(Default()); }
    void OnDestroy() { Default(); }
    void OnClose() { Default(); }
    void OnSize(UINT, int, int) { Default(); }
    void OnPaint() { Default(); }
    BOOL OnEraseBkgnd(HDC) { return static_cast<BOOL>(Default()); }
    void OnSetFocus(HWND) { Default(); }
    void OnKillFocus(HWND) { Default(); }
    void OnTimer(UINT_PTR) { Default(); }

    // The framework's procedure for every class it registers.
    static LRESULT CALLBACK StdWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Dispatches one message through the map, with the current-message record
    // that Default() uses.
    LRESULT DispatchMessageToMap(UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND hWnd);
    void Detach();

    WNDPROC m_pfnSuper = nullptr;  // original procedure of a subclassed window

private:
    struct CurrentMsg {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    CurrentMsg m_current = {0, 0, 0};
    bool m_bSubclassed = false;

    static LRESULT CALLBACK SubclassWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT RouteToObject(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
