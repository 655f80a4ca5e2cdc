// Sizes, auto-sizing, cell geometry, visibility and the scroll bars of the
// grid.
#include "grid/GridCtrl.h"

#include <algorithm>
#include <climits>

#include "framework/Handles.h"

namespace {

int ClampToInt(long long n)
{
    return static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, n)));
}

}  // namespace

int CGridCtrl::GetRowHeight(int nRow) const
{
    return m_arRowHeights.IsValid(nRow) ? m_arRowHeights.Get(nRow) : -1;
}

int CGridCtrl::GetColumnWidth(int nCol) const
{
    return m_arColWidths.IsValid(nCol) ? m_arColWidths.Get(nCol) : -1;
}

BOOL CGridCtrl::SetRowHeight(int nRow, int nHeight)
{
    if (!m_arRowHeights.IsValid(nRow) || nHeight < 0)
        return FALSE;
    m_arRowHeights.Set(nRow, nHeight);
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int nCol, int nWidth)
{
    if (!m_arColWidths.IsValid(nCol) || nWidth < 0)
        return FALSE;
    m_arColWidths.Set(nCol, nWidth);
    ResetScrollBars();
    return TRUE;
}

int CGridCtrl::GetFixedRowHeight() const
{
    return ClampToInt(m_arRowHeights.SumBefore(m_nFixedRows));
}

int CGridCtrl::GetFixedColumnWidth() const
{
    return ClampToInt(m_arColWidths.SumBefore(m_nFixedCols));
}

// ---- Auto-sizing ------------------------------------------------------------

int CGridCtrl::MeasureColumnWidth(int nCol, UINT nAutoSizeStyle)
{
    if (nCol < 0 || nCol >= m_nCols)
        return -1;
    if (nAutoSizeStyle == GVS_DEFAULT)
        nAutoSizeStyle = m_nAutoSizeColumnStyle;
    const int nStartRow = (nAutoSizeStyle & GVS_HEADER) ? 0 : m_nFixedRows;
    const int nEndRow = (nAutoSizeStyle & GVS_DATA) ? m_nRows - 1 : m_nFixedRows - 1;
    HDC hDC = GetMeasureDC();
    if (nStartRow > nEndRow || hDC == nullptr)
        return -1;
    int nWidth = 0;
    for (int nRow = nStartRow; nRow <= nEndRow; ++nRow) {
        CGridCellBase* pCell = GetCell(nRow, nCol);
        if (pCell != nullptr)
            nWidth = std::max<int>(nWidth, pCell->GetCellExtent(hDC).cx);
    }
    return nWidth;
}

// Room for an ellipsis between a data cell's margins, so that a cut-off
// text shows that it goes on, and for the column's two borders to be
// grabbed one by one.
int CGridCtrl::GetMinimumVisibleWidth()
{
    const int nEllipsis = GetDefaultCell(FALSE, FALSE)->GetTextExtent("...").cx;
    return std::max(nEllipsis, 2 * m_nResizeCaptureRange + 1);
}

void CGridCtrl::AutoSizeColumn(int nCol, UINT nAutoSizeStyle, BOOL bResetScroll)
{
    if (GetColumnWidth(nCol) <= 0)
        return;  // a bad column, or a hidden one, which stays hidden
    const int nWidth = MeasureColumnWidth(nCol, nAutoSizeStyle);
    if (nWidth < 0)
        return;  // nothing to measure: the width stays
    m_arColWidths.Set(nCol, nWidth);
    if (bResetScroll)
        ResetScrollBars();
}

void CGridCtrl::AutoSizeColumns(UINT nAutoSizeStyle)
{
    for (int nCol = 0; nCol < m_nCols; ++nCol) {
        if (GetColumnWidth(nCol) > 0)
            AutoSizeColumn(nCol, nAutoSizeStyle, FALSE);
    }
    ResetScrollBars();
}

