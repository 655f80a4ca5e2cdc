// The folder scan on the program's file list and real folder trees: which
// entries count, the rows and messages, the selection rule, the order, drive
// roots and folder links.
#include "support/GTestWin.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "FileListHost.h"
#include "catalog/FolderScan.h"
#include "support/DriveLetter.h"
#include "support/FolderLink.h"
#include "support/LogRecorder.h"
#include "mp3/Mp3Builder.h"
#include "support/TestSupport.h"

using filelisttest::Column;
using filelisttest::FileListHost;
using filelisttest::Mp3;
using filelisttest::WriteMp3;
using testsupport::TempFolder;

namespace {

void MakeFolder(const std::string& path)
{
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
}

void Scan(CGridCtrl& grid, const std::string& folder, bool bOnlyNonAvc = false)
{
    CFolderScan(grid, TRUE).ScanFolder(folder.c_str(), bOnlyNonAvc);
}

const std::string kComment25(25, 'c');

}  // namespace

// Each entry of one tree, scanned with Load and with Load Non-AVC (which
// leaves out files whose comment ends in the marker).
TEST(FolderScan, EntriesCountByTheirLastThreeCharactersAndRowsCarryTagsAndMessagesInRed)
{
    TempFolder top("qscan");
    for (const char* pszFolder : {"Music.mp3", "upper", "mixed"})
        MakeFolder(top.File(pszFolder));
    const std::string album151(151, 'a'), album150(150, 'e'), marked30 = std::string(26, 'm') + ":AVC";
    struct Entry {
        const char* pszName;
        std::string bytes;  // empty: a file that cannot be opened
        std::string album, comment, message;
        bool bListed, bNonAvc;  // listed by Load, by Load Non-AVC
    };
    const Entry entries[] = {
        {"Music.mp3\\inner.mp3", Mp3("In", ""), "In", "", "", true, true},
        {"upper\\song.MP3", Mp3("Up", ""), "Up", "", "", true, true},
        {"mixed\\song.Mp3", Mp3("Mixed", ""), "Mixed", "", "", true, true},
        {"songmp3", Mp3("NoDot", ""), "NoDot", "", "", true, true},
        {"song.mp3.bak", Mp3("Backup", ""), "", "", "", false, false},
        {"a24.mp3", Mp3("Album", std::string(24, 'c')), "Album", std::string(24, 'c'), "", true, true},
        {"b25.mp3", Mp3("Album", kComment25), "Album", kComment25, "Comment will be truncated.", true, true},
        {"c30marked.mp3", Mp3("Done", marked30), "Done", marked30, "", true, false},
        {"d-lower.mp3", Mp3("Done", "Live:avc"), "Done", "Live:avc", "", true, false},
        {"e-inside.mp3", Mp3("Mid", "Take:AVC 2"), "Mid", "Take:AVC 2", "", true, true},
        {"f151.mp3", Mp3(album151, std::string(40, 'x')), album151, std::string(40, 'x'),
         "Album too long.\nComment will be truncated.", true, true},
        {"g150.mp3", Mp3(album150, "short"), album150, "short", "", true, true},
        {"h-broken.mp3", "", "", "", "Can't open file for MP3 tags", true, true},
        // A tag whose SEEK frame sends libid3tag's file reader round for good,
        // and album frames that inflate to 8 MB each.
        {"i-seek.mp3", mp3::SeekLoopFile("Loop", "Seek"), "Loop", "Seek", "", true, true},
        {"j-bomb.mp3", mp3::CompressedBombTag(2, 8 << 20, "Bomb") + mp3::AudioFrames(2), "",
         "Bomb", "", true, true},
    };
    for (const auto& e : entries) {
        const std::string path = top.File(e.pszName);
        ASSERT_TRUE(e.bytes.empty() ? testsupport::MakeUnopenableFile(path)
                                    : testsupport::WriteFileBytes(path, e.bytes)) << e.pszName;
    }
    for (bool bOnlyNonAvc : {false, true}) {
        SCOPED_TRACE(bOnlyNonAvc ? "Load Non-AVC" : "Load");
        FileListHost host;
        CGridCtrl& grid = host.Grid();
        testsupport::LogRecorder log;
        Scan(grid, top.Path() + "\\", bOnlyNonAvc);  // with the trailing backslash of the folder picker

        std::vector<const Entry*> rows;
        for (const auto& e : entries) {
            if (bOnlyNonAvc ? e.bNonAvc : e.bListed)
                rows.push_back(&e);
        }
        std::sort(rows.begin(), rows.end(),
                  [&](auto a, auto b) { return top.File(a->pszName) < top.File(b->pszName); });
        ASSERT_EQ(static_cast<int>(rows.size()) + 1, grid.GetRowCount());
        // Each folder and each listed file is logged once, with its own line.
        std::multiset<std::string> lines(log.m_linesWithSource.begin(), log.m_linesWithSource.end());
        for (const char* pszFolder : {"Music.mp3", "upper", "mixed"})
            EXPECT_EQ(1u, lines.count("MainFrm(279) [8:0] Found dir  " + top.File(pszFolder)));
        EXPECT_EQ(rows.size() + 3, lines.size());
        for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
            const auto& e = *rows[nRow - 1];
            EXPECT_EQ(top.File(e.pszName), grid.GetItemText(nRow, kColFilename));
            EXPECT_EQ(1u, lines.count("MainFrm(298) [8:0] Found file " + top.File(e.pszName)));
            EXPECT_EQ(e.album, grid.GetItemText(nRow, kColAlbum)) << e.pszName;
            EXPECT_EQ(e.album, grid.GetItemText(nRow, kColOrigAlbum)) << e.pszName;
            EXPECT_EQ(e.comment, grid.GetItemText(nRow, kColComment)) << e.pszName;
            EXPECT_EQ(e.message, grid.GetItemText(nRow, kColMessage)) << e.pszName;
            EXPECT_EQ(!e.message.empty(), grid.GetItemFgColour(nRow, kColMessage) == RGB(255, 0, 0))
                << e.pszName;
        }
        // Rows with messages among the chosen folder's own files: nothing selected.
        EXPECT_EQ(0, grid.GetSelectedCount());
    }
}

