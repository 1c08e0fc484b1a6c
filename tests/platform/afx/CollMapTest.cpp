#include "afxcoll.h"
#include "afxtempl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <map>

namespace {

// How each map's keys and values are made from numbers and read back, so
// that one model test drives them all.
CString Text(int n)
{
    char text[16];
    wsprintfA(text, "k%d", n);
    return CString(text);
}

int Number(const CString& s)
{
    return s.IsEmpty() ? 0 : atoi(static_cast<LPCTSTR>(s) + 1);
}

void* Pointer(int n)
{
    return reinterpret_cast<void*>(static_cast<INT_PTR>(n) * 16);
}

int Number(void* p)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(p) / 16);
}

CObject* Object(int n)
{
    return static_cast<CObject*>(Pointer(n));
}

int Number(CObject* p)
{
    return Number(static_cast<void*>(p));
}

int Number(WORD w)
{
    return w;
}

int Number(int i)
{
    return i;
}

template<class MAP, class KEY, class VALUE, KEY (*MAKE_KEY)(int), VALUE (*MAKE_VALUE)(int)>
struct MapKind
{
    using Map = MAP;
    using Key = KEY;
    using Value = VALUE;
    static KEY MakeKey(int n) { return MAKE_KEY(n); }
    static VALUE MakeValue(int n) { return MAKE_VALUE(n); }
};

WORD Word(int n)
{
    return static_cast<WORD>(n);
}

int Int(int n)
{
    return n;
}

template<class KIND>
class CollMapModelTest : public ::testing::Test {};

using MapKinds = ::testing::Types<
    MapKind<CMapStringToPtr, CString, void*, Text, Pointer>,
    MapKind<CMapStringToString, CString, CString, Text, Text>,
    MapKind<CMapStringToOb, CString, CObject*, Text, Object>,
    MapKind<CMapPtrToPtr, void*, void*, Pointer, Pointer>,
    MapKind<CMapWordToPtr, WORD, void*, Word, Pointer>,
    MapKind<CMapWordToOb, WORD, CObject*, Word, Object>,
    MapKind<CMap<CString, LPCTSTR, int, int>, CString, int, Text, Int>,
    MapKind<CMap<CString, const CString&, CString, const CString&>, CString, CString, Text, Text>,
    MapKind<CMap<int, int, CString, LPCTSTR>, int, CString, Int, Text>>;
TYPED_TEST_SUITE(CollMapModelTest, MapKinds);

template<class KIND>
std::map<int, int> Walk(const typename KIND::Map& map)
{
    std::map<int, int> seen;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL)
    {
        typename KIND::Key key{};
        typename KIND::Value value{};
        map.GetNextAssoc(pos, key, value);
        EXPECT_TRUE(seen.emplace(Number(key), Number(value)).second) << "visited twice: " << Number(key);
    }
    return seen;
}

