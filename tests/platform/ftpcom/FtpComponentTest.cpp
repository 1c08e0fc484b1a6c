#include "PythonService.h"
#include "TempDir.h"
#include "WinePath.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

// The component's members by dispatch id, with arguments in the caller's
// order; a failed call is a test failure, its HRESULT is returned.
class FtpObject {
public:
    FtpObject()
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        CLSID clsid;
        HRESULT hr = CLSIDFromProgID(L"FtpCom.FtpObject", &clsid);
        if (SUCCEEDED(hr))
            hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                  reinterpret_cast<void**>(&m_pDispatch));
        EXPECT_EQ(S_OK, hr) << "is the component registered (scripts/test does it)?";
    }
    ~FtpObject()
    {
        if (m_pDispatch)
            m_pDispatch->Release();
        CoUninitialize();
    }
    FtpObject(const FtpObject&) = delete;
    FtpObject& operator=(const FtpObject&) = delete;

    HRESULT Call(DISPID id, std::vector<VARIANT> args, VARIANT* pResult = nullptr)
    {
        if (!m_pDispatch)
            return E_POINTER;
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        EXCEPINFO excepInfo = {};
        HRESULT hr = m_pDispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, pResult,
                                         &excepInfo, nullptr);
        SysFreeString(excepInfo.bstrSource);
        SysFreeString(excepInfo.bstrDescription);
        SysFreeString(excepInfo.bstrHelpFile);
        for (VARIANT& arg : args)
            VariantClear(&arg);
        return hr;
    }

    void CreateTask(const std::string& id) { EXPECT_EQ(S_OK, Call(1, {Text(id), Bool(FALSE), Short(0)})); }
    void StartTasks() { EXPECT_EQ(S_OK, Call(2, {})); }
    void SetTransfer(const std::string& host, const std::string& user, const std::string& password,
                     const std::string& remote, const std::string& local)
    {
        EXPECT_EQ(S_OK, Call(3, {Text(host), Short(21), Text(user), Text(password), Text(remote), Text(local)}));
    }
    void StopTask(const std::string& id) { EXPECT_EQ(S_OK, Call(5, {Text(id)})); }
    void ResumeTask(const std::string& id) { EXPECT_EQ(S_OK, Call(6, {Text(id)})); }
    void DeleteTask(const std::string& id) { EXPECT_EQ(S_OK, Call(10, {Text(id)})); }
    short GetTaskState(const std::string& id)
    {
        VARIANT result;
        VariantInit(&result);
        EXPECT_EQ(S_OK, Call(9, {Text(id)}, &result));
        EXPECT_EQ(VT_I2, result.vt);
        return result.iVal;
    }
    // Polls until the task ends (0 or -2), or a generous limit passes;
    // every state seen on the way goes into *pSeen.
    short WaitForEnd(const std::string& id, std::set<short>* pSeen = nullptr)
    {
        short state = 0;
        for (int round = 0; round < 6000; ++round) {
            state = GetTaskState(id);
            if (pSeen)
                pSeen->insert(state);
            if (state == 0 || state == -2)
                return state;
            Sleep(10);
        }
        return state;
    }

    static VARIANT Text(const std::string& text)
    {
        VARIANT value;
        value.vt = VT_BSTR;
        int nLength = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
        std::wstring wide(nLength, L'\0');
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], nLength);
        value.bstrVal = SysAllocString(wide.c_str());
        return value;
    }
    static VARIANT Short(short number)
    {
        VARIANT value;
        value.vt = VT_I2;
        value.iVal = number;
        return value;
    }
    static VARIANT Bool(BOOL flag)
    {
        VARIANT value;
        value.vt = VT_BOOL;
        value.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
        return value;
    }

private:
    IDispatch* m_pDispatch = nullptr;
};

// Bytes of every value, CR and LF among them, varied by the seed.
std::string FileBytes(size_t nSize, int nSeed)
{
    std::string bytes(nSize, '\0');
    for (size_t i = 0; i < nSize; ++i)
        bytes[i] = char((i * 7 + nSeed) % 256);
    return bytes;
}

// A server with its folder, and local files to send.
struct FtpFixture {
    explicit FtpFixture(std::vector<std::string> options = {})
    {
        std::vector<std::string> arguments = {UnixPath(server.Path()), "uploader", "secret"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        ftp.reset(new PythonService("testsvc/ftp_server.py", arguments));
        host = "127.0.0.1:" + std::to_string(ftp->Port());
    }
    // Writes a local file; returns its path.
    std::string Local(const std::string& name, const std::string& bytes)
    {
        EXPECT_TRUE(WriteFileBytes(local.File(name), bytes));
        return local.File(name);
    }
    std::string OnServer(const std::string& relativePath) { return ReadFileBytes(server.File(relativePath)); }

    TempDir server;
    TempDir local;
    std::unique_ptr<PythonService> ftp;
    std::string host;
};

}  // namespace

TEST(FtpComponent, IsFoundByProgIdInAnyCaseAndAnswersItsOtherMembers)
{
    FtpObject component;
    CLSID exact, otherCase;
    ASSERT_EQ(S_OK, CLSIDFromProgID(L"FtpCom.FtpObject", &exact));
    ASSERT_EQ(S_OK, CLSIDFromProgID(L"FTPCom.FTPObject", &otherCase));
    EXPECT_TRUE(IsEqualCLSID(exact, otherCase));

    VARIANT ready;
    VariantInit(&ready);
    EXPECT_EQ(S_OK, component.Call(14, {}, &ready));
    EXPECT_EQ(VT_BOOL, ready.vt);
    EXPECT_EQ(VARIANT_TRUE, ready.boolVal);
    EXPECT_EQ(S_OK, component.Call(13, {FtpObject::Text("")}));
    for (DISPID id : {4, 7, 8, 11, 12, 15})
        EXPECT_EQ(DISP_E_MEMBERNOTFOUND, component.Call(id, {})) << id;
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, component.Call(9, {}));
}

