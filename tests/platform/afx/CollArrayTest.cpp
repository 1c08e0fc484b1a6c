#include "afxcoll.h"
#include "afxtempl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

// How each array's elements are made from and turned back into numbers, so
// that one model test drives them all.
template<class ARRAY, class ELEMENT, class ARG>
struct ArrayKind
{
    using Array = ARRAY;
    static ELEMENT Make(int n) { return static_cast<ELEMENT>(n); }
    static int Value(ELEMENT e) { return static_cast<int>(e); }
    static int Empty() { return 0; }
};

struct ObKind
{
    using Array = CObArray;
    static CObject* Make(int n) { return reinterpret_cast<CObject*>(static_cast<INT_PTR>(n) << 4); }
    static int Value(CObject* p) { return static_cast<int>(reinterpret_cast<INT_PTR>(p) >> 4); }
    static int Empty() { return 0; }
};

struct PtrKind
{
    using Array = CPtrArray;
    static void* Make(int n) { return reinterpret_cast<void*>(static_cast<INT_PTR>(n) << 4); }
    static int Value(void* p) { return static_cast<int>(reinterpret_cast<INT_PTR>(p) >> 4); }
    static int Empty() { return 0; }
};

// Strings: the number in decimal; a new element is empty, read as -1.
template<class ARRAY>
struct StringKind
{
    using Array = ARRAY;
    static CString Make(int n)
    {
        char text[16];
        wsprintfA(text, "%d", n);
        return CString(text);
    }
    static int Value(const CString& s) { return s.IsEmpty() ? -1 : atoi(s); }
    static int Empty() { return -1; }
};

template<class KIND>
class CollArrayModelTest : public ::testing::Test {};

using ArrayKinds = ::testing::Types<
    ArrayKind<CDWordArray, DWORD, DWORD>, ArrayKind<CWordArray, WORD, WORD>, ArrayKind<CByteArray, BYTE, BYTE>,
    ArrayKind<CUIntArray, UINT, UINT>, ArrayKind<CArray<int, int>, int, int>, ObKind, PtrKind,
    StringKind<CStringArray>, StringKind<CArray<CString, LPCTSTR>>, StringKind<CArray<CString, const CString&>>>;
TYPED_TEST_SUITE(CollArrayModelTest, ArrayKinds);

template<class KIND>
std::vector<int> Contents(const typename KIND::Array& array)
{
    std::vector<int> v;
    for (int i = 0; i < array.GetSize(); ++i)
        v.push_back(KIND::Value(array[i]));
    return v;
}

// Every operation, applied to the array and to a vector alike; the two must
// agree after each step. Values stay below 200 so that bytes hold them.
TYPED_TEST(CollArrayModelTest, AgreesWithAVectorThroughEveryOperation)
{
    using K = TypeParam;
    typename K::Array array;
    std::vector<int> model;
    const int empty = K::Empty();

    struct Step {
        const char* name;
        std::function<void()> apply;
    };
    const Step steps[] = {
        {"Add", [&] {
             for (int i = 1; i <= 40; ++i)
             {
                 EXPECT_EQ(static_cast<int>(model.size()), array.Add(K::Make(i)));
                 model.push_back(i);
             }
         }},
        {"SetAt and ElementAt", [&] {
             array.SetAt(0, K::Make(100));
             array.ElementAt(1) = K::Make(101);
             array[2] = K::Make(102);
             model[0] = 100, model[1] = 101, model[2] = 102;
         }},
        {"InsertAt at the front", [&] { array.InsertAt(0, K::Make(7), 3); model.insert(model.begin(), 3, 7); }},
        {"InsertAt in the middle", [&] { array.InsertAt(10, K::Make(8)); model.insert(model.begin() + 10, 8); }},
        {"InsertAt at the end", [&] {
             array.InsertAt(array.GetSize(), K::Make(9), 2);
             model.insert(model.end(), 2, 9);
         }},
        {"InsertAt past the end", [&] {
             int at = static_cast<int>(model.size()) + 3;
             array.InsertAt(at, K::Make(11), 2);
             model.resize(at, empty);
             model.insert(model.end(), 2, 11);
         }},
        {"RemoveAt at the front", [&] { array.RemoveAt(0, 2); model.erase(model.begin(), model.begin() + 2); }},
        {"RemoveAt in the middle", [&] {
             array.RemoveAt(5, 10);
             model.erase(model.begin() + 5, model.begin() + 15);
         }},
        {"RemoveAt at the end", [&] { array.RemoveAt(array.GetUpperBound()); model.pop_back(); }},
        {"SetAtGrow inside", [&] { array.SetAtGrow(4, K::Make(44)); model[4] = 44; }},
        {"SetAtGrow past the end", [&] {
             int at = static_cast<int>(model.size()) + 5;
             array.SetAtGrow(at, K::Make(55));
             model.resize(at + 1, empty);
             model[at] = 55;
         }},
        {"SetSize smaller then larger", [&] {
             // the regrown elements are new, not what was there before
             array.SetSize(6);
             array.SetSize(12, 3);
             model.resize(6);
             model.resize(12, empty);
         }},
        {"FreeExtra", [&] { array.FreeExtra(); }},
        {"Append", [&] {
             typename K::Array other;
             other.Add(K::Make(1));
             other.Add(K::Make(2));
             EXPECT_EQ(static_cast<int>(model.size()), array.Append(other));
             model.push_back(1), model.push_back(2);
         }},
        {"InsertAt an array", [&] {
             typename K::Array other;
             other.Add(K::Make(31));
             other.Add(K::Make(32));
             array.InsertAt(1, &other);
             model.insert(model.begin() + 1, {31, 32});
         }},
        {"InsertAt itself", [&] {
             std::vector<int> copy = model;
             array.InsertAt(2, &array);
             model.insert(model.begin() + 2, copy.begin(), copy.end());
         }},
        {"Copy", [&] {
             typename K::Array other;
             other.Copy(array);
             EXPECT_EQ(model, Contents<K>(other));
             array.RemoveAll();
             model.clear();
             EXPECT_EQ(-1, array.GetUpperBound());
             array.Copy(other);
             model = Contents<K>(other);
         }},
        {"RemoveAll", [&] { array.RemoveAll(); model.clear(); }},
    };
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.name);
        step.apply();
        ASSERT_EQ(model, Contents<K>(array));
        EXPECT_EQ(static_cast<int>(model.size()) - 1, array.GetUpperBound());
        if (!model.empty())
        {
            EXPECT_EQ(model.back(), K::Value(array.GetData()[array.GetUpperBound()]));
        }
    }
}

