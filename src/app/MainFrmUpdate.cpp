// The main window's side of the update run: Update Selected Files.
#include "app/MainFrm.h"

#include "automation/BatchUpdateRun.h"
#include "automation/VolumeUpdateScript.h"
#include "framework/WinApp.h"

bool CMainFrame::ProcessFile(const char* pszPath, const char* pszAlbum)
{
    return ::ProcessFile(m_strAudacityPath.c_str(), pszPath, pszAlbum);
}

bool CMainFrame::UpdateSelectedFiles()
{
    return ::UpdateSelectedFiles(m_Grid, this, [this](const char* pszPath, const char* pszAlbum) {
        return ProcessFile(pszPath, pszAlbum);
    });
}

// A run that must stop closes the program the normal way, once this handler
// has returned, so that the settings are saved.
void CMainFrame::OnUpdateSelectedFiles()
{
    if (!UpdateSelectedFiles())
        PostMessage(WM_COMMAND, ID_APP_EXIT, 0);
}
