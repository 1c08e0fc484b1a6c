// Scans through the virtual source that the test prefix has installed: the
// files the scan and pre-scan write, the scanner's message with the path,
// the choice of the scanner, and a scanner that is not there.
#include "ClientFixture.h"
#include "PictureFiles.h"

#include "GuiDriver.h"
#include "MainFrame.h"
#include "OmbrelleDoc.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace doctest {
namespace {

const char kSourceName[] = "Ombrelle Virtual Scanner";
// The virtual source's letter-size page at the scanner library's resolution.
std::string PageSize()
{
    return std::to_string(static_cast<int>(8.5 * TWScanner::kScanResolution)) + "x" +
           std::to_string(11 * TWScanner::kScanResolution);
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Records the paths of the scanner's WM_USER+0 as the main frame takes them
// from its queue.
class ScannedFiles {
public:
    explicit ScannedFiles(HWND hFrame) : m_hFrame(hFrame)
    {
        s_current = this;
        m_hook = ::SetWindowsHookExA(WH_GETMESSAGE, &ScannedFiles::Hook, NULL, ::GetCurrentThreadId());
    }
    ~ScannedFiles()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_current = nullptr;
    }

    std::vector<std::string> m_paths;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        if (code == HC_ACTION && wParam == PM_REMOVE && s_current != nullptr && msg->hwnd == s_current->m_hFrame &&
            msg->message == WM_USER + 0 && msg->wParam != 0)
            s_current->m_paths.push_back(reinterpret_cast<const char*>(msg->wParam));
        return ::CallNextHookEx(NULL, code, wParam, lParam);
    }

    static ScannedFiles* s_current;
    HWND m_hFrame;
    HHOOK m_hook;
};

ScannedFiles* ScannedFiles::s_current = nullptr;

class ScannerTest : public ClientFixture {
protected:
    void TearDown() override
    {
        ::SetEnvironmentVariableA("TWAINSOURCE_UNPLUGGED", NULL);
        ClientFixture::TearDown();
    }

    void Settings(const std::string& folder, const std::string& type)
    {
        WriteProfile("ScanFilePath", "FilePath", folder);
        WriteProfile("ScanFilePath", "FileType", type);
    }

    // Runs the client's message loop until the scanner has reported the
    // given number of files.
    bool WaitForFiles(ScannedFiles& files, size_t count)
    {
        return testsupport::Gui().WaitFor([&] {
            MSG msg;
            while (files.m_paths.size() < count && ::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
                if (!m_app.PreTranslateMessage(&msg)) {
                    ::TranslateMessage(&msg);
                    ::DispatchMessageA(&msg);
                }
            }
            return files.m_paths.size() >= count;
        }, 30000);
    }

    // The client's loop for a while, for what should not come.
    void RunLoop(DWORD milliseconds)
    {
        testsupport::Gui().WaitFor([&] {
            MSG msg;
            while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
                if (!m_app.PreTranslateMessage(&msg)) {
                    ::TranslateMessage(&msg);
                    ::DispatchMessageA(&msg);
                }
            }
            return false;
        }, milliseconds);
    }
};

struct FormatCase {
    const char* name;
    const char* type;
    const char* format;  // as ImageMagick names it
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }

const FormatCase kFormats[] = {
    {"Bmp", ".bmp", "BMP"},
    {"Jpeg", ".jpg", "JPEG"},
    {"Tiff", ".tif", "TIFF"},
};

class ScanFormatTest : public ScannerTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(ScanFormatTest, ScansGoIntoTheNextFreeNames)
{
    const FormatCase& c = GetParam();
    const std::string folder = m_files.Path() + "\\";
    // Somebody's file of the next number but one.
    ASSERT_TRUE(testsupport::WriteFileBytes(folder + "ScanPic00002" + c.type, "x"));
    Settings(folder, c.type);
    Start();
    ASSERT_TRUE(Frame()->m_bScannerReady);
    ScannedFiles files(Frame()->GetSafeHwnd());

