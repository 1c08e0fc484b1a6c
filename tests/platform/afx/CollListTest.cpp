#include "afxcoll.h"
#include "afxtempl.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// The list read head to tail and tail to head, one character per element,
// which also checks that the links agree in both directions.
template<class LIST>
std::string Forward(const LIST& list)
{
    std::string s;
    POSITION pos = list.GetHeadPosition();
    while (pos != NULL)
        s += static_cast<LPCTSTR>(CString(list.GetNext(pos)));
    return s;
}

template<class LIST>
std::string Backward(const LIST& list)
{
    std::string s;
    POSITION pos = list.GetTailPosition();
    while (pos != NULL)
        s += static_cast<LPCTSTR>(CString(list.GetPrev(pos)));
    return s;
}

std::string Reversed(std::string s)
{
    return std::string(s.rbegin(), s.rend());
}

template<class LIST>
void Fill(LIST& list, const char* elements)
{
    for (const char* p = elements; *p != '\0'; ++p)
        list.AddTail(CString(*p));
}

template<class LIST>
void ExpectContents(const LIST& list, const std::string& expected)
{
    EXPECT_EQ(expected, Forward(list));
    EXPECT_EQ(Reversed(expected), Backward(list));
    EXPECT_EQ(static_cast<int>(expected.size()), list.GetCount());
    EXPECT_EQ(expected.empty(), list.IsEmpty() != FALSE);
    if (!expected.empty())
    {
        EXPECT_EQ(CString(expected.front()), CString(list.GetHead()));
        EXPECT_EQ(CString(expected.back()), CString(list.GetTail()));
    }
}

template<class LIST>
class CollListTest : public ::testing::Test {};

using StringLists = ::testing::Types<CStringList, CList<CString, LPCTSTR>, CList<CString, const CString&>>;
TYPED_TEST_SUITE(CollListTest, StringLists);

TYPED_TEST(CollListTest, WalksForwardsAndBackwards)
{
    TypeParam list;
    ExpectContents(list, "");
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    EXPECT_EQ(nullptr, list.GetTailPosition());

    list.AddTail("b");
    list.AddTail("c");
    list.AddHead("a");
    ExpectContents(list, "abc");

    // the reference forms change the element in place
    list.GetHead() = "x";
    list.GetTail() = "z";
    POSITION pos = list.GetHeadPosition();
    list.GetNext(pos);
    list.GetAt(pos) = "y";
    ExpectContents(list, "xyz");
}

