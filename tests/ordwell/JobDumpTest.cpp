// Dumping the current job into a folder and loading a dump into a new job.
#include "JobDialogFixture.h"

#include <algorithm>

using namespace jobtest;
using testsupport::Gui;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

const char kDumpDialog[] = "转储作业", kLoadDialog[] = "装入作业", kProgress[] = "正在处理";
const int kDumpOrigins = 4553, kDumpOutputs = 4554, kDumpPath = 4560;
const char* const kTables[] = {"ctl.cvt", "dto.cvt", "itd.cvt", "ltc.cvt", "ltr.cvt", "otd.cvt", "rtl.cvt"};

void SetControlText(HWND dialog, int id, const std::string& text) { ::SetDlgItemTextA(dialog, id, text.c_str()); }

Lines Names(CObList& list)
{
    Lines names;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        names.push_back((LPCTSTR) static_cast<JCFileName*>(list.GetNext(pos))->m_strPath);
    return names;
}

template <class T>
std::vector<T*> Items(CObList& list)
{
    std::vector<T*> items;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        items.push_back(static_cast<T*>(list.GetNext(pos)));
    return items;
}

class JobDump : public JobFilesTest {
protected:
    void SetUp() override
    {
        JobFilesTest::SetUp();
        ::CreateDirectoryA(m_dir.File("backup").c_str(), NULL);
        // The system colour folder: the program folder's "..\\color".
        const std::string color = m_dir.File("color");
        ::CreateDirectoryA(color.c_str(), NULL);
        for (const char* table : kTables)
            WriteFileBytes(color + "\\" + table, std::string("sys:") + table);
    }

    std::string Target(const std::string& name)
    {
        std::string path = m_dir.File("backup\\" + name);
        ::CreateDirectoryA(path.c_str(), NULL);
        return path;
    }

    // JDumpJob with the dialog's choices, the target put into its edit as
    // the folder chooser does.
    static void Dump(const std::string& target, bool origins, bool outputs)
    {
        Gui().Expect(kDumpDialog)
            .Run([target](HWND dialog) { SetControlText(dialog, kDumpPath, target); })
            .Check(kDumpOrigins, origins)
            .Check(kDumpOutputs, outputs)
            .Press(IDOK);
        Gui().Expect(kProgress).MayPassUnseen();
        EXPECT_EQ(0, JDumpJob());
    }
};

TEST_F(JobDump, WritesBareNamesAndTheSevenTablesBesideTheCopiedFiles)
{
    const std::string page = Source("P.apg"), a = Source("a.tif"), b = Source("b.tif"), book = Source("Book.PS");
    Job().m_strScanProfile = Source("scan.icc").c_str();
    Job().m_strPrintProfile = "";
    Job().m_strDisplayProfile = (m_src + "\\gone.icc").c_str();
    AddPage(page, {a});
    AddOrigin(a, page, {page});
    AddOrigin(b, "None");
    AddOutput(book, page);
    auto& missing = Gui().Expect(AfxGetAppName()).Press(IDOK);
    const std::string target = Target("J1");
    Dump(target, true, true);

    EXPECT_TRUE(missing.HasText(m_src + "\\gone.icc文件没有找到，拷贝失败！"));
    ASSERT_NE(nullptr, JGetCurJob());
    JCJob dump;
    ASSERT_TRUE(ReadJobFile((target + "\\J1.dmp").c_str(), dump));
    EXPECT_STREQ("scan.icc", dump.m_strScanProfile);
    EXPECT_STREQ("", dump.m_strPrintProfile);
    EXPECT_STREQ("gone.icc", dump.m_strDisplayProfile);
    auto pages = Items<JCPage>(dump.m_lstPage);
    ASSERT_EQ(1u, pages.size());
    EXPECT_STREQ("P.apg", pages[0]->m_strFile);
    EXPECT_STREQ("页面说明", pages[0]->m_strDescription);
    EXPECT_EQ(2, pages[0]->m_nNumber1);
    EXPECT_EQ((Lines{"a.tif"}), Names(pages[0]->m_lstOrigin));
    auto origins = Items<JCOrigin>(dump.m_lstOrigin);
    ASSERT_EQ(2u, origins.size());
    EXPECT_STREQ("a.tif", origins[0]->m_strFile);
    EXPECT_STREQ("P.apg", origins[0]->m_strPage);
    EXPECT_EQ((Lines{"P.apg"}), Names(origins[0]->m_lstPage));
    EXPECT_EQ(6, origins[0]->m_nFileType);
    EXPECT_STREQ("b.tif", origins[1]->m_strFile);
    EXPECT_STREQ("None", origins[1]->m_strPage);
    auto outputs = Items<JCOutput>(dump.m_lstOutput);
    ASSERT_EQ(1u, outputs.size());
    EXPECT_STREQ("Book.PS", outputs[0]->m_strFile);
    EXPECT_STREQ("P.apg", outputs[0]->m_strPage);

    for (const char* name : {"P.apg", "a.tif", "b.tif", "Book.PS", "scan.icc"})
        EXPECT_EQ(std::string("data of ") + name, ReadFileBytes(target + "\\" + name)) << name;
    for (const char* table : kTables)
        EXPECT_EQ(std::string("sys:") + table, ReadFileBytes(target + "\\" + table)) << table;
}

