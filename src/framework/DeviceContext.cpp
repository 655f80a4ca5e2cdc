#include "framework/DeviceContext.h"

CPaintDC::CPaintDC(HWND hWnd) : m_hWnd(hWnd), m_ps(), m_hDC(::BeginPaint(hWnd, &m_ps))
{
}

CPaintDC::~CPaintDC()
{
    // EndPaint is due even when BeginPaint gave no DC.
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetDC(hWnd))
{
}

CClientDC::~CClientDC()
{
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, m_hDC);
}

CWindowDC::CWindowDC(HWND hWnd) : CClientDC(hWnd, ::GetWindowDC(hWnd))
{
}

CSelectObject::CSelectObject(HDC hDC, HGDIOBJ hObject)
    : m_hDC(hDC), m_hOld(hDC != nullptr && hObject != nullptr ? ::SelectObject(hDC, hObject) : nullptr)
{
}

CSelectObject::~CSelectObject()
{
    if (m_hOld != nullptr)
        ::SelectObject(m_hDC, m_hOld);
}
