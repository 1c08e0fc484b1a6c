#include "JobArchive.h"

#include "ArchiveBytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace jobarchive;
using namespace archivebytes;

namespace {

// A job with two pages, two originals and an output, sharing texts across
// the nested lists so that class indices are exercised.
JobRecord SampleJob()
{
    JobRecord job;
    job.time = 0x11223344;
    job.texts[0] = "创建者";
    job.texts[2] = "操作者";
    job.texts[3] = std::string(300, 'r');  // a long text: 0xFF and a 16-bit length
    job.ownerAccess = 1;
    job.groupAccess = 2;
    job.scannerProfile = "C:\\P\\scan.icc";
    job.displayProfile = "C:\\P\\screen.icc";
    PageRecord page;
    page.number1 = 7;
    page.time = 1000;
    page.number2 = 9;
    page.description = "封面";
    page.file = "D:\\T\\J\\a.apg";
    page.origins = {"D:\\T\\J\\x.tif", "D:\\T\\J\\y.jpg"};
    job.pages.push_back(page);
    page.file = "D:\\T\\J\\b.apg";
    page.origins.clear();
    job.pages.push_back(page);
    OriginRecord origin;
    origin.typeCode = 6;
    origin.number1 = 3;
    origin.number2 = 0;
    origin.time = 2000;
    origin.ownerPage = "D:\\T\\J\\a.apg";
    origin.file = "D:\\T\\J\\x.tif";
    origin.pages = {"D:\\T\\J\\a.apg"};
    job.origins.push_back(origin);
    origin.ownerPage = "None";
    origin.file = "D:\\T\\J\\y.jpg";
    job.origins.push_back(origin);
    OutputRecord output;
    output.typeCode = 2;
    output.time = 3000;
    output.ownerPage = "D:\\T\\J\\a.apg";
    output.file = "D:\\T\\J\\a.ps";
    job.outputs.push_back(output);
    return job;
}

void ExpectSameJob(const JobRecord& a, const JobRecord& b)
{
    EXPECT_EQ(a.tag, b.tag);
    EXPECT_EQ(a.time, b.time);
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(a.texts[i], b.texts[i]);
    EXPECT_EQ(a.ownerAccess, b.ownerAccess);
    EXPECT_EQ(a.groupAccess, b.groupAccess);
    EXPECT_EQ(a.scannerProfile, b.scannerProfile);
    EXPECT_EQ(a.printerProfile, b.printerProfile);
    EXPECT_EQ(a.displayProfile, b.displayProfile);
    ASSERT_EQ(a.pages.size(), b.pages.size());
    for (size_t i = 0; i < a.pages.size(); i++) {
        EXPECT_EQ(a.pages[i].number1, b.pages[i].number1);
        EXPECT_EQ(a.pages[i].time, b.pages[i].time);
        EXPECT_EQ(a.pages[i].number2, b.pages[i].number2);
        EXPECT_EQ(a.pages[i].description, b.pages[i].description);
        EXPECT_EQ(a.pages[i].file, b.pages[i].file);
        EXPECT_EQ(a.pages[i].origins, b.pages[i].origins);
    }
    ASSERT_EQ(a.origins.size(), b.origins.size());
    for (size_t i = 0; i < a.origins.size(); i++) {
        EXPECT_EQ(a.origins[i].typeCode, b.origins[i].typeCode);
        EXPECT_EQ(a.origins[i].number1, b.origins[i].number1);
        EXPECT_EQ(a.origins[i].number2, b.origins[i].number2);
        EXPECT_EQ(a.origins[i].time, b.origins[i].time);
        EXPECT_EQ(a.origins[i].description, b.origins[i].description);
        EXPECT_EQ(a.origins[i].ownerPage, b.origins[i].ownerPage);
        EXPECT_EQ(a.origins[i].file, b.origins[i].file);
        EXPECT_EQ(a.origins[i].pages, b.origins[i].pages);
    }
    ASSERT_EQ(a.outputs.size(), b.outputs.size());
    for (size_t i = 0; i < a.outputs.size(); i++) {
        EXPECT_EQ(a.outputs[i].typeCode, b.outputs[i].typeCode);
        EXPECT_EQ(a.outputs[i].time, b.outputs[i].time);
        EXPECT_EQ(a.outputs[i].ownerPage, b.outputs[i].ownerPage);
        EXPECT_EQ(a.outputs[i].file, b.outputs[i].file);
    }
}

}  // namespace

TEST(OrdwellArchive, NewTaskWithoutJobs)
{
    TaskRecord task;
    task.time = 0x5F5E0FF1;
    std::vector<uint8_t> expected;
    U32(expected, 0xFF0A);
    U32(expected, 0x5F5E0FF1);
    Raw(expected, std::string(3, '\0'));
    U32(expected, 3);
    U32(expected, 3);
    Raw(expected, std::string(3, '\0'));
    U16(expected, 0);
    EXPECT_EQ(expected, EncodeTask(task));
}

