// CSpinButtonCtrl: ranges in and out in the right order, including
// negative and 32-bit limits.
#include "afxwin.h"
#include "afxcmn.h"

#include "ControlHost.h"

#include <gtest/gtest.h>

namespace {

using controltest::CControlHost;

class SpinButtonCtrlTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.CreateHost()); }
    CControlHost m_host;
};

TEST_F(SpinButtonCtrlTest, SpinRangeComesBackLowerFirst)
{
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT, CRect(10, 10, 30, 40), &m_host, 48270));
    const struct {
        int lower;
        int upper;
    } ranges[] = {{0, 100}, {-50, 50}, {100, 0}, {-32000, 32000}};
    for (const auto& r : ranges) {
        SCOPED_TRACE(testing::Message() << r.lower << ".." << r.upper);
        spin.SetRange(r.lower, r.upper);
        int lower = 0, upper = 0;
        spin.GetRange(lower, upper);
        EXPECT_EQ(r.lower, lower);
        EXPECT_EQ(r.upper, upper);
        EXPECT_EQ((DWORD)MAKELONG(r.upper, r.lower), spin.GetRange());  // upper in the low word
    }

    spin.SetRange32(-100000, 250000);
    int lower = 0, upper = 0;
    spin.GetRange32(lower, upper);
    EXPECT_EQ(-100000, lower);
    EXPECT_EQ(250000, upper);

    spin.SetRange(-50, 50);
    spin.SetPos(7);
    EXPECT_EQ(7, spin.SetPos(-3));  // the previous position
    EXPECT_EQ(-3, (short)LOWORD(spin.GetPos()));
}

}  // namespace
