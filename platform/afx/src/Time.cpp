#include "afxtime.h"

#include <stdio.h>

namespace {

const time_t kSecondsPerDay = 24 * 3600;

// strftime into a CString. A zero result means either an empty text or a
// buffer too small, so the buffer grows a few times before giving up; a
// format that cannot be converted gives an empty string.
CString FormatTm(LPCTSTR pFormat, const struct tm* ptm)
{
    CString result;
    if (pFormat == NULL || *pFormat == '\0' || ptm == NULL)
        return result;
    for (int size = 128; size <= 128 * 1024; size *= 4) {
        LPTSTR buffer = result.GetBuffer(size);
        size_t length = strftime(buffer, size, pFormat, ptm);
        result.ReleaseBuffer(static_cast<int>(length));
        if (length != 0)
            break;
    }
    return result;
}

}  // namespace

// CTimeSpan

CTimeSpan::CTimeSpan() : m_timeSpan(0) {}

CTimeSpan::CTimeSpan(time_t time) : m_timeSpan(time) {}

CTimeSpan::CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
    : m_timeSpan(nSecs + 60 * (nMins + 60 * (nHours + static_cast<time_t>(24) * lDays)))
{
}

LONG CTimeSpan::GetDays() const { return static_cast<LONG>(m_timeSpan / kSecondsPerDay); }
LONG CTimeSpan::GetTotalHours() const { return static_cast<LONG>(m_timeSpan / 3600); }
int CTimeSpan::GetHours() const { return static_cast<int>(GetTotalHours() - GetDays() * 24); }
LONG CTimeSpan::GetTotalMinutes() const { return static_cast<LONG>(m_timeSpan / 60); }
int CTimeSpan::GetMinutes() const { return static_cast<int>(GetTotalMinutes() - GetTotalHours() * 60); }
LONG CTimeSpan::GetTotalSeconds() const { return static_cast<LONG>(m_timeSpan); }
int CTimeSpan::GetSeconds() const { return static_cast<int>(GetTotalSeconds() - GetTotalMinutes() * 60); }

CTimeSpan CTimeSpan::operator-(CTimeSpan timeSpan) const { return CTimeSpan(m_timeSpan - timeSpan.m_timeSpan); }
CTimeSpan CTimeSpan::operator+(CTimeSpan timeSpan) const { return CTimeSpan(m_timeSpan + timeSpan.m_timeSpan); }

const CTimeSpan& CTimeSpan::operator+=(CTimeSpan timeSpan)
{
    m_timeSpan += timeSpan.m_timeSpan;
    return *this;
}

const CTimeSpan& CTimeSpan::operator-=(CTimeSpan timeSpan)
{
    m_timeSpan -= timeSpan.m_timeSpan;
    return *this;
}

BOOL CTimeSpan::operator==(CTimeSpan timeSpan) const { return m_timeSpan == timeSpan.m_timeSpan; }
BOOL CTimeSpan::operator!=(CTimeSpan timeSpan) const { return m_timeSpan != timeSpan.m_timeSpan; }
BOOL CTimeSpan::operator<(CTimeSpan timeSpan) const { return m_timeSpan < timeSpan.m_timeSpan; }
BOOL CTimeSpan::operator>(CTimeSpan timeSpan) const { return m_timeSpan > timeSpan.m_timeSpan; }
BOOL CTimeSpan::operator<=(CTimeSpan timeSpan) const { return m_timeSpan <= timeSpan.m_timeSpan; }
BOOL CTimeSpan::operator>=(CTimeSpan timeSpan) const { return m_timeSpan >= timeSpan.m_timeSpan; }

CString CTimeSpan::Format(LPCTSTR pFormat) const
{
    CString result;
    if (pFormat == NULL)
        return result;
    char number[32];
    for (LPCTSTR p = pFormat; *p != '\0'; ++p) {
        // No trail byte of the ANSI code page is '%': text goes over byte by byte.
        if (*p != '%') {
            result += *p;
            continue;
        }
        ++p;
        switch (*p) {
        case 'D':
            sprintf(number, "%ld", GetDays());
            result += number;
            break;
        case 'H':
            sprintf(number, "%02d", GetHours());
            result += number;
            break;
        case 'M':
            sprintf(number, "%02d", GetMinutes());
            result += number;
            break;
        case 'S':
            sprintf(number, "%02d", GetSeconds());
            result += number;
            break;
        case '\0':
            return result;  // a lone '%' at the end
        default:
            // '%%' and any code a span has no meaning for: the character itself.
            result += *p;
            break;
        }
    }
    return result;
}

// CTime

CTime PASCAL CTime::GetCurrentTime() { return CTime(::time(NULL)); }

