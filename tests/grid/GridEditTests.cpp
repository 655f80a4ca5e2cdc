#include "support/GTestWin.h"

#include <string>
#include <vector>

#include "GridInput.h"

using gridinput::kPatience;
using testsupport::GridHost;
using testsupport::PumpUntil;

namespace {

// The in-place editor's window of a cell, or null.
HWND EditorOf(CGridCtrl& grid, int nRow, int nCol)
{
    CGridCellBase* pCell = grid.GetCell(nRow, nCol);
    return pCell != nullptr && pCell->IsEditing() && pCell->GetEditWnd() ? pCell->GetEditWnd()->m_hWnd : nullptr;
}

std::string Text(HWND hWnd)
{
    char sz[256] = {};
    GetWindowTextA(hWnd, sz, sizeof(sz) - 1);
    return sz;
}

}  // namespace

// In-place editing (which the program does not offer), by how it starts
// and ends: a character replaces the text, the mouse (or F2), Return and
// Backspace keep it with the caret at the end; Return, Tab and (unless the
// mouse started it) the arrows store the text, Escape restores it. Tab goes
// on in the next cell. The owner may veto the start or the change.
TEST(GridEdit, EditsStartAndEndByTheirKeysAndTheOwnerMayVeto)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridinput::FillCells(grid, 5, 3);
    const struct {
        CCellID cell;
        UINT start;
        std::vector<std::pair<UINT, UINT>> input;  // message, key or character
        std::string shown;                         // before the last input
        std::string stored;
    } edits[] = {
        {{1, 1}, 'q', {{WM_CHAR, VK_RETURN}}, "q", "q"},
        {{2, 1}, VK_LBUTTON, {{WM_KEYDOWN, VK_LEFT}, {WM_CHAR, 'X'}, {WM_CHAR, VK_ESCAPE}}, "r2cX1", "r2c1"},
        {{2, 1}, VK_RETURN, {{WM_CHAR, '!'}, {WM_KEYDOWN, VK_UP}}, "r2c1!", "r2c1!"},
        {{3, 2}, VK_BACK, {{WM_CHAR, VK_RETURN}}, "r3c", "r3c"},
        {{1, 0}, 'k', {{WM_CHAR, VK_TAB}}, "k", "k"},
    };
    for (const auto& edit : edits) {
        const std::string before = grid.GetItemText(edit.cell.row, edit.cell.col);
        grid.SetFocusCell(edit.cell);
        grid.OnEditCell(edit.cell.row, edit.cell.col, POINT{-1, -1}, edit.start);
        HWND hEdit = EditorOf(grid, edit.cell.row, edit.cell.col);
        ASSERT_NE(nullptr, hEdit) << edit.stored;
        EXPECT_EQ(hEdit, GetFocus());
        for (size_t i = 0; i < edit.input.size(); ++i) {
            if (i + 1 == edit.input.size()) {
                EXPECT_TRUE(PumpUntil([&] { return Text(hEdit) == edit.shown; }, kPatience)) << Text(hEdit);
            }
            SendMessageA(hEdit, edit.input[i].first, edit.input[i].second, 0);
        }
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hEdit); }, kPatience)) << edit.stored;
        EXPECT_EQ(edit.stored, grid.GetItemText(edit.cell.row, edit.cell.col));
        EXPECT_EQ(edit.stored != before, grid.GetModified(edit.cell.row, edit.cell.col) != FALSE) << edit.stored;
    }
    // After Tab the edit goes on in the next cell.
    EXPECT_NE(nullptr, EditorOf(grid, 1, 1));
    grid.EndEditing();

    grid.SetFocusCell(3, 1);
    host.reply = [](const testsupport::GridNote& note) -> LRESULT { return note.code == LVN_BEGINLABELEDIT ? -1 : 0; };
    grid.OnEditCell(3, 1, POINT{-1, -1}, 'q');
    EXPECT_EQ(nullptr, EditorOf(grid, 3, 1));
    host.reply = [](const testsupport::GridNote& note) -> LRESULT { return note.code == LVN_ENDLABELEDIT ? -1 : 0; };
    grid.OnEditCell(3, 1, POINT{-1, -1}, 'q');
    HWND hEdit = EditorOf(grid, 3, 1);
    ASSERT_NE(nullptr, hEdit);
    ASSERT_TRUE(PumpUntil([&] { return Text(hEdit) == "q"; }, kPatience));
    grid.EndEditing();  // from outside, as scrolling and presses do
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(hEdit); }, kPatience));
    EXPECT_EQ("r3c1", grid.GetItemText(3, 1));
    EXPECT_FALSE(grid.GetModified(3, 1));
}
