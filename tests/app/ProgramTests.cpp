#include "support/GTestWin.h"

#include <string>

#include "app/resource.h"
#include "support/ProgramProcess.h"
#include "support/SettingsRegistry.h"
#include "support/TestSupport.h"

TEST(Program, StartsShowsItsWindowAndStoresSettingsOnClose)
{
    testsupport::DeleteSettings();
    // Changed log settings in the registry change nothing in the logging.
    ASSERT_TRUE(testsupport::StoreSetting("LogFile", "Other.log"));
    ASSERT_TRUE(testsupport::StoreSetting("LogFlags", "*:!*"));

    testsupport::TempFolder logs("qprog");
    testsupport::ProgramProcess program;
    ASSERT_TRUE(program.Start("Quillon", logs.Path()));
    HWND hMain = program.WaitForWindow("Quillon");
    ASSERT_NE(nullptr, hMain);
    char szClass[64] = "";
    GetClassNameA(hMain, szClass, sizeof(szClass));
    EXPECT_NE(nullptr, GetMenu(hMain));

    PostMessageA(hMain, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit());

    EXPECT_EQ("Other.log", testsupport::StoredSetting("LogFile"));
    EXPECT_EQ("*:!*", testsupport::StoredSetting("LogFlags"));
    EXPECT_EQ("D:\\cpp\\Audacity\\audacity\\audacity\\win\\Release\\audacity.exe",
              testsupport::StoredSetting("AudacityFilename"));
    EXPECT_EQ("C:\\Temp", testsupport::StoredSetting("DefaultDirectory"));

    // The log went to Quillon.log with every channel on, whatever the registry says.
    EXPECT_EQ("", testsupport::ReadFileBytes(logs.File("Other.log")));
    const std::string log = testsupport::ReadFileBytes(logs.File("Quillon.log"));
    const auto eol = log.find("\r\n");
    ASSERT_NE(std::string::npos, eol);
    EXPECT_NE(std::string::npos, log.substr(0, eol).find("Quillon(74) [8:1] OnCreate::InitLogFile"));
    testsupport::DeleteSettings();
}

namespace {

// The control of an open dialog that holds the typed file name.
HWND FileNameBox(HWND hDlg)
{
    HWND hName = GetDlgItem(hDlg, 0x47c);  // cmb13
    return hName != nullptr ? hName : GetDlgItem(hDlg, 0x480);  // edt1
}

bool WaitGone(HWND hWnd)
{
    return testsupport::PumpUntil([&] { return !IsWindow(hWnd) || !IsWindowVisible(hWnd); }, 10000);
}

}  // namespace

TEST(Program, FindAudacityCancelKeepsAndOkStoresTheChosenPathAtExit)
{
    testsupport::DeleteSettings();
    testsupport::TempFolder folder("qfinda");
    const std::string chosen = folder.File("audacity.exe");
    ASSERT_TRUE(testsupport::WriteFileBytes(chosen, "MZ"));

    testsupport::ProgramProcess program;
    ASSERT_TRUE(program.Start("Quillon", folder.Path()));
    HWND hMain = program.WaitForWindow("Quillon");
    ASSERT_NE(nullptr, hMain);

    // Cancel first: nothing changes.
    PostMessageA(hMain, WM_COMMAND, ID_ACTIONS_FIND_AUDACITY, 0);
    HWND hDlg = program.WaitForWindow("Open");
    ASSERT_NE(nullptr, hDlg);
    EXPECT_EQ(hMain, GetWindow(hDlg, GW_OWNER));
    SendMessageA(FileNameBox(hDlg), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
    SendMessageA(GetDlgItem(hDlg, IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitGone(hDlg));

    // Then a file chosen with OK.
    PostMessageA(hMain, WM_COMMAND, ID_ACTIONS_FIND_AUDACITY, 0);
    hDlg = program.WaitForWindow("Open");
    ASSERT_NE(nullptr, hDlg);
    SendMessageA(FileNameBox(hDlg), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
    SendMessageA(GetDlgItem(hDlg, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitGone(hDlg));

    PostMessageA(hMain, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit());
    EXPECT_EQ(chosen, testsupport::StoredSetting("AudacityFilename"));
    testsupport::DeleteSettings();
}

TEST(Program, CancelledFindAudacityStoresTheOldPath)
{
    testsupport::DeleteSettings();
    testsupport::TempFolder folder("qfindc");
    const std::string chosen = folder.File("audacity.exe");
    ASSERT_TRUE(testsupport::WriteFileBytes(chosen, "MZ"));

    testsupport::ProgramProcess program;
    ASSERT_TRUE(program.Start("Quillon", folder.Path()));
    HWND hMain = program.WaitForWindow("Quillon");
    ASSERT_NE(nullptr, hMain);
    PostMessageA(hMain, WM_COMMAND, ID_ACTIONS_FIND_AUDACITY, 0);
    HWND hDlg = program.WaitForWindow("Open");
    ASSERT_NE(nullptr, hDlg);
    SendMessageA(FileNameBox(hDlg), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
    SendMessageA(GetDlgItem(hDlg, IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitGone(hDlg));
    PostMessageA(hMain, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit());
    EXPECT_EQ("D:\\cpp\\Audacity\\audacity\\audacity\\win\\Release\\audacity.exe",
              testsupport::StoredSetting("AudacityFilename"));
    testsupport::DeleteSettings();
}
