#include "grid/GridDefaultCell.h"

#include "grid/GridCtrl.h"
#include "framework/Handles.h"

IMPLEMENT_DYNCREATE(CGridDefaultCell, CGridCell)

CGridDefaultCell::CGridDefaultCell()
{
    m_nFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;  // 0x8824
    m_crFgClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    m_nMargin = 3;
}

void CGridDefaultCell::NotifyGrid() const
{
    if (m_pGrid != nullptr)
        m_pGrid->InvalidateExtents();
}

void CGridDefaultCell::SetFormat(DWORD nFormat)
{
    CGridCell::SetFormat(nFormat);
    NotifyGrid();
}

void CGridDefaultCell::SetMargin(int nMargin)
{
    CGridCell::SetMargin(nMargin < 0 ? 0 : nMargin);
    NotifyGrid();
}

// Makes the font object and measures with it on the screen: the margin is
// one space, the width " XXXXXXXXXXXX " and the height one and a half text
// lines.
void CGridDefaultCell::SetFont(const LOGFONTA* plf)
{
    CGridCell::SetFont(plf);
    // The grid's measuring DC may hold the font going: a font still selected
    // would not be deleted.
    if (m_pGrid != nullptr && m_font.Get() != nullptr) {
        const HDC hMeasureDC = m_pGrid->GetMeasureDC();
        if (GetCurrentObject(hMeasureDC, OBJ_FONT) == m_font.Get())
            SelectObject(hMeasureDC, GetStockObject(SYSTEM_FONT));
    }
    m_font.Reset(plf != nullptr ? ::CreateFontIndirectA(plf) : nullptr);
    NotifyGrid();
    if (plf == nullptr)
        return;

    CWindowDC dc(nullptr);
    if (dc.Get() == nullptr) {
        m_nMargin = 3;
        m_nWidth = 40;
        m_nHeight = 16;
        return;
    }
    CSelectObject selFont(dc, m_font.Get());
    SIZE sizeSpace = {0, 0};
    GetTextExtentPoint32A(dc, " ", 1, &sizeSpace);
    static const char kSample[] = " XXXXXXXXXXXX ";
    SIZE sizeSample = {0, 0};
    GetTextExtentPoint32A(dc, kSample, static_cast<int>(sizeof(kSample) - 1), &sizeSample);
    m_nMargin = sizeSpace.cx;
    m_nWidth = sizeSample.cx;
    m_nHeight = sizeSample.cy * 3 / 2;
}
