#include "afxcoll.h"
#include "afxtempl.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

std::string Store(CObject& collection)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    collection.Serialize(ar);
    ar.Close();
    std::string bytes(file.GetLength(), '\0');
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(&bytes[0], static_cast<UINT>(bytes.size()));
    return bytes;
}

void Load(const std::string& bytes, CObject& collection)
{
    CMemFile file;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    collection.Serialize(ar);
    ar.Close();
    EXPECT_EQ(file.GetLength(), file.GetPosition()) << "not everything was read";
}

}  // namespace

// A small serializable element for the lists and arrays of objects.
class CCollPoint : public CObject
{
    DECLARE_SERIAL(CCollPoint)
public:
    CCollPoint(int x = 0, int y = 0) : m_x(x), m_y(y) {}
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_x << m_y;
        else
            ar >> m_x >> m_y;
    }
    int m_x;
    int m_y;
};
IMPLEMENT_SERIAL(CCollPoint, CObject, 1)

// An element with its own storage helper: only the coordinates are stored,
// never the cached pointer.
struct CollCell
{
    BYTE row;
    BYTE col;
    void* cache;
};

void AFXAPI SerializeElements(CArchive& ar, CollCell* pCells, int nCount)
{
    for (; nCount > 0; --nCount, ++pCells)
    {
        if (ar.IsStoring())
            ar << pCells->row << pCells->col;
        else
            ar >> pCells->row >> pCells->col;
    }
}

namespace {

TEST(CollSerialize, ObjectListRoundTrip)
{
    CCollPoint a(1, 2), b(-3, 40000);
    CObList stored;
    stored.AddTail(&a);
    stored.AddTail(&b);
    stored.AddTail(&a);  // the same object again: read back as one object
    stored.AddTail(static_cast<CObject*>(NULL));
    std::string bytes = Store(stored);

    CObList loaded;
    Load(bytes, loaded);
    ASSERT_EQ(4, loaded.GetCount());
    POSITION pos = loaded.GetHeadPosition();
    CCollPoint* first = static_cast<CCollPoint*>(loaded.GetNext(pos));
    CCollPoint* second = static_cast<CCollPoint*>(loaded.GetNext(pos));
    CObject* third = loaded.GetNext(pos);
    CObject* fourth = loaded.GetNext(pos);
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_TRUE(first->IsKindOf(RUNTIME_CLASS(CCollPoint)));
    EXPECT_EQ(1, first->m_x);
    EXPECT_EQ(2, first->m_y);
    EXPECT_EQ(-3, second->m_x);
    EXPECT_EQ(40000, second->m_y);
    EXPECT_EQ(first, third);
    EXPECT_EQ(nullptr, fourth);
    delete first;
    delete second;

    CObArray array;
    array.Add(&b);
    array.Add(&b);
    CObArray loadedArray;
    Load(Store(array), loadedArray);
    ASSERT_EQ(2, loadedArray.GetSize());
    EXPECT_EQ(loadedArray[0], loadedArray[1]);
    EXPECT_EQ(40000, static_cast<CCollPoint*>(loadedArray[0])->m_y);
    delete loadedArray[0];
}

TEST(CollSerialize, StringCollectionsRoundTrip)
{
    CStringList list;
    list.AddTail("第一");
    list.AddTail("");
    list.AddTail(CString('x', 300));  // a length that needs more than a byte
    const std::string bytes = Store(list);

    // a list appends what it reads
    CStringList loaded;
    loaded.AddTail("before");
    Load(bytes, loaded);
    ASSERT_EQ(4, loaded.GetCount());
    EXPECT_EQ(CString("before"), loaded.GetHead());
    EXPECT_EQ(CString("第一"), loaded.GetAt(loaded.FindIndex(1)));
    EXPECT_EQ(CString(""), loaded.GetAt(loaded.FindIndex(2)));
    EXPECT_EQ(CString('x', 300), loaded.GetTail());

    // an array is replaced by what it reads; the layout is the list's
    CStringArray array;
    array.Add("old");
    array.Add("old");
    array.Add("old");
    array.Add("old");
    Load(bytes, array);
    ASSERT_EQ(3, array.GetSize());
    EXPECT_EQ(CString("第一"), array[0]);
    EXPECT_EQ(CString(""), array[1]);
    EXPECT_EQ(CString('x', 300), array[2]);
    EXPECT_EQ(bytes, Store(array));
}

TEST(CollSerialize, MapsRoundTrip)
{
    CMapStringToString strings;
    for (int i = 0; i < 30; ++i)
    {
        char key[8];
        wsprintfA(key, "键%d", i);
        strings[key] = CString('v', i);
    }
    CMapStringToString loaded;
    Load(Store(strings), loaded);
    EXPECT_EQ(30, loaded.GetCount());
    POSITION pos = strings.GetStartPosition();
    while (pos != NULL)
    {
        CString key, value, other;
        strings.GetNextAssoc(pos, key, value);
        EXPECT_TRUE(loaded.Lookup(key, other)) << static_cast<LPCTSTR>(key);
        EXPECT_EQ(value, other);
    }

    CCollPoint point(7, 8);
    CMapWordToOb objects;
    objects[3] = &point;
    objects[9] = &point;
    CMapWordToOb loadedObjects;
    Load(Store(objects), loadedObjects);
    CObject* three = NULL;
    CObject* nine = NULL;
    ASSERT_TRUE(loadedObjects.Lookup(3, three));
    ASSERT_TRUE(loadedObjects.Lookup(9, nine));
    EXPECT_EQ(three, nine);
    EXPECT_EQ(8, static_cast<CCollPoint*>(three)->m_y);
    delete three;

    CMap<CString, LPCTSTR, CString, LPCTSTR> typed;
    typed.SetAt("甲", "乙");
    typed.SetAt("", "空");
    CMap<CString, LPCTSTR, CString, LPCTSTR> loadedTyped;
    Load(Store(typed), loadedTyped);
    CString value;
    EXPECT_TRUE(loadedTyped.Lookup("甲", value));
    EXPECT_EQ(CString("乙"), value);
    EXPECT_TRUE(loadedTyped.Lookup("", value));
    EXPECT_EQ(CString("空"), value);
}

// The layouts in the archive, byte for byte: a WORD count, then the elements.
TEST(CollSerialize, ExactBytes)
{
    struct Case {
        const char* name;
        std::function<std::string()> store;
        std::string expected;
    };
    const Case cases[] = {
        {"CStringList",
         [] {
             CStringList list;
             list.AddTail("ab");
             list.AddTail("中");
             return Store(list);
         },
         std::string("\x02\x00" "\x02" "ab" "\x02" "\xd6\xd0", 8)},
        {"CStringArray",
         [] {
             CStringArray array;
             array.Add("");
             array.Add("xyz");
             return Store(array);
         },
         std::string("\x02\x00" "\x00" "\x03" "xyz", 7)},
        {"empty CStringList",
         [] {
             CStringList list;
             return Store(list);
         },
         std::string("\x00\x00", 2)},
        {"CDWordArray",
         [] {
             CDWordArray array;
             array.Add(1);
             array.Add(0x01020304);
             return Store(array);
         },
         std::string("\x02\x00" "\x01\x00\x00\x00" "\x04\x03\x02\x01", 10)},
        {"CWordArray",
         [] {
             CWordArray array;
             array.Add(0xBEEF);
             return Store(array);
         },
         std::string("\x01\x00" "\xef\xbe", 4)},
        {"CByteArray",
         [] {
             CByteArray array;
             array.Add(0);
             array.Add(0xFF);
             array.Add(7);
             return Store(array);
         },
         std::string("\x03\x00" "\x00\xff\x07", 5)},
        {"CMapStringToString",
         [] {
             CMapStringToString map;
             map.SetAt("k", "vv");
             return Store(map);
         },
         std::string("\x01\x00" "\x01" "k" "\x02" "vv", 7)},
        {"CList of strings",
         [] {
             CList<CString, LPCTSTR> list;
             list.AddTail("ab");
             list.AddTail("中");
             return Store(list);
         },
         std::string("\x02\x00" "\x02" "ab" "\x02" "\xd6\xd0", 8)},
        {"CArray of words",
         [] {
             CArray<WORD, WORD> array;
             array.Add(0x1234);
             array.Add(0x0001);
             return Store(array);
         },
         std::string("\x02\x00" "\x34\x12\x01\x00", 6)},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.expected, c.store()) << c.name;
    }
}

