// The main of every test program: each test runs with a GUI driver on its
// thread, so a dialog nobody expected fails the test instead of hanging it.
#include "GuiDriver.h"

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
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* exception)
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::fprintf(stderr, "Unhandled exception 0x%08lx at %p in %s.%s\n",
                 exception->ExceptionRecord->ExceptionCode, exception->ExceptionRecord->ExceptionAddress,
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
    testing::UnitTest::GetInstance()->listeners().Append(new GuiDriverPerTest);
    return RUN_ALL_TESTS();
}
