#include "JobDialogFixture.h"

#include <dlgs.h>
#include <prsht.h>

#include <functional>
#include <memory>

using namespace jobtest;
using testsupport::Gui;

namespace {

const int kJobs = 4501, kTasks = 4502, kTaskName = 4503, kJobName = 4504, kProperties = 4521;
const char kCreate[] = "创建作业", kOpen[] = "打开作业", kLoad[] = "装入作业", kSheet[] = "作业属性";

struct DialogKind {
    const char* caption;
    std::function<std::unique_ptr<JCJobSelectDlg>()> make;
};

const DialogKind kKinds[] = {
    {kCreate, [] { return std::unique_ptr<JCJobSelectDlg>(new JCCreateJobDlg); }},
    {kOpen, [] { return std::unique_ptr<JCJobSelectDlg>(new JCOpenJobDlg); }},
    {kLoad, [] { return std::unique_ptr<JCJobSelectDlg>(new JCLoadJobDlg); }},
};

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

class JobSelectDialogs : public JobDialogTest {};

}  // namespace

TEST_F(JobSelectDialogs, ListOnlyLowerCaseTaskFilesAndTheFirstTasksJobs)
{
    MakeTask("b.tsk", {"JB"});
    MakeTask("a.tsk", {"J2", "J1"});
    MakeTask("c.TSK", {"JC"});
    ASSERT_TRUE(testsupport::WriteFileBytes(TaskFile("notes.txt"), "x"));
    ::CreateDirectoryA(TaskFile("folder.tsk").c_str(), NULL);

    for (const DialogKind& kind : kKinds) {
        SCOPED_TRACE(kind.caption);
        Lines tasks, jobs;
        std::string taskName, jobName;
        Gui().Expect(kind.caption)
            .Run([&](HWND dialog) {
                tasks = ListLines(dialog, kTasks);
                jobs = ListLines(dialog, kJobs);
                taskName = ItemText(dialog, kTaskName);
                jobName = ItemText(dialog, kJobName);
            })
            .Press(IDCANCEL);
        std::unique_ptr<JCJobSelectDlg> dialog = kind.make();
        EXPECT_EQ(IDCANCEL, dialog->DoModal());
        EXPECT_EQ((Lines{"a.tsk", "b.tsk"}), tasks);
        EXPECT_EQ((Lines{JobFolder("J2"), JobFolder("J1")}), jobs);
        EXPECT_EQ(TaskFile("a.tsk"), taskName);
        EXPECT_EQ(JobFolder("J2"), jobName);
    }
}

TEST_F(JobSelectDialogs, ATaskFolderThatCannotBeSearchedShowsEmptyLists)
{
    JSetTaskPath(m_dir.File("missing").c_str());
    for (const DialogKind& kind : kKinds) {
        SCOPED_TRACE(kind.caption);
        auto& message = Gui().Expect(AfxGetAppName()).Press(IDOK);
        Lines lines{"not read"};
        std::string names = "not read";
        Gui().Expect(kind.caption)
            .Run([&](HWND dialog) {
                lines = ListLines(dialog, kTasks);
                Lines jobs = ListLines(dialog, kJobs);
                lines.insert(lines.end(), jobs.begin(), jobs.end());
                names = ItemText(dialog, kTaskName) + ItemText(dialog, kJobName);
            })
            .Press(IDCANCEL);
        std::unique_ptr<JCJobSelectDlg> dialog = kind.make();
        EXPECT_EQ(IDCANCEL, dialog->DoModal());
        EXPECT_TRUE(message.HasText("非法的文件路径.")) << message.Seen();
        EXPECT_TRUE(lines.empty());
        EXPECT_EQ("", names);
    }
}

