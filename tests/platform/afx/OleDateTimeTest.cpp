#include "afx.h"
#include "afxdisp.h"

#include <gtest/gtest.h>

namespace {

const LCID kEnglishUs = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);

void ExpectParts(const COleDateTime& date, int year, int month, int day, int hour, int minute, int second)
{
    EXPECT_EQ(COleDateTime::valid, date.GetStatus());
    EXPECT_EQ(year, date.GetYear());
    EXPECT_EQ(month, date.GetMonth());
    EXPECT_EQ(day, date.GetDay());
    EXPECT_EQ(hour, date.GetHour());
    EXPECT_EQ(minute, date.GetMinute());
    EXPECT_EQ(second, date.GetSecond());
}

}  // namespace

TEST(OleDateTime, DefaultIsDayZeroAndValid)
{
    COleDateTime date;
    EXPECT_EQ(COleDateTime::valid, date.GetStatus());
    EXPECT_EQ(0.0, static_cast<DATE>(date));
    ExpectParts(date, 1899, 12, 30, 0, 0, 0);
}

TEST(OleDateTime, PartsMapToAutomationDates)
{
    struct Case {
        int year, month, day, hour, minute, second;
        DATE dt;
        int dayOfWeek, dayOfYear;
    };
    const Case cases[] = {
        {1899, 12, 30, 12, 0, 0, 0.5, 7, 364},
        {1899, 12, 29, 6, 0, 0, -1.25, 6, 363},  // before day 0 only the day count is negative
        {1900, 1, 1, 0, 0, 0, 2.0, 2, 1},
        {2026, 12, 9, 18, 0, 0, 46365.75, 4, 343},
        {2024, 12, 31, 0, 0, 0, 45657.0, 3, 366},
        {2024, 2, 29, 0, 0, 0, 45351.0, 5, 60},
        {100, 1, 1, 0, 0, 0, -657434.0, 6, 1},
        {9999, 12, 31, 0, 0, 0, 2958465.0, 6, 365},
    };
    for (const Case& c : cases) {
        COleDateTime date(c.year, c.month, c.day, c.hour, c.minute, c.second);
        EXPECT_DOUBLE_EQ(c.dt, date.m_dt) << c.year << "-" << c.month << "-" << c.day;
        COleDateTime back(c.dt);
        ExpectParts(back, c.year, c.month, c.day, c.hour, c.minute, c.second);
        EXPECT_EQ(c.dayOfWeek, back.GetDayOfWeek()) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(c.dayOfYear, back.GetDayOfYear()) << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(OleDateTime, PartsRoundToTheNearestSecond)
{
    ExpectParts(COleDateTime(46365.0 + 59.6 / 86400), 2026, 12, 9, 0, 1, 0);
    ExpectParts(COleDateTime(46365.0 + 86399.7 / 86400), 2026, 12, 10, 0, 0, 0);
    ExpectParts(COleDateTime(-1.0 - 3599.6 / 86400), 1899, 12, 29, 1, 0, 0);
}

TEST(OleDateTime, InvalidPartsMakeTheDateInvalid)
{
    struct Case {
        int year, month, day, hour, minute, second;
    };
    const Case cases[] = {
        {2026, 13, 1, 0, 0, 0}, {2026, 0, 1, 0, 0, 0},   {2026, 2, 30, 0, 0, 0},  {2026, 2, 29, 0, 0, 0},
        {2100, 2, 29, 0, 0, 0}, {2026, 4, 31, 0, 0, 0},  {2026, 1, 0, 0, 0, 0},   {2026, 1, 1, 24, 0, 0},
        {2026, 1, 1, 0, 60, 0}, {2026, 1, 1, 0, 0, 60},  {2026, 1, 1, -1, 0, 0},  {99, 12, 31, 0, 0, 0},
        {10000, 1, 1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        COleDateTime date(2026, 12, 9, 8, 5, 6);
        DATE before = date.m_dt;
        EXPECT_EQ(1, date.SetDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second))
            << c.year << "-" << c.month << "-" << c.day << " " << c.hour << ":" << c.minute << ":" << c.second;
        EXPECT_EQ(COleDateTime::invalid, date.GetStatus());
        EXPECT_EQ(before, date.m_dt);  // the value is untouched
        EXPECT_EQ(-1, date.GetYear());
        EXPECT_EQ(-1, date.GetDayOfWeek());
        EXPECT_STREQ("Invalid DateTime", date.Format("%Y"));

        COleDateTime constructed(c.year, c.month, c.day, c.hour, c.minute, c.second);
        EXPECT_EQ(COleDateTime::invalid, constructed.GetStatus());
    }

    COleDateTime date;
    EXPECT_EQ(1, date.SetDate(2026, 2, 30));
    EXPECT_EQ(0, date.SetDate(2024, 2, 29));
    EXPECT_EQ(COleDateTime::valid, date.GetStatus());
    EXPECT_EQ(1, date.SetTime(12, 60, 0));
    EXPECT_EQ(0, date.SetTime(12, 30, 0));
    EXPECT_DOUBLE_EQ(0.5 + 30.0 / 1440, date.m_dt);  // a time alone lies on day 0
}

TEST(OleDateTime, ParseDateTimeReadsDateTexts)
{
    struct Case {
        const char* text;
        int year, month, day, hour, minute, second;
    };
    const Case cases[] = {
        {"2026-12-09", 2026, 12, 9, 0, 0, 0},
        {"12/9/2026 8:05:06 PM", 2026, 12, 9, 20, 5, 6},
        {"9 December 2026 08:05", 2026, 12, 9, 8, 5, 0},
        {"Feb 29, 2024", 2024, 2, 29, 0, 0, 0},
        {"1/1/1899", 1899, 1, 1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        COleDateTime date(COleDateTime(2000, 1, 1, 0, 0, 0));
        date.SetStatus(COleDateTime::invalid);
        EXPECT_TRUE(date.ParseDateTime(c.text, 0, kEnglishUs)) << c.text;
        ExpectParts(date, c.year, c.month, c.day, c.hour, c.minute, c.second);
    }

    COleDateTime timeOnly;
    EXPECT_TRUE(timeOnly.ParseDateTime("18:30", VAR_TIMEVALUEONLY, kEnglishUs));
    EXPECT_DOUBLE_EQ(0.75 + 30.0 / 1440, timeOnly.m_dt);
}

TEST(OleDateTime, ParseDateTimeRejectsWhatIsNoDate)
{
    for (const char* text : {"not a date", "", "12/9/2026 25:00", "32 December 2026"}) {
        COleDateTime date(2026, 12, 9, 8, 5, 6);
        EXPECT_FALSE(date.ParseDateTime(text, 0, kEnglishUs)) << text;
        EXPECT_EQ(COleDateTime::invalid, date.GetStatus()) << text;
        EXPECT_EQ(0.0, date.m_dt) << text;
    }
}

TEST(OleDateTime, FormatWithStrftimeCodes)
{
    COleDateTime date(2026, 12, 9, 8, 5, 6);
    EXPECT_STREQ("09-December-2026 -08:05:06 \t", date.Format("%d-%B-%Y -%H:%M:%S \t"));
    EXPECT_STREQ("Wednesday 343 Dec 08 AM", date.Format("%A %j %b %I %p"));
    EXPECT_STREQ("2026年12月09日", date.Format("%Y年%m月%d日"));
    // strftime days are 0-based from Sunday: the date's own parts are 1-based.
    EXPECT_STREQ("Saturday", COleDateTime(1899, 12, 30, 0, 0, 0).Format("%A"));

    COleDateTime nothing;
    nothing.SetStatus(COleDateTime::null);
    EXPECT_STREQ("", nothing.Format("%Y"));
    EXPECT_STREQ("", nothing.Format(0, kEnglishUs));
}

TEST(OleDateTime, FormatThroughVariantConversion)
{
    COleDateTime date(2026, 12, 9, 20, 5, 6);
    EXPECT_STREQ("12/9/2026 8:05:06 PM", date.Format(0, kEnglishUs));
    EXPECT_STREQ("12/9/2026", date.Format(VAR_DATEVALUEONLY, kEnglishUs));
    EXPECT_STREQ("8:05:06 PM", date.Format(VAR_TIMEVALUEONLY, kEnglishUs));

    // What Format writes, ParseDateTime reads back.
    COleDateTime back;
    ASSERT_TRUE(back.ParseDateTime(date.Format(0, kEnglishUs), 0, kEnglishUs));
    EXPECT_EQ(date, back);

    COleDateTime invalid(2026, 2, 30, 0, 0, 0);
    EXPECT_STREQ("Invalid DateTime", invalid.Format(0, kEnglishUs));
}

TEST(OleDateTime, DateBeyondTheCalendarHasNoParts)
{
    // A DATE is taken as it is; past 31 December 9999 nothing can be read from it.
    COleDateTime beyond(3000000.0);
    EXPECT_EQ(COleDateTime::valid, beyond.GetStatus());
    EXPECT_EQ(-1, beyond.GetYear());
    EXPECT_STREQ("Invalid DateTime", beyond.Format("%Y"));
    try {
        beyond.Format(0, kEnglishUs);
        FAIL() << "no exception";
    } catch (COleException* e) {
        EXPECT_EQ(E_INVALIDARG, e->m_sc);
        e->Delete();
    }
    ExpectParts(COleDateTime(2958465.5), 9999, 12, 31, 12, 0, 0);
}

TEST(OleDateTime, ArithmeticCrossesMonthAndYearEnds)
{
    COleDateTime lastHour(2026, 12, 31, 23, 0, 0);
    ExpectParts(lastHour + COleDateTimeSpan(0, 2, 0, 0), 2027, 1, 1, 1, 0, 0);
    ExpectParts(COleDateTime(2026, 3, 1, 0, 0, 0) - COleDateTimeSpan(1, 0, 0, 0), 2026, 2, 28, 0, 0, 0);
    ExpectParts(COleDateTime(2024, 2, 28, 12, 0, 0) + COleDateTimeSpan(1.5), 2024, 3, 1, 0, 0, 0);

    COleDateTimeSpan gap = COleDateTime(2027, 1, 1, 1, 0, 0) - COleDateTime(2026, 12, 30, 22, 59, 30);
    EXPECT_EQ(COleDateTimeSpan::valid, gap.GetStatus());
    EXPECT_EQ(1, gap.GetDays());
    EXPECT_EQ(2, gap.GetHours());
    EXPECT_EQ(0, gap.GetMinutes());
    EXPECT_EQ(30, gap.GetSeconds());

    COleDateTime moving = lastHour;
    moving += COleDateTimeSpan(0, 1, 0, 0);
    ExpectParts(moving, 2027, 1, 1, 0, 0, 0);
    moving -= COleDateTimeSpan(365, 0, 0, 0);
    ExpectParts(moving, 2026, 1, 1, 0, 0, 0);
}

TEST(OleDateTime, ArithmeticAndOrderBeforeDayZero)
{
    // 29 December 1899 06:00 is -1.25 and 18:00 is -1.75: a plain sum of the
    // doubles would move the wrong way.
    COleDateTime morning(1899, 12, 29, 6, 0, 0);
    COleDateTime evening = morning + COleDateTimeSpan(0, 12, 0, 0);
    ExpectParts(evening, 1899, 12, 29, 18, 0, 0);
    EXPECT_DOUBLE_EQ(-1.75, evening.m_dt);
    EXPECT_TRUE(morning < evening);
    EXPECT_TRUE(evening > morning);
    EXPECT_TRUE(morning <= evening);
    EXPECT_TRUE(evening >= morning);

    COleDateTimeSpan toDayZero = COleDateTime(1899, 12, 30, 6, 0, 0) - evening;
    EXPECT_DOUBLE_EQ(12, toDayZero.GetTotalHours());
    ExpectParts(evening - COleDateTimeSpan(2, 0, 0, 0), 1899, 12, 27, 18, 0, 0);
}

TEST(OleDateTime, ArithmeticCarriesNullAndInvalid)
{
    COleDateTime date(2026, 12, 9, 0, 0, 0);
    COleDateTime invalid(2026, 13, 1, 0, 0, 0);
    COleDateTime nothing;
    nothing.SetStatus(COleDateTime::null);
    COleDateTimeSpan day(1.0);

    EXPECT_EQ(COleDateTime::invalid, (invalid + day).GetStatus());
    EXPECT_EQ(COleDateTime::null, (nothing + day).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::invalid, (date - invalid).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::null, (nothing - date).GetStatus());

    COleDateTimeSpan invalidSpan(1.0);
    invalidSpan.SetStatus(COleDateTimeSpan::invalid);
    EXPECT_EQ(COleDateTime::invalid, (date - invalidSpan).GetStatus());

    // Past 31 December 9999 there are no dates.
    EXPECT_EQ(COleDateTime::invalid, (COleDateTime(9999, 12, 31, 0, 0, 0) + day).GetStatus());
    EXPECT_EQ(COleDateTime::valid, (COleDateTime(9999, 12, 30, 0, 0, 0) + day).GetStatus());
}

TEST(OleDateTime, EqualityTakesTheStatusIntoAccount)
{
    COleDateTime a(2026, 12, 9, 8, 5, 6);
    COleDateTime b(2026, 12, 9, 8, 5, 6);
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a != b);
    b.SetStatus(COleDateTime::invalid);
    EXPECT_FALSE(a == b);
    EXPECT_TRUE(a != b);
}

TEST(OleDateTime, FromTimeSystemTimeAndFileTimeGivesLocalParts)
{
    SYSTEMTIME local = {};
    local.wYear = 2026;
    local.wMonth = 12;
    local.wDay = 9;
    local.wHour = 8;
    local.wMinute = 5;
    local.wSecond = 6;
    local.wMilliseconds = 700;  // ignored, not rounded
    ExpectParts(COleDateTime(local), 2026, 12, 9, 8, 5, 6);

    ExpectParts(COleDateTime(CTime(2026, 12, 9, 8, 5, 6).GetTime()), 2026, 12, 9, 8, 5, 6);

    FILETIME localFile, utcFile;
    ASSERT_TRUE(SystemTimeToFileTime(&local, &localFile));
    ASSERT_TRUE(LocalFileTimeToFileTime(&localFile, &utcFile));
    ExpectParts(COleDateTime(utcFile), 2026, 12, 9, 8, 5, 6);

    SYSTEMTIME tooEarly = local;
    tooEarly.wYear = 99;
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(tooEarly).GetStatus());
}

TEST(OleDateTime, CurrentTimeIsValidAndLocal)
{
    COleDateTime now = COleDateTime::GetCurrentTime();
    EXPECT_EQ(COleDateTime::valid, now.GetStatus());
    CTime later = CTime::GetCurrentTime();
    COleDateTimeSpan behind = COleDateTime(later.GetTime()) - now;
    EXPECT_GE(behind.GetTotalSeconds(), 0);
    EXPECT_LE(behind.GetTotalDays(), 0);
}

TEST(OleDateTimeSpan, PartsAndTotals)
{
    struct Case {
        COleDateTimeSpan span;
        long days, hours, minutes, seconds;
        double totalHours, totalMinutes, totalSeconds;
    };
    const Case cases[] = {
        {COleDateTimeSpan(3, 1, 5, 12), 3, 1, 5, 12, 73, 4385, 263112},
        {COleDateTimeSpan(1.5 / 24), 0, 1, 30, 0, 1, 90, 5400},  // not 1:29:59.99
        {COleDateTimeSpan(-1.75), -1, -18, 0, 0, -42, -2520, -151200},
        {COleDateTimeSpan(0, 47, 59, 60), 2, 0, 0, 0, 48, 2880, 172800},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(COleDateTimeSpan::valid, c.span.GetStatus());
        EXPECT_EQ(c.days, c.span.GetDays()) << c.totalSeconds;
        EXPECT_EQ(c.hours, c.span.GetHours()) << c.totalSeconds;
        EXPECT_EQ(c.minutes, c.span.GetMinutes()) << c.totalSeconds;
        EXPECT_EQ(c.seconds, c.span.GetSeconds()) << c.totalSeconds;
        EXPECT_EQ(static_cast<double>(c.days), c.span.GetTotalDays()) << c.totalSeconds;
        EXPECT_EQ(c.totalHours, c.span.GetTotalHours()) << c.totalSeconds;
        EXPECT_EQ(c.totalMinutes, c.span.GetTotalMinutes()) << c.totalSeconds;
        EXPECT_EQ(c.totalSeconds, c.span.GetTotalSeconds()) << c.totalSeconds;
    }
}
