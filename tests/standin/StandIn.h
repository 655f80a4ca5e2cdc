// The stand-in editor: one main window titled after the project, the
// dialogs and progress windows of the export road, each step appended to
// the transcript, faults injected as the run options say.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "standin/Mp3TagFile.h"
#include "standin/RunOptions.h"

namespace standin {

// The project title of a file: its name without a final ".mp3" (any case).
std::string ProjectTitle(const std::string& path);

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
    static LRESULT CALLBACK FaultyEditProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    static void CALLBACK TimerProc(HWND hWnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime);

    LRESULT OnMessage(Win win, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    void OnMenuCommand(int nId);
    void OnButton(Win win, int nId);
    void OnSave();
    void OnTagsOk();
    void OnDestroyed(Win win);

    // Runs fn once, ms milliseconds from now, on this thread.
    void After(unsigned nMs, std::function<void()> fn);
    // A window is due: exits, skips, delays or creates it as the faults say.
    void Due(Win win);
    void Create(Win win);
    void Close(Win win);
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
    Mp3Tags m_tags;  // the project's tags: as read at start, then as exported
    HWND m_hWnd[static_cast<int>(Win::Count)] = {};
    HWND m_hInfo = nullptr;  // main window: file and tags
    HWND m_hList = nullptr;  // main window: the steps so far
    HFONT m_hFont = nullptr;
    std::map<UINT_PTR, std::function<void()>> m_timers;
    struct EditFault {
        FaultKind kind;
        std::string name;  // "<window> <control id>"
        WNDPROC pfnOriginal;
    };
    std::map<HWND, EditFault> m_editFaults;
};

}  // namespace standin
