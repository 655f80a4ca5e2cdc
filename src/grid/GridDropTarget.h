// CGridDropTarget: the OLE drop target of a grid window. Each drag event is
// passed to the grid when the window under the mouse is that grid, and is
// otherwise answered with DROPEFFECT_NONE.
#pragma once

#include "framework/OleDropTarget.h"

class CGridCtrl;

class CGridDropTarget : public COleDropTarget {
public:
    CGridDropTarget() = default;

    // Registers the grid window once; later calls do nothing.
    BOOL Register(CGridCtrl* pGridCtrl);
    void Revoke();
    BOOL IsRegistered() const { return m_bRegistered; }

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                           POINT point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                          POINT point) override;
    void OnDragLeave(CWnd* pWnd) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                POINT point) override;

private:
    CGridCtrl* m_pGridCtrl = nullptr;
    BOOL m_bRegistered = FALSE;
};
