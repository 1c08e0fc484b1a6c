#include "Lectorix.h"

#include "GuiDriver.h"
#include "TempDir.h"
#include "WinePath.h"
#include "../../../tools/twainsource/VirtualSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

using testsupport::Gui;
using testsupport::TempDir;

namespace {

const char kSourceName[] = "Ombrelle Virtual Scanner";

// The state as callers outside the library read it: the fourth 32-bit field.
int StateField(const TWScanner& scanner)
{
    return reinterpret_cast<const int*>(&scanner)[3];
}

bool ManagerLoaded()
{
    return ::GetModuleHandleA("twain_32.dll") != NULL || ::GetModuleHandleA("TWAINDSM.dll") != NULL;
}

// Other test programs may show the same dialog at the same time.
bool ThreadHasWindow(const char* caption)
{
    struct Search {
        const char* caption;
        bool found;
    } search = {caption, false};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            Search* search = reinterpret_cast<Search*>(lParam);
            char text[64] = "";
            ::GetWindowTextA(hWnd, text, sizeof(text));
            if (strcmp(text, search->caption) == 0)
                search->found = true;
            return !search->found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class OwnerWindow {
public:
    OwnerWindow() : m_hWnd(::CreateWindowA("STATIC", "owner", WS_OVERLAPPED, 0, 0, 10, 10, NULL, NULL, NULL, NULL)) {}
    ~OwnerWindow() { ::DestroyWindow(m_hWnd); }
    HWND m_hWnd;
};

// In the main frame's place: a window that gets the scanner's two messages and
// reads the path while it handles the first.
class ScanTarget {
public:
    struct Message {
        UINT id;
        std::string path;
    };

    ScanTarget()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &ScanTarget::WindowProc;
        windowClass.hInstance = ::GetModuleHandleA(NULL);
        windowClass.lpszClassName = "LectorixScanTarget";
        ::RegisterClassA(&windowClass);
        m_hWnd = ::CreateWindowA("LectorixScanTarget", "scan target", WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL,
                                 windowClass.hInstance, this);
    }
    ~ScanTarget() { ::DestroyWindow(m_hWnd); }

    // Pumps the thread's messages as the client's frame does (offering each
    // to the scanner while its state is above 3) until the scanner's second
    // message has come or the time is up.
    bool PumpUntilListed(TWScanner& scanner) { return Pump(scanner, [this] { return Listed(); }); }

    bool Pump(TWScanner& scanner, const std::function<bool()>& done, DWORD timeoutMs = 30000)
    {
        DWORD start = ::GetTickCount();
        while (!done()) {
            if (::GetTickCount() - start > timeoutMs)
                return false;
            MSG msg;
            if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
                ::MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
                continue;
            }
            if (m_hold && msg.hwnd == m_hWnd && (msg.message == WM_USER + 0 || msg.message == WM_USER + 1000)) {
                m_held.push_back(msg);
                continue;
            }
            m_highestState = std::max(m_highestState, StateField(scanner));
            // The class library offers the frame window messages only.
            if (msg.hwnd != NULL && StateField(scanner) > 3 && scanner.ProcessMessage(&msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        return true;
    }

    bool Listed() const
    {
        return std::any_of(m_messages.begin(), m_messages.end(),
                           [](const Message& message) { return message.id == WM_USER + 1000; });
    }

    // A busy owner: its scanner messages wait in m_held until the test
    // dispatches them.
    bool HeldListed(size_t count) const
    {
        return std::count_if(m_held.begin(), m_held.end(),
                             [](const MSG& msg) { return msg.message == WM_USER + 1000; }) == static_cast<std::ptrdiff_t>(count);
    }

    HWND m_hWnd;
    std::vector<Message> m_messages;
    int m_highestState = 0;
    bool m_hold = false;
    std::vector<MSG> m_held;

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
            ::SetWindowLongPtrA(hWnd, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        ScanTarget* self = reinterpret_cast<ScanTarget*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (self != NULL && message == WM_USER + 0)
            self->m_messages.push_back({message, reinterpret_cast<const char*>(wParam)});
        else if (self != NULL && message == WM_USER + 1000)
            self->m_messages.push_back({message, std::string()});
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
};

// What ImageMagick's identify reads from a picture.
struct Identified {
    bool read = false;
    std::string format;
    int width = 0;
    int height = 0;
    double xDpi = 0;
    double yDpi = 0;
};

// identify is a host program: it runs through the shell, writes its answer
// to a file and renames it when done, since a host child gives Wine no
// handle to wait on.
Identified Identify(const std::string& picture, const TempDir& dir)
{
    Identified result;
    std::string answer = dir.File("identified.txt");
    std::string script = "identify -units PixelsPerInch -format '%m %w %h %x %y' '" +
                         testsupport::UnixPath(picture) + "' > '" + testsupport::UnixPath(answer) + ".tmp' 2>&1; mv '" +
                         testsupport::UnixPath(answer) + ".tmp' '" + testsupport::UnixPath(answer) + "'";
    std::string command = "Z:\\bin\\sh -c \"" + script + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    if (!::CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return result;
    if (process.hProcess != NULL)
        ::CloseHandle(process.hProcess);
    if (process.hThread != NULL)
        ::CloseHandle(process.hThread);
    for (int i = 0; i < 600 && ::GetFileAttributesA(answer.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        ::Sleep(50);
    // "FORMAT WIDTH HEIGHT XRES YRES", the resolutions perhaps followed by
    // their unit.
    std::string text = testsupport::ReadFileBytes(answer);
    std::istringstream words(text);
    std::vector<double> numbers;
    std::string word;
    words >> result.format;
    while (words >> word) {
        char* end = nullptr;
        double number = std::strtod(word.c_str(), &end);
        if (end != word.c_str() && *end == '\0')
            numbers.push_back(number);
    }
    result.read = !result.format.empty() && numbers.size() == 4;
    if (result.read) {
        result.width = static_cast<int>(numbers[0]);
        result.height = static_cast<int>(numbers[1]);
        result.xDpi = numbers[2];
        result.yDpi = numbers[3];
    }
    if (!result.read)
        ADD_FAILURE() << "identify said: " << text;
    return result;
}

int Pixels(double inches, int dpi)
{
    return static_cast<int>(std::floor(inches * dpi + 0.5));
}

}  // namespace

TEST(Lectorix, InitializeOpensTheSourceManager)
{
    OwnerWindow owner;
    ASSERT_NE(nullptr, owner.m_hWnd);
    TWScanner scanner;
    EXPECT_EQ(1, StateField(scanner));

    ASSERT_EQ(1, scanner.Initialize(owner.m_hWnd));
    EXPECT_EQ(3, StateField(scanner));
    EXPECT_EQ(3, scanner.GetState());
    // The manager is a loaded module while it is open.
    EXPECT_TRUE(ManagerLoaded());

    // Asking again while open keeps the session.
    EXPECT_EQ(1, scanner.Initialize(owner.m_hWnd));
    EXPECT_EQ(3, StateField(scanner));

    scanner.Terminate();
    EXPECT_EQ(1, StateField(scanner));
    EXPECT_FALSE(ManagerLoaded());

    // A new session after the end.
    EXPECT_EQ(1, scanner.Initialize(owner.m_hWnd));
    EXPECT_EQ(3, StateField(scanner));
}

TEST(Lectorix, TakesNoMessagesWithoutAnEnabledSource)
{
    OwnerWindow owner;
    TWScanner scanner;
    ASSERT_EQ(1, scanner.Initialize(owner.m_hWnd));

    MSG msg = {};
    msg.hwnd = owner.m_hWnd;
    msg.message = WM_MOUSEMOVE;
    EXPECT_FALSE(scanner.ProcessMessage(&msg));
}

// The scanner unplugged: the manager opens but lists no source, which is no
// scanner; the client retries later, and then it is there.
TEST(Lectorix, InitializeFailsWithoutASourceAndSucceedsOnceOneIsThere)
{
    ScanTarget target;
    TempDir dir;
    TWScanner scanner;

    ASSERT_TRUE(::SetEnvironmentVariableA("TWAINSOURCE_UNPLUGGED", "1"));
    EXPECT_EQ(0, scanner.Initialize(target.m_hWnd));
    EXPECT_EQ(1, StateField(scanner));
    EXPECT_FALSE(ManagerLoaded());
    scanner.SetImagePath(dir.File("ScanPic00001.bmp").c_str());
    EXPECT_EQ(0, scanner.Scan());
    EXPECT_EQ(0, scanner.SelScanner());

    ASSERT_TRUE(::SetEnvironmentVariableA("TWAINSOURCE_UNPLUGGED", NULL));
    ASSERT_EQ(1, scanner.Initialize(target.m_hWnd));
    ASSERT_EQ(1, scanner.Scan());
    ASSERT_TRUE(target.PumpUntilListed(scanner));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(dir.File("ScanPic00001.bmp").c_str()));
}

TEST(Lectorix, TheChoiceListsTheSourceAndKeepsWhatWasChosen)
{
    struct Case {
        int button;
        int result;
    };
    const Case cases[] = {{IDOK, 1}, {IDCANCEL, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        ScanTarget target;
        TWScanner scanner;
        ASSERT_EQ(1, scanner.Initialize(target.m_hWnd));
        // The manager's own dialog; its caption is in the user's language.
        auto& choice = Gui().Expect("").SelectItem(1001, kSourceName).Press(c.button);
        EXPECT_EQ(c.result, scanner.SelScanner());
        EXPECT_TRUE(choice.Seen());
        EXPECT_EQ(3, StateField(scanner));

        // Chosen or not, the scan goes to the one source there is.
        TempDir dir;
        scanner.SetImagePath(dir.File("ScanPic00001.jpg").c_str());
        ASSERT_EQ(1, scanner.Scan());
        ASSERT_TRUE(target.PumpUntilListed(scanner));
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(dir.File("ScanPic00001.jpg").c_str()));
    }
}

// One scan per format: the file at the path given at the call, WM_USER+0
// with that path (read while the message is handled), WM_USER+1000 after
// it, the picture as large as the page at the negotiated resolution, and the
// state above 3 while the scan runs and back at 3 after it.
TEST(Lectorix, ScanWritesThePictureInTheFormatItsExtensionNames)
{
    struct Case {
        const char* name;
        const char* format;
    };
    const Case cases[] = {
        {"ScanPic00001.bmp", "BMP"},
        {"ScanPic00002.jpg", "JPEG"},
        {"ScanPic00003.tif", "TIFF"},
        {"ScanPic00004.JPEG", "JPEG"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        ScanTarget target;
        TWScanner scanner;
        ASSERT_EQ(1, scanner.Initialize(target.m_hWnd));
        std::string path = dir.File(c.name);
        scanner.SetImagePath(path.c_str());
        ASSERT_EQ(1, scanner.Scan());
        EXPECT_GT(StateField(scanner), 3);
        // The next path is for the next scan, not this one.
        scanner.SetImagePath(dir.File("next.bmp").c_str());
        // A second scan waits for the first.
        EXPECT_EQ(0, scanner.Scan());

        ASSERT_TRUE(target.PumpUntilListed(scanner));
        EXPECT_GE(target.m_highestState, 5);
        EXPECT_LE(StateField(scanner), 3);
        ASSERT_EQ(2u, target.m_messages.size());
        EXPECT_EQ(UINT(WM_USER + 0), target.m_messages[0].id);
        EXPECT_EQ(path, target.m_messages[0].path);
        EXPECT_EQ(UINT(WM_USER + 1000), target.m_messages[1].id);
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(dir.File("next.bmp").c_str()));

        Identified picture = Identify(path, dir);
        ASSERT_TRUE(picture.read);
        EXPECT_EQ(0u, picture.format.find(c.format)) << picture.format;
        EXPECT_EQ(Pixels(twainsource::kPageWidth, TWScanner::kScanResolution), picture.width);
        EXPECT_EQ(Pixels(twainsource::kPageHeight, TWScanner::kScanResolution), picture.height);
        EXPECT_NEAR(TWScanner::kScanResolution, picture.xDpi, 0.5);
        EXPECT_NEAR(TWScanner::kScanResolution, picture.yDpi, 0.5);
    }
}

// Each scanned page carries its time and number: two scans never give the
// same picture. An owner too busy to handle the first report before the
// second scan still reads the first path from it.
TEST(Lectorix, SuccessiveScansDifferAndEachReportKeepsItsPath)
{
    TempDir dir;
    ScanTarget target;
    TWScanner scanner;
    ASSERT_EQ(1, scanner.Initialize(target.m_hWnd));
    const std::string paths[] = {dir.File("ScanPic00001.bmp"), dir.File("ScanPic00002.bmp")};
    target.m_hold = true;
    size_t scans = 0;
    for (const std::string& path : paths) {
        scanner.SetImagePath(path.c_str());
        ASSERT_EQ(1, scanner.Scan());
        ++scans;
        ASSERT_TRUE(target.Pump(scanner, [&] { return target.HeldListed(scans); }));
    }
    scanner.SetImagePath(dir.File("ScanPic00003.bmp").c_str());
    for (const MSG& msg : target.m_held)
        ::DispatchMessageA(&msg);
    ASSERT_EQ(4u, target.m_messages.size());
    EXPECT_EQ(paths[0], target.m_messages[0].path);
    EXPECT_EQ(paths[1], target.m_messages[2].path);
    std::string first = testsupport::ReadFileBytes(paths[0]);
    std::string second = testsupport::ReadFileBytes(paths[1]);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.size(), second.size());
    EXPECT_NE(first, second);
}

// Setting shows the source's own dialog: a scan from there comes at the
// resolution chosen in it; a cancel writes nothing and closes the source.
TEST(Lectorix, SettingScansThroughTheSourceDialog)
{
    struct Case {
        int button;
        bool written;
    };
    const Case cases[] = {{IDOK, true}, {IDCANCEL, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        TempDir dir;
        ScanTarget target;
        TWScanner scanner;
        ASSERT_EQ(1, scanner.Initialize(target.m_hWnd));
        std::string path = dir.File("ScanPic00000.tif");
        scanner.SetImagePath(path.c_str());
        auto& dialog = Gui().Expect("Virtual Scanner").SelectItem(twainsource::IDC_RESOLUTION, "200").Press(c.button);
        ASSERT_EQ(1, scanner.Setting());
        ASSERT_TRUE(target.Pump(scanner, [&] { return StateField(scanner) <= 3; }));
        EXPECT_TRUE(dialog.Seen());
        if (!c.written) {
            // Nothing was reported while the source closed, nor afterwards.
            target.Pump(scanner, [] { return false; }, 300);
            EXPECT_TRUE(target.m_messages.empty());
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(path.c_str()));
            continue;
        }
        ASSERT_TRUE(target.PumpUntilListed(scanner));
        EXPECT_EQ(path, target.m_messages[0].path);
        Identified picture = Identify(path, dir);
        ASSERT_TRUE(picture.read);
        EXPECT_EQ(Pixels(twainsource::kPageWidth, 200), picture.width);
        EXPECT_EQ(Pixels(twainsource::kPageHeight, 200), picture.height);
    }
}

// A path whose extension names no format the library writes starts nothing.
TEST(Lectorix, ScanRefusesAPathWithoutAKnownFormat)
{
    const char* names[] = {"ScanPic00001.png", "ScanPic00001", "scans.jpg\\ScanPic00001"};
    TempDir dir;
    ScanTarget target;
    TWScanner scanner;
    ASSERT_EQ(1, scanner.Initialize(target.m_hWnd));
    EXPECT_EQ(0, scanner.Scan());  // no path yet
    for (const char* name : names) {
        SCOPED_TRACE(name);
        scanner.SetImagePath(dir.File(name).c_str());
        EXPECT_EQ(0, scanner.Scan());
        EXPECT_EQ(3, StateField(scanner));
    }
}

// Terminate ends whatever runs, as often as it is called.
TEST(Lectorix, TerminateIsHarmlessAtAnyPointAndTwice)
{
    TempDir dir;
    ScanTarget target;
    TWScanner scanner;
    scanner.Terminate();  // nothing open yet
    EXPECT_EQ(1, StateField(scanner));

    ASSERT_EQ(1, scanner.Initialize(target.m_hWnd));
    scanner.SetImagePath(dir.File("ScanPic00001.bmp").c_str());
    // The source's dialog open, the source enabled.
    auto& dialog = Gui().Expect("Virtual Scanner").OpenFor(60000);
    ASSERT_EQ(1, scanner.Setting());
    ASSERT_TRUE(Gui().WaitFor(dialog));
    EXPECT_EQ(5, StateField(scanner));

    scanner.Terminate();
    EXPECT_EQ(1, StateField(scanner));
    EXPECT_FALSE(ManagerLoaded());
    EXPECT_FALSE(ThreadHasWindow("Virtual Scanner"));
    scanner.Terminate();
    EXPECT_EQ(1, StateField(scanner));

    // Nothing was written and nothing comes.
    target.Pump(scanner, [] { return false; }, 300);
    EXPECT_TRUE(target.m_messages.empty());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(dir.File("ScanPic00001.bmp").c_str()));

    ASSERT_EQ(1, scanner.Initialize(target.m_hWnd));
    EXPECT_EQ(3, StateField(scanner));
}
