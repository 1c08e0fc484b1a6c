// CFileStatus through CFile::GetStatus: by name, and of an open file.
#include "afx.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testsupport::TempDir;
using testsupport::WriteFileBytes;

FILETIME ToFileTime(time_t t)
{
    ULONGLONG v = (ULONGLONG)t * 10000000ULL + 116444736000000000ULL;
    FILETIME ft = {(DWORD)v, (DWORD)(v >> 32)};
    return ft;
}

void SetTimes(const std::string& path, time_t access, time_t write)
{
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    FILETIME ftAccess = ToFileTime(access), ftWrite = ToFileTime(write);
    EXPECT_TRUE(SetFileTime(h, NULL, &ftAccess, &ftWrite));
    CloseHandle(h);
}

TEST(FileStatus, ByNameGivesSizeTimesAttributesAndFullName)
{
    TempDir dir;
    const std::string path = dir.File("报表乗.dat");
    ASSERT_TRUE(WriteFileBytes(path, std::string(1234, 'x')));
    SetTimes(path, 1600000000, 1500000000);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));

    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryA(dir.Path().c_str()));
    CFileStatus status;
    BOOL bFound = CFile::GetStatus("报表乗.dat", status);  // relative: the full name comes back
    SetCurrentDirectoryA(saved);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    ASSERT_TRUE(bFound);
    EXPECT_EQ(1234, status.m_size);
    EXPECT_EQ(1500000000, status.m_mtime.GetTime());
    EXPECT_EQ(1600000000, status.m_atime.GetTime());
    EXPECT_LT(0, status.m_ctime.GetTime());
    EXPECT_EQ(CFile::readOnly, status.m_attribute & (CFile::readOnly | CFile::directory));
    EXPECT_STREQ(path.c_str(), status.m_szFullName);
}

TEST(FileStatus, ByNameOfAFolderAndOfNothing)
{
    TempDir dir;
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(dir.Path().c_str(), status));
    EXPECT_EQ(CFile::directory, status.m_attribute & CFile::directory);

    EXPECT_FALSE(CFile::GetStatus(dir.File("missing.txt").c_str(), status));
    EXPECT_FALSE(CFile::GetStatus(dir.File("nofolder\\x.txt").c_str(), status));
    // A pattern names no file, even when something matches it.
    ASSERT_TRUE(WriteFileBytes(dir.File("a.txt"), "a"));
    EXPECT_FALSE(CFile::GetStatus(dir.File("*.txt").c_str(), status));
}

TEST(FileStatus, OfAnOpenFileFollowsItsWrites)
{
    TempDir dir;
    const std::string path = dir.File("open.bin");
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeReadWrite);
    file.Write("0123456789", 10);

    FILETIME ftWrite = ToFileTime(1500000000);
    ASSERT_TRUE(SetFileTime(file.m_hFile, NULL, NULL, &ftWrite));

    CFileStatus status;
    ASSERT_TRUE(file.GetStatus(status));
    EXPECT_EQ(10, status.m_size);
    EXPECT_STREQ(path.c_str(), status.m_szFullName);
    EXPECT_EQ(0, status.m_attribute & (CFile::readOnly | CFile::directory));
    EXPECT_EQ(1500000000, status.m_mtime.GetTime());
    EXPECT_LT(0, status.m_ctime.GetTime());
    EXPECT_LT(0, status.m_atime.GetTime());

    file.SetLength(3);
    ASSERT_TRUE(file.GetStatus(status));
    EXPECT_EQ(3, status.m_size);
}

TEST(FileStatus, OfAFileInMemoryIsItsLength)
{
    CMemFile file;
    file.Write("abcdef", 6);
    CFileStatus status;
    ASSERT_TRUE(file.GetStatus(status));
    EXPECT_EQ(6, status.m_size);
    EXPECT_EQ(0, status.m_mtime.GetTime());
    EXPECT_STREQ("", status.m_szFullName);
}

}  // namespace
