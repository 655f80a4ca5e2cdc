// The Load command in the real program: the folder chosen in the picker is
// the one stored at exit.
#include "support/GTestWin.h"

#include <string>

#include "app/resource.h"
#include "support/DriveLetter.h"
#include "support/ProgramProcess.h"
#include "support/SettingsRegistry.h"
#include "support/TestSupport.h"

TEST(FileListProgram, TheChosenFolderIsStoredAtExit)
{
    testsupport::TempFolder top("qloadprog");
    ASSERT_TRUE(CreateDirectoryA(top.File("Music").c_str(), nullptr));
    testsupport::MappedDrive drive(top.Path());
    ASSERT_TRUE(drive.IsMapped());
    const std::string music = drive.Root() + "\\Music\\";

    testsupport::DeleteSettings();
    ASSERT_TRUE(testsupport::StoreSetting("DefaultDirectory", music));

    testsupport::ProgramProcess program;
    ASSERT_TRUE(program.Start("Quillon", top.Path()));
    HWND hMain = program.WaitForWindow("Quillon");
    ASSERT_NE(nullptr, hMain);
    // Stored as given at start; the picker then starts on it.
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, testsupport::kSettingsKeyPath, "DefaultDirectory");

    PostMessageA(hMain, WM_COMMAND, ID_FILE_LOAD_ALL, 0);
    HWND hDlg = program.WaitForWindow("Blar...");
    ASSERT_NE(nullptr, hDlg);
    HWND hOk = GetDlgItem(hDlg, IDOK);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return IsWindowEnabled(hOk) != FALSE; }, 5000));
    SendMessageA(hOk, BM_CLICK, 0, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !IsWindow(hDlg); }, 10000));

    PostMessageA(hMain, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit());
    EXPECT_EQ(music, testsupport::StoredSetting("DefaultDirectory"));
    testsupport::DeleteSettings();
}
