// A rectangle of cells given by its first and last row and column
// (inclusive). A range is valid when all bounds are >= 0 and min <= max.
#pragma once

#include "grid/CellID.h"

class CCellRange {
public:
    CCellRange() = default;
    CCellRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol);

    void Set(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1);

    bool IsValid() const;
    bool InRange(int nRow, int nCol) const;
    bool InRange(const CCellID& cell) const { return InRange(cell.row, cell.col); }
    // The number of rows or columns spanned; 0 for an invalid range.
    int GetRowSpan() const;
    int GetColSpan() const;
    int Count() const { return GetRowSpan() * GetColSpan(); }

    CCellID GetTopLeft() const { return CCellID(m_nMinRow, m_nMinCol); }
    int GetMinRow() const { return m_nMinRow; }
    int GetMinCol() const { return m_nMinCol; }
    int GetMaxRow() const { return m_nMaxRow; }
    int GetMaxCol() const { return m_nMaxCol; }
    void SetMinRow(int n) { m_nMinRow = n; }
    void SetMinCol(int n) { m_nMinCol = n; }
    void SetMaxRow(int n) { m_nMaxRow = n; }
    void SetMaxCol(int n) { m_nMaxCol = n; }

    bool operator==(const CCellRange& other) const;
    bool operator!=(const CCellRange& other) const { return !(*this == other); }

private:
    int m_nMinRow = -1;
    int m_nMinCol = -1;
    int m_nMaxRow = -1;
    int m_nMaxCol = -1;
};
