#include "afx.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Serializable classes laid out as the job files lay out theirs: a list is
// its count and then each element as an object reference.
namespace {

typedef std::vector<CObject*> ObList;

void SerializeList(CArchive& ar, ObList& list)
{
    if (ar.IsStoring()) {
        ar.WriteCount((DWORD)list.size());
        for (CObject* pOb : list)
            ar << pOb;
    } else {
        DWORD nCount = ar.ReadCount();
        for (DWORD i = 0; i < nCount; ++i) {
            CObject* pOb;
            ar >> pOb;
            list.push_back(pOb);
        }
    }
}

class JCFileName : public CObject {
    DECLARE_SERIAL(JCFileName)
public:
    JCFileName() {}
    explicit JCFileName(LPCTSTR path) : m_path(path) {}
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_path;
        else
            ar >> m_path;
    }
    CString m_path;
};

class JCPage : public CObject {
    DECLARE_SERIAL(JCPage)
public:
    ~JCPage() override
    {
        for (CObject* pOb : m_origins)
            delete pOb;
    }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_file;
        else
            ar >> m_file;
        SerializeList(ar, m_origins);
    }
    CString m_file;
    ObList m_origins;
};

class ArcTask : public CObject {
public:
    ArcTask() : m_tag(0xFF0A), m_time(0x5F5E1000), m_ownerAccess(3), m_groupAccess(3) {}
    ~ArcTask() override
    {
        for (CObject* pOb : m_jobs)
            delete pOb;
    }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_tag;
            ar.Write(&m_time, 4);
            ar << m_text[0] << m_text[1] << m_text[2];
            ar << m_ownerAccess << m_groupAccess;
            ar << m_text[3] << m_text[4] << m_text[5];
        } else {
            ar >> m_tag;
            ar.Read(&m_time, 4);
            ar >> m_text[0] >> m_text[1] >> m_text[2];
            ar >> m_ownerAccess >> m_groupAccess;
            ar >> m_text[3] >> m_text[4] >> m_text[5];
        }
        SerializeList(ar, m_jobs);
    }
    DWORD m_tag;
    DWORD m_time;
    CString m_text[6];
    DWORD m_ownerAccess;
    DWORD m_groupAccess;
    ObList m_jobs;
};

// A node of an object graph: owns its children, and points to any node.
class ArcNode : public CObject {
    DECLARE_SERIAL(ArcNode)
public:
    ~ArcNode() override
    {
        for (CObject* pOb : m_children)
            delete pOb;
    }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_name << m_link;
        } else {
            ar >> m_name >> m_link;
        }
        SerializeList(ar, m_children);
    }
    CString m_name;
    ArcNode* m_link = NULL;
    ObList m_children;
};

// Schema 2; the versionable one records the schemas it was read with.
class ArcStrict : public CObject {
    DECLARE_SERIAL(ArcStrict)
public:
    void Serialize(CArchive&) override {}
};

class ArcVersioned : public CObject {
    DECLARE_SERIAL(ArcVersioned)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsLoading()) {
            m_schema = ar.GetObjectSchema();
            m_schemaAgain = ar.GetObjectSchema();
        }
    }
    UINT m_schema = 0;
    UINT m_schemaAgain = 0;
};

}  // namespace

IMPLEMENT_SERIAL(JCFileName, CObject, 1)
IMPLEMENT_SERIAL(JCPage, CObject, 1)
IMPLEMENT_SERIAL(ArcNode, CObject, 1)
IMPLEMENT_SERIAL(ArcStrict, CObject, 2)
IMPLEMENT_SERIAL(ArcVersioned, CObject, VERSIONABLE_SCHEMA | 2)

namespace {

std::string Contents(CFile& file)
{
    std::string bytes(file.GetLength(), '\0');
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(&bytes[0], (UINT)bytes.size());
    return bytes;
}

// The bytes an archive writes.
std::string Store(const std::function<void(CArchive&)>& write, int nBufSize = 4096)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store, nBufSize);
        write(ar);
        ar.Close();
    }
    return Contents(file);
}

