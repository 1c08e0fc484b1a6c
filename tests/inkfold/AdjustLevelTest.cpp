// The adjust-level dialog: its tone rule, and the dialog opened by the
// separation dialog's level command (no control sends it).
#include "InkfoldDialogFixture.h"

#include <gtest/gtest.h>

#include <vector>

#include "AdjustLevelDlg.h"
#include "GuiDriver.h"
#include "LevelToneCurve.h"
#include "resource.h"

namespace inktest {
namespace {

const int kWidth = 149;

std::vector<int> Tone(int dark, int middle, int bright)
{
    std::vector<int> curve(kWidth, -1);
    LevelToneCurve(curve.data(), kWidth, dark, middle, bright);
    return curve;
}

TEST(LevelToneCurve, ZeroAmountsGiveTheDiagonal)
{
    const std::vector<int> curve = Tone(0, 0, 0);
    for (int x = 0; x < kWidth; ++x)
        ASSERT_EQ(curve[x], x) << x;
}

TEST(LevelToneCurve, FullDarkLiftsByTheAmountAndIsCutAtTheTop)
{
    const int xd = 75 * (kWidth - 1) / 100;
    const std::vector<int> lifted = Tone(30, 0, 0);
    EXPECT_EQ(lifted[xd], xd + 30);
    EXPECT_EQ(lifted[0], 0);
    EXPECT_EQ(lifted[kWidth - 1], kWidth - 1);
    const std::vector<int> full = Tone(255, 0, 0);
    EXPECT_EQ(full[xd], kWidth - 1);
    EXPECT_EQ(full[0], 0);
    for (int x = 0; x < kWidth; ++x) {
        EXPECT_GE(full[x], x) << x;
        EXPECT_LE(full[x], kWidth - 1) << x;
    }
}

TEST(LevelToneCurve, FullBrightLowersTheQuarterToZero)
{
    const int xb = 25 * (kWidth - 1) / 100;
    const std::vector<int> curve = Tone(0, 0, -255);
    EXPECT_EQ(curve[xb], 0);
    for (int x = 0; x < kWidth; ++x) {
        EXPECT_GE(curve[x], 0) << x;
        EXPECT_LE(curve[x], x) << x;
    }
}

CAdjustLevelDlg& LevelDialog(HWND window)
{
    return *static_cast<CAdjustLevelDlg*>(CWnd::FromHandlePermanent(window));
}

void OpenLevel(CInkfoldDlg& dlg)
{
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_INKFOLD_LEVER, BN_CLICKED), 0);
}

TEST_F(InkfoldDialogTest, LevelEditsShowTheAmountsAndCmyDisablesThem)
{
    auto& level = ExpectDialog("设置调整层次曲线参数")
                      .Run([](HWND window) {
                          for (int id : {IDC_LEVEL_BRIGHT, IDC_LEVEL_MIDDLE, IDC_LEVEL_DARK, IDC_LEVEL_DATA,
                                         IDC_LEVEL_CURVE_MODE})
                              EXPECT_FALSE(Enabled(window, id)) << id;
                      })
                      .SelectItem(IDC_LEVEL_INK, "C")
                      .Run([](HWND window) {
                          EXPECT_EQ(ItemText(window, IDC_LEVEL_DARK), "100");
                          EXPECT_EQ(ItemText(window, IDC_LEVEL_MIDDLE), "0");
                          EXPECT_EQ(ItemText(window, IDC_LEVEL_BRIGHT), "-100");
                          EXPECT_TRUE(Enabled(window, IDC_LEVEL_DARK));
                          EXPECT_TRUE(Checked(window, IDC_LEVEL_DATA));
                          EXPECT_EQ(LevelDialog(window).SelectedInk(), 1);
                      })
                      .SelectItem(IDC_LEVEL_INK, "CMY")
                      .Run([](HWND window) {
                          for (int id : {IDC_LEVEL_BRIGHT, IDC_LEVEL_DARK, IDC_LEVEL_DATA, IDC_LEVEL_CURVE_MODE})
                              EXPECT_FALSE(Enabled(window, id)) << id;
                          EXPECT_EQ(LevelDialog(window).SelectedInk(), 0);
                      })
                      .Press(IDCANCEL);
    Run([](CInkfoldDlg& dlg) {
        CSeparationModel& model = dlg.m_model;
        model.m_nLevelSource[0] = 1;
        model.m_nTone[0][0] = -255;   // dark 255 on the dialog's scale
        model.m_nTone[0][1] = 0;
        model.m_nTone[0][2] = 255;    // bright -255
        OpenLevel(dlg);
    });
    EXPECT_TRUE(level.Seen());
}

