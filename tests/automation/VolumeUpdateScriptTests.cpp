// The per-file volume update script run for real against the Audacity
// stand-in, a second process: whole runs with the tags read back from the
// file, every kind of failed step injected through the stand-in's faults,
// and the long budgets on a virtual clock.
#include "support/GTestWin.h"

#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestWindows.h"
#include "automation/VolumeUpdateScript.h"
#include "standin/StandInIds.h"
#include "support/LogRecorder.h"
#include "mp3/Mp3Builder.h"
#include "support/RecordingPrompt.h"
#include "support/StandInSupport.h"
#include "support/TestSupport.h"
#include "support/Transcript.h"
#include "support/VirtualClock.h"
#include "support/WindowFinder.h"

using testsupport::LogRecorder;
using testsupport::RecordingPrompt;

namespace {

const char kErrorPrompt[] =
    "Quillon is unable to complete the Audacity operations for this file.\n"
    "Press OK to continue AFTER you manually complete the operations for this file or press "
    "Cancel to terminate Quillon execution.";

std::string Trace(const std::string& text)
{
    return "MainFrm|8|0|" + text;
}

std::string Failure(const std::string& text)
{
    return "MainFrm|1|0|" + text;
}

// The script's own lines, in order.
std::vector<std::string> ScriptLines(const LogRecorder& log)
{
    std::vector<std::string> lines;
    for (const auto& line : log.m_lines)
        if (line.compare(0, 8, "MainFrm|") == 0)
            lines.push_back(line);
    return lines;
}

// Ends the stand-ins that this test process started, whether the test
// passed or not: a stand-in left behind would keep CTest's output open.
class StandInReaper {
public:
    StandInReaper() = default;
    ~StandInReaper() { EndRunning(0); }
    StandInReaper(const StandInReaper&) = delete;
    StandInReaper& operator=(const StandInReaper&) = delete;

    // Gives each running stand-in dwGraceMs to end by itself, then
    // terminates it; returns how many had to be terminated.
    int EndRunning(DWORD dwGraceMs)
    {
        int nTerminated = 0;
        for (DWORD dwPid : Running()) {
            HANDLE hProcess = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, dwPid);
            if (hProcess == nullptr)
                continue;
            if (WaitForSingleObject(hProcess, dwGraceMs) != WAIT_OBJECT_0) {
                TerminateProcess(hProcess, 9);
                WaitForSingleObject(hProcess, 10000);
                ++nTerminated;
            }
            CloseHandle(hProcess);
        }
        return nTerminated;
    }

private:
    static std::vector<DWORD> Running()
    {
        std::vector<DWORD> pids;
        HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (hSnapshot == INVALID_HANDLE_VALUE)
            return pids;
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof(entry);
        for (BOOL b = Process32First(hSnapshot, &entry); b; b = Process32Next(hSnapshot, &entry)) {
            char szName[MAX_PATH];
            lstrcpynA(szName, entry.szExeFile, MAX_PATH);
            CharLowerA(szName);
            if (entry.th32ParentProcessID == GetCurrentProcessId() &&
                std::string(szName).find("audacitystandin") != std::string::npos)
                pids.push_back(entry.th32ProcessID);
        }
        CloseHandle(hSnapshot);
        return pids;
    }
};

// A virtual clock that still lets the stand-in's windows come up: the
// first pauses of each wait also pass in real time (at most 100 ms each),
// after that a wait runs on virtual time alone. Idle waits are real.
class PacedClock : public testsupport::VirtualClock {
public:
    PacedClock()
    {
        m_bRealIdleWaits = true;
        m_onSleep = [this] {
            if (m_nStreak++ < 20)
                ::Sleep((std::min)(m_sleeps.back(), static_cast<DWORD>(100)));
        };
    }
    DWORD WaitForInputIdle(HANDLE hProcess, DWORD dwMilliseconds) override
    {
        m_nStreak = 0;
        if (++m_nIdleWaits == m_nCloseAtIdleWait)
            CloseStandIn(hProcess);
        return VirtualClock::WaitForInputIdle(hProcess, dwMilliseconds);
    }

