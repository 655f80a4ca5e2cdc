// Starting a program: the failure the user is told about, and a started
// program (the Audacity stand-in) that was waited for until idle and runs on
// once its handles are closed; a path with blanks starts that program and
// never a decoy at a shorter prefix.
#include "support/GTestWin.h"

#include <memory>
#include <string>

#include "automation/FindApp.h"
#include "mp3/Mp3Builder.h"
#include "support/ProgramProcess.h"
#include "support/RecordingPrompt.h"
#include "support/StandInSupport.h"
#include "support/TestSupport.h"
#include "support/VirtualClock.h"

using testsupport::RecordingPrompt;
using testsupport::VirtualClock;

namespace {

bool IsOpenHandle(HANDLE h)
{
    DWORD dwFlags = 0;
    return GetHandleInformation(h, &dwFlags) != FALSE;
}

}  // namespace

TEST(StartApp, AnEmptyOrWrongProgramPathShowsTheFailureAndWaitsForNothing)
{
    const std::string missing = testsupport::ProgramFolder() + "no_such_program.exe.so";
    for (const char* pszPath :
         {"", static_cast<const char*>(nullptr), "C:\\no such folder\\nothing.exe", missing.c_str()}) {
        SCOPED_TRACE(pszPath != nullptr ? pszPath : "(null)");
        VirtualClock clock;
        RecordingPrompt prompt;
        FindApp app(nullptr);
        EXPECT_EQ(-1, app.StartApp(pszPath, "\"C:\\music\\a b.mp3\""));
        EXPECT_EQ(std::vector<std::string>{"CreateProcess failed"}, prompt.m_texts);
        EXPECT_EQ(std::vector<UINT>{MB_OK | MB_ICONWARNING}, prompt.m_types);
        EXPECT_EQ(nullptr, app.m_pi.hProcess);
        EXPECT_TRUE(clock.m_idleWaits.empty());
    }
}

TEST(StartApp, APathWithBlanksStartsThatProgramIdleAndLeavesItRunning)
{
    testsupport::TempFolder folder("qauto");
    const std::string song = folder.File("Song.mp3");
    ASSERT_TRUE(mp3::WriteMp3File(song, mp3::Mp3FileDesc()));
    ASSERT_TRUE(CreateDirectoryA(folder.File("My Prog").c_str(), nullptr));
    const std::string program = folder.File("My Prog\\AudacityStandIn.exe.so");
    const std::string standIn = testsupport::StandInProgramPath();
    ASSERT_TRUE(CopyFileA(standIn.c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(standIn.c_str(), folder.File("My.exe").c_str(), FALSE));
    const testsupport::Transcript transcript(folder.File("t.txt"));
    testsupport::StandInEnvironment environment(transcript.Path());
    // Unquoted, the decoy "My.exe" would run, on the rest of the path.
    const std::string arguments = "\"" + song + "\"";

    for (const std::string& path : {program, "\"" + program + "\""}) {
        SCOPED_TRACE(path);
        DeleteFileA(transcript.Path().c_str());
        VirtualClock clock;
        clock.m_bRealIdleWaits = true;
        clock.m_dwRealIdleLimit = 60000;
        RecordingPrompt prompt;
        std::unique_ptr<testsupport::ProgramProcess> started;
        HANDLE hProcess = nullptr;
        HANDLE hThread = nullptr;
        {
            FindApp app(nullptr);
            ASSERT_EQ(0, app.StartApp(path.c_str(), arguments.c_str()));
            started = std::make_unique<testsupport::ProgramProcess>(app.m_pi.dwProcessId);
            hProcess = app.m_pi.hProcess;
            hThread = app.m_pi.hThread;
            ASSERT_EQ(1u, clock.m_idleWaits.size());
            EXPECT_EQ(hProcess, clock.m_idleWaits[0].hProcess);
            EXPECT_EQ(INFINITE, clock.m_idleWaits[0].dwMilliseconds);
            EXPECT_TRUE(IsOpenHandle(hProcess) && IsOpenHandle(hThread));
        }
        // The handles are closed, the program runs on, on the file as given.
        EXPECT_FALSE(IsOpenHandle(hProcess));
        EXPECT_FALSE(IsOpenHandle(hThread));
        EXPECT_TRUE(started->IsRunning());
        EXPECT_TRUE(transcript.WaitFor("main shown", 60000)) << transcript.Text();
        EXPECT_EQ("start " + song, transcript.Lines().at(0));
        EXPECT_TRUE(prompt.m_texts.empty());
    }
}
