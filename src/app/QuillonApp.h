// The application object: start-up, the four settings and their storage in
// HKEY_LOCAL_MACHINE\SOFTWARE\Tarnvale\Quillon, the debug log and exit.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/WinApp.h"

// Capacity of each setting field: at most 259 characters plus the terminator.
constexpr DWORD kSettingSize = 260;

class CQuillonApp : public CWinApp {
public:
    CQuillonApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // false loads the four settings from the registry into the fields, true
    // stores the fields.
    void ExchangeSettings(bool bSave);

    // Copies a new value into a setting field, cut to 259 characters.
    static void SetSetting(char (&szField)[kSettingSize], const char* pszValue);

    char m_szLogFile[kSettingSize];
    char m_szLogFlags[kSettingSize];
    char m_szAudacityFilename[kSettingSize];
    char m_szDefaultDirectory[kSettingSize];
    std::uint32_t m_hTraceLog = 0;

protected:
    void OnAppAbout();

    DECLARE_MESSAGE_MAP()
};

// The current application object.
inline CQuillonApp* QuillonApp()
{
    return static_cast<CQuillonApp*>(AfxGetApp());
}
