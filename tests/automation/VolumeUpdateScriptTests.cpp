// The per-file volume update script run for real against the Audacity
// stand-in, a second process: whole runs with the tags read back from the
// file, the windows the script must leave alone, and every step failing in
// turn, with the virtual time it waited and the prompt whose answer decides.
#include "support/GTestWin.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "TestWindows.h"
#include "automation/VolumeUpdateScript.h"
#include "standin/StandInIds.h"
#include "support/LogRecorder.h"
#include "mp3/Mp3Builder.h"
#include "support/ProgramProcess.h"
#include "support/RecordingPrompt.h"
#include "support/StandInSupport.h"
#include "support/TestSupport.h"
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

// Ends the stand-ins this test started, each given the grace to end by
// itself; how many had to be terminated.
int EndStandIns(DWORD dwGraceMs = 0)
{
    return testsupport::EndDescendants(GetCurrentProcessId(), "AudacityStandIn", dwGraceMs);
}

// The clock of a script run. Pauses of the steps named in m_virtual take no
// real time, so that their budgets of minutes run out at once; every other
// pause passes in real time (a quarter second at most), as the stand-in
// needs. Idle waits are real, and the step under way can be given an action
// there (once). Each pause is charged to the step whose trace line came last.
class StepClock : public testsupport::VirtualClock {
public:
    explicit StepClock(const LogRecorder& log) : m_log(log)
    {
        m_bRealIdleWaits = true;
        m_dwRealIdleLimit = 60000;
        m_onSleep = [this] {
            m_steps.push_back(Step());
            if (std::find(m_virtual.begin(), m_virtual.end(), m_steps.back()) == m_virtual.end())
                ::Sleep((std::min)(m_sleeps.back(), static_cast<DWORD>(250)));
        };
    }
    DWORD WaitForInputIdle(HANDLE hProcess, DWORD dwMilliseconds) override
    {
        const DWORD dwResult = VirtualClock::WaitForInputIdle(hProcess, dwMilliseconds);
        const auto it = m_atIdle.find(Step());
        if (it != m_atIdle.end() && m_done.insert(it->first).second)
            it->second(GetProcessId(hProcess));
        return dwResult;
    }
    // The virtual time of the pauses charged to a step.
    DWORD SpentIn(const std::string& step) const
    {
        DWORD dwSpent = 0;
        for (size_t i = 0; i < m_sleeps.size(); ++i)
            dwSpent = m_steps[i] == step ? dwSpent + m_sleeps[i] : dwSpent;
        return dwSpent;
    }

    std::vector<std::string> m_virtual;
    std::map<std::string, std::function<void(DWORD dwStandInPid)>> m_atIdle;

private:
    // The step under way: the text of the script's last trace line, with
    // " #2" for the second step of that text ("Push OK button").
    std::string Step() const
    {
        std::vector<std::string> steps;
        for (const std::string& line : m_log.m_lines)
            if (line.compare(0, 12, "MainFrm|8|0|") == 0)
                steps.push_back(line.substr(12));
        if (steps.empty())
            return std::string();
        const auto n = std::count(steps.begin(), steps.end(), steps.back());
        return n > 1 ? steps.back() + " #" + std::to_string(n) : steps.back();
    }

    const LogRecorder& m_log;
    std::vector<std::string> m_steps;
    std::set<std::string> m_done;
};

