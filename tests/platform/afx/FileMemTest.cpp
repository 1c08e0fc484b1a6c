// CMemFile: a file in memory that grows, or that works over a caller's block.
#include "afx.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

namespace {

std::string ReadAll(CFile& file)
{
    file.SeekToBegin();
    std::string bytes(file.GetLength() + 16, '?');
    bytes.resize(file.Read(&bytes[0], (UINT)bytes.size()));
    return bytes;
}

TEST(MemFile, GrowsInStepsAndReadsBack)
{
    CMemFile file(16);
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        const std::string piece = "piece" + std::to_string(i) + ";";
        file.Write(piece.data(), (UINT)piece.size());
        expected += piece;
    }
    EXPECT_EQ(expected.size(), file.GetLength());
    EXPECT_EQ(expected.size(), file.GetPosition());
    // A read past the end gives what is there.
    EXPECT_EQ(expected, ReadAll(file));
    char c;
    EXPECT_EQ(0u, file.Read(&c, 1));
}

TEST(MemFile, SeekPastTheEndThenWriteFillsWithZeros)
{
    CMemFile file;
    file.Write("ab", 2);
    EXPECT_EQ(6, file.Seek(4, CFile::current));
    EXPECT_EQ(2u, file.GetLength());  // seeking alone does not grow the file
    file.Write("z", 1);
    EXPECT_EQ(std::string("ab\0\0\0\0z", 7), ReadAll(file));

    EXPECT_EQ(5, file.Seek(-2, CFile::end));
    EXPECT_EQ(1, file.Seek(1, CFile::begin));
    try {
        file.Seek(-2, CFile::current);
        ADD_FAILURE() << "no exception";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::badSeek, e->m_cause);
        e->Delete();
    }
    EXPECT_EQ(1u, file.GetPosition());
}

TEST(MemFile, SetLengthCutsAndExtends)
{
    CMemFile file(4);
    file.Write("abcdef", 6);
    file.SetLength(3);
    EXPECT_EQ(3u, file.GetPosition());  // never past the new end
    EXPECT_EQ("abc", ReadAll(file));
    file.SetLength(10);
    EXPECT_EQ(std::string("abc\0\0\0\0\0\0\0", 10), ReadAll(file));
}

TEST(MemFile, FixedBlockIsTheContentAndCannotGrow)
{
    BYTE block[6] = {'h', 'e', 'l', 'l', 'o', '!'};
    CMemFile file(block, sizeof(block));
    EXPECT_EQ(6u, file.GetLength());
    EXPECT_EQ("hello!", ReadAll(file));

    file.Seek(0, CFile::begin);
    file.Write("J", 1);
    EXPECT_EQ('J', block[0]);  // written in place

    file.Seek(4, CFile::begin);
    try {
        file.Write("xyz", 3);
        ADD_FAILURE() << "no exception";
    } catch (CMemoryException* e) {
        e->Delete();
    }
    EXPECT_EQ(6u, file.GetLength());
    EXPECT_EQ(block, file.Detach());
}

TEST(MemFile, GrowableBlockStartsEmptyAndMovesOutWhenItGrows)
{
    BYTE block[8];
    memset(block, '.', sizeof(block));
    CMemFile file;
    file.Attach(block, sizeof(block), 8);
    EXPECT_EQ(0u, file.GetLength());
    file.Write("1234", 4);
    EXPECT_EQ(0, memcmp(block, "1234....", 8));  // still the caller's block

    file.Write("56789", 5);  // past the block: the file takes a block of its own
    EXPECT_EQ(0, memcmp(block, "1234....", 8));
    EXPECT_EQ("123456789", ReadAll(file));

    UINT nLength = (UINT)file.GetLength();
    BYTE* pOwn = file.Detach();
    ASSERT_TRUE(pOwn != NULL);
    EXPECT_NE(block, pOwn);
    EXPECT_EQ("123456789", std::string((const char*)pOwn, nLength));
    free(pOwn);

    // Detached, the file is empty and grows again on its own.
    EXPECT_EQ(0u, file.GetLength());
    EXPECT_EQ(0u, file.GetPosition());
    file.Write("x", 1);
    EXPECT_EQ("x", ReadAll(file));
}

TEST(MemFile, LockingAndDuplicatingAreNotSupported)
{
    CMemFile file;
    for (int op = 0; op < 3; ++op) {
        try {
            if (op == 0)
                delete file.Duplicate();
            else if (op == 1)
                file.LockRange(0, 1);
            else
                file.UnlockRange(0, 1);
            ADD_FAILURE() << "no exception from " << op;
        } catch (CNotSupportedException* e) {
            e->Delete();
        }
    }
}

TEST(MemFile, CloseEmptiesTheFile)
{
    CMemFile file;
    file.Write("abc", 3);
    file.Close();
    EXPECT_EQ(0u, file.GetLength());
    EXPECT_EQ(0u, file.GetPosition());
    EXPECT_TRUE(file.IsKindOf(RUNTIME_CLASS(CFile)));
}

}  // namespace
