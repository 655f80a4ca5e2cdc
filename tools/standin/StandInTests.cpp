// The Audacity stand-in, started as a real second process on generated MP3
// files and driven through its windows the way Quillon's automation does.
#include "support/GTestWin.h"

#include <string>
#include <vector>

#include "standin/StandInIds.h"
#include "mp3/Mp3Builder.h"
#include "support/ProgramProcess.h"
#include "support/StandInSupport.h"
#include "support/TestSupport.h"
#include "support/Transcript.h"
#include "support/WindowFinder.h"

using testsupport::TitleMatch;

namespace {

// One stand-in process on one MP3 file in a folder of its own.
class StandInSession {
public:
    explicit StandInSession(const std::string& fileName = "Song.mp3")
        : m_folder("qsi"),
          m_mp3(m_folder.File(fileName)),
          m_transcript(m_folder.File("transcript.txt"))
    {
    }

    // Writes the file and starts the stand-in on it; the argument as Quillon
    // passes it, the path in quotes.
    bool Start(const mp3::Mp3FileDesc& desc, const std::string& fault = "",
               const std::string& speed = "")
    {
        m_original = mp3::Mp3Bytes(desc);
        if (!testsupport::WriteFileBytes(m_mp3, m_original))
            return false;
        return StartOn("\"" + m_mp3 + "\"", fault, speed);
    }

    bool StartOn(const std::string& arguments, const std::string& fault = "",
                 const std::string& speed = "")
    {
        testsupport::StandInEnvironment environment(m_transcript.Path(), fault, speed);
        return m_process.Start("AudacityStandIn", m_folder.Path(), arguments);
    }

    HWND Wait(const std::string& title, DWORD dwTimeoutMs = 10000) const
    {
        return testsupport::WaitForTopWindow(Pid(), title, dwTimeoutMs, TitleMatch::Exact);
    }
    // The window once it has all its controls: a window shows its title first.
    HWND WaitShown(const std::string& key, const std::string& title) const
    {
        return m_transcript.WaitFor(key + " shown") ? Wait(title) : nullptr;
    }
    // A window with the title that has a child whose text begins with the prefix.
    HWND WaitWithChild(const std::string& title, const std::string& childText) const
    {
        HWND hFound = nullptr;
        testsupport::PumpUntil([&] {
            for (HWND hWnd : testsupport::TopWindows(Pid(), title, TitleMatch::Exact))
                if (testsupport::FindChildByText(hWnd, childText) != nullptr)
                    return (hFound = hWnd) != nullptr;
            return false;
        });
        return hFound;
    }
    bool Command(int nId) const { return PostMessageA(Main(), WM_COMMAND, nId, 0) != FALSE; }
    HWND Main() const
    {
        return testsupport::FindTopWindow(Pid(), "Song" + std::string(standin::kTitleSuffix),
                                          TitleMatch::Exact);
    }
    DWORD Pid() const { return m_process.ProcessId(); }

    testsupport::TempFolder m_folder;
    std::string m_mp3;
    std::string m_original;
    testsupport::Transcript m_transcript;
    testsupport::ProgramProcess m_process;
};

std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

// Export As MP3 from the command to the end of the export: the file name
// field set to fileText, "&Save", "&Yes" when asked, then album and comment
// set in the tag dialog (an empty album leaves the field alone) and OK.
void Export(StandInSession& session, const std::string& fileText, const std::string& album,
            const std::string& comment)
{
    ASSERT_TRUE(session.Command(standin::kCmdExportMp3));
    HWND hSave = session.WaitShown("saveas", standin::kTitleSaveAs);
    ASSERT_NE(nullptr, hSave);
    HWND hName = GetDlgItem(hSave, standin::kIdFileName);
    ASSERT_NE(nullptr, hName);
    EXPECT_EQ(1, testsupport::SetControlText(hName, fileText));
    ASSERT_TRUE(testsupport::ClickButton(hSave, standin::kTextSave));
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        return session.m_transcript.Has("replace shown") || session.m_transcript.Has("tags shown");
    }));
    if (session.m_transcript.Has("replace shown")) {
        HWND hReplace = session.WaitWithChild(standin::kTitleReplace, standin::kTextYes);
        ASSERT_NE(nullptr, hReplace);
        ASSERT_TRUE(testsupport::ClickButton(hReplace, standin::kTextYes));
    }
    HWND hTags = session.WaitShown("tags", standin::kTitleTags);
    ASSERT_NE(nullptr, hTags);
    if (!album.empty()) {
        EXPECT_EQ(1, testsupport::SetControlText(GetDlgItem(hTags, standin::kIdAlbum), album));
    }
    EXPECT_EQ(1, testsupport::SetControlText(GetDlgItem(hTags, standin::kIdComment), comment));
    ASSERT_TRUE(testsupport::ClickButton(hTags, standin::kTextOk));
    ASSERT_TRUE(session.m_transcript.WaitFor("export gone")) << session.m_transcript.Text();
}

