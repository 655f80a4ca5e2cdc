#include "app/GridHostView.h"

#include "framework/Handles.h"

BEGIN_MESSAGE_MAP(CGridHostView, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CGridHostView::~CGridHostView() = default;

// A client edge instead of the plain border, on a class of its own that
// redraws on size, takes double clicks and shows the arrow.
BOOL CGridHostView::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    cs.style &= ~static_cast<LONG>(WS_BORDER);
    cs.lpszClass = RegisterWndClass(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                                    LoadCursorA(nullptr, IDC_ARROW),
                                    reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
    return cs.lpszClass != nullptr;
}

// The grid covers the view; painting only validates the area.
void CGridHostView::OnPaint()
{
    CPaintDC dc(m_hWnd);
}
