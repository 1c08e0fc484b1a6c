// A frame with a tool bar, a status bar and docking, for the control bar
// tests, and the application whose idle time updates its bars.
#pragma once

#include "afxext.h"

#include <gtest/gtest.h>

#include <vector>

#include "BarsTestRes.h"

namespace barstest {

class CBarsFrame : public CFrameWnd {
public:
    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    CDialogBar m_wndDialogBar;
    CWnd m_wndPane;
    std::vector<UINT> m_commands;  // the commands that reached the frame
    BOOL m_bOpenEnabled = TRUE;
    int m_nBold = 0;
    BOOL m_bWithDialogBar = FALSE;

    CRect PaneRect()
    {
        CRect rect;
        m_wndPane.GetWindowRect(&rect);
        ScreenToClient(&rect);
        return rect;
    }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        if (!m_wndPane.Create(AfxRegisterWndClass(0), nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0),
                              this, AFX_IDW_PANE_FIRST))
            return -1;
        if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                                   WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY) ||
            !m_wndToolBar.LoadToolBar(IDR_BARSTEST_TOOLBAR))
            return -1;
        m_wndToolBar.SetWindowText("标准");
        static const UINT indicators[] = {ID_SEPARATOR, ID_BARSTEST_PAGE, ID_INDICATOR_CAPS,
                                          ID_INDICATOR_NUM};
        if (!m_wndStatusBar.Create(this) ||
            !m_wndStatusBar.SetIndicators(indicators, sizeof(indicators) / sizeof(indicators[0])))
            return -1;
        if (m_bWithDialogBar &&
            !m_wndDialogBar.Create(this, IDD_BARSTEST_DIALOGBAR, WS_VISIBLE | CBRS_TOP, AFX_IDW_DIALOGBAR))
            return -1;
        m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndToolBar);
        return 0;
    }
    afx_msg void OnNew() { m_commands.push_back(ID_BARSTEST_NEW); }
    afx_msg void OnOpen() { m_commands.push_back(ID_BARSTEST_OPEN); }
    afx_msg void OnBold() { m_commands.push_back(ID_BARSTEST_BOLD); }
    afx_msg void OnRun() { m_commands.push_back(ID_BARSTEST_RUN); }
    afx_msg void OnUpdateOpen(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bOpenEnabled); }
    afx_msg void OnUpdateBold(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_nBold); }
    afx_msg void OnUpdateOption(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_nBold); }
    DECLARE_MESSAGE_MAP()
};

// The frame of a test: made visible, the main window of an application of
// its own, destroyed at the end.
class BarsTest : public ::testing::Test {
protected:
    void SetUp() override { CreateFrame(); }
    void TearDown() override
    {
        DestroyFrame();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    void CreateFrame(BOOL bWithDialogBar = FALSE)
    {
        m_pFrame = new CBarsFrame;
        m_pFrame->m_bWithDialogBar = bWithDialogBar;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "控制栏测试", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(20, 20, 520, 380)));
        m_app.m_pMainWnd = m_pFrame;
        Idle();
    }
    void DestroyFrame()
    {
        if (m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();  // deletes the frame
        m_pFrame = nullptr;
        m_app.m_pMainWnd = nullptr;
    }

    // What the message loop does when the queue runs dry.
    void Idle()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        m_app.OnIdle(0);
    }

    CWinApp m_app{"控制栏测试"};
    CBarsFrame* m_pFrame = nullptr;
};

}  // namespace barstest
