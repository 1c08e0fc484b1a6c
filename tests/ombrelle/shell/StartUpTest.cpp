// The whole of a normal start, run in the frame's test build, where the menus
// can be read.
#include "MainFrame.h"
#include "OmbrelleApp.h"
#include "resource.h"

#include "Dioptra.h"
#include "General.h"
#include "Registry.h"
#include "WindowText.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "MenuTexts.h"

namespace {

// One key per test program run: tests run side by side.
std::string ClassesKey()
{
    return "Software\\OmbrelleStartUpTestClasses" + std::to_string(::GetCurrentProcessId());
}

const std::vector<std::string> kFileItems = {"扫描设备选择", "预扫描图像", "扫描设置", "扫描", "自动平板扫描", "", "退出(&X)"};

class StartUpTest : public ::testing::Test {
protected:
    // The registration goes to a private key, so that the real client's tests
    // see only their own.
    void SetUp() override
    {
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, ClassesKey());
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, ClassesKey().c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &m_hClasses,
                                    NULL),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegOverridePredefKey(HKEY_CLASSES_ROOT, m_hClasses), ERROR_SUCCESS);
        GeneralClearCallLog();
        DioptraClearCallLog();
    }

    void TearDown() override
    {
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, NULL);
        ::RegCloseKey(m_hClasses);
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, ClassesKey());
    }

    static bool IsRegistered()
    {
        return testsupport::ReadRegString(HKEY_CURRENT_USER, std::string(ClassesKey()) + "\\Ombrelle.Document\\CLSID", "")
            .has_value();
    }

    static void Close(COmbrelleApp& app)
    {
        if (app.m_pMainFrame != nullptr)
            app.m_pMainFrame->DestroyWindow();
        app.m_pMainWnd = nullptr;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    HKEY m_hClasses = NULL;
};

TEST_F(StartUpTest, NormalStartOpensTheDocumentAndKeepsOnlyTheMenusOfTheStartUpRights)
{
    {
        COmbrelleApp app;
        ASSERT_TRUE(app.InitInstance());
        CMainFrame* pFrame = app.m_pMainFrame;
        ASSERT_NE(pFrame, nullptr);
        EXPECT_EQ(app.m_pMainWnd, pFrame);

        // The image library's template first, ours second with its document open.
        ASSERT_NE(app.GetCurrentDocument(), nullptr);
        EXPECT_EQ(app.GetCurrentDocument()->GetDocTemplate(), app.m_pDocTemplate);

        EXPECT_EQ(testsupport::WindowText(pFrame->GetSafeHwnd()).rfind("衡远澄明－图像采集系统", 0), 0u)
            << testsupport::ToUtf8(testsupport::WindowText(pFrame->GetSafeHwnd()));
        EXPECT_TRUE(pFrame->IsZoomed());
        EXPECT_TRUE(IsRegistered());

        HMENU hMenu = ::GetMenu(pFrame->GetSafeHwnd());
        const std::vector<std::string> menus = {"文件(&F)", "查看(&V)", "帮助(&H)"};
        EXPECT_EQ(MenuTexts(hMenu), menus);
        EXPECT_EQ(MenuTexts(::GetSubMenu(hMenu, 0)), kFileItems);

        // The temp folder beside the program went to the general library.
        std::string log = GeneralCallLog();
        EXPECT_NE(log.find("\\temp\n"), std::string::npos) << log;
        // The image library is initialised before the frame hands itself over.
        EXPECT_EQ(std::string(DioptraCallLog()), "103 0\n104 1\n106 0\n");

        Close(app);
        GeneralClearCallLog();
    }
    // The general library's end comes last, when the application goes.
    EXPECT_EQ(std::string(GeneralCallLog()), "245\n");
}

}  // namespace
