// The DIB block reader over any bytes: an accepted block lies within the
// input, reads into an image of its size, and that image written back as the
// image class hands its DIB over (header, whole palette, rows) reads back the
// same.
#include "DibBlock.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void Put32(std::uint8_t* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

struct Image {
    std::vector<std::uint8_t> palette;
    std::vector<std::uint8_t> pixels;
};

Image ReadImage(const std::uint8_t* block, const imagecore::DibLayout& layout)
{
    const std::size_t stride = static_cast<std::size_t>(imagecore::DibRowBytes(layout.width, layout.imageBpp));
    Image image;
    image.palette.assign(4 * std::size_t(imagecore::DibImageColors(layout.imageBpp)), 0);
    image.pixels.assign(stride * static_cast<std::size_t>(layout.height), 0);
    imagecore::DibReadPixels(block, layout, image.palette.data(), image.pixels.data(), stride);
    return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    imagecore::DibLayout layout;
    if (!imagecore::DibReadLayout(data, size, layout))
        return 0;
    const int bits = layout.bitCount;
    if (layout.width <= 0 || layout.height <= 0 || layout.imageBpp != imagecore::DibImageBpp(bits) ||
        layout.convert != (bits == 16 || bits == 32) ||
        layout.pixelOffset + layout.rowBytes * std::size_t(layout.height) > size ||
        layout.paletteOffset + 4 * std::size_t(layout.paletteEntries) > layout.pixelOffset)
        std::abort();
    // Only the bytes the input holds are handed over.
    const std::vector<std::uint8_t> block(data, data + size);
    const Image image = ReadImage(block.data(), layout);

    std::vector<std::uint8_t> copy(imagecore::kDibHeaderSize);
    Put32(&copy[0], imagecore::kDibHeaderSize);
    Put32(&copy[4], static_cast<std::uint32_t>(layout.width));
    Put32(&copy[8], static_cast<std::uint32_t>(layout.height));
    copy[12] = 1;
    copy[14] = static_cast<std::uint8_t>(layout.imageBpp);
    Put32(&copy[20], static_cast<std::uint32_t>(image.pixels.size()));
    Put32(&copy[32], imagecore::DibImageColors(layout.imageBpp));
    copy.insert(copy.end(), image.palette.begin(), image.palette.end());
    copy.insert(copy.end(), image.pixels.begin(), image.pixels.end());
    imagecore::DibLayout again;
    if (!imagecore::DibReadLayout(copy.data(), copy.size(), again) || again.convert ||
        again.imageBpp != layout.imageBpp || again.width != layout.width || again.height != layout.height)
        std::abort();
    const Image reread = ReadImage(copy.data(), again);
    if (reread.palette != image.palette || reread.pixels != image.pixels)
        std::abort();
    return 0;
}
