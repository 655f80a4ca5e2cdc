#include "grid/GridCellBase.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "framework/Handles.h"
#include "grid/GridCtrl.h"
#include "grid/GridDefaultCell.h"

IMPLEMENT_DYNAMIC(CGridCellBase, CObject)

CGridDefaultCell* CGridCellBase::GetDefaultCell(int nRow) const
{
    CGridCtrl* pGrid = GetGrid();
    if (pGrid == nullptr)
        return nullptr;
    return pGrid->GetDefaultCell(IsFixedRow(), IsFixedCol(), nRow);
}

SIZE CGridCellBase::GetDefaultExtent() const
{
    const CGridDefaultCell* pDefault = GetDefaultCell(1);
    if (pDefault == nullptr)
        return SIZE{0, 0};
    return SIZE{pDefault->GetWidth(), pDefault->GetHeight()};
}

void CGridCellBase::CopyFrom(const CGridCellBase& cell)
{
    SetText(cell.GetText());
    SetImage(cell.GetImage());
    SetData(cell.GetData());
    SetState(cell.GetState());
    SetFormat(cell.GetFormat());
    SetTextClr(cell.GetTextClr());
    SetBackClr(cell.GetBackClr());
    SetFont(cell.IsDefaultFont() ? nullptr : cell.GetFont());
    SetMargin(cell.GetMargin());
}

void CGridCellBase::Reset()
{
    m_nState = 0;
}

bool CGridCellBase::GetImageSize(SIZE* pSize) const
{
    const CGridCtrl* pGrid = GetGrid();
    if (pGrid == nullptr || GetImage() < 0 || pGrid->GetImageList() == nullptr)
        return false;
    int cx = 0;
    int cy = 0;
    if (!ImageList_GetIconSize(pGrid->GetImageList(), &cx, &cy))
        return false;
    pSize->cx = cx;
    pSize->cy = cy;
    return true;
}

