#include "Convert.h"

#include "CvtTable.h"
#include "GuiDriver.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::Gui;

namespace {

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// The CMYK table as the separation dialog writes it: the 212-byte header
// with its IFD at 50, then w x h pixels of four bytes.
std::vector<uint8_t> CmykTable(uint32_t w, uint32_t h)
{
    std::vector<uint8_t> b(212 + w * h * 4, 0);
    b[0] = b[1] = 'I';
    Put16(b, 2, 42);
    Put32(b, 4, 50);
    Put16(b, 50, 13);
    const uint32_t entries[][4] = {{254, 4, 1, 0}, {256, 4, 1, w}, {257, 4, 1, h}, {258, 3, 4, 8},
                                   {259, 3, 1, 1}, {262, 3, 1, 5}, {273, 4, 4, 16}, {277, 3, 1, 4},
                                   {278, 4, 1, h}, {279, 4, 4, 0}, {282, 5, 1, 32}, {283, 5, 1, 40},
                                   {284, 3, 1, 2}};
    for (int i = 0; i < 13; i++) {
        size_t at = 52 + i * 12;
        Put16(b, at, entries[i][0]);
        Put16(b, at + 2, entries[i][1]);
        Put32(b, at + 4, entries[i][2]);
        Put32(b, at + 8, entries[i][3]);
    }
    return b;
}

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

TEST(ConvertLibrary, CmykTableLayoutIsChecked)
{
    EXPECT_TRUE(convert::IsValidCmykTable(CmykTable(3, 2)));
    std::vector<uint8_t> cut = CmykTable(3, 2);
    cut.pop_back();
    EXPECT_FALSE(convert::IsValidCmykTable(cut));
    std::vector<uint8_t> motorola = CmykTable(3, 2);
    motorola[0] = motorola[1] = 'M';
    EXPECT_FALSE(convert::IsValidCmykTable(motorola));
    std::vector<uint8_t> farIfd = CmykTable(3, 2);
    Put32(farIfd, 4, 0xFFFFFFF0);
    EXPECT_FALSE(convert::IsValidCmykTable(farIfd));
    std::vector<uint8_t> manyEntries = CmykTable(3, 2);
    Put16(manyEntries, 50, 0xFFFF);
    EXPECT_FALSE(convert::IsValidCmykTable(manyEntries));
    std::vector<uint8_t> huge = CmykTable(3, 2);
    Put32(huge, 52 + 12 + 8, 0xFFFFFFFF);
    EXPECT_FALSE(convert::IsValidCmykTable(huge));
}

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
