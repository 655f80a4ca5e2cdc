#include "ui/ProgressWindow.h"

#include <commctrl.h>

#include <cstdarg>
#include <cstddef>
#include <cstdio>

#include "framework/CenterWindow.h"
#include "framework/PumpMessage.h"
#include "framework/WinApp.h"
#include "framework/Handles.h"
#include "ui/UiIds.h"

namespace {

// The text area is laid out for this many lines and this width in pixels.
constexpr int kLines = 4;
constexpr int kWidth = 390;

const char kSection[] = "Settings";

// The non-client metrics as they were before the padded border width was
// added (340 bytes), which every system version accepts.
constexpr UINT kNonClientMetricsSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
static_assert(kNonClientMetricsSize == 340, "the classic NONCLIENTMETRICSA size");

}  // namespace

BEGIN_MESSAGE_MAP(CProgressWindow, CWnd)
    ON_WM_ERASEBKGND()
    ON_CONTROL(BN_CLICKED, IDC_PROGRESS_CANCEL, OnCancel)
END_MESSAGE_MAP()

CProgressWindow::CProgressWindow() = default;

CProgressWindow::~CProgressWindow()
{
    DestroyWindow();
}

HWND CProgressWindow::OwnerWindow(CWnd* pParent) const
{
    if (pParent != nullptr)
        return pParent->m_hWnd;
    CWnd* pMain = AfxGetMainWnd();
    return pMain != nullptr ? pMain->m_hWnd : nullptr;
}

BOOL CProgressWindow::Create(CWnd* pParent, const char* pszTitle, BOOL bSmooth)
{
    if (m_hWnd != nullptr)
        return FALSE;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);

    const char* pszClass = RegisterWndClass(CS_HREDRAW | CS_VREDRAW | CS_OWNDC,
                                            ::LoadCursorA(nullptr, IDC_APPSTARTING));
    if (pszClass == nullptr)
        return FALSE;

    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = kNonClientMetricsSize;
    LOGFONTA lfMessage = {};
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &ncm, 0))
        lfMessage = ncm.lfMessageFont;
    else
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lfMessage), &lfMessage);
    m_font.Reset(::CreateFontIndirectA(&lfMessage));

    if (!CreateEx(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, pszClass, pszTitle != nullptr ? pszTitle : "",
                  WS_POPUP | WS_CAPTION, 0, 0, kWidth, 130, OwnerWindow(pParent), nullptr))
        return FALSE;

    const auto childId = [](int nID) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(nID)); };
    if (!m_text.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                         0, 0, 10, 10, m_hWnd, childId(IDC_PROGRESS_TEXT)))
        return FALSE;
    if (!m_progress.CreateEx(0, PROGRESS_CLASSA, "",
                             WS_CHILD | WS_VISIBLE | (bSmooth ? PBS_SMOOTH : 0), 0, 0, 10, 10,
                             m_hWnd, childId(IDC_PROGRESS_BAR)))
        return FALSE;
    if (!m_cancel.CreateEx(0, "BUTTON", m_strCancelLabel.c_str(),
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 10, 10, m_hWnd,
                           childId(IDC_PROGRESS_CANCEL)))
        return FALSE;

    m_cancel.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), TRUE);
    m_text.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), TRUE);

    Layout(kLines, kWidth);
    RestorePosition();
    Show();
    return TRUE;
}

// Sizes the text area for nLines lines of the message font and nWidth
// pixels, puts the Cancel button below its right end and the bar to the
// left of the button, and fits the window around them.
void CProgressWindow::Layout(int nLines, int nWidth)
{
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    const int cyEdge = ::GetSystemMetrics(SM_CYEDGE);

    RECT rcText = {10, 10, nWidth - 20, 120};
    SIZE sizeButton = {0, 0};
    {
        CWindowDC dc(m_hWnd);
        if (dc.Get() != nullptr) {
            CSelectObject selectFont(dc, m_font.Get());
            std::string strLines = "M";
            for (int i = 1; i < nLines; ++i)
                strLines += "\nM";
            ::DrawTextA(dc, strLines.c_str(), -1, &rcText, DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);
            const std::string strLabel = m_strCancelLabel + "  ";
            ::GetTextExtentPoint32A(dc, strLabel.c_str(), static_cast<int>(strLabel.size()),
                                    &sizeButton);
        } else {
            // No device context: estimate from the font's height.
            LOGFONTA lf = {};
            ::GetObjectA(m_font.Get(), sizeof(lf), &lf);
            const int cyLine = lf.lfHeight != 0 ? (lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight) + 3 : 16;
            rcText.bottom = rcText.top + cyLine * nLines;
            sizeButton.cx = static_cast<LONG>(m_strCancelLabel.size() + 2) * cyLine / 2;
            sizeButton.cy = cyLine;
        }
    }
    rcText.right = rcText.left + nWidth;
    sizeButton.cx += 4 * cxEdge;
    sizeButton.cy += 3 * cyEdge;

    RECT rcButton;
    rcButton.right = rcText.right;
    rcButton.left = rcButton.right - sizeButton.cx;
    rcButton.top = rcText.bottom + 10;
    rcButton.bottom = rcButton.top + sizeButton.cy;

    RECT rcBar;
    rcBar.left = rcText.left;
    rcBar.right = rcButton.left - 10;
    rcBar.top = rcButton.top + cyEdge;
    rcBar.bottom = rcButton.bottom - cyEdge;

    const int cxClient = (rcText.right - rcText.left) + 20;
    const int cyClient = (rcText.bottom - rcText.top) + sizeButton.cy + 30;

    RECT rcWindow;
    RECT rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    MoveWindow(rcWindow.left, rcWindow.top,
               (rcWindow.right - rcWindow.left) - (rcClient.right - rcClient.left) + cxClient,
               (rcWindow.bottom - rcWindow.top) - (rcClient.bottom - rcClient.top) + cyClient,
               TRUE);

    m_progress.MoveWindow(rcBar.left, rcBar.top, rcBar.right - rcBar.left, rcBar.bottom - rcBar.top,
                          TRUE);
    m_cancel.MoveWindow(rcButton.left, rcButton.top, rcButton.right - rcButton.left,
                        rcButton.bottom - rcButton.top, TRUE);
    m_text.MoveWindow(rcText.left, rcText.top, rcText.right - rcText.left,
                      rcText.bottom - rcText.top, TRUE);
}

