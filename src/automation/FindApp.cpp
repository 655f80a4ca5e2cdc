#include "automation/FindApp.h"

#include <cstring>

#include "automation/AutomationClock.h"
#include "automation/UserPrompt.h"
#include "log/DebugLog.h"

namespace {

// Window texts take part in a match with at most this many characters,
// terminator included.
constexpr int kTextBuffer = 260;

// Whether pszText begins with pszPrefix, byte by byte and case-sensitively.
bool BeginsWith(const char* pszText, const std::string& prefix)
{
    const size_t nText = strlen(pszText);
    return prefix.size() <= nText && memcmp(pszText, prefix.data(), prefix.size()) == 0;
}

// A control of the class "Button" that is not a check box, radio button or
// group box (those share the class).
bool IsPushButton(HWND hWnd)
{
    char szClass[16] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    szClass[sizeof(szClass) - 1] = '\0';
    if (lstrcmpiA(szClass, "Button") != 0)
        return false;
    switch (GetWindowLongA(hWnd, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_GROUPBOX: return false;
    default: return true;
    }
}

}  // namespace

FindApp::FindApp(const char* pszTitle)
{
    if (pszTitle != nullptr)
        AddTitle(pszTitle);
}

FindApp::~FindApp() = default;

int FindApp::AddTitle(const char* pszTitle)
{
    if (pszTitle == nullptr)
        return -1;
    m_titles.emplace_back(pszTitle);
    return static_cast<int>(m_titles.size()) - 1;
}

// Walks the titles from the last one down, so that of several matching
// titles the one added last is reported.
int FindApp::MatchTitle(const char* pszWindowText) const
{
    if (pszWindowText == nullptr)
        return -1;
    for (int i = static_cast<int>(m_titles.size()) - 1; i >= 0; --i) {
        if (BeginsWith(pszWindowText, m_titles[i]))
            return i;
    }
    return -1;
}

// Sees every top-level window, hidden ones included. Of all matching windows
// the lowest title index wins, and among equals the first enumerated (the
// highest in the Z-order). Only the winner is tested for being enabled: a
// disabled winner (a dialog under a modal child, say) means "not yet".
HWND FindApp::GetWindowHandle()
{
    m_hWndFound = nullptr;
    m_nBestIndex = -1;
    EnumWindows(EnumTopProc, reinterpret_cast<LPARAM>(this));
    if (m_hWndFound != nullptr && !IsWindowEnabled(m_hWndFound)) {
        m_hWndFound = nullptr;
        LOG_LINE("findapp", kLogDisabled, "GetWindowHandle failed, window disabled");
    }
    return m_hWndFound;
}

// The filters come before the title, so that windows of other processes are
// not even read.
bool FindApp::Matches(HWND hWnd, int* pnIndex) const
{
    *pnIndex = -1;
    if (hWnd == m_hWndExcluded)
        return false;
    if (m_dwProcessId != 0) {
        DWORD dwProcessId = 0;
        GetWindowThreadProcessId(hWnd, &dwProcessId);
        if (dwProcessId != m_dwProcessId)
            return false;
    }
    if (m_bUnownedOnly && GetWindow(hWnd, GW_OWNER) != nullptr)
        return false;
    char szText[kTextBuffer] = "";
    GetWindowTextA(hWnd, szText, kTextBuffer);
    szText[kTextBuffer - 1] = '\0';
    *pnIndex = MatchTitle(szText);
    return *pnIndex >= 0;
}

BOOL CALLBACK FindApp::EnumTopProc(HWND hWnd, LPARAM lParam)
{
    auto* pThis = reinterpret_cast<FindApp*>(lParam);
    int nIndex = -1;
    if (!pThis->Matches(hWnd, &nIndex))
        return TRUE;
    if (pThis->m_hWndFound != nullptr && nIndex >= pThis->m_nBestIndex)
        return TRUE;
    pThis->m_hWndFound = hWnd;
    pThis->m_nBestIndex = nIndex;
    return TRUE;
}

// Searches all descendants, children of children included, in the system's
// order and stops at the first whose text begins with the prefix; that may
// be a static label or an edit field as well as a button, unless only push
// buttons are asked for.
HWND FindApp::FindChildByText(HWND hWndParent, const char* pszText, int* pnCtrlId,
                              bool bPushButtonsOnly)
{
    m_hWndChild = nullptr;
    m_strChildText = pszText != nullptr ? pszText : "";
    m_bPushButtonsOnly = bPushButtonsOnly;
    EnumChildWindows(hWndParent, EnumChildProc, reinterpret_cast<LPARAM>(this));
    if (m_hWndChild != nullptr && pnCtrlId != nullptr)
        *pnCtrlId = GetDlgCtrlID(m_hWndChild);
    return m_hWndChild;
}

BOOL CALLBACK FindApp::EnumChildProc(HWND hWnd, LPARAM lParam)
{
    auto* pThis = reinterpret_cast<FindApp*>(lParam);
    if (pThis->m_bPushButtonsOnly && !IsPushButton(hWnd)) {
        pThis->m_hWndChild = nullptr;
        return TRUE;
    }
    char szText[kTextBuffer] = "";
    GetWindowTextA(hWnd, szText, kTextBuffer);
    szText[kTextBuffer - 1] = '\0';
    if (BeginsWith(szText, pThis->m_strChildText)) {
        pThis->m_hWndChild = hWnd;
        return FALSE;
    }
    pThis->m_hWndChild = nullptr;
    return TRUE;
}

// The program path goes into the command line in double quotes (unless the
// caller quoted it already): unquoted, a path with blanks such as
// "C:\Program Files\..." would make CreateProcessA try "C:\Program.exe" and
// the other shorter prefixes first, and a program planted there would run in
// its place. The argument string follows one blank later, exactly as given.
int FindApp::StartApp(const char* pszProgram, const char* pszArguments)
{
    const std::string program = pszProgram != nullptr ? pszProgram : "";
    std::string commandLine;
    if (program.size() >= 2 && program.front() == '"' && program.back() == '"')
        commandLine = program;
    else
        commandLine = "\"" + program + "\"";
    commandLine += ' ';
    if (pszArguments != nullptr)
        commandLine += pszArguments;

    m_pi.Reset();
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    // An empty path names no program: such a command line is not handed to
    // CreateProcessA at all.
    const BOOL bStarted =
        !program.empty() &&
        CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                       nullptr, nullptr, &si, &pi);
    if (!bStarted) {
        CUserPrompt::Current().Show("CreateProcess failed", MB_OK | MB_ICONWARNING);
        return -1;
    }
    m_pi.Reset(pi);
    // Its result does not matter: the caller's lookups poll anyway.
    CAutomationClock::Current().WaitForInputIdle(m_pi.hProcess, INFINITE);
    return 0;
}

// Loops because a pause may end early; the unsigned difference keeps the
// wrap-around of the tick counter harmless.
void SleepTicks(DWORD dwMilliseconds)
{
    CAutomationClock& clock = CAutomationClock::Current();
    if (dwMilliseconds == 0) {
        clock.Sleep(0);
        return;
    }
    const DWORD dwStart = clock.GetTickCount();
    for (;;) {
        const DWORD dwElapsed = clock.GetTickCount() - dwStart;
        if (dwElapsed >= dwMilliseconds)
            return;
        clock.Sleep(dwMilliseconds - dwElapsed);
    }
}
