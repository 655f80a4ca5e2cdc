// In-place editing and the other paths that change cell texts.
#include "grid/GridCtrl.h"

#include <string>

BOOL CGridCtrl::IsCellEditable(int nRow, int nCol) const
{
    if (!m_bEditable)
        return FALSE;
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr && !pCell->IsReadOnly();
}

void CGridCtrl::OnEditCell(int nRow, int nCol, POINT point, UINT nChar)
{
    if (!IsCellEditable(nRow, nCol))
        return;
    HideTitleTip();
    EnsureVisible(nRow, nCol);
    RECT rect;
    if (!IsCellVisible(nRow, nCol) || !GetCellRect(nRow, nCol, &rect))
        return;
    if (SendMessageToParent(nRow, nCol, LVN_BEGINLABELEDIT) < 0)
        return;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell != nullptr)
        pCell->Edit(nRow, nCol, rect, point, IDC_INPLACE_CONTROL, nChar);
}

BOOL CGridCtrl::ValidateEdit(int nRow, int nCol, const char* pszText)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr && pCell->ValidateEdit(pszText);
}

// Sets the text; with a veto (ValidateEdit or a negative LVN_ENDLABELEDIT)
// the old text comes back and the cell is as it was (not marked modified).
BOOL CGridCtrl::StoreCellText(int nRow, int nCol, const char* pszText, BOOL bAskFirst)
{
    if (bAskFirst && SendMessageToParent(nRow, nCol, LVN_BEGINLABELEDIT) < 0)
        return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    const std::string strOld = pCell->GetText();
    const char* pszNew = pszText ? pszText : "";
    if (strOld == pszNew)
        return TRUE;
    pCell->SetText(pszNew);
    if (ValidateEdit(nRow, nCol, pszNew) && SendMessageToParent(nRow, nCol, LVN_ENDLABELEDIT) >= 0) {
        SetModified(TRUE, nRow, nCol);
        RedrawCell(nRow, nCol);
        return TRUE;
    }
    // The owner may have changed the grid while answering.
    pCell = GetCell(nRow, nCol);
    if (pCell != nullptr) {
        pCell->SetText(strOld.c_str());
        RedrawCell(nRow, nCol);
    }
    return FALSE;
}

void CGridCtrl::OnEndEditCell(int nRow, int nCol, const char* pszText)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return;
    StoreCellText(nRow, nCol, pszText, FALSE);
    pCell = GetCell(nRow, nCol);  // the owner's reply may have changed the grid
    if (pCell != nullptr)
        pCell->OnEndEdit();
}

BOOL CGridCtrl::ValidateAndModifyCellContents(int nRow, int nCol, const char* pszText)
{
    if (!IsCellEditable(nRow, nCol))
        return FALSE;
    return StoreCellText(nRow, nCol, pszText, TRUE);
}

void CGridCtrl::EndEditing()
{
    const CCellID cell = GetFocusCell();
    CGridCellBase* pCell = GetCell(cell.row, cell.col);
    if (pCell != nullptr && pCell->IsEditing())
        pCell->EndEdit();
}

// The editor's end record: store the text, then keep editing cell by cell
// after Tab and the navigation keys.
void CGridCtrl::OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult != nullptr)
        *pResult = 0;
    const auto* pDispInfo = reinterpret_cast<const NMLVDISPINFOA*>(pNMHDR);
    if (pDispInfo == nullptr)
        return;
    const LVITEMA& item = pDispInfo->item;
    OnEndEditCell(item.iItem, item.iSubItem, item.pszText ? item.pszText : "");

    const UINT nChar = static_cast<UINT>(item.lParam);
    if (nChar == VK_TAB || (nChar >= VK_PRIOR && nChar <= VK_DOWN)) {
        SendMessage(WM_KEYDOWN, nChar, 0);
        const CCellID cell = GetFocusCell();
        OnEditCell(cell.row, cell.col, POINT{-1, -1}, nChar);
    }
}
