// The separation dialog's plain sub-dialogs, opened from its buttons: the
// stage options, under-colour removal and the colour-correction table.
#include "InkfoldDialogFixture.h"

#include <gtest/gtest.h>

#include "ColorCorrectDlg.h"
#include "GcrDlg.h"
#include "GuiDriver.h"
#include "SeparationFixtures.h"
#include "resource.h"

namespace inktest {
namespace {

// ---------------------------------------------------------------------------
// Stage options

TEST_F(InkfoldDialogTest, OptionsShowOnlyASwitchOfOneCheckedAndStoreZeroOrOne)
{
    auto& options = ExpectDialog("选择分色功能")
                         .Run([](HWND window) {
                             EXPECT_FALSE(Checked(window, IDC_OPTION_INGRAY));   // holds 2
                             EXPECT_TRUE(Checked(window, IDC_OPTION_BLACK));
                             EXPECT_TRUE(Checked(window, IDC_OPTION_COLOR));
                             EXPECT_TRUE(Checked(window, IDC_OPTION_UCR));
                             EXPECT_TRUE(Checked(window, IDC_OPTION_TOTALINK));
                             EXPECT_FALSE(Checked(window, IDC_OPTION_OUTGRAY));   // holds -1
                         })
                         .Check(IDC_OPTION_BLACK, false)
                         .Check(IDC_OPTION_UCR, false)
                         .Press(IDOK);
    Run([](CInkfoldDlg& dlg) {
        CSeparationModel& model = dlg.m_model;
        model.m_nSwitch[3] = 2;
        model.m_nSwitch[7] = -1;
        model.m_nSwitch[4] = 1;
        Click(dlg, IDC_INKFOLD_OPTION);
        EXPECT_EQ(model.m_nSwitch[3], 0);
        EXPECT_EQ(model.m_nSwitch[8], 0);
        EXPECT_EQ(model.m_nSwitch[5], 1);
        EXPECT_EQ(model.m_nSwitch[9], 0);
        EXPECT_EQ(model.m_nSwitch[10], 1);
        EXPECT_EQ(model.m_nSwitch[7], 0);
        EXPECT_EQ(model.m_nSwitch[4], 0);
        // The buttons follow the new switches.
        EXPECT_FALSE(dlg.GetDlgItem(IDC_INKFOLD_BLACK)->IsWindowEnabled());
        EXPECT_FALSE(dlg.GetDlgItem(IDC_INKFOLD_INGRAY)->IsWindowEnabled());
        EXPECT_FALSE(dlg.GetDlgItem(IDC_INKFOLD_OUTGRAY)->IsWindowEnabled());
        EXPECT_TRUE(dlg.GetDlgItem(IDC_INKFOLD_COLOR)->IsWindowEnabled());
        EXPECT_FALSE(dlg.GetDlgItem(IDC_INKFOLD_TYPE_UCR)->IsWindowEnabled());
        EXPECT_FALSE(dlg.GetDlgItem(IDC_INKFOLD_UCR)->IsWindowEnabled());
        // The tables and the curves were rebuilt: no black any more.
        CSeparationCore expected(model);
        expected.BuildTables();
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(model.m_nBlackTable[i], expected.m_nBlackTable[i]) << i;
        int c, m, y, k;
        model.ConvertColor(60, 60, 60, c, m, y, k);
        EXPECT_EQ(dlg.m_nDisCurve[3][255 - 60], 255 - k);
        EXPECT_EQ(dlg.m_nDisCurve[0][255 - 60], 255 - c);
    });
    EXPECT_TRUE(options.Seen());
}

TEST_F(InkfoldDialogTest, OptionsCancelChangesNothing)
{
    auto& options = ExpectDialog("选择分色功能").Check(IDC_OPTION_COLOR, false).Press(IDCANCEL);
    Run([](CInkfoldDlg& dlg) {
        dlg.m_model.m_nSwitch[3] = 2;
        const CSeparationCore before(dlg.m_model);
        Click(dlg, IDC_INKFOLD_OPTION);
        ExpectSameParameters(dlg.m_model, before);
        EXPECT_EQ(dlg.m_model.m_nSwitch[3], 2);
    });
    EXPECT_TRUE(options.Seen());
}

// ---------------------------------------------------------------------------
// Under-colour removal

TEST_F(InkfoldDialogTest, UcrShowsTheModelsValuesAndStoresThemOnOk)
{
    auto& ucr = ExpectDialog("设置底色去除参数")
                    .Run([](HWND window) {
                        EXPECT_EQ(ItemText(window, IDC_UCR_C_START), "11");
                        EXPECT_EQ(ItemText(window, IDC_UCR_M_AMOUNT), "22");
                        EXPECT_EQ(ItemText(window, IDC_UCR_Y_START), "33");
                    })
                    .SetText(IDC_UCR_C_AMOUNT, "100")
                    .SetText(IDC_UCR_M_START, "0")
                    .SetText(IDC_UCR_Y_AMOUNT, "45")
                    .Press(IDOK);
    Run([](CInkfoldDlg& dlg) {
        CSeparationModel& model = dlg.m_model;
        model.m_nUcrStart[0] = 11;
        model.m_nUcrAmount[1] = 22;
        model.m_nUcrStart[2] = 33;
        Click(dlg, IDC_INKFOLD_UCR);
        EXPECT_EQ(model.m_nUcrStart[0], 11);
        EXPECT_EQ(model.m_nUcrAmount[0], 100);
        EXPECT_EQ(model.m_nUcrStart[1], 0);
        EXPECT_EQ(model.m_nUcrAmount[1], 22);
        EXPECT_EQ(model.m_nUcrStart[2], 33);
        EXPECT_EQ(model.m_nUcrAmount[2], 45);
        int c, m, y, k;
        model.ConvertColor(40, 40, 40, c, m, y, k);
        EXPECT_EQ(dlg.m_nDisCurve[0][255 - 40], 255 - c);
    });
    EXPECT_TRUE(ucr.Seen());
}

// A value past 100 keeps the dialog open; the following Cancel changes nothing.
TEST_F(InkfoldDialogTest, UcrRefusesAnAmountPast100)
{
    auto& ucr = ExpectDialog("设置底色去除参数").SetText(IDC_UCR_M_AMOUNT, "101").Press(IDOK).Press(IDCANCEL);
    auto& prompt = ExpectWindow().Press(IDOK);
    Run([](CInkfoldDlg& dlg) {
        const CSeparationCore before(dlg.m_model);
        Click(dlg, IDC_INKFOLD_UCR);
        ExpectSameParameters(dlg.m_model, before);
    });
    EXPECT_TRUE(ucr.Seen());
    EXPECT_TRUE(prompt.Seen());
}

// ---------------------------------------------------------------------------
// Colour correction

TEST_F(InkfoldDialogTest, ColorCorrectionShowsLevelsAndTargetPercentages)
{
    auto& table = ExpectDialog("设置颜色校正参数")
                      .Run([](HWND window) {
                          // Row r, column G: the stored level as it is.
                          EXPECT_EQ(ItemText(window, IDC_COLOR_LEVEL_FIRST + 4), "77");
                          // Row c: levels 0, 255 and 127 are 100, 0 and 50 percent.
                          EXPECT_EQ(ItemText(window, IDC_COLOR_PERCENT_FIRST + 0), "100");
                          EXPECT_EQ(ItemText(window, IDC_COLOR_PERCENT_FIRST + 1), "0");
                          EXPECT_EQ(ItemText(window, IDC_COLOR_PERCENT_FIRST + 5), "50");
                      })
                      .Press(IDCANCEL);
    Run([](CInkfoldDlg& dlg) {
        CSeparationModel& model = dlg.m_model;
        model.m_nColor[CSeparationCore::RowC][5] = 77;   // patch G
        model.m_nTarget[0][0] = 0;
        model.m_nTarget[0][1] = 255;
        model.m_nTarget[0][6] = 127;   // patch B
        const CSeparationCore before(model);
        Click(dlg, IDC_INKFOLD_COLOR);
        ExpectSameParameters(model, before);
        for (int r = 0; r < 3; ++r)
            for (int i = 0; i < CSeparationCore::kPatches; ++i)
                EXPECT_EQ(model.m_nTarget[r][i], before.m_nTarget[r][i]) << r << "," << i;
    });
    EXPECT_TRUE(table.Seen());
}

TEST_F(InkfoldDialogTest, ColorCorrectionOkStoresTheTableAndRefits)
{
    auto& table = ExpectDialog("设置颜色校正参数")
                      .SetText(IDC_COLOR_LEVEL_FIRST + 6 + 3, "200")     // row g, column R
                      .SetText(IDC_COLOR_PERCENT_FIRST + 12 + 2, "50")   // row y, column Y
                      .Press(IDOK);
    Run([](CInkfoldDlg& dlg) {
        CSeparationModel& model = dlg.m_model;
        CSeparationCore expected(model);
        Click(dlg, IDC_INKFOLD_COLOR);
        // What the dialog showed goes back, with the two edits changed.
        for (int r = 0; r < 3; ++r) {
            for (int col = 0; col < CColorCorrectDlg::kColumns; ++col) {
                const int patch = CColorCorrectDlg::kPatchOfColumn[col];
                const int target = CSeparationCore::PercentToLevel(CSeparationCore::LevelToPercent(expected.m_nTarget[r][patch]));
                expected.m_nTarget[r][patch] = target;
                expected.m_nColor[CSeparationCore::RowCt + r][patch] = target;
            }
        }
        expected.m_nColor[CSeparationCore::RowM][4] = 200;
        expected.m_nTarget[2][2] = CSeparationCore::PercentToLevel(50);
        expected.m_nColor[CSeparationCore::RowYt][2] = 127;
        for (int r = 0; r < 3; ++r)
            for (int patch = 0; patch < CSeparationCore::kPatches; ++patch)
                if (patch != 3)
                    expected.m_nInputCopy[r][patch] = expected.m_nColor[r][patch];
        expected.EstimateRatios();
        expected.EstimateGains();
        expected.FitColorCorrection();
        expected.RefineColorTargets();
        ExpectSameParameters(model, expected);
        for (int ch = 0; ch < 3; ++ch) {
            for (int s = 0; s < 6; ++s)
                EXPECT_EQ(model.m_fCoef[ch][s], expected.m_fCoef[ch][s]) << ch << "," << s;
            for (int i = 0; i < CSeparationCore::kPatches; ++i)
                EXPECT_EQ(model.m_nTarget[ch][i], expected.m_nTarget[ch][i]) << ch << "," << i;
        }
    });
    EXPECT_TRUE(table.Seen());
}

struct BadCell {
    const char* name;
    int control;
    const char* text;
};

void PrintTo(const BadCell& c, std::ostream* os)
{
    *os << c.name;
}

class ColorCorrectRangeTest : public InkfoldDialogTest, public ::testing::WithParamInterface<BadCell> {};

// The range prompt keeps the dialog open; the following Cancel changes nothing.
TEST_P(ColorCorrectRangeTest, KeepsTheDialogOpen)
{
    auto& table = ExpectDialog("设置颜色校正参数").SetText(GetParam().control, GetParam().text).Press(IDOK).Press(IDCANCEL);
    auto& prompt = ExpectWindow().Press(IDOK);
    Run([](CInkfoldDlg& dlg) {
        const CSeparationCore before(dlg.m_model);
        Click(dlg, IDC_INKFOLD_COLOR);
        ExpectSameParameters(dlg.m_model, before);
    });
    EXPECT_TRUE(table.Seen());
    EXPECT_TRUE(prompt.Seen());
}

const BadCell kBadCells[] = {
    {"Level256InRowG", IDC_COLOR_LEVEL_FIRST + 6 + 1, "256"},
    {"Percent101InRowM", IDC_COLOR_PERCENT_FIRST + 6 + 5, "101"},
    {"NegativeLevelInRowB", IDC_COLOR_LEVEL_FIRST + 12, "-1"},
};

INSTANTIATE_TEST_SUITE_P(Cells, ColorCorrectRangeTest, ::testing::ValuesIn(kBadCells),
                         [](const ::testing::TestParamInfo<BadCell>& info) { return info.param.name; });

}  // namespace
}  // namespace inktest

