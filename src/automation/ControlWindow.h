// Steering another program's windows: polling for a top-level window by the
// beginning of its title, waiting for the started program to become idle,
// and posting or sending it one message. Failures are logged and reported by
// the result; the caller decides what they mean.
#pragma once

#include <windows.h>

#include "automation/FindApp.h"

class ControlWindow {
public:
    ControlWindow();
    // Closes the handles of the started program (through m_app); the program
    // keeps running.
    virtual ~ControlWindow() = default;
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

    // Starts the program; 0 when started, -1 when not.
    int Launch(const char* pszProgram, const char* pszArguments);
    // The enabled top-level window whose title begins with pszTitle, polled
    // for up to nTimeout ms; null when none showed up.
    HWND FindTop(const char* pszTitle, int nTimeout);
    // The control nCtrlId of the top window; null when either is missing.
    HWND FindChild(const char* pszTitle, int nCtrlId, int nTimeout);
    // Posts the message to the top window.
    bool PostMessageToTop(const char* pszTitle, UINT nMsg, WPARAM wParam, LPARAM lParam,
                          int nTimeout);
    // Clicks the first control of the top window whose text begins with
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

private:
    void WaitForIdle();
};
