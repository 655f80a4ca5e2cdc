#include "support/GTestWin.h"

#include <string>

#include "GridEditTestSupport.h"
#include "grid/GridCtrl.h"
#include "support/ProgramProcess.h"
#include "support/TestSupport.h"

using gridedit::EditHost;

namespace {

// The bytes of the CF_TEXT data a source offers, the whole block.
std::string SourceBytes(COleDataSource* pSource)
{
    FORMATETC fmt = {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (FAILED(pSource->GetData(&fmt, &medium)))
        return "<no data>";
    const char* p = static_cast<const char*>(GlobalLock(medium.hGlobal));
    std::string bytes(p, GlobalSize(medium.hGlobal));
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return bytes;
}

void SetRow(CGridCtrl& grid, int nRow, std::initializer_list<const char*> texts)
{
    int nCol = 0;
    for (const char* psz : texts)
        grid.SetItemText(nRow, nCol++, psz);
}

}  // namespace

TEST(GridClipboard, CopiesSelectedCellsAsTabbedLinesWithOneTerminatingZero)
{
    EditHost host;
    CGridCtrl& grid = host.Grid();
    gridedit::FillGrid(grid, 4, 3);
    SetRow(grid, 1, {"a", "b", "c"});
    SetRow(grid, 2, {"d", "e", "f"});

    // No selection: nothing to copy, and the copy command is disabled.
    EXPECT_EQ(nullptr, grid.CopyTextFromGrid());
    EXPECT_FALSE(grid.CanCopy());

    grid.SetSelectedRange(1, 0, 2, 2);
    EXPECT_TRUE(grid.CanCopy());
    COleDataSource* pSource = grid.CopyTextFromGrid();
    ASSERT_NE(nullptr, pSource);
    const std::string bytes = SourceBytes(pSource);
    pSource->InternalRelease();
    ASSERT_GE(bytes.size(), 12u);
    EXPECT_EQ(std::string("a\tb\tc\nd\te\tf", 11), bytes.substr(0, 11));
    EXPECT_EQ('\0', bytes[11]);
    EXPECT_EQ(std::string::npos, bytes.find('\r'));

    // Through the grid's own copy command, onto the clipboard.
    gridedit::SetClipboardText("old");
    grid.SendMessage(WM_COMMAND, ID_EDIT_COPY, 0);
    EXPECT_EQ("a\tb\tc\nd\te\tf", gridedit::ClipboardText());

    // Unselected cells of the range contribute nothing but keep their tabs.
    grid.SetSelectedRange(1, 0, 1, 0);
    grid.SaveSelection();
    grid.SetSelectedRange(2, 2, 2, 2);
    grid.ClearSavedSelection();
    pSource = grid.CopyTextFromGrid();
    ASSERT_NE(nullptr, pSource);
    EXPECT_EQ(std::string("a\t\t\n\t\tf"), SourceBytes(pSource).c_str());
    pSource->InternalRelease();
}

TEST(GridClipboard, FileListRowsEndWithTabAndLeaveOutHiddenColumnAndRows)
{
    EditHost host;
    CGridCtrl& grid = host.Grid();
    grid.SetFixedRowCount(1);
    grid.SetEditable(FALSE);
    grid.SetListMode(TRUE);
    const char* const headings[] = {"Filename", "Message/Error", "Album", "Comment",
                                    "Orig Album, hidden"};
    for (const char* pszHeading : headings)
        grid.InsertColumn(pszHeading, 0x25);
    grid.InsertRow("C:\\music\\one.mp3");
    grid.InsertRow("C:\\music\\two.mp3");
    grid.InsertRow("C:\\music\\three.mp3");
    SetRow(grid, 1, {"C:\\music\\one.mp3", "", "Album 1", "Nice:AVC", "HIDDEN1"});
    SetRow(grid, 2, {"C:\\music\\two.mp3", "no tag", "Album 2", "Plain", "HIDDEN2"});
    SetRow(grid, 3, {"C:\\music\\three.mp3", "", "Album 3", "Third", "HIDDEN3"});
    grid.AutoSizeColumns();
    grid.SetColumnWidth(4, 0);
    grid.SetRowHeight(2, 0);  // a hidden row is left out too
    grid.SelectAll();

    grid.OnEditCopy();
    const std::string expected =
        "C:\\music\\one.mp3\t\tAlbum 1\tNice:AVC\t\n"
        "C:\\music\\three.mp3\t\tAlbum 3\tThird\t";
    EXPECT_EQ(expected, gridedit::ClipboardText());

    // Another process reads the same text while this one serves the clipboard.
    testsupport::TempFolder folder("gclip");
    const std::string out = folder.File("clip.txt");
    testsupport::ProgramProcess reader;
    ASSERT_TRUE(reader.Start("clipboard_reader", folder.Path(), "\"" + out + "\""));
    DWORD dwExit = STILL_ACTIVE;
    testsupport::PumpUntil([&] {
        return GetFileAttributesA(out.c_str()) != INVALID_FILE_ATTRIBUTES &&
               reader.WaitForExit(0) != -1;
    }, 15000);
    (void)dwExit;
    EXPECT_EQ(expected, testsupport::ReadFileBytes(out));

    // Cut and paste stay off on a grid that is not editable.
    EXPECT_FALSE(grid.CanCut());
    grid.SetFocusCell(1, 2);
    EXPECT_FALSE(grid.CanPaste());
    grid.OnEditCut();
    EXPECT_EQ("Album 1", grid.GetItemText(1, 2));
}

TEST(GridClipboard, PasteSplitsAtTabsAndCommasTrimsAndSkipsHiddenColumnsAndRows)
{
    EditHost host;
    CGridCtrl& grid = host.Grid();
    gridedit::FillGrid(grid, 9, 5);

    gridedit::SetClipboardText("  x , y\t z  ");
    grid.SetFocusCell(3, 1);
    EXPECT_TRUE(grid.CanPaste());
    grid.SendMessage(WM_COMMAND, ID_EDIT_PASTE, 0);
    EXPECT_EQ("r3c0", grid.GetItemText(3, 0));
    EXPECT_EQ("x", grid.GetItemText(3, 1));
    EXPECT_EQ("y", grid.GetItemText(3, 2));
    EXPECT_EQ("z", grid.GetItemText(3, 3));
    EXPECT_EQ("r3c4", grid.GetItemText(3, 4));
    EXPECT_TRUE(grid.GetModified(3, 1));
    EXPECT_EQ(3, host.Count(LVN_BEGINLABELEDIT));
    EXPECT_EQ(3, host.Count(LVN_ENDLABELEDIT));

    // Hidden column 2 and hidden row 5 are skipped; fields past the last
    // column are dropped; a final line break adds no line; written cells
    // lose their selection.
    grid.SetColumnWidth(2, 0);
    grid.SetRowHeight(5, 0);
    grid.SetSelectedRange(4, 1, 6, 4);
    gridedit::SetClipboardText("p,q,s,t,u\r\nv\r\n");
    grid.SetFocusCell(4, 1);
    grid.OnEditPaste();
    EXPECT_EQ("p", grid.GetItemText(4, 1));
    EXPECT_EQ("r4c2", grid.GetItemText(4, 2));
    EXPECT_EQ("q", grid.GetItemText(4, 3));
    EXPECT_EQ("s", grid.GetItemText(4, 4));
    EXPECT_EQ("r5c1", grid.GetItemText(5, 1));
    EXPECT_EQ("v", grid.GetItemText(6, 1));
    EXPECT_EQ("r7c1", grid.GetItemText(7, 1));
    EXPECT_FALSE(grid.IsCellSelected(4, 1));
    EXPECT_FALSE(grid.IsCellSelected(6, 1));
    EXPECT_TRUE(grid.IsCellSelected(6, 3));

    // The owner vetoes one cell before and one after the change.
    host.reply = [](int code, int row, int col) -> LRESULT {
        if (code == LVN_BEGINLABELEDIT && row == 7 && col == 1)
            return -1;
        if (code == LVN_ENDLABELEDIT && row == 7 && col == 3)
            return -1;
        return 0;
    };
    gridedit::SetClipboardText("m\tn\to");
    grid.SetFocusCell(7, 1);
    grid.OnEditPaste();
    EXPECT_EQ("r7c1", grid.GetItemText(7, 1));
    EXPECT_EQ("r7c3", grid.GetItemText(7, 3));
    EXPECT_FALSE(grid.GetModified(7, 3));
    EXPECT_EQ("o", grid.GetItemText(7, 4));

    // No text on the clipboard: the command is disabled and nothing changes.
    gridedit::EmptyTheClipboard();
    EXPECT_FALSE(grid.CanPaste());
    grid.OnEditPaste();
    EXPECT_EQ("o", grid.GetItemText(7, 4));
}

TEST(GridClipboard, CutCopiesThenEmptiesTheSelectedVisibleCells)
{
    EditHost host;
    CGridCtrl& grid = host.Grid();
    gridedit::FillGrid(grid, 4, 4);
    grid.SetColumnWidth(2, 0);
    grid.SetSelectedRange(1, 1, 2, 3);
    EXPECT_TRUE(grid.CanCut());
    host.reply = [](int code, int row, int col) -> LRESULT {
        return (code == LVN_BEGINLABELEDIT && row == 2 && col == 3) ? -1 : 0;
    };
    grid.SendMessage(WM_COMMAND, ID_EDIT_CUT, 0);
    EXPECT_EQ("r1c1\tr1c3\nr2c1\tr2c3", gridedit::ClipboardText());
    EXPECT_EQ("", grid.GetItemText(1, 1));
    EXPECT_EQ("", grid.GetItemText(1, 3));
    EXPECT_EQ("", grid.GetItemText(2, 1));
    EXPECT_EQ("r2c3", grid.GetItemText(2, 3));  // vetoed
    EXPECT_EQ("r1c2", grid.GetItemText(1, 2));  // hidden: neither copied nor cut
    EXPECT_EQ("r1c0", grid.GetItemText(1, 0));
}