namespace inktest {
namespace {

// ---------------------------------------------------------------------------
// Grey-component replacement preview (no control sends its command)

void OpenGcr(CInkfoldDlg& dlg)
{
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_INKFOLD_GCR, BN_CLICKED), 0);
}

TEST_F(InkfoldDialogTest, GcrPreviewsTheBalanceAndItsAmountChangesNothing)
{
    CSeparationModel opened;
    const CGcrDlg* pSeen = nullptr;
    auto& gcr = ExpectDialog("灰色替代GCR")
                    .Run([&opened, &pSeen](HWND window) {
                        const auto* pDlg = static_cast<const CGcrDlg*>(CWnd::FromHandlePermanent(window));
                        ASSERT_NE(pDlg, nullptr);
                        for (int ch = 0; ch < 3; ++ch)
                            for (int i = 0; i < 256; ++i) {
                                const int t = i - static_cast<int>((255 - opened.m_nBlackTable[255 - i]) *
                                                                   opened.m_fBlackLevel * 0.1);
                                ASSERT_GE(t, 0) << "the fixture's black stays inside the tables";
                                ASSERT_EQ(pDlg->m_nPreview[ch][i], 255 - opened.m_nOutBalTable[ch][255 - t])
                                    << ch << "," << i;
                            }
                        pSeen = pDlg;
                    })
                    .SetText(IDC_GCR_AMOUNT, "100")
                    .Press(IDOK);
    Run([&opened](CInkfoldDlg& dlg) {
        // A gentle black: the preview stays inside its tables.
        dlg.m_model.m_fBlackLevel = 2.0f;
        opened = dlg.m_model;
        OpenGcr(dlg);
        ExpectSameParameters(dlg.m_model, opened);
        EXPECT_EQ(dlg.m_model.m_nUca, opened.m_nUca);
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(dlg.m_model.m_nGcrTable[i], opened.m_nGcrTable[i]);
    });
    EXPECT_TRUE(gcr.Seen());
    EXPECT_NE(pSeen, nullptr);
}