void CGridCtrl::AutoSizeRow(int nRow, BOOL bResetScroll)
{
    if (nRow < 0 || nRow >= m_nRows || GetRowHeight(nRow) == 0 || m_nCols == 0)
        return;
    HDC hDC = GetMeasureDC();
    if (hDC == nullptr)
        return;
    int nHeight = 0;
    for (int nCol = 0; nCol < m_nCols; ++nCol) {
        CGridCellBase* pCell = GetCell(nRow, nCol);
        if (pCell != nullptr)
            nHeight = std::max<int>(nHeight, pCell->GetCellExtent(hDC).cy);
    }
    m_arRowHeights.Set(nRow, nHeight);
    if (bResetScroll)
        ResetScrollBars();
}

void CGridCtrl::AutoSizeRows()
{
    for (int nRow = 0; nRow < m_nRows; ++nRow) {
        if (GetRowHeight(nRow) > 0)
            AutoSizeRow(nRow, FALSE);
    }
    ResetScrollBars();
}

// Column 0 takes up (or gives back) the whole difference between the client
// width without a horizontal scroll bar and the sum of all columns, but it
// never gets narrower than its auto-size width: when the other columns
// need the room, the grid scrolls sideways and every name stays whole. So
// it is never hidden either, whatever width it had.
void CGridCtrl::ExpandFirstColumnToFit()
{
    if (m_nCols < 1 || m_hWnd == nullptr)
        return;
    SetScrollPos32(SB_HORZ, 0);
    if (GetWindowLongA(m_hWnd, GWL_STYLE) & WS_HSCROLL)
        ShowScrollBar(m_hWnd, SB_HORZ, FALSE);
    RECT rcClient;
    GetClientRect(&rcClient);
    const long long nDifference = rcClient.right - GetVirtualWidth();
    const int nMinimum = std::max(MeasureColumnWidth(0, GVS_DEFAULT), GetMinimumVisibleWidth());
    const long long nWidth = std::max<long long>(nMinimum, GetColumnWidth(0) + nDifference);
    m_arColWidths.Set(0, ClampToInt(nWidth));
    Refresh();
    ResetScrollBars();
}

// ---- Geometry ---------------------------------------------------------------

BOOL CGridCtrl::GetCellOrigin(int nRow, int nCol, POINT* pPoint) const
{
    if (!IsValid(nRow, nCol) || pPoint == nullptr)
        return FALSE;
    long long x = m_arColWidths.SumBefore(nCol);
    if (nCol >= m_nFixedCols)
        x -= m_nHScrollPos;
    long long y = m_arRowHeights.SumBefore(nRow);
    if (nRow >= m_nFixedRows)
        y -= m_nVScrollPos;
    pPoint->x = ClampToInt(x);
    pPoint->y = ClampToInt(y);
    return TRUE;
}

BOOL CGridCtrl::GetCellRect(int nRow, int nCol, RECT* pRect) const
{
    POINT pt;
    if (pRect == nullptr || !GetCellOrigin(nRow, nCol, &pt))
        return FALSE;
    pRect->left = pt.x;
    pRect->top = pt.y;
    pRect->right = pt.x + GetColumnWidth(nCol) - 1;
    pRect->bottom = pt.y + GetRowHeight(nRow) - 1;
    return TRUE;
}

CCellID CGridCtrl::GetCellFromPt(POINT point, BOOL bAllowFixedCellCheck) const
{
    if (point.x < 0 || point.y < 0)
        return CCellID();
    const int nFixedWidth = GetFixedColumnWidth();
    const int nFixedHeight = GetFixedRowHeight();

    int nCol;
    if (point.x < nFixedWidth) {
        nCol = bAllowFixedCellCheck ? m_arColWidths.IndexAt(point.x) : -1;
    } else {
        const long long nOffset =
            m_arColWidths.SumBefore(m_nFixedCols) + (point.x - nFixedWidth) + m_nHScrollPos;
        nCol = m_arColWidths.IndexAt(nOffset);
    }
    int nRow;
    if (point.y < nFixedHeight) {
        nRow = bAllowFixedCellCheck ? m_arRowHeights.IndexAt(point.y) : -1;
    } else {
        const long long nOffset =
            m_arRowHeights.SumBefore(m_nFixedRows) + (point.y - nFixedHeight) + m_nVScrollPos;
        nRow = m_arRowHeights.IndexAt(nOffset);
    }
    if (!IsValid(nRow, nCol))
        return CCellID();
    return CCellID(nRow, nCol);
}

