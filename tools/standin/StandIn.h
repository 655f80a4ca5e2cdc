// The stand-in editor: one main window titled after the project, the
// dialogs and progress windows of the export road, each step appended to
// the transcript, faults injected as the run options say. It is as awkward
// to drive as the editor itself: windows come up after the command that
// opens them has returned, show their title before their controls, and
// keep the windows below them disabled while they are up.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "mp3/Mp3TagFile.h"
#include "standin/RunOptions.h"

namespace standin {

// The project title of a file: its name without a final ".mp3" (any case).
std::string ProjectTitle(const std::string& path);

// Appends one line to the transcript file (nothing for an empty path).
void AppendLine(const std::string& transcriptPath, const std::string& line);

// The decoy: another program with one topmost window of the title, which
// notes each command it receives ("decoy command <id>") in the transcript
// and ends with the process dwParentId. Returns the exit code.
int RunDecoy(HINSTANCE hInstance, DWORD dwParentId, const std::string& title,
             const std::string& transcriptPath);

class CStandIn {
public:
    CStandIn(HINSTANCE hInstance, const std::string& path, const RunOptions& options,
             const std::string& transcriptPath);
    ~CStandIn();
    CStandIn(const CStandIn&) = delete;
    CStandIn& operator=(const CStandIn&) = delete;

    // Reads the file's tags and brings up the main and import windows.
    // False (with the reason) when the file cannot be read.
    bool Start(std::string* pError);
    // The message loop; returns the exit code.
    int Run();
    // Appends one line to the transcript and to the main window's list.
    void Record(const std::string& line);

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK EditProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    static void CALLBACK TimerProc(HWND hWnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime);

    LRESULT OnMessage(Win win, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    void OnMenuCommand(int nId);
    void OnButton(Win win, int nId);
    void OnSave();
    void OnTagsOk();
    void OnDestroyed(Win win);

    // Runs fn once, ms milliseconds from now, on this thread.
    void After(unsigned nMs, std::function<void()> fn);
    // The window is due once the current message has been handled.
    void Open(Win win);
    // A window is due: exits, skips, delays or creates it as the faults say.
    void Due(Win win);
    // Creates the window with its title, disabling the windows below it;
    // its controls follow after the controls delay (Complete).
    void Create(Win win, bool bTopmost = false);
    void Complete(Win win);
    // Enables the windows below it again, then destroys it.
    void Close(Win win);
    // The main window is enabled when no other window of ours is up (but
    // the one closing) and no fault holds it.
    void RefreshMain(Win closing);
    // Polls until another stand-in shows a window of the window's title.
    void ShowWhenAnotherShows(Win win);
    void StartDecoy(Win win);
    std::string WindowTitle(Win win) const;
    HWND AddControl(Win win, const char* pszClass, const char* pszText, DWORD dwStyle, int nId,
                    int x, int y, int cx, int cy);
    void AddButtons(Win win, const std::initializer_list<std::pair<int, const char*>>& buttons);
    std::string ControlText(Win win, int nId, const std::string& fallback) const;
    void LayoutMain();
    void ShowFileInfo();

    HINSTANCE m_hInstance;
    std::string m_path;     // the file opened at start
    std::string m_target;   // the file named in the save dialog
    std::string m_project;  // project title
    RunOptions m_options;
    std::string m_transcriptPath;
    mp3::Mp3Tags m_tags;  // the project's tags: as read at start, then as exported
    HWND m_hWnd[static_cast<int>(Win::Count)] = {};
    bool m_bMainHeld = false;  // a fault keeps the main window disabled
    std::vector<PROCESS_INFORMATION> m_decoys;
    HWND m_hInfo = nullptr;  // main window: file and tags
    HWND m_hList = nullptr;  // main window: the steps so far
    HFONT m_hFont = nullptr;
    std::map<UINT_PTR, std::function<void()>> m_timers;
    struct Edit {
        bool bReadOnly;  // the readonly fault
        bool bAltered;   // the altered fault
        std::string name;     // "<window> <control id>"
        WNDPROC pfnOriginal;
    };
    std::map<HWND, Edit> m_edits;
};

}  // namespace standin
