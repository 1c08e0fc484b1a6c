// The automation server program (oleserver/) as its clients see it: the
// registration it writes and removes, COM starting it for a client's
// object, calls through IDispatch, and the program ending by itself when
// its last object goes.
#include "Process.h"
#include "Registry.h"
#include "TempDir.h"

#include "oleserver/OleServerIds.h"

#include "afxwin.h"
#include "afxdisp.h"

#include <gtest/gtest.h>

#include <oleauto.h>
#include <tlhelp32.h>

#include <set>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

std::string ProgramFolder()
{
    std::string path = ThisExecutable();
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::string ServerPath()
{
    return ProgramFolder() + "afx_test_oleserver.exe";
}

std::string GuidText(REFCLSID clsid)
{
    WCHAR wide[64];
    StringFromGUID2(clsid, wide, 64);
    char narrow[64];
    WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

bool KeyExists(const std::string& key)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

// The running copies of the server program.
std::set<DWORD> ServerProcesses()
{
    std::set<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, "afx_test_oleserver.exe") == 0)
            ids.insert(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

// Whether the process ends within the test's patience.
bool Ends(DWORD processId)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (process == nullptr)
        return true;  // already gone
    DWORD wait = WaitForSingleObject(process, 60000);
    CloseHandle(process);
    return wait == WAIT_OBJECT_0;
}

struct Variant : VARIANT {
    Variant() { VariantInit(this); }
    explicit Variant(const wchar_t* text)
    {
        VariantInit(this);
        vt = VT_BSTR;
        bstrVal = SysAllocString(text);
    }
    explicit Variant(short n)
    {
        VariantInit(this);
        vt = VT_I2;
        iVal = n;
    }
    ~Variant() { VariantClear(this); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
};

struct Call {
    HRESULT hr = E_FAIL;
    Variant result;
    EXCEPINFO error = {};
    UINT argErr = (UINT)-1;
    ~Call()
    {
        SysFreeString(error.bstrDescription);
        SysFreeString(error.bstrSource);
        SysFreeString(error.bstrHelpFile);
    }
};

// Calls a member by name; args in the order the member lists them.
void Invoke(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT*> args, Call& call)
{
    DISPID dispid = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    call.hr = object->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid);
    if (FAILED(call.hr))
        return;
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it)
        reversed.push_back(**it);
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params = {reversed.empty() ? nullptr : &reversed[0], nullptr, (UINT)reversed.size(), 0};
    if (flags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &put;
        params.cNamedArgs = 1;
    }
    call.hr = object->Invoke(dispid, IID_NULL, 0, flags, &params, &call.result, &call.error, &call.argErr);
}

long LongOf(IDispatch* object, const wchar_t* name)
{
    Call call;
    Invoke(object, name, DISPATCH_PROPERTYGET, {}, call);
    EXPECT_EQ(S_OK, call.hr) << "reading " << name;
    return call.result.vt == VT_I4 ? call.result.lVal : -1;
}

IDispatch* Create(const wchar_t* progId)
{
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(progId, &clsid)))
        return nullptr;
    IDispatch* object = nullptr;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                  reinterpret_cast<void**>(&object));
    EXPECT_EQ(S_OK, hr);
    return SUCCEEDED(hr) ? object : nullptr;
}

// The tests share the server's registration in the registry, so they run
// one at a time even when the test runner starts them together; each
// leaves the server unregistered.
class OleServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_lock = CreateMutexA(nullptr, FALSE, "OmbrelleAfxOleServerTests");
        WaitForSingleObject(m_lock, INFINITE);
        m_comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    }
    void TearDown() override
    {
        RunServer("/Unregserver");
        if (m_comReady)
            CoUninitialize();
        ReleaseMutex(m_lock);
        CloseHandle(m_lock);
    }

    static bool RunServer(const std::string& argument)
    {
        ProcessResult result = RunProcess(QuoteArgument(ServerPath()) + " " + argument, 60000);
        return result.started && !result.timedOut;
    }

    HANDLE m_lock = nullptr;
    bool m_comReady = false;
};

}  // namespace

