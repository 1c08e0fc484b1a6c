// The form helpers for files, folders, the profile, the registry, the recent
// list and the font's archive form.
#include "FormFileHelpers.h"
#include "GuiDriver.h"
#include "ProgramFolder.h"
#include "Registry.h"
#include "TempDir.h"

#include "afxarch.h"
#include "afxfile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testsupport::Gui;

std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::wstring Wide(const std::string& ansi)
{
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(size_t(::MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), &wide[0], int(wide.size()))));
    return wide;
}

std::vector<std::string> Entries(const CStringList& list)
{
    std::vector<std::string> entries;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        entries.push_back(std::string(list.GetNext(pos)));
    return entries;
}

TEST(FormFileHelpersTest, FoldersAreWhole)
{
    EXPECT_EQ(ProgramFolder(), GetProgramFolder());
    EXPECT_EQ(ProgramFolder().Right(1), "\\");

    testsupport::TempDir dir;
    // A folder path of more than 300 characters, beyond what the ANSI file
    // functions take: made, entered and removed through the wide ones.
    std::string deep = dir.Path();
    std::vector<std::wstring> levels;
    while (deep.size() < 300) {
        deep += "\\目录abcdefghijklmnopqrstuvwxyz0123456789";
        levels.push_back(L"\\\\?\\" + Wide(deep));
        ASSERT_TRUE(::CreateDirectoryW(levels.back().c_str(), NULL)) << deep.size();
    }
    wchar_t saved[MAX_PATH] = L"";
    ::GetCurrentDirectoryW(MAX_PATH, saved);
    EXPECT_TRUE(::SetCurrentDirectoryW(Wide(deep).c_str())) << ::GetLastError();
    EXPECT_EQ(std::string(CurrentFolder()), deep + "\\");
    EXPECT_EQ(std::string(PrefixCurrentFolder("图.jpg")), deep + "\\图.jpg");
    ::SetCurrentDirectoryW(saved);
    for (auto level = levels.rbegin(); level != levels.rend(); ++level)
        ::RemoveDirectoryW(level->c_str());
}

TEST(FormFileHelpersTest, PathsExistWhenFindFirstFindsThem)
{
    testsupport::TempDir dir;
    EXPECT_TRUE(PathExists(dir.Path().c_str()));
    EXPECT_FALSE(PathExists(dir.File("无.txt").c_str()));
    ASSERT_TRUE(WriteTextFile("第一行\n第二行", dir.File("文本.txt").c_str()));
    EXPECT_TRUE(PathExists(dir.File("文本.txt").c_str()));
    EXPECT_TRUE(PathExists(dir.File("*.txt").c_str()));
    // Text mode: each line feed is written as CR LF.
    EXPECT_EQ(ReadBytes(dir.File("文本.txt")), "第一行\r\n第二行");
}

TEST(FormFileHelpersTest, AFileThatCannotBeOpenedIsReported)
{
    testsupport::TempDir dir;
    auto& message = Gui().Expect("").Press(IDOK);
    EXPECT_FALSE(WriteTextFile("x", dir.File("没有的目录\\a.txt").c_str()));
    EXPECT_TRUE(message.HasText("Unable to open file"));
}

TEST(FormFileHelpersTest, ProfileValuesAreWhole)
{
    testsupport::TempDir dir;
    const CString file = dir.File("设置.ini").c_str();
    const CString longValue = CString('v', 400) + "尾";
    EXPECT_TRUE(WriteProfileText(file, "节", "长", longValue));
    EXPECT_TRUE(WriteProfileText(file, "节", "短", "值"));
    EXPECT_EQ(ReadProfileText(file, "节", "长", "默认"), longValue);
    EXPECT_EQ(std::string(ReadProfileText(file, "节", "短", "默认")), "值");
    EXPECT_EQ(std::string(ReadProfileText(file, "节", "无", "默认")), "默认");
    EXPECT_EQ(ReadProfileText(file, "节", "无", CString('d', 400)), CString('d', 400));
    EXPECT_EQ(std::string(ReadProfileText(file, "节", "无", "")), "");
}

TEST(FormFileHelpersTest, RegistryTextsAreStored)
{
    const std::string key = testsupport::ProcessUnique("Software\\OmbrelleFormHelpersTest");
    EXPECT_TRUE(WriteRegistryText(HKEY_CURRENT_USER, (key + "\\子键").c_str(), "名", "值"));
    EXPECT_EQ(testsupport::ReadRegString(HKEY_CURRENT_USER, key + "\\子键", "名"), std::string("值"));
    testsupport::DeleteRegKey(HKEY_CURRENT_USER, key);
}

struct RecentCase {
    const char* name;
    std::vector<std::string> before;
    const char* text;
    int append;
    int maxCount;
    std::vector<std::string> after;
};

void PrintTo(const RecentCase& c, std::ostream* os) { *os << c.name; }

const RecentCase kRecent[] = {
    {"EmptyListTakesIt", {}, "a", 1, 3, {"a"}},
    {"NewAtTheTail", {"a", "b"}, "c", 1, 0, {"a", "b", "c"}},
    {"NewAtTheHead", {"a", "b"}, "c", 0, 0, {"c", "a", "b"}},
    {"KnownMovesToTheHead", {"a", "b", "c"}, "c", 0, 0, {"c", "a", "b"}},
    {"KnownStaysWhenAppending", {"a", "b", "c"}, "b", 1, 0, {"a", "b", "c"}},
    {"CutFromTheTail", {"a", "b", "c"}, "d", 0, 3, {"d", "a", "b"}},
    {"MaxOneCutsNothing", {"a", "b"}, "c", 0, 1, {"c", "a", "b"}},
    {"ExactMatchOnly", {"A"}, "a", 0, 0, {"a", "A"}},
};

class RecentListTest : public ::testing::TestWithParam<RecentCase> {};

TEST_P(RecentListTest, Updates)
{
    const RecentCase& c = GetParam();
    CStringList list;
    for (const std::string& entry : c.before)
        list.AddTail(entry.c_str());
    AddToRecentList(c.maxCount, c.text, list, c.append);
    EXPECT_EQ(Entries(list), c.after);
}

INSTANTIATE_TEST_SUITE_P(Table, RecentListTest, ::testing::ValuesIn(kRecent),
                         [](const ::testing::TestParamInfo<RecentCase>& info) { return info.param.name; });

TEST(FormFileHelpersTest, FontsGoThroughTheArchiveAndBack)
{
    testsupport::TempDir dir;
    LOGFONT font = {};
    font.lfHeight = -12;
    font.lfWeight = 700;
    font.lfItalic = 1;
    font.lfCharSet = 134;
    font.lfPitchAndFamily = 0x31;
    std::strcpy(font.lfFaceName, "宋体");
    const std::string path = dir.File("font.bin");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        LogFontSerialize(ar, font);
        ar.Close();
    }
    // Five 32-bit members, eight bytes, the face name with its length byte.
    const std::string bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 20u + 8u + 1u + 4u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xf4\xff\xff\xff", 4));
    EXPECT_EQ(bytes.substr(20, 8), std::string("\x01\x00\x00\x86\x00\x00\x00\x31", 8));
    EXPECT_EQ(bytes.substr(28), "\x04宋体");

    LOGFONT back;
    std::memset(&back, 0x55, sizeof back);
    {
        CFile file(path.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        LogFontSerialize(ar, back);
    }
    EXPECT_EQ(std::memcmp(&back, &font, sizeof font), 0);
}

}  // namespace
