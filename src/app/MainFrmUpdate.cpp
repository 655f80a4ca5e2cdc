// The main window's side of the update run: Update Selected Files.
#include "app/MainFrm.h"

#include "app/StatusTexts.h"
#include "automation/BatchUpdateRun.h"
#include "automation/VolumeUpdateScript.h"
#include "framework/WinApp.h"

bool CMainFrame::ProcessFile(const char* pszPath, const char* pszAlbum)
{
    return ::ProcessFile(m_strAudacityPath.c_str(), pszPath, pszAlbum);
}

bool CMainFrame::UpdateSelectedFiles()
{
    BatchRunReport report;
    const auto processFile = [this](const char* pszPath, const char* pszAlbum) {
        return ProcessFile(pszPath, pszAlbum);
    };
    const bool bGoOn = ::UpdateSelectedFiles(m_Grid, this, processFile, &report,
                                             [this] { return IsCloseRequested(); });
    if (bGoOn && report.nSelected > 0)
        SetMessageText(UpdateRunStatusText(report).c_str());
    return bGoOn;
}

// A run that must stop closes the program the normal way, once this handler
// has returned, so that the settings are saved. A close request during the
// run ends it after the file in progress; the frame then closes as well.
void CMainFrame::OnUpdateSelectedFiles()
{
    if (!UpdateSelectedFiles())
        PostMessage(WM_COMMAND, ID_APP_EXIT, 0);
}
