// The client's driver of the FTP component: the engine's hand-over moves the
// files; a missing component is reported once, a failing call is logged, and
// nothing escapes to the caller.
#include "ClientFixture.h"

#include "FtpComponentDriver.h"
#include "GuiDriver.h"
#include "PythonService.h"
#include "TempDir.h"
#include "WinePath.h"

#include <gtest/gtest.h>

#include <string>

namespace uploadtest {
namespace {

using testsupport::Gui;

class FtpComponentDriverTest : public doctest::ClientFixture {
protected:
    // Polls until the task ends, or a generous limit passes.
    static short WaitForEnd(CFtpComponentDriver& driver, LPCTSTR lpszTask)
    {
        short nState = 0;
        for (int round = 0; round < 6000; ++round) {
            nState = driver.GetTaskState(lpszTask);
            if (nState == 0 || nState == -2)
                break;
            ::Sleep(10);
        }
        return nState;
    }
};

TEST_F(FtpComponentDriverTest, TheEnginesHandOverMovesTheFiles)
{
    Start();
    testsupport::TempDir server;
    testsupport::PythonService ftp("testsvc/ftp_server.py", {testsupport::UnixPath(server.Path()), "up", "pw"});
    const std::string main(300000, 'm'), web(5000, 'w');
    ASSERT_TRUE(testsupport::WriteFileBytes(m_files.File("a.jpg"), main));
    ASSERT_TRUE(testsupport::WriteFileBytes(m_files.File("web_a.jpg"), web));
    const std::string host = "127.0.0.1:" + std::to_string(ftp.Port());
    const std::string local = m_files.File("a.jpg") + "|" + m_files.File("web_a.jpg");

    CFtpComponentDriver driver;
    ASSERT_TRUE(driver.CreateComponent());
    EXPECT_TRUE(driver.IsReady());
    driver.SetOptions("");
    driver.CreateTask("000070000000042", FALSE, 0);
    driver.SetTransfer(host.c_str(), 21, "up", "pw",
                       "/s/Category7/Asset/2026/Dec/09/asset000070000000042.jpg|"
                       "/s/Category7/Accessory0/2026/Dec/09/asset000070000000042_web.jpg",
                       local.c_str());
    driver.StartTasks();
    ASSERT_EQ(0, WaitForEnd(driver, "000070000000042"));
    EXPECT_EQ(main, testsupport::ReadFileBytes(
                        server.File("s\\Category7\\Asset\\2026\\Dec\\09\\asset000070000000042.jpg")));
    EXPECT_EQ(web, testsupport::ReadFileBytes(
                       server.File("s\\Category7\\Accessory0\\2026\\Dec\\09\\asset000070000000042_web.jpg")));
    driver.DeleteTask("000070000000042");
    EXPECT_EQ(-1, driver.GetTaskState("000070000000042"));
}

TEST_F(FtpComponentDriverTest, AMissingComponentIsReportedOnceAndLaterCallsDoNoHarm)
{
    Start();
    auto& message = Gui().Expect("").Press(IDOK);
    CFtpComponentDriver driver;
    EXPECT_FALSE(driver.CreateComponent("FtpCom.NoSuchObject"));
    EXPECT_TRUE(message.HasText("无法创建FTP上传组件"));
    // No second box: an unexpected one would fail the test.
    EXPECT_FALSE(driver.CreateComponent("FtpCom.NoSuchObject"));
    driver.CreateTask("t", FALSE, 0);
    driver.SetTransfer("127.0.0.1", 21, "u", "p", "/a", "C:\\a");
    driver.StartTasks();
    EXPECT_EQ(-2, driver.GetTaskState("t"));
    EXPECT_FALSE(driver.IsReady());
}

TEST_F(FtpComponentDriverTest, ACallTheComponentRefusesIsLoggedAndGoesNoFurther)
{
    Start();
    CFtpComponentDriver driver;
    ASSERT_TRUE(driver.CreateComponent());
    // Without a task there is nothing to add the transfer to.
    driver.SetTransfer("127.0.0.1", 21, "u", "p", "/refused-by-the-component", "C:\\a");
    driver.SetOptions("no-such-option");
    char szProgram[MAX_PATH] = {0};
    ::GetModuleFileNameA(NULL, szProgram, MAX_PATH);
    std::string log = szProgram;
    log = log.substr(0, log.rfind('\\')) + "\\Log\\ERRORR.Log";
    const std::string logged = testsupport::ReadFileBytes(log);
    EXPECT_NE(std::string::npos, logged.find("FTP component SetTransfer")) << log;
    EXPECT_NE(std::string::npos, logged.find("FTP component SetOptions")) << log;
}

}  // namespace
}  // namespace uploadtest
