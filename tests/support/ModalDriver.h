// Drives the modal loops of this thread from inside: a thread timer runs a
// step every few milliseconds in whatever loop dispatches the thread's
// messages (a dialog's, a menu's, drag and drop's) until the step says it is
// done. Once the time-out has passed, every dialog of the thread is
// cancelled and any menu closed, so that no test hangs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace testsupport {

class ModalDriver {
public:
    // Runs step() until it returns true.
    explicit ModalDriver(std::function<bool()> step, DWORD dwTimeoutMs = 10000);
    // Runs the action once, with the first visible dialog of this thread,
    // as soon as one shows. The action ends the dialog (a click on OK, say).
    explicit ModalDriver(std::function<void(HWND hDlg)> action, DWORD dwTimeoutMs = 10000);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // Whether the step said it was done (the action ran), and whether the
    // time-out had to end what was open.
    bool Ran() const { return m_bDone; }
    bool TimedOut() const { return m_bTimedOut; }

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
    void OnTimer();

    std::function<bool()> m_step;
    DWORD m_dwTimeoutMs;
    DWORD m_dwStart;
    UINT_PTR m_nTimer = 0;
    bool m_bDone = false;
    bool m_bInStep = false;
    bool m_bTimedOut = false;
};

// Clicks a button of a dialog as the user would (BN_CLICKED to the dialog);
// a disabled button does nothing, as with the mouse.
void ClickButton(HWND hDlg, int nID);
// The visible dialog of this thread with the caption (any caption when
// empty), or null.
HWND FindThreadDialog(const std::string& caption = "");

}  // namespace testsupport
