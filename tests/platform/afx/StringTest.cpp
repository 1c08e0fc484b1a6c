#include "afx.h"

#include "StringTestRes.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <utility>
#include <vector>

namespace {

template <typename... Args>
CString Formatted(LPCTSTR format, Args&&... args)
{
    CString result;
    result.Format(format, std::forward<Args>(args)...);
    return result;
}

CString FormattedV(LPCTSTR format, ...)
{
    va_list args;
    va_start(args, format);
    CString result;
    result.FormatV(format, args);
    va_end(args);
    return result;
}

TEST(String, IsOnePointerAndEmptyStringsShareOneBuffer)
{
    EXPECT_EQ(sizeof(char*), sizeof(CString));
    CString a;
    CString b("x");
    b.Empty();
    EXPECT_EQ(static_cast<LPCTSTR>(a), static_cast<LPCTSTR>(b));
    EXPECT_STREQ("", a);
    EXPECT_TRUE(b.IsEmpty());
}

TEST(String, ConstructsFromEveryKindOfSource)
{
    const unsigned char bytes[] = "bytes";
    struct Case {
        CString actual;
        const char* expected;
    };
    const Case cases[] = {
        {CString(), ""},
        {CString('x', 3), "xxx"},
        {CString('x', 0), ""},
        {CString("abcdef", 3), "abc"},
        {CString("abc", 0), ""},
        {CString(bytes), "bytes"},
        {CString(static_cast<LPCSTR>(NULL)), ""},
        {CString(L"路径\\文件"), "路径\\文件"},
        {CString(L"颜色转换表", 2), "颜色"},
        {CString(MAKEINTRESOURCE(IDS_STRTEST_SHORT)), "上传完成"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.expected, c.actual);
        EXPECT_EQ(static_cast<int>(strlen(c.expected)), c.actual.GetLength()) << c.expected;
    }
}

TEST(String, AssignsFromEveryKindOfSource)
{
    CString text("old");
    text = 'c';
    EXPECT_STREQ("c", text);
    text = "新的";
    EXPECT_STREQ("新的", text);
    text = L"宽字符";
    EXPECT_STREQ("宽字符", text);
    text = reinterpret_cast<const unsigned char*>("u");
    EXPECT_STREQ("u", text);
    text = CString("copy");
    EXPECT_STREQ("copy", text);
    text = L"";
    EXPECT_TRUE(text.IsEmpty());
}

TEST(String, AssignmentFromItsOwnCharactersIsSafe)
{
    CString text("0123456789");
    text = static_cast<LPCTSTR>(text) + 4;
    EXPECT_STREQ("456789", text);
    text += static_cast<LPCTSTR>(text);
    EXPECT_STREQ("456789456789", text);
    text = text;
    EXPECT_STREQ("456789456789", text);
    text += text;
    EXPECT_STREQ("456789456789456789456789", text);
}

TEST(String, ConcatenatesOnEitherSide)
{
    CString a("甲");
    EXPECT_STREQ("甲乙", a + CString("乙"));
    EXPECT_STREQ("甲!", a + '!');
    EXPECT_STREQ("!甲", '!' + a);
    EXPECT_STREQ("甲乙", a + "乙");
    EXPECT_STREQ("乙甲", "乙" + a);
    EXPECT_STREQ("甲", a);

    CString built;
    for (int i = 0; i < 1000; ++i)
        built += static_cast<TCHAR>('0' + i % 10);
    built += "end";
    built += CString("!");
    EXPECT_EQ(1004, built.GetLength());
    EXPECT_STREQ("789end!", static_cast<LPCTSTR>(built) + 997);
}

TEST(String, ComparesWithEveryOperatorOnEitherSide)
{
    struct Case {
        const char* left;
        const char* right;
        int sign;
    };
    const Case cases[] = {{"abc", "abd", -1}, {"abc", "abc", 0}, {"b", "abc", 1}, {"", "a", -1},
                          {"\xff", "a", 1}};  // bytes compare unsigned
    for (const Case& c : cases) {
        CString l(c.left), r(c.right);
        EXPECT_EQ(c.sign, l.Compare(c.right)) << c.left << " " << c.right;
        for (int form = 0; form < 3; ++form) {
            auto check = [&](bool eq, bool ne, bool lt, bool gt, bool le, bool ge) {
                EXPECT_EQ(c.sign == 0, eq) << form << c.left << " " << c.right;
                EXPECT_EQ(c.sign != 0, ne) << form << c.left << " " << c.right;
                EXPECT_EQ(c.sign < 0, lt) << form << c.left << " " << c.right;
                EXPECT_EQ(c.sign > 0, gt) << form << c.left << " " << c.right;
                EXPECT_EQ(c.sign <= 0, le) << form << c.left << " " << c.right;
                EXPECT_EQ(c.sign >= 0, ge) << form << c.left << " " << c.right;
            };
            if (form == 0)
                check(l == r, l != r, l < r, l > r, l <= r, l >= r);
            else if (form == 1)
                check(l == c.right, l != c.right, l < c.right, l > c.right, l <= c.right, l >= c.right);
            else
                check(c.left == r, c.left != r, c.left < r, c.left > r, c.left <= r, c.left >= r);
        }
    }
}

TEST(String, CollateFollowsTheUserLocale)
{
    // Byte order puts every capital first; the locale orders by letter.
    EXPECT_GT(CString("a").Compare("B"), 0);
    EXPECT_LT(CString("a").Collate("B"), 0);
    EXPECT_NE(0, CString("abc").Collate("ABC"));
    EXPECT_EQ(0, CString("abc").CollateNoCase("ABC"));
    EXPECT_EQ(0, CString("ABC").CompareNoCase("abc"));
    EXPECT_EQ(0, CString("上传").Collate("上传"));
}

TEST(String, ExtractionClampsCounts)
{
    const CString text("hello");
    struct Case {
        CString actual;
        const char* expected;
    };
    const Case cases[] = {
        {text.Mid(1, 3), "ell"}, {text.Mid(-1, 2), "he"}, {text.Mid(3, 100), "lo"},
        {text.Mid(10), ""},      {text.Mid(2), "llo"},    {text.Mid(1, -1), ""},
        {text.Left(-1), ""},     {text.Left(2), "he"},    {text.Left(10), "hello"},
        {text.Right(2), "lo"},   {text.Right(10), "hello"}, {text.Right(-2), ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, c.actual);
}

TEST(String, EditsInsertDeleteReplaceRemove)
{
    struct Case {
        std::function<int(CString&)> edit;
        const char* before;
        int result;
        const char* after;
    };
    const Case cases[] = {
        {[](CString& s) { return s.Insert(2, 'X'); }, "abcd", 5, "abXcd"},
        {[](CString& s) { return s.Insert(-3, "ZZ"); }, "abcd", 6, "ZZabcd"},
        {[](CString& s) { return s.Insert(100, "!"); }, "abcd", 5, "abcd!"},
        {[](CString& s) { return s.Insert(0, "前"); }, "", 2, "前"},
        {[](CString& s) { return s.Delete(1); }, "abcd", 3, "acd"},
        {[](CString& s) { return s.Delete(2, 100); }, "abcd", 2, "ab"},
        {[](CString& s) { return s.Delete(10, 1); }, "abcd", 4, "abcd"},
        {[](CString& s) { return s.Delete(1, 0); }, "abcd", 4, "abcd"},
        {[](CString& s) { return s.Replace("ab", "xyz"); }, "abcabab", 3, "xyzcxyzxyz"},
        {[](CString& s) { return s.Replace("a", ""); }, "aXa", 2, "X"},
        {[](CString& s) { return s.Replace("", "x"); }, "aXa", 0, "aXa"},
        {[](CString& s) { return s.Replace("aa", "b"); }, "aaa", 1, "ba"},
        {[](CString& s) { return s.Replace('a', 'b'); }, "banana", 3, "bbnbnb"},
        {[](CString& s) { return s.Replace('a', 'a'); }, "banana", 0, "banana"},
        {[](CString& s) { return s.Remove('n'); }, "banana", 2, "baaa"},
        {[](CString& s) { return s.Remove('z'); }, "banana", 0, "banana"},
    };
    for (const Case& c : cases) {
        CString text(c.before);
        EXPECT_EQ(c.result, c.edit(text)) << c.before << " -> " << c.after;
        EXPECT_STREQ(c.after, text) << c.before;
        EXPECT_EQ(static_cast<int>(strlen(c.after)), text.GetLength()) << c.before;
    }
}

TEST(String, TrimsWhiteSpaceOneCharacterOrASet)
{
    CString text(" \t 上 传 \r\n");
    text.TrimLeft();
    EXPECT_STREQ("上 传 \r\n", text);
    text.TrimRight();
    EXPECT_STREQ("上 传", text);

    CString xs("xxyxx");
    xs.TrimLeft('x');
    EXPECT_STREQ("yxx", xs);
    xs.TrimRight('x');
    EXPECT_STREQ("y", xs);

    CString set("-+-value+-");
    set.TrimLeft("+-");
    set.TrimRight("+-");
    EXPECT_STREQ("value", set);

    CString blank("   ");
    blank.TrimRight();
    EXPECT_TRUE(blank.IsEmpty());
}

TEST(String, SearchesFromAStart)
{
    const CString text("a.b.c");
    EXPECT_EQ(1, text.Find('.'));
    EXPECT_EQ(3, text.Find('.', 2));
    EXPECT_EQ(-1, text.Find('.', 5));
    EXPECT_EQ(3, text.ReverseFind('.'));
    EXPECT_EQ(2, text.Find("b.c"));
    EXPECT_EQ(-1, text.Find("b.c", 3));
    EXPECT_EQ(-1, text.Find("c.", 0));
    EXPECT_EQ(1, text.FindOneOf(".c"));
    EXPECT_EQ(-1, text.FindOneOf("xyz"));
    EXPECT_STREQ("a.b", CString("a.b,c").SpanIncluding("ab."));
    EXPECT_STREQ("a.b", CString("a.b,c").SpanExcluding(",;"));
}

TEST(String, WritingToACopyLeavesTheOriginal)
{
    const std::function<void(CString&)> edits[] = {
        [](CString& s) { s.SetAt(0, 'X'); },
        [](CString& s) { s += "!"; },
        [](CString& s) { s.MakeUpper(); },
        [](CString& s) { s.MakeReverse(); },
        [](CString& s) { s.Replace('a', 'b'); },
        [](CString& s) { s.Replace("ab", "z"); },
        [](CString& s) { s.Remove('a'); },
        [](CString& s) { s.Insert(1, 'q'); },
        [](CString& s) { s.Delete(0); },
        [](CString& s) { s.TrimRight('c'); },
        [](CString& s) { s.TrimLeft('a'); },
        [](CString& s) { s.Format("%d", 5); },
        [](CString& s) { s.GetBuffer(0)[0] = 'Z'; s.ReleaseBuffer(); },
        [](CString& s) { s.GetBufferSetLength(1); },
        [](CString& s) { s.LockBuffer()[1] = 'Y'; s.UnlockBuffer(); },
        [](CString& s) { s.Empty(); },
    };
    for (size_t i = 0; i < sizeof edits / sizeof edits[0]; ++i) {
        CString original("abcabc");
        CString copy = original;
        EXPECT_EQ(static_cast<LPCTSTR>(original), static_cast<LPCTSTR>(copy)) << i;
        edits[i](copy);
        EXPECT_STREQ("abcabc", original) << "edit " << i;
        EXPECT_STRNE("abcabc", copy) << "edit " << i;
    }
}

TEST(String, CopiesOnManyThreadsKeepTheCountExact)
{
    CString original("shared text");
    LPCTSTR characters = original;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&original] {
            for (int i = 0; i < 100000; ++i) {
                CString copy(original);
                CString other;
                other = copy;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    // Sole owner again: the buffer is written in place, not copied.
    EXPECT_EQ(characters, original.GetBuffer(0));
    original.ReleaseBuffer();
    EXPECT_STREQ("shared text", original);
}

TEST(String, GetBufferOnASharedStringWritesAPrivateCopy)
{
    CString original("hello");
    CString copy(original);
    LPTSTR buffer = copy.GetBuffer(10);
    EXPECT_NE(static_cast<LPCTSTR>(original), buffer);
    EXPECT_STREQ("hello", buffer);
    strcpy(buffer, "world, too");
    copy.ReleaseBuffer();
    EXPECT_STREQ("world, too", copy);
    EXPECT_EQ(10, copy.GetLength());
    EXPECT_STREQ("hello", original);
}

TEST(String, ReleaseBufferTakesTheLengthGivenOrTheTextsOwn)
{
    CString text;
    LPTSTR buffer = text.GetBuffer(20);
    memcpy(buffer, "ab\0cdef", 8);
    text.ReleaseBuffer();
    EXPECT_EQ(2, text.GetLength());
    EXPECT_STREQ("ab", text);

    buffer = text.GetBuffer(20);
    memcpy(buffer, "abcdef", 7);
    text.ReleaseBuffer(4);
    EXPECT_EQ(4, text.GetLength());
    EXPECT_STREQ("abcd", text);

    buffer = text.GetBufferSetLength(3);
    EXPECT_EQ(3, text.GetLength());
    EXPECT_STREQ("abc", buffer);
    text.FreeExtra();
    EXPECT_STREQ("abc", text);
    text += "de";
    EXPECT_STREQ("abcde", text);
}

TEST(String, ALockedBufferIsNeverShared)
{
    CString locked("text");
    LPTSTR buffer = locked.LockBuffer();
    CString copy(locked);
    CString assigned;
    assigned = locked;
    EXPECT_NE(buffer, static_cast<LPCTSTR>(copy));
    EXPECT_NE(buffer, static_cast<LPCTSTR>(assigned));
    buffer[0] = 'n';
    EXPECT_STREQ("next", locked);
    EXPECT_STREQ("text", copy);
    EXPECT_STREQ("text", assigned);

    locked.UnlockBuffer();
    CString shared(locked);
    EXPECT_EQ(static_cast<LPCTSTR>(locked), static_cast<LPCTSTR>(shared));
}

TEST(String, FormatsLikeTheCRuntime)
{
    const CString name("颜色");
    struct Case {
        CString actual;
        const char* expected;
    };
    const Case cases[] = {
        {Formatted("%d|%u|%ld", -5, 4000000000u, -70000L), "-5|4000000000|-70000"},
        {Formatted("%x|%08X|%c%c", 255, 0xBEEFu, 'o', 'k'), "ff|0000BEEF|ok"},
        {Formatted("%s/%s/%s", name, static_cast<LPCTSTR>(name), name.Left(2)), "颜色/颜色/颜"},
        {Formatted("[%5.2f]", 3.14159), "[ 3.14]"},
        {Formatted("%I64d|%I64u", -1234567890123LL, 18446744073709551615ULL),
         "-1234567890123|18446744073709551615"},
        {Formatted("100%%"), "100%"},
        {Formatted("%-4s|%3d", "ab", 7), "ab  |  7"},
        {Formatted(""), ""},
        {FormattedV("%s=%d", static_cast<LPCTSTR>(name), 3), "颜色=3"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, c.actual);
}

TEST(String, FormatsResultsOfAnyLength)
{
    const CString filler('x', 3000);
    CString text;
    text.Format("%s|%d|%s", filler, 7, filler);
    EXPECT_EQ(6003, text.GetLength());
    EXPECT_TRUE(text == filler + "|7|" + filler);
}

TEST(String, FormatMayUseItsOwnText)
{
    CString text("自身");
    text.Format("<%s>", text);
    EXPECT_STREQ("<自身>", text);
}

TEST(String, FormatsFromAStringResource)
{
    CString text;
    text.Format(IDS_STRTEST_FORMAT, 3, CString("10"));
    EXPECT_STREQ("第3页，共10页", text);
}

TEST(String, LoadsStringResourcesOfAnyLength)
{
    CString text("stale");
    EXPECT_TRUE(text.LoadString(IDS_STRTEST_SHORT));
    EXPECT_STREQ("上传完成", text);
    EXPECT_TRUE(text.LoadString(IDS_STRTEST_PATH));
    EXPECT_STREQ("路径\\文件.jpg", text);

    CString expected("长文本");
    for (int i = 0; i < 60; ++i)
        expected += "0123456789";
    EXPECT_TRUE(text.LoadString(IDS_STRTEST_LONG));
    EXPECT_EQ(expected.GetLength(), text.GetLength());
    EXPECT_STREQ(expected, text);

    EXPECT_FALSE(text.LoadString(IDS_STRTEST_MISSING));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(GetModuleHandle(NULL), AfxFindStringResourceHandle(IDS_STRTEST_SHORT));
}

TEST(String, SysStringsRoundTripChineseText)
{
    const CString text("颜色转换表\\路径");
    BSTR bstr = text.AllocSysString();
    ASSERT_NE(nullptr, bstr);
    EXPECT_STREQ(L"颜色转换表\\路径", bstr);
    EXPECT_EQ(8u, SysStringLen(bstr));
    EXPECT_STREQ(text, CString(bstr));

    BSTR reused = SysAllocString(L"a longer text than the new one");
    BSTR returned = text.SetSysString(&reused);
    EXPECT_EQ(reused, returned);
    EXPECT_STREQ(L"颜色转换表\\路径", reused);
    EXPECT_EQ(8u, SysStringLen(reused));
    SysFreeString(reused);
    SysFreeString(bstr);

    BSTR empty = CString().AllocSysString();
    ASSERT_NE(nullptr, empty);
    EXPECT_EQ(0u, SysStringLen(empty));
    SysFreeString(empty);
}

TEST(String, IndexedAccess)
{
    CString text("abc");
    CString copy(text);
    EXPECT_EQ('b', text[1]);
    EXPECT_EQ('c', text.GetAt(2));
    copy.SetAt(1, 'X');
    EXPECT_STREQ("aXc", copy);
    EXPECT_STREQ("abc", text);
}

}  // namespace
