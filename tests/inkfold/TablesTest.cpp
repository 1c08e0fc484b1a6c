// The table helpers and the tables that BuildTables derives.
#include <gtest/gtest.h>

#include <vector>

#include "SeparationFixtures.h"

namespace {

TEST(InkfoldTables, LinearSegmentCases)
{
    struct Case {
        int x0, x1, y0, y1, cap;
        std::vector<int> expected;   // entries 0..5 of a table that held -1
    } cases[] = {
        {1, 4, 10, 40, 255, {-1, 10, 20, 30, 40, -1}},
        {0, 3, 0, 1, 255, {0, 0, 1, 1, -1, -1}},        // rounds half up
        {1, 4, 10, 40, 25, {-1, 10, 20, 25, 25, -1}},    // capped
        {2, 2, 7, 99, 255, {-1, -1, 7, -1, -1, -1}},     // one point takes y0
        {4, 1, 7, 99, 255, {-1, -1, -1, -1, -1, -1}},    // reversed: nothing
        {0, 5, 50, 0, 255, {50, 41, 31, 21, 11, 1}},   // -9.5 truncates toward zero
    };
    for (const Case& c : cases) {
        std::vector<int> table(6, -1);
        CSeparationCore::LinearSegment(table.data(), c.x0, c.x1, c.y0, c.y1, c.cap);
        EXPECT_EQ(table, c.expected) << c.x0 << ".." << c.x1;
    }
}

TEST(InkfoldTables, GreyMColumnGivesTheIdentityBetweenItsSteps)
{
    CSeparationCore model;
    int table[256];
    model.GrayToTable(model.m_nGray[1], table, model.m_nGrayCount, 255);
    const int first = model.m_nGray[1][0];
    const int last = model.m_nGray[1][model.m_nGrayCount - 1];
    for (int x = 0; x < 256; ++x) {
        int expected = x < first ? first : x > last ? last : x;
        EXPECT_EQ(table[x], expected) << x;
    }
}

TEST(InkfoldTables, GreyColumnMapsOntoTheMColumn)
{
    CSeparationCore model;
    int table[256];
    model.GrayToTable(model.m_nGray[0], table, model.m_nGrayCount, 255);
    for (int k = 0; k < model.m_nGrayCount; ++k)
        EXPECT_EQ(table[model.m_nGray[0][k]], model.m_nGray[1][k]) << k;
    EXPECT_EQ(table[0], model.m_nGray[1][0]);
    EXPECT_EQ(table[255], model.m_nGray[1][model.m_nGrayCount - 1]);
}

TEST(InkfoldTables, BalanceRowSpreadsEvenly)
{
    CSeparationCore model;
    int table[256];
    CSeparationCore::BalanceToTable(model.m_nBalance[0], table, 21, 255);
    // 21 steps over 0..255: step k stands at k * 255 / 20.
    for (int k = 0; k < 21; ++k)
        EXPECT_EQ(table[k * 255 / 20], model.m_nBalance[0][k]) << k;
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[255], CSeparationCore::PercentToLevel(3));

    // One step is a flat line at its value; none writes nothing.
    int flat[256];
    for (int i = 0; i < 256; ++i)
        flat[i] = 77;
    CSeparationCore::BalanceToTable(model.m_nBalance[0] + 5, flat, 1, 255);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(flat[i], model.m_nBalance[0][5]) << i;
    int untouched[256];
    for (int i = 0; i < 256; ++i)
        untouched[i] = 77;
    CSeparationCore::BalanceToTable(model.m_nBalance[0], untouched, 0, 255);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(untouched[i], 77);
}

// A balance count of 1 (a ".par" may hold it) builds the flat line too.
TEST(InkfoldTables, OneBalanceStepBuildsAFlatOutputBalance)
{
    CSeparationCore model;
    model.m_nSwitch[7] = 1;
    model.m_nBalanceCount = 1;
    for (int ch = 0; ch < 3; ++ch)
        model.m_nOutBalSource[ch] = 1;
    model.BuildTables();
    for (int ch = 0; ch < 3; ++ch)
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(model.m_nOutBalTable[ch][i], model.m_nBalance[ch][0]) << ch << "," << i;
}

TEST(InkfoldTables, FivePointCurveThroughItsPoints)
{
    const int xs[5] = {0, 63, 127, 191, 255};
    const int ys[5] = {12, 100, 170, 221, 244};
    int table[256];
    CSeparationCore::FivePointCurve(table, 256, xs, ys);
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(table[xs[i]], ys[i], 1) << i;
    // Clamped to 0..n-1 where the polynomial leaves it.
    const int wild[5] = {0, 255, 0, 255, 0};
    CSeparationCore::FivePointCurve(table, 256, xs, wild);
    for (int i = 0; i < 256; ++i)
        ASSERT_TRUE(table[i] >= 0 && table[i] <= 255) << i;
}

TEST(InkfoldTables, FivePointCurveWithCoincidingAbscissae)
{
    const int xs[5] = {0, 0, 128, 255, 255};
    const int ys[5] = {0, 90, 128, 255, 10};
    int table[256];
    CSeparationCore::FivePointCurve(table, 256, xs, ys);
    // The first of the coinciding points stands: a straight line.
    for (int i = 0; i < 256; ++i)
        EXPECT_NEAR(table[i], i, 1) << i;

    const int same[5] = {40, 40, 40, 40, 40};
    CSeparationCore::FivePointCurve(table, 256, same, ys);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(table[i], 0) << i;
}

