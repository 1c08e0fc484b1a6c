// Black generation: its preview curve, and the dialog opened from the
// separation dialog's button, with the mouse dragging its handles.
#include "InkfoldDialogFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "BlackGenDlg.h"
#include "BlackPreview.h"
#include "GuiDriver.h"
#include "SeparationFixtures.h"
#include "resource.h"

namespace inktest {
namespace {

const int kWidth = 149;

TEST(BlackPreview, LevelZeroOrAStartAt100IsFlatAtTheTop)
{
    for (const auto& args : {std::vector<int>{0, 20, 80, 10, 90}, std::vector<int>{5, 100, 80, 10, 90}}) {
        std::vector<int> curve(kWidth, -1);
        BlackPreviewCurve(curve.data(), kWidth, static_cast<float>(args[0]), args[1], args[2], args[3], args[4]);
        for (int i = 0; i < kWidth; ++i)
            ASSERT_EQ(curve[i], kWidth) << args[0] << "," << args[1] << ": " << i;
    }
}

// Exponent 1: from the minimum at the start position straight to the
// maximum at the end position, then straight to full height.
TEST(BlackPreview, LevelTenIsAStraightLineFromStartToEnd)
{
    std::vector<int> curve(kWidth, -1);
    BlackPreviewCurve(curve.data(), kWidth, 10.0f, 20, 80, 10, 90);
    const int a = kWidth - kWidth * 80 / 100;   // 30
    const int s = kWidth - kWidth * 20 / 100;   // 120
    const int low = kWidth * 10 / 100;          // 14
    const int high = kWidth * 90 / 100;         // 134
    for (int j = s; j < kWidth; ++j)
        EXPECT_EQ(curve[kWidth - 1 - j], low) << j;
    EXPECT_EQ(curve[kWidth - 1 - a], high);
    for (int j = a; j < s; ++j) {
        const double line = low + static_cast<double>(high - low) * (s - j) / (s - a);
        EXPECT_NEAR(curve[kWidth - 1 - j], line, 1.0) << j;
    }
    EXPECT_EQ(curve[kWidth - 1], kWidth);
    for (int i = 0; i < kWidth; ++i) {
        EXPECT_GE(curve[i], 0) << i;
        EXPECT_LE(curve[i], kWidth) << i;
    }
}

CBlackGenDlg& BlackDialog(HWND window)
{
    return *static_cast<CBlackGenDlg*>(CWnd::FromHandlePermanent(window));
}

void OpenBlack(CInkfoldDlg& dlg, int source)
{
    dlg.m_model.m_nBlackSource = source;
    dlg.m_model.m_nSwitch[8] = 1;
    dlg.GetDlgItem(IDC_INKFOLD_BLACK)->EnableWindow(TRUE);
    Click(dlg, IDC_INKFOLD_BLACK);
}

TEST_F(InkfoldDialogTest, BlackValueOutOfRangeIsReportedAtEachKeystrokeAndThePreviewStays)
{
    std::vector<int> shown;
    auto& black = ExpectDialog("设置黑版参数")
                      .Run([&shown](HWND window) { shown = BlackDialog(window).Curve(); })
                      .SetText(IDC_BLACK_END, "150")
                      .SetText(IDC_BLACK_END, "1500")
                      .SetText(IDC_BLACK_MIN, "0")   // in range, but the end is not
                      .Run([&shown](HWND window) {
                          ASSERT_FALSE(shown.empty());
                          EXPECT_EQ(BlackDialog(window).Curve(), shown);
                      })
                      .Press(IDCANCEL);
    auto& first = ExpectWindow().Press(IDOK);
    auto& second = ExpectWindow().Press(IDOK);
    Run([](CInkfoldDlg& dlg) { OpenBlack(dlg, 1); });
    EXPECT_TRUE(black.Seen());
    EXPECT_TRUE(first.HasText("请输入0 - 100 之间的整数。"));
    EXPECT_TRUE(second.HasText("请输入0 - 100 之间的整数。"));
}

TEST_F(InkfoldDialogTest, BlackDataModeOkStoresTheLevelAndValues)
{
    auto& black = ExpectDialog("设置黑版参数")
                      .SelectItem(IDC_BLACK_LEVEL, 0)
                      .Run([](HWND window) {
                          for (int height : BlackDialog(window).Curve())
                              ASSERT_EQ(height, BlackDialog(window).Plot().Width());
                      })
                      .SelectItem(IDC_BLACK_LEVEL, 7)
                      .SetText(IDC_BLACK_START, "25")
                      .SetText(IDC_BLACK_MAX, "95")
                      .Press(IDOK);
    Run([](CInkfoldDlg& dlg) {
        OpenBlack(dlg, 1);
        const CSeparationModel& model = dlg.m_model;
        EXPECT_EQ(model.m_fBlackLevel, 7.0f);
        EXPECT_EQ(model.m_nBlackStartPoint, 25);
        EXPECT_EQ(model.m_nBlackEnd, 95);
        CSeparationCore expected(model);
        expected.BuildBlackTable();
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(model.m_nBlackTable[i], expected.m_nBlackTable[i]) << i;
    });
    EXPECT_TRUE(black.Seen());
}

TEST_F(InkfoldDialogTest, BlackCurveModeStaysInTheModelAfterCancel)
{
    auto& black = ExpectDialog("设置黑版参数")
                      .Check(IDC_BLACK_CURVE_MODE)
                      .Run([](HWND window) {
                          EXPECT_FALSE(Enabled(window, IDC_BLACK_LEVEL));
                          EXPECT_FALSE(Enabled(window, IDC_BLACK_END));
                      })
                      .Press(IDCANCEL);
    Run([](CInkfoldDlg& dlg) {
        OpenBlack(dlg, 1);
        EXPECT_EQ(dlg.m_model.m_nBlackSource, 0);
    });
    EXPECT_TRUE(black.Seen());
}

// Handle 3 dragged 30 pixels up with mouse messages: the curve follows, and
// OK puts the handles into the model's five points and its black table.
TEST_F(InkfoldDialogTest, BlackHandleDraggedWithTheMouseShapesTheBlackTable)
{
    int handles[5] = {};
    int before = 0;
    CCurvePlot shownPlot;
    auto& black = ExpectDialog("设置黑版参数")
                      .Run([&handles, &before, &shownPlot](HWND window) {
                          CBlackGenDlg& box = BlackDialog(window);
                          const CCurvePlot& plot = box.Plot();
                          shownPlot = plot;
                          before = box.Handles()[2];
                          const int x = plot.OriginX() + plot.HandleX(2);
                          const int y = plot.BaselineY() - before;
                          ::SendMessage(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x - 1, y + 1));
                          ::SendMessage(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y - 30));
                          ::SendMessage(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y - 30));
                          ::SendMessage(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y - 60));
                          for (int k = 0; k < 5; ++k)
                              handles[k] = box.Handles()[k];
                          std::vector<int> expected;
                          plot.CurveFromHandles(handles, expected);
                          EXPECT_EQ(box.Curve(), expected);
                      })
                      .Press(IDOK);
    Run([&](CInkfoldDlg& dlg) {
        const int points[5] = {255, 192, 128, 64, 0};
        for (int k = 0; k < 5; ++k)
            dlg.m_model.m_nBlackPoint[k] = points[k];
        OpenBlack(dlg, 0);
        EXPECT_EQ(handles[2], before + 30);
        const CSeparationModel& model = dlg.m_model;
        EXPECT_EQ(model.m_nBlackSource, 0);
        // Only the dragged handle moved, towards more black (a lower level).
        EXPECT_EQ(model.m_nBlackPoint[0], points[0]);
        EXPECT_EQ(model.m_nBlackPoint[4], points[4]);
        EXPECT_LT(model.m_nBlackPoint[2], 128);
        int expectedPoints[5], xs[5], table[256];
        shownPlot.DisplayToModel(handles, expectedPoints);
        shownPlot.ModelX(xs);
        CSeparationCore::FivePointCurve(table, 256, xs, expectedPoints);
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(model.m_nBlackPoint[k], expectedPoints[k]) << k;
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(model.m_nBlackTable[i], table[i]) << i;
    });
    EXPECT_TRUE(black.Seen());
}

}  // namespace
}  // namespace inktest