// A small table, so that buckets hold chains; the map must agree with a
// std::map after each step, and a walk must visit each pair exactly once.
TYPED_TEST(CollMapModelTest, AgreesWithAStdMap)
{
    using K = TypeParam;
    typename K::Map map(4);
    map.InitHashTable(7);
    EXPECT_EQ(7u, map.GetHashTableSize());
    std::map<int, int> model;

    auto check = [&](const char* step) {
        SCOPED_TRACE(step);
        EXPECT_EQ(static_cast<int>(model.size()), map.GetCount());
        EXPECT_EQ(model.empty(), map.IsEmpty() != FALSE);
        EXPECT_EQ(model, Walk<K>(map));
        for (int n = 0; n < 80; ++n)
        {
            typename K::Value value{};
            BOOL found = map.Lookup(K::MakeKey(n), value);
            auto it = model.find(n);
            ASSERT_EQ(it != model.end(), found != FALSE) << n;
            if (found)
            {
                EXPECT_EQ(it->second, Number(value)) << n;
            }
        }
    };

    check("empty");
    for (int n = 0; n < 60; ++n)
    {
        map.SetAt(K::MakeKey(n), K::MakeValue(n + 1000));
        model[n] = n + 1000;
    }
    check("added");

    for (int n = 0; n < 60; n += 3)
    {
        map[K::MakeKey(n)] = K::MakeValue(n + 2000);
        model[n] = n + 2000;
    }
    check("overwritten");

    for (int n = 1; n < 70; n += 2)
    {
        EXPECT_EQ(model.erase(n) == 1, map.RemoveKey(K::MakeKey(n)) != FALSE) << n;
    }
    check("removed");

    // the pair just returned can be removed without disturbing the walk
    std::map<int, int> visited;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL)
    {
        typename K::Key key{};
        typename K::Value value{};
        map.GetNextAssoc(pos, key, value);
        visited[Number(key)] = Number(value);
        if (Number(key) % 4 == 0)
        {
            EXPECT_TRUE(map.RemoveKey(key));
        }
    }
    EXPECT_EQ(model, visited);
    for (auto it = model.begin(); it != model.end();)
        it = (it->first % 4 == 0) ? model.erase(it) : std::next(it);
    check("removed while walking");

    // operator[] on a missing key makes an empty value
    map[K::MakeKey(77)];
    model[77] = Number(typename K::Value{});
    check("default value");

    map.RemoveAll();
    model.clear();
    check("cleared");
    map.SetAt(K::MakeKey(5), K::MakeValue(6));
    model[5] = 6;
    check("reused");
}

TEST(CollMap, StringKeysAreComparedExactly)
{
    CMapStringToString map;
    map.SetAt("abc", "1");
    map.SetAt("ABC", "2");
    map.SetAt("abc ", "3");
    map.SetAt("", "4");
    map.SetAt("路径", "5");
    map.SetAt("路徑", "6");
    map["abc"] = "7";
    EXPECT_EQ(6, map.GetCount());

    struct Case {
        const char* key;
        const char* value;
    };
    for (const Case& c : {Case{"abc", "7"}, Case{"ABC", "2"}, Case{"abc ", "3"}, Case{"", "4"},
                          Case{"路径", "5"}, Case{"路徑", "6"}, Case{"ab", nullptr}, Case{"abcd", nullptr},
                          Case{"路", nullptr}})
    {
        CString value;
        BOOL found = map.Lookup(c.key, value);
        EXPECT_EQ(c.value != nullptr, found != FALSE) << c.key;
        if (c.value != nullptr)
        {
            EXPECT_EQ(CString(c.value), value) << c.key;
        }
    }
    EXPECT_FALSE(map.RemoveKey("Abc"));
    EXPECT_TRUE(map.RemoveKey("abc"));
    EXPECT_FALSE(map.RemoveKey("abc"));
    EXPECT_EQ(5, map.GetCount());
}

TEST(CollMap, HashTableSize)
{
    CMapStringToPtr map;
    EXPECT_EQ(17u, map.GetHashTableSize());
    map.InitHashTable(101, FALSE);
    EXPECT_EQ(101u, map.GetHashTableSize());
    map.SetAt("a", &map);
    void* value = NULL;
    EXPECT_TRUE(map.Lookup("a", value));
    EXPECT_EQ(&map, value);

    CMap<DWORD, DWORD, DWORD, DWORD> typed;
    EXPECT_EQ(17u, typed.GetHashTableSize());
    typed.InitHashTable(3);
    EXPECT_EQ(3u, typed.GetHashTableSize());
    EXPECT_EQ(nullptr, typed.GetStartPosition());
}

TEST(CollMap, StringHashIsTimes33PlusSignedChar)
{
    // hash * 33 + char, chars signed
    EXPECT_EQ(0u, HashKey<LPCSTR>(""));
    EXPECT_EQ(97u * 33 + 98, HashKey<LPCSTR>("ab"));
    EXPECT_EQ(static_cast<UINT>(-42 * 33 - 48), HashKey<LPCSTR>("\xd6\xd0"));
    EXPECT_EQ(HashKey<LPCSTR>("路径"), HashKey<CString>(CString("路径")));

    CMapStringToPtr map;
    EXPECT_EQ(HashKey<LPCSTR>("路径"), map.HashKey("路径"));
}

}  // namespace
