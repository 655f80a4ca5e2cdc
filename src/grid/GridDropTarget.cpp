#include "grid/GridDropTarget.h"

#include "grid/GridCtrl.h"

BOOL CGridDropTarget::Register(CGridCtrl* pGridCtrl)
{
    // Once at a time in the process: registering may send messages.
    static bool s_bRegistering = false;
    if (m_bRegistered)
        return TRUE;
    if (s_bRegistering || pGridCtrl == nullptr || pGridCtrl->m_hWnd == nullptr)
        return FALSE;
    char szClass[64] = {};
    ::GetClassNameA(pGridCtrl->m_hWnd, szClass, sizeof(szClass) - 1);
    if (lstrcmpA(szClass, GRIDCTRL_CLASSNAME) != 0)
        return FALSE;
    s_bRegistering = true;
    m_pGridCtrl = pGridCtrl;
    m_bRegistered = COleDropTarget::Register(pGridCtrl);
    s_bRegistering = false;
    return m_bRegistered;
}

void CGridDropTarget::Revoke()
{
    COleDropTarget::Revoke();
    m_bRegistered = FALSE;
    m_pGridCtrl = nullptr;
}

DROPEFFECT CGridDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                        POINT point)
{
    if (m_pGridCtrl == nullptr || pWnd != m_pGridCtrl)
        return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CGridDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                       POINT point)
{
    if (m_pGridCtrl == nullptr || pWnd != m_pGridCtrl)
        return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDragOver(pDataObject, dwKeyState, point);
}

void CGridDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (m_pGridCtrl != nullptr && pWnd == m_pGridCtrl)
        m_pGridCtrl->OnDragLeave();
}

BOOL CGridDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                             POINT point)
{
    if (m_pGridCtrl == nullptr || pWnd != m_pGridCtrl)
        return FALSE;
    return m_pGridCtrl->OnDrop(pDataObject, dropEffect, point);
}
