// The grid's mouse: presses, moves and releases by mouse mode, header
// clicks, border sizing, double and right clicks, the cursor and the
// auto-scroll timer that runs while a selection is dragged outside.
#include "grid/GridCtrl.h"

#include <algorithm>

#include "framework/WaitCursor.h"
#include "framework/Handles.h"

namespace {

bool IsCtrl(UINT nFlags)
{
    return (nFlags & MK_CONTROL) != 0;
}

bool IsShift(UINT nFlags)
{
    return (nFlags & MK_SHIFT) != 0;
}

void SetSystemCursor(LPCSTR pszCursor)
{
    ::SetCursor(::LoadCursorA(nullptr, pszCursor));
}

}  // namespace

// ---- Helpers ----------------------------------------------------------------

HWND CGridCtrl::GetNotifyWindow() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    return hOwner != nullptr ? hOwner : ::GetParent(m_hWnd);
}

BOOL CGridCtrl::IsCellEditableByUser(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return m_bEditable && pCell != nullptr && !pCell->IsReadOnly() && !IsCellFixed(nRow, nCol);
}

BOOL CGridCtrl::IsPointInCellText(const CCellID& cell, POINT point)
{
    CGridCellBase* pCell = GetCell(cell.row, cell.col);
    RECT rc;
    if (pCell == nullptr || !GetCellRect(cell.row, cell.col, &rc) || !pCell->GetTextRect(&rc))
        return FALSE;
    return ::PtInRect(&rc, point);
}

// A border belongs to the column on its left: near a cell's left edge that
// is the previous column of non-zero width, near its right edge the cell's
// own column. Beyond the last column its right border still counts.
int CGridCtrl::GetColumnBorderAt(POINT point) const
{
    if (!m_bAllowColumnResize || point.y < 0 || point.y >= GetFixedRowHeight() || point.x < 0)
        return -1;
    const int nRange = m_nResizeCaptureRange;
    const CCellID cell = GetCellFromPt(point);
    if (!IsValid(cell)) {
        const int nLast = NextVisibleColumn(m_nCols, -1);
        POINT origin;
        if (nLast < 0 || !GetCellOrigin(0, nLast, &origin))
            return -1;
        const int nRight = origin.x + GetColumnWidth(nLast);
        return point.x >= nRight && point.x - nRight < nRange ? nLast : -1;
    }
    POINT origin;
    GetCellOrigin(cell.row, cell.col, &origin);
    if (point.x - origin.x < nRange) {
        const int nPrevious = NextVisibleColumn(cell.col, -1);
        if (nPrevious >= 0)
            return nPrevious;
    }
    if (origin.x + GetColumnWidth(cell.col) - point.x <= nRange - 1)
        return cell.col;
    return -1;
}

int CGridCtrl::GetRowBorderAt(POINT point) const
{
    if (!m_bAllowRowResize || point.x < 0 || point.x >= GetFixedColumnWidth() || point.y < 0)
        return -1;
    const int nRange = m_nResizeCaptureRange;
    const CCellID cell = GetCellFromPt(point);
    if (!IsValid(cell)) {
        const int nLast = NextVisibleRow(m_nRows, -1);
        POINT origin;
        if (nLast < 0 || !GetCellOrigin(nLast, 0, &origin))
            return -1;
        const int nBottom = origin.y + GetRowHeight(nLast);
        return point.y >= nBottom && point.y - nBottom < nRange ? nLast : -1;
    }
    POINT origin;
    GetCellOrigin(cell.row, cell.col, &origin);
    if (point.y - origin.y < nRange) {
        const int nPrevious = NextVisibleRow(cell.row, -1);
        if (nPrevious >= 0)
            return nPrevious;
    }
    if (origin.y + GetRowHeight(cell.row) - point.y <= nRange - 1)
        return cell.row;
    return -1;
}

