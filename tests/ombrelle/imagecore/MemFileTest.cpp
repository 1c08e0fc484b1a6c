#include "xMemFile.h"

#include "StreamChecks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

namespace {

// Reads the fields the interface does not show.
class ProbeMemFile : public CxMemFile {
public:
    using CxMemFile::CxMemFile;
    long Capacity() const { return m_nCapacity; }
    const unsigned char* Buffer() const { return m_pBuffer; }
};

std::vector<unsigned char> Contents(ProbeMemFile& file)
{
    return std::vector<unsigned char>(file.Buffer(), file.Buffer() + file.Size());
}

}  // namespace

TEST(MemFile, GrowsInStepsOf4096)
{
    ProbeMemFile file;
    ASSERT_TRUE(file.Open());
    EXPECT_FALSE(file.Open());
    EXPECT_EQ(0, file.Capacity());
    const unsigned char byte = 7;
    ASSERT_EQ(1u, file.Write(&byte, 1, 1));
    EXPECT_EQ(4096, file.Capacity());
    EXPECT_EQ(1, file.Size());
    EXPECT_EQ(1, file.Tell());
    const std::vector<unsigned char> block(4096, 9);
    ASSERT_EQ(1u, file.Write(block.data(), 4096, 1));
    EXPECT_EQ(8192, file.Capacity());
    EXPECT_EQ(4097, file.Size());
    ASSERT_TRUE(file.Seek(8192, 0));
    ASSERT_TRUE(file.PutC(3));
    EXPECT_EQ(12288, file.Capacity());
}

TEST(MemFile, LeavesTheCallersBufferAlone)
{
    unsigned char caller[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    unsigned char before[10];
    std::memcpy(before, caller, sizeof caller);
    {
        ProbeMemFile file(caller, sizeof caller);
        EXPECT_EQ(10, file.Size());
        EXPECT_EQ(10, file.Capacity());
        const unsigned char eleven[11] = {20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30};
        ASSERT_EQ(11u, file.Write(eleven, 1, 11));
        EXPECT_EQ(4106, file.Capacity());
        EXPECT_NE(caller, file.Buffer());
        EXPECT_EQ(std::vector<unsigned char>(eleven, eleven + 11), Contents(file));
    }
    EXPECT_EQ(0, std::memcmp(before, caller, sizeof caller));

    // Writes that fit go into the caller's buffer, which stays the caller's.
    {
        ProbeMemFile file(caller, sizeof caller);
        ASSERT_TRUE(file.PutC(99));
        EXPECT_EQ(caller, file.Buffer());
    }
    EXPECT_EQ(99, caller[0]);
}

TEST(MemFile, SeekPastTheEndLeavesAZeroedGap)
{
    unsigned char caller[10] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    ProbeMemFile file(caller, sizeof caller);
    ASSERT_TRUE(file.Seek(100, 0));
    EXPECT_EQ(1, file.Error());
    EXPECT_TRUE(file.Eof());
    EXPECT_EQ(-1, file.GetC());
    unsigned char sink[4];
    EXPECT_EQ(0u, file.Read(sink, 1, 4));
    const unsigned char tail[2] = {5, 6};
    ASSERT_EQ(1u, file.Write(tail, 2, 1));
    EXPECT_EQ(102, file.Size());
    EXPECT_EQ(102, file.Tell());
    EXPECT_EQ(0, file.Error());
    const std::vector<unsigned char> contents = Contents(file);
    EXPECT_EQ(std::vector<unsigned char>(10, 1), std::vector<unsigned char>(contents.begin(), contents.begin() + 10));
    EXPECT_EQ(std::vector<unsigned char>(90, 0), std::vector<unsigned char>(contents.begin() + 10, contents.begin() + 100));
    EXPECT_EQ(5, contents[100]);
    EXPECT_EQ(6, contents[101]);
}

TEST(MemFile, ReadsWholeItemsAndBytes)
{
    ProbeMemFile file;
    ASSERT_TRUE(file.Open());
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(file.PutC(static_cast<unsigned char>(i)));
    ASSERT_TRUE(file.Seek(-5, 2));
    unsigned char items[12] = {};
    EXPECT_EQ(1u, file.Read(items, 4, 3));
    EXPECT_EQ(20, file.Tell());
    const unsigned char expected[12] = {15, 16, 17, 18, 19};
    EXPECT_EQ(0, std::memcmp(expected, items, sizeof items));
    EXPECT_EQ(-1, file.GetC());
    ASSERT_TRUE(file.Seek(-2, 1));
    EXPECT_EQ(18, file.GetC());
    EXPECT_EQ(19, file.GetC());
    ASSERT_TRUE(file.Seek(0, 0));
    ASSERT_TRUE(file.PutC(250));
    ASSERT_TRUE(file.Seek(0, 0));
    EXPECT_EQ(250, file.GetC());
}

TEST(MemFile, RefusesBadSeeksAndOverflowingSizes)
{
    ProbeMemFile file;
    ASSERT_TRUE(file.Open());
    const unsigned char bytes[4] = {1, 2, 3, 4};
    ASSERT_EQ(4u, file.Write(bytes, 1, 4));
    ASSERT_TRUE(file.Seek(2, 0));
    struct {
        long offset;
        int origin;
    } const refused[] = {{0, 3}, {0, -1}, {-3, 1}, {-5, 2}, {-1, 0}};
    for (const auto& seek : refused) {
        EXPECT_FALSE(file.Seek(seek.offset, seek.origin)) << seek.offset << " from " << seek.origin;
        EXPECT_EQ(2, file.Tell());
    }
    const std::size_t half = std::size_t(1) << (std::numeric_limits<std::size_t>::digits / 2);
    unsigned char sink[4];
    EXPECT_EQ(0u, file.Write(bytes, half, half));
    EXPECT_EQ(0u, file.Read(sink, half, half));
    EXPECT_EQ(0u, file.Write(bytes, 0, 4));
    EXPECT_EQ(0u, file.Write(nullptr, 1, 4));
    EXPECT_EQ(4, file.Size());
    EXPECT_EQ(2, file.Tell());
}

TEST(MemFile, ClosedFileGivesNeutralResults)
{
    ProbeMemFile file;
    ExpectNeutralResults(file, -1);

    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.PutC(1));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(-1, file.Size());
    EXPECT_TRUE(file.Open());
}

