#include "automation/ControlWindow.h"

#include <climits>
#include <cstdint>

#include "automation/AutomationClock.h"
#include "log/DebugLog.h"

namespace {

const char* Text(const char* psz)
{
    return psz != nullptr ? psz : "";
}

}  // namespace

ControlWindow::ControlWindow() : m_nWait(250), m_app(nullptr), m_hProcess(nullptr) {}

int ControlWindow::Launch(const char* pszProgram, const char* pszArguments)
{
    const int nResult = m_app.StartApp(pszProgram, pszArguments);
    m_hProcess = m_app.m_pi.hProcess;
    return nResult;
}

// Blocks until the started program waits for input; does nothing before a
// program was started. The wait's result does not matter.
void ControlWindow::WaitForIdle()
{
    if (m_hProcess != nullptr)
        CAutomationClock::Current().WaitForInputIdle(m_hProcess, s_dwIdleTimeout);
}

// The time-out is charged m_nWait per failed lookup rather than measured by
// the clock: a time-out of T makes at most T / m_nWait + 1 lookups, however
// long each lookup and pause really take.
HWND ControlWindow::FindTop(const char* pszTitle, int nTimeout)
{
    FindApp finder(pszTitle);
    std::int64_t nRemaining = nTimeout;
    for (;;) {
        if (HWND hWnd = finder.GetWindowHandle())
            return hWnd;
        nRemaining -= m_nWait;
        if (nRemaining < 0) {
            const int nNow = nRemaining < INT_MIN ? INT_MIN : static_cast<int>(nRemaining);
            LOG_LINE("ControlWindow", kLogTrace,
                     "FindTop failed, timeout: %s (orig=%d, wait=%d, now=%d)", Text(pszTitle),
                     nTimeout, m_nWait, nNow);
            return nullptr;
        }
        SleepTicks(static_cast<DWORD>(m_nWait));
    }
}

HWND ControlWindow::FindChild(const char* pszTitle, int nCtrlId, int nTimeout)
{
    HWND hWndTop = FindTop(pszTitle, nTimeout);
    if (hWndTop == nullptr) {
        LOG_LINE("ControlWindow", kLogTrace, "FindChild failed: %s", Text(pszTitle));
        return nullptr;
    }
    return GetDlgItem(hWndTop, nCtrlId);
}

// Waits for idleness even when the window was not found.
bool ControlWindow::PostMessageToTop(const char* pszTitle, UINT nMsg, WPARAM wParam,
                                     LPARAM lParam, int nTimeout)
{
    HWND hWndTop = FindTop(pszTitle, nTimeout);
    WaitForIdle();
    if (hWndTop == nullptr) {
        LOG_LINE("ControlWindow", kLogTrace, "PostMessageToTop failed: %s", Text(pszTitle));
        return false;
    }
    return ::PostMessageA(hWndTop, nMsg, wParam, lParam) != 0;
}

// The top window and its child share one budget measured by the tick
// counter from the start, so a top window that took the whole budget to show
// up leaves no time for the child. Between child searches a plain pause. The
// click is a posted WM_COMMAND to the top window, as a dialog receives it
// from one of its buttons; the button text is compared as written on the
// control, mnemonic ampersand included.
bool ControlWindow::ClickChildButton(const char* pszTitle, const char* pszButtonText,
                                     int nTimeout)
{
    CAutomationClock& clock = CAutomationClock::Current();
    const DWORD dwStart = clock.GetTickCount();
    HWND hWndTop = FindTop(pszTitle, nTimeout);
    if (hWndTop == nullptr) {
        LOG_LINE("ControlWindow", kLogTrace, "ClickChildButton failed finding top: %s",
                 Text(pszTitle));
        return false;
    }
    WaitForIdle();

    FindApp finder(pszTitle);
    HWND hWndChild = nullptr;
    int nCtrlId = 0;
    // A time-out of 0 or less leaves no time for a search.
    const DWORD dwBudget = nTimeout > 0 ? static_cast<DWORD>(nTimeout) : 0;
    while (clock.GetTickCount() - dwStart < dwBudget) {
        hWndChild = finder.FindChildByText(hWndTop, pszButtonText, &nCtrlId);
        if (hWndChild != nullptr)
            break;
        clock.Sleep(static_cast<DWORD>(m_nWait));
    }
    if (hWndChild == nullptr) {
        LOG_LINE("ControlWindow", kLogTrace, "ClickChildButton failed getting child: %s",
                 Text(pszButtonText));
        return false;
    }
    const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(nCtrlId), BN_CLICKED);
    return ::PostMessageA(hWndTop, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(hWndChild)) != 0;
}

bool ControlWindow::WaitForTop(const char* pszTitle, int nTimeout)
{
    HWND hWndTop = FindTop(pszTitle, nTimeout);
    WaitForIdle();
    return hWndTop != nullptr;
}

// A window that never shows up within the appear time-out counts as gone.
// Afterwards one lookup per poll step, charged against the vanish time-out
// like FindTop's; the lookup that finally misses writes FindTop's failure
// line.
bool ControlWindow::WaitForTopToVanish(const char* pszTitle, int nAppearTimeout,
                                       int nVanishTimeout)
{
    WaitForIdle();
    if (FindTop(pszTitle, nAppearTimeout) == nullptr)
        return true;
    std::int64_t nRemaining = nVanishTimeout;
    if (nRemaining < 0)
        return false;
    for (;;) {
        if (FindTop(pszTitle, 0) == nullptr)
            return true;
        nRemaining -= m_nWait;
        if (nRemaining < 0)
            return false;
        SleepTicks(static_cast<DWORD>(m_nWait));
    }
}

LRESULT ControlWindow::SendToWindow(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    WaitForIdle();
    return ::SendMessageA(hWnd, nMsg, wParam, lParam);
}