void CGridCtrl::OnSelecting(const CCellID& currentCell)
{
    if (!m_bEnableSelection || !IsValid(currentCell))
        return;
    CCellID start = m_SelectionStartCell;
    if (!IsValid(start))
        start = currentCell;
    const int nLastRow = m_nRows - 1;
    const int nLastCol = m_nCols - 1;
    switch (m_MouseMode) {
    case MOUSE_SELECT_ALL:
        SetSelectedRange(m_nFixedRows, m_nFixedCols, nLastRow, nLastCol);
        break;
    case MOUSE_SELECT_COL:
        if (m_bSingleColSelection)
            SetSelectedRange(m_nFixedRows, currentCell.col, nLastRow, currentCell.col);
        else
            SetSelectedRange(m_nFixedRows, std::min(start.col, currentCell.col), nLastRow,
                             std::max(start.col, currentCell.col));
        break;
    case MOUSE_SELECT_ROW:
        if (m_bListMode && m_bSingleRowSelection)
            SetSelectedRange(currentCell.row, m_nFixedCols, currentCell.row, nLastCol);
        else
            SetSelectedRange(std::min(start.row, currentCell.row), m_nFixedCols,
                             std::max(start.row, currentCell.row), nLastCol);
        break;
    case MOUSE_SELECT_CELLS:
        SetSelectedRange(std::min(start.row, currentCell.row), std::min(start.col, currentCell.col),
                         std::max(start.row, currentCell.row), std::max(start.col, currentCell.col));
        break;
    default:
        break;
    }
}

// A point outside the window counts as the nearest point of the visible
// non-fixed area, so that dragging past an edge selects up to that edge.
void CGridCtrl::ExtendSelectionToPoint(POINT point, bool bMoveFocus)
{
    RECT rc;
    GetNonFixedRect(&rc);
    if (rc.right <= rc.left || rc.bottom <= rc.top)
        return;
    if (m_MouseMode != MOUSE_SELECT_COL)
        point.y = std::max<LONG>(rc.top, std::min<LONG>(point.y, rc.bottom - 1));
    else
        point.y = std::max<LONG>(0, std::min<LONG>(point.y, rc.bottom - 1));
    if (m_MouseMode != MOUSE_SELECT_ROW)
        point.x = std::max<LONG>(rc.left, std::min<LONG>(point.x, rc.right - 1));
    else
        point.x = std::max<LONG>(0, std::min<LONG>(point.x, rc.right - 1));
    const CCellID cell = GetCellFromPt(point);
    if (!IsValid(cell))
        return;
    OnSelecting(cell);
    if (bMoveFocus && cell != m_idCurrentCell &&
        (m_MouseMode != MOUSE_SELECT_CELLS || !IsCellFixed(cell.row, cell.col)))
        SetFocusCell(cell);
}

void CGridCtrl::InvertSizingBand(POINT point) const
{
    CWindowDC dc(m_hWnd);
    if (dc.Get() == nullptr)
        return;
    RECT rcClient;
    GetClientRect(&rcClient);
    RECT band = rcClient;
    if (m_MouseMode == MOUSE_SIZING_COL) {
        band.left = point.x;
        band.right = point.x + 2;
    } else {
        band.top = point.y;
        band.bottom = point.y + 2;
    }
    ::InvertRect(dc, &band);
}

// While a border is dragged the cursor stays in the client area, from one
// pixel past the start of the column (row) being sized, over a stretch as
// long as the scrolling part of the window.
void CGridCtrl::ConfineCursorForSizing() const
{
    RECT rcClient;
    GetClientRect(&rcClient);
    RECT rcClip = rcClient;
    POINT origin;
    if (!GetCellOrigin(std::max(m_LeftClickDownCell.row, 0), std::max(m_LeftClickDownCell.col, 0),
                       &origin))
        return;
    if (m_MouseMode == MOUSE_SIZING_COL) {
        rcClip.left = origin.x + 1;
        rcClip.right = rcClip.left + rcClient.right - GetFixedColumnWidth();
    } else {
        rcClip.top = origin.y + 1;
        rcClip.bottom = rcClip.top + rcClient.bottom - GetFixedRowHeight();
    }
    POINT topLeft = {rcClip.left, rcClip.top};
    POINT bottomRight = {rcClip.right, rcClip.bottom};
    ::ClientToScreen(m_hWnd, &topLeft);
    ::ClientToScreen(m_hWnd, &bottomRight);
    const RECT rcScreen = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    ::ClipCursor(&rcScreen);
}

