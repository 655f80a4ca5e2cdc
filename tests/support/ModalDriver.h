// Drives a modal dialog of this thread from inside its own message loop: once
// the dialog is up, a thread timer runs the test's action with the dialog's
// window. The action ends the dialog (for example with a click on OK); if it
// does not, the dialog is cancelled after a time-out so that no test hangs.
#pragma once

#include <windows.h>

#include <functional>

namespace testsupport {

class ModalDriver {
public:
    explicit ModalDriver(std::function<void(HWND hDlg)> action, DWORD dwTimeoutMs = 10000);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // Whether the action ran, and whether the time-out had to cancel.
    bool Ran() const { return m_bRan; }
    bool TimedOut() const { return m_bTimedOut; }

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
    void OnTimer();

    std::function<void(HWND)> m_action;
    DWORD m_dwTimeoutMs;
    DWORD m_dwStart;
    UINT_PTR m_nTimer = 0;
    bool m_bRan = false;
    bool m_bTimedOut = false;
};

// Clicks a button of a dialog as the user would (BN_CLICKED to the dialog);
// a disabled button does nothing, as with the mouse.
void ClickButton(HWND hDlg, int nID);

}  // namespace testsupport
