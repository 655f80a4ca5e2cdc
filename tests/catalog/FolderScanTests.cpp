// The folder scan on a real grid and real folder trees: which entries count,
// the rows and messages, the selection rule, the order, drive roots, folder
// links, and that closing each level only at the top gives the same list as
// closing every level.
#include "support/GTestWin.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "FileListHost.h"
#include "catalog/FileListGrid.h"
#include "catalog/FolderScan.h"
#include "log/SwiftTraceLog.h"
#include "support/DriveLetter.h"
#include "support/FolderLink.h"
#include "support/LogRecorder.h"
#include "mp3/Mp3Builder.h"
#include "support/TestSupport.h"

using filelisttest::Column;
using filelisttest::FileListHost;
using filelisttest::WriteMp3;
using testsupport::TempFolder;

namespace {

void MakeFolder(const std::string& path)
{
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
}

void Scan(CGridCtrl& grid, const std::string& folder, bool bOnlyNonAvc = false)
{
    CFolderScan scan(grid, TRUE);
    scan.ScanFolder(folder.c_str(), bOnlyNonAvc);
}

// Whether every data row is selected (by its column-0 cell), and whether none is.
bool AllRowsSelected(const CGridCtrl& grid)
{
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
        if (!grid.IsCellSelected(nRow, kColFilename))
            return false;
    }
    return grid.GetRowCount() > 1;
}

const std::string kComment24(24, 'c');
const std::string kComment25(25, 'c');
const std::string kMarked30 = std::string(26, 'm') + ":AVC";

}  // namespace

TEST(FolderScan, EntriesCountByTheirLastThreeCharactersAndFoldersAreSearched)
{
    TempFolder top("qscan");
    MakeFolder(top.File("Music.mp3"));
    MakeFolder(top.File("upper"));
    MakeFolder(top.File("mixed"));
    ASSERT_TRUE(WriteMp3(top.File("Music.mp3\\inner.mp3"), "In", ""));
    ASSERT_TRUE(WriteMp3(top.File("upper\\song.MP3"), "Up", ""));
    ASSERT_TRUE(WriteMp3(top.File("mixed\\song.Mp3"), "Mixed", ""));
    ASSERT_TRUE(WriteMp3(top.File("songmp3"), "NoDot", ""));
    ASSERT_TRUE(WriteMp3(top.File("song.mp3.bak"), "Backup", ""));

    FileListHost host;
    testsupport::LogRecorder log;
    // With the trailing backslash the folder picker gives.
    Scan(host.Grid(), top.Path() + "\\");

    const std::string base = top.Path() + "\\";
    std::vector<std::string> expected = {base + "Music.mp3\\inner.mp3", base + "mixed\\song.Mp3",
                                         base + "songmp3", base + "upper\\song.MP3"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, Column(host.Grid(), kColFilename));
    EXPECT_EQ(5, host.Grid().GetColumnCount());

    // Each folder and each listed file is logged once, with its own line.
    auto count = [&](const std::string& line) {
        return std::count(log.m_linesWithSource.begin(), log.m_linesWithSource.end(), line);
    };
    EXPECT_EQ(1, count("MainFrm(279) [8:0] Found dir  " + base + "Music.mp3"));
    EXPECT_EQ(1, count("MainFrm(279) [8:0] Found dir  " + base + "upper"));
    EXPECT_EQ(1, count("MainFrm(298) [8:0] Found file " + base + "Music.mp3\\inner.mp3"));
    EXPECT_EQ(1, count("MainFrm(298) [8:0] Found file " + base + "songmp3"));
    EXPECT_EQ(7u, log.m_linesWithSource.size());
    for (const std::string& line : log.m_linesWithSource)
        EXPECT_EQ(std::string::npos, line.find("\\\\")) << line;
}

