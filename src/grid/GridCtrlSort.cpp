// Sorting the non-fixed rows by one column.
#include "grid/GridCtrl.h"

#include <cstring>
#include <utility>
#include <vector>


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

// A quicksort on the middle entry (the pivot is that entry's cell, kept
// while entries move). Equal entries are stepped over without an exchange.
// The smaller part is sorted by recursion and the larger one by the loop,
// so the stack stays shallow even on unlucky data.
template <typename Compare>
void QuickSort(CGridCtrl::SortEntry* a, int nLow, int nHigh, bool bAscending, const Compare& compare)
{
    while (nHigh > nLow) {
        const CGridCtrl::SortEntry pivot = a[(nLow + nHigh) / 2];
        int lo = nLow;
        int hi = nHigh;
        while (lo <= hi) {
            if (bAscending) {
                while (lo < nHigh && compare(a[lo], pivot) < 0)
                    ++lo;
                while (hi > nLow && compare(a[hi], pivot) > 0)
                    --hi;
            } else {
                while (lo < nHigh && compare(a[lo], pivot) > 0)
                    ++lo;
                while (hi > nLow && compare(a[hi], pivot) < 0)
                    --hi;
            }
            if (lo <= hi) {
                if (compare(a[lo], a[hi]) != 0)
                    std::swap(a[lo], a[hi]);
                ++lo;
                --hi;
            }
        }
        if (hi - nLow < nHigh - lo) {
            if (nLow < hi)
                QuickSort(a, nLow, hi, bAscending, compare);
            nLow = lo;
        } else {
            if (lo < nHigh)
                QuickSort(a, lo, nHigh, bAscending, compare);
            nHigh = hi;
        }
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

    const int nFirst = m_nFixedRows;
    const int nCount = m_nRows - nFirst;
    if (nCount > 1) {
        // The sort column's cells in a compact array, sorted there; the
        // rows then move once to their places.
        std::vector<SortEntry> entries(static_cast<size_t>(nCount));
        for (int i = 0; i < nCount; ++i) {
            CGridCellBase* pCell = m_RowData[static_cast<size_t>(nFirst + i)][static_cast<size_t>(nCol)];
            entries[static_cast<size_t>(i)] = {reinterpret_cast<LPARAM>(pCell),
                                               pCell ? pCell->GetText() : nullptr, nFirst + i};
        }
        if (m_pfnCompare != nullptr) {
            PFNLVCOMPARE pfn = m_pfnCompare;
            QuickSort(entries.data(), 0, nCount - 1, bAscending != FALSE,
                      [pfn, data](const SortEntry& a, const SortEntry& b) {
                          return pfn(a.lParamCell, b.lParamCell, data);
                      });
        } else if (IsDbcsCodePage()) {
            QuickSort(entries.data(), 0, nCount - 1, bAscending != FALSE,
                      [](const SortEntry& a, const SortEntry& b) {
                          return (a.pszText && b.pszText) ? CompareAnsi(a.pszText, b.pszText) : 0;
                      });
        } else {
            // The same order without the double-byte test per character.
            QuickSort(entries.data(), 0, nCount - 1, bAscending != FALSE,
                      [](const SortEntry& a, const SortEntry& b) {
                          return (a.pszText && b.pszText) ? std::strcmp(a.pszText, b.pszText) : 0;
                      });
        }
        MoveRows(entries);
    }
    Refresh();
    return TRUE;
}

// Puts each sorted row at its new index, with its height; every moved cell
// is told its new coordinates.
void CGridCtrl::MoveRows(const std::vector<SortEntry>& entries)
{
    const int nFirst = m_nFixedRows;
    std::vector<GridRow> sorted(entries.size());
    std::vector<int> heights(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        sorted[i] = std::move(m_RowData[static_cast<size_t>(entries[i].nRow)]);
        heights[i] = m_arRowHeights.Get(entries[i].nRow);
    }
    m_arRowHeights.BeginBatch();
    for (size_t i = 0; i < entries.size(); ++i) {
        const int nRow = nFirst + static_cast<int>(i);
        m_RowData[static_cast<size_t>(nRow)] = std::move(sorted[i]);
        m_arRowHeights.Set(nRow, heights[i]);
        if (entries[i].nRow != nRow) {
            for (int nCol = 0; nCol < m_nCols; ++nCol) {
                CGridCellBase* pCell = m_RowData[static_cast<size_t>(nRow)][static_cast<size_t>(nCol)];
                if (pCell != nullptr)
                    pCell->SetCoords(nRow, nCol);
            }
        }
    }
    m_arRowHeights.EndBatch();
}