// One MP3 file in a folder of its own, run through the script with the
// stand-in as Audacity.
class ScriptRun {
public:
    ScriptRun(const std::string& fileName, const std::string& album, const std::string& comment)
        : m_folder("qvu"), m_mp3(m_folder.File(fileName)), m_transcript(m_folder.File("t.txt"))
    {
        m_original = mp3::Mp3Bytes({true, album, comment});
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

// The trace lines of a whole run, album steps included or not.
std::vector<std::string> WholeRunLines(const std::string& path, bool bAlbum)
{
    std::vector<std::string> lines;
    for (const char* psz :
         {"Wait till import window disappears", "Command: SelectAll",
          "Command: Effects/Automatic Volume Control", "Push OK button",
          "Wait until AVC progress box disappears", "Command: File/Export As MP3",
          "Get child for filename", "Set filename text", "Push Save button",
          "Wait for save progress to completely vanish", "See if replace dialog has appeared",
          "Push Yes button on replace dialog", "Get child for album name", "Set album name",
          "Get child for comment field", "Get old comment", "Set updated comment", "Push OK button",
          "Wait for Export window to vanish", "Command: File/Exit", "Push No button"})
        if (bAlbum || std::string(psz).find("album") == std::string::npos)
            lines.push_back(Trace(psz));
    lines.insert(lines.begin(), Trace("Starting file " + path));
    return lines;
}

// What the editor did in a whole run, in order: the effect applied, the
// file exported over itself with its tags, the editor left unsaved.
const std::vector<std::string> kWholeRunSteps = {
    "all selected", "avc ok",   "avcprogress gone", "saveas save filename=",
    "replace yes",  "tags ok ", "tags written to",  "exitprompt no",
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

// Whole runs: the album set when one is passed and kept when not (Latin-1
// text included), the comment marked by the rule, a file name that reads
// back differently only logged; and the windows the script must not take:
// every window of another process (Quillon's own "AVC Progress", a window
// titled like the project), the project window when looking for "Import" or
// "Export", an edit field holding "OK Computer" before the OK button.
TEST(VolumeUpdateScript, WholeRunsMarkTheCommentAndSetTheAlbumOnlyWhenPassed)
{
    const std::string forty = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
    const std::string latin1 = "Neue Lieder \xC4\xD6\xDC";
    const struct {
        const char* pszFile;
        std::string oldAlbum, oldComment;
        const char* pszAlbum;
        std::string fault;
        std::string album, comment;  // afterwards
    } cases[] = {
        {"Song.MP3", "Old Album", "Live", latin1.c_str(), "", latin1, "Live:AVC"},
        {"Song.mp3.mp3", "Kept Album", forty, nullptr, "altered:saveas:1148", "Kept Album",
         forty.substr(0, 24) + ":AVC"},
        {"Quiet.mp3", "Some Album", "", "Other Album", "decoy:main", "Other Album", ":AVC"},
        {"Song [Live].mp3", "Live Album", "Live", "New", "", "New", "Live:AVC"},
        {"A.mp3", "Album", "a", nullptr, "", "Album", "a:AVC"},
        {"Imported Hits.mp3", "Hits", "h", "More Hits", "", "More Hits", "h:AVC"},
        {"Export Mix.mp3", "OK Computer", "OK", nullptr, "", "OK Computer", "OK:AVC"},
    };
    // Topmost, so that it comes first in any lookup that sees it.
    automationtest::TestWindow progress("AVC Progress");
    SetWindowPos(progress.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszFile);
        ScriptRun run(c.pszFile, c.oldAlbum, c.oldComment);
        ASSERT_TRUE(run.m_bWritten);
        RecordingPrompt prompt;
        LogRecorder log;
        StepClock clock(log);  // the script's pauses shortened, nothing virtual

        EXPECT_TRUE(run.Run(c.pszAlbum, c.fault));
        EXPECT_EQ(0, EndStandIns(60000)) << "the stand-in did not exit by itself";
        EXPECT_TRUE(prompt.m_texts.empty());
        std::string missing;
        EXPECT_TRUE(run.m_transcript.HasInOrder(kWholeRunSteps, &missing))
            << missing << "\n" << run.m_transcript.Text();
        EXPECT_TRUE(HasLine(run.m_transcript, "tags ok album=" + c.album + " comment=" + c.comment))
            << run.m_transcript.Text();
        const mp3::Mp3TagText tags = mp3::ReadMp3TagText(run.m_mp3);
        EXPECT_EQ(c.album, tags.album);
        EXPECT_EQ(c.comment, tags.comment);
        EXPECT_EQ(mp3::AudioAfterTag(run.m_original),
                  mp3::AudioAfterTag(testsupport::ReadFileBytes(run.m_mp3)));
        EXPECT_EQ(c.fault == "decoy:main", run.m_transcript.Has("decoy shown"));
        EXPECT_FALSE(run.m_transcript.Has("decoy command")) << run.m_transcript.Text();
        testsupport::PumpFor(0);  // what was posted to it reaches it
        EXPECT_TRUE(progress.m_messages.empty());

        std::vector<std::string> expected = WholeRunLines(run.m_mp3, c.pszAlbum != nullptr);
        std::string typed = "\"" + run.m_mp3 + "\"";
        if (c.fault == "altered:saveas:1148") {
            // The field kept the path without its quotes: logged, and the
            // export went on.
            typed = run.m_mp3;
            const auto at = std::find(expected.begin(), expected.end(), Trace("Push Save button"));
            expected.insert(at, Failure("Save filename not set: " + run.m_mp3));
        }
        EXPECT_TRUE(HasLine(run.m_transcript, "saveas save filename=" + typed));
        EXPECT_EQ(expected, ScriptLines(log));
    }
}

// A file without a project title would match every window: nothing is
// posted, and the user finishes it by hand in the editor started on it.
TEST(VolumeUpdateScript, AFileWithoutATitleEndsInThePromptBeforeAnyCommand)
{
    ScriptRun run(".mp3", "Old", "Live");
    ASSERT_TRUE(run.m_bWritten);
    RecordingPrompt prompt;
    prompt.m_answers = {IDCANCEL};
    LogRecorder log;

    EXPECT_FALSE(run.Run("A"));
    EXPECT_EQ(std::vector<std::string>{kErrorPrompt}, prompt.m_texts);
    EXPECT_EQ((std::vector<std::string>{Trace("Starting file " + run.m_mp3),
                                        Failure("ERROR in processing file")}),
              ScriptLines(log));
    EXPECT_TRUE(run.m_transcript.WaitFor("main shown", 60000));
    EXPECT_FALSE(run.m_transcript.Has("command"));
    EXPECT_EQ(1, EndStandIns());
}

// The tag dialog of a file whose script gave up on it comes only during the
// next file's run, over that file's own: it is left as it is, and the next
// file is done in its own editor.
TEST(VolumeUpdateScript, ATagDialogThatComesAfterTheScriptGaveUpIsLeftAlone)
{
    ScriptRun first("One.mp3", "One Album", "one");
    ScriptRun second("Two.mp3", "Two Album", "two");
    ASSERT_TRUE(first.m_bWritten && second.m_bWritten);
    RecordingPrompt prompt;
    LogRecorder log;
    StepClock clock(log);

    EXPECT_TRUE(first.Run("New One", "stray:tags"));
    EXPECT_EQ(1u, log.Count(Failure("bRC = 1 (edit id3 tabs)")));
    EXPECT_TRUE(second.Run("New Two"));
    EXPECT_EQ(std::vector<std::string>{kErrorPrompt}, prompt.m_texts);
    EXPECT_TRUE(first.m_transcript.WaitFor("tags shown album=One Album comment=one", 60000))
        << first.m_transcript.Text();
    EXPECT_TRUE(HasLine(second.m_transcript, "tags ok album=New Two comment=two:AVC"));
    EXPECT_EQ("New Two", mp3::ReadMp3TagText(second.m_mp3).album);

    EXPECT_FALSE(first.m_transcript.Has("tags ok")) << first.m_transcript.Text();
    EXPECT_TRUE(testsupport::ReadFileBytes(first.m_mp3) == first.m_original);
    HWND hLate = FindWindowA(nullptr, standin::kTitleTags);
    ASSERT_NE(nullptr, hLate);
    EXPECT_EQ("One Album", testsupport::WindowText(hLate, standin::kIdAlbum));
    EXPECT_EQ("one", testsupport::WindowText(hLate, standin::kIdComment));
}

// Each step failing in turn, through the stand-in's faults: the virtual time
// the failing step waited (its budget) and that of the steps named with it,
// its failure line with bRC 0 after a failed boolean step and 1 after a
// failed lookup or text transfer, "ERROR in processing file", the prompt
// (after "No replace dialog found!" for the missing overwrite question), and
// the answer deciding the result.
TEST(VolumeUpdateScript, EachFailingStepWaitsItsBudgetAndEndsInThePrompt)
{
    // The stand-in's main window held disabled, once no window of its own
    // is up: a lookup of the project window fails from then on.
    const auto holdMain = [](DWORD dwPid) {
        HWND hMain = testsupport::FindTopWindow(dwPid, std::string("Song") + standin::kTitleSuffix);
        testsupport::PumpUntil([&] { return IsWindowEnabled(hMain) != FALSE; }, 60000);
        EnableWindow(hMain, FALSE);
    };
    // Waits until the stand-in has ended: its windows are gone when the step looks.
    const auto ended = [](DWORD dwPid) { testsupport::ProgramProcess(dwPid).WaitForExit(60000); };
    // Waits until the stand-in shows the window: it is up when the step looks.
    const auto shown = [](const char* pszTitle) {
        return [=](DWORD dwPid) { testsupport::WaitForTopWindow(dwPid, pszTitle, 60000); };
    };
    struct Spent {
        std::string step;
        DWORD dwMs;
        bool bReal = false;  // a pause during which the stand-in moves on
    };
    const struct {
        std::string fault;
        const char* pszAlbum;
        std::vector<Spent> spent;  // virtual ms of steps, the failing one's budget among them
        const char* pszFailure;
        int nAnswer;
        std::pair<std::string, std::function<void(DWORD)>> atIdle;
        std::string speed;
    } cases[] = {
        {"never:main", "A", {{"Command: SelectAll", 30000}}, "bRC = 0 (select all)", IDCANCEL},
        {"", "A", {{"Command: Effects/Automatic Volume Control", 3000}}, "bRC = 0 (AVC starting)",
         IDOK, {"Command: SelectAll", holdMain}},
        {"nocontrol:avc:1", "A", {{"Push OK button", 60000}}, "bRC = 0 (AVC OK button)", IDOK},
        {"never:avcprogress", "A", {{"Command: File/Export As MP3", 3000}},
         "bRC = 0 (export as mp3)", IDCANCEL, {"Wait until AVC progress box disappears", holdMain}},
        {"nocontrol:saveas:1148", "A", {{"Get child for filename", 15000}},
         "bRC = 1 (save as mp3 filename)", IDCANCEL},
        {"readonly:saveas:1148", "A", {{"Set filename text", 0}}, "bRC = 1 (set filename for write)",
         IDOK},
        {"nocontrol:saveas:1", "A", {{"Push Save button", 3000}}, "bRC = 0 (save mp3 dialog)",
         IDCANCEL},
        {"never:replace", "A",
         {{"Wait for save progress to completely vanish", 1000, true},
          {"See if replace dialog has appeared", 2000}},
         "bRC = 0 (no replace dialog)", IDCANCEL},
        {"nocontrol:replace:6", "A", {{"Push Yes button on replace dialog", 3000}},
         "bRC = 0 (save mp3 as Yes button)", IDOK},
        {"nocontrol:tags:10003", "A", {{"Get child for album name", 3000}},
         "bRC = 1 (edit id3 tabs)", IDCANCEL},
        {"readonly:tags:10003", "A", {{"Set album name", 0}}, "bRC = 1 (set album text)", IDOK},
        {"nocontrol:tags:10006", nullptr, {{"Get child for comment field", 3000}},
         "bRC = 1 (edit id3 tags)", IDCANCEL},
        {"readonly:tags:10006", nullptr, {{"Set updated comment", 0}}, "bRC = 1 (set comment text)",
         IDOK},
        {"nocontrol:tags:1", "A", {{"Push OK button #2", 1000}}, "bRC = 0 (edit tags ok button)",
         IDCANCEL},
        {"exit:export", "A", {{"Wait for Export window to vanish", 2000}, {"Command: File/Exit", 3000}},
         "bRC = 0 (file/exit)", IDOK, {"Wait for Export window to vanish", ended}},
        {"nocontrol:exitprompt:7", "A", {{"Push No button", 3000}}, "bRC = 0 (No button)", IDCANCEL},
        {"", "A", {{"Wait till import window disappears", 600000}}, "bRC = 0 (import disappear)",
         IDOK, {"Wait till import window disappears", shown(standin::kTitleImport)}, "100000000"},
        {"never:import", "A",
         {{"Wait till import window disappears", 2000},
          {"Wait until AVC progress box disappears", 600000}},
         "bRC = 0 (AVC disappear)", IDOK,
         {"Wait until AVC progress box disappears", shown(standin::kTitleAutoVolumeProgress)},
         "100000000"},
        {"never:import,never:avcprogress", "A",
         {{"Wait until AVC progress box disappears", 2000}, {"Wait for Export window to vanish", 600000}},
         "bRC = 0 (export)", IDOK, {"Wait for Export window to vanish", shown(standin::kTitleExport)},
         "100000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszFailure);
        ScriptRun run("Song.mp3", "Old", "Live");
        ASSERT_TRUE(run.m_bWritten);
        LogRecorder log;
        StepClock clock(log);
        for (const Spent& s : c.spent)
            if (!s.bReal)
                clock.m_virtual.push_back(s.step);
        if (c.atIdle.second)
            clock.m_atIdle[c.atIdle.first] = c.atIdle.second;
        RecordingPrompt prompt;
        prompt.m_answers = {c.nAnswer, c.nAnswer};

        EXPECT_EQ(c.nAnswer == IDOK, run.Run(c.pszAlbum, c.fault, c.speed));
        for (const Spent& s : c.spent)
            EXPECT_EQ(s.dwMs, clock.SpentIn(s.step)) << s.step;
        std::vector<std::string> prompts = {kErrorPrompt};
        std::vector<UINT> types = {MB_OKCANCEL | MB_ICONWARNING};
        if (c.fault == "never:replace") {
            prompts.insert(prompts.begin(), "No replace dialog found!");
            types.insert(types.begin(), MB_OK | MB_ICONWARNING);
        }
        EXPECT_EQ(prompts, prompt.m_texts);
        EXPECT_EQ(types, prompt.m_types);
        EXPECT_EQ(c.fault.compare(0, 5, "exit:") == 0 ? 0 : 1, EndStandIns()) << run.m_transcript.Text();
        const std::vector<std::string> lines = ScriptLines(log);
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(Failure(c.pszFailure), lines[lines.size() - 2]);
        EXPECT_EQ(Failure("ERROR in processing file"), lines.back());
        EXPECT_EQ(2, std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
                      return line.compare(0, 10, "MainFrm|1|") == 0;
                  })) << "one failure line, one error line";
    }
}
