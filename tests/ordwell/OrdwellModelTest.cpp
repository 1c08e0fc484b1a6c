#include "Ordwell.h"

#include "GuiDriver.h"
#include "JobArchive.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::Gui;

namespace {

std::vector<uint8_t> FileBytes(const std::string& path)
{
    std::string bytes = testsupport::ReadFileBytes(path);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

JCOrigin* Origin(const char* file, const char* page)
{
    JCOrigin* pOrigin = new JCOrigin;
    pOrigin->m_strFile = file;
    pOrigin->m_strPage = page;
    return pOrigin;
}

// A page that cannot be written, as on a full disk: the archive fails half
// way through the job.
class JCUnwritablePage : public JCPage {
    DECLARE_SERIAL(JCUnwritablePage)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            AfxThrowArchiveException(CArchiveException::generic);
        JCPage::Serialize(ar);
    }
};
IMPLEMENT_SERIAL(JCUnwritablePage, JCPage, 1)

std::vector<std::string> FolderEntries(const testsupport::TempDir& dir)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(dir.File("*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
    return names;
}

}  // namespace

TEST(OrdwellModel, FileNameParts)
{
    struct {
        const char* path;
        const char* folder;
        const char* name;
    } cases[] = {
        {"JOB.job", "", "JOB.job"},
        {"D:\\JOB\\JOB.job", "D:\\JOB", "JOB.job"},
        {"D:\\作业\\乗.job", "D:\\作业", "乗.job"},  // 乗 ends in the byte of a backslash
    };
    for (const auto& c : cases) {
        JCFileName name(c.path);
        EXPECT_STREQ(c.folder, name.GetPath()) << c.path;
        EXPECT_STREQ(c.name, name.GetPureName()) << c.path;
    }
}

TEST(OrdwellModel, AddJobRefusesAFolderDifferingOnlyInCase)
{
    JCTask task;
    ASSERT_EQ(1, task.JAddJob("D:\\T\\Job"));
    auto& message = Gui().Expect(AfxGetAppName()).Press(IDOK);
    EXPECT_EQ(0, task.JAddJob("d:\\t\\JOB"));
    EXPECT_TRUE(message.HasText("要创建的作业已经存在，请重新选择作业名。"));
    EXPECT_EQ(1, task.JGetJobFileList()->GetCount());
    EXPECT_EQ(0, task.JDeleteJob("d:\\t\\JOB"));
    EXPECT_EQ(1, task.JDeleteJob("D:\\T\\Job"));
    EXPECT_EQ(0, task.JGetJobFileList()->GetCount());
}

TEST(OrdwellModel, AddOriginGivesAnUnownedOriginItsPage)
{
    JCJob job;
    ASSERT_EQ(1, job.JAddOrigin(Origin("D:\\J\\x.tif", "None")));

    JCOrigin* pSame = Origin("d:\\j\\X.TIF", "D:\\J\\P.apg");
    EXPECT_EQ(0, job.JAddOrigin(pSame));
    delete pSame;
    ASSERT_EQ(1, job.JGetOriginList()->GetCount());
    EXPECT_STREQ("D:\\J\\P.apg", static_cast<JCOrigin*>(job.JGetOriginList()->GetHead())->m_strPage);

    JCOrigin* pAgain = Origin("D:\\J\\x.tif", "d:\\j\\p.APG");
    EXPECT_EQ(0, job.JAddOrigin(pAgain));
    delete pAgain;
    JCOrigin* pNone = Origin("D:\\J\\x.tif", "None");
    EXPECT_EQ(0, job.JAddOrigin(pNone));
    delete pNone;
    EXPECT_EQ(1, job.JAddOrigin(Origin("D:\\J\\x.tif", "D:\\J\\Q.apg")));
    EXPECT_EQ(2, job.JGetOriginList()->GetCount());
}

TEST(OrdwellModel, PagesAndOutputsAreUniqueByFileIgnoringCase)
{
    JCJob job;
    JCPage* pPage = new JCPage;
    pPage->m_strFile = "D:\\J\\a.apg";
    ASSERT_EQ(1, job.JAddPage(pPage));
    JCPage twin;
    twin.m_strFile = "D:\\J\\A.APG";
    EXPECT_EQ(0, job.JAddPage(&twin));

    JCOutput* pOutput = new JCOutput;
    pOutput->m_strFile = "D:\\J\\a.ps";
    pOutput->m_strPage = "D:\\J\\a.apg";
    ASSERT_EQ(1, job.JAddOutput(pOutput));
    JCOutput other;
    other.m_strFile = "D:\\J\\A.PS";
    EXPECT_EQ(0, job.JAddOutput(&other));

    // Deleting compares the two texts exactly: a copy finds the listed one.
    JCOutput copy;
    copy.m_strFile = "D:\\J\\a.ps";
    copy.m_strPage = "D:\\J\\A.apg";
    EXPECT_EQ(0, job.JDeleteOutput(&copy));
    copy.m_strPage = "D:\\J\\a.apg";
    EXPECT_EQ(1, job.JDeleteOutput(&copy));
    EXPECT_EQ(0, job.JGetOutputList()->GetCount());
}

TEST(OrdwellModel, JobSizeCountsExistingFilesOnly)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("a.tif"), std::string(100, 'a')));
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("a.apg"), std::string(20, 'p')));
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("s.icc"), std::string(3, 's')));
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("a.ps"), std::string(7, 'o')));
    JCJob job;
    job.m_strScanProfile = dir.File("s.icc").c_str();
    job.m_strPrintProfile = "";
    job.m_strDisplayProfile = dir.File("gone.icc").c_str();
    job.JAddOrigin(Origin(dir.File("a.tif").c_str(), "None"));
    job.JAddOrigin(Origin(dir.File("missing.tif").c_str(), "None"));
    JCPage* pPage = new JCPage;
    pPage->m_strFile = dir.File("a.apg").c_str();
    job.JAddPage(pPage);
    JCOutput* pOutput = new JCOutput;
    pOutput->m_strFile = dir.File("a.ps").c_str();
    job.JAddOutput(pOutput);

    int jobBytes = -1, outputBytes = -1;
    EXPECT_EQ(130, job.GetJobSize(jobBytes, outputBytes));
    EXPECT_EQ(123, jobBytes);
    EXPECT_EQ(7, outputBytes);
}