TEST(MemFile, CopiesOwnTheirBytes)
{
    CxMemFile source;
    ASSERT_TRUE(source.Open());
    const unsigned char bytes[3] = {1, 2, 3};
    ASSERT_EQ(3u, source.Write(bytes, 1, 3));
    {
        CxMemFile copy(source);
        CxMemFile assigned;
        assigned = source;
        ASSERT_TRUE(copy.Seek(0, 0));
        ASSERT_TRUE(copy.PutC(9));
        EXPECT_EQ(3, assigned.Tell());
        ASSERT_TRUE(assigned.Seek(0, 0));
        EXPECT_EQ(1, assigned.GetC());
        CxMemFile& same = assigned;
        assigned = same;
        EXPECT_EQ(2, assigned.GetC());
    }
    ASSERT_TRUE(source.Seek(0, 0));
    EXPECT_EQ(1, source.GetC());

    // A copy of a file over a caller's buffer owns a copy of it.
    unsigned char caller[2] = {4, 5};
    CxMemFile* borrowed = new CxMemFile(caller, 2);
    CxMemFile copy(*borrowed);
    delete borrowed;
    EXPECT_EQ(4, copy.GetC());
    ASSERT_TRUE(copy.Seek(0, 0));
    ASSERT_TRUE(copy.PutC(6));
    EXPECT_EQ(4, caller[0]);
}

TEST(MemFile, GetBufferHandsTheBufferOver)
{
    unsigned char* buffer;
    {
        CxMemFile file;
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.PutC(42));
        buffer = file.GetBuffer();
    }
    ASSERT_NE(nullptr, buffer);
    EXPECT_EQ(42, buffer[0]);
    std::free(buffer);
}
