// CFile over real files, and the CFileException it reports failures with.
#include "afx.h"

#include "TempDir.h"

#include <errno.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

// One way to fail opening a file, and what the error record must say.
struct OpenFailure {
    const char* what;
    std::string path;
    int cause;
    LONG osError;
};

class FileOpenFailure : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WriteFileBytes(m_dir.File("held.bin"), "held"));
        // Held exclusively for the whole test: opening it again must fail.
        ASSERT_TRUE(m_held.Open(m_dir.File("held.bin").c_str(),
                                CFile::modeReadWrite | CFile::shareExclusive));
    }

    std::vector<OpenFailure> Failures() const
    {
        return {
            {"missing file", m_dir.File("missing.bin"), CFileException::fileNotFound,
             ERROR_FILE_NOT_FOUND},
            {"missing folder", m_dir.File("nofolder\\x.bin"), CFileException::badPath,
             ERROR_PATH_NOT_FOUND},
            {"held exclusively", m_dir.File("held.bin"), CFileException::sharingViolation,
             ERROR_SHARING_VIOLATION},
        };
    }

    TempDir m_dir;
    CFile m_held;
};

TEST_F(FileOpenFailure, FillsTheErrorRecord)
{
    for (const OpenFailure& c : Failures()) {
        CFile file;
        CFileException error;
        EXPECT_FALSE(file.Open(c.path.c_str(), CFile::modeRead | CFile::shareDenyNone, &error))
            << c.what;
        EXPECT_EQ(c.cause, error.m_cause) << c.what;
        EXPECT_EQ(c.osError, error.m_lOsError) << c.what;
        EXPECT_STREQ(c.path.c_str(), error.m_strFileName) << c.what;
        EXPECT_EQ(CFile::hFileNull, file.m_hFile) << c.what;
    }
}

TEST_F(FileOpenFailure, ConstructorThrowsTheCause)
{
    for (const OpenFailure& c : Failures()) {
        CFileException* caught = NULL;
        try {
            CFile file(c.path.c_str(), CFile::modeRead | CFile::shareDenyNone);
        } catch (CFileException* e) {
            caught = e;
        }
        ASSERT_TRUE(caught != NULL) << c.what;
        EXPECT_EQ(c.cause, caught->m_cause) << c.what;
        EXPECT_EQ(c.osError, caught->m_lOsError) << c.what;
        EXPECT_STREQ(c.path.c_str(), caught->m_strFileName) << c.what;
        EXPECT_TRUE(caught->IsKindOf(RUNTIME_CLASS(CException))) << c.what;
        caught->Delete();
    }
}

TEST(FileException, MessageNamesTheFileForEveryCause)
{
    CString seen[CFileException::endOfFile + 1];
    for (int cause = CFileException::none; cause <= CFileException::endOfFile; ++cause) {
        CFileException e(cause, -1, "D:\\数据\\报表.dat");
        char text[512] = {};
        EXPECT_TRUE(e.GetErrorMessage(text, sizeof(text)));
        EXPECT_NE(nullptr, strstr(text, "D:\\数据\\报表.dat")) << cause;
        for (int other = 0; other < cause; ++other)
            EXPECT_STRNE(seen[other], text) << cause << " repeats " << other;
        seen[cause] = text;
    }
}

TEST(FileException, MessageIsCutOnAWholeCharacter)
{
    CFileException e(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, "a.txt");
    char text[8];
    memset(text, 'x', sizeof(text));
    EXPECT_TRUE(e.GetErrorMessage(text, 4));  // room for one and a half characters
    EXPECT_STREQ("找", text);
    EXPECT_EQ('x', text[4]);
}

