#include "afxwin.h"
#include "afxcmn.h"

#include "CommonControls.h"

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

CProgressCtrl::CProgressCtrl() {}

CProgressCtrl::~CProgressCtrl()
{
    DestroyWindow();
}

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!afxinternal::EnsureCommonControls(ICC_PROGRESS_CLASS))
        return FALSE;
    return CWnd::Create(PROGRESS_CLASS, NULL, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::SetRange(short nLower, short nUpper)
{
    ::SendMessage(m_hWnd, PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper));
}

void CProgressCtrl::SetRange32(int nLower, int nUpper)
{
    ::SendMessage(m_hWnd, PBM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper);
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper)
{
    PBRANGE range;
    ::SendMessage(m_hWnd, PBM_GETRANGE, FALSE, (LPARAM)&range);
    nLower = range.iLow;
    nUpper = range.iHigh;
}

int CProgressCtrl::GetPos()
{
    return (int)::SendMessage(m_hWnd, PBM_GETPOS, 0, 0);
}

int CProgressCtrl::SetPos(int nPos)
{
    return (int)::SendMessage(m_hWnd, PBM_SETPOS, nPos, 0);
}

int CProgressCtrl::OffsetPos(int nPos)
{
    return (int)::SendMessage(m_hWnd, PBM_DELTAPOS, nPos, 0);
}

int CProgressCtrl::SetStep(int nStep)
{
    return (int)::SendMessage(m_hWnd, PBM_SETSTEP, nStep, 0);
}

int CProgressCtrl::StepIt()
{
    return (int)::SendMessage(m_hWnd, PBM_STEPIT, 0, 0);
}
