// The automatic scan dialog against a frame that counts its scan requests
// and answers them as the main frame does once the scanned file is there;
// then the real main frame's part: the scanned file's message and command
// 32781.
#include "AutoScanDlg.h"
#include "MainFrame.h"

#include <commctrl.h>

#include "General.h"
#include "GuiDriver.h"
#include "ScanTestApp.h"
#include "StartupSplashWnd.h"
#include "TempDir.h"
#include "WhenShown.h"
#include "ClassObjectTurn.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace scantest {

using testsupport::Click;
using testsupport::ItemText;
using testsupport::WhenShown;
namespace {

using testsupport::Gui;

const char kCaption[] = "平板自动扫描";
const char kDeviceScanned[] = "D:\\scan\\ScanPic00007.jpg";

// Every text the status line is given, in order.
std::vector<std::string>* g_pStatusLog = nullptr;
WNDPROC g_oldStatusProc = nullptr;

LRESULT CALLBACK StatusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT && g_pStatusLog != nullptr)
        g_pStatusLog->push_back(reinterpret_cast<const char*>(lParam));
    return ::CallWindowProcA(g_oldStatusProc, window, message, wParam, lParam);
}

void WatchStatus(HWND dialog, std::vector<std::string>* pLog)
{
    g_pStatusLog = pLog;
    g_oldStatusProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        ::GetDlgItem(dialog, IDC_AUTO_SCAN_STATUS), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StatusProc)));
}

// Stands in for the main window: hands each scan request to the test.
class CRequestFrame : public CFrameWnd {
public:
    std::function<void(WPARAM)> onRequest;

protected:
    afx_msg LRESULT OnRequest(WPARAM wParam, LPARAM)
    {
        if (onRequest)
            onRequest(wParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRequestFrame, CFrameWnd)
    ON_MESSAGE(WM_AUTOSCAN_REQUEST, OnRequest)
END_MESSAGE_MAP()

class AutoScanTest : public ScanTest {
protected:
    void SetUp() override
    {
        ScanTest::SetUp();
        m_pFrame = new CRequestFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, "scan requests"));
        m_app.m_pMainWnd = m_pFrame;
    }

    void TearDown() override
    {
        g_pStatusLog = nullptr;
        m_app.m_pMainWnd = nullptr;
        if (m_pFrame != nullptr)
            m_pFrame->DestroyWindow();
        ScanTest::TearDown();
    }

    // Runs the dialog: types the interval, presses start, and logs every
    // status text and request until the handler closes the dialog.
    void Run(const char* pszInterval, std::function<void(WPARAM)> onRequest)
    {
        m_pFrame->onRequest = [this, onRequest](WPARAM wParam) {
            m_log.push_back("request " + std::to_string(wParam));
            onRequest(wParam);
        };
        WhenShown start(kCaption, [&](HWND window) {
            WatchStatus(window, &m_log);
            ::SetDlgItemTextA(window, IDC_AUTO_SCAN_INTERVAL, pszInterval);
            Click(window, IDC_AUTO_SCAN_START);
        });
        EXPECT_EQ(m_dlg.DoModal(), IDCANCEL);
        EXPECT_TRUE(start.Done());
    }

    void Close() { m_dlg.PostMessage(WM_COMMAND, IDCANCEL); }

    // Gives a timer that should be dead the time to show that it is not.
    static void Linger() { Gui().WaitFor([] { return false; }, 2500); }

    CRequestFrame* m_pFrame = nullptr;
    CAutoScanDlg m_dlg;
    std::vector<std::string> m_log;
};

