// Packed DIB blocks as a memory handle holds them, for the block reader's
// tests, the handle tests and the fuzz target's seeds: valid ones of every
// depth and layout the reader takes, with the 24-bit rows they become, and
// hostile ones it must refuse.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dibfixtures {

typedef std::vector<std::uint8_t> Bytes;

struct DibSpec {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t sizeImage = 0;
    std::int32_t pelsPerMeter = 2835;
    std::vector<std::uint32_t> masks;  // written after the header when given
    Bytes palette;                     // 4 bytes an entry
    Bytes rows;                        // as stored, bottom row first, padded
};

Bytes MakeDib(const DibSpec& spec);

// A block of 16 or 32 bits per pixel and the 24-bit rows (blue, green, red,
// padded to 4 bytes) it converts to.
struct Conversion {
    std::string name;
    Bytes block;
    int width;
    int height;
    Bytes expected;
};
std::vector<Conversion> Conversions();

struct Hostile {
    std::string name;
    Bytes block;
};
std::vector<Hostile> HostileBlocks();

}  // namespace dibfixtures
