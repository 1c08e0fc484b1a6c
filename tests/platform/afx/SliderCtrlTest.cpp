// CSliderCtrl: limits beyond 16 bits in and out.
#include "afxwin.h"
#include "afxcmn.h"

#include "ControlHost.h"

#include <gtest/gtest.h>

namespace {

using controltest::CControlHost;

TEST(SliderCtrl, KeepsLimitsBeyondSixteenBits)
{
    CControlHost host;
    ASSERT_TRUE(host.CreateHost());
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(10, 50, 300, 80), &host, 48271));
    slider.SetRange(-10, 100000, TRUE);
    int nMin = 0, nMax = 0;
    slider.GetRange(nMin, nMax);
    EXPECT_EQ(-10, nMin);
    EXPECT_EQ(100000, nMax);
    slider.SetPos(70000);
    EXPECT_EQ(70000, slider.GetPos());
    slider.SetPos(200000);
    EXPECT_EQ(100000, slider.GetPos());  // held to the range
}

}  // namespace