void CGridCtrl::StopAutoScroll()
{
    if (m_nTimerID == 0)
        return;
    ::KillTimer(m_hWnd, m_nTimerID);
    m_nTimerID = 0;
}

// ---- Left button ------------------------------------------------------------

void CGridCtrl::OnLButtonDown(UINT nFlags, POINT point)
{
    ::SetFocus(m_hWnd);
    m_LeftClickDownPoint = point;
    m_LastMousePoint = point;
    m_nKeyFlags = nFlags;
    m_bLMouseButtonDown = TRUE;
    m_LeftClickDownCell = GetCellFromPt(point);
    if (!IsValid(m_LeftClickDownCell)) {
        Default();
        return;
    }

    if (!IsShift(nFlags))
        m_SelectionStartCell = m_LeftClickDownCell;
    else if (!IsValid(m_SelectionStartCell))
        m_SelectionStartCell = m_idCurrentCell;

    EndEditing();
    if (CGridCellBase* pCell = GetCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col))
        pCell->OnClickDown(point);

    // The border under the press decides, whatever the last move said (a
    // press may come without a move, and a mode may be left over from a
    // press whose release never came).
    const int nBorderCol = GetColumnBorderAt(point);
    const int nBorderRow = nBorderCol < 0 ? GetRowBorderAt(point) : -1;
    if (nBorderCol >= 0)
        m_MouseMode = MOUSE_OVER_COL_DIVIDE;
    else if (nBorderRow >= 0)
        m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
    else
        m_MouseMode = MOUSE_NOTHING;
    const bool bOverBorder =
        m_MouseMode == MOUSE_OVER_COL_DIVIDE || m_MouseMode == MOUSE_OVER_ROW_DIVIDE;

    if (!bOverBorder && m_LeftClickDownCell == m_idCurrentCell && !IsCtrl(nFlags) &&
        IsCellEditableByUser(m_LeftClickDownCell.row, m_LeftClickDownCell.col) &&
        IsPointInCellText(m_LeftClickDownCell, point)) {
        m_MouseMode = MOUSE_PREPARE_EDIT;
        return;
    }

    const bool bOnSelected =
        !bOverBorder && IsCellSelected(m_LeftClickDownCell.row, m_LeftClickDownCell.col);
    if (bOnSelected && IsCtrl(nFlags)) {
        // Ctrl on a selected cell takes it (its row in list mode) out.
        SetFocusCell(m_LeftClickDownCell);
        if (m_bListMode)
            SetSelectedRange(m_LeftClickDownCell.row, m_nFixedCols, m_LeftClickDownCell.row,
                             m_nCols - 1, TRUE, FALSE);
        else
            SetSelectedRange(m_LeftClickDownCell.row, m_LeftClickDownCell.col,
                             m_LeftClickDownCell.row, m_LeftClickDownCell.col, TRUE, FALSE);
        return;
    }
    if (bOnSelected && m_bAllowDragAndDrop) {
        // The selection may be dragged: the release decides.
        m_MouseMode = MOUSE_PREPARE_DRAG;
    } else if (!bOverBorder) {
        // Without drag and drop a press on a selected cell is a press like
        // any other: the focus moves there and the selection starts anew,
        // so that the keys work from the row the user pressed.
        SetFocusCell(-1, -1);
        if (m_nRows > m_nFixedRows && m_nCols > m_nFixedCols)
            SetFocusCell(std::max(m_LeftClickDownCell.row, m_nFixedRows),
                         std::max(m_LeftClickDownCell.col, m_nFixedCols));
    }

    ::SetCapture(m_hWnd);

    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE) {
        SetSystemCursor(IDC_SIZEWE);
        m_MouseMode = MOUSE_SIZING_COL;
        m_LeftClickDownCell.col = nBorderCol;
        InvertSizingBand(point);
        ConfineCursorForSizing();
        return;
    }
    if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        SetSystemCursor(IDC_SIZENS);
        m_MouseMode = MOUSE_SIZING_ROW;
        m_LeftClickDownCell.row = nBorderRow;
        InvertSizingBand(point);
        ConfineCursorForSizing();
        return;
    }
    if (m_MouseMode == MOUSE_PREPARE_DRAG)
        return;

    SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, LVN_ITEMCHANGING);
    ClearSavedSelection();
    if (IsCtrl(nFlags))
        SaveSelection();

    if (!IsCellFixed(m_LeftClickDownCell.row, m_LeftClickDownCell.col)) {
        m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
        OnSelecting(m_LeftClickDownCell);
        m_nTimerID = ::SetTimer(m_hWnd, kAutoScrollTimerId, m_nAutoScrollInterval, nullptr);
    } else if (m_LeftClickDownCell.row < m_nFixedRows) {
        OnFixedRowClick(m_LeftClickDownCell);
    } else {
        OnFixedColumnClick(m_LeftClickDownCell);
    }
}

