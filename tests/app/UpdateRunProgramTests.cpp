// Update Selected Files through the whole program, process against process:
// Quillon started as the user starts it, the Audacity stand-in as the
// configured editor, the folder picker and the message boxes answered the
// way a user answers them.
#include "support/GTestWin.h"

#include <string>

#include "app/resource.h"
#include "framework/FrameWnd.h"
#include "support/DriveLetter.h"
#include "mp3/Mp3Builder.h"
#include "support/ProgramProcess.h"
#include "support/StandInSupport.h"
#include "support/SettingsRegistry.h"
#include "support/TestSupport.h"
#include "support/Transcript.h"
#include "support/WindowFinder.h"

namespace {

size_t CountOf(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1))
        ++n;
    return n;
}

// A message box of the program: a dialog-class window titled "Quillon".
HWND WaitForMessageBox(DWORD dwPid, DWORD dwTimeoutMs)
{
    HWND hBox = nullptr;
    testsupport::PumpUntil(
        [&] {
            for (HWND hWnd : testsupport::TopWindows(dwPid, "Quillon", testsupport::TitleMatch::Exact)) {
                char szClass[16] = "";
                GetClassNameA(hWnd, szClass, sizeof(szClass));
                if (strcmp(szClass, "#32770") == 0 && IsWindowVisible(hWnd)) {
                    hBox = hWnd;
                    return true;
                }
            }
            return false;
        },
        dwTimeoutMs);
    return hBox;
}

// The box's text, once it has one.
std::string MessageBoxText(HWND hBox)
{
    std::string text;
    testsupport::PumpUntil(
        [&] {
            text = testsupport::ControlText(GetDlgItem(hBox, 0xFFFF));
            return !text.empty();
        },
        5000);
    return text;
}

// Clicks a button of the box and waits until the box is gone.
bool Answer(HWND hBox, const char* pszButton)
{
    return testsupport::ClickButton(hBox, pszButton) &&
           testsupport::PumpUntil([&] { return !IsWindow(hBox); }, 5000);
}

// How many stand-ins were started on a file of that name.
size_t StartsOf(const testsupport::Transcript& transcript, const std::string& name)
{
    size_t n = 0;
    for (const std::string& line : transcript.Lines()) {
        if (line.compare(0, 6, "start ") == 0 && line.size() >= name.size() &&
            line.compare(line.size() - name.size(), name.size(), name) == 0)
            ++n;
    }
    return n;
}

// Quillon with a music folder on a mapped drive and the stand-in as editor.
class UpdateRunProgram : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(drive.IsMapped());
        music = drive.Root() + "\\Music\\";
        CreateDirectoryA(top.File("Music").c_str(), nullptr);
        testsupport::DeleteSettings();
        ASSERT_TRUE(testsupport::StoreSetting("DefaultDirectory", music));
        ASSERT_TRUE(testsupport::StoreSetting("AudacityFilename", testsupport::StandInProgramPath()));
    }
    void TearDown() override
    {
        program.Kill();
        testsupport::DeleteSettings();
    }
    std::string AddFile(const std::string& folder, const std::string& name,
                        const std::string& album, const std::string& comment)
    {
        const std::string dir = folder.empty() ? "Music" : "Music\\" + folder;
        CreateDirectoryA(top.File(dir).c_str(), nullptr);
        mp3::Mp3FileDesc desc;
        desc.album = album;
        desc.comment = comment;
        const std::string path = top.File(dir + "\\" + name);
        EXPECT_TRUE(mp3::WriteMp3File(path, desc));
        return path;
    }
    void Start()
    {
        ASSERT_TRUE(program.Start("Quillon", logs.Path()));
        hMain = program.WaitForWindow("Quillon");
        ASSERT_NE(nullptr, hMain);
    }
    // A Load command answered with OK on the folder the picker starts on.
    void Load(UINT nCommand)
    {
        PostMessageA(hMain, WM_COMMAND, nCommand, 0);
        HWND hDlg = program.WaitForWindow("Blar...");
        ASSERT_NE(nullptr, hDlg);
        HWND hOk = GetDlgItem(hDlg, IDOK);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return IsWindowEnabled(hOk) != FALSE; }, 5000));
        SendMessageA(hOk, BM_CLICK, 0, 0);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return !IsWindow(hDlg); }, 10000));
    }
    std::string Log() const { return testsupport::ReadFileBytes(logs.File("Quillon.log")); }

    testsupport::TempFolder top{"qupd"};
    testsupport::TempFolder logs{"qupdlog"};
    testsupport::MappedDrive drive{top.Path()};
    std::string music;
    testsupport::ProgramProcess program;
    HWND hMain = nullptr;
};

}  // namespace

