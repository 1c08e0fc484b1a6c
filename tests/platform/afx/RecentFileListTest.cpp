#include "afxwin.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ProfileApp : public CWinApp {
public:
    ProfileApp() : CWinApp("最近文件测试") { SetRegistryKey(testsupport::ProcessUnique("OmbrelleTest").c_str()); }
};

// A menu update as the frame makes one for the placeholder item.
class MenuCmdUI : public CCmdUI {
public:
    MenuCmdUI(CMenu* pMenu, UINT nID, UINT nIndex)
    {
        m_pMenu = pMenu;
        m_nID = nID;
        m_nIndex = nIndex;
        m_nIndexMax = pMenu->GetMenuItemCount();
    }
};

std::vector<std::string> Entries(CRecentFileList& list)
{
    std::vector<std::string> entries;
    for (int i = 0; i < list.GetSize(); i++)
        entries.push_back((LPCTSTR)list[i]);
    return entries;
}

std::vector<std::string> MenuTexts(CMenu& menu)
{
    std::vector<std::string> texts;
    for (UINT i = 0; i < menu.GetMenuItemCount(); i++) {
        CString text;
        menu.GetMenuString(i, text, MF_BYPOSITION);
        texts.push_back(std::to_string(menu.GetMenuItemID(i)) + " " + (LPCTSTR)text);
    }
    return texts;
}

}  // namespace

TEST(RecentFileList, MostRecentFirstWithoutDuplicates)
{
    CRecentFileList list(100, "Recent", "File%d", 3);
    list.Add("C:\\a.job");
    list.Add("C:\\b.job");
    list.Add("C:\\c.job");
    EXPECT_EQ(std::vector<std::string>({"C:\\c.job", "C:\\b.job", "C:\\a.job"}), Entries(list));
    list.Add("c:\\B.JOB");
    EXPECT_EQ(std::vector<std::string>({"c:\\B.JOB", "C:\\c.job", "C:\\a.job"}), Entries(list));
    list.Add("C:\\d.job");
    EXPECT_EQ(std::vector<std::string>({"C:\\d.job", "c:\\B.JOB", "C:\\c.job"}), Entries(list));
    list.Remove(0);
    EXPECT_EQ(std::vector<std::string>({"c:\\B.JOB", "C:\\c.job", ""}), Entries(list));
}

TEST(RecentFileList, WrittenToAndReadFromTheProfile)
{
    ProfileApp app;
    app.WriteProfileString("Recent Test", "File3", "stale");
    {
        CRecentFileList list(100, "Recent Test", "File%d", 4);
        list.Add("C:\\a.job(T.tsk)");
        list.Add("C:\\作业\\b.job(T.tsk)");
        list.WriteList();
    }
    EXPECT_STREQ("C:\\作业\\b.job(T.tsk)", app.GetProfileString("Recent Test", "File1"));
    EXPECT_STREQ("", app.GetProfileString("Recent Test", "File3"));
    CRecentFileList read(100, "Recent Test", "File%d", 4);
    read.ReadList();
    EXPECT_EQ(std::vector<std::string>({"C:\\作业\\b.job(T.tsk)", "C:\\a.job(T.tsk)", "", ""}), Entries(read));
    app.WriteProfileString("Recent Test", NULL, NULL);
}

TEST(RecentFileList, MenuItemsReplaceThePlaceholder)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 10, "打开");
    menu.AppendMenu(MF_STRING, 200, "最近的文件");
    menu.AppendMenu(MF_STRING, 11, "退出");

    CRecentFileList list(200, "Recent", "File%d", 4, 40);
    MenuCmdUI empty(&menu, 200, 1);
    list.UpdateMenu(&empty);
    EXPECT_EQ(MF_GRAYED, menu.GetMenuState(200, MF_BYCOMMAND) & MF_GRAYED);

    list.Add("C:\\a&b.job");
    list.Add("C:\\x\\y.job");
    MenuCmdUI update(&menu, 200, 1);
    list.UpdateMenu(&update);
    EXPECT_EQ(std::vector<std::string>({"10 打开", "200 &1 C:\\x\\y.job", "201 &2 C:\\a&&b.job", "11 退出"}),
              MenuTexts(menu));

    // Updating again replaces the items instead of adding more.
    list.Add("C:\\z.job");
    MenuCmdUI again(&menu, 200, 1);
    list.UpdateMenu(&again);
    EXPECT_EQ(5u, menu.GetMenuItemCount());
    EXPECT_EQ(std::vector<std::string>({"10 打开", "200 &1 C:\\z.job", "201 &2 C:\\x\\y.job", "202 &3 C:\\a&&b.job",
                                        "11 退出"}),
              MenuTexts(menu));
}

TEST(RecentFileList, DisplayNames)
{
    CRecentFileList list(100, "Recent", "File%d", 3, 20);
    list.Add("C:\\very\\long\\folder\\name.job");
    list.Add("D:\\work\\short.job");
    CString name;
    EXPECT_TRUE(list.GetDisplayName(name, 0, "D:\\work", 7));
    EXPECT_STREQ("short.job", name);
    EXPECT_TRUE(list.GetDisplayName(name, 0, "E:\\other", 8));
    EXPECT_STREQ("D:\\work\\short.job", name);
    EXPECT_TRUE(list.GetDisplayName(name, 1, NULL, 0));
    EXPECT_STREQ("C:\\...\\name.job", name);
    EXPECT_FALSE(list.GetDisplayName(name, 2, NULL, 0));
}
