#include "framework/ToolBar.h"

#include <cstring>
#include <string>
#include <utility>

#include "framework/CmdUI.h"
#include "framework/Handles.h"
#include "framework/WinApp.h"

namespace {

// The grey of the bitmap that shows the bar's face.
constexpr COLORREF kMaskColour = RGB(192, 192, 192);
// Non-client insets around the buttons: the gripper takes the left edge.
constexpr int kGripperInset = 8;
constexpr int kEdgeInset = 2;

// The tooltip of a command: the text behind "\n" in its string.
std::string ToolTipText(UINT nID)
{
    const std::string text = AfxLoadString(nID);
    const std::string::size_type nl = text.find('\n');
    return nl == std::string::npos ? std::string() : text.substr(nl + 1);
}

}  // namespace

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_MESSAGE(WM_NCCALCSIZE, OnNcCalcSize)
    ON_MESSAGE(WM_NCPAINT, OnNcPaint)
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CToolBar::~CToolBar()
{
    // The control uses the image list until its window is gone.
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CToolBar::PostNcDestroy()
{
    m_images = CImageList();
    m_nFlyByID = 0;
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, const RECT& rcBorders,
                        UINT nID)
{
    if (pParentWnd == nullptr || pParentWnd->m_hWnd == nullptr || m_hWnd != nullptr)
        return FALSE;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);

    m_rcBorders = rcBorders;
    DWORD dwWndStyle = TakeBarStyle(dwStyle) | (dwCtrlStyle & 0xFFFF) | CCS_NODIVIDER |
                       CCS_NOPARENTALIGN | CCS_NORESIZE;
    if (m_dwStyle & CBRS_TOOLTIPS)
        dwWndStyle |= TBSTYLE_TOOLTIPS;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, dwWndStyle, 0, 0, 0, 0, pParentWnd->m_hWnd,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID))))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(m_sizeImage.cx, m_sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(m_sizeButton.cx, m_sizeButton.cy));
    // The control computed its frame before it was ours: ask again, so that
    // the gripper and edges get their room.
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

bool CToolBar::ParseToolBarResource(const void* pData, DWORD cbData, SIZE* pImageSize,
                                    std::vector<UINT>* pIDs)
{
    if (pData == nullptr || pImageSize == nullptr || pIDs == nullptr)
        return false;
    const BYTE* pBytes = static_cast<const BYTE*>(pData);
    pIDs->clear();

    WORD awHead[4];
    if (cbData >= sizeof(awHead)) {
        memcpy(awHead, pBytes, sizeof(awHead));
        const DWORD cbIDs = static_cast<DWORD>(awHead[3]) * sizeof(WORD);
        if (awHead[0] == 1 && cbIDs <= cbData - sizeof(awHead)) {
            if (awHead[1] == 0 || awHead[2] == 0)
                return false;
            *pImageSize = SIZE{awHead[1], awHead[2]};
            for (WORD i = 0; i < awHead[3]; ++i) {
                WORD wID;
                memcpy(&wID, pBytes + sizeof(awHead) + i * sizeof(WORD), sizeof(wID));
                pIDs->push_back(wID);
            }
            return true;
        }
    }

    DWORD adwHead[3];
    if (cbData < sizeof(adwHead))
        return false;
    memcpy(adwHead, pBytes, sizeof(adwHead));
    const DWORD nMaxCount = (cbData - sizeof(adwHead)) / sizeof(DWORD);
    if (adwHead[0] == 0 || adwHead[1] == 0 || adwHead[0] > 0x7FFF || adwHead[1] > 0x7FFF ||
        adwHead[2] > nMaxCount)
        return false;
    *pImageSize = SIZE{static_cast<LONG>(adwHead[0]), static_cast<LONG>(adwHead[1])};
    for (DWORD i = 0; i < adwHead[2]; ++i) {
        DWORD dwID;
        memcpy(&dwID, pBytes + sizeof(adwHead) + i * sizeof(DWORD), sizeof(dwID));
        pIDs->push_back(dwID);
    }
    return true;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    if (m_hWnd == nullptr)
        return FALSE;
    HINSTANCE hInst = AfxGetInstanceHandle();
    HRSRC hRes = FindResourceA(hInst, MAKEINTRESOURCEA(nIDResource),
                               MAKEINTRESOURCEA(RT_TOOLBAR_RESOURCE));
    if (hRes == nullptr)
        return FALSE;
    HGLOBAL hGlobal = LoadResource(hInst, hRes);
    const void* pData = hGlobal != nullptr ? LockResource(hGlobal) : nullptr;
    SIZE sizeImage;
    std::vector<UINT> ids;
    if (!ParseToolBarResource(pData, SizeofResource(hInst, hRes), &sizeImage, &ids))
        return FALSE;

    CImageList images;
    int cxImage = 0;
    int cyImage = 0;
    if (!images.Create(nIDResource, sizeImage.cx, 0, kMaskColour) ||
        !images.GetImageSize(&cxImage, &cyImage) || cyImage != sizeImage.cy)
        return FALSE;
    int nImages = 0;
    for (UINT nID : ids)
        nImages += nID != 0 ? 1 : 0;
    if (images.GetImageCount() < nImages)
        return FALSE;

    m_sizeImage = sizeImage;
    m_sizeButton = SIZE{sizeImage.cx + 7, sizeImage.cy + 7};
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(m_sizeImage.cx, m_sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(m_sizeButton.cx, m_sizeButton.cy));
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Get()));
    // The list the control used before goes only now.
    m_images = std::move(images);
    return SetButtons(ids.data(), static_cast<int>(ids.size()));
}