// Reads bytes back through an archive.
void Load(const std::string& bytes, const std::function<void(CArchive&)>& read, int nBufSize = 4096)
{
    CMemFile file;
    file.Write(bytes.data(), (UINT)bytes.size());
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load, nBufSize);
    read(ar);
}

std::string Hex(const std::string& bytes)
{
    std::string text;
    char digits[4];
    for (unsigned char b : bytes) {
        sprintf(digits, "%02X ", b);
        text += digits;
    }
    return text;
}

std::string S(const char* bytes, size_t n) { return std::string(bytes, n); }

// A string as the archive writes one shorter than 255 bytes.
std::string Short(const std::string& text) { return std::string(1, (char)text.size()) + text; }

const std::string kNewTaskBytes = S("\x0A\xFF\x00\x00"
                                    "\x00\x10\x5E\x5F"
                                    "\x00\x00\x00"
                                    "\x03\x00\x00\x00\x03\x00\x00\x00"
                                    "\x00\x00\x00",
                                    22);

}  // namespace

TEST(Archive, NewTaskWithoutJobs)
{
    ArcTask task;
    std::string bytes = Store([&](CArchive& ar) { task.Serialize(ar); });
    EXPECT_EQ(Hex(kNewTaskBytes + S("\x00\x00", 2)), Hex(bytes));

    ArcTask loaded;
    loaded.m_tag = 0;
    loaded.m_time = 0;
    Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(0xFF0Au, loaded.m_tag);
    EXPECT_EQ(0x5F5E1000u, loaded.m_time);
    EXPECT_EQ(3u, loaded.m_groupAccess);
    EXPECT_TRUE(loaded.m_jobs.empty());
}

TEST(Archive, TaskWithTwoJobsTagsTheSecondByClassIndex)
{
    ArcTask task;
    task.m_text[1] = "张三";
    task.m_jobs.push_back(new JCFileName("D:\\作业1"));
    task.m_jobs.push_back(new JCFileName("D:\\JOB2"));
    std::string bytes = Store([&](CArchive& ar) { task.Serialize(ar); });

    std::string expected = S("\x0A\xFF\x00\x00\x00\x10\x5E\x5F", 8) + S("\x00", 1) + Short("张三") +
                           S("\x00\x03\x00\x00\x00\x03\x00\x00\x00\x00\x00\x00", 12) +
                           S("\x02\x00\xFF\xFF\x01\x00\x0A\x00", 8) + "JCFileName" + Short("D:\\作业1") +
                           S("\x01\x80", 2) + Short("D:\\JOB2");
    EXPECT_EQ(Hex(expected), Hex(bytes));

    ArcTask loaded;
    Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    ASSERT_EQ(2u, loaded.m_jobs.size());
    EXPECT_STREQ("张三", loaded.m_text[1]);
    EXPECT_STREQ("D:\\作业1", static_cast<JCFileName*>(loaded.m_jobs[0])->m_path);
    EXPECT_STREQ("D:\\JOB2", static_cast<JCFileName*>(loaded.m_jobs[1])->m_path);
}

// Classes and objects share one index sequence, in order of first appearance.
TEST(Archive, ClassesAndObjectsAreNumberedTogether)
{
    JCPage* page = new JCPage;
    page->m_file = "p.apg";
    JCFileName* first = new JCFileName("a");
    ObList list = {page, first, new JCFileName("b"), first, NULL};
    std::string bytes = Store([&](CArchive& ar) { SerializeList(ar, list); });

    std::string expected = S("\x05\x00\xFF\xFF\x01\x00\x06\x00", 8) + "JCPage" + Short("p.apg") + S("\x00\x00", 2) +
                           S("\xFF\xFF\x01\x00\x0A\x00", 6) + "JCFileName" + Short("a") +  // class 3, object 4
                           S("\x03\x80", 2) + Short("b") +                                 // object 5
                           S("\x04\x00", 2) +                                              // object 4 again
                           S("\x00\x00", 2);
    EXPECT_EQ(Hex(expected), Hex(bytes));

    ObList loaded;
    Load(bytes, [&](CArchive& ar) { SerializeList(ar, loaded); });
    ASSERT_EQ(5u, loaded.size());
    EXPECT_EQ(RUNTIME_CLASS(JCPage), loaded[0]->GetRuntimeClass());
    EXPECT_EQ(loaded[1], loaded[3]);
    EXPECT_STREQ("b", static_cast<JCFileName*>(loaded[2])->m_path);
    EXPECT_EQ(nullptr, loaded[4]);
    for (size_t i = 0; i < 3; ++i) {
        delete loaded[i];
        delete list[i];
    }
}

