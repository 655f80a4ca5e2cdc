#include "support/GTestWin.h"

#include <cstring>
#include <memory>
#include <string>

#include "AutomationTargetIds.h"
#include "TestWindows.h"
#include "automation/ControlWindow.h"
#include "automation/FindApp.h"
#include "support/LogRecorder.h"
#include "support/RecordingPrompt.h"
#include "support/TestSupport.h"
#include "support/VirtualClock.h"

using automationtest::UniqueTitle;
using testsupport::LogRecorder;
using testsupport::RecordingPrompt;
using testsupport::VirtualClock;

namespace {

std::string TargetPath()
{
    return testsupport::ProgramFolder() + kTargetProgram;
}

// Ends a target program that is still running, by its window when it has
// one, and waits for its end.
class RunningTarget {
public:
    explicit RunningTarget(DWORD dwPid)
        : m_hProcess(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION,
                                 FALSE, dwPid))
    {
    }
    ~RunningTarget()
    {
        if (m_hProcess == nullptr)
            return;
        if (WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_hProcess, 9);
        WaitForSingleObject(m_hProcess, 5000);
        CloseHandle(m_hProcess);
    }
    RunningTarget(const RunningTarget&) = delete;
    RunningTarget& operator=(const RunningTarget&) = delete;

    bool IsRunning() const
    {
        return m_hProcess != nullptr && WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT;
    }
    bool WaitForExit(DWORD dwMs) const
    {
        return m_hProcess != nullptr &&
               testsupport::PumpUntil(
                   [&] { return WaitForSingleObject(m_hProcess, 0) == WAIT_OBJECT_0; }, dwMs);
    }

private:
    HANDLE m_hProcess;
};

bool IsOpenHandle(HANDLE h)
{
    DWORD dwFlags = 0;
    return GetHandleInformation(h, &dwFlags) != FALSE;
}

// Sets an environment variable for the lifetime of the object.
class EnvironmentVariable {
public:
    EnvironmentVariable(const char* pszName, const std::string& value) : m_pszName(pszName)
    {
        SetEnvironmentVariableA(pszName, value.c_str());
    }
    ~EnvironmentVariable() { SetEnvironmentVariableA(m_pszName, nullptr); }
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

private:
    const char* m_pszName;
};

}  // namespace

TEST(StartApp, AnEmptyOrWrongProgramPathShowsTheFailureAndWaitsForNothing)
{
    const std::string missingTarget = testsupport::ProgramFolder() + "no_such_program.exe.so";
    for (const char* pszPath : {"", static_cast<const char*>(nullptr),
                                "C:\\no such folder\\nothing.exe", missingTarget.c_str()}) {
        SCOPED_TRACE(pszPath != nullptr ? pszPath : "(null)");
        VirtualClock clock;
        RecordingPrompt prompt;
        FindApp app(nullptr);
        EXPECT_EQ(-1, app.StartApp(pszPath, "\"C:\\music\\a b.mp3\""));
        ASSERT_EQ(1u, prompt.m_texts.size());
        EXPECT_EQ("CreateProcess failed", prompt.m_texts[0]);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONWARNING), prompt.m_types[0]);
        EXPECT_EQ(nullptr, app.m_pi.hProcess);
        EXPECT_EQ(nullptr, app.m_pi.hThread);
        EXPECT_TRUE(clock.m_idleWaits.empty());
    }
}

