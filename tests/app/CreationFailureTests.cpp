// The main window of a program whose toolbar resource is missing: creation
// ends with the logged reason and no window, and start-up gives up cleanly.
#include "support/GTestWin.h"

#include <string>

#include "app/QuillonApp.h"
#include "log/DebugLog.h"
#include "support/ProgramFixture.h"

namespace {

BOOL CALLBACK CountWindowsProc(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

int ThreadWindowCount()
{
    int nCount = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindowsProc, reinterpret_cast<LPARAM>(&nCount));
    return nCount;
}

}  // namespace

TEST(CreationFailure, MissingToolbarIsLoggedAndEndsStartUpWithoutAWindow)
{
    const SwiftTraceLog saved = global_TheOneSwiftTraceLog;
    testsupport::TempFolder logs("qfail");
    SetEnvironmentVariableA("QUILLON_LOG_DIR", logs.Path().c_str());
    const int nWindowsBefore = ThreadWindowCount();
    {
        CQuillonApp app;
        app.InitApplication(GetModuleHandleA(nullptr));
        // The real start-up: log opened, frame created, its failure seen.
        EXPECT_FALSE(app.InitInstance());
        EXPECT_EQ(nullptr, app.m_pMainWnd);
        EXPECT_EQ(nWindowsBefore, ThreadWindowCount());
    }
    if (global_TheOneSwiftTraceLog.m_pSink != nullptr)
        global_TheOneSwiftTraceLog.m_pSink->Close();
    global_TheOneSwiftTraceLog = saved;
    SetEnvironmentVariableA("QUILLON_LOG_DIR", nullptr);

    const std::string log = testsupport::ReadFileBytes(logs.File("Quillon.log"));
    EXPECT_EQ(1u, testsupport::CountOf(log, "MainFrm(134) [1:0] Failed to create toolbar\r\n")) << log;
    EXPECT_EQ(0u, testsupport::CountOf(log, "Failed to create view window"));
    EXPECT_EQ(0u, testsupport::CountOf(log, "Failed to create status bar"));
    testsupport::DeleteSettings();
}
