// Printing of one cell.
#include "grid/GridCellBase.h"

#include <algorithm>

#include "framework/Handles.h"
#include "grid/GridCtrl.h"
#include "grid/GridDefaultCell.h"

namespace {

// A grey of the same brightness, for printers with two colours.
COLORREF ToGrey(COLORREF clr)
{
    const int nLevel = (GetRValue(clr) * 30 + GetGValue(clr) * 59 + GetBValue(clr) * 11) / 100;
    return RGB(nLevel, nLevel, nLevel);
}

}  // namespace

// Like Draw, without selection and focus, in the print font: the cell's
// own colours, a
// background only where the grid prints colours and it differs from the
// default, the raised edge of fixed cells when grid lines are on.
BOOL CGridCellBase::PrintCell(HDC hDC, int nRow, int /*nCol*/, RECT rect)
{
    CGridCtrl* pGrid = GetGrid();
    if (pGrid == nullptr || hDC == nullptr || rect.right <= rect.left || rect.bottom <= rect.top)
        return FALSE;
    CSaveDC saveDC(hDC);
    ::SetBkMode(hDC, TRANSPARENT);

    const CGridDefaultCell* pDefault = GetDefaultCell(nRow);
    COLORREF crFg = GetRawTextClr();
    COLORREF crBk = GetRawBackClr();
    const bool bOwnBack = crBk != CLR_DEFAULT &&
                          (pDefault == nullptr || crBk != pDefault->GetBackClr());
    if (crFg == CLR_DEFAULT)
        crFg = pDefault ? pDefault->GetTextClr() : RGB(0, 0, 0);
    if (crBk == CLR_DEFAULT)
        crBk = pDefault ? pDefault->GetBackClr() : RGB(255, 255, 255);
    const bool bTwoColours = ::GetDeviceCaps(hDC, NUMCOLORS) == 2;

    if (pGrid->GetPrintColours() && (IsFixed() || bOwnBack)) {
        RECT rcFill = rect;
        ++rcFill.right;
        ++rcFill.bottom;
        CBrushHandle brush(::CreateSolidBrush(bTwoColours ? ToGrey(crBk) : crBk));
        ::FillRect(hDC, &rcFill, brush);
    }

    if (IsFixed() && pGrid->GetGridLines() != GVL_NONE) {
        CPenHandle penLight(::CreatePen(PS_SOLID, 0, ::GetSysColor(COLOR_3DHIGHLIGHT)));
        CPenHandle penDark(::CreatePen(PS_SOLID, 0, ::GetSysColor(COLOR_3DDKSHADOW)));
        {
            CSelectObject sel(hDC, penLight);
            ::MoveToEx(hDC, rect.left, rect.bottom, nullptr);
            ::LineTo(hDC, rect.left, rect.top);
            ::LineTo(hDC, rect.right, rect.top);
        }
        {
            CSelectObject sel(hDC, penDark);
            ::MoveToEx(hDC, rect.right, rect.top, nullptr);
            ::LineTo(hDC, rect.right, rect.bottom);
            ::LineTo(hDC, rect.left - 1, rect.bottom);
        }
        ::InflateRect(&rect, -1, -1);
    }

    // The print font stays selected: cells keep their screen font off the page.
    ::SetTextColor(hDC, bTwoColours ? RGB(0, 0, 0) : crFg);
    const int nMargin = std::max(GetMargin(), 0);
    rect.left += nMargin;
    rect.right -= nMargin;
    DrawCellText(hDC, GetText(), -1, &rect, GetFormat() | DT_NOPREFIX);
    return TRUE;
}
