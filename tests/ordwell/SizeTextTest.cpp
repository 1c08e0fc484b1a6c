#include "JobViewCore.h"
#include "SizeText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

using namespace jobsize;

namespace {

const uint64_t kGiB = 1024ull * 1024 * 1024;

TEST(SizeText, ShowsBytesAndMegabytesWithoutWrapping)
{
    const struct {
        uint64_t bytes;
        const char* text;
    } kCases[] = {
        {1572864, "1572864    (1.50MB)"},
        {0, "0    (0.00MB)"},
        {5 * kGiB, "5368709120    (5120.00MB)"},
        {4 * kGiB + 1, "4294967297    (4096.00MB)"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(c.text, SizeText(c.bytes)) << c.bytes;
}

TEST(SizeText, MegabytesKilobytesAndDriveFigures)
{
    EXPECT_EQ("3.50MB", MegabyteText(3670016));
    EXPECT_EQ("262144KB", KilobyteText(268435456));
    EXPECT_EQ("16777216KB", KilobyteText(16 * kGiB));
    EXPECT_EQ("1048575 MB", DriveMegabyteText(1024 * kGiB - 1));
    EXPECT_EQ("5120 MB", DriveMegabyteText(5 * kGiB));
}

TEST(SizeText, RoomCheckComparesTheWholeNumbers)
{
    EXPECT_TRUE(HasRoom(1000, 1000));
    EXPECT_FALSE(HasRoom(999, 1000));
    EXPECT_TRUE(HasRoom(5 * kGiB, 5 * kGiB));
    EXPECT_FALSE(HasRoom(5 * kGiB - 1, 5 * kGiB));
    // A 32-bit comparison would see 1 GiB + 1 free against 1 GiB + 4 GiB.
    EXPECT_FALSE(HasRoom(kGiB + 1, 5 * kGiB));
    EXPECT_TRUE(HasRoom(0, 0));
}

TEST(SizeText, ClampsAtTheIntLimit)
{
    EXPECT_EQ(0, ClampToInt(0));
    EXPECT_EQ(INT_MAX, ClampToInt(INT_MAX));
    EXPECT_EQ(INT_MAX, ClampToInt(static_cast<uint64_t>(INT_MAX) + 1));
    EXPECT_EQ(INT_MAX, ClampToInt(3 * kGiB));
    EXPECT_EQ(INT_MAX, ClampToInt(UINT64_MAX));
}

TEST(JobBrowseNames, CodesOutsideTheTablesShowTheFirstName)
{
    const struct {
        int code;
        const char* state;
        const char* type;
    } kCases[] = {
        {0, "None", "Unknow"}, {1, "New", "Image"},    {2, "Edit", "Graphics"}, {3, "Finished", "Text"},
        {4, "None", "Unknow"}, {13, "None", "Unknow"}, {-1, "None", "Unknow"},  {INT_MIN, "None", "Unknow"},
    };
    for (const auto& c : kCases) {
        EXPECT_STREQ(c.state, jobview::BrowseStateName(c.code)) << c.code;
        EXPECT_STREQ(c.type, jobview::BrowseTypeName(c.code)) << c.code;
    }
}

}  // namespace
