#include "DibBlock.h"

#include "DibFixtures.h"

#include <gtest/gtest.h>

#include <vector>

using dibfixtures::Bytes;
using dibfixtures::DibSpec;
using dibfixtures::MakeDib;

namespace {

// The image a block becomes: palette and rows as the image holds them.
struct Read {
    bool accepted = false;
    imagecore::DibLayout layout;
    Bytes palette;
    Bytes pixels;
};

Read ReadBlock(const Bytes& block)
{
    Read read;
    read.accepted = imagecore::DibReadLayout(block.data(), block.size(), read.layout);
    if (read.accepted) {
        const std::size_t stride = std::size_t(imagecore::DibRowBytes(read.layout.width, read.layout.imageBpp));
        read.palette.assign(4 * imagecore::DibImageColors(read.layout.imageBpp), 0xEE);
        read.pixels.assign(stride * read.layout.height, 0xEE);
        imagecore::DibReadPixels(block.data(), read.layout, read.palette.data(), read.pixels.data(), stride);
    }
    return read;
}

}  // namespace

TEST(DibBlock, ImageGeometry)
{
    struct {
        std::uint32_t requested;
        int bpp;
        std::uint32_t colors;
    } const depths[] = {{0, 1, 2}, {1, 1, 2}, {2, 4, 16}, {3, 4, 16}, {4, 4, 16}, {5, 8, 256},
                        {8, 8, 256}, {9, 24, 0}, {16, 24, 0}, {32, 24, 0}};
    for (const auto& depth : depths) {
        EXPECT_EQ(depth.bpp, imagecore::DibImageBpp(depth.requested)) << depth.requested;
        EXPECT_EQ(depth.colors, imagecore::DibImageColors(depth.bpp)) << depth.requested;
    }
    struct {
        std::int64_t width, height;
        int bpp;
        std::uint32_t size;
    } const sizes[] = {{10, 10, 4, 80}, {1, 1, 24, 4}, {33, 2, 1, 16}, {3, 3, 24, 36}, {0, 5, 8, 0},
                       {5, -1, 8, 0}, {0x7FFFFFFF, 1, 1, 0x10000000}, {0x7FFFFFFF, 1, 8, 0},
                       {0x10000, 0x10000, 24, 0}};
    for (const auto& size : sizes)
        EXPECT_EQ(size.size, imagecore::DibImageSize(size.width, size.height, size.bpp))
            << size.width << " x " << size.height << " x " << size.bpp;
}

TEST(DibBlock, ConvertsDeepBlocksTo24Bits)
{
    for (const auto& conversion : dibfixtures::Conversions()) {
        const Read read = ReadBlock(conversion.block);
        ASSERT_TRUE(read.accepted) << conversion.name;
        EXPECT_EQ(24, read.layout.imageBpp) << conversion.name;
        EXPECT_EQ(conversion.width, read.layout.width) << conversion.name;
        EXPECT_EQ(conversion.height, read.layout.height) << conversion.name;
        // Padding bytes are the image's own: only the pixels are compared.
        ASSERT_EQ(conversion.expected.size(), read.pixels.size()) << conversion.name;
        const std::size_t stride = read.pixels.size() / conversion.height;
        for (int y = 0; y < conversion.height; ++y)
            for (int x = 0; x < 3 * conversion.width; ++x)
                EXPECT_EQ(conversion.expected[y * stride + x], read.pixels[y * stride + x])
                    << conversion.name << " row " << y << " byte " << x;
    }
}

TEST(DibBlock, CopiesPaletteAndRowsWhereTheHeaderPutsThem)
{
    // A short palette: the rows follow its two entries, the image's other
    // entries are zero.
    DibSpec twoColours;
    twoColours.width = 3;
    twoColours.height = 2;
    twoColours.bits = 8;
    twoColours.colorsUsed = 2;
    twoColours.palette = {1, 2, 3, 0, 4, 5, 6, 0};
    twoColours.rows = {0, 1, 0, 9, 1, 1, 0, 9};
    Read read = ReadBlock(MakeDib(twoColours));
    ASSERT_TRUE(read.accepted);
    EXPECT_EQ(8, read.layout.imageBpp);
    Bytes palette(256 * 4, 0);
    for (int i = 0; i < 8; ++i)
        palette[i] = twoColours.palette[i];
    EXPECT_EQ(palette, read.palette);
    EXPECT_EQ(twoColours.rows, read.pixels);
    EXPECT_EQ(2835, read.layout.xPelsPerMeter);

    // A 24-bit block may carry a palette it does not use, before its rows.
    DibSpec withPalette;
    withPalette.width = 1;
    withPalette.height = 2;
    withPalette.colorsUsed = 3;
    withPalette.palette.assign(12, 0x77);
    withPalette.rows = {10, 20, 30, 0, 40, 50, 60, 0};
    read = ReadBlock(MakeDib(withPalette));
    ASSERT_TRUE(read.accepted);
    EXPECT_TRUE(read.palette.empty());
    EXPECT_EQ(withPalette.rows, read.pixels);

    // Every depth kept as it is; the 1-bit palette taken whole.
    for (std::uint16_t bits : {1, 4, 8, 24}) {
        DibSpec spec;
        spec.width = 5;
        spec.height = 3;
        spec.bits = bits;
        spec.palette.assign(bits <= 8 ? 4u << bits : 0u, 0x33);
        const std::size_t rowBytes = std::size_t(imagecore::DibRowBytes(spec.width, bits));
        for (std::size_t i = 0; i < rowBytes * spec.height; ++i)
            spec.rows.push_back(static_cast<std::uint8_t>(i * 7 + 1));
        read = ReadBlock(MakeDib(spec));
        ASSERT_TRUE(read.accepted) << bits;
        EXPECT_EQ(bits, read.layout.imageBpp);
        EXPECT_EQ(spec.palette, read.palette) << bits;
        EXPECT_EQ(spec.rows, read.pixels) << bits;
    }
}

TEST(DibBlock, RefusesHostileBlocks)
{
    for (const auto& hostile : dibfixtures::HostileBlocks()) {
        imagecore::DibLayout layout;
        EXPECT_FALSE(imagecore::DibReadLayout(hostile.block.data(), hostile.block.size(), layout)) << hostile.name;
    }
    imagecore::DibLayout layout;
    EXPECT_FALSE(imagecore::DibReadLayout(nullptr, 100, layout));
}
