#include "framework/Dialog.h"

#include "framework/WinApp.h"

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

INT_PTR CDialog::DoModal()
{
    HWND hParent = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    if (hParent == nullptr && AfxGetMainWnd() != nullptr)
        hParent = AfxGetMainWnd()->m_hWnd;
    m_bModal = true;
    m_nModalResult = IDCANCEL;
    const INT_PTR nResult = DialogBoxParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                            hParent, DialogProc, reinterpret_cast<LPARAM>(this));
    m_bModal = false;
    return nResult;
}

void CDialog::EndDialog(INT_PTR nResult)
{
    if (m_hWnd == nullptr)
        return;
    m_nModalResult = nResult;
    DestroyWindow();
}

BOOL CDialog::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    if (m_bModal)
        return ::EndDialog(m_hWnd, m_nModalResult);
    return CWnd::DestroyWindow();
}

BOOL CDialog::OnInitDialog()
{
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    if (LOWORD(wParam) == IDOK) {
        OnOK();
        return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        CDialog* pDlg = reinterpret_cast<CDialog*>(lParam);
        pDlg->Attach(hWnd);
        return pDlg->OnInitDialog();
    }
    CDialog* pDlg = static_cast<CDialog*>(FromHandlePermanent(hWnd));
    if (pDlg == nullptr)
        return FALSE;
    if (message == WM_NCDESTROY) {
        pDlg->WindowProc(message, wParam, lParam);
        pDlg->Detach();
        pDlg->PostNcDestroy();
        return FALSE;
    }
    // Commands and notifications are handled when the map or a virtual took
    // them; any other message when the map has an entry for it.
    LRESULT lResult = 0;
    BOOL bHandled = FALSE;
    if (message == WM_COMMAND) {
        bHandled = pDlg->OnCommand(wParam, lParam);
    } else if (message == WM_NOTIFY) {
        bHandled = pDlg->OnNotify(wParam, lParam, &lResult);
    } else if (pDlg->FindEntry(message, 0, 0) != nullptr) {
        lResult = pDlg->WindowProc(message, wParam, lParam);
        bHandled = TRUE;
    }
    if (!bHandled)
        return FALSE;
    SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, lResult);
    return TRUE;
}