TEST(FileException, MapsErrorCodesToCauses)
{
    struct OsCase {
        LONG error;
        int cause;
    };
    for (const OsCase& c : {OsCase{NO_ERROR, CFileException::none},
                            OsCase{ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
                            OsCase{ERROR_PATH_NOT_FOUND, CFileException::badPath},
                            OsCase{ERROR_ACCESS_DENIED, CFileException::accessDenied},
                            OsCase{ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
                            OsCase{ERROR_LOCK_VIOLATION, CFileException::lockViolation},
                            OsCase{ERROR_DISK_FULL, CFileException::diskFull},
                            OsCase{ERROR_NEGATIVE_SEEK, CFileException::badSeek},
                            OsCase{ERROR_HANDLE_EOF, CFileException::endOfFile},
                            OsCase{99999, CFileException::generic}})
        EXPECT_EQ(c.cause, CFileException::OsErrorToException(c.error)) << c.error;

    struct ErrnoCase {
        int error;
        int cause;
    };
    for (const ErrnoCase& c : {ErrnoCase{ENOENT, CFileException::fileNotFound},
                               ErrnoCase{EACCES, CFileException::accessDenied},
                               ErrnoCase{EBADF, CFileException::invalidFile},
                               ErrnoCase{EMFILE, CFileException::tooManyOpenFiles},
                               ErrnoCase{ENOSPC, CFileException::diskFull},
                               ErrnoCase{EEXIST, CFileException::generic}})
        EXPECT_EQ(c.cause, CFileException::ErrnoToException(c.error)) << c.error;
}

TEST(FileException, ThrowOsErrorThrowsOnlyForAnError)
{
    EXPECT_NO_THROW(CFileException::ThrowOsError(0, "x"));
    try {
        CFileException::ThrowOsError(ERROR_ACCESS_DENIED, "x.txt");
        ADD_FAILURE() << "no exception";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::accessDenied, e->m_cause);
        EXPECT_EQ(ERROR_ACCESS_DENIED, e->m_lOsError);
        EXPECT_STREQ("x.txt", e->m_strFileName);
        e->Delete();
    }
    try {
        AfxThrowFileException(CFileException::endOfFile);
        ADD_FAILURE() << "no exception";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::endOfFile, e->m_cause);
        EXPECT_EQ(-1, e->m_lOsError);
        EXPECT_TRUE(e->m_strFileName.IsEmpty());
        e->Delete();
    }
}

// Runs f, which must throw a CFileException* of the given cause.
template <typename F>
void ExpectFileException(int cause, F f)
{
    try {
        f();
        ADD_FAILURE() << "no exception, expected cause " << cause;
    } catch (CFileException* e) {
        EXPECT_EQ(cause, e->m_cause);
        e->Delete();
    }
}

TEST(File, ReadWriteSeekAndSetLengthRoundTrip)
{
    TempDir dir;
    CFile file(dir.File("data.bin").c_str(), CFile::modeCreate | CFile::modeReadWrite);
    file.Write("0123456789", 10);
    EXPECT_EQ(10u, file.GetPosition());
    EXPECT_EQ(10u, file.GetLength());

    EXPECT_EQ(3, file.Seek(3, CFile::begin));
    char buf[16] = {};
    EXPECT_EQ(4u, file.Read(buf, 4));
    EXPECT_STREQ("3456", buf);
    EXPECT_EQ(5, file.Seek(-2, CFile::current));
    EXPECT_EQ(8, file.Seek(-2, CFile::end));
    EXPECT_EQ(2u, file.Read(buf, sizeof(buf)));  // only what is left
    EXPECT_EQ(0u, file.Read(buf, sizeof(buf)));
    EXPECT_EQ(0u, file.Read(buf, 0));

    file.SetLength(4);
    EXPECT_EQ(4u, file.GetLength());
    EXPECT_EQ(4u, file.SeekToEnd());
    file.SeekToBegin();
    EXPECT_EQ(0u, file.GetPosition());
    file.Seek(0, CFile::end);
    file.Write("ab", 2);
    file.SetLength(8);  // the new bytes are zeros
    file.Flush();

    ExpectFileException(CFileException::badSeek, [&] { file.Seek(-1, CFile::begin); });
    file.Close();
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    EXPECT_EQ(std::string("0123ab\0\0", 8), ReadFileBytes(dir.File("data.bin")));
}

TEST(File, CreateTruncatesUnlessNoTruncate)
{
    TempDir dir;
    const std::string path = dir.File("keep.txt");
    ASSERT_TRUE(WriteFileBytes(path, "old content"));
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        EXPECT_EQ(11u, file.GetLength());
        EXPECT_EQ(0u, file.GetPosition());
        file.Write("new", 3);
    }
    EXPECT_EQ("new content", ReadFileBytes(path));
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(0u, file.GetLength());
    }
    EXPECT_EQ("", ReadFileBytes(path));

    const std::string fresh = dir.File("fresh.txt");
    {
        CFile file(fresh.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        file.Write("x", 1);
    }
    EXPECT_EQ("x", ReadFileBytes(fresh));
}

TEST(File, ReadOnlyFileRefusesWrites)
{
    TempDir dir;
    const std::string path = dir.File("r.txt");
    ASSERT_TRUE(WriteFileBytes(path, "abc"));
    CFile file(path.c_str(), CFile::modeRead);
    ExpectFileException(CFileException::accessDenied, [&] { file.Write("x", 1); });
}