TEST(FolderScan, RowsCarryTagsAndMessagesInRed)
{
    TempFolder top("qscanmsg");
    const std::string album151(151, 'a');
    ASSERT_TRUE(WriteMp3(top.File("a24.mp3"), "Album", kComment24));
    ASSERT_TRUE(WriteMp3(top.File("b25.mp3"), "Album", kComment25));
    ASSERT_TRUE(WriteMp3(top.File("c30marked.mp3"), "Done", kMarked30));
    ASSERT_TRUE(WriteMp3(top.File("d151.mp3"), album151, std::string(40, 'x')));
    ASSERT_TRUE(WriteMp3(top.File("e150.mp3"), std::string(150, 'e'), "short"));
    ASSERT_TRUE(testsupport::MakeUnopenableFile(top.File("f-broken.mp3")));
    // A tag whose SEEK frame sends libid3tag's file reader round for good,
    // and album frames that inflate to 8 MB each.
    ASSERT_TRUE(testsupport::WriteFileBytes(top.File("g-seek.mp3"),
                                            mp3::SeekLoopFile("Loop", "Seek")));
    ASSERT_TRUE(testsupport::WriteFileBytes(
        top.File("h-bomb.mp3"),
        mp3::CompressedBombTag(2, 8 << 20, "Bomb") + mp3::AudioFrames(2)));

    FileListHost host;
    CGridCtrl& grid = host.Grid();
    Scan(grid, top.Path());
    ASSERT_EQ(9, grid.GetRowCount());

    const std::vector<std::string> messages = {
        "", "Comment will be truncated.", "", "Album too long.\nComment will be truncated.", "",
        "Can't open file for MP3 tags", "", ""};
    EXPECT_EQ(messages, Column(grid, kColMessage));
    const std::vector<std::string> albums = {"Album", "Album", "Done", album151,
                                             std::string(150, 'e'), "", "Loop", ""};
    EXPECT_EQ(albums, Column(grid, kColAlbum));
    EXPECT_EQ(albums, Column(grid, kColOrigAlbum));
    const std::vector<std::string> comments = {kComment24, kComment25, kMarked30,
                                               std::string(40, 'x'), "short", "", "Seek", "Bomb"};
    EXPECT_EQ(comments, Column(grid, kColComment));
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
        const bool bMessage = !grid.GetItemText(nRow, kColMessage).empty();
        EXPECT_EQ(bMessage, grid.GetItemFgColour(nRow, kColMessage) == RGB(255, 0, 0)) << nRow;
    }
    // Rows with messages among the chosen folder's own files: nothing selected.
    EXPECT_EQ(0, grid.GetSelectedCount());

    // Only files without the marker, but the unreadable file stays listed.
    testsupport::LogRecorder log;
    for (int nRow = grid.GetRowCount() - 1; nRow >= 1; --nRow)
        grid.DeleteRow(nRow);
    Scan(grid, top.Path(), true);
    const std::vector<std::string> names = Column(grid, kColFilename);
    ASSERT_EQ(7u, names.size());
    EXPECT_EQ(top.File("b25.mp3"), names[1]);
    EXPECT_EQ(top.File("d151.mp3"), names[2]);
    EXPECT_EQ(top.File("f-broken.mp3"), names[4]);
    EXPECT_EQ("Can't open file for MP3 tags", grid.GetItemText(5, kColMessage));
    for (const std::string& line : log.m_linesWithSource)
        EXPECT_EQ(std::string::npos, line.find("c30marked")) << line;
}

TEST(FolderScan, SelectionFollowsOnlyTheChosenFoldersOwnFiles)
{
    TempFolder top("qscansel");
    MakeFolder(top.File("one"));
    MakeFolder(top.File("two"));
    ASSERT_TRUE(WriteMp3(top.File("one\\long.mp3"), "A", kComment25));
    ASSERT_TRUE(WriteMp3(top.File("two\\fine.mp3"), "B", "ok"));
    ASSERT_TRUE(WriteMp3(top.File("two\\long.mp3"), "B", kComment25));

    // Only sub-folders, whose rows carry messages: everything selected.
    FileListHost host;
    CGridCtrl& grid = host.Grid();
    Scan(grid, top.Path() + "\\");
    ASSERT_EQ(4, grid.GetRowCount());
    EXPECT_TRUE(AllRowsSelected(grid));
    EXPECT_EQ(3 * 5, grid.GetSelectedCount());

    // One clean file of its own changes nothing.
    ASSERT_TRUE(WriteMp3(top.File("clean.mp3"), "C", "fine"));
    FileListHost second;
    Scan(second.Grid(), top.Path());
    EXPECT_TRUE(AllRowsSelected(second.Grid()));

    // One file of its own with a message: no row selected.
    ASSERT_TRUE(WriteMp3(top.File("own.mp3"), "D", kComment25));
    FileListHost third;
    Scan(third.Grid(), top.Path());
    ASSERT_EQ(6, third.Grid().GetRowCount());
    EXPECT_EQ(0, third.Grid().GetSelectedCount());
}

