// The grid's scroll bars and mouse wheel. Positions are pixels of the
// non-fixed area; only that area is repainted after a scroll.
#include "grid/GridCtrl.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

BOOL CGridCtrl::ScrollByRequest(int nBar, UINT nSBCode)
{
    if (m_hWnd == nullptr)
        return FALSE;
    const int nPos = GetScrollPos32(nBar);
    RECT rcClient;
    GetClientRect(&rcClient);
    const long long nPage = std::max<long long>(
        0, nBar == SB_VERT ? rcClient.bottom - GetFixedRowHeight() : rcClient.right - GetFixedColumnWidth());
    long long nNew = nPos;
    switch (nSBCode) {
    case SB_LINEDOWN:  // SB_LINERIGHT
        nNew += GetLineScrollAmount(nBar, true);
        break;
    case SB_LINEUP:  // SB_LINELEFT
        nNew -= GetLineScrollAmount(nBar, false);
        break;
    case SB_PAGEDOWN:  // SB_PAGERIGHT
        nNew += nPage;
        break;
    case SB_PAGEUP:  // SB_PAGELEFT
        nNew -= nPage;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The message carries 16 bits only; the bar knows all 32.
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_TRACKPOS;
        if (!::GetScrollInfo(m_hWnd, nBar, &si))
            return FALSE;
        nNew = si.nTrackPos;
        break;
    }
    case SB_TOP:  // SB_LEFT
        nNew = 0;
        break;
    case SB_BOTTOM:  // SB_RIGHT
        nNew = GetScrollLimit(nBar);
        break;
    default:
        return FALSE;
    }
    nNew = std::max<long long>(0, std::min<long long>(nNew, INT_MAX));
    SetScrollPos32(nBar, static_cast<int>(nNew));
    if (GetScrollPos32(nBar) == nPos)
        return FALSE;
    if (m_bAllowDraw) {
        // The rows (columns) that scroll: everything below the fixed rows
        // (right of the fixed columns).
        RECT rc = rcClient;
        if (nBar == SB_VERT)
            rc.top = GetFixedRowHeight();
        else
            rc.left = GetFixedColumnWidth();
        ::InvalidateRect(m_hWnd, &rc, FALSE);
    }
    return TRUE;
}

void CGridCtrl::OnVScroll(UINT nSBCode, UINT /*nPos*/, HWND /*hScrollBar*/)
{
    EndEditing();
    HideTitleTip();
    ScrollByRequest(SB_VERT, nSBCode);
}

void CGridCtrl::OnHScroll(UINT nSBCode, UINT /*nPos*/, HWND /*hScrollBar*/)
{
    EndEditing();
    HideTitleTip();
    ScrollByRequest(SB_HORZ, nSBCode);
}

// Each notch becomes line scrolls (the lines per notch read when the grid
// was made), or page scrolls when the system pages by the wheel. No more
// requests are queued than there are rows to scroll over.
BOOL CGridCtrl::OnMouseWheel(UINT /*nFlags*/, short zDelta, POINT /*ptScreen*/)
{
    const UINT nLines = static_cast<UINT>(m_nRowsPerWheelNotch);
    long long nSteps;
    if (nLines == WHEEL_PAGESCROLL)
        nSteps = zDelta / WHEEL_DELTA;
    else
        nSteps = static_cast<long long>(zDelta) * m_nRowsPerWheelNotch / WHEEL_DELTA;
    const UINT nCode = nLines == WHEEL_PAGESCROLL ? (nSteps > 0 ? SB_PAGEUP : SB_PAGEDOWN)
                                                   : (nSteps > 0 ? SB_LINEUP : SB_LINEDOWN);
    const long long nCount = std::min<long long>(std::llabs(nSteps), std::max(m_nRows, 1));
    for (long long i = 0; i < nCount; ++i)
        ::PostMessageA(m_hWnd, WM_VSCROLL, MAKEWPARAM(nCode, 0), 0);
    return TRUE;
}
