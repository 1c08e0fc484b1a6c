// Converting one RGB colour into C, M, Y, K.
#include <gtest/gtest.h>

#include "SeparationFixtures.h"

namespace {

struct GoldenRow {
    int r, g, b, c, m, y, k;
};

const GoldenRow kGolden[] = {
#include "ConvertGolden.inc"
};

const GoldenRow kGoldenCurves[] = {
#include "ConvertGoldenCurves.inc"
};

template <size_t N>
void ExpectGrid(const CSeparationCore& model, const GoldenRow (&rows)[N])
{
    int mismatches = 0;
    for (const GoldenRow& row : rows) {
        int c, m, y, k;
        model.ConvertColor(row.r, row.g, row.b, c, m, y, k);
        if (c != row.c || m != row.m || y != row.y || k != row.k) {
            if (++mismatches <= 10)
                ADD_FAILURE() << "rgb " << row.r << "," << row.g << "," << row.b << ": got " << c << ","
                              << m << "," << y << "," << k << " want " << row.c << "," << row.m << ","
                              << row.y << "," << row.k;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(InkfoldConvert, EveryStageOffGivesTheInputBack)
{
    CSeparationCore model;
    for (int i = 1; i <= 10; ++i)
        model.m_nSwitch[i] = 0;
    model.BuildTables();
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 15) {
                int c, m, y, k;
                model.ConvertColor(r, g, b, c, m, y, k);
                ASSERT_EQ(c, r);
                ASSERT_EQ(m, g);
                ASSERT_EQ(y, b);
                ASSERT_EQ(k, 255);
            }
}

// Reference values from golden/convert_golden.py, an independent reading of
// the computation with the default parameters.
TEST(InkfoldConvert, DefaultsMatchTheReferenceGrid)
{
    RecordingReport report;
    CSeparationCore model;
    model.SetReport(&report);
    model.BuildTables();
    EXPECT_EQ(report.dividedByZero, 0);
    ExpectGrid(model, kGolden);
}

// The set "curves" of the same script: input balance from the grey table
// (C) and from five points (M, Y), five-point output balance (C, Y) and
// black curves, GCR with under-colour addition, and a total ink of 235%.
// The level curves are on and take no part.
TEST(InkfoldConvert, CurvesAndGcrMatchTheReferenceGrid)
{
    RecordingReport report;
    CSeparationCore model;
    model.SetReport(&report);
    model.m_nSwitch[3] = 1;
    model.m_nSwitch[4] = 1;
    const int inSource[3] = {1, 0, 0};
    const int inPoints[3][5] = {{0, 65, 128, 192, 255}, {0, 80, 150, 210, 255}, {12, 50, 110, 180, 240}};
    const int outSource[3] = {0, 1, 0};
    const int outPoints[3][5] = {{6, 60, 115, 185, 250}, {0, 65, 128, 192, 255}, {0, 75, 140, 200, 248}};
    const int levelPoints[5] = {0, 40, 100, 170, 255};
    for (int ch = 0; ch < 3; ++ch) {
        model.m_nInBalSource[ch] = inSource[ch];
        model.m_nOutBalSource[ch] = outSource[ch];
        model.m_nLevelSource[ch] = 0;
        for (int i = 0; i < 5; ++i) {
            model.m_nInBalPoint[ch][i] = inPoints[ch][i];
            model.m_nOutBalPoint[ch][i] = outPoints[ch][i];
            model.m_nLevelPoint[ch][i] = levelPoints[i];
        }
    }
    const int blackPoints[5] = {30, 95, 165, 225, 250};
    model.m_fBlackLevel = 2.5f;
    model.m_nBlackSource = 0;
    for (int i = 0; i < 5; ++i)
        model.m_nBlackPoint[i] = blackPoints[i];
    model.m_nTotalInk = CSeparationCore::TotalInkToHeld(235);
    model.m_nUcrControl = 0;
    model.m_nUca = 40;
    model.BuildTables();
    EXPECT_EQ(report.dividedByZero, 0);
    ExpectGrid(model, kGoldenCurves);
}

TEST(InkfoldConvert, OutputBalancePullsTowardsItsTable)
{
    CSeparationCore model;
    for (int i = 1; i <= 10; ++i)
        model.m_nSwitch[i] = 0;
    model.m_nSwitch[7] = 1;
    model.BuildTables();
    for (int v = 0; v < 256; ++v) {
        int c, m, y, k;
        model.ConvertColor(v, v, v, c, m, y, k);
        ASSERT_EQ(c, model.m_nOutBalTable[0][v]) << v;
        ASSERT_EQ(m, model.m_nOutBalTable[1][v]) << v;
        ASSERT_EQ(y, model.m_nOutBalTable[2][v]) << v;
    }
    // Spread 90: each channel within 30 of its table's entry.
    const int in[3] = {200, 110, 140};
    int out[4];
    model.ConvertColor(in[0], in[1], in[2], out[0], out[1], out[2], out[3]);
    for (int ch = 0; ch < 3; ++ch) {
        const int entry = model.m_nOutBalTable[ch][in[ch]];
        const int expected = in[ch] < entry - 30 ? entry - 30 : in[ch] > entry + 30 ? entry + 30 : in[ch];
        EXPECT_EQ(out[ch], expected) << ch;
    }
}

TEST(InkfoldConvert, TotalInkLimitLiftsAllThree)
{
    CSeparationCore model;
    for (int i = 1; i <= 10; ++i)
        model.m_nSwitch[i] = 0;
    model.m_nSwitch[10] = 1;
    model.BuildTables();
    // Full C, M, Y plus the black end of 68% (173): total 938 against 854.
    int c, m, y, k;
    model.ConvertColor(0, 0, 0, c, m, y, k);
    EXPECT_EQ(c, (938 - 854) / 3);
    EXPECT_EQ(m, c);
    EXPECT_EQ(y, c);
    model.ConvertColor(255, 255, 255, c, m, y, k);
    EXPECT_EQ(c, 255);
}

}  // namespace
