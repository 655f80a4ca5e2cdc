#include "support/GTestWin.h"

#include <functional>
#include <string>
#include <vector>

#include "GridInput.h"
#include "catalog/FileListGrid.h"

using gridinput::ClipboardText;
using gridinput::kPatience;
using gridinput::SetClipboardText;
using testsupport::CellCenter;
using testsupport::GridHost;

namespace {

struct CellText {
    int row;
    int col;
    const char* text;
};

void ExpectTexts(const CGridCtrl& grid, const std::vector<CellText>& cells, const std::string& trace)
{
    for (const CellText& cell : cells)
        EXPECT_EQ(cell.text, grid.GetItemText(cell.row, cell.col)) << trace << " at " << cell.row << "," << cell.col;
}

// Runs on every tick of a thread timer, also inside the drag loop.
std::function<void()> g_step;

void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD)
{
    g_step();
}

// Drags a source grid's selection from one of its cells onto a target
// cell: a press and a move start the drag loop, in which the cursor moves
// over the target cell and, once the target highlights it, the button goes
// up (with Ctrl held for a copy).
void DragTo(CGridCtrl& source, CCellID from, CGridCtrl& target, CCellID to, bool bCopy)
{
    POINT ptFrom = CellCenter(source, from.row, from.col);
    POINT ptTo = CellCenter(target, to.row, to.col);
    ClientToScreen(target.m_hWnd, &ptTo);
    const DWORD dwStart = GetTickCount();
    g_step = [&] {
        SetCursorPos(ptTo.x, ptTo.y);
        if (target.GetDropHighlightCell() == to)
            gridinput::HoldKeys(bCopy);
        else if (GetTickCount() - dwStart > kPatience)  // never highlighted: the loop ends
            PostMessageA(source.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    gridinput::HoldKeys(bCopy, false, true);
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 20, StepTimer);
    gridinput::Send(source, WM_LBUTTONDOWN, MK_LBUTTON, ptFrom);
    gridinput::Send(source, WM_MOUSEMOVE, MK_LBUTTON, POINT{ptFrom.x + 5, ptFrom.y});
    KillTimer(nullptr, nTimer);
    gridinput::HoldKeys(false);
}

}  // namespace

// The file list's copy (Ctrl+C, once and again): the selected rows as lines
// of tab-separated cells, hidden rows and the hidden column left out, no
// CR; what other programs read once the clipboard is flushed. Cut and
// paste stay off.
TEST(GridClipboard, CopiesTheSelectedRowsAsTabbedLines)
{
    GridHost host(GridHost::Setup::FileList);
    CGridCtrl& grid = host.Grid();
    const std::vector<std::vector<const char*>> rows = {
        {"C:\\music\\one.mp3", "", "Album 1", "Nice:AVC", "HIDDEN1"},
        {"C:\\music\\two.mp3", "no tag", "Album 2", "Plain", "HIDDEN2"},
        {"C:\\music\\three.mp3", "", "Album 3", "Third", "HIDDEN3"}};
    for (const auto& row : rows) {
        const int nRow = grid.InsertRow(row[0]);
        for (int c = 1; c < kFileListColumnCount; ++c)
            grid.SetItemText(nRow, c, row[c]);
    }
    grid.SetRowHeight(2, 0);
    EXPECT_EQ(nullptr, grid.CopyTextFromGrid());

    grid.SetFocusCell(1, 0);
    grid.SetSelectedRange(3, 0, 3, kColOrigAlbum);
    gridinput::Key(grid, 'C', true);
    EXPECT_EQ("C:\\music\\three.mp3\t\tAlbum 3\tThird\t", ClipboardText());
    grid.SelectAll();  // and copied again
    gridinput::Key(grid, 'C', true);
    ASSERT_EQ(S_OK, OleFlushClipboard());
    const std::string expected = "C:\\music\\one.mp3\t\tAlbum 1\tNice:AVC\t\nC:\\music\\three.mp3\t\tAlbum 3\tThird\t";
    EXPECT_EQ(expected, ClipboardText());
    EXPECT_FALSE(grid.CanCut());
    EXPECT_FALSE(grid.CanPaste());
}

