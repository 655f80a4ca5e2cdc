#include "support/GTestWin.h"

#include <string>

#include "GridEditTestSupport.h"
#include "grid/GridCtrl.h"
#include "support/TestSupport.h"

using gridedit::EditHost;
using gridedit::EditorOf;
using gridedit::WindowText;
using testsupport::PumpFor;
using testsupport::PumpUntil;

namespace {

const POINT kNoPoint = {-1, -1};

// Start and end of the editor's selection.
std::pair<int, int> Selection(HWND hEdit)
{
    DWORD dwStart = 0;
    DWORD dwEnd = 0;
    SendMessageA(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart),
                 reinterpret_cast<LPARAM>(&dwEnd));
    return {static_cast<int>(dwStart), static_cast<int>(dwEnd)};
}

void Type(HWND hEdit, const char* psz)
{
    for (; *psz != '\0'; ++psz)
        SendMessageA(hEdit, WM_CHAR, static_cast<unsigned char>(*psz), 0);
}

bool EditorGone(CGridCtrl& grid, HWND hEdit, int nRow, int nCol)
{
    return !IsWindow(hEdit) && EditorOf(grid, nRow, nCol) == nullptr;
}

}  // namespace

TEST(GridEdit, NothingChangesOnAGridThatIsNotEditable)
{
    EditHost host;
    CGridCtrl& grid = host.Grid();
    gridedit::FillGrid(grid, 5, 3);
    grid.SetEditable(FALSE);
    grid.EnableDragAndDrop(TRUE);
    grid.SetFocusCell(1, 1);
    grid.SetSelectedRange(1, 1, 1, 1);
    SetFocus(grid.m_hWnd);

    // The keys and the double click that would edit, Ctrl+V and paste.
    RECT rc;
    grid.GetCellRect(1, 1, &rc);
    const LPARAM lPt = MAKELPARAM(rc.left + 5, rc.top + 5);
    grid.SendMessage(WM_KEYDOWN, VK_F2, 0);
    grid.SendMessage(WM_CHAR, 'q', 0);
    grid.SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    grid.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, lPt);
    grid.SendMessage(WM_LBUTTONUP, 0, lPt);
    gridedit::SetClipboardText("pasted");
    grid.SendMessage(WM_COMMAND, ID_EDIT_PASTE, 0);
    grid.OnEditPaste();
    grid.OnEditCell(1, 1, kNoPoint, VK_LBUTTON);
    EXPECT_FALSE(grid.ValidateAndModifyCellContents(1, 1, "changed"));
    grid.CutSelectedText();
    PumpFor(100);

    // A drop of text over the cell.
    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    POINT pt = {rc.left + 5, rc.top + 5};
    EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_NONE), grid.OnDragEnter(&data, 0, pt));
    EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_NONE), grid.OnDragOver(&data, MK_CONTROL, pt));
    EXPECT_FALSE(grid.OnDrop(&data, DROPEFFECT_COPY, pt));

    EXPECT_EQ("r1c1", grid.GetItemText(1, 1));
    EXPECT_EQ(nullptr, EditorOf(grid, 1, 1));
    EXPECT_FALSE(grid.GetModified(1, 1));
    EXPECT_EQ(0, host.Count(LVN_BEGINLABELEDIT));
    EXPECT_EQ(0, host.Count(LVN_ENDLABELEDIT));
}

TEST(GridEdit, TypedCharacterReplacesTextAndReturnStoresIt)
{
    EditHost host;
    CGridCtrl& grid = host.Grid();
    gridedit::FillGrid(grid, 5, 3);
    grid.SetFocusCell(1, 1);

    grid.OnEditCell(1, 1, kNoPoint, 'q');
    HWND hEdit = EditorOf(grid, 1, 1);
    ASSERT_NE(nullptr, hEdit);
    EXPECT_EQ(hEdit, GetFocus());
    EXPECT_EQ(8, GetDlgCtrlID(hEdit));
    ASSERT_TRUE(PumpUntil([&] { return WindowText(hEdit) == "q"; }, 2000));
    EXPECT_EQ(1, host.Count(LVN_BEGINLABELEDIT));

    // The editor grows with its text, up to the grid's right edge.
    RECT rcBefore;
    GetWindowRect(hEdit, &rcBefore);
    Type(hEdit, "uite a long text that will not fit into a column of ninety pixels at all");
    RECT rcAfter;
    GetWindowRect(hEdit, &rcAfter);
    RECT rcGrid;
    GetWindowRect(grid.m_hWnd, &rcGrid);
    EXPECT_GT(rcAfter.right - rcAfter.left, rcBefore.right - rcBefore.left);
    EXPECT_LE(rcAfter.right, rcGrid.right);
    SetWindowTextA(hEdit, "q");

    SendMessageA(hEdit, WM_CHAR, VK_RETURN, 0);
    ASSERT_TRUE(PumpUntil([&] { return EditorGone(grid, hEdit, 1, 1); }, 2000));
    EXPECT_EQ("q", grid.GetItemText(1, 1));
    EXPECT_TRUE(grid.GetModified(1, 1));
    EXPECT_EQ(1, host.Count(LVN_ENDLABELEDIT));
    EXPECT_EQ(grid.m_hWnd, GetFocus());
}

