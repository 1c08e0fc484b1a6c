// The geometry of the image's device-independent bitmaps, and the check and
// reading of a packed bitmap that a memory block hands over (header, channel
// masks, palette, rows): nothing is read before the header, masks, palette
// and rows are known to lie inside the block. Bytes and numbers only, no
// windows.h, so that hostile blocks are tested and fuzzed on the host.
#pragma once

#include <cstddef>
#include <cstdint>

namespace imagecore {

const std::uint32_t kDibHeaderSize = 40;

// The depth an image keeps for a requested one: 1, 4, 8 or 24.
int DibImageBpp(std::uint32_t bitCount);
// Palette entries of an image of that depth: 2, 16, 256 or 0.
std::uint32_t DibImageColors(int imageBpp);
// Bytes of a row of pixels, a multiple of 4.
std::int64_t DibRowBytes(std::int64_t width, int bpp);
// Bytes of the pixel rows of an image of 1, 4, 8 or 24 bits per pixel; 0
// when a side is not positive or the whole bitmap (header, palette, rows)
// would not fit 31 bits.
std::uint32_t DibImageSize(std::int64_t width, std::int64_t height, int imageBpp);

// Where a block's parts lie and how its rows become the image's.
struct DibLayout {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bitCount = 0;  // of the block
    int imageBpp = 0;  // of the image made from it
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t paletteEntries = 0;  // of the block's palette, that the image takes
    std::size_t paletteOffset = 0;
    std::size_t pixelOffset = 0;
    std::size_t rowBytes = 0;  // of the block's rows
    // 16 and 32 bits per pixel: rows converted to 24 bits through the
    // channel masks (red, green, blue), else copied as they are.
    bool convert = false;
    std::uint32_t masks[3] = {0, 0, 0};
};

// False for anything but a 40-byte header of an uncompressed block of 1, 4,
// 8, 16, 24 or 32 bits per pixel, or a bit-field block of 16 or 32 with
// non-zero contiguous masks, of positive width and height, whose masks,
// palette and rows (and the image size it claims) lie within size bytes.
bool DibReadLayout(const std::uint8_t* block, std::size_t size, DibLayout& layout);

// The block's palette into the image's (DibImageColors entries of 4 bytes,
// zero where the block has fewer) and its rows into the image's, bottom row
// first as stored, each rowStride (DibRowBytes of the image) bytes.
void DibReadPixels(const std::uint8_t* block, const DibLayout& layout, std::uint8_t* palette,
                   std::uint8_t* pixels, std::size_t rowStride);

}  // namespace imagecore
