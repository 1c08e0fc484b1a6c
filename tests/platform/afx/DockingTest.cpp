// Docking: bars docked along the frame's sides, floating in their own small
// frames and back, hidden and shown with the frame's layout following, the
// bars' places kept in the profile; and dialog bars.
#include "BarsTestFrame.h"

#include <string>

#include "Registry.h"
#include "TempDir.h"

namespace {

class DockingTest : public barstest::BarsTest {};

UINT DockBarID(CControlBar& bar)
{
    return bar.m_pDockBar != nullptr ? (UINT)bar.m_pDockBar->GetDlgCtrlID() : 0;
}

CRect WindowRectIn(CWnd& wnd, CWnd& parent)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    return rect;
}

void ClickButton(CToolBar& bar, int nIndex)
{
    CRect rect;
    bar.GetItemRect(nIndex, &rect);
    CPoint point = rect.CenterPoint();
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

// A press on the point (screen) of the window, a move to the drop point and
// the release there, as the bar being dragged gets them.
void Drag(CWnd& wndPressed, UINT nHitTest, CPoint ptPress, CControlBar& bar, CPoint ptDrop)
{
    CPoint ptClient = ptDrop;
    bar.ScreenToClient(&ptClient);
    bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptClient.x, ptClient.y));
    bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
    wndPressed.SendMessage(WM_NCLBUTTONDOWN, nHitTest, MAKELPARAM(ptPress.x, ptPress.y));
}

TEST_F(DockingTest, AToolBarDocksLeftFloatsAndDocksBack)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    CRect rectStatus = WindowRectIn(m_pFrame->m_wndStatusBar, *m_pFrame);

    // Docked on top: a row above the pane.
    EXPECT_EQ(DockBarID(bar), (UINT)AFX_IDW_DOCKBAR_TOP);
    EXPECT_FALSE(bar.IsFloating());
    CRect rectBar = WindowRectIn(bar, *m_pFrame);
    EXPECT_GT(rectBar.Width(), rectBar.Height());
    EXPECT_EQ(m_pFrame->PaneRect(), CRect(0, rectBar.bottom, rectClient.right, rectStatus.top));

    // On the left: a column beside the pane.
    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(DockBarID(bar), (UINT)AFX_IDW_DOCKBAR_LEFT);
    EXPECT_TRUE(bar.GetBarStyle() & CBRS_ALIGN_LEFT);
    rectBar = WindowRectIn(bar, *m_pFrame);
    EXPECT_GT(rectBar.Height(), rectBar.Width());
    EXPECT_EQ(m_pFrame->PaneRect(), CRect(rectBar.right, 0, rectClient.right, rectStatus.top));

    // Floating: in a small frame of its own at the point given; the pane
    // has the whole client area above the status bar.
    m_pFrame->FloatControlBar(&bar, CPoint(300, 200));
    EXPECT_TRUE(bar.IsFloating());
    CFrameWnd* pMiniFrame = bar.GetParentFrame();
    ASSERT_NE(pMiniFrame, nullptr);
    EXPECT_TRUE(pMiniFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    EXPECT_TRUE(pMiniFrame->IsWindowVisible());
    EXPECT_TRUE(pMiniFrame->GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_EQ(pMiniFrame->GetParent(), m_pFrame);  // owned by the frame
    CRect rectMini;
    pMiniFrame->GetWindowRect(&rectMini);
    EXPECT_EQ(rectMini.TopLeft(), CPoint(300, 200));
    CString strCaption;
    pMiniFrame->GetWindowText(strCaption);
    EXPECT_STREQ(strCaption, "标准");
    rectBar = WindowRectIn(bar, *pMiniFrame);
    EXPECT_GT(rectBar.Width(), rectBar.Height());
    EXPECT_EQ(m_pFrame->PaneRect(), CRect(0, 0, rectClient.right, rectStatus.top));
    ClickButton(bar, 1);

    // Docked back: the floating frame is gone.
    HWND hWndMiniFrame = pMiniFrame->m_hWnd;
    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    EXPECT_FALSE(bar.IsFloating());
    EXPECT_FALSE(::IsWindow(hWndMiniFrame));
    EXPECT_EQ(bar.GetParentFrame(), m_pFrame);
    rectBar = WindowRectIn(bar, *m_pFrame);
    EXPECT_EQ(m_pFrame->PaneRect(), CRect(0, rectBar.bottom, rectClient.right, rectStatus.top));

    ClickButton(bar, 0);

    // Wherever the bar was, its commands reached the frame.
    EXPECT_EQ(m_pFrame->m_commands, (std::vector<UINT>{ID_BARSTEST_OPEN, ID_BARSTEST_NEW}));
}

TEST_F(DockingTest, ABarDraggedByItsGripperDocksWhereItIsDropped)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    m_pFrame->ClientToScreen(&rectClient);

    // The gripper answers as a caption.
    CRect rectBar;
    bar.GetWindowRect(&rectBar);
    CPoint ptGripper(rectBar.left + 4, rectBar.CenterPoint().y);
    EXPECT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptGripper.x, ptGripper.y)), HTCAPTION);
    EXPECT_NE(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rectBar.CenterPoint().x, ptGripper.y)),
              HTCAPTION);

    // Dropped near the left side: docked there.
    Drag(bar, HTCAPTION, ptGripper, bar, CPoint(rectClient.left + 5, rectClient.CenterPoint().y));
    EXPECT_EQ(DockBarID(bar), (UINT)AFX_IDW_DOCKBAR_LEFT);

    // Dropped in the middle: floating where it was dropped.
    bar.GetWindowRect(&rectBar);
    ptGripper = CPoint(rectBar.CenterPoint().x, rectBar.top + 4);
    CPoint ptDrop = rectClient.CenterPoint();
    Drag(bar, HTCAPTION, ptGripper, bar, ptDrop);
    ASSERT_TRUE(bar.IsFloating());
    CFrameWnd* pMiniFrame = bar.GetParentFrame();
    CRect rectMini;
    pMiniFrame->GetWindowRect(&rectMini);
    EXPECT_EQ(rectMini.TopLeft(), ptDrop - (ptGripper - rectBar.TopLeft()));

    // The floating frame's caption drags the bar: dropped near the top, docked there.
    HWND hWndMiniFrame = pMiniFrame->m_hWnd;
    CPoint ptCaption(rectMini.CenterPoint().x, rectMini.top + 4);
    Drag(*pMiniFrame, HTCAPTION, ptCaption, bar, CPoint(rectClient.CenterPoint().x, rectClient.top + 5));
    EXPECT_EQ(DockBarID(bar), (UINT)AFX_IDW_DOCKBAR_TOP);
    EXPECT_FALSE(::IsWindow(hWndMiniFrame));
}

