#include "JobDialogFixture.h"

#include "Convert.h"

#include <prsht.h>

using namespace jobtest;
using testsupport::Gui;

namespace {

const char kSheet[] = "作业属性";
const int kTaskOwner = 4527, kTaskGroup = 4528, kTaskManager = 4529, kJobOwner = 4536, kJobGroup = 4537;

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

std::string ComboText(HWND page, int id) { return ItemText(page, id); }

void ShowPage(HWND sheet, int index) { ::SendMessageA(sheet, PSM_SETCURSEL, index, 0); }

class JobPropertySheet : public JobDialogTest {
protected:
    void SetUp() override
    {
        JobDialogTest::SetUp();
        m_task.m_strTaskFile = "D:\\T\\proj.tsk";
        m_task.m_strText[3] = "管理者甲";
        m_task.m_strText[1] = "用户乙";
        m_task.m_nOwnerAccess = 2;
        m_task.m_nGroupAccess = 1;
        m_job.m_strJobFile = "D:\\T\\J\\J.job";
        m_job.m_strText[0] = "创建者丙";
        m_job.m_strText[2] = "操作者丁";
        m_job.m_strText[3] = "需求";
        m_job.m_nOwnerAccess = 0;
        m_job.m_nGroupAccess = 2;
        m_job.m_strScanProfile = "scan.icc";
        m_job.m_strDisplayProfile = "screen.icc";
        m_job.m_strPrintProfile = "print.icc";
    }

    JCTask m_task;
    JCJob m_job;
};

}  // namespace

TEST_F(JobPropertySheet, OkAtOnceGivesBackWhatTheCallerSet)
{
    JCPropertySheet sheet;
    FillJobProperties(sheet, m_task.m_strTaskFile, &m_task, m_job.m_strJobFile, &m_job);
    std::string manager, owner, group;
    bool apply = true, help = true;
    Gui().Expect(kSheet)
        .Run([&](HWND window) {
            HWND page = CurrentPage(window);
            manager = ItemText(page, kTaskManager);
            owner = ComboText(page, kTaskOwner);
            group = ComboText(page, kTaskGroup);
            apply = ::IsWindowVisible(::GetDlgItem(window, 0x3021)) != FALSE;
            help = ::IsWindowVisible(::GetDlgItem(window, IDHELP)) != FALSE;
        })
        .Press(IDOK);
    ASSERT_EQ(IDOK, sheet.DoModal());
    EXPECT_EQ("管理者甲", manager);
    EXPECT_EQ("只写", owner);
    EXPECT_EQ("只读", group);
    EXPECT_FALSE(apply);
    EXPECT_FALSE(help);

    EXPECT_STREQ("创建者丙", sheet.m_pageJob.m_strCreator);
    EXPECT_STREQ("操作者丁", sheet.m_pageJob.m_strOperator);
    EXPECT_EQ(0, sheet.m_pageJob.m_nOwnerAccess);
    EXPECT_EQ(2, sheet.m_pageJob.m_nGroupAccess);
    EXPECT_STREQ("scan.icc", sheet.m_pageProfile.m_strScannerProfile);
    EXPECT_STREQ("screen.icc", sheet.m_pageProfile.m_strDisplayProfile);
    EXPECT_STREQ("print.icc", sheet.m_pageProfile.m_strPrinterProfile);

    JCTask task;
    JCJob job;
    WriteBackJobProperties(sheet, &task, &job);
    EXPECT_STREQ("管理者甲", task.m_strText[3]);
    EXPECT_STREQ("用户乙", task.m_strText[1]);
    EXPECT_EQ(2, task.m_nOwnerAccess);
    EXPECT_EQ(1, task.m_nGroupAccess);
    EXPECT_STREQ("需求", job.m_strText[3]);
    EXPECT_EQ(0, job.m_nOwnerAccess);
    EXPECT_EQ(2, job.m_nGroupAccess);
}

