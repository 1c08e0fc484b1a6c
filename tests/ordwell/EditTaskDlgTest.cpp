#include "JobDialogFixture.h"

using namespace jobtest;
using testsupport::Gui;

namespace {

const int kTasks = 4588, kJobs = 4589, kDelete = 4590, kMove = 4591;
const char kEditTask[] = "编辑任务";

struct Shown {
    Lines tasks, jobs;
    bool canDelete = false, canMove = false;
};

std::function<void(HWND)> Read(Shown& shown)
{
    return [&shown](HWND dialog) {
        shown.tasks = ListLines(dialog, kTasks);
        shown.jobs = ListLines(dialog, kJobs);
        shown.canDelete = Enabled(dialog, kDelete);
        shown.canMove = Enabled(dialog, kMove);
    };
}

class EditTask : public JobDialogTest {};

}  // namespace

TEST_F(EditTask, ListsLowerCaseTaskFilesAndOffersWhatTheirNumberAllows)
{
    struct Case {
        std::vector<std::string> files;
        Lines listed;
        bool canDelete, canMove;
    } cases[] = {
        {{}, {}, false, false},
        {{"a.tsk"}, {"a.tsk"}, true, false},
        {{"c.tsk", "B.TSK", "a.tsk"}, {"a.tsk", "c.tsk"}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.listed.size());
        for (const std::string& file : c.files)
            MakeTask(file, {"J" + file.substr(0, 1)});
        Shown shown;
        Gui().Expect(kEditTask).Run(Read(shown)).Press(IDOK);
        JEditTask();
        EXPECT_EQ(c.listed, shown.tasks);
        EXPECT_EQ(c.canDelete, shown.canDelete);
        EXPECT_EQ(c.canMove, shown.canMove);
        if (!c.listed.empty()) {
            EXPECT_EQ((Lines{JobFolder("Ja")}), shown.jobs);
        }
    }
}

TEST_F(EditTask, DeletingTheLastJobDeletesTheTaskFileAndTheFolder)
{
    MakeTask("a.tsk", {"J1"});
    ASSERT_TRUE(testsupport::WriteFileBytes(JobFolder("J1") + "\\page.apg", "x"));
    OpenInManager("a.tsk", "J1");
    auto& question = Gui().Expect(AfxGetAppName()).Press(IDYES);
    auto& none = Gui().Expect(AfxGetAppName()).Press(IDOK);
    Shown shown;
    Gui().Expect(kEditTask).Press(kDelete).Run(Read(shown)).Press(IDOK);
    JEditTask();
    EXPECT_TRUE(question.HasText("是否确信要删除作业 \n   " + JobFolder("J1") + "?"));
    EXPECT_TRUE(none.HasText("已经没有任何任务！"));
    EXPECT_EQ(0, JIsJobOpen());
    EXPECT_FALSE(Exists(TaskFile("a.tsk")));
    EXPECT_FALSE(Exists(JobFolder("J1")));
    EXPECT_TRUE(shown.tasks.empty());
    EXPECT_TRUE(shown.jobs.empty());
    EXPECT_FALSE(shown.canDelete);
    EXPECT_FALSE(shown.canMove);
}

TEST_F(EditTask, DeletingAJobOfATaskWithOthersKeepsTheTaskAndTheManagersCopyInStep)
{
    MakeTask("a.tsk", {"J1", "J2"});
    OpenInManager("a.tsk", "J2");
    Gui().Expect(AfxGetAppName()).Press(IDYES);
    Gui().Expect(kEditTask).Press(kDelete).Press(IDOK);
    JEditTask();
    EXPECT_EQ(1, JIsJobOpen());
    EXPECT_EQ((Lines{JobFolder("J2")}), TaskJobs("a.tsk"));
    // The manager writes its task when the job closes: J1 stays gone.
    JCloseJob();
    EXPECT_EQ((Lines{JobFolder("J2")}), TaskJobs("a.tsk"));
    EXPECT_FALSE(Exists(JobFolder("J1")));
}

// A task file that lists a drive's root as a job: the entry goes, the
// root's files stay.
TEST_F(EditTask, DeletingAJobListedAsADriveRootDeletesNoFile)
{
    const std::string bystander = "C:\\" + testsupport::ProcessUnique("ombrelle-keep") + ".txt";
    ASSERT_TRUE(testsupport::WriteFileBytes(bystander, "kept"));
    JCTask task;
    task.m_lstJob.AddTail(new JCFileName("C:\\"));
    ASSERT_TRUE(WriteTaskFile(TaskFile("a.tsk").c_str(), task));
    Gui().Expect(AfxGetAppName()).Press(IDYES);
    Gui().Expect(AfxGetAppName()).Press(IDOK);  // no task left
    auto& failed = Gui().Expect(AfxGetAppName()).Press(IDOK);
    Gui().Expect(kEditTask).Press(kDelete).Press(IDOK);
    JEditTask();
    EXPECT_TRUE(failed.HasText("C:\\ 目录删除失败，可能该目录已被删除"));
    EXPECT_EQ("kept", testsupport::ReadFileBytes(bystander));
    ::DeleteFileA(bystander.c_str());
}

