// A cell position of the grid: row and column, 0-based; (-1, -1) is no cell.
#pragma once

class CCellID {
public:
    int row = -1;
    int col = -1;

    CCellID() = default;
    CCellID(int nRow, int nCol) : row(nRow), col(nCol) {}

    bool IsValid() const { return row >= 0 && col >= 0; }
    bool operator==(const CCellID& other) const { return row == other.row && col == other.col; }
    bool operator!=(const CCellID& other) const { return !(*this == other); }
};
