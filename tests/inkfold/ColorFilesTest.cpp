// The colour files the build puts into the system colour folder.
#include <gtest/gtest.h>

#include <string>

#include "ConversionTable.h"
#include "InkList.h"
#include "InkfoldDialogFixture.h"
#include "SeparationCore.h"
#include "TempDir.h"

namespace {

std::string Built(const std::string& name)
{
    return testsupport::ReadFileBytes(inktest::BuiltColorFolder() + "\\" + name);
}

TEST(ColorFiles, DefaultParametersAreTheModelsDefaults)
{
    testsupport::TempDir dir;
    const std::string path = dir.File("defaults.par");
    ASSERT_EQ(CSeparationCore().SaveParFile(path.c_str()), 1);
    EXPECT_EQ(Built("default.par"), testsupport::ReadFileBytes(path));
}

// Twelve ink sets, the first of them the default output balance.
TEST(ColorFiles, InkListHoldsTheTwelveSets)
{
    const std::string list = Built("ink.dat");
    int rows[3][kInkSteps];
    for (int i = 0; i < 12; ++i)
        EXPECT_TRUE(ReadInkRecord(list.data(), list.size(), i, rows)) << i;
    EXPECT_FALSE(ReadInkRecord(list.data(), list.size(), 12, rows));

    ASSERT_TRUE(ReadInkRecord(list.data(), list.size(), 0, rows));
    CSeparationCore defaults;
    CSeparationCore chosen;
    ApplyInkRecord(chosen, 0, rows);
    for (int ch = 0; ch < 3; ++ch)
        for (int i = 0; i < kInkSteps; ++i)
            EXPECT_EQ(chosen.m_nBalance[ch][i], defaults.m_nBalance[ch][i]) << ch << "," << i;
}

TEST(ColorFiles, ChartIsAConvertibleTiff)
{
    const std::string chart = Built("dto.org");
    ASSERT_GT(chart.size(), static_cast<size_t>(kChartHeadBytes));
    CTifChartInfo info;
    ASSERT_TRUE(ReadTifChartInfo(reinterpret_cast<const unsigned char*>(chart.data()), kChartHeadBytes, chart.size(),
                                 info));
    EXPECT_TRUE(IsConvertibleChart(info, chart.size()));
    EXPECT_EQ(info.width, 17 * 17);
    EXPECT_EQ(info.height, 17);
    EXPECT_FALSE(Built("std.dat").empty());
}

}  // namespace
