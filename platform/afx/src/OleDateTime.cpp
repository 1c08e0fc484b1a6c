#include "afxoledate.h"
#include "afxexcept.h"
#include "afxoleexcept.h"

#include <math.h>

namespace {

// DATE is days since 30 December 1899. Before that day the sign is on the
// day count only: the fraction still counts forward from midnight, so
// -1.25 is 29 December 1899 06:00. "Linear" values below are plain days on
// one axis (-0.75 for that same moment), the form arithmetic needs.
const long kDaysFrom1970To1899 = 25569;  // 1899-12-30 is day -25569 of the Unix epoch
const long kFirstDay = -657434;          // 1 January 100
const long kLastDay = 2958465;           // 31 December 9999
const double kMaxSpanDays = kLastDay - kFirstDay + 1.0;  // first day to the end of the last

struct DateParts {
    int year, month, day, hour, minute, second;
    int dayOfWeek;  // 1 = Sunday
    int dayOfYear;  // 1 = 1 January
};

double LinearFromDate(DATE dt)
{
    if (dt >= 0)
        return dt;
    double day = ceil(dt);
    return day + (day - dt);
}

DATE DateFromLinear(double linear)
{
    if (linear >= 0)
        return linear;
    double day = floor(linear);
    return day - (linear - day);
}

bool IsLeapYear(long year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(long year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
long DaysFromCivil(long year, int month, int day)
{
    year -= month <= 2;
    long era = (year >= 0 ? year : year - 399) / 400;
    long yearOfEra = year - era * 400;
    long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;  // from 1 March
    long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(long days, long& year, int& month, int& day)
{
    days += 719468;
    long era = (days >= 0 ? days : days - 146096) / 146097;
    long dayOfEra = days - era * 146097;
    long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);  // from 1 March
    long monthFromMarch = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    year = yearOfEra + era * 400 + (month <= 2);
}

bool DateFromParts(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, DATE& dt)
{
    if (nYear < 100 || nYear > 9999 || nMonth < 1 || nMonth > 12)
        return false;
    if (nDay < 1 || nDay > DaysInMonth(nYear, nMonth))
        return false;
    if (nHour < 0 || nHour > 23 || nMin < 0 || nMin > 59 || nSec < 0 || nSec > 59)
        return false;
    long days = DaysFromCivil(nYear, nMonth, nDay) + kDaysFrom1970To1899;
    double time = (nHour * 3600 + nMin * 60 + nSec) / 86400.0;
    dt = days >= 0 ? days + time : days - time;
    return true;
}

// 1 January 100 to 31 December 9999, any time of those days. The test is on
// DATE itself: before 1899 a later time of day is a lower value.
bool IsInRange(DATE dt)
{
    return dt > kFirstDay - 1 && dt < kLastDay + 1;
}

// Parts of a date rounded to the nearest second; false outside the range.
bool PartsFromDate(DATE dt, DateParts& parts)
{
    if (!IsInRange(dt))
        return false;
    long long seconds = llround(LinearFromDate(dt) * 86400.0);
    long long days = seconds / 86400;
    long long secondOfDay = seconds % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        --days;
    }
    if (days < kFirstDay || days > kLastDay)
        return false;  // rounded over the edge
    long year;
    CivilFromDays(static_cast<long>(days) - kDaysFrom1970To1899, year, parts.month, parts.day);
    parts.year = static_cast<int>(year);
    parts.hour = static_cast<int>(secondOfDay / 3600);
    parts.minute = static_cast<int>(secondOfDay / 60 % 60);
    parts.second = static_cast<int>(secondOfDay % 60);
    // 30 December 1899 was a Saturday.
    parts.dayOfWeek = static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
    parts.dayOfYear = static_cast<int>(days - kDaysFrom1970To1899 - DaysFromCivil(year, 1, 1)) + 1;
    return true;
}

// An automation call that fails for another reason than the text or the
// value it was given is thrown, as every automation failure of the library.
[[noreturn]] void ThrowOleError(HRESULT hr)
{
    if (hr == E_OUTOFMEMORY)
        AfxThrowMemoryException();
    AfxThrowOleException(hr);
}

// The class library's own text for a date that is not valid.
const char kInvalidDateTime[] = "Invalid DateTime";

}  // namespace

// COleDateTimeSpan

COleDateTimeSpan::COleDateTimeSpan() : m_span(0), m_status(valid) {}

COleDateTimeSpan::COleDateTimeSpan(double dblSpanSrc) : m_span(dblSpanSrc), m_status(valid) {}

COleDateTimeSpan::COleDateTimeSpan(long lDays, int nHours, int nMins, int nSecs)
    : m_span(lDays + nHours / 24.0 + nMins / (24.0 * 60) + nSecs / 86400.0), m_status(valid)
{
    CheckRange();
}

void COleDateTimeSpan::SetStatus(DateTimeSpanStatus status) { m_status = status; }

COleDateTimeSpan::DateTimeSpanStatus COleDateTimeSpan::GetStatus() const { return m_status; }

// Every getter works on the span rounded to the second, so that 1.5 hours
// stored as a double is 1 hour 30 minutes and not 1 hour 29 minutes 59.99.
#define OLESPAN_SECONDS() llround(m_span * 86400.0)

double COleDateTimeSpan::GetTotalDays() const { return static_cast<double>(OLESPAN_SECONDS() / 86400); }
double COleDateTimeSpan::GetTotalHours() const { return static_cast<double>(OLESPAN_SECONDS() / 3600); }
double COleDateTimeSpan::GetTotalMinutes() const { return static_cast<double>(OLESPAN_SECONDS() / 60); }
double COleDateTimeSpan::GetTotalSeconds() const { return static_cast<double>(OLESPAN_SECONDS()); }

long COleDateTimeSpan::GetDays() const { return static_cast<long>(OLESPAN_SECONDS() / 86400); }
long COleDateTimeSpan::GetHours() const { return static_cast<long>(OLESPAN_SECONDS() / 3600 % 24); }
long COleDateTimeSpan::GetMinutes() const { return static_cast<long>(OLESPAN_SECONDS() / 60 % 60); }
long COleDateTimeSpan::GetSeconds() const { return static_cast<long>(OLESPAN_SECONDS() % 60); }

#undef OLESPAN_SECONDS

void COleDateTimeSpan::CheckRange()
{
    if (m_span < -kMaxSpanDays || m_span > kMaxSpanDays)
        m_status = invalid;
}

// COleDateTime

COleDateTime PASCAL COleDateTime::GetCurrentTime() { return COleDateTime(::time(NULL)); }

COleDateTime::COleDateTime() : m_dt(0), m_status(valid) {}

COleDateTime::COleDateTime(DATE dtSrc) : m_dt(dtSrc), m_status(valid) {}

COleDateTime::COleDateTime(time_t timeSrc) : m_dt(0), m_status(valid) { *this = timeSrc; }

COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc) : m_dt(0), m_status(valid) { *this = systimeSrc; }

