// The ".par" parameter file: its exact text, writer-to-reader round trips,
// and what malformed files leave in the model.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "SeparationFixtures.h"
#include "TempDir.h"

using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

namespace {

// The file as lines; the writer's line breaks are the C runtime's text mode.
std::vector<std::string> Lines(std::string bytes)
{
    std::vector<std::string> lines;
    std::string line;
    for (char ch : bytes) {
        if (ch == '\r')
            continue;
        if (ch == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += ch;
        }
    }
    lines.push_back(line);
    return lines;
}

std::string Join(const std::vector<std::string>& lines, size_t from, size_t to)
{
    std::string text;
    for (size_t i = from; i < to; ++i)
        text += (i > from ? "\n" : "") + lines[i];
    return text;
}

std::string SavedText(const CSeparationCore& model, const TempDir& dir)
{
    std::string path = dir.File("saved.par");
    EXPECT_EQ(model.SaveParFile(path.c_str()), 1);
    return ReadFileBytes(path);
}

// Loads text into a model that holds other, stale parameters first.
int LoadText(const std::string& text, CSeparationCore& model, const TempDir& dir)
{
    std::string path = dir.File("load.par");
    EXPECT_TRUE(WriteFileBytes(path, text));
    return model.LoadParFile(path.c_str());
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// Every parameter within the range the dialogs allow.
void ExpectInRange(const CSeparationCore& s)
{
    for (int i = 1; i <= 10; ++i)
        EXPECT_TRUE(s.m_nSwitch[i] == 0 || s.m_nSwitch[i] == 1);
    EXPECT_GE(s.m_nInk, 0);
    EXPECT_LT(s.m_nInk, CSeparationCore::kInkSets);
    EXPECT_GE(s.m_nGrayCount, 1);
    EXPECT_LE(s.m_nGrayCount, CSeparationCore::kMaxSteps);
    EXPECT_GE(s.m_nBalanceCount, 1);
    EXPECT_LE(s.m_nBalanceCount, CSeparationCore::kMaxSteps);
    for (int ch = 0; ch < 3; ++ch) {
        for (int i = 0; i < CSeparationCore::kStepEntries; ++i) {
            EXPECT_TRUE(s.m_nGray[ch][i] >= 0 && s.m_nGray[ch][i] <= 255);
            EXPECT_TRUE(s.m_nBalance[ch][i] >= 0 && s.m_nBalance[ch][i] <= 255);
        }
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(s.m_nInBalPoint[ch][i] >= 0 && s.m_nInBalPoint[ch][i] <= 255);
            EXPECT_TRUE(s.m_nOutBalPoint[ch][i] >= 0 && s.m_nOutBalPoint[ch][i] <= 255);
            EXPECT_TRUE(s.m_nLevelPoint[ch][i] >= 0 && s.m_nLevelPoint[ch][i] <= 255);
        }
        EXPECT_TRUE(s.m_fRatio[ch] >= 0.0f && s.m_fRatio[ch] <= 1.0f);
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(s.m_nTone[ch][i] >= -255 && s.m_nTone[ch][i] <= 255);
    }
    for (int r = 0; r < 6; ++r)
        for (int i = 0; i < 8; ++i)
            EXPECT_TRUE(s.m_nColor[r][i] >= 0 && s.m_nColor[r][i] <= 255);
    EXPECT_TRUE(s.m_fBlackLevel >= 0.0f && s.m_fBlackLevel <= 10.0f);
    EXPECT_TRUE(s.m_nTotalInk >= CSeparationCore::TotalInkToHeld(0) &&
                s.m_nTotalInk <= CSeparationCore::TotalInkToHeld(400));
    EXPECT_TRUE(s.m_nUca >= 0 && s.m_nUca <= 100);
}

TEST(InkfoldParFile, DefaultFileReadsAsWritten)
{
    TempDir dir;
    CSeparationCore model;
    std::string bytes = SavedText(model, dir);
    std::vector<std::string> lines = Lines(bytes);
    ASSERT_EQ(lines.size(), 52u);
    EXPECT_EQ(lines[0], "[debug= 0 0 0 0 1 0 1 1 1 1]");
    EXPECT_EQ(lines[1], "[ink=0]");
    EXPECT_EQ(lines[2], "[gray=11]");
    EXPECT_EQ(lines[3], "C   98   96   93   86   78   64   48   33   21   12    6 ");
    EXPECT_EQ(lines[6], "[inbal_c(   1,   0,  65, 128, 192, 255)]");
    EXPECT_EQ(lines[10], "    C   M   Y   K   R   G   B   W");
    EXPECT_EQ(lines[11], "C    73  25   6  99  29  74  76   0");
    EXPECT_EQ(lines[14], "C%   88  32  15  95  25  85  91   3");
    EXPECT_EQ(lines[19], "    0.55    0.55    0.75");
    EXPECT_EQ(lines[22], "   0.520   0.550   0.660   1.770   0.430   1.300");
    EXPECT_EQ(lines[30], "[black_curve(k,level,start,start_point,end,end_point)=  15,   3.000,   0,  30,  68, 100]");
    EXPECT_EQ(lines[32], "[MaxInk= 320]");
    EXPECT_EQ(lines[35], "[UcrStart(CMY%)=   0,   0,   0]");
    EXPECT_EQ(lines[36], "[UcrAmount(CMY%)=   8,   8,   8]");
    EXPECT_EQ(lines[40], "[C_dark_mid_light(%)]");
    EXPECT_EQ(lines[41], "   0   0   0");
    EXPECT_EQ(lines[43], "      75      50      25");
    EXPECT_EQ(lines.back(), "      75      50      25");
    EXPECT_NE(bytes.back(), '\n');

    CSeparationCore loaded;
    std::mt19937 rng(7);
    Randomize(loaded, rng);
    ASSERT_EQ(LoadText(bytes, loaded, dir), 1);
    ExpectSameParameters(loaded, CSeparationCore());
}

TEST(InkfoldParFile, RandomParameterSetsComeBackUnchanged)
{
    TempDir dir;
    std::mt19937 rng(20261210);
    for (int round = 0; round < 40; ++round) {
        CSeparationCore written;
        Randomize(written, rng);
        std::string text = SavedText(written, dir);
        CSeparationCore read;
        ASSERT_EQ(LoadText(text, read, dir), 1);
        ExpectSameParameters(read, written);
        if (HasFailure()) {
            ADD_FAILURE() << text;
            return;
        }
    }
}

TEST(InkfoldParFile, FixedValuesWhateverTheModelOrFileHolds)
{
    TempDir dir;
    CSeparationCore model;
    model.m_nSwitch[1] = 1;
    model.m_nSwitch[6] = 1;
    model.m_nBlackK = 9;
    model.m_fCurvePos[0][0] = 3;
    std::string text = SavedText(model, dir);
    EXPECT_EQ(Lines(text)[0], "[debug= 0 0 0 0 1 0 1 1 1 1]");

    text = Replace(text, "=  15,", "=  99,");
    text = Replace(text, "\n      75      50      25", "\n       1       2       3");
    CSeparationCore read;
    ASSERT_EQ(LoadText(text, read, dir), 1);
    EXPECT_EQ(read.m_nBlackK, 15);
    const float expected[3][3] = {{25, 50, 75}, {25, 50, 75}, {75, 50, 25}};
    for (int ch = 0; ch < 3; ++ch)
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(read.m_fCurvePos[ch][i], expected[ch][i]);
}

TEST(InkfoldParFile, AnyStageFlagFollowsTheSwitches)
{
    TempDir dir;
    CSeparationCore model;
    for (int i = 1; i <= 10; ++i)
        model.m_nSwitch[i] = 0;
    CSeparationCore read;
    ASSERT_EQ(LoadText(SavedText(model, dir), read, dir), 1);
    EXPECT_EQ(read.m_nAnyStage, 0);
    model.m_nSwitch[2] = 1;
    ASSERT_EQ(LoadText(SavedText(model, dir), read, dir), 1);
    EXPECT_EQ(read.m_nAnyStage, 1);
}

// The grey data dialog allows 21 steps: they are written and read back.
TEST(InkfoldParFile, TwentyOneStepsComeBack)
{
    TempDir dir;
    CSeparationCore model;
    model.m_nGrayCount = 21;
    model.m_nBalanceCount = 21;
    for (int ch = 0; ch < 3; ++ch)
        for (int i = 0; i < 21; ++i) {
            model.m_nGray[ch][i] = CSeparationCore::PercentToLevel(100 - 4 * i - ch);
            model.m_nBalance[ch][i] = CSeparationCore::PercentToLevel(99 - 4 * i - ch);
        }
    CSeparationCore read;
    ASSERT_EQ(LoadText(SavedText(model, dir), read, dir), 1);
    ExpectSameParameters(read, model);

    // A count beyond what the dialog allows is written as its limit.
    model.m_nGrayCount = 32;
    model.m_nBalanceCount = 30;
    std::vector<std::string> lines = Lines(SavedText(model, dir));
    EXPECT_EQ(lines[2], "[gray=21]");
    ASSERT_EQ(LoadText(Join(lines, 0, lines.size()), read, dir), 1);
    EXPECT_EQ(read.m_nGrayCount, 21);
    EXPECT_EQ(read.m_nBalanceCount, 21);
}

// A file cut after any line gives the file's values up to the cut and the
// defaults after it, never what the model held before.
TEST(InkfoldParFile, TruncationAtEveryLineLeavesDefaultsBeyondIt)
{
    TempDir dir;
    std::mt19937 rng(99);
    CSeparationCore written;
    Randomize(written, rng);
    std::vector<std::string> mine = Lines(SavedText(written, dir));
    std::vector<std::string> defaults = Lines(SavedText(CSeparationCore(), dir));
    ASSERT_EQ(mine.size(), defaults.size());
    for (size_t cut = 1; cut < mine.size(); ++cut) {
        CSeparationCore stale;
        Randomize(stale, rng);
        ASSERT_EQ(LoadText(Join(mine, 0, cut), stale, dir), 1) << cut;

        std::vector<std::string> spliced(mine.begin(), mine.begin() + cut);
        spliced.insert(spliced.end(), defaults.begin() + cut, defaults.end());
        CSeparationCore expected;
        ASSERT_EQ(LoadText(Join(spliced, 0, spliced.size()), expected, dir), 1);
        ExpectSameParameters(stale, expected);
        if (HasFailure()) {
            ADD_FAILURE() << "cut after line " << cut;
            return;
        }
    }
}

TEST(InkfoldParFile, TruncationAtEveryByteStaysInRange)
{
    TempDir dir;
    std::mt19937 rng(5);
    CSeparationCore written;
    Randomize(written, rng);
    std::string text = SavedText(written, dir);
    for (size_t cut = 7; cut < text.size(); ++cut) {
        CSeparationCore read;
        Randomize(read, rng);
        ASSERT_EQ(LoadText(text.substr(0, cut), read, dir), 1);
        ExpectInRange(read);
        if (cut % 64 == 0)
            read.BuildTables();
        if (HasFailure()) {
            ADD_FAILURE() << "cut at byte " << cut;
            return;
        }
    }
}

struct MalformedCase {
    const char* name;
    const char* from;
    const char* to;
    void (*check)(const CSeparationCore&);
};

const MalformedCase kMalformed[] = {
    {"huge grey count", "[gray=11]", "[gray=100000]",
     [](const CSeparationCore& s) { EXPECT_EQ(s.m_nGrayCount, 21); }},
    {"negative grey count", "[gray=11]", "[gray=-7]",
     [](const CSeparationCore& s) { EXPECT_EQ(s.m_nGrayCount, 1); }},
    {"huge balance count", "[balance=21]", "[balance=2147483647]",
     [](const CSeparationCore& s) { EXPECT_EQ(s.m_nBalanceCount, 21); }},
    {"overflowing number", "[balance=21]", "[balance=99999999999999999999]",
     [](const CSeparationCore& s) { EXPECT_EQ(s.m_nBalanceCount, 21); }},
    {"non-number total ink", "[MaxInk= 320]", "[MaxInk=abc]",
     [](const CSeparationCore& s) { EXPECT_EQ(s.m_nTotalInk, 854); }},
    {"total ink above 400", "[MaxInk= 320]", "[MaxInk= 401]",
     [](const CSeparationCore& s) { EXPECT_EQ(s.m_nTotalInk, 854); }},
    {"UCA above 100", "[UCA=   0]", "[UCA= 150]", [](const CSeparationCore& s) { EXPECT_EQ(s.m_nUca, 0); }},
    {"ink set beyond the list", "[ink=0]", "[ink=12]", [](const CSeparationCore& s) { EXPECT_EQ(s.m_nInk, 0); }},
    {"negative black level", "   3.000,", "  -2.500,",
     [](const CSeparationCore& s) { EXPECT_EQ(s.m_fBlackLevel, 3.0f); }},
    {"percent above 100", "C    73  25", "C   173  25",
     [](const CSeparationCore& s) {
         EXPECT_EQ(s.m_nColor[CSeparationCore::RowC][0], CSeparationCore::PercentToLevel(73));
         EXPECT_EQ(s.m_nColor[CSeparationCore::RowC][1], CSeparationCore::PercentToLevel(25));
     }},
    {"point above 255", "[inbal_c(   1,   0,  65", "[inbal_c(   1,   0, 365",
     [](const CSeparationCore& s) { EXPECT_EQ(s.m_nInBalPoint[0][1], 65); }},
    {"switch other than 0 or 1", "[debug= 0 0 0 0 1", "[debug= 0 0 7 0 1",
     [](const CSeparationCore& s) { EXPECT_EQ(s.m_nSwitch[3], 0); }},
    {"dark amount beyond 100", "[M_dark_mid_light(%)]\n   0", "[M_dark_mid_light(%)]\n 300",
     [](const CSeparationCore& s) { EXPECT_EQ(s.m_nTone[1][0], 0); }},
    {"ratio not a number", "    0.55    0.55    0.75", "    nan    0.55    0.75",
     [](const CSeparationCore& s) { EXPECT_EQ(s.m_fRatio[0], 0.55f); }},
    {"very long token", "[color=8]", "[color=8]xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
     [](const CSeparationCore&) {}},
};

TEST(InkfoldParFile, MalformedValuesTakeTheirDefaults)
{
    TempDir dir;
    std::string text = SavedText(CSeparationCore(), dir);
    for (const MalformedCase& c : kMalformed) {
        SCOPED_TRACE(c.name);
        std::string normalized;
        for (char ch : text)
            if (ch != '\r')
                normalized += ch;
        CSeparationCore read;
        std::mt19937 rng(11);
        Randomize(read, rng);
        ASSERT_EQ(LoadText(Replace(normalized, c.from, c.to), read, dir), 1);
        c.check(read);
        ExpectInRange(read);
    }
}

TEST(InkfoldParFile, ShortRowsAreFollowedByTheNextLabel)
{
    TempDir dir;
    std::string text = "[debug= 0 0 0 0 1 0 1 1 1 1]\n[ink=3]\n[gray=2]\nC 90 80\nM 70 60 \nY   50 40\n"
                       "[inbal_c(0,1,2,3,4,5)]";
    CSeparationCore read;
    ASSERT_EQ(LoadText(text, read, dir), 1);
    EXPECT_EQ(read.m_nInk, 3);
    EXPECT_EQ(read.m_nGrayCount, 2);
    const int expected[3][2] = {{90, 80}, {70, 60}, {50, 40}};
    for (int ch = 0; ch < 3; ++ch)
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(read.m_nGray[ch][i], CSeparationCore::PercentToLevel(expected[ch][i]));
    EXPECT_EQ(read.m_nInBalSource[0], 0);
    EXPECT_EQ(read.m_nInBalPoint[0][4], 5);
}

TEST(InkfoldParFile, RefusedFilesLeaveTheModelAlone)
{
    TempDir dir;
    const char* bodies[] = {"", "[debug", "[Debug= 0 0 0 0 1 0 1 1 1 1]", "debug= 0 0 0 0 1 0 1 1 1 1]"};
    std::mt19937 rng(3);
    CSeparationCore before;
    Randomize(before, rng);
    for (const char* body : bodies) {
        SCOPED_TRACE(body);
        RecordingReport report;
        CSeparationCore model = before;
        model.SetReport(&report);
        EXPECT_EQ(LoadText(body, model, dir), 0);
        EXPECT_EQ(report.fileType, 1);
        EXPECT_TRUE(report.opened.empty());
        ExpectSameParameters(model, before);
    }

    RecordingReport report;
    CSeparationCore model = before;
    model.SetReport(&report);
    std::string missing = dir.File("missing.par");
    EXPECT_EQ(model.LoadParFile(missing.c_str()), 0);
    ASSERT_EQ(report.opened.size(), 1u);
    EXPECT_EQ(report.opened[0], missing);
    EXPECT_EQ(report.fileType, 0);
    ExpectSameParameters(model, before);
}

TEST(InkfoldParFile, SavingWhereNoFileCanBeMadeFails)
{
    TempDir dir;
    RecordingReport report;
    CSeparationCore model;
    model.SetReport(&report);
    std::string path = dir.File("no such folder/x.par");
    EXPECT_EQ(model.SaveParFile(path.c_str()), 0);
    EXPECT_TRUE(report.opened.empty());
}

}  // namespace
