#include "grid/GridInPlaceEdit.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/Handles.h"

BEGIN_MESSAGE_MAP(CGridInPlaceEdit, CWnd)
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_SYSCHAR()
    ON_WM_GETDLGCODE()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CGridInPlaceEdit::CGridInPlaceEdit(CWnd* pParent, int nRow, int nColumn, const char* pszInitText,
                                   UINT nFirstChar)
    : m_pParent(pParent),
      m_nRow(nRow),
      m_nColumn(nColumn),
      m_strInitText(pszInitText ? pszInitText : ""),
      m_bExitOnArrows(nFirstChar != VK_LBUTTON)
{
}

CGridInPlaceEdit* CGridInPlaceEdit::Create(CWnd* pParent, const RECT& rect, DWORD dwStyle, UINT nID,
                                           int nRow, int nColumn, const char* pszInitText,
                                           UINT nFirstChar)
{
    if (pParent == nullptr || pParent->m_hWnd == nullptr)
        return nullptr;
    HWND hWnd = ::CreateWindowExA(0, "EDIT", "",
                                  dwStyle | WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                                  rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, pParent->m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)),
                                  ::GetModuleHandleA(nullptr), nullptr);
    if (hWnd == nullptr)
        return nullptr;
    auto* pEdit = new CGridInPlaceEdit(pParent, nRow, nColumn, pszInitText, nFirstChar);
    if (!pEdit->SubclassWindow(hWnd)) {
        ::DestroyWindow(hWnd);
        delete pEdit;
        return nullptr;
    }
    pEdit->m_Rect = rect;
    pEdit->SendMessage(WM_SETFONT, static_cast<WPARAM>(pParent->SendMessage(WM_GETFONT)), FALSE);
    ::SetWindowTextA(hWnd, pEdit->m_strInitText.c_str());
    pEdit->SetFocus();

    switch (nFirstChar) {
    case VK_LBUTTON:
    case VK_RETURN:
        pEdit->SendMessage(EM_SETSEL, static_cast<WPARAM>(-1), static_cast<LPARAM>(-1));
        pEdit->SendMessage(EM_SETSEL, pEdit->m_strInitText.size(), pEdit->m_strInitText.size());
        break;
    case VK_BACK: {
        const WPARAM nEnd = pEdit->m_strInitText.size();
        pEdit->SendMessage(EM_SETSEL, nEnd, nEnd);
        pEdit->PostMessage(WM_CHAR, VK_BACK, 0);
        break;
    }
    case VK_TAB:
    case VK_SPACE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        pEdit->SendMessage(EM_SETSEL, 0, -1);
        break;
    default:
        pEdit->SendMessage(EM_SETSEL, 0, -1);
        pEdit->PostMessage(nFirstChar < 128 ? WM_CHAR : WM_IME_CHAR, nFirstChar, 0);
        break;
    }
    return pEdit;
}

// The page and arrow keys leave the cell, but in an edit opened by a click
// or F2 only with Ctrl held: there they move the caret.
void CGridInPlaceEdit::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    const bool bNavigation = nChar == VK_PRIOR || nChar == VK_NEXT || nChar == VK_LEFT ||
                             nChar == VK_UP || nChar == VK_RIGHT || nChar == VK_DOWN;
    if (bNavigation && (m_bExitOnArrows || ::GetKeyState(VK_CONTROL) < 0))
        LeaveWith(nChar);
    else
        Default();
}

// Tab and Return keep the text, Escape puts the old text back; any other
// character is typed and the window grows to fit the text.
void CGridInPlaceEdit::OnChar(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (nChar == VK_TAB || nChar == VK_RETURN) {
        LeaveWith(nChar);
        return;
    }
    if (nChar == VK_ESCAPE) {
        ::SetWindowTextA(m_hWnd, m_strInitText.c_str());
        LeaveWith(nChar);
        return;
    }
    Default();
    FitToText();
}

