// The grid's keyboard: the edit shortcuts, navigation keys that move the
// focus cell (skipping hidden rows and columns) and select, and typed
// characters that start an edit.
#include "grid/GridCtrl.h"

#include <algorithm>

namespace {

bool IsKeyDown(int nVirtKey)
{
    return ::GetKeyState(nVirtKey) < 0;
}

}  // namespace

int CGridCtrl::NextVisibleRow(int nRow, int nStep) const
{
    for (int r = nRow + nStep; r >= 0 && r < m_nRows; r += nStep) {
        if (GetRowHeight(r) > 0)
            return r;
    }
    return -1;
}

int CGridCtrl::NextVisibleColumn(int nCol, int nStep) const
{
    for (int c = nCol + nStep; c >= 0 && c < m_nCols; c += nStep) {
        if (GetColumnWidth(c) > 0)
            return c;
    }
    return -1;
}

BOOL CGridCtrl::IsCellFullyVisible(int nRow, int nCol) const
{
    RECT rcCell;
    if (m_hWnd == nullptr || !GetCellRect(nRow, nCol, &rcCell))
        return FALSE;
    RECT rcClient;
    GetClientRect(&rcClient);
    const int nLeft = nCol >= m_nFixedCols ? GetFixedColumnWidth() : 0;
    const int nTop = nRow >= m_nFixedRows ? GetFixedRowHeight() : 0;
    return rcCell.left >= nLeft && rcCell.top >= nTop && rcCell.right < rcClient.right &&
           rcCell.bottom < rcClient.bottom;
}

// The paging and Home/End keys scroll first and take their target from
// where the scroll went; the others only compute it. Ctrl+End finds the
// last shown row from the end, whatever the number of rows.
CCellID CGridCtrl::GetKeyTarget(UINT nChar, bool bShift, bool bCtrl, bool* pbChangeLine)
{
    *pbChangeLine = false;
    CCellID next = m_idCurrentCell;
    const bool bTab = nChar == VK_TAB && m_bHandleTabKey;

    if (nChar == VK_DOWN) {
        const int nRow = NextVisibleRow(next.row, +1);
        if (nRow >= 0)
            next.row = nRow;
    } else if (nChar == VK_UP) {
        const int nRow = NextVisibleRow(next.row, -1);
        if (nRow >= m_nFixedRows)
            next.row = nRow;
    } else if (nChar == VK_RIGHT || (bTab && !bShift)) {
        const int nCol = NextVisibleColumn(next.col, +1);
        if (nCol >= 0) {
            next.col = nCol;
        } else if (bTab) {
            const int nRow = NextVisibleRow(next.row, +1);
            const int nFirstCol = NextVisibleColumn(m_nFixedCols - 1, +1);
            if (nRow >= 0 && nFirstCol >= 0) {
                next = CCellID(nRow, nFirstCol);
                *pbChangeLine = true;
            }
        }
    } else if (nChar == VK_LEFT || (bTab && bShift)) {
        const int nCol = NextVisibleColumn(next.col, -1);
        if (nCol >= m_nFixedCols) {
            next.col = nCol;
        } else if (bTab) {
            const int nRow = NextVisibleRow(next.row, -1);
            const int nLastCol = NextVisibleColumn(m_nCols, -1);
            if (nRow >= m_nFixedRows && nLastCol >= m_nFixedCols) {
                next = CCellID(nRow, nLastCol);
                *pbChangeLine = true;
            }
        }
    } else if (nChar == VK_NEXT || nChar == VK_PRIOR) {
        const int nTop = GetTopleftNonFixedCell().row;
        ScrollByRequest(SB_VERT, nChar == VK_NEXT ? SB_PAGEDOWN : SB_PAGEUP);
        const int nMoved = GetTopleftNonFixedCell().row - nTop;
        if (nMoved != 0) {
            next.row = std::max(m_nFixedRows, std::min(next.row + nMoved, m_nRows - 1));
        } else if (nChar == VK_NEXT) {
            const int nRow = NextVisibleRow(m_nRows, -1);
            if (nRow >= m_nFixedRows)
                next.row = nRow;
        } else {
            const int nRow = NextVisibleRow(m_nFixedRows - 1, +1);
            if (nRow >= 0)
                next.row = nRow;
        }
    } else if (nChar == VK_HOME) {
        ScrollByRequest(SB_HORZ, SB_LEFT);
        const int nCol = NextVisibleColumn(m_nFixedCols - 1, +1);
        if (nCol >= 0)
            next.col = nCol;
        if (bCtrl) {
            ScrollByRequest(SB_VERT, SB_TOP);
            const int nRow = NextVisibleRow(m_nFixedRows - 1, +1);
            if (nRow >= 0)
                next.row = nRow;
        }
    } else if (nChar == VK_END) {
        ScrollByRequest(SB_HORZ, SB_RIGHT);
        const int nCol = NextVisibleColumn(m_nCols, -1);
        if (nCol >= m_nFixedCols)
            next.col = nCol;
        if (bCtrl) {
            ScrollByRequest(SB_VERT, SB_BOTTOM);
            const int nRow = NextVisibleRow(m_nRows, -1);
            if (nRow >= m_nFixedRows)
                next.row = nRow;
        }
    }
    return next;
}

