#include "afx.h"

#include <gtest/gtest.h>

namespace {

// 100 ns ticks from 1601 to 1970.
const ULONGLONG kFileTimeEpochOffset = 116444736000000000ULL;

FILETIME FileTimeFromTicks(ULONGLONG ticks)
{
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(ticks);
    ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return ft;
}

}  // namespace

TEST(Time, FormatGivesEnglishMonthNames)
{
    static const char* const names[] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};
    for (int month = 1; month <= 12; ++month) {
        CTime time(2026, month, 15, 12, 0, 0);
        EXPECT_STREQ(names[month - 1], time.Format("%B")) << month;
    }
}

TEST(Time, FormatStampsLogLines)
{
    CTime time(2026, 12, 9, 8, 5, 3);
    EXPECT_STREQ("09-December-2026 -08:05:03 \t", time.Format("%d-%B-%Y -%H:%M:%S \t"));
    EXPECT_STREQ("Wednesday 343 2026/12/09", time.Format("%A %j %Y/%m/%d"));
    // Text around the codes is kept, Chinese included.
    EXPECT_STREQ("日志 2026年12月", time.Format("日志 %Y年%m月"));
    EXPECT_STREQ("", time.Format(""));
}

TEST(Time, FormatGmtShowsUtc)
{
    CTime newYear(static_cast<time_t>(1798761600));  // 2027-01-01 00:00:00 UTC
    EXPECT_STREQ("2027-01-01 00:00:00", newYear.FormatGmt("%Y-%m-%d %H:%M:%S"));
    EXPECT_STREQ("2026-12-31 23:59:59", (newYear - CTimeSpan(1)).FormatGmt("%Y-%m-%d %H:%M:%S"));
    struct tm gmt;
    ASSERT_EQ(&gmt, newYear.GetGmtTm(&gmt));
    EXPECT_EQ(127, gmt.tm_year);
    EXPECT_EQ(0, gmt.tm_mon);
    EXPECT_EQ(5, gmt.tm_wday);  // a Friday
}

TEST(Time, PartsRoundTrip)
{
    struct Case {
        int year, month, day, hour, minute, second;
        int dayOfWeek;  // 1 = Sunday
    };
    const Case cases[] = {
        {2026, 12, 9, 8, 5, 3, 4},     {2024, 2, 29, 23, 59, 59, 5}, {2000, 1, 1, 0, 0, 0, 7},
        {1999, 12, 31, 12, 30, 45, 6}, {1980, 1, 1, 0, 0, 0, 3},
        {2038, 1, 19, 3, 14, 8, 3},    // past what a 32-bit time_t holds
        {2100, 3, 1, 6, 0, 0, 2},
    };
    for (const Case& c : cases) {
        CTime time(c.year, c.month, c.day, c.hour, c.minute, c.second);
        EXPECT_EQ(c.year, time.GetYear()) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(c.month, time.GetMonth()) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(c.day, time.GetDay()) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(c.hour, time.GetHour()) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(c.minute, time.GetMinute()) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(c.second, time.GetSecond()) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(c.dayOfWeek, time.GetDayOfWeek()) << c.year << "-" << c.month << "-" << c.day;

        struct tm local;
        ASSERT_EQ(&local, time.GetLocalTm(&local));
        EXPECT_EQ(c.year - 1900, local.tm_year);
        EXPECT_EQ(c.month - 1, local.tm_mon);
        EXPECT_EQ(CTime(time.GetTime()), time);
    }
}

TEST(Time, DosDateAndTimeGiveLocalParts)
{
    WORD dosDate = ((2026 - 1980) << 9) | (12 << 5) | 9;
    WORD dosTime = (8 << 11) | (5 << 5) | (46 / 2);
    CTime time(dosDate, dosTime);
    EXPECT_EQ(CTime(2026, 12, 9, 8, 5, 46), time);
    EXPECT_EQ(46, time.GetSecond());
}

TEST(Time, ArithmeticCrossesMonthAndYearEnds)
{
    CTime lateJanuary(2026, 1, 31, 22, 30, 0);
    EXPECT_EQ(CTime(2026, 2, 1, 1, 30, 0), lateJanuary + CTimeSpan(0, 3, 0, 0));
    EXPECT_EQ(CTime(2026, 3, 1, 0, 0, 0) - CTime(2026, 2, 1, 0, 0, 0), CTimeSpan(28, 0, 0, 0));

    CTime lastSecond(2026, 12, 31, 23, 59, 59);
    CTime later = lastSecond + CTimeSpan(0, 0, 0, 16);
    EXPECT_EQ(2027, later.GetYear());
    EXPECT_EQ(1, later.GetMonth());
    EXPECT_EQ(1, later.GetDay());
    EXPECT_EQ(15, later.GetSecond());
    EXPECT_EQ(CTimeSpan(16), later - lastSecond);
    EXPECT_EQ(CTimeSpan(-16), lastSecond - later);
    EXPECT_EQ(lastSecond, later - CTimeSpan(16));

    CTime moving = lastSecond;
    moving += CTimeSpan(1, 0, 0, 1);
    EXPECT_EQ(CTime(2027, 1, 2, 0, 0, 0), moving);
    moving -= CTimeSpan(2, 0, 0, 0);
    EXPECT_EQ(CTime(2026, 12, 31, 0, 0, 0), moving);
}

