// Status bars: panes from indicator ids, their texts and widths, the
// frame's messages in the first pane and the key indicators at idle time.
#include "BarsTestFrame.h"

#include <string>

namespace {

class StatusBarTest : public barstest::BarsTest {};

// The text the control shows in a pane.
std::string ShownText(CStatusBar& bar, int nIndex)
{
    char szText[256] = "";
    int nLength = LOWORD(bar.SendMessage(SB_GETTEXTLENGTHA, nIndex));
    if (nLength < (int)sizeof(szText))
        bar.SendMessage(SB_GETTEXTA, nIndex, (LPARAM)szText);
    return szText;
}

TEST_F(StatusBarTest, IndicatorsShowTheirStringsAndTheFirstFreePaneStretches)
{
    CStatusBar& bar = m_pFrame->m_wndStatusBar;
    ASSERT_EQ(bar.GetCount(), 4);
    struct {
        UINT nID;
        const char* pszText;
    } const expected[] = {
        {ID_SEPARATOR, nullptr},
        {ID_BARSTEST_PAGE, "第 9999 页"},
        {ID_INDICATOR_CAPS, "大写"},  // the library's own string
        {ID_INDICATOR_NUM, "数字"},
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bar.GetItemID(i), expected[i].nID);
        EXPECT_EQ(bar.CommandToIndex(expected[i].nID), i);
        if (expected[i].pszText != nullptr) {
            EXPECT_STREQ(bar.GetPaneText(i), expected[i].pszText);
        }
    }
    UINT nID, nStyle;
    int cxWidth;
    bar.GetPaneInfo(0, nID, nStyle, cxWidth);
    EXPECT_TRUE(nStyle & SBPS_STRETCH);
    bar.GetPaneInfo(1, nID, nStyle, cxWidth);
    EXPECT_FALSE(nStyle & SBPS_STRETCH);

    // An indicator is as wide as its text; the first pane takes the rest,
    // and what the frame gains when it grows.
    CRect rect0, rect1;
    bar.GetItemRect(0, &rect0);
    bar.GetItemRect(1, &rect1);
    EXPECT_GE(rect1.Width(), cxWidth);
    EXPECT_GT(rect0.Width(), rect1.Width());
    CRect rectFrame;
    m_pFrame->GetWindowRect(&rectFrame);
    m_pFrame->SetWindowPos(nullptr, 0, 0, rectFrame.Width() + 100, rectFrame.Height(),
                           SWP_NOMOVE | SWP_NOZORDER);
    CRect rect0Wide, rect1Wide;
    bar.GetItemRect(0, &rect0Wide);
    bar.GetItemRect(1, &rect1Wide);
    EXPECT_EQ(rect0Wide.Width(), rect0.Width() + 100);
    EXPECT_EQ(rect1Wide.Width(), rect1.Width());
}

TEST_F(StatusBarTest, AnIndicatorWithoutItsStringFails)
{
    static const UINT indicators[] = {ID_SEPARATOR, 49599};
    EXPECT_FALSE(m_pFrame->m_wndStatusBar.SetIndicators(indicators, 2));
}

TEST_F(StatusBarTest, PaneTextsAndTheFramesMessages)
{
    CStatusBar& bar = m_pFrame->m_wndStatusBar;
    EXPECT_TRUE(bar.SetPaneText(1, "第 3 页"));
    EXPECT_STREQ(bar.GetPaneText(1), "第 3 页");
    EXPECT_EQ(ShownText(bar, 1), "第 3 页");
    EXPECT_FALSE(bar.SetPaneText(7, "无"));

    // The bar's window text is its first free pane: the frame's messages go there.
    m_pFrame->SetMessageText("正在保存图片");
    EXPECT_STREQ(bar.GetPaneText(0), "正在保存图片");
    EXPECT_EQ(ShownText(bar, 0), "正在保存图片");
    CString strText;
    bar.GetWindowText(strText);
    EXPECT_STREQ(strText, "正在保存图片");
    m_pFrame->SetMessageText(ID_BARSTEST_PRINT);
    EXPECT_STREQ(bar.GetPaneText(0), "打印图片集");

    // A text set without update shows once the panes are next updated.
    EXPECT_TRUE(bar.SetPaneText(1, "第 4 页", FALSE));
    EXPECT_STREQ(bar.GetPaneText(1), "第 4 页");
    Idle();
    EXPECT_EQ(ShownText(bar, 1), "第 4 页");
}

TEST_F(StatusBarTest, KeyIndicatorsFollowTheirKeysAtIdleTime)
{
    CStatusBar& bar = m_pFrame->m_wndStatusBar;
    struct {
        UINT nID;
        int nKey;
    } const indicators[] = {{ID_INDICATOR_CAPS, VK_CAPITAL}, {ID_INDICATOR_NUM, VK_NUMLOCK}};
    for (const auto& indicator : indicators) {
        SCOPED_TRACE(indicator.nID);
        int nIndex = bar.CommandToIndex(indicator.nID);
        BOOL bOn = (::GetKeyState(indicator.nKey) & 1) != 0;
        EXPECT_EQ((bar.GetPaneStyle(nIndex) & SBPS_DISABLED) == 0, bOn != 0);
        // A disabled indicator shows nothing; its text stays.
        EXPECT_EQ(ShownText(bar, nIndex), bOn ? std::string(bar.GetPaneText(nIndex)) : std::string());
        EXPECT_FALSE(bar.GetPaneText(nIndex).IsEmpty());
    }
}

}  // namespace
