// Steering another program's windows: polling for a top-level window by the
// beginning of its title, waiting for the started program to become idle,
// and posting or sending it one message. Failures are logged and reported by
// the result; the caller decides what they mean. Once a program was started,
// only its own windows are looked at.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "automation/FindApp.h"

class ControlWindow {
public:
    ControlWindow();
    // Closes the handles of the started program (through m_app); the program
    // keeps running.
    virtual ~ControlWindow() = default;
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

    // Starts the program; 0 when started, -1 when not. From then on every
    // lookup sees only the windows of that process.
    int Launch(const char* pszProgram, const char* pszArguments);
    // Names the beginning of the started program's main window title:
    // lookups by any other title never take that window.
    void SetMainTitle(const char* pszTitle);
    // The enabled top-level window whose title begins with pszTitle, polled
    // for up to nTimeout ms; null when none showed up.
    HWND FindTop(const char* pszTitle, int nTimeout);
    // The control nCtrlId of the top window, polled for within the same
    // time-out; null when either is missing.
    HWND FindChild(const char* pszTitle, int nCtrlId, int nTimeout);
    // Posts the message to the top window.
    bool PostMessageToTop(const char* pszTitle, UINT nMsg, WPARAM wParam, LPARAM lParam,
                          int nTimeout);
    // Clicks the first push button of the top window whose text begins with
    // pszButtonText, by posting WM_COMMAND/BN_CLICKED to the top window.
    bool ClickChildButton(const char* pszTitle, const char* pszButtonText, int nTimeout);
    // Whether the top window shows up in time.
    bool WaitForTop(const char* pszTitle, int nTimeout);
    // Whether the top window is gone (or never showed up) in time.
    bool WaitForTopToVanish(const char* pszTitle, int nAppearTimeout, int nVanishTimeout);
    // Sends the message to the window once the started program is idle and
    // returns the window's answer.
    LRESULT SendToWindow(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    // The time-out of every idle wait: none.
    static constexpr DWORD s_dwIdleTimeout = INFINITE;

    int m_nWait;            // poll step and charge per failed lookup, ms
    FindApp m_app;          // starts the program and owns its handles
    HANDLE m_hProcess;      // the started program (not owned); null before
    DWORD m_dwProcessId;    // its process id; 0 before (lookups see every process)
    std::string m_strMainTitle;  // beginning of its main window's title
    HWND m_hWndMain;        // that window, once seen

private:
    void WaitForIdle();
    HWND FindTopCharged(const char* pszTitle, int nTimeout, std::int64_t* pnRemaining);
    void SetFilters(FindApp& finder, const char* pszTitle);
    HWND MainWindow();
};
