// The internal scales: every value the dialogs allow survives the trip to
// the model's form and back.
#include <gtest/gtest.h>

#include "SeparationCore.h"

namespace {

TEST(InkfoldScales, PercentRoundTripsThroughLevels)
{
    for (int p = 0; p <= 100; ++p) {
        int level = CSeparationCore::PercentToLevel(p);
        EXPECT_GE(level, 0);
        EXPECT_LE(level, 255);
        EXPECT_EQ(CSeparationCore::LevelToPercent(level), p) << p;
    }
    EXPECT_EQ(CSeparationCore::PercentToLevel(0), 255);
    EXPECT_EQ(CSeparationCore::PercentToLevel(30), 178);
    EXPECT_EQ(CSeparationCore::PercentToLevel(68), 82);
    EXPECT_EQ(CSeparationCore::PercentToLevel(100), 0);
}

TEST(InkfoldScales, TotalInkRoundTrips)
{
    for (int m = 0; m <= 400; ++m)
        EXPECT_EQ(CSeparationCore::HeldToTotalInk(CSeparationCore::TotalInkToHeld(m)), m) << m;
    // trunc((m + 15) * 2.5499999523162842 + 0.5): the single-precision
    // factor leaves (m + 15) * 2.55 just below .5 where it would be one.
    const struct {
        int percent, held;
    } cases[] = {{0, 38}, {15, 76}, {35, 127}, {235, 637}, {320, 854}, {395, 1045}, {400, 1058}};
    for (const auto& c : cases)
        EXPECT_EQ(CSeparationCore::TotalInkToHeld(c.percent), c.held) << c.percent;
}

TEST(InkfoldScales, AmountsRoundTrip)
{
    for (int a = -100; a <= 100; ++a)
        EXPECT_EQ(CSeparationCore::HeldToAmount(CSeparationCore::AmountToHeld(a)), a) << a;
    // Truncation toward zero, and more ink for a positive amount.
    EXPECT_EQ(CSeparationCore::AmountToHeld(10), -25);
    EXPECT_EQ(CSeparationCore::AmountToHeld(-1), 2);
}

}  // namespace
