// Printing: the whole grid width scaled onto the page, rows split into
// pages, each page with a header, the fixed rows and a footer.
#include "grid/GridCtrl.h"

#include <algorithm>
#include <ctime>
#include <string>

#include "framework/Handles.h"
#include "framework/WinApp.h"

namespace {

HFONT CreatePrintFont(int nWeight)
{
    LOGFONTA lf = {};
    lf.lfHeight = -10;
    lf.lfWeight = nWeight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_CHARACTER_PRECIS;
    lf.lfClipPrecision = CLIP_CHARACTER_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
    return ::CreateFontIndirectA(&lf);
}

void DrawLine(HDC hDC, int x1, int y, int x2)
{
    CSelectObject sel(hDC, ::GetStockObject(BLACK_PEN));
    ::MoveToEx(hDC, x1, y, nullptr);
    ::LineTo(hDC, x2, y);
}

}  // namespace

void CGridCtrl::SetPrintMarginInfo(int nHeaderHeight, int nFooterHeight, int nLeftMargin,
                                   int nRightMargin, int nTopMargin, int nBottomMargin, int nGap)
{
    if (nHeaderHeight >= 0)
        m_nHeaderHeight = nHeaderHeight;
    if (nFooterHeight >= 0)
        m_nFooterHeight = nFooterHeight;
    if (nLeftMargin >= 0)
        m_nLeftMargin = nLeftMargin;
    if (nRightMargin >= 0)
        m_nRightMargin = nRightMargin;
    if (nTopMargin >= 0)
        m_nTopMargin = nTopMargin;
    if (nBottomMargin >= 0)
        m_nBottomMargin = nBottomMargin;
    if (nGap >= 0)
        m_nGap = nGap;
}