TEST_F(UpdateRunProgram, UpdatesTheSelectedFilesAndTheNextLoadShowsThem)
{
    const std::string comment40 = "Recorded live in the old town hall, 1999";
    ASSERT_EQ(40u, comment40.size());
    const std::string one = AddFile("Jazz", "one.mp3", "Old Name", "Live");
    const std::string two = AddFile("Jazz", "two.mp3", "Old Name", comment40);
    const std::string three = AddFile("Folk", "three.mp3", "Folk", "");
    testsupport::TempFolder transcripts("qupdtr");
    testsupport::StandInEnvironment env(transcripts.File("transcript.txt"), "", "300");
    Start();

    // The chosen folder holds only sub-folders: every row ends selected.
    Load(ID_FILE_LOAD_ALL);
    PostMessageA(hMain, WM_COMMAND, ID_ACTIONS_CHANGE_ALBUM, 0);
    PostMessageA(hMain, WM_COMMAND, ID_FILE_UPDATE_SELECTED, 0);
    ASSERT_TRUE(testsupport::PumpUntil(
        [&] { return CountOf(testsupport::ReadFileBytes(transcripts.File("transcript.txt")), "exit 0") == 3; },
        90000));
    ASSERT_TRUE(testsupport::WaitForNoTopWindow(program.ProcessId(), "AVC Progress", 10000));
    ASSERT_TRUE(testsupport::WaitForNoTopWindow(program.ProcessId(), "Progress [", 10000));

    // Change Album reached the files whose album it changed; the third
    // already had its folder's name and was given no album.
    EXPECT_EQ("Jazz", mp3::ReadMp3TagText(one).album);
    EXPECT_EQ("Live:AVC", mp3::ReadMp3TagText(one).comment);
    EXPECT_EQ("Jazz", mp3::ReadMp3TagText(two).album);
    EXPECT_EQ(comment40.substr(0, 24) + ":AVC", mp3::ReadMp3TagText(two).comment);
    EXPECT_EQ("Folk", mp3::ReadMp3TagText(three).album);
    EXPECT_EQ(":AVC", mp3::ReadMp3TagText(three).comment);
    std::string log = Log();
    EXPECT_EQ(3u, CountOf(log, "Starting file "));
    EXPECT_EQ(2u, CountOf(log, "Set album name"));
    EXPECT_EQ(0u, CountOf(log, "ERROR in processing file"));
    EXPECT_EQ(nullptr, WaitForMessageBox(program.ProcessId(), 200));

    // The non-AVC list no longer shows the updated files.
    const size_t nFoundBefore = CountOf(log, "Found file ");
    Load(ID_FILE_LOAD_NON_AVC);
    log = Log();
    EXPECT_EQ(nFoundBefore, CountOf(log, "Found file "));

    PostMessageA(hMain, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit());
}

TEST_F(UpdateRunProgram, ErrorPromptOkGoesOnAndCancelClosesTheProgramStoringSettings)
{
    AddFile("A", "first.mp3", "A", "x");
    const std::string second = AddFile("A", "second.mp3", "A", "y");
    testsupport::TempFolder transcripts("qupdtr");
    // No overwrite question ever comes: every file fails at that step.
    testsupport::StandInEnvironment env(transcripts.File("transcript.txt"), "never:replace", "300");
    // The folder stored at start differs from the one chosen in this run.
    ASSERT_TRUE(testsupport::StoreSetting("DefaultDirectory", music + "A\\"));
    Start();
    ASSERT_TRUE(testsupport::StoreSetting("DefaultDirectory", "C:\\Elsewhere"));
    Load(ID_FILE_LOAD_ALL);
    PostMessageA(hMain, WM_COMMAND, ID_FILE_UPDATE_SELECTED, 0);

    const DWORD dwPid = program.ProcessId();
    // First file: the missing confirmation, then the prompt; OK goes on.
    HWND hBox = WaitForMessageBox(dwPid, 30000);
    ASSERT_NE(nullptr, hBox);
    EXPECT_EQ("No replace dialog found!", MessageBoxText(hBox));
    ASSERT_TRUE(Answer(hBox, "OK"));
    hBox = WaitForMessageBox(dwPid, 10000);
    ASSERT_NE(nullptr, hBox);
    EXPECT_EQ(0u, MessageBoxText(hBox).find("Quillon is unable to complete the Audacity operations"));
    ASSERT_TRUE(Answer(hBox, "OK"));

    // Second file: the same, and Cancel stops the run and closes the program.
    hBox = WaitForMessageBox(dwPid, 30000);
    ASSERT_NE(nullptr, hBox);
    EXPECT_EQ("No replace dialog found!", MessageBoxText(hBox));
    ASSERT_TRUE(Answer(hBox, "OK"));
    hBox = WaitForMessageBox(dwPid, 10000);
    ASSERT_NE(nullptr, hBox);
    ASSERT_TRUE(Answer(hBox, "Cancel"));
    EXPECT_EQ(0, program.WaitForExit(15000));

    const std::string log = Log();
    EXPECT_EQ(2u, CountOf(log, "Starting file "));
    EXPECT_EQ(2u, CountOf(log, "bRC = 0 (no replace dialog)"));
    EXPECT_EQ(2u, CountOf(log, "ERROR in processing file"));
    // The folder chosen in this run was stored by the normal exit.
    EXPECT_EQ(music + "A\\", testsupport::StoredSetting("DefaultDirectory"));
    // The stand-ins left behind by the failed steps are ended.
    for (HWND hWnd : testsupport::TopWindows(0, "second - Audacity stand-in"))
        PostMessageA(hWnd, WM_CLOSE, 0, 0);
    for (HWND hWnd : testsupport::TopWindows(0, "first - Audacity stand-in"))
        PostMessageA(hWnd, WM_CLOSE, 0, 0);
    (void)second;
}

