// The real client, started as a user or an automation client would start it,
// and looked at from outside through its windows and the registry.
#include <windows.h>
#include <commctrl.h>

#include "ClassObjectTurn.h"
#include "Process.h"
#include "Registry.h"
#include "TempDir.h"
#include "WindowText.h"

#include "../upload/FieldDefinitionFixture.h"

#include <gtest/gtest.h>
#include <oleauto.h>
#include <tlhelp32.h>

#include <set>
#include <string>
#include <vector>

namespace {

const char kTitle[] = "衡远澄明－图像采集系统";
const char kProgID[] = "Ombrelle.Document";
const char kUploadProgID[] = "Ombrelle.UpLoadObj";

std::string ClientFolder()
{
    std::string self = testsupport::ThisExecutable();
    return self.substr(0, self.find_last_of('\\') + 1);
}

std::string ClientPath() { return ClientFolder() + "Ombrelle.exe"; }

std::string Narrow(BSTR text)
{
    char narrow[MAX_PATH * 2] = "";
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

// Paths compare without regard to case.
bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

// The running copies of the client.
std::set<DWORD> ClientProcesses()
{
    std::set<DWORD> ids;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, "Ombrelle.exe") == 0)
            ids.insert(entry.th32ProcessID);
    ::CloseHandle(snapshot);
    return ids;
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
    // A copy that someone else started (COM, for an automation client).
    explicit ClientProcess(DWORD processId)
    {
        m_info.hProcess = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE |
                                            PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                        FALSE, processId);
        m_info.dwProcessId = processId;
        m_started = m_info.hProcess != nullptr;
    }
    ~ClientProcess()
    {
        if (!m_started)
            return;
        // A client killed with its class objects registered leaves them with
        // Wine's COM, which hands the dead registration to the next automation
        // client: one that still runs is asked to end its message loop first.
        if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT && m_info.dwThreadId != 0) {
            ::PostThreadMessageA(m_info.dwThreadId, WM_QUIT, 0, 0);
            ::WaitForSingleObject(m_info.hProcess, 30000);
        }
        if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT)
            ::TerminateProcess(m_info.hProcess, 1);
        if (m_info.hThread != nullptr)
            ::CloseHandle(m_info.hThread);
        ::CloseHandle(m_info.hProcess);
    }
    ClientProcess(const ClientProcess&) = delete;
    ClientProcess& operator=(const ClientProcess&) = delete;

    bool Started() const { return m_started; }
    // Whether it ended, within the test's patience, with exit code 0 (a
    // crash ends it with an exception code).
    bool EndsCleanly() const
    {
        if (::WaitForSingleObject(m_info.hProcess, 60000) != WAIT_OBJECT_0)
            return false;
        DWORD exitCode = 1;
        ::GetExitCodeProcess(m_info.hProcess, &exitCode);
        EXPECT_EQ(0u, exitCode);
        return exitCode == 0;
    }
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
    for (const char* progId : {kProgID, kUploadProgID}) {
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, std::string("Software\\Classes\\") + progId);
        testsupport::DeleteRegKey(HKEY_CLASSES_ROOT, progId);
    }
}

bool IsRegistered(const char* progId)
{
    return testsupport::ReadRegString(HKEY_CLASSES_ROOT, std::string(progId) + "\\CLSID", "").has_value();
}

// The document server and the upload object, or neither.
bool IsRegistered()
{
    EXPECT_EQ(IsRegistered(kProgID), IsRegistered(kUploadProgID));
    return IsRegistered(kProgID) && IsRegistered(kUploadProgID);
}