CCellID CGridCtrl::GetTopleftNonFixedCell() const
{
    const int nRow = m_arRowHeights.IndexAt(m_arRowHeights.SumBefore(m_nFixedRows) + m_nVScrollPos);
    const int nCol = m_arColWidths.IndexAt(m_arColWidths.SumBefore(m_nFixedCols) + m_nHScrollPos);
    return CCellID(std::max(nRow, m_nFixedRows), std::max(nCol, m_nFixedCols));
}

CCellRange CGridCtrl::GetVisibleNonFixedCellRange(RECT* pRect) const
{
    RECT rcClient = {0, 0, 0, 0};
    if (m_hWnd != nullptr)
        ::GetClientRect(m_hWnd, &rcClient);
    const int nFixedWidth = GetFixedColumnWidth();
    const int nFixedHeight = GetFixedRowHeight();
    const CCellID topLeft = GetTopleftNonFixedCell();

    const long long nTop = m_arRowHeights.SumBefore(m_nFixedRows) + m_nVScrollPos;
    const long long nLeft = m_arColWidths.SumBefore(m_nFixedCols) + m_nHScrollPos;
    int nBottomRow = m_nRows - 1;
    int nRightCol = m_nCols - 1;
    if (rcClient.bottom > nFixedHeight)
        nBottomRow = std::min(nBottomRow, m_arRowHeights.IndexAt(nTop + rcClient.bottom - nFixedHeight - 1));
    else
        nBottomRow = topLeft.row - 1;
    if (rcClient.right > nFixedWidth)
        nRightCol = std::min(nRightCol, m_arColWidths.IndexAt(nLeft + rcClient.right - nFixedWidth - 1));
    else
        nRightCol = topLeft.col - 1;

    if (pRect != nullptr) {
        pRect->left = nFixedWidth;
        pRect->top = nFixedHeight;
        pRect->right = ClampToInt(nFixedWidth + m_arColWidths.SumBefore(nRightCol + 1) - nLeft);
        pRect->bottom = ClampToInt(nFixedHeight + m_arRowHeights.SumBefore(nBottomRow + 1) - nTop);
    }
    return CCellRange(topLeft.row, topLeft.col, nBottomRow, nRightCol);
}

BOOL CGridCtrl::IsCellVisible(int nRow, int nCol) const
{
    RECT rcCell;
    if (m_hWnd == nullptr || !GetCellRect(nRow, nCol, &rcCell))
        return FALSE;
    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    // A non-fixed cell scrolled under the fixed rows or columns is hidden.
    if (nCol >= m_nFixedCols)
        rcClient.left = GetFixedColumnWidth();
    if (nRow >= m_nFixedRows)
        rcClient.top = GetFixedRowHeight();
    return rcCell.right >= rcClient.left && rcCell.left < rcClient.right &&
           rcCell.bottom >= rcClient.top && rcCell.top < rcClient.bottom &&
           rcCell.right >= rcCell.left && rcCell.bottom >= rcCell.top;
}

// ---- Scrolling --------------------------------------------------------------

long long CGridCtrl::GetNonFixedExtent(int nBar) const
{
    if (nBar == SB_VERT)
        return m_arRowHeights.Total() - m_arRowHeights.SumBefore(m_nFixedRows);
    return m_arColWidths.Total() - m_arColWidths.SumBefore(m_nFixedCols);
}

void CGridCtrl::SetScrollPos32(int nBar, int nPos)
{
    const int nLimit = GetScrollLimit(nBar);
    nPos = std::max(0, std::min(nPos, nLimit));
    int& nCurrent = nBar == SB_VERT ? m_nVScrollPos : m_nHScrollPos;
    if (nCurrent == nPos)
        return;
    nCurrent = nPos;
    if (m_hWnd != nullptr && m_bAllowDraw) {
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_POS;
        si.nPos = nPos;
        ::SetScrollInfo(m_hWnd, nBar, &si, FALSE);
        InvalidateScrollBar(nBar);
    }
}