// Fills, edges, image, sort arrow and text of one cell. The rectangle's
// right and bottom lie one pixel inside the next cell, where the grid lines
// go; the background fill covers that pixel too.
BOOL CGridCellBase::Draw(HDC hDC, int nRow, int nCol, RECT rect, BOOL bEraseBkgnd)
{
    CGridCtrl* pGrid = GetGrid();
    if (pGrid == nullptr || hDC == nullptr || rect.right <= rect.left || rect.bottom <= rect.top)
        return FALSE;

    CSaveDC saveDC(hDC);
    SetBkMode(hDC, TRANSPARENT);

    const CGridDefaultCell* pDefault = GetDefaultCell(nRow);
    COLORREF crFg = GetRawTextClr();
    COLORREF crBk = GetRawBackClr();
    if (crFg == CLR_DEFAULT)
        crFg = pDefault ? pDefault->GetTextClr() : GetSysColor(COLOR_WINDOWTEXT);
    if (crBk == CLR_DEFAULT)
        crBk = pDefault ? pDefault->GetBackClr() : GetSysColor(COLOR_WINDOW);
    if (IsSelected()) {
        crBk = GetSysColor(COLOR_HIGHLIGHT);
        crFg = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }

    if (bEraseBkgnd || IsSelected()) {
        RECT rcFill = rect;
        ++rcFill.right;
        ++rcFill.bottom;
        CBrushHandle brush(CreateSolidBrush(crBk));
        FillRect(hDC, &rcFill, brush);
    }
    if ((IsFocused() || IsDropHighlighted()) && pGrid->GetFrameFocusCell()) {
        // Inside the grid lines when they are drawn, else up to the next cell.
        RECT rcFrame = rect;
        if (pGrid->GetGridLines() == GVL_NONE) {
            ++rcFrame.right;
            ++rcFrame.bottom;
        }
        CBrushHandle brush(CreateSolidBrush(crFg));
        FrameRect(hDC, &rcFrame, brush);
    }

    if (IsFixed() && pGrid->GetGridLines() != GVL_NONE) {
        const CCellID focus = pGrid->GetFocusCell();
        const bool bSunken = pGrid->GetTrackFocusCell() && focus.IsValid() &&
                             ((IsFixedRow() && focus.col == nCol) ||
                              (IsFixedCol() && focus.row == nRow));
        if (bSunken) {
            RECT rcEdge = rect;
            ++rcEdge.right;
            ++rcEdge.bottom;
            DrawEdge(hDC, &rcEdge, BDR_SUNKENINNER, BF_RECT);
        } else {
            CPenHandle penLight(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DHIGHLIGHT)));
            CPenHandle penDark(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW)));
            {
                CSelectObject sel(hDC, penLight);
                MoveToEx(hDC, rect.left, rect.bottom, nullptr);
                LineTo(hDC, rect.left, rect.top);
                LineTo(hDC, rect.right, rect.top);
            }
            {
                CSelectObject sel(hDC, penDark);
                MoveToEx(hDC, rect.right, rect.top, nullptr);
                LineTo(hDC, rect.right, rect.bottom);
                LineTo(hDC, rect.left - 1, rect.bottom);
            }
        }
        InflateRect(&rect, -1, -1);
    }

    SelectObject(hDC, GetFontObject());
    SetTextColor(hDC, crFg);
    const int nMargin = std::max(GetMargin(), 0);
    rect.left += nMargin;
    rect.right -= nMargin;

    SIZE sizeImage;
    if (GetImageSize(&sizeImage) && rect.left + sizeImage.cx <= rect.right + nMargin &&
        rect.top + sizeImage.cy <= rect.bottom + 1) {
        ImageList_Draw(pGrid->GetImageList(), GetImage(), hDC, rect.left, rect.top, ILD_NORMAL);
        rect.left += sizeImage.cx + nMargin;
    }

    if (nRow == 0 && nCol == pGrid->GetSortColumn() && nCol >= 0) {
        SIZE sizeM = {0, 0};
        GetTextExtentPoint32A(hDC, "M", 1, &sizeM);
        const int s = std::min<int>(sizeM.cy, rect.bottom - rect.top) - 4;
        const LOGFONTA* plf = GetFont();
        const bool bVertical = plf != nullptr && plf->lfEscapement == 900;
        if (s > 0 && rect.left + s < rect.right + 2 * nMargin) {
            const int x = bVertical ? (rect.left + rect.right - s) / 2 : rect.right - s;
            const int yTop = rect.bottom - s - 2;
            const int yBottom = rect.bottom - 2;
            POINT pts[4];
            if (pGrid->GetSortAscending()) {
                pts[0] = {x + s / 2, yTop};
                pts[1] = {x + s, yBottom};
                pts[2] = {x, yBottom};
            } else {
                pts[0] = {x + s / 2, yBottom};
                pts[1] = {x + s, yTop};
                pts[2] = {x, yTop};
            }
            pts[3] = pts[0];
            CPenHandle penLight(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DHIGHLIGHT)));
            CPenHandle penShadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DSHADOW)));
            {
                POINT shifted[4];
                for (int i = 0; i < 4; ++i)
                    shifted[i] = {pts[i].x + 1, pts[i].y + 1};
                CSelectObject sel(hDC, penLight);
                Polyline(hDC, shifted, 4);
            }
            {
                CSelectObject sel(hDC, penShadow);
                Polyline(hDC, pts, 4);
            }
            if (!bVertical)
                rect.right -= s;
        }
    }

    const char* pszText = GetText();
    DrawCellText(hDC, pszText, -1, &rect, GetFormat() | DT_NOPREFIX);
    return TRUE;
}

BOOL CGridCellBase::GetTextRect(RECT* pRect)
{
    if (pRect == nullptr)
        return FALSE;
    // As Draw lays it out: inside the raised edge of a fixed cell, the
    // margins and the image.
    const CGridCtrl* pGrid = GetGrid();
    if (IsFixed() && pGrid != nullptr && pGrid->GetGridLines() != GVL_NONE)
        ::InflateRect(pRect, -1, -1);
    const int nMargin = std::max(GetMargin(), 0);
    SIZE sizeImage;
    if (GetImageSize(&sizeImage))
        pRect->left += sizeImage.cx + nMargin;
    pRect->left += nMargin;
    pRect->right -= nMargin;
    return pRect->right > pRect->left;
}

