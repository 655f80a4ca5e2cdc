// CGridInPlaceEdit: the edit control laid over a cell while it is edited.
// It ends on Tab, Return, Escape (which puts the old text back), on the
// navigation keys when it exits on arrows, or when it loses the focus; it
// then tells the grid once with an LVN_ENDLABELEDIT record from control id
// 8 and closes. The object deletes itself when its window is destroyed.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Wnd.h"

class CGridInPlaceEdit : public CWnd {
public:
    // Creates the edit window over rect in pParent with the given style
    // (the alignment), takes the focus and applies the first character.
    // Null when the window cannot be created.
    static CGridInPlaceEdit* Create(CWnd* pParent, const RECT& rect, DWORD dwStyle, UINT nID,
                                    int nRow, int nColumn, const char* pszInitText,
                                    UINT nFirstChar);

    // Ends the edit now: tells the grid (once) and closes.
    void EndEdit();
    UINT GetLastKey() const { return m_nLastChar; }
    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nColumn; }

    void PostNcDestroy() override;

private:
    CGridInPlaceEdit(CWnd* pParent, int nRow, int nColumn, const char* pszInitText, UINT nFirstChar);
    ~CGridInPlaceEdit() override = default;

    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode();
    void OnKillFocus(HWND hWndNew);

    // Hands the focus back to the grid, which ends the edit, with nKey as
    // the key that ended it.
    void LeaveWith(UINT nKey);
    // Widens the window to fit the text plus two spaces, up to the right
    // edge of the parent's client area.
    void FitToText();

    CWnd* m_pParent = nullptr;
    int m_nRow = -1;
    int m_nColumn = -1;
    std::string m_strInitText;
    UINT m_nLastChar = 0;
    BOOL m_bExitOnArrows = TRUE;
    RECT m_Rect = {0, 0, 0, 0};

    DECLARE_MESSAGE_MAP()
};
