// The main of every test program: each test runs with a GUI driver on its
// thread, so a dialog nobody expected fails the test instead of hanging it.
#include "GuiDriver.h"

#include <gmock/gmock.h>

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

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleMock(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new GuiDriverPerTest);
    return RUN_ALL_TESTS();
}
