#include "grid/GridSizeList.h"

#include <utility>

namespace {

inline size_t LowBit(size_t n)
{
    return n & (~n + 1);
}

}  // namespace

void CGridSizeList::AddToTree(int nIndex, long long nDelta)
{
    for (size_t i = static_cast<size_t>(nIndex) + 1; i < m_tree.size(); i += LowBit(i))
        m_tree[i] += nDelta;
}

void CGridSizeList::Rebuild()
{
    const size_t n = m_sizes.size();
    m_tree.assign(n + 1, 0);
    m_nTotal = 0;
    for (size_t i = 1; i <= n; ++i) {
        m_tree[i] += m_sizes[i - 1];
        m_nTotal += m_sizes[i - 1];
        const size_t parent = i + LowBit(i);
        if (parent <= n)
            m_tree[parent] += m_tree[i];
    }
}

void CGridSizeList::Set(int nIndex, int nSize)
{
    if (!IsValid(nIndex) || nSize < 0)
        return;
    const long long nDelta = static_cast<long long>(nSize) - m_sizes[static_cast<size_t>(nIndex)];
    m_sizes[static_cast<size_t>(nIndex)] = static_cast<unsigned>(nSize);
    m_nTotal += nDelta;
    if (m_nBatch == 0)
        AddToTree(nIndex, nDelta);
}

void CGridSizeList::Swap(int nIndex1, int nIndex2)
{
    if (!IsValid(nIndex1) || !IsValid(nIndex2) || nIndex1 == nIndex2)
        return;
    const int nSize1 = Get(nIndex1);
    const int nSize2 = Get(nIndex2);
    if (nSize1 == nSize2)
        return;
    Set(nIndex1, nSize2);
    Set(nIndex2, nSize1);
}

void CGridSizeList::Append(int nSize)
{
    if (nSize < 0)
        nSize = 0;
    m_sizes.push_back(static_cast<unsigned>(nSize));
    m_nTotal += nSize;
    if (m_nBatch != 0)
        return;
    // The new tree node covers (i - lowbit(i), i]: its own size plus the
    // sums of the nodes that make up the rest of that span.
    const size_t i = m_sizes.size();
    long long nNode = nSize;
    for (size_t j = i - 1; j > i - LowBit(i); j -= LowBit(j))
        nNode += m_tree[j];
    m_tree.push_back(nNode);
}

void CGridSizeList::Insert(int nIndex, int nSize)
{
    if (nIndex < 0 || nIndex >= Count()) {
        Append(nSize);
        return;
    }
    m_sizes.insert(m_sizes.begin() + nIndex, static_cast<unsigned>(nSize < 0 ? 0 : nSize));
    Rebuild();
}

void CGridSizeList::Erase(int nIndex)
{
    if (!IsValid(nIndex))
        return;
    if (nIndex == Count() - 1) {
        m_nTotal -= m_sizes.back();
        m_sizes.pop_back();
        if (m_nBatch == 0)
            m_tree.pop_back();
        return;
    }
    m_sizes.erase(m_sizes.begin() + nIndex);
    Rebuild();
}

void CGridSizeList::Resize(int nCount, int nNewSize)
{
    if (nCount < 0)
        nCount = 0;
    while (Count() > nCount)
        Erase(Count() - 1);
    m_sizes.reserve(static_cast<size_t>(nCount));
    m_tree.reserve(static_cast<size_t>(nCount) + 1);
    while (Count() < nCount)
        Append(nNewSize);
}

void CGridSizeList::Clear()
{
    m_sizes.clear();
    m_tree.assign(1, 0);
    m_nTotal = 0;
}

long long CGridSizeList::SumBefore(int nIndex) const
{
    if (nIndex <= 0)
        return 0;
    if (nIndex >= Count())
        return m_nTotal;
    if (m_nBatch != 0) {
        long long nSum = 0;
        for (int i = 0; i < nIndex; ++i)
            nSum += m_sizes[static_cast<size_t>(i)];
        return nSum;
    }
    long long nSum = 0;
    for (size_t i = static_cast<size_t>(nIndex); i > 0; i -= LowBit(i))
        nSum += m_tree[i];
    return nSum;
}

int CGridSizeList::IndexAt(long long nOffset) const
{
    if (nOffset < 0)
        return 0;
    if (nOffset >= m_nTotal)
        return Count();
    if (m_nBatch != 0) {
        long long nSum = 0;
        for (int i = 0; i < Count(); ++i) {
            nSum += m_sizes[static_cast<size_t>(i)];
            if (nSum > nOffset)
                return i;
        }
        return Count();
    }
    // Descend the tree for the largest prefix whose sum is <= nOffset.
    size_t nPos = 0;
    size_t nStep = 1;
    while (nStep * 2 <= m_sizes.size())
        nStep *= 2;
    long long nRemaining = nOffset;
    for (; nStep > 0; nStep /= 2) {
        const size_t next = nPos + nStep;
        if (next <= m_sizes.size() && m_tree[next] <= nRemaining) {
            nPos = next;
            nRemaining -= m_tree[next];
        }
    }
    return static_cast<int>(nPos);
}

void CGridSizeList::EndBatch()
{
    if (m_nBatch > 0 && --m_nBatch == 0)
        Rebuild();
}