TEST(Time, ComparesByInstant)
{
    CTime earlier(2026, 12, 31, 23, 59, 59);
    CTime later(2027, 1, 1, 0, 0, 0);
    EXPECT_TRUE(earlier < later);
    EXPECT_TRUE(earlier <= later);
    EXPECT_TRUE(later > earlier);
    EXPECT_TRUE(later >= earlier);
    EXPECT_TRUE(earlier != later);
    EXPECT_FALSE(earlier == later);
    EXPECT_TRUE(later <= CTime(later.GetTime()));
    EXPECT_TRUE(later >= CTime(later.GetTime()));
}

TEST(Time, FromSystemTimeIgnoresDayOfWeekAndMilliseconds)
{
    SYSTEMTIME st = {};
    st.wYear = 2026;
    st.wMonth = 12;
    st.wDayOfWeek = 0;  // wrong on purpose
    st.wDay = 9;
    st.wHour = 8;
    st.wMinute = 5;
    st.wSecond = 6;
    st.wMilliseconds = 999;
    EXPECT_EQ(CTime(2026, 12, 9, 8, 5, 6), CTime(st));

    // Before 1900 there is no CTime: the epoch stands in.
    st.wYear = 1899;
    EXPECT_EQ(0, CTime(st).GetTime());
}

TEST(Time, FromFileTimeConvertsUtcToLocal)
{
    // A file time of now, to the second: the conversion uses today's bias.
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    ticks -= ticks % 10000000;
    time_t seconds = static_cast<time_t>((ticks - kFileTimeEpochOffset) / 10000000);
    EXPECT_EQ(seconds, CTime(FileTimeFromTicks(ticks)).GetTime());

    // A file time made from local parts comes back as those parts.
    SYSTEMTIME local = {};
    local.wYear = 2026;
    local.wMonth = 12;
    local.wDay = 9;
    local.wHour = 8;
    local.wMinute = 5;
    local.wSecond = 6;
    FILETIME localFile, utcFile;
    ASSERT_TRUE(SystemTimeToFileTime(&local, &localFile));
    ASSERT_TRUE(LocalFileTimeToFileTime(&localFile, &utcFile));
    CTime time(utcFile);
    EXPECT_EQ(2026, time.GetYear());
    EXPECT_EQ(9, time.GetDay());
    EXPECT_EQ(8, time.GetHour());
    EXPECT_EQ(6, time.GetSecond());

    // A file time Windows cannot convert gives the epoch.
    EXPECT_EQ(0, CTime(FileTimeFromTicks(~0ULL)).GetTime());
}

TEST(Time, CurrentTimeIsNow)
{
    time_t before = time(NULL);
    time_t now = CTime::GetCurrentTime().GetTime();
    time_t after = time(NULL);
    EXPECT_LE(before, now);
    EXPECT_LE(now, after);
}

TEST(TimeSpan, PartsAreWithinTheirUnit)
{
    struct Case {
        CTimeSpan span;
        LONG days;
        int hours, minutes, seconds;
        LONG totalHours, totalMinutes, totalSeconds;
    };
    const Case cases[] = {
        {CTimeSpan(3, 4, 5, 6), 3, 4, 5, 6, 76, 4565, 273906},
        {CTimeSpan(0, 25, 61, 61), 1, 2, 2, 1, 26, 1562, 93721},  // parts overflow into the next unit
        {CTimeSpan(0, 0, 0, 59), 0, 0, 0, 59, 0, 0, 59},
        {CTimeSpan(-90061), -1, -1, -1, -1, -25, -1501, -90061},  // negative spans cut toward zero
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.days, c.span.GetDays()) << c.totalSeconds;
        EXPECT_EQ(c.hours, c.span.GetHours()) << c.totalSeconds;
        EXPECT_EQ(c.minutes, c.span.GetMinutes()) << c.totalSeconds;
        EXPECT_EQ(c.seconds, c.span.GetSeconds()) << c.totalSeconds;
        EXPECT_EQ(c.totalHours, c.span.GetTotalHours()) << c.totalSeconds;
        EXPECT_EQ(c.totalMinutes, c.span.GetTotalMinutes()) << c.totalSeconds;
        EXPECT_EQ(c.totalSeconds, c.span.GetTotalSeconds()) << c.totalSeconds;
    }
}

TEST(TimeSpan, FormatFillsDaysHoursMinutesSeconds)
{
    struct Case {
        CTimeSpan span;
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {CTimeSpan(3, 4, 5, 6), "%D days %H:%M:%S", "3 days 04:05:06"},
        {CTimeSpan(123, 0, 0, 9), "%D/%S", "123/09"},
        {CTimeSpan(0, 1, 2, 3), "100%% %H%M%S", "100% 010203"},
        {CTimeSpan(2, 0, 0, 0), "耗时%D天", "耗时2天"},
        {CTimeSpan(0, 0, 7, 0), "%M%Y", "07Y"},  // no year in a span: the letter stays
        {CTimeSpan(0, 0, 7, 0), "%M%", "07"},
        {CTimeSpan(0), "", ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, c.span.Format(c.format)) << c.format;
}

TEST(TimeSpan, ArithmeticAndComparisons)
{
    CTimeSpan day(1, 0, 0, 0);
    CTimeSpan hour(0, 1, 0, 0);
    EXPECT_EQ(CTimeSpan(0, 23, 0, 0), day - hour);
    EXPECT_EQ(CTimeSpan(1, 1, 0, 0), day + hour);
    CTimeSpan total = hour;
    total += day;
    EXPECT_EQ(90000, total.GetTotalSeconds());
    total -= hour;
    EXPECT_EQ(day, total);
    EXPECT_TRUE(hour < day);
    EXPECT_TRUE(day > hour);
    EXPECT_TRUE(hour <= hour);
    EXPECT_TRUE(day >= hour);
    EXPECT_TRUE(day != hour);
}