void CGridCtrl::OnFixedRowClick(const CCellID& cell)
{
    if (!IsValid(cell))
        return;
    if (m_bSortOnClick) {
        CWaitCursor wait;
        if (cell.col != m_nSortColumn)
            SortItems(cell.col, TRUE);
        else
            SortItems(cell.col, !m_bAscending);
        Invalidate();
    }
    if (m_bFixedRowSelection) {
        m_MouseMode = cell.col < m_nFixedCols ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
        OnSelecting(cell);
    }
}

void CGridCtrl::OnFixedColumnClick(const CCellID& cell)
{
    if (!IsValid(cell))
        return;
    if (m_bFixedColumnSelection) {
        m_MouseMode = cell.row < m_nFixedRows ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
        OnSelecting(cell);
    }
}

void CGridCtrl::OnMouseMove(UINT /*nFlags*/, POINT point)
{
    if (!m_bLMouseButtonDown) {
        // Without the button only moves over the client area count.
        RECT rcClient;
        GetClientRect(&rcClient);
        if (!::PtInRect(&rcClient, point))
            return;
        if (GetColumnBorderAt(point) >= 0) {
            if (m_MouseMode != MOUSE_OVER_COL_DIVIDE)
                SetSystemCursor(IDC_SIZEWE);
            m_MouseMode = MOUSE_OVER_COL_DIVIDE;
        } else if (GetRowBorderAt(point) >= 0) {
            if (m_MouseMode != MOUSE_OVER_ROW_DIVIDE)
                SetSystemCursor(IDC_SIZENS);
            m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
        } else if (m_MouseMode != MOUSE_NOTHING) {
            SetSystemCursor(IDC_ARROW);
            m_MouseMode = MOUSE_NOTHING;
        }
        if (m_MouseMode == MOUSE_NOTHING) {
            const CCellID cell = GetCellFromPt(point);
            CGridCellBase* pCell = GetCell(cell.row, cell.col);
            if (pCell != nullptr) {
                pCell->OnMouseOver();
                ShowTitleTip(cell.row, cell.col);
            }
        }
        m_LastMousePoint = point;
        return;
    }

    switch (m_MouseMode) {
    case MOUSE_SELECT_ALL:
        break;
    case MOUSE_SELECT_COL:
    case MOUSE_SELECT_ROW:
    case MOUSE_SELECT_CELLS:
        ExtendSelectionToPoint(point, true);
        break;
    case MOUSE_SIZING_COL:
        if (point.x != m_LastMousePoint.x) {
            InvertSizingBand(m_LastMousePoint);
            InvertSizingBand(point);
        }
        break;
    case MOUSE_SIZING_ROW:
        if (point.y != m_LastMousePoint.y) {
            InvertSizingBand(m_LastMousePoint);
            InvertSizingBand(point);
        }
        break;
    case MOUSE_PREPARE_EDIT:
    case MOUSE_PREPARE_DRAG:
        if (point.x != m_LeftClickDownPoint.x || point.y != m_LeftClickDownPoint.y) {
            m_MouseMode = MOUSE_PREPARE_DRAG;
            if (m_bAllowDragAndDrop)
                OnBeginDrag();
        }
        break;
    default:
        break;
    }
    m_LastMousePoint = point;
}

