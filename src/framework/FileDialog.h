// The system's file-open (or save) dialog, shown modally. The chosen path
// is held in a buffer of 260 characters.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

class CWnd;

class CFileDialog {
public:
    // lpszDefExt: extension added to a typed name without one; lpszFileName:
    // the initial file name (a full path also picks the starting folder);
    // lpszFilter: "Name|*.ext|...|" pairs, or null for none.
    CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr,
                const char* lpszFileName = nullptr, DWORD dwFlags = 0,
                const char* lpszFilter = nullptr, CWnd* pParentWnd = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK when a file was chosen, IDCANCEL when the dialog was closed
    // without one or could not be shown.
    INT_PTR DoModal();
    // The chosen full path.
    std::string GetPathName() const { return m_szFileName; }

    OPENFILENAMEA m_ofn;

private:
    BOOL m_bOpenFileDialog;
    std::string m_strDefExt;
    std::string m_strFilter;  // NUL-separated, as the dialog takes it
    char m_szFileName[MAX_PATH];
    CWnd* m_pParentWnd;
};