TEST(FolderScan, RowsAreSortedByPathInByteOrderAndEmptyTreesGiveTheHeaderOnly)
{
    TempFolder top("qscansort");
    MakeFolder(top.File("Zed"));
    MakeFolder(top.File("alpha"));
    MakeFolder(top.File("empty"));
    for (const char* pszName : {"b.mp3", "B.mp3x.mp3", "_u.mp3", "a.mp3", "Zed\\z.mp3", "alpha\\y.mp3",
                                "\xE9t\xE9.mp3"})
        ASSERT_TRUE(WriteMp3(top.File(pszName), "x", ""));

    FileListHost host;
    Scan(host.Grid(), top.Path());
    std::vector<std::string> expected;
    for (const char* pszName : {"B.mp3x.mp3", "Zed\\z.mp3", "_u.mp3", "a.mp3", "alpha\\y.mp3", "b.mp3",
                                "\xE9t\xE9.mp3"})
        expected.push_back(top.File(pszName));
    EXPECT_EQ(expected, Column(host.Grid(), kColFilename));
    EXPECT_EQ(kColFilename, host.Grid().GetSortColumn());
    EXPECT_TRUE(host.Grid().GetSortAscending());

    // A folder without MP3 files and a folder that does not exist: header only.
    FileListHost emptyHost;
    Scan(emptyHost.Grid(), top.File("empty"));
    EXPECT_EQ(1, emptyHost.Grid().GetRowCount());
    Scan(emptyHost.Grid(), top.File("missing"));
    EXPECT_EQ(1, emptyHost.Grid().GetRowCount());
    EXPECT_EQ("Filename", emptyHost.Grid().GetItemText(0, kColFilename));
}

TEST(FolderScan, PathsAtADriveRootHaveOneBackslash)
{
    TempFolder top("qscanroot");
    MakeFolder(top.File("sub"));
    ASSERT_TRUE(WriteMp3(top.File("song.mp3"), "Root", ""));
    ASSERT_TRUE(WriteMp3(top.File("sub\\deep.mp3"), "Sub", ""));
    testsupport::MappedDrive drive(top.Path());
    ASSERT_TRUE(drive.IsMapped());

    const std::vector<std::string> expected = {drive.Root() + "\\song.mp3",
                                               drive.Root() + "\\sub\\deep.mp3"};
    for (const std::string& folder : {drive.Root() + "\\", drive.Root() + "\\sub\\..\\"}) {
        FileListHost host;
        Scan(host.Grid(), folder);
        EXPECT_EQ(expected, Column(host.Grid(), kColFilename)) << folder;
    }
}

TEST(FolderScan, FolderLinksEndAndListEachFileOnce)
{
    TempFolder top("qscanlink");
    TempFolder outside("qscanout");
    MakeFolder(top.File("a"));
    MakeFolder(top.File("a\\b"));
    ASSERT_TRUE(WriteMp3(top.File("a\\one.mp3"), "1", ""));
    ASSERT_TRUE(WriteMp3(top.File("a\\b\\two.mp3"), "2", ""));
    ASSERT_TRUE(WriteMp3(outside.File("three.mp3"), "3", ""));
    // A loop back to the top, a second way into a, and a way out of the tree.
    ASSERT_TRUE(testsupport::MakeFolderLink(top.File("a\\b\\loop"), top.Path()));
    ASSERT_TRUE(testsupport::MakeFolderLink(top.File("again"), top.File("a")));
    ASSERT_TRUE(testsupport::MakeFolderLink(top.File("out"), outside.Path()));

    FileListHost host;
    Scan(host.Grid(), top.Path());
    std::multiset<std::string> names;
    for (const std::string& path : Column(host.Grid(), kColFilename))
        names.insert(path.substr(path.rfind('\\') + 1));
    EXPECT_EQ((std::multiset<std::string>{"one.mp3", "three.mp3", "two.mp3"}), names);
    EXPECT_EQ(0u, names.count("loop"));
    // The file outside is listed under the link's path.
    const std::vector<std::string> paths = Column(host.Grid(), kColFilename);
    EXPECT_NE(paths.end(), std::find(paths.begin(), paths.end(), top.File("out\\three.mp3")));
}

