// Message-map dispatch of real windows: base-class chaining, commands and
// their update handlers, reflection of notifications to the control, and
// exceptions stopped at the window procedure.
#include "afxwin.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GuiDriver.h"

namespace {

std::vector<std::string> g_log;

class CBaseWnd : public CWnd {
public:
    BOOL CreatePlain()
    {
        return CreateEx(0, AfxRegisterWndClass(0), "base", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                        nullptr, nullptr);
    }

protected:
    afx_msg void OnTimer(UINT nIDEvent) { g_log.push_back("base timer " + std::to_string(nIDEvent)); }
    afx_msg void OnSize(UINT, int cx, int cy)
    {
        g_log.push_back("base size " + std::to_string(cx) + "x" + std::to_string(cy));
    }
    afx_msg void OnCommandA() { g_log.push_back("base A"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_COMMAND(100, OnCommandA)
END_MESSAGE_MAP()

UINT g_registered = ::RegisterWindowMessageA("OmbrelleDispatchTest");

class CDerivedWnd : public CBaseWnd {
public:
    BOOL m_bDisableRange = FALSE;
    int m_nPostNcDestroy = 0;

protected:
    afx_msg void OnSize(UINT, int cx, int)
    {
        g_log.push_back("derived size " + std::to_string(cx));
        // The handler chooses to pass the message on: the base's own entry is not reached.
    }
    afx_msg void OnRange(UINT nID) { g_log.push_back("range " + std::to_string(nID)); }
    afx_msg void OnUpdateRange(CCmdUI* pCmdUI) { pCmdUI->Enable(!m_bDisableRange); }
    afx_msg LRESULT OnUser(WPARAM wParam, LPARAM lParam)
    {
        g_log.push_back("user " + std::to_string(wParam) + "," + std::to_string(lParam));
        return 42;
    }
    afx_msg LRESULT OnRegistered(WPARAM, LPARAM) { return 7; }
    afx_msg void OnThrow() { AfxThrowNotSupportedException(); }
    afx_msg void OnThrowStd() { throw 3; }
    void PostNcDestroy() override { ++m_nPostNcDestroy; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_WM_SIZE()
    ON_COMMAND_RANGE(200, 209, OnRange)
    ON_UPDATE_COMMAND_UI_RANGE(200, 209, OnUpdateRange)
    ON_MESSAGE(WM_USER + 5, OnUser)
    ON_REGISTERED_MESSAGE(g_registered, OnRegistered)
    ON_COMMAND(300, OnThrow)
    ON_COMMAND(301, OnThrowStd)
END_MESSAGE_MAP()

class WndDispatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        ASSERT_TRUE(m_wnd.CreatePlain());
        g_log.clear();  // creation's own WM_SIZE
    }
    void TearDown() override
    {
        if (m_wnd.m_hWnd != nullptr)
            m_wnd.DestroyWindow();
    }
    CDerivedWnd m_wnd;
};

TEST_F(WndDispatchTest, DerivedEntryWinsAndBaseEntriesStillAnswer)
{
    m_wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 80));
    m_wnd.SendMessage(WM_TIMER, 9);
    m_wnd.SendMessage(WM_COMMAND, 100);
    EXPECT_EQ(g_log, (std::vector<std::string>{"derived size 120", "base timer 9", "base A"}));
}

TEST_F(WndDispatchTest, UserAndRegisteredMessagesReturnTheHandlersResult)
{
    EXPECT_EQ(m_wnd.SendMessage(WM_USER + 5, 3, -4), 42);
    EXPECT_EQ(m_wnd.SendMessage(g_registered), 7);
    EXPECT_EQ(g_log, (std::vector<std::string>{"user 3,-4"}));
}

TEST_F(WndDispatchTest, CommandRangeRunsUnlessItsUpdateHandlerDisablesIt)
{
    m_wnd.SendMessage(WM_COMMAND, 204);
    m_wnd.m_bDisableRange = TRUE;
    m_wnd.SendMessage(WM_COMMAND, 205);
    EXPECT_EQ(g_log, (std::vector<std::string>{"range 204"}));
}

TEST_F(WndDispatchTest, UpdateUiReportsHandlersAndDisablesCommandsWithout)
{
    struct CRecordingCmdUI : CCmdUI {
        int nEnabled = -1;
        void Enable(BOOL bOn) override
        {
            nEnabled = bOn;
            m_bEnableChanged = TRUE;
        }
    };
    CRecordingCmdUI handled;
    handled.m_nID = 100;  // a command with a handler and no update handler
    handled.DoUpdate(&m_wnd, TRUE);
    EXPECT_EQ(handled.nEnabled, 1);

    CRecordingCmdUI orphan;
    orphan.m_nID = 999;
    orphan.DoUpdate(&m_wnd, TRUE);
    EXPECT_EQ(orphan.nEnabled, 0);
}

TEST_F(WndDispatchTest, ExceptionInHandlerIsReportedAndTheProgramGoesOn)
{
    auto& box = testsupport::Gui().Expect(AfxGetAppName()).Press(IDOK);
    m_wnd.SendMessage(WM_COMMAND, 300);
    EXPECT_TRUE(box.Seen());
    EXPECT_TRUE(box.HasText("不支持此操作。"));

    auto& internal = testsupport::Gui().Expect(AfxGetAppName()).Press(IDOK);
    m_wnd.SendMessage(WM_COMMAND, 301);
    EXPECT_TRUE(internal.Seen());
    EXPECT_TRUE(internal.HasText("执行命令时出错。"));

    // Still dispatching.
    EXPECT_EQ(m_wnd.SendMessage(WM_USER + 5, 1, 2), 42);
}

TEST_F(WndDispatchTest, DestroyDetachesAndCallsPostNcDestroyOnce)
{
    HWND hWnd = m_wnd.m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &m_wnd);
    EXPECT_TRUE(m_wnd.DestroyWindow());
    EXPECT_EQ(m_wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_EQ(m_wnd.m_nPostNcDestroy, 1);
}

TEST(WndHandleMap, TemporaryWrappersLiveUntilIdle)
{
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(hWnd, nullptr);
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    EXPECT_EQ(CWnd::FromHandle(hWnd), pTemp);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    AfxDeleteTempHandleMaps();

    // Attaching makes the object the one FromHandle gives.
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(hWnd));
    EXPECT_EQ(CWnd::FromHandle(hWnd), &wnd);
    EXPECT_EQ(wnd.Detach(), hWnd);
    ::DestroyWindow(hWnd);
}

TEST(WndTree, TopLevelParentFollowsParentsAndOwners)
{
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, AfxRegisterWndClass(0), "main", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                              nullptr, nullptr));
    CWnd popup;  // owned by the main window, as a modeless dialog is
    ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), "popup", WS_POPUP, 0, 0, 100, 50,
                               main.m_hWnd, nullptr));
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, "child", 0, CRect(0, 0, 10, 10), &popup, 1));

    EXPECT_EQ(child.GetParentOwner(), &popup);
    EXPECT_EQ(child.GetTopLevelParent(), &main);
    EXPECT_EQ(popup.GetTopLevelParent(), &main);
    EXPECT_EQ(popup.GetTopLevelOwner(), &main);
    EXPECT_EQ(main.GetTopLevelParent(), &main);
    main.DestroyWindow();
    EXPECT_EQ(child.m_hWnd, nullptr);
}

