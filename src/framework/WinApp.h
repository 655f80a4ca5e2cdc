// The application object: one global instance, start-up, the message loop
// with idle-time command-UI updates, exit, the per-user profile store and the
// message box captioned with the application's title.
#pragma once

#include <windows.h>

#include <string>

#include "framework/CmdTarget.h"
#include "framework/StandardIds.h"

class CWnd;

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;

    // Called by the entry point: instance handle and title (string 57344).
    void InitApplication(HINSTANCE hInstance);

    virtual BOOL InitInstance();
    // The message loop; returns the exit code from ExitInstance.
    virtual int Run();
    virtual int ExitInstance();
    // Idle work while the queue is empty; TRUE asks for more idle calls.
    virtual BOOL OnIdle(LONG lCount);
    // Offers a message to the window under it and its parents first.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // The title shown in captions and message boxes.
    const char* GetAppTitle() const { return m_strAppTitle.c_str(); }

    // Per-user profile store under
    // HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section>.
    void SetRegistryKey(const char* pszRegistryKey);
    UINT GetProfileInt(const char* pszSection, const char* pszEntry, int nDefault) const;
    BOOL WriteProfileInt(const char* pszSection, const char* pszEntry, int nValue) const;
    const char* GetRegistryKeyName() const { return m_strRegistryKey.c_str(); }
    const char* GetProfileName() const { return m_strProfileName.c_str(); }

    // A message box owned by the main window, captioned with the title.
    virtual int DoMessageBox(const char* pszText, UINT nType);

    // The exit code that Run returns when the loop ends.
    int m_nExitCode = 0;

protected:
    void OnAppExit();

    std::string m_strAppTitle;
    std::string m_strRegistryKey;
    std::string m_strProfileName;

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
CWnd* AfxGetMainWnd();
int AfxMessageBox(const char* pszText, UINT nType = MB_OK);
// Loads a string resource of the program into a std::string ("" if absent).
std::string AfxLoadString(UINT nID);
// The body of WinMain: application start-up, loop and exit.
int AfxWinMain(HINSTANCE hInstance);
