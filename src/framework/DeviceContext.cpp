#include "framework/DeviceContext.h"

CPaintDC::CPaintDC(HWND hWnd) : m_hWnd(hWnd), m_ps(), m_hDC(::BeginPaint(hWnd, &m_ps))
{
}

CPaintDC::~CPaintDC()
{
    // EndPaint is due even when BeginPaint gave no DC.
    ::EndPaint(m_hWnd, &m_ps);
}

CNonClientDC::CNonClientDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetWindowDC(hWnd))
{
}

CNonClientDC::~CNonClientDC()
{
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, m_hDC);
}