TEST_F(UpdateRunProgram, AnEditorThatCannotStartClosesTheProgram)
{
    AddFile("A", "song.mp3", "A", "x");
    ASSERT_TRUE(testsupport::StoreSetting("AudacityFilename", "C:\\No Such Folder\\audacity.exe"));
    Start();
    Load(ID_FILE_LOAD_ALL);
    PostMessageA(hMain, WM_COMMAND, ID_FILE_UPDATE_SELECTED, 0);
    HWND hBox = WaitForMessageBox(program.ProcessId(), 15000);
    ASSERT_NE(nullptr, hBox);
    EXPECT_EQ("CreateProcess failed", MessageBoxText(hBox));
    ASSERT_TRUE(Answer(hBox, "OK"));
    EXPECT_EQ(0, program.WaitForExit(15000));
    EXPECT_EQ(0u, CountOf(Log(), "ERROR in processing file"));
    EXPECT_EQ("C:\\No Such Folder\\audacity.exe", testsupport::StoredSetting("AudacityFilename"));
}

TEST_F(UpdateRunProgram, NothingSelectedDoesNothingVisible)
{
    AddFile("", "song.mp3", "A", std::string(30, 'c'));  // a message at the top level: nothing selected
    Start();
    Load(ID_FILE_LOAD_ALL);
    PostMessageA(hMain, WM_COMMAND, ID_FILE_UPDATE_SELECTED, 0);
    testsupport::PumpFor(500);
    EXPECT_EQ(nullptr, testsupport::FindTopWindow(program.ProcessId(), "AVC Progress"));
    EXPECT_EQ(nullptr, WaitForMessageBox(program.ProcessId(), 100));
    EXPECT_EQ(0u, CountOf(Log(), "Starting file "));
    EXPECT_TRUE(IsWindow(hMain));
    PostMessageA(hMain, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit());
}

TEST_F(UpdateRunProgram, ACloseRequestDuringAFileEndsTheRunAfterItAndClosesTheProgramNormally)
{
    for (const char* pszName : {"first.mp3", "second.mp3", "third.mp3"})
        AddFile("A", pszName, "A", "x");
    testsupport::TempFolder transcripts("qupdtr");
    const testsupport::Transcript transcript(transcripts.File("transcript.txt"));
    // No overwrite question ever comes: the first file stops at its prompts.
    testsupport::StandInEnvironment env(transcript.Path(), "never:replace", "300");
    Start();
    ASSERT_TRUE(testsupport::StoreSetting("DefaultDirectory", "C:\\Elsewhere"));
    Load(ID_FILE_LOAD_ALL);
    PostMessageA(hMain, WM_COMMAND, ID_FILE_UPDATE_SELECTED, 0);

    // The close comes while file 1 of 3 is in progress; the file finishes
    // (its prompts answered), no other starts, and no "Cancelled" box shows.
    const DWORD dwPid = program.ProcessId();
    HWND hBox = WaitForMessageBox(dwPid, 60000);
    ASSERT_NE(nullptr, hBox);
    PostMessageA(hMain, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Answer(hBox, "OK"));
    hBox = WaitForMessageBox(dwPid, 10000);
    ASSERT_NE(nullptr, hBox);
    EXPECT_EQ(0u, MessageBoxText(hBox).find("Quillon is unable to complete"));
    ASSERT_TRUE(Answer(hBox, "OK"));
    EXPECT_EQ(0, program.WaitForExit(60000));
    EXPECT_EQ(1u, StartsOf(transcript, "\\first.mp3"));
    EXPECT_EQ(1u, StartsOf(transcript, ""));
    EXPECT_EQ(music, testsupport::StoredSetting("DefaultDirectory"));
    for (HWND hWnd : testsupport::TopWindows(0, "first - Audacity stand-in"))
        PostMessageA(hWnd, WM_CLOSE, 0, 0);
}

