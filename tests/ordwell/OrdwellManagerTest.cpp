#include "Ordwell.h"

#include "Convert.h"
#include "General.h"
#include "GuiDriver.h"
#include "JobArchive.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::Gui;

namespace {

const UINT kFirstRecent = 57625;

std::string ExecutableFolder()
{
    char path[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string text(path, n);
    return text.substr(0, text.find_last_of('\\'));
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string IniValue(const std::string& ini, const char* section, const char* key)
{
    char value[1024];
    ::GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, ini.c_str());
    return value;
}

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("作业测试") { SetRegistryKey(testsupport::ProcessUnique("OmbrelleTest").c_str()); }
};

class OrdwellManager : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_program = m_dir.File("prog");
        m_tasks = m_dir.File("tasks");
        ::CreateDirectoryA(m_program.c_str(), NULL);
        ::CreateDirectoryA(m_tasks.c_str(), NULL);
        Start();
    }
    void TearDown() override { DeleteJobMainClass(); }

    void Start()
    {
        GeneralClearCallLog();
        ConvertClearCallLog();
        std::vector<char> folder(m_program.begin(), m_program.end());
        folder.push_back('\0');
        InitJobMainClass(folder.data());
    }

    // A task "T" with job folder tasks\<job>, both files written, and the
    // recent job list handed over with the job's reference first.
    std::string MakeJobOnDisk(const std::string& job = "J1")
    {
        std::string folder = m_tasks + "\\" + job;
        ::CreateDirectoryA(folder.c_str(), NULL);
        JCTask task;
        task.JAddJob(folder.c_str());
        EXPECT_TRUE(WriteTaskFile((m_tasks + "\\T.tsk").c_str(), task));
        JCJob model;
        model.m_strText[0] = "创建者";
        std::string jobFile = folder + "\\" + job + ".job";
        EXPECT_TRUE(WriteJobFile(jobFile.c_str(), model));
        JSetTaskPath(m_tasks.c_str());
        if (JGetRecentFileList() == NULL)
            JSetRecentFileList(new CRecentFileList(kFirstRecent, "Recent Job List", "Job%d", 4));
        JGetRecentFileList()->Add((jobFile + "(T.tsk)").c_str());
        return jobFile;
    }

    TestApp m_app;
    testsupport::TempDir m_dir;
    std::string m_program;
    std::string m_tasks;
};

jobarchive::JobRecord ReadJob(const std::string& path)
{
    std::string bytes = testsupport::ReadFileBytes(path);
    jobarchive::JobRecord record;
    EXPECT_TRUE(jobarchive::DecodeJob(std::vector<uint8_t>(bytes.begin(), bytes.end()), record)) << path;
    return record;
}

}  // namespace

TEST_F(OrdwellManager, StartsWithTheExecutableFolder)
{
    DeleteJobMainClass();
    GeneralClearCallLog();
    ConvertClearCallLog();
    InitJobMainClass(NULL);

    const std::string folder = ExecutableFolder();
    std::string general = GeneralCallLog();
    EXPECT_EQ(0u, general.find("247 " + folder + "\n")) << general;
    EXPECT_EQ("2 1 (null) " + folder + "\n" + "3 1 (null) " + folder + "\n" + "17 " + folder + "\n",
              std::string(ConvertCallLog()));
}

TEST_F(OrdwellManager, AFailedTableLoadIsShownAndStartUpGoesOn)
{
    DeleteJobMainClass();
    ::CreateDirectoryA(m_dir.File("color").c_str(), NULL);
    ASSERT_TRUE(testsupport::WriteFileBytes(m_dir.File("color\\dto.cvt"), "not a table"));
    auto& message = Gui().Expect(AfxGetAppName()).Press(IDOK);
    Start();
    EXPECT_TRUE(message.HasText("颜色转换表装入失败！"));
    std::string convert = ConvertCallLog();
    EXPECT_NE(std::string::npos, convert.find("17 " + m_program + "\n")) << convert;
    EXPECT_EQ(0, LoadConvertTable(NULL));
    ::DeleteFileA(m_dir.File("color\\dto.cvt").c_str());
    EXPECT_EQ(1, LoadConvertTable(NULL));
}

