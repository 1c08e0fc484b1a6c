#include "Convert.h"

#include "CvtTable.h"
#include "CvtTableFixture.h"
#include "GuiDriver.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cvtfixture;
using testsupport::Gui;

namespace {

std::string Bytes(const std::vector<uint8_t>& b) { return std::string(b.begin(), b.end()); }

int LoadBoth(const char* folder, const char* program, int* pCount)
{
    CONVERT_PARAMS params = {};
    params.pszTableFolder = folder;
    params.pszProgramFolder = program;
    int first = 0, second = 0;
    int ok = CvtLoadInputTables(1, &params, &first) & CvtLoadOutputTables(1, &params, &second);
    *pCount = first + second;
    return ok;
}

}  // namespace

TEST(ConvertLibrary, TablesFromTheFolderOrBuiltIn)
{
    testsupport::TempDir dir;
    int count = -1;
    EXPECT_EQ(1, LoadBoth(dir.Path().c_str(), NULL, &count));
    EXPECT_EQ(0, count);

    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("dto.cvt"), Bytes(CmykTable(4, 4))));
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("otd.cvt"), "standard"));
    EXPECT_EQ(1, LoadBoth(dir.Path().c_str(), NULL, &count));
    EXPECT_EQ(2, count);

    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("ltr.cvt"), ""));
    EXPECT_EQ(0, LoadBoth(dir.Path().c_str(), NULL, &count));
    ::DeleteFileA(dir.File("ltr.cvt").c_str());
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("dto.cvt"), "II*\0"));
    EXPECT_EQ(0, LoadBoth(dir.Path().c_str(), NULL, &count));
}

TEST(ConvertLibrary, SystemTablesBesideTheProgramFolder)
{
    testsupport::TempDir dir;
    ::CreateDirectoryA(dir.File("prog").c_str(), NULL);
    ::CreateDirectoryA(dir.File("color").c_str(), NULL);
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("color\\ctl.cvt"), "table"));
    int count = -1;
    EXPECT_EQ(1, LoadBoth(NULL, dir.File("prog").c_str(), &count));
    EXPECT_EQ(1, count);

    // Without a program folder in the record, the one of ordinal 17.
    CvtSetProgramFolder(dir.File("prog").c_str());
    EXPECT_EQ(1, LoadBoth(NULL, NULL, &count));
    EXPECT_EQ(1, count);
    CONVERT_PARAMS params = {};
    EXPECT_EQ(0, CvtLoadInputTables(2, &params, &count));
}

TEST(ConvertLibrary, ProfileChoice)
{
    ConvertClearCallLog();
    char scan[256] = "old.icc", display[256] = "", print[256] = "";
    auto& dialog = Gui()
                       .Expect("选择色彩配置文件")
                       .SetText(1001, "C:\\p\\扫描.icc")
                       .SetText(1002, "C:\\p\\d.icc")
                       .SetText(1003, "C:\\p\\p.icc")
                       .Press(IDOK);
    int n = 0;
    EXPECT_EQ(IDOK, CvtChooseProfiles("C:\\prog", "C:\\color", scan, display, print, &n));
    EXPECT_TRUE(dialog.Seen());
    EXPECT_STREQ("C:\\p\\扫描.icc", scan);
    EXPECT_STREQ("C:\\p\\d.icc", display);
    EXPECT_STREQ("C:\\p\\p.icc", print);

    Gui().Expect("选择色彩配置文件").SetText(1001, "x").Press(IDCANCEL);
    EXPECT_EQ(IDCANCEL, CvtChooseProfiles("C:\\prog", "C:\\color", scan, display, print, &n));
    EXPECT_STREQ("C:\\p\\扫描.icc", scan);
    EXPECT_STREQ("100 C:\\prog C:\\color\n100 C:\\prog C:\\color\n", ConvertCallLog());
}
