// The start-up splash: shown over the frame, removed by the first key or
// mouse press (which goes no further) or by its own timer.
#include "StartupSplashWnd.h"
#include "OmbrelleApp.h"

#include "GuiDriver.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const UINT WM_TEST_MARK = WM_APP + 7;

// A main window that records the keys and clicks that reach it.
class CKeyFrame : public CFrameWnd {
public:
    std::vector<UINT> m_received;
    bool m_bMarkSeen = false;

protected:
    afx_msg void OnKeyDown(UINT nChar, UINT, UINT) { m_received.push_back(nChar); }
    afx_msg void OnLButtonDown(UINT, CPoint) { m_received.push_back(WM_LBUTTONDOWN); }
    afx_msg LRESULT OnMark(WPARAM, LPARAM)
    {
        m_bMarkSeen = true;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyFrame, CFrameWnd)
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_TEST_MARK, OnMark)
END_MESSAGE_MAP()

class SplashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CKeyFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "主窗口", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 800, 600)));
        m_app.m_pMainWnd = m_pFrame;
        CStartupSplashWnd::EnableSplash(TRUE);
    }
    void TearDown() override
    {
        if (CStartupSplashWnd::GetSplash() != nullptr)
            CStartupSplashWnd::GetSplash()->DestroyWindow();
        m_pFrame->DestroyWindow();
        m_app.m_pMainWnd = nullptr;
        CStartupSplashWnd::EnableSplash(FALSE);
    }
    // Runs the messages through the application's loop until the mark
    // posted after them has been handled.
    void PumpThroughTheApp()
    {
        m_pFrame->m_bMarkSeen = false;
        m_pFrame->PostMessage(WM_TEST_MARK);
        while (!m_pFrame->m_bMarkSeen && m_app.PumpMessage()) {
        }
    }

    COmbrelleApp m_app;
    CKeyFrame* m_pFrame = nullptr;
};

TEST_F(SplashTest, ShowsThePictureCentredOverTheFrameOnceAtATime)
{
    CStartupSplashWnd::ShowSplash(m_pFrame);
    CStartupSplashWnd* pSplash = CStartupSplashWnd::GetSplash();
    ASSERT_NE(pSplash, nullptr);
    EXPECT_TRUE(pSplash->IsWindowVisible());
    EXPECT_EQ(::GetWindow(pSplash->m_hWnd, GW_OWNER), m_pFrame->m_hWnd);
    CRect rect, frame;
    pSplash->GetWindowRect(&rect);
    m_pFrame->GetWindowRect(&frame);
    EXPECT_EQ(rect.Size(), CSize(518, 188));
    EXPECT_EQ(rect.CenterPoint(), frame.CenterPoint());

    CStartupSplashWnd::ShowSplash(m_pFrame);
    EXPECT_EQ(CStartupSplashWnd::GetSplash(), pSplash);
}

// Start-up shows the splash before the main window: it must still be up,
// over the main window, once that shows.
TEST_F(SplashTest, MadeWhileTheFrameIsHiddenItStaysUpOverItOnceTheFrameShows)
{
    m_pFrame->ShowWindow(SW_HIDE);
    CStartupSplashWnd::ShowSplash(m_pFrame);
    CStartupSplashWnd* pSplash = CStartupSplashWnd::GetSplash();
    ASSERT_NE(pSplash, nullptr);
    m_pFrame->ShowWindow(SW_SHOWMAXIMIZED);
    PumpThroughTheApp();

    EXPECT_EQ(CStartupSplashWnd::GetSplash(), pSplash);
    ASSERT_TRUE(::IsWindow(pSplash->m_hWnd));
    EXPECT_TRUE(pSplash->IsWindowVisible());
    EXPECT_EQ(::GetWindow(pSplash->m_hWnd, GW_OWNER), m_pFrame->m_hWnd);
    CRect rect, frame;
    pSplash->GetWindowRect(&rect);
    m_pFrame->GetWindowRect(&frame);
    EXPECT_EQ(rect.CenterPoint(), frame.CenterPoint());

    m_pFrame->PostMessage(WM_KEYDOWN, 'A', 0);
    PumpThroughTheApp();
    EXPECT_EQ(CStartupSplashWnd::GetSplash(), nullptr);
    EXPECT_TRUE(m_pFrame->m_received.empty());
}