TEST(OrdwellArchive, TaskWithTwoJobsNumbersTheClassOnce)
{
    TaskRecord task;
    task.time = 1;
    task.texts[1] = "用户";
    task.jobs = {"D:\\T\\A", "D:\\T\\B"};
    std::vector<uint8_t> expected;
    U32(expected, 0xFF0A);
    U32(expected, 1);
    Text(expected, "");
    Text(expected, "用户");
    Text(expected, "");
    U32(expected, 3);
    U32(expected, 3);
    Raw(expected, std::string(3, '\0'));
    U16(expected, 2);
    NewClass(expected, "JCFileName");
    Text(expected, "D:\\T\\A");
    U16(expected, 0x8001);
    Text(expected, "D:\\T\\B");
    EXPECT_EQ(expected, EncodeTask(task));

    TaskRecord read;
    ASSERT_TRUE(DecodeTask(expected, read));
    EXPECT_EQ(task.jobs, read.jobs);
    EXPECT_EQ("用户", read.texts[1]);
}

TEST(OrdwellArchive, JobFieldsInArchiveOrderWithNestedClassIndices)
{
    JobRecord job;
    job.time = 5;
    job.texts[0] = "t1";
    job.texts[1] = "t2";
    job.texts[2] = "t3";
    job.ownerAccess = 1;
    job.groupAccess = 0;
    job.printerProfile = "p";
    PageRecord page;
    page.number1 = 1;
    page.time = 2;
    page.number2 = 3;
    page.file = "a.apg";
    page.origins = {"x.tif"};
    job.pages = {page, page};
    job.pages[1].file = "b.apg";
    job.pages[1].origins.clear();
    OutputRecord output;
    output.typeCode = 2;
    output.time = 4;
    output.ownerPage = "a.apg";
    output.file = "a.ps";
    job.outputs = {output};

    std::vector<uint8_t> expected;
    U32(expected, 0xFF0B);
    U32(expected, 5);
    Text(expected, "t1");
    Text(expected, "t2");
    U32(expected, 1);  // text 3 comes after the two access levels
    U32(expected, 0);
    Text(expected, "t3");
    Text(expected, "");
    Text(expected, "");
    Text(expected, "");
    Text(expected, "p");
    Text(expected, "");
    U16(expected, 2);
    NewClass(expected, "JCPage");  // class 1, object 2
    U32(expected, 1);
    U32(expected, 2);
    U32(expected, 3);
    Text(expected, "");
    Text(expected, "a.apg");
    U16(expected, 1);
    NewClass(expected, "JCFileName");  // class 3, object 4
    Text(expected, "x.tif");
    U16(expected, 0x8001);  // object 5
    U32(expected, 1);
    U32(expected, 2);
    U32(expected, 3);
    Text(expected, "");
    Text(expected, "b.apg");
    U16(expected, 0);
    U16(expected, 0);  // no originals
    U16(expected, 1);
    NewClass(expected, "JCOutput");
    U32(expected, 2);
    U32(expected, 4);
    Text(expected, "a.apg");
    Text(expected, "a.ps");
    EXPECT_EQ(expected, EncodeJob(job));
}

TEST(OrdwellArchive, TextLengthPrefixes)
{
    struct Case {
        size_t length;
        std::vector<uint8_t> prefix;
    } cases[] = {
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        TaskRecord task;
        task.texts[0] = std::string(c.length, 'a');
        std::vector<uint8_t> bytes = EncodeTask(task);
        std::vector<uint8_t> prefix(bytes.begin() + 8, bytes.begin() + 8 + c.prefix.size());
        EXPECT_EQ(c.prefix, prefix) << c.length;
        TaskRecord read;
        ASSERT_TRUE(DecodeTask(bytes, read)) << c.length;
        EXPECT_EQ(task.texts[0], read.texts[0]);
    }
}

TEST(OrdwellArchive, JobRoundTrip)
{
    JobRecord job = SampleJob();
    JobRecord read;
    ASSERT_TRUE(DecodeJob(EncodeJob(job), read));
    ExpectSameJob(job, read);
}

TEST(OrdwellArchive, EveryTruncationIsRefused)
{
    std::vector<uint8_t> task = EncodeTask([] {
        TaskRecord t;
        t.jobs = {"D:\\A", "D:\\B"};
        return t;
    }());
    for (size_t n = 0; n < task.size(); n++) {
        TaskRecord read;
        EXPECT_FALSE(DecodeTask(std::vector<uint8_t>(task.begin(), task.begin() + n), read)) << n;
    }
    std::vector<uint8_t> job = EncodeJob(SampleJob());
    for (size_t n = 0; n < job.size(); n++) {
        JobRecord read;
        EXPECT_FALSE(DecodeJob(std::vector<uint8_t>(job.begin(), job.begin() + n), read)) << n;
    }
}