TEST_F(JobSelectDialogs, CreateChecksTheTasksLastNameAndMakesTheJobFolder)
{
    MakeTask("a.tsk", {"J1"});
    auto& badTask = Gui().Expect(AfxGetAppName()).Press(IDOK);
    auto& badJob = Gui().Expect(AfxGetAppName()).Press(IDOK);
    Gui().Expect(kCreate)
        .SetText(kTaskName, "a:b")
        .SetText(kJobName, "job1")
        .Press(IDOK)
        .SetText(kTaskName, "d:\\x\\proj.tsk")
        .SetText(kJobName, "J1")
        .Press(IDOK)
        .SetText(kJobName, "job1")
        .Press(IDOK);
    JCCreateJobDlg dialog;
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(badTask.HasText("无效任务名！"));
    EXPECT_TRUE(badJob.HasText("作业名无效，请重新设置。"));
    EXPECT_STREQ("d:\\x\\proj.tsk", dialog.m_strTaskName);
    EXPECT_STREQ("job1", dialog.m_strJobName);
    EXPECT_EQ(1, dialog.m_bNewTask);
    EXPECT_TRUE(Exists(JobFolder("job1")));
    EXPECT_FALSE(Exists(JobFolder("a:b")));

    // The same task, listed, is not new.
    Gui().Expect(kCreate).SetText(kTaskName, "A").SetText(kJobName, "job2").Press(IDOK);
    JCCreateJobDlg again;
    ASSERT_EQ(IDOK, again.DoModal());
    EXPECT_EQ(0, again.m_bNewTask);
}

TEST_F(JobSelectDialogs, JCreateJobWritesTheTaskAndTheJobWithTheirProperties)
{
    Gui().Expect(kCreate).SetText(kTaskName, "proj").SetText(kJobName, "job1").Press(kProperties).Press(IDOK);
    std::string owner;
    Gui().Expect(kSheet)
        .Run([&](HWND sheet) {
            HWND page = CurrentPage(sheet);
            owner = ItemText(page, 4527);
            ::SetDlgItemTextA(page, 4529, "管理者");
            ::SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
            page = CurrentPage(sheet);
            ::SetDlgItemTextA(page, 4534, "张三");
            ::SendDlgItemMessageA(page, 4536, CB_SETCURSEL, 1, 0);
        })
        .Press(IDOK);
    JCreateJob();
    EXPECT_EQ("读/写", owner);
    ASSERT_EQ(1, JIsJobOpen());

    // The manager names both in the upper-case task folder.
    JCTask task;
    ASSERT_TRUE(ReadTaskFile(TaskFile("proj.tsk").c_str(), task));
    ASSERT_EQ(1, task.m_lstJob.GetCount());
    EXPECT_TRUE(lstrcmpiA(JobFolder("job1").c_str(),
                          static_cast<JCFileName*>(task.m_lstJob.GetHead())->m_strPath) == 0);
    EXPECT_STREQ("管理者", task.m_strText[3]);
    JCJob job;
    ASSERT_TRUE(ReadJobFile(JobFile("job1").c_str(), job));
    EXPECT_STREQ("张三", job.m_strText[0]);
    EXPECT_EQ(1, job.m_nOwnerAccess);
    EXPECT_EQ(3, job.m_nGroupAccess);
}

TEST_F(JobSelectDialogs, JOpenJobOpensTheChosenJobWithItsOwnProperties)
{
    MakeTask("T.tsk", {"J1", "J2"});
    // The task page is changed and cancelled; the job chosen afterwards
    // keeps what its own file holds.
    Gui().Expect(kOpen).Press(kProperties).SelectItem(kJobs, 1).Press(IDOK);
    Gui().Expect(kSheet)
        .Run([](HWND sheet) { ::SendDlgItemMessageA(CurrentPage(sheet), 4527, CB_SETCURSEL, 0, 0); })
        .Press(IDCANCEL);
    JOpenJob();
    ASSERT_EQ(1, JIsJobOpen());
    EXPECT_TRUE(lstrcmpiA(JobFile("J2").c_str(), JGetCurJob()->m_strJobFile) == 0);
    EXPECT_STREQ("创建者J2", JGetCurJob()->m_strText[0]);
    EXPECT_EQ(3, JGetCurTask()->m_nOwnerAccess);
    JCJob onDisk;
    ASSERT_TRUE(ReadJobFile(JobFile("J2").c_str(), onDisk));
    EXPECT_STREQ("创建者J2", onDisk.m_strText[0]);
}

TEST_F(JobSelectDialogs, OpenPropertiesAcceptedGoIntoTheOpenedJob)
{
    MakeTask("T.tsk", {"J1"});
    Gui().Expect(kOpen).Press(kProperties).Press(IDOK);
    Gui().Expect(kSheet)
        .Run([](HWND sheet) {
            ::SendDlgItemMessageA(CurrentPage(sheet), 4528, CB_SETCURSEL, 1, 0);
            ::SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
            ::SetDlgItemTextA(CurrentPage(sheet), 4535, "操作者");
        })
        .Press(IDOK);
    JOpenJob();
    ASSERT_EQ(1, JIsJobOpen());
    EXPECT_EQ(1, JGetCurTask()->m_nGroupAccess);
    JCJob onDisk;
    ASSERT_TRUE(ReadJobFile(JobFile("J1").c_str(), onDisk));
    EXPECT_STREQ("操作者", onDisk.m_strText[2]);
    EXPECT_STREQ("创建者J1", onDisk.m_strText[0]);
}