TEST(OrdwellModel, FileTypeCodesInTheirSearchOrder)
{
    struct {
        const char* name;
        int code;
    } cases[] = {
        {"a.BMP", 5}, {"a.tiff", 6}, {"a.jpg", 9}, {"a.gif", 8}, {"a.pcx", 7}, {"a.raw", 11},
        {"a.ovk", 10}, {"a.ps", 2}, {"a.txt", 3}, {"a.html", 4}, {"a.xb", 12}, {"a.exf", 1},
        {"a.apg", 0}, {"x.jpg.bmp", 5}, {"d.ps\\a.jpg", 9},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.code, JCJobMain::FileTypeCode(c.name)) << c.name;
}

// The class library's archive and the plain codec agree byte for byte, both
// ways.
TEST(OrdwellModel, SerializeMatchesTheCodec)
{
    testsupport::TempDir dir;
    JCJob job;
    job.m_tCreate = 0x01020304;
    job.m_strText[2] = "操作者";
    job.m_strScanProfile = "s.icc";
    job.m_strPrintProfile = "";
    job.m_strDisplayProfile = "";
    for (const char* file : {"D:\\J\\a.apg", "D:\\J\\b.apg"}) {
        JCPage* pPage = new JCPage;
        pPage->m_strFile = file;
        pPage->m_tTime = 77;
        pPage->AddOrigin("D:\\J\\x.tif");
        job.JAddPage(pPage);
    }
    JCOrigin* pOrigin = Origin("D:\\J\\x.tif", "D:\\J\\a.apg");
    pOrigin->AddPage("D:\\J\\a.apg");
    pOrigin->AddPage("D:\\J\\b.apg");
    job.JAddOrigin(pOrigin);
    JCOutput* pOutput = new JCOutput;
    pOutput->m_strFile = "D:\\J\\a.ps";
    job.JAddOutput(pOutput);

    const std::string path = dir.File("J.job");
    ASSERT_TRUE(WriteJobFile(path.c_str(), job));
    std::vector<uint8_t> written = FileBytes(path);

    jobarchive::JobRecord record;
    ASSERT_TRUE(jobarchive::DecodeJob(written, record));
    EXPECT_EQ(written, jobarchive::EncodeJob(record));
    ASSERT_EQ(2u, record.pages.size());
    EXPECT_EQ(std::vector<std::string>({"D:\\J\\a.apg", "D:\\J\\b.apg"}), record.origins.at(0).pages);

    // Read back through the class library's archive.
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
    CArchive ar(&file, CArchive::load);
    JCJob read;
    read.Serialize(ar);
    ar.Close();
    file.Close();
    EXPECT_EQ(0x01020304, read.m_tCreate);
    EXPECT_STREQ("操作者", read.m_strText[2]);
    ASSERT_EQ(2, read.JGetPageList()->GetCount());
    JCPage* pSecond = static_cast<JCPage*>(read.JGetPageList()->GetTail());
    EXPECT_STREQ("D:\\J\\b.apg", pSecond->m_strFile);
    EXPECT_EQ(77, pSecond->m_tTime);
    EXPECT_EQ(1, pSecond->m_lstOrigin.GetCount());
    ASSERT_EQ(1, read.JGetOriginList()->GetCount());
    EXPECT_EQ(2, static_cast<JCOrigin*>(read.JGetOriginList()->GetHead())->m_lstPage.GetCount());
}

