// The real client, started as a user or an automation client would start it,
// and looked at from outside through its windows and the registry.
#include <windows.h>
#include <commctrl.h>

#include "Process.h"
#include "Registry.h"
#include "WindowText.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char kTitle[] = "衡远澄明－图像采集系统";
const char kProgID[] = "Ombrelle.Document";

std::string ClientPath()
{
    std::string self = testsupport::ThisExecutable();
    return self.substr(0, self.find_last_of('\\') + 1) + "Ombrelle.exe";
}

// One run of the client, ended when the test is over.
class ClientProcess {
public:
    explicit ClientProcess(const std::string& arguments)
    {
        std::string commandLine = testsupport::QuoteArgument(ClientPath()) + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        m_started = ::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &startup, &m_info) != FALSE;
    }
    ~ClientProcess()
    {
        if (!m_started)
            return;
        if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT)
            ::TerminateProcess(m_info.hProcess, 1);
        ::CloseHandle(m_info.hThread);
        ::CloseHandle(m_info.hProcess);
    }

    bool Started() const { return m_started; }
    HANDLE Handle() const { return m_info.hProcess; }

    // The visible top-level windows of the process.
    std::vector<HWND> VisibleWindows() const
    {
        struct Search {
            DWORD pid;
            std::vector<HWND> found;
        } search{m_info.dwProcessId, {}};
        ::EnumWindows(
            [](HWND hWnd, LPARAM lParam) -> BOOL {
                auto* s = reinterpret_cast<Search*>(lParam);
                DWORD pid = 0;
                ::GetWindowThreadProcessId(hWnd, &pid);
                if (pid == s->pid && ::IsWindowVisible(hWnd))
                    s->found.push_back(hWnd);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // The main frame once it shows its title, or null.
    HWND WaitForMainWindow(DWORD timeoutMs = 30000) const
    {
        for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
            for (HWND hWnd : VisibleWindows())
                if (testsupport::WindowText(hWnd).rfind(kTitle, 0) == 0)
                    return hWnd;
            if (::WaitForSingleObject(m_info.hProcess, 100) != WAIT_TIMEOUT)
                return nullptr;
        }
        return nullptr;
    }

    // Sends a message whose lParam points to a buffer of the client's, and
    // copies the buffer back.
    LRESULT SendWithBuffer(HWND hWnd, UINT message, WPARAM wParam, std::vector<char>& buffer) const
    {
        void* remote = ::VirtualAllocEx(m_info.hProcess, nullptr, buffer.size(), MEM_COMMIT, PAGE_READWRITE);
        if (remote == nullptr)
            return -1;
        ::WriteProcessMemory(m_info.hProcess, remote, buffer.data(), buffer.size(), nullptr);
        LRESULT result = ::SendMessageA(hWnd, message, wParam, reinterpret_cast<LPARAM>(remote));
        ::ReadProcessMemory(m_info.hProcess, remote, buffer.data(), buffer.size(), nullptr);
        ::VirtualFreeEx(m_info.hProcess, remote, 0, MEM_RELEASE);
        return result;
    }

private:
    bool m_started = false;
    PROCESS_INFORMATION m_info = {};
};

HWND FindChild(HWND hParent, const char* className)
{
    return ::FindWindowExA(hParent, nullptr, className, nullptr);
}

void ForgetRegistration()
{
    testsupport::DeleteRegKey(HKEY_CURRENT_USER, std::string("Software\\Classes\\") + kProgID);
    testsupport::DeleteRegKey(HKEY_CLASSES_ROOT, kProgID);
}

bool IsRegistered() { return testsupport::ReadRegString(HKEY_CLASSES_ROOT, std::string(kProgID) + "\\CLSID", "").has_value(); }

// One test, because both starts touch the same registration.
TEST(ClientProgramTest, AutomationStartWaitsHiddenAndNormalStartShowsTheFrameAndRegisters)
{
    for (const char* sw : {" /Automation", " /Embedding"}) {
        SCOPED_TRACE(sw);
        ForgetRegistration();
        ClientProcess client(sw);
        ASSERT_TRUE(client.Started());
        ::WaitForInputIdle(client.Handle(), 30000);
        // Still running, waiting for its automation client, with nothing to show.
        EXPECT_EQ(::WaitForSingleObject(client.Handle(), 1000), static_cast<DWORD>(WAIT_TIMEOUT));
        EXPECT_TRUE(client.VisibleWindows().empty());
        EXPECT_FALSE(IsRegistered());
    }

    ClientProcess client("");
    ASSERT_TRUE(client.Started());
    HWND hFrame = client.WaitForMainWindow();
    ASSERT_NE(hFrame, nullptr) << "the main frame never showed its title";

    EXPECT_TRUE(::IsZoomed(hFrame));
    EXPECT_TRUE(IsRegistered());
    // The menus are not readable from another process under Wine: the start-up
    // test of the frame's build looks at them.

    HWND hToolBar = FindChild(hFrame, TOOLBARCLASSNAMEA);
    ASSERT_NE(hToolBar, nullptr);
    ASSERT_EQ(::SendMessageA(hToolBar, TB_BUTTONCOUNT, 0, 0), 1);
    std::vector<char> text(256, '\0');
    TBBUTTON button = {};
    std::vector<char> buttonBuffer(sizeof(button), '\0');
    ASSERT_TRUE(client.SendWithBuffer(hToolBar, TB_GETBUTTON, 0, buttonBuffer));
    memcpy(&button, buttonBuffer.data(), sizeof(button));
    EXPECT_EQ(button.idCommand, 32771);
    ASSERT_GT(client.SendWithBuffer(hToolBar, TB_GETBUTTONTEXTA, 32771, text), 0);
    EXPECT_EQ(std::string(text.data()), "图片扫描") << testsupport::ToUtf8(text.data());

    HWND hStatusBar = FindChild(hFrame, STATUSCLASSNAMEA);
    ASSERT_NE(hStatusBar, nullptr);
    std::vector<char> parts(16 * sizeof(int), '\0');
    EXPECT_EQ(client.SendWithBuffer(hStatusBar, SB_GETPARTS, 16, parts), 4);

    // Closing the frame ends the program.
    ::PostMessageA(hFrame, WM_CLOSE, 0, 0);
    EXPECT_EQ(::WaitForSingleObject(client.Handle(), 30000), WAIT_OBJECT_0);
}

}  // namespace
