// The main window of Quillon: menu, toolbar, status bar and the client view
// that holds the file grid. Every user command arrives here.
#pragma once

#include <windows.h>

#include <string>

#include "app/GridHostView.h"
#include "framework/CmdUI.h"
#include "framework/FrameWnd.h"
#include "framework/StatusBar.h"
#include "framework/ToolBar.h"
#include "grid/GridCtrl.h"

class CMainFrame : public CFrameWnd {
public:
    CMainFrame();
    ~CMainFrame() override;

    // Commands go to the view first, then the frame and the application.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CGridHostView m_wndView;
    // The file list, a child of the view.
    CGridCtrl m_Grid{0, 0, 0, 0};
    // The Audacity program that an update starts (a copy of the setting).
    std::string m_strAudacityPath;
    // The folder of the file list (a copy of the setting).
    std::string m_strDirectory;
    BYTE m_bSortAscending = 1;

    // Sets the grid up as the empty file list (once, while the window is
    // created).
    void InitGrid();
    // Fills the file list from the folder tree: every MP3 file, or only
    // those whose comment does not carry the update marker.
    void ScanFolder(const char* pszFolder, bool bOnlyNonAvc);
    // Makes a chosen folder the current one and loads the list from it.
    void LoadFolder(const std::string& folder, bool bOnlyNonAvc);

    // Runs one file through Audacity (the configured program); pszAlbum is
    // the new album or null. False stops the update run. Virtual so that a
    // frame can be run without the editor.
    virtual bool ProcessFile(const char* pszPath, const char* pszAlbum);
    // Runs every selected row of the list through ProcessFile; false means
    // the program must close.
    bool UpdateSelectedFiles();

protected:
    int OnCreate(LPCREATESTRUCTA lpcs);
    void OnSetFocus(HWND hOldWnd);
    void OnSize(UINT nType, int cx, int cy);
    void OnLoadAll();
    void OnLoadNonAvc();
    void OnSelectAll();
    void OnUpdateSelectedFiles();
    void OnChangeAlbum();
    void OnFindAudacity();
    // The commands that start or change work are disabled while another
    // command runs (an update run, a dialog): none of them runs inside it.
    void OnUpdateWorkCommand(CCmdUI* pCmdUI);
    void LoadFileList(bool bOnlyNonAvc);

    DECLARE_MESSAGE_MAP()
};