TEST(OrdwellModel, MalformedFilesAreNotRead)
{
    testsupport::TempDir dir;
    JCTask task;
    task.JAddJob("D:\\T\\A");
    const std::string good = dir.File("T.tsk");
    ASSERT_TRUE(WriteTaskFile(good.c_str(), task));
    std::string bytes = testsupport::ReadFileBytes(good);

    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("short.tsk"), bytes.substr(0, bytes.size() - 1)));
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("job.tsk"), std::string(40, '\xff')));
    JCTask read;
    read.m_strText[0] = "kept";
    EXPECT_FALSE(ReadTaskFile(dir.File("short.tsk").c_str(), read));
    EXPECT_FALSE(ReadTaskFile(dir.File("job.tsk").c_str(), read));
    EXPECT_FALSE(ReadTaskFile(dir.File("missing.tsk").c_str(), read));
    EXPECT_STREQ("kept", read.m_strText[0]);
    ASSERT_TRUE(ReadTaskFile(good.c_str(), read));
    EXPECT_EQ(1, read.JGetJobFileList()->GetCount());
    EXPECT_STREQ(good.c_str(), read.m_strTaskFile);
}

TEST(OrdwellModel, TaskFileHoldsTheCodecBytes)
{
    testsupport::TempDir dir;
    JCTask task;
    task.m_tCreate = 42;
    task.m_strText[3] = "管理者";
    task.JAddJob("D:\\T\\A");
    task.JAddJob("D:\\T\\B");
    ASSERT_TRUE(WriteTaskFile(dir.File("T.tsk").c_str(), task));

    jobarchive::TaskRecord record;
    record.time = 42;
    record.texts[3] = "管理者";
    record.jobs = {"D:\\T\\A", "D:\\T\\B"};
    EXPECT_EQ(jobarchive::EncodeTask(record), FileBytes(dir.File("T.tsk")));
}

TEST(OrdwellModel, AFailedSaveKeepsThePreviousFile)
{
    testsupport::TempDir dir;
    const std::string path = dir.File("J.job");
    JCJob job;
    job.m_strText[0] = "创建者";
    ASSERT_TRUE(WriteJobFile(path.c_str(), job));
    const std::string before = testsupport::ReadFileBytes(path);

    job.m_strText[0] = "改过";
    job.JAddPage(new JCUnwritablePage);
    EXPECT_FALSE(WriteJobFile(path.c_str(), job));
    EXPECT_EQ(before, testsupport::ReadFileBytes(path));
    EXPECT_EQ(std::vector<std::string>({"J.job"}), FolderEntries(dir));

    job.JDeleteAllPage();
    ASSERT_TRUE(WriteJobFile(path.c_str(), job));
    JCJob read;
    ASSERT_TRUE(ReadJobFile(path.c_str(), read));
    EXPECT_STREQ("改过", read.m_strText[0]);
    EXPECT_EQ(std::vector<std::string>({"J.job"}), FolderEntries(dir));
}

TEST(OrdwellModel, NewDocumentNameIsKeptWhole)
{
    // 254 bytes, then 图 across bytes 255 and 256.
    const std::string name = "D:\\" + std::string(251, 'n') + "图像.tif";
    JCJob job;
    job.JAddNewDocName(name.c_str());
    EXPECT_EQ(name, job.JGetNewDocName());
}
