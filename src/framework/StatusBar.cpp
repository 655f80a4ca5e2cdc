#include "framework/StatusBar.h"

#include <commctrl.h>

#include "framework/CmdUI.h"
#include "framework/Handles.h"
#include "framework/WinApp.h"

namespace {

// Room around an indicator's text inside its pane.
constexpr int kPaneMargin = 8;

// The command-UI state of one status bar pane: Enable shows or hides the text.
class CStatusCmdUI : public CCmdUI {
public:
    explicit CStatusCmdUI(CStatusBar* pBar) : m_pBar(pBar) {}
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = true;
        m_pBar->EnablePane(static_cast<int>(m_nIndex), bOn);
    }
    void SetCheck(int) override {}

private:
    CStatusBar* m_pBar;
};

}  // namespace

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_MESSAGE(WM_SIZE, OnSizeMessage)
END_MESSAGE_MAP()

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == nullptr || pParentWnd->m_hWnd == nullptr || m_hWnd != nullptr)
        return FALSE;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);

    // The control keeps itself along the frame's bottom edge at the height
    // of its font.
    DWORD dwWndStyle = TakeBarStyle(dwStyle) | CCS_BOTTOM | CCS_NODIVIDER;
    // A size grip where the frame can be resized by its border.
    if (GetWindowLongA(pParentWnd->m_hWnd, GWL_STYLE) & WS_THICKFRAME)
        dwWndStyle |= SBARS_SIZEGRIP;
    if (!CWnd::CreateEx(0, STATUSCLASSNAMEA, nullptr, dwWndStyle, 0, 0, 0, 0, pParentWnd->m_hWnd,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID))))
        return FALSE;
    // Let the control take its height now, before the frame's first layout.
    SendMessage(WM_SIZE);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* pIDArray, int nIDCount)
{
    if (m_hWnd == nullptr || nIDCount <= 0 || pIDArray == nullptr || nIDCount > 255)
        return FALSE;
    std::vector<Pane> panes;
    CWindowDC dc(m_hWnd);
    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    CSelectObject font(dc, hFont != nullptr ? hFont : GetStockObject(DEFAULT_GUI_FONT));
    for (int i = 0; i < nIDCount; ++i) {
        Pane pane = {pIDArray[i], 0, std::string(), true};
        if (pane.nID != 0) {
            pane.strText = AfxLoadString(pane.nID);
            if (pane.strText.empty())
                return FALSE;
            SIZE size = {0, 0};
            GetTextExtentPoint32A(dc, pane.strText.c_str(), static_cast<int>(pane.strText.size()),
                                  &size);
            pane.cxWidth = size.cx + kPaneMargin;
        }
        panes.push_back(pane);
    }
    if (panes[0].nID == 0)
        panes[0].strText = AfxLoadString(AFX_IDS_IDLEMESSAGE);
    m_panes = panes;
    UpdateParts();
    for (int i = 0; i < GetCount(); ++i)
        ShowPaneText(i);
    return TRUE;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].nID : 0;
}

BOOL CStatusBar::SetPaneText(int nIndex, const char* pszText)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    m_panes[static_cast<size_t>(nIndex)].strText = pszText != nullptr ? pszText : "";
    ShowPaneText(nIndex);
    return TRUE;
}

std::string CStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].strText
                                              : std::string();
}

void CStatusBar::EnablePane(int nIndex, BOOL bEnable)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    if (pane.bEnabled == (bEnable != FALSE))
        return;
    pane.bEnabled = bEnable != FALSE;
    ShowPaneText(nIndex);
}

bool CStatusBar::IsPaneEnabled(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() && m_panes[static_cast<size_t>(nIndex)].bEnabled;
}

void CStatusBar::ShowPaneText(int nIndex)
{
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    SendMessage(SB_SETTEXTA, static_cast<WPARAM>(nIndex),
                reinterpret_cast<LPARAM>(pane.bEnabled ? pane.strText.c_str() : ""));
}

// Indicators keep their widths at the right; the message pane takes the rest.
void CStatusBar::UpdateParts()
{
    if (m_hWnd == nullptr || m_panes.empty())
        return;
    RECT rc;
    GetClientRect(&rc);
    int nRight = rc.right;
    if (GetWindowLongA(m_hWnd, GWL_STYLE) & SBARS_SIZEGRIP)
        nRight -= GetSystemMetrics(SM_CXVSCROLL);
    std::vector<int> edges(m_panes.size());
    for (size_t i = m_panes.size(); i-- > 1;) {
        edges[i] = nRight;
        nRight -= m_panes[i].cxWidth;
    }
    edges[0] = nRight > 0 ? nRight : 0;
    for (size_t i = 1; i < edges.size(); ++i) {
        if (edges[i] < edges[i - 1])
            edges[i] = edges[i - 1];
    }
    edges.back() = -1;  // the last pane reaches under the size grip
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

LRESULT CStatusBar::OnSizeMessage(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    UpdateParts();
    return lResult;
}

int CStatusBar::CalcFixedHeight()
{
    // The control sizes its own height to its font.
    RECT rc;
    GetWindowRect(&rc);
    return rc.bottom - rc.top;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL /*bDisableIfNoHandler*/)
{
    // Indicators without an update handler are left as they are.
    for (int i = 0; i < GetCount(); ++i) {
        if (m_panes[static_cast<size_t>(i)].nID == 0)
            continue;
        CStatusCmdUI state(this);
        state.m_nID = m_panes[static_cast<size_t>(i)].nID;
        state.m_nIndex = static_cast<UINT>(i);
        state.DoUpdate(pTarget, FALSE);
    }
}