TEST_F(JobSelectDialogs, OpenPropertiesNeedAJobFileAndATask)
{
    MakeTask("T.tsk", {"J1"});
    auto& missing = Gui().Expect(AfxGetAppName()).Press(IDOK);
    Gui().Expect(kOpen).SetText(kJobName, JobFolder("gone")).Press(kProperties).Press(IDCANCEL);
    JOpenJob();
    EXPECT_TRUE(missing.HasText("作业不存在。"));

    // No task file at all: the button does nothing.
    ::DeleteFileA(TaskFile("T.tsk").c_str());
    Gui().Expect(kOpen).Press(kProperties).Press(IDCANCEL);
    JOpenJob();
    EXPECT_EQ(0, JIsJobOpen());
}

TEST_F(JobSelectDialogs, LoadNeedsADumpFile)
{
    MakeTask("T.tsk", {"J1"});
    auto& message = Gui().Expect(AfxGetAppName()).Press(IDOK);
    Gui().Expect(kLoad).SetText(kJobName, JobFolder("target")).Press(IDOK).Press(IDCANCEL);
    JCLoadJobDlg dialog;
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_TRUE(message.HasText("源作业名无效，请重新选择。"));
    EXPECT_FALSE(Exists(JobFolder("target")));
}

TEST_F(JobSelectDialogs, TheFileDialogsFillTheirEdits)
{
    const std::string dump = m_dir.File("copy.dmp");
    ASSERT_TRUE(testsupport::WriteFileBytes(dump, "x"));
    const std::string place = m_dir.File("新位置");
    std::string jobName, dumpName;
    Gui().Expect(kLoad)
        .Press(4520)
        .Press(4566)
        .Run([&](HWND dialog) {
            jobName = ItemText(dialog, kJobName);
            dumpName = ItemText(dialog, 4508);
        })
        .SetText(kTaskName, "T")
        .Press(IDOK);
    Gui().Expect("选择新作业路径").SetText(cmb13, place).Press(IDOK);
    Gui().Expect("选择装入作业").SetText(cmb13, dump).Press(IDOK);
    JCLoadJobDlg dialog;
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(place, jobName);
    EXPECT_EQ(dump, dumpName);
    EXPECT_STREQ(dump.c_str(), dialog.m_strSourceFile);
    EXPECT_STREQ(place.c_str(), dialog.m_strJobName);
    EXPECT_EQ(1, dialog.m_bNewTask);
    EXPECT_TRUE(Exists(place));
}

// c.TSK is not listed, so the dialog calls the task new; its file is the
// same as c.tsk and keeps its jobs. One that cannot be read is not replaced.
TEST_F(JobSelectDialogs, JCreateJobJoinsATaskFileTheListDidNotShow)
{
    MakeTask("c.TSK", {"JC"});
    Gui().Expect(kCreate).SetText(kTaskName, "c").SetText(kJobName, "job1").Press(IDOK);
    JCreateJob();
    ASSERT_EQ(1, JIsJobOpen());
    Lines jobs = TaskJobs("c.TSK");
    ASSERT_EQ(2u, jobs.size());
    EXPECT_EQ(JobFolder("JC"), jobs[0]);
    EXPECT_TRUE(lstrcmpiA(JobFolder("job1").c_str(), jobs[1].c_str()) == 0);
    JCloseJob();

    ASSERT_TRUE(testsupport::WriteFileBytes(TaskFile("d.TSK"), "not a task"));
    auto& refused = Gui().Expect(AfxGetAppName()).Press(IDOK);
    Gui().Expect(kCreate).SetText(kTaskName, "d").SetText(kJobName, "job2").Press(IDOK);
    JCreateJob();
    EXPECT_TRUE(refused.HasText("任务文件已被删除，无法在该任务中创建新作业！"));
    EXPECT_EQ(0, JIsJobOpen());
    EXPECT_EQ("not a task", testsupport::ReadFileBytes(TaskFile("d.TSK")));
}
