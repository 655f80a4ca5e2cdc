// Sorting the non-fixed rows by one column.
#include "grid/GridCtrl.h"

#include <cstring>
#include <utility>


namespace {

bool IsDbcsCodePage()
{
    static int s_nDbcs = -1;
    if (s_nDbcs < 0) {
        CPINFO info = {};
        s_nDbcs = (GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1) ? 1 : 0;
    }
    return s_nDbcs == 1;
}

// Character-code order of two ANSI strings; a double-byte character counts
// as one unit (lead byte times 256 plus trail byte).
int CompareAnsi(const char* psz1, const char* psz2)
{
    if (!IsDbcsCodePage())
        return std::strcmp(psz1, psz2);
    const unsigned char* p1 = reinterpret_cast<const unsigned char*>(psz1);
    const unsigned char* p2 = reinterpret_cast<const unsigned char*>(psz2);
    while (true) {
        unsigned c1 = *p1++;
        unsigned c2 = *p2++;
        if (c1 != 0 && IsDBCSLeadByte(static_cast<BYTE>(c1)) && *p1 != 0)
            c1 = (c1 << 8) | *p1++;
        if (c2 != 0 && IsDBCSLeadByte(static_cast<BYTE>(c2)) && *p2 != 0)
            c2 = (c2 << 8) | *p2++;
        if (c1 != c2)
            return c1 < c2 ? -1 : 1;
        if (c1 == 0)
            return 0;
    }
}

}  // namespace

int CALLBACK CGridCtrl::pfnCellTextCompare(LPARAM lParam1, LPARAM lParam2, LPARAM /*lParamSort*/)
{
    const CGridCellBase* pCell1 = reinterpret_cast<const CGridCellBase*>(lParam1);
    const CGridCellBase* pCell2 = reinterpret_cast<const CGridCellBase*>(lParam2);
    if (pCell1 == nullptr || pCell2 == nullptr)
        return 0;
    return CompareAnsi(pCell1->GetText(), pCell2->GetText());
}

void CGridCtrl::SetSortColumn(int nCol)
{
    const int nOld = m_nSortColumn;
    m_nSortColumn = nCol;
    if (nOld == nCol)
        return;
    RedrawCell(0, nOld);
    RedrawCell(0, nCol);
}

BOOL CGridCtrl::SortItems(int nCol, BOOL bAscending, LPARAM data)
{
    if (nCol < 0 || nCol >= m_nCols)
        return FALSE;
    SetSortColumn(nCol);
    m_bAscending = bAscending;
    m_lParamSortData = data;
    ResetSelectedRange();
    SetFocusCell(-1, -1);

    PFNLVCOMPARE pfnCompare = m_pfnCompare ? m_pfnCompare : pfnCellTextCompare;
    m_arRowHeights.BeginBatch();
    SortRows(pfnCompare, nCol, bAscending, data, m_nFixedRows, m_nRows - 1);
    m_arRowHeights.EndBatch();
    Refresh();
    return TRUE;
}

void CGridCtrl::SwapRows(int nRow1, int nRow2)
{
    std::swap(m_RowData[static_cast<size_t>(nRow1)], m_RowData[static_cast<size_t>(nRow2)]);
    for (int nCol = 0; nCol < m_nCols; ++nCol) {
        m_RowData[static_cast<size_t>(nRow1)][static_cast<size_t>(nCol)]->SetCoords(nRow1, nCol);
        m_RowData[static_cast<size_t>(nRow2)][static_cast<size_t>(nCol)]->SetCoords(nRow2, nCol);
    }
    m_arRowHeights.Swap(nRow1, nRow2);
}

// A quicksort on the middle row's cell of the sort column (the cell object
// stays the pivot while rows move). Equal cells are stepped over without
// an exchange. The smaller part is sorted by recursion and the larger one
// by the loop, so the stack stays shallow even on unlucky data.
void CGridCtrl::SortRows(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data, int nLow,
                         int nHigh)
{
    auto cell = [this, nCol](int nRow) {
        return reinterpret_cast<LPARAM>(m_RowData[static_cast<size_t>(nRow)][static_cast<size_t>(nCol)]);
    };
    while (nHigh > nLow && nCol >= 0 && nCol < m_nCols) {
        const LPARAM pivot = cell((nLow + nHigh) / 2);
        int lo = nLow;
        int hi = nHigh;
        while (lo <= hi) {
            if (bAscending) {
                while (lo < nHigh && pfnCompare(cell(lo), pivot, data) < 0)
                    ++lo;
                while (hi > nLow && pfnCompare(cell(hi), pivot, data) > 0)
                    --hi;
            } else {
                while (lo < nHigh && pfnCompare(cell(lo), pivot, data) > 0)
                    ++lo;
                while (hi > nLow && pfnCompare(cell(hi), pivot, data) < 0)
                    --hi;
            }
            if (lo <= hi) {
                if (pfnCompare(cell(lo), cell(hi), data) != 0)
                    SwapRows(lo, hi);
                ++lo;
                --hi;
            }
        }
        if (hi - nLow < nHigh - lo) {
            if (nLow < hi)
                SortRows(pfnCompare, nCol, bAscending, data, nLow, hi);
            nLow = lo;
        } else {
            if (lo < nHigh)
                SortRows(pfnCompare, nCol, bAscending, data, lo, nHigh);
            nHigh = hi;
        }
    }
}