TEST(File, DestructorClosesWhatItOpened)
{
    TempDir dir;
    const std::string path = dir.File("c.bin");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
        file.Write("z", 1);
    }
    // Exclusive again: the first handle is gone.
    CFile again;
    EXPECT_TRUE(again.Open(path.c_str(), CFile::modeRead | CFile::shareExclusive));

    again.Close();

    // An attached handle stays open.
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    {
        CFile attached(h);
        char c = 0;
        EXPECT_EQ(1u, attached.Read(&c, 1));
    }
    DWORD flags = 0;
    EXPECT_TRUE(GetHandleInformation(h, &flags));
    CloseHandle(h);
}

TEST(File, AbortClosesAndNeverThrows)
{
    CFile never;
    EXPECT_NO_THROW(never.Abort());

    TempDir dir;
    CFile file(dir.File("a.bin").c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    EXPECT_NO_THROW(file.Abort());
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    EXPECT_NO_THROW(file.Abort());
    CFile again;
    EXPECT_TRUE(again.Open(dir.File("a.bin").c_str(), CFile::modeRead | CFile::shareExclusive));
}

TEST(File, NamesSplitOnWholeCharacters)
{
    TempDir dir;
    // 乗 ends in the byte '\': the name must not be cut after it.
    const std::string path = dir.File("报表乗.txt");
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    EXPECT_STREQ(path.c_str(), file.GetFilePath());
    EXPECT_STREQ("报表乗.txt", file.GetFileName());
    EXPECT_STREQ("报表乗", file.GetFileTitle());

    file.SetFilePath("D:\\目录乗\\乗.tar.gz");
    EXPECT_STREQ("乗.tar.gz", file.GetFileName());
    EXPECT_STREQ("乗.tar", file.GetFileTitle());
}

TEST(File, OpenStoresTheFullPath)
{
    TempDir dir;
    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryA(dir.Path().c_str()));
    {
        CFile file("rel.txt", CFile::modeCreate | CFile::modeWrite);
        EXPECT_STREQ(dir.File("rel.txt").c_str(), file.GetFilePath());
    }
    SetCurrentDirectoryA(saved);
}

TEST(File, RenameAndRemove)
{
    TempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.File("a.txt"), "a"));
    CFile::Rename(dir.File("a.txt").c_str(), dir.File("b.txt").c_str());
    EXPECT_EQ("a", ReadFileBytes(dir.File("b.txt")));
    CFile::Remove(dir.File("b.txt").c_str());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(dir.File("b.txt").c_str()));

    const std::string missing = dir.File("gone.txt");
    for (int remove = 0; remove < 2; ++remove) {
        try {
            if (remove)
                CFile::Remove(missing.c_str());
            else
                CFile::Rename(missing.c_str(), dir.File("other.txt").c_str());
            ADD_FAILURE() << "no exception";
        } catch (CFileException* e) {
            EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
            EXPECT_STREQ(missing.c_str(), e->m_strFileName);
            e->Delete();
        }
    }
}

TEST(File, DuplicateSharesThePosition)
{
    TempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.File("d.txt"), "abcdef"));
    CFile file(dir.File("d.txt").c_str(), CFile::modeRead);
    file.Seek(2, CFile::begin);
    std::unique_ptr<CFile> copy(file.Duplicate());
    EXPECT_STREQ(file.GetFilePath(), copy->GetFilePath());
    char c = 0;
    EXPECT_EQ(1u, copy->Read(&c, 1));
    EXPECT_EQ('c', c);
    EXPECT_EQ(3u, file.GetPosition());
}

TEST(File, LockedRangeRefusesOtherLocks)
{
    TempDir dir;
    const std::string path = dir.File("l.bin");
    CFile owner(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyNone);
    owner.Write("0123456789", 10);
    owner.LockRange(2, 4);

    CFile other(path.c_str(), CFile::modeReadWrite | CFile::shareDenyNone);
    ExpectFileException(CFileException::lockViolation, [&] { other.LockRange(5, 2); });
    EXPECT_NO_THROW(other.LockRange(6, 2));  // next to the lock, not in it
    other.UnlockRange(6, 2);

    owner.UnlockRange(2, 4);
    EXPECT_NO_THROW(other.LockRange(5, 2));
    other.UnlockRange(5, 2);
}

}  // namespace
