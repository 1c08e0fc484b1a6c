// CIptcRecord reading and writing real files made from byte fixtures.
#include "IptcFixtures.h"
#include "IptcRecord.h"

#include "TempDir.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using namespace fixtures;

namespace {

std::string Join(const CStringArray& list)
{
    std::string text;
    for (int i = 0; i < list.GetSize(); ++i)
        text += (i ? "|" : "") + std::string(list[i]);
    return text;
}

// "field=value;" for every field that is not empty, in the record's order.
std::string Describe(const CIptcRecord& r)
{
    const std::pair<const char*, std::string> fields[] = {
        {"byline", std::string(r.m_strByline)},
        {"bylineTitle", std::string(r.m_strBylineTitle)},
        {"credit", std::string(r.m_strCredit)},
        {"source", std::string(r.m_strSource)},
        {"writer", std::string(r.m_strWriter)},
        {"caption", std::string(r.m_strCaption)},
        {"headline", std::string(r.m_strHeadline)},
        {"special", std::string(r.m_strSpecialInstructions)},
        {"objectName", std::string(r.m_strObjectName)},
        {"date", std::string(r.m_strDateCreated)},
        {"city", std::string(r.m_strCity)},
        {"province", std::string(r.m_strProvinceState)},
        {"country", std::string(r.m_strCountry)},
        {"transmission", std::string(r.m_strOriginalTransmission)},
        {"category", std::string(r.m_strCategory)},
        {"supplemental", Join(r.m_arrSupplementalCategories)},
        {"keywords", Join(r.m_arrKeywords)},
        {"copyright", std::string(r.m_strCopyright)},
        {"language", std::string(r.m_strLanguage)},
        {"service", std::string(r.m_strServiceId)},
        {"product", std::string(r.m_strProductId)},
        {"destination", std::string(r.m_strDestination)},
        {"envelopeNumber", std::string(r.m_strEnvelopeNumber)},
        {"envelopePriority", std::string(r.m_strEnvelopePriority)},
    };
    std::string text;
    for (const auto& field : fields)
        if (!field.second.empty())
            text += std::string(field.first) + "=" + field.second + ";";
    return text;
}

// Every field filled, the lists with two entries each.
void FillAll(CIptcRecord& r)
{
    r.m_strByline = "by";
    r.m_strBylineTitle = "title";
    r.m_strCredit = "credit";
    r.m_strSource = "source";
    r.m_strWriter = "writer";
    r.m_strCaption = "湖上的船";
    r.m_strHeadline = "head";
    r.m_strSpecialInstructions = "special";
    r.m_strObjectName = "object";
    r.m_strDateCreated = "20261210";
    r.m_strCity = "杭州";
    r.m_strProvinceState = "浙江";
    r.m_strCountry = "中国";
    r.m_strOriginalTransmission = "otr";
    r.m_strCategory = "cat";
    r.m_arrSupplementalCategories.Add("s1");
    r.m_arrSupplementalCategories.Add("s2");
    r.m_arrKeywords.Add("k1");
    r.m_arrKeywords.Add("k2");
    r.m_strCopyright = "(c)";
    r.m_strLanguage = "zh";
    r.m_strServiceId = "svc";
    r.m_strProductId = "prod";
    r.m_strDestination = "dest";
    r.m_strEnvelopeNumber = "12345678";
    r.m_strEnvelopePriority = "5";
}

struct FieldCase {
    int record;
    int number;
    const char* field;  // empty: the dataset fills nothing
};

void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.record << ":" << c.number; }

const FieldCase kFieldCases[] = {
    {2, 80, "byline"},        {2, 230, "byline"},       {1, 80, "byline"},       {2, 85, "bylineTitle"},
    {2, 110, "credit"},       {2, 115, "source"},       {2, 122, "writer"},      {2, 120, "caption"},
    {3, 120, "caption"},      {2, 105, "headline"},     {2, 40, "special"},      {1, 40, "envelopeNumber"},
    {3, 40, ""},              {2, 5, "objectName"},     {1, 5, "destination"},   {2, 55, "date"},
    {2, 90, "city"},          {1, 90, "city"},          {2, 95, "province"},     {2, 7, "province"},
    {2, 101, "country"},      {2, 103, "transmission"}, {2, 15, "category"},     {2, 20, "supplemental"},
    {2, 25, "keywords"},      {2, 116, "copyright"},    {2, 135, "language"},    {1, 135, ""},
    {1, 30, "service"},       {2, 30, ""},              {1, 50, "product"},      {2, 50, ""},
    {1, 60, "envelopePriority"}, {2, 60, ""},           {2, 0, ""},              {2, 99, ""},
};

class IptcRecordTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes)
    {
        std::string path = m_dir.File(name);
        EXPECT_TRUE(testsupport::WriteFileBytes(path, bytes));
        return path;
    }

    testsupport::TempDir m_dir;
};

class IptcRecordFields : public IptcRecordTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(IptcRecordFields, OneDatasetFillsItsField)
{
    const FieldCase& c = GetParam();
    std::string path = Write("one.jpg", JpegWithDatasets(Dataset(c.record, c.number, "value")));
    CIptcRecord record;
    EXPECT_TRUE(record.ReadFromJpeg(path.c_str()));
    EXPECT_EQ(Describe(record), *c.field ? std::string(c.field) + "=value;" : std::string());
}

INSTANTIATE_TEST_SUITE_P(Datasets, IptcRecordFields, ::testing::ValuesIn(kFieldCases),
                         [](const ::testing::TestParamInfo<FieldCase>& info) {
                             return std::to_string(info.param.record) + "_" + std::to_string(info.param.number);
                         });

TEST_F(IptcRecordTest, ListsGrowInFileOrderAndALaterTextReplacesTheEarlier)
{
    std::string path = Write("lists.jpg", JpegWithDatasets(Dataset(2, 25, "风景") + Dataset(2, 20, "s1") +
                                                           Dataset(2, 120, "first") + Dataset(2, 25, "k2") +
                                                           Dataset(2, 20, "s2") + Dataset(2, 120, "第二")));
    CIptcRecord record;
    EXPECT_TRUE(record.ReadFromJpeg(path.c_str()));
    EXPECT_EQ(Describe(record), "caption=第二;supplemental=s1|s2;keywords=风景|k2;");
}

TEST_F(IptcRecordTest, ReadingKeepsTheLanguageAndEnvelopeTextsAndSaysWhetherTheFileWasFit)
{
    const std::string kept =
        "language=zh;service=svc;product=prod;destination=dest;envelopeNumber=12345678;envelopePriority=5;";
    struct {
        const char* name;
        std::string bytes;
        BOOL result;
        std::string fields;
    } cases[] = {
        {"NoApp13", JfifStart() + ScanAndEnd(), TRUE, kept},
        {"ExifInsteadOfJfif",
         std::string("\xFF\xD8", 2) + Segment(0xE1, "Exif") + App13(Resource(0x0404, "", Dataset(2, 120, "c"))),
         FALSE, kept},
        {"NotPhotoshop", JfifStart() + Segment(0xED, "Adobe_CM") + ScanAndEnd(), FALSE, kept},
        {"NoIptcResource", JfifStart() + App13(Resource(0x03ED, "", "1234")) + ScanAndEnd(), FALSE, kept},
        {"DatasetPastTheEnd", JpegWithDatasets(Dataset(2, 90, "city") + std::string("\x1C\x02\x78\x01\x00", 5)),
         TRUE, kept},
        {"Read", JpegWithDatasets(Dataset(2, 90, "city") + Dataset(1, 60, "1")), TRUE,
         "city=city;" + kept.substr(0, kept.find("envelopePriority")) + "envelopePriority=1;"},
    };
    for (const auto& c : cases) {
        std::string path = Write(std::string(c.name) + ".jpg", c.bytes);
        CIptcRecord record;
        FillAll(record);
        EXPECT_EQ(record.ReadFromJpeg(path.c_str()), c.result) << c.name;
        EXPECT_EQ(Describe(record), c.fields) << c.name;
    }
    CIptcRecord record;
    EXPECT_FALSE(record.ReadFromJpeg(m_dir.File("missing.jpg").c_str()));
}

