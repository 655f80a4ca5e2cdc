// The print loop: one print job on a DC, driven page by page through three
// callbacks (begin, one page, end) with a print-info record.
//
// On a printer DC the job is a document (StartDoc/StartPage/EndPage/
// EndDoc). Without a document name the pages are drawn on the DC as it is
// (a bitmap or metafile DC) and a page-done callback may take each page
// before the next one is drawn over it.
#pragma once

#include <windows.h>

#include <functional>

class CPrintInfo {
public:
    UINT GetMinPage() const { return 1; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
    UINT GetFromPage() const { return 1; }
    UINT GetToPage() const { return m_nMaxPage; }

    UINT m_nCurPage = 1;           // the page being printed, from 1
    RECT m_rectDraw = {0, 0, 0, 0};  // the printable area of the page, device pixels
    BOOL m_bContinuePrinting = TRUE;  // a page callback may stop the job

private:
    UINT m_nMaxPage = 0xFFFF;
};

struct CPrintJob {
    std::function<void(HDC, CPrintInfo*)> pfnBeginPrinting;
    std::function<void(HDC, CPrintInfo*)> pfnPrint;  // one page: m_nCurPage
    std::function<void(HDC, CPrintInfo*)> pfnEndPrinting;
    // Called after each page when the job is not a document.
    std::function<void(HDC, const CPrintInfo&)> pfnPageDone;
};

// Runs the job on hDC. With a document name the DC must be a printer DC.
// Returns the number of pages printed, or -1 when the document could not
// be started or a page failed.
int AfxPrintPages(HDC hDC, const CPrintJob& job, const char* pszDocName = nullptr);
