// The chart's TIFF header and the conversion table's header and rows, over
// bytes.
#include "ConversionTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CvtTable.h"
#include "SeparationCore.h"
#include "TestChart.h"

namespace {

uint32_t U16(const unsigned char* p)
{
    return p[0] | (p[1] << 8);
}

uint32_t U32(const unsigned char* p)
{
    return U16(p) | (U16(p + 2) << 16);
}

bool ReadInfo(const std::string& bytes, CTifChartInfo& info)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t limit = kChartHeadBytes;
    const size_t head = bytes.size() < limit ? bytes.size() : limit;
    return ReadTifChartInfo(p, head, bytes.size(), info);
}

TEST(TifChartInfo, ReadsTheFieldsOfAChart)
{
    inktest::ChartSpec spec;
    spec.width = 7;
    spec.height = 5;
    const std::string chart = inktest::MakeChart(spec);
    CTifChartInfo info;
    ASSERT_TRUE(ReadInfo(chart, info));
    EXPECT_EQ(info.width, 7);
    EXPECT_EQ(info.height, 5);
    EXPECT_EQ(info.samples, 3);
    EXPECT_EQ(info.bits, 8);
    EXPECT_EQ(info.planar, 1);
    EXPECT_EQ(info.photometric, 0);
    EXPECT_EQ(info.xResolution[0], 300u);
    EXPECT_EQ(info.yResolution[1], 1u);
    EXPECT_EQ(info.stripOffset, chart.size() - 7 * 5 * 3);
    EXPECT_EQ(info.failed, 0);
    EXPECT_TRUE(IsConvertibleChart(info, chart.size()));
}

// Our own table is a chart too: four samples, four strip offsets, the
// separated colour interpretation and the private tag.
TEST(TifChartInfo, ReadsATableWrittenByFillCvtHead)
{
    unsigned char head[kCvtHeadBytes];
    FillCvtHead(head, 6, 2, 4);
    std::string table(reinterpret_cast<char*>(head), kCvtHeadBytes);
    table.append(6 * 2 * 4, '\x10');
    CTifChartInfo info;
    ASSERT_TRUE(ReadInfo(table, info));
    EXPECT_EQ(info.samples, 4);
    EXPECT_EQ(info.photometric, 1);
    EXPECT_EQ(info.privateTag, 1);
    EXPECT_EQ(info.privateValue, 4);
    EXPECT_EQ(info.strips[0], 212u);
    EXPECT_EQ(info.strips[3], 212u + 3 * 12);
    EXPECT_EQ(info.stripOffset, 212u);
    EXPECT_TRUE(IsConvertibleChart(info, table.size()));
}

// StripOffsets reads as many offsets as its count gives: two offsets in the
// last eight bytes of the 600 are read, four would run past them.
TEST(TifChartInfo, StripOffsetsReadOnlyTheirCount)
{
    for (uint32_t count : {2u, 4u}) {
        unsigned char head[kCvtHeadBytes];
        FillCvtHead(head, 97, 1, 4);
        std::string chart(reinterpret_cast<char*>(head), kCvtHeadBytes);
        chart.append(97 * 4, '\0');
        ASSERT_EQ(chart.size(), 600u);
        unsigned char* strips = reinterpret_cast<unsigned char*>(&chart[52 + 12 * 6]);
        ASSERT_EQ(U16(strips), 273u);
        strips[4] = static_cast<unsigned char>(count);
        strips[8] = 592 & 0xFF;
        strips[9] = 592 >> 8;
        chart[592] = static_cast<char>(212);
        CTifChartInfo info;
        EXPECT_EQ(ReadInfo(chart, info), count == 2) << count;
        if (count == 2) {
            EXPECT_EQ(info.stripOffset, 212u);
        }
    }
}