void ExitWithNo(StandInSession& session)
{
    ASSERT_TRUE(session.Command(standin::kCmdExit));
    HWND hPrompt = session.WaitShown("exitprompt", standin::kTitleExitPrompt);
    ASSERT_NE(nullptr, hPrompt);
    ASSERT_TRUE(testsupport::ClickButton(hPrompt, standin::kTextNo));
    EXPECT_EQ(standin::kExitNormal, session.m_process.WaitForExit());
}

mp3::Mp3FileDesc Desc(const std::string& album, const std::string& comment)
{
    mp3::Mp3FileDesc desc;
    desc.album = album;
    desc.comment = comment;
    return desc;
}

}  // namespace

TEST(StandIn, AnswersTheWholeExportRoadAndRewritesOnlyTheTags)
{
    StandInSession session;
    ASSERT_TRUE(session.Start(Desc("Old Album", "Live")));

    // Main window titled after the project, enabled once the import is over.
    HWND hMain = session.Wait("Song - Audacity stand-in");
    ASSERT_NE(nullptr, hMain);
    ASSERT_TRUE(session.m_transcript.WaitFor("import gone"));
    EXPECT_TRUE(IsWindowEnabled(hMain));

    ASSERT_TRUE(session.Command(standin::kCmdSelectAll));
    ASSERT_TRUE(session.m_transcript.WaitFor("all selected"));

    // The effect: its dialog disables the main window; OK closes it and
    // shows the progress window for a while.
    ASSERT_TRUE(session.Command(standin::kCmdAutoVolume));
    HWND hAvc = session.WaitShown("avc", standin::kTitleAutoVolume);
    ASSERT_NE(nullptr, hAvc);
    EXPECT_TRUE(IsWindowEnabled(hAvc));
    EXPECT_FALSE(IsWindowEnabled(hMain));
    EXPECT_EQ(hMain, GetWindow(hAvc, GW_OWNER));
    ASSERT_TRUE(testsupport::ClickButton(hAvc, standin::kTextOk));
    ASSERT_TRUE(session.m_transcript.WaitFor("avcprogress gone"));
    EXPECT_FALSE(IsWindow(hAvc));
    EXPECT_TRUE(IsWindowEnabled(hMain));

    // The save dialog offers the file; the field takes the quoted path and reads it back.
    ASSERT_TRUE(session.Command(standin::kCmdExportMp3));
    HWND hSave = session.WaitShown("saveas", standin::kTitleSaveAs);
    ASSERT_NE(nullptr, hSave);
    HWND hName = GetDlgItem(hSave, standin::kIdFileName);
    ASSERT_NE(nullptr, hName);
    EXPECT_EQ(session.m_mp3, testsupport::ControlText(hName));
    EXPECT_EQ(1, testsupport::SetControlText(hName, Quoted(session.m_mp3)));
    EXPECT_EQ(Quoted(session.m_mp3), testsupport::ControlText(hName));
    EXPECT_EQ(nullptr, testsupport::FindChildByText(hSave, standin::kTextYes));
    ASSERT_TRUE(testsupport::ClickButton(hSave, standin::kTextSave));

    // The overwrite question has the same title and comes over the save
    // dialog, which stays open and disabled below it.
    HWND hReplace = session.WaitWithChild(standin::kTitleReplace, standin::kTextYes);
    ASSERT_NE(nullptr, hReplace);
    EXPECT_EQ(hSave, GetWindow(hReplace, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(hSave));
    EXPECT_FALSE(IsWindowEnabled(hMain));
    EXPECT_EQ((std::vector<HWND>{hReplace, hSave}),
              testsupport::TopWindows(session.Pid(), standin::kTitleReplace));
    ASSERT_TRUE(testsupport::ClickButton(hReplace, standin::kTextYes));

    // The tag dialog shows the file's tags, fields before buttons; OK writes what it holds.
    HWND hTags = session.WaitShown("tags", standin::kTitleTags);
    ASSERT_NE(nullptr, hTags);
    EXPECT_FALSE(IsWindow(hSave));
    EXPECT_EQ(GetDlgItem(hTags, standin::kIdAlbum),
              testsupport::FindChildByText(hTags, "Old Album"));
    HWND hAlbum = GetDlgItem(hTags, standin::kIdAlbum);
    HWND hComment = GetDlgItem(hTags, standin::kIdComment);
    ASSERT_NE(nullptr, hAlbum);
    ASSERT_NE(nullptr, hComment);
    EXPECT_EQ("Old Album", testsupport::ControlText(hAlbum));
    EXPECT_EQ("Live", testsupport::ControlText(hComment));
    EXPECT_EQ(1, testsupport::SetControlText(hAlbum, "New Album"));
    EXPECT_EQ(1, testsupport::SetControlText(hComment, "Live:AVC"));
    ASSERT_TRUE(testsupport::ClickButton(hTags, standin::kTextOk));
    ASSERT_TRUE(session.m_transcript.WaitFor("export gone"));

    // Tags changed in place; the audio after the tag is byte for byte the same.
    const mp3::Mp3TagText tags = mp3::ReadMp3TagText(session.m_mp3);
    EXPECT_TRUE(tags.bOpened);
    EXPECT_EQ("New Album", tags.album);
    EXPECT_EQ("Live:AVC", tags.comment);
    const std::string bytes = testsupport::ReadFileBytes(session.m_mp3);
    EXPECT_EQ(mp3::LeadingTagSize(session.m_original), mp3::LeadingTagSize(bytes));
    EXPECT_TRUE(mp3::AudioAfterTag(bytes) == mp3::AudioFrames(8));

    ASSERT_NO_FATAL_FAILURE(ExitWithNo(session));
    std::string missing;
    EXPECT_TRUE(session.m_transcript.HasInOrder({"start " + session.m_mp3,
                                                 "main shown",
                                                 "import shown",
                                                 "import gone",
                                                 "command 1133",
                                                 "all selected",
                                                 "command 2001",
                                                 "avc shown",
                                                 "avc ok",
                                                 "avc gone",
                                                 "avcprogress shown",
                                                 "avcprogress gone",
                                                 "command 1109",
                                                 "saveas shown",
                                                 "saveas save filename=" + Quoted(session.m_mp3),
                                                 "replace shown",
                                                 "replace yes",
                                                 "replace gone",
                                                 "saveas gone",
                                                 "tags shown album=Old Album comment=Live",
                                                 "tags ok album=New Album comment=Live:AVC",
                                                 "tags gone",
                                                 "tags written to " + session.m_mp3,
                                                 "export shown",
                                                 "export gone",
                                                 "command 1116",
                                                 "exitprompt shown",
                                                 "exitprompt no",
                                                 "main gone",
                                                 "exit 0"},
                                                &missing))
        << missing << "\n"
        << session.m_transcript.Text();
}

TEST(StandIn, TagsThatOutgrowTheirRoomOrAreMissingAreWrittenAroundTheSameAudio)
{
    struct Case {
        const char* pszName;
        mp3::Mp3FileDesc desc;
        std::string newAlbum;
        std::string newComment;
    };
    mp3::Mp3FileDesc tight = Desc("Short", "A comment of forty characters, exactly..");
    tight.cbPadding = 0;
    mp3::Mp3FileDesc untagged;
    untagged.bTag = false;
    untagged.nFrames = 5;
    const Case cases[] = {
        {"tag without room", tight, "A much longer album name than before",
         "A comment of forty charact:AVC"},
        {"no tag at all", untagged, "Caf\xE9 Noir", ":AVC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        StandInSession session;
        ASSERT_TRUE(session.Start(c.desc, "", "instant"));
        ASSERT_NE(nullptr, session.Wait("Song - Audacity stand-in"));
        ASSERT_NO_FATAL_FAILURE(Export(session, Quoted(session.m_mp3), c.newAlbum, c.newComment));
        EXPECT_TRUE(session.m_transcript.Has("tags shown album=" + c.desc.album +
                                             " comment=" + c.desc.comment))
            << session.m_transcript.Text();
        EXPECT_TRUE(session.m_transcript.Has("tags written to "));

        const mp3::Mp3TagText tags = mp3::ReadMp3TagText(session.m_mp3);
        EXPECT_EQ(c.newAlbum, tags.album);
        EXPECT_EQ(c.newComment, tags.comment);
        const std::string bytes = testsupport::ReadFileBytes(session.m_mp3);
        EXPECT_LT(mp3::LeadingTagSize(session.m_original),
                  mp3::LeadingTagSize(bytes));
        EXPECT_TRUE(mp3::AudioAfterTag(bytes) == mp3::AudioFrames(c.desc.nFrames));
        ASSERT_NO_FATAL_FAILURE(ExitWithNo(session));
    }
}

TEST(StandIn, ExportToANewFileAsksNothingAndLeavesTheOpenedFileAlone)
{
    StandInSession session;
    ASSERT_TRUE(session.Start(Desc("Album", "Live"), "", "instant"));
    ASSERT_NE(nullptr, session.Wait("Song - Audacity stand-in"));
    const std::string other = session.m_folder.File("Other.mp3");
    ASSERT_NO_FATAL_FAILURE(Export(session, Quoted(other), "", "Live:AVC"));

    EXPECT_FALSE(session.m_transcript.Has("replace"));
    EXPECT_TRUE(session.m_transcript.Has("tags written to " + other));
    EXPECT_TRUE(testsupport::ReadFileBytes(session.m_mp3) == session.m_original);
    const mp3::Mp3TagText tags = mp3::ReadMp3TagText(other);
    EXPECT_EQ("Album", tags.album);
    EXPECT_EQ("Live:AVC", tags.comment);
    EXPECT_TRUE(mp3::AudioAfterTag(testsupport::ReadFileBytes(other)) ==
                mp3::AudioFrames(8));
    ASSERT_NO_FATAL_FAILURE(ExitWithNo(session));
}

TEST(StandIn, FaultsDelayDisableStripAndAlterWindows)
{
    StandInSession session;
    ASSERT_TRUE(session.Start(Desc("Old", "Live"),
                              "late:avc:1500,disabled:tags:1500,nocontrol:tags:10003,"
                              "altered:saveas:1148",
                              "instant"));
    ASSERT_NE(nullptr, session.Wait("Song - Audacity stand-in"));

    // late: nothing for a while, then the dialog.
    ASSERT_TRUE(session.Command(standin::kCmdAutoVolume));
    testsupport::PumpFor(700);
    EXPECT_EQ(nullptr, testsupport::FindTopWindow(session.Pid(), standin::kTitleAutoVolume,
                                                  TitleMatch::Exact));
    HWND hAvc = session.WaitShown("avc", standin::kTitleAutoVolume);
    ASSERT_NE(nullptr, hAvc);
    ASSERT_TRUE(testsupport::ClickButton(hAvc, standin::kTextCancel));
    ASSERT_TRUE(session.m_transcript.WaitFor("avc gone"));

    // altered: the file name is taken (WM_SETTEXT gives 1) but reads back without its quotes.
    ASSERT_TRUE(session.Command(standin::kCmdExportMp3));
    HWND hSave = session.WaitShown("saveas", standin::kTitleSaveAs);
    ASSERT_NE(nullptr, hSave);
    HWND hName = GetDlgItem(hSave, standin::kIdFileName);
    EXPECT_EQ(1, testsupport::SetControlText(hName, Quoted(session.m_mp3)));
    EXPECT_EQ(session.m_mp3, testsupport::ControlText(hName));
    ASSERT_TRUE(testsupport::ClickButton(hSave, standin::kTextSave));
    HWND hReplace = session.WaitWithChild(standin::kTitleReplace, standin::kTextYes);
    ASSERT_NE(nullptr, hReplace);
    ASSERT_TRUE(testsupport::ClickButton(hReplace, standin::kTextYes));

    // disabled, then enabled; the album field is missing, so the album stays.
    HWND hTags = session.WaitShown("tags", standin::kTitleTags);
    ASSERT_NE(nullptr, hTags);
    EXPECT_FALSE(IsWindowEnabled(hTags));
    EXPECT_EQ(nullptr, GetDlgItem(hTags, standin::kIdAlbum));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return IsWindowEnabled(hTags) != FALSE; }, 5000));
    EXPECT_EQ(1, testsupport::SetControlText(GetDlgItem(hTags, standin::kIdComment), "Live:AVC"));
    ASSERT_TRUE(testsupport::ClickButton(hTags, standin::kTextOk));
    ASSERT_TRUE(session.m_transcript.WaitFor("export gone"));
    const mp3::Mp3TagText tags = mp3::ReadMp3TagText(session.m_mp3);
    EXPECT_EQ("Old", tags.album);
    EXPECT_EQ("Live:AVC", tags.comment);
    ASSERT_NO_FATAL_FAILURE(ExitWithNo(session));
    EXPECT_TRUE(session.m_transcript.HasInOrder({"avc late 1500 ms (fault)", "avc shown",
                                                 "saveas 1148 text altered (fault)", "tags shown",
                                                 "tags disabled 1500 ms (fault)", "tags enabled"}))
        << session.m_transcript.Text();
}