TEST_F(AutoScanTest, ThreeScansEachAfterItsCountdown)
{
    int nRequests = 0;
    int nRangeLow = 0, nRangeHigh = 0;
    std::string strButton;
    Run("2", [&](WPARAM) {
        if (++nRequests == 1) {
            ::SendDlgItemMessageA(m_dlg.GetSafeHwnd(), IDC_AUTO_SCAN_SPIN, UDM_GETRANGE32,
                                  reinterpret_cast<WPARAM>(&nRangeLow), reinterpret_cast<LPARAM>(&nRangeHigh));
            strButton = ItemText(m_dlg.GetSafeHwnd(), IDC_AUTO_SCAN_START);
        }
        // The scanned file arrives later, as the scanner library posts it.
        if (nRequests < 3)
            m_dlg.PostMessage(WM_AUTOSCAN_NEXT);
        else
            Close();
    });

    const std::vector<std::string> expected = {
        "倒数1秒后开始扫描", "倒数0秒后开始扫描", "request 0",  //
        "倒数1秒后开始扫描", "倒数0秒后开始扫描", "request 1",  //
        "倒数1秒后开始扫描", "倒数0秒后开始扫描", "request 1",
    };
    EXPECT_EQ(m_log, expected);
    // The typed interval stays although the spinner goes from 5 to 25 only.
    EXPECT_EQ(nRangeLow, 5);
    EXPECT_EQ(nRangeHigh, 25);
    EXPECT_EQ(strButton, "停止");
    EXPECT_FALSE(m_dlg.IsRunning());
}

struct IntervalCase {
    const char* name;
    const char* interval;
    std::vector<std::string> before;  // status texts before the first request
};

void PrintTo(const IntervalCase& c, std::ostream* os) { *os << c.name; }

const IntervalCase kIntervalCases[] = {
    {"NotANumberCountsAsZero", "abc", {}},
    {"Zero", "0", {}},
    {"Negative", "-3", {}},
    {"One", "1", {"倒数0秒后开始扫描"}},
    {"Three", "3", {"倒数2秒后开始扫描", "倒数1秒后开始扫描", "倒数0秒后开始扫描"}},
    {"LeadingDigitsCount", "2s", {"倒数1秒后开始扫描", "倒数0秒后开始扫描"}},
};

class AutoScanIntervalTest : public AutoScanTest, public ::testing::WithParamInterface<IntervalCase> {};

TEST_P(AutoScanIntervalTest, FirstRequestComesAfterTheCountdownOfTheTypedInterval)
{
    const IntervalCase& c = GetParam();
    Run(c.interval, [&](WPARAM) { Close(); });

    std::vector<std::string> expected = c.before;
    expected.push_back("request 0");
    EXPECT_EQ(m_log, expected);
}

INSTANTIATE_TEST_SUITE_P(Table, AutoScanIntervalTest, ::testing::ValuesIn(kIntervalCases),
                         [](const ::testing::TestParamInfo<IntervalCase>& info) { return info.param.name; });

TEST_F(AutoScanTest, ClosingDuringTheCountdownEndsTheRun)
{
    WhenShown start(kCaption, [&](HWND window) {
        ::SetDlgItemTextA(window, IDC_AUTO_SCAN_INTERVAL, "1");
        Click(window, IDC_AUTO_SCAN_START);
        WatchStatus(window, &m_log);
    });
    // Closes as soon as the countdown shows; the request would follow a tick later.
    WhenShown close(
        [&](HWND window) { return ItemText(window, IDC_AUTO_SCAN_STATUS) == "倒数0秒后开始扫描"; },
        [&](HWND window) { Click(window, IDCANCEL); });
    m_pFrame->onRequest = [&](WPARAM) { m_log.push_back("request"); };
    EXPECT_EQ(m_dlg.DoModal(), IDCANCEL);
    Linger();

    EXPECT_TRUE(close.Done());
    EXPECT_EQ(m_log, std::vector<std::string>{"倒数0秒后开始扫描"});
    EXPECT_FALSE(m_dlg.IsRunning());
}

HWND g_hClosingDialog = NULL;

