// The form helpers' text checks and conversions, the data type maps and the
// enumeration list, as tables of cases.
#include "EnumValueList.h"
#include "FieldDataTypes.h"
#include "FormTextHelpers.h"
#include "FormVocabulary.h"
#include "GuiDriver.h"

#include <gtest/gtest.h>

#include <comdef.h>

#include <climits>
#include <ostream>
#include <string>
#include <vector>

namespace {

using testsupport::Gui;

// "纜" is the bytes C0 7C: its second byte is "|".
const char kBarTrail[] = "纜";

std::vector<std::string> Entries(const CStringList& list)
{
    std::vector<std::string> entries;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        entries.push_back(std::string(list.GetNext(pos)));
    return entries;
}

struct NumberCase {
    const char* text;
    bool isNumber;
    bool parsed;
    int value;  // when parsed
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

const NumberCase kNumbers[] = {
    {"-12.5", true, true, -12},   {"7", true, true, 7},       {"1.2.3", false, false, 0}, {"--1", false, false, 0},
    {"12a", false, false, 0},     {"12.9", true, true, 12},   {"3-4", true, true, 3},     {"", true, true, 0},
    {"-", true, true, 0},         {".", true, true, 0},       {" 1", false, false, 0},    {"十二", false, false, 0},
    {"99999999999", true, true, INT_MAX}, {"-99999999999", true, true, INT_MIN},
};

class NumberTextTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberTextTest, ChecksAndParses)
{
    const NumberCase& c = GetParam();
    EXPECT_EQ(IsNumberText(c.text) != FALSE, c.isNumber);
    int value = -777;
    EXPECT_EQ(ParseNumberText(c.text, value) != FALSE, c.parsed);
    EXPECT_EQ(value, c.parsed ? c.value : -777);
}

INSTANTIATE_TEST_SUITE_P(Table, NumberTextTest, ::testing::ValuesIn(kNumbers));

TEST(FormTextHelpersTest, SmallChecks)
{
    EXPECT_EQ(CharOccursTwice("abc", 'x'), -1);
    EXPECT_EQ(CharOccursTwice("abc", 'b'), 0);
    EXPECT_EQ(CharOccursTwice("abcb", 'b'), 1);
    // The "|" inside a Chinese character is no "|".
    EXPECT_EQ(CharOccursTwice(CString(kBarTrail) + "|", '|'), 0);

    for (const char* phone : {"010-6234(5)", "+86 10", "", "12a", "１２"})
        EXPECT_EQ(IsPhoneText(phone) != FALSE, std::string(phone) == "010-6234(5)") << phone;

    EXPECT_EQ(std::string(YesNoText(TRUE)), "是");
    EXPECT_EQ(std::string(YesNoText(FALSE)), "否");
    EXPECT_TRUE(IsYesText("是"));
    EXPECT_FALSE(IsYesText("是 "));
    EXPECT_EQ(std::string(NumberText(-42)), "-42");
    EXPECT_EQ(MinOf(3, -2), -2);
}

TEST(FormTextHelpersTest, Colours)
{
    EXPECT_EQ(std::string(ColourToHtml(RGB(1, 0xAB, 0))), "#01AB00");
    EXPECT_EQ(std::string(ColourToHtml(RGB(255, 255, 255))), "#FFFFFF");
    EXPECT_EQ(std::string(ColourToRgbText(RGB(1, 0xAB, 0))), "RGB(1,171,0)");
}

TEST(FormTextHelpersTest, AbsoluteNumbersAreExactForEveryInt)
{
    EXPECT_EQ(std::string(AppendAbsNumber("3001", -5)), "3001;5");
    EXPECT_EQ(std::string(AppendAbsNumber("", 0)), ";0");
    EXPECT_EQ(std::string(AppendAbsNumber("a", INT_MIN)), "a;2147483648");
}

struct ListCase {
    const char* name;
    std::string text;
    char from, to;
    std::string expected;
};

void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }

const ListCase kLists[] = {
    {"Ids", "3001|3002", '|', ',', "3001,3002,"},
    {"EndsAlready", " 1,2, ", '|', ',', "1,2,"},
    {"Empty", "", '|', ',', ""},
    {"BlanksOnly", "   ", '|', ',', ""},
    {"SeparatorsOnly", "||", '|', ',', ",,"},
    {"ChineseTrailByteStays", std::string(kBarTrail) + "|" + kBarTrail, '|', ',',
     std::string(kBarTrail) + "," + kBarTrail + ","},
};

class SeparatedListTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(SeparatedListTest, Normalises)
{
    const ListCase& c = GetParam();
    EXPECT_EQ(std::string(NormaliseSeparatedList(c.text.c_str(), c.from, c.to)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, SeparatedListTest, ::testing::ValuesIn(kLists),
                         [](const ::testing::TestParamInfo<ListCase>& info) { return info.param.name; });

struct LinesCase {
    const char* name;
    const char* text;
    std::vector<std::string> entries;
};

void PrintTo(const LinesCase& c, std::ostream* os) { *os << c.name; }

const LinesCase kLines[] = {
    {"CrLf", "a\r\nb", {"a", "b"}},
    {"Single", "a", {"a"}},
    {"EndsWithBlankLine", " 甲 \n\n乙\n\n", {"甲", "乙"}},
    {"EmptyLineKept", "a\r\n\r\nb", {"a", "", "b"}},
    {"LoneLineFeedStays", "a\nb", {"a\nb"}},
    {"Empty", "", {""}},
};

class SplitLinesTest : public ::testing::TestWithParam<LinesCase> {};

TEST_P(SplitLinesTest, Splits)
{
    CStringList list;
    list.AddTail("old");
    SplitLines(list, GetParam().text, TRUE);
    EXPECT_EQ(Entries(list), GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(Table, SplitLinesTest, ::testing::ValuesIn(kLines),
                         [](const ::testing::TestParamInfo<LinesCase>& info) { return info.param.name; });

TEST(FormTextHelpersTest, SplitLinesKeepsTheListUnlessAsked)
{
    CStringList list;
    list.AddTail("old");
    SplitLines(list, "new", FALSE);
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"old", "new"}));
    EXPECT_EQ(std::string(JoinWithBar(list)), "old|new|");
    EXPECT_EQ(std::string(JoinWithBar(CStringList())), "");
}

TEST(FormTextHelpersTest, SqlPiecesAndComparisons)
{
    EXPECT_EQ(std::string(SqlQuoted("  O'Brien ")), "'O''Brien'");
    EXPECT_EQ(std::string(SqlQuoted("")), "''");
    EXPECT_EQ(std::string(SqlEscaped(" '' ")), " '''' ");
    EXPECT_EQ(std::string(Trimmed("\t 中 文 \r\n")), "中 文");

    EXPECT_TRUE(StartsWithNoCase("SELECT x", "select"));
    EXPECT_FALSE(StartsWithNoCase("sel", "select"));
    EXPECT_TRUE(StartsWithNoCase("anything", ""));
    EXPECT_TRUE(TextEquals("Abc", "aBC", TRUE));
    EXPECT_FALSE(TextEquals("Abc", "aBC", FALSE));
    CStringList list;
    list.AddTail("Name");
    list.AddTail("名称");
    EXPECT_TRUE(ListHasNoCase(list, "NAME"));
    EXPECT_TRUE(ListHasNoCase(list, "名称"));
    EXPECT_FALSE(ListHasNoCase(list, "名"));
}

TEST(FormTextHelpersTest, DatesBecomeYearMonthDay)
{
    CString date = "2024/3/7";
    EXPECT_TRUE(NormaliseDateText(date));
    EXPECT_EQ(std::string(date), "2024-03-07");
    CString notDate = "明天";
    EXPECT_FALSE(NormaliseDateText(notDate));
    EXPECT_EQ(std::string(notDate), "明天");
}

TEST(FormTextHelpersTest, VariantsAreReadAndCleared)
{
    VARIANT value;
    value.vt = VT_NULL;
    EXPECT_EQ(std::string(VariantToText(value)), "");
    EXPECT_EQ(value.vt, VT_EMPTY);

    value.vt = VT_BSTR;
    value.bstrVal = ::SysAllocString(L"图片");
    EXPECT_EQ(std::string(VariantToText(value)), "图片");
    EXPECT_EQ(value.vt, VT_EMPTY);

    value.vt = VT_I4;
    value.lVal = -12;
    EXPECT_EQ(std::string(VariantToText(value)), "-12");

    value.vt = VT_NULL;
    EXPECT_EQ(VariantToInt(value), 0);
    value.vt = VT_R8;
    value.dblVal = 41.0;
    EXPECT_EQ(VariantToInt(value), 41);
    EXPECT_EQ(value.vt, VT_EMPTY);

    value.vt = VT_BSTR;
    value.bstrVal = ::SysAllocString(L"not a number");
    EXPECT_THROW(VariantToInt(value), _com_error);
    EXPECT_EQ(value.vt, VT_EMPTY);
}

// ---------------------------------------------------------------------------
// Data types.

TEST(FieldDataTypesTest, TheTwoMapsAreEachOthersInverse)
{
    CDataTypeCodeMap codes;
    codes.SetAt("stale", 42);
    DataTypeCodeByName(codes);
    CDataTypeNameMap names;
    DataTypeNameByCode(names);
    EXPECT_EQ(codes.GetCount(), 10);
    EXPECT_EQ(names.GetCount(), 10);
    for (int code = 0; code < 10; ++code) {
        CString name;
        ASSERT_TRUE(names.Lookup(code, name)) << code;
        int back = -1;
        EXPECT_TRUE(codes.Lookup(name, back)) << code;
        EXPECT_EQ(back, code);
    }
    int code = -1;
    EXPECT_TRUE(codes.Lookup(DataTypeOther, code));
    EXPECT_EQ(code, 9);
    EXPECT_TRUE(codes.Lookup("自动增加", code));
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(codes.Lookup("stale", code));
    EXPECT_FALSE(codes.Lookup("整数 ", code));
}

TEST(FieldDataTypesTest, ColumnTypes)
{
    const std::vector<std::pair<int, std::string>> cases = {
        {0, " int IDENTITY(1,1) "}, {1, " int "},        {2, " float "},         {3, " money "},
        {4, "  varchar(50) "},      {5, "  char(8) "},   {6, " datetime "},      {7, " text "},
        {8, " varbinary(16) "},     {10, ""},            {-1, ""},
    };
    const int lengths[] = {0, 0, 0, 0, 50, 8, 0, 0, 16};
    for (const auto& c : cases)
        EXPECT_EQ(std::string(DataTypeToSqlType(c.first, c.first >= 0 && c.first < 9 ? lengths[c.first] : 1)),
                  c.second)
            << c.first;
}

TEST(FieldDataTypesTest, OtherIsNotSupportedAsAColumn)
{
    auto& message = Gui().Expect("").Press(IDOK);
    EXPECT_EQ(std::string(DataTypeToSqlType(9, 10)), "");
    EXPECT_TRUE(message.HasText(" not support "));
}

TEST(FieldDataTypesTest, SqlServerTypes)
{
    const std::vector<std::pair<int, int>> cases = {
        {34, 7},  {35, 7},  {99, 7},  {36, 0},  {48, 1},  {52, 1},  {56, 1},  {104, 1}, {127, 1},
        {58, 6},  {61, 6},  {59, 2},  {62, 2},  {106, 2}, {108, 2}, {60, 3},  {122, 3}, {98, 9},
        {189, 9}, {165, 8}, {173, 8}, {167, 4}, {231, 4}, {175, 5}, {239, 5}, {40, -1}, {0, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DataTypeOfSqlServerType(c.first), c.second) << c.first;
}

// ---------------------------------------------------------------------------
// The enumeration list.

TEST(EnumValueListTest, FindsNamesAndValuesIgnoringCase)
{
    CEnumValueList list;
    list.Add("COLOUR", "红");
    list.Add("Size", "大");
    list.AddFirst("颜色", "RED");
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"颜色", "COLOUR", "Size"}));
    EXPECT_EQ(Entries(list.m_values), (std::vector<std::string>{"RED", "红", "大"}));

    CString value = "stale";
    EXPECT_TRUE(list.ValueOf("colour", value));
    EXPECT_EQ(std::string(value), "红");
    EXPECT_FALSE(list.ValueOf("weight", value));
    EXPECT_EQ(std::string(value), "");
    CString name;
    EXPECT_TRUE(list.NameOf("red", name));
    EXPECT_EQ(std::string(name), "颜色");
    EXPECT_EQ(std::string(FindValueIn(list, list.m_values, "SIZE")), "大");
    EXPECT_EQ(std::string(FindValueIn(list, list.m_values, "")), "");

    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_TRUE(list.m_values.IsEmpty());
    EXPECT_EQ(list.m_nValue1, 0);
    EXPECT_EQ(list.m_nValue2, 0);
}

TEST(EnumValueListTest, TheSmallRecordStartsWithItsNumbers)
{
    CFormItemRecord record;
    EXPECT_EQ(std::vector<int>({record.m_nValue1, record.m_nValue2, record.m_nValue3, record.m_nValue4,
                                record.m_nValue5, record.m_nValue6}),
              std::vector<int>({1, -1, 1, 0, -1, 0}));
    EXPECT_TRUE(record.m_strText1.IsEmpty());
}

}  // namespace