BOOL CToolBar::SetButtons(const UINT* pIDArray, int nIDCount)
{
    if (m_hWnd == nullptr || nIDCount < 0 || (nIDCount > 0 && pIDArray == nullptr))
        return FALSE;
    while (GetCount() > 0)
        SendMessage(TB_DELETEBUTTON, 0);
    std::vector<TBBUTTON> buttons(static_cast<size_t>(nIDCount));
    int iImage = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON& b = buttons[static_cast<size_t>(i)];
        b.idCommand = static_cast<int>(pIDArray[i]);
        b.iString = -1;
        if (pIDArray[i] == 0) {
            b.iBitmap = 0;  // the control's own separator width
            b.fsStyle = BTNS_SEP;
        } else {
            b.iBitmap = iImage++;
            b.fsStyle = BTNS_BUTTON;
            b.fsState = TBSTATE_ENABLED;
        }
    }
    if (nIDCount > 0 &&
        !SendMessage(TB_ADDBUTTONSA, static_cast<WPARAM>(nIDCount),
                     reinterpret_cast<LPARAM>(buttons.data())))
        return FALSE;
    return TRUE;
}

int CToolBar::GetCount() const
{
    return static_cast<int>(SendMessage(TB_BUTTONCOUNT));
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON b = {};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&b)))
        return 0;
    return (b.fsStyle & BTNS_SEP) ? 0 : static_cast<UINT>(b.idCommand);
}

int CToolBar::CalcFixedHeight()
{
    return m_sizeButton.cy + m_rcBorders.top + m_rcBorders.bottom + 2 * kEdgeInset;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i) {
        const UINT nID = GetItemID(i);
        if (nID == 0)
            continue;
        CCmdUI state;
        state.m_nID = nID;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_hToolBar = m_hWnd;
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}

// Tooltips ask the toolbar for their text; it is the command string's part
// behind "\n" (none for a command without one).
BOOL CToolBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    if (pHdr != nullptr && (pHdr->code == TTN_GETDISPINFOA || pHdr->code == TTN_GETDISPINFOW)) {
        char szTip[80];
        lstrcpynA(szTip, ToolTipText(static_cast<UINT>(pHdr->idFrom)).c_str(), sizeof(szTip));
        if (pHdr->code == TTN_GETDISPINFOA) {
            auto* pInfo = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            lstrcpynA(pInfo->szText, szTip, sizeof(pInfo->szText));
            pInfo->lpszText = pInfo->szText;
            pInfo->hinst = nullptr;
        } else {
            auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            const int nChars = static_cast<int>(sizeof(pInfo->szText) / sizeof(pInfo->szText[0]));
            if (MultiByteToWideChar(CP_ACP, 0, szTip, -1, pInfo->szText, nChars) == 0)
                pInfo->szText[0] = 0;
            pInfo->szText[nChars - 1] = 0;
            pInfo->lpszText = pInfo->szText;
            pInfo->hinst = nullptr;
        }
        *pResult = 0;
        return TRUE;
    }
    return CControlBar::OnNotify(wParam, lParam, pResult);
}