TEST(InkfoldTables, ToneCurveReachesItsAmounts)
{
    int table[256];
    CSeparationCore::MakeToneCurve(table, 0, 0, 0);
    for (int x = 0; x < 256; ++x)
        ASSERT_EQ(table[x], x);

    const int dark = CSeparationCore::AmountToHeld(10);    // -25
    const int mid = CSeparationCore::AmountToHeld(-20);    // 51
    const int light = CSeparationCore::AmountToHeld(4);    // -10
    CSeparationCore::MakeToneCurve(table, dark, 0, 0);
    EXPECT_EQ(table[63], 63 + dark);
    CSeparationCore::MakeToneCurve(table, 0, mid, 0);
    EXPECT_EQ(table[127], 127 + mid);
    CSeparationCore::MakeToneCurve(table, 0, 0, light);
    EXPECT_EQ(table[191], 191 + light);
    CSeparationCore::MakeToneCurve(table, dark, mid, light);
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[255], 255);
}

TEST(InkfoldTables, ParametricBlackWithTheDefaults)
{
    // e = 0, s = 178, E = 82, S = 255, exponent 10/3.
    CSeparationCore model;
    model.BuildBlackTable();
    const struct {
        int index, value;
    } expected[] = {{0, 82}, {1, 85}, {50, 197}, {100, 244}, {150, 255}, {177, 255}, {178, 255}, {255, 255}};
    for (const auto& e : expected)
        EXPECT_EQ(model.m_nBlackTable[e.index], e.value) << e.index;
    for (int i = 1; i < 256; ++i)
        ASSERT_GE(model.m_nBlackTable[i], model.m_nBlackTable[i - 1]) << i;
}

TEST(InkfoldTables, ParametricBlackWithABlackEndPoint)
{
    CSeparationCore model;
    model.m_nBlackEndPoint = 80;      // e = 51: a straight line from 0 to E first
    model.BuildBlackTable();
    EXPECT_EQ(model.m_nBlackTable[0], 0);
    EXPECT_EQ(model.m_nBlackTable[25], 82 * 25 / 51);
    EXPECT_EQ(model.m_nBlackTable[51], 82);
    EXPECT_EQ(model.m_nBlackTable[178], 255);
}

TEST(InkfoldTables, NoBlackAtLevelZeroAndGcrTableKept)
{
    CSeparationCore model;
    model.m_nUcrControl = 0;
    model.BuildBlackTable();
    model.BuildGcrTable();
    int gcr[256];
    for (int i = 0; i < 256; ++i)
        gcr[i] = model.m_nGcrTable[i];

    model.m_fBlackLevel = 0.0f;
    model.BuildTables();
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(model.m_nBlackTable[i], 255) << i;
        ASSERT_EQ(model.m_nGcrTable[i], gcr[i]) << i;
    }

    // A start at full tone leaves no room for a curve either.
    CSeparationCore full;
    full.m_nBlackStartPoint = 100;
    full.BuildBlackTable();
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(full.m_nBlackTable[i], 255) << i;
}

TEST(InkfoldTables, GcrTableAndUnderColourAddition)
{
    CSeparationCore model;
    model.BuildBlackTable();
    model.BuildGcrTable();
    // GCR[j] = j + trunc((255 - black[j]) * 3 * 0.1)
    EXPECT_EQ(model.m_nGcrTable[0], 0 + static_cast<int>((255 - 82) * 3.0f * 0.1f));
    EXPECT_EQ(model.m_nGcrTable[200], 200);

    model.m_nUca = 50;
    model.BuildGcrTable();
    // UCA acts below the first entry whose black is 128 or more.
    int n = 0;
    while (model.m_nBlackTable[n] < 128)
        ++n;
    ASSERT_GT(n, 0);
    EXPECT_EQ(model.m_nGcrTable[0], static_cast<int>((255 - 82) * 3.0f * 0.1f) - 50 * (127 - 82) / 100);
    EXPECT_EQ(model.m_nGcrTable[n], n + static_cast<int>((255 - model.m_nBlackTable[n]) * 3.0f * 0.1f));
}

TEST(InkfoldTables, LevelCurvesNeverChangeAConversion)
{
    CSeparationCore plain;
    plain.m_nTone[0][0] = CSeparationCore::AmountToHeld(10);
    plain.BuildTables();
    EXPECT_EQ(plain.m_nLevelTable[0][63], 63);   // built only with switch 4 on
    CSeparationCore levels;
    levels.m_nSwitch[4] = 1;
    levels.m_nTone[0][0] = CSeparationCore::AmountToHeld(10);
    levels.m_nTone[2][1] = CSeparationCore::AmountToHeld(-30);
    levels.BuildTables();
    EXPECT_EQ(levels.m_nLevelTable[0][63], 63 + CSeparationCore::AmountToHeld(10));
    for (int v = 0; v < 256; v += 5) {
        int a[4], b[4];
        plain.ConvertColor(v, 255 - v, v / 2, a[0], a[1], a[2], a[3]);
        levels.ConvertColor(v, 255 - v, v / 2, b[0], b[1], b[2], b[3]);
        for (int i = 0; i < 4; ++i)
            ASSERT_EQ(a[i], b[i]) << v;
    }
}

}  // namespace