TYPED_TEST(CollListTest, RemovesTheSavedPositionWhileWalking)
{
    struct Case {
        const char* name;
        std::function<bool(char)> remove;
        const char* expected;
    };
    const Case cases[] = {
        {"every other", [](char c) { return (c - 'a') % 2 == 1; }, "aceg"},
        {"the others", [](char c) { return (c - 'a') % 2 == 0; }, "bdf"},
        {"head", [](char c) { return c == 'a'; }, "bcdefg"},
        {"tail", [](char c) { return c == 'g'; }, "abcdef"},
        {"head and tail", [](char c) { return c == 'a' || c == 'g'; }, "bcdef"},
        {"all", [](char) { return true; }, ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TypeParam list(3);  // small blocks, so that nodes come from several
        Fill(list, "abcdefg");
        POSITION pos = list.GetHeadPosition();
        while (pos != NULL)
        {
            POSITION current = pos;
            CString element = list.GetNext(pos);
            if (c.remove(element[0]))
                list.RemoveAt(current);
        }
        ExpectContents(list, c.expected);

        // freed nodes are reused and the list stays sound
        list.AddTail("h");
        list.AddHead("0");
        ExpectContents(list, std::string("0") + c.expected + "h");
    }
}

TYPED_TEST(CollListTest, RemovesWhileWalkingBackwards)
{
    TypeParam list;
    Fill(list, "abcde");
    POSITION pos = list.GetTailPosition();
    while (pos != NULL)
    {
        POSITION current = pos;
        if (list.GetPrev(pos) != "c")
            list.RemoveAt(current);
    }
    ExpectContents(list, "c");
}

TYPED_TEST(CollListTest, InsertsAtBothEndsAndInTheMiddle)
{
    TypeParam list;
    Fill(list, "bd");

    POSITION head = list.InsertBefore(list.GetHeadPosition(), "a");
    EXPECT_EQ(list.GetHeadPosition(), head);
    POSITION tail = list.InsertAfter(list.GetTailPosition(), "e");
    EXPECT_EQ(list.GetTailPosition(), tail);
    ExpectContents(list, "abde");

    POSITION b = list.FindIndex(1);
    POSITION c = list.InsertAfter(b, "c");
    EXPECT_EQ(CString("c"), CString(list.GetAt(c)));
    EXPECT_EQ(c, list.FindIndex(2));
    ExpectContents(list, "abcde");

    // NULL means the far end: before nothing is the head, after nothing the tail
    POSITION first = list.InsertBefore(NULL, "0");
    POSITION last = list.InsertAfter(NULL, "9");
    EXPECT_EQ(list.GetHeadPosition(), first);
    EXPECT_EQ(list.GetTailPosition(), last);
    ExpectContents(list, "0abcde9");

    // into an empty list, both ends are the new element
    TypeParam empty;
    POSITION only = empty.InsertAfter(NULL, "x");
    EXPECT_EQ(empty.GetHeadPosition(), only);
    EXPECT_EQ(empty.GetTailPosition(), only);
    ExpectContents(empty, "x");
}

TYPED_TEST(CollListTest, FindsAfterAGivenPosition)
{
    TypeParam list;
    Fill(list, "abaca");

    POSITION first = list.Find("a");
    EXPECT_EQ(list.FindIndex(0), first);
    POSITION second = list.Find("a", first);
    EXPECT_EQ(list.FindIndex(2), second);
    POSITION third = list.Find("a", second);
    EXPECT_EQ(list.FindIndex(4), third);
    EXPECT_EQ(nullptr, list.Find("a", third));
    EXPECT_EQ(list.FindIndex(3), list.Find("c", first));
    EXPECT_EQ(nullptr, list.Find("b", list.FindIndex(1)));
    EXPECT_EQ(nullptr, list.Find("x"));

    // contents are compared, not addresses
    char buffer[] = "c";
    EXPECT_EQ(list.FindIndex(3), list.Find(buffer));

    EXPECT_EQ(nullptr, list.FindIndex(-1));
    EXPECT_EQ(nullptr, list.FindIndex(5));
}

TYPED_TEST(CollListTest, RemovesAndAddsWholeLists)
{
    TypeParam list;
    Fill(list, "abc");
    EXPECT_EQ(CString("a"), CString(list.RemoveHead()));
    EXPECT_EQ(CString("c"), CString(list.RemoveTail()));
    ExpectContents(list, "b");
    EXPECT_EQ(CString("b"), CString(list.RemoveTail()));
    ExpectContents(list, "");

    TypeParam other;
    Fill(other, "xy");
    Fill(list, "mn");
    list.AddHead(&other);
    list.AddTail(&other);
    ExpectContents(list, "xymnxy");
    ExpectContents(other, "xy");

    // a list added to itself doubles once
    other.AddTail(&other);
    ExpectContents(other, "xyxy");
    other.AddHead(&other);
    ExpectContents(other, "xyxyxyxy");

    list.RemoveAll();
    ExpectContents(list, "");
    Fill(list, "q");
    ExpectContents(list, "q");
}

TEST(CollList, PointerListsCompareAddresses)
{
    CObList objects;
    CStringList a, b;  // any CObject will do
    POSITION pa = objects.AddTail(&a);
    POSITION pb = objects.AddTail(&b);
    objects.AddTail(&a);
    EXPECT_EQ(pa, objects.Find(&a));
    EXPECT_EQ(pb, objects.Find(&b));
    EXPECT_EQ(objects.FindIndex(2), objects.Find(&a, pa));
    EXPECT_EQ(&a, objects.GetHead());
    EXPECT_EQ(&a, objects.RemoveTail());
    EXPECT_EQ(2, objects.GetCount());

    int values[3] = {};
    CPtrList pointers;
    for (int& v : values)
        pointers.AddHead(&v);
    POSITION pos = pointers.GetHeadPosition();
    for (int i = 2; i >= 0; --i)
        EXPECT_EQ(&values[i], pointers.GetNext(pos));
    EXPECT_EQ(nullptr, pos);
    EXPECT_EQ(nullptr, pointers.Find(&objects));
}

// Elements of a typed list are constructed and destroyed with their nodes.
struct Counted
{
    static int live;
    int value;
    Counted(int v = 0) : value(v) { ++live; }
    Counted(const Counted& other) : value(other.value) { ++live; }
    Counted& operator=(const Counted&) = default;
    ~Counted() { --live; }
    bool operator==(const Counted& other) const { return value == other.value; }
};
int Counted::live = 0;

TEST(CollList, TypedListConstructsAndDestroysElements)
{
    Counted::live = 0;
    {
        CList<Counted, const Counted&> list(2);
        for (int i = 0; i < 5; ++i)
            list.AddTail(Counted(i));
        EXPECT_EQ(5, Counted::live);
        list.RemoveAt(list.Find(Counted(2)));
        EXPECT_EQ(4, list.RemoveHead().value + list.RemoveTail().value);
        EXPECT_EQ(2, Counted::live);
        EXPECT_EQ(1, list.GetHead().value);
        EXPECT_EQ(3, list.GetTail().value);
    }
    EXPECT_EQ(0, Counted::live);
}

}  // namespace