TEST_F(DockingTest, HiddenBarsGiveTheirSpaceToThePane)
{
    CRect rectPane = m_pFrame->PaneRect();
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);

    m_pFrame->ShowControlBar(&m_pFrame->m_wndToolBar, FALSE, FALSE);
    EXPECT_FALSE(m_pFrame->m_wndToolBar.IsWindowVisible());
    EXPECT_EQ(m_pFrame->PaneRect(), CRect(0, 0, rectClient.right, rectPane.bottom));

    m_pFrame->ShowControlBar(&m_pFrame->m_wndStatusBar, FALSE, FALSE);
    EXPECT_EQ(m_pFrame->PaneRect(), rectClient);

    // Shown with a delay: the next idle time shows it and lays out.
    m_pFrame->ShowControlBar(&m_pFrame->m_wndToolBar, TRUE, TRUE);
    m_pFrame->ShowControlBar(&m_pFrame->m_wndStatusBar, TRUE, TRUE);
    EXPECT_FALSE(m_pFrame->m_wndToolBar.IsWindowVisible());
    Idle();
    EXPECT_TRUE(m_pFrame->m_wndToolBar.IsWindowVisible());
    EXPECT_TRUE(m_pFrame->m_wndStatusBar.IsWindowVisible());
    EXPECT_EQ(m_pFrame->PaneRect(), rectPane);

    // The View menu's command does the same.
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(m_pFrame->m_wndToolBar.IsWindowVisible());
    EXPECT_EQ(m_pFrame->PaneRect().top, 0);
}

TEST_F(DockingTest, ClosingAFloatingBarHidesIt)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    m_pFrame->FloatControlBar(&bar, CPoint(200, 150));
    CFrameWnd* pMiniFrame = bar.GetParentFrame();
    ASSERT_NE(pMiniFrame, m_pFrame);
    HWND hWndMiniFrame = pMiniFrame->m_hWnd;

    pMiniFrame->SendMessage(WM_CLOSE);
    ASSERT_TRUE(::IsWindow(hWndMiniFrame));
    EXPECT_FALSE(::IsWindowVisible(hWndMiniFrame));
    EXPECT_FALSE(bar.IsWindowVisible());

    m_pFrame->ShowControlBar(&bar, TRUE, FALSE);
    EXPECT_TRUE(::IsWindowVisible(hWndMiniFrame));
    EXPECT_TRUE(bar.IsWindowVisible());

    // A floating bar is updated at idle time too.
    m_pFrame->m_bOpenEnabled = FALSE;
    Idle();
    EXPECT_FALSE(bar.GetToolBarCtrl().IsButtonEnabled(ID_BARSTEST_OPEN));
}

