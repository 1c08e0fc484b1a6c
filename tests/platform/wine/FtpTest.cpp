#include "PythonService.h"
#include "TempDir.h"
#include "WinePath.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <wininet.h>

using namespace testsupport;

TEST(WinInetFtp, PutsAFileIntoANewFolderUnchanged)
{
    TempDir server;
    TempDir local;
    std::string bytes;
    for (int i = 0; i < 4096; ++i)
        bytes += char(i * 7 % 256);  // every byte value, CR and LF among them
    ASSERT_TRUE(WriteFileBytes(local.File("pic.jpg"), bytes));
    PythonService ftp("testsvc/ftp_server.py", {UnixPath(server.Path()), "uploader", "secret"});

    HINTERNET internet = InternetOpenA("Ombrelle test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    ASSERT_NE(nullptr, internet);
    HINTERNET session = InternetConnectA(internet, "127.0.0.1", INTERNET_PORT(ftp.Port()), "uploader", "secret",
                                         INTERNET_SERVICE_FTP, INTERNET_FLAG_PASSIVE, 0);
    ASSERT_NE(nullptr, session) << GetLastError();
    EXPECT_TRUE(FtpCreateDirectoryA(session, "Asset"));
    EXPECT_TRUE(FtpPutFileA(session, local.File("pic.jpg").c_str(), "Asset/pic.jpg", FTP_TRANSFER_TYPE_BINARY, 0))
        << GetLastError();
    InternetCloseHandle(session);

    HINTERNET refused = InternetConnectA(internet, "127.0.0.1", INTERNET_PORT(ftp.Port()), "uploader", "wrong",
                                         INTERNET_SERVICE_FTP, INTERNET_FLAG_PASSIVE, 0);
    EXPECT_EQ(nullptr, refused);
    InternetCloseHandle(internet);

    EXPECT_EQ(bytes, ReadFileBytes(server.File("Asset\\pic.jpg")));
}
