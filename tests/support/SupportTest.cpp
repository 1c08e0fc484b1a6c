#include "PythonService.h"
#include "TempDir.h"
#include "Winsock.h"

#include <gtest/gtest.h>

#include <windows.h>

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
