// A top-level frame window created from one resource id: the title string,
// the menu and the accelerator table of that id. It routes commands from its
// own map to the application, keeps its menu items enabled or disabled by the
// same route, and lays out its control bars and its client view.
#pragma once

#include "framework/Wnd.h"

// Child window ids of the frame's parts.
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;  // 59648, the client view
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;     // 59392
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;  // 59393
constexpr UINT AFX_IDW_CONTROLBAR_FIRST = 0xE800;
constexpr UINT AFX_IDW_CONTROLBAR_LAST = 0xE8FF;

// Frame style: add the document title to the caption (no document here).
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;

class CFrameWnd : public CWnd {
public:
    CFrameWnd() = default;

    // Loads title, menu and accelerators of nIDResource and creates the frame
    // at the system's default place.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Own map, then the application.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Places the control bars along the edges and the view in the rest.
    virtual void RecalcLayout();
    // The client area left for the view after the bars (client coordinates).
    virtual void GetViewRect(RECT* pRect);

    // Shows a text in the status bar's message pane, if there is one.
    virtual void SetMessageText(const char* pszText);

    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDResource = 0;
    // Destroyed frames delete themselves (the framework owns them).
    bool m_bAutoDelete = true;

protected:
    int OnCreate(LPCREATESTRUCTA lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnClose();
    void OnDestroy();
    void OnInitMenuPopup(HMENU hMenu, UINT nIndex, BOOL bSysMenu);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()
};
