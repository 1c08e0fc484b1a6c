// The path settings dialogs: folders checked, created and made full paths.
#include "JobDialogFixture.h"

using namespace jobtest;
using testsupport::Gui;

namespace {

const char kPathSet[] = "路径设置";

bool IsFolder(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

using PathSettings = JobDialogTest;

TEST_F(PathSettings, MissingFoldersAreCreatedAndARelativeTempLandsUnderTheTaskFolder)
{
    CPathSetDlg dialog(NULL);
    dialog.m_strTaskPath = m_dir.File("newtask").c_str();
    dialog.m_strTempPath = "tmp";
    dialog.m_strPlugInPath = m_dir.File("plug").c_str();
    Gui().Expect(kPathSet).Press(IDOK);
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_STREQ(m_dir.File("newtask").c_str(), dialog.m_strTaskPath);
    EXPECT_STREQ(m_dir.File("newtask\\tmp").c_str(), dialog.m_strTempPath);
    EXPECT_STREQ(m_dir.File("plug").c_str(), dialog.m_strPlugInPath);
    EXPECT_TRUE(IsFolder(m_dir.File("newtask\\tmp")));
    EXPECT_TRUE(IsFolder(m_dir.File("plug")));
}

TEST_F(PathSettings, APlugInPathNamingAFileIsRefusedAfterTheEarlierFolders)
{
    const std::string file = m_dir.File("plugin.dll");
    ASSERT_TRUE(testsupport::WriteFileBytes(file, "x"));
    CPathSetDlg dialog(NULL);
    dialog.m_strTaskPath = m_dir.File("t").c_str();
    dialog.m_strTempPath = m_dir.File("t\\tmp").c_str();
    dialog.m_strPlugInPath = file.c_str();
    auto& refused = Gui().Expect(AfxGetAppName()).Press(IDOK);
    Gui().Expect(kPathSet).Press(IDOK).Close();
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_TRUE(refused.HasText("无效的PlugIn文件路径， 请重新设置。"));
    EXPECT_TRUE(IsFolder(m_dir.File("t\\tmp")));
}

TEST_F(PathSettings, RefusalsNameTheFolderThatFailed)
{
    const struct {
        const char* task;
        const char* temp;
        const char* message;
    } kCases[] = {
        {"no\\such\\task", "tmp", "无效的任务路径， 请重新设置。"},
        {"t", "no\\such\\tmp", "无效的临时文件路径， 请重新设置。"},
    };
    for (const auto& c : kCases) {
        CPathSetDlg dialog(NULL);
        dialog.m_strTaskPath = m_dir.File(c.task).c_str();
        dialog.m_strTempPath = m_dir.File(c.temp).c_str();
        dialog.m_strPlugInPath = m_dir.File("plug").c_str();
        auto& refused = Gui().Expect(AfxGetAppName()).Press(IDOK);
        Gui().Expect(kPathSet).Press(IDOK).Close();
        EXPECT_EQ(IDCANCEL, dialog.DoModal());
        EXPECT_TRUE(refused.HasText(c.message)) << c.task;
        EXPECT_FALSE(IsFolder(m_dir.File("plug")));
    }
}

TEST_F(PathSettings, TheSecondDialogKeepsAnExistingFolderAsTyped)
{
    const std::string typed = m_dir.Path() + "\\";
    CPathSetDlg2 existing(NULL);
    existing.m_strTempPath = typed.c_str();
    Gui().Expect(kPathSet).Press(IDOK);
    ASSERT_EQ(IDOK, existing.DoModal());
    EXPECT_STREQ(typed.c_str(), existing.m_strTempPath);

    CPathSetDlg2 created(NULL);
    created.m_strTempPath = m_dir.File("new\\").c_str();
    Gui().Expect(kPathSet).Press(IDOK);
    ASSERT_EQ(IDOK, created.DoModal());
    EXPECT_STREQ(m_dir.File("new").c_str(), created.m_strTempPath);
    EXPECT_TRUE(IsFolder(m_dir.File("new")));
}

}  // namespace
