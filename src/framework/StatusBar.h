// A status bar of the system's status control, docked at the bottom of a
// frame: a message pane that stretches, then indicator panes sized to their
// texts. An indicator that its update handler disables shows no text.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/ControlBar.h"
#include "framework/FrameWnd.h"

class CStatusBar : public CControlBar {
public:
    using CWnd::Create;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);

    // One pane per id: 0 (ID_SEPARATOR) is the message pane, any other id an
    // indicator whose text is the string of that id. FALSE if a string is
    // missing.
    BOOL SetIndicators(const UINT* pIDArray, int nIDCount);

    int GetCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetItemID(int nIndex) const;
    BOOL SetPaneText(int nIndex, const char* pszText);
    // The text the pane holds (shown unless the pane is disabled).
    std::string GetPaneText(int nIndex) const;
    void EnablePane(int nIndex, BOOL bEnable);
    bool IsPaneEnabled(int nIndex) const;

    int CalcFixedHeight() override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;

protected:
    LRESULT OnSizeMessage(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    struct Pane {
        UINT nID;
        int cxWidth;  // fixed width of an indicator; the message pane stretches
        std::string strText;
        bool bEnabled;
    };

    void ShowPaneText(int nIndex);
    void UpdateParts();

    std::vector<Pane> m_panes;
};