// The tables come from the job's folder only when it holds all seven.
TEST_F(JobDump, TablesComeFromTheJobFolderOnlyWhenAllSevenAreThere)
{
    for (const char* table : kTables)
        WriteFileBytes(JobFolder("J") + "\\" + table, std::string("job:") + table);
    const std::string whole = Target("whole");
    Dump(whole, true, false);
    ::DeleteFileA((JobFolder("J") + "\\ltr.cvt").c_str());
    const std::string lacking = Target("lacking");
    Dump(lacking, true, false);
    for (const char* table : kTables) {
        EXPECT_EQ(std::string("job:") + table, ReadFileBytes(whole + "\\" + table)) << table;
        EXPECT_EQ(std::string("sys:") + table, ReadFileBytes(lacking + "\\" + table)) << table;
    }
    EXPECT_TRUE(Exists(whole + "\\whole.dmp"));
}

TEST_F(JobDump, OutputsOnlyGivesEmptyPageAndOriginLists)
{
    const std::string page = Source("P.apg"), a = Source("a.tif"), book = Source("Book.PS");
    AddPage(page, {a});
    AddOrigin(a, page);
    AddOutput(book, page);
    const std::string target = Target("out");
    Dump(target, false, true);
    JCJob dump;
    ASSERT_TRUE(ReadJobFile((target + "\\out.dmp").c_str(), dump));
    EXPECT_TRUE(dump.m_lstPage.IsEmpty());
    EXPECT_TRUE(dump.m_lstOrigin.IsEmpty());
    EXPECT_EQ(1, dump.m_lstOutput.GetCount());
    EXPECT_TRUE(Exists(target + "\\Book.PS"));
    EXPECT_FALSE(Exists(target + "\\P.apg"));
    EXPECT_FALSE(Exists(target + "\\a.tif"));
}

TEST_F(JobDump, TwoFilesOfOneNameAreRefusedBeforeAnythingIsCopied)
{
    ::CreateDirectoryA((m_src + "\\x").c_str(), NULL);
    ::CreateDirectoryA((m_src + "\\y").c_str(), NULL);
    const std::string first = Source("x\\a.tif"), second = Source("y\\a.tif"), page = Source("P.apg");
    AddPage(page);
    AddOrigin(first, "None");
    AddOrigin(second, "None");
    auto& refused = Gui().Expect(AfxGetAppName()).Press(IDOK);
    const std::string target = Target("J1");
    Gui().Expect(kDumpDialog)
        .Run([target](HWND dialog) { SetControlText(dialog, kDumpPath, target); })
        .Press(IDOK);
    JDumpJob();
    EXPECT_TRUE(refused.HasText(first + " 和 " + second + " 的文件名相同，无法转储到同一文件夹！"));
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((target + "\\*.*").c_str(), &found);
    int entries = 0;
    if (find != INVALID_HANDLE_VALUE) {
        do
            entries += found.cFileName[0] != '.';
        while (::FindNextFileA(find, &found));
        ::FindClose(find);
    }
    EXPECT_EQ(0, entries);
}