TEST_F(AutoScanTest, FileArrivingAfterStopStartsNoCountdown)
{
    g_hClosingDialog = NULL;
    std::string strButton;
    Run("0", [&](WPARAM) {
        if (g_hClosingDialog != NULL)
            return;
        g_hClosingDialog = m_dlg.GetSafeHwnd();
        Click(g_hClosingDialog, IDC_AUTO_SCAN_START);  // now "停止": stops the run
        m_dlg.SendMessage(WM_AUTOSCAN_NEXT);          // the file that was on its way
        strButton = ItemText(g_hClosingDialog, IDC_AUTO_SCAN_START);
        // Closes once a wrongly restarted countdown would have asked again.
        ::SetTimer(NULL, 0, 2500, [](HWND, UINT, UINT_PTR timer, DWORD) {
            ::KillTimer(NULL, timer);
            if (::IsWindow(g_hClosingDialog))
                ::PostMessageA(g_hClosingDialog, WM_COMMAND, IDCANCEL, 0);
        });
    });

    // The status already shows the idle text, so stopping leaves it as it is.
    EXPECT_EQ(m_log, std::vector<std::string>{"request 0"});
    EXPECT_EQ(m_dlg.m_bLaterScan, 0);
    EXPECT_EQ(strButton, "开始");
}

// The real main frame: its scanned-file message restarts the countdown of a
// run that is going, and of no other.
class MainFrameScanTest : public ScanTest {
protected:
    void SetUp() override
    {
        ScanTest::SetUp();
        m_pFrame = new CMainFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME, 0x00CF8000));
        m_app.m_pMainFrame = m_pFrame;
        m_app.m_pMainWnd = m_pFrame;
    }

    void TearDown() override
    {
        if (m_pFrame != nullptr)
            m_pFrame->DestroyWindow();
        m_app.m_pMainFrame = nullptr;
        m_app.m_pMainWnd = nullptr;
        ScanTest::TearDown();
    }

    void ScannedFile(const char* pszPath)
    {
        m_pFrame->SendMessage(WM_USER + 0, reinterpret_cast<WPARAM>(pszPath));
    }

    CMainFrame* m_pFrame = nullptr;
};

TEST_F(MainFrameScanTest, ScannedFileRestartsOnlyARunThatAskedAndIsGoing)
{
    CAutoScanDlg& dlg = m_pFrame->m_autoScanDlg;
    struct Seen {
        int nLaterScan;
        int nSecondsLeft;
    };
    std::vector<Seen> seen;
    auto look = [&] { seen.push_back({dlg.m_bLaterScan, dlg.m_nSecondsLeft}); };

    WhenShown run(kCaption, [&](HWND window) {
        // A long interval: no request reaches the document during the test.
        ::SetDlgItemTextA(window, IDC_AUTO_SCAN_INTERVAL, "25");
        Click(window, IDC_AUTO_SCAN_START);
        dlg.m_nSecondsLeft = 7;

        // Running, but the dialog has asked for no scan yet.
        ScannedFile(kDeviceScanned);
        look();
        // Running and waiting for the scan it asked for.
        m_pFrame->m_bAutoScanning = TRUE;
        ScannedFile(kDeviceScanned);
        look();
        // Stopped.
        Click(window, IDC_AUTO_SCAN_START);
        dlg.m_bLaterScan = 0;
        dlg.m_nSecondsLeft = 7;
        ScannedFile(kDeviceScanned);
        look();
        ScannedFile(nullptr);
        Click(window, IDCANCEL);
    });
    m_pFrame->SendMessage(WM_COMMAND, ID_AUTO_SCAN);

    ASSERT_TRUE(run.Done());
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].nLaterScan, 0);
    EXPECT_EQ(seen[0].nSecondsLeft, 7);
    EXPECT_EQ(seen[1].nLaterScan, 1);
    EXPECT_EQ(seen[1].nSecondsLeft, 25);
    EXPECT_EQ(seen[2].nLaterScan, 0);
    EXPECT_EQ(seen[2].nSecondsLeft, 7);

    // Closing the dialog ends automatic scanning; a file that comes later
    // reaches no dialog.
    EXPECT_FALSE(m_pFrame->m_bAutoScanning);
    ScannedFile(kDeviceScanned);
    EXPECT_EQ(dlg.m_bLaterScan, 0);
    EXPECT_EQ(dlg.GetSafeHwnd(), (HWND)NULL);
}