void CGridCtrl::OnBeginPrinting(HDC hDC, CPrintInfo* pInfo)
{
    if (hDC == nullptr || pInfo == nullptr)
        return;
    // A font left by an earlier job goes only after its DC has its own font back.
    m_PrinterFontSelected.reset();
    m_PrinterFont.Reset(CreatePrintFont(FW_NORMAL));
    m_PrinterFontSelected.emplace(hDC, m_PrinterFont);

    static const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(hDC, kAlphabet, 52, &size);
    m_CharSize.cx = std::max<LONG>(size.cx / 52, 1);
    m_CharSize.cy = std::max<LONG>(size.cy, 1);

    m_PaperSize.cx = std::max(::GetDeviceCaps(hDC, HORZRES), 1);
    m_PaperSize.cy = std::max(::GetDeviceCaps(hDC, VERTRES), 1);
    const long long nWidth =
        GetVirtualWidth() + static_cast<long long>(m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;
    m_LogicalPageSize.cx = static_cast<LONG>(std::min<long long>(std::max<long long>(nWidth, 1), 0x7FFFFFF));
    m_LogicalPageSize.cy = ::MulDiv(m_LogicalPageSize.cx, m_PaperSize.cy, m_PaperSize.cx);

    m_nPageHeight = m_LogicalPageSize.cy -
                    (m_nHeaderHeight + m_nFooterHeight + 2 * m_nGap) * m_CharSize.cy -
                    GetFixedRowHeight();

    // A row that does not fit starts the next page; a row taller than a
    // page gets a page of its own.
    m_arPageFirstRow.assign(1, m_nFixedRows);
    int nUsed = 0;
    for (int nRow = m_nFixedRows; nRow < m_nRows; ++nRow) {
        const int nHeight = GetRowHeight(nRow);
        if (nUsed > 0 && nUsed + nHeight > m_nPageHeight) {
            m_arPageFirstRow.push_back(nRow);
            nUsed = 0;
        }
        nUsed += nHeight;
    }
    pInfo->SetMaxPage(static_cast<UINT>(m_arPageFirstRow.size()));
    pInfo->m_nCurPage = 1;
}

void CGridCtrl::OnPrint(HDC hDC, CPrintInfo* pInfo)
{
    if (hDC == nullptr || pInfo == nullptr || m_PrinterFont.Get() == nullptr)
        return;
    const UINT nPage = pInfo->m_nCurPage;
    if (nPage < 1 || nPage > m_arPageFirstRow.size())
        return;

    CSaveDC saveDC(hDC);
    ::SelectObject(hDC, m_PrinterFont);
    ::SetMapMode(hDC, MM_ANISOTROPIC);
    ::SetWindowExtEx(hDC, m_LogicalPageSize.cx, m_LogicalPageSize.cy, nullptr);
    ::SetViewportExtEx(hDC, m_PaperSize.cx, m_PaperSize.cy, nullptr);
    // The margin is measured from the paper's edge, not the printable area's.
    const int nOffsetX = ::MulDiv(::GetDeviceCaps(hDC, PHYSICALOFFSETX), m_LogicalPageSize.cx,
                                  m_PaperSize.cx);
    ::SetWindowOrgEx(hDC, -m_nLeftMargin * m_CharSize.cx + nOffsetX, 0, nullptr);

    const int nBandWidth =
        m_LogicalPageSize.cx - (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;
    int y = 0;
    pInfo->m_rectDraw = {0, y, nBandWidth, y + m_nHeaderHeight * m_CharSize.cy};
    PrintHeader(hDC, pInfo);
    y += (m_nHeaderHeight + m_nGap) * m_CharSize.cy;

    pInfo->m_rectDraw = {0, y, nBandWidth, y + GetFixedRowHeight()};
    PrintColumnHeadings(hDC, pInfo);
    y += GetFixedRowHeight();

    pInfo->m_rectDraw = {0, y, nBandWidth, y + m_nPageHeight};
    PrintRows(hDC, pInfo);

    const int nFooterTop = m_LogicalPageSize.cy - m_nFooterHeight * m_CharSize.cy;
    pInfo->m_rectDraw = {0, nFooterTop, nBandWidth, m_LogicalPageSize.cy};
    PrintFooter(hDC, pInfo);
}

// The printer DC gets its own font back first: a font still selected into a
// DC would not be deleted.
void CGridCtrl::OnEndPrinting(HDC /*hDC*/, CPrintInfo* /*pInfo*/)
{
    m_PrinterFontSelected.reset();
    m_PrinterFont.Reset();
}

int CGridCtrl::Print(HDC hDC, const char* pszDocName,
                     std::function<void(HDC, const CPrintInfo&)> pfnPageDone)
{
    CPrintJob job;
    job.pfnBeginPrinting = [this](HDC h, CPrintInfo* p) { OnBeginPrinting(h, p); };
    job.pfnPrint = [this](HDC h, CPrintInfo* p) { OnPrint(h, p); };
    job.pfnEndPrinting = [this](HDC h, CPrintInfo* p) { OnEndPrinting(h, p); };
    job.pfnPageDone = std::move(pfnPageDone);
    return AfxPrintPages(hDC, job, pszDocName);
}

void CGridCtrl::PrintHeader(HDC hDC, CPrintInfo* pInfo)
{
    RECT rc = pInfo->m_rectDraw;
    CGdiObjectT<HFONT> boldFont(CreatePrintFont(FW_BOLD));
    CSaveDC saveDC(hDC);
    if (boldFont.Get() != nullptr)
        ::SelectObject(hDC, boldFont);
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, RGB(0, 0, 0));

    char szTitle[260] = {};
    for (HWND hWnd = m_hWnd ? ::GetParent(m_hWnd) : nullptr; hWnd != nullptr;
         hWnd = ::GetParent(hWnd)) {
        if (::GetWindowTextA(hWnd, szTitle, sizeof(szTitle)) > 0)
            break;
    }
    szTitle[sizeof(szTitle) - 1] = '\0';
    const UINT nFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    ::DrawTextA(hDC, szTitle, -1, &rc, DT_CENTER | nFlags);
    const std::string strApp = AfxLoadString(AFX_IDS_APP_TITLE);
    ::DrawTextA(hDC, strApp.c_str(), -1, &rc, DT_RIGHT | nFlags);

    DrawLine(hDC, rc.left, rc.bottom, rc.right);
}

void CGridCtrl::PrintFooter(HDC hDC, CPrintInfo* pInfo)
{
    RECT rc = pInfo->m_rectDraw;
    DrawLine(hDC, rc.left, rc.top, rc.right);

    CGdiObjectT<HFONT> boldFont(CreatePrintFont(FW_BOLD));
    CSaveDC saveDC(hDC);
    if (boldFont.Get() != nullptr)
        ::SelectObject(hDC, boldFont);
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, RGB(0, 0, 0));

    char szPage[64] = {};
    wsprintfA(szPage, "Page %d of %d", static_cast<int>(pInfo->m_nCurPage),
              static_cast<int>(pInfo->GetMaxPage()));
    const UINT nFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    ::DrawTextA(hDC, szPage, -1, &rc, DT_LEFT | nFlags);

    char szDate[128] = {};
    const std::time_t now = std::time(nullptr);
    const std::tm* pTm = std::localtime(&now);
    if (pTm == nullptr || std::strftime(szDate, sizeof(szDate), "%c", pTm) == 0)
        szDate[0] = '\0';
    ::DrawTextA(hDC, szDate, -1, &rc, DT_RIGHT | nFlags);
}

