#include "support/GTestWin.h"

#include <functional>
#include <string>
#include <vector>

#include "GridEditTestSupport.h"
#include "grid/GridCtrl.h"
#include "support/TestSupport.h"

using gridedit::EditHost;
using testsupport::PumpFor;

namespace {

POINT CellCentre(CGridCtrl& grid, int nRow, int nCol)
{
    RECT rc;
    grid.GetCellRect(nRow, nCol, &rc);
    POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ClientToScreen(grid.m_hWnd, &pt);
    return pt;
}

void MouseInput(DWORD dwFlags, POINT ptScreen)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(ptScreen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(ptScreen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof(in));
}

// Presses or releases Ctrl on the X display itself: the display driver
// takes the modifier state of each mouse event from the X server, so a
// Ctrl injected only into this process would be released by the next move.
void CtrlKey(bool bUp)
{
    std::string command = std::string("start.exe /wait /unix /usr/bin/xdotool ") +
                          (bUp ? "keyup ctrl" : "keydown ctrl");
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        WaitForSingleObject(pi.hProcess, 10000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

// Steps run one per timer tick while the drag loop runs.
std::vector<std::function<void()>> g_steps;
size_t g_nStep = 0;

void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_nStep < g_steps.size())
        g_steps[g_nStep++]();
}

// Presses the left button over a source cell, runs the source grid's drag
// and, from its loop, moves over the target cell and releases there (with
// Ctrl held for a copy).
void DragAndDrop(CGridCtrl& source, POINT ptFrom, POINT ptTo, bool bCopy)
{
    MouseInput(MOUSEEVENTF_MOVE, ptFrom);
    MouseInput(MOUSEEVENTF_LEFTDOWN, ptFrom);
    if (bCopy)
        CtrlKey(false);
    PumpFor(100);
    POINT ptMid = {(ptFrom.x + ptTo.x) / 2, (ptFrom.y + ptTo.y) / 2};
    g_nStep = 0;
    g_steps = {
        [=] { MouseInput(MOUSEEVENTF_MOVE, ptMid); },
        [=] { MouseInput(MOUSEEVENTF_MOVE, ptTo); },
        [=] {},
        [=] { MouseInput(MOUSEEVENTF_MOVE, POINT{ptTo.x + 1, ptTo.y}); },
        [=] { MouseInput(MOUSEEVENTF_MOVE, ptTo); },
        [=] { MouseInput(MOUSEEVENTF_LEFTUP, ptTo); },
        [=] {},
        [=] {},
        [=] {},
        [=] { MouseInput(MOUSEEVENTF_LEFTUP, ptTo); },  // in case the first was missed
    };
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 60, StepTimer);
    source.OnBeginDrag();
    KillTimer(nullptr, nTimer);
    if (bCopy)
        CtrlKey(true);
    PumpFor(100);
}

}  // namespace

TEST(GridDragDrop, MovesAndCopiesCellTextsBetweenTwoGrids)
{
    EditHost sourceHost(0, 0, 400, 250, "Drag source");
    EditHost targetHost(450, 0, 400, 250, "Drop target");
    gridedit::TestGrid& source = sourceHost.Grid();
    gridedit::TestGrid& target = targetHost.Grid();
    gridedit::FillGrid(source, 5, 3);
    gridedit::FillGrid(target, 5, 3);
    source.EnableDragAndDrop(TRUE);
    target.EnableDragAndDrop(TRUE);
    PumpFor(100);
    EXPECT_TRUE(source.IsDropTargetRegistered());
    EXPECT_TRUE(target.IsDropTargetRegistered());

    // Move: the two selected cells of row 1 land in row 2 of the other grid
    // and leave the source empty.
    source.SetSelectedRange(1, 1, 1, 2);
    DragAndDrop(source, CellCentre(source, 1, 1), CellCentre(target, 2, 0), false);
    EXPECT_EQ("r1c1", target.GetItemText(2, 0));
    EXPECT_EQ("r1c2", target.GetItemText(2, 1));
    EXPECT_EQ("r2c2", target.GetItemText(2, 2));
    EXPECT_EQ("", source.GetItemText(1, 1));
    EXPECT_EQ("", source.GetItemText(1, 2));
    EXPECT_EQ("r1c0", source.GetItemText(1, 0));
    EXPECT_EQ(1, sourceHost.Count(LVN_BEGINDRAG));
    EXPECT_FALSE(target.GetDropHighlightCell().IsValid());
    EXPECT_EQ(0u, target.GetItemState(2, 0) & GVIS_DROPHILITED);
    EXPECT_EQ(0, source.MouseMode());

    // Copy (Ctrl held): the source keeps its text.
    source.SetSelectedRange(3, 0, 3, 0);
    DragAndDrop(source, CellCentre(source, 3, 0), CellCentre(target, 4, 2), true);
    EXPECT_EQ("r3c0", target.GetItemText(4, 2));
    EXPECT_EQ("r3c0", source.GetItemText(3, 0));

    // A target that is not editable takes nothing.
    target.SetEditable(FALSE);
    source.SetSelectedRange(4, 0, 4, 0);
    DragAndDrop(source, CellCentre(source, 4, 0), CellCentre(target, 1, 0), false);
    EXPECT_EQ("r1c0", target.GetItemText(1, 0));
    EXPECT_EQ("r4c0", source.GetItemText(4, 0));
}

TEST(GridDragDrop, DragOverHighlightsTheCellAndCtrlChoosesCopy)
{
    EditHost host;
    gridedit::TestGrid& grid = host.Grid();
    gridedit::FillGrid(grid, 5, 3);
    grid.EnableDragAndDrop(TRUE);
    gridedit::SetClipboardText("dropped");
    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());

    RECT rc;
    grid.GetCellRect(2, 1, &rc);
    const POINT pt = {rc.left + 3, rc.top + 3};
    EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_MOVE), grid.OnDragEnter(&data, MK_LBUTTON, pt));
    EXPECT_TRUE(grid.GetItemState(2, 1) & GVIS_DROPHILITED);
    grid.GetCellRect(3, 1, &rc);
    const POINT pt2 = {rc.left + 3, rc.top + 3};
    EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_COPY),
              grid.OnDragOver(&data, MK_LBUTTON | MK_CONTROL, pt2));
    EXPECT_FALSE(grid.GetItemState(2, 1) & GVIS_DROPHILITED);
    EXPECT_TRUE(grid.GetItemState(3, 1) & GVIS_DROPHILITED);
    // Outside the cells: nothing, and the highlight goes.
    const POINT ptOutside = {395, 395};
    EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_NONE), grid.OnDragOver(&data, MK_LBUTTON, ptOutside));
    EXPECT_FALSE(grid.GetItemState(3, 1) & GVIS_DROPHILITED);

    grid.OnDragOver(&data, MK_LBUTTON, pt2);
    EXPECT_TRUE(grid.OnDrop(&data, DROPEFFECT_MOVE, pt2));
    EXPECT_EQ("dropped", grid.GetItemText(3, 1));
    EXPECT_FALSE(grid.GetItemState(3, 1) & GVIS_DROPHILITED);

    // Drag and drop off: no drop.
    grid.EnableDragAndDrop(FALSE);
    EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_NONE), grid.OnDragEnter(&data, MK_LBUTTON, pt));
}