COleDateTime::COleDateTime(const FILETIME& filetimeSrc) : m_dt(0), m_status(valid) { *this = filetimeSrc; }

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
    : m_dt(0), m_status(valid)
{
    SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

void COleDateTime::SetStatus(DateTimeStatus status) { m_status = status; }

COleDateTime::DateTimeStatus COleDateTime::GetStatus() const { return m_status; }

#define OLEDATE_PART(field)                                          \
    DateParts parts;                                                 \
    if (m_status != valid || !PartsFromDate(m_dt, parts))            \
        return -1;                                                   \
    return parts.field

int COleDateTime::GetYear() const { OLEDATE_PART(year); }
int COleDateTime::GetMonth() const { OLEDATE_PART(month); }
int COleDateTime::GetDay() const { OLEDATE_PART(day); }
int COleDateTime::GetHour() const { OLEDATE_PART(hour); }
int COleDateTime::GetMinute() const { OLEDATE_PART(minute); }
int COleDateTime::GetSecond() const { OLEDATE_PART(second); }
int COleDateTime::GetDayOfWeek() const { OLEDATE_PART(dayOfWeek); }
int COleDateTime::GetDayOfYear() const { OLEDATE_PART(dayOfYear); }

#undef OLEDATE_PART

const COleDateTime& COleDateTime::operator=(DATE dtSrc)
{
    m_dt = dtSrc;
    m_status = valid;
    return *this;
}

const COleDateTime& COleDateTime::operator=(const time_t& timeSrc)
{
    struct tm* ptm = localtime(&timeSrc);
    if (ptm == NULL) {
        m_status = invalid;  // the C runtime has no local time for it (before 1970)
        return *this;
    }
    SetDateTime(ptm->tm_year + 1900, ptm->tm_mon + 1, ptm->tm_mday, ptm->tm_hour, ptm->tm_min, ptm->tm_sec);
    return *this;
}

const COleDateTime& COleDateTime::operator=(const SYSTEMTIME& systimeSrc)
{
    SetDateTime(systimeSrc.wYear, systimeSrc.wMonth, systimeSrc.wDay, systimeSrc.wHour,
                systimeSrc.wMinute, systimeSrc.wSecond);
    return *this;
}

const COleDateTime& COleDateTime::operator=(const FILETIME& filetimeSrc)
{
    // A file time is UTC; the date's parts are local, as CTime's are.
    FILETIME localTime;
    SYSTEMTIME sysTime;
    if (FileTimeToLocalFileTime(&filetimeSrc, &localTime) && FileTimeToSystemTime(&localTime, &sysTime))
        *this = sysTime;
    else
        m_status = invalid;
    return *this;
}

BOOL COleDateTime::operator==(const COleDateTime& date) const
{
    return m_status == date.m_status && m_dt == date.m_dt;
}

BOOL COleDateTime::operator!=(const COleDateTime& date) const { return !(*this == date); }

BOOL COleDateTime::operator<(const COleDateTime& date) const
{
    return LinearFromDate(m_dt) < LinearFromDate(date.m_dt);
}

BOOL COleDateTime::operator>(const COleDateTime& date) const
{
    return LinearFromDate(m_dt) > LinearFromDate(date.m_dt);
}

BOOL COleDateTime::operator<=(const COleDateTime& date) const
{
    return LinearFromDate(m_dt) <= LinearFromDate(date.m_dt);
}

BOOL COleDateTime::operator>=(const COleDateTime& date) const
{
    return LinearFromDate(m_dt) >= LinearFromDate(date.m_dt);
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& dateSpan) const
{
    COleDateTime result;
    // null wins over invalid: nothing plus anything is nothing.
    if (m_status == null || dateSpan.m_status == COleDateTimeSpan::null) {
        result.m_status = null;
        return result;
    }
    if (m_status == invalid || dateSpan.m_status == COleDateTimeSpan::invalid) {
        result.m_status = invalid;
        return result;
    }
    result.m_dt = DateFromLinear(LinearFromDate(m_dt) + dateSpan.m_span);
    result.CheckRange();
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& dateSpan) const
{
    COleDateTimeSpan negated(-dateSpan.m_span);
    negated.m_status = dateSpan.m_status;
    return *this + negated;
}

const COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan dateSpan)
{
    *this = *this + dateSpan;
    return *this;
}

const COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan dateSpan)
{
    *this = *this - dateSpan;
    return *this;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& date) const
{
    COleDateTimeSpan result;
    if (m_status == null || date.m_status == null) {
        result.m_status = COleDateTimeSpan::null;
        return result;
    }
    if (m_status == invalid || date.m_status == invalid) {
        result.m_status = COleDateTimeSpan::invalid;
        return result;
    }
    result.m_span = LinearFromDate(m_dt) - LinearFromDate(date.m_dt);
    result.CheckRange();
    return result;
}

COleDateTime::operator DATE() const { return m_dt; }

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    // On failure the value stays as it was; only the status tells.
    m_status = DateFromParts(nYear, nMonth, nDay, nHour, nMin, nSec, m_dt) ? valid : invalid;
    return m_status;
}

int COleDateTime::SetDate(int nYear, int nMonth, int nDay)
{
    return SetDateTime(nYear, nMonth, nDay, 0, 0, 0);
}

int COleDateTime::SetTime(int nHour, int nMin, int nSec)
{
    // A time alone is a time on day 0, 30 December 1899.
    return SetDateTime(1899, 12, 30, nHour, nMin, nSec);
}

BOOL COleDateTime::ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags, LCID lcid)
{
    if (lpszDate == NULL)
        lpszDate = "";
    int length = MultiByteToWideChar(CP_ACP, 0, lpszDate, -1, NULL, 0);
    BSTR text = SysAllocStringLen(NULL, length > 0 ? length - 1 : 0);
    if (text == NULL)
        AfxThrowMemoryException();
    MultiByteToWideChar(CP_ACP, 0, lpszDate, -1, text, length);
    DATE dt = 0;
    HRESULT hr = VarDateFromStr(text, lcid, dwFlags, &dt);
    SysFreeString(text);
    if (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW) {
        // A text that is no date leaves 0, one out of range -1.
        m_dt = hr == DISP_E_OVERFLOW ? -1 : 0;
        m_status = invalid;
        return FALSE;
    }
    if (FAILED(hr))
        ThrowOleError(hr);
    m_dt = dt;
    m_status = valid;
    return TRUE;
}

CString COleDateTime::Format(DWORD dwFlags, LCID lcid) const
{
    if (m_status == null)
        return CString();
    if (m_status == invalid)
        return CString(kInvalidDateTime);
    BSTR text = NULL;
    HRESULT hr = VarBstrFromDate(m_dt, lcid, dwFlags, &text);
    if (FAILED(hr))
        ThrowOleError(hr);
    CString result(static_cast<LPCWSTR>(text));
    SysFreeString(text);
    return result;
}

CString COleDateTime::Format(LPCTSTR lpszFormat) const
{
    CString result;
    if (m_status == null)
        return result;
    DateParts parts;
    if (m_status == invalid || !PartsFromDate(m_dt, parts))
        return CString(kInvalidDateTime);
    if (lpszFormat == NULL || *lpszFormat == '\0')
        return result;

    struct tm atm = {};
    atm.tm_year = parts.year - 1900;
    atm.tm_mon = parts.month - 1;
    atm.tm_mday = parts.day;
    atm.tm_hour = parts.hour;
    atm.tm_min = parts.minute;
    atm.tm_sec = parts.second;
    atm.tm_wday = parts.dayOfWeek - 1;
    atm.tm_yday = parts.dayOfYear - 1;
    atm.tm_isdst = -1;
    // A zero from strftime is an empty text or a short buffer: grow a few times.
    for (int size = 128; size <= 128 * 1024; size *= 4) {
        LPTSTR buffer = result.GetBuffer(size);
        size_t length = strftime(buffer, size, lpszFormat, &atm);
        result.ReleaseBuffer(static_cast<int>(length));
        if (length != 0)
            break;
    }
    return result;
}

void COleDateTime::CheckRange()
{
    if (!IsInRange(m_dt))
        m_status = invalid;
}
