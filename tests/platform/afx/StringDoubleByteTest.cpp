// CString walks whole characters of the ANSI code page (GBK here): a
// double-byte character whose trail byte equals '\\' or an ASCII letter must
// never be searched, cut or case-folded as if that byte stood alone.
#include "afx.h"

#include <gtest/gtest.h>

// GBK characters written as bytes (hex escapes are kept apart from the text
// around them by literal concatenation).
#define DB_BACKSLASH "\x81\x5c"  // 乗: trail byte '\'
#define DB_LOWER_A "\x82\x61"    // 俛: trail byte 'a'
#define DB_UPPER_A "\x82\x41"    // 侫: trail byte 'A'
#define DB_LOWER_Z "\x82\x7a"    // 倆: trail byte 'z'

namespace {

TEST(StringDoubleByte, FindsSingleByteCharactersOnly)
{
    struct Case {
        const char* text;
        char ch;
        int find;
        int reverseFind;
    };
    const Case cases[] = {
        {"C:" DB_BACKSLASH "\\x", '\\', 4, 4},
        {DB_BACKSLASH DB_BACKSLASH, '\\', -1, -1},
        {"\\" DB_BACKSLASH, '\\', 0, 0},
        {DB_BACKSLASH "\\" DB_BACKSLASH "\\" DB_BACKSLASH, '\\', 2, 5},
        {DB_LOWER_A "a", 'a', 2, 2},
        {"a" DB_LOWER_A, 'a', 0, 0},
        {DB_UPPER_A DB_LOWER_Z, 'A', -1, -1},
        {DB_UPPER_A DB_LOWER_Z, 'z', -1, -1},
    };
    for (const Case& c : cases) {
        CString text(c.text);
        EXPECT_EQ(c.find, text.Find(c.ch)) << c.text;
        EXPECT_EQ(c.reverseFind, text.ReverseFind(c.ch)) << c.text;
    }
}

TEST(StringDoubleByte, FindFromAStartInsideACharacterSkipsItsTrailByte)
{
    CString text(DB_BACKSLASH "\\" DB_LOWER_A "a");
    EXPECT_EQ(2, text.Find('\\', 1));
    EXPECT_EQ(5, text.Find('a', 4));
    EXPECT_EQ(-1, text.Find('a', 6));
}

TEST(StringDoubleByte, FindsSubstringsAtCharacterBoundaries)
{
    CString text(DB_BACKSLASH "x\\x");
    EXPECT_EQ(3, text.Find("\\x"));
    EXPECT_EQ(0, text.Find(DB_BACKSLASH "x"));
    CString letters(DB_LOWER_A "b" "ab");
    EXPECT_EQ(3, letters.Find("ab"));
    EXPECT_EQ(3, letters.Find("ab", 1));
}

TEST(StringDoubleByte, FindOneOfMatchesWholeCharactersOfTheSet)
{
    struct Case {
        const char* text;
        const char* set;
        int index;
    };
    const Case cases[] = {
        {DB_LOWER_A DB_BACKSLASH "x", "a\\", -1},
        {DB_LOWER_A DB_BACKSLASH "x", "xa", 4},
        {"ab" DB_LOWER_A, DB_LOWER_A, 2},
        {"a", DB_LOWER_A, -1},              // the set's trail byte is no character
        {DB_UPPER_A DB_LOWER_A, DB_LOWER_A, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.index, CString(c.text).FindOneOf(c.set)) << c.text << " in " << c.set;
}

TEST(StringDoubleByte, CaseChangesTouchSingleByteLettersOnly)
{
    struct Case {
        const char* text;
        const char* upper;
        const char* lower;
    };
    const Case cases[] = {
        {"ab" DB_LOWER_A "Cd" DB_UPPER_A, "AB" DB_LOWER_A "CD" DB_UPPER_A, "ab" DB_LOWER_A "cd" DB_UPPER_A},
        {DB_LOWER_Z "z", DB_LOWER_Z "Z", DB_LOWER_Z "z"},
        {DB_UPPER_A "A", DB_UPPER_A "A", DB_UPPER_A "a"},
    };
    for (const Case& c : cases) {
        CString upper(c.text);
        upper.MakeUpper();
        EXPECT_STREQ(c.upper, upper) << c.text;
        CString lower(c.text);
        lower.MakeLower();
        EXPECT_STREQ(c.lower, lower) << c.text;
    }
}

TEST(StringDoubleByte, CompareNoCaseFoldsSingleByteLettersOnly)
{
    // Folding the trail bytes would make these two characters equal.
    EXPECT_NE(0, CString(DB_LOWER_A).CompareNoCase(DB_UPPER_A));
    EXPECT_EQ(0, CString("Path" DB_LOWER_A "X").CompareNoCase("pATH" DB_LOWER_A "x"));
    EXPECT_GT(0, CString("abc").CompareNoCase("ABD"));
}

TEST(StringDoubleByte, ReplaceAndRemoveSkipTrailBytes)
{
    CString slashes("a\\" DB_BACKSLASH "\\");
    EXPECT_EQ(2, slashes.Replace('\\', '/'));
    EXPECT_STREQ("a/" DB_BACKSLASH "/", slashes);

    CString letters(DB_LOWER_A "a" DB_LOWER_A);
    EXPECT_EQ(1, letters.Remove('a'));
    EXPECT_STREQ(DB_LOWER_A DB_LOWER_A, letters);

    CString words(DB_LOWER_A "a" DB_BACKSLASH);
    EXPECT_EQ(1, words.Replace("a", "bc"));
    EXPECT_STREQ(DB_LOWER_A "bc" DB_BACKSLASH, words);
    EXPECT_EQ(0, words.Replace("\\", "/"));
    EXPECT_STREQ(DB_LOWER_A "bc" DB_BACKSLASH, words);
}

TEST(StringDoubleByte, TrimAndSpanWalkWholeCharacters)
{
    struct Case {
        const char* text;
        const char* set;
        const char* trimRight;
        const char* trimLeft;
        const char* spanExcluding;
    };
    const Case cases[] = {
        {"x" DB_BACKSLASH "\\\\", "\\", "x" DB_BACKSLASH, "x" DB_BACKSLASH "\\\\", "x" DB_BACKSLASH},
        {DB_LOWER_A, "a", DB_LOWER_A, DB_LOWER_A, DB_LOWER_A},
        {DB_UPPER_A "A" DB_UPPER_A, DB_UPPER_A, DB_UPPER_A "A", "A" DB_UPPER_A, ""},
        {"dir" DB_BACKSLASH "\\file", "\\", "dir" DB_BACKSLASH "\\file", "dir" DB_BACKSLASH "\\file",
         "dir" DB_BACKSLASH},
    };
    for (const Case& c : cases) {
        CString right(c.text);
        right.TrimRight(c.set);
        EXPECT_STREQ(c.trimRight, right) << c.text;
        CString left(c.text);
        left.TrimLeft(c.set);
        EXPECT_STREQ(c.trimLeft, left) << c.text;
        EXPECT_STREQ(c.spanExcluding, CString(c.text).SpanExcluding(c.set)) << c.text;
    }
    EXPECT_STREQ(DB_LOWER_A "a", CString(DB_LOWER_A "ab").SpanIncluding("a" DB_LOWER_A));
    EXPECT_STREQ("", CString(DB_LOWER_A).SpanIncluding("a"));
}

TEST(StringDoubleByte, MakeReverseKeepsEachCharactersBytesInOrder)
{
    struct Case {
        const char* text;
        const char* reversed;
    };
    const Case cases[] = {
        {"ab" DB_BACKSLASH "c", "c" DB_BACKSLASH "ba"},
        {DB_LOWER_A DB_UPPER_A, DB_UPPER_A DB_LOWER_A},
        {"\\" DB_LOWER_Z, DB_LOWER_Z "\\"},
        {"", ""},
    };
    for (const Case& c : cases) {
        CString text(c.text);
        text.MakeReverse();
        EXPECT_STREQ(c.reversed, text) << c.text;
    }
}

}  // namespace
