#include "support/GTestWin.h"

#include <string>

#include "app/resource.h"
#include "support/ProgramProcess.h"
#include "support/TestSupport.h"

namespace {

const char kKeyPath[] = "SOFTWARE\\Tarnvale\\Quillon";

std::string Stored(const char* pszName)
{
    char sz[1024] = "";
    DWORD cb = sizeof(sz);
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kKeyPath, pszName, RRF_RT_REG_SZ, nullptr, sz, &cb) !=
        ERROR_SUCCESS)
        return "<absent>";
    return sz;
}

}  // namespace

TEST(Program, StartsShowsItsWindowAndStoresSettingsOnClose)
{
    testsupport::DeleteRegTree(HKEY_LOCAL_MACHINE, kKeyPath);
    // Changed log settings in the registry change nothing in the logging.
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    RegSetValueExA(hKey, "LogFile", 0, REG_SZ, reinterpret_cast<const BYTE*>("Other.log"), 10);
    RegSetValueExA(hKey, "LogFlags", 0, REG_SZ, reinterpret_cast<const BYTE*>("*:!*"), 5);
    RegCloseKey(hKey);

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

    EXPECT_EQ("Other.log", Stored("LogFile"));
    EXPECT_EQ("*:!*", Stored("LogFlags"));
    EXPECT_EQ("D:\\cpp\\Audacity\\audacity\\audacity\\win\\Release\\audacity.exe",
              Stored("AudacityFilename"));
    EXPECT_EQ("C:\\Temp", Stored("DefaultDirectory"));

    // The log went to Quillon.log with every channel on, whatever the registry says.
    EXPECT_EQ("", testsupport::ReadFileBytes(logs.File("Other.log")));
    const std::string log = testsupport::ReadFileBytes(logs.File("Quillon.log"));
    const auto eol = log.find("\r\n");
    ASSERT_NE(std::string::npos, eol);
    EXPECT_NE(std::string::npos, log.substr(0, eol).find("Quillon(74) [8:1] OnCreate::InitLogFile"));
    testsupport::DeleteRegTree(HKEY_LOCAL_MACHINE, kKeyPath);
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
    testsupport::DeleteRegTree(HKEY_LOCAL_MACHINE, kKeyPath);
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
    EXPECT_EQ(chosen, Stored("AudacityFilename"));
    testsupport::DeleteRegTree(HKEY_LOCAL_MACHINE, kKeyPath);
}

TEST(Program, CancelledFindAudacityStoresTheOldPath)
{
    testsupport::DeleteRegTree(HKEY_LOCAL_MACHINE, kKeyPath);
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
              Stored("AudacityFilename"));
    testsupport::DeleteRegTree(HKEY_LOCAL_MACHINE, kKeyPath);
}
