// Copying output files of the current job with the files that belong to them.
#include "JobDialogFixture.h"

using namespace jobtest;
using testsupport::Gui;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

const char kCopyDialog[] = "转存输出文件";
const int kTarget = 4111, kFiles = 4113, kType = 4114;

class CopyOutputs : public JobFilesTest {
protected:
    void SetUp() override
    {
        JobFilesTest::SetUp();
        m_target = m_dir.File("target");
        ::CreateDirectoryA(m_target.c_str(), NULL);
    }
    // Selects exactly these lines of the file list.
    static void SelectLines(HWND dialog, const std::vector<int>& lines)
    {
        HWND list = ::GetDlgItem(dialog, kFiles);
        ::SendMessageA(list, LB_SETSEL, FALSE, -1);
        for (int line : lines)
            ::SendMessageA(list, LB_SETSEL, TRUE, line);
    }

    std::string m_target;
};

TEST_F(CopyOutputs, EachTypeListsItsFiles)
{
    AddOutput("D:\\OUT\\Book.PS");
    AddOutput("D:\\OUT\\a.eps");
    AddOutput("D:\\OUT\\c.tif");
    AddPage("D:\\OUT\\P.apg");
    Lines ps, pages, eps;
    int selected = -1;
    std::string target;
    Gui().Expect(kCopyDialog)
        .Run([&](HWND dialog) {
            ps = ListLines(dialog, kFiles);
            selected = static_cast<int>(::SendDlgItemMessageA(dialog, kFiles, LB_GETSEL, 0, 0));
            target = ItemText(dialog, kTarget);
        })
        .SelectItem(kType, 1)
        .Run([&](HWND dialog) { pages = ListLines(dialog, kFiles); })
        .SelectItem(kType, 2)
        .Run([&](HWND dialog) { eps = ListLines(dialog, kFiles); })
        .Press(IDCANCEL);
    char current[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, current);
    JCpyPSFile();
    EXPECT_EQ((Lines{"D:\\OUT\\Book.PS"}), ps);
    EXPECT_EQ((Lines{"D:\\OUT\\P.apg"}), pages);
    EXPECT_EQ((Lines{"D:\\OUT\\a.eps"}), eps);
    EXPECT_GT(selected, 0);
    EXPECT_EQ(current, target);
}

TEST_F(CopyOutputs, APageTakesItsOriginalsAndReplacesFilesOfTheSameName)
{
    const std::string page = Source("P.apg"), other = Source("Q.apg");
    AddPage(page);
    AddPage(other);
    AddOrigin(Source("a.tif"), page);
    AddOrigin(Source("b.tif"), "None");
    AddOrigin(m_src + "\\gone.tif", page);
    AddOrigin(Source("q.tif"), other);
    ASSERT_TRUE(WriteFileBytes(m_target + "\\a.tif", "older"));
    auto& missing = Gui().Expect(AfxGetAppName()).Press(IDOK);
    Gui().Expect(kCopyDialog)
        .SetText(kTarget, m_target)
        .SelectItem(kType, 1)
        .Run([](HWND dialog) { SelectLines(dialog, {0}); })
        .Press(IDOK);
    JCpyPSFile();
    EXPECT_TRUE(missing.HasText(m_src + "\\gone.tif文件没有找到，拷贝失败！"));
    EXPECT_EQ("data of P.apg", ReadFileBytes(m_target + "\\P.apg"));
    EXPECT_EQ("data of a.tif", ReadFileBytes(m_target + "\\a.tif"));
    EXPECT_FALSE(Exists(m_target + "\\b.tif"));
    EXPECT_FALSE(Exists(m_target + "\\Q.apg"));
    EXPECT_FALSE(Exists(m_target + "\\q.tif"));
}

TEST_F(CopyOutputs, AnOutputTakesTheOutputsMadeFromIt)
{
    const std::string book = Source("Book.PS"), second = Source("Two.ps");
    AddOutput(book);
    AddOutput(second);
    AddOutput(Source("part.tif"), book);
    AddOutput(Source("other.tif"), second);
    Gui().Expect(kCopyDialog)
        .SetText(kTarget, m_target)
        .Run([](HWND dialog) { SelectLines(dialog, {0}); })
        .Press(IDOK);
    JCpyPSFile();
    EXPECT_EQ("data of Book.PS", ReadFileBytes(m_target + "\\Book.PS"));
    EXPECT_EQ("data of part.tif", ReadFileBytes(m_target + "\\part.tif"));
    EXPECT_FALSE(Exists(m_target + "\\Two.ps"));
    EXPECT_FALSE(Exists(m_target + "\\other.tif"));
}

TEST_F(CopyOutputs, ACopyThatFailsIsToldAsAnIllegalName)
{
    AddOutput(Source("a.ps"));
    AddOutput(Source("b.ps"));
    auto& failed = Gui().Expect(AfxGetAppName()).Press(IDOK);
    const std::string missingFolder = m_dir.File("no such folder");
    Gui().Expect(kCopyDialog)
        .SetText(kTarget, missingFolder)
        .Run([](HWND dialog) { SelectLines(dialog, {0}); })
        .Press(IDOK);
    JCpyPSFile();
    EXPECT_TRUE(failed.HasText("非法文件名"));
}

TEST_F(CopyOutputs, WithoutAnOpenJobNoDialogRuns)
{
    JCloseJob();
    auto& message = Gui().Expect(AfxGetAppName()).Press(IDOK);
    JCpyPSFile();
    EXPECT_TRUE(message.HasText("没有打开的作业. 请首先打开一个作业."));
}

}  // namespace