TEST(FtpComponent, SendsThreeFilesIntoANewNestedFolderWholeBeforeItReportsFinished)
{
    FtpFixture fixture;
    const std::vector<std::string> bytes = {FileBytes(3 << 20, 1), FileBytes(4096, 2), FileBytes(1, 3)};
    std::string local = fixture.Local("main.jpg", bytes[0]) + "|" + fixture.Local("web.jpg", bytes[1]) + "|" +
                        fixture.Local("prev.jpg", bytes[2]);
    std::string remote = "/store/Category7/Asset/2026/Dec/09/a.jpg|/store/Category7/Accessory0/2026/Dec/09/w.jpg|"
                         "/store/Category7/Thumbnail/2026/Dec/09/p.jpg";

    FtpObject component;
    component.CreateTask("000070000000042");
    component.SetTransfer(fixture.host, "uploader", "secret", remote, local);
    EXPECT_EQ(1, component.GetTaskState("000070000000042"));
    component.StartTasks();
    std::set<short> seen;
    ASSERT_EQ(0, component.WaitForEnd("000070000000042", &seen));
    // Read at once: every file is complete by the time the task says so.
    EXPECT_EQ(bytes[0], fixture.OnServer("store\\Category7\\Asset\\2026\\Dec\\09\\a.jpg"));
    EXPECT_EQ(bytes[1], fixture.OnServer("store\\Category7\\Accessory0\\2026\\Dec\\09\\w.jpg"));
    EXPECT_EQ(bytes[2], fixture.OnServer("store\\Category7\\Thumbnail\\2026\\Dec\\09\\p.jpg"));
    for (short state : seen)
        EXPECT_TRUE(state == 1 || state == 3 || state == 0) << state;
}

TEST(FtpComponent, FailsOnARefusedLogInAMissingFileAndACutDataConnection)
{
    struct Case {
        const char* name;
        std::vector<std::string> serverOptions;
        const char* password;
        bool bLocalFileExists;
    };
    const Case cases[] = {
        {"wrong password", {}, "wrong", true},
        {"missing local file", {}, "secret", false},
        {"data connection cut", {"drop-data-after=20000"}, "secret", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FtpFixture fixture(c.serverOptions);
        std::string local = c.bLocalFileExists ? fixture.Local("main.jpg", FileBytes(1 << 20, 4))
                                               : fixture.local.File("absent.jpg");
        FtpObject component;
        component.CreateTask("t");
        component.SetTransfer(fixture.host, "uploader", c.password, "/in/main.jpg", local);
        component.StartTasks();
        std::set<short> seen;
        EXPECT_EQ(-2, component.WaitForEnd("t", &seen));
        EXPECT_EQ(0u, seen.count(0));
    }
}

TEST(FtpComponent, AnswersMinusOneForAnUnknownOrDeletedTask)
{
    FtpObject component;
    EXPECT_EQ(-1, component.GetTaskState("never-made"));
    component.CreateTask("gone");
    EXPECT_EQ(1, component.GetTaskState("gone"));
    component.DeleteTask("gone");
    EXPECT_EQ(-1, component.GetTaskState("gone"));
}

TEST(FtpComponent, RunsTwoTasksSideBySide)
{
    FtpFixture fixture;
    const std::string first = FileBytes(2 << 20, 5), second = FileBytes(2 << 20, 6);
    FtpObject component;
    component.CreateTask("one");
    component.SetTransfer(fixture.host, "uploader", "secret", "/one/a.jpg", fixture.Local("a.jpg", first));
    component.CreateTask("two");
    component.SetTransfer(fixture.host, "uploader", "secret", "/two/b.jpg", fixture.Local("b.jpg", second));
    component.StartTasks();
    EXPECT_EQ(0, component.WaitForEnd("one"));
    EXPECT_EQ(0, component.WaitForEnd("two"));
    EXPECT_EQ(first, fixture.OnServer("one\\a.jpg"));
    EXPECT_EQ(second, fixture.OnServer("two\\b.jpg"));
}

TEST(FtpComponent, AStoppedTaskHoldsUntilResumedThenCompletes)
{
    FtpFixture fixture;
    const std::string bytes = FileBytes(100000, 7);
    FtpObject component;
    component.CreateTask("held");
    component.SetTransfer(fixture.host, "uploader", "secret", "/held/a.jpg", fixture.Local("a.jpg", bytes));
    component.StopTask("held");
    component.StartTasks();
    EXPECT_EQ(4, component.GetTaskState("held"));
    component.ResumeTask("held");
    EXPECT_EQ(0, component.WaitForEnd("held"));
    EXPECT_EQ(bytes, fixture.OnServer("held\\a.jpg"));
}

// A task that ends at once, its object released and the apartment left right
// after: COM unloads the DLL then, and the task's thread must not be running
// any code of it any more. (Seen to fail only with the machine under load.)
TEST(FtpComponent, TheDllCanBeUnloadedTheMomentATaskHasEnded)
{
    for (int round = 0; round < 300; ++round) {
        FtpObject component;
        component.CreateTask("empty");
        component.StartTasks();
        // Asked without a pause, to meet the end as soon as it is reported.
        short state = 1;
        while (state != 0 && state != -2)
            state = component.GetTaskState("empty");
        ASSERT_EQ(0, state);
    }
}
