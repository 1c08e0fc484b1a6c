// A job manager over a task folder of the test's own, with task and job
// files written and read through the job model, and readers of what a
// dialog's controls show.
#pragma once

#include "Ordwell.h"

#include "GuiDriver.h"
#include "TempDir.h"
#include "WindowText.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace jobtest {

using Lines = std::vector<std::string>;

inline Lines ListLines(HWND dialog, int id)
{
    HWND list = ::GetDlgItem(dialog, id);
    Lines lines;
    int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; i++) {
        std::string line(static_cast<size_t>(::SendMessageA(list, LB_GETTEXTLEN, i, 0)), '\0');
        ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&line[0]));
        lines.push_back(line);
    }
    return lines;
}

// The rows of a list view, its columns' texts joined by "|".
inline Lines ListViewRows(HWND dialog, int id, int columns)
{
    HWND list = ::GetDlgItem(dialog, id);
    Lines rows;
    int count = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; i++) {
        std::string row;
        for (int c = 0; c < columns; c++) {
            char text[256] = "";
            LVITEMA item = {};
            item.iSubItem = c;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            ::SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
            row += (c ? "|" : "") + std::string(text);
        }
        rows.push_back(row);
    }
    return rows;
}

inline std::string ItemText(HWND dialog, int id) { return testsupport::WindowText(::GetDlgItem(dialog, id)); }
inline bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("作业对话框测试") { SetRegistryKey(testsupport::ProcessUnique("OmbrelleTest").c_str()); }
};

class JobDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The dialogs' file dialogs change the current folder: it is put back,
        // so that the test's folder can be removed.
        ::GetCurrentDirectoryA(MAX_PATH, m_currentFolder);
        m_program = m_dir.File("prog");
        m_tasks = m_dir.File("tasks");
        ::CreateDirectoryA(m_program.c_str(), NULL);
        ::CreateDirectoryA(m_tasks.c_str(), NULL);
        std::vector<char> folder(m_program.begin(), m_program.end());
        folder.push_back('\0');
        InitJobMainClass(folder.data());
        JSetTaskPath(m_tasks.c_str());
    }
    void TearDown() override
    {
        DeleteJobMainClass();
        ::SetCurrentDirectoryA(m_currentFolder);
    }

    std::string TaskFile(const std::string& name) const { return m_tasks + "\\" + name; }
    std::string JobFolder(const std::string& job) const { return m_tasks + "\\" + job; }
    std::string JobFile(const std::string& job) const { return JobFolder(job) + "\\" + job + ".job"; }

    // The job's folder and its file, the creator naming it.
    void MakeJob(const std::string& job, const std::string& creator = "")
    {
        ::CreateDirectoryA(JobFolder(job).c_str(), NULL);
        JCJob model;
        model.m_strText[0] = creator.c_str();
        EXPECT_TRUE(WriteJobFile(JobFile(job).c_str(), model));
    }
    // A task listing the job folders (made with their files).
    void MakeTask(const std::string& name, const std::vector<std::string>& jobs)
    {
        JCTask task;
        for (const std::string& job : jobs) {
            MakeJob(job, "创建者" + job);
            task.m_lstJob.AddTail(new JCFileName(JobFolder(job).c_str()));
        }
        EXPECT_TRUE(WriteTaskFile(TaskFile(name).c_str(), task));
    }
    // The job folders that the task file lists, read through the model.
    Lines TaskJobs(const std::string& name) const
    {
        JCTask task;
        EXPECT_TRUE(ReadTaskFile(TaskFile(name).c_str(), task)) << name;
        Lines jobs;
        for (POSITION pos = task.m_lstJob.GetHeadPosition(); pos != NULL;)
            jobs.push_back(static_cast<LPCTSTR>(static_cast<JCFileName*>(task.m_lstJob.GetNext(pos))->m_strPath));
        return jobs;
    }
    // Makes the task and job of these files the manager's open ones.
    void OpenInManager(const std::string& taskName, const std::string& job)
    {
        JCTask* pTask = new JCTask;
        JCJob* pJob = new JCJob;
        ASSERT_TRUE(ReadTaskFile(TaskFile(taskName).c_str(), *pTask));
        ASSERT_TRUE(ReadJobFile(JobFile(job).c_str(), *pJob));
        JCJobMain::Instance()->m_pCurTask = pTask;
        JCJobMain::Instance()->m_pCurJob = pJob;
    }

    char m_currentFolder[MAX_PATH] = "";
    TestApp m_app;
    testsupport::TempDir m_dir;
    std::string m_program;
    std::string m_tasks;
};

// An open job J of task T.tsk, files made in a folder "src", and entries
// added to the open job.
class JobFilesTest : public JobDialogTest {
protected:
    void SetUp() override
    {
        JobDialogTest::SetUp();
        MakeTask("T.tsk", {"J"});
        OpenInManager("T.tsk", "J");
        m_src = m_dir.File("src");
        ::CreateDirectoryA(m_src.c_str(), NULL);
    }

    std::string Source(const std::string& name)
    {
        std::string path = m_src + "\\" + name;
        EXPECT_TRUE(testsupport::WriteFileBytes(path, "data of " + name));
        return path;
    }
    static JCJob& Job() { return *JGetCurJob(); }
    static void AddPage(const std::string& file, const Lines& origins = {})
    {
        JCPage* pPage = new JCPage;
        pPage->m_strFile = file.c_str();
        pPage->m_nNumber1 = 2;
        pPage->m_strDescription = "页面说明";
        for (const std::string& origin : origins)
            pPage->AddOrigin(origin.c_str());
        Job().m_lstPage.AddTail(pPage);
    }
    static void AddOrigin(const std::string& file, const std::string& page, const Lines& pages = {})
    {
        JCOrigin* pOrigin = new JCOrigin;
        pOrigin->m_strFile = file.c_str();
        pOrigin->m_strPage = page.c_str();
        pOrigin->m_nFileType = 6;
        for (const std::string& p : pages)
            pOrigin->AddPage(p.c_str());
        Job().m_lstOrigin.AddTail(pOrigin);
    }
    static void AddOutput(const std::string& file, const std::string& page = "None")
    {
        JCOutput* pOutput = new JCOutput;
        pOutput->m_strFile = file.c_str();
        pOutput->m_strPage = page.c_str();
        pOutput->m_nFileType = 2;
        Job().m_lstOutput.AddTail(pOutput);
    }

    std::string m_src;
};

inline bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace jobtest