// The whole loop in the started client: the dialog asks, the document scans
// through the virtual source, the scanner's message restarts the countdown.
class AutoScanClientTest : public ::testing::Test {
protected:
    std::string ProfileKey() const
    {
        return std::string("Software\\Local AppWizard-Generated Applications\\") + m_app.m_pszAppName;
    }
    static std::string ClassesKey() { return testsupport::ProcessUnique("Software\\OmbrelleScanDialogsTestClasses"); }

    void SetUp() override
    {
        // A profile of its own: the application's name names its key.
        std::free(const_cast<char*>(m_app.m_pszAppName));
        m_app.m_pszAppName = _strdup(testsupport::ProcessUnique("ombrelle_scandlg_tests_").c_str());
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, ProfileKey());
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, ClassesKey());
    }

    void TearDown() override
    {
        if (m_app.m_pMainFrame != nullptr)
            m_app.m_pMainFrame->DestroyWindow();
        m_app.m_pMainFrame = nullptr;
        m_app.m_pMainWnd = nullptr;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, ClassesKey());
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, ProfileKey());
    }

    void Start()
    {
        // The start-up's registration goes to a private key.
        HKEY hClasses = NULL;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, ClassesKey().c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                    &hClasses, NULL),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegOverridePredefKey(HKEY_CLASSES_ROOT, hClasses), ERROR_SUCCESS);
        BOOL bStarted = testsupport::StartUpInProcess(m_app);
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, NULL);
        ::RegCloseKey(hClasses);
        ASSERT_TRUE(bStarted);
        if (CStartupSplashWnd::GetSplash() != NULL)
            CStartupSplashWnd::GetSplash()->HideSplash();
        // The start-up's temp folder beside the program is shared with the
        // test programs running beside this one.
        GenSetTempFolder(m_temp.Path().c_str());
    }

    COmbrelleApp m_app;
    testsupport::TempDir m_temp;
    testsupport::TempDir m_files;
};

TEST_F(AutoScanClientTest, ThreeScansOfARunBecomeThreeFiles)
{
    const std::string folder = m_files.Path() + "\\";
    auto scanned = [&](int n) {
        char szName[32];
        std::snprintf(szName, sizeof(szName), "ScanPic%05d.jpg", n);
        return ::GetFileAttributesA((folder + szName).c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    ASSERT_TRUE(testsupport::WriteRegString(HKEY_CURRENT_USER, ProfileKey() + "\\ScanFilePath", "FilePath", folder));
    ASSERT_TRUE(testsupport::WriteRegString(HKEY_CURRENT_USER, ProfileKey() + "\\ScanFilePath", "FileType", ".jpg"));
    Start();
    CMainFrame* pFrame = m_app.m_pMainFrame;
    ASSERT_NE(pFrame, nullptr);
    ASSERT_TRUE(pFrame->m_bScannerReady);

    WhenShown run(kCaption, [&](HWND window) {
        ::SetDlgItemTextA(window, IDC_AUTO_SCAN_INTERVAL, "1");
        Click(window, IDC_AUTO_SCAN_START);
    });
    // Closed as soon as the third file is there: a fourth request would
    // need the third file's message and a countdown after it.
    WhenShown close([&](HWND window) { return WhenShown::Caption(kCaption)(window) && scanned(3); },
                    [&](HWND window) { Click(window, IDCANCEL); });
    pFrame->SendMessage(WM_COMMAND, ID_AUTO_SCAN);

    EXPECT_TRUE(close.Done());
    EXPECT_TRUE(scanned(1));
    EXPECT_TRUE(scanned(2));
    EXPECT_TRUE(scanned(3));
    EXPECT_FALSE(scanned(4));
    EXPECT_FALSE(pFrame->m_bAutoScanning);
}

}  // namespace
}  // namespace scantest