TEST(Archive, ObjectGraphRoundTripKeepsSharedObjectsShared)
{
    ArcNode root;
    root.m_name = "根";
    ArcNode* a = new ArcNode;
    a->m_name = "a";
    ArcNode* b = new ArcNode;
    b->m_name = "b";
    ArcNode* c = new ArcNode;
    c->m_name = "c";
    root.m_children = {a, b};
    b->m_children = {c};
    root.m_link = &root;  // refers to itself while being written
    b->m_link = a;        // an object already written
    a->m_link = c;        // an object written later, inside another
    std::string bytes = Store([&](CArchive& ar) { ar << &root; });

    ArcNode* loaded = NULL;
    Load(bytes, [&](CArchive& ar) { ar >> loaded; });
    ASSERT_NE(nullptr, loaded);
    EXPECT_STREQ("根", loaded->m_name);
    EXPECT_EQ(loaded, loaded->m_link);
    ASSERT_EQ(2u, loaded->m_children.size());
    ArcNode* la = static_cast<ArcNode*>(loaded->m_children[0]);
    ArcNode* lb = static_cast<ArcNode*>(loaded->m_children[1]);
    ASSERT_EQ(1u, lb->m_children.size());
    ArcNode* lc = static_cast<ArcNode*>(lb->m_children[0]);
    EXPECT_STREQ("a", la->m_name);
    EXPECT_STREQ("c", lc->m_name);
    EXPECT_EQ(la, lb->m_link);
    EXPECT_EQ(lc, la->m_link);
    EXPECT_EQ(nullptr, lc->m_link);
    delete loaded;
}

TEST(Archive, SchemaMustMatchUnlessVersionable)
{
    auto objectBytes = [](const char* name, WORD schema, int count) {
        std::string bytes = S("\xFF\xFF", 2) + std::string(1, (char)schema) + std::string(1, (char)(schema >> 8)) +
                            std::string(1, (char)strlen(name)) + S("\x00", 1) + name;
        if (count == 2)
            bytes += S("\x01\x80", 2);
        return bytes;
    };
    auto cause = [](const std::string& bytes) {
        int nCause = -1;
        try {
            Load(bytes, [](CArchive& ar) {
                CObject* pOb;
                ar >> pOb;
                delete pOb;
            });
        } catch (CArchiveException* e) {
            nCause = e->m_cause;
            e->Delete();
        }
        return nCause;
    };
    EXPECT_EQ(-1, cause(objectBytes("ArcStrict", 2, 1)));
    EXPECT_EQ(CArchiveException::badSchema, cause(objectBytes("ArcStrict", 1, 1)));
    EXPECT_EQ(CArchiveException::badSchema, cause(objectBytes("ArcStrict", 3, 1)));

    for (WORD stored : {(WORD)1, (WORD)2, (WORD)5}) {
        std::vector<ArcVersioned*> read;
        Load(objectBytes("ArcVersioned", stored, 2), [&](CArchive& ar) {
            for (int i = 0; i < 2; ++i) {
                ArcVersioned* pOb = NULL;
                ar >> pOb;
                read.push_back(pOb);
            }
        });
        for (ArcVersioned* pOb : read) {
            EXPECT_EQ((UINT)stored, pOb->m_schema);
            EXPECT_EQ((UINT)-1, pOb->m_schemaAgain);
            delete pOb;
        }
    }
    // The schema written is the class's, without the versionable flag.
    ArcVersioned v;
    EXPECT_EQ(Hex(objectBytes("ArcVersioned", 2, 1)), Hex(Store([&](CArchive& ar) { ar << &v; })));
}

