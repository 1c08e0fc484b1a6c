#include "JobDialogFixture.h"

#include <dlgs.h>

using namespace jobtest;
using testsupport::Gui;

namespace {

const int kPages = 4509, kOrigins = 4510, kAddPage = 4511, kDeletePage = 4512, kAddOrigin = 4513,
          kDeleteOrigin = 4515;
const char kEditJob[] = "编辑作业";

class EditJob : public JobDialogTest {
protected:
    void SetUp() override
    {
        JobDialogTest::SetUp();
        MakeTask("T.tsk", {"J"});
        OpenInManager("T.tsk", "J");
    }

    std::string MakeFile(const std::string& name)
    {
        std::string path = m_dir.File(name);
        EXPECT_TRUE(testsupport::WriteFileBytes(path, "x"));
        return path;
    }

    // The job as saved on disk.
    void ReadSaved(JCJob& job) { EXPECT_TRUE(ReadJobFile(JobFile("J").c_str(), job)); }

    static Lines Files(CObList& list)
    {
        Lines files;
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
            CObject* p = list.GetNext(pos);
            JCPage* pPage = dynamic_cast<JCPage*>(p);
            files.push_back(pPage != NULL ? (LPCTSTR)pPage->m_strFile : (LPCTSTR) static_cast<JCOrigin*>(p)->m_strFile);
        }
        return files;
    }
};

}  // namespace

TEST_F(EditJob, PagesAreTakenByTheirApgNameAndSavedAfterOk)
{
    const std::string upper = MakeFile("A.APG"), longer = MakeFile("a.apgx"), text = MakeFile("b.txt");
    auto& refused = Gui().Expect(AfxGetAppName()).Press(IDOK);
    Lines lines;
    std::string names;
    Gui().Expect(kEditJob)
        .Run([&](HWND dialog) { names = ItemText(dialog, 4540) + "|" + ItemText(dialog, 4541); })
        .Press(kAddPage)
        .Press(kAddPage)
        .Press(kAddPage)
        .Press(kAddPage)
        .Run([&](HWND dialog) { lines = ListLines(dialog, kPages); })
        .Press(IDOK);
    for (const std::string& path : {upper, text, longer, upper})
        Gui().Expect("添加拼版文件").SetText(cmb13, path).Press(IDOK);
    EXPECT_EQ(0, JEditJob());
    EXPECT_TRUE(refused.HasText("无效的文件类型，添加操作失败！"));
    EXPECT_EQ(TaskFile("T.tsk") + "|" + JobFile("J"), names);
    EXPECT_EQ((Lines{upper, longer}), lines);
    JCJob saved;
    ReadSaved(saved);
    EXPECT_EQ((Lines{upper, longer}), Files(saved.m_lstPage));
    EXPECT_STREQ("None", static_cast<JCPage*>(saved.m_lstPage.GetHead())->m_strDescription);
}

TEST_F(EditJob, AnOriginBelongsToNoPageAndIsAddedOnce)
{
    const std::string picture = MakeFile("x.tif");
    Lines lines;
    Gui().Expect(kEditJob)
        .Press(kAddOrigin)
        .Press(kAddOrigin)
        .Run([&](HWND dialog) { lines = ListLines(dialog, kOrigins); })
        .Press(IDOK);
    for (int i = 0; i < 2; i++)
        Gui().Expect("添加原稿文件").SetText(cmb13, picture).Press(IDOK);
    JEditJob();
    EXPECT_EQ((Lines{picture, picture}), lines);
    JCJob saved;
    ReadSaved(saved);
    ASSERT_EQ((Lines{picture}), Files(saved.m_lstOrigin));
    JCOrigin* pOrigin = static_cast<JCOrigin*>(saved.m_lstOrigin.GetHead());
    EXPECT_STREQ("None", pOrigin->m_strPage);
    EXPECT_STREQ("", pOrigin->m_strDescription);
    EXPECT_EQ(6, pOrigin->m_nFileType);
}

TEST_F(EditJob, DeletingALineRemovesEveryEntryOfThatPathAndNoOtherLine)
{
    // Pages P, Q, P (case differs) and originals X, Y, X as a host may have left them.
    JCJob* pJob = JGetCurJob();
    for (const char* file : {"D:\\L\\P.apg", "D:\\L\\Q.apg", "d:\\l\\p.APG"}) {
        JCPage* pPage = new JCPage;
        pPage->m_strFile = file;
        pJob->m_lstPage.AddTail(pPage);
    }
    for (const char* file : {"D:\\L\\X.tif", "D:\\L\\Y.tif", "D:\\L\\X.tif"}) {
        JCOrigin* pOrigin = new JCOrigin;
        pOrigin->m_strFile = file;
        pJob->m_lstOrigin.AddTail(pOrigin);
    }
    Lines pages, origins;
    Gui().Expect(kEditJob)
        .SelectItem(kPages, 0)
        .Press(kDeletePage)
        .SelectItem(kOrigins, 2)
        .Press(kDeleteOrigin)
        .Press(kDeleteOrigin)  // no line selected now: nothing happens
        .Run([&](HWND dialog) {
            pages = ListLines(dialog, kPages);
            origins = ListLines(dialog, kOrigins);
        })
        .Press(IDOK);
    JEditJob();
    EXPECT_EQ((Lines{"D:\\L\\Q.apg"}), pages);
    EXPECT_EQ((Lines{"D:\\L\\Y.tif"}), origins);
    JCJob saved;
    ReadSaved(saved);
    EXPECT_EQ((Lines{"D:\\L\\Q.apg"}), Files(saved.m_lstPage));
    EXPECT_EQ((Lines{"D:\\L\\Y.tif"}), Files(saved.m_lstOrigin));
}

TEST_F(EditJob, WithoutAnOpenJobTheUserIsTold)
{
    JCloseJob();
    auto& message = Gui().Expect(AfxGetAppName()).Press(IDOK);
    JEditJob();
    EXPECT_TRUE(message.HasText("没有打开的作业. 请首先打开一个作业."));
}
