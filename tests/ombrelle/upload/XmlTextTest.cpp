// XML written by hand and XML read through the code page 936 helper.
#include "XmlReading.h"
#include "XmlText.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

TEST(XmlText, EscapeWritesEveryEntityOnce)
{
    EXPECT_EQ(std::string(XmlEscape("a&b<c>d\"e'f")), "a&amp;b&lt;c&gt;d&quot;e&apos;f");
}

TEST(XmlText, UnescapeInvertsEscapeOfHostileTexts)
{
    for (const char* text : {"&amp;", "&lt;&gt;", "&&&", "\"'\"", "&quote;", "&quot;", "&amp;lt;", "<a href=\"x?y=1&z=2\">",
                             "图片&amp;说明", "", ";&;"}) {
        EXPECT_EQ(std::string(XmlUnescape(XmlEscape(text))), text) << text;
    }
}

TEST(XmlText, UnescapeReadsBothQuoteSpellings)
{
    EXPECT_EQ(std::string(XmlUnescape("&quote;x&quot;")), "\"x\"");
}

TEST(XmlText, ElementLineIndentsByLevel)
{
    EXPECT_EQ(std::string(XmlElementLine("Title", "a<b", 2)), "\t\t<Title>a&lt;b</Title>\r\n");
    EXPECT_EQ(std::string(XmlElementLine("标题", "长城", 0)), "<标题>长城</标题>\r\n");
}

TEST(XmlText, DeclarationIsGb2312)
{
    EXPECT_EQ(std::string(XmlDeclaration()), "<?xml version=\"1.0\" encoding=\"GB2312\" standalone=\"no\"?>\t\r\n\r\n");
    EXPECT_EQ(std::string(XmlIndent(3)), "\t\t\t");
}

struct ReadingCase {
    const char* name;
    const char* bytes;
    const wchar_t* text;
};

void PrintTo(const ReadingCase& c, std::ostream* os) { *os << c.name; }

const ReadingCase kReadingCases[] = {
    {"DoubleQuoted", "<?xml version=\"1.0\" encoding=\"GB2312\"?><a>\xB3\xA4</a>",
     L"<?xml version=\"1.0\"?><a>\x957F</a>"},
    {"SingleQuotedWithBlanks", "<?xml version='1.0' encoding = 'gbk' standalone='no'?><a/>",
     L"<?xml version='1.0' standalone='no'?><a/>"},
    {"NoDeclaration", "<a encoding=\"x\"/>", L"<a encoding=\"x\"/>"},
    {"EncodingOnlyInTheBody", "<?xml version=\"1.0\"?><a encoding=\"x\"/>", L"<?xml version=\"1.0\"?><a encoding=\"x\"/>"},
};

class XmlReadingTest : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(XmlReadingTest, DropsOnlyTheDeclaredEncoding)
{
    const ReadingCase& c = GetParam();
    EXPECT_TRUE(XmlTextForLoading(c.bytes, std::string(c.bytes).size()) == c.text);
}

INSTANTIATE_TEST_SUITE_P(Table, XmlReadingTest, ::testing::ValuesIn(kReadingCases),
                         [](const ::testing::TestParamInfo<ReadingCase>& info) { return info.param.name; });

TEST(XmlReading, Gb2312DocumentLoadsUnderMsxml)
{
    ASSERT_EQ(S_OK, ::CoInitialize(nullptr));
    IXMLDOMDocument* document = CreateXmlDocument();
    ASSERT_NE(document, nullptr);
    const std::string bytes = "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<a>长城</a>";
    EXPECT_TRUE(LoadXmlBytes(document, bytes.data(), bytes.size()));
    BSTR text = nullptr;
    ASSERT_EQ(S_OK, document->get_text(&text));
    EXPECT_EQ(std::string(CString(text)), "长城");
    ::SysFreeString(text);
    document->Release();
    ::CoUninitialize();
}

}  // namespace