TEST_F(OrdwellManager, JobIniKeysAndDefaults)
{
    const std::string ini = m_program + "\\Job.ini";
    JSetTaskPathFromIni();
    JSetTempPathFromIni();
    JSetDefaultProfilesFromIni();
    CString temp("x"), plugIn("x"), scan("x"), print("x"), display("x");
    JGetUserTempPath(temp);
    JGetUserPlugInPath(plugIn);
    JGetDefaultProfiles(scan, print, display);
    EXPECT_STREQ("", JGetTaskPath());
    EXPECT_STREQ("", temp);
    EXPECT_STREQ("", plugIn);
    EXPECT_STREQ("", scan);
    EXPECT_FALSE(Exists(ini));

    JSetTaskPath("D:\\任务");
    JWriteTaskPathToIni();
    JSetDefaultProfiles("s.icc", "p.icc", "d.icc");
    JWriteDefaultProfilesToIni();
    EXPECT_EQ("D:\\任务", IniValue(ini, "Path", "Task"));
    EXPECT_EQ("s.icc", IniValue(ini, "Profiles", "Scan"));
    EXPECT_EQ("p.icc", IniValue(ini, "Profiles", "Print"));
    EXPECT_EQ("d.icc", IniValue(ini, "Profiles", "Display"));

    const std::string longPath = "E:\\" + std::string(400, 'p');
    ::WritePrivateProfileStringA("Path", "Temp", longPath.c_str(), ini.c_str());
    ::WritePrivateProfileStringA("Path", "PlugInPath", "E:\\plug", ini.c_str());
    ::WritePrivateProfileStringA("Profiles", "Scan", "other.icc", ini.c_str());
    JSetTempPathFromIni();
    JSetDefaultProfilesFromIni();
    JGetUserTempPath(temp);
    JGetUserPlugInPath(plugIn);
    JGetDefaultProfiles(scan, print, display);
    EXPECT_STREQ(longPath.c_str(), temp);
    EXPECT_STREQ("E:\\plug", plugIn);
    EXPECT_STREQ("other.icc", scan);
    EXPECT_STREQ("p.icc", print);

    CJobInitFile file;
    const UINT kColor = 63509, kMode = 63510;
    EXPECT_EQ(0, file.GetInitFileItemInt(kColor, kMode));
    CString mode("2");
    EXPECT_NE(0, file.SetInitFileItem(kColor, kMode, mode, 0));
    EXPECT_EQ(2, file.GetInitFileItemInt(kColor, kMode));
    EXPECT_EQ("2", IniValue(ini, "ColorManage", "Mode"));
}

TEST_F(OrdwellManager, RecentIdsOutsideTheListDoNothing)
{
    std::string jobFile = MakeJobOnDisk();
    EXPECT_EQ(0, JOpenJobRecentFile(kFirstRecent - 1));
    EXPECT_EQ(0, JOpenJobRecentFile(kFirstRecent + 4));
    EXPECT_EQ(0, JOpenJobRecentFile(kFirstRecent + 1));  // an empty entry
    EXPECT_EQ(0, JIsJobOpen());
}

TEST_F(OrdwellManager, OpenAddSaveAndClose)
{
    const std::string jobFile = MakeJobOnDisk();
    const std::string folder = m_tasks + "\\J1";
    GeneralClearCallLog();
    ConvertClearCallLog();
    ASSERT_EQ(1, JOpenJobRecentFile(kFirstRecent));
    ASSERT_EQ(1, JIsJobOpen());
    EXPECT_EQ(1, JIsTaskOpen());
    EXPECT_STREQ("创建者", JGetCurJob()->m_strText[0]);
    EXPECT_STREQ(folder.c_str(), JGetJobPath());
    EXPECT_NE(std::string::npos, std::string(GeneralCallLog()).find("250 1\n"));
    EXPECT_NE(std::string::npos, std::string(ConvertCallLog()).find("2 1 " + folder + " " + m_program));
    CString title("作业");
    GetJobNameForWinTitle(title);
    EXPECT_STREQ(("作业" + jobFile + "(T.tsk)").c_str(), title);

    AddImageToJob((folder + "\\x.jpg").c_str(), 0, 4, 1000, "原稿", "None");
    AddImageToJob((folder + "\\X.JPG").c_str(), 0, 5, 1001, "again", "None");
    AddPageToJob((folder + "\\a.apg").c_str(), 2, 1, 2000, "", "页面");
    AddOutputToJob((folder + "\\a.tif").c_str(), 0, 3000, (folder + "\\a.apg").c_str());
    CString jobName;
    EXPECT_EQ(1, JIsFileInJob((folder + "\\A.APG").c_str(), jobName));
    EXPECT_STREQ("J1", jobName);
    EXPECT_EQ(0, JIsFileInJob((folder + "\\none.tif").c_str(), jobName));
    JAddSaveAsNewNameToCurJob("D:\\new.tif");
    EXPECT_STREQ("D:\\new.tif", JGetSaveAsNewNameFormCurJob());

    EXPECT_EQ(JGetCurJob(), JSaveJob());
    jobarchive::JobRecord saved = ReadJob(jobFile);
    ASSERT_EQ(1u, saved.origins.size());
    EXPECT_EQ(9u, saved.origins[0].typeCode);
    EXPECT_EQ(4u, saved.origins[0].number1);
    EXPECT_EQ(0u, saved.origins[0].number2);
    EXPECT_EQ(1000u, saved.origins[0].time);
    EXPECT_EQ("原稿", saved.origins[0].description);
    ASSERT_EQ(1u, saved.pages.size());
    EXPECT_EQ(1u, saved.pages[0].number1);
    EXPECT_EQ(2u, saved.pages[0].number2);
    EXPECT_EQ("页面", saved.pages[0].description);
    ASSERT_EQ(1u, saved.outputs.size());
    EXPECT_EQ(6u, saved.outputs[0].typeCode);
    EXPECT_EQ(folder + "\\a.apg", saved.outputs[0].ownerPage);

    JCloseJob();
    EXPECT_EQ(0, JIsJobOpen());
    EXPECT_EQ(0, JIsTaskOpen());
    EXPECT_TRUE(Exists(m_tasks + "\\T.tsk"));  // it still lists the job
    EXPECT_EQ(1u, ReadJob(jobFile).origins.size());
}