TEST_F(SplashTest, NoSplashWhenTheCommandLineSwitchedItOff)
{
    CStartupSplashWnd::EnableSplash(FALSE);
    CStartupSplashWnd::ShowSplash(m_pFrame);
    EXPECT_EQ(CStartupSplashWnd::GetSplash(), nullptr);
}

struct FilterCase {
    UINT message;
    bool closes;
};

TEST_F(SplashTest, AKeyOrButtonPressClosesTheSplashAndIsTakenOtherInputIsNot)
{
    static const FilterCase kCases[] = {
        {WM_KEYDOWN, true},       {WM_SYSKEYDOWN, true},    {WM_LBUTTONDOWN, true},   {WM_RBUTTONDOWN, true},
        {WM_MBUTTONDOWN, true},   {WM_NCLBUTTONDOWN, true}, {WM_NCRBUTTONDOWN, true}, {WM_NCMBUTTONDOWN, true},
        {WM_CHAR, false},         {WM_MOUSEMOVE, false},    {WM_KEYUP, false},        {WM_LBUTTONUP, false},
        {WM_NCMOUSEMOVE, false},  {WM_TIMER, false},
    };
    for (const FilterCase& c : kCases) {
        SCOPED_TRACE(c.message);
        CStartupSplashWnd::ShowSplash(m_pFrame);
        ASSERT_NE(CStartupSplashWnd::GetSplash(), nullptr);
        MSG msg = {m_pFrame->m_hWnd, c.message, 'A', 0, 0, {0, 0}};
        EXPECT_EQ(CStartupSplashWnd::FilterAppMessage(&msg) != FALSE, c.closes);
        EXPECT_EQ(CStartupSplashWnd::GetSplash() == nullptr, c.closes);
    }
    // With no splash up nothing is taken.
    if (CStartupSplashWnd::GetSplash() != nullptr)
        CStartupSplashWnd::GetSplash()->DestroyWindow();
    MSG msg = {m_pFrame->m_hWnd, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
    EXPECT_FALSE(CStartupSplashWnd::FilterAppMessage(&msg));
}

TEST_F(SplashTest, TheKeyThatClosesTheSplashNeverReachesTheFrameWhichGetsTheFocus)
{
    CStartupSplashWnd::ShowSplash(m_pFrame);
    ASSERT_NE(CStartupSplashWnd::GetSplash(), nullptr);
    m_pFrame->PostMessage(WM_KEYDOWN, 'A', 0);
    PumpThroughTheApp();
    EXPECT_EQ(CStartupSplashWnd::GetSplash(), nullptr);
    EXPECT_TRUE(m_pFrame->m_received.empty());
    EXPECT_EQ(::GetFocus(), m_pFrame->m_hWnd);

    // Once the splash is gone keys go their usual way.
    m_pFrame->PostMessage(WM_KEYDOWN, 'B', 0);
    PumpThroughTheApp();
    EXPECT_EQ(m_pFrame->m_received, std::vector<UINT>{'B'});
}

TEST_F(SplashTest, AClickOnTheMainWindowOnlyRemovesTheSplash)
{
    CStartupSplashWnd::ShowSplash(m_pFrame);
    ASSERT_NE(CStartupSplashWnd::GetSplash(), nullptr);
    m_pFrame->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PumpThroughTheApp();
    EXPECT_EQ(CStartupSplashWnd::GetSplash(), nullptr);
    EXPECT_TRUE(m_pFrame->m_received.empty());
}

TEST_F(SplashTest, WithoutInputTheSplashGoesByItselfAfterFifteenSeconds)
{
    CStartupSplashWnd::ShowSplash(m_pFrame);
    ASSERT_NE(CStartupSplashWnd::GetSplash(), nullptr);
    HWND hSplash = CStartupSplashWnd::GetSplash()->m_hWnd;
    EXPECT_TRUE(testsupport::Gui().WaitFor([] { return CStartupSplashWnd::GetSplash() == nullptr; }, 40000));
    EXPECT_FALSE(::IsWindow(hSplash));
}

}  // namespace
