// CFileFind over a real folder: entries, their paths, attributes and times,
// and the protocol of FindNextFile (it answers whether more entries follow).
#include "afx.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using testsupport::TempDir;
using testsupport::WriteFileBytes;

// 1 500 000 000 s after 1970 as a FILETIME (100 ns steps since 1601).
const time_t kWriteTime = 1500000000;
FILETIME ToFileTime(time_t t)
{
    ULONGLONG v = (ULONGLONG)t * 10000000ULL + 116444736000000000ULL;
    FILETIME ft = {(DWORD)v, (DWORD)(v >> 32)};
    return ft;
}

struct Entry {
    DWORD length;
    bool directory;
    bool dots;
    std::string path;
    std::string title;
};

// a.txt, b.dat, sub\, 报表乗.txt and 乗\inner.txt: 乗's trail byte is '\'.
class FileFindTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WriteFileBytes(m_dir.File("a.txt"), "abc"));
        ASSERT_TRUE(WriteFileBytes(m_dir.File("b.dat"), ""));
        ASSERT_TRUE(WriteFileBytes(m_dir.File("报表乗.txt"), "12345"));
        ASSERT_TRUE(CreateDirectoryA(m_dir.File("sub").c_str(), NULL));
        ASSERT_TRUE(CreateDirectoryA(m_dir.File("乗").c_str(), NULL));
        ASSERT_TRUE(WriteFileBytes(m_dir.File("乗\\inner.txt"), "in"));
    }

    // Every entry found for pattern, by name, following the protocol.
    std::map<std::string, Entry> FindAll(const char* pattern)
    {
        std::map<std::string, Entry> found;
        CFileFind finder;
        BOOL bWorking = finder.FindFile(pattern);
        while (bWorking) {
            bWorking = finder.FindNextFile();
            Entry e = {finder.GetLength(), finder.IsDirectory() != FALSE, finder.IsDots() != FALSE,
                       (LPCTSTR)finder.GetFilePath(), (LPCTSTR)finder.GetFileTitle()};
            EXPECT_TRUE(found.emplace((LPCTSTR)finder.GetFileName(), e).second);
        }
        return found;
    }

    TempDir m_dir;
};

TEST_F(FileFindTest, FindsEveryEntryOfTheFolder)
{
    std::map<std::string, Entry> found = FindAll(m_dir.File("*.*").c_str());
    const std::string root = m_dir.Path();
    struct Expected {
        const char* name;
        DWORD length;
        bool directory;
        bool dots;
        const char* title;
    };
    const Expected expected[] = {
        {".", 0, true, true, ""},
        {"..", 0, true, true, "."},
        {"a.txt", 3, false, false, "a"},
        {"b.dat", 0, false, false, "b"},
        {"sub", 0, true, false, "sub"},
        {"报表乗.txt", 5, false, false, "报表乗"},
        {"乗", 0, true, false, "乗"},
    };
    EXPECT_EQ(sizeof(expected) / sizeof(expected[0]), found.size());
    for (const Expected& x : expected) {
        auto it = found.find(x.name);
        ASSERT_NE(found.end(), it) << x.name;
        const Entry& e = it->second;
        if (!x.directory) {
            EXPECT_EQ(x.length, e.length) << x.name;
        }
        EXPECT_EQ(x.directory, e.directory) << x.name;
        EXPECT_EQ(x.dots, e.dots) << x.name;
        EXPECT_EQ(root + "\\" + x.name, e.path) << x.name;
        EXPECT_EQ(x.title, e.title) << x.name;
    }
}

TEST_F(FileFindTest, RootEndingInATrailByteStillGetsASeparator)
{
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(m_dir.File("乗\\*.txt").c_str()));
    EXPECT_FALSE(finder.FindNextFile());  // the only match is the last one
    EXPECT_STREQ(m_dir.File("乗").c_str(), finder.GetRoot());
    EXPECT_STREQ("inner.txt", finder.GetFileName());
    EXPECT_STREQ(m_dir.File("乗\\inner.txt").c_str(), finder.GetFilePath());
}

TEST_F(FileFindTest, FindNextFileAnswersWhetherMoreFollow)
{
    CFileFind finder;
    EXPECT_FALSE(finder.FindNextFile());  // nothing searched yet
    ASSERT_TRUE(finder.FindFile(m_dir.File("*.txt").c_str()));
    EXPECT_TRUE(finder.GetFileName().IsEmpty());  // no entry before FindNextFile
    EXPECT_TRUE(finder.FindNextFile());
    CString first = finder.GetFileName();
    EXPECT_FALSE(finder.FindNextFile());
    CString second = finder.GetFileName();
    EXPECT_STRNE(first, second);
    EXPECT_TRUE((first == "a.txt" && second == "报表乗.txt") ||
                (first == "报表乗.txt" && second == "a.txt"))
        << first << " " << second;
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_STREQ(second, finder.GetFileName());

    finder.Close();
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_TRUE(finder.GetFileName().IsEmpty());
}

TEST_F(FileFindTest, NoMatchFails)
{
    CFileFind finder;
    EXPECT_FALSE(finder.FindFile(m_dir.File("*.none").c_str()));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_FALSE(finder.FindNextFile());
}

TEST_F(FileFindTest, NoNameSearchesTheCurrentFolder)
{
    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryA(m_dir.File("乗").c_str()));
    CFileFind finder;
    BOOL bFound = finder.FindFile();
    std::string names;
    while (bFound) {
        bFound = finder.FindNextFile();
        if (!finder.IsDots())
            names += (LPCTSTR)finder.GetFileName();
    }
    EXPECT_STREQ(m_dir.File("乗").c_str(), finder.GetRoot());
    SetCurrentDirectoryA(saved);
    EXPECT_EQ("inner.txt", names);
}

TEST_F(FileFindTest, AttributesAndTimes)
{
    const std::string path = m_dir.File("a.txt");
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    FILETIME ft = ToFileTime(kWriteTime);
    ASSERT_TRUE(SetFileTime(h, NULL, NULL, &ft));
    CloseHandle(h);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));

    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(path.c_str()));
    finder.FindNextFile();
    EXPECT_TRUE(finder.IsReadOnly());
    EXPECT_TRUE(finder.MatchesMask(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_FALSE(finder.IsDirectory());
    EXPECT_FALSE(finder.IsDots());

    FILETIME found = {};
    EXPECT_TRUE(finder.GetLastWriteTime(&found));
    EXPECT_EQ(0, CompareFileTime(&ft, &found));
    CTime written;
    EXPECT_TRUE(finder.GetLastWriteTime(written));
    EXPECT_EQ(kWriteTime, written.GetTime());
    CTime created, accessed;
    EXPECT_TRUE(finder.GetCreationTime(created));
    EXPECT_TRUE(finder.GetLastAccessTime(accessed));
    EXPECT_LT(0, created.GetTime());
    EXPECT_LT(0, accessed.GetTime());
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    // A folder is only a folder.
    ASSERT_TRUE(finder.FindFile(m_dir.File("sub").c_str()));
    finder.FindNextFile();
    EXPECT_TRUE(finder.IsDirectory());
    EXPECT_FALSE(finder.IsReadOnly());
    EXPECT_FALSE(finder.IsHidden());
    EXPECT_FALSE(finder.IsSystem());
    EXPECT_FALSE(finder.IsNormal());
}

}  // namespace
