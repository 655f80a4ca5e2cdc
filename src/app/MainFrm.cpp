#include "app/MainFrm.h"

#include "app/QuillonApp.h"
#include "app/resource.h"
#include "framework/FileDialog.h"
#include "log/DebugLog.h"

namespace {

const char kModule[] = "MainFrm";

// The status bar's panes: the message pane, then the keyboard indicators.
const UINT kIndicators[] = {
    ID_SEPARATOR,
    ID_INDICATOR_CAPS,
    ID_INDICATOR_NUM,
    ID_INDICATOR_SCRL,
};

}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
    ON_COMMAND(ID_FILE_LOAD_ALL, OnLoadAll)
    ON_WM_SIZE()
    ON_COMMAND(ID_VIEW_SELECT_ALL, OnSelectAll)
    ON_COMMAND(ID_FILE_UPDATE_SELECTED, OnUpdateSelectedFiles)
    ON_COMMAND(ID_ACTIONS_CHANGE_ALBUM, OnChangeAlbum)
    ON_COMMAND(ID_FILE_LOAD_NON_AVC, OnLoadNonAvc)
    ON_COMMAND(ID_ACTIONS_FIND_AUDACITY, OnFindAudacity)
    ON_UPDATE_COMMAND_UI(ID_FILE_LOAD_ALL, OnUpdateWorkCommand)
    ON_UPDATE_COMMAND_UI(ID_FILE_LOAD_NON_AVC, OnUpdateWorkCommand)
    ON_UPDATE_COMMAND_UI(ID_FILE_UPDATE_SELECTED, OnUpdateWorkCommand)
    ON_UPDATE_COMMAND_UI(ID_ACTIONS_CHANGE_ALBUM, OnUpdateWorkCommand)
    ON_UPDATE_COMMAND_UI(ID_VIEW_SELECT_ALL, OnUpdateWorkCommand)
    ON_UPDATE_COMMAND_UI(ID_ACTIONS_FIND_AUDACITY, OnUpdateWorkCommand)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
{
    const CQuillonApp* pApp = QuillonApp();
    if (pApp != nullptr) {
        m_strAudacityPath = pApp->m_szAudacityFilename;
        m_strDirectory = pApp->m_szDefaultDirectory;
    }
}

CMainFrame::~CMainFrame() = default;

// A plain class without a client edge: the view draws its own.
BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~static_cast<LONG>(WS_EX_CLIENTEDGE);
    cs.lpszClass = RegisterWndClass(0);
    return cs.lpszClass != nullptr;
}

// Builds the view, the toolbar, the status bar and the file list. A part that cannot be
// made is logged and ends the window's creation.
int CMainFrame::OnCreate(LPCREATESTRUCTA lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;

    if (!m_wndView.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, RECT{0, 0, 0, 0},
                          this, AFX_IDW_PANE_FIRST, nullptr)) {
        LOG_AT(kModule, 126, kLogResult, 0, "Failed to create view window");
        return -1;
    }

    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                   CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                               RECT{0, 0, 0, 0}, AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME)) {
        LOG_AT(kModule, 134, kLogResult, 0, "Failed to create toolbar");
        return -1;
    }

    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, sizeof(kIndicators) / sizeof(kIndicators[0]))) {
        LOG_AT(kModule, 142, kLogResult, 0, "Failed to create status bar");
        return -1;
    }

    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);

    InitGrid();
    return 0;
}

// The base lays out the bars and the view; the grid then covers the view's
// whole window rectangle, and column 0 takes up the width that is left over.
void CMainFrame::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    if (m_wndView.m_hWnd == nullptr || m_Grid.m_hWnd == nullptr)
        return;
    RECT rc;
    m_wndView.GetWindowRect(&rc);
    m_wndView.ScreenToClient(&rc);
    m_Grid.MoveWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    m_Grid.ExpandFirstColumnToFit();
}

// The view keeps the focus for the frame; the grid takes it on a click.
void CMainFrame::OnSetFocus(HWND /*hOldWnd*/)
{
    m_wndView.SetFocus();
}

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_wndView.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CMainFrame::OnUpdateWorkCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsInCommand());
}

// Lets the user pick the Audacity program; the choice is used by the next
// update and stored at exit. Cancel changes nothing.
void CMainFrame::OnFindAudacity()
{
    CFileDialog dlg(TRUE, "*.exe", m_strAudacityPath.c_str(), OFN_READONLY | OFN_FILEMUSTEXIST,
                    nullptr, this);
    if (dlg.DoModal() != IDOK)
        return;
    m_strAudacityPath = dlg.GetPathName();
    CQuillonApp* pApp = QuillonApp();
    if (pApp != nullptr)
        CQuillonApp::SetSetting(pApp->m_szAudacityFilename, m_strAudacityPath.c_str());
}
