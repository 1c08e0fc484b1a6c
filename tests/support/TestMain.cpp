// The main of every test program: each test runs with a GUI driver on its
// thread, so a dialog nobody expected fails the test instead of hanging it.
#include "GuiDriver.h"
#include "TempDir.h"

#include <gmock/gmock.h>

#include <cstdio>
#include <memory>

namespace {

class GuiDriverPerTest : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo&) override { m_driver = std::make_unique<testsupport::GuiDriver>(); }

    // Runs before the result printer's, so its failures count for the test.
    void OnTestEnd(const testing::TestInfo&) override
    {
        m_driver->VerifyAllSeen();
        m_driver.reset();
    }

private:
    std::unique_ptr<testsupport::GuiDriver> m_driver;
};

// Under Wine a crash hands the process to winedbg, which prints a backtrace
// and ends it with exit code 0: the crash would pass. End it ourselves with
// the exception code instead.
// The address is also given as module and offset, which addr2line resolves
// (modules load at other addresses from run to run).
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* exception)
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    void* address = exception->ExceptionRecord->ExceptionAddress;
    HMODULE module = nullptr;
    char moduleName[MAX_PATH] = "?";
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCSTR>(address), &module))
        GetModuleFileNameA(module, moduleName, MAX_PATH);
    std::fprintf(stderr, "Unhandled exception 0x%08lx at %p (%s+0x%llx) in %s.%s\n",
                 exception->ExceptionRecord->ExceptionCode, address, moduleName,
                 static_cast<unsigned long long>(static_cast<char*>(address) - reinterpret_cast<char*>(module)),
                 test ? test->test_suite_name() : "(no test)", test ? test->name() : "");
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), exception->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv)
{
    SetUnhandledExceptionFilter(EndOnCrash);
    testing::InitGoogleMock(&argc, argv);
    testsupport::ProcessTempFolder temp;
    testing::UnitTest::GetInstance()->listeners().Append(new GuiDriverPerTest);
    return RUN_ALL_TESTS();
}
