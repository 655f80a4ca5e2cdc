// Painting the grid: the background, the visible cells and the grid lines.
#include "grid/GridCtrl.h"

#include <algorithm>

#include "framework/Handles.h"

namespace {

void FillSolid(HDC hDC, int left, int top, int right, int bottom, COLORREF clr)
{
    if (right <= left || bottom <= top)
        return;
    RECT rc = {left, top, right, bottom};
    CBrushHandle brush(CreateSolidBrush(clr));
    FillRect(hDC, &rc, brush);
}

}  // namespace

// Paints the update area through one off-screen bitmap when double
// buffering is on, so that the grid never flickers.
void CGridCtrl::OnPaint()
{
    CPaintDC dc(m_hWnd);
    if (!m_bAllowDraw)
        return;
    if (!m_bDoubleBuffer) {
        OnDraw(dc);
        return;
    }
    RECT rcPaint;
    if (GetClipBox(dc, &rcPaint) == ERROR)
        GetClientRect(&rcPaint);
    const int nWidth = rcPaint.right - rcPaint.left;
    const int nHeight = rcPaint.bottom - rcPaint.top;
    if (nWidth <= 0 || nHeight <= 0)
        return;
    CMemoryDC memDC(dc);
    CBitmapHandle bitmap(CreateCompatibleBitmap(dc, nWidth, nHeight));
    if (memDC.Get() == nullptr || bitmap.Get() == nullptr) {
        OnDraw(dc);
        return;
    }
    CSelectObject selBitmap(memDC, bitmap);
    SetViewportOrgEx(memDC, -rcPaint.left, -rcPaint.top, nullptr);
    FillSolid(memDC, rcPaint.left, rcPaint.top, rcPaint.right, rcPaint.bottom, m_crGridBkColour);
    OnDraw(memDC);
    SetViewportOrgEx(memDC, 0, 0, nullptr);
    BitBlt(dc, rcPaint.left, rcPaint.top, nWidth, nHeight, memDC, 0, 0, SRCCOPY);
}

// OnDraw paints every part of the window.
BOOL CGridCtrl::OnEraseBkgnd(HDC /*hDC*/)
{
    return TRUE;
}

void CGridCtrl::DrawCell(HDC hDC, int nRow, int nCol, const RECT& rect, BOOL bEraseBk)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell != nullptr)
        pCell->Draw(hDC, nRow, nCol, rect, bEraseBk);
}

