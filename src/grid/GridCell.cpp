#include "grid/GridCell.h"

#include <cstring>

#include "framework/Handles.h"
#include "grid/GridCtrl.h"
#include "grid/GridDefaultCell.h"

IMPLEMENT_DYNCREATE(CGridCell, CGridCellBase)

CGridCell::CGridCell() = default;

void CGridCell::SetText(const char* pszText)
{
    ForgetExtent();
    if (pszText == nullptr || *pszText == '\0') {
        m_pszText.reset();
        return;
    }
    const size_t nLen = std::strlen(pszText);
    // Reuse the buffer when the new text is no longer than the old one.
    if (m_pszText && std::strlen(m_pszText.get()) >= nLen) {
        std::memcpy(m_pszText.get(), pszText, nLen + 1);
        return;
    }
    std::unique_ptr<char[]> pNew(new (std::nothrow) char[nLen + 1]);
    if (!pNew)
        return;
    std::memcpy(pNew.get(), pszText, nLen + 1);
    m_pszText = std::move(pNew);
}

void CGridCell::SetState(DWORD nState)
{
    const DWORD kFixedBits = GVIS_FIXED | GVIS_FIXEDROW | GVIS_FIXEDCOL;
    if ((nState & kFixedBits) != (m_nState & kFixedBits))
        ForgetExtent();  // another default cell serves it now
    CGridCellBase::SetState(nState);
}

void CGridCell::SetFormat(DWORD nFormat)
{
    m_nFormat = nFormat;
    ForgetExtent();
}

void CGridCell::SetFont(const LOGFONTA* plf)
{
    ForgetExtent();
    if (plf == nullptr) {
        m_plfFont.reset();
        return;
    }
    if (!m_plfFont) {
        m_plfFont.reset(new (std::nothrow) LOGFONTA);
        if (!m_plfFont)
            return;
    }
    *m_plfFont = *plf;
}

void CGridCell::SetMargin(int nMargin)
{
    m_nMargin = nMargin;
    ForgetExtent();
}

void CGridCell::SetGrid(CGridCtrl* pGrid)
{
    m_pGrid = pGrid;
    ForgetExtent();
}

DWORD CGridCell::GetFormat() const
{
    if (m_nFormat != GRID_FORMAT_DEFAULT)
        return m_nFormat;
    const CGridDefaultCell* pDefault = GetDefaultCell(1);
    return pDefault ? pDefault->GetFormat() : 0;
}

COLORREF CGridCell::GetTextClr() const
{
    if (m_crFgClr != CLR_DEFAULT)
        return m_crFgClr;
    const CGridDefaultCell* pDefault = GetDefaultCell(1);
    return pDefault ? pDefault->GetTextClr() : CLR_DEFAULT;
}

COLORREF CGridCell::GetBackClr() const
{
    if (m_crBkClr != CLR_DEFAULT)
        return m_crBkClr;
    const CGridDefaultCell* pDefault = GetDefaultCell(1);
    return pDefault ? pDefault->GetBackClr() : CLR_DEFAULT;
}

const LOGFONTA* CGridCell::GetFont() const
{
    if (m_plfFont)
        return m_plfFont.get();
    const CGridDefaultCell* pDefault = GetDefaultCell(1);
    return pDefault ? pDefault->GetFont() : nullptr;
}

// A cell with a font of its own shares one font object with every other
// such cell: it is remade when a cell with another font asks for it, so no
// DC keeps it selected beyond a drawing or measuring step. The object lives
// until the process ends.
HFONT CGridCell::GetFontObject() const
{
    if (!m_plfFont) {
        const CGridDefaultCell* pDefault = GetDefaultCell(1);
        return pDefault ? pDefault->GetFontObject() : nullptr;
    }
    static LOGFONTA s_lf;
    static CFontHandle s_font;
    if (s_font.Get() == nullptr || std::memcmp(&s_lf, m_plfFont.get(), sizeof(LOGFONTA)) != 0) {
        HFONT hNew = CreateFontIndirectA(m_plfFont.get());
        if (hNew == nullptr)
            return s_font.Get();
        s_font.Reset(hNew);
        s_lf = *m_plfFont;
    }
    return s_font.Get();
}

int CGridCell::GetMargin() const
{
    if (m_nMargin != GRID_MARGIN_DEFAULT)
        return m_nMargin;
    const CGridDefaultCell* pDefault = GetDefaultCell(1);
    return pDefault ? pDefault->GetMargin() : 0;
}

void CGridCell::Reset()
{
    CGridCellBase::Reset();
    m_pszText.reset();
    m_nImage = -1;
    m_nFormat = GRID_FORMAT_DEFAULT;
    m_nMargin = GRID_MARGIN_DEFAULT;
    m_crFgClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    m_bEditing = false;
    m_pGrid = nullptr;
    m_pEditWnd = nullptr;
    m_plfFont.reset();
    ForgetExtent();
}

void CGridCell::OnEndEdit()
{
    m_bEditing = false;
    m_pEditWnd = nullptr;
}

// Measures the text once and keeps the result while the grid's default
// cells stay as they were. Only screen measurements are kept: a printer
// DC gives other sizes.
SIZE CGridCell::GetOwnTextExtent(HDC hDC)
{
    const unsigned nGeneration = m_pGrid ? m_pGrid->GetExtentGeneration() : 0;
    const bool bScreen = hDC == nullptr || (m_pGrid != nullptr && hDC == m_pGrid->GetMeasureDC()) ||
                         GetDeviceCaps(hDC, TECHNOLOGY) == DT_RASDISPLAY;
    if (nGeneration != 0 && bScreen && m_nExtentGeneration == nGeneration)
        return m_sizeExtent;
    const SIZE size = GetTextExtent(GetText(), hDC);
    if (nGeneration != 0 && bScreen) {
        m_sizeExtent = size;
        m_nExtentGeneration = nGeneration;
    }
    return size;
}
