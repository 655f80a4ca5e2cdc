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

// The first window that passes the finder's filters and matches its title.
struct MainSearch {
    explicit MainSearch(const char* pszTitle) : finder(pszTitle) {}
    FindApp finder;
    HWND hWnd = nullptr;
};

BOOL CALLBACK MainSearchProc(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<MainSearch*>(lParam);
    int nIndex = -1;
    if (!pSearch->finder.Matches(hWnd, &nIndex))
        return TRUE;
    pSearch->hWnd = hWnd;
    return FALSE;
}

}  // namespace

ControlWindow::ControlWindow()
    : m_nWait(250), m_app(nullptr), m_hProcess(nullptr), m_dwProcessId(0), m_hWndMain(nullptr)
{
}

int ControlWindow::Launch(const char* pszProgram, const char* pszArguments)
{
    const int nResult = m_app.StartApp(pszProgram, pszArguments);
    m_hProcess = m_app.m_pi.hProcess;
    m_dwProcessId = m_app.m_pi.dwProcessId;
    return nResult;
}

void ControlWindow::SetMainTitle(const char* pszTitle)
{
    m_strMainTitle = Text(pszTitle);
    m_hWndMain = nullptr;
}

// The started program's main window: its first window, in Z-order, that no
// other window owns and whose title begins with the main title. Its dialogs
// and progress windows are owned by it, so a project named "Import" still
// tells its main window from its window "Import". Kept once seen.
HWND ControlWindow::MainWindow()
{
    if (m_strMainTitle.empty())
        return nullptr;
    if (m_hWndMain != nullptr && IsWindow(m_hWndMain))
        return m_hWndMain;
    MainSearch search(m_strMainTitle.c_str());
    search.finder.m_dwProcessId = m_dwProcessId;
    search.finder.m_bUnownedOnly = true;
    EnumWindows(MainSearchProc, reinterpret_cast<LPARAM>(&search));
    m_hWndMain = search.hWnd;
    return m_hWndMain;
}

// Once a program was started only its windows count, and a lookup by any
// title but the main window's passes over the main window: a project titled
// "Imported Hits" is not the window "Import", and another program's window
// that happens to share a title is never driven.
void ControlWindow::SetFilters(FindApp& finder, const char* pszTitle)
{
    finder.m_dwProcessId = m_dwProcessId;
    const bool bMainLookup = !m_strMainTitle.empty() && m_strMainTitle == Text(pszTitle);
    finder.m_hWndExcluded = bMainLookup ? nullptr : MainWindow();
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
    std::int64_t nRemaining = nTimeout;
    return FindTopCharged(pszTitle, nTimeout, &nRemaining);
}

// FindTop that leaves what is left of the time-out in *pnRemaining.
HWND ControlWindow::FindTopCharged(const char* pszTitle, int nTimeout, std::int64_t* pnRemaining)
{
    FindApp finder(pszTitle);
    std::int64_t& nRemaining = *pnRemaining;
    for (;;) {
        SetFilters(finder, pszTitle);
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

// A window may show its title before its controls exist: the control is
// polled for with what the lookup of the window left of the time-out,
// charged the same way. A window without the control is not logged.
HWND ControlWindow::FindChild(const char* pszTitle, int nCtrlId, int nTimeout)
{
    std::int64_t nRemaining = nTimeout;
    HWND hWndTop = FindTopCharged(pszTitle, nTimeout, &nRemaining);
    if (hWndTop == nullptr) {
        LOG_LINE("ControlWindow", kLogTrace, "FindChild failed: %s", Text(pszTitle));
        return nullptr;
    }
    for (;;) {
        if (HWND hWndChild = GetDlgItem(hWndTop, nCtrlId))
            return hWndChild;
        nRemaining -= m_nWait;
        if (nRemaining < 0 || !IsWindow(hWndTop))
            return nullptr;
        SleepTicks(static_cast<DWORD>(m_nWait));
    }
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
// up leaves no time for the child. Between child searches a plain pause,
// after which the button is looked for in the window that now answers to the
// title: a question may have come up over the dialog found first, with the
// same title and the button asked for. Only push buttons count, so an edit
// field holding "OK Computer" is never taken for "OK". The click is a posted
// WM_COMMAND to the top window, as a dialog receives it from one of its
// buttons; the button text is compared as written on the control, mnemonic
// ampersand included.
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
        hWndChild = finder.FindChildByText(hWndTop, pszButtonText, &nCtrlId, true);
        if (hWndChild != nullptr)
            break;
        clock.Sleep(static_cast<DWORD>(m_nWait));
        SetFilters(finder, pszTitle);
        if (HWND hWndNow = finder.GetWindowHandle())
            hWndTop = hWndNow;
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
