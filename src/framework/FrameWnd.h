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
    // Runs a command unless its update handler disables it now (a menu
    // item, accelerator or posted command; a control's notification always
    // goes through). While it runs the frame counts as busy.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // Whether one of the frame's commands is running: a long one (pumping
    // messages itself) or one inside a modal loop. Close requests wait, and
    // update handlers may disable commands that must not run inside another.
    bool IsInCommand() const { return m_nCommandDepth > 0; }
    // Whether the frame was asked to close while a command was running; it
    // closes once the outermost command has returned. Long commands stop early
    // when they see it.
    bool IsCloseRequested() const { return m_bCloseRequested; }
    // Brings the enabled and checked state of every menu bar item and of the
    // control bars up to date through the command route.
    void UpdateCommandUI();

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
    LRESULT OnQueryEndSession(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndSession(WPARAM wParam, LPARAM lParam);
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
    // Sets the state of each item of one popup menu by the command route.
    void UpdateMenuCmdUI(HMENU hMenu);

    int m_nCommandDepth = 0;
    bool m_bCloseRequested = false;

    // Moves the visible bars (when bMove) and leaves the rest of the client
    // area in rc.
    void LayoutBars(RECT& rc, bool bMove);

    DECLARE_MESSAGE_MAP()
};
