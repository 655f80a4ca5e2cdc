#include "support/ModalDriver.h"

namespace testsupport {

namespace {

ModalDriver* g_pDriver = nullptr;

BOOL CALLBACK FindDialogProc(HWND hWnd, LPARAM lParam)
{
    char szClass[16] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (lstrcmpA(szClass, "#32770") == 0 && IsWindowVisible(hWnd)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The visible dialog window of this thread, or null.
HWND FindThreadDialog()
{
    HWND hFound = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialogProc, reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

}  // namespace

ModalDriver::ModalDriver(std::function<void(HWND)> action, DWORD dwTimeoutMs)
    : m_action(std::move(action)), m_dwTimeoutMs(dwTimeoutMs), m_dwStart(GetTickCount())
{
    g_pDriver = this;
    m_nTimer = SetTimer(nullptr, 0, 20, TimerProc);
}

ModalDriver::~ModalDriver()
{
    if (m_nTimer != 0)
        KillTimer(nullptr, m_nTimer);
    if (g_pDriver == this)
        g_pDriver = nullptr;
}

void CALLBACK ModalDriver::TimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pDriver != nullptr)
        g_pDriver->OnTimer();
}

void ModalDriver::OnTimer()
{
    HWND hDlg = FindThreadDialog();
    if (!m_bRan && hDlg != nullptr) {
        m_bRan = true;
        m_action(hDlg);
        return;
    }
    if (hDlg != nullptr && GetTickCount() - m_dwStart > m_dwTimeoutMs) {
        m_bTimedOut = true;
        PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
    }
}

void ClickButton(HWND hDlg, int nID)
{
    HWND hButton = GetDlgItem(hDlg, nID);
    if (hButton == nullptr || !IsWindowEnabled(hButton))
        return;
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));
}

}  // namespace testsupport
