// Quillon as the user runs it, as a second process: settings in the test
// prefix's registry (none at first, removed afterwards), a music folder on a
// drive letter of its own, the Audacity stand-in as the configured editor,
// and the folder picker and message boxes answered as a user answers them.
#pragma once

#include "support/GTestWin.h"

#include <string>

#include "support/DriveLetter.h"
#include "support/ProgramProcess.h"
#include "support/TestSupport.h"

namespace testsupport {

// Where the program keeps its settings, under HKEY_LOCAL_MACHINE.
constexpr char kSettingsKeyPath[] = "SOFTWARE\\Tarnvale\\Quillon";
// Stores a value of any type (cb bytes of pData), creating the key.
bool StoreRawSetting(const char* pszName, DWORD dwType, const void* pData, DWORD cb);
bool StoreSetting(const char* pszName, const std::string& value);
// The stored value as text, or "<absent>".
std::string StoredSetting(const char* pszName);
// Removes the key with every value.
void DeleteSettings();

// How often `what` occurs in the text.
size_t CountOf(const std::string& text, const std::string& what);

class QuillonProgram : public testing::Test {
protected:
    // No settings but the music folder as DefaultDirectory and the stand-in
    // as AudacityFilename.
    void SetUp() override;
    // Ends the program and every stand-in it left, removes the settings.
    void TearDown() override;

    // An MP3 file with the tags in a sub-folder of the music folder ("" for
    // the music folder itself); its path.
    std::string AddMp3(const std::string& folder, const std::string& name,
                       const std::string& album, const std::string& comment);
    // Starts the program and waits for its main window.
    void Start();
    void Command(UINT nID) { PostMessageA(hMain, WM_COMMAND, nID, 0); }
    // A Load command answered with OK on the folder the picker starts on.
    void Load(UINT nCommand);
    // A message box of the program, once it shows its text.
    HWND WaitForMessageBox(DWORD dwTimeoutMs);
    // Clicks a button of the box (IDOK, IDCANCEL) and waits until it is gone.
    bool Answer(HWND hBox, int nButton);
    // WM_CLOSE to the main window; the exit code (-1 when it did not end).
    int Close(DWORD dwTimeoutMs = 60000);
    std::string Log() const { return ReadFileBytes(logs.File("Quillon.log")); }

    TempFolder top{"qprog"};
    TempFolder logs{"qproglog"};
    MappedDrive drive{top.Path()};
    std::string music;  // "<drive>:\Music\"
    ProgramProcess program;
    HWND hMain = nullptr;
};

}  // namespace testsupport
