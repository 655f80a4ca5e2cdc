// Smoke test of the Audacity stand-in: started as a second process on a
// generated MP3 and driven along the export road; and its run options. The
// scripts' tests (tests/automation) drive it further, faults included.
#include "support/GTestWin.h"

#include <string>

#include "mp3/Mp3Builder.h"
#include "standin/RunOptions.h"
#include "standin/StandInIds.h"
#include "support/ProgramProcess.h"
#include "support/StandInSupport.h"
#include "support/TestSupport.h"
#include "support/WindowFinder.h"

using testsupport::TitleMatch;

TEST(StandIn, ExportsNewTagsOverItsFileAndExitsWithTheAudioUnchanged)
{
    testsupport::TempFolder folder("qsi");
    const std::string song = folder.File("Song.mp3");
    mp3::Mp3FileDesc desc;
    desc.album = "Old Album";
    desc.comment = "Live";
    desc.cbPadding = 0;  // no room: the longer tags are written before the same audio
    ASSERT_TRUE(mp3::WriteMp3File(song, desc));
    const testsupport::Transcript transcript(folder.File("transcript.txt"));
    testsupport::ProgramProcess standIn;
    {
        testsupport::StandInEnvironment environment(transcript.Path(), "", "instant");
        ASSERT_TRUE(standIn.Start("AudacityStandIn", folder.Path(), "\"" + song + "\""));
    }
    // A window once its controls exist (its title comes first).
    const auto shown = [&](const std::string& key, const std::string& title) -> HWND {
        if (!transcript.WaitFor(key + " shown"))
            return nullptr;
        return testsupport::WaitForTopWindow(standIn.ProcessId(), title, 10000, TitleMatch::Exact);
    };
    HWND hMain = shown("main", "Song - Audacity stand-in");
    ASSERT_NE(nullptr, hMain) << transcript.Text();
    ASSERT_TRUE(transcript.WaitFor("import gone"));

    // Export As MP3 over the opened file: "&Save", "&Yes" to the overwrite
    // question, then the tag dialog with the file's tags.
    PostMessageA(hMain, WM_COMMAND, standin::kCmdExportMp3, 0);
    HWND hSave = shown("saveas", standin::kTitleSaveAs);
    ASSERT_NE(nullptr, hSave);
    EXPECT_EQ(song, testsupport::WindowText(GetDlgItem(hSave, standin::kIdFileName)));
    ASSERT_TRUE(testsupport::ClickButton(hSave, standin::kTextSave));
    ASSERT_TRUE(transcript.WaitFor("replace shown"));
    bool bYes = false;
    for (HWND hWnd : testsupport::TopWindows(standIn.ProcessId(), standin::kTitleReplace))
        bYes = bYes || testsupport::ClickButton(hWnd, standin::kTextYes);
    ASSERT_TRUE(bYes);
    HWND hTags = shown("tags", standin::kTitleTags);
    ASSERT_NE(nullptr, hTags);
    HWND hAlbum = GetDlgItem(hTags, standin::kIdAlbum);
    HWND hComment = GetDlgItem(hTags, standin::kIdComment);
    EXPECT_EQ("Old Album", testsupport::WindowText(hAlbum));
    EXPECT_EQ("Live", testsupport::WindowText(hComment));
    EXPECT_EQ(1, testsupport::SetControlText(hAlbum, "New Album"));
    EXPECT_EQ(1, testsupport::SetControlText(hComment, "Live:AVC"));
    ASSERT_TRUE(testsupport::ClickButton(hTags, standin::kTextOk));
    ASSERT_TRUE(transcript.WaitFor("export gone")) << transcript.Text();

    // File/Exit, "&No" to saving the project.
    PostMessageA(hMain, WM_COMMAND, standin::kCmdExit, 0);
    HWND hPrompt = shown("exitprompt", standin::kTitleExitPrompt);
    ASSERT_NE(nullptr, hPrompt);
    ASSERT_TRUE(testsupport::ClickButton(hPrompt, standin::kTextNo));
    EXPECT_EQ(standin::kExitNormal, standIn.WaitForExit());

    const mp3::Mp3TagText tags = mp3::ReadMp3TagText(song);
    EXPECT_EQ("New Album", tags.album);
    EXPECT_EQ("Live:AVC", tags.comment);
    EXPECT_TRUE(mp3::AudioAfterTag(testsupport::ReadFileBytes(song)) == mp3::AudioFrames(8));
}

TEST(StandIn, RunOptionsTakeFaultsAndSpeedOrSayWhatIsWrong)
{
    const struct {
        const char* pszFaults;
        const char* pszSpeed;
        const char* pszResult;  // "<show ms>/<controls ms>" when both are taken, else the error
    } cases[] = {
        {"", "", "300/100"},
        {" late:avc:1500 ; nocontrol:tags:10003,exit:export", "instant, 60000", "0/60000"},
        {"", "normal", "300/100"},
        {"", "4000", "4000/100"},
        {"sometimes:avc", "", "unknown fault kind in \"sometimes:avc\""},
        {"never:window", "", "unknown window in \"never:window\""},
        {"late:avc", "", "\"late:avc\" needs a number after the window"},
        {"late:avc:-5", "", "\"late:avc:-5\" needs a number after the window"},
        {"never:avc:5", "", "\"never:avc:5\" takes no number"},
        {"", "fast", "unknown speed \"fast\""},
        {"", "100,2,3", "unknown speed \"100,2,3\""},
    };
    for (const auto& c : cases) {
        standin::RunOptions options;
        std::string error;
        const bool bOk =
            options.ParseFaults(c.pszFaults, &error) && options.ParseSpeed(c.pszSpeed, &error);
        EXPECT_EQ(c.pszResult, bOk ? std::to_string(options.ShowMs()) + "/" +
                                         std::to_string(options.ControlsMs())
                                   : error)
            << c.pszFaults << " / " << c.pszSpeed;
    }
    standin::RunOptions options;
    std::string error;
    ASSERT_TRUE(options.ParseFaults("late:avc:1500;nocontrol:tags:10003,exit:export", &error));
    ASSERT_NE(nullptr, options.Find(standin::FaultKind::Late, standin::Win::AutoVolume));
    EXPECT_EQ(1500, options.Find(standin::FaultKind::Late, standin::Win::AutoVolume)->nValue);
    EXPECT_TRUE(options.HasControlFault(standin::FaultKind::NoControl, standin::Win::Tags, 10003));
    EXPECT_NE(nullptr, options.Find(standin::FaultKind::Exit, standin::Win::Export));
    EXPECT_EQ(nullptr, options.Find(standin::FaultKind::Exit, standin::Win::Tags));
}