// Drawing a scroll bar at once costs a round trip to the display per call
// (InsertRow resets the bars for every row, EnsureVisible moves them line
// by line): the grid posts itself one message and redraws the bars when it
// arrives, after the current run of changes.
void CGridCtrl::InvalidateScrollBar(int nBar)
{
    m_nStaleScrollBars |= nBar == SB_VERT ? 1u : 2u;
    if (!m_bScrollBarRedrawPosted && m_hWnd != nullptr)
        m_bScrollBarRedrawPosted = ::PostMessageA(m_hWnd, WM_GRID_REDRAWSCROLLBARS, 0, 0) != FALSE;
}

LRESULT CGridCtrl::OnRedrawScrollBars(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_bScrollBarRedrawPosted = FALSE;
    const unsigned nStale = m_nStaleScrollBars;
    m_nStaleScrollBars = 0;
    if (nStale & 1u)
        RedrawScrollBar(SB_VERT);
    if (nStale & 2u)
        RedrawScrollBar(SB_HORZ);
    return 0;
}

void CGridCtrl::RedrawScrollBar(int nBar)
{
    RECT rc;
    GetClientRect(&rc);
    RECT rcBar = rc;
    if (nBar == SB_VERT) {
        rcBar.left = rc.right;
        rcBar.right = rc.right + GetSystemMetrics(SM_CXVSCROLL);
    } else {
        rcBar.top = rc.bottom;
        rcBar.bottom = rc.bottom + GetSystemMetrics(SM_CYHSCROLL);
    }
    ::RedrawWindow(m_hWnd, &rcBar, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOERASE);
}

int CGridCtrl::GetLineScrollAmount(int nBar, bool bForward) const
{
    const CCellID topLeft = GetTopleftNonFixedCell();
    const CGridSizeList& sizes = nBar == SB_VERT ? m_arRowHeights : m_arColWidths;
    const int nFixed = nBar == SB_VERT ? m_nFixedRows : m_nFixedCols;
    int nIndex = nBar == SB_VERT ? topLeft.row : topLeft.col;
    if (bForward) {
        for (; nIndex < sizes.Count(); ++nIndex) {
            if (sizes.Get(nIndex) > 0)
                return sizes.Get(nIndex);
        }
        return 0;
    }
    for (--nIndex; nIndex >= nFixed; --nIndex) {
        if (sizes.Get(nIndex) > 0)
            return sizes.Get(nIndex);
    }
    return 0;
}

void CGridCtrl::GetNonFixedRect(RECT* pRect) const
{
    ::GetClientRect(m_hWnd, pRect);
    pRect->left = GetFixedColumnWidth();
    pRect->top = GetFixedRowHeight();
}

void CGridCtrl::InvalidateNonFixed()
{
    if (m_hWnd == nullptr || !m_bAllowDraw)
        return;
    RECT rc;
    GetNonFixedRect(&rc);
    ::InvalidateRect(m_hWnd, &rc, TRUE);
}

// Scrolls line by line, as the scroll bars would, until the cell lies wholly
// in the client area or the scroll position stops moving.
void CGridCtrl::EnsureVisible(int nRow, int nCol)
{
    if (!IsValid(nRow, nCol) || m_hWnd == nullptr)
        return;
    RECT rcClient;
    GetClientRect(&rcClient);
    const int nOldH = m_nHScrollPos;
    const int nOldV = m_nVScrollPos;
    RECT rc;
    if (nCol >= m_nFixedCols) {
        while (GetCellRect(nRow, nCol, &rc) && rc.right >= rcClient.right) {
            const int nPos = m_nHScrollPos;
            if (GetTopleftNonFixedCell().col >= nCol)
                break;
            SetScrollPos32(SB_HORZ, nPos + GetLineScrollAmount(SB_HORZ, true));
            if (m_nHScrollPos == nPos)
                break;
        }
        while (GetCellRect(nRow, nCol, &rc) && rc.left < GetFixedColumnWidth()) {
            const int nPos = m_nHScrollPos;
            SetScrollPos32(SB_HORZ, nPos - GetLineScrollAmount(SB_HORZ, false));
            if (m_nHScrollPos == nPos)
                break;
        }
    }
    if (nRow >= m_nFixedRows) {
        while (GetCellRect(nRow, nCol, &rc) && rc.bottom >= rcClient.bottom) {
            const int nPos = m_nVScrollPos;
            if (GetTopleftNonFixedCell().row >= nRow)
                break;
            SetScrollPos32(SB_VERT, nPos + GetLineScrollAmount(SB_VERT, true));
            if (m_nVScrollPos == nPos)
                break;
        }
        while (GetCellRect(nRow, nCol, &rc) && rc.top < GetFixedRowHeight()) {
            const int nPos = m_nVScrollPos;
            SetScrollPos32(SB_VERT, nPos - GetLineScrollAmount(SB_VERT, false));
            if (m_nVScrollPos == nPos)
                break;
        }
    }
    if (m_nHScrollPos != nOldH || m_nVScrollPos != nOldV)
        Refresh();
}