CTime::CTime() : m_time(0) {}

CTime::CTime(time_t time) : m_time(time) {}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    struct tm atm = {};
    atm.tm_sec = nSec;
    atm.tm_min = nMin;
    atm.tm_hour = nHour;
    atm.tm_mday = nDay;
    atm.tm_mon = nMonth - 1;
    atm.tm_year = nYear - 1900;
    atm.tm_isdst = nDST;
    m_time = mktime(&atm);
}

CTime::CTime(WORD wDosDate, WORD wDosTime, int nDST)
    : CTime((wDosDate >> 9) + 1980, (wDosDate >> 5) & 0x0F, wDosDate & 0x1F,
            wDosTime >> 11, (wDosTime >> 5) & 0x3F, (wDosTime & 0x1F) * 2, nDST)
{
}

CTime::CTime(const SYSTEMTIME& sysTime, int nDST) : m_time(0)
{
    // Years before 1900 are outside what a CTime can describe: the epoch stands in.
    if (sysTime.wYear >= 1900) {
        *this = CTime(sysTime.wYear, sysTime.wMonth, sysTime.wDay, sysTime.wHour,
                      sysTime.wMinute, sysTime.wSecond, nDST);
    }
}

CTime::CTime(const FILETIME& fileTime, int nDST) : m_time(0)
{
    // A file time is UTC; CTime's parts are local.
    FILETIME localTime;
    SYSTEMTIME sysTime;
    if (FileTimeToLocalFileTime(&fileTime, &localTime) && FileTimeToSystemTime(&localTime, &sysTime))
        *this = CTime(sysTime, nDST);
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    struct tm* ptmTemp = gmtime(&m_time);
    if (ptm == NULL || ptmTemp == NULL)
        return ptmTemp;
    *ptm = *ptmTemp;
    return ptm;
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    struct tm* ptmTemp = localtime(&m_time);
    if (ptm == NULL || ptmTemp == NULL)
        return ptmTemp;
    *ptm = *ptmTemp;
    return ptm;
}

time_t CTime::GetTime() const { return m_time; }

// A time the C runtime cannot convert (before 1970 in local time) gives -1
// for every part.
#define CTIME_LOCAL_PART(expr)           \
    struct tm atm;                       \
    if (GetLocalTm(&atm) == NULL)        \
        return -1;                       \
    return (expr)

int CTime::GetYear() const { CTIME_LOCAL_PART(atm.tm_year + 1900); }
int CTime::GetMonth() const { CTIME_LOCAL_PART(atm.tm_mon + 1); }
int CTime::GetDay() const { CTIME_LOCAL_PART(atm.tm_mday); }
int CTime::GetHour() const { CTIME_LOCAL_PART(atm.tm_hour); }
int CTime::GetMinute() const { CTIME_LOCAL_PART(atm.tm_min); }
int CTime::GetSecond() const { CTIME_LOCAL_PART(atm.tm_sec); }
int CTime::GetDayOfWeek() const { CTIME_LOCAL_PART(atm.tm_wday + 1); }

#undef CTIME_LOCAL_PART

CTimeSpan CTime::operator-(CTime time) const { return CTimeSpan(m_time - time.m_time); }
CTime CTime::operator-(CTimeSpan timeSpan) const { return CTime(m_time - timeSpan.m_timeSpan); }
CTime CTime::operator+(CTimeSpan timeSpan) const { return CTime(m_time + timeSpan.m_timeSpan); }

const CTime& CTime::operator+=(CTimeSpan timeSpan)
{
    m_time += timeSpan.m_timeSpan;
    return *this;
}

const CTime& CTime::operator-=(CTimeSpan timeSpan)
{
    m_time -= timeSpan.m_timeSpan;
    return *this;
}

BOOL CTime::operator==(CTime time) const { return m_time == time.m_time; }
BOOL CTime::operator!=(CTime time) const { return m_time != time.m_time; }
BOOL CTime::operator<(CTime time) const { return m_time < time.m_time; }
BOOL CTime::operator>(CTime time) const { return m_time > time.m_time; }
BOOL CTime::operator<=(CTime time) const { return m_time <= time.m_time; }
BOOL CTime::operator>=(CTime time) const { return m_time >= time.m_time; }

CString CTime::Format(LPCTSTR pFormat) const
{
    struct tm atm;
    return FormatTm(pFormat, GetLocalTm(&atm));
}

CString CTime::FormatGmt(LPCTSTR pFormat) const
{
    struct tm atm;
    return FormatTm(pFormat, GetGmtTm(&atm));
}

CString CTime::Format(UINT nFormatID) const
{
    CString format;
    VERIFY(format.LoadString(nFormatID));
    return Format(format);
}