// Alt with a character is swallowed while editing: the default handling
// would hand it on to the menu of the frame.
void CGridInPlaceEdit::OnSysChar(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
}

// Every key comes here, Tab and Return included, even inside a dialog.
UINT CGridInPlaceEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

// Losing the focus ends the edit, whatever took the focus.
void CGridInPlaceEdit::OnKillFocus(HWND /*hWndNew*/)
{
    Default();
    EndEdit();
}

void CGridInPlaceEdit::LeaveWith(UINT nKey)
{
    m_nLastChar = nKey;
    if (m_pParent != nullptr && ::IsWindow(m_pParent->m_hWnd))
        m_pParent->SetFocus();  // the focus loss ends the edit
    else
        EndEdit();
}

void CGridInPlaceEdit::FitToText()
{
    const int nLen = ::GetWindowTextLengthA(m_hWnd);
    std::string strText(static_cast<size_t>(std::max(nLen, 0)) + 1, '\0');
    ::GetWindowTextA(m_hWnd, &strText[0], nLen + 1);
    strText.resize(static_cast<size_t>(std::max(nLen, 0)));
    strText += "  ";

    CWindowDC dc(m_hWnd);
    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    CSelectObject selFont(dc, hFont);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(dc, strText.c_str(), static_cast<int>(strText.size()), &size);

    RECT rcParent = {0, 0, 0, 0};
    if (m_pParent != nullptr)
        m_pParent->GetClientRect(&rcParent);
    const int nWanted = m_Rect.left + size.cx;
    if (nWanted <= m_Rect.right)
        return;
    const int nRight = std::min<int>(nWanted, rcParent.right);
    if (nRight <= m_Rect.right)
        return;
    m_Rect.right = nRight;
    ::SetWindowPos(m_hWnd, nullptr, m_Rect.left, m_Rect.top, m_Rect.right - m_Rect.left,
                   m_Rect.bottom - m_Rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Runs once at a time in the process: the focus change it may cause comes
// back here through WM_KILLFOCUS.
void CGridInPlaceEdit::EndEdit()
{
    static bool s_bAlreadyEnding = false;
    if (s_bAlreadyEnding || m_hWnd == nullptr)
        return;
    s_bAlreadyEnding = true;

    const int nLen = ::GetWindowTextLengthA(m_hWnd);
    std::string strText(static_cast<size_t>(std::max(nLen, 0)) + 1, '\0');
    const int nGot = ::GetWindowTextA(m_hWnd, &strText[0], nLen + 1);
    strText.resize(static_cast<size_t>(std::max(nGot, 0)));

    if (::GetFocus() == m_hWnd && m_pParent != nullptr && ::IsWindow(m_pParent->m_hWnd))
        m_pParent->SetFocus();

    NMLVDISPINFOA dispinfo = {};
    dispinfo.hdr.hwndFrom = m_hWnd;
    dispinfo.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    dispinfo.hdr.code = LVN_ENDLABELEDIT;
    dispinfo.item.mask = LVIF_TEXT | LVIF_PARAM;
    dispinfo.item.iItem = m_nRow;
    dispinfo.item.iSubItem = m_nColumn;
    dispinfo.item.pszText = &strText[0];
    dispinfo.item.cchTextMax = static_cast<int>(strText.size());
    dispinfo.item.lParam = static_cast<LPARAM>(m_nLastChar);

    const HWND hWnd = m_hWnd;
    if (m_pParent != nullptr && ::IsWindow(m_pParent->m_hWnd))
        ::SendMessageA(m_pParent->m_hWnd, WM_NOTIFY, dispinfo.hdr.idFrom,
                       reinterpret_cast<LPARAM>(&dispinfo));
    if (::IsWindow(hWnd))
        ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
    s_bAlreadyEnding = false;
}

void CGridInPlaceEdit::PostNcDestroy()
{
    delete this;
}
