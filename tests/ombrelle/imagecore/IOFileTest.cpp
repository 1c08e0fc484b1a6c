#include "xIOFile.h"

#include "StreamChecks.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

using testsupport::TempDir;

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(IOFile, LeavesACallersStreamOpen)
{
    TempDir dir;
    std::FILE* fp = std::fopen(dir.File("borrowed.bin").c_str(), "w+b");
    ASSERT_NE(nullptr, fp);
    {
        CxIOFile file(fp);
        EXPECT_FALSE(file.Open(dir.File("other.bin").c_str(), "wb"));
        EXPECT_TRUE(file.PutC('a'));
        EXPECT_EQ(2u, file.Write("bc", 1, 2));
        EXPECT_EQ(3, file.Size());
        EXPECT_EQ(3, file.Tell());
        EXPECT_TRUE(file.Close());
        CxIOFile copy(file);
    }
    EXPECT_EQ('d', std::fputc('d', fp));
    EXPECT_EQ(0, std::fseek(fp, 0, SEEK_SET));
    char text[5] = {};
    EXPECT_EQ(4u, std::fread(text, 1, 4, fp));
    EXPECT_STREQ("abcd", text);
    EXPECT_EQ(0, std::fclose(fp));
}

TEST(IOFile, ClosesTheStreamItOpened)
{
    TempDir dir;
    const std::string path = dir.File("owned.bin");
    {
        CxIOFile file;
        ASSERT_TRUE(file.Open(path.c_str(), "wb"));
        EXPECT_FALSE(file.Open(path.c_str(), "wb"));
        EXPECT_EQ(1u, file.Write("hello", 5, 1));
        // A copy borrows: only the opener closes the stream, once.
        CxIOFile copy(file);
        CxIOFile assigned;
        assigned = file;
    }
    EXPECT_EQ("hello", ReadAll(path));

    CxIOFile reader;
    ASSERT_TRUE(reader.Open(path.c_str(), "rb"));
    EXPECT_FALSE(reader.Eof());
    EXPECT_EQ(0, reader.Error());
    ASSERT_TRUE(reader.Seek(-1, 2));
    EXPECT_EQ('o', reader.GetC());
    EXPECT_EQ(-1, reader.GetC());
    EXPECT_TRUE(reader.Eof());
    EXPECT_TRUE(reader.Close());
    EXPECT_EQ(-1, reader.Size());
}

TEST(IOFile, WithoutAStreamGivesNeutralResults)
{
    TempDir dir;
    CxIOFile file;
    EXPECT_FALSE(file.Open(dir.File("missing\\nowhere.bin").c_str(), "rb"));
    ExpectNeutralResults(file, 0);
}
