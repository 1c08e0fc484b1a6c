#include "afxwin.h"

#include "DrawingTestRes.h"

#include "DrawingPrinters.h"

#include <gtest/gtest.h>

#include <string>

AFX_API void AFXAPI AfxDeleteTempHandleMaps();

namespace {

class LoadedMenu : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(menu.LoadMenu(IDR_DRAWTEST_MENU)); }

    CString Text(CMenu* pMenu, UINT item, UINT flags)
    {
        CString text;
        pMenu->GetMenuString(item, text, flags);
        return text;
    }

    CMenu menu;
};

TEST_F(LoadedMenu, ReadsItemsByPositionAndByCommand)
{
    EXPECT_EQ(menu.GetMenuItemCount(), 2u);
    EXPECT_STREQ(Text(&menu, 0, MF_BYPOSITION), "文件(&F)");
    EXPECT_STREQ(Text(&menu, 1, MF_BYPOSITION), "视图(&V)");
    // By command the search goes down into the popups.
    EXPECT_STREQ(Text(&menu, ID_DRAWTEST_OPEN, MF_BYCOMMAND), "打开(&O)...\tCtrl+O");
    EXPECT_STREQ(Text(&menu, ID_DRAWTEST_ZOOM_OUT, MF_BYCOMMAND), "缩小");

    CMenu* file = menu.GetSubMenu(0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->GetMenuItemCount(), 3u);
    EXPECT_EQ(file->GetMenuItemID(0), (UINT)ID_DRAWTEST_OPEN);
    EXPECT_EQ(file->GetMenuItemID(1), 0u);  // separator
    EXPECT_EQ(file->GetMenuState(1, MF_BYPOSITION) & MF_SEPARATOR, (UINT)MF_SEPARATOR);
    EXPECT_EQ(menu.GetMenuItemID(0), (UINT)-1);  // a popup has no command
    EXPECT_EQ(menu.GetSubMenu(5), nullptr);

    // The fixed-size overload cuts the text and answers the bytes copied.
    char buffer[5];
    EXPECT_EQ(menu.GetMenuString(ID_DRAWTEST_EXIT, buffer, sizeof(buffer), MF_BYCOMMAND), 4);
    EXPECT_STREQ(buffer, "退出");
    EXPECT_EQ(menu.GetMenuString(48199, buffer, sizeof(buffer), MF_BYCOMMAND), 0);
    CString none("x");
    EXPECT_EQ(menu.GetMenuString(48199, none, MF_BYCOMMAND), 0);
    EXPECT_TRUE(none.IsEmpty());
}

TEST_F(LoadedMenu, LongItemTextsComeBackWhole)
{
    std::string longText(300, 'a');
    longText += "尾";
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, ID_DRAWTEST_NEW, longText.c_str()));
    CString text;
    EXPECT_EQ(menu.GetMenuString(ID_DRAWTEST_NEW, text, MF_BYCOMMAND), (int)longText.size());
    EXPECT_STREQ(text, longText.c_str());
}

TEST_F(LoadedMenu, SubMenusAreTemporaryWrappersThatDoNotOwnTheMenu)
{
    CMenu* view = menu.GetSubMenu(1);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(menu.GetSubMenu(1), view);
    HMENU hView = view->GetSafeHmenu();
    EXPECT_EQ(CMenu::FromHandle(hView), view);
    EXPECT_EQ(CMenu::FromHandlePermanent(hView), nullptr);
    EXPECT_EQ(CMenu::FromHandlePermanent(menu.m_hMenu), &menu);
    AfxDeleteTempHandleMaps();
    EXPECT_TRUE(::IsMenu(hView)) << "dropping the temporary destroyed the popup";
    EXPECT_EQ(::GetSubMenu(menu.m_hMenu, 1), hView);

    CMenu* zoom = menu.GetSubMenu(1)->GetSubMenu(2);
    ASSERT_NE(zoom, nullptr);
    EXPECT_EQ(zoom->GetMenuItemID(0), (UINT)ID_DRAWTEST_ZOOM_IN);
}

