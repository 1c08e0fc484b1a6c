// The plot of the separation's sub-dialogs as numbers: geometry, hit test,
// dragging and the conversion between plot heights and model levels.
#include "CurvePlot.h"

#include <gtest/gtest.h>

namespace {

// A frame whose client area is 150 pixels wide, at (10, 20).
CCurvePlot Frame150()
{
    CCurvePlot plot;
    plot.SetFrame(10, 20, 160, 170);
    return plot;
}

TEST(CurvePlot, GeometryOfA150PixelFrame)
{
    const CCurvePlot plot = Frame150();
    EXPECT_EQ(plot.Width(), 149);
    EXPECT_EQ(plot.OriginX(), 11);
    EXPECT_EQ(plot.BaselineY(), 169);
    const int quarters[3] = {37, 74, 111};
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(plot.Quarter(k), quarters[k]);
    const int handles[5] = {0, 37, 74, 111, 148};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(plot.HandleX(k), handles[k]);
}

struct HitCase {
    int dx, dy;   // from handle 3's centre
    int expected;
};

TEST(CurvePlot, HitTestTakesLeftAndTopEdgesOnly)
{
    const CCurvePlot plot = Frame150();
    const int heights[5] = {0, 20, 60, 100, 148};
    const int cx = plot.OriginX() + plot.HandleX(2);
    const int cy = plot.BaselineY() - heights[2];
    const HitCase cases[] = {
        {0, 0, 3}, {-2, 0, 3}, {0, -2, 3}, {-2, -2, 3}, {1, 1, 3},
        {2, 0, 0}, {0, 2, 0}, {-3, 0, 0}, {0, -3, 0},
    };
    for (const HitCase& c : cases)
        EXPECT_EQ(plot.HitTest(heights, cx + c.dx, cy + c.dy), c.expected) << c.dx << "," << c.dy;
}

TEST(CurvePlot, OverlappingHandlesGiveTheLowerNumber)
{
    // On a plot 4 pixels wide the handles stand 1 pixel apart.
    CCurvePlot plot;
    plot.SetFrame(0, 0, 5, 5);
    ASSERT_EQ(plot.Width(), 4);
    const int heights[5] = {1, 1, 1, 1, 1};
    EXPECT_EQ(plot.HitTest(heights, plot.OriginX() + plot.HandleX(1), plot.BaselineY() - 1), 1);
}

TEST(CurvePlot, DraggingIsHeldInsideThePlot)
{
    const CCurvePlot plot = Frame150();
    EXPECT_EQ(plot.DragHeight(plot.BaselineY() - 500), 148);
    EXPECT_EQ(plot.DragHeight(plot.BaselineY() - 149), 148);
    EXPECT_EQ(plot.DragHeight(plot.BaselineY() - 148), 148);
    EXPECT_EQ(plot.DragHeight(plot.BaselineY() - 60), 60);
    EXPECT_EQ(plot.DragHeight(plot.BaselineY()), 0);
    EXPECT_EQ(plot.DragHeight(plot.BaselineY() + 40), 0);
}

TEST(CurvePlot, HeightsAndLevelsConvertBothWays)
{
    const CCurvePlot plot = Frame150();
    // The rightmost handle is the model's first value.
    const int heights[5] = {0, 37, 74, 100, 148};
    int points[5];
    plot.DisplayToModel(heights, points);
    const int levels[5] = {0, 83, 128, 192, 255};
    for (int j = 0; j < 5; ++j)
        EXPECT_EQ(points[j], levels[j]) << j;
    int back[5];
    plot.ModelToDisplay(points, back);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(back[k], heights[k]) << k;
    int xs[5];
    plot.ModelX(xs);
    const int modelX[5] = {0, 63, 127, 191, 255};
    for (int j = 0; j < 5; ++j)
        EXPECT_EQ(xs[j], modelX[j]) << j;
}

TEST(CurvePlot, CurvesAreSizedFromTheWidth)
{
    CCurvePlot plot;
    plot.SetFrame(0, 0, 400, 400);   // wider than any template gives
    const int heights[5] = {0, 99, 199, 299, 398};
    std::vector<int> curve;
    plot.CurveFromHandles(heights, curve);
    ASSERT_EQ(curve.size(), 399u);
    EXPECT_EQ(curve[0], 0);
    EXPECT_EQ(curve[398], 398);
    int back[5];
    plot.HandlesFromCurve(curve, back);
    for (int k = 0; k < 5; ++k)
        EXPECT_NEAR(back[k], heights[k], 1) << k;
}

}  // namespace