TEST_F(JobDump, WithoutAnOpenJobNoDialogRuns)
{
    JCloseJob();
    auto& message = Gui().Expect(AfxGetAppName()).Press(IDOK);
    EXPECT_EQ(IDOK, JDumpJob());
    EXPECT_TRUE(message.HasText("没有打开的作业. 请首先打开一个作业."));
}

// ---------------------------------------------------------------------------

class JobLoad : public JobDump {
protected:
    void SetUp() override
    {
        JobDump::SetUp();
        m_dumpFolder = m_dir.File("dump");
        ::CreateDirectoryA(m_dumpFolder.c_str(), NULL);
        ::CreateDirectoryA(m_dir.File("jobs").c_str(), NULL);
    }

    // A dump of pages (the first listing a.tif), a.tif owned by the first
    // page, b.tif by none, Book.PS made from the first page, a scanner
    // profile and no display profile; each file lies in the dump folder
    // unless it is in `absent`.
    std::string MakeDump(const Lines& pages, const Lines& absent = {})
    {
        JCJob dump;
        dump.m_strText[0] = "创建者";
        dump.m_nOwnerAccess = 1;
        dump.m_strScanProfile = "scan.icc";
        dump.m_strPrintProfile = "";
        dump.m_strDisplayProfile = "";
        for (const std::string& name : pages) {
            JCPage* pPage = new JCPage;
            pPage->m_strFile = name.c_str();
            if (name == pages[0])
                pPage->AddOrigin("a.tif");
            dump.m_lstPage.AddTail(pPage);
        }
        JCOrigin* pOwned = new JCOrigin;
        pOwned->m_strFile = "a.tif";
        pOwned->m_strPage = pages[0].c_str();
        pOwned->AddPage(pages[0].c_str());
        dump.m_lstOrigin.AddTail(pOwned);
        JCOrigin* pFree = new JCOrigin;
        pFree->m_strFile = "b.tif";
        pFree->m_strPage = "None";
        dump.m_lstOrigin.AddTail(pFree);
        JCOutput* pOutput = new JCOutput;
        pOutput->m_strFile = "Book.PS";
        pOutput->m_strPage = pages[0].c_str();
        dump.m_lstOutput.AddTail(pOutput);
        Lines files = pages;
        for (const char* name : {"a.tif", "b.tif", "Book.PS", "scan.icc"})
            files.push_back(name);
        for (const std::string& name : files)
            if (std::find(absent.begin(), absent.end(), name) == absent.end())
                WriteFileBytes(m_dumpFolder + "\\" + name, "dumped " + name);
        for (const char* table : kTables)
            WriteFileBytes(m_dumpFolder + "\\" + table, std::string("dump:") + table);
        const std::string file = m_dumpFolder + "\\dump.dmp";
        EXPECT_TRUE(WriteJobFile(file.c_str(), dump));
        return file;
    }

    // JLoadJob into a new task T2, the job named with its drive.
    static void Load(const std::string& jobFolder, const std::string& dumpFile)
    {
        Gui().Expect(kLoadDialog)
            .SetText(4503, "T2")
            .SetText(4504, jobFolder)
            .Run([dumpFile](HWND dialog) { SetControlText(dialog, 4508, dumpFile); })
            .Press(IDOK);
        JLoadJob();
    }

    std::string m_dumpFolder;
};

