// The clock of the window automation: its pauses, its tick counter and its
// waits for another program to become idle. The default calls Sleep,
// GetTickCount and WaitForInputIdle; a test installs a clock of its own.
#pragma once

#include <windows.h>

class CAutomationClock {
public:
    CAutomationClock() = default;
    virtual ~CAutomationClock() = default;
    CAutomationClock(const CAutomationClock&) = delete;
    CAutomationClock& operator=(const CAutomationClock&) = delete;

    virtual void Sleep(DWORD dwMilliseconds);
    virtual DWORD GetTickCount();
    virtual DWORD WaitForInputIdle(HANDLE hProcess, DWORD dwMilliseconds);

    // The clock in use: the installed one, else the default.
    static CAutomationClock& Current();
    // Installs a clock (null: the default again); returns the one it replaces
    // (null when that was the default).
    static CAutomationClock* Install(CAutomationClock* pClock);
};

// Installs a clock for the lifetime of the object and restores the previous
// one afterwards.
class CAutomationClockScope {
public:
    explicit CAutomationClockScope(CAutomationClock* pClock)
        : m_pPrevious(CAutomationClock::Install(pClock))
    {
    }
    ~CAutomationClockScope() { CAutomationClock::Install(m_pPrevious); }
    CAutomationClockScope(const CAutomationClockScope&) = delete;
    CAutomationClockScope& operator=(const CAutomationClockScope&) = delete;

private:
    CAutomationClock* m_pPrevious;
};
