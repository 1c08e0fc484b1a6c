// The job browser: its name tables and thumbnails with files of any kind.
#include "JobDialogFixture.h"

using namespace jobtest;
using testsupport::Gui;
using testsupport::WriteFileBytes;

namespace {

class JobBrowse : public JobFilesTest {};

TEST_F(JobBrowse, OddCodesShowTheFirstNamesAndBadThumbnailsAreNotUsed)
{
    AddPage("D:\\L\\P.apg");
    AddOrigin("D:\\L\\a.tif", "None");
    AddOrigin("D:\\L\\b.tif", "None");
    JCOrigin* pOdd = static_cast<JCOrigin*>(Job().m_lstOrigin.GetHead());
    pOdd->m_nFileType = 13;
    pOdd->m_nNumber1 = 7;
    pOdd->m_nNumber2 = 5;
    pOdd->m_strDescription = "作者";
    static_cast<JCOrigin*>(Job().m_lstOrigin.GetTail())->m_nFileType = 1;
    // Thumbnails that claim more than they hold.
    ::CreateDirectoryA((JobFolder("J") + "\\bitmaps").c_str(), NULL);
    WriteFileBytes(JobFolder("J") + "\\bitmaps\\a.bmp", std::string("BM\xff\xff\xff\x7f", 6));
    std::string huge = "BM" + std::string(12, '\0') + std::string("\x28\0\0\0\xff\xff\0\0\xff\xff\0\0\1\0\x18\0", 16);
    WriteFileBytes(JobFolder("J") + "\\bitmaps\\b.bmp", huge + std::string(40, '\0'));
    Lines pages, origins;
    Gui().Expect("作业浏览")
        .SelectItem(4546, 0)
        .Run([&](HWND dialog) {
            pages = ListViewRows(dialog, 4542, 3);
            origins = ListViewRows(dialog, 4543, 6);
        })
        .Press(IDOK);
    JCJobBrowseDlg dialog(NULL);
    dialog.m_pTask = JGetCurTask();
    dialog.m_pJob = JGetCurJob();
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ((Lines{"D:\\L\\P.apg|Edit|0"}), pages);
    ASSERT_EQ(2u, origins.size());
    EXPECT_EQ(0u, origins[0].find("D:\\L\\a.tif|Unknow|None|")) << origins[0];
    EXPECT_EQ("|5|作者", origins[0].substr(origins[0].size() - 7));
    EXPECT_EQ(0u, origins[1].find("D:\\L\\b.tif|Image|None|")) << origins[1];
}

}  // namespace