TEST_F(JobLoad, RebuildsThePathsInTheNewJobFolder)
{
    const std::string dumpFile = MakeDump({"P.apg"});
    const std::string folder = m_dir.File("jobs\\L");
    Gui().Expect(kProgress).MayPassUnseen();
    Load(folder, dumpFile);

    JCJob* pJob = JGetCurJob();
    ASSERT_NE(nullptr, pJob);
    EXPECT_STREQ((folder + "\\L.job").c_str(), pJob->m_strJobFile);
    EXPECT_STREQ("创建者", pJob->m_strText[0]);
    EXPECT_EQ(1, pJob->m_nOwnerAccess);
    EXPECT_STREQ((folder + "\\scan.icc").c_str(), pJob->m_strScanProfile);
    EXPECT_STREQ("", pJob->m_strPrintProfile);
    EXPECT_STREQ("", pJob->m_strDisplayProfile);
    auto pages = Items<JCPage>(pJob->m_lstPage);
    ASSERT_EQ(1u, pages.size());
    EXPECT_STREQ((folder + "\\P.apg").c_str(), pages[0]->m_strFile);
    EXPECT_EQ((Lines{folder + "\\a.tif"}), Names(pages[0]->m_lstOrigin));
    auto origins = Items<JCOrigin>(pJob->m_lstOrigin);
    ASSERT_EQ(2u, origins.size());
    EXPECT_STREQ((folder + "\\a.tif").c_str(), origins[0]->m_strFile);
    EXPECT_STREQ((folder + "\\P.apg").c_str(), origins[0]->m_strPage);
    EXPECT_EQ((Lines{folder + "\\P.apg"}), Names(origins[0]->m_lstPage));
    EXPECT_STREQ("None", origins[1]->m_strPage);
    auto outputs = Items<JCOutput>(pJob->m_lstOutput);
    ASSERT_EQ(1u, outputs.size());
    EXPECT_STREQ((folder + "\\Book.PS").c_str(), outputs[0]->m_strFile);
    EXPECT_STREQ((folder + "\\P.apg").c_str(), outputs[0]->m_strPage);

    for (const char* name : {"P.apg", "a.tif", "b.tif", "Book.PS", "scan.icc"})
        EXPECT_EQ(std::string("dumped ") + name, ReadFileBytes(folder + "\\" + name)) << name;
    for (const char* table : kTables)
        EXPECT_EQ(std::string("dump:") + table, ReadFileBytes(folder + "\\" + table)) << table;
    // Saved: the new task lists the job, whose file holds what was loaded.
    EXPECT_EQ((Lines{folder}), TaskJobs("T2.tsk"));
    JCJob saved;
    ASSERT_TRUE(ReadJobFile((folder + "\\L.job").c_str(), saved));
    EXPECT_EQ(2, saved.m_lstOrigin.GetCount());
}

TEST_F(JobLoad, ADumpMadeByJDumpJobLoadsBack)
{
    const std::string page = Source("P.apg"), a = Source("a.tif");
    AddPage(page, {a});
    AddOrigin(a, page, {page});
    const std::string target = Target("J1");
    Dump(target, true, true);
    const std::string folder = m_dir.File("jobs\\back");
    Gui().Expect(kProgress).MayPassUnseen();
    Load(folder, target + "\\J1.dmp");
    ASSERT_NE(nullptr, JGetCurJob());
    auto origins = Items<JCOrigin>(JGetCurJob()->m_lstOrigin);
    ASSERT_EQ(1u, origins.size());
    EXPECT_STREQ((folder + "\\P.apg").c_str(), origins[0]->m_strPage);
    EXPECT_EQ("data of a.tif", ReadFileBytes(folder + "\\a.tif"));
}

TEST_F(JobLoad, ConfirmedCancelLeavesNoJobAndKeepsWhatWasCopied)
{
    // No profile is copied, so the progress shows before the first message:
    // the cancel is pressed while the missing page is told, and asked about
    // after the next copy.
    const std::string dumpFile = MakeDump({"P1.apg", "P2.apg", "P3.apg"}, {"P1.apg", "scan.icc"});
    JCJob dump;
    ASSERT_TRUE(ReadJobFile(dumpFile.c_str(), dump));
    dump.m_strScanProfile = "";
    ASSERT_TRUE(WriteJobFile(dumpFile.c_str(), dump));
    const std::string folder = m_dir.File("jobs\\L");
    Gui().Expect(kProgress).Press(IDCANCEL);
    auto& missing = Gui().Expect(AfxGetAppName()).Press(IDOK);
    auto& question = Gui().Expect(AfxGetAppName()).Press(IDYES);
    Load(folder, dumpFile);
    EXPECT_TRUE(missing.HasText(m_dumpFolder + "\\P1.apg文件没有找到，拷贝失败！"));
    EXPECT_TRUE(question.HasText("确实要取消?"));
    EXPECT_EQ(nullptr, JGetCurJob());
    EXPECT_EQ(0, JIsTaskOpen());
    EXPECT_EQ("dumped P2.apg", ReadFileBytes(folder + "\\P2.apg"));
    EXPECT_FALSE(Exists(folder + "\\P3.apg"));
    EXPECT_FALSE(Exists(TaskFile("T2.tsk")));
}