void CGridCtrl::OnLButtonUp(UINT nFlags, POINT point)
{
    (void)nFlags;
    const CCellID pressed = m_LeftClickDownCell;
    const bool bWasDown = m_bLMouseButtonDown != FALSE;
    ::ClipCursor(nullptr);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    StopAutoScroll();
    m_bLMouseButtonDown = FALSE;

    // A press outside every cell started nothing; its release does nothing.
    if (!IsValid(pressed) || !bWasDown) {
        m_MouseMode = MOUSE_NOTHING;
        Default();
        return;
    }

    switch (m_MouseMode) {
    case MOUSE_PREPARE_EDIT:
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, point, VK_LBUTTON);
        break;
    case MOUSE_PREPARE_DRAG: {
        // Released without dragging: a plain click on the selected cell.
        if (CGridCellBase* pCell = GetCell(pressed.row, pressed.col))
            pCell->OnClick(point);
        SendMessageToParent(pressed.row, pressed.col, NM_CLICK);
        SendMessageToParent(pressed.row, pressed.col, LVN_ITEMCHANGING);
        if (!IsShift(m_nKeyFlags)) {
            ResetSelectedRange();
            SetFocusCell(pressed);
            if (m_bListMode)
                SetSelectedRange(pressed.row, m_nFixedCols, pressed.row, m_nCols - 1);
            else
                SetSelectedRange(pressed.row, pressed.col, pressed.row, pressed.col);
        }
        SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, LVN_ITEMCHANGED);
        break;
    }
    case MOUSE_SIZING_COL: {
        InvertSizingBand(m_LastMousePoint);
        const int nCol = pressed.col;
        POINT origin;
        if ((point.x != m_LeftClickDownPoint.x || point.y != m_LeftClickDownPoint.y) &&
            GetCellOrigin(std::max(pressed.row, 0), nCol, &origin)) {
            const int nMin = m_bAllowColHide ? 0 : 1;
            const int nOld = GetColumnWidth(nCol);
            int nNew = std::max<int>(point.x - origin.x, nMin);
            // The next shown column gives or takes the difference, but
            // stays visible (no narrower than the visible minimum, or than
            // it was): a drag never hides it. The last shown column has no
            // neighbour and is resized alone.
            const int nNext = m_bResizeKeepsTotalWidth ? NextVisibleColumn(nCol, +1) : -1;
            if (nNext >= 0) {
                const int nNextOld = GetColumnWidth(nNext);
                const int nNextMin = std::min(nNextOld, GetMinimumVisibleWidth());
                int nNextNew = nNextOld + nOld - nNew;
                if (nNextNew < nNextMin) {
                    nNextNew = nNextMin;
                    nNew = nOld + nNextOld - nNextMin;
                }
                m_arColWidths.Set(nNext, nNextNew);
            }
            SetColumnWidth(nCol, nNew);
            Invalidate();
        }
        break;
    }
    case MOUSE_SIZING_ROW: {
        InvertSizingBand(m_LastMousePoint);
        const int nRow = pressed.row;
        POINT origin;
        if ((point.x != m_LeftClickDownPoint.x || point.y != m_LeftClickDownPoint.y) &&
            GetCellOrigin(nRow, std::max(pressed.col, 0), &origin)) {
            const int nMin = m_bAllowRowHide ? 0 : 1;
            SetRowHeight(nRow, std::max<int>(point.y - origin.y, nMin));
            Invalidate();
        }
        break;
    }
    default:
        SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, LVN_ITEMCHANGED);
        if (CGridCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
            pCell->OnClick(point);
        SendMessageToParent(pressed.row, pressed.col, NM_CLICK);
        break;
    }

    m_MouseMode = MOUSE_NOTHING;
    SetSystemCursor(IDC_ARROW);
    if (HWND hNotify = GetNotifyWindow())
        ::PostMessageA(hNotify, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0),
                       reinterpret_cast<LPARAM>(m_hWnd));
}

