// An OLE drop target bound to one window: Register makes the window accept
// drops (RegisterDragDrop) and turns IDropTarget calls into the virtual
// OnDragEnter/OnDragOver/OnDragLeave/OnDrop with the window, the data and a
// client point. Revoked on Revoke, or when the object dies.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "framework/OleDataObject.h"
#include "framework/OleDataSource.h"

class CWnd;

class COleDropTarget {
public:
    COleDropTarget();
    virtual ~COleDropTarget();
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    BOOL Register(CWnd* pWnd);
    void Revoke();
    HWND GetRegisteredWindow() const { return m_hWnd; }

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                   POINT point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                  POINT point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                        POINT point);

private:
    class Sink;
    friend class Sink;
    Sink* m_pSink = nullptr;
    HWND m_hWnd = nullptr;
};
