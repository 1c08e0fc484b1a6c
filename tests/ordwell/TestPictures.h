// Picture files written byte by byte for the job view and preview tests:
// solid 24-bit bitmaps and uncompressed TIFFs of every colour mode.
#pragma once

#include "TempDir.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testpictures {

inline void Put16(std::string& b, uint16_t v)
{
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>(v >> 8);
}

inline void Put32(std::string& b, uint32_t v)
{
    for (int i = 0; i < 4; i++)
        b += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A bottom-up 24-bit bitmap file of one colour.
inline std::string SolidBitmap(int width, int height, uint8_t red, uint8_t green, uint8_t blue)
{
    const uint32_t rowBytes = ((uint32_t(width) * 24 + 31) / 32) * 4;
    std::string b = "BM";
    Put32(b, 54 + rowBytes * uint32_t(height));
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, uint32_t(width));
    Put32(b, uint32_t(height));
    Put16(b, 1);
    Put16(b, 24);
    for (int i = 0; i < 6; i++)
        Put32(b, 0);
    std::string row(rowBytes, '\0');
    for (int x = 0; x < width; x++) {
        row[3 * x] = static_cast<char>(blue);
        row[3 * x + 1] = static_cast<char>(green);
        row[3 * x + 2] = static_cast<char>(red);
    }
    for (int y = 0; y < height; y++)
        b += row;
    return b;
}

enum class Mode { Grey, Rgb, Cmyk, Palette };

// An uncompressed one-strip TIFF whose every pixel is `sample` (one value
// per channel) at the given resolution in dots per inch.
inline std::string SolidTiff(int width, int height, Mode mode, const std::vector<uint8_t>& sample, uint32_t dpi)
{
    const uint16_t channels = static_cast<uint16_t>(sample.size());
    const uint16_t photometric = mode == Mode::Grey ? 1 : mode == Mode::Rgb ? 2 : mode == Mode::Cmyk ? 5 : 3;
    const uint32_t pixelBytes = uint32_t(width) * uint32_t(height) * channels;
    struct Entry {
        uint16_t tag, type;
        uint32_t count, value;
    };
    // Extra data after the directory: bits per sample, resolutions, colour map.
    std::vector<Entry> entries;
    std::string extra;
    const uint32_t entryCount = mode == Mode::Palette ? 13 : 12;
    const uint32_t extraStart = 8 + 2 + entryCount * 12 + 4;
    auto addExtra = [&](const std::string& bytes) {
        const uint32_t at = extraStart + uint32_t(extra.size());
        extra += bytes;
        return at;
    };
    std::string bits;
    for (uint16_t i = 0; i < channels; i++)
        Put16(bits, 8);
    const uint32_t bitsValue = channels == 1 ? 8 : addExtra(bits);
    std::string rational;
    Put32(rational, dpi);
    Put32(rational, 1);
    const uint32_t xres = addExtra(rational);
    const uint32_t yres = addExtra(rational);
    uint32_t colourMap = 0;
    if (mode == Mode::Palette) {
        std::string map;
        for (int channel = 0; channel < 3; channel++)
            for (int i = 0; i < 256; i++)
                Put16(map, uint16_t(channel == 0 ? i * 257 : 0));
        colourMap = addExtra(map);
    }
    const uint32_t pixels = extraStart + uint32_t(extra.size());
    entries.push_back({256, 4, 1, uint32_t(width)});
    entries.push_back({257, 4, 1, uint32_t(height)});
    entries.push_back({258, 3, channels, bitsValue});
    entries.push_back({259, 3, 1, 1});
    entries.push_back({262, 3, 1, photometric});
    entries.push_back({273, 4, 1, pixels});
    entries.push_back({277, 3, 1, channels});
    entries.push_back({278, 4, 1, uint32_t(height)});
    entries.push_back({279, 4, 1, pixelBytes});
    entries.push_back({282, 5, 1, xres});
    entries.push_back({283, 5, 1, yres});
    entries.push_back({296, 3, 1, 2});
    if (mode == Mode::Palette)
        entries.push_back({320, 3, 3 * 256, colourMap});
    std::string b = "II";
    Put16(b, 42);
    Put32(b, 8);
    Put16(b, uint16_t(entries.size()));
    for (const Entry& e : entries) {
        Put16(b, e.tag);
        Put16(b, e.type);
        Put32(b, e.count);
        if (e.type == 3 && e.count == 1) {
            Put16(b, uint16_t(e.value));
            Put16(b, 0);
        } else {
            Put32(b, e.value);
        }
    }
    Put32(b, 0);
    b += extra;
    std::string pixel(sample.begin(), sample.end());
    b.reserve(b.size() + pixelBytes);
    for (int i = 0; i < width * height; i++)
        b += pixel;
    return b;
}

}  // namespace testpictures