TEST(Archive, MalformedArchivesRaiseArchiveExceptions)
{
    enum Reader { Object, Objects, Page, Count, String, Strings };
    struct Case {
        const char* what;
        std::string bytes;
        Reader reader;
        int cause;
    };
    // Each node's link is a new node, a hundred thousand deep.
    std::string nested = S("\xFF\xFF\x01\x00\x07\x00", 6) + "ArcNode" + S("\x00", 1);
    for (int i = 0; i < 100000; ++i)
        nested += S("\x01\x80\x00", 3);
    const std::string fileName = S("\xFF\xFF\x01\x00\x0A\x00", 6) + "JCFileName";
    const Case cases[] = {
        {"empty archive", "", Object, CArchiveException::endOfFile},
        {"half a tag", S("\xFF", 1), Object, CArchiveException::endOfFile},
        {"truncated count", S("\x05", 1), Count, CArchiveException::endOfFile},
        {"truncated long count", S("\xFF\xFF\x02\x00", 4), Count, CArchiveException::endOfFile},
        {"count beyond the data", S("\xFF\xFF\xFF\xFF\xFF\x7F", 6) + "abc", Count, CArchiveException::endOfFile},
        {"truncated string", S("\x05", 1) + "ab", String, CArchiveException::endOfFile},
        {"truncated word length", S("\xFF\x10", 2), String, CArchiveException::endOfFile},
        {"huge string length", S("\xFF\xFF\xFF\x00\x00\x00\x10", 7) + "abc", String, CArchiveException::endOfFile},
        {"huge wide string length", S("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 10) + "ab", String,
         CArchiveException::endOfFile},
        {"strings cut short", Short("abc") + S("\x09", 1) + "abc", Strings, CArchiveException::endOfFile},
        {"truncated class name", S("\xFF\xFF\x01\x00\x0A\x00", 6) + "JCFile", Object, CArchiveException::endOfFile},
        {"truncated object fields", fileName + S("\x04", 1) + "ab", Object, CArchiveException::endOfFile},
        {"unknown class name", S("\xFF\xFF\x01\x00\x07\x00", 6) + "Unknown", Object, CArchiveException::badClass},
        {"class name too long", S("\xFF\xFF\x01\x00\xC8\x00", 6) + std::string(200, 'A'), Object,
         CArchiveException::badClass},
        {"class that cannot be created", S("\xFF\xFF\xFF\xFF\x0A\x00", 6) + "CException", Object,
         CArchiveException::badClass},
        {"object of an unexpected class", fileName + Short("x"), Page, CArchiveException::badClass},
        {"index never assigned", S("\x05\x00", 2), Object, CArchiveException::badIndex},
        {"class index never assigned", S("\x05\x80", 2), Object, CArchiveException::badIndex},
        {"class index zero", S("\x00\x80", 2), Object, CArchiveException::badIndex},
        {"class index of an object", fileName + Short("x") + S("\x02\x80", 2), Objects, CArchiveException::badIndex},
        {"object index of a class", fileName + Short("x") + S("\x01\x00", 2), Objects, CArchiveException::badIndex},
        {"big index never assigned", S("\xFF\x7F\x00\x01\x00\x00", 6), Object, CArchiveException::badIndex},
        {"truncated big index", S("\xFF\x7F\x01", 3), Object, CArchiveException::endOfFile},
        {"objects nested without end", nested, Object, CArchiveException::generic},
    };
    for (const Case& c : cases) {
        int nCause = -1;
        try {
            Load(c.bytes, [&](CArchive& ar) {
                CObject* pOb = NULL;
                JCPage* pPage = NULL;
                CString text;
                switch (c.reader) {
                case Object:
                    ar >> pOb;
                    break;
                case Page:
                    ar >> pPage;
                    break;
                case Count:
                    ar.ReadCount();
                    break;
                case String:
                    ar >> text;
                    break;
                case Objects:
                    for (;;) {
                        ar >> pOb;
                        delete pOb;
                    }
                case Strings:
                    for (;;)
                        ar >> text;
                }
            });
        } catch (CArchiveException* e) {
            nCause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(c.cause, nCause) << c.what;
    }
}

TEST(Archive, StringLengthPrefixes)
{
    struct Case {
        int length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, S("\x00", 1)},
        {254, S("\xFE", 1)},
        {255, S("\xFF\xFF\x00", 3)},
        {0xFFFD, S("\xFF\xFD\xFF", 3)},
        {0xFFFE, S("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
        {0x10000, S("\xFF\xFF\xFF\x00\x00\x01\x00", 7)},
    };
    for (const Case& c : cases) {
        std::string text(c.length, 'x');
        if (c.length > 0)
            text.back() = 'y';
        CString string(text.c_str());
        std::string bytes = Store([&](CArchive& ar) { ar << string << (BYTE)0x5A; });
        EXPECT_EQ(Hex(c.prefix), Hex(bytes.substr(0, c.prefix.size()))) << c.length;
        EXPECT_EQ(c.prefix.size() + c.length + 1, bytes.size()) << c.length;

        CString loaded("stale");
        BYTE after = 0;
        Load(bytes, [&](CArchive& ar) { ar >> loaded >> after; });
        EXPECT_EQ(c.length, loaded.GetLength());
        EXPECT_TRUE(text == (LPCTSTR)loaded) << c.length;
        EXPECT_EQ(0x5A, after);
    }
}

TEST(Archive, WideStringsAreReadInTheAnsiCodePage)
{
    // FF FE FF: a UTF-16 string follows, its length in characters.
    std::string bytes = S("\xFF\xFE\xFF\x03\x60\x4F\x7D\x59\x21\x00", 10);
    CString text;
    Load(bytes, [&](CArchive& ar) { ar >> text; });
    EXPECT_STREQ("你好!", text);
}

TEST(Archive, NumbersAreLittleEndian)
{
    std::string bytes = Store([](CArchive& ar) {
        ar << (BYTE)0x12 << (WORD)0x3456 << (LONG)-2 << (DWORD)0x89ABCDEF << (int)-3 << (short)-4 << 'c'
           << (unsigned)5 << 1.5f << -2.0;
    });
    std::string expected = S("\x12\x56\x34\xFE\xFF\xFF\xFF\xEF\xCD\xAB\x89\xFD\xFF\xFF\xFF\xFC\xFF"
                             "c\x05\x00\x00\x00\x00\x00\xC0\x3F"
                             "\x00\x00\x00\x00\x00\x00\x00\xC0",
                             34);
    EXPECT_EQ(Hex(expected), Hex(bytes));

    BYTE by;
    WORD w;
    LONG l;
    DWORD dw;
    int i;
    short s;
    char ch;
    unsigned u;
    float f;
    double d;
    Load(bytes, [&](CArchive& ar) { ar >> by >> w >> l >> dw >> i >> s >> ch >> u >> f >> d; });
    EXPECT_EQ(0x12, by);
    EXPECT_EQ(0x3456, w);
    EXPECT_EQ(-2, l);
    EXPECT_EQ(0x89ABCDEFu, dw);
    EXPECT_EQ(-3, i);
    EXPECT_EQ(-4, s);
    EXPECT_EQ('c', ch);
    EXPECT_EQ(5u, u);
    EXPECT_EQ(1.5f, f);
    EXPECT_EQ(-2.0, d);
}

TEST(Archive, CountsAndTimes)
{
    struct Case {
        DWORD count;
        std::string bytes;
    };
    for (const Case& c : {Case{0, S("\x00\x00", 2)}, Case{0xFFFE, S("\xFE\xFF", 2)},
                          Case{0xFFFF, S("\xFF\xFF\xFF\xFF\x00\x00", 6)},
                          Case{0x12345, S("\xFF\xFF\x45\x23\x01\x00", 6)}}) {
        std::string bytes = Store([&](CArchive& ar) { ar.WriteCount(c.count); });
        EXPECT_EQ(Hex(c.bytes), Hex(bytes));
        // Enough bytes after it for the elements.
        DWORD read = 0;
        Load(bytes + std::string(c.count, '\0'), [&](CArchive& ar) { read = ar.ReadCount(); });
        EXPECT_EQ(c.count, read);
    }

    CTime time((time_t)0x5F5E1000);
    std::string bytes = Store([&](CArchive& ar) { ar << time; });
    EXPECT_EQ(Hex(S("\x00\x10\x5E\x5F", 4)), Hex(bytes));
    CTime loaded;
    Load(bytes, [&](CArchive& ar) { ar >> loaded; });
    EXPECT_EQ((time_t)0x5F5E1000, loaded.GetTime());
}

// Values that straddle the buffer's end, and blocks larger than the buffer.
TEST(Archive, SmallBufferKeepsEveryByte)
{
    std::string block(1000, '\0');
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = (char)(i * 7);
    std::string bytes = Store(
        [&](CArchive& ar) {
            for (DWORD i = 0; i < 100; ++i) {
                ar << (BYTE)i << i << (double)i;
                ar << CString(std::string(i * 3, (char)('a' + i % 26)).c_str());
            }
            ar.Write(block.data(), (UINT)block.size());
        },
        128);
    Load(
        bytes,
        [&](CArchive& ar) {
            for (DWORD i = 0; i < 100; ++i) {
                BYTE by;
                DWORD dw;
                double d;
                CString text;
                ar >> by >> dw >> d >> text;
                ASSERT_EQ((BYTE)i, by);
                ASSERT_EQ(i, dw);
                ASSERT_EQ((double)i, d);
                ASSERT_EQ((int)i * 3, text.GetLength());
            }
            std::string read(block.size(), '\0');
            EXPECT_EQ(block.size(), ar.Read(&read[0], (UINT)read.size()));
            EXPECT_TRUE(read == block);
            char more;
            EXPECT_EQ(0u, ar.Read(&more, 1));
        },
        128);
}

TEST(Archive, CloseGivesBackWhatWasNotRead)
{
    CMemFile file;
    file.Write("\x01\x02\x03\x04\x05\x06", 6);
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    WORD w;
    ar >> w;
    EXPECT_FALSE(ar.IsBufferEmpty());
    ar.Close();
    EXPECT_EQ(2u, (DWORD)file.GetPosition());
}

TEST(Archive, DirectionIsEnforced)
{
    CMemFile file;
    int causes[2] = {-1, -1};
    {
        CArchive ar(&file, CArchive::store);
        EXPECT_TRUE(ar.IsStoring());
        EXPECT_FALSE(ar.IsLoading());
        EXPECT_EQ(&file, ar.GetFile());
        try {
            DWORD dw;
            ar >> dw;
        } catch (CArchiveException* e) {
            causes[0] = e->m_cause;
            e->Delete();
        }
    }
    {
        CArchive ar(&file, CArchive::load);
        try {
            ar << (DWORD)1;
        } catch (CArchiveException* e) {
            causes[1] = e->m_cause;
            e->Delete();
        }
    }
    EXPECT_EQ(CArchiveException::writeOnly, causes[0]);
    EXPECT_EQ(CArchiveException::readOnly, causes[1]);
}

TEST(Archive, OnlyCloseOrFlushWritesWhenFlushOnDeleteIsOff)
{
    struct Case {
        const char* what;
        UINT mode;
        std::function<void(CArchive&)> end;
        size_t written;
    };
    const Case cases[] = {
        {"destroyed", CArchive::store, [](CArchive&) {}, 4},
        {"destroyed without flush", CArchive::store | CArchive::bNoFlushOnDelete, [](CArchive&) {}, 0},
        {"closed", CArchive::store | CArchive::bNoFlushOnDelete, [](CArchive& ar) { ar.Close(); }, 4},
        {"flushed", CArchive::store | CArchive::bNoFlushOnDelete, [](CArchive& ar) { ar.Flush(); }, 4},
        {"aborted", CArchive::store, [](CArchive& ar) { ar.Abort(); }, 0},
    };
    for (const Case& c : cases) {
        CMemFile file;
        {
            CArchive ar(&file, c.mode);
            ar << (DWORD)7;
            EXPECT_EQ(0u, (DWORD)file.GetLength()) << c.what;
            c.end(ar);
        }
        EXPECT_EQ(c.written, (size_t)file.GetLength()) << c.what;
    }
}

TEST(Archive, WritingAnObjectThatIsNotSerializableIsRefused)
{
    CException notSerializable;
    bool refused = false;
    try {
        Store([&](CArchive& ar) { ar << &notSerializable; });
    } catch (CNotSupportedException* e) {
        refused = true;
        e->Delete();
    }
    EXPECT_TRUE(refused);
}

TEST(Archive, MappedObjectsAndClassesShareTheIndices)
{
    JCFileName mapped("m");
    JCFileName other("o");
    std::string bytes = Store([&](CArchive& ar) {
        ar.MapObject(&mapped);                           // 1
        ar.SerializeClass(RUNTIME_CLASS(JCFileName));    // 2
        ar << &mapped << &other;                         // 1 again; object 3
    });
    EXPECT_EQ(Hex(S("\xFF\xFF\x01\x00\x0A\x00", 6) + "JCFileName" + S("\x01\x00\x02\x80", 4) + Short("o")),
              Hex(bytes));

    JCFileName* loadedOther = NULL;
    CObject* loadedMapped = NULL;
    Load(bytes, [&](CArchive& ar) {
        ar.MapObject(&mapped);
        ar.SerializeClass(RUNTIME_CLASS(JCFileName));
        ar >> loadedMapped >> loadedOther;
    });
    EXPECT_EQ(&mapped, loadedMapped);
    ASSERT_NE(nullptr, loadedOther);
    EXPECT_STREQ("o", loadedOther->m_path);
    delete loadedOther;
}

TEST(Archive, TextLines)
{
    std::string bytes = Store([](CArchive& ar) {
        ar.WriteString("第一行\r\n");
        ar.WriteString("second\n\nlast");
    });
    EXPECT_EQ("第一行\r\nsecond\n\nlast", bytes);

    Load(bytes, [](CArchive& ar) {
        CString line;
        const char* expected[] = {"第一行", "second", "", "last"};
        for (const char* text : expected) {
            EXPECT_TRUE(ar.ReadString(line));
            EXPECT_STREQ(text, line);
        }
        EXPECT_FALSE(ar.ReadString(line));
    });
    Load("abcdef\nxy", [](CArchive& ar) {
        char buffer[5];
        EXPECT_STREQ("abcd", ar.ReadString(buffer, 4));
        EXPECT_STREQ("ef", ar.ReadString(buffer, 4));
        EXPECT_STREQ("xy", ar.ReadString(buffer, 4));
        EXPECT_EQ(nullptr, ar.ReadString(buffer, 4));
    });
}

TEST(Archive, StoresToAFileAndNamesItInErrors)
{
    testsupport::TempDir dir;
    std::string path = dir.File("任务.tsk");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        ArcTask task;
        task.Serialize(ar);
    }  // the archive writes what it buffered when it goes
    EXPECT_EQ(Hex(kNewTaskBytes + S("\x00\x00", 2)), Hex(testsupport::ReadFileBytes(path)));

    ASSERT_TRUE(testsupport::WriteFileBytes(path, kNewTaskBytes + S("\x01", 1)));
    CString fileName;
    int nCause = -1;
    try {
        CFile file(path.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        ArcTask task;
        task.Serialize(ar);
    } catch (CArchiveException* e) {
        nCause = e->m_cause;
        fileName = e->m_strFileName;
        e->Delete();
    }
    EXPECT_EQ(CArchiveException::endOfFile, nCause);
    EXPECT_STREQ(path.c_str(), fileName);
}
