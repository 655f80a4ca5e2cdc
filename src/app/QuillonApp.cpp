#include "app/QuillonApp.h"

#include <shellapi.h>

#include <cstring>

#include "app/AboutDlg.h"
#include "app/MainFrm.h"
#include "app/RegistryKey.h"
#include "app/resource.h"
#include "log/DebugLog.h"

namespace {

const char kModule[] = "Quillon";

#ifdef _DEBUG
// A developer's check of the Audacity automation, in debug builds only: it
// starts a development build of Audacity on a test file, waits up to about
// five seconds for its window "seven" and sends it Select All. A release
// build never runs a program from these fixed paths and opens About at once.
void RunDeveloperAutomationCheck(CWinApp& app)
{
    HWND hOwner = app.m_pMainWnd != nullptr ? app.m_pMainWnd->m_hWnd : nullptr;
    ShellExecuteA(hOwner, nullptr, "D:\\cpp\\Audacity\\audacity\\audacity\\win\\Debug\\audacity.exe",
                  "C:\\temp\\seven.wav", "D:\\cpp\\Audacity\\audacity\\audacity\\win\\Debug", SW_SHOW);
    HWND hFound = nullptr;
    for (int nPass = 0; nPass < 10 && hFound == nullptr; ++nPass) {
        HWND hWnd = FindWindowA(nullptr, nullptr);
        while (hWnd != nullptr) {
            if (GetParent(hWnd) == nullptr) {
                char szText[260] = "";
                GetWindowTextA(hWnd, szText, sizeof(szText));
                if (strcmp(szText, "seven") == 0) {
                    hFound = hWnd;
                    break;
                }
            }
            HWND hNext = GetWindow(hWnd, GW_HWNDNEXT);
            if (hNext == hWnd)
                break;
            hWnd = hNext;
        }
        if (hFound == nullptr)
            Sleep(500);
    }
    if (hFound == nullptr)
        return;
    char szText[260] = "";
    GetWindowTextA(hFound, szText, sizeof(szText));
    app.DoMessageBox(szText, MB_OK);
    PostMessageA(hFound, WM_COMMAND, 1133, 0);
}
#endif

}  // namespace

BEGIN_MESSAGE_MAP(CQuillonApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CQuillonApp::CQuillonApp()
{
    SetSetting(m_szLogFile, "Quillon.log");
    SetSetting(m_szLogFlags, "*:!* *:3");
    SetSetting(m_szAudacityFilename, "D:\\cpp\\Audacity\\audacity\\audacity\\win\\Release\\audacity.exe");
    SetSetting(m_szDefaultDirectory, "C:\\Temp");
}

void CQuillonApp::SetSetting(char (&szField)[kSettingSize], const char* pszValue)
{
    // Plain C copy: the constructor runs before Win32 is set up.
    const size_t n = pszValue != nullptr ? strnlen(pszValue, kSettingSize - 1) : 0;
    if (n > 0)
        memcpy(szField, pszValue, n);
    szField[n] = '\0';
}

BOOL CQuillonApp::InitInstance()
{
    // The per-user profile store (the progress window's position).
    SetRegistryKey("Local AppWizard-Generated Applications");
    ExchangeSettings(false);

    // The log always opens with these names; LogFile and LogFlags are only
    // carried through the registry.
    m_hTraceLog = makeTraceLog("Quillon.log", "*.*");
    LOG_AT(kModule, 74, kLogTrace, 1, "OnCreate::InitLogFile");

    CMainFrame* pFrame = new CMainFrame;
    m_pMainWnd = pFrame;
    if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr)) {
        // A frame whose creation failed has deleted itself; end the program
        // through the normal exit so that the settings are still stored.
        m_pMainWnd = nullptr;
        return FALSE;
    }
    pFrame->ShowWindow(SW_SHOW);
    pFrame->UpdateWindow();
    return TRUE;
}

int CQuillonApp::ExitInstance()
{
    ExchangeSettings(true);
    return CWinApp::ExitInstance();
}

void CQuillonApp::ExchangeSettings(bool bSave)
{
    CRegistryKey key;
    if (key.SetKey(HKEY_LOCAL_MACHINE, "Tarnvale", "Quillon", nullptr) != 0)
        return;
    key.Exchange(bSave, "LogFile", m_szLogFile, kSettingSize, nullptr);
    key.Exchange(bSave, "LogFlags", m_szLogFlags, kSettingSize, nullptr);
    key.Exchange(bSave, "AudacityFilename", m_szAudacityFilename, kSettingSize, nullptr);
    key.Exchange(bSave, "DefaultDirectory", m_szDefaultDirectory, kSettingSize, nullptr);
}

void CQuillonApp::OnAppAbout()
{
#ifdef _DEBUG
    RunDeveloperAutomationCheck(*this);
#endif
    CAboutDlg dlg;
    dlg.DoModal();
}
