// The application object: the order of pre-translation, the message loop
// with idle processing ending with the main window, modal loops, and the
// profile in the registry or the INI file.
#include "afxwin.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Registry.h"
#include "TempDir.h"

namespace {

std::vector<std::string> g_log;

class CLoggingWnd : public CWnd {
public:
    explicit CLoggingWnd(std::string name, UINT nEatKey = 0) : m_name(std::move(name)), m_nEatKey(nEatKey) {}
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN) {
            g_log.push_back(m_name);
            if (pMsg->wParam == m_nEatKey)
                return TRUE;
        }
        return FALSE;
    }

protected:
    afx_msg void OnKeyDown(UINT, UINT, UINT) { g_log.push_back(m_name + " keydown"); }
    afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM)
    {
        g_log.push_back(m_name + " idle update");
        return 0;
    }
    afx_msg LRESULT OnQuitNow(WPARAM, LPARAM)
    {
        DestroyWindow();
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    std::string m_name;
    UINT m_nEatKey;
};

BEGIN_MESSAGE_MAP(CLoggingWnd, CWnd)
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
    ON_MESSAGE(WM_USER + 1, OnQuitNow)
END_MESSAGE_MAP()

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("图片测试") {}
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            g_log.push_back("app");
        return CWinApp::PreTranslateMessage(pMsg);
    }
    BOOL OnIdle(LONG lCount) override
    {
        g_log.push_back("idle " + std::to_string(lCount));
        BOOL bMore = CWinApp::OnIdle(lCount);
        if (lCount == 1 && m_pMainWnd != nullptr)
            m_pMainWnd->PostMessage(WM_USER + 1);  // the main window closes itself
        return bMore;
    }
    // Pumps until the next keyboard message has been through.
    void PumpKey()
    {
        do
            ASSERT_TRUE(PumpMessage());
        while (m_msgCur.message != WM_KEYDOWN);
    }
    int ExitInstance() override { return 17; }
};

class WinAppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        ASSERT_TRUE(m_main.CreateEx(0, AfxRegisterWndClass(0), "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                    0, 0, 300, 200, nullptr, nullptr));
        ASSERT_TRUE(m_child.Create(nullptr, "child", WS_VISIBLE, CRect(0, 0, 100, 50), &m_main, 1));
        m_app.m_pMainWnd = &m_main;
    }
    void TearDown() override
    {
        if (m_main.m_hWnd != nullptr)
            m_main.DestroyWindow();
        m_app.m_pMainWnd = nullptr;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    CTestApp m_app;
    CLoggingWnd m_main{"main"};
    CLoggingWnd m_child{"child", VK_ESCAPE};
};

TEST_F(WinAppTest, PreTranslationGoesFromTheApplicationUpTheWindowTree)
{
    ::PostMessageA(m_child.m_hWnd, WM_KEYDOWN, 'A', 0);
    m_app.PumpKey();
    EXPECT_EQ(g_log, (std::vector<std::string>{"app", "child", "main", "child keydown"}));

    // A window that takes the message ends the walk and the message is not dispatched.
    g_log.clear();
    ::PostMessageA(m_child.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    m_app.PumpKey();
    EXPECT_EQ(g_log, (std::vector<std::string>{"app", "child"}));

    // A message for the thread, with no window, is still offered to the main window.
    g_log.clear();
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_KEYDOWN, 'B', 0);
    m_app.PumpKey();
    EXPECT_EQ(g_log, (std::vector<std::string>{"app", "main"}));
}

TEST_F(WinAppTest, RunIdlesThenEndsWhenTheMainWindowGoes)
{
    EXPECT_EQ(m_app.Run(), 17);
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    // The first idle pass updates the main window's and its children's
    // commands; the second asks for no more. A message in between (the GUI
    // driver's timer, when the machine is busy) starts idling anew.
    const std::vector<std::string> firstPass{"idle 0", "main idle update", "child idle update"};
    ASSERT_FALSE(g_log.empty());
    EXPECT_EQ(g_log.back(), "idle 1");
    ASSERT_EQ((g_log.size() - 1) % firstPass.size(), 0u) << ::testing::PrintToString(g_log);
    ASSERT_GE(g_log.size(), firstPass.size() + 1);
    for (size_t at = 0; at + 1 < g_log.size(); at += firstPass.size())
        EXPECT_EQ(std::vector<std::string>(g_log.begin() + at, g_log.begin() + at + firstPass.size()), firstPass);
}

// The loop is ended by a message that the first idle kick posts, so the
// kick is bound to come first however slowly the test runs (a timer set
// before the loop could fire before its queue was ever empty).
const UINT WM_END_LOOP = WM_APP + 1;

class CModalWnd : public CWnd {
public:
    int m_nKicks = 0;

protected:
    afx_msg LRESULT OnEndLoop(WPARAM, LPARAM)
    {
        EndModalLoop(7);
        return 0;
    }
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        if (++m_nKicks == 1)
            PostMessage(WM_END_LOOP);
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CModalWnd, CWnd)
    ON_MESSAGE(WM_END_LOOP, OnEndLoop)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

TEST(WndModalLoop, RunsUntilEndModalLoopAndKicksIdle)
{
    CModalWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "modal", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(wnd.RunModalLoop(), 7);
    EXPECT_GE(wnd.m_nKicks, 1);
    EXPECT_FALSE(wnd.ContinueModal());
    wnd.DestroyWindow();
}

const std::string kCompany = testsupport::ProcessUnique("OmbrelleAfxTest");

TEST(WinAppProfile, RegistryValuesLandUnderTheApplicationsKey)
{
    testsupport::DeleteRegKey(HKEY_CURRENT_USER, "Software\\" + kCompany);
    CTestApp app;
    app.SetRegistryKey(kCompany.c_str());
    const std::string section = "Software\\" + kCompany + "\\图片测试\\设置";

    EXPECT_TRUE(app.WriteProfileInt("设置", "次数", 5));
    EXPECT_TRUE(app.WriteProfileString("设置", "路径", "D:\\图片"));
    BYTE data[] = {0x12, 0x00, 0xFF};
    EXPECT_TRUE(app.WriteProfileBinary("设置", "数据", data, sizeof data));

    EXPECT_EQ(testsupport::ReadRegDword(HKEY_CURRENT_USER, section, "次数"), 5u);
    EXPECT_EQ(testsupport::ReadRegString(HKEY_CURRENT_USER, section, "路径"), std::string("D:\\图片"));

    EXPECT_EQ(app.GetProfileInt("设置", "次数", 0), 5u);
    EXPECT_STREQ(app.GetProfileString("设置", "路径"), "D:\\图片");
    EXPECT_EQ(app.GetProfileInt("设置", "没有", 9), 9u);
    EXPECT_STREQ(app.GetProfileString("设置", "没有", "缺省"), "缺省");
    // A value of another type is not taken for an integer.
    EXPECT_EQ(app.GetProfileInt("设置", "路径", 3), 3u);

    LPBYTE pRead = nullptr;
    UINT nRead = 0;
    ASSERT_TRUE(app.GetProfileBinary("设置", "数据", &pRead, &nRead));
    ASSERT_EQ(nRead, sizeof data);
    EXPECT_EQ(memcmp(pRead, data, sizeof data), 0);
    delete[] pRead;

    EXPECT_TRUE(app.WriteProfileString("设置", "路径", nullptr));
    EXPECT_FALSE(testsupport::ReadRegString(HKEY_CURRENT_USER, section, "路径").has_value());
    EXPECT_TRUE(app.WriteProfileString("设置", nullptr, nullptr));
    EXPECT_FALSE(testsupport::ReadRegDword(HKEY_CURRENT_USER, section, "次数").has_value());

    testsupport::DeleteRegKey(HKEY_CURRENT_USER, "Software\\" + kCompany);
}

TEST(WinAppProfile, WithoutRegistryKeyTheIniFileHoldsTheValues)
{
    testsupport::TempDir dir;
    std::string iniPath = dir.Path() + "\\profile.ini";
    CTestApp app;
    free((void*)app.m_pszProfileName);
    app.m_pszProfileName = _strdup(iniPath.c_str());

    EXPECT_TRUE(app.WriteProfileInt("Settings", "Count", -3));
    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", "名字"));
    BYTE data[] = {0x12, 0xA0};
    EXPECT_TRUE(app.WriteProfileBinary("Settings", "Data", data, sizeof data));

    EXPECT_EQ((int)app.GetProfileInt("Settings", "Count", 0), -3);
    EXPECT_STREQ(app.GetProfileString("Settings", "Name"), "名字");
    LPBYTE pRead = nullptr;
    UINT nRead = 0;
    ASSERT_TRUE(app.GetProfileBinary("Settings", "Data", &pRead, &nRead));
    ASSERT_EQ(nRead, 2u);
    EXPECT_EQ(pRead[0], 0x12);
    EXPECT_EQ(pRead[1], 0xA0);
    delete[] pRead;

    std::ifstream file(iniPath, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    // Each byte as two letters, the low half first.
    EXPECT_NE(text.str().find("Data=CBAK"), std::string::npos) << text.str();
}

}  // namespace
