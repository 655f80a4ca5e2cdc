#include "support/ModalDriver.h"

#include <utility>

#include "support/WindowFinder.h"

namespace testsupport {

namespace {

ModalDriver* g_pDriver = nullptr;

struct DialogSearch {
    const std::string* pCaption;
    HWND hFound;
};

BOOL CALLBACK FindDialogProc(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<DialogSearch*>(lParam);
    char szClass[16] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (lstrcmpA(szClass, "#32770") != 0 || !IsWindowVisible(hWnd) ||
        (!pSearch->pCaption->empty() && WindowText(hWnd) != *pSearch->pCaption))
        return TRUE;
    pSearch->hFound = hWnd;
    return FALSE;
}

}  // namespace

HWND FindThreadDialog(const std::string& caption)
{
    DialogSearch search = {&caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindDialogProc, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

ModalDriver::ModalDriver(std::function<bool()> step, DWORD dwTimeoutMs)
    : m_step(std::move(step)), m_dwTimeoutMs(dwTimeoutMs), m_dwStart(GetTickCount())
{
    g_pDriver = this;
    m_nTimer = SetTimer(nullptr, 0, 20, TimerProc);
}

ModalDriver::ModalDriver(std::function<void(HWND)> action, DWORD dwTimeoutMs)
    : ModalDriver(
          [action = std::move(action)] {
              HWND hDlg = FindThreadDialog();
              if (hDlg != nullptr)
                  action(hDlg);
              return hDlg != nullptr;
          },
          dwTimeoutMs)
{
}

ModalDriver::~ModalDriver()
{
    KillTimer(nullptr, m_nTimer);
    if (g_pDriver == this)
        g_pDriver = nullptr;
}

void CALLBACK ModalDriver::TimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pDriver != nullptr && !g_pDriver->m_bInStep)
        g_pDriver->OnTimer();
}

// Past the time-out an open dialog is cancelled; a step that never got done
// may be stuck in a menu, which is closed.
void ModalDriver::OnTimer()
{
    if (GetTickCount() - m_dwStart > m_dwTimeoutMs) {
        if (HWND hDlg = FindThreadDialog()) {
            m_bTimedOut = true;
            PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
        } else if (!m_bDone) {
            m_bTimedOut = true;
            EndMenu();
        }
        return;
    }
    if (m_bDone)
        return;
    m_bInStep = true;
    m_bDone = m_step();
    m_bInStep = false;
}

void ClickButton(HWND hDlg, int nID)
{
    HWND hButton = GetDlgItem(hDlg, nID);
    if (hButton == nullptr || !IsWindowEnabled(hButton))
        return;
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));
}

}  // namespace testsupport
