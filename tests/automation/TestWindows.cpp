#include "support/GTestWin.h"

#include "TestWindows.h"

#include <utility>

namespace automationtest {

namespace {

constexpr const char* kClassName = "QuillonAutomationTestWnd";

// Registers the window class of the test windows; a panel is one too, with
// no object behind it.
void RegisterClasses(WNDPROC pfnTestWndProc)
{
    static bool s_bRegistered = false;
    if (s_bRegistered)
        return;
    WNDCLASSA wc = {};
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpfnWndProc = pfnTestWndProc;
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    s_bRegistered = true;
}

}  // namespace

std::string UniqueTitle(const std::string& suffix)
{
    return "qat" + std::to_string(GetCurrentProcessId()) + " " + suffix;
}

TestWindow::TestWindow(const std::string& title, bool bVisible)
{
    RegisterClasses(WndProc);
    m_hWnd = CreateWindowExA(0, kClassName, title.c_str(),
                             WS_OVERLAPPEDWINDOW | (bVisible ? WS_VISIBLE : 0), 100, 100, 300, 200,
                             nullptr, nullptr, GetModuleHandleA(nullptr), this);
}

TestWindow::~TestWindow()
{
    Destroy();
}

void TestWindow::Destroy()
{
    if (m_hWnd != nullptr && IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

void TestWindow::BringToTop()
{
    SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND TestWindow::AddChild(const char* pszClass, const char* pszText, int nId, HWND hWndParent)
{
    const std::string cls = pszClass;
    const bool bPanel = cls == "PANEL";
    return CreateWindowExA(0, bPanel ? kClassName : pszClass, pszText,
                           WS_CHILD | WS_VISIBLE | (bPanel ? WS_CLIPCHILDREN : 0), 5, 5, 200, 100,
                           hWndParent != nullptr ? hWndParent : m_hWnd,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)),
                           GetModuleHandleA(nullptr), nullptr);
}

LRESULT CALLBACK TestWindow::WndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_NCCREATE) {
        auto* pcs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pcs->lpCreateParams));
    }
    auto* pThis = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (pThis != nullptr) {
        if (nMsg == WM_GETTEXT)
            ++pThis->m_nTextReads;
        if (nMsg == WM_COMMAND || (pThis->m_nWatchedMsg != 0 && nMsg == pThis->m_nWatchedMsg))
            pThis->m_messages.push_back({nMsg, wParam, lParam});
        if (nMsg == WM_NCDESTROY)
            SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
    }
    return DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

}  // namespace automationtest