TEST_F(EditTask, AMoveWritesBothTasksAndClosesTheMovedJobFirst)
{
    MakeTask("a.tsk", {"J1", "J2"});
    MakeTask("b.tsk", {"J3"});
    OpenInManager("a.tsk", "J1");
    Shown moving, after;
    Gui().Expect(kEditTask)
        .Press(kMove)
        .Run(Read(moving))
        .SelectItem(kTasks, "b.tsk")
        .Run(Read(after))
        .Press(IDOK);
    JEditTask();
    EXPECT_FALSE(moving.canDelete);
    EXPECT_FALSE(moving.canMove);
    EXPECT_EQ(0, JIsJobOpen());
    EXPECT_EQ((Lines{JobFolder("J2")}), TaskJobs("a.tsk"));
    EXPECT_EQ((Lines{JobFolder("J3"), JobFolder("J1")}), TaskJobs("b.tsk"));
    EXPECT_EQ((Lines{JobFolder("J2")}), after.jobs);
    EXPECT_TRUE(after.canDelete);
    EXPECT_TRUE(after.canMove);
}

TEST_F(EditTask, MovingTheOnlyJobAwayDeletesTheSourceTask)
{
    MakeTask("a.tsk", {"J1"});
    MakeTask("b.tsk", {"J3"});
    Shown after;
    Gui().Expect(kEditTask).Press(kMove).SelectItem(kTasks, "b.tsk").Run(Read(after)).Press(IDOK);
    JEditTask();
    EXPECT_FALSE(Exists(TaskFile("a.tsk")));
    EXPECT_EQ((Lines{"b.tsk"}), after.tasks);
    EXPECT_EQ((Lines{JobFolder("J3"), JobFolder("J1")}), TaskJobs("b.tsk"));
    EXPECT_TRUE(Exists(JobFile("J1")));
}

TEST_F(EditTask, MovingOntoItsOwnTaskIsRefusedAndChangesNothing)
{
    MakeTask("a.tsk", {"J1"});
    MakeTask("b.tsk", {"J3"});
    const std::string before = testsupport::ReadFileBytes(TaskFile("a.tsk"));
    auto& refused = Gui().Expect(AfxGetAppName()).Press(IDOK);
    Shown after;
    Gui().Expect(kEditTask).Press(kMove).SelectItem(kTasks, "a.tsk").Run(Read(after)).Press(IDOK);
    JEditTask();
    EXPECT_TRUE(refused.HasText("作业移动非法！"));
    EXPECT_EQ(before, testsupport::ReadFileBytes(TaskFile("a.tsk")));
    EXPECT_EQ((Lines{JobFolder("J3")}), TaskJobs("b.tsk"));
    EXPECT_EQ((Lines{JobFolder("J1")}), after.jobs);
}

TEST_F(EditTask, AJobWhoseFileIsGoneIsDroppedInsteadOfMoved)
{
    MakeTask("a.tsk", {"J1", "J2"});
    MakeTask("b.tsk", {"J3"});
    ASSERT_TRUE(::DeleteFileA(JobFile("J1").c_str()));
    auto& gone = Gui().Expect(AfxGetAppName()).Press(IDOK);
    Shown after;
    Gui().Expect(kEditTask).Press(kMove).Run(Read(after)).Press(IDOK);
    JEditTask();
    EXPECT_TRUE(gone.HasText("该作业已不存在，无法打开！"));
    EXPECT_EQ((Lines{JobFolder("J2")}), TaskJobs("a.tsk"));
    EXPECT_EQ((Lines{JobFolder("J3")}), TaskJobs("b.tsk"));
    EXPECT_EQ((Lines{JobFolder("J2")}), after.jobs);
    EXPECT_TRUE(after.canMove);
}

// The manager writes its open task again when its job closes: a job moved
// into that task stays there.
TEST_F(EditTask, AJobMovedIntoTheManagersOpenTaskStaysThere)
{
    MakeTask("a.tsk", {"J1", "J2"});
    MakeTask("b.tsk", {"J3"});
    OpenInManager("b.tsk", "J3");
    Gui().Expect(kEditTask).Press(kMove).SelectItem(kTasks, "b.tsk").Press(IDOK);
    JEditTask();
    ASSERT_EQ(1, JIsJobOpen());
    JCloseJob();
    EXPECT_EQ((Lines{JobFolder("J3"), JobFolder("J1")}), TaskJobs("b.tsk"));
    EXPECT_EQ((Lines{JobFolder("J2")}), TaskJobs("a.tsk"));
}
