// The server list cut out of a browse answer, plain C++ over its characters.
#include "BrowseAnswer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Servers = std::vector<std::u16string>;

Servers Parse(const std::u16string& answer)
{
    return rights::BrowseAnswerServers(answer.data(), answer.size());
}

struct AnswerCase {
    const char* name;
    std::u16string answer;
    Servers servers;
};

void PrintTo(const AnswerCase& c, std::ostream* os) { *os << c.name; }

const AnswerCase kAnswerCases[] = {
    {"ThreeServers", u"SERVER:Server={a,b,c};UID:Login ID=?;PWD:Password=?;", {u"a", u"b", u"c"}},
    {"TwoCommasGiveAnEmptyEntry", u"Server={a,,b}", {u"a", u"", u"b"}},
    {"TrailingCommaAddsNothingAfterIt", u"Server={a,b,}", {u"a", u"b"}},
    {"OnlyACommaIsOneEmptyEntry", u"{,}", {u""}},
    {"EmptyBraces", u"Server={};", {}},
    {"NoBraces", u"SERVER:Server=?;", {}},
    {"NoClosingBrace", u"Server={a,b", {}},
    {"ClosingBraceFirst", u"}{a,b}", {}},
    {"OnlyTheFirstBracedPart", u"Server={a,b};Database={c,d}", {u"a", u"b"}},
    {"AnOpeningBraceInsideIsText", u"{a{b,c}", {u"a{b", u"c"}},
    {"BlanksAreKept", u"{ a , b }", {u" a ", u" b "}},
    {"ChineseNames", u"{服务器一,(local)}", {u"服务器一", u"(local)"}},
    {"Empty", u"", {}},
};

class BrowseAnswerTable : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(BrowseAnswerTable, ListsTheServersBetweenTheFirstBraces)
{
    EXPECT_EQ(Parse(GetParam().answer), GetParam().servers);
}

INSTANTIATE_TEST_SUITE_P(Answers, BrowseAnswerTable, ::testing::ValuesIn(kAnswerCases),
                         [](const ::testing::TestParamInfo<AnswerCase>& info) { return info.param.name; });

TEST(BrowseAnswer, IsReadWithinItsLengthAndUpToItsFirstNul)
{
    // The length cuts before the closing brace: no list.
    const std::u16string answer = u"{a,b}";
    EXPECT_EQ(rights::BrowseAnswerServers(answer.data(), 4), Servers{});
    // A NUL ends the answer even when the length goes on.
    const char16_t withNul[] = {u'{', u'a', u'\0', u'}', u'{', u'b', u'}'};
    EXPECT_EQ(rights::BrowseAnswerServers(withNul, 7), Servers{});
    const char16_t afterNul[] = {u'{', u'a', u'}', u'\0', u'{', u'b', u'}'};
    EXPECT_EQ(rights::BrowseAnswerServers(afterNul, 7), Servers{u"a"});
    EXPECT_EQ(rights::BrowseAnswerServers(nullptr, 5), Servers{});
}

TEST(BrowseAnswer, ALongAnswerKeepsEveryServer)
{
    std::u16string answer = u"Server={";
    Servers expected;
    while (answer.size() < 10000) {
        const std::u16string name = u"host" + std::u16string(1, char16_t(u'a' + expected.size() % 26)) + u"-" +
                                    std::u16string(40, u'x');
        answer += name + u",";
        expected.push_back(name);
    }
    answer += u"};";
    EXPECT_EQ(Parse(answer), expected);
}

}  // namespace
