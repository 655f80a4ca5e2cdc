// OLE drag and drop of cell texts, the drop target's registration and the
// title tip.
#include "grid/GridCtrl.h"

#include "framework/Handles.h"

void CGridCtrl::RegisterDropTarget()
{
    if (!m_DropTarget.IsRegistered())
        m_DropTarget.Register(this);
}

BOOL CGridCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (m_TitleTip.m_hWnd != nullptr && m_TitleTip.IsWindowVisible() &&
        m_TitleTip.PreTranslateMessage(pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

void CGridCtrl::OnBeginDrag()
{
    if (!m_bAllowDragAndDrop)
        return;
    COleDataSource* pSource = CopyTextFromGrid();
    if (pSource == nullptr)
        return;
    const CCellRange range = GetSelectedCellRange();
    SendMessageToParent(range.GetMinRow(), range.GetMinCol(), LVN_BEGINDRAG);

    m_MouseMode = MOUSE_DRAGGING;
    m_bLMouseButtonDown = FALSE;
    const DROPEFFECT dropEffect = pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    // The loop took the button's release: nothing else ends the drag mode.
    m_MouseMode = MOUSE_NOTHING;
    if (dropEffect == DROPEFFECT_MOVE)
        CutSelectedText();
    pSource->InternalRelease();
}

DROPEFFECT CGridCtrl::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, POINT point)
{
    return OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CGridCtrl::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, POINT point)
{
    if (!m_bAllowDragAndDrop || !m_bEditable || pDataObject == nullptr ||
        !pDataObject->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;
    const CCellID cell = GetCellFromPt(point);
    if (!IsValid(cell)) {
        OnDragLeave();
        return DROPEFFECT_NONE;
    }
    if (!IsCellEditable(cell.row, cell.col))
        return DROPEFFECT_NONE;
    if (cell != m_LastDragOverCell) {
        if (IsValid(m_LastDragOverCell)) {
            SetCellFlag(m_LastDragOverCell.row, m_LastDragOverCell.col, GVIS_DROPHILITED, false);
            RedrawCell(m_LastDragOverCell.row, m_LastDragOverCell.col);
        }
        m_LastDragOverCell = cell;
        SetCellFlag(cell.row, cell.col, GVIS_DROPHILITED, true);
        RedrawCell(cell.row, cell.col);
    }
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CGridCtrl::OnDragLeave()
{
    if (IsValid(m_LastDragOverCell)) {
        SetCellFlag(m_LastDragOverCell.row, m_LastDragOverCell.col, GVIS_DROPHILITED, false);
        RedrawCell(m_LastDragOverCell.row, m_LastDragOverCell.col);
    }
    m_LastDragOverCell = CCellID(-1, -1);
}

BOOL CGridCtrl::OnDrop(COleDataObject* pDataObject, DROPEFFECT /*dropEffect*/, POINT /*point*/)
{
    m_MouseMode = MOUSE_NOTHING;
    const CCellID cell = m_LastDragOverCell;
    OnDragLeave();
    if (!IsCellEditable(cell.row, cell.col))
        return FALSE;
    return PasteTextToGrid(cell, pDataObject);
}

// The focus cell drawn into a bitmap of its size.
HIMAGELIST CGridCtrl::CreateDragImage(POINT* pHotSpot)
{
    const CCellID cell = GetFocusCell();
    RECT rect;
    CGridCellBase* pCell = GetCell(cell.row, cell.col);
    if (pCell == nullptr || m_hWnd == nullptr || !GetCellRect(cell.row, cell.col, &rect))
        return nullptr;
    const int cx = rect.right - rect.left + 1;
    const int cy = rect.bottom - rect.top + 1;
    if (pHotSpot != nullptr)
        *pHotSpot = {m_LastMousePoint.x - rect.left, m_LastMousePoint.y - rect.top};

    CImageListHandle list(ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, 1, 1));
    if (list.Get() == nullptr)
        return nullptr;
    CWindowDC dcWindow(m_hWnd);
    CMemoryDC dcMem(dcWindow);
    CBitmapHandle bitmap(::CreateCompatibleBitmap(dcWindow, cx, cy));
    if (bitmap.Get() == nullptr)
        return nullptr;
    {
        CSelectObject sel(dcMem, bitmap);
        const RECT rcDraw = {0, 0, cx - 1, cy - 1};
        pCell->Draw(dcMem, cell.row, cell.col, rcDraw, TRUE);
    }
    ImageList_AddMasked(list, bitmap, ::GetSysColor(COLOR_WINDOW));
    return list.Release();  // the caller's from here on
}

void CGridCtrl::ShowTitleTip(int nRow, int nCol)
{
    if (!m_bTitleTips || m_MouseMode != MOUSE_NOTHING || m_hWnd == nullptr)
        return;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr || pCell->IsEditing())
        return;
    const char* pszTip = pCell->GetTipText();
    if (pszTip == nullptr || *pszTip == '\0')
        return;
    RECT rectCell;
    if (!GetCellRect(nRow, nCol, &rectCell))
        return;
    RECT rectText = rectCell;
    if (!pCell->GetTipTextRect(&rectText))
        return;
    if (!m_TitleTip.IsCreated() && !m_TitleTip.Create(this))
        return;
    m_TitleTip.Show(rectText, pszTip, 0, &rectCell, pCell->GetFont(), m_crTTipTextClr,
                    m_crTTipBackClr);
}

void CGridCtrl::HideTitleTip()
{
    if (m_TitleTip.m_hWnd != nullptr)
        m_TitleTip.Hide();
}