// Paste (which the program does not offer) splits lines at tabs and commas,
// trims the fields and writes them from the focus cell on, over hidden
// columns and rows, deselecting what it writes; the owner may veto a cell
// before or after the change. Cut copies what is selected and shown, then
// empties it.
TEST(GridClipboard, PasteSplitsTrimsAndSkipsHiddenCellsAndCutEmpties)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridinput::FillCells(grid, 9, 5);
    grid.SetColumnWidth(2, 0);
    grid.SetRowHeight(5, 0);
    grid.SetSelectedRange(4, 1, 6, 4);
    host.reply = [](const testsupport::GridNote& note) -> LRESULT {
        const bool bVeto = (note.code == LVN_BEGINLABELEDIT && note.row == 7 && note.col == 1) ||
                           (note.code == LVN_ENDLABELEDIT && note.row == 7 && note.col == 3) ||
                           (note.code == LVN_BEGINLABELEDIT && note.row == 2 && note.col == 3);
        return bVeto ? -1 : 0;
    };
    const struct {
        CCellID at;
        const char* text;
        std::vector<CellText> after;
    } pastes[] = {
        {{3, 1}, "  x , y\t z  ", {{3, 0, "r3c0"}, {3, 1, "x"}, {3, 2, "r3c2"}, {3, 3, "y"}, {3, 4, "z"}}},
        {{4, 1}, "p,q,s,t,u\r\nv\r\n", {{4, 1, "p"}, {4, 3, "q"}, {4, 4, "s"}, {5, 1, "r5c1"}, {6, 1, "v"}, {7, 1, "r7c1"}}},
        {{7, 1}, "m\tn\to", {{7, 1, "r7c1"}, {7, 3, "r7c3"}, {7, 4, "o"}}},
        {{8, 1}, "", {{8, 1, "r8c1"}}},  // nothing on the clipboard
    };
    for (const auto& paste : pastes) {
        SetClipboardText(paste.text);
        grid.SetFocusCell(paste.at);
        EXPECT_EQ(*paste.text != '\0', grid.CanPaste() != FALSE) << paste.text;
        grid.SendMessage(WM_COMMAND, ID_EDIT_PASTE, 0);
        ExpectTexts(grid, paste.after, paste.text);
    }
    EXPECT_FALSE(grid.IsCellSelected(6, 1));

    grid.SetSelectedRange(1, 1, 2, 3);
    EXPECT_TRUE(grid.CanCut());
    grid.SendMessage(WM_COMMAND, ID_EDIT_CUT, 0);
    EXPECT_EQ("r1c1\tr1c3\nr2c1\tr2c3", ClipboardText());
    ExpectTexts(grid, {{1, 1, ""}, {1, 3, ""}, {2, 1, ""}, {2, 3, "r2c3"}, {1, 2, "r1c2"}, {1, 0, "r1c0"}}, "cut");
}


// Drag and drop (which the program does not offer) between two grids: a
// drop moves the texts, with Ctrl it copies them.
TEST(GridDragDrop, ADropMovesTheTextsAndCtrlCopiesThem)
{
    GridHost sourceHost(GridHost::Setup::Empty, {400, 250}, {0, 0});
    GridHost targetHost(GridHost::Setup::Empty, {400, 250}, {450, 0});
    CGridCtrl& source = sourceHost.Grid();
    CGridCtrl& target = targetHost.Grid();
    for (CGridCtrl* pGrid : {&source, &target}) {
        gridinput::FillCells(*pGrid, 5, 3);
        pGrid->EnableDragAndDrop(TRUE);
    }
    source.SetSelectedRange(1, 1, 1, 2);
    DragTo(source, {1, 1}, target, {2, 0}, false);
    ExpectTexts(target, {{2, 0, "r1c1"}, {2, 1, "r1c2"}, {2, 2, "r2c2"}}, "move");
    ExpectTexts(source, {{1, 0, "r1c0"}, {1, 1, ""}, {1, 2, ""}}, "moved from");
    EXPECT_FALSE(target.GetDropHighlightCell().IsValid());

    source.SetSelectedRange(3, 0, 3, 0);
    DragTo(source, {3, 0}, target, {4, 2}, true);
    ExpectTexts(target, {{4, 2, "r3c0"}}, "copy");
    ExpectTexts(source, {{3, 0, "r3c0"}}, "copied from");
}
