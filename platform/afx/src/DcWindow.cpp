// The device contexts of a window: painting, client area, whole window.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CWnd* CDC::GetWindow() const
{
    return m_hDC == NULL ? NULL : CWnd::FromHandle(::WindowFromDC(m_hDC));
}

CPaintDC::CPaintDC(CWnd* pWnd)
{
    m_hWnd = pWnd->GetSafeHwnd();
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd)
{
    m_hWnd = pWnd->GetSafeHwnd();
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    HDC hDC = Detach();
    if (hDC != NULL)
        ::ReleaseDC(m_hWnd, hDC);
}

CWindowDC::CWindowDC(CWnd* pWnd)
{
    m_hWnd = pWnd->GetSafeHwnd();
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    HDC hDC = Detach();
    if (hDC != NULL)
        ::ReleaseDC(m_hWnd, hDC);
}
