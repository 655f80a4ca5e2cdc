#include "framework/FrameWnd.h"

#include "framework/CmdUI.h"
#include "framework/ControlBar.h"
#include "framework/StatusBar.h"
#include "framework/WinApp.h"

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_QUERYENDSESSION, OnQueryEndSession)
    ON_MESSAGE(WM_ENDSESSION, OnEndSession)
    ON_WM_DESTROY()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_MESSAGE(WM_EXITMENULOOP, OnExitMenuLoop)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_COMMAND_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
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
        // A frame whose creation failed may be gone already: touch no member.
        if (hMenu != nullptr)
            DestroyMenu(hMenu);
        return FALSE;
    }
    // The caption and task switcher show the icon of the resource id, also
    // when the window class has none.
    if (GetClassLongPtrA(m_hWnd, GCLP_HICON) == 0) {
        HANDLE hBig = LoadImageA(hInst, MAKEINTRESOURCEA(nIDResource), IMAGE_ICON,
                                 GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED);
        HANDLE hSmall = LoadImageA(hInst, MAKEINTRESOURCEA(nIDResource), IMAGE_ICON,
                                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                   LR_SHARED);
        if (hBig != nullptr)
            SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hBig));
        if (hSmall != nullptr)
            SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hSmall));
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

// A menu item, an accelerator or a command posted from elsewhere (no control
// window) is first asked for its state by the same route that greys its menu
// item, and does nothing while disabled. The menu and the bars show the busy
// frame's state while the outermost command runs, and the normal state again
// after it; a close requested meanwhile goes ahead once it has returned.
BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    if (lParam == 0) {
        CCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (state.m_bEnableChanged && !state.m_bEnabled)
            return TRUE;
    }
    if (m_nCommandDepth++ == 0)
        UpdateCommandUI();
    const BOOL bHandled = CWnd::OnCommand(wParam, lParam);
    if (--m_nCommandDepth == 0) {
        if (m_bCloseRequested)
            PostMessage(WM_CLOSE);
        else
            UpdateCommandUI();
    }
    return bHandled;
}

int CFrameWnd::OnCreate(LPCREATESTRUCTA lpcs)
{
    return CWnd::OnCreate(lpcs);
}

void CFrameWnd::LayoutBars(RECT& rc, bool bMove)
{
    GetClientRect(&rc);
    const int cx = rc.right - rc.left;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CControlBar* pBar = dynamic_cast<CControlBar*>(FromHandlePermanent(hChild));
        // The frame itself may not be shown yet: the bar's own style counts.
        if (pBar == nullptr || !(GetWindowLongA(hChild, GWL_STYLE) & WS_VISIBLE))
            continue;
        const int cy = pBar->CalcFixedHeight();
        const DWORD dwAlign = pBar->GetBarStyle() & CBRS_ALIGN_ANY;
        if (dwAlign & CBRS_ALIGN_TOP) {
            if (bMove)
                ::MoveWindow(hChild, rc.left, rc.top, cx, cy, TRUE);
            rc.top += cy;
        } else if (dwAlign & CBRS_ALIGN_BOTTOM) {
            rc.bottom -= cy;
            if (bMove)
                ::MoveWindow(hChild, rc.left, rc.bottom, cx, cy, TRUE);
        }
    }
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
}

void CFrameWnd::GetViewRect(RECT* pRect)
{
    LayoutBars(*pRect, false);
}

