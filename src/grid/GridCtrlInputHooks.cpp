// Where the mouse, keyboard and scroll handlers reach the grid's in-place
// editor, clipboard commands, drag and drop and title tip. This build of
// the grid has none of those yet: each of these functions is the single
// place its feature joins the input handlers, and until then the input
// that would start it does nothing more.
#include "grid/GridCtrl.h"

// Ends the focus cell's edit before a press, a right click or a scroll.
void CGridCtrl::InputEndEditing()
{
}

// Opens the in-place editor on a cell, with the key or character that
// started it (VK_LBUTTON for the mouse and F2).
void CGridCtrl::InputEditCell(int /*nRow*/, int /*nCol*/, POINT /*point*/, UINT /*nChar*/)
{
}

// Ctrl+C and Ctrl+Insert.
void CGridCtrl::InputCopy()
{
}

// Ctrl+X.
void CGridCtrl::InputCut()
{
}

// Ctrl+V and Shift+Insert.
void CGridCtrl::InputPaste()
{
}

// Delete: the focus cell's text becomes empty when the cell is editable.
void CGridCtrl::InputClearFocusCellText()
{
}

// The mouse moved with the button held on a selected cell.
void CGridCtrl::InputBeginDrag()
{
}

// The mouse rests (no button, no mode) over a cell: its title tip shows
// the whole text when it is cut off there (and title tips are on).
void CGridCtrl::InputShowTitleTip(int /*nRow*/, int /*nCol*/)
{
}

void CGridCtrl::InputHideTitleTip()
{
}