    // The idle wait (1 for the start's, then one per step, counted from 1)
    // at which the stand-in's main window "Song - ..." is closed and the
    // stand-in has ended: the window the step has just found is gone.
    int m_nCloseAtIdleWait = 0;

private:
    static void CloseStandIn(HANDLE hProcess)
    {
        const std::string title = std::string("Song") + standin::kTitleSuffix;
        if (HWND hMain = FindWindowA(nullptr, title.c_str()))
            PostMessageA(hMain, WM_CLOSE, 0, 0);
        WaitForSingleObject(hProcess, 10000);
    }

    int m_nStreak = 0;
    int m_nIdleWaits = 0;
};

// One MP3 file in a folder of its own, run through the script with the
// stand-in as Audacity.
class ScriptRun {
public:
    ScriptRun(const std::string& fileName, const mp3::Mp3FileDesc& desc)
        : m_folder("qvu"), m_mp3(m_folder.File(fileName)), m_transcript(m_folder.File("t.txt"))
    {
        m_original = mp3::Mp3Bytes(desc);
        m_bWritten = testsupport::WriteFileBytes(m_mp3, m_original);
    }

    bool Run(const char* pszAlbum, const std::string& fault = "", const std::string& speed = "")
    {
        testsupport::StandInEnvironment environment(m_transcript.Path(), fault, speed);
        return ProcessFile(testsupport::StandInProgramPath().c_str(), m_mp3.c_str(), pszAlbum);
    }

    testsupport::TempFolder m_folder;
    std::string m_mp3;
    testsupport::Transcript m_transcript;
    std::string m_original;
    bool m_bWritten = false;
};

mp3::Mp3FileDesc Desc(const std::string& album, const std::string& comment)
{
    mp3::Mp3FileDesc desc;
    desc.album = album;
    desc.comment = comment;
    return desc;
}

// The trace lines of a whole run, album steps included or not.
std::vector<std::string> WholeRunLines(const std::string& path, bool bAlbum)
{
    std::vector<std::string> lines = {
        Trace("Starting file " + path),
        Trace("Wait till import window disappears"),
        Trace("Command: SelectAll"),
        Trace("Command: Effects/Automatic Volume Control"),
        Trace("Push OK button"),
        Trace("Wait until AVC progress box disappears"),
        Trace("Command: File/Export As MP3"),
        Trace("Get child for filename"),
        Trace("Set filename text"),
        Trace("Push Save button"),
        Trace("Wait for save progress to completely vanish"),
        Trace("See if replace dialog has appeared"),
        Trace("Push Yes button on replace dialog"),
    };
    if (bAlbum) {
        lines.push_back(Trace("Get child for album name"));
        lines.push_back(Trace("Set album name"));
    }
    for (const char* psz : {"Get child for comment field", "Get old comment", "Set updated comment",
                            "Push OK button", "Wait for Export window to vanish",
                            "Command: File/Exit", "Push No button"})
        lines.push_back(Trace(psz));
    return lines;
}

const std::vector<std::string> kWholeRunSteps = {
    "start ",          "import shown",       "command 1133",      "all selected",
    "command 2001",    "avc shown",          "avc ok",            "avcprogress shown",
    "avcprogress gone", "command 1109",      "saveas shown",      "saveas save filename=",
    "replace shown",   "replace yes",        "tags shown",        "tags ok album=",
    "tags written to", "export shown",       "export gone",       "command 1116",
    "exitprompt shown", "exitprompt no",
};