// A control subclassed by an object that handles its own notifications.
class CReflectingButton : public CWnd {
public:
    int m_nMode = 1;  // 1: the handler returns FALSE, 2: TRUE

protected:
    afx_msg BOOL OnClickedEx()
    {
        g_log.push_back("child ex");
        return m_nMode == 2;
    }
    afx_msg void OnNotifyPlain(NMHDR*, LRESULT* pResult)
    {
        g_log.push_back("child notify");
        *pResult = 11;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CWnd)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClickedEx)
    ON_NOTIFY_REFLECT(NM_CLICK, OnNotifyPlain)
END_MESSAGE_MAP()

class CPlainReflectButton : public CWnd {
protected:
    afx_msg void OnClicked() { g_log.push_back("child plain"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPlainReflectButton, CWnd)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class CParentWnd : public CWnd {
protected:
    afx_msg void OnClicked() { g_log.push_back("parent clicked"); }
    afx_msg void OnNotifyClick(NMHDR*, LRESULT* pResult)
    {
        g_log.push_back("parent notify");
        *pResult = 22;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_BN_CLICKED(10, OnClicked)
    ON_NOTIFY(NM_CLICK, 10, OnNotifyClick)
    ON_BN_CLICKED(11, OnClicked)
END_MESSAGE_MAP()

class WndReflectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_OVERLAPPEDWINDOW, 0, 0,
                                      300, 200, nullptr, nullptr));
        ASSERT_TRUE(m_button.Create("BUTTON", "b", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20),
                                    &m_parent, 10));
        ASSERT_TRUE(m_plain.Create("BUTTON", "p", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 30, 50, 50),
                                   &m_parent, 11));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    void Click(CWnd& button)
    {
        m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(button.GetDlgCtrlID(), BN_CLICKED),
                             (LPARAM)button.m_hWnd);
    }

    CParentWnd m_parent;
    CReflectingButton m_button;
    CPlainReflectButton m_plain;
};

