#include "framework/CmdUI.h"

#include <commctrl.h>

#include "framework/CmdTarget.h"

void CCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = true;
    m_bEnabled = bOn != FALSE;
    if (m_hMenu != nullptr) {
        EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : MF_GRAYED));
    } else if (m_hToolBar != nullptr) {
        SendMessageA(m_hToolBar, TB_ENABLEBUTTON, m_nID, MAKELPARAM(bOn ? TRUE : FALSE, 0));
    }
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_hMenu != nullptr) {
        CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_hToolBar != nullptr) {
        SendMessageA(m_hToolBar, TB_CHECKBUTTON, m_nID, MAKELPARAM(nCheck ? TRUE : FALSE, 0));
    }
}

void CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    if (pTarget == nullptr)
        return;
    m_bEnableChanged = false;
    pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (m_bEnableChanged || !bDisableIfNoHandler)
        return;
    AFX_CMDHANDLERINFO info = {nullptr};
    Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
}
