#include "afxwin.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

CButton::CButton() {}

CButton::~CButton()
{
    DestroyWindow();
}

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(_T("BUTTON"), lpszCaption, dwStyle, rect, pParentWnd, nID);
}

UINT CButton::GetState() const
{
    return (UINT)::SendMessage(m_hWnd, BM_GETSTATE, 0, 0);
}

void CButton::SetState(BOOL bHighlight)
{
    ::SendMessage(m_hWnd, BM_SETSTATE, bHighlight, 0);
}

int CButton::GetCheck() const
{
    return (int)::SendMessage(m_hWnd, BM_GETCHECK, 0, 0);
}

void CButton::SetCheck(int nCheck)
{
    ::SendMessage(m_hWnd, BM_SETCHECK, nCheck, 0);
}

UINT CButton::GetButtonStyle() const
{
    return (UINT)::GetWindowLong(m_hWnd, GWL_STYLE) & 0xff;
}

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw)
{
    ::SendMessage(m_hWnd, BM_SETSTYLE, nStyle, (LPARAM)bRedraw);
}

HICON CButton::SetIcon(HICON hIcon)
{
    return (HICON)::SendMessage(m_hWnd, BM_SETIMAGE, IMAGE_ICON, (LPARAM)hIcon);
}

HBITMAP CButton::SetBitmap(HBITMAP hBitmap)
{
    return (HBITMAP)::SendMessage(m_hWnd, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap);
}

HBITMAP CButton::GetBitmap() const
{
    return (HBITMAP)::SendMessage(m_hWnd, BM_GETIMAGE, IMAGE_BITMAP, 0);
}

// An owner-draw button has to draw itself: a derived class overrides this.
void CButton::DrawItem(LPDRAWITEMSTRUCT)
{
    ASSERT(FALSE);
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem((LPDRAWITEMSTRUCT)lParam);
    if (pResult != NULL)
        *pResult = TRUE;
    return TRUE;
}