TEST_F(JobPropertySheet, EditsOnThePagesAreWrittenBack)
{
    JCPropertySheet sheet;
    FillJobProperties(sheet, m_task.m_strTaskFile, &m_task, m_job.m_strJobFile, &m_job);
    Gui().Expect(kSheet)
        .Run([](HWND window) {
            HWND page = CurrentPage(window);
            ::SendDlgItemMessageA(page, kTaskOwner, CB_SETCURSEL, 1, 0);  // 只读
            ::SetDlgItemTextA(page, kTaskManager, "新管理者");
            ShowPage(window, 1);
            ::SendDlgItemMessageA(CurrentPage(window), kJobGroup, CB_SETCURSEL, 3, 0);
        })
        .Press(IDOK);
    ASSERT_EQ(IDOK, sheet.DoModal());
    WriteBackJobProperties(sheet, &m_task, &m_job);
    EXPECT_EQ(1, m_task.m_nOwnerAccess);
    EXPECT_EQ(1, m_task.m_nGroupAccess);
    EXPECT_STREQ("新管理者", m_task.m_strText[3]);
    EXPECT_EQ(3, m_job.m_nGroupAccess);
    EXPECT_EQ(0, m_job.m_nOwnerAccess);
}

TEST_F(JobPropertySheet, WithoutTheFilesThePagesShowThePathsAndFullAccess)
{
    JSetDefaultProfiles("默认扫描.icc", "默认打印.icc", "默认显示.icc");
    JCPropertySheet sheet;
    FillJobProperties(sheet, "D:\\T\\new.tsk", NULL, "D:\\T\\N\\N.job", NULL);
    std::vector<std::string> seen;
    Gui().Expect(kSheet)
        .Run([&](HWND window) {
            HWND page = CurrentPage(window);
            seen = {ItemText(page, 4522), ComboText(page, kTaskOwner), ComboText(page, kTaskGroup)};
            ShowPage(window, 1);
            page = CurrentPage(window);
            seen.insert(seen.end(), {ItemText(page, 4532), ComboText(page, kJobOwner), ComboText(page, kJobGroup)});
            ShowPage(window, 2);
            seen.push_back(ItemText(CurrentPage(window), 4548));
        })
        .Press(IDCANCEL);
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ((std::vector<std::string>{"D:\\T\\new.tsk", "读/写", "读/写", "D:\\T\\N\\N.job", "读/写", "读/写",
                                        "默认扫描.icc"}),
              seen);
}

// Button 4551 is never shown; its handler still asks the convert library
// for the profiles, from the fixed folder and the job's folder.
TEST_F(JobPropertySheet, TheProfileChoiceFillsTheProfilePage)
{
    JCPropertySheet sheet;
    FillJobProperties(sheet, m_task.m_strTaskFile, &m_task, m_job.m_strJobFile, &m_job);
    bool hidden = false;
    std::string shown;
    Gui().Expect(kSheet)
        .Run([&](HWND window) {
            ShowPage(window, 2);
            HWND page = CurrentPage(window);
            HWND button = ::GetDlgItem(page, 4551);
            hidden = !::IsWindowVisible(button) && !::IsWindowEnabled(button);
            ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(4551, BN_CLICKED), reinterpret_cast<LPARAM>(button));
            shown = ItemText(page, 4548);
        })
        .Press(IDOK);
    Gui().Expect("选择色彩配置文件").SetText(1001, "新扫描.icc").SetText(1003, "新打印.icc").Press(IDOK);
    ConvertClearCallLog();
    ASSERT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(hidden);
    EXPECT_EQ("新扫描.icc", shown);
    EXPECT_STREQ("新扫描.icc", sheet.m_pageProfile.m_strScannerProfile);
    EXPECT_STREQ("新打印.icc", sheet.m_pageProfile.m_strPrinterProfile);
    EXPECT_STREQ("", sheet.m_pageProfile.m_strDisplayProfile);
    EXPECT_EQ("100 c:\\fairmoor \n", std::string(ConvertCallLog()));
}