TEST_F(OrdwellManager, DeleteAsksThenRemovesTheJobsFiles)
{
    const std::string jobFile = MakeJobOnDisk();
    const std::string folder = m_tasks + "\\J1";
    ASSERT_TRUE(testsupport::WriteFileBytes(folder + "\\a.tif", "image"));
    ::CreateDirectoryA((folder + "\\sub").c_str(), NULL);
    ASSERT_TRUE(testsupport::WriteFileBytes(folder + "\\sub\\keep.tif", "kept"));
    ASSERT_EQ(1, JOpenJobRecentFile(kFirstRecent));

    auto& no = Gui().Expect(AfxGetAppName()).Press(IDNO);
    EXPECT_EQ(0, JDeleteCurJob());
    EXPECT_TRUE(no.HasText("是否确信要删除作业" + jobFile + "?"));
    EXPECT_EQ(1, JIsJobOpen());

    Gui().Expect(AfxGetAppName()).Press(IDYES);
    EXPECT_EQ(0, JDeleteCurJob());
    EXPECT_EQ(0, JIsJobOpen());
    EXPECT_FALSE(Exists(jobFile));
    EXPECT_FALSE(Exists(folder + "\\a.tif"));
    EXPECT_TRUE(Exists(folder + "\\sub\\keep.tif"));
    EXPECT_FALSE(Exists(m_tasks + "\\T.tsk"));  // its last job went

    // Without the subfolder the emptied job folder goes too.
    ::DeleteFileA((folder + "\\sub\\keep.tif").c_str());
    ::RemoveDirectoryA((folder + "\\sub").c_str());
    MakeJobOnDisk();
    ASSERT_EQ(1, JOpenJobRecentFile(kFirstRecent));
    Gui().Expect(AfxGetAppName()).Press(IDYES);
    JDeleteCurJob();
    EXPECT_FALSE(Exists(folder));
}

// A job file without a folder of its own would have the delete empty a
// whole root: such a job is refused and stays open, its files untouched.
TEST_F(OrdwellManager, DeleteRefusesAJobInARoot)
{
    const std::string jobFile = MakeJobOnDisk();
    ASSERT_EQ(1, JOpenJobRecentFile(kFirstRecent));
    // A plain file in a drive root that a delete of that root would take.
    const std::string bystander = "C:\\" + testsupport::ProcessUnique("ombrelle-keep") + ".txt";
    ASSERT_TRUE(testsupport::WriteFileBytes(bystander, "kept"));
    char unused = 'Q';
    while (unused < 'Z' && (::GetLogicalDrives() & (1u << (unused - 'A'))) != 0)
        unused++;
    const std::string drive = std::string(1, unused) + ":";

    const std::string jobFiles[] = {
        "J1.job",       "\\J1.job",      "C:\\J1.job",           "C:J1.job",
        drive + "\\J1.job", drive + "\\a\\..\\J1.job", "\\\\srv\\share\\J1.job", "\\\\?\\UNC\\srv\\share\\J1.job",
    };
    for (const std::string& file : jobFiles) {
        JGetCurJob()->m_strJobFile = file.c_str();
        auto& refused = Gui().Expect(AfxGetAppName()).Press(IDOK);
        EXPECT_EQ(IDOK, JDeleteCurJob()) << file;
        EXPECT_TRUE(refused.HasText("非法的文件路径.")) << file;
        ASSERT_EQ(1, JIsJobOpen()) << file;
        EXPECT_EQ(1, JGetCurTask()->m_lstJob.GetCount()) << file;
    }
    EXPECT_EQ("kept", testsupport::ReadFileBytes(bystander));
    ::DeleteFileA(bystander.c_str());
    JGetCurJob()->m_strJobFile = jobFile.c_str();
    JCloseJob();
    EXPECT_TRUE(Exists(jobFile));
}

