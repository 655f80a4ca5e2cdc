// Change Album on a real grid: the album cell of each selected row becomes
// the name of the folder that holds the file; rows it cannot handle get
// "Can't set album".
#include "support/GTestWin.h"

#include <string>
#include <vector>

#include "FileListHost.h"
#include "catalog/ChangeAlbum.h"

using filelisttest::Column;
using filelisttest::FileListHost;

namespace {

// Appends a row as the scan makes it: path, album in columns 2 and 4.
void AddRow(CGridCtrl& grid, const std::string& path, const std::string& album)
{
    const int nRow = grid.InsertRow(path.c_str(), -1);
    grid.SetItemText(nRow, kColAlbum, album.c_str());
    grid.SetItemText(nRow, kColOrigAlbum, album.c_str());
}

}  // namespace

TEST(ChangeAlbum, SelectedRowsGetTheirFolderNameOrCantSetAlbum)
{
    FileListHost host;
    CGridCtrl& grid = host.Grid();
    const std::string name150(150, 'n');
    const std::string name151(151, 'o');
    AddRow(grid, "C:\\Music\\Best Of\\track01.mp3", "Old");                    // 1
    AddRow(grid, "C:\\track01.mp3", "Root");                                  // 2
    AddRow(grid, "C:\\" + name151 + "\\t.mp3", "Long");                       // 3
    AddRow(grid, "C:\\" + name150 + "\\t.mp3", "Fits");                       // 4
    AddRow(grid, "C:\\Music\\Skipped\\t.mp3", "Kept");                        // 5
    AddRow(grid, "C:\\Music\\Other cells\\t.mp3", "Kept too");                // 6
    AddRow(grid, "track.mp3", "No folder");                                   // 7
    AddRow(grid, "C:\\Music\\\\t.mp3", "Empty name");                         // 8
    grid.SetItemText(2, kColMessage, "Comment will be truncated.");
    grid.SetItemFgColour(2, kColMessage, kMessageColour);

    // Rows 1-4 and 7-8 whole, row 6 without its column 0; row 5 lies inside
    // the range but is not selected.
    grid.SetSelectedRange(1, 0, 4, 4);
    grid.SaveSelection();
    grid.SetSelectedRange(6, 1, 6, 4);
    grid.SaveSelection();
    grid.SetSelectedRange(7, 0, 8, 4);
    ASSERT_TRUE(grid.IsCellSelected(1, kColFilename));
    ASSERT_FALSE(grid.IsCellSelected(5, kColFilename));
    ASSERT_FALSE(grid.IsCellSelected(6, kColFilename));
    ASSERT_TRUE(grid.IsCellSelected(6, kColAlbum));

    ChangeAlbumToFolderName(grid);

    EXPECT_EQ((std::vector<std::string>{"Best Of", "Root", "Long", name150, "Kept", "Kept too",
                                        "No folder", "Empty name"}),
              Column(grid, kColAlbum));
    EXPECT_EQ((std::vector<std::string>{"", "Can't set album", "Can't set album", "", "", "",
                                        "Can't set album", "Can't set album"}),
              Column(grid, kColMessage));
    // The album as read stays; a message's colour is not changed.
    EXPECT_EQ((std::vector<std::string>{"Old", "Root", "Long", "Fits", "Kept", "Kept too",
                                        "No folder", "Empty name"}),
              Column(grid, kColOrigAlbum));
    EXPECT_EQ(kMessageColour, grid.GetItemFgColour(2, kColMessage));
    EXPECT_NE(kMessageColour, grid.GetItemFgColour(3, kColMessage));

    // Nothing selected: nothing changes.
    grid.SetItemText(1, kColAlbum, "Old");
    grid.SetItemText(1, kColMessage, "");
    grid.ResetSelectedRange();
    ChangeAlbumToFolderName(grid);
    EXPECT_EQ("Old", grid.GetItemText(1, kColAlbum));
    EXPECT_EQ("", grid.GetItemText(1, kColMessage));
}

TEST(ChangeAlbum, FolderNameIsFoundByCharactersOfTheCodePage)
{
    // "\x83\x5C\x83\x74\x83\x67" is "ソフト" in code page 932; its first
    // character ends in the byte of a backslash. In code page 1252 those are
    // six characters, one of them a backslash.
    const std::string soft = "\x83\x5C\x83\x74\x83\x67";
    const struct {
        std::string path;
        unsigned nCodePage;
        std::string name;
    } cases[] = {
        {"C:\\x\\" + soft + "\\t.mp3", 932, soft},
        {"C:\\x\\" + soft + "\\t.mp3", 1252, "\x83\x74\x83\x67"},
        {"C:\\x\\" + soft + ".mp3", 932, "x"},
        {"C:\\x\\" + soft + ".mp3", 1252, "\x83"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.name, HoldingFolderName(c.path, c.nCodePage)) << c.path << " " << c.nCodePage;
}
