// The selection (the selected-cell map and the saved map a Ctrl selection
// starts from) and the focus cell.
#include "grid/GridCtrl.h"

#include <algorithm>
#include <memory>

#include "framework/Handles.h"

void CGridCtrl::SetCellFlag(int nRow, int nCol, DWORD nFlag, bool bSet)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return;
    const DWORD nState = pCell->GetState();
    pCell->SetState(bSet ? (nState | nFlag) : (nState & ~nFlag));
}

void CGridCtrl::RedrawChangedCell(int nRow, int nCol, BOOL bForce, HDC hDC)
{
    if (bForce && hDC != nullptr)
        RedrawCell(nRow, nCol, hDC);
    else
        RedrawCell(nRow, nCol, nullptr);
}

void CGridCtrl::SetSelectedRange(const CCellRange& range, BOOL bForceRepaint, BOOL bSelectCells)
{
    SetSelectedRange(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol(),
                     bForceRepaint, bSelectCells);
}

// Only the visible cells whose flag changes are redrawn, so selecting every
// row of a long list costs the map entries, not a repaint of each row.
void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol,
                                 BOOL bForceRepaint, BOOL bSelectCells)
{
    if (!m_bEnableSelection)
        return;
    if (nMinRow >= 0 && nMinRow < m_nFixedRows)
        nMinRow = m_nFixedRows;
    if (nMaxRow >= 0 && nMaxRow < m_nFixedRows)
        nMaxRow = m_nFixedRows;
    if (nMinCol >= 0 && nMinCol < m_nFixedCols)
        nMinCol = m_nFixedCols;
    if (nMaxCol >= 0 && nMaxCol < m_nFixedCols)
        nMaxCol = m_nFixedCols;
    const CCellRange range(nMinRow, nMinCol, nMaxRow, nMaxCol);

    std::unique_ptr<CWindowDC> pDC;
    if (bForceRepaint && m_hWnd != nullptr && m_bAllowDraw)
        pDC = std::make_unique<CWindowDC>(m_hWnd);
    HDC hDC = pDC ? pDC->Get() : nullptr;
    bool bHaveVisible = false;
    CCellRange visible;
    auto isVisible = [&](int nRow, int nCol) {
        if (m_hWnd == nullptr || !m_bAllowDraw)
            return false;
        if (!bHaveVisible) {
            visible = GetVisibleNonFixedCellRange();
            bHaveVisible = true;
        }
        return visible.InRange(nRow, nCol) || ((nRow < m_nFixedRows || nCol < m_nFixedCols) &&
                                               IsCellVisible(nRow, nCol));
    };

    if (bSelectCells) {
        for (const auto& entry : m_SelectedCellMap) {
            const CCellID& cell = entry.second;
            SetCellFlag(cell.row, cell.col, GVIS_SELECTED, false);
            if (!range.InRange(cell) && isVisible(cell.row, cell.col))
                RedrawChangedCell(cell.row, cell.col, bForceRepaint, hDC);
        }
        m_SelectedCellMap.clear();
        if (!(m_bListMode && m_bSingleRowSelection)) {
            for (const auto& entry : m_PrevSelectedCellMap) {
                const CCellID& cell = entry.second;
                if (!IsValid(cell))
                    continue;
                SetCellFlag(cell.row, cell.col, GVIS_SELECTED, true);
                m_SelectedCellMap[entry.first] = cell;
                if (isVisible(cell.row, cell.col))
                    RedrawChangedCell(cell.row, cell.col, bForceRepaint, hDC);
            }
        }
    }
    if (nMinRow < 0)
        return;
    if (!range.IsValid() || nMaxRow >= m_nRows || nMaxCol >= m_nCols)
        return;

    if (bSelectCells)
        m_SelectedCellMap.reserve(m_SelectedCellMap.size() + static_cast<size_t>(range.Count()));
    for (int nRow = nMinRow; nRow <= nMaxRow; ++nRow) {
        for (int nCol = nMinCol; nCol <= nMaxCol; ++nCol) {
            CGridCellBase* pCell = GetCell(nRow, nCol);
            if (pCell == nullptr)
                continue;
            const bool bSelected = pCell->IsSelected() != FALSE;
            if (bSelectCells == (bSelected ? TRUE : FALSE))
                continue;
            if (bSelectCells) {
                pCell->SetState(pCell->GetState() | GVIS_SELECTED);
                m_SelectedCellMap[CellKey(nRow, nCol)] = CCellID(nRow, nCol);
            } else {
                pCell->SetState(pCell->GetState() & ~GVIS_SELECTED);
                m_SelectedCellMap.erase(CellKey(nRow, nCol));
            }
            if (isVisible(nRow, nCol))
                RedrawChangedCell(nRow, nCol, bForceRepaint, hDC);
        }
    }
}

void CGridCtrl::ResetSelectedRange()
{
    m_PrevSelectedCellMap.clear();
    if (m_SelectedCellMap.empty())
        return;
    SetSelectedRange(-1, -1, -1, -1);
}

void CGridCtrl::SelectAll()
{
    SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, LVN_ITEMCHANGING);
    SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1);
    SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, LVN_ITEMCHANGED);
}

CCellRange CGridCtrl::GetSelectedCellRange() const
{
    CCellRange range(m_nRows, m_nCols, -1, -1);
    for (const auto& entry : m_SelectedCellMap) {
        const CCellID& cell = entry.second;
        range.SetMinRow(std::min(range.GetMinRow(), cell.row));
        range.SetMinCol(std::min(range.GetMinCol(), cell.col));
        range.SetMaxRow(std::max(range.GetMaxRow(), cell.row));
        range.SetMaxCol(std::max(range.GetMaxCol(), cell.col));
    }
    return range;
}

BOOL CGridCtrl::IsCellSelected(int nRow, int nCol) const
{
    if (!m_bEnableSelection)
        return FALSE;
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->IsSelected() : FALSE;
}

void CGridCtrl::SaveSelection()
{
    m_PrevSelectedCellMap = m_SelectedCellMap;
}

void CGridCtrl::ClearSavedSelection()
{
    m_PrevSelectedCellMap.clear();
}

// Moves the focus flag and redraws the old and the new focus cell (and,
// with track focus cell, the header cells of their rows and columns).
// Returns the previous focus cell.
CCellID CGridCtrl::SetFocusCell(int nRow, int nCol)
{
    if (nRow != -1 && nRow < m_nFixedRows)
        nRow = m_nFixedRows;
    if (nCol != -1 && nCol < m_nFixedCols)
        nCol = m_nFixedCols;
    CCellID cell(nRow, nCol);
    if (!IsValid(cell))
        cell = CCellID();
    const CCellID prev = m_idCurrentCell;
    if (cell == prev)
        return prev;
    m_idCurrentCell = cell;

    auto redrawHeaders = [this](const CCellID& id) {
        for (int nFixedRow = 0; nFixedRow < m_nFixedRows; ++nFixedRow)
            RedrawCell(nFixedRow, id.col);
        for (int nFixedCol = 0; nFixedCol < m_nFixedCols; ++nFixedCol)
            RedrawCell(id.row, nFixedCol);
    };
    if (IsValid(prev)) {
        SetCellFlag(prev.row, prev.col, GVIS_FOCUSED, false);
        RedrawCell(prev.row, prev.col);
        if (m_bTrackFocusCell)
            redrawHeaders(prev);
    }
    if (IsValid(cell)) {
        SetCellFlag(cell.row, cell.col, GVIS_FOCUSED, true);
        RedrawCell(cell.row, cell.col);
        if (m_bTrackFocusCell)
            redrawHeaders(cell);
    }
    return prev;
}