TEST(StandIn, FaultsKeepWindowsAwayOrEndTheProcess)
{
    {
        SCOPED_TRACE("readonly file name, no replace question");
        StandInSession session;
        ASSERT_TRUE(
            session.Start(Desc("Old", "Live"), "readonly:saveas:1148,never:replace", "instant"));
        ASSERT_NE(nullptr, session.Wait("Song - Audacity stand-in"));
        ASSERT_TRUE(session.Command(standin::kCmdExportMp3));
        HWND hSave = session.WaitShown("saveas", standin::kTitleSaveAs);
        ASSERT_NE(nullptr, hSave);
        HWND hName = GetDlgItem(hSave, standin::kIdFileName);
        EXPECT_EQ(0, testsupport::SetControlText(hName, Quoted(session.m_mp3)));
        EXPECT_EQ(session.m_mp3, testsupport::ControlText(hName));
        ASSERT_TRUE(testsupport::ClickButton(hSave, standin::kTextSave));
        ASSERT_TRUE(session.m_transcript.WaitFor("replace never shown (fault)"));
        EXPECT_TRUE(session.m_transcript.Has("saveas 1148 text refused (fault)"));
        testsupport::PumpFor(500);
        EXPECT_EQ(nullptr, testsupport::FindTopWindow(session.Pid(), standin::kTitleReplace));
        EXPECT_EQ(nullptr, testsupport::FindTopWindow(session.Pid(), standin::kTitleTags));
        // Closing the main window ends the program normally.
        PostMessageA(session.Main(), WM_CLOSE, 0, 0);
        EXPECT_EQ(standin::kExitNormal, session.m_process.WaitForExit());
    }
    {
        SCOPED_TRACE("exit when the tag dialog is due");
        StandInSession session;
        ASSERT_TRUE(session.Start(Desc("Old", "Live"), "exit:tags", "instant"));
        ASSERT_NE(nullptr, session.Wait("Song - Audacity stand-in"));
        ASSERT_TRUE(session.Command(standin::kCmdExportMp3));
        HWND hSave = session.WaitShown("saveas", standin::kTitleSaveAs);
        ASSERT_NE(nullptr, hSave);
        ASSERT_TRUE(testsupport::ClickButton(hSave, standin::kTextSave));
        HWND hReplace = session.WaitWithChild(standin::kTitleReplace, standin::kTextYes);
        ASSERT_NE(nullptr, hReplace);
        ASSERT_TRUE(testsupport::ClickButton(hReplace, standin::kTextYes));
        EXPECT_EQ(standin::kExitFault, session.m_process.WaitForExit());
        EXPECT_TRUE(session.m_transcript.Has("tags exit (fault)"));
        EXPECT_TRUE(testsupport::ReadFileBytes(session.m_mp3) == session.m_original);
    }
    {
        SCOPED_TRACE("no import window, exit prompt without its No button");
        StandInSession session;
        ASSERT_TRUE(
            session.Start(Desc("Old", "Live"), "never:import;nocontrol:exitprompt:7", "instant"));
        ASSERT_NE(nullptr, session.Wait("Song - Audacity stand-in"));
        EXPECT_TRUE(session.m_transcript.WaitFor("import never shown (fault)"));
        EXPECT_EQ(nullptr, testsupport::FindTopWindow(session.Pid(), standin::kTitleImport));
        ASSERT_TRUE(session.Command(standin::kCmdExit));
        HWND hPrompt = session.WaitShown("exitprompt", standin::kTitleExitPrompt);
        ASSERT_NE(nullptr, hPrompt);
        EXPECT_EQ(nullptr, testsupport::FindChildByText(hPrompt, standin::kTextNo));
        EXPECT_NE(nullptr, testsupport::FindChildByText(hPrompt, standin::kTextYes));
        PostMessageA(session.Main(), WM_CLOSE, 0, 0);
        EXPECT_EQ(standin::kExitNormal, session.m_process.WaitForExit());
    }
}