TEST_F(InkfoldDialogTest, LevelOutOfRangeIsReportedAndOkStoresTheAmounts)
{
    auto& level = ExpectDialog("设置调整层次曲线参数")
                      .SelectItem(IDC_LEVEL_INK, "M")
                      .SetText(IDC_LEVEL_MIDDLE, "150")
                      .SetText(IDC_LEVEL_MIDDLE, "40")
                      .Run([](HWND window) {
                          const CAdjustLevelDlg& box = LevelDialog(window);
                          std::vector<int> expected(box.Plot().Width());
                          LevelToneCurve(expected.data(), box.Plot().Width(), 0, 40 * 255 / 100, 0);
                          EXPECT_EQ(box.Curve(1), expected);
                      })
                      .Press(IDOK);
    auto& prompt = ExpectWindow().Press(IDOK);
    Run([](CInkfoldDlg& dlg) {
        CSeparationModel& model = dlg.m_model;
        for (int ch = 0; ch < 3; ++ch) {
            model.m_nLevelSource[ch] = 1;
            for (int k = 0; k < 3; ++k)
                model.m_nTone[ch][k] = 0;
        }
        OpenLevel(dlg);
        EXPECT_EQ(model.m_nTone[1][1], -(40 * 255 / 100));
        EXPECT_EQ(model.m_nTone[0][1], 0);
        CSeparationCore expected(model);
        expected.BuildLevelTables();
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(model.m_nLevelTable[1][i], expected.m_nLevelTable[1][i]) << i;
        EXPECT_NE(model.m_nLevelTable[1][128], 128);
    });
    EXPECT_TRUE(level.Seen());
    EXPECT_TRUE(prompt.HasText("请输入-100 -- 100之间的整数。"));
}

// Handle 2 of ink Y dragged down: the points reach the model at button up
// and stay after Cancel, while the level table waits for the next build.
TEST_F(InkfoldDialogTest, LevelHandleMovesStayInTheModelAfterCancel)
{
    int handles[5] = {};
    CCurvePlot shownPlot;
    auto& level = ExpectDialog("设置调整层次曲线参数")
                      .SelectItem(IDC_LEVEL_INK, "Y")
                      .Run([&handles, &shownPlot](HWND window) {
                          CAdjustLevelDlg& box = LevelDialog(window);
                          shownPlot = box.Plot();
                          EXPECT_TRUE(Checked(window, IDC_LEVEL_CURVE_MODE));
                          const int x = shownPlot.OriginX() + shownPlot.HandleX(1);
                          const int y = shownPlot.BaselineY() - box.Handles()[1];
                          DragWithMouse(window, x, y, 20);
                          for (int k = 0; k < 5; ++k)
                              handles[k] = box.Handles()[k];
                          std::vector<int> expected;
                          shownPlot.CurveFromHandles(handles, expected);
                          EXPECT_EQ(box.Curve(2), expected);
                      })
                      .Press(IDCANCEL);
    int tableBefore[256];
    Run([&](CInkfoldDlg& dlg) {
        CSeparationModel& model = dlg.m_model;
        model.m_nLevelSource[2] = 0;
        const int points[5] = {255, 192, 128, 64, 0};
        for (int k = 0; k < 5; ++k)
            model.m_nLevelPoint[2][k] = points[k];
        for (int i = 0; i < 256; ++i)
            tableBefore[i] = model.m_nLevelTable[2][i];
        OpenLevel(dlg);
        int expected[5];
        shownPlot.DisplayToModel(handles, expected);
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(model.m_nLevelPoint[2][k], expected[k]) << k;
        EXPECT_GT(model.m_nLevelPoint[2][3], 64);
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(model.m_nLevelTable[2][i], tableBefore[i]) << i;
        EXPECT_EQ(model.m_nLevelSource[2], 0);
    });
    EXPECT_TRUE(level.Seen());
}

}  // namespace
}  // namespace inktest
