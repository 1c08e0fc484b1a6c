#include "Process.h"
#include "PythonService.h"
#include "TempDir.h"
#include "Winsock.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

using namespace testsupport;

TEST(TempDir, RemovesEverythingItHolds)
{
    std::string path;
    {
        TempDir folder;
        path = folder.Path();
        ASSERT_TRUE(CreateDirectoryA(folder.File("子目录").c_str(), nullptr));
        ASSERT_TRUE(WriteFileBytes(folder.File("子目录\\图片.jpg"), "abc"));
        ASSERT_TRUE(WriteFileBytes(folder.File("readonly.txt"), "x"));
        SetFileAttributesA(folder.File("readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ("abc", ReadFileBytes(folder.File("子目录\\图片.jpg")));
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
}

namespace {

bool Accepts(int port)
{
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = LoopbackAddress(port);
    const bool connected = connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    closesocket(probe);
    return connected;
}

}  // namespace

TEST(PythonService, ServesUntilDestroyed)
{
    auto service = std::make_unique<PythonService>("testsvc/http_server.py", std::vector<std::string>{"/tmp"});
    const int port = service->Port();
    ASSERT_GT(port, 0);
    EXPECT_TRUE(Accepts(port));

    service.reset();
    EXPECT_FALSE(Accepts(port));
}

TEST(PythonService, ReportsAHelperThatCannotStartItsService)
{
    try {
        PythonService service("testsvc/ftp_server.py", {"only-one-argument"});
        FAIL() << "the helper came up";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string::npos, std::string(error.what()).find("ftp_server.py failed: ERROR")) << error.what();
    }
}

TEST(PythonService, AnswersEachCommandWithOneLine)
{
    PythonService service("backend/server.py", {});
    EXPECT_EQ("0", service.Command("count"));
    EXPECT_EQ("OK", service.Command("reply\tCheckLogin\t1 "));
    EXPECT_EQ("ERROR unknown command no-such-command", service.Command("no-such-command\twith\targuments"));
    // A failing command leaves the channel in step.
    EXPECT_EQ("0", service.Command("count"));
}

// Programs running side by side would take each other's foreground and focus
// on a shared desktop; run-gtest starts each test on one of its own, which
// the processes it starts share.
namespace {

std::string ThreadDesktopName()
{
    char name[256] = "";
    GetUserObjectInformationA(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name, sizeof name, nullptr);
    return name;
}

}  // namespace

TEST(OwnDesktopChild, DISABLED_PrintsItsDesktop) { std::printf("desktop <%s>\n", ThreadDesktopName().c_str()); }

TEST(OwnDesktop, EachTestRunsOnADesktopOfItsOwnThatItsProcessesShare)
{
    const std::string mine = ThreadDesktopName();
    EXPECT_EQ(mine.rfind("ombt-", 0), 0u) << mine;

    HWND window = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(GetForegroundWindow(), window);
    DestroyWindow(window);

    const ProcessResult child = RunProcess(QuoteArgument(ThisExecutable()) +
                                           " --gtest_also_run_disabled_tests --gtest_filter=OwnDesktopChild.*");
    EXPECT_NE(child.output.find("desktop <" + mine + ">"), std::string::npos) << child.output;
}