TEST_F(OleServerTest, RegserverWritesTheServerKeysAndUnregserverRemovesThem)
{
    ASSERT_TRUE(RunServer("/Regserver"));

    struct Server {
        const char* progId;
        CLSID clsid;
    } servers[] = {{OLESERVER_OBJECT_PROGID, CLSID_OleServerObject},
                   {OLESERVER_DOCUMENT_PROGID, CLSID_OleServerDocument}};
    for (const Server& server : servers) {
        const std::string clsidKey = "CLSID\\" + GuidText(server.clsid);
        EXPECT_EQ(GuidText(server.clsid), ReadRegString(HKEY_CLASSES_ROOT, std::string(server.progId) + "\\CLSID", ""))
            << server.progId;
        EXPECT_EQ(server.progId, ReadRegString(HKEY_CLASSES_ROOT, clsidKey + "\\ProgID", ""));
        // The program itself, not a short name that may lead elsewhere.
        EXPECT_EQ("\"" + ServerPath() + "\" /Automation",
                  ReadRegString(HKEY_CLASSES_ROOT, clsidKey + "\\LocalServer32", ""))
            << server.progId;
    }

    ASSERT_TRUE(RunServer("/Unregserver"));
    for (const Server& server : servers) {
        EXPECT_FALSE(KeyExists(server.progId));
        EXPECT_FALSE(KeyExists("CLSID\\" + GuidText(server.clsid)));
    }
}

TEST_F(OleServerTest, ComStartsTheServerHiddenForAClientAndItEndsAfterTheLastRelease)
{
    ASSERT_TRUE(RunServer("/Regserver"));
    IDispatch* first = Create(L"" OLESERVER_OBJECT_PROGID);
    ASSERT_NE(nullptr, first);
    IDispatch* second = Create(L"" OLESERVER_OBJECT_PROGID);
    ASSERT_NE(nullptr, second);

    // One program serves every object of the factory.
    const long processId = LongOf(first, L"ProcessId");
    EXPECT_EQ(processId, LongOf(second, L"ProcessId"));

    Call commandLine;
    Invoke(first, L"commandline", DISPATCH_PROPERTYGET, {}, commandLine);
    ASSERT_EQ(S_OK, commandLine.hr);
    ASSERT_EQ(VT_BSTR, commandLine.result.vt);
    EXPECT_NE(nullptr, wcsstr(commandLine.result.bstrVal, L"/Automation"));
    Call userControl;
    Invoke(first, L"UserControl", DISPATCH_PROPERTYGET, {}, userControl);
    ASSERT_EQ(VT_BOOL, userControl.result.vt);
    EXPECT_EQ(VARIANT_FALSE, userControl.result.boolVal);

    // Text goes through the server's code page both ways.
    Variant bang(L"!");
    Call put;
    Invoke(first, L"NAME", DISPATCH_PROPERTYPUT, {&bang}, put);
    EXPECT_EQ(S_OK, put.hr);
    Variant who(L"客户");
    Call greet;
    Invoke(first, L"greet", DISPATCH_METHOD, {&who}, greet);
    ASSERT_EQ(S_OK, greet.hr);
    ASSERT_EQ(VT_BSTR, greet.result.vt);
    EXPECT_STREQ(L"你好，客户!", greet.result.bstrVal);

    // Text and numbers coerced to the method's parameters.
    Variant forty(L"40");
    Variant two((short)2);
    Call add;
    Invoke(first, L"Add", DISPATCH_METHOD, {&forty, &two}, add);
    ASSERT_EQ(S_OK, add.hr);
    ASSERT_EQ(VT_I4, add.result.vt);
    EXPECT_EQ(42, add.result.lVal);

    Variant why(L"磁盘已满");
    Call fail;
    Invoke(first, L"Fail", DISPATCH_METHOD, {&why}, fail);
    EXPECT_EQ(DISP_E_EXCEPTION, fail.hr);
    EXPECT_EQ(OLESERVER_FAILURE_CODE, fail.error.wCode);
    ASSERT_NE(nullptr, fail.error.bstrDescription);
    EXPECT_STREQ(L"磁盘已满", fail.error.bstrDescription);

    // One object left keeps the program; the last one ends it.
    first->Release();
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, (DWORD)processId);
    ASSERT_NE(nullptr, process);
    EXPECT_EQ(processId, LongOf(second, L"ProcessId"));
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(process, 0));
    second->Release();
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(process, 60000));
    CloseHandle(process);
}