TEST_F(UpdateRunProgram, CommandsPostedDuringARunChangeNothingAndTheStatusBarTellsTheOutcome)
{
    const std::string forty = "Recorded live in the old town hall, 1999";
    const std::string marked30 = std::string(26, 'm') + ":AVC";
    const std::string three = AddFile("Folk", "three.mp3", "Old", "");
    const std::string one = AddFile("Jazz", "one.mp3", "Jazz", "Live:AVC");
    const std::string two = AddFile("Jazz", "two.mp3", "Jazz", forty);
    const std::string four = AddFile("Jazz", "four.mp3", "Jazz", marked30);
    testsupport::TempFolder transcripts("qupdtr");
    const testsupport::Transcript transcript(transcripts.File("transcript.txt"));
    // Tag dialogs without an album field: only the file given a new album fails.
    testsupport::StandInEnvironment env(transcript.Path(), "nocontrol:tags:10003", "300");
    Start();
    HWND hStatus = GetDlgItem(hMain, AFX_IDW_STATUS_BAR);
    Load(ID_FILE_LOAD_ALL);
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] { return testsupport::ControlText(hStatus) == "4 files, 1 with a message"; }, 30000))
        << testsupport::ControlText(hStatus);
    PostMessageA(hMain, WM_COMMAND, ID_ACTIONS_CHANGE_ALBUM, 0);  // "Old" becomes "Folk"
    PostMessageA(hMain, WM_COMMAND, ID_FILE_UPDATE_SELECTED, 0);

    // File 1 (Folk) waits at its error prompt: every work command comes again.
    HWND hBox = WaitForMessageBox(program.ProcessId(), 60000);
    ASSERT_NE(nullptr, hBox);
    for (UINT nID : {ID_FILE_UPDATE_SELECTED, ID_FILE_LOAD_ALL, ID_FILE_LOAD_NON_AVC,
                     ID_ACTIONS_FIND_AUDACITY, ID_ACTIONS_CHANGE_ALBUM, ID_VIEW_SELECT_ALL})
        PostMessageA(hMain, WM_COMMAND, nID, 0);
    // The user finishes the file by hand: its editor goes.
    for (HWND hWnd : testsupport::TopWindows(0, "three - Audacity stand-in"))
        PostMessageA(hWnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(testsupport::WaitForNoTopWindow(0, "three - Audacity stand-in", 30000));
    ASSERT_TRUE(Answer(hBox, "OK"));

    ASSERT_TRUE(testsupport::PumpUntil(
        [&] { return testsupport::ControlText(hStatus).compare(0, 7, "Update ") == 0; }, 120000))
        << transcript.Text();
    EXPECT_EQ("Update finished: 3 files updated, 1 failed", testsupport::ControlText(hStatus));
    for (const char* pszName : {"\\one.mp3", "\\two.mp3", "\\three.mp3", "\\four.mp3"})
        EXPECT_EQ(1u, StartsOf(transcript, pszName)) << pszName;
    EXPECT_EQ(4u, StartsOf(transcript, ""));
    // One marker each; the failed file is as it was.
    EXPECT_EQ("Live:AVC", mp3::ReadMp3TagText(one).comment);
    EXPECT_EQ(marked30, mp3::ReadMp3TagText(four).comment);
    EXPECT_EQ(forty.substr(0, 24) + ":AVC", mp3::ReadMp3TagText(two).comment);
    EXPECT_EQ("Old", mp3::ReadMp3TagText(three).album);
    EXPECT_EQ("", mp3::ReadMp3TagText(three).comment);
    // No second Load and no dialog: the list was scanned once.
    EXPECT_EQ(4u, CountOf(Log(), "Found file "));
    EXPECT_EQ(nullptr, testsupport::FindTopWindow(program.ProcessId(), "Blar..."));
    EXPECT_EQ(nullptr, testsupport::FindTopWindow(program.ProcessId(), "Open"));

    PostMessageA(hMain, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit(30000));
}
