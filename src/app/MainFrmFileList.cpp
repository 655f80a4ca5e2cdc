// The main window's file-list commands: the grid's set-up, Load (all files or
// only those not yet updated), Select All and Change Album.
#include "app/MainFrm.h"

#include "app/QuillonApp.h"
#include "app/StatusTexts.h"
#include "catalog/ChangeAlbum.h"
#include "catalog/FileListGrid.h"
#include "catalog/FolderScan.h"
#include "ui/BrowseTreeDialog.h"

// Called at the end of WM_CREATE, once the view exists.
void CMainFrame::InitGrid()
{
    InitFileListGrid(m_Grid, m_wndView.m_hWnd, m_bSortAscending);
}

void CMainFrame::ScanFolder(const char* pszFolder, bool bOnlyNonAvc)
{
    CFolderScan scan(m_Grid, m_bSortAscending);
    scan.ScanFolder(pszFolder, bOnlyNonAvc);
}

void CMainFrame::OnLoadAll()
{
    LoadFileList(false);
}

void CMainFrame::OnLoadNonAvc()
{
    LoadFileList(true);
}

// The folder picker starts on the current folder; Cancel keeps the list and
// the folder as they are.
void CMainFrame::LoadFileList(bool bOnlyNonAvc)
{
    CBrowseTreeDialog dlg(this);
    dlg.SetPath(m_strDirectory.c_str());
    if (dlg.DoModal() != IDOK)
        return;
    LoadFolder(dlg.GetPath(), bOnlyNonAvc);
}

// The folder becomes the current one and, when it fits the setting (259
// characters), the one stored at exit; a longer path serves this run only
// and the stored setting keeps its previous value rather than a cut path.
// The list is emptied from the last row up, the header row staying.
void CMainFrame::LoadFolder(const std::string& folder, bool bOnlyNonAvc)
{
    m_strDirectory = folder;
    CQuillonApp* pApp = QuillonApp();
    if (pApp != nullptr && m_strDirectory.size() < sizeof(pApp->m_szDefaultDirectory))
        CQuillonApp::SetSetting(pApp->m_szDefaultDirectory, m_strDirectory.c_str());

    for (int nRow = m_Grid.GetRowCount() - 1; nRow >= 1; --nRow)
        m_Grid.DeleteRow(nRow);
    ScanFolder(m_strDirectory.c_str(), bOnlyNonAvc);

    // The status bar tells how long the list is and how many rows need a look.
    int nWithMessages = 0;
    for (int nRow = 1; nRow < m_Grid.GetRowCount(); ++nRow) {
        if (!m_Grid.GetItemText(nRow, kColMessage).empty())
            ++nWithMessages;
    }
    SetMessageText(FileListStatusText(m_Grid.GetRowCount() - 1, nWithMessages).c_str());
}

void CMainFrame::OnSelectAll()
{
    m_Grid.SelectAll();
}

// Only the list changes; a file gets its new album at its next update.
void CMainFrame::OnChangeAlbum()
{
    ChangeAlbumToFolderName(m_Grid);
}
