#include "General.h"

#include "GuiDriver.h"

#include <gtest/gtest.h>

#include <string>

using testsupport::Gui;

TEST(GeneralLibrary, FileTypeCodes)
{
    struct {
        const char* path;
        int code;
    } cases[] = {
        {"C:\\a.bmp", 1}, {"C:\\a.GIF", 3}, {"C:\\a.jpg", 4}, {"C:\\a.jpeg", 4}, {"C:\\a.pcx", 5},
        {"C:\\a.raw", 8}, {"C:\\a.tif", 12}, {"C:\\a.TIFF", 12}, {"C:\\a.ovk", 13}, {"C:\\a.psd", 18},
        {"C:\\a.eps", 50}, {"C:\\a.txt", 0}, {"C:\\a", 0}, {"C:\\x.tif\\a", 0}, {"C:\\a.bmp.jpg", 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.code, GenGetFileType(c.path)) << c.path;
}

TEST(GeneralLibrary, FoldersAndTheCallRecord)
{
    GeneralClearCallLog();
    GenSetProgramFolder("D:\\App");
    GenSetTempFolder("D:\\App\\temp");
    EXPECT_STREQ("D:\\App", GenGetProgramFolder());
    EXPECT_STREQ("D:\\App\\temp", GenGetTempFolder());
    GenSetJobOpen(1);
    GenBeginThumbnails();
    GenEndThumbnails();
    EXPECT_STREQ("247 D:\\App\n251 D:\\App\\temp\n246\n248\n250 1\n261\n262\n", GeneralCallLog());
}

TEST(GeneralLibrary, BuffersAndRows)
{
    EXPECT_EQ(4, GenGetRowBytes(NULL, 8));
    EXPECT_EQ(8, GenGetRowBytes(NULL, 33));
    EXPECT_EQ(300, GenGetRowBytes(NULL, 100 * 24));
    void* pBuffer = GenAllocBuffer(64, 0, 1);
    ASSERT_NE(nullptr, pBuffer);
    EXPECT_EQ(0, static_cast<unsigned char*>(pBuffer)[63]);
    GenFreeBuffer(&pBuffer);
    EXPECT_EQ(nullptr, pBuffer);
}

TEST(GeneralLibrary, ProgressDialogReportsCancel)
{
    CProgressDlg progress(0);
    auto& window = Gui().Expect("正在处理").Press(IDCANCEL).OpenFor(60000);
    ASSERT_TRUE(progress.Create(NULL));
    progress.StepIt();
    ASSERT_TRUE(Gui().WaitFor([&] { return progress.CheckCancelButton() != FALSE; }));
    EXPECT_TRUE(window.Seen());
}
