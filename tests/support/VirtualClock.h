// A clock for the window automation that advances only when slept on, so
// that budgets of minutes run instantly and exactly. It records every pause
// and idle wait; a test can act on each pause (create, enable or destroy a
// window at a chosen virtual time). Installed for its lifetime.
// Include only in tests that link the automation library.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "automation/AutomationClock.h"

namespace testsupport {

class VirtualClock : public CAutomationClock {
public:
    struct IdleWait {
        HANDLE hProcess;
        DWORD dwMilliseconds;
    };

    explicit VirtualClock(DWORD dwStart = 0) : m_dwNow(dwStart), m_scope(this) {}

    // Advances by the pause (at most m_dwMaxStep), then calls m_onSleep.
    void Sleep(DWORD dwMilliseconds) override
    {
        m_sleeps.push_back(dwMilliseconds);
        m_dwNow += (std::min)(dwMilliseconds, m_dwMaxStep);
        if (m_onSleep)
            m_onSleep();
    }
    DWORD GetTickCount() override { return m_dwNow; }
    // Recorded; handed on to the real wait (bounded by m_dwRealIdleLimit)
    // when m_bRealIdleWaits is set, else answered at once.
    DWORD WaitForInputIdle(HANDLE hProcess, DWORD dwMilliseconds) override
    {
        m_idleWaits.push_back({hProcess, dwMilliseconds});
        if (!m_bRealIdleWaits)
            return 0;
        return ::WaitForInputIdle(hProcess, (std::min)(dwMilliseconds, m_dwRealIdleLimit));
    }

    DWORD Now() const { return m_dwNow; }

    std::vector<DWORD> m_sleeps;
    std::vector<IdleWait> m_idleWaits;
    std::function<void()> m_onSleep;
    DWORD m_dwMaxStep = 0xFFFFFFFF;
    bool m_bRealIdleWaits = false;
    DWORD m_dwRealIdleLimit = 10000;

private:
    DWORD m_dwNow;
    CAutomationClockScope m_scope;
};

}  // namespace testsupport