// The tests share the registration and the one client that COM starts for
// all automation clients, so they take turns, with the test programs that
// register the client's class objects as well.
class ClientProgramTest : public ::testing::Test {
protected:
    void SetUp() override { m_comReady = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
    void TearDown() override
    {
        if (m_comReady)
            ::CoUninitialize();
    }

    // A normal start, which writes the registration, closed again.
    static void RegisterByANormalStart(const char* arguments = "")
    {
        ClientProcess client(arguments);
        ASSERT_TRUE(client.Started());
        HWND hFrame = client.WaitForMainWindow();
        ASSERT_NE(hFrame, nullptr) << "the main frame never showed its title";
        EXPECT_TRUE(IsRegistered());
        ::PostMessageA(hFrame, WM_CLOSE, 0, 0);
        EXPECT_TRUE(client.EndsCleanly());
    }

    testsupport::ClassObjectTurn m_turn;
    bool m_comReady = false;
};

// A method's result; the arguments of a call in the order the method lists them.
struct Variant : VARIANT {
    Variant() { ::VariantInit(this); }
    explicit Variant(const wchar_t* text)
    {
        ::VariantInit(this);
        vt = VT_BSTR;
        bstrVal = ::SysAllocString(text);
    }
    explicit Variant(bool value)
    {
        ::VariantInit(this);
        vt = VT_BOOL;
        boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    }
    ~Variant() { ::VariantClear(this); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
};

HRESULT Call(IDispatch* pObject, DISPID dispid, std::vector<const VARIANT*> arguments, Variant* pResult = nullptr)
{
    std::vector<VARIANT> reversed;
    for (auto it = arguments.rbegin(); it != arguments.rend(); ++it)
        reversed.push_back(**it);
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    Variant ignored;
    UINT argError = 0;
    return pObject->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &params, pResult != nullptr ? pResult : &ignored,
                           nullptr, &argError);
}

IDispatch* CreateUploadObject()
{
    CLSID clsid;
    if (FAILED(::CLSIDFromProgID(L"Ombrelle.UpLoadObj", &clsid)))
        return nullptr;
    IDispatch* pObject = nullptr;
    HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, reinterpret_cast<void**>(&pObject));
    EXPECT_EQ(S_OK, hr);
    return SUCCEEDED(hr) ? pObject : nullptr;
}

// The one client that appeared since the copies in before.
DWORD NewClient(const std::set<DWORD>& before)
{
    std::set<DWORD> started;
    for (DWORD id : ClientProcesses())
        if (before.count(id) == 0)
            started.insert(id);
    EXPECT_EQ(1u, started.size());
    return started.size() == 1 ? *started.begin() : 0;
}

// The MDI children of the frame: its open documents' frames.
int DocumentFrames(HWND hFrame)
{
    HWND hClient = ::FindWindowExA(hFrame, nullptr, "MDIClient", nullptr);
    int count = 0;
    for (HWND hChild = hClient != nullptr ? ::GetWindow(hClient, GW_CHILD) : nullptr; hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        ++count;
    return count;
}

// One test, because both starts touch the same registration.
TEST_F(ClientProgramTest, AutomationStartWaitsHiddenAndNormalStartShowsTheFrameAndRegisters)
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

TEST_F(ClientProgramTest, UnregserverIsANormalStartThatWritesTheRegistrationAgain)
{
    ForgetRegistration();
    RegisterByANormalStart(" /Unregserver");
}

TEST_F(ClientProgramTest, ObjectsOfOneClientComeFromOneProgramThatEndsAfterTheLastRelease)
{
    ASSERT_NO_FATAL_FAILURE(RegisterByANormalStart());
    const std::set<DWORD> before = ClientProcesses();
    IDispatch* pFirst = CreateUploadObject();
    ASSERT_NE(pFirst, nullptr);
    ClientProcess client(NewClient(before));
    ASSERT_TRUE(client.Started());
    IDispatch* pSecond = CreateUploadObject();
    ASSERT_NE(pSecond, nullptr);
    EXPECT_EQ(before.size() + 1, ClientProcesses().size()) << "a second program for the second object";

    Variant path;
    ASSERT_EQ(S_OK, Call(pSecond, 2, {}, &path));
    ASSERT_EQ(VT_BSTR, path.vt);
    EXPECT_TRUE(SamePath(ClientFolder() + "ImageInfoStruct.xml", Narrow(path.bstrVal))) << Narrow(path.bstrVal);
    EXPECT_EQ(std::string(kFieldDefinitionFile, sizeof(kFieldDefinitionFile) - 1),
              testsupport::ReadFileBytes(ClientFolder() + "ImageInfoStruct.xml"));
    // Hidden all along: nobody asked it to show.
    EXPECT_TRUE(client.VisibleWindows().empty());

    pFirst->Release();
    pSecond->Release();
    EXPECT_TRUE(client.EndsCleanly());
}

// Who lets go first of the shown client: its automation client or the operator.
class ShownClientTest : public ClientProgramTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ShownClientTest, InitializeShowsTheClientAndItEndsOnceBothLetGo)
{
    const bool bReleaseFirst = GetParam();
    ASSERT_NO_FATAL_FAILURE(RegisterByANormalStart());
    const std::set<DWORD> before = ClientProcesses();
    IDispatch* pObject = CreateUploadObject();
    ASSERT_NE(pObject, nullptr);
    ClientProcess client(NewClient(before));
    ASSERT_TRUE(client.Started());
    EXPECT_TRUE(client.VisibleWindows().empty());

