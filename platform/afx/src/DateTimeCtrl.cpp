#include "afxwin.h"
#include "afxcmn.h"

#include "CommonControls.h"

namespace {
// A CTime as local time, down to the second.
SYSTEMTIME SystemTimeFromTime(const CTime& time)
{
    SYSTEMTIME st = {};
    st.wYear = (WORD)time.GetYear();
    st.wMonth = (WORD)time.GetMonth();
    st.wDay = (WORD)time.GetDay();
    st.wDayOfWeek = (WORD)(time.GetDayOfWeek() - 1);
    st.wHour = (WORD)time.GetHour();
    st.wMinute = (WORD)time.GetMinute();
    st.wSecond = (WORD)time.GetSecond();
    return st;
}

// GDT_NONE with a structure all the same: some versions of the control
// refuse a null one even though they ignore it.
BOOL ClearTime(HWND hWnd)
{
    SYSTEMTIME ignored = {};
    return (BOOL)::SendMessage(hWnd, DTM_SETSYSTEMTIME, GDT_NONE, (LPARAM)&ignored);
}

BOOL SystemTimeFromOleDate(const COleDateTime& date, SYSTEMTIME& st)
{
    if (date.GetStatus() != COleDateTime::valid)
        return FALSE;
    memset(&st, 0, sizeof(st));
    return VariantTimeToSystemTime(date.m_dt, &st);
}
}  // namespace

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)

CDateTimeCtrl::CDateTimeCtrl() {}

CDateTimeCtrl::~CDateTimeCtrl()
{
    DestroyWindow();
}

BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!afxinternal::EnsureCommonControls(ICC_DATE_CLASSES))
        return FALSE;
    return CWnd::Create(DATETIMEPICK_CLASS, NULL, dwStyle, rect, pParentWnd, nID);
}

COLORREF CDateTimeCtrl::GetMonthCalColor(int iColor) const
{
    return (COLORREF)::SendMessage(m_hWnd, DTM_GETMCCOLOR, iColor, 0);
}

COLORREF CDateTimeCtrl::SetMonthCalColor(int iColor, COLORREF ref)
{
    return (COLORREF)::SendMessage(m_hWnd, DTM_SETMCCOLOR, iColor, ref);
}

BOOL CDateTimeCtrl::SetFormat(LPCTSTR pstrFormat)
{
    return (BOOL)::SendMessage(m_hWnd, DTM_SETFORMAT, 0, (LPARAM)pstrFormat);
}

DWORD CDateTimeCtrl::GetTime(CTime& timeDest) const
{
    SYSTEMTIME st;
    DWORD dwResult = GetTime(&st);
    if (dwResult == GDT_VALID)
        timeDest = CTime(st);
    return dwResult;
}

BOOL CDateTimeCtrl::GetTime(COleDateTime& timeDest) const
{
    SYSTEMTIME st;
    if (GetTime(&st) != GDT_VALID) {
        timeDest.SetStatus(COleDateTime::null);
        return FALSE;
    }
    timeDest = COleDateTime(st);
    return TRUE;
}

DWORD CDateTimeCtrl::GetTime(LPSYSTEMTIME pTimeDest) const
{
    return (DWORD)::SendMessage(m_hWnd, DTM_GETSYSTEMTIME, 0, (LPARAM)pTimeDest);
}

BOOL CDateTimeCtrl::SetTime(const CTime& timeNew)
{
    return SetTime(&timeNew);
}

BOOL CDateTimeCtrl::SetTime(const CTime* pTimeNew)
{
    if (pTimeNew == NULL)
        return ClearTime(m_hWnd);
    SYSTEMTIME st = SystemTimeFromTime(*pTimeNew);
    return (BOOL)::SendMessage(m_hWnd, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&st);
}

// A null date clears the control; an invalid one is refused.
BOOL CDateTimeCtrl::SetTime(const COleDateTime& timeNew)
{
    if (timeNew.GetStatus() == COleDateTime::null)
        return ClearTime(m_hWnd);
    SYSTEMTIME st;
    if (!SystemTimeFromOleDate(timeNew, st))
        return FALSE;
    return (BOOL)::SendMessage(m_hWnd, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&st);
}

BOOL CDateTimeCtrl::SetTime(LPSYSTEMTIME pTimeNew)
{
    if (pTimeNew == NULL)
        return ClearTime(m_hWnd);
    return (BOOL)::SendMessage(m_hWnd, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)pTimeNew);
}

DWORD CDateTimeCtrl::GetRange(COleDateTime* pMinRange, COleDateTime* pMaxRange) const
{
    SYSTEMTIME range[2] = {};
    DWORD dwResult = (DWORD)::SendMessage(m_hWnd, DTM_GETRANGE, 0, (LPARAM)range);
    if (pMinRange != NULL) {
        if (dwResult & GDTR_MIN)
            *pMinRange = COleDateTime(range[0]);
        else
            pMinRange->SetStatus(COleDateTime::null);
    }
    if (pMaxRange != NULL) {
        if (dwResult & GDTR_MAX)
            *pMaxRange = COleDateTime(range[1]);
        else
            pMaxRange->SetStatus(COleDateTime::null);
    }
    return dwResult;
}

DWORD CDateTimeCtrl::GetRange(CTime* pMinRange, CTime* pMaxRange) const
{
    SYSTEMTIME range[2] = {};
    DWORD dwResult = (DWORD)::SendMessage(m_hWnd, DTM_GETRANGE, 0, (LPARAM)range);
    if (pMinRange != NULL && (dwResult & GDTR_MIN))
        *pMinRange = CTime(range[0]);
    if (pMaxRange != NULL && (dwResult & GDTR_MAX))
        *pMaxRange = CTime(range[1]);
    return dwResult;
}

BOOL CDateTimeCtrl::SetRange(const COleDateTime* pMinRange, const COleDateTime* pMaxRange)
{
    SYSTEMTIME range[2] = {};
    WPARAM flags = 0;
    if (pMinRange != NULL && SystemTimeFromOleDate(*pMinRange, range[0]))
        flags |= GDTR_MIN;
    if (pMaxRange != NULL && SystemTimeFromOleDate(*pMaxRange, range[1]))
        flags |= GDTR_MAX;
    return (BOOL)::SendMessage(m_hWnd, DTM_SETRANGE, flags, (LPARAM)range);
}

BOOL CDateTimeCtrl::SetRange(const CTime* pMinRange, const CTime* pMaxRange)
{
    SYSTEMTIME range[2] = {};
    WPARAM flags = 0;
    if (pMinRange != NULL) {
        range[0] = SystemTimeFromTime(*pMinRange);
        flags |= GDTR_MIN;
    }
    if (pMaxRange != NULL) {
        range[1] = SystemTimeFromTime(*pMaxRange);
        flags |= GDTR_MAX;
    }
    return (BOOL)::SendMessage(m_hWnd, DTM_SETRANGE, flags, (LPARAM)range);
}
