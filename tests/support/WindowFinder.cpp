#include "support/WindowFinder.h"

#include "support/TestSupport.h"

namespace testsupport {

namespace {

struct TopSearch {
    DWORD dwPid;
    const std::string* pTitle;
    TitleMatch match;
    std::vector<HWND> found;
};

BOOL CALLBACK TopProc(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<TopSearch*>(lParam);
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    if (pSearch->dwPid != 0 && dwPid != pSearch->dwPid)
        return TRUE;
    char sz[1024] = "";
    GetWindowTextA(hWnd, sz, sizeof(sz));
    const std::string text(sz);
    const bool bMatch = pSearch->match == TitleMatch::Exact
                            ? text == *pSearch->pTitle
                            : text.compare(0, pSearch->pTitle->size(), *pSearch->pTitle) == 0;
    if (bMatch)
        pSearch->found.push_back(hWnd);
    return TRUE;
}

struct ChildSearch {
    const std::string* pPrefix;
    HWND hFound;
};

BOOL CALLBACK ChildProc(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<ChildSearch*>(lParam);
    char sz[1024] = "";
    GetWindowTextA(hWnd, sz, sizeof(sz));
    if (std::string(sz).compare(0, pSearch->pPrefix->size(), *pSearch->pPrefix) != 0)
        return TRUE;
    pSearch->hFound = hWnd;
    return FALSE;
}

}  // namespace

std::vector<HWND> TopWindows(DWORD dwPid, const std::string& title, TitleMatch match)
{
    TopSearch search = {dwPid, &title, match, {}};
    EnumWindows(TopProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopWindow(DWORD dwPid, const std::string& title, TitleMatch match)
{
    const std::vector<HWND> found = TopWindows(dwPid, title, match);
    return found.empty() ? nullptr : found.front();
}

HWND WaitForTopWindow(DWORD dwPid, const std::string& title, DWORD dwTimeoutMs, TitleMatch match)
{
    HWND hFound = nullptr;
    PumpUntil([&] { return (hFound = FindTopWindow(dwPid, title, match)) != nullptr; },
              dwTimeoutMs);
    return hFound;
}

bool WaitForNoTopWindow(DWORD dwPid, const std::string& title, DWORD dwTimeoutMs, TitleMatch match)
{
    return PumpUntil([&] { return FindTopWindow(dwPid, title, match) == nullptr; }, dwTimeoutMs);
}

HWND FindChildByText(HWND hParent, const std::string& prefix)
{
    ChildSearch search = {&prefix, nullptr};
    EnumChildWindows(hParent, ChildProc, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

bool ClickButton(HWND hTop, const std::string& textPrefix)
{
    HWND hButton = FindChildByText(hTop, textPrefix);
    if (hButton == nullptr)
        return false;
    const WPARAM wParam = MAKEWPARAM(GetDlgCtrlID(hButton), BN_CLICKED);
    return PostMessageA(hTop, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(hButton)) != FALSE;
}

std::string ControlText(HWND hControl)
{
    char sz[1024] = "";
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hControl, WM_GETTEXT, sizeof(sz), reinterpret_cast<LPARAM>(sz),
                        SMTO_ABORTIFHUNG, 5000, &result);
    sz[sizeof(sz) - 1] = '\0';
    return sz;
}

LRESULT SetControlText(HWND hControl, const std::string& text)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(hControl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_ABORTIFHUNG, 5000, &result))
        return 0;
    return static_cast<LRESULT>(result);
}

}  // namespace testsupport