TEST(StandIn, SpeedSetsHowLongTheTimedWindowsStayAndHowLongTitlesComeBeforeControls)
{
    {
        StandInSession session;
        ASSERT_TRUE(session.Start(Desc("Old", "Live"), "", "4000"));
        ASSERT_TRUE(session.m_transcript.WaitFor("import shown"));
        testsupport::PumpFor(1000);
        EXPECT_NE(nullptr, testsupport::FindTopWindow(session.Pid(), standin::kTitleImport));
        EXPECT_FALSE(session.m_transcript.Has("import gone"));
        session.m_process.Kill();
    }
    {
        StandInSession session;
        ASSERT_TRUE(session.Start(Desc("Old", "Live"), "", "instant"));
        ASSERT_NE(nullptr, session.Wait("Song - Audacity stand-in"));
        EXPECT_TRUE(session.m_transcript.WaitFor("import gone", 2000));
        session.m_process.Kill();
    }
    {
        // Titles a minute before their controls.
        StandInSession session;
        ASSERT_TRUE(session.Start(Desc("Old", "Live"), "", "instant,60000"));
        HWND hMain = session.Wait("Song - Audacity stand-in");
        HWND hImport = session.Wait(standin::kTitleImport);
        ASSERT_NE(nullptr, hMain);
        ASSERT_NE(nullptr, hImport);
        testsupport::PumpFor(500);
        EXPECT_EQ(nullptr, GetWindow(hMain, GW_CHILD));
        EXPECT_EQ(nullptr, GetWindow(hImport, GW_CHILD));
        EXPECT_FALSE(session.m_transcript.Has("main shown"));
        session.m_process.Kill();
    }
}