// Makes a hidden window visible without taking the activation from the
// window the user works in.
void CProgressWindow::Show()
{
    if (m_hWnd == nullptr || IsWindowVisible())
        return;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, ::GetWindowLongA(m_hWnd, GWL_STYLE) | WS_VISIBLE);
    ShowWindow(SW_SHOWNA);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

void CProgressWindow::SetRange(int nLower, int nUpper, int nStep)
{
    if (m_hWnd == nullptr)
        return;
    m_progress.SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper);
    m_nUpper = nUpper;
    m_nLower = nLower;
    m_nStep = nStep;
    m_progress.SendMessage(PBM_SETSTEP, static_cast<WPARAM>(nStep));
}

// The caption shows the creation title until the percentage first differs
// from 0, then the stored title with the percentage.
int CProgressWindow::SetPosition(int nPos)
{
    if (m_hWnd == nullptr)
        return m_nPos;
    Show();
    m_nPos = nPos;
    int nPercent = 0;
    if (m_nUpper > m_nLower)
        nPercent = static_cast<int>((nPos - m_nLower) * 100.0 / (m_nUpper - m_nLower) + 0.5);
    if (nPercent != m_nLastPercent) {
        m_nLastPercent = nPercent;
        char szCaption[MAX_PATH];
        snprintf(szCaption, sizeof(szCaption), "%s [%d%%]", m_strTitle.c_str(), nPercent);
        ::SetWindowTextA(m_hWnd, szCaption);
    }
    return static_cast<int>(m_progress.SendMessage(PBM_SETPOS, static_cast<WPARAM>(nPos)));
}

int CProgressWindow::Step()
{
    return SetPosition(m_nPos + m_nStep);
}

// The text is cut to what the buffer holds; a line given as an argument
// ("%s") is shown as it is, percent signs included.
void CProgressWindow::SetText(const char* pszFormat, ...)
{
    if (m_hWnd == nullptr || pszFormat == nullptr)
        return;
    char szText[kTextBufferSize];
    va_list args;
    va_start(args, pszFormat);
    const int n = vsnprintf(szText, sizeof(szText), pszFormat, args);
    va_end(args);
    if (n < 0)
        szText[0] = '\0';
    szText[sizeof(szText) - 1] = '\0';
    ::SetWindowTextA(m_text.m_hWnd, szText);
}

// Runs the thread's pending messages, the main window's included, until the
// queue is empty or the run is cancelled. A quit message ends the pump and is
// posted again for the main loop.
void CProgressWindow::PumpMessages(BOOL bEscapeCancels)
{
    for (;;) {
        if (m_bCancelled)
            return;
        MSG msg;
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            return;
        if (bEscapeCancels && msg.message == WM_CHAR && msg.wParam == VK_ESCAPE)
            OnCancel();
        if (!AfxPumpMessage()) {
            ::PostQuitMessage(0);
            return;
        }
    }
}

// The Cancel button or Escape: the run stops before its next step. The window
// stays up until its owner destroys it.
void CProgressWindow::OnCancel()
{
    SavePosition();
    m_bCancelled = TRUE;
    HWND hButton = GetDlgItem(IDC_PROGRESS_CANCEL);
    ::SetWindowTextA(hButton, "Wait");
    ::EnableWindow(hButton, FALSE);
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != nullptr && pMain->m_hWnd != nullptr)
        ::SetForegroundWindow(pMain->m_hWnd);
}

BOOL CProgressWindow::OnEraseBkgnd(HDC hDC)
{
    RECT rc;
    ::GetClipBox(hDC, &rc);
    CSelectObject selectBrush(hDC, ::GetSysColorBrush(COLOR_BTNFACE));
    ::PatBlt(hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, PATCOPY);
    return TRUE;
}

BOOL CProgressWindow::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    SavePosition();
    return CWnd::DestroyWindow();
}

void CProgressWindow::SavePosition() const
{
    CWinApp* pApp = AfxGetApp();
    if (m_hWnd == nullptr || pApp == nullptr)
        return;
    RECT rc;
    GetWindowRect(&rc);
    pApp->WriteProfileInt(kSection, "X", rc.left);
    pApp->WriteProfileInt(kSection, "Y", rc.top);
}

// The saved position when it lies on the screen; otherwise centred on the
// owner.
void CProgressWindow::RestorePosition()
{
    CWinApp* pApp = AfxGetApp();
    const int x = pApp != nullptr ? static_cast<int>(pApp->GetProfileInt(kSection, "X", -1)) : -1;
    const int y = pApp != nullptr ? static_cast<int>(pApp->GetProfileInt(kSection, "Y", -1)) : -1;
    if (x >= 0 && x < ::GetSystemMetrics(SM_CXSCREEN) && y >= 0 &&
        y < ::GetSystemMetrics(SM_CYSCREEN)) {
        ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    } else {
        AfxCenterWindow(m_hWnd, ::GetWindow(m_hWnd, GW_OWNER));
    }
}