bool HasLine(const testsupport::Transcript& transcript, const std::string& line)
{
    const auto lines = transcript.Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

TEST(VolumeUpdateScript, ProjectTitleIsTheFileTitleWithoutOneMp3)
{
    EXPECT_EQ("Song", ProjectTitleOf("C:\\Music\\Song.MP3"));
    EXPECT_EQ("Song.mp3", ProjectTitleOf("C:\\Music\\Song.mp3.mp3"));
    EXPECT_EQ("Song", ProjectTitleOf("C:\\Music\\Song"));
    EXPECT_EQ("Song.wav", ProjectTitleOf("C:\\Music\\Song.wav"));
    EXPECT_EQ("Best Of.mP3 Live", ProjectTitleOf("C:\\Music\\Best Of.mP3 Live.Mp3"));
    // Names that GetFileTitleA refuses.
    EXPECT_EQ("Song [Live]", ProjectTitleOf("C:\\Music\\Song [Live].MP3"));
    EXPECT_EQ("", ProjectTitleOf("C:\\Music\\[x]\\.mp3"));
}

// Whole runs: the album set when one is passed and kept when not, the
// comment marked by the rule, a file name that reads back differently only
// logged; and the windows the script must not take: every window of
// another process (Quillon's own "AVC Progress", a window titled like the
// project), the project window when looking for "Import" or "Export", an
// edit field holding "OK Computer" before the OK button.
TEST(VolumeUpdateScript, WholeRunsMarkTheCommentAndSetTheAlbumOnlyWhenPassed)
{
    struct Case {
        const char* pszFile;
        mp3::Mp3FileDesc desc;
        const char* pszAlbum;
        std::string fault;
        std::string album;    // afterwards
        std::string comment;  // afterwards
    };
    const std::string forty = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
    const Case cases[] = {
        {"Song.MP3", Desc("Old Album", "Live"), "New Album", "", "New Album", "Live:AVC"},
        {"Song.mp3.mp3", Desc("Kept Album", forty), nullptr, "altered:saveas:1148", "Kept Album",
         forty.substr(0, 24) + ":AVC"},
        {"Quiet.mp3", Desc("Some Album", ""), "Other Album", "decoy:main", "Other Album", ":AVC"},
        {"Song [Live].mp3", Desc("Live Album", "Live"), "New", "", "New", "Live:AVC"},
        {"A.mp3", Desc("Album", "a"), nullptr, "", "Album", "a:AVC"},
        {"Imported Hits.mp3", Desc("Hits", "h"), "More Hits", "", "More Hits", "h:AVC"},
        {"Export Mix.mp3", Desc("OK Computer", "OK"), nullptr, "", "OK Computer", "OK:AVC"},
    };
    // Topmost, so that it comes first in any lookup that sees it.
    automationtest::TestWindow progress("AVC Progress");
    SetWindowPos(progress.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszFile);
        ScriptRun run(c.pszFile, c.desc);
        ASSERT_TRUE(run.m_bWritten);
        StandInReaper reaper;
        RecordingPrompt prompt;
        LogRecorder log;

        EXPECT_TRUE(run.Run(c.pszAlbum, c.fault));
        EXPECT_EQ(0, reaper.EndRunning(10000)) << "the stand-in did not exit by itself";
        EXPECT_TRUE(prompt.m_texts.empty());

        std::string missing;
        EXPECT_TRUE(run.m_transcript.HasInOrder(kWholeRunSteps, &missing))
            << missing << "\n" << run.m_transcript.Text();
        EXPECT_TRUE(HasLine(run.m_transcript, "tags ok album=" + c.album + " comment=" + c.comment))
            << run.m_transcript.Text();
        const mp3::Mp3TagText tags = mp3::ReadMp3TagText(run.m_mp3);
        EXPECT_TRUE(tags.bOpened);
        EXPECT_EQ(c.album, tags.album);
        EXPECT_EQ(c.comment, tags.comment);
        EXPECT_EQ(mp3::AudioAfterTag(run.m_original),
                  mp3::AudioAfterTag(testsupport::ReadFileBytes(run.m_mp3)));

        EXPECT_EQ(c.fault == "decoy:main", run.m_transcript.Has("decoy shown"));
        EXPECT_FALSE(run.m_transcript.Has("decoy command")) << run.m_transcript.Text();
        testsupport::PumpFor(0);  // what was posted to it reaches it
        EXPECT_TRUE(progress.m_messages.empty());

        std::vector<std::string> expected = WholeRunLines(run.m_mp3, c.pszAlbum != nullptr);
        if (c.fault != "altered:saveas:1148") {
            EXPECT_TRUE(HasLine(run.m_transcript, "saveas save filename=\"" + run.m_mp3 + "\""));
        } else {
            // The field kept the path without its quotes: logged, and the
            // export went on.
            const auto at = std::find(expected.begin(), expected.end(), Trace("Push Save button"));
            expected.insert(at, Failure("Save filename not set: " + run.m_mp3));
            EXPECT_TRUE(HasLine(run.m_transcript, "saveas save filename=" + run.m_mp3));
        }
        EXPECT_EQ(expected, ScriptLines(log));
    }
}