TEST(StandIn, RefusesToRunWithoutAReadableFileOrWithABadSetting)
{
    struct Case {
        const char* pszName;
        bool bWriteFile;
        std::string arguments;
        std::string fault;
        std::string expected;  // in the message box
    };
    const Case cases[] = {
        {"no argument", false, "", "", "does not change the audio"},
        {"missing file", false, "\"C:\\no such folder\\Song.mp3\"", "", "Cannot open the file"},
        {"bad fault", true, "", "sometimes:avc", "unknown fault kind"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        StandInSession session;
        if (c.bWriteFile) {
            ASSERT_TRUE(session.Start(Desc("Old", "Live"), c.fault));
        } else {
            ASSERT_TRUE(session.StartOn(c.arguments, c.fault));
        }
        HWND hBox = session.Wait(standin::kTitleMessages);
        ASSERT_NE(nullptr, hBox);
        // The message box's text is one of its children.
        std::string text;
        for (HWND hChild = GetWindow(hBox, GW_CHILD); hChild != nullptr;
             hChild = GetWindow(hChild, GW_HWNDNEXT))
            text += testsupport::ControlText(hChild) + "\n";
        EXPECT_NE(std::string::npos, text.find(c.expected)) << text;
        if (c.arguments.empty() && c.fault.empty()) {
            EXPECT_NE(std::string::npos, text.find("QUILLON_STANDIN_FAULT")) << text;
        }
        ASSERT_TRUE(testsupport::ClickButton(hBox, "OK"));
        EXPECT_EQ(standin::kExitUsage, session.m_process.WaitForExit());
    }
}