// The open job's entry only moves to the front: what was added since the
// last save stays and is what the next save writes.
TEST_F(OrdwellManager, ReopeningTheOpenJobKeepsWhatWasAdded)
{
    const std::string jobFile = MakeJobOnDisk();
    const std::string folder = m_tasks + "\\J1";
    ASSERT_EQ(1, JOpenJobRecentFile(kFirstRecent));
    JCJob* pJob = JGetCurJob();
    AddImageToJob((folder + "\\x.jpg").c_str(), 0, 4, 1000, "原稿", "None");
    JGetRecentFileList()->Add((m_tasks + "\\J2\\J2.job(T.tsk)").c_str());

    ASSERT_EQ(1, JOpenJobRecentFile(kFirstRecent + 1));
    EXPECT_EQ(pJob, JGetCurJob());
    EXPECT_STREQ((jobFile + "(T.tsk)").c_str(), (*JGetRecentFileList())[0]);
    EXPECT_STREQ((m_tasks + "\\J2\\J2.job(T.tsk)").c_str(), (*JGetRecentFileList())[1]);
    JSaveJob();
    jobarchive::JobRecord saved = ReadJob(jobFile);
    ASSERT_EQ(1u, saved.origins.size());
    EXPECT_EQ(folder + "\\x.jpg", saved.origins[0].file);
}

// Another job of the open task: the open one is saved before the task file
// is read, so the task read lists what the open one had.
TEST_F(OrdwellManager, OpeningAnotherJobSavesTheOpenOneFirst)
{
    const std::string second = MakeJobOnDisk("J2");
    const std::string first = MakeJobOnDisk("J1");
    ASSERT_EQ(1, JOpenJobRecentFile(kFirstRecent));
    JGetCurTask()->JAddJob((m_tasks + "\\J2").c_str());
    AddImageToJob((m_tasks + "\\J1\\x.jpg").c_str(), 0, 4, 1000, "原稿", "None");

    ASSERT_EQ(1, JOpenJobRecentFile(kFirstRecent + 1));
    EXPECT_STREQ(second.c_str(), JGetCurJob()->m_strJobFile);
    EXPECT_EQ(2, JGetCurTask()->m_lstJob.GetCount());
    EXPECT_EQ(1u, ReadJob(first).origins.size());
}

TEST_F(OrdwellManager, DeleteWithoutAJobSaysSo)
{
    auto& message = Gui().Expect(AfxGetAppName()).Press(IDOK);
    EXPECT_EQ(IDOK, JDeleteCurJob());
    EXPECT_TRUE(message.HasText("没有打开的作业. 请首先打开一个作业."));
}

TEST_F(OrdwellManager, AMalformedJobFileLeavesTheList)
{
    const std::string jobFile = MakeJobOnDisk();
    std::string bytes = testsupport::ReadFileBytes(jobFile);
    bytes[8] = '\xfe';  // text 1 claims more bytes than the file holds
    ASSERT_TRUE(testsupport::WriteFileBytes(jobFile, bytes));
    GeneralClearCallLog();

    EXPECT_EQ(1, JOpenJobRecentFile(kFirstRecent));
    EXPECT_EQ(0, JIsJobOpen());
    EXPECT_EQ(0, JIsTaskOpen());
    EXPECT_STREQ("", (*JGetRecentFileList())[0]);
    EXPECT_NE(std::string::npos, std::string(GeneralCallLog()).find("250 0\n"));
}

TEST_F(OrdwellManager, StartingAgainKeepsTheOpenJob)
{
    MakeJobOnDisk();
    ASSERT_EQ(1, JOpenJobRecentFile(kFirstRecent));
    JCJob* pJob = JGetCurJob();
    CRecentFileList* pList = JGetRecentFileList();
    Start();
    EXPECT_EQ(pJob, JGetCurJob());
    EXPECT_EQ(pList, JGetRecentFileList());
    EXPECT_STREQ(m_tasks.c_str(), JGetTaskPath());
}

TEST_F(OrdwellManager, ShutdownWritesTheRecentList)
{
    const std::string jobFile = MakeJobOnDisk();
    DeleteJobMainClass();
    EXPECT_STREQ((jobFile + "(T.tsk)").c_str(), m_app.GetProfileString("Recent Job List", "Job1"));
    EXPECT_EQ(NULL, JGetCurJob());
}

TEST_F(OrdwellManager, CopyFailedMessageNamesThePath)
{
    auto& message = Gui().Expect(AfxGetAppName()).Press(IDOK);
    JCopyFailedMessage("D:\\a.tif");
    EXPECT_TRUE(message.HasText("D:\\a.tif文件没有找到，拷贝失败！"));
    EXPECT_EQ(1, IsFileExist(m_program.c_str()));
    EXPECT_EQ(0, IsFileExist(m_dir.File("none").c_str()));
}