TEST(VolumeUpdateScript, AudacityThatCannotStartStopsTheRunWithoutThePrompt)
{
    testsupport::TempFolder folder("qvu");
    const std::string mp3 = folder.File("Song.mp3");
    ASSERT_TRUE(mp3::WriteMp3File(mp3, Desc("A", "B")));
    RecordingPrompt prompt;
    LogRecorder log;

    EXPECT_FALSE(ProcessFile((folder.Path() + "\\NoSuchAudacity.exe").c_str(), mp3.c_str(), "X"));
    EXPECT_EQ(std::vector<std::string>{"CreateProcess failed"}, prompt.m_texts);
    EXPECT_EQ(std::vector<std::string>{Trace("Starting file " + mp3)}, ScriptLines(log));

    // No path at all is taken as an empty one, not a crash.
    EXPECT_FALSE(ProcessFile((folder.Path() + "\\NoSuchAudacity.exe").c_str(), nullptr, nullptr));
    EXPECT_EQ(2u, prompt.m_texts.size());
    EXPECT_EQ(1u, log.Count(Trace("Starting file ")));
}

// A file without a project title would match every window: nothing is
// posted, and the user finishes it by hand in the editor started on it.
TEST(VolumeUpdateScript, AFileWithoutATitleEndsInThePromptBeforeAnyCommand)
{
    ScriptRun run(".mp3", Desc("Old", "Live"));
    ASSERT_TRUE(run.m_bWritten);
    StandInReaper reaper;
    RecordingPrompt prompt;
    prompt.m_answers = {IDCANCEL};
    LogRecorder log;

    EXPECT_FALSE(run.Run("A"));
    EXPECT_EQ(std::vector<std::string>{kErrorPrompt}, prompt.m_texts);
    EXPECT_EQ((std::vector<std::string>{Trace("Starting file " + run.m_mp3),
                                        Failure("ERROR in processing file")}),
              ScriptLines(log));
    EXPECT_TRUE(run.m_transcript.WaitFor("main shown"));
    EXPECT_FALSE(run.m_transcript.Has("command"));
    EXPECT_EQ(1, reaper.EndRunning(0));
}

// The tag dialog of a file whose script gave up on it comes only during the
// next file's run, over that file's own: it is left as it is, and the next
// file is done in its own editor.
TEST(VolumeUpdateScript, ATagDialogThatComesAfterTheScriptGaveUpIsLeftAlone)
{
    ScriptRun first("One.mp3", Desc("One Album", "one"));
    ScriptRun second("Two.mp3", Desc("Two Album", "two"));
    ASSERT_TRUE(first.m_bWritten && second.m_bWritten);
    StandInReaper reaper;
    RecordingPrompt prompt;
    LogRecorder log;

    EXPECT_TRUE(first.Run("New One", "stray:tags"));
    EXPECT_EQ(1u, log.Count(Failure("bRC = 1 (edit id3 tabs)")));
    EXPECT_TRUE(second.Run("New Two"));
    EXPECT_EQ(std::vector<std::string>{kErrorPrompt}, prompt.m_texts);
    EXPECT_TRUE(first.m_transcript.WaitFor("tags shown album=One Album comment=one"))
        << first.m_transcript.Text();
    EXPECT_TRUE(HasLine(second.m_transcript, "tags ok album=New Two comment=two:AVC"));
    EXPECT_EQ("New Two", mp3::ReadMp3TagText(second.m_mp3).album);

    EXPECT_FALSE(first.m_transcript.Has("tags ok")) << first.m_transcript.Text();
    EXPECT_TRUE(testsupport::ReadFileBytes(first.m_mp3) == first.m_original);
    HWND hLate = FindWindowA(nullptr, standin::kTitleTags);
    ASSERT_NE(nullptr, hLate);
    EXPECT_EQ("One Album", testsupport::ControlText(GetDlgItem(hLate, standin::kIdAlbum)));
    EXPECT_EQ("one", testsupport::ControlText(GetDlgItem(hLate, standin::kIdComment)));
    EXPECT_EQ(1, reaper.EndRunning(10000));
}