TEST(CollSerialize, TypedCollectionsUseTheElementsOwnHelper)
{
    int anything = 0;
    CArray<CollCell, const CollCell&> array;
    array.Add(CollCell{1, 2, &anything});
    array.Add(CollCell{3, 4, &anything});
    std::string bytes = Store(array);
    EXPECT_EQ(std::string("\x02\x00" "\x01\x02" "\x03\x04", 6), bytes);

    CList<CollCell, const CollCell&> list;
    Load(bytes, list);
    ASSERT_EQ(2, list.GetCount());
    EXPECT_EQ(3, list.GetTail().row);
    EXPECT_EQ(4, list.GetTail().col);
    EXPECT_EQ(nullptr, list.GetTail().cache);
    EXPECT_EQ(bytes, Store(list));
}

TEST(CollSerialize, CountsOf0xFFFFAndMoreTakeAnEscape)
{
    CByteArray array;
    array.SetSize(0x10000);
    array[0x10000 - 1] = 0x5A;
    std::string bytes = Store(array);
    ASSERT_EQ(2u + 4u + 0x10000u, bytes.size());
    EXPECT_EQ(std::string("\xff\xff\x00\x00\x01\x00", 6), bytes.substr(0, 6));

    CByteArray loaded;
    Load(bytes, loaded);
    ASSERT_EQ(0x10000, loaded.GetSize());
    EXPECT_EQ(0x5A, loaded[0x10000 - 1]);
}

}  // namespace
