// Tool bars: buttons from the tool bar resource, their states from the
// frame's update handlers at idle time, clicks reaching the frame, fly-by
// prompts and tool tips, and the rows of fixed bars.
#include "BarsTestFrame.h"

namespace {

class ToolBarTest : public barstest::BarsTest {};

CPoint Middle(const RECT& rect) { return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2); }

TEST_F(ToolBarTest, LoadToolBarGivesTheButtonsAndSeparatorsInOrder)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    struct {
        UINT nID;
        BOOL bSeparator;
        int iImage;  // images are numbered over the buttons only
    } const expected[] = {
        {ID_BARSTEST_NEW, FALSE, 0},  {ID_BARSTEST_OPEN, FALSE, 1}, {ID_SEPARATOR, TRUE, -1},
        {ID_BARSTEST_BOLD, FALSE, 2}, {ID_SEPARATOR, TRUE, -1},     {ID_BARSTEST_PRINT, FALSE, 3},
    };
    ASSERT_EQ(bar.GetCount(), 6);
    ASSERT_EQ(bar.GetToolBarCtrl().GetButtonCount(), 6);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bar.GetItemID(i), expected[i].nID);
        UINT nID, nStyle;
        int iImage;
        bar.GetButtonInfo(i, nID, nStyle, iImage);
        EXPECT_EQ((nStyle & TBBS_SEPARATOR) != 0, expected[i].bSeparator != 0);
        if (!expected[i].bSeparator) {
            EXPECT_EQ(iImage, expected[i].iImage);
            EXPECT_EQ(bar.CommandToIndex(expected[i].nID), i);
        }
    }
    EXPECT_EQ(bar.CommandToIndex(ID_BARSTEST_RUN), -1);

    // The bitmap of the same id, cut into images of the resource's size.
    CImageList* pImages = bar.GetToolBarCtrl().GetImageList();
    ASSERT_NE(pImages, nullptr);
    EXPECT_EQ(pImages->GetImageCount(), 4);
    IMAGEINFO info;
    ASSERT_TRUE(pImages->GetImageInfo(0, &info));
    EXPECT_EQ(CRect(info.rcImage).Size(), CSize(16, 15));
}

TEST_F(ToolBarTest, UpdateHandlersEnableAndCheckButtonsAtIdleTime)
{
    CToolBarCtrl& ctrl = m_pFrame->m_wndToolBar.GetToolBarCtrl();
    // Commands without a handler are disabled; handlers decide the others.
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_BARSTEST_NEW));
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_BARSTEST_OPEN));
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_BARSTEST_PRINT));
    EXPECT_FALSE(ctrl.IsButtonChecked(ID_BARSTEST_BOLD));

    m_pFrame->m_bOpenEnabled = FALSE;
    m_pFrame->m_nBold = 1;
    Idle();
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_BARSTEST_OPEN));
    EXPECT_TRUE(ctrl.IsButtonChecked(ID_BARSTEST_BOLD));
    UINT nStyle = m_pFrame->m_wndToolBar.GetButtonStyle(3);
    EXPECT_TRUE(nStyle & TBBS_CHECKED);
    EXPECT_TRUE(nStyle & TBBS_CHECKBOX);
    EXPECT_TRUE(m_pFrame->m_wndToolBar.GetButtonStyle(1) & TBBS_DISABLED);

    m_pFrame->m_bOpenEnabled = TRUE;
    m_pFrame->m_nBold = 0;
    Idle();
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_BARSTEST_OPEN));
    EXPECT_FALSE(ctrl.IsButtonChecked(ID_BARSTEST_BOLD));
}

TEST_F(ToolBarTest, AClickedButtonSendsItsCommandToTheFrame)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    m_pFrame->m_bOpenEnabled = FALSE;
    Idle();
    for (int nIndex : {0, 1, 5, 3}) {
        CRect rect;
        bar.GetItemRect(nIndex, &rect);
        CPoint point = Middle(rect);
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }
    // The disabled buttons send nothing.
    EXPECT_EQ(m_pFrame->m_commands, (std::vector<UINT>{ID_BARSTEST_NEW, ID_BARSTEST_BOLD}));
}