// Each failing step, injected through the stand-in: its trace line, its
// failure line with bRC 0 after a failed boolean step and 1 after a failed
// lookup or text transfer, "ERROR in processing file", the prompt, and the
// answer deciding the result. Audacity is left as it is.
TEST(VolumeUpdateScript, FailedStepsEndInThePromptWhoseAnswerDecides)
{
    struct Case {
        std::string fault;
        const char* pszAlbum;
        const char* pszStep;     // the trace line of the failing step
        const char* pszFailure;  // its failure line
        int nAnswer;             // on the error prompt
        bool bLeftRunning;       // the stand-in still runs afterwards
        int nCloseAtIdleWait = 0;  // the stand-in closed during this idle wait
    };
    const Case cases[] = {
        {"never:main", "A", "Command: SelectAll", "bRC = 0 (select all)", IDCANCEL, true},
        // Closed once step 3 has found its window.
        {"", "A", "Command: Effects/Automatic Volume Control", "bRC = 0 (AVC starting)", IDOK,
         false, 4},
        {"nocontrol:avc:1", "A", "Push OK button", "bRC = 0 (AVC OK button)", IDOK, true},
        // Closed once step 6 has found its window.
        {"", "A", "Command: File/Export As MP3", "bRC = 0 (export as mp3)", IDCANCEL, false, 7},
        {"nocontrol:saveas:1148", "A", "Get child for filename", "bRC = 1 (save as mp3 filename)",
         IDCANCEL, true},
        {"readonly:saveas:1148", "A", "Set filename text", "bRC = 1 (set filename for write)", IDOK,
         true},
        {"nocontrol:saveas:1", "A", "Push Save button", "bRC = 0 (save mp3 dialog)", IDCANCEL,
         true},
        {"nocontrol:replace:6", "A", "Push Yes button on replace dialog",
         "bRC = 0 (save mp3 as Yes button)", IDOK, true},
        {"nocontrol:tags:10003", "A", "Get child for album name", "bRC = 1 (edit id3 tabs)",
         IDCANCEL, true},
        {"readonly:tags:10003", "A", "Set album name", "bRC = 1 (set album text)", IDOK, true},
        {"nocontrol:tags:10006", nullptr, "Get child for comment field", "bRC = 1 (edit id3 tags)",
         IDCANCEL, true},
        {"readonly:tags:10006", nullptr, "Set updated comment", "bRC = 1 (set comment text)", IDOK,
         true},
        {"nocontrol:tags:1", "A", "Push OK button", "bRC = 0 (edit tags ok button)", IDCANCEL,
         true},
        {"exit:export", "A", "Command: File/Exit", "bRC = 0 (file/exit)", IDOK, false},
        {"nocontrol:exitprompt:7", "A", "Push No button", "bRC = 0 (No button)", IDCANCEL, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        ScriptRun run("Song.mp3", Desc("Old", "Live"));
        ASSERT_TRUE(run.m_bWritten);
        StandInReaper reaper;
        PacedClock clock;
        clock.m_nCloseAtIdleWait = c.nCloseAtIdleWait;
        RecordingPrompt prompt;
        prompt.m_answers = {c.nAnswer};
        LogRecorder log;

        EXPECT_EQ(c.nAnswer == IDOK, run.Run(c.pszAlbum, c.fault));
        EXPECT_EQ(std::vector<std::string>{kErrorPrompt}, prompt.m_texts);
        EXPECT_EQ(std::vector<UINT>{MB_OKCANCEL | MB_ICONWARNING}, prompt.m_types);
        EXPECT_EQ(c.bLeftRunning ? 1 : 0, reaper.EndRunning(0)) << run.m_transcript.Text();

        const std::vector<std::string> lines = ScriptLines(log);
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(Trace(c.pszStep), lines[lines.size() - 3]);
        EXPECT_EQ(Failure(c.pszFailure), lines[lines.size() - 2]);
        EXPECT_EQ(Failure("ERROR in processing file"), lines.back());
        EXPECT_EQ(2u, log.CountContaining("MainFrm|1|")) << "one failure line, one error line";
    }
}

// The overwrite question that never comes: its failure line, then the box
// "No replace dialog found!", then the prompt.
TEST(VolumeUpdateScript, MissingReplaceQuestionIsShownBeforeThePrompt)
{
    ScriptRun run("Song.mp3", Desc("Old", "Live"));
    ASSERT_TRUE(run.m_bWritten);
    StandInReaper reaper;
    PacedClock clock;
    RecordingPrompt prompt;
    prompt.m_answers = {IDOK, IDCANCEL};
    LogRecorder log;

    EXPECT_FALSE(run.Run("A", "never:replace"));
    EXPECT_EQ((std::vector<std::string>{"No replace dialog found!", kErrorPrompt}), prompt.m_texts);
    EXPECT_EQ((std::vector<UINT>{MB_OK | MB_ICONWARNING, MB_OKCANCEL | MB_ICONWARNING}),
              prompt.m_types);
    EXPECT_EQ(1, reaper.EndRunning(0));
    const std::vector<std::string> lines = ScriptLines(log);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(Trace("See if replace dialog has appeared"), lines[lines.size() - 3]);
    EXPECT_EQ(Failure("bRC = 0 (no replace dialog)"), lines[lines.size() - 2]);
    EXPECT_EQ(Failure("ERROR in processing file"), lines.back());
}

// The longest waits on the virtual clock: 600000 ms for a progress window
// that stays (import, effect, export) and 60000 ms for the effect dialog's OK.
TEST(VolumeUpdateScript, LongBudgetsRunOutOnTheVirtualClock)
{
    struct Case {
        std::string fault;
        std::string speed;  // how long the progress windows stay
        const char* pszFailure;
        DWORD dwMin;  // virtual time of the run, at least and at most
        DWORD dwMax;
    };
    const Case cases[] = {
        // The import window shows at once and stays.
        {"", "100000000", "bRC = 0 (import disappear)", 600000, 602000},
        // No import window (2000 ms to look for it); the dialog never shows.
        {"never:import,never:avc", "", "bRC = 0 (AVC OK button)", 62000, 62000},
        // No import window; the effect's progress window stays.
        {"never:import", "100000000", "bRC = 0 (AVC disappear)", 602000, 605000},
        // The export's progress window stays: the 2000 ms looks for the
        // other two and the three pauses come before.
        {"never:import,never:avcprogress", "100000000", "bRC = 0 (export)", 607000, 612000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszFailure);
        ScriptRun run("Song.mp3", Desc("Old", "Live"));
        ASSERT_TRUE(run.m_bWritten);
        StandInReaper reaper;
        PacedClock clock;
        RecordingPrompt prompt;
        LogRecorder log;

        EXPECT_TRUE(run.Run("A", c.fault, c.speed));
        EXPECT_EQ(1, reaper.EndRunning(0));
        EXPECT_GE(clock.Now(), c.dwMin);
        EXPECT_LE(clock.Now(), c.dwMax);
        EXPECT_EQ(1u, log.Count(Failure(c.pszFailure)));
        EXPECT_EQ(std::vector<std::string>{kErrorPrompt}, prompt.m_texts);
    }
}
