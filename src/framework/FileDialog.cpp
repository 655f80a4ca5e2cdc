#include "framework/FileDialog.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                         DWORD dwFlags, const char* lpszFilter, CWnd* pParentWnd)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_szFileName(), m_pParentWnd(pParentWnd)
{
    if (lpszDefExt != nullptr)
        m_strDefExt = lpszDefExt;
    if (lpszFilter != nullptr) {
        m_strFilter = lpszFilter;
        for (char& ch : m_strFilter) {
            if (ch == '|')
                ch = '\0';
        }
        m_strFilter.push_back('\0');
    }
    if (lpszFileName != nullptr)
        lstrcpynA(m_szFileName, lpszFileName, sizeof(m_szFileName));

    m_ofn.lStructSize = sizeof(m_ofn);
    // The Explorer look, as users know it; the caller's flags otherwise hold.
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
}

INT_PTR CFileDialog::DoModal()
{
    HWND hOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    if (hOwner == nullptr && AfxGetMainWnd() != nullptr)
        hOwner = AfxGetMainWnd()->m_hWnd;
    m_ofn.hwndOwner = hOwner;
    m_ofn.hInstance = AfxGetInstanceHandle();
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof(m_szFileName);
    m_ofn.lpstrDefExt = m_strDefExt.empty() ? nullptr : m_strDefExt.c_str();
    m_ofn.lpstrFilter = m_strFilter.empty() ? nullptr : m_strFilter.data();

    const BOOL bOK = m_bOpenFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
    m_szFileName[sizeof(m_szFileName) - 1] = '\0';
    return bOK ? IDOK : IDCANCEL;
}