TEST_F(DockingTest, SavedBarStateComesBackInANewFrame)
{
    const std::string company = testsupport::ProcessUnique("OmbrelleAfxBarsTest");
    const std::string key = "Software\\" + company;
    testsupport::DeleteRegKey(HKEY_CURRENT_USER, key);
    m_app.SetRegistryKey(company.c_str());

    m_pFrame->FloatControlBar(&m_pFrame->m_wndToolBar, CPoint(260, 210));
    m_pFrame->ShowControlBar(&m_pFrame->m_wndStatusBar, FALSE, FALSE);
    m_pFrame->SaveBarState("工具栏");
    EXPECT_EQ(testsupport::ReadRegDword(HKEY_CURRENT_USER, key + "\\控制栏测试\\工具栏-Summary", "Bars"), 2u);

    // Loaded while the new frame is hidden (as in its OnCreate): the
    // floating frame shows once the frame does.
    DestroyFrame();
    CreateFrame();
    m_pFrame->ShowWindow(SW_HIDE);
    ASSERT_FALSE(m_pFrame->m_wndToolBar.IsFloating());
    m_pFrame->LoadBarState("工具栏");
    EXPECT_TRUE(m_pFrame->m_wndToolBar.IsFloating());
    m_pFrame->ShowWindow(SW_SHOW);
    Idle();
    EXPECT_TRUE(m_pFrame->m_wndToolBar.IsWindowVisible());
    CRect rectMini;
    m_pFrame->m_wndToolBar.GetParentFrame()->GetWindowRect(&rectMini);
    EXPECT_EQ(rectMini.TopLeft(), CPoint(260, 210));
    EXPECT_FALSE(m_pFrame->m_wndStatusBar.IsWindowVisible());
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    EXPECT_EQ(m_pFrame->PaneRect(), rectClient);

    // And docked on the right, saved again.
    m_pFrame->DockControlBar(&m_pFrame->m_wndToolBar, AFX_IDW_DOCKBAR_RIGHT);
    m_pFrame->ShowControlBar(&m_pFrame->m_wndStatusBar, TRUE, FALSE);
    m_pFrame->SaveBarState("工具栏");
    DestroyFrame();
    CreateFrame();
    m_pFrame->LoadBarState("工具栏");
    EXPECT_EQ(DockBarID(m_pFrame->m_wndToolBar), (UINT)AFX_IDW_DOCKBAR_RIGHT);
    EXPECT_TRUE(m_pFrame->m_wndStatusBar.IsWindowVisible());

    testsupport::DeleteRegKey(HKEY_CURRENT_USER, key);
}

TEST_F(DockingTest, ADialogBarsControlsFollowTheFramesHandlers)
{
    DestroyFrame();
    CreateFrame(TRUE);
    CDialogBar& bar = m_pFrame->m_wndDialogBar;
    ASSERT_NE(bar.m_hWnd, nullptr);
    EXPECT_EQ(m_pFrame->GetControlBar(AFX_IDW_DIALOGBAR), &bar);

    // Laid out along the top (made before the dock bars, so above the
    // docked tool bar), as wide as the frame and as high as its template.
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    CRect rectBar = WindowRectIn(bar, *m_pFrame);
    EXPECT_EQ(rectBar, CRect(0, 0, rectClient.right, bar.m_sizeDefault.cy));
    CRect rectToolBar = WindowRectIn(m_pFrame->m_wndToolBar, *m_pFrame);
    EXPECT_EQ(rectToolBar.top, rectBar.bottom);
    EXPECT_EQ(m_pFrame->PaneRect().top, rectToolBar.bottom);

    CWnd* pOption = bar.GetDlgItem(ID_BARSTEST_OPTION);
    ASSERT_NE(pOption, nullptr);
    EXPECT_EQ(pOption->SendMessage(BM_GETCHECK), BST_UNCHECKED);
    m_pFrame->m_nBold = 1;
    Idle();
    EXPECT_EQ(pOption->SendMessage(BM_GETCHECK), BST_CHECKED);
    EXPECT_TRUE(bar.GetDlgItem(ID_BARSTEST_RUN)->IsWindowEnabled());

    // The push button's click reaches the frame.
    bar.GetDlgItem(ID_BARSTEST_RUN)->SendMessage(BM_CLICK);
    EXPECT_EQ(m_pFrame->m_commands, std::vector<UINT>{ID_BARSTEST_RUN});
}

}  // namespace
