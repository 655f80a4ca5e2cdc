// The one grid host of the tests: a visible top-level window whose client
// area a grid fills, set up empty or by the program's own file-list set-up,
// with every notification the grid sends recorded (and answered as the test
// says); and the pixels a window shows.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/GridCtrl.h"

namespace testsupport {

// One WM_NOTIFY from the grid.
struct GridNote {
    UINT code;
    int row;
    int col;
};

class GridHost {
public:
    // Empty: a grid without rows or columns (control id kGridId).
    // FileList: InitFileListGrid's set-up, column 0 then fitted to the window.
    enum class Setup { Empty, FileList };
    static constexpr UINT kGridId = 32198;

    explicit GridHost(Setup setup = Setup::Empty, SIZE client = {600, 400}, POINT at = {0, 0});
    ~GridHost();
    GridHost(const GridHost&) = delete;
    GridHost& operator=(const GridHost&) = delete;

    HWND Window() const { return m_hWnd; }
    CGridCtrl& Grid() { return *m_pGrid; }

    std::vector<GridNote> notes;                    // every WM_NOTIFY, in order
    std::function<LRESULT(const GridNote&)> reply;  // its answer (0 when unset)

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd = nullptr;
    std::unique_ptr<CGridCtrl> m_pGrid;
};

// Appends file-list rows: column 0 "C:\music\songNNNNN.mp3" (text order is
// row order), "Album" in the album columns 2 and 4.
void FillFileList(CGridCtrl& grid, int nRows);
// The texts of a column over the data rows, in row order.
std::vector<std::string> Column(const CGridCtrl& grid, int nCol);
// The client point in the middle of a cell.
POINT CellCenter(const CGridCtrl& grid, int nRow, int nCol);

// The client area of a window as it shows after repainting itself whole.
class Pixels {
public:
    explicit Pixels(HWND hWnd);
    COLORREF At(int x, int y) const;  // CLR_INVALID outside
    // Pixels of a colour inside a rectangle (right and bottom exclusive).
    int Count(const RECT& rc, COLORREF clr) const;
    int Width() const { return m_cx; }

private:
    int m_cx = 0;
    int m_cy = 0;
    std::vector<DWORD> m_bits;
};

}  // namespace testsupport