TEST(FolderScan, SelectionFollowsOnlyTheChosenFoldersOwnFiles)
{
    TempFolder top("qscansel");
    MakeFolder(top.File("one"));
    MakeFolder(top.File("two"));
    ASSERT_TRUE(WriteMp3(top.File("one\\long.mp3"), "A", kComment25));
    ASSERT_TRUE(WriteMp3(top.File("two\\fine.mp3"), "B", "ok"));
    ASSERT_TRUE(WriteMp3(top.File("two\\long.mp3"), "B", kComment25));
    // {file of its own added, everything selected}: messages in sub-folders
    // do not count, a message of its own does.
    const std::pair<const char*, bool> steps[] = {{nullptr, true}, {"clean.mp3", true}, {"own.mp3", false}};
    for (const auto& step : steps) {
        if (step.first != nullptr) {
            ASSERT_TRUE(WriteMp3(top.File(step.first), "C", step.second ? "fine" : kComment25));
        }
        FileListHost host;
        Scan(host.Grid(), top.Path());
        EXPECT_EQ(step.second ? (host.Grid().GetRowCount() - 1) * 5 : 0, host.Grid().GetSelectedCount())
            << step.first;
    }
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
}

TEST(FolderScan, PathsAtADriveRootHaveOneBackslash)
{
    TempFolder top("qscanroot");
    MakeFolder(top.File("sub"));
    ASSERT_TRUE(WriteMp3(top.File("song.mp3"), "Root", ""));
    ASSERT_TRUE(WriteMp3(top.File("sub\\deep.mp3"), "Sub", ""));
    testsupport::MappedDrive drive(top.Path());
    ASSERT_TRUE(drive.IsMapped());
    const std::vector<std::string> expected = {drive.Root() + "\\song.mp3", drive.Root() + "\\sub\\deep.mp3"};
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
    const std::vector<std::string> paths = Column(host.Grid(), kColFilename);
    std::multiset<std::string> names;
    for (const std::string& path : paths)
        names.insert(path.substr(path.rfind('\\') + 1));
    EXPECT_EQ((std::multiset<std::string>{"one.mp3", "three.mp3", "two.mp3"}), names);
    // The file outside is listed under the link's path.
    EXPECT_NE(paths.end(), std::find(paths.begin(), paths.end(), top.File("out\\three.mp3")));
}
