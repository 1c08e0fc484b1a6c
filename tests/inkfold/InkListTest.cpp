// The ink list "ink.dat": reading a record and making it the output balance.
#include "InkList.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "SeparationCore.h"

namespace {

std::string Row(const char* label, int first, int count)
{
    std::string row = label;
    for (int i = 0; i < count; ++i)
        row += " " + std::to_string(first + i);
    return row + "\r\n";
}

std::string Record(const std::string& name, int first, int cCount = 21, int myCount = 21)
{
    return name + " Coated\r\n" + Row("C%", first, cCount) + Row("M%", first + 1, myCount) +
           Row("Y%", first + 2, myCount);
}

struct InkCase {
    const char* name;
    std::string text;
    int index;
    int firstC;   // the record's first C value; -1: refused
};

void PrintTo(const InkCase& c, std::ostream* os)
{
    *os << c.name;
}

class InkRecordTest : public ::testing::TestWithParam<InkCase> {};

TEST_P(InkRecordTest, ReadsTheRecordAtItsPositionOrNothing)
{
    const InkCase& c = GetParam();
    int rows[3][kInkSteps];
    for (auto& row : rows)
        for (int& v : row)
            v = -7;
    const bool read = ReadInkRecord(c.text.data(), c.text.size(), c.index, rows);
    EXPECT_EQ(read, c.firstC >= 0);
    if (read) {
        for (int ch = 0; ch < 3; ++ch)
            for (int i = 0; i < kInkSteps; ++i)
                EXPECT_EQ(rows[ch][i], c.firstC + ch + i) << ch << "," << i;
    } else {
        EXPECT_EQ(rows[0][0], -7);
        EXPECT_EQ(rows[2][20], -7);
    }
}

const std::string kThree = Record("Tianjin", 0) + Record("Toyo", 10) + Record("Swop", 20);

const InkCase kInkCases[] = {
    {"First", kThree, 0, 0},
    {"Third", kThree, 2, 20},
    {"MissingRecord", kThree, 3, -1},
    {"NegativeIndex", kThree, -1, -1},
    {"Empty", "", 0, -1},
    {"ShortRow", Record("Tianjin", 0) + Record("Toyo", 10, 21, 20) + Record("Swop", 20), 2, -1},
    {"ShortRowInTheChosenRecord", Record("Tianjin", 0, 20), 0, -1},
    {"LongCRow", Record("Tianjin", 0, 22), 0, -1},
    // The M and Y scans take up to three values more.
    {"LongMAndYRows", Record("Tianjin", 0, 21, 24) + Record("Toyo", 10), 1, 10},
    {"NotANumber", "Tianjin Coated\r\nC% 1 2 x\r\n", 0, -1},
    {"AboveHundred", Record("Tianjin", 90), 0, -1},
    {"BelowZero", Record("Tianjin", -1), 0, -1},
    {"HugeToken", std::string(5000, 'x') + " " + Record("Tianjin", 0), 0, -1},
    {"NoLineEnds", "a b C% 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 "
                   "M% 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 "
                   "Y% 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22",
     0, 0},
};

INSTANTIATE_TEST_SUITE_P(Records, InkRecordTest, ::testing::ValuesIn(kInkCases),
                         [](const ::testing::TestParamInfo<InkCase>& info) { return info.param.name; });

TEST(InkRecordApply, StoresEachRowReversedAsTheOutputBalance)
{
    int rows[3][kInkSteps];
    for (int ch = 0; ch < 3; ++ch)
        for (int i = 0; i < kInkSteps; ++i)
            rows[ch][i] = 2 + 4 * i + ch;
    CSeparationCore model;
    model.m_nBalanceCount = 7;
    model.m_nOutBalSource[2] = 0;
    model.m_nBalance[0][22] = 123;
    ApplyInkRecord(model, 5, rows);
    EXPECT_EQ(model.m_nInk, 5);
    EXPECT_EQ(model.m_nBalanceCount, 21);
    for (int ch = 0; ch < 3; ++ch) {
        EXPECT_EQ(model.m_nOutBalSource[ch], 1);
        for (int i = 0; i < kInkSteps; ++i)
            EXPECT_EQ(model.m_nBalance[ch][20 - i], CSeparationCore::PercentToLevel(rows[ch][i]));
        int table[256];
        CSeparationCore::BalanceToTable(model.m_nBalance[ch], table, 21, 255);
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(model.m_nOutBalTable[ch][i], table[i]) << ch << "," << i;
    }
    // Steps past the 21 keep what they held.
    EXPECT_EQ(model.m_nBalance[0][22], 123);
}

}  // namespace
