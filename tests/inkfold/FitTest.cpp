// The colour-correction fit, its refinement and the estimation of gains.
#include <gtest/gtest.h>

#include "SeparationFixtures.h"

namespace {

// Chromatic patches that are all neutral grey: every sector amount is 0.
void MakeSingular(CSeparationCore& model)
{
    for (int col : {0, 1, 2, 4, 5, 6})
        for (int row = CSeparationCore::RowC; row <= CSeparationCore::RowY; ++row)
            model.m_nColor[row][col] = 128;
}

TEST(InkfoldFit, DefaultTableFits)
{
    RecordingReport report;
    CSeparationCore model;
    model.SetReport(&report);
    EXPECT_EQ(model.FitColorCorrection(), 1);
    bool any = false;
    for (int ch = 0; ch < 3; ++ch)
        for (int s = 0; s < 6; ++s)
            any = any || model.m_fCoef[ch][s] != 0.0f;
    EXPECT_TRUE(any);
    model.BuildTables();
    EXPECT_EQ(report.dividedByZero, 0);
}

TEST(InkfoldFit, SingularTableReportsOncePerBuildAndKeepsCoefficients)
{
    RecordingReport report;
    CSeparationCore model;
    model.SetReport(&report);
    model.BuildTables();
    ASSERT_EQ(report.dividedByZero, 0);
    float before[3][6];
    for (int ch = 0; ch < 3; ++ch)
        for (int s = 0; s < 6; ++s)
            before[ch][s] = model.m_fCoef[ch][s];

    MakeSingular(model);
    model.BuildTables();
    EXPECT_EQ(report.dividedByZero, 1);
    for (int ch = 0; ch < 3; ++ch)
        for (int s = 0; s < 6; ++s)
            EXPECT_EQ(model.m_fCoef[ch][s], before[ch][s]);

    model.BuildTables();
    EXPECT_EQ(report.dividedByZero, 2);
    // A fit on its own says it each time.
    EXPECT_EQ(model.FitColorCorrection(), 0);
    EXPECT_EQ(report.dividedByZero, 3);

    // A refinement on its own refits pass after pass and says it once.
    RecordingReport alone;
    CSeparationCore fresh;
    fresh.SetReport(&alone);
    MakeSingular(fresh);
    fresh.RefineColorTargets();
    EXPECT_EQ(alone.dividedByZero, 1);
}

TEST(InkfoldFit, GainsStopAtTheirTargets)
{
    CSeparationCore model;
    // Patch C needs more cyan than it gets: dC = 160 - 255 rounds to -94,
    // and C1 = 160 + trunc(-94 * CN) reaches the target 80 at CN = 0.86.
    model.m_nInputCopy[0][0] = 160;
    model.m_nInputCopy[1][0] = 255;
    model.m_nInputCopy[2][0] = 255;
    model.m_nTarget[0][0] = 80;
    EXPECT_LT(model.EstimateGains(), 1000);
    EXPECT_NEAR(model.m_fGain[CSeparationCore::GainCN], 0.86f, 0.001f);
}

TEST(InkfoldFit, GainsEndAtThePassCap)
{
    CSeparationCore model;
    // Patch C with a positive difference: CN never acts on it, and its
    // target is out of reach.
    model.m_nInputCopy[0][0] = 200;
    model.m_nInputCopy[1][0] = 100;
    model.m_nInputCopy[2][0] = 100;
    model.m_nTarget[0][0] = 100;
    const float cn = model.m_fGain[CSeparationCore::GainCN];
    EXPECT_EQ(model.EstimateGains(), 1000);
    EXPECT_NEAR(model.m_fGain[CSeparationCore::GainCN], cn + 10.0f, 0.05f);
}

TEST(InkfoldFit, RatioScanStopsWhereTheMarginShrinks)
{
    CSeparationCore model;
    // Yellow differences Y - r*M - (1-r)*C over the patches C, M, Y, R, G, B;
    // patches Y, R and G carry yellow.
    const int cols[6] = {0, 1, 2, 4, 5, 6};
    const int y[6] = {200, 200, 0, 0, 0, 200};
    const int c[6] = {100, 100, 100, 100, 100, 100};
    for (int k = 0; k < 6; ++k) {
        model.m_nInputCopy[2][cols[k]] = y[k];
        model.m_nInputCopy[1][cols[k]] = 0;
        model.m_nInputCopy[0][cols[k]] = c[k];
    }
    const float cRatio = model.m_fRatio[0];
    const float mRatio = model.m_fRatio[1];
    model.EstimateRatios();
    // Differences: 200 - 100(1-r) for C, M, B (at least 1), -100(1-r) for
    // Y, R, G (negative while r < 1): margin 100(1-r) shrinks from the
    // second counting r on, so the ratio becomes 0.10 - 0.05.
    EXPECT_FLOAT_EQ(model.m_fRatio[2], 0.05f);
    // C and M find no counting r with these rows and keep their values.
    EXPECT_EQ(model.m_fRatio[0], cRatio);
    EXPECT_EQ(model.m_fRatio[1], mRatio);
}

}  // namespace