// Elements of CArray are constructed once and destroyed once, whatever moves
// them around.
struct Tracked
{
    static int live;
    std::string text;  // its short form points into the object itself
    Tracked() { ++live; }
    Tracked(const char* s) : text(s) { ++live; }
    Tracked(const Tracked& other) : text(other.text) { ++live; }
    Tracked(Tracked&& other) : text(std::move(other.text)) { ++live; }
    Tracked& operator=(const Tracked&) = default;
    ~Tracked() { --live; }
};
int Tracked::live = 0;

TEST(CollArray, ConstructsAndDestroysEveryElement)
{
    Tracked::live = 0;
    {
        CArray<Tracked, const Tracked&> array;
        for (int i = 0; i < 100; ++i)
            array.Add(Tracked(std::to_string(i).c_str()));
        EXPECT_EQ(100, Tracked::live);
        array.InsertAt(10, Tracked("x"), 5);
        array.RemoveAt(0, 20);
        array.SetSize(90);
        array.FreeExtra();
        array.SetAtGrow(99, Tracked("last"));
        EXPECT_EQ(100, array.GetSize());
        EXPECT_EQ(100, Tracked::live);
        EXPECT_EQ("15", array[0].text);
        EXPECT_EQ("99", array[84].text);
        EXPECT_EQ("", array[85].text);
        EXPECT_EQ("", array[98].text);
        EXPECT_EQ("last", array[99].text);
    }
    EXPECT_EQ(0, Tracked::live);
}

TEST(CollArray, StringArrayGrowsToManyElements)
{
    CArray<CString, const CString&> array;
    const int count = 5000;
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(i, array.Add(StringKind<CStringArray>::Make(i)));
    ASSERT_EQ(count, array.GetSize());
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(StringKind<CStringArray>::Make(i), array[i]);
}

TEST(CollArray, AddsAnElementOfItselfWhileGrowing)
{
    // FreeExtra leaves no room, so each Add moves the buffer
    CArray<CString, const CString&> strings;
    strings.Add(CString("长的字符串，共享不了缓冲区"));
    strings.FreeExtra();
    strings.Add(strings[0]);
    strings.SetAtGrow(3, strings[1]);
    EXPECT_EQ(strings[0], strings[1]);
    EXPECT_EQ(strings[0], strings[3]);
    EXPECT_TRUE(strings[2].IsEmpty());

    CStringArray plain;
    plain.Add("十二个字的长字符串");
    plain.FreeExtra();
    plain.Add(plain[0]);
    plain.InsertAt(0, plain.ElementAt(1), 4);
    ASSERT_EQ(6, plain.GetSize());
    for (int i = 0; i < plain.GetSize(); ++i)
        EXPECT_EQ(CString("十二个字的长字符串"), plain[i]) << i;

    CArray<int, const int&> numbers;
    numbers.Add(42);
    numbers.FreeExtra();
    numbers.InsertAt(0, numbers[0], 3);
    EXPECT_EQ(4, numbers.GetSize());
    EXPECT_EQ(42 * 4, numbers[0] + numbers[1] + numbers[2] + numbers[3]);
}

TEST(CollArray, NewElementsOfPlainTypesAreZero)
{
    struct Pair { int a; double b; };
    CArray<Pair, const Pair&> pairs;
    pairs.SetSize(3);
    pairs[2] = Pair{5, 2.5};
    pairs.SetSize(1);
    pairs.SetSize(3);  // within the allocation: the old bytes are still there
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(0, pairs[i].a);
        EXPECT_EQ(0.0, pairs[i].b);
    }
}

TEST(CollArray, RunTimeClasses)
{
    CObArray obs;
    CStringArray strings;
    CPtrArray pointers;
    CUIntArray uints;
    EXPECT_TRUE(obs.IsKindOf(RUNTIME_CLASS(CObArray)));
    EXPECT_TRUE(obs.IsSerializable());
    EXPECT_TRUE(strings.IsSerializable());
    EXPECT_FALSE(pointers.IsSerializable());
    EXPECT_FALSE(uints.IsSerializable());
    EXPECT_STREQ("CStringArray", strings.GetRuntimeClass()->m_lpszClassName);
}

}  // namespace