// One line in the key's direction first (a Tab that wraps goes to the left
// end and a line down), then as far as the cell needs.
void CGridCtrl::ScrollKeyTargetIntoView(UINT nChar, bool bShift, bool bChangeLine,
                                        const CCellID& cell)
{
    const int nOldH = GetScrollPos32(SB_HORZ);
    const int nOldV = GetScrollPos32(SB_VERT);
    switch (nChar) {
    case VK_DOWN:
        ScrollByRequest(SB_VERT, SB_LINEDOWN);
        break;
    case VK_UP:
        ScrollByRequest(SB_VERT, SB_LINEUP);
        break;
    case VK_RIGHT:
        ScrollByRequest(SB_HORZ, SB_LINERIGHT);
        break;
    case VK_LEFT:
        ScrollByRequest(SB_HORZ, SB_LINELEFT);
        break;
    case VK_TAB:
        if (bChangeLine) {
            ScrollByRequest(SB_HORZ, bShift ? SB_RIGHT : SB_LEFT);
            ScrollByRequest(SB_VERT, bShift ? SB_LINEUP : SB_LINEDOWN);
        } else {
            ScrollByRequest(SB_HORZ, bShift ? SB_LINELEFT : SB_LINERIGHT);
        }
        break;
    default:
        break;
    }
    EnsureVisible(cell.row, cell.col);
    if (GetScrollPos32(SB_VERT) != nOldV)
        ::SendMessageA(m_hWnd, WM_VSCROLL, SB_ENDSCROLL, 0);
    if (GetScrollPos32(SB_HORZ) != nOldH)
        ::SendMessageA(m_hWnd, WM_HSCROLL, SB_ENDSCROLL, 0);
}

void CGridCtrl::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (!IsValid(m_idCurrentCell)) {
        Default();
        return;
    }
    const bool bCtrl = IsKeyDown(VK_CONTROL);
    const bool bShift = IsKeyDown(VK_SHIFT);

    if (bCtrl) {
        switch (nChar) {
        case 'A':
            OnEditSelectAll();
            break;
        case 'C':
        case VK_INSERT:
            OnEditCopy();
            break;
        case 'X':
            OnEditCut();
            break;
        case 'V':
            OnEditPaste();
            break;
        default:
            break;
        }
    }
    if (bShift && nChar == VK_INSERT) {
        OnEditPaste();
        return;
    }
    if (nChar == VK_DELETE)
        ValidateAndModifyCellContents(m_idCurrentCell.row, m_idCurrentCell.col, "");
    else if (nChar == VK_F2)
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, POINT{-1, -1}, VK_LBUTTON);

    bool bChangeLine = false;
    const CCellID next = GetKeyTarget(nChar, bShift, bCtrl, &bChangeLine);
    if (next == m_idCurrentCell || !IsValid(next))
        return;

    // A key moves the selection's end; Shift keeps its start, so a plain
    // key selects just the new cell (its row in list mode). While the
    // mouse selects (auto-scroll) the mouse keeps the selection.
    if (m_MouseMode == MOUSE_NOTHING) {
        ClearSavedSelection();
        m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
        if (!bShift || nChar == VK_TAB)
            m_SelectionStartCell = next;
        else if (!IsValid(m_SelectionStartCell))
            m_SelectionStartCell = m_idCurrentCell;
        OnSelecting(next);
        m_MouseMode = MOUSE_NOTHING;
    }
    SetFocusCell(next);
    if (!IsCellFullyVisible(next.row, next.col))
        ScrollKeyTargetIntoView(nChar, bShift, bChangeLine, next);
}

// A typed character starts an edit of the focus cell with that character
// (nothing when the cell cannot be edited).
void CGridCtrl::OnChar(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (!IsKeyDown(VK_CONTROL) && m_MouseMode == MOUSE_NOTHING && nChar != VK_ESCAPE &&
        !(nChar == VK_TAB && m_bHandleTabKey) && IsValid(m_idCurrentCell)) {
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, POINT{-1, -1}, nChar);
        return;
    }
    Default();
}

// The same for a character from an input method (Default() then gives
// the system's handling of WM_IME_CHAR).
void CGridCtrl::OnImeChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    OnChar(nChar, nRepCnt, nFlags);
}

// Arrows and characters always come to the grid; Tab does while the grid
// moves between cells with it and Ctrl is up.
UINT CGridCtrl::OnGetDlgCode()
{
    UINT nCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bHandleTabKey && !IsKeyDown(VK_CONTROL))
        nCode |= DLGC_WANTTAB;
    return nCode;
}
