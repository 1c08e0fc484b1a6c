// Absolute times (CTime, seconds since 1970 in UTC, shown in local time) and
// spans between them (CTimeSpan, seconds).
#pragma once

#include "afxbase.h"
#include "afxstr.h"

#include <time.h>

// winbase.h maps GetCurrentTime() to GetTickCount(), which would rename the
// static members of the time classes.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

class CString;

class AFX_API CTimeSpan
{
public:
    CTimeSpan();
    CTimeSpan(time_t time);
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    LONG GetDays() const;          // whole days
    LONG GetTotalHours() const;
    int GetHours() const;          // hours within the day
    LONG GetTotalMinutes() const;
    int GetMinutes() const;        // minutes within the hour
    LONG GetTotalSeconds() const;
    int GetSeconds() const;        // seconds within the minute

    CTimeSpan operator-(CTimeSpan timeSpan) const;
    CTimeSpan operator+(CTimeSpan timeSpan) const;
    const CTimeSpan& operator+=(CTimeSpan timeSpan);
    const CTimeSpan& operator-=(CTimeSpan timeSpan);
    BOOL operator==(CTimeSpan timeSpan) const;
    BOOL operator!=(CTimeSpan timeSpan) const;
    BOOL operator<(CTimeSpan timeSpan) const;
    BOOL operator>(CTimeSpan timeSpan) const;
    BOOL operator<=(CTimeSpan timeSpan) const;
    BOOL operator>=(CTimeSpan timeSpan) const;

    // %D days, %H hours, %M minutes, %S seconds, %% a percent sign.
    CString Format(LPCTSTR pFormat) const;

private:
    time_t m_timeSpan;
    friend class CTime;
};

class AFX_API CTime
{
public:
    static CTime PASCAL GetCurrentTime();

    CTime();
    CTime(time_t time);
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    CTime(WORD wDosDate, WORD wDosTime, int nDST = -1);
    CTime(const SYSTEMTIME& sysTime, int nDST = -1);
    CTime(const FILETIME& fileTime, int nDST = -1);

    // Without ptm the result is the C runtime's own buffer, good until the
    // next conversion on this thread.
    struct tm* GetGmtTm(struct tm* ptm = NULL) const;
    struct tm* GetLocalTm(struct tm* ptm = NULL) const;

    time_t GetTime() const;
    int GetYear() const;
    int GetMonth() const;      // 1 = January
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday

    CTimeSpan operator-(CTime time) const;
    CTime operator-(CTimeSpan timeSpan) const;
    CTime operator+(CTimeSpan timeSpan) const;
    const CTime& operator+=(CTimeSpan timeSpan);
    const CTime& operator-=(CTimeSpan timeSpan);
    BOOL operator==(CTime time) const;
    BOOL operator!=(CTime time) const;
    BOOL operator<(CTime time) const;
    BOOL operator>(CTime time) const;
    BOOL operator<=(CTime time) const;
    BOOL operator>=(CTime time) const;

    // strftime codes; local time, or UTC for FormatGmt.
    CString Format(LPCTSTR pFormat) const;
    CString FormatGmt(LPCTSTR pFormat) const;
    CString Format(UINT nFormatID) const;

private:
    time_t m_time;
};