// Each bar is shown only when the non-fixed rows (columns) do not fit in
// the client area less the fixed rows (columns); one bar can take the room
// that makes the other necessary.
void CGridCtrl::ResetScrollBars()
{
    if (!m_bAllowDraw || m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    RECT rc;
    GetClientRect(&rc);
    const LONG nStyle = GetWindowLongA(m_hWnd, GWL_STYLE);
    const int cxVScroll = GetSystemMetrics(SM_CXVSCROLL);
    const int cyHScroll = GetSystemMetrics(SM_CYHSCROLL);
    int nWidth = rc.right + ((nStyle & WS_VSCROLL) ? cxVScroll : 0) - GetFixedColumnWidth();
    int nHeight = rc.bottom + ((nStyle & WS_HSCROLL) ? cyHScroll : 0) - GetFixedRowHeight();
    const long long nExtentV = GetNonFixedExtent(SB_VERT);
    const long long nExtentH = GetNonFixedExtent(SB_HORZ);

    bool bNeedV = nExtentV > nHeight;
    bool bNeedH = nExtentH > nWidth;
    if (bNeedV && !bNeedH)
        bNeedH = nExtentH > nWidth - cxVScroll;
    if (bNeedH && !bNeedV)
        bNeedV = nExtentV > nHeight - cyHScroll;
    if (bNeedV)
        nWidth -= cxVScroll;
    if (bNeedH)
        nHeight -= cyHScroll;
    nWidth = std::max(nWidth, 0);
    nHeight = std::max(nHeight, 0);

    const int nOldV = m_nVScrollPos;
    const int nOldH = m_nHScrollPos;
    m_nVScrollMax = bNeedV ? ClampToInt(nExtentV - nHeight) : 0;
    m_nHScrollMax = bNeedH ? ClampToInt(nExtentH - nWidth) : 0;
    m_nVScrollPos = std::min(m_nVScrollPos, m_nVScrollMax);
    m_nHScrollPos = std::min(m_nHScrollPos, m_nHScrollMax);

    struct Bar {
        int nBar;
        bool bNeed;
        long long nExtent;
        int nPage;
        int nPos;
        LONG nStyleBit;
    };
    const Bar bars[] = {{SB_VERT, bNeedV, nExtentV, nHeight, m_nVScrollPos, WS_VSCROLL},
                        {SB_HORZ, bNeedH, nExtentH, nWidth, m_nHScrollPos, WS_HSCROLL}};
    for (const Bar& bar : bars) {
        const bool bShown = (GetWindowLongA(m_hWnd, GWL_STYLE) & bar.nStyleBit) != 0;
        if (!bar.bNeed) {
            if (bShown)
                ::ShowScrollBar(m_hWnd, bar.nBar, FALSE);
            continue;
        }
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = ClampToInt(bar.nExtent - 1);
        si.nPage = static_cast<UINT>(bar.nPage);
        si.nPos = bar.nPos;
        ::SetScrollInfo(m_hWnd, bar.nBar, &si, FALSE);
        if (!bShown)
            ::ShowScrollBar(m_hWnd, bar.nBar, TRUE);
        else
            InvalidateScrollBar(bar.nBar);
    }
    if (m_nVScrollPos != nOldV || m_nHScrollPos != nOldH)
        Refresh();
}