TEST_F(OleServerTest, TemplateServerGivesEachClientANewDocumentInAProgramOfItsOwn)
{
    ASSERT_TRUE(RunServer("/Regserver"));
    const std::set<DWORD> before = ServerProcesses();

    IDispatch* first = Create(L"" OLESERVER_DOCUMENT_PROGID);
    ASSERT_NE(nullptr, first);
    IDispatch* second = Create(L"" OLESERVER_DOCUMENT_PROGID);
    ASSERT_NE(nullptr, second);

    // The document has an empty dispatch map.
    DISPID dispid = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"Title");
    EXPECT_EQ(DISP_E_UNKNOWNNAME, first->GetIDsOfNames(IID_NULL, &name, 1, 0, &dispid));
    EXPECT_EQ(DISPID_UNKNOWN, dispid);

    std::set<DWORD> started;
    for (DWORD id : ServerProcesses())
        if (before.count(id) == 0)
            started.insert(id);
    EXPECT_EQ(2u, started.size());

    first->Release();
    second->Release();
    for (DWORD id : started)
        EXPECT_TRUE(Ends(id)) << "server " << id << " still runs";
}

TEST_F(OleServerTest, AScriptClientDrivesTheObject)
{
    ASSERT_TRUE(RunServer("/Regserver"));
    ProcessResult script =
        RunProcess("cscript.exe //nologo " + QuoteArgument(ProgramFolder() + "afx_test_oleserver.vbs"), 60000);
    ASSERT_TRUE(script.started);
    ASSERT_FALSE(script.timedOut);
    EXPECT_NE(std::string::npos, script.output.find("cscript!")) << script.output;
    EXPECT_NE(std::string::npos, script.output.find("sum=42")) << script.output;
    EXPECT_NE(std::string::npos, script.output.find("error=script failure")) << script.output;
    ASSERT_NE(std::string::npos, script.output.find("done")) << script.output;

    // Nothing holds the object any more: the program the script made ends.
    const size_t at = script.output.find("pid=");
    ASSERT_NE(std::string::npos, at);
    EXPECT_TRUE(Ends((DWORD)std::stoul(script.output.substr(at + 4))));
}

namespace {

// A main window that counts its ends and is not deleted by them, so that a
// second end shows as a count rather than as a second delete.
class CCountedFrame : public CFrameWnd {
public:
    int m_nEnds = 0;

protected:
    void PostNcDestroy() override { ++m_nEnds; }
};

// A child that lets go of an object when it goes, as a document does when
// the main window destroys its frame.
class CReleasingChild : public CWnd {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DESTROY)
            AfxOleUnlockApp();
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

TEST(OleServerLifetime, AMainWindowWhoseDestructionReleasesTheLastObjectIsDestroyedOnce)
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    CWinApp app("OleServerLifetime");
    CCountedFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, "main", WS_OVERLAPPEDWINDOW));
    CReleasingChild child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_CHILD, CRect(0, 0, 10, 10), &frame, 1));
    app.m_pMainWnd = &frame;

    // Started by OLE; the operator closes the window while the object lives.
    AfxOleSetUserCtrl(FALSE);
    AfxOleLockApp();
    frame.SendMessage(WM_CLOSE);

    EXPECT_EQ(1, frame.m_nEnds);
    EXPECT_EQ(nullptr, frame.GetSafeHwnd());
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    EXPECT_TRUE(AfxOleCanExitApp());
    // The window's end ends the program, and hands it back to the user.
    EXPECT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(AfxOleGetUserCtrl());
    AfxOleSetUserCtrl(TRUE);
}