    Variant yes(true), first(L"一"), second(L"二"), third(L"三"), shown;
    ASSERT_EQ(S_OK, Call(pObject, 1, {&yes, &first, &second, &third}, &shown));
    ASSERT_EQ(VT_BOOL, shown.vt);
    EXPECT_EQ(VARIANT_TRUE, shown.boolVal);
    HWND hFrame = client.WaitForMainWindow();
    ASSERT_NE(hFrame, nullptr);
    EXPECT_EQ(testsupport::WindowText(hFrame), kTitle) << testsupport::ToUtf8(testsupport::WindowText(hFrame));
    EXPECT_TRUE(::IsZoomed(hFrame));
    EXPECT_EQ(1, DocumentFrames(hFrame));

    Variant page(L"c:\\回调.htm"), user(L""), password(L""), url(L"h:2121/dir"), structure(L"<Category/>");
    EXPECT_EQ(S_OK, Call(pObject, 3, {&page}));
    EXPECT_EQ(S_OK, Call(pObject, 4, {&user, &password}));
    EXPECT_EQ(S_OK, Call(pObject, 5, {&url}));
    EXPECT_EQ(S_OK, Call(pObject, 6, {&structure}));

    if (bReleaseFirst) {
        pObject->Release();
        // The open document keeps the shown client for the operator.
        EXPECT_TRUE(::IsWindowVisible(hFrame));
        ::PostMessageA(hFrame, WM_CLOSE, 0, 0);
    } else {
        ::SendMessageA(hFrame, WM_CLOSE, 0, 0);
        EXPECT_FALSE(::IsWindow(hFrame));
        // The object keeps the program, without a window, until its release.
        Variant path;
        EXPECT_EQ(S_OK, Call(pObject, 2, {}, &path));
        pObject->Release();
    }
    EXPECT_TRUE(client.EndsCleanly());
}

INSTANTIATE_TEST_SUITE_P(Orders, ShownClientTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "AutomationClientFirst" : "OperatorFirst";
                         });

TEST_F(ClientProgramTest, AScriptCreatesTheObjectShowsTheClientAndUsesEveryMethod)
{
    ASSERT_NO_FATAL_FAILURE(RegisterByANormalStart());
    const std::set<DWORD> before = ClientProcesses();
    testsupport::ProcessResult script =
        testsupport::RunProcess("cscript.exe //nologo " + testsupport::QuoteArgument(ClientFolder() + "ombrelle_upload.vbs"),
                                60000);
    ASSERT_TRUE(script.started);
    ASSERT_FALSE(script.timedOut);
    EXPECT_NE(std::string::npos, script.output.find("initialize=-1")) << script.output;
    const size_t file = script.output.find("file=");
    ASSERT_NE(std::string::npos, file) << script.output;
    const std::string answered = script.output.substr(file + 5, script.output.find_first_of("\r\n", file) - file - 5);
    EXPECT_TRUE(SamePath(ClientFolder() + "ImageInfoStruct.xml", answered)) << script.output;
    ASSERT_NE(std::string::npos, script.output.find("done")) << script.output;

    // The script has let go; the client it showed is the operator's now.
    ClientProcess client(NewClient(before));
    ASSERT_TRUE(client.Started());
    HWND hFrame = client.WaitForMainWindow();
    ASSERT_NE(hFrame, nullptr);
    EXPECT_TRUE(::IsZoomed(hFrame));
    EXPECT_EQ(1, DocumentFrames(hFrame));
    ::PostMessageA(hFrame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(client.EndsCleanly());
}

}  // namespace