SIZE CGridCellBase::GetTextExtent(const char* pszText, HDC hDC)
{
    if (pszText == nullptr || *pszText == '\0')
        return GetDefaultExtent();

    CGridCtrl* pGrid = GetGrid();
    HDC hMeasureDC = pGrid != nullptr ? pGrid->GetMeasureDC() : nullptr;
    std::unique_ptr<CWindowDC> pClientDC;
    if (hDC == nullptr)
        hDC = hMeasureDC;
    if (hDC == nullptr) {
        pClientDC = std::make_unique<CWindowDC>(pGrid ? pGrid->m_hWnd : nullptr);
        hDC = pClientDC->Get();
        if (hDC == nullptr)
            return GetDefaultExtent();
    }

    const DWORD nFormat = GetFormat();
    const int nMargin = std::max(GetMargin(), 0);
    const bool bLines = (nFormat & DT_WORDBREAK) && !(nFormat & DT_SINGLELINE);
    HFONT hFont = GetFontObject();
    SIZE size = {0, 0};
    int nOverhang = 0;
    if (hDC == hMeasureDC && !bLines && IsDefaultFont() && hFont != nullptr) {
        // The grid's measurer knows the default cells' fonts (a font of the
        // cell's own may share its handle with an earlier one).
        size = pGrid->GetTextMeasurer().Measure(hDC, hFont, pszText, std::strlen(pszText),
                                                &nOverhang);
        size.cx += nOverhang + 4 * nMargin;
        size.cy += 2 * nMargin;
        return size;
    }

    // The grid's measuring DC keeps a default cell's font selected (most
    // cells share one; the default cell takes it out before deleting it). A
    // font of the cell's own is selected only while it is measured, so like
    // any other DC the measuring DC gets its font back.
    std::unique_ptr<CSelectObject> pSelFont;
    if (hDC == hMeasureDC && IsDefaultFont()) {
        if (hFont != nullptr && GetCurrentObject(hDC, OBJ_FONT) != hFont)
            SelectObject(hDC, hFont);
    } else {
        pSelFont = std::make_unique<CSelectObject>(hDC, hFont);
    }
    if (bLines) {
        // The widest line gives the width; DrawText gives the height.
        const char* pLine = pszText;
        while (true) {
            const char* pEnd = std::strchr(pLine, '\n');
            const int nLen = pEnd ? static_cast<int>(pEnd - pLine) : static_cast<int>(std::strlen(pLine));
            SIZE sizeLine = {0, 0};
            GetTextExtentPoint32A(hDC, pLine, nLen, &sizeLine);
            size.cx = std::max(size.cx, sizeLine.cx);
            if (pEnd == nullptr)
                break;
            pLine = pEnd + 1;
        }
        RECT rc = {0, 0, size.cx, 0};
        DrawTextA(hDC, pszText, -1, &rc, nFormat | DT_CALCRECT);
        size.cy = rc.bottom - rc.top;
    } else {
        GetTextExtentPoint32A(hDC, pszText, static_cast<int>(std::strlen(pszText)), &size);
    }
    TEXTMETRICA tm = {};
    GetTextMetricsA(hDC, &tm);
    size.cx += tm.tmOverhang + 4 * nMargin;
    size.cy += 2 * nMargin;
    return size;
}

SIZE CGridCellBase::GetCellExtent(HDC hDC)
{
    SIZE size = GetOwnTextExtent(hDC);
    SIZE sizeImage;
    if (GetImageSize(&sizeImage)) {
        size.cx += sizeImage.cx;
        size.cy = std::max(size.cy, sizeImage.cy);
    }
    return size;
}

BOOL CGridCellBase::DrawCellText(HDC hDC, const char* pszText, int nLength, RECT* pRect, UINT nFormat)
{
    return DrawTextA(hDC, pszText, nLength, pRect, nFormat) != 0;
}

BOOL CGridCellBase::OnSetCursor()
{
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    return TRUE;
}
