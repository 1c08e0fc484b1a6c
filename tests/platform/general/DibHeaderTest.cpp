// The packed DIB header check, plain C++ over its bytes.
#include "DibHeader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; i++)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

// A header of the given geometry followed by room for its table and rows.
std::vector<uint8_t> Dib(int32_t width, int32_t height, uint16_t bits, uint32_t used = 0, size_t extra = 0)
{
    uint64_t colors = used != 0 ? used : (bits <= 8 ? (1u << bits) : 0);
    // Room for the rows only where they are few: hostile sizes get none.
    int64_t rowCount = height < 0 ? -int64_t(height) : height;
    bool sane = width > 0 && width <= 65535 && rowCount <= 65535 && colors <= 256;
    uint64_t rows = sane ? (uint64_t(width) * bits + 31) / 32 * 4 * uint64_t(rowCount) : 0;
    std::vector<uint8_t> b(40 + (sane ? colors * 4 : 0) + rows + extra);
    Put32(b, 0, 40);
    Put32(b, 4, static_cast<uint32_t>(width));
    Put32(b, 8, static_cast<uint32_t>(height));
    Put16(b, 12, 1);
    Put16(b, 14, bits);
    Put32(b, 32, used);
    return b;
}

}  // namespace

TEST(DibHeader, ReadsTheLayoutOfSoundHeaders)
{
    struct {
        int32_t width, height;
        uint16_t bits;
        uint32_t used;
        uint32_t table, rowBytes;
        bool bottomUp;
    } cases[] = {
        {3, 2, 24, 0, 0, 12, true},   {3, -2, 24, 0, 0, 12, false}, {5, 1, 8, 0, 1024, 8, true},
        {5, 1, 8, 16, 64, 8, true},   {33, 4, 1, 0, 8, 8, true},    {1, 1, 32, 0, 0, 4, true},
        {7, 3, 4, 0, 64, 4, true},    {2, 2, 16, 0, 0, 4, true},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> dib = Dib(c.width, c.height, c.bits, c.used);
        general::DibLayout layout = {};
        ASSERT_TRUE(general::ReadDibHeader(dib.data(), dib.size(), layout)) << c.width << "x" << c.height;
        EXPECT_EQ(layout.width, c.width);
        EXPECT_EQ(layout.height, c.height < 0 ? -c.height : c.height);
        EXPECT_EQ(layout.bottomUp, c.bottomUp);
        EXPECT_EQ(layout.colorTableBytes, c.table);
        EXPECT_EQ(layout.rowBytes, c.rowBytes);
        EXPECT_EQ(layout.pixelOffset, 40u + c.table);
        EXPECT_EQ(layout.totalBytes, dib.size());
    }
}

TEST(DibHeader, RefusesHostileHeadersBeforeAnyRow)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}});
    std::vector<uint8_t> header = Dib(2, 2, 24);
    header.resize(39);
    cases.push_back({"cut header", header});
    std::vector<uint8_t> cutRows = Dib(2, 2, 24);
    cutRows.pop_back();
    cases.push_back({"cut rows", cutRows});
    cases.push_back({"no width", Dib(0, 2, 24)});
    cases.push_back({"negative width", Dib(-3, 2, 24)});
    cases.push_back({"no height", Dib(2, 0, 24)});
    cases.push_back({"lowest height", Dib(2, INT32_MIN, 24)});
    cases.push_back({"huge width", Dib(0x7FFFFFFF, 1, 32)});
    cases.push_back({"bits 7", Dib(2, 2, 7)});
    cases.push_back({"too many colours", Dib(2, 2, 4, 17)});
    cases.push_back({"colours past 32 bits", Dib(2, 2, 8, 0xFFFFFFFF)});
    std::vector<uint8_t> planes = Dib(2, 2, 24);
    Put16(planes, 12, 2);
    cases.push_back({"two planes", planes});
    std::vector<uint8_t> size = Dib(2, 2, 24);
    Put32(size, 0, 0xFFFFFFF0u);
    cases.push_back({"header size", size});
    std::vector<uint8_t> rle = Dib(2, 2, 8);
    Put32(rle, 16, 1);
    cases.push_back({"run-length", rle});
    std::vector<uint8_t> fields = Dib(2, 2, 24);
    Put32(fields, 16, 3);
    cases.push_back({"bit fields at 24 bits", fields});
    for (const Case& c : cases) {
        general::DibLayout layout = {};
        layout.width = 77;
        EXPECT_FALSE(general::ReadDibHeader(c.bytes.empty() ? nullptr : c.bytes.data(), c.bytes.size(), layout))
            << c.what;
        EXPECT_EQ(layout.width, 77) << c.what;
    }
    // Bit fields at 32 bits hold their three masks after the header.
    std::vector<uint8_t> masks = Dib(2, 2, 32, 0, 12);
    Put32(masks, 16, 3);
    general::DibLayout layout = {};
    ASSERT_TRUE(general::ReadDibHeader(masks.data(), masks.size(), layout));
    EXPECT_EQ(layout.colorTableBytes, 12u);
    masks.pop_back();
    EXPECT_FALSE(general::ReadDibHeader(masks.data(), masks.size(), layout));
}
