#include "grid/CellRange.h"

CCellRange::CCellRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol)
{
    Set(nMinRow, nMinCol, nMaxRow, nMaxCol);
}

void CCellRange::Set(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol)
{
    m_nMinRow = nMinRow;
    m_nMinCol = nMinCol;
    m_nMaxRow = nMaxRow;
    m_nMaxCol = nMaxCol;
}

bool CCellRange::IsValid() const
{
    return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMaxRow >= 0 && m_nMaxCol >= 0 &&
           m_nMinRow <= m_nMaxRow && m_nMinCol <= m_nMaxCol;
}

bool CCellRange::InRange(int nRow, int nCol) const
{
    return IsValid() && nRow >= m_nMinRow && nRow <= m_nMaxRow && nCol >= m_nMinCol &&
           nCol <= m_nMaxCol;
}

int CCellRange::GetRowSpan() const
{
    return IsValid() ? m_nMaxRow - m_nMinRow + 1 : 0;
}

int CCellRange::GetColSpan() const
{
    return IsValid() ? m_nMaxCol - m_nMinCol + 1 : 0;
}

bool CCellRange::operator==(const CCellRange& other) const
{
    return m_nMinRow == other.m_nMinRow && m_nMinCol == other.m_nMinCol &&
           m_nMaxRow == other.m_nMaxRow && m_nMaxCol == other.m_nMaxCol;
}
