// The grey balance dialogs: their curves from the grey-step tables, and the
// dialogs opened from the separation dialog with the table of grey steps.
#include "InkfoldDialogFixture.h"

#include <gtest/gtest.h>

#include <vector>

#include "BalanceCurves.h"
#include "GrayBalanceDlg.h"
#include "GuiDriver.h"
#include "resource.h"

namespace inktest {
namespace {

const int kWidth = 149;

TEST(BalanceCurves, NoStepsGiveTheDiagonalAndOneStepAFlatLine)
{
    const int column[32] = {200, 10, 20};
    const int middle[32] = {51, 30, 40};
    std::vector<int> curve(kWidth, -1);
    for (int side = 0; side < 2; ++side) {
        if (side == 0)
            InputBalanceCurve(curve.data(), kWidth, column, middle, 0);
        else
            OutputBalanceCurve(curve.data(), kWidth, column, 0);
        for (int i = 0; i < kWidth; ++i)
            ASSERT_EQ(curve[i], i) << side << ": " << i;
    }
    // One step: the height of the middle column's level (input) or of the
    // column's own (output).
    InputBalanceCurve(curve.data(), kWidth, column, middle, 1);
    for (int i = 0; i < kWidth; ++i)
        ASSERT_EQ(curve[i], 148 - 51 * 148 / 255) << i;
    OutputBalanceCurve(curve.data(), kWidth, column, 1);
    for (int i = 0; i < kWidth; ++i)
        ASSERT_EQ(curve[i], 148 - 200 * 148 / 255) << i;
}

CGrayBalanceDlg& BalanceDialog(HWND window)
{
    return *static_cast<CGrayBalanceDlg*>(CWnd::FromHandlePermanent(window));
}

void OpenBalance(CInkfoldDlg& dlg, bool output)
{
    const int button = output ? IDC_INKFOLD_OUTGRAY : IDC_INKFOLD_INGRAY;
    dlg.GetDlgItem(button)->EnableWindow(TRUE);
    Click(dlg, button);
}

TEST_F(InkfoldDialogTest, InputGreyStepsOfChannelGEditOnlyRowGAndRefuse300)
{
    auto& balance = ExpectDialog("设置输入灰平衡参数")
                        .SelectItem(IDC_INBAL_CHANNEL, 2)
                        .Press(IDC_INBAL_SETTINGS)
                        .Press(IDCANCEL);
    auto& steps = ExpectDialog("设置输入灰平衡参数")
                      .Run([](HWND window) {
                          EXPECT_EQ(ItemText(window, IDC_GRAY_LABEL_FIRST), "r");
                          EXPECT_EQ(ItemText(window, IDC_GRAY_LABEL_FIRST + 4), "g");
                          EXPECT_EQ(ItemText(window, IDC_GRAY_LABEL_FIRST + 8), "b");
                          for (int step : {0, 20}) {
                              EXPECT_FALSE(Enabled(window, IDC_GRAY_STEP_FIRST + step));
                              EXPECT_TRUE(Enabled(window, IDC_GRAY_STEP_FIRST + 21 + step));
                              EXPECT_FALSE(Enabled(window, IDC_GRAY_STEP_FIRST + 42 + step));
                          }
                          EXPECT_TRUE(Enabled(window, IDC_GRAY_COUNT));
                      })
                      .SetText(IDC_GRAY_STEP_FIRST + 21, "300")
                      .Press(IDOK)
                      .Press(IDCANCEL);
    auto& prompt = ExpectWindow().Press(IDOK);
    Run([](CInkfoldDlg& dlg) {
        dlg.m_model.m_nInBalSource[1] = 1;
        OpenBalance(dlg, false);
    });
    EXPECT_TRUE(balance.Seen());
    EXPECT_TRUE(steps.Seen());
    EXPECT_TRUE(prompt.HasText("请输入0 - 255之间的整数。"));
}

// 50 % is stored as level 127 and shown as 50 again; one step makes the
// channel's curve a flat line, and OK its model table.
TEST_F(InkfoldDialogTest, OutputGreyStepsStorePercentagesAsLevels)
{
    auto& balance = ExpectDialog("设置输出灰平衡参数")
                        .SelectItem(IDC_OUTBAL_CHANNEL, 1)
                        .Press(IDC_OUTBAL_SETTINGS)
                        .Press(IDC_OUTBAL_SETTINGS)
                        .Run([](HWND window) {
                            const CGrayBalanceDlg& box = BalanceDialog(window);
                            EXPECT_EQ(box.m_nTable[0][0], 127);
                            EXPECT_EQ(box.m_nCount, 1);
                            for (int height : box.Curve(0))
                                ASSERT_EQ(height, box.Curve(0)[0]);
                        })
                        .Press(IDOK);
    auto& first = ExpectDialog("设置输出灰平衡参数").SetText(IDC_GRAY_STEP_FIRST, "50").SetText(IDC_GRAY_COUNT, "1").Press(IDOK);
    auto& second = ExpectDialog("设置输出灰平衡参数")
                       .Run([](HWND window) {
                           EXPECT_EQ(ItemText(window, IDC_GRAY_STEP_FIRST), "50");
                           EXPECT_EQ(ItemText(window, IDC_GRAY_COUNT), "1");
                       })
                       .Press(IDCANCEL);
    Run([](CInkfoldDlg& dlg) {
        CSeparationModel& model = dlg.m_model;
        model.m_nOutBalSource[0] = 1;
        OpenBalance(dlg, true);
        EXPECT_EQ(model.m_nBalanceCount, 1);
        EXPECT_EQ(model.m_nBalance[0][0], 127);
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(model.m_nOutBalTable[0][i], 127) << i;
    });
    EXPECT_TRUE(balance.Seen());
    EXPECT_TRUE(first.Seen());
    EXPECT_TRUE(second.Seen());
}

TEST_F(InkfoldDialogTest, GreyStepCountOf22IsRefused)
{
    auto& balance = ExpectDialog("设置输出灰平衡参数")
                        .SelectItem(IDC_OUTBAL_CHANNEL, 3)
                        .Press(IDC_OUTBAL_SETTINGS)
                        .Press(IDCANCEL);
    auto& steps = ExpectDialog("设置输出灰平衡参数").SetText(IDC_GRAY_COUNT, "22").Press(IDOK).Press(IDCANCEL);
    auto& prompt = ExpectWindow().Press(IDOK);
    Run([](CInkfoldDlg& dlg) {
        dlg.m_model.m_nOutBalSource[2] = 1;
        const int count = dlg.m_model.m_nBalanceCount;
        OpenBalance(dlg, true);
        EXPECT_EQ(dlg.m_model.m_nBalanceCount, count);
    });
    EXPECT_TRUE(balance.Seen());
    EXPECT_TRUE(steps.Seen());
    EXPECT_TRUE(prompt.HasText("请输入0-21之间的整数。"));
}

// Curve mode puts the handles on the data curve; channel 0 shows all three
// and disables the mode controls again.
TEST_F(InkfoldDialogTest, GreyBalanceModesAndTheAllChannelsEntry)
{
    auto& balance = ExpectDialog("设置输入灰平衡参数")
                        .SelectItem(IDC_INBAL_CHANNEL, 2)
                        .Run([](HWND window) {
                            EXPECT_TRUE(Checked(window, IDC_INBAL_DATA));
                            EXPECT_TRUE(Enabled(window, IDC_INBAL_SETTINGS));
                            const CGrayBalanceDlg& box = BalanceDialog(window);
                            const std::vector<int> data = box.Curve(1);
                            ::SendMessage(::GetDlgItem(window, IDC_INBAL_CURVE_MODE), BM_CLICK, 0, 0);
                            for (int k = 0; k < 5; ++k)
                                EXPECT_EQ(box.Handles(1)[k], data[box.Plot().HandleX(k)]) << k;
                            EXPECT_FALSE(Enabled(window, IDC_INBAL_SETTINGS));
                            EXPECT_FALSE(Checked(window, IDC_INBAL_DATA));
                        })
                        .SelectItem(IDC_INBAL_CHANNEL, 0)
                        .Run([](HWND window) {
                            for (int id : {IDC_INBAL_DATA, IDC_INBAL_CURVE_MODE, IDC_INBAL_SETTINGS})
                                EXPECT_FALSE(Enabled(window, id)) << id;
                            EXPECT_EQ(BalanceDialog(window).SelectedChannel(), 0);
                        })
                        .Press(IDCANCEL);
    Run([](CInkfoldDlg& dlg) {
        dlg.m_model.m_nInBalSource[1] = 1;
        OpenBalance(dlg, false);
        // The mode switch lives in the dialog until OK.
        EXPECT_EQ(dlg.m_model.m_nInBalSource[1], 1);
    });
    EXPECT_TRUE(balance.Seen());
}

// A handle moved in curve mode reaches the model's points at button up and
// stays after Cancel; the 256-entry table waits for the next build.
TEST_F(InkfoldDialogTest, GreyBalanceHandleMovesStayAfterCancel)
{
    int handles[5] = {};
    CCurvePlot shownPlot;
    auto& balance = ExpectDialog("设置输出灰平衡参数")
                        .SelectItem(IDC_OUTBAL_CHANNEL, 2)
                        .Run([&handles, &shownPlot](HWND window) {
                            const CGrayBalanceDlg& box = BalanceDialog(window);
                            shownPlot = box.Plot();
                            const int x = shownPlot.OriginX() + shownPlot.HandleX(3);
                            const int y = shownPlot.BaselineY() - box.Handles(1)[3];
                            DragWithMouse(window, x, y, -25);
                            for (int k = 0; k < 5; ++k)
                                handles[k] = box.Handles(1)[k];
                            std::vector<int> expected;
                            shownPlot.CurveFromHandles(handles, expected);
                            EXPECT_EQ(box.Curve(1), expected);
                        })
                        .Press(IDCANCEL);
    int before[256];
    Run([&](CInkfoldDlg& dlg) {
        CSeparationModel& model = dlg.m_model;
        model.m_nOutBalSource[1] = 0;
        const int points[5] = {255, 192, 128, 64, 0};
        for (int k = 0; k < 5; ++k)
            model.m_nOutBalPoint[1][k] = points[k];
        for (int i = 0; i < 256; ++i)
            before[i] = model.m_nOutBalTable[1][i];
        OpenBalance(dlg, true);
        int expected[5];
        shownPlot.DisplayToModel(handles, expected);
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(model.m_nOutBalPoint[1][k], expected[k]) << k;
        EXPECT_LT(model.m_nOutBalPoint[1][1], 192);
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(model.m_nOutBalTable[1][i], before[i]) << i;
    });
    EXPECT_TRUE(balance.Seen());
}

}  // namespace
}  // namespace inktest