// Room for the gripper on the left and a thin edge elsewhere.
LRESULT CToolBar::OnNcCalcSize(WPARAM, LPARAM lParam)
{
    const LRESULT lResult = Default();
    RECT* pRect = reinterpret_cast<RECT*>(lParam);
    pRect->left += m_rcBorders.left + ((m_dwStyle & CBRS_GRIPPER) ? kGripperInset : kEdgeInset);
    pRect->top += m_rcBorders.top + kEdgeInset;
    pRect->right -= m_rcBorders.right + kEdgeInset;
    pRect->bottom -= m_rcBorders.bottom + kEdgeInset;
    if (pRect->right < pRect->left)
        pRect->right = pRect->left;
    if (pRect->bottom < pRect->top)
        pRect->bottom = pRect->top;
    return lResult;
}

LRESULT CToolBar::OnNcPaint(WPARAM, LPARAM)
{
    Default();
    RECT rcWindow;
    GetWindowRect(&rcWindow);
    RECT rcClient;
    GetClientRect(&rcClient);
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rcClient), 2);
    OffsetRect(&rcClient, -rcWindow.left, -rcWindow.top);
    OffsetRect(&rcWindow, -rcWindow.left, -rcWindow.top);

    CNonClientDC dc(m_hWnd);
    if (dc.Get() == nullptr)
        return 0;
    ExcludeClipRect(dc, rcClient.left, rcClient.top, rcClient.right, rcClient.bottom);
    FillRect(dc, &rcWindow, GetSysColorBrush(COLOR_BTNFACE));
    if (m_dwStyle & CBRS_ALIGN_TOP) {
        // The etched line under the menu bar.
        RECT rcLine = rcWindow;
        DrawEdge(dc, &rcLine, EDGE_ETCHED, BF_TOP);
    }
    if (m_dwStyle & CBRS_GRIPPER) {
        RECT rcGrip = {rcWindow.left + 3, rcWindow.top + 4, rcWindow.left + 6, rcWindow.bottom - 3};
        if (rcGrip.bottom > rcGrip.top)
            DrawEdge(dc, &rcGrip, BDR_RAISEDINNER, BF_RECT);
    }
    return 0;
}

LRESULT CToolBar::OnEraseBackground(WPARAM wParam, LPARAM)
{
    RECT rc;
    GetClientRect(&rc);
    FillRect(reinterpret_cast<HDC>(wParam), &rc, GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}

// The prompt of the button under the mouse goes to the status bar.
LRESULT CToolBar::OnMouseMove(WPARAM, LPARAM lParam)
{
    const LRESULT lResult = Default();
    if (m_dwStyle & CBRS_FLYBY) {
        POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const int nIndex = static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&pt)));
        const UINT nID = nIndex >= 0 ? GetItemID(nIndex) : 0;
        if (nID != 0) {
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
            TrackMouseEvent(&tme);
        }
        SetFlyByID(nID);
    }
    return lResult;
}

LRESULT CToolBar::OnMouseLeave(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    SetFlyByID(0);
    return lResult;
}

void CToolBar::SetFlyByID(UINT nID)
{
    if (nID == m_nFlyByID)
        return;
    m_nFlyByID = nID;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr)
        pFrame->SetMessageText(nID != 0 ? CFrameWnd::GetMessageString(nID).c_str()
                                        : AfxLoadString(AFX_IDS_IDLEMESSAGE).c_str());
}
