// The Load command in the real program: the folder chosen in the picker is
// the one stored at exit.
#include "support/GTestWin.h"

#include <string>

#include "app/resource.h"
#include "support/DriveLetter.h"
#include "support/ProgramProcess.h"
#include "support/TestSupport.h"

namespace {

const char kKeyPath[] = "SOFTWARE\\Tarnvale\\Quillon";

std::string StoredDirectory()
{
    char sz[1024] = "";
    DWORD cb = sizeof(sz);
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kKeyPath, "DefaultDirectory", RRF_RT_REG_SZ, nullptr, sz,
                     &cb) != ERROR_SUCCESS)
        return "<absent>";
    return sz;
}

}  // namespace

TEST(FileListProgram, TheChosenFolderIsStoredAtExit)
{
    testsupport::TempFolder top("qloadprog");
    ASSERT_TRUE(CreateDirectoryA(top.File("Music").c_str(), nullptr));
    testsupport::MappedDrive drive(top.Path());
    ASSERT_TRUE(drive.IsMapped());
    const std::string music = drive.Root() + "\\Music\\";

    testsupport::DeleteRegTree(HKEY_LOCAL_MACHINE, kKeyPath);
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    RegSetValueExA(hKey, "DefaultDirectory", 0, REG_SZ, reinterpret_cast<const BYTE*>(music.c_str()),
                   static_cast<DWORD>(music.size() + 1));
    RegCloseKey(hKey);

    testsupport::ProgramProcess program;
    ASSERT_TRUE(program.Start("Quillon", top.Path()));
    HWND hMain = program.WaitForWindow("Quillon");
    ASSERT_NE(nullptr, hMain);
    // Stored as given at start; the picker then starts on it.
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kKeyPath, "DefaultDirectory");

    PostMessageA(hMain, WM_COMMAND, ID_FILE_LOAD_ALL, 0);
    HWND hDlg = program.WaitForWindow("Blar...");
    ASSERT_NE(nullptr, hDlg);
    HWND hOk = GetDlgItem(hDlg, IDOK);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return IsWindowEnabled(hOk) != FALSE; }, 5000));
    SendMessageA(hOk, BM_CLICK, 0, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !IsWindow(hDlg); }, 10000));

    PostMessageA(hMain, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit());
    EXPECT_EQ(music, StoredDirectory());
    testsupport::DeleteRegTree(HKEY_LOCAL_MACHINE, kKeyPath);
}
