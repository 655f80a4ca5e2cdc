#include "support/ProgramFixture.h"

#include "mp3/Mp3Builder.h"
#include "support/StandInSupport.h"
#include "support/WindowFinder.h"

namespace testsupport {

bool StoreRawSetting(const char* pszName, DWORD dwType, const void* pData, DWORD cb)
{
    CRegKeyHandle key;
    return RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                           nullptr, key.Put(), nullptr) == ERROR_SUCCESS &&
           RegSetValueExA(key, pszName, 0, dwType, static_cast<const BYTE*>(pData), cb) ==
               ERROR_SUCCESS;
}

bool StoreSetting(const char* pszName, const std::string& value)
{
    return StoreRawSetting(pszName, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

std::string StoredSetting(const char* pszName)
{
    char sz[1024] = "";
    DWORD cb = sizeof(sz) - 1;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kSettingsKeyPath, pszName, RRF_RT_ANY, nullptr, sz, &cb) !=
        ERROR_SUCCESS)
        return "<absent>";
    return sz;
}

void DeleteSettings()
{
    DeleteRegTree(HKEY_LOCAL_MACHINE, kSettingsKeyPath);
}

size_t CountOf(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1))
        ++n;
    return n;
}

void QuillonProgram::SetUp()
{
    ASSERT_TRUE(drive.IsMapped());
    music = drive.Root() + "\\Music\\";
    ASSERT_TRUE(CreateDirectoryA(top.File("Music").c_str(), nullptr));
    DeleteSettings();
    ASSERT_TRUE(StoreSetting("DefaultDirectory", music));
    ASSERT_TRUE(StoreSetting("AudacityFilename", StandInProgramPath()));
}

void QuillonProgram::TearDown()
{
    program.Kill();
    EndDescendants(program.ProcessId(), "AudacityStandIn");
    DeleteSettings();
}

std::string QuillonProgram::AddMp3(const std::string& folder, const std::string& name,
                                   const std::string& album, const std::string& comment)
{
    const std::string dir = folder.empty() ? "Music" : "Music\\" + folder;
    CreateDirectoryA(top.File(dir).c_str(), nullptr);
    const std::string path = top.File(dir + "\\" + name);
    EXPECT_TRUE(mp3::WriteMp3File(path, {true, album, comment}));
    return path;
}

void QuillonProgram::Start()
{
    ASSERT_TRUE(program.Start("Quillon", logs.Path()));
    hMain = program.WaitForWindow("Quillon", 60000);
    ASSERT_NE(nullptr, hMain);
}

void QuillonProgram::Load(UINT nCommand)
{
    Command(nCommand);
    HWND hDlg = program.WaitForWindow("Blar...", 60000);
    ASSERT_NE(nullptr, hDlg);
    HWND hOk = GetDlgItem(hDlg, IDOK);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(hOk) != FALSE; }, 30000));
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(hOk));
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(hDlg); }, 60000));
}

// A box of the program is a dialog-class window titled "Quillon".
HWND QuillonProgram::WaitForMessageBox(DWORD dwTimeoutMs)
{
    HWND hBox = nullptr;
    PumpUntil(
        [&] {
            for (HWND hWnd : TopWindows(program.ProcessId(), "Quillon", TitleMatch::Exact)) {
                char szClass[16] = "";
                GetClassNameA(hWnd, szClass, sizeof(szClass));
                if (lstrcmpA(szClass, "#32770") == 0 && IsWindowVisible(hWnd) &&
                    !WindowText(hWnd, 0xFFFF).empty())
                    return (hBox = hWnd) != nullptr;
            }
            return false;
        },
        dwTimeoutMs);
    return hBox;
}

bool QuillonProgram::Answer(HWND hBox, int nButton)
{
    PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hBox, nButton)));
    return PumpUntil([&] { return !IsWindow(hBox); }, 30000);
}

int QuillonProgram::Close(DWORD dwTimeoutMs)
{
    PostMessageA(hMain, WM_CLOSE, 0, 0);
    return program.WaitForExit(dwTimeoutMs);
}

}  // namespace testsupport
