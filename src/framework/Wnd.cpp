#include "framework/Wnd.h"

#include <cstdio>

#include "framework/WinApp.h"

namespace {

const char kObjectProp[] = "Quillon.CWnd";

// The object whose window CreateEx is creating on this thread; bound on the
// first message the new window receives.
thread_local CWnd* t_pWndInit = nullptr;

}  // namespace

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && IsWindow(m_hWnd)) {
        if (m_bSubclassed) {
            UnsubclassWindow();
        } else {
            // Destroying the window of a destructed object: detach first so
            // that no message reaches it while the window goes.
            HWND hWnd = m_hWnd;
            Detach();
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(::DefWindowProcA));
            ::DestroyWindow(hWnd);
        }
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    return static_cast<CWnd*>(GetPropA(hWnd, kObjectProp));
}

void CWnd::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    SetPropA(hWnd, kObjectProp, this);
}

void CWnd::Detach()
{
    if (m_hWnd != nullptr)
        RemovePropA(m_hWnd, kObjectProp);
    m_hWnd = nullptr;
}

const char* CWnd::RegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground,
                                   HICON hIcon)
{
    // Class names live as long as the process; a small table keeps them.
    static char s_names[32][64];
    static int s_count = 0;
    char szName[64];
    snprintf(szName, sizeof(szName), "Qw:%x:%p:%p:%p", nClassStyle, static_cast<void*>(hCursor),
             static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    for (int i = 0; i < s_count; ++i) {
        if (lstrcmpA(s_names[i], szName) == 0)
            return s_names[i];
    }
    WNDCLASSA wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = StdWndProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = szName;
    WNDCLASSA existing;
    if (!GetClassInfoA(wc.hInstance, szName, &existing) && !RegisterClassA(&wc))
        return nullptr;
    if (s_count == 32)
        return nullptr;
    lstrcpynA(s_names[s_count], szName, sizeof(s_names[0]));
    return s_names[s_count++];
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = RegisterWndClass(CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW));
        if (cs.lpszClass == nullptr)
            return FALSE;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const char* pszClassName, const char* pszWindowName,
                    DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                    HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCTA cs = {};
    cs.dwExStyle = static_cast<LONG>(dwExStyle);
    cs.lpszClass = pszClassName;
    cs.lpszName = pszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    CWnd* pOldInit = t_pWndInit;
    t_pWndInit = this;
    HWND hWnd = CreateWindowExA(static_cast<DWORD>(cs.dwExStyle), cs.lpszClass, cs.lpszName,
                                static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                                cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    t_pWndInit = pOldInit;
    if (hWnd == nullptr)
        return FALSE;
    // A system class never saw our procedure: bind it now.
    if (m_hWnd == nullptr)
        SubclassWindow(hWnd);
    return TRUE;
}

BOOL CWnd::Create(const char* pszClassName, const char* pszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(0, pszClassName, pszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (hWnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWnd) != nullptr)
        return FALSE;
    Attach(hWnd);
    m_bSubclassed = true;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassWndProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    return pParent != nullptr && SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr || !m_bSubclassed)
        return nullptr;
    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    Detach();
    m_pfnSuper = nullptr;
    m_bSubclassed = false;
    return hWnd;
}

void CWnd::ScreenToClient(RECT* pRect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&pRect->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&pRect->right));
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM /*lParam*/)
{
    const UINT nID = LOWORD(wParam);
    int nCode = HIWORD(wParam);
    if (nCode == 1)  // an accelerator is a command like a menu item
        nCode = CN_COMMAND;
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM /*wParam*/, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pNmhdr = reinterpret_cast<const NMHDR*>(lParam);
    if (pNmhdr == nullptr)
        return FALSE;
    const MsgMapEntry* pEntry =
        FindEntry(WM_NOTIFY, pNmhdr->code, static_cast<UINT>(pNmhdr->idFrom));
    if (pEntry == nullptr)
        return FALSE;
    *pResult = pEntry->pfn(this, 0, lParam);
    return TRUE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DispatchMessageToMap(message, wParam, lParam);
}

LRESULT CWnd::DispatchMessageToMap(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CurrentMsg saved = m_current;
    m_current = {message, wParam, lParam};
    LRESULT lResult = 0;
    if (message == WM_COMMAND && OnCommand(wParam, lParam)) {
        lResult = 0;
    } else if (message == WM_NOTIFY && OnNotify(wParam, lParam, &lResult)) {
        // lResult set by the handler
    } else if (message != WM_COMMAND && message != WM_NOTIFY) {
        const MsgMapEntry* pEntry = FindEntry(message, 0, 0);
        lResult = pEntry ? pEntry->pfn(this, wParam, lParam) : DefWindowProc(message, wParam, lParam);
    } else {
        lResult = DefWindowProc(message, wParam, lParam);
    }
    m_current = saved;
    return lResult;
}

LRESULT CWnd::RouteToObject(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = pWnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The system is done with the window: unbind, restore, then let the
        // owner of the object clean up.
        if (pWnd->m_bSubclassed) {
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pWnd->m_pfnSuper));
            pWnd->m_pfnSuper = nullptr;
            pWnd->m_bSubclassed = false;
        }
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return lResult;
}

LRESULT CALLBACK CWnd::StdWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd == nullptr && t_pWndInit != nullptr && t_pWndInit->m_hWnd == nullptr) {
        pWnd = t_pWndInit;
        t_pWndInit = nullptr;
        pWnd->Attach(hWnd);
    }
    if (pWnd == nullptr)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return RouteToObject(pWnd, hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return RouteToObject(pWnd, hWnd, message, wParam, lParam);
}

namespace {

void SendToChildren(HWND hParent, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep)
{
    for (HWND hChild = ::GetWindow(hParent, GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        ::SendMessageA(hChild, message, wParam, lParam);
        if (bDeep)
            SendToChildren(hChild, message, wParam, lParam, TRUE);
    }
}

}  // namespace

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep)
{
    SendToChildren(m_hWnd, message, wParam, lParam, bDeep);
}
