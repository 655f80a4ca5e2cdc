#include "automation/AutomationClock.h"

namespace {

// Null while the default clock is in use. A plain pointer: no constructor
// runs before Wine has set up the process.
CAutomationClock* g_pInstalledClock = nullptr;

}  // namespace

void CAutomationClock::Sleep(DWORD dwMilliseconds)
{
    ::Sleep(dwMilliseconds);
}

DWORD CAutomationClock::GetTickCount()
{
    return ::GetTickCount();
}

DWORD CAutomationClock::WaitForInputIdle(HANDLE hProcess, DWORD dwMilliseconds)
{
    return ::WaitForInputIdle(hProcess, dwMilliseconds);
}

CAutomationClock& CAutomationClock::Current()
{
    static CAutomationClock s_default;
    return g_pInstalledClock != nullptr ? *g_pInstalledClock : s_default;
}

CAutomationClock* CAutomationClock::Install(CAutomationClock* pClock)
{
    CAutomationClock* pPrevious = g_pInstalledClock;
    g_pInstalledClock = pClock;
    return pPrevious;
}
