// The rights decide the menus and the tool bar: the real frame and menu
// pruning, built into a test program that sets the rights before they act.
#include "MainFrame.h"
#include "OmbrelleApp.h"
#include "resource.h"

#include "WindowText.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

#include "MenuTexts.h"

namespace {

const std::vector<std::string> kScanItems = {"扫描设备选择", "预扫描图像", "扫描设置", "扫描", "自动平板扫描", "", "退出(&X)"};
const std::vector<std::string> kExitOnly = {"退出(&X)"};
const std::vector<std::string> kAllMenus = {"文件(&F)", "查看(&V)", "系统设置(&C)", "采集管理(&M)", "权限管理(&R)", "帮助(&H)"};
const std::vector<std::string> kManageMenus = {"文件(&F)", "查看(&V)", "系统设置(&C)", "采集管理(&M)", "帮助(&H)"};
const std::vector<std::string> kPlainMenus = {"文件(&F)", "查看(&V)", "帮助(&H)"};
const std::vector<std::string> kScanButton = {"图片扫描"};
const std::vector<std::string> kAllButtons = {"图片扫描", "路径设置", "类型选择", "一次编目", "提交入库"};
const std::vector<std::string> kManageButtons = {"路径设置", "类型选择", "一次编目", "提交入库"};

std::vector<std::string> ButtonTexts(CToolBar& toolBar)
{
    std::vector<std::string> texts;
    int nCount = static_cast<int>(toolBar.SendMessage(TB_BUTTONCOUNT));
    for (int i = 0; i < nCount; ++i)
        texts.push_back(std::string(toolBar.GetButtonText(i)));
    return texts;
}

struct RightsCase {
    const char* name;
    const char* user;
    int scan, picture, manage, fourth;
    int result;
    const std::vector<std::string>* menus;
    const std::vector<std::string>* fileItems;
    const std::vector<std::string>* buttons;  // null: the resource's nine buttons stay
};

const RightsCase kCases[] = {
    {"StartUpRights", "", 1, 1, 0, 1, 1, &kPlainMenus, &kScanItems, &kScanButton},
    {"KeeperWithAllRights", "KEEPR", 1, 1, 1, 1, 1, &kAllMenus, &kScanItems, &kAllButtons},
    {"KeeperInLowerCase", "keepr", 1, 1, 1, 1, 1, &kManageMenus, &kScanItems, &kAllButtons},
    {"KeeperInMixedCase", "Keepr", 1, 1, 1, 1, 1, &kManageMenus, &kScanItems, &kAllButtons},
    {"KeeperLongerName", "KEEPR ", 1, 1, 1, 1, 1, &kManageMenus, &kScanItems, &kAllButtons},
    {"KeeperWithoutFourthRight", "KEEPR", 1, 1, 1, 0, 1, &kManageMenus, &kScanItems, &kAllButtons},
    {"KeeperWithoutPictureRight", "KEEPR", 1, 0, 1, 1, 1, &kManageMenus, &kScanItems, &kAllButtons},
    {"KeeperWithoutScanRight", "KEEPR", 0, 1, 1, 1, 1, &kManageMenus, &kExitOnly, &kManageButtons},
    {"NoScanRight", "", 0, 1, 0, 1, 1, &kPlainMenus, &kExitOnly, nullptr},
    {"NoRightsAtAll", "KEEPR", 0, 0, 0, 1, 0, &kAllMenus, &kScanItems, nullptr},
};

void PrintTo(const RightsCase& c, std::ostream* os) { *os << c.name; }

class RightsTest : public ::testing::TestWithParam<RightsCase> {
protected:
    void TearDown() override
    {
        if (m_app.m_pMainFrame != nullptr)
            m_app.m_pMainFrame->DestroyWindow();
        m_app.m_pMainWnd = nullptr;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    COmbrelleApp m_app;
};

TEST_P(RightsTest, MenusAndToolBarFollowTheRights)
{
    const RightsCase& c = GetParam();
    m_app.m_strUserName = c.user;
    m_app.m_nScanRight = c.scan;
    m_app.m_nPictureRight = c.picture;
    m_app.m_nManageRight = c.manage;
    m_app.m_nFourthRight = c.fourth;

    CMainFrame* pFrame = new CMainFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_MAINFRAME, 0x00CF8000));
    m_app.m_pMainFrame = pFrame;
    m_app.m_pMainWnd = pFrame;
    // The document's menu, as the menu bar holds it once the document is open.
    HMENU hMenu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_OMBRELLETYPE));
    ASSERT_TRUE(::SetMenu(pFrame->GetSafeHwnd(), hMenu));

    EXPECT_EQ(m_app.PruneMenusByRights(), c.result);

    EXPECT_EQ(MenuTexts(hMenu), *c.menus);
    EXPECT_EQ(MenuTexts(::GetSubMenu(hMenu, 0)), *c.fileItems);
    if (c.buttons != nullptr) {
        EXPECT_EQ(ButtonTexts(pFrame->m_wndToolBar), *c.buttons);
        EXPECT_EQ(pFrame->GetToolbarButtonCount(), static_cast<int>(c.buttons->size()));
    } else {
        EXPECT_EQ(pFrame->m_wndToolBar.SendMessage(TB_BUTTONCOUNT), 9);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, RightsTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<RightsCase>& info) { return info.param.name; });

}  // namespace
