// The separation dialog's OK: the conversion table from the chart, the copy
// of the standard table and the default parameters, and every way it stays
// open instead.
#include "InkfoldDialogFixture.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "Convert.h"
#include "CvtTable.h"
#include "GrayBalanceDlg.h"
#include "GuiDriver.h"
#include "SeparationFixtures.h"
#include "CurvePlot.h"
#include "TestChart.h"
#include "resource.h"

namespace inktest {
namespace {

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The table "dto.cvt" must hold for a chart: the header, then for each
// pixel the inks of a model that went through the dialog's builds.
std::string ExpectedTable(const ChartSpec& spec, CSeparationCore& model)
{
    unsigned char head[kCvtHeadBytes];
    FillCvtHead(head, spec.width, spec.height, 4);
    std::string table(reinterpret_cast<char*>(head), kCvtHeadBytes);
    for (int y = 0; y < spec.height; ++y) {
        for (int x = 0; x < spec.width; ++x) {
            int c, m, k, yy;
            model.ConvertColor(spec.sample(x, y, 0), spec.sample(x, y, 1), spec.sample(x, y, 2), c, m, yy, k);
            table += static_cast<char>(255 - c);
            table += static_cast<char>(255 - m);
            table += static_cast<char>(255 - yy);
            table += static_cast<char>(255 - k);
        }
    }
    return table;
}

class InkfoldOkTest : public InkfoldDialogTest {
protected:
    void UseChart(const ChartSpec& spec) { ASSERT_TRUE(WriteFileBytes(ColorFile("dto.org"), MakeChart(spec))); }
    int PressOk()
    {
        return Run([](CInkfoldDlg& dlg) { Click(dlg, IDOK); });
    }
};

TEST_F(InkfoldOkTest, WritesTheTableFromTheChartWithTheDefaults)
{
    ChartSpec spec;
    UseChart(spec);
    CSeparationModel model;
    ASSERT_EQ(model.LoadParFile(ColorFile("default.par").c_str()), 1);
    model.BuildTables();   // opening
    model.BuildTables();   // OK

    EXPECT_EQ(PressOk(), IDOK);
    const std::string table = ReadFileBytes(TableFile("dto.cvt"));
    EXPECT_EQ(table, ExpectedTable(spec, model));
    EXPECT_TRUE(convert::IsValidCmykTable(std::vector<uint8_t>(table.begin(), table.end())));
    EXPECT_EQ(ReadFileBytes(TableFile("otd.cvt")), ReadFileBytes(ColorFile("std.dat")));

    // Ordwell's loading accepts it.
    CONVERT_PARAMS params = {};
    std::string folder = TableFile("");
    folder.pop_back();
    params.pszTableFolder = folder.c_str();
    int read = 0;
    EXPECT_EQ(CvtLoadInputTables(1, &params, &read), 1);
    EXPECT_EQ(read, 1);

    // "default.par" holds what the dialog's model held; its working targets,
    // which the refinement moved, come back as the stored targets.
    CSeparationCore saved;
    ASSERT_EQ(saved.LoadParFile(ColorFile("default.par").c_str()), 1);
    ExpectSameParameters(saved, AsSaved(m_dlg->m_model));
}

TEST_F(InkfoldOkTest, AllStagesOffInvertsTheChart)
{
    CSeparationCore off;
    for (int i = 1; i <= 10; ++i)
        off.m_nSwitch[i] = 0;
    ASSERT_EQ(off.SaveParFile(ColorFile("default.par").c_str()), 1);
    ChartSpec spec;
    UseChart(spec);
    EXPECT_EQ(PressOk(), IDOK);
    const std::string table = ReadFileBytes(TableFile("dto.cvt"));
    ASSERT_EQ(table.size(), kCvtHeadBytes + 4u * spec.width * spec.height);
    for (int y = 0; y < spec.height; ++y) {
        for (int x = 0; x < spec.width; ++x) {
            const size_t at = kCvtHeadBytes + 4 * (y * spec.width + x);
            for (int s = 0; s < 3; ++s)
                EXPECT_EQ(static_cast<uint8_t>(table[at + s]), 255 - spec.sample(x, y, s)) << x << "," << y;
            EXPECT_EQ(static_cast<uint8_t>(table[at + 3]), 0);
        }
    }
}

// A fourth sample is skipped, not read as the next pixel's red.
TEST_F(InkfoldOkTest, FourSampleChartConvertsItsFirstThree)
{
    ChartSpec spec;
    spec.samples = 4;
    UseChart(spec);
    CSeparationModel model;
    ASSERT_EQ(model.LoadParFile(ColorFile("default.par").c_str()), 1);
    model.BuildTables();
    model.BuildTables();
    EXPECT_EQ(PressOk(), IDOK);
    EXPECT_EQ(ReadFileBytes(TableFile("dto.cvt")), ExpectedTable(spec, model));
}

TEST_F(InkfoldOkTest, TheBuiltChartMakesATableTheConvertLibraryTakes)
{
    EXPECT_EQ(PressOk(), IDOK);
    const std::string table = ReadFileBytes(TableFile("dto.cvt"));
    EXPECT_EQ(table.size(), kCvtHeadBytes + 4u * 289 * 17);
    EXPECT_TRUE(convert::IsValidCmykTable(std::vector<uint8_t>(table.begin(), table.end())));
}

// ---------------------------------------------------------------------------
// Charts that are refused

struct RefusedChart {
    const char* name;
    std::function<void(ChartSpec&)> change;
};

void PrintTo(const RefusedChart& c, std::ostream* os)
{
    *os << c.name;
}

class InkfoldRefusedChartTest : public InkfoldOkTest, public ::testing::WithParamInterface<RefusedChart> {};

TEST_P(InkfoldRefusedChartTest, IsAFileTypeErrorAndTheDialogStaysOpen)
{
    ChartSpec spec;
    GetParam().change(spec);
    UseChart(spec);
    auto& box = ExpectWindow().Press(IDOK);
    EXPECT_EQ(PressOk(), IDCANCEL);
    EXPECT_TRUE(box.HasText("文件类型错误"));
    EXPECT_FALSE(Exists(TableFile("dto.cvt")));
    EXPECT_TRUE(Exists(TableFile("otd.cvt")));
}

const RefusedChart kRefusedCharts[] = {
    {"SixteenBitsPerSample", [](ChartSpec& s) { s.bits = 16; }},
    {"Compressed", [](ChartSpec& s) { s.compression = 5; }},
    {"SeparatePlanes", [](ChartSpec& s) { s.planar = 2; }},
    {"IfdAtByte601", [](ChartSpec& s) { s.ifdOffset = 601; }},
    {"EntryRunningPastByte600", [](ChartSpec& s) { s.ifdOffset = 470; }},
    {"RationalPastTheEnd", [](ChartSpec& s) { s.xResOffset = 400; }},
    {"BitsPerSamplePastTheEnd", [](ChartSpec& s) { s.bitsOffset = 590; }},
    {"OneSample", [](ChartSpec& s) { s.samples = 1; }},
    {"FiveSamples", [](ChartSpec& s) { s.samples = 5; }},
    {"OnePixelTooLarge", [](ChartSpec& s) { s.width = 1123; s.height = 187; }},
    {"Truncated", [](ChartSpec& s) { s.cutBytes = 1; }},
};

INSTANTIATE_TEST_SUITE_P(Charts, InkfoldRefusedChartTest, ::testing::ValuesIn(kRefusedCharts),
                         [](const ::testing::TestParamInfo<RefusedChart>& info) { return info.param.name; });

// The largest chart the buffer holds is read.
TEST_F(InkfoldOkTest, ChartFillingTheBufferIsRead)
{
    ChartSpec spec;
    spec.width = 1000;
    spec.height = 210;
    UseChart(spec);
    EXPECT_EQ(PressOk(), IDOK);
    EXPECT_EQ(ReadFileBytes(TableFile("dto.cvt")).size(), kCvtHeadBytes + 4u * 1000 * 210);
}

// ---------------------------------------------------------------------------
// Files that cannot be read or written

struct MissingFile {
    const char* label;
    const char* name;
    bool copyMade;   // "otd.cvt" is written before the file is needed
};

void PrintTo(const MissingFile& c, std::ostream* os)
{
    *os << c.label;
}

class InkfoldMissingFileTest : public InkfoldOkTest, public ::testing::WithParamInterface<MissingFile> {};

// A missing standard table stops before the conversion table.
TEST_P(InkfoldMissingFileTest, NamesItsPathAndWritesNoTable)
{
    const MissingFile& c = GetParam();
    ::DeleteFileA(ColorFile(c.name).c_str());
    auto& box = ExpectWindow().Press(IDOK);
    EXPECT_EQ(PressOk(), IDCANCEL);
    EXPECT_TRUE(box.HasText("打开文件错 - " + ProgramFolder() + "\\..\\color\\" + c.name));
    EXPECT_FALSE(Exists(TableFile("dto.cvt")));
    EXPECT_EQ(Exists(TableFile("otd.cvt")), c.copyMade);
}

const MissingFile kMissingFiles[] = {{"StandardTable", "std.dat", false}, {"Chart", "dto.org", true}};

INSTANTIATE_TEST_SUITE_P(ColorFiles, InkfoldMissingFileTest, ::testing::ValuesIn(kMissingFiles),
                         [](const ::testing::TestParamInfo<MissingFile>& info) { return info.param.label; });

TEST_F(InkfoldOkTest, UnwritableTableNamesItsPath)
{
    HeldOpen held(TableFile("dto.cvt"));
    ASSERT_TRUE(held.Held());
    auto& box = ExpectWindow().Press(IDOK);
    EXPECT_EQ(PressOk(), IDCANCEL);
    EXPECT_TRUE(box.HasText("打开文件错 - " + TableFile("dto.cvt")));
}

TEST_F(InkfoldOkTest, UnwritableDefaultsKeepTheDialogOpen)
{
    const std::string before = ReadFileBytes(ColorFile("default.par"));
    auto& box = ExpectWindow().Press(IDOK);
    int result = Run([this](CInkfoldDlg& dlg) {
        HeldOpen held(ColorFile("default.par"));
        ASSERT_TRUE(held.Held());
        dlg.m_model.m_nUca = 50;
        Click(dlg, IDOK);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(box.HasText("打开文件错 - " + ProgramFolder() + "\\..\\color\\default.par"));
    EXPECT_EQ(ReadFileBytes(ColorFile("default.par")), before);
}

// A balance handle moved and then cancelled stays in the model: the
// separation's OK builds the table from the moved points.
TEST_F(InkfoldOkTest, BalanceHandleMovedBeforeCancelShapesTheTable)
{
    CSeparationModel opened;
    ASSERT_EQ(opened.LoadParFile(ColorFile("default.par").c_str()), 1);
    opened.m_nSwitch[7] = 1;
    opened.m_nOutBalSource[1] = 0;
    const int points[5] = {255, 192, 128, 64, 0};
    for (int k = 0; k < 5; ++k)
        opened.m_nOutBalPoint[1][k] = points[k];
    ASSERT_EQ(opened.SaveParFile(ColorFile("default.par").c_str()), 1);
    ChartSpec spec;
    UseChart(spec);

    int handles[5] = {};
    CCurvePlot shownPlot;
    auto& balance = ExpectDialog("设置输出灰平衡参数")
                        .SelectItem(IDC_OUTBAL_CHANNEL, 2)
                        .Run([&handles, &shownPlot](HWND window) {
                            const auto& box = *static_cast<CGrayBalanceDlg*>(CWnd::FromHandlePermanent(window));
                            shownPlot = box.Plot();
                            const int x = shownPlot.OriginX() + shownPlot.HandleX(2);
                            DragWithMouse(window, x, shownPlot.BaselineY() - box.Handles(1)[2], -40);
                            for (int k = 0; k < 5; ++k)
                                handles[k] = box.Handles(1)[k];
                        })
                        .Press(IDCANCEL);
    EXPECT_EQ(Run([](CInkfoldDlg& dlg) {
                  Click(dlg, IDC_INKFOLD_OUTGRAY);
                  Click(dlg, IDOK);
              }),
              IDOK);
    EXPECT_TRUE(balance.Seen());

    CSeparationModel unmoved(opened);
    unmoved.BuildTables();
    unmoved.BuildTables();
    CSeparationModel moved(opened);
    shownPlot.DisplayToModel(handles, moved.m_nOutBalPoint[1]);
    moved.BuildTables();   // opening
    moved.BuildTables();   // OK
    const std::string table = ReadFileBytes(TableFile("dto.cvt"));
    EXPECT_EQ(table, ExpectedTable(spec, moved));
    EXPECT_NE(table, ExpectedTable(spec, unmoved));
}

TEST_F(InkfoldOkTest, CancelWritesNothing)
{
    const std::string before = ReadFileBytes(ColorFile("default.par"));
    EXPECT_EQ(Run([](CInkfoldDlg& dlg) { SetItemText(dlg, IDC_INKFOLD_TOTALINK, "250"); }), IDCANCEL);
    EXPECT_FALSE(Exists(TableFile("dto.cvt")));
    EXPECT_FALSE(Exists(TableFile("otd.cvt")));
    EXPECT_EQ(ReadFileBytes(ColorFile("default.par")), before);
}

}  // namespace
}  // namespace inktest
