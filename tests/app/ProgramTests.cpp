// Quillon as the user runs it, process against process: started with its
// settings, driven through its menu commands, the folder picker and its
// message boxes, with the Audacity stand-in as the configured editor.
#include "support/GTestWin.h"

#include <string>

#include "app/resource.h"
#include "framework/FrameWnd.h"
#include "mp3/Mp3Builder.h"
#include "support/ProgramFixture.h"
#include "support/StandInSupport.h"
#include "support/WindowFinder.h"

using testsupport::CountOf;
using testsupport::StoredSetting;
using testsupport::StoreSetting;
using testsupport::WindowText;
using Program = testsupport::QuillonProgram;

namespace {

// How many stand-ins were started on a file whose path ends with the name.
size_t StartsOf(const testsupport::Transcript& transcript, const std::string& name)
{
    size_t n = 0;
    for (const std::string& line : transcript.Lines())
        n += line.compare(0, 6, "start ") == 0 && line.size() >= name.size() &&
             line.compare(line.size() - name.size(), name.size(), name) == 0;
    return n;
}

}  // namespace

// The log goes to Quillon.log whatever LogFile and LogFlags say; the
// settings as the program holds them are stored at its exit, whatever the
// registry says by then; an editor that cannot start ends the run and the
// program.
TEST_F(Program, AnEditorThatCannotStartClosesTheProgramThatStoresItsSettingsAtExit)
{
    AddMp3("A", "song.mp3", "A", "x");
    ASSERT_TRUE(StoreSetting("LogFile", "Other.log"));
    ASSERT_TRUE(StoreSetting("LogFlags", "*:!*"));
    ASSERT_TRUE(StoreSetting("AudacityFilename", "C:\\No Such Folder\\audacity.exe"));
    ASSERT_NO_FATAL_FAILURE(Start());
    testsupport::DeleteSettings();
    ASSERT_NO_FATAL_FAILURE(Load(ID_FILE_LOAD_ALL));
    Command(ID_FILE_UPDATE_SELECTED);
    HWND hBox = WaitForMessageBox(60000);
    ASSERT_NE(nullptr, hBox);
    EXPECT_EQ("CreateProcess failed", WindowText(hBox, 0xFFFF));
    ASSERT_TRUE(Answer(hBox, IDOK));
    EXPECT_EQ(0, program.WaitForExit(60000));

    EXPECT_EQ("Other.log", StoredSetting("LogFile"));
    EXPECT_EQ("*:!*", StoredSetting("LogFlags"));
    EXPECT_EQ("C:\\No Such Folder\\audacity.exe", StoredSetting("AudacityFilename"));
    EXPECT_EQ(music, StoredSetting("DefaultDirectory"));
    const std::string log = Log();
    EXPECT_NE(std::string::npos,
              log.substr(0, log.find('\n')).find("Quillon(74) [8:1] OnCreate::InitLogFile"));
    EXPECT_EQ(0u, CountOf(log, "ERROR in processing file"));
    EXPECT_EQ("", testsupport::ReadFileBytes(logs.File("Other.log")));
}

// A whole run through the stand-in: each file once, one marker per comment
// (a marked comment stays as it is), the work commands posted while a file
// waits at its prompt change nothing, and the status bar tells the outcome.
TEST_F(Program, AnUpdateRunMarksEachCommentOnceAndTellsTheOutcome)
{
    const std::string forty = "Recorded live in the old town hall, 1999";
    const std::string marked30 = std::string(26, 'm') + ":AVC";
    const std::string three = AddMp3("Folk", "three.mp3", "Old", "");
    const std::string one = AddMp3("Jazz", "one.mp3", "Jazz", "Live:AVC");
    const std::string two = AddMp3("Jazz", "two.mp3", "Jazz", forty);
    const std::string four = AddMp3("Jazz", "four.mp3", "Jazz", marked30);
    testsupport::TempFolder transcripts("qprogtr");
    const testsupport::Transcript transcript(transcripts.File("t.txt"));
    // Tag dialogs without an album field: only the file given a new album fails.
    testsupport::StandInEnvironment env(transcript.Path(), "nocontrol:tags:10003", "300");
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Load(ID_FILE_LOAD_ALL));
    Command(ID_ACTIONS_CHANGE_ALBUM);  // "Old" becomes "Folk"
    Command(ID_FILE_UPDATE_SELECTED);
    HWND hBox = WaitForMessageBox(120000);
    ASSERT_NE(nullptr, hBox);
    for (UINT nID : {ID_FILE_UPDATE_SELECTED, ID_FILE_LOAD_ALL, ID_FILE_LOAD_NON_AVC,
                     ID_ACTIONS_FIND_AUDACITY, ID_ACTIONS_CHANGE_ALBUM, ID_VIEW_SELECT_ALL})
        Command(nID);
    ASSERT_TRUE(Answer(hBox, IDOK));

    HWND hStatus = GetDlgItem(hMain, AFX_IDW_STATUS_BAR);
    ASSERT_TRUE(testsupport::PumpUntil(
        [&] { return WindowText(hStatus).compare(0, 7, "Update ") == 0; }, 240000))
        << transcript.Text();
    EXPECT_EQ("Update finished: 3 files updated, 1 failed", WindowText(hStatus));
    for (const char* pszName : {"\\one.mp3", "\\two.mp3", "\\three.mp3", "\\four.mp3"})
        EXPECT_EQ(1u, StartsOf(transcript, pszName)) << pszName;
    EXPECT_EQ(4u, StartsOf(transcript, ""));
    EXPECT_EQ("Live:AVC", mp3::ReadMp3TagText(one).comment);
    EXPECT_EQ(marked30, mp3::ReadMp3TagText(four).comment);
    EXPECT_EQ(forty.substr(0, 24) + ":AVC", mp3::ReadMp3TagText(two).comment);
    EXPECT_EQ("Old", mp3::ReadMp3TagText(three).album);
    EXPECT_EQ("", mp3::ReadMp3TagText(three).comment);
    // No second Load and no dialog: the list was scanned once.
    EXPECT_EQ(4u, CountOf(Log(), "Found file "));
    EXPECT_EQ(nullptr, testsupport::FindTopWindow(program.ProcessId(), "Blar..."));
    EXPECT_EQ(nullptr, testsupport::FindTopWindow(program.ProcessId(), "Open"));
    EXPECT_EQ(0, Close());
}