TEST(StartApp, StartsTheProgramWaitsUntilItIsIdleAndLeavesItRunningWhenDone)
{
    VirtualClock clock;
    clock.m_bRealIdleWaits = true;
    RecordingPrompt prompt;
    const std::string title = UniqueTitle("Target");

    HANDLE hProcess = nullptr;
    HANDLE hThread = nullptr;
    DWORD dwPid = 0;
    HWND hWnd = nullptr;
    std::unique_ptr<RunningTarget> target;
    {
        FindApp app(nullptr);
        ASSERT_EQ(0, app.StartApp(TargetPath().c_str(), title.c_str()));
        target = std::make_unique<RunningTarget>(app.m_pi.dwProcessId);
        hProcess = app.m_pi.hProcess;
        hThread = app.m_pi.hThread;
        dwPid = app.m_pi.dwProcessId;
        ASSERT_NE(nullptr, hProcess);
        ASSERT_NE(nullptr, hThread);
        ASSERT_EQ(1u, clock.m_idleWaits.size());
        EXPECT_EQ(hProcess, clock.m_idleWaits[0].hProcess);
        EXPECT_EQ(INFINITE, clock.m_idleWaits[0].dwMilliseconds);
        EXPECT_TRUE(prompt.m_texts.empty());

        // Idle means its window is there (it makes the window only after a
        // pause): one lookup finds it, without polling.
        FindApp finder(title.c_str());
        hWnd = finder.GetWindowHandle();
        ASSERT_NE(nullptr, hWnd);
        DWORD dwWindowPid = 0;
        GetWindowThreadProcessId(hWnd, &dwWindowPid);
        EXPECT_EQ(dwPid, dwWindowPid);
        EXPECT_TRUE(IsOpenHandle(hProcess));
        EXPECT_TRUE(IsOpenHandle(hThread));
    }
    // The handles are closed, the program runs on.
    EXPECT_FALSE(IsOpenHandle(hProcess));
    EXPECT_FALSE(IsOpenHandle(hThread));
    EXPECT_TRUE(target->IsRunning());
    EXPECT_TRUE(IsWindow(hWnd));
    PostMessageA(hWnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(target->WaitForExit(10000));
}

TEST(StartApp, AProgramPathWithBlanksStartsThatProgramAndNotADecoyAtAShorterPrefix)
{
    RecordingPrompt prompt;
    testsupport::TempFolder folder("qauto");
    ASSERT_FALSE(folder.Path().empty());
    const std::string programFolder = folder.File("My Prog");
    ASSERT_TRUE(CreateDirectoryA(programFolder.c_str(), nullptr));
    const std::string program = programFolder + "\\" + kTargetProgram;
    const std::string decoy = folder.File("My.exe");
    ASSERT_TRUE(CopyFileA(TargetPath().c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(TargetPath().c_str(), decoy.c_str(), FALSE));
    const std::string startLog = folder.File("started.txt");
    EnvironmentVariable logVariable(kTargetLogVariable, startLog);

    // The hazard is real: without quotes the decoy runs.
    {
        std::string commandLine = program + " " + UniqueTitle("Unquoted");
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &si, &pi));
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        RunningTarget started(pi.dwProcessId);
        ASSERT_TRUE(testsupport::PumpUntil(
            [&] { return !testsupport::ReadFileBytes(startLog).empty(); }, 10000));
        EXPECT_EQ(decoy + "\n", testsupport::ReadFileBytes(startLog));
    }
    DeleteFileA(startLog.c_str());

    for (const std::string& path : {program, "\"" + program + "\""}) {
        SCOPED_TRACE(path);
        VirtualClock clock;
        clock.m_bRealIdleWaits = true;
        const std::string title = UniqueTitle("Quoted");
        FindApp app(nullptr);
        ASSERT_EQ(0, app.StartApp(path.c_str(), title.c_str()));
        RunningTarget started(app.m_pi.dwProcessId);
        EXPECT_EQ(program + "\n", testsupport::ReadFileBytes(startLog));
        // The argument string arrives as given.
        FindApp finder(title.c_str());
        HWND hWnd = finder.GetWindowHandle();
        ASSERT_NE(nullptr, hWnd);
        char szTitle[260] = "";
        GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
        EXPECT_EQ(title, szTitle);
        PostMessageA(hWnd, WM_CLOSE, 0, 0);
        EXPECT_TRUE(started.WaitForExit(10000));
        DeleteFileA(startLog.c_str());
    }
    EXPECT_TRUE(prompt.m_texts.empty());
}

TEST(ControlWindow, SteersTheWindowsOfAStartedProgram)
{
    VirtualClock clock;
    clock.m_bRealIdleWaits = true;
    // Real time passes between lookups, so that the other process moves on.
    clock.m_onSleep = [] { Sleep(20); };
    RecordingPrompt prompt;
    LogRecorder log;
    const std::string title = UniqueTitle("Steered");

    ControlWindow cw;
    ASSERT_EQ(0, cw.Launch(TargetPath().c_str(), title.c_str()));
    RunningTarget target(cw.m_app.m_pi.dwProcessId);
    ASSERT_NE(nullptr, cw.m_hProcess);
    EXPECT_EQ(cw.m_app.m_pi.hProcess, cw.m_hProcess);
    ASSERT_EQ(1u, clock.m_idleWaits.size());

    // The idle wait comes also when the top window is not found.
    EXPECT_FALSE(cw.PostMessageToTop(UniqueTitle("Missing").c_str(), WM_NULL, 0, 0, 0));
    ASSERT_EQ(2u, clock.m_idleWaits.size());
    EXPECT_EQ(cw.m_hProcess, clock.m_idleWaits[1].hProcess);
    EXPECT_EQ(INFINITE, clock.m_idleWaits[1].dwMilliseconds);

    // Text into and out of the other program's edit control, Latin-1 included.
    HWND hEdit = cw.FindChild(title.c_str(), kTargetEditId, 2000);
    ASSERT_NE(nullptr, hEdit);
    const char* pszText = "Neue Lieder \xC4\xD6\xDC :AVC";
    EXPECT_EQ(TRUE, cw.SendToWindow(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pszText)));
    char szBack[260] = "";
    EXPECT_EQ(static_cast<LRESULT>(strlen(pszText)),
              cw.SendToWindow(hEdit, WM_GETTEXT, sizeof(szBack), reinterpret_cast<LPARAM>(szBack)));
    EXPECT_STREQ(pszText, szBack);
    EXPECT_EQ(4u, clock.m_idleWaits.size());

    // A click on its OK button reaches its window procedure.
    EXPECT_TRUE(cw.ClickChildButton(title.c_str(), "OK", 2000));
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] {
            szBack[0] = '\0';
            SendMessageA(hEdit, WM_GETTEXT, sizeof(szBack), reinterpret_cast<LPARAM>(szBack));
            return strcmp(szBack, kTargetClickedText) == 0;
        },
        5000));

    // Closed through its window, it vanishes and ends.
    EXPECT_TRUE(cw.WaitForTop(title.c_str(), 0));
    EXPECT_TRUE(cw.PostMessageToTop(title.c_str(), WM_CLOSE, 0, 0, 0));
    EXPECT_TRUE(cw.WaitForTopToVanish(title.c_str(), 2000, 600000));
    EXPECT_TRUE(target.WaitForExit(10000));
    EXPECT_TRUE(prompt.m_texts.empty());
}
