#include "afxwin.h"
#include "afxcmn.h"

#include "CommonControls.h"

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

CSpinButtonCtrl::CSpinButtonCtrl() {}

CSpinButtonCtrl::~CSpinButtonCtrl()
{
    DestroyWindow();
}

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!afxinternal::EnsureCommonControls(ICC_UPDOWN_CLASS))
        return FALSE;
    return CWnd::Create(UPDOWN_CLASS, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CSpinButtonCtrl::SetAccel(int nAccel, UDACCEL* pAccel)
{
    return (BOOL)::SendMessage(m_hWnd, UDM_SETACCEL, nAccel, (LPARAM)pAccel);
}

int CSpinButtonCtrl::SetBase(int nBase)
{
    return (int)::SendMessage(m_hWnd, UDM_SETBASE, nBase, 0);
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy)
{
    return CWnd::FromHandle((HWND)::SendMessage(m_hWnd, UDM_SETBUDDY, (WPARAM)pWndBuddy->GetSafeHwnd(), 0));
}

CWnd* CSpinButtonCtrl::GetBuddy() const
{
    return CWnd::FromHandle((HWND)::SendMessage(m_hWnd, UDM_GETBUDDY, 0, 0));
}

int CSpinButtonCtrl::SetPos(int nPos)
{
    return (short)LOWORD(::SendMessage(m_hWnd, UDM_SETPOS, 0, MAKELPARAM(nPos, 0)));
}

int CSpinButtonCtrl::GetPos() const
{
    return (int)::SendMessage(m_hWnd, UDM_GETPOS, 0, 0);
}

void CSpinButtonCtrl::SetRange(int nLower, int nUpper)
{
    ::SendMessage(m_hWnd, UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower));
}

void CSpinButtonCtrl::SetRange32(int nLower, int nUpper)
{
    ::SendMessage(m_hWnd, UDM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper);
}

DWORD CSpinButtonCtrl::GetRange() const
{
    return (DWORD)::SendMessage(m_hWnd, UDM_GETRANGE, 0, 0);
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const
{
    DWORD range = GetRange();
    lower = (short)HIWORD(range);
    upper = (short)LOWORD(range);
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const
{
    ::SendMessage(m_hWnd, UDM_GETRANGE32, (WPARAM)&lower, (LPARAM)&upper);
}
