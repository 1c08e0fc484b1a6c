#include "JobDialogFixture.h"

#include "JobArchive.h"

#include <prsht.h>

#include <map>

using namespace jobtest;
using testsupport::Gui;

namespace {

std::string Text(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

class HostileFiles : public JobDialogTest {
protected:
    void SetUp() override
    {
        JobDialogTest::SetUp();
        jobarchive::TaskRecord task;
        task.texts[0] = "abc";
        task.jobs = {"D:\\A", "D:\\B"};
        const std::vector<uint8_t> good = jobarchive::EncodeTask(task);
        const size_t kText1 = 8, kCount = 25;
        std::vector<uint8_t> textTooLong = good, countTooLarge = good, wideLength = good;
        textTooLong[kText1] = 0xFE;
        countTooLarge[kCount] = 0x00;
        countTooLarge[kCount + 1] = 0x70;
        wideLength[kText1] = 0xFF;
        wideLength.insert(wideLength.begin() + kText1 + 1, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F});
        Write(TaskFile("empty.tsk"), "");
        Write(TaskFile("truncated.tsk"), Text(good).substr(0, good.size() / 2));
        Write(TaskFile("length.tsk"), Text(textTooLong));
        Write(TaskFile("wide.tsk"), Text(wideLength));
        Write(TaskFile("count.tsk"), Text(countTooLarge));

        // A sound task whose three jobs have hostile files.
        MakeTask("good.tsk", {"H1", "H2", "H3"});
        jobarchive::JobRecord job;
        job.pages.resize(1);
        const std::vector<uint8_t> jobBytes = jobarchive::EncodeJob(job);
        jobarchive::JobRecord header;
        std::vector<uint8_t> pagesTooMany = jobBytes;
        const size_t kPageCount = jobarchive::EncodeJob(header).size() - 6;
        pagesTooMany[kPageCount] = 0x00;
        pagesTooMany[kPageCount + 1] = 0x70;
        Write(JobFile("H1"), "");
        Write(JobFile("H2"), Text(jobBytes).substr(0, jobBytes.size() - 3));
        Write(JobFile("H3"), Text(pagesTooMany));
    }

    void Write(const std::string& path, const std::string& bytes)
    {
        ASSERT_TRUE(testsupport::WriteFileBytes(path, bytes));
        m_before[path] = bytes;
    }

    void ExpectNoneRewritten()
    {
        for (const auto& file : m_before)
            EXPECT_EQ(file.second, testsupport::ReadFileBytes(file.first)) << file.first;
    }

    std::map<std::string, std::string> m_before;
};

const Lines kListed = {"count.tsk", "empty.tsk", "good.tsk", "length.tsk", "truncated.tsk", "wide.tsk"};

}  // namespace

TEST_F(HostileFiles, TheSelectionDialogsListThemAndShowOnlyTheirPaths)
{
    Lines tasks, jobs;
    std::string owner;
    Gui().Expect("创建作业")
        .Run([&](HWND dialog) { tasks = ListLines(dialog, 4502); })
        .SelectItem(4502, "wide.tsk")
        .SelectItem(4502, "good.tsk")
        .Run([&](HWND dialog) { jobs = ListLines(dialog, 4501); })
        .SelectItem(4501, 2)
        .SetText(4503, "count")
        .Press(4521)
        .Press(IDCANCEL);
    Gui().Expect("作业属性")
        .Run([&](HWND sheet) {
            HWND page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
            owner = ItemText(page, 4527);
        })
        .Press(IDOK);
    JCreateJob();
    EXPECT_EQ(kListed, tasks);
    EXPECT_EQ((Lines{JobFolder("H1"), JobFolder("H2"), JobFolder("H3")}), jobs);
    EXPECT_EQ("读/写", owner);

    auto& first = Gui().Expect(AfxGetAppName()).Press(IDOK);
    auto& second = Gui().Expect(AfxGetAppName()).Press(IDOK);
    Gui().Expect("打开作业")
        .SelectItem(4502, "length.tsk")
        .SelectItem(4502, "good.tsk")
        .Press(4521)
        .SelectItem(4501, 2)
        .Press(4521)
        .Press(IDCANCEL);
    JOpenJob();
    EXPECT_TRUE(first.HasText("作业不存在。"));
    EXPECT_TRUE(second.HasText("作业不存在。"));

    JCLoadJobDlg load;
    Gui().Expect("装入作业").SelectItem(4502, "truncated.tsk").SelectItem(4502, "empty.tsk").Press(IDCANCEL);
    EXPECT_EQ(IDCANCEL, load.DoModal());
    ExpectNoneRewritten();
}

TEST_F(HostileFiles, OpeningOneIsRefusedAndNothingIsRewritten)
{
    auto& refused = Gui().Expect(AfxGetAppName()).Press(IDOK);
    Gui().Expect("打开作业").SelectItem(4502, "count.tsk").SetText(4504, JobFolder("H1")).Press(IDOK);
    JOpenJob();
    EXPECT_TRUE(refused.HasText("任务文件已被删除，无法打开作业!"));
    EXPECT_EQ(0, JIsJobOpen());
    ExpectNoneRewritten();
}

TEST_F(HostileFiles, TheEditTaskDialogListsThemAndMovesNoJobOntoOne)
{
    Lines tasks, jobs;
    auto& refused = Gui().Expect(AfxGetAppName()).Press(IDOK);
    Gui().Expect("编辑任务")
        .Run([&](HWND dialog) { tasks = ListLines(dialog, 4588); })
        .SelectItem(4588, "empty.tsk")
        .Press(4590)  // no job listed: nothing happens
        .Press(4591)
        .SelectItem(4588, "good.tsk")
        .Press(4591)
        .SelectItem(4588, "wide.tsk")
        .Run([&](HWND dialog) { jobs = ListLines(dialog, 4589); })
        .Press(IDOK);
    JEditTask();
    EXPECT_EQ(kListed, tasks);
    EXPECT_TRUE(refused.HasText("作业移动非法！"));
    EXPECT_EQ((Lines{JobFolder("H1"), JobFolder("H2"), JobFolder("H3")}), jobs);
    EXPECT_EQ((Lines{JobFolder("H1"), JobFolder("H2"), JobFolder("H3")}), TaskJobs("good.tsk"));
    ExpectNoneRewritten();
}