namespace {

// Everything of the list a user can see or the commands read.
struct ListState {
    std::vector<std::vector<std::string>> texts;
    std::vector<std::vector<COLORREF>> colours;
    std::vector<int> widths;
    std::vector<int> heights;
    std::vector<bool> selected;
    int nSelected = 0;
    int nSortColumn = -1;
    CCellID focus;

    bool operator==(const ListState& o) const
    {
        return texts == o.texts && colours == o.colours && widths == o.widths &&
               heights == o.heights && selected == o.selected && nSelected == o.nSelected &&
               nSortColumn == o.nSortColumn && focus.row == o.focus.row && focus.col == o.focus.col;
    }
};

ListState StateOf(const CGridCtrl& grid)
{
    ListState s;
    for (int nRow = 0; nRow < grid.GetRowCount(); ++nRow) {
        s.texts.emplace_back();
        s.colours.emplace_back();
        for (int nCol = 0; nCol < grid.GetColumnCount(); ++nCol) {
            s.texts.back().push_back(grid.GetItemText(nRow, nCol));
            s.colours.back().push_back(grid.GetItemFgColour(nRow, nCol));
        }
        s.heights.push_back(grid.GetRowHeight(nRow));
        s.selected.push_back(grid.IsCellSelected(nRow, kColFilename) != FALSE);
    }
    for (int nCol = 0; nCol < grid.GetColumnCount(); ++nCol)
        s.widths.push_back(grid.GetColumnWidth(nCol));
    s.nSelected = grid.GetSelectedCount();
    s.nSortColumn = grid.GetSortColumn();
    s.focus = grid.GetFocusCell();
    return s;
}

// A tree of three levels with several folders per level; messages deep
// down, and a long name deep down that decides column 0's width.
void MakeDeepTree(const TempFolder& top)
{
    const char* const apszFolders[] = {"k1", "k1\\m1", "k1\\m1\\n1", "k1\\m2", "k2", "k2\\m1",
                                       "k2\\m1\\n1", "k2\\m1\\n2"};
    for (const char* pszFolder : apszFolders)
        MakeFolder(top.File(pszFolder));
    int n = 0;
    for (const char* pszFolder : apszFolders) {
        for (int i = 0; i < 3; ++i, ++n) {
            const std::string name = std::string(pszFolder) + "\\t" + std::to_string(n) + ".mp3";
            const std::string comment = (n % 4 == 0) ? kComment25 : "c" + std::to_string(n);
            ASSERT_TRUE(WriteMp3(top.File(name), "Album " + std::to_string(n), comment));
        }
    }
    ASSERT_TRUE(WriteMp3(top.File("k2\\m1\\n2\\a rather long file name that sets the width.mp3"),
                         std::string(60, 'w'), ""));
}

ListState ScanBothWays(const std::string& folder, ListState* pEveryLevel)
{
    FileListHost topOnly;
    CFolderScan scan(topOnly.Grid(), TRUE);
    scan.ScanFolder(folder.c_str(), false);

    FileListHost everyLevel;
    CFolderScan plain(everyLevel.Grid(), TRUE);
    plain.SetClosingStepsAtEveryLevel(true);
    plain.ScanFolder(folder.c_str(), false);
    *pEveryLevel = StateOf(everyLevel.Grid());
    return StateOf(topOnly.Grid());
}

}  // namespace

TEST(FolderScan, ClosingOnlyTheTopLevelGivesTheListOfClosingEveryLevel)
{
    TempFolder top("qscandeep");
    MakeDeepTree(top);

    // Clean files of its own at the top: all selected either way.
    ASSERT_TRUE(WriteMp3(top.File("top.mp3"), "Top", "fine"));
    ListState everyLevel;
    ListState topOnly = ScanBothWays(top.Path(), &everyLevel);
    EXPECT_EQ(27u, topOnly.texts.size());
    EXPECT_EQ(26, std::count(topOnly.selected.begin(), topOnly.selected.end(), true));
    EXPECT_TRUE(topOnly == everyLevel);
    EXPECT_EQ(everyLevel.widths, topOnly.widths);
    EXPECT_EQ(everyLevel.texts, topOnly.texts);

    // A message at the top: nothing selected either way.
    ASSERT_TRUE(WriteMp3(top.File("top2.mp3"), "Top", kComment25));
    topOnly = ScanBothWays(top.Path(), &everyLevel);
    EXPECT_EQ(0, topOnly.nSelected);
    EXPECT_TRUE(topOnly == everyLevel);
    EXPECT_EQ(everyLevel.widths, topOnly.widths);
}
