// Where the mouse, keyboard and scroll handlers reach the grid's in-place
// editor, clipboard commands, drag and drop and title tip: one place per
// feature, so that the input handlers read the same whichever features a
// grid has switched on.
#include "grid/GridCtrl.h"

// Ends the focus cell's edit before a press, a right click or a scroll.
void CGridCtrl::InputEndEditing()
{
    EndEditing();
}

// Opens the in-place editor on a cell, with the key or character that
// started it (VK_LBUTTON for the mouse and F2).
void CGridCtrl::InputEditCell(int nRow, int nCol, POINT point, UINT nChar)
{
    OnEditCell(nRow, nCol, point, nChar);
}

// Ctrl+C and Ctrl+Insert.
void CGridCtrl::InputCopy()
{
    OnEditCopy();
}

// Ctrl+X.
void CGridCtrl::InputCut()
{
    OnEditCut();
}

// Ctrl+V and Shift+Insert.
void CGridCtrl::InputPaste()
{
    OnEditPaste();
}

// Delete: the focus cell's text becomes empty when the cell is editable.
void CGridCtrl::InputClearFocusCellText()
{
    ValidateAndModifyCellContents(m_idCurrentCell.row, m_idCurrentCell.col, "");
}

// The mouse moved with the button held on a selected cell.
void CGridCtrl::InputBeginDrag()
{
    if (m_bAllowDragAndDrop)
        OnBeginDrag();
}

// The mouse rests (no button, no mode) over a cell: its title tip shows
// the whole text when it is cut off there (and title tips are on).
void CGridCtrl::InputShowTitleTip(int nRow, int nCol)
{
    ShowTitleTip(nRow, nCol);
}

void CGridCtrl::InputHideTitleTip()
{
    HideTitleTip();
}
