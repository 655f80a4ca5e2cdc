#include "automation/UserPrompt.h"

#include "framework/WinApp.h"

namespace {

CUserPrompt* g_pInstalledPrompt = nullptr;

}  // namespace

// The application's message box: owned by the main window and captioned
// with the application's title.
int CUserPrompt::Show(const char* pszText, UINT nType)
{
    return AfxMessageBox(pszText != nullptr ? pszText : "", nType);
}

CUserPrompt& CUserPrompt::Current()
{
    static CUserPrompt s_default;
    return g_pInstalledPrompt != nullptr ? *g_pInstalledPrompt : s_default;
}

CUserPrompt* CUserPrompt::Install(CUserPrompt* pPrompt)
{
    CUserPrompt* pPrevious = g_pInstalledPrompt;
    g_pInstalledPrompt = pPrompt;
    return pPrevious;
}