void CGridCtrl::PrintColumnHeadings(HDC hDC, CPrintInfo* pInfo)
{
    const RECT rcBand = pInfo->m_rectDraw;
    for (int nRow = 0; nRow < m_nFixedRows; ++nRow) {
        const int nHeight = GetRowHeight(nRow);
        if (nHeight <= 0)
            continue;
        PrintRowCells(nRow, hDC, pInfo);
        pInfo->m_rectDraw.top += nHeight;
    }
    pInfo->m_rectDraw = rcBand;
}

void CGridCtrl::PrintRows(HDC hDC, CPrintInfo* pInfo)
{
    const UINT nPage = pInfo->m_nCurPage;
    if (nPage < 1 || nPage > m_arPageFirstRow.size())
        return;
    const int nFirst = m_arPageFirstRow[nPage - 1];
    const int nEnd = nPage < m_arPageFirstRow.size() ? m_arPageFirstRow[nPage] : m_nRows;
    const RECT rcBand = pInfo->m_rectDraw;
    for (int nRow = nFirst; nRow < nEnd; ++nRow) {
        const int nHeight = GetRowHeight(nRow);
        if (nHeight <= 0)
            continue;
        PrintRowCells(nRow, hDC, pInfo);
        pInfo->m_rectDraw.top += nHeight;
    }
    pInfo->m_rectDraw = rcBand;
}

// One row at m_rectDraw.top: its fixed columns, then the others, with the
// grid lines around each cell.
void CGridCtrl::PrintRowCells(int nRow, HDC hDC, CPrintInfo* pInfo)
{
    const int nHeight = GetRowHeight(nRow);
    const int y = pInfo->m_rectDraw.top;
    int x = pInfo->m_rectDraw.left;
    CPenHandle pen(::CreatePen(PS_SOLID, 0, m_crGridLineColour));
    for (int nCol = 0; nCol < m_nCols; ++nCol) {
        const int nWidth = GetColumnWidth(nCol);
        if (nWidth <= 0)
            continue;
        const RECT rect = {x, y, x + nWidth - 1, y + nHeight - 1};
        CGridCellBase* pCell = GetCell(nRow, nCol);
        if (pCell != nullptr)
            pCell->PrintCell(hDC, nRow, nCol, rect);
        if (m_nGridLines != GVL_NONE) {
            CSelectObject sel(hDC, pen);
            if (m_nGridLines & GVL_HORZ) {
                ::MoveToEx(hDC, rect.left, rect.bottom, nullptr);
                ::LineTo(hDC, rect.right + 1, rect.bottom);
            }
            if (m_nGridLines & GVL_VERT) {
                ::MoveToEx(hDC, rect.right, rect.top, nullptr);
                ::LineTo(hDC, rect.right, rect.bottom + 1);
            }
        }
        x += nWidth;
    }
}
