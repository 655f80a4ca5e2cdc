#include "framework/ControlBar.h"

#include "framework/FrameWnd.h"

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CFrameWnd* CControlBar::GetParentFrame() const
{
    return dynamic_cast<CFrameWnd*>(FromHandlePermanent(::GetParent(m_hWnd)));
}

DWORD CControlBar::TakeBarStyle(DWORD dwStyle)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    return dwStyle & ~CBRS_ALL;
}

// Sent by the application at idle time to the frame's descendants; a hidden
// bar is brought up to date when it is shown and the next idle time comes.
LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!IsWindowVisible())
        return 0;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr)
        OnUpdateCmdUI(pFrame, static_cast<BOOL>(wParam));
    return 0;
}
