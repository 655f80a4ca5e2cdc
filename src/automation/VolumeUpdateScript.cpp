#include "automation/VolumeUpdateScript.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>

#include "automation/AutomationClock.h"
#include "automation/ControlWindow.h"
#include "automation/UserPrompt.h"
#include "catalog/UpdateMarker.h"
#include "log/DebugLog.h"

namespace {

const char kModule[] = "MainFrm";

// The Audacity build's menu commands, windows, controls and buttons.
constexpr WPARAM kCmdSelectAll = 1133;
constexpr WPARAM kCmdAutoVolumeControl = 2001;
constexpr WPARAM kCmdExportMp3 = 1109;
constexpr WPARAM kCmdExit = 1116;
constexpr int kIdFileName = 1148;
constexpr int kIdAlbum = 10003;
constexpr int kIdComment = 10006;
const char kImportWindow[] = "Import";
const char kAvcDialog[] = "Automatic Volume Control";
const char kAvcProgress[] = "Automatic Volume Control...";
const char kSaveDialog[] = "Save MP3 File As:";
const char kTagDialog[] = "Edit the ID3 tags for the MP3 file";
const char kExportProgress[] = "Export";
const char kExitPrompt[] = "Save changes?";

constexpr int kTextSize = 260;
constexpr int kAppear = 2000;
constexpr int kVanish = 600000;
constexpr DWORD kPause = 1000;

const char kErrorPrompt[] =
    "Quillon is unable to complete the Audacity operations for this file.\n"
    "Press OK to continue AFTER you manually complete the operations for this file or press "
    "Cancel to terminate Quillon execution.";

// WM_SETTEXT counts as done only when it answers exactly 1.
bool SetText(ControlWindow& control, HWND hWnd, const std::string& text)
{
    return control.SendToWindow(hWnd, WM_SETTEXT, kTextSize,
                                reinterpret_cast<LPARAM>(text.c_str())) == 1;
}

std::string GetText(ControlWindow& control, HWND hWnd)
{
    char sz[kTextSize] = "";
    control.SendToWindow(hWnd, WM_GETTEXT, kTextSize, reinterpret_cast<LPARAM>(sz));
    sz[kTextSize - 1] = '\0';
    return sz;
}

// The steps from the import to Audacity's exit. Returns false at the first
// failed step, after its failure line.
bool RunSteps(ControlWindow& control, const std::string& title, const std::string& quotedPath,
              const char* pszAlbum)
{
    // The result of the latest step that reports success as a boolean; the
    // failure lines print it.
    bool bRC = false;
    const char* t = title.c_str();

    LOG_LINE(kModule, kLogTrace, "Wait till import window disappears");
    if (!(bRC = control.WaitForTopToVanish(kImportWindow, kAppear, kVanish))) {
        LOG_LINE(kModule, kLogResult, "bRC = %d (import disappear)", bRC);
        return false;
    }
    LOG_LINE(kModule, kLogTrace, "Command: SelectAll");
    if (!(bRC = control.PostMessageToTop(t, WM_COMMAND, kCmdSelectAll, 0, 30000))) {
        LOG_LINE(kModule, kLogResult, "bRC = %d (select all)", bRC);
        return false;
    }
    LOG_LINE(kModule, kLogTrace, "Command: Effects/Automatic Volume Control");
    if (!(bRC = control.PostMessageToTop(t, WM_COMMAND, kCmdAutoVolumeControl, 0, 3000))) {
        LOG_LINE(kModule, kLogResult, "bRC = %d (AVC starting)", bRC);
        return false;
    }
    LOG_LINE(kModule, kLogTrace, "Push OK button");
    if (!(bRC = control.ClickChildButton(kAvcDialog, "OK", 60000))) {
        LOG_LINE(kModule, kLogResult, "bRC = %d (AVC OK button)", bRC);
        return false;
    }
    LOG_LINE(kModule, kLogTrace, "Wait until AVC progress box disappears");
    if (!(bRC = control.WaitForTopToVanish(kAvcProgress, kAppear, kVanish))) {
        LOG_LINE(kModule, kLogResult, "bRC = %d (AVC disappear)", bRC);
        return false;
    }
    LOG_LINE(kModule, kLogTrace, "Command: File/Export As MP3");
    if (!(bRC = control.PostMessageToTop(t, WM_COMMAND, kCmdExportMp3, 0, 3000))) {
        LOG_LINE(kModule, kLogResult, "bRC = %d (export as mp3)", bRC);
        return false;
    }
    LOG_LINE(kModule, kLogTrace, "Get child for filename");
    HWND hFileName = control.FindChild(kSaveDialog, kIdFileName, 15000);
    if (hFileName == nullptr) {
        LOG_LINE(kModule, kLogResult, "bRC = %d (save as mp3 filename)", bRC);
        return false;
    }
    CAutomationClock::Current().Sleep(kPause);
    LOG_LINE(kModule, kLogTrace, "Set filename text");
    if (!SetText(control, hFileName, quotedPath)) {
        LOG_LINE(kModule, kLogResult, "bRC = %d (set filename for write)", bRC);
        return false;
    }
    const std::string readBack = GetText(control, hFileName);
    if (readBack != quotedPath)
        LOG_LINE(kModule, kLogResult, "Save filename not set: %s", readBack.c_str());

    LOG_LINE(kModule, kLogTrace, "Push Save button");
    if (!(bRC = control.ClickChildButton(kSaveDialog, "&Save", 3000))) {
        LOG_LINE(kModule, kLogResult, "bRC = %d (save mp3 dialog)", bRC);
        return false;
    }
    LOG_LINE(kModule, kLogTrace, "Wait for save progress to completely vanish");
    CAutomationClock::Current().Sleep(kPause);
    LOG_LINE(kModule, kLogTrace, "See if replace dialog has appeared");
    if (!(bRC = control.WaitForTop(kSaveDialog, 2000))) {
        LOG_LINE(kModule, kLogResult, "bRC = %d (no replace dialog)", bRC);
        CUserPrompt::Current().Show("No replace dialog found!", MB_OK | MB_ICONWARNING);
        return false;
    }
    LOG_LINE(kModule, kLogTrace, "Push Yes button on replace dialog");
    if (!(bRC = control.ClickChildButton(kSaveDialog, "&Yes", 3000))) {
        LOG_LINE(kModule, kLogResult, "bRC = %d (save mp3 as Yes button)", bRC);
        return false;
    }
    CAutomationClock::Current().Sleep(kPause);

    if (pszAlbum != nullptr) {
        LOG_LINE(kModule, kLogTrace, "Get child for album name");
        HWND hAlbum = control.FindChild(kTagDialog, kIdAlbum, 3000);
        if (hAlbum == nullptr) {
            LOG_LINE(kModule, kLogResult, "bRC = %d (edit id3 tabs)", bRC);
            return false;
        }
        LOG_LINE(kModule, kLogTrace, "Set album name");
        if (!SetText(control, hAlbum, pszAlbum)) {
            LOG_LINE(kModule, kLogResult, "bRC = %d (set album text)", bRC);
            return false;
        }
    }
    LOG_LINE(kModule, kLogTrace, "Get child for comment field");
    HWND hComment = control.FindChild(kTagDialog, kIdComment, 3000);
    if (hComment == nullptr) {
        LOG_LINE(kModule, kLogResult, "bRC = %d (edit id3 tags)", bRC);
        return false;
    }
    LOG_LINE(kModule, kLogTrace, "Get old comment");
    const std::string oldComment = GetText(control, hComment);
    LOG_LINE(kModule, kLogTrace, "Set updated comment");
    if (!SetText(control, hComment, AppendUpdateMarker(oldComment))) {
        LOG_LINE(kModule, kLogResult, "bRC = %d (set comment text)", bRC);
        return false;
    }
    LOG_LINE(kModule, kLogTrace, "Push OK button");
    if (!(bRC = control.ClickChildButton(kTagDialog, "OK", 1000))) {
        LOG_LINE(kModule, kLogResult, "bRC = %d (edit tags ok button)", bRC);
        return false;
    }
    LOG_LINE(kModule, kLogTrace, "Wait for Export window to vanish");
    if (!(bRC = control.WaitForTopToVanish(kExportProgress, kAppear, kVanish))) {
        LOG_LINE(kModule, kLogResult, "bRC = %d (export)", bRC);
        return false;
    }
    LOG_LINE(kModule, kLogTrace, "Command: File/Exit");
    if (!(bRC = control.PostMessageToTop(t, WM_COMMAND, kCmdExit, 0, 3000))) {
        LOG_LINE(kModule, kLogResult, "bRC = %d (file/exit)", bRC);
        return false;
    }
    LOG_LINE(kModule, kLogTrace, "Push No button");
    if (!(bRC = control.ClickChildButton(kExitPrompt, "&No", 3000))) {
        LOG_LINE(kModule, kLogResult, "bRC = %d (No button)", bRC);
        return false;
    }
    return true;
}

}  // namespace

