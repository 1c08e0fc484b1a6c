#include "DibBlock.h"

#include <cstring>

namespace imagecore {

namespace {

const std::uint32_t kUncompressed = 0;
const std::uint32_t kBitFields = 3;
// An uncompressed 16-bit block stores no masks: 5 bits each, red highest.
const std::uint32_t kMasks555[3] = {0x7C00, 0x03E0, 0x001F};
const std::uint32_t kMasks888[3] = {0xFF0000, 0x00FF00, 0x0000FF};

std::uint32_t U32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::int32_t I32(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(U32(p));
}

// A channel of a mask: where its lowest bit lies and how many bits it has.
struct Channel {
    std::uint32_t mask;
    int shift;
    int bits;
};

Channel ChannelOf(std::uint32_t mask)
{
    Channel channel = {mask, 0, 0};
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++channel.shift;
    }
    while (mask & 1) {
        mask >>= 1;
        ++channel.bits;
    }
    return channel;
}

bool IsContiguous(std::uint32_t mask)
{
    const Channel channel = ChannelOf(mask);
    return channel.bits > 0 && (channel.bits == 32 || mask >> channel.shift == (std::uint32_t(1) << channel.bits) - 1);
}

// The channel's value scaled to 8 bits, whatever its width.
std::uint8_t Sample(std::uint32_t pixel, const Channel& channel)
{
    const std::uint32_t value = (pixel & channel.mask) >> channel.shift;
    if (channel.bits >= 8)
        return static_cast<std::uint8_t>(value >> (channel.bits - 8));
    return static_cast<std::uint8_t>(value << (8 - channel.bits));
}

}  // namespace

int DibImageBpp(std::uint32_t bitCount)
{
    if (bitCount <= 1)
        return 1;
    if (bitCount <= 4)
        return 4;
    if (bitCount <= 8)
        return 8;
    return 24;
}

std::uint32_t DibImageColors(int imageBpp)
{
    return imageBpp <= 8 ? std::uint32_t(1) << imageBpp : 0;
}

std::int64_t DibRowBytes(std::int64_t width, int bpp)
{
    return (width * bpp + 31) / 32 * 4;
}

std::uint32_t DibImageSize(std::int64_t width, std::int64_t height, int imageBpp)
{
    const std::int64_t kMax = 0x7FFFFFFF;
    if (width <= 0 || height <= 0 || width > kMax || height > kMax)
        return 0;
    const std::int64_t row = DibRowBytes(width, imageBpp);
    const std::int64_t room = kMax - kDibHeaderSize - 4 * std::int64_t(DibImageColors(imageBpp));
    if (row > room / height)
        return 0;
    return static_cast<std::uint32_t>(row * height);
}

bool DibReadLayout(const std::uint8_t* block, std::size_t size, DibLayout& layout)
{
    if (block == nullptr || size < kDibHeaderSize || U32(block) != kDibHeaderSize)
        return false;
    DibLayout result;
    result.width = I32(block + 4);
    result.height = I32(block + 8);
    result.bitCount = block[14] | block[15] << 8;
    const std::uint32_t compression = U32(block + 16);
    const std::uint32_t claimedImageSize = U32(block + 20);
    result.xPelsPerMeter = I32(block + 24);
    result.yPelsPerMeter = I32(block + 28);
    const std::uint32_t colorsUsed = U32(block + 32);

    const int bits = result.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    if (compression != kUncompressed && !(compression == kBitFields && (bits == 16 || bits == 32)))
        return false;
    result.imageBpp = DibImageBpp(bits);
    if (DibImageSize(result.width, result.height, result.imageBpp) == 0)
        return false;

    // Everything after the header is measured in 64 bits against the block.
    std::uint64_t offset = kDibHeaderSize;
    if (bits == 16 || bits == 32) {
        result.convert = true;
        const std::uint32_t* defaults = bits == 16 ? kMasks555 : kMasks888;
        for (int i = 0; i < 3; ++i)
            result.masks[i] = defaults[i];
        if (compression == kBitFields) {
            if (size < kDibHeaderSize + 12)
                return false;
            for (int i = 0; i < 3; ++i) {
                std::uint32_t mask = U32(block + kDibHeaderSize + 4 * i);
                if (bits == 16)
                    mask &= 0xFFFF;
                if (!IsContiguous(mask))
                    return false;
                result.masks[i] = mask;
            }
            offset += 12;
        }
    }
    // A palette of up to 2^bits entries (all of them when the count is 0);
    // deeper blocks may carry one that the image does not use.
    std::uint64_t blockEntries = colorsUsed;
    if (bits <= 8) {
        const std::uint32_t most = std::uint32_t(1) << bits;
        if (colorsUsed > most)
            return false;
        if (colorsUsed == 0)
            blockEntries = most;
        result.paletteEntries = static_cast<std::uint32_t>(blockEntries);
    }
    result.paletteOffset = static_cast<std::size_t>(offset);
    offset += 4 * blockEntries;
    const std::uint64_t rowBytes = static_cast<std::uint64_t>(DibRowBytes(result.width, bits));
    const std::uint64_t pixelBytes = rowBytes * static_cast<std::uint64_t>(result.height);
    if (offset > size || pixelBytes > size - offset || claimedImageSize > size - offset)
        return false;
    result.pixelOffset = static_cast<std::size_t>(offset);
    result.rowBytes = static_cast<std::size_t>(rowBytes);
    layout = result;
    return true;
}

void DibReadPixels(const std::uint8_t* block, const DibLayout& layout, std::uint8_t* palette,
                   std::uint8_t* pixels, std::size_t rowStride)
{
    const std::size_t paletteBytes = 4 * std::size_t(DibImageColors(layout.imageBpp));
    if (paletteBytes > 0) {
        std::memset(palette, 0, paletteBytes);
        std::memcpy(palette, block + layout.paletteOffset, 4 * std::size_t(layout.paletteEntries));
    }
    const std::uint8_t* source = block + layout.pixelOffset;
    const std::size_t height = static_cast<std::size_t>(layout.height);
    if (!layout.convert) {
        for (std::size_t y = 0; y < height; ++y)
            std::memcpy(pixels + y * rowStride, source + y * layout.rowBytes, layout.rowBytes);
        return;
    }
    const Channel red = ChannelOf(layout.masks[0]);
    const Channel green = ChannelOf(layout.masks[1]);
    const Channel blue = ChannelOf(layout.masks[2]);
    const std::size_t width = static_cast<std::size_t>(layout.width);
    const std::size_t pixelBytes = static_cast<std::size_t>(layout.bitCount / 8);
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint8_t* in = source + y * layout.rowBytes;
        std::uint8_t* out = pixels + y * rowStride;
        for (std::size_t x = 0; x < width; ++x, in += pixelBytes, out += 3) {
            const std::uint32_t pixel = pixelBytes == 2 ? std::uint32_t(in[0] | in[1] << 8) : U32(in);
            out[0] = Sample(pixel, blue);
            out[1] = Sample(pixel, green);
            out[2] = Sample(pixel, red);
        }
    }
}

}  // namespace imagecore