// Background first (default-cell colours per area, the grid background
// beyond the last row and column), then the cells: the fixed corner, the
// fixed rows, the fixed columns, the visible non-fixed cells; then the grid
// lines over the non-fixed area. Only visible rows and columns are touched.
void CGridCtrl::OnDraw(HDC hDC)
{
    if (!m_bAllowDraw || hDC == nullptr || m_hWnd == nullptr)
        return;
    RECT rcClient;
    GetClientRect(&rcClient);
    const int nFixedWidth = GetFixedColumnWidth();
    const int nFixedHeight = GetFixedRowHeight();
    RECT rcVisible;
    const CCellRange visible = GetVisibleNonFixedCellRange(&rcVisible);
    const int nRight = std::min<int>(rcClient.right, rcVisible.right);
    const int nBottom = std::min<int>(rcClient.bottom, rcVisible.bottom);

    FillSolid(hDC, 0, 0, nFixedWidth, nFixedHeight, m_cellFixedRowColDef.GetBackClr());
    FillSolid(hDC, nFixedWidth, 0, nRight, nFixedHeight, m_cellFixedRowDef.GetBackClr());
    FillSolid(hDC, 0, nFixedHeight, nFixedWidth, nBottom, m_cellFixedColDef.GetBackClr());
    FillSolid(hDC, nFixedWidth, nFixedHeight, nRight, nBottom, m_cellOddRowDef.GetBackClr());
    FillSolid(hDC, std::max(nRight, nFixedWidth), 0, rcClient.right, rcClient.bottom, m_crGridBkColour);
    FillSolid(hDC, 0, std::max(nBottom, nFixedHeight), rcClient.right, rcClient.bottom,
              m_crGridBkColour);

    const int nMinRow = visible.GetMinRow();
    const int nMaxRow = visible.GetMaxRow();
    const int nMinCol = visible.GetMinCol();
    const int nMaxCol = visible.GetMaxCol();
    POINT ptTopLeft = {nFixedWidth, nFixedHeight};
    if (IsValid(nMinRow, nMinCol))
        GetCellOrigin(nMinRow, nMinCol, &ptTopLeft);

    // Draws rows [r0, r1] x columns [c0, c1] starting at (x0, y0).
    auto drawBlock = [&](int r0, int r1, int y0, int c0, int c1, int x0) {
        int y = y0;
        for (int nRow = r0; nRow <= r1; ++nRow) {
            const int nHeight = GetRowHeight(nRow);
            if (nHeight > 0) {
                int x = x0;
                for (int nCol = c0; nCol <= c1; ++nCol) {
                    const int nWidth = GetColumnWidth(nCol);
                    if (nWidth > 0) {
                        const RECT rect = {x, y, x + nWidth - 1, y + nHeight - 1};
                        DrawCell(hDC, nRow, nCol, rect, TRUE);
                    }
                    x += nWidth;
                }
            }
            y += nHeight;
        }
    };
    // A block that scrolls is clipped to its own area: the top row of a
    // position between two rows starts above the fixed rows, and must not
    // paint over them.
    drawBlock(0, m_nFixedRows - 1, 0, 0, m_nFixedCols - 1, 0);
    {
        CSaveDC save(hDC);
        IntersectClipRect(hDC, nFixedWidth, 0, rcClient.right, nFixedHeight);
        drawBlock(0, m_nFixedRows - 1, 0, nMinCol, nMaxCol, ptTopLeft.x);
    }
    {
        CSaveDC save(hDC);
        IntersectClipRect(hDC, 0, nFixedHeight, nFixedWidth, rcClient.bottom);
        drawBlock(nMinRow, nMaxRow, ptTopLeft.y, 0, m_nFixedCols - 1, 0);
    }
    CSaveDC save(hDC);
    IntersectClipRect(hDC, nFixedWidth, nFixedHeight, rcClient.right, rcClient.bottom);
    drawBlock(nMinRow, nMaxRow, ptTopLeft.y, nMinCol, nMaxCol, ptTopLeft.x);

    if (m_nGridLines == GVL_NONE)
        return;
    CPenHandle pen(CreatePen(PS_SOLID, 1, m_crGridLineColour));
    CSelectObject selPen(hDC, pen);
    if (m_nGridLines & GVL_VERT) {
        int x = ptTopLeft.x;
        for (int nCol = nMinCol; nCol <= nMaxCol; ++nCol) {
            const int nWidth = GetColumnWidth(nCol);
            x += nWidth;
            if (nWidth > 0) {
                MoveToEx(hDC, x - 1, nFixedHeight, nullptr);
                LineTo(hDC, x - 1, nBottom);
            }
        }
    }
    if (m_nGridLines & GVL_HORZ) {
        int y = ptTopLeft.y;
        for (int nRow = nMinRow; nRow <= nMaxRow; ++nRow) {
            const int nHeight = GetRowHeight(nRow);
            y += nHeight;
            if (nHeight > 0) {
                MoveToEx(hDC, nFixedWidth, y - 1, nullptr);
                LineTo(hDC, nRight, y - 1);
            }
        }
    }
}

// Draws one cell now on a DC (with its grid lines), or invalidates it.
BOOL CGridCtrl::RedrawCell(int nRow, int nCol, HDC hDC)
{
    if (!m_bAllowDraw || m_hWnd == nullptr || !IsCellVisible(nRow, nCol))
        return FALSE;
    RECT rect;
    if (!GetCellRect(nRow, nCol, &rect))
        return FALSE;
    if (hDC == nullptr) {
        RECT rcInvalid = {rect.left, rect.top, rect.right + 1, rect.bottom + 1};
        ::InvalidateRect(m_hWnd, &rcInvalid, TRUE);
        return TRUE;
    }
    // Fixed cells keep their edges; the other cells get their grid lines
    // back. A cell scrolled partly under the fixed rows or columns draws
    // only its visible part.
    RECT rcClient;
    GetClientRect(&rcClient);
    CSaveDC save(hDC);
    IntersectClipRect(hDC, nCol >= m_nFixedCols ? GetFixedColumnWidth() : 0,
                      nRow >= m_nFixedRows ? GetFixedRowHeight() : 0, rcClient.right,
                      rcClient.bottom);
    DrawCell(hDC, nRow, nCol, rect, TRUE);
    if (!IsCellFixed(nRow, nCol) && m_nGridLines != GVL_NONE) {
        CPenHandle pen(CreatePen(PS_SOLID, 1, m_crGridLineColour));
        CSelectObject selPen(hDC, pen);
        if (m_nGridLines & GVL_VERT) {
            MoveToEx(hDC, rect.right, rect.top, nullptr);
            LineTo(hDC, rect.right, rect.bottom + 1);
        }
        if (m_nGridLines & GVL_HORZ) {
            MoveToEx(hDC, rect.left, rect.bottom, nullptr);
            LineTo(hDC, rect.right + 1, rect.bottom);
        }
    }
    return TRUE;
}

void CGridCtrl::Refresh()
{
    if (m_hWnd != nullptr && m_bAllowDraw)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CGridCtrl::SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars)
{
    m_bAllowDraw = bAllowDraw;
    if (bAllowDraw && bResetScrollBars)
        ResetScrollBars();
    Refresh();
}
