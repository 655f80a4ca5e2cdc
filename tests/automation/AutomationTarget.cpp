// A small GUI program that the automation tests start as a real second
// process. Its command line is the title of its one top-level window, which
// holds an edit control and an "OK" button. It notes its own path in the
// file named by AUTOMATION_TARGET_LOG (when set), creates its window only
// after a short delay (so that a caller that did not wait for it to become
// idle would not find it yet), shows "clicked" in the edit control when OK
// is clicked, and ends when its window is closed.
#include <windows.h>

#include <cstring>

#include "AutomationTargetIds.h"

namespace {

LRESULT CALLBACK TargetProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kTargetOkId && HIWORD(wParam) == BN_CLICKED) {
            SetDlgItemTextA(hWnd, kTargetEditId, kTargetClickedText);
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

void NoteStart()
{
    char szLog[MAX_PATH] = "";
    const DWORD n = GetEnvironmentVariableA(kTargetLogVariable, szLog, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return;
    char szLine[MAX_PATH + 2] = "";
    const DWORD nSelf = GetModuleFileNameA(nullptr, szLine, MAX_PATH);
    if (nSelf == 0 || nSelf >= MAX_PATH)
        return;
    strcpy(szLine + nSelf, "\n");
    HANDLE h = CreateFileA(szLog, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    DWORD dw = 0;
    WriteFile(h, szLine, nSelf + 1, &dw, nullptr);
    CloseHandle(h);
}

HMENU ControlId(int nId)
{
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId));
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR pszCmdLine, int)
{
    NoteStart();
    Sleep(kTargetStartDelayMs);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "QuillonAutomationTarget";
    RegisterClassA(&wc);

    const char* pszTitle =
        pszCmdLine != nullptr && *pszCmdLine != '\0' ? pszCmdLine : "Automation Target";
    HWND hWnd = CreateWindowExA(0, wc.lpszClassName, pszTitle, WS_OVERLAPPEDWINDOW, 40, 40, 320,
                                160, nullptr, nullptr, hInstance, nullptr);
    CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "initial", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10,
                    10, 280, 24, hWnd, ControlId(kTargetEditId), hInstance, nullptr);
    CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 50, 80, 26, hWnd,
                    ControlId(kTargetOkId), hInstance, nullptr);
    ShowWindow(hWnd, SW_SHOWNOACTIVATE);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