TEST_F(IptcRecordTest, WrittenFileReadsBackItsRecordTwoTextsWithTheListsReversed)
{
    const std::string before = JfifStart() + Segment(0xE1, "Exif");
    const std::string other = Resource(0x03ED, "", "res!");
    const std::string after = Resource(0x0425, "x", "0123456789ABCDEF");
    const std::string old = Dataset(1, 90, "old city") + Dataset(2, 135, "en") + Dataset(1, 60, "8");
    std::string path = Write("round.jpg", before + App13(other + Resource(0x0404, "A", old) + after) + ScanAndEnd());

    CIptcRecord written;
    FillAll(written);
    ASSERT_TRUE(written.WriteToJpeg(path.c_str()));

    const std::string block = Dataset(2, 25, "k2") + Dataset(2, 25, "k1") + Dataset(2, 20, "s2") +
                              Dataset(2, 20, "s1") + Dataset(2, 15, "cat") + Dataset(2, 116, "(c)") +
                              Dataset(2, 40, "special") + Dataset(2, 105, "head") + Dataset(2, 122, "writer") +
                              Dataset(2, 120, "湖上的船") + Dataset(2, 103, "otr") + Dataset(2, 101, "中国") +
                              Dataset(2, 95, "浙江") + Dataset(2, 90, "杭州") + Dataset(2, 55, "20261210") +
                              Dataset(2, 5, "object") + Dataset(2, 115, "source") + Dataset(2, 110, "credit") +
                              Dataset(2, 85, "title") + Dataset(2, 80, "by");
    EXPECT_EQ(testsupport::ReadFileBytes(path),
              before + App13(other + Resource(0x0404, "A", block) + after) + ScanAndEnd());

    CIptcRecord read;
    EXPECT_TRUE(read.ReadFromJpeg(path.c_str()));
    EXPECT_EQ(Describe(read),
              "byline=by;bylineTitle=title;credit=credit;source=source;writer=writer;caption=湖上的船;headline=head;"
              "special=special;objectName=object;date=20261210;city=杭州;province=浙江;country=中国;"
              "transmission=otr;category=cat;supplemental=s2|s1;keywords=k2|k1;copyright=(c);");
}

TEST_F(IptcRecordTest, AnEmptyTextIsWrittenAsAHeaderThatEndsTheWalkOfTheReader)
{
    std::string path = Write("empty.jpg", JpegWithDatasets(Dataset(2, 120, "old")));
    CIptcRecord written;
    FillAll(written);
    written.m_strHeadline.Empty();
    ASSERT_TRUE(written.WriteToJpeg(path.c_str()));

    // The block runs from the keywords back: what follows the headline is lost to the reader.
    CIptcRecord read;
    EXPECT_TRUE(read.ReadFromJpeg(path.c_str()));
    EXPECT_EQ(Describe(read), "special=special;category=cat;supplemental=s2|s1;keywords=k2|k1;copyright=(c);");
}

TEST_F(IptcRecordTest, WriterLeavesTheFileAsItIsWhenItCannotWriteIt)
{
    CIptcRecord record;
    FillAll(record);
    struct {
        const char* name;
        std::string bytes;
        BOOL result;
    } cases[] = {
        {"NoApp13", JfifStart() + ScanAndEnd(), TRUE},
        {"NoIptcResource", JfifStart() + App13(Resource(0x03ED, "", "1234")) + ScanAndEnd(), FALSE},
        {"SizePastTheSegment",
         JfifStart() + App13(ResourceWithSize(0x0404, "", 300, Dataset(2, 120, "ab"))) + ScanAndEnd(), FALSE},
    };
    for (const auto& c : cases) {
        std::string path = Write(std::string(c.name) + ".jpg", c.bytes);
        EXPECT_EQ(record.WriteToJpeg(path.c_str()), c.result) << c.name;
        EXPECT_EQ(testsupport::ReadFileBytes(path), c.bytes) << c.name;
    }
    EXPECT_FALSE(record.WriteToJpeg(m_dir.File("missing.jpg").c_str()));

    // A text too long for its dataset.
    const std::string bytes = JpegWithDatasets(Dataset(2, 120, "old"));
    std::string path = Write("long.jpg", bytes);
    record.m_strCaption = CString('x', 0x10000);
    EXPECT_FALSE(record.WriteToJpeg(path.c_str()));
    EXPECT_EQ(testsupport::ReadFileBytes(path), bytes);
}

TEST_F(IptcRecordTest, PictureHeldOpenIsNotReplacedAndNoTemporaryFileStays)
{
    const std::string bytes = JpegWithDatasets(Dataset(2, 120, "old"));
    std::string path = Write("held.jpg", bytes);
    // Another program reads the picture and lets nobody delete or write it.
    HANDLE hHeld = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    CIptcRecord record;
    FillAll(record);
    EXPECT_FALSE(record.WriteToJpeg(path.c_str()));
    ::CloseHandle(hHeld);
    EXPECT_EQ(testsupport::ReadFileBytes(path), bytes);

    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA(m_dir.File("*").c_str(), &found);
    ASSERT_NE(hFind, INVALID_HANDLE_VALUE);
    do
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    while (::FindNextFileA(hFind, &found));
    ::FindClose(hFind);
    EXPECT_EQ(names, std::vector<std::string>{"held.jpg"});
}

}  // namespace
