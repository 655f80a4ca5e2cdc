#include "grid/GridTitleTip.h"

#include <cstdlib>

#include "framework/Handles.h"
#include "framework/WinApp.h"

BEGIN_MESSAGE_MAP(CGridTitleTip, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_MBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
END_MESSAGE_MAP()

CGridTitleTip::CGridTitleTip()
{
    RegisterTipClass();
    m_dwDblClickMsecs = ::GetDoubleClickTime();
}

CGridTitleTip::~CGridTitleTip()
{
    if (m_hWnd != nullptr && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CGridTitleTip::RegisterTipClass()
{
    WNDCLASSA wc = {};
    const HINSTANCE hInstance = AfxGetInstanceHandle();
    if (::GetClassInfoA(hInstance, TITLETIP_CLASSNAME, &wc))
        return;
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = CWnd::StdWndProc;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_INFOBK + 1));
    wc.lpszClassName = TITLETIP_CLASSNAME;
    ::RegisterClassA(&wc);  // a failure shows when Create finds no class
}

BOOL CGridTitleTip::Create(CWnd* pParentWnd)
{
    if (m_bCreated)
        return TRUE;
    if (pParentWnd == nullptr || pParentWnd->m_hWnd == nullptr)
        return FALSE;
    m_pParentWnd = pParentWnd;
    m_bCreated = CreateEx(WS_EX_TOOLWINDOW, TITLETIP_CLASSNAME, nullptr, WS_POPUP | WS_BORDER,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                          pParentWnd->m_hWnd, nullptr);
    return m_bCreated;
}

BOOL CGridTitleTip::DestroyWindow()
{
    m_bCreated = FALSE;
    return CWnd::DestroyWindow();
}

void CGridTitleTip::Show(RECT rectTitle, const char* pszTitleText, int xoffset,
                         const RECT* lpHoverRect, const LOGFONTA* lpLogFont, COLORREF crTextClr,
                         COLORREF crBackClr)
{
    if (!m_bCreated && !Create(m_pParentWnd))
        return;
    if (!m_bCreated || ::IsRectEmpty(&rectTitle) || IsWindowVisible())
        return;

    m_rectHover = lpHoverRect != nullptr ? *lpHoverRect : rectTitle;
    ++m_rectHover.right;
    ++m_rectHover.bottom;
    ::MapWindowPoints(m_pParentWnd->m_hWnd, nullptr, reinterpret_cast<POINT*>(&m_rectHover), 2);

    // Only while the application is the one the user works in.
    if (::GetFocus() == nullptr)
        return;

    m_strText = " ";
    m_strText += pszTitleText ? pszTitleText : "";
    m_strText += " ";
    m_bHasFont = lpLogFont != nullptr;
    if (m_bHasFont)
        m_lf = *lpLogFont;
    m_crText = crTextClr;
    m_crBack = crBackClr;

    CWindowDC dc(m_hWnd);
    CGdiObjectT<HFONT> font(m_bHasFont ? ::CreateFontIndirectA(&m_lf) : nullptr);
    HFONT hFont = font.Get() != nullptr ? font.Get()
                                        : reinterpret_cast<HFONT>(m_pParentWnd->SendMessage(WM_GETFONT));
    CSelectObject selFont(dc, hFont != nullptr ? static_cast<HGDIOBJ>(hFont)
                                               : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(dc, m_strText.c_str(), static_cast<int>(m_strText.size()), &size);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(dc, &tm);

    // The spaces around the text are the tip's own margins: whether the
    // cell cuts the text off is decided by the text alone.
    SIZE sizeText = {0, 0};
    ::GetTextExtentPoint32A(dc, m_strText.c_str() + 1, static_cast<int>(m_strText.size()) - 2,
                            &sizeText);
    const int nTitleWidth = rectTitle.right - rectTitle.left;
    if (sizeText.cx + xoffset <= nTitleWidth)
        return;

    RECT rectDisplay = rectTitle;
    ::MapWindowPoints(m_pParentWnd->m_hWnd, nullptr, reinterpret_cast<POINT*>(&rectDisplay), 2);
    rectDisplay.left += xoffset;
    // The border is outside the text.
    const int cxBorder = ::GetSystemMetrics(SM_CXBORDER);
    rectDisplay.right = rectDisplay.left + size.cx + tm.tmOverhang + 2 * cxBorder;
    m_rectTitle = {0, 0, rectDisplay.right - rectDisplay.left, rectDisplay.bottom - rectDisplay.top};

    ::SetWindowPos(m_hWnd, HWND_TOP, rectDisplay.left, rectDisplay.top,
                   rectDisplay.right - rectDisplay.left, rectDisplay.bottom - rectDisplay.top,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE);
    {
        CWindowDC dcTip(m_hWnd);
        PaintTip(dcTip);
    }
    ::SetCapture(m_hWnd);
}

void CGridTitleTip::PaintTip(HDC hDC)
{
    RECT rcClient;
    GetClientRect(&rcClient);
    if (m_crBack != CLR_DEFAULT) {
        CBrushHandle brush(::CreateSolidBrush(m_crBack));
        ::FillRect(hDC, &rcClient, brush);
    } else {
        ::FillRect(hDC, &rcClient, ::GetSysColorBrush(COLOR_INFOBK));
    }
    CGdiObjectT<HFONT> font(m_bHasFont ? ::CreateFontIndirectA(&m_lf) : nullptr);
    HFONT hFont = font.Get();
    if (hFont == nullptr && m_pParentWnd != nullptr)
        hFont = reinterpret_cast<HFONT>(m_pParentWnd->SendMessage(WM_GETFONT));
    CSelectObject selFont(hDC, hFont != nullptr ? static_cast<HGDIOBJ>(hFont)
                                                : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, m_crText != CLR_DEFAULT ? m_crText : ::GetSysColor(COLOR_INFOTEXT));
    ::TextOutA(hDC, 0, 0, m_strText.c_str(), static_cast<int>(m_strText.size()));
}

void CGridTitleTip::Hide()
{
    if (m_hWnd == nullptr)
        return;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ShowWindow(SW_HIDE);
}

// Sends (moves) or posts (presses) a mouse message to the window under a
// screen point, as a client or non-client message by where the point lies.
void CGridTitleTip::ForwardMouse(UINT message, WPARAM wParam, POINT ptScreen, bool bPost)
{
    HWND hWnd = ::WindowFromPoint(ptScreen);
    if (hWnd == nullptr || hWnd == m_hWnd)
        return;
    const LRESULT nHitTest =
        ::SendMessageA(hWnd, WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
    UINT nMessage = message;
    WPARAM wParamOut = wParam;
    LPARAM lParamOut;
    if (nHitTest == HTCLIENT) {
        POINT pt = ptScreen;
        ::ScreenToClient(hWnd, &pt);
        lParamOut = MAKELPARAM(pt.x, pt.y);
    } else {
        nMessage = message + (WM_NCMOUSEMOVE - WM_MOUSEMOVE);
        wParamOut = static_cast<WPARAM>(nHitTest);
        lParamOut = MAKELPARAM(ptScreen.x, ptScreen.y);
    }
    if (bPost)
        ::PostMessageA(hWnd, nMessage, wParamOut, lParamOut);
    else
        ::SendMessageA(hWnd, nMessage, wParamOut, lParamOut);
}

// As the system pairs presses: within the double-click time and rectangle
// of the previous press, and, as the tip knows the cell it covers by its
// hover rectangle, on the same cell. A press that is quick but elsewhere
// is a press of its own on whatever lies under it.
bool CGridTitleTip::IsDoubleClick(POINT ptScreen, DWORD dwNow) const
{
    if (!m_bHasLastLButtonDown || dwNow - m_dwLastLButtonDown > m_dwDblClickMsecs)
        return false;
    const int cxHalf = ::GetSystemMetrics(SM_CXDOUBLECLK) / 2;
    const int cyHalf = ::GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    if (std::abs(ptScreen.x - m_ptLastLButtonDown.x) > cxHalf ||
        std::abs(ptScreen.y - m_ptLastLButtonDown.y) > cyHalf)
        return false;
    return ::EqualRect(&m_rectLastHover, &m_rectHover) && ::PtInRect(&m_rectHover, ptScreen) &&
           ::PtInRect(&m_rectHover, m_ptLastLButtonDown);
}

BOOL CGridTitleTip::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg == nullptr || m_hWnd == nullptr || !IsWindowVisible())
        return FALSE;
    switch (pMsg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        if (m_pParentWnd != nullptr && pMsg->hwnd != m_pParentWnd->m_hWnd) {
            m_pParentWnd->PostMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
            return TRUE;
        }
        return FALSE;
    default:
        break;
    }
    return FALSE;
}

void CGridTitleTip::OnPaint()
{
    CPaintDC dc(m_hWnd);
    if (dc.Get() != nullptr)
        PaintTip(dc);
}

// OnPaint fills the whole tip.
BOOL CGridTitleTip::OnEraseBkgnd(HDC /*hDC*/)
{
    return TRUE;
}

// The tip holds the capture while shown: a move out of the hover rectangle
// hides it and goes on to the window under the mouse.
void CGridTitleTip::OnMouseMove(UINT nFlags, POINT point)
{
    if (!IsWindowVisible()) {
        Default();
        return;
    }
    ::ClientToScreen(m_hWnd, &point);
    if (!::PtInRect(&m_rectHover, point)) {
        Hide();
        ForwardMouse(WM_MOUSEMOVE, nFlags, point, false);
    }
}

void CGridTitleTip::OnLButtonDown(UINT nFlags, POINT point)
{
    PassPressThrough(WM_LBUTTONDOWN, nFlags, point);
}

void CGridTitleTip::OnRButtonDown(UINT nFlags, POINT point)
{
    PassPressThrough(WM_RBUTTONDOWN, nFlags, point);
}

void CGridTitleTip::OnMButtonDown(UINT nFlags, POINT point)
{
    PassPressThrough(WM_MBUTTONDOWN, nFlags, point);
}

void CGridTitleTip::OnRButtonUp(UINT nFlags, POINT point)
{
    PassPressThrough(WM_RBUTTONUP, nFlags, point);
}

// A press on the shown tip is a press on what lies under it; a left press
// there becomes a double click when it pairs with the press before.
void CGridTitleTip::PassPressThrough(UINT message, UINT nFlags, POINT point)
{
    if (!IsWindowVisible()) {
        Default();
        return;
    }
    ::ClientToScreen(m_hWnd, &point);
    Hide();
    UINT nForward = message;
    if (message == WM_LBUTTONDOWN) {
        const DWORD dwNow = ::GetTickCount();
        if (IsDoubleClick(point, dwNow))
            nForward = WM_LBUTTONDBLCLK;
        m_dwLastLButtonDown = dwNow;
        m_ptLastLButtonDown = point;
        m_rectLastHover = m_rectHover;
        // As with the system's double clicks, a third press starts anew.
        m_bHasLastLButtonDown = nForward == WM_LBUTTONDOWN;
    }
    ForwardMouse(nForward, nFlags, point, true);
}

void CGridTitleTip::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    PassKeyToParent(WM_KEYDOWN, nChar, nRepCnt, nFlags);
}

void CGridTitleTip::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    PassKeyToParent(WM_SYSKEYDOWN, nChar, nRepCnt, nFlags);
}

// A key that reaches the tip belongs to the grid under it.
void CGridTitleTip::PassKeyToParent(UINT message, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    Hide();
    if (m_pParentWnd != nullptr)
        m_pParentWnd->PostMessage(message, nChar, MAKELPARAM(nRepCnt, nFlags));
}

// The tip does not stay up once the application has lost the focus: any
// message without a handler hides a shown tip when no window of the thread
// has the focus. The hit tests, cursor and capture messages of the mouse
// tracking do not count.
LRESULT CGridTitleTip::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsWindowVisible() && message != WM_NCHITTEST && message != WM_SETCURSOR &&
        message != WM_CAPTURECHANGED && ::GetFocus() == nullptr)
        Hide();
    return CWnd::DefWindowProc(message, wParam, lParam);
}