TEST_F(WndReflectionTest, PlainReflectionKeepsTheNotificationFromTheParent)
{
    Click(m_plain);
    EXPECT_EQ(g_log, (std::vector<std::string>{"child plain"}));
}

TEST_F(WndReflectionTest, ExReflectionLetsTheParentHaveItUnlessTheChildSaysItIsDone)
{
    m_button.m_nMode = 1;
    Click(m_button);
    EXPECT_EQ(g_log, (std::vector<std::string>{"child ex", "parent clicked"}));

    g_log.clear();
    m_button.m_nMode = 2;
    Click(m_button);
    EXPECT_EQ(g_log, (std::vector<std::string>{"child ex"}));
}

TEST_F(WndReflectionTest, ReflectedNotifyAnswersWithTheChildsResult)
{
    NMHDR nmhdr = {m_button.m_hWnd, 10, (UINT)NM_CLICK};
    LRESULT lResult = m_parent.SendMessage(WM_NOTIFY, 10, (LPARAM)&nmhdr);
    EXPECT_EQ(lResult, 11);
    EXPECT_EQ(g_log, (std::vector<std::string>{"child notify"}));
}

TEST_F(WndReflectionTest, NotificationOfAControlWithoutObjectReachesTheParent)
{
    HWND hWndBare = ::CreateWindowExA(0, "BUTTON", "bare", WS_CHILD, 0, 60, 50, 20, m_parent.m_hWnd,
                                      (HMENU)10, nullptr, nullptr);
    NMHDR nmhdr = {hWndBare, 10, (UINT)NM_CLICK};
    EXPECT_EQ(m_parent.SendMessage(WM_NOTIFY, 10, (LPARAM)&nmhdr), 22);
    EXPECT_EQ(g_log, (std::vector<std::string>{"parent notify"}));
}

// A real click through the control: BN_CLICKED comes from Windows itself.
TEST_F(WndReflectionTest, RealClickIsReflected)
{
    m_plain.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    m_plain.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(g_log, (std::vector<std::string>{"child plain"}));
}

// Owner-drawn control colours: a reflected colour handler returning a brush
// wins; returning NULL leaves the colour to the parent.
class CColouredStatic : public CWnd {
public:
    HBRUSH m_hbr = nullptr;

protected:
    afx_msg HBRUSH CtlColor(CDC*, UINT nCtlColor)
    {
        g_log.push_back("child colour " + std::to_string(nCtlColor));
        return m_hbr;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColouredStatic, CWnd)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

TEST(WndReflection, ColourReflection)
{
    g_log.clear();
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "p", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CColouredStatic child;
    ASSERT_TRUE(child.Create("STATIC", "s", WS_VISIBLE, CRect(0, 0, 50, 20), &parent, 5));
    HDC hdc = ::GetDC(child.m_hWnd);
    HBRUSH hbrBlue = ::CreateSolidBrush(RGB(0, 0, 255));
    child.m_hbr = hbrBlue;
    EXPECT_EQ((HBRUSH)parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hdc, (LPARAM)child.m_hWnd), hbrBlue);
    child.m_hbr = nullptr;
    EXPECT_NE((HBRUSH)parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hdc, (LPARAM)child.m_hWnd), hbrBlue);
    EXPECT_EQ(g_log, (std::vector<std::string>{"child colour 6", "child colour 6"}));
    ::ReleaseDC(child.m_hWnd, hdc);
    ::DeleteObject(hbrBlue);
    parent.DestroyWindow();
}

}  // namespace
