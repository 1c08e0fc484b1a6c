#include "IniFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::TempDir;
using testsupport::WriteFileBytes;

namespace {

std::vector<std::string> Entries(const CStringList* list)
{
    std::vector<std::string> entries;
    for (POSITION pos = list->GetHeadPosition(); pos != NULL;)
        entries.push_back(static_cast<LPCTSTR>(list->GetNext(pos)));
    return entries;
}

const char kFile[] =
    "[ConnectiongString]\r\n"
    "Server=db1\r\n"
    "Empty=\r\n"
    "[NoKeys]\r\n"
    "[路径]\r\n"
    "扫描=D:\\扫描\r\n";

}  // namespace

TEST(IniFile, ReadsValuesSectionsAndLines)
{
    TempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.File("a.Config"), kFile));
    CIniFile ini;
    ini.SetFileName(dir.File("a.Config").c_str());

    struct {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"ConnectiongString", "Server", "db1"},
        {"connectiongstring", "SERVER", "db1"},
        {"ConnectiongString", "Empty", ""},
        {"ConnectiongString", "Missing", ""},
        {"Missing", "Server", ""},
        {"路径", "扫描", "D:\\扫描"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(c.value, ini.GetValue(c.section, c.key)) << c.section << "/" << c.key;
        EXPECT_EQ(static_cast<int>(strlen(c.value)), ini.GetLastResult()) << c.section << "/" << c.key;
    }

    EXPECT_TRUE(ini.HasSection("ConnectiongString"));
    EXPECT_FALSE(ini.HasSection("NoKeys"));
    EXPECT_FALSE(ini.HasSection("Missing"));

    EXPECT_EQ((std::vector<std::string>{"ConnectiongString", "NoKeys", "路径"}), Entries(ini.GetSectionNames()));
    EXPECT_EQ((std::vector<std::string>{"Server=db1", "Empty="}), Entries(ini.GetSection("ConnectiongString")));
    EXPECT_EQ(std::vector<std::string>{}, Entries(ini.GetSection("NoKeys")));
    // Each call refills its list rather than adding to it.
    EXPECT_EQ(3u, Entries(ini.GetSectionNames()).size());
}

TEST(IniFile, MissingFileGivesNothing)
{
    TempDir dir;
    CIniFile ini;
    ini.SetFileName(dir.File("none.ini").c_str());
    EXPECT_STREQ("", ini.GetValue("S", "K"));
    EXPECT_FALSE(ini.HasSection("S"));
    EXPECT_TRUE(Entries(ini.GetSectionNames()).empty());
    EXPECT_TRUE(Entries(ini.GetSection("S")).empty());
}

TEST(IniFile, WritesCreatingFileSectionAndKey)
{
    TempDir dir;
    CIniFile ini;
    ini.SetFileName(dir.File("new.ini").c_str());
    EXPECT_TRUE(ini.SetValue("DB", "User", "sa"));
    EXPECT_TRUE(ini.SetValue("DB", "Pass", "秘密"));
    EXPECT_TRUE(ini.SetValue("Other", "Key", "1"));
    EXPECT_TRUE(ini.SetValue("DB", "User", "admin"));

    CIniFile reader;
    reader.SetFileName(dir.File("new.ini").c_str());
    EXPECT_STREQ("admin", reader.GetValue("DB", "User"));
    EXPECT_STREQ("秘密", reader.GetValue("DB", "Pass"));
    EXPECT_EQ((std::vector<std::string>{"User=admin", "Pass=秘密"}), Entries(reader.GetSection("DB")));
    EXPECT_EQ((std::vector<std::string>{"DB", "Other"}), Entries(reader.GetSectionNames()));
}

// Long values, lists and paths come back whole: nothing is cut at a buffer.
TEST(IniFile, LongValuesAndListsComeBackWhole)
{
    TempDir dir;
    CIniFile ini;
    ini.SetFileName(dir.File("long.ini").c_str());

    for (size_t length : {254u, 255u, 256u, 2047u, 2048u, 5000u}) {
        std::string value = "D:\\" + std::string(length - 3, 'x');
        ASSERT_TRUE(ini.SetValue("Paths", "Folder", value.c_str()));
        EXPECT_EQ(value, std::string(ini.GetValue("Paths", "Folder"))) << length;
        EXPECT_EQ(static_cast<int>(length), ini.GetLastResult());
    }

    std::vector<std::string> names;
    std::vector<std::string> lines;
    names.push_back("Paths");
    for (int i = 0; i < 200; ++i) {
        std::string name = "Section" + std::to_string(i) + std::string(20, 's');
        ASSERT_TRUE(ini.SetValue(name.c_str(), "K", "1"));
        names.push_back(name);
    }
    names.push_back("Many");
    for (int i = 0; i < 200; ++i) {
        std::string key = "Key" + std::to_string(i);
        std::string value(30, 'v');
        ASSERT_TRUE(ini.SetValue("Many", key.c_str(), value.c_str()));
        lines.push_back(key + "=" + value);
    }
    EXPECT_EQ(names, Entries(ini.GetSectionNames()));
    EXPECT_EQ(lines, Entries(ini.GetSection("Many")));
}
