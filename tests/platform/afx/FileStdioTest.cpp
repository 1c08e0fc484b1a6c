// CStdioFile: lines in text mode (CR LF on disk) and bytes in binary mode.
#include "afx.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

std::vector<std::string> ReadLines(const std::string& path, UINT nTypeFlag)
{
    CStdioFile file(path.c_str(), CFile::modeRead | nTypeFlag);
    std::vector<std::string> lines;
    CString line;
    while (file.ReadString(line))
        lines.push_back((LPCTSTR)line);
    EXPECT_TRUE(line.IsEmpty());
    EXPECT_FALSE(file.ReadString(line));  // stays at the end
    return lines;
}

TEST(StdioFile, ReadStringStripsTheLineEnd)
{
    TempDir dir;
    const std::string path = dir.File("lines.txt");
    ASSERT_TRUE(WriteFileBytes(path, "a\r\nb\nc"));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), ReadLines(path, CFile::typeText));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), ReadLines(path, 0));  // text by default
    // Binary mode leaves the CR, as the bytes are.
    EXPECT_EQ((std::vector<std::string>{"a\r", "b", "c"}), ReadLines(path, CFile::typeBinary));
}

TEST(StdioFile, ReadStringKeepsEmptyAndLongLines)
{
    TempDir dir;
    const std::string path = dir.File("long.txt");
    const std::string longLine(1000, 'x');
    const std::string chinese = "第一行乗\\结尾";
    ASSERT_TRUE(WriteFileBytes(path, longLine + "\r\n\r\n" + chinese + "\r\n"));
    EXPECT_EQ((std::vector<std::string>{longLine, "", chinese}), ReadLines(path, CFile::typeText));
}

TEST(StdioFile, ReadStringIntoABufferKeepsTheNewline)
{
    TempDir dir;
    const std::string path = dir.File("buf.txt");
    ASSERT_TRUE(WriteFileBytes(path, "abcdef\r\ng"));
    CStdioFile file(path.c_str(), CFile::modeRead | CFile::typeText);
    char buf[5];
    EXPECT_EQ(buf, file.ReadString(buf, sizeof(buf)));
    EXPECT_STREQ("abcd", buf);  // at most nMax - 1 bytes
    EXPECT_EQ(buf, file.ReadString(buf, sizeof(buf)));
    EXPECT_STREQ("ef\n", buf);
    EXPECT_EQ(buf, file.ReadString(buf, sizeof(buf)));
    EXPECT_STREQ("g", buf);
    EXPECT_EQ(nullptr, file.ReadString(buf, sizeof(buf)));
}

TEST(StdioFile, WriteStringInTextModeWritesCrLf)
{
    TempDir dir;
    struct Case {
        UINT type;
        const char* bytes;
    };
    for (const Case& c : {Case{CFile::typeText, "一\r\n二\r\n"}, Case{CFile::typeBinary, "一\n二\n"}}) {
        const std::string path = dir.File("out.txt");
        {
            CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | c.type);
            file.WriteString("一\n");
            file.WriteString("二\n");
        }
        EXPECT_EQ(c.bytes, ReadFileBytes(path)) << c.type;
    }
}

TEST(StdioFile, BinaryModeKeepsBytes)
{
    TempDir dir;
    const std::string path = dir.File("bin.dat");
    const std::string bytes("\r\n\x1a\0\n\r", 6);
    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        file.Write(bytes.data(), (UINT)bytes.size());
        EXPECT_EQ(6u, file.GetPosition());
    }
    EXPECT_EQ(bytes, ReadFileBytes(path));

    CStdioFile file(path.c_str(), CFile::modeRead | CFile::typeBinary);
    EXPECT_EQ(6u, file.GetLength());
    EXPECT_EQ(2, file.Seek(2, CFile::begin));
    char buf[8] = {};
    EXPECT_EQ(4u, file.Read(buf, sizeof(buf)));
    EXPECT_EQ(bytes.substr(2), std::string(buf, 4));
}

TEST(StdioFile, OpenFailureFillsTheRecordOrThrows)
{
    TempDir dir;
    const std::string path = dir.File("missing.txt");
    CStdioFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(path.c_str(), CFile::modeRead | CFile::typeText, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_STREQ(path.c_str(), error.m_strFileName);
    EXPECT_EQ(nullptr, file.m_pStream);

    try {
        CStdioFile thrown(path.c_str(), CFile::modeRead);
        ADD_FAILURE() << "no exception";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
        EXPECT_STREQ(path.c_str(), e->m_strFileName);
        e->Delete();
    }
}

TEST(StdioFile, KeepsTheSharingModeAndClosesOnDestruction)
{
    TempDir dir;
    const std::string path = dir.File("share.txt");
    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
        CFile other;
        CFileException error;
        EXPECT_FALSE(other.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone, &error));
        EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
        file.WriteString("kept");
    }
    CStdioFile file(path.c_str(), CFile::modeRead | CFile::shareExclusive);
    CString line;
    EXPECT_TRUE(file.ReadString(line));
    EXPECT_STREQ("kept", line);
    file.Close();
    EXPECT_EQ(nullptr, file.m_pStream);
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);
}

}  // namespace