TEST_F(JobLoad, AMissingDumpFileIsTold)
{
    auto& message = Gui().Expect(AfxGetAppName()).Press(IDOK);
    Load(m_dir.File("jobs\\L"), m_dumpFolder + "\\none.dmp");
    EXPECT_TRUE(message.HasText("要装入的作业文件不存在，装入失败！"));
    EXPECT_EQ(nullptr, JGetCurJob());
}

// Names in a dump are joined to the job folder by their last component only.
TEST_F(JobLoad, NamesCannotLeadOutOfTheJobFolder)
{
    const std::string dumpFile = MakeDump({"P.apg"});
    JCJob dump;
    ASSERT_TRUE(ReadJobFile(dumpFile.c_str(), dump));
    static_cast<JCOrigin*>(dump.m_lstOrigin.GetTail())->m_strFile = "..\\..\\b.tif";
    static_cast<JCOutput*>(dump.m_lstOutput.GetHead())->m_strFile = "../Book.PS";
    ASSERT_TRUE(WriteJobFile(dumpFile.c_str(), dump));
    const std::string folder = m_dir.File("jobs\\L");
    Gui().Expect(kProgress).MayPassUnseen();
    Load(folder, dumpFile);
    ASSERT_NE(nullptr, JGetCurJob());
    auto origins = Items<JCOrigin>(JGetCurJob()->m_lstOrigin);
    ASSERT_EQ(2u, origins.size());
    EXPECT_STREQ((folder + "\\b.tif").c_str(), origins[1]->m_strFile);
    EXPECT_STREQ((folder + "\\Book.PS").c_str(),
                 static_cast<JCOutput*>(JGetCurJob()->m_lstOutput.GetHead())->m_strFile);
    EXPECT_FALSE(Exists(m_dir.File("b.tif")));
    EXPECT_FALSE(Exists(m_dir.File("jobs\\Book.PS")));
}

}  // namespace

namespace {

TEST_F(JobDump, DeletingAfterTheDumpAsksAndRemovesTheJob)
{
    AddPage(Source("P.apg"));
    const std::string target = Target("J1");
    Gui().Expect(kDumpDialog)
        .Run([target](HWND dialog) { SetControlText(dialog, kDumpPath, target); })
        .Check(4518)
        .Press(IDOK);
    Gui().Expect(kProgress).MayPassUnseen();
    auto& question = Gui().Expect(AfxGetAppName()).Press(IDYES);
    JDumpJob();
    EXPECT_TRUE(question.HasText("是否确信要删除作业" + JobFile("J") + "?"));
    EXPECT_EQ(nullptr, JGetCurJob());
    EXPECT_FALSE(Exists(JobFile("J")));
    EXPECT_EQ("data of P.apg", ReadFileBytes(target + "\\P.apg"));
}

TEST_F(JobLoad, ATaskFileThatCannotBeReadStopsTheLoad)
{
    const std::string dumpFile = MakeDump({"P.apg"});
    ASSERT_TRUE(WriteFileBytes(TaskFile("B.tsk"), "not a task"));
    auto& message = Gui().Expect(AfxGetAppName()).Press(IDOK);
    Gui().Expect(kLoadDialog)
        .SetText(4503, "B.tsk")
        .SetText(4504, m_dir.File("jobs\\L"))
        .Run([dumpFile](HWND dialog) { SetControlText(dialog, 4508, dumpFile); })
        .Press(IDOK);
    JLoadJob();
    EXPECT_TRUE(message.HasText("任务文件已被删除，无法装入作业！"));
    // The job that was open stays open.
    ASSERT_NE(nullptr, JGetCurJob());
    EXPECT_STREQ(JobFile("J").c_str(), JGetCurJob()->m_strJobFile);
    EXPECT_EQ("not a task", ReadFileBytes(TaskFile("B.tsk")));
}

}  // namespace
