#include "support/WindowFinder.h"

#include "support/TestSupport.h"

namespace testsupport {

std::string WindowText(HWND hWnd)
{
    char sz[1024] = "";
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof(sz), reinterpret_cast<LPARAM>(sz),
                        SMTO_ABORTIFHUNG, 10000, &result);
    sz[sizeof(sz) - 1] = '\0';
    return sz;
}

std::string WindowText(HWND hParent, int nID)
{
    HWND hControl = GetDlgItem(hParent, nID);
    return hControl != nullptr ? WindowText(hControl) : std::string();
}

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
    const std::string& title = *pSearch->pTitle;
    if (pSearch->match == TitleMatch::Exact ? text == title : text.compare(0, title.size(), title) == 0)
        pSearch->found.push_back(hWnd);
    return TRUE;
}

BOOL CALLBACK ChildProc(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<std::pair<const std::string*, HWND>*>(lParam);
    char sz[1024] = "";
    GetWindowTextA(hWnd, sz, sizeof(sz));
    if (std::string(sz).compare(0, pSearch->first->size(), *pSearch->first) != 0)
        return TRUE;
    pSearch->second = hWnd;
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

HWND FindChildByText(HWND hParent, const std::string& prefix)
{
    std::pair<const std::string*, HWND> search(&prefix, nullptr);
    EnumChildWindows(hParent, ChildProc, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

bool ClickButton(HWND hTop, const std::string& textPrefix)
{
    HWND hButton = FindChildByText(hTop, textPrefix);
    if (hButton == nullptr)
        return false;
    const WPARAM wParam = MAKEWPARAM(GetDlgCtrlID(hButton), BN_CLICKED);
    return PostMessageA(hTop, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(hButton)) != FALSE;
}

LRESULT SetControlText(HWND hControl, const std::string& text)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(hControl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_ABORTIFHUNG, 10000, &result))
        return 0;
    return static_cast<LRESULT>(result);
}

}  // namespace testsupport
