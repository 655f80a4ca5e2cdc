// Input for the grid tests: mouse and key messages sent as the system sends
// them (where the system's own input path does not matter), the real
// pointer where it does, the clipboard, and what the tests read back.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/GridHost.h"
#include "support/TestSupport.h"
#include "support/XInput.h"

namespace gridinput {

// How long a test waits for something that must come: long, as the machine
// may be loaded.
constexpr DWORD kPatience = 30000;

inline void Send(CGridCtrl& grid, UINT message, WPARAM wParam, POINT pt)
{
    SendMessageA(grid.m_hWnd, message, wParam, MAKELPARAM(pt.x, pt.y));
}

// A press at one point and the release at another, holding MK_CONTROL or
// MK_SHIFT as given; a click (press and release without a move between).
inline void Drag(CGridCtrl& grid, POINT from, POINT to, UINT nKeys = 0, bool bMove = true)
{
    Send(grid, WM_MOUSEMOVE, nKeys, from);
    Send(grid, WM_LBUTTONDOWN, nKeys | MK_LBUTTON, from);
    if (bMove)
        Send(grid, WM_MOUSEMOVE, nKeys | MK_LBUTTON, to);
    Send(grid, WM_LBUTTONUP, nKeys, to);
    testsupport::PumpFor(0);
}

inline void Click(CGridCtrl& grid, POINT pt, UINT nKeys = 0)
{
    Drag(grid, pt, pt, nKeys, false);
}

// Ctrl, Shift and the left button in this thread's key state, as the grid
// and the drag loop read them.
inline void HoldKeys(bool bCtrl, bool bShift = false, bool bButton = false)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = bCtrl ? 0x80 : 0;
    keys[VK_SHIFT] = bShift ? 0x80 : 0;
    keys[VK_LBUTTON] = bButton ? 0x80 : 0;
    SetKeyboardState(keys);
}

// A key press with Ctrl and Shift as given.
inline void Key(CGridCtrl& grid, UINT nVirtKey, bool bCtrl = false, bool bShift = false)
{
    HoldKeys(bCtrl, bShift);
    SendMessageA(grid.m_hWnd, WM_KEYDOWN, nVirtKey, 1);
    HoldKeys(false);
    testsupport::PumpFor(0);
}

// The data rows whose column-0 cell is selected.
inline std::vector<int> SelectedRows(const CGridCtrl& grid)
{
    std::vector<int> rows;
    for (int r = 0; r < grid.GetRowCount(); ++r) {
        if (grid.IsCellSelected(r, 0))
            rows.push_back(r);
    }
    return rows;
}

inline int TopRow(const CGridCtrl& grid)
{
    return grid.GetTopleftNonFixedCell().row;
}

// An editable grid of nRows rows (the first fixed, headings "H<col>") and
// nCols columns 90 pixels wide, every data cell "r<row>c<col>".
inline void FillCells(CGridCtrl& grid, int nRows, int nCols)
{
    grid.SetRowCount(nRows);
    grid.SetColumnCount(nCols);
    grid.SetFixedRowCount(1);
    for (int r = 0; r < nRows; ++r) {
        for (int c = 0; c < nCols; ++c) {
            grid.SetColumnWidth(c, 90);
            grid.SetItemText(r, c, ((r ? "r" + std::to_string(r) + "c" : "H") + std::to_string(c)).c_str());
        }
    }
    grid.SetModified(FALSE);
}

// Sets the system's double-click time while it lives (a grid's title tip
// reads it when the grid is made): a long one makes every press quick
// after the one before, whatever the machine's load.
struct DoubleClickTime {
    explicit DoubleClickTime(UINT nMs) { SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, nMs, nullptr, 0); }
    ~DoubleClickTime() { SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, nSaved, nullptr, 0); }
    const UINT nSaved = GetDoubleClickTime();
};

// Sizes the grid's window to show exactly nRows data rows under the header.
inline void FitRows(CGridCtrl& grid, int nRows)
{
    RECT rcWindow;
    RECT rcClient;
    GetWindowRect(grid.m_hWnd, &rcWindow);
    GetClientRect(grid.m_hWnd, &rcClient);
    const int nFrame = (rcWindow.bottom - rcWindow.top) - rcClient.bottom;
    MoveWindow(grid.m_hWnd, 0, 0, rcWindow.right - rcWindow.left,
               grid.GetRowHeight(0) + nRows * grid.GetRowHeight(1) + nFrame, TRUE);
}

// The real pointer on a client point, once this thread's input has seen it
// there; and the window in front with the keyboard focus on a child.
inline bool MovePointer(HWND hWnd, POINT client)
{
    POINT screen = client;
    ClientToScreen(hWnd, &screen);
    return testsupport::PointerMoveTo(hWnd, client) && testsupport::PumpUntil([&] {
        POINT now;
        return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
    }, kPatience);
}

inline bool Focus(HWND hTopLevel, HWND hFocus)
{
    return testsupport::FocusWindow(hTopLevel, hFocus) || testsupport::PumpUntil([&] {
        return GetForegroundWindow() == hTopLevel && GetFocus() == hFocus;
    }, kPatience);
}

// The clipboard's CF_TEXT up to its first zero ("<none>" without one), and
// plain text put there.
inline bool OpenClipboardPatiently()
{
    return testsupport::PumpUntil([] { return OpenClipboard(nullptr) != FALSE; }, kPatience);
}

inline std::string ClipboardText()
{
    std::string text = "<none>";
    HANDLE hData = OpenClipboardPatiently() ? GetClipboardData(CF_TEXT) : nullptr;
    if (const char* p = hData ? static_cast<const char*>(GlobalLock(hData)) : nullptr) {
        text.assign(p, strnlen(p, GlobalSize(hData)));
        GlobalUnlock(hData);
    }
    CloseClipboard();
    return text;
}

inline void SetClipboardText(const std::string& text)
{
    OleSetClipboard(nullptr);
    if (!OpenClipboardPatiently())
        return;
    EmptyClipboard();
    if (!text.empty()) {
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        std::memcpy(GlobalLock(h), text.c_str(), text.size() + 1);
        GlobalUnlock(h);
        if (SetClipboardData(CF_TEXT, h) == nullptr)
            GlobalFree(h);
    }
    CloseClipboard();
}

}  // namespace gridinput
