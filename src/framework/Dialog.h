// A modal dialog from a template in the program's resources. Messages of the
// dialog pass through the class's message map; OK and Cancel end it unless a
// derived class handles them.
#pragma once

#include "framework/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Shows the dialog and returns the value given to EndDialog (IDOK,
    // IDCANCEL), or -1 when it could not be created.
    virtual INT_PTR DoModal();
    // Ends the dialog through the virtual DestroyWindow, so that a derived
    // dialog can collect its results and free its controls' data first.
    void EndDialog(INT_PTR nResult);
    // A modal dialog is ended with the result given to EndDialog (the
    // dialog manager removes the window); any other is destroyed.
    BOOL DestroyWindow() override;

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The dialog manager does the default processing.
    LRESULT DefWindowProc(UINT, WPARAM, LPARAM) override { return 0; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool m_bHandled = false;
    bool m_bModal = false;
    INT_PTR m_nModalResult = IDCANCEL;
};
