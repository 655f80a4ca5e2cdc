// A toolbar of the system's toolbar control, docked in a frame: its buttons
// come from a TOOLBAR resource (command ids, separators as 0) and the bitmap
// of the same id; tooltips are the text behind "\n" in the command's string,
// the status bar prompt is the text before it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "framework/ControlBar.h"
#include "framework/FrameWnd.h"
#include "framework/ImageList.h"

// The resource type that holds a toolbar's layout.
constexpr WORD RT_TOOLBAR_RESOURCE = 241;

class CToolBar : public CControlBar {
public:
    CToolBar() = default;
    ~CToolBar() override;

    using CWnd::CreateEx;
    // dwCtrlStyle: TBSTYLE_... of the control; dwStyle: window and bar styles
    // (CBRS_...); rcBorders: extra insets (left, top, right, bottom).
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                  const RECT& rcBorders = RECT{0, 0, 0, 0}, UINT nID = AFX_IDW_TOOLBAR);

    // Buttons and bitmap of resource nIDResource; FALSE if either is missing
    // or malformed.
    BOOL LoadToolBar(UINT nIDResource);
    // Buttons in order; ID_SEPARATOR (0) makes a separator. Images are taken
    // in order by the non-separator buttons.
    BOOL SetButtons(const UINT* pIDArray, int nIDCount);

    int GetCount() const;
    UINT GetItemID(int nIndex) const;

    // The command ids of a TOOLBAR resource's data, both layouts: WORD
    // version 1, width, height, count, WORD ids (rc, wrc); or DWORD width,
    // height, count, DWORD ids (windres). False for anything else.
    static bool ParseToolBarResource(const void* pData, DWORD cbData, SIZE* pImageSize,
                                     std::vector<UINT>* pIDs);

    int CalcFixedHeight() override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    void PostNcDestroy() override;

    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBackground(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void SetFlyByID(UINT nID);

    CImageList m_images;  // the buttons' images, used by the control
    SIZE m_sizeImage = {16, 15};
    SIZE m_sizeButton = {23, 22};
    RECT m_rcBorders = {0, 0, 0, 0};
    UINT m_nFlyByID = 0;  // the button whose prompt the status bar shows
};