TEST(GridEdit, MouseStartPutsCaretAtEndArrowsMoveAndEscapeRestores)
{
    EditHost host;
    CGridCtrl& grid = host.Grid();
    gridedit::FillGrid(grid, 5, 3);
    grid.SetFocusCell(2, 1);

    grid.OnEditCell(2, 1, kNoPoint, VK_LBUTTON);
    HWND hEdit = EditorOf(grid, 2, 1);
    ASSERT_NE(nullptr, hEdit);
    PumpFor(50);
    EXPECT_EQ("r2c1", WindowText(hEdit));
    EXPECT_EQ(std::make_pair(4, 4), Selection(hEdit));

    // Started by the mouse (or F2) the arrows move inside the text.
    SendMessageA(hEdit, WM_KEYDOWN, VK_LEFT, 0);
    PumpFor(50);
    ASSERT_TRUE(IsWindow(hEdit));
    EXPECT_EQ(std::make_pair(3, 3), Selection(hEdit));
    Type(hEdit, "X");
    EXPECT_EQ("r2cX1", WindowText(hEdit));

    // Escape puts the old text back and tells the owner of no change.
    SendMessageA(hEdit, WM_CHAR, VK_ESCAPE, 0);
    ASSERT_TRUE(PumpUntil([&] { return EditorGone(grid, hEdit, 2, 1); }, 2000));
    EXPECT_EQ("r2c1", grid.GetItemText(2, 1));
    EXPECT_FALSE(grid.GetModified(2, 1));
    EXPECT_EQ(0, host.Count(LVN_ENDLABELEDIT));

    // Started by Return the caret is at the end too, but an arrow ends it.
    grid.OnEditCell(2, 1, kNoPoint, VK_RETURN);
    hEdit = EditorOf(grid, 2, 1);
    ASSERT_NE(nullptr, hEdit);
    EXPECT_EQ(std::make_pair(4, 4), Selection(hEdit));
    Type(hEdit, "!");
    SendMessageA(hEdit, WM_KEYDOWN, VK_UP, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(hEdit); }, 2000));
    EXPECT_EQ("r2c1!", grid.GetItemText(2, 1));

    // Backspace deletes the last character; a read-only cell is not edited.
    grid.OnEditCell(3, 2, kNoPoint, VK_BACK);
    hEdit = EditorOf(grid, 3, 2);
    ASSERT_NE(nullptr, hEdit);
    ASSERT_TRUE(PumpUntil([&] { return WindowText(hEdit) == "r3c"; }, 2000));
    SendMessageA(hEdit, WM_CHAR, VK_RETURN, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(hEdit); }, 2000));
    EXPECT_EQ("r3c", grid.GetItemText(3, 2));
    grid.SetItemState(4, 1, grid.GetItemState(4, 1) | GVIS_READONLY);
    grid.OnEditCell(4, 1, kNoPoint, 'z');
    EXPECT_EQ(nullptr, EditorOf(grid, 4, 1));
}

TEST(GridEdit, TabStoresAndOpensTheNextCell)
{
    EditHost host;
    CGridCtrl& grid = host.Grid();
    gridedit::FillGrid(grid, 5, 3);
    grid.SetFocusCell(1, 0);
    SetFocus(grid.m_hWnd);

    grid.OnEditCell(1, 0, kNoPoint, 'k');
    HWND hEdit = EditorOf(grid, 1, 0);
    ASSERT_NE(nullptr, hEdit);
    ASSERT_TRUE(PumpUntil([&] { return WindowText(hEdit) == "k"; }, 2000));
    SendMessageA(hEdit, WM_CHAR, VK_TAB, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(hEdit); }, 2000));
    EXPECT_EQ("k", grid.GetItemText(1, 0));
    EXPECT_TRUE(grid.GetModified(1, 0));

    // Editing goes on in the focus cell after the grid handled Tab as a key
    // press; the grid's keyboard handling moves the focus to the next column.
    const CCellID focus = grid.GetFocusCell();
    HWND hNext = EditorOf(grid, focus.row, focus.col);
    ASSERT_NE(nullptr, hNext);
    EXPECT_EQ(hNext, GetFocus());
    if (grid.FindEntry(WM_KEYDOWN, 0, 0) != nullptr) {
        EXPECT_EQ(1, focus.row);
        EXPECT_EQ(1, focus.col);
        EXPECT_EQ("r1c1", WindowText(hNext));
        EXPECT_EQ(nullptr, EditorOf(grid, 1, 0));
    }
    EXPECT_EQ(std::make_pair(0, static_cast<int>(WindowText(hNext).size())), Selection(hNext));
    grid.EndEditing();
    PumpUntil([&] { return !IsWindow(hNext); }, 2000);
    EXPECT_FALSE(IsWindow(hNext));
}

TEST(GridEdit, OwnerVetoesBeginOrEnd)
{
    EditHost host;
    CGridCtrl& grid = host.Grid();
    gridedit::FillGrid(grid, 5, 3);
    grid.SetFocusCell(1, 1);

    host.reply = [](int code, int, int) -> LRESULT { return code == LVN_BEGINLABELEDIT ? -1 : 0; };
    grid.OnEditCell(1, 1, kNoPoint, 'q');
    EXPECT_EQ(nullptr, EditorOf(grid, 1, 1));
    EXPECT_EQ(1, host.Count(LVN_BEGINLABELEDIT));

    host.reply = [](int code, int, int) -> LRESULT { return code == LVN_ENDLABELEDIT ? -1 : 0; };
    grid.OnEditCell(1, 1, kNoPoint, 'q');
    HWND hEdit = EditorOf(grid, 1, 1);
    ASSERT_NE(nullptr, hEdit);
    ASSERT_TRUE(PumpUntil([&] { return WindowText(hEdit) == "q"; }, 2000));
    // Ended from outside (as scrolling and presses do).
    grid.EndEditing();
    ASSERT_TRUE(PumpUntil([&] { return EditorGone(grid, hEdit, 1, 1); }, 2000));
    EXPECT_EQ(1, host.Count(LVN_ENDLABELEDIT));
    EXPECT_EQ("r1c1", grid.GetItemText(1, 1));
    EXPECT_FALSE(grid.GetModified(1, 1));
}
