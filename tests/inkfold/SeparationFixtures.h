// Shared pieces of the separation tests: a report that records instead of
// showing, comparisons of the parameters a ".par" file carries, and random
// parameter sets.
#pragma once

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "SeparationCore.h"

struct RecordingReport : CSeparationReport {
    std::vector<std::string> opened;
    int fileType = 0;
    int dividedByZero = 0;
    void OpenFileError(const char* path) override { opened.push_back(path); }
    void FileTypeError() override { ++fileType; }
    void DividedByZero() override { ++dividedByZero; }
};

// Every parameter that a ".par" file carries (grey and balance entries up
// to their counts), in the model's own form.
inline void ExpectSameParameters(const CSeparationCore& a, const CSeparationCore& b)
{
    for (int i = 2; i <= 10; ++i) {
        if (i != 6) {
            EXPECT_EQ(a.m_nSwitch[i], b.m_nSwitch[i]) << "switch " << i;
        }
    }
    EXPECT_EQ(a.m_nAnyStage, b.m_nAnyStage);
    EXPECT_EQ(a.m_nInk, b.m_nInk);
    ASSERT_EQ(a.m_nGrayCount, b.m_nGrayCount);
    ASSERT_EQ(a.m_nBalanceCount, b.m_nBalanceCount);
    for (int ch = 0; ch < 3; ++ch) {
        for (int i = 0; i < a.m_nGrayCount; ++i)
            EXPECT_EQ(a.m_nGray[ch][i], b.m_nGray[ch][i]) << "grey " << ch << "," << i;
        for (int i = 0; i < a.m_nBalanceCount; ++i)
            EXPECT_EQ(a.m_nBalance[ch][i], b.m_nBalance[ch][i]) << "balance " << ch << "," << i;
        EXPECT_EQ(a.m_nInBalSource[ch], b.m_nInBalSource[ch]);
        EXPECT_EQ(a.m_nOutBalSource[ch], b.m_nOutBalSource[ch]);
        EXPECT_EQ(a.m_nLevelSource[ch], b.m_nLevelSource[ch]);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(a.m_nInBalPoint[ch][i], b.m_nInBalPoint[ch][i]);
            EXPECT_EQ(a.m_nOutBalPoint[ch][i], b.m_nOutBalPoint[ch][i]);
            EXPECT_EQ(a.m_nLevelPoint[ch][i], b.m_nLevelPoint[ch][i]);
        }
        EXPECT_EQ(a.m_fRatio[ch], b.m_fRatio[ch]) << "ratio " << ch;
        EXPECT_EQ(a.m_nUcrStart[ch], b.m_nUcrStart[ch]);
        EXPECT_EQ(a.m_nUcrAmount[ch], b.m_nUcrAmount[ch]);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(a.m_nTone[ch][i], b.m_nTone[ch][i]) << "tone " << ch << "," << i;
            EXPECT_EQ(a.m_fCurvePos[ch][i], b.m_fCurvePos[ch][i]);
        }
    }
    for (int r = 0; r < 6; ++r)
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(a.m_nColor[r][i], b.m_nColor[r][i]) << "colour " << r << "," << i;
    for (int r = 0; r < 3; ++r)
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(a.m_nTarget[r][i], b.m_nTarget[r][i]) << "target " << r << "," << i;
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(a.m_fGain[i], b.m_fGain[i]) << "gain " << i;
    EXPECT_EQ(a.m_nBlackK, b.m_nBlackK);
    EXPECT_EQ(a.m_fBlackLevel, b.m_fBlackLevel);
    EXPECT_EQ(a.m_nBlackStart, b.m_nBlackStart);
    EXPECT_EQ(a.m_nBlackStartPoint, b.m_nBlackStartPoint);
    EXPECT_EQ(a.m_nBlackEnd, b.m_nBlackEnd);
    EXPECT_EQ(a.m_nBlackEndPoint, b.m_nBlackEndPoint);
    EXPECT_EQ(a.m_nBlackSource, b.m_nBlackSource);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(a.m_nBlackPoint[i], b.m_nBlackPoint[i]);
    EXPECT_EQ(a.m_nTotalInk, b.m_nTotalInk);
    EXPECT_EQ(a.m_nUcrControl, b.m_nUcrControl);
    EXPECT_EQ(a.m_nUca, b.m_nUca);
    EXPECT_EQ(a.m_nUcrSmooth, b.m_nUcrSmooth);
}

// A parameter set with every field the file carries drawn at random within
// the ranges the dialogs allow (floats with the decimals the file keeps).
inline void Randomize(CSeparationCore& s, std::mt19937& rng)
{
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto percent = [&]() { return CSeparationCore::PercentToLevel(pick(0, 100)); };
    for (int i = 2; i <= 10; ++i)
        s.m_nSwitch[i] = pick(0, 1);
    s.m_nSwitch[1] = s.m_nSwitch[6] = 0;
    s.m_nAnyStage = 0;
    for (int i = 2; i <= 10; ++i)
        s.m_nAnyStage |= s.m_nSwitch[i];
    s.m_nInk = pick(0, CSeparationCore::kInkSets - 1);
    s.m_nGrayCount = pick(1, CSeparationCore::kMaxSteps);
    s.m_nBalanceCount = pick(1, CSeparationCore::kMaxSteps);
    for (int ch = 0; ch < 3; ++ch) {
        for (int i = 0; i < CSeparationCore::kStepEntries; ++i) {
            s.m_nGray[ch][i] = percent();
            s.m_nBalance[ch][i] = percent();
        }
        s.m_nInBalSource[ch] = pick(0, 1);
        s.m_nOutBalSource[ch] = pick(0, 1);
        s.m_nLevelSource[ch] = pick(0, 1);
        for (int i = 0; i < 5; ++i) {
            s.m_nInBalPoint[ch][i] = pick(0, 255);
            s.m_nOutBalPoint[ch][i] = pick(0, 255);
            s.m_nLevelPoint[ch][i] = pick(0, 255);
        }
        s.m_fRatio[ch] = pick(0, 100) / 100.0f;
        s.m_nUcrStart[ch] = pick(0, 100);
        s.m_nUcrAmount[ch] = pick(0, 100);
        for (int i = 0; i < 3; ++i)
            s.m_nTone[ch][i] = CSeparationCore::AmountToHeld(pick(-100, 100));
    }
    for (int r = 0; r < 6; ++r)
        for (int i = 0; i < 8; ++i)
            s.m_nColor[r][i] = percent();
    for (int r = 0; r < 3; ++r)
        for (int i = 0; i < 8; ++i)
            s.m_nTarget[r][i] = s.m_nColor[CSeparationCore::RowCt + r][i];
    for (int i = 0; i < 6; ++i)
        s.m_fGain[i] = pick(0, 5000) / 1000.0f;
    s.m_fBlackLevel = pick(0, 10000) / 1000.0f;
    s.m_nBlackStart = pick(0, 100);
    s.m_nBlackStartPoint = pick(0, 100);
    s.m_nBlackEnd = pick(0, 100);
    s.m_nBlackEndPoint = pick(0, 100);
    s.m_nBlackSource = pick(0, 1);
    for (int i = 0; i < 5; ++i)
        s.m_nBlackPoint[i] = pick(0, 255);
    s.m_nTotalInk = CSeparationCore::TotalInkToHeld(pick(0, 400));
    s.m_nUcrControl = pick(0, 1);
    s.m_nUca = pick(0, 100);
}