// A black table that takes more than the grey holds would drive the preview
// below 0: it stops at the balance table's first entry.
TEST_F(InkfoldDialogTest, GcrPreviewBelowZeroStaysInsideItsTables)
{
    CSeparationModel opened;
    auto& gcr = ExpectDialog("灰色替代GCR")
                    .Run([&opened](HWND window) {
                        const auto* pDlg = static_cast<const CGcrDlg*>(CWnd::FromHandlePermanent(window));
                        ASSERT_NE(pDlg, nullptr);
                        ::RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
                        for (int ch = 0; ch < 3; ++ch)
                            for (int i = 0; i < 256; ++i)
                                ASSERT_EQ(pDlg->m_nPreview[ch][i], 255 - opened.m_nOutBalTable[ch][255]) << ch << "," << i;
                        for (int i = 0; i < 149; ++i)
                            ASSERT_LE(pDlg->PlotHeight(1, i, 149), 149);
                    })
                    .Press(IDCANCEL);
    Run([&opened](CInkfoldDlg& dlg) {
        for (int i = 0; i < 256; ++i)
            dlg.m_model.m_nBlackTable[i] = 0;
        dlg.m_model.m_fBlackLevel = 10.0f;
        opened = dlg.m_model;
        OpenGcr(dlg);
    });
    EXPECT_TRUE(gcr.Seen());
}

}  // namespace
}  // namespace inktest