    Doc()->ScanIntoNextFile();
    ASSERT_TRUE(WaitForFiles(files, 1));
    Doc()->ScanIntoNextFile();
    ASSERT_TRUE(WaitForFiles(files, 2));

    const std::vector<std::string> expected = {folder + "ScanPic00001" + c.type, folder + "ScanPic00003" + c.type};
    EXPECT_EQ(files.m_paths, expected);
    for (const std::string& path : expected) {
        const std::string identified = Identify(path);
        EXPECT_EQ(identified.rfind(c.format, 0), 0u) << identified;
        EXPECT_NE(identified.find(" " + PageSize()), std::string::npos) << identified;
    }
    EXPECT_EQ(testsupport::ReadFileBytes(folder + "ScanPic00002" + c.type), "x");
    EXPECT_EQ(Doc()->m_nScanCounter, 3);
}

INSTANTIATE_TEST_SUITE_P(Formats, ScanFormatTest, ::testing::ValuesIn(kFormats),
                         [](const ::testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

TEST_F(ScannerTest, PreScanScansThroughTheSourceDialogIntoNumberZero)
{
    const std::string folder = m_files.Path() + "\\";
    Settings(folder, ".jpg");
    Start();
    ScannedFiles files(Frame()->GetSafeHwnd());

    auto& dialog = testsupport::Gui().Expect("Virtual Scanner").Press(IDOK);
    Doc()->PreScanIntoNextFile();
    ASSERT_TRUE(WaitForFiles(files, 1));
    EXPECT_TRUE(dialog.Seen());
    EXPECT_EQ(files.m_paths, std::vector<std::string>{folder + "ScanPic00000.jpg"});
    EXPECT_NE(Identify(folder + "ScanPic00000.jpg").rfind("JPEG ", 0), std::string::npos);
    EXPECT_EQ(Doc()->m_nScanCounter, 0);
}

TEST_F(ScannerTest, ChoosingTheScannerShowsTheSourcesAndStartsTheScannerWhenNeeded)
{
    Start();
    ASSERT_TRUE(Frame()->m_bScannerReady);
    auto& first = testsupport::Gui().Expect("").SelectItem(1001, kSourceName).Press(IDOK);
    Doc()->SelectScanner();
    EXPECT_TRUE(first.Seen());

    // A scanner that went away is started again first.
    Frame()->m_scanner.Terminate();
    Frame()->m_bScannerReady = FALSE;
    auto& second = testsupport::Gui().Expect("").SelectItem(1001, kSourceName).Press(IDCANCEL);
    Doc()->SelectScanner();
    EXPECT_TRUE(second.Seen());
    EXPECT_TRUE(Frame()->m_bScannerReady);
}

TEST_F(ScannerTest, WithoutAScannerNothingHappensUntilOneIsThere)
{
    ::SetEnvironmentVariableA("TWAINSOURCE_UNPLUGGED", "1");
    const std::string folder = m_files.File("scans") + "\\";
    Settings(folder, ".bmp");
    Start();
    ASSERT_FALSE(Frame()->m_bScannerReady);
    ScannedFiles files(Frame()->GetSafeHwnd());

    // No message box and no dialog: the GUI driver fails the test on one.
    Doc()->ScanIntoNextFile();
    Doc()->PreScanIntoNextFile();
    Doc()->SelectScanner();
    RunLoop(300);
    EXPECT_FALSE(Frame()->m_bScannerReady);
    EXPECT_TRUE(files.m_paths.empty());
    EXPECT_EQ(Doc()->m_nScanCounter, 0);
    EXPECT_FALSE(Exists(folder));

    // Plugged in: the next scan starts the scanner and scans.
    ::SetEnvironmentVariableA("TWAINSOURCE_UNPLUGGED", NULL);
    Doc()->ScanIntoNextFile();
    ASSERT_TRUE(WaitForFiles(files, 1));
    EXPECT_TRUE(Frame()->m_bScannerReady);
    EXPECT_EQ(files.m_paths, std::vector<std::string>{folder + "ScanPic00001.bmp"});
    EXPECT_TRUE(Exists(folder + "ScanPic00001.bmp"));
}

}  // namespace
}  // namespace doctest
