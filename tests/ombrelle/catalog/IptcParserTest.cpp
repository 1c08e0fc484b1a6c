// The byte core of the IPTC reader and writer, over fixtures made here.
#include "GuardedBytes.h"
#include "IptcFixtures.h"
#include "IptcParser.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

using namespace fixtures;

namespace {

// "record:number=value;" for each dataset, in order.
std::string Describe(const std::vector<iptc::Dataset>& datasets)
{
    std::string text;
    for (const iptc::Dataset& dataset : datasets)
        text += std::to_string(dataset.record) + ":" + std::to_string(dataset.number) + "=" + dataset.value + ";";
    return text;
}

const char* Name(iptc::Read read)
{
    switch (read) {
    case iptc::Read::NotJfif: return "NotJfif";
    case iptc::Read::NoSegment: return "NoSegment";
    case iptc::Read::NotPhotoshop: return "NotPhotoshop";
    case iptc::Read::NoResource: return "NoResource";
    case iptc::Read::Malformed: return "Malformed";
    case iptc::Read::Done: return "Done";
    }
    return "?";
}

const std::string kTwo = Dataset(2, 120, "caption") + Dataset(2, 25, "kw");
const std::string kTwoRead = "2:120=caption;2:25=kw;";

struct ReadCase {
    const char* name;
    std::string file;
    iptc::Read result;
    std::string datasets;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

const ReadCase kReadCases[] = {
    {"NoApp13", JfifStart() + ScanAndEnd(), iptc::Read::NoSegment, ""},
    {"ExifInsteadOfJfif",
     std::string("\xFF\xD8", 2) + Segment(0xE1, std::string("Exif\0\0", 6)) + App13(Resource(0x0404, "", kTwo)) +
         ScanAndEnd(),
     iptc::Read::NotJfif, ""},
    {"ShorterThanTheSignature", JfifStart().substr(0, 10), iptc::Read::NotJfif, ""},
    {"OtherSegmentsFirst",
     JfifStart() + Segment(0xE1, std::string("Exif\0\0", 6)) + Segment(0xDB, std::string(65, '\x01')) +
         App13(Resource(0x0404, "", kTwo)) + ScanAndEnd(),
     iptc::Read::Done, kTwoRead},
    {"App13AfterStartOfScan", JfifStart() + ScanAndEnd() + App13(Resource(0x0404, "", kTwo)), iptc::Read::NoSegment,
     ""},
    {"App13NotPhotoshop", JfifStart() + Segment(0xED, "Adobe_CM" + Resource(0x0404, "", kTwo)) + ScanAndEnd(),
     iptc::Read::NotPhotoshop, ""},
    {"NoIptcResource", JfifStart() + App13(Resource(0x03ED, "", std::string(16, 'x'))) + ScanAndEnd(),
     iptc::Read::NoResource, ""},
    {"IptcAfterAnotherResource",
     JfifStart() + App13(Resource(0x03ED, "", std::string(16, 'x')) + Resource(0x0404, "", kTwo)) + ScanAndEnd(),
     iptc::Read::Done, kTwoRead},
    {"NameOfNoCharacter", JfifStart() + App13(Resource(0x0404, "", kTwo)) + ScanAndEnd(), iptc::Read::Done, kTwoRead},
    {"NameOfOneCharacter", JfifStart() + App13(Resource(0x0404, "A", kTwo)) + ScanAndEnd(), iptc::Read::Done,
     kTwoRead},
    {"NameOfTwoCharacters", JfifStart() + App13(Resource(0x0404, "AB", kTwo)) + ScanAndEnd(), iptc::Read::Done,
     kTwoRead},
    {"NameOfThreeCharacters", JfifStart() + App13(Resource(0x0404, "ABC", kTwo)) + ScanAndEnd(), iptc::Read::Done,
     kTwoRead},
    {"GbkText", JpegWithDatasets(Dataset(2, 120, "北京风光") + Dataset(2, 90, "上海")), iptc::Read::Done,
     "2:120=北京风光;2:90=上海;"},
    {"ZeroLengthEndsTheWalk",
     JpegWithDatasets(Dataset(2, 25, "a") + Dataset(2, 120, "") + Dataset(2, 105, "headline")), iptc::Read::Done,
     "2:25=a;"},
    {"SizeReadByItsLowSixteenBits",
     JfifStart() + App13(ResourceWithSize(0x0404, "", 0x10000 + kTwo.size(), kTwo)) + ScanAndEnd(), iptc::Read::Done,
     kTwoRead},
    {"SizeEndsBeforeTheSecondDataset",
     JfifStart() + App13(ResourceWithSize(0x0404, "", Dataset(2, 120, "caption").size() + 2, kTwo)) + ScanAndEnd(),
     iptc::Read::Done, "2:120=caption;"},
    {"DatasetLengthPastTheSegment",
     JpegWithDatasets(Dataset(2, 120, "caption") + std::string("\x1C\x02\x19\x00\xC8kw", 7)), iptc::Read::Malformed,
     ""},
    {"DatasetHeaderPastTheSegment",
     JfifStart() + App13(ResourceWithSize(0x0404, "", 40, Dataset(2, 120, "x") + "\x1C\x02")) + ScanAndEnd(),
     iptc::Read::Malformed, ""},
    {"App13LengthPastTheFile", (JfifStart() + App13(Resource(0x0404, "", kTwo))).substr(0, 40), iptc::Read::Malformed,
     ""},
    {"App13LengthBelowTwo", JfifStart() + std::string("\xFF\xED\x00\x01Photoshop 3.0", 17) + ScanAndEnd(),
     iptc::Read::Malformed, ""},
    {"SegmentLengthLeavesTheFile", JfifStart() + std::string("\xFF\xE1\xFF\xF0" "Exif", 8), iptc::Read::NoSegment, ""},
    {"NamePastTheSegment", JfifStart() + App13(std::string("8BIM\x04\x04\x20" "abc", 10)) + ScanAndEnd(),
     iptc::Read::Malformed, ""},
    {"TagAtTheSegmentEnd", JfifStart() + App13(std::string("8BIM\x04\x04", 6)) + ScanAndEnd(), iptc::Read::Malformed,
     ""},
    {"SizeFieldPastTheSegment", JfifStart() + App13(std::string("8BIM\x04\x04\x00\x00\x00\x00", 10)) + ScanAndEnd(),
     iptc::Read::Malformed, ""},
};

class IptcReadTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IptcReadTable, ReadsTheDatasetsOrTellsWhyNot)
{
    const ReadCase& c = GetParam();
    std::vector<iptc::Dataset> datasets;
    iptc::Read result = iptc::ReadIptc(ToBytes(c.file), datasets);
    EXPECT_STREQ(Name(result), Name(c.result));
    EXPECT_EQ(Describe(datasets), c.datasets);
}

INSTANTIATE_TEST_SUITE_P(Files, IptcReadTable, ::testing::ValuesIn(kReadCases),
                         [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(IptcParser, TruncatedFileHasNoIptcUntilTheWholeSegmentIsThere)
{
    const std::string datasets =
        Dataset(2, 120, "caption") + Dataset(2, 25, "one") + Dataset(2, 25, "two") + Dataset(1, 90, "city");
    const std::string file = JpegWithDatasets(datasets);
    const size_t app13End = JfifStart().size() + App13(Resource(0x0404, "", datasets)).size();
    for (size_t length = 0; length <= file.size(); ++length) {
        std::vector<iptc::Dataset> read;
        iptc::Read result = iptc::ReadIptc(ToBytes(file.substr(0, length)), read);
        iptc::Read expected = length < 11         ? iptc::Read::NotJfif
                              : length < 24       ? iptc::Read::NoSegment
                              : length < app13End ? iptc::Read::Malformed
                                                  : iptc::Read::Done;
        EXPECT_STREQ(Name(result), Name(expected)) << length;
        EXPECT_EQ(Describe(read), expected == iptc::Read::Done ? "2:120=caption;2:25=one;2:25=two;1:90=city;" : "")
            << length;
    }
}

TEST(IptcParser, NewBlockRunsFromTheLastDatasetBackToTheFirst)
{
    iptc::Bytes block;
    ASSERT_TRUE(iptc::BuildDatasetBlock({{2, 80, "by"}, {2, 5, ""}, {2, 25, "k1"}, {2, 25, "k2"}}, block));
    EXPECT_EQ(FromBytes(block), Dataset(2, 25, "k2") + Dataset(2, 25, "k1") + Dataset(2, 5, "") + Dataset(2, 80, "by"));

    // A value longer than its 16-bit length, or a block longer than the
    // block length, cannot be written.
    EXPECT_FALSE(iptc::BuildDatasetBlock({{2, 120, std::string(0x10000, 'x')}}, block));
    EXPECT_FALSE(iptc::BuildDatasetBlock({{2, 120, std::string(0x8000, 'x')}, {2, 105, std::string(0x8000, 'y')}},
                                         block));
    EXPECT_EQ(FromBytes(block), Dataset(2, 25, "k2") + Dataset(2, 25, "k1") + Dataset(2, 5, "") + Dataset(2, 80, "by"));
}

// What the replaced file must hold: everything before the resource's size
// field, the new size and block with its pad, everything after the old
// resource data and its pad, and a segment length that covers exactly that.
struct ReplaceCase {
    const char* name;
    std::string oldData;
    std::string newBlock;
};

void PrintTo(const ReplaceCase& c, std::ostream* os) { *os << c.name; }

// Dataset sizes: 5 header bytes and the value.
const ReplaceCase kReplaceCases[] = {
    {"EvenToEven", Dataset(2, 120, "abc"), Dataset(2, 105, "hea")},
    {"EvenToOdd", Dataset(2, 120, "abc"), Dataset(2, 105, "head")},
    {"OddToEven", Dataset(2, 120, "ab"), Dataset(2, 105, "hea")},
    {"OddToOdd", Dataset(2, 120, "ab"), Dataset(2, 105, "headline")},
    {"OddToEmpty", Dataset(2, 120, "ab"), ""},
};

class IptcReplaceTable : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(IptcReplaceTable, KeepsTheRestOfTheFileAndPadsTheResource)
{
    const ReplaceCase& c = GetParam();
    const std::string before = JfifStart() + Segment(0xE1, "Exif");
    const std::string other = Resource(0x03ED, "", "res!");
    const std::string after = Resource(0x0425, "x", "0123456789ABCDEF") + "trail";
    const std::string file = before + App13(other + Resource(0x0404, "AB", c.oldData) + after) + ScanAndEnd();

    iptc::Bytes out;
    ASSERT_EQ(iptc::ReplaceDatasetBlock(ToBytes(file), ToBytes(c.newBlock), out), iptc::Replace::Done);
    EXPECT_EQ(FromBytes(out), before + App13(other + Resource(0x0404, "AB", c.newBlock) + after) + ScanAndEnd());
}

INSTANTIATE_TEST_SUITE_P(Blocks, IptcReplaceTable, ::testing::ValuesIn(kReplaceCases),
                         [](const ::testing::TestParamInfo<ReplaceCase>& info) { return std::string(info.param.name); });

TEST(IptcParser, ReplacementRefusesWhatItCannotWriteSoundly)
{
    iptc::Bytes out;
    const iptc::Bytes block = ToBytes(Dataset(2, 120, "new"));
    struct {
        const char* name;
        std::string file;
        iptc::Replace result;
    } cases[] = {
        {"NoApp13", JfifStart() + ScanAndEnd(), iptc::Replace::NoSegment},
        {"NoIptcResource", JfifStart() + App13(Resource(0x03ED, "", "1234")) + ScanAndEnd(),
         iptc::Replace::NoResource},
        {"SizePastTheSegment", JfifStart() + App13(ResourceWithSize(0x0404, "", 200, Dataset(2, 120, "ab"))) +
                                   ScanAndEnd(),
         iptc::Replace::Malformed},
        {"SizeOfSixtyFourKilobytes",
         JfifStart() + App13(ResourceWithSize(0x0404, "", 0x10006, Dataset(2, 120, "a"))) + ScanAndEnd(),
         iptc::Replace::Malformed},
        // Segment data of 65532 bytes; the new block is 2 bytes longer.
        {"SegmentWouldOutgrowItsLength",
         JfifStart() + App13(Resource(0x0404, "", Dataset(2, 120, "a")) + std::string(65532 - 14 - 18, 'z')) +
             ScanAndEnd(),
         iptc::Replace::TooLarge},
    };
    for (const auto& c : cases) {
        out.clear();
        EXPECT_EQ(iptc::ReplaceDatasetBlock(ToBytes(c.file), block, out), c.result) << c.name;
        EXPECT_TRUE(out.empty()) << c.name;
    }
}

TEST(IptcParser, DamagedFilesNeverLeadTheReaderOrWriterOutsideTheirBytes)
{
    const std::string datasets = Dataset(2, 120, "caption") + Dataset(2, 25, "one") + Dataset(2, 25, "two") +
                                 Dataset(1, 40, "7") + Dataset(2, 116, "(c)");
    const std::string valid = JfifStart() + Segment(0xE1, "Exif") +
                              App13(Resource(0x03ED, "", "res") + Resource(0x0404, "name", datasets)) + ScanAndEnd();
    iptc::Bytes block;
    ASSERT_TRUE(iptc::BuildDatasetBlock({{2, 105, "head"}, {2, 25, "k"}}, block));

    std::mt19937 random(20261210);
    for (int round = 0; round < 4000; ++round) {
        std::string file = valid;
        if (random() % 2 == 0)
            file.resize(random() % (file.size() + 1));
        for (unsigned flips = random() % 5; flips > 0 && !file.empty(); --flips)
            file[random() % file.size()] ^= char(1u << (random() % 8));

        GuardedBytes guarded(file);
        std::vector<iptc::Dataset> read;
        iptc::Read result = iptc::ReadIptc(guarded.Buffer(), read);
        if (result != iptc::Read::Done) {
            EXPECT_TRUE(read.empty()) << round;
        }

        // What the writer produces reads back as the new block.
        iptc::Bytes out;
        if (iptc::ReplaceDatasetBlock(guarded.Buffer(), block, out) == iptc::Replace::Done) {
            iptc::Segment segment;
            iptc::Resource resource;
            ASSERT_EQ(iptc::FindSegment(out, segment), iptc::Find::Found) << round;
            ASSERT_EQ(iptc::FindIptcResource(out, segment, resource), iptc::Find::Found) << round;
            ASSERT_TRUE(iptc::ParseDatasets(out, segment, resource, read)) << round;
            EXPECT_EQ(Describe(read), "2:25=k;2:105=head;") << round;
        }
    }
}

}  // namespace
