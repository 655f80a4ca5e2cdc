// The row heights or column widths of a grid, with running sums.
//
// Sizes are kept beside a Fenwick tree of their sums, so that the offset of
// an item, the item at an offset and the total are found in O(log n) and
// appending or removing the last item costs O(log n) whatever the count.
// Inserting or erasing elsewhere rebuilds the sums (O(n)). Between
// BeginBatch and EndBatch, Set and Swap only change the sizes; EndBatch
// rebuilds the sums once (used while sorting moves many rows).
#pragma once

#include <cstddef>
#include <vector>

class CGridSizeList {
public:
    int Count() const { return static_cast<int>(m_sizes.size()); }
    bool IsValid(int nIndex) const { return nIndex >= 0 && nIndex < Count(); }

    // The size of one item (the index must be valid).
    int Get(int nIndex) const { return static_cast<int>(m_sizes[static_cast<size_t>(nIndex)]); }
    void Set(int nIndex, int nSize);
    void Swap(int nIndex1, int nIndex2);

    void Append(int nSize);
    void Insert(int nIndex, int nSize);
    void Erase(int nIndex);
    // Keeps the first n items, or appends items of nNewSize up to n.
    void Resize(int nCount, int nNewSize);
    void Clear();

    // Sum of the sizes of the items before nIndex (0 <= nIndex <= Count()).
    long long SumBefore(int nIndex) const;
    long long Total() const { return m_nTotal; }
    // The first item whose span [SumBefore(i), SumBefore(i + 1)) holds the
    // offset; Count() when the offset is at or beyond the total, 0 when
    // negative. Items of size 0 never hold an offset.
    int IndexAt(long long nOffset) const;

    void BeginBatch() { ++m_nBatch; }
    void EndBatch();

private:
    void Rebuild();
    void AddToTree(int nIndex, long long nDelta);

    std::vector<unsigned> m_sizes;
    std::vector<long long> m_tree = std::vector<long long>(1, 0);  // 1-based Fenwick tree
    long long m_nTotal = 0;
    int m_nBatch = 0;
};
