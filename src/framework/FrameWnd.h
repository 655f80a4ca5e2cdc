// A top-level frame window created from one resource id: the title string,
// the menu and the accelerator table of that id. It routes commands from its
// own map to the application, keeps its menu items enabled or disabled by the
// same route, and lays out its control bars and its client view.
#pragma once

#include <string>

#include "framework/StandardIds.h"
#include "framework/Wnd.h"

class CControlBar;
class CCmdUI;

// Child window ids of the frame's parts.
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;  // 59648, the client view
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;     // 59392
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;  // 59393
constexpr UINT AFX_IDW_CONTROLBAR_FIRST = 0xE800;
constexpr UINT AFX_IDW_CONTROLBAR_LAST = 0xE8FF;
static_assert(ID_VIEW_TOOLBAR == AFX_IDW_TOOLBAR && ID_VIEW_STATUS_BAR == AFX_IDW_STATUS_BAR,
              "a View command shows or hides the bar with the same id");

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

    // Places the visible control bars along the edges and the view in the rest.
    virtual void RecalcLayout();
    // The client area left for the view after the bars (client coordinates).
    virtual void GetViewRect(RECT* pRect);

    // The sides (CBRS_ALIGN_...) along which this frame docks bars.
    void EnableDocking(DWORD dwDockStyle);
    // Docks a bar along the first side, top first, that both the bar and the
    // frame allow (top and bottom are the sides laid out); FALSE if none.
    BOOL DockControlBar(CControlBar* pBar);
    void ShowControlBar(CControlBar* pBar, BOOL bShow);
    // The bar with the given child id, if it is one of this frame's bars.
    CControlBar* GetControlBar(UINT nID) const;

    // Shows a text in the status bar's message pane, if there is one.
    virtual void SetMessageText(const char* pszText);
    // The status bar prompt of a command: its string up to "\n".
    static std::string GetMessageString(UINT nID);

    HACCEL m_hAccelTable = nullptr;
    DWORD m_dwDockStyle = 0;
    UINT m_nIDResource = 0;
    // Destroyed frames delete themselves (the framework owns them).
    bool m_bAutoDelete = true;

protected:
    int OnCreate(LPCREATESTRUCTA lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnClose();
    void OnDestroy();
    void OnInitMenuPopup(HMENU hMenu, UINT nIndex, BOOL bSysMenu);
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hMenu);
    LRESULT OnExitMenuLoop(WPARAM wParam, LPARAM lParam);
    void OnBarCheck(UINT nID);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    void PostNcDestroy() override;

private:
    // Moves the visible bars (when bMove) and leaves the rest of the client
    // area in rc.
    void LayoutBars(RECT& rc, bool bMove);

    DECLARE_MESSAGE_MAP()
};
