// Shared by the grid's input tests: a file list filled with rows, the
// client points of cells and borders, the rows read back from the
// selection, posted mouse messages and a record of the WM_COMMAND messages
// the grid posts to its owner.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "GridTestSupport.h"

namespace gridtest {

// The file-list set-up with nRows data rows: column 0 "C:\music\songNNNNN.mp3"
// (numbered so that text order is row order), "Album" in columns 2 and 4.
void FillFileList(CGridCtrl& grid, int nRows);

// Sizes the grid's window so that exactly nRows data rows (of the height
// of row 1) show below the header.
void FitRows(CGridCtrl& grid, int nRows);

// The middle of a cell, and the point of a column's right border in the
// header row (the first pixel of the next column; the last pixel of the
// client area for the last column), in client pixels.
POINT CellCenter(CGridCtrl& grid, int nRow, int nCol);
POINT ColumnBorder(CGridCtrl& grid, int nCol);
// The data rows whose column-0 cell is selected, in order.
std::vector<int> SelectedRows(CGridCtrl& grid);
// The first non-fixed row shown at the top.
int TopRow(CGridCtrl& grid);
// The vertical scroll position of the grid (pixels).
int VScrollPos(CGridCtrl& grid);

// Sends a button press and release (with MK_ key flags) to the grid, as
// the system would, and lets posted messages run.
void SendClick(CGridCtrl& grid, POINT point, UINT nKeyFlags = 0);
// A key press with Ctrl and Shift as given, through the thread's key state.
void SendKey(CGridCtrl& grid, UINT nVirtKey, bool bCtrl = false, bool bShift = false);

// Counts the WM_COMMAND messages a window receives from a control id
// while the object lives (by subclassing the window).
class CommandRecorder {
public:
    CommandRecorder(HWND hWnd, UINT nId);
    ~CommandRecorder();
    CommandRecorder(const CommandRecorder&) = delete;
    CommandRecorder& operator=(const CommandRecorder&) = delete;
    int Count() const { return m_nCount; }
    HWND LastSender() const { return m_hLastSender; }

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd;
    UINT m_nId;
    WNDPROC m_pfnOld = nullptr;
    int m_nCount = 0;
    HWND m_hLastSender = nullptr;
};

}  // namespace gridtest