// Each count and length field of a small task, set too large, or to what the
// writer never produces.
TEST(OrdwellArchive, HostileFieldsAreRefused)
{
    TaskRecord task;
    task.texts[0] = "abc";
    task.jobs = {"D:\\A", "D:\\B"};
    const std::vector<uint8_t> good = EncodeTask(task);
    // Offsets: 8 text 1 length, 16+ access, 22..23 list count, then the class tag.
    const size_t kText1 = 8, kCount = 25, kTag = 27, kNameLength = 31, kPath = 43;
    ASSERT_EQ(0xFFFF, good[kTag] | (good[kTag + 1] << 8));
    ASSERT_EQ(10, good[kNameLength]);
    ASSERT_EQ(4, good[kPath]);

    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> change;
    } cases[] = {
        {"text length past the end", [&](auto& b) { b[kText1] = 0xFE; }},
        {"16-bit text length", [&](auto& b) { b[kText1] = 0xFF; b.insert(b.begin() + kText1 + 1, {0xF0, 0xFF}); }},
        {"32-bit text length", [&](auto& b) {
             b[kText1] = 0xFF;
             b.insert(b.begin() + kText1 + 1, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F});
         }},
        {"text length in 16 bits that fits in one byte", [&](auto& b) {
             b[kText1] = 0xFF;
             b.insert(b.begin() + kText1 + 1, {0x03, 0x00});
         }},
        {"text length in 32 bits that fits in 16", [&](auto& b) {
             b[kText1] = 0xFF;
             b.insert(b.begin() + kText1 + 1, {0xFF, 0xFF, 0x03, 0x00, 0x00, 0x00});
         }},
        {"Unicode text marker", [&](auto& b) { b[kText1] = 0xFF; b.insert(b.begin() + kText1 + 1, {0xFE, 0xFF}); }},
        {"list count too large", [&](auto& b) { b[kCount] = 0x00; b[kCount + 1] = 0x70; }},
        {"32-bit list count", [&](auto& b) {
             b[kCount] = 0xFF;
             b[kCount + 1] = 0xFF;
             b.insert(b.begin() + kCount + 2, {0xFF, 0xFF, 0xFF, 0xFF});
         }},
        {"list count in 32 bits that fits in 16", [&](auto& b) {
             b[kCount] = 0xFF;
             b[kCount + 1] = 0xFF;
             b.insert(b.begin() + kCount + 2, {0x02, 0x00, 0x00, 0x00});
         }},
        {"class name length", [&](auto& b) { b[kNameLength] = 0xFF; b[kNameLength + 1] = 0xFF; }},
        {"path length", [&](auto& b) { b[kPath] = 0xFD; }},
        {"null element", [&](auto& b) { b[kTag] = 0; b[kTag + 1] = 0; }},
        {"unknown class", [&](auto& b) { b[kNameLength + 2] = 'X'; }},
        {"wrong schema", [&](auto& b) { b[kTag + 2] = 2; }},
        {"element refers to an object", [&](auto& b) {
             // The second element as a reference to the first object (index 2).
             size_t second = b.size() - 7;
             ASSERT_EQ(0x01, b[second]);
             ASSERT_EQ(0x80, b[second + 1]);
             b[second] = 0x02;
             b[second + 1] = 0x00;
         }},
        {"class index in the long tag that the short one holds", [&](auto& b) {
             size_t second = b.size() - 7;
             b[second] = 0xFF;
             b[second + 1] = 0x7F;
             b.insert(b.begin() + second + 2, {0x01, 0x00, 0x00, 0x80});
         }},
        {"class index never seen", [&](auto& b) { b[b.size() - 7] = 0x05; }},
        {"bytes after the archive", [&](auto& b) { b.push_back(0); }},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = good;
        c.change(bytes);
        TaskRecord read;
        EXPECT_FALSE(DecodeTask(bytes, read)) << c.what;
    }
}

TEST(OrdwellArchive, HostileJobCountsAreRefused)
{
    JobRecord job = SampleJob();
    const std::vector<uint8_t> good = EncodeJob(job);
    JobRecord header = job;
    header.pages.clear();
    header.origins.clear();
    header.outputs.clear();
    const size_t kPageCount = EncodeJob(header).size() - 6;

    std::vector<uint8_t> bytes = good;
    bytes[kPageCount] = 0x00;
    bytes[kPageCount + 1] = 0x70;
    JobRecord read;
    EXPECT_FALSE(DecodeJob(bytes, read));

    // Any two-byte field raised to 0x7000: the decoder always returns, and
    // what it accepts still has the bytes to back every element.
    for (size_t at = 0; at + 1 < good.size(); at++) {
        bytes = good;
        bytes[at] = 0x00;
        bytes[at + 1] = 0x70;
        if (DecodeJob(bytes, read)) {
            EXPECT_LE(read.pages.size() + read.origins.size() + read.outputs.size(), good.size()) << at;
        }
    }
}
