// Automation dates (COleDateTime, a DATE: days since 30 December 1899, the
// time of day as the fraction), spans between them (COleDateTimeSpan) and
// automation currency amounts (COleCurrency).
#pragma once

#include "afxbase.h"
#include "afxstr.h"

#include <oleauto.h>
#include <time.h>

// winbase.h maps GetCurrentTime() to GetTickCount(), which would rename the
// static members of the time classes.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

class CString;

class AFX_API COleDateTimeSpan
{
public:
    COleDateTimeSpan();
    COleDateTimeSpan(double dblSpanSrc);
    COleDateTimeSpan(long lDays, int nHours, int nMins, int nSecs);

    enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

    double m_span;                // days
    DateTimeSpanStatus m_status;

    void SetStatus(DateTimeSpanStatus status);
    DateTimeSpanStatus GetStatus() const;

    // Whole units, rounded to the second and cut toward zero.
    double GetTotalDays() const;
    double GetTotalHours() const;
    double GetTotalMinutes() const;
    double GetTotalSeconds() const;

    long GetDays() const;
    long GetHours() const;    // -23 to 23
    long GetMinutes() const;  // -59 to 59
    long GetSeconds() const;  // -59 to 59

protected:
    void CheckRange();
    friend class COleDateTime;
};

class AFX_API COleDateTime
{
public:
    static COleDateTime PASCAL GetCurrentTime();

    COleDateTime();
    COleDateTime(DATE dtSrc);
    COleDateTime(time_t timeSrc);
    COleDateTime(const SYSTEMTIME& systimeSrc);
    COleDateTime(const FILETIME& filetimeSrc);
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    DATE m_dt;
    DateTimeStatus m_status;

    void SetStatus(DateTimeStatus status);
    DateTimeStatus GetStatus() const;

    // Each gives -1 unless the date is valid.
    int GetYear() const;
    int GetMonth() const;      // 1 = January
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday
    int GetDayOfYear() const;  // 1 = 1 January

    const COleDateTime& operator=(DATE dtSrc);
    const COleDateTime& operator=(const time_t& timeSrc);
    const COleDateTime& operator=(const SYSTEMTIME& systimeSrc);
    const COleDateTime& operator=(const FILETIME& filetimeSrc);

    BOOL operator==(const COleDateTime& date) const;
    BOOL operator!=(const COleDateTime& date) const;
    BOOL operator<(const COleDateTime& date) const;
    BOOL operator>(const COleDateTime& date) const;
    BOOL operator<=(const COleDateTime& date) const;
    BOOL operator>=(const COleDateTime& date) const;

    COleDateTime operator+(const COleDateTimeSpan& dateSpan) const;
    COleDateTime operator-(const COleDateTimeSpan& dateSpan) const;
    const COleDateTime& operator+=(const COleDateTimeSpan dateSpan);
    const COleDateTime& operator-=(const COleDateTimeSpan dateSpan);
    COleDateTimeSpan operator-(const COleDateTime& date) const;

    operator DATE() const;

    // 0 when the parts make a date from the year 100 to 9999, otherwise 1
    // with the status invalid.
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    int SetDate(int nYear, int nMonth, int nDay);
    int SetTime(int nHour, int nMin, int nSec);

    // VarDateFromStr's reading of the text (dwFlags: LOCALE_NOUSEROVERRIDE,
    // VAR_TIMEVALUEONLY, VAR_DATEVALUEONLY).
    BOOL ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);

    // VarBstrFromDate's text, or strftime codes.
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;
    CString Format(LPCTSTR lpszFormat) const;

protected:
    void CheckRange();
};

// A CURRENCY amount: a 64-bit count of ten-thousandths, with a status.
class AFX_API COleCurrency
{
public:
    COleCurrency();                               // 0, valid
    COleCurrency(CURRENCY cySrc);                 // valid
    COleCurrency(long nUnits, long nFractionalUnits);
    COleCurrency(const VARIANT& varSrc);          // see operator=(const VARIANT&)

    enum CurrencyStatus { valid = 0, invalid = 1, null = 2 };

    CURRENCY m_cur;
    CurrencyStatus m_status;

    void SetStatus(CurrencyStatus status);
    CurrencyStatus GetStatus() const;

    const COleCurrency& operator=(CURRENCY cySrc);
    // VT_CY as it is; VT_NULL gives 0 with the status null; any other type
    // is converted (VariantChangeType), and one that does not convert gives
    // 0 with the status invalid.
    const COleCurrency& operator=(const VARIANT& varSrc);

    BOOL operator==(const COleCurrency& cur) const;
    BOOL operator!=(const COleCurrency& cur) const;

    operator CURRENCY() const;

    // nUnits whole units and nFractionalUnits ten-thousandths (both with
    // the amount's sign); valid.
    void SetCurrency(long nUnits, long nFractionalUnits);
};