// Bytes of no chart at all never read outside what they give.
TEST(TifChartInfo, ShortOrForeignBytesFail)
{
    const std::string cases[] = {std::string(), std::string("II*\0", 4), std::string("MM\0*\0\0\0\x08", 8),
                                 std::string("II*\0\x08\0\0\0", 8), std::string("II*\0\x08\0\0\0\x05\0", 10)};
    for (const std::string& bytes : cases) {
        CTifChartInfo info;
        std::vector<unsigned char> copy(bytes.begin(), bytes.end());
        EXPECT_FALSE(ReadTifChartInfo(copy.data(), copy.size(), copy.size(), info)) << bytes.size();
        EXPECT_EQ(info.failed, 1);
    }
}

struct HeaderEntry {
    uint32_t tag, type, count, value;
};

TEST(CvtHead, HoldsTheTablesLayout)
{
    const int w = 4, h = 3;
    unsigned char head[kCvtHeadBytes];
    FillCvtHead(head, w, h, 4);
    EXPECT_EQ(head[0], 'I');
    EXPECT_EQ(head[1], 'I');
    EXPECT_EQ(U16(head + 2), 42u);
    EXPECT_EQ(U32(head + 4), 50u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(U16(head + 8 + 2 * i), 8u);
        EXPECT_EQ(U32(head + 16 + 4 * i), 212u + i * w * h);
    }
    EXPECT_EQ(U32(head + 32), 300u);
    EXPECT_EQ(U32(head + 36), 1u);
    EXPECT_EQ(U32(head + 40), 300u);
    EXPECT_EQ(U32(head + 44), 1u);
    EXPECT_EQ(U16(head + 48), 0u);
    EXPECT_EQ(U16(head + 50), 13u);
    const HeaderEntry expected[13] = {
        {254, 4, 1, 0},  {256, 4, 1, 4},  {257, 4, 1, 3},   {258, 3, 4, 8},   {259, 3, 1, 1},
        {262, 3, 1, 5},  {273, 4, 4, 16}, {277, 3, 1, 4},   {278, 4, 1, 3},   {282, 5, 1, 32},
        {283, 5, 1, 40}, {284, 3, 1, 1},  {748, 4, 1, 4},
    };
    for (int i = 0; i < 13; ++i) {
        const unsigned char* entry = head + 52 + 12 * i;
        EXPECT_EQ(U16(entry), expected[i].tag) << i;
        EXPECT_EQ(U16(entry + 2), expected[i].type) << i;
        EXPECT_EQ(U32(entry + 4), expected[i].count) << i;
        EXPECT_EQ(U32(entry + 8), expected[i].value) << i;
    }
    EXPECT_EQ(U32(head + 208), 0u);

    std::vector<uint8_t> table(head, head + kCvtHeadBytes);
    table.resize(kCvtHeadBytes + 4 * w * h - 1);
    EXPECT_FALSE(convert::IsValidCmykTable(table));
    table.push_back(0);
    EXPECT_TRUE(convert::IsValidCmykTable(table));
}

TEST(CvtHead, ThreeSamplesAreRgb)
{
    unsigned char head[kCvtHeadBytes];
    FillCvtHead(head, 2, 2, 3);
    EXPECT_EQ(U16(head + 52 + 12 * 5 + 8), 2u);
    EXPECT_EQ(U32(head + 52 + 12 * 3 + 4), 3u);
}

TEST(ChartRow, SkipsTheFourthSampleAndInvertsWithEveryStageOff)
{
    CSeparationCore model;
    for (int i = 1; i <= 10; ++i)
        model.m_nSwitch[i] = 0;
    model.BuildTables();
    const unsigned char chart[8] = {10, 20, 30, 99, 200, 100, 0, 99};
    unsigned char table[8];
    ConvertChartRow(model, chart, 2, 4, table);
    const unsigned char expected[8] = {245, 235, 225, 0, 55, 155, 255, 0};
    EXPECT_EQ(std::vector<unsigned char>(table, table + 8), std::vector<unsigned char>(expected, expected + 8));
}

}  // namespace