TEST_F(ToolBarTest, TheButtonUnderTheMouseShowsItsPromptAndTip)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    CString strIdle;
    ASSERT_TRUE(strIdle.LoadString(AFX_IDS_IDLEMESSAGE));
    EXPECT_STREQ(m_pFrame->m_wndStatusBar.GetPaneText(0), strIdle);

    CRect rect;
    bar.GetItemRect(bar.CommandToIndex(ID_BARSTEST_OPEN), &rect);
    CPoint point = Middle(rect);
    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    EXPECT_STREQ(m_pFrame->m_wndStatusBar.GetPaneText(0), "打开已有的图片集");

    // The tool tip asks the bar for the second line of the command's string.
    for (UINT nCode : {(UINT)TTN_NEEDTEXTA, (UINT)TTN_NEEDTEXTW}) {
        SCOPED_TRACE(nCode);
        TOOLTIPTEXTW ttt = {};  // the larger of the two
        ttt.hdr.hwndFrom = bar.GetToolBarCtrl().GetToolTips()->GetSafeHwnd();
        ttt.hdr.idFrom = ID_BARSTEST_OPEN;
        ttt.hdr.code = nCode;
        bar.SendMessage(WM_NOTIFY, 0, (LPARAM)&ttt);
        if (nCode == TTN_NEEDTEXTA) {
            EXPECT_STREQ(reinterpret_cast<TOOLTIPTEXTA*>(&ttt)->lpszText, "打开");
        } else {
            ASSERT_NE(ttt.lpszText, nullptr);
            EXPECT_EQ(std::wstring(ttt.lpszText), std::wstring(L"\x6253\x5F00"));  // 打开
        }
    }

    // Over a separator, and when the mouse leaves, the idle message returns.
    bar.GetItemRect(2, &rect);
    point = Middle(rect);
    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    EXPECT_STREQ(m_pFrame->m_wndStatusBar.GetPaneText(0), strIdle);
    bar.GetItemRect(0, &rect);
    point = Middle(rect);
    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    EXPECT_STREQ(m_pFrame->m_wndStatusBar.GetPaneText(0), "新建一个图片集");
    bar.SendMessage(WM_MOUSELEAVE);
    EXPECT_STREQ(m_pFrame->m_wndStatusBar.GetPaneText(0), strIdle);
}

TEST_F(ToolBarTest, AFixedBarKeepsItsRowsAndADockedBarHasOne)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    CSize sizeOneRow = bar.CalcFixedLayout(FALSE, TRUE);

    // A wrapped button ends a row of a fixed bar ...
    bar.SetBarStyle(bar.GetBarStyle() | CBRS_SIZE_FIXED);
    bar.SetButtonStyle(1, bar.GetButtonStyle(1) | TBBS_WRAPPED);
    CSize sizeTwoRows = bar.CalcFixedLayout(FALSE, TRUE);
    EXPECT_GT(sizeTwoRows.cy, sizeOneRow.cy);
    EXPECT_LT(sizeTwoRows.cx, sizeOneRow.cx);
    EXPECT_TRUE(bar.GetButtonStyle(1) & TBBS_WRAPPED);

    // ... and a bar that is not fixed lays its buttons out in one row.
    bar.SetBarStyle(bar.GetBarStyle() & ~CBRS_SIZE_FIXED);
    EXPECT_EQ(bar.CalcFixedLayout(FALSE, TRUE), sizeOneRow);
    EXPECT_FALSE(bar.GetButtonStyle(1) & TBBS_WRAPPED);
}

TEST_F(ToolBarTest, ButtonsCanBeRedefined)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    ASSERT_TRUE(bar.SetButtons(nullptr, 3));
    EXPECT_EQ(bar.GetItemID(0), (UINT)ID_SEPARATOR);
    bar.SetButtonInfo(0, ID_BARSTEST_OPEN, TBBS_BUTTON, 1);
    bar.SetButtonInfo(2, ID_BARSTEST_BOLD, TBBS_CHECKBOX, 2);
    EXPECT_EQ(bar.CommandToIndex(ID_BARSTEST_OPEN), 0);
    EXPECT_EQ(bar.CommandToIndex(ID_BARSTEST_BOLD), 2);
    UINT nID, nStyle;
    int iImage;
    bar.GetButtonInfo(2, nID, nStyle, iImage);
    EXPECT_EQ(nID, (UINT)ID_BARSTEST_BOLD);
    EXPECT_EQ(nStyle & 0xFF, (UINT)TBBS_CHECKBOX);
    EXPECT_EQ(iImage, 2);

    ASSERT_TRUE(bar.SetButtonText(0, "打开"));
    EXPECT_STREQ(bar.GetButtonText(0), "打开");
}

// A tool bar in a plain window (a dialog's, say) that lays it out itself.
class CBarHost : public CWnd {
public:
    std::vector<UINT> m_commands;

protected:
    afx_msg void OnNew() { m_commands.push_back(ID_BARSTEST_NEW); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarHost, CWnd)
    ON_COMMAND(ID_BARSTEST_NEW, OnNew)
END_MESSAGE_MAP()

TEST(ToolBarInAWindow, RepositionBarsGivesItTheTopRowAndItsCommandsGoToTheWindow)
{
    CBarHost host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "工具栏", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              400, 200, nullptr, nullptr));
    CToolBar bar;
    ASSERT_TRUE(bar.Create(&host));
    ASSERT_TRUE(bar.LoadToolBar(IDR_BARSTEST_TOOLBAR2));
    EXPECT_EQ(bar.m_pDockSite, nullptr);  // not a frame's

    CRect rectLeft;
    host.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0, CWnd::reposQuery, &rectLeft);
    host.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
    CRect rectClient, rectBar;
    host.GetClientRect(&rectClient);
    bar.GetWindowRect(&rectBar);
    host.ScreenToClient(&rectBar);
    EXPECT_EQ(rectBar, CRect(0, 0, rectClient.right, bar.CalcFixedLayout(FALSE, TRUE).cy));
    EXPECT_EQ(rectLeft, CRect(0, rectBar.bottom, rectClient.right, rectClient.bottom));

    CRect rect;
    bar.GetItemRect(0, &rect);
    CPoint point = Middle(rect);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    EXPECT_EQ(host.m_commands, std::vector<UINT>{ID_BARSTEST_NEW});
    host.DestroyWindow();
}

}  // namespace
