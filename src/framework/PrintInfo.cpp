#include "framework/PrintInfo.h"

#include "framework/Handles.h"

int AfxPrintPages(HDC hDC, const CPrintJob& job, const char* pszDocName)
{
    if (hDC == nullptr || !job.pfnPrint)
        return -1;
    CPrintInfo info;
    const bool bDocument = pszDocName != nullptr;
    if (bDocument) {
        DOCINFOA di = {};
        di.cbSize = sizeof(di);
        di.lpszDocName = pszDocName;
        if (::StartDocA(hDC, &di) <= 0)
            return -1;
    }
    if (job.pfnBeginPrinting)
        job.pfnBeginPrinting(hDC, &info);

    int nPrinted = 0;
    bool bFailed = false;
    for (info.m_nCurPage = info.GetFromPage(); info.m_nCurPage <= info.GetToPage(); ++info.m_nCurPage) {
        if (bDocument && ::StartPage(hDC) <= 0) {
            bFailed = true;
            break;
        }
        info.m_rectDraw = {0, 0, ::GetDeviceCaps(hDC, HORZRES), ::GetDeviceCaps(hDC, VERTRES)};
        {
            CSaveDC saved(hDC);
            job.pfnPrint(hDC, &info);
        }
        if (bDocument && ::EndPage(hDC) <= 0) {
            bFailed = true;
            break;
        }
        ++nPrinted;
        if (!bDocument && job.pfnPageDone)
            job.pfnPageDone(hDC, info);
        if (!info.m_bContinuePrinting)
            break;
    }

    if (job.pfnEndPrinting)
        job.pfnEndPrinting(hDC, &info);
    if (bDocument) {
        if (bFailed)
            ::AbortDoc(hDC);
        else
            ::EndDoc(hDC);
    }
    return bFailed ? -1 : nPrinted;
}
