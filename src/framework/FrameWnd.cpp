#include "framework/FrameWnd.h"

#include "framework/CmdUI.h"
#include "framework/WinApp.h"

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_INITMENUPOPUP()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd)
{
    m_nIDResource = nIDResource;
    HINSTANCE hInst = AfxGetInstanceHandle();
    const std::string title = AfxLoadString(nIDResource);
    HMENU hMenu = LoadMenuA(hInst, MAKEINTRESOURCEA(nIDResource));
    m_hAccelTable = LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(nIDResource));
    if (!CreateEx(0, nullptr, title.c_str(), dwDefaultStyle & ~FWS_ADDTOTITLE, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  pParentWnd ? pParentWnd->m_hWnd : nullptr, hMenu)) {
        if (hMenu != nullptr)
            DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr) {
        HICON hIcon = LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDResource));
        cs.lpszClass = RegisterWndClass(CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW),
                                        reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
    }
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return cs.lpszClass != nullptr;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_hAccelTable != nullptr && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg) != 0;
    return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

int CFrameWnd::OnCreate(LPCREATESTRUCTA lpcs)
{
    return CWnd::OnCreate(lpcs);
}

void CFrameWnd::GetViewRect(RECT* pRect)
{
    GetClientRect(pRect);
}

void CFrameWnd::RecalcLayout()
{
    HWND hView = GetDlgItem(AFX_IDW_PANE_FIRST);
    if (hView == nullptr)
        return;
    RECT rc;
    GetViewRect(&rc);
    ::MoveWindow(hView, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

void CFrameWnd::SetMessageText(const char* /*pszText*/)
{
}

void CFrameWnd::OnSize(UINT nType, int /*cx*/, int /*cy*/)
{
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnClose()
{
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this)
        PostQuitMessage(0);
    Default();
}

void CFrameWnd::PostNcDestroy()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this)
        pApp->m_pMainWnd = nullptr;
    if (m_bAutoDelete)
        delete this;
}

// Every item of a popup menu is enabled exactly when its command has a
// handler on the route (or as its update handler says).
void CFrameWnd::OnInitMenuPopup(HMENU hMenu, UINT /*nIndex*/, BOOL bSysMenu)
{
    if (bSysMenu)
        return;
    const int nCount = GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        const UINT nID = GetMenuItemID(hMenu, i);
        if (nID == 0 || nID == static_cast<UINT>(-1))  // separator or submenu
            continue;
        CCmdUI state;
        state.m_nID = nID;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_hMenu = hMenu;
        state.DoUpdate(this, TRUE);
    }
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    return 0;
}
