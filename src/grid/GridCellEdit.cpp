// In-place editing of the standard cell.
#include "grid/GridCell.h"
#include "grid/GridCtrl.h"
#include "grid/GridInPlaceEdit.h"

BOOL CGridCell::Edit(int nRow, int nCol, RECT rect, POINT /*point*/, UINT nID, UINT nChar)
{
    if (m_bEditing) {
        if (m_pEditWnd != nullptr)
            m_pEditWnd->SendMessage(WM_CHAR, nChar);
        return TRUE;
    }
    CGridCtrl* pGrid = GetGrid();
    if (pGrid == nullptr)
        return FALSE;
    const DWORD nFormat = GetFormat();
    DWORD dwStyle = ES_LEFT;
    if (nFormat & DT_RIGHT)
        dwStyle = ES_RIGHT;
    else if (nFormat & DT_CENTER)
        dwStyle = ES_CENTER;
    m_bEditing = true;
    // The editor may send its first notifications while being created.
    CGridInPlaceEdit* pEdit =
        CGridInPlaceEdit::Create(pGrid, rect, dwStyle, nID, nRow, nCol, GetText(), nChar);
    if (pEdit == nullptr) {
        m_bEditing = false;
        return FALSE;
    }
    if (m_bEditing)
        m_pEditWnd = pEdit;
    return TRUE;
}

void CGridCell::EndEdit()
{
    if (m_pEditWnd != nullptr)
        static_cast<CGridInPlaceEdit*>(m_pEditWnd)->EndEdit();
}
