// CDateTimeCtrl: the time in and out as CTime, COleDateTime and SYSTEMTIME,
// no date at all, and the range limits.
#include "afxwin.h"
#include "afxcmn.h"

#include "ControlHost.h"

#include <gtest/gtest.h>

namespace {

using controltest::CControlHost;

class DateTimeCtrlTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost());
        ASSERT_TRUE(m_picker.Create(WS_CHILD | WS_VISIBLE | DTS_SHOWNONE | DTS_LONGDATEFORMAT,
                                    CRect(10, 10, 250, 40), &m_host, 48260));
        ASSERT_TRUE(m_picker.SetFormat(_T("yyyy-MM-dd HH:mm:ss")));
    }

    CControlHost m_host;
    CDateTimeCtrl m_picker;
};

TEST_F(DateTimeCtrlTest, TimesComeBackAsTheyWentIn)
{
    const CTime times[] = {CTime(2024, 2, 29, 13, 45, 30), CTime(1999, 12, 31, 23, 59, 58),
                           CTime(2030, 7, 1, 0, 0, 0)};
    for (const CTime& time : times) {
        SCOPED_TRACE((LPCTSTR)time.Format(_T("%Y-%m-%d %H:%M:%S")));
        ASSERT_TRUE(m_picker.SetTime(time));
        CTime back;
        EXPECT_EQ((DWORD)GDT_VALID, m_picker.GetTime(back));
        EXPECT_TRUE(back == time);
        SYSTEMTIME st;
        EXPECT_EQ((DWORD)GDT_VALID, m_picker.GetTime(&st));
        EXPECT_EQ(time.GetYear(), st.wYear);
        EXPECT_EQ(time.GetHour(), st.wHour);
        EXPECT_EQ(time.GetDayOfWeek() - 1, st.wDayOfWeek);
    }

    // Dates before 1970 too, as COleDateTime.
    const COleDateTime dates[] = {COleDateTime(1950, 6, 15, 8, 30, 0),
                                  COleDateTime(2024, 2, 29, 13, 45, 30)};
    for (const COleDateTime& date : dates) {
        SCOPED_TRACE((LPCTSTR)date.Format(_T("%Y-%m-%d %H:%M:%S")));
        ASSERT_TRUE(m_picker.SetTime(date));
        COleDateTime back;
        ASSERT_TRUE(m_picker.GetTime(back));
        EXPECT_EQ(COleDateTime::valid, back.GetStatus());
        EXPECT_STREQ(date.Format(_T("%Y-%m-%d %H:%M:%S")), back.Format(_T("%Y-%m-%d %H:%M:%S")));
    }

    COleDateTime invalid;
    invalid.SetStatus(COleDateTime::invalid);
    EXPECT_FALSE(m_picker.SetTime(invalid));
}

TEST_F(DateTimeCtrlTest, NoDateReadsAsNone)
{
    const CTime before(2020, 1, 2, 3, 4, 5);
    ASSERT_TRUE(m_picker.SetTime((const CTime*)NULL));
    CTime time = before;
    EXPECT_EQ((DWORD)GDT_NONE, m_picker.GetTime(time));
    EXPECT_TRUE(time == before);  // left as it was
    COleDateTime date(2020, 1, 2, 3, 4, 5);
    EXPECT_FALSE(m_picker.GetTime(date));
    EXPECT_EQ(COleDateTime::null, date.GetStatus());

    // A null COleDateTime clears the date the same way.
    ASSERT_TRUE(m_picker.SetTime(&before));
    COleDateTime none;
    none.SetStatus(COleDateTime::null);
    ASSERT_TRUE(m_picker.SetTime(none));
    EXPECT_EQ((DWORD)GDT_NONE, m_picker.GetTime(time));
}

TEST_F(DateTimeCtrlTest, RangeReportsWhichLimitsAreSet)
{
    const COleDateTime low(2000, 1, 1, 0, 0, 0);
    const COleDateTime high(2010, 12, 31, 0, 0, 0);
    ASSERT_TRUE(m_picker.SetRange(&low, NULL));
    COleDateTime min, max;
    EXPECT_EQ((DWORD)GDTR_MIN, m_picker.GetRange(&min, &max));
    EXPECT_STREQ(_T("2000-01-01"), min.Format(_T("%Y-%m-%d")));
    EXPECT_EQ(COleDateTime::null, max.GetStatus());

    ASSERT_TRUE(m_picker.SetRange(&low, &high));
    EXPECT_EQ((DWORD)(GDTR_MIN | GDTR_MAX), m_picker.GetRange(&min, &max));
    EXPECT_STREQ(_T("2010-12-31"), max.Format(_T("%Y-%m-%d")));

    const CTime lowTime(2001, 5, 6, 0, 0, 0);
    ASSERT_TRUE(m_picker.SetRange(NULL, &lowTime));
    CTime minTime(1990, 1, 1, 0, 0, 0), maxTime;
    EXPECT_EQ((DWORD)GDTR_MAX, m_picker.GetRange(&minTime, &maxTime));
    EXPECT_EQ(1990, minTime.GetYear());  // untouched
    EXPECT_EQ(2001, maxTime.GetYear());
    EXPECT_EQ(6, maxTime.GetDay());
}

}  // namespace