TEST_F(LoadedMenu, CheckAndEnableAnswerThePreviousState)
{
    EXPECT_EQ(menu.GetMenuState(ID_DRAWTEST_TOOLBAR, MF_BYCOMMAND) & MF_CHECKED, (UINT)MF_CHECKED);
    EXPECT_EQ(menu.CheckMenuItem(ID_DRAWTEST_TOOLBAR, MF_BYCOMMAND | MF_UNCHECKED), (UINT)MF_CHECKED);
    EXPECT_EQ(menu.CheckMenuItem(ID_DRAWTEST_TOOLBAR, MF_BYCOMMAND | MF_CHECKED), (UINT)MF_UNCHECKED);
    EXPECT_EQ(menu.CheckMenuItem(48199, MF_BYCOMMAND | MF_CHECKED), (UINT)-1);

    EXPECT_EQ(menu.GetMenuState(ID_DRAWTEST_STATUSBAR, MF_BYCOMMAND) & MF_GRAYED, (UINT)MF_GRAYED);
    EXPECT_EQ(menu.EnableMenuItem(ID_DRAWTEST_STATUSBAR, MF_BYCOMMAND | MF_ENABLED), (UINT)MF_GRAYED);
    EXPECT_EQ(menu.GetMenuState(ID_DRAWTEST_STATUSBAR, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED), 0u);
    EXPECT_EQ(menu.EnableMenuItem(ID_DRAWTEST_STATUSBAR, MF_BYCOMMAND | MF_GRAYED), (UINT)MF_ENABLED);

    // One radio item of the group is checked at a time.
    CMenu* view = menu.GetSubMenu(1);
    ASSERT_TRUE(view->CheckMenuRadioItem(ID_DRAWTEST_ALIGN_LEFT, ID_DRAWTEST_ALIGN_RIGHT,
                                         ID_DRAWTEST_ALIGN_CENTER, MF_BYCOMMAND));
    ASSERT_TRUE(view->CheckMenuRadioItem(ID_DRAWTEST_ALIGN_LEFT, ID_DRAWTEST_ALIGN_RIGHT,
                                         ID_DRAWTEST_ALIGN_RIGHT, MF_BYCOMMAND));
    EXPECT_EQ(view->GetMenuState(ID_DRAWTEST_ALIGN_CENTER, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(view->GetMenuState(ID_DRAWTEST_ALIGN_RIGHT, MF_BYCOMMAND) & MF_CHECKED, (UINT)MF_CHECKED);

    ASSERT_TRUE(view->SetDefaultItem(ID_DRAWTEST_TOOLBAR));
    EXPECT_EQ(view->GetDefaultItem(0), (UINT)ID_DRAWTEST_TOOLBAR);
    ASSERT_TRUE(view->SetDefaultItem(4, TRUE));
    EXPECT_EQ(view->GetDefaultItem(0, TRUE), 4u);
}

TEST_F(LoadedMenu, InsertAppendModifyDeleteAndRemove)
{
    CMenu* file = menu.GetSubMenu(0);
    ASSERT_TRUE(file->InsertMenu(0, MF_BYPOSITION | MF_STRING, ID_DRAWTEST_NEW, "新建(&N)"));
    EXPECT_EQ(file->GetMenuItemID(0), (UINT)ID_DRAWTEST_NEW);
    EXPECT_EQ(file->GetMenuItemID(1), (UINT)ID_DRAWTEST_OPEN);
    ASSERT_TRUE(file->ModifyMenu(ID_DRAWTEST_NEW, MF_BYCOMMAND | MF_STRING, ID_DRAWTEST_NEW, "新"));
    EXPECT_STREQ(Text(file, 0, MF_BYPOSITION), "新");
    ASSERT_TRUE(file->DeleteMenu(ID_DRAWTEST_NEW, MF_BYCOMMAND));
    EXPECT_EQ(file->GetMenuItemID(0), (UINT)ID_DRAWTEST_OPEN);

    // A popup built apart and appended: the bar owns it from then on.
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, ID_DRAWTEST_NEW, "新建");
    popup.AppendMenu(MF_SEPARATOR);
    ASSERT_TRUE(menu.AppendMenu(MF_POPUP, (UINT_PTR)popup.Detach(), "帮助(&H)"));
    EXPECT_EQ(menu.GetMenuItemCount(), 3u);
    EXPECT_EQ(menu.GetSubMenu(2)->GetMenuItemCount(), 2u);

    // Removing a popup keeps it alive for the caller; deleting destroys it.
    HMENU hHelp = ::GetSubMenu(menu.m_hMenu, 2);
    ASSERT_TRUE(menu.RemoveMenu(2, MF_BYPOSITION));
    EXPECT_TRUE(::IsMenu(hHelp));
    {
        CMenu help;
        help.Attach(hHelp);
    }
    EXPECT_FALSE(::IsMenu(hHelp)) << "the owner's destructor destroys the menu";

    HMENU hFile = ::GetSubMenu(menu.m_hMenu, 0);
    ASSERT_TRUE(menu.DeleteMenu(0, MF_BYPOSITION));
    EXPECT_FALSE(::IsMenu(hFile));
    EXPECT_EQ(menu.GetMenuItemCount(), 1u);
}

TEST(Menu, OwnershipFollowsAttachAndDetach)
{
    HMENU hMenu;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreateMenu());
        hMenu = menu;
        EXPECT_EQ(CMenu::FromHandle(hMenu), &menu);
        EXPECT_EQ(CMenu::FromHandlePermanent(hMenu), &menu);
    }
    EXPECT_FALSE(::IsMenu(hMenu));

    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(IDR_DRAWTEST_MISSING));
    EXPECT_EQ(missing.GetSafeHmenu(), nullptr);
    EXPECT_FALSE(missing.DestroyMenu());
    CMenu* none = NULL;
    EXPECT_EQ(none->GetSafeHmenu(), nullptr);
}

}  // namespace