// A double click on a border fits the column left of it (the row above it)
// to its contents; elsewhere it may start an edit. Either way the cell and
// the owner hear of it.
void CGridCtrl::OnLButtonDblClk(UINT /*nFlags*/, POINT point)
{
    const CCellID cell = GetCellFromPt(point);
    if (!IsValid(cell)) {
        Default();
        return;
    }
    int nMode = m_MouseMode;
    if (nMode == MOUSE_NOTHING) {
        if (GetColumnBorderAt(point) >= 0)
            nMode = MOUSE_OVER_COL_DIVIDE;
        else if (GetRowBorderAt(point) >= 0)
            nMode = MOUSE_OVER_ROW_DIVIDE;
    }
    if (nMode == MOUSE_OVER_COL_DIVIDE) {
        const int nCol = GetColumnBorderAt(point);
        if (nCol >= 0) {
            AutoSizeColumn(nCol, m_nAutoSizeColumnStyle);
            Invalidate();
        }
    } else if (nMode == MOUSE_OVER_ROW_DIVIDE) {
        const int nRow = GetRowBorderAt(point);
        if (nRow >= 0) {
            AutoSizeRow(nRow);
            Invalidate();
        }
    } else if (nMode == MOUSE_NOTHING && !IsCellFixed(cell.row, cell.col) &&
               IsPointInCellText(cell, point)) {
        OnEditCell(cell.row, cell.col, point, VK_LBUTTON);
    }
    if (CGridCellBase* pCell = GetCell(cell.row, cell.col))
        pCell->OnDblClick(point);
    SendMessageToParent(cell.row, cell.col, NM_DBLCLK);
}

// ---- Right button, cursor, capture, timer -----------------------------------

void CGridCtrl::OnRButtonUp(UINT /*nFlags*/, POINT point)
{
    EndEditing();
    const CCellID cell = GetCellFromPt(point);
    if (IsValid(cell)) {
        SetFocusCell(std::max(cell.row, m_nFixedRows), std::max(cell.col, m_nFixedCols));
        if (CGridCellBase* pCell = GetCell(cell.row, cell.col))
            pCell->OnRClick(point);
        SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, NM_RCLICK);
    } else {
        SendMessageToParent(-1, -1, NM_RCLICK);
    }
    Default();
}

BOOL CGridCtrl::OnSetCursor(HWND /*hWnd*/, UINT nHitTest, UINT /*message*/)
{
    if (nHitTest != HTCLIENT)
        return static_cast<BOOL>(Default());
    switch (m_MouseMode) {
    case MOUSE_OVER_ROW_DIVIDE:
        SetSystemCursor(IDC_SIZENS);
        return TRUE;
    case MOUSE_OVER_COL_DIVIDE:
        SetSystemCursor(IDC_SIZEWE);
        return TRUE;
    case MOUSE_DRAGGING:
        return static_cast<BOOL>(Default());
    default:
        break;
    }
    POINT point;
    ::GetCursorPos(&point);
    ::ScreenToClient(m_hWnd, &point);
    const CCellID cell = GetCellFromPt(point);
    if (CGridCellBase* pCell = GetCell(cell.row, cell.col))
        return pCell->OnSetCursor();
    return static_cast<BOOL>(Default());
}

// Losing the capture (to another window, or by the release) ends the
// automatic scrolling and a drag.
void CGridCtrl::OnCaptureChanged(HWND hWndNew)
{
    if (hWndNew == m_hWnd)
        return;
    StopAutoScroll();
    if (m_MouseMode == MOUSE_DRAGGING)
        m_MouseMode = MOUSE_NOTHING;
}

// While a selection is dragged outside the window: one key step towards
// the cursor (which scrolls when the new focus is not fully shown), then
// the selection follows the cursor, clamped into the visible cells.
void CGridCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kAutoScrollTimerId) {
        Default();
        return;
    }
    if (m_nTimerID == 0 || !m_bLMouseButtonDown)
        return;
    POINT point;
    ::GetCursorPos(&point);
    ::ScreenToClient(m_hWnd, &point);
    RECT rcClient;
    GetClientRect(&rcClient);

    if (point.y >= rcClient.bottom)
        ::SendMessageA(m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
    else if (point.y < GetFixedRowHeight())
        ::SendMessageA(m_hWnd, WM_KEYDOWN, VK_UP, 0);
    if (point.x >= rcClient.right)
        ::SendMessageA(m_hWnd, WM_KEYDOWN, VK_RIGHT, 0);
    else if (point.x < GetFixedColumnWidth())
        ::SendMessageA(m_hWnd, WM_KEYDOWN, VK_LEFT, 0);

    ExtendSelectionToPoint(point, false);
}