// GetFileTitleA refuses some names that the file system takes ("Song
// [Live].mp3" under Wine); the name after the last backslash (or slash)
// stands in for its answer then. At most 259 characters take part, as in
// every window title read.
std::string ProjectTitleOf(const char* pszPath)
{
    if (pszPath == nullptr)
        return std::string();
    char szTitle[kTextSize] = "";
    std::string title;
    if (GetFileTitleA(pszPath, szTitle, kTextSize) == 0) {
        szTitle[kTextSize - 1] = '\0';
        title = szTitle;
    } else {
        const std::string path = pszPath;
        const size_t nSlash = path.find_last_of("\\/");
        title = nSlash == std::string::npos ? path : path.substr(nSlash + 1);
        if (title.size() > kTextSize - 1)
            title.resize(kTextSize - 1);
    }
    const size_t n = title.size();
    if (n >= 4 && lstrcmpiA(title.c_str() + n - 4, ".mp3") == 0)
        title.resize(n - 4);
    return title;
}

bool ProcessFile(const char* pszAudacityPath, const char* pszPath, const char* pszAlbum)
{
    if (pszPath == nullptr)
        pszPath = "";
    ControlWindow control;
    LOG_LINE(kModule, kLogTrace, "Starting file %s", pszPath);
    const std::string title = ProjectTitleOf(pszPath);
    const std::string quotedPath = std::string("\"") + pszPath + "\"";

    // A program that does not start has already told the user.
    if (control.Launch(pszAudacityPath, quotedPath.c_str()) == -1)
        return false;
    control.SetMainTitle(title.c_str());
    // An empty title would match every window: nothing is posted then, and
    // the user finishes the file by hand in the editor that was started.
    if (!title.empty() && RunSteps(control, title, quotedPath, pszAlbum))
        return true;

    LOG_LINE(kModule, kLogResult, "ERROR in processing file");
    return CUserPrompt::Current().Show(kErrorPrompt, MB_OKCANCEL | MB_ICONWARNING) != IDCANCEL;
}
