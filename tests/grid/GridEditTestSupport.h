// Shared by the editing, clipboard, drag-and-drop, title-tip and printing
// tests: a top-level window hosting a grid whose replies to the grid's
// notifications the test chooses, and a grid class that shows the test
// the state these features keep.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/GridCtrl.h"

namespace gridedit {

constexpr UINT kGridId = 32198;

// The grid with its protected state readable.
class TestGrid : public CGridCtrl {
public:
    using CGridCtrl::CGridCtrl;
    BOOL IsDropTargetRegistered() const { return m_DropTarget.IsRegistered(); }
    int PageHeight() const { return m_nPageHeight; }
    SIZE CharSize() const { return m_CharSize; }
    int MouseMode() const { return m_MouseMode; }
};

struct Notification {
    int code;
    int row;
    int col;
};

// A visible top-level window at (x, y) with a client area cx x cy that a
// TestGrid fills. Every WM_NOTIFY from the grid is recorded and answered by
// `reply` (0 when unset).
class EditHost {
public:
    EditHost(int x = 0, int y = 0, int cx = 600, int cy = 400, const char* pszTitle = "Grid test");
    ~EditHost();
    EditHost(const EditHost&) = delete;
    EditHost& operator=(const EditHost&) = delete;

    HWND Window() const { return m_hWnd; }
    TestGrid& Grid() { return *m_pGrid; }
    int Count(int code) const;

    std::vector<Notification> notifications;
    std::function<LRESULT(int code, int row, int col)> reply;

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd = nullptr;
    std::unique_ptr<TestGrid> m_pGrid;
};

// Fills a grid with rows x cols cells (1 fixed row, no fixed column), every
// data cell "r<row>c<col>", editable.
void FillGrid(CGridCtrl& grid, int nRows, int nCols);

// The text (CF_TEXT) on the clipboard, or "<none>".
std::string ClipboardText();
// Puts plain text on the clipboard as CF_TEXT.
void SetClipboardText(const std::string& text);
void EmptyTheClipboard();

// The in-place editor's window of a cell, or null.
HWND EditorOf(CGridCtrl& grid, int nRow, int nCol);
std::string WindowText(HWND hWnd);

}  // namespace gridedit
