#include "afxwin.h"
#include "afxcmn.h"

#include "CommonControls.h"

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

CSliderCtrl::CSliderCtrl() {}

CSliderCtrl::~CSliderCtrl()
{
    DestroyWindow();
}

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!afxinternal::EnsureCommonControls(ICC_BAR_CLASSES))
        return FALSE;
    return CWnd::Create(TRACKBAR_CLASS, NULL, dwStyle, rect, pParentWnd, nID);
}

int CSliderCtrl::GetLineSize() const
{
    return (int)::SendMessage(m_hWnd, TBM_GETLINESIZE, 0, 0);
}

int CSliderCtrl::SetLineSize(int nSize)
{
    return (int)::SendMessage(m_hWnd, TBM_SETLINESIZE, 0, nSize);
}

int CSliderCtrl::GetPageSize() const
{
    return (int)::SendMessage(m_hWnd, TBM_GETPAGESIZE, 0, 0);
}

int CSliderCtrl::SetPageSize(int nSize)
{
    return (int)::SendMessage(m_hWnd, TBM_SETPAGESIZE, 0, nSize);
}

int CSliderCtrl::GetRangeMax() const
{
    return (int)::SendMessage(m_hWnd, TBM_GETRANGEMAX, 0, 0);
}

int CSliderCtrl::GetRangeMin() const
{
    return (int)::SendMessage(m_hWnd, TBM_GETRANGEMIN, 0, 0);
}

void CSliderCtrl::GetRange(int& nMin, int& nMax) const
{
    nMin = GetRangeMin();
    nMax = GetRangeMax();
}

void CSliderCtrl::SetRangeMin(int nMin, BOOL bRedraw)
{
    ::SendMessage(m_hWnd, TBM_SETRANGEMIN, bRedraw, nMin);
}

void CSliderCtrl::SetRangeMax(int nMax, BOOL bRedraw)
{
    ::SendMessage(m_hWnd, TBM_SETRANGEMAX, bRedraw, nMax);
}

// Both limits in full (TBM_SETRANGE would cut them to 16 bits).
void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw)
{
    SetRangeMin(nMin, FALSE);
    SetRangeMax(nMax, bRedraw);
}

void CSliderCtrl::GetSelection(int& nMin, int& nMax) const
{
    nMin = (int)::SendMessage(m_hWnd, TBM_GETSELSTART, 0, 0);
    nMax = (int)::SendMessage(m_hWnd, TBM_GETSELEND, 0, 0);
}

void CSliderCtrl::SetSelection(int nMin, int nMax)
{
    ::SendMessage(m_hWnd, TBM_SETSELSTART, FALSE, nMin);
    ::SendMessage(m_hWnd, TBM_SETSELEND, TRUE, nMax);
}

void CSliderCtrl::GetChannelRect(LPRECT lprc) const
{
    ::SendMessage(m_hWnd, TBM_GETCHANNELRECT, 0, (LPARAM)lprc);
}

void CSliderCtrl::GetThumbRect(LPRECT lprc) const
{
    ::SendMessage(m_hWnd, TBM_GETTHUMBRECT, 0, (LPARAM)lprc);
}

int CSliderCtrl::GetPos() const
{
    return (int)::SendMessage(m_hWnd, TBM_GETPOS, 0, 0);
}

void CSliderCtrl::SetPos(int nPos)
{
    ::SendMessage(m_hWnd, TBM_SETPOS, TRUE, nPos);
}

BOOL CSliderCtrl::SetTic(int nTic)
{
    return (BOOL)::SendMessage(m_hWnd, TBM_SETTIC, 0, nTic);
}

void CSliderCtrl::SetTicFreq(int nFreq)
{
    ::SendMessage(m_hWnd, TBM_SETTICFREQ, nFreq, 0);
}

void CSliderCtrl::ClearTics(BOOL bRedraw)
{
    ::SendMessage(m_hWnd, TBM_CLEARTICS, bRedraw, 0);
}