void CFrameWnd::RecalcLayout()
{
    RECT rc;
    LayoutBars(rc, true);
    HWND hView = GetDlgItem(AFX_IDW_PANE_FIRST);
    if (hView != nullptr)
        ::MoveWindow(hView, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
}

BOOL CFrameWnd::DockControlBar(CControlBar* pBar)
{
    if (pBar == nullptr)
        return FALSE;
    const DWORD dwAllowed = pBar->GetDockStyle() & m_dwDockStyle;
    for (DWORD dwSide : {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM}) {
        if (dwAllowed & dwSide) {
            pBar->SetBarStyle((pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | dwSide);
            RecalcLayout();
            return TRUE;
        }
    }
    return FALSE;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    RecalcLayout();
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) const
{
    return dynamic_cast<CControlBar*>(FromHandlePermanent(GetDlgItem(static_cast<int>(nID))));
}

void CFrameWnd::SetMessageText(const char* pszText)
{
    CStatusBar* pBar = dynamic_cast<CStatusBar*>(GetControlBar(AFX_IDW_STATUS_BAR));
    if (pBar != nullptr)
        pBar->SetPaneText(0, pszText);
}

std::string CFrameWnd::GetMessageString(UINT nID)
{
    const std::string text = AfxLoadString(nID);
    return text.substr(0, text.find('\n'));
}

// View menu: show or hide the bar whose child id is the command id.
void CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar != nullptr)
        ShowControlBar(pBar, (GetWindowLongA(pBar->m_hWnd, GWL_STYLE) & WS_VISIBLE) == 0);
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    pCmdUI->Enable(pBar != nullptr);
    pCmdUI->SetCheck(pBar != nullptr && (GetWindowLongA(pBar->m_hWnd, GWL_STYLE) & WS_VISIBLE));
}

// An indicator shows its text while its toggle key is on.
void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int nVirtKey = VK_CAPITAL;
    if (pCmdUI->m_nID == ID_INDICATOR_NUM)
        nVirtKey = VK_NUMLOCK;
    else if (pCmdUI->m_nID == ID_INDICATOR_SCRL)
        nVirtKey = VK_SCROLL;
    pCmdUI->Enable((GetKeyState(nVirtKey) & 1) != 0);
}

// The prompt of the highlighted menu item; none for popups, separators and
// the system menu; the idle text once the menu closes.
void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hMenu)
{
    if (nFlags == 0xFFFF && hMenu == nullptr) {
        SetMessageText(AfxLoadString(AFX_IDS_IDLEMESSAGE).c_str());
        return;
    }
    if (nItemID == 0 || (nFlags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU)) != 0) {
        SetMessageText("");
        return;
    }
    SetMessageText(GetMessageString(nItemID).c_str());
}

LRESULT CFrameWnd::OnExitMenuLoop(WPARAM, LPARAM)
{
    SetMessageText(AfxLoadString(AFX_IDS_IDLEMESSAGE).c_str());
    return Default();
}

void CFrameWnd::OnSize(UINT nType, int /*cx*/, int /*cy*/)
{
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

// A close request (caption button, Alt+F4, File Exit, WM_CLOSE from
// elsewhere) that comes while a command runs, from the message pump of a long
// command or the modal loop of a dialog, only marks the frame: the window and
// everything the command works on stay alive until it has returned.
void CFrameWnd::OnClose()
{
    if (m_nCommandDepth > 0) {
        m_bCloseRequested = true;
        return;
    }
    DestroyWindow();
}

// The session may end at once unless a command runs; then the frame closes
// by itself as soon as that command has returned.
LRESULT CFrameWnd::OnQueryEndSession(WPARAM, LPARAM)
{
    if (m_nCommandDepth == 0)
        return TRUE;
    m_bCloseRequested = true;
    return FALSE;
}

// The process ends with the session, without leaving its message loop: the
// application's exit work (storing settings) runs here.
LRESULT CFrameWnd::OnEndSession(WPARAM wParam, LPARAM)
{
    CWinApp* pApp = AfxGetApp();
    if (wParam != FALSE && pApp != nullptr && pApp->m_pMainWnd == this)
        pApp->ExitInstance();
    return 0;
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
    if (!bSysMenu)
        UpdateMenuCmdUI(hMenu);
}

void CFrameWnd::UpdateMenuCmdUI(HMENU hMenu)
{
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

void CFrameWnd::UpdateCommandUI()
{
    HMENU hMenuBar = ::GetMenu(m_hWnd);
    const int nCount = hMenuBar != nullptr ? GetMenuItemCount(hMenuBar) : 0;
    for (int i = 0; i < nCount; ++i) {
        HMENU hPopup = GetSubMenu(hMenuBar, i);
        if (hPopup != nullptr)
            UpdateMenuCmdUI(hPopup);
    }
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, FALSE);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    return 0;
}
