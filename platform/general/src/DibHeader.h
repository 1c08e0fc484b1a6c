// The layout of a packed device-independent bitmap (an information header,
// its colour table, the rows) read from the front of a block of known size,
// over plain bytes. A header is taken only when everything it announces
// lies inside the block.
#pragma once

#include <cstddef>
#include <cstdint>

namespace general {

struct DibLayout {
    int32_t width;            // pixels, at least 1
    int32_t height;           // rows, at least 1 (whichever way they run)
    bool bottomUp;            // the header's height is positive
    uint16_t bitCount;        // 1, 4, 8, 16, 24 or 32
    uint32_t headerBytes;     // 40, 108 or 124
    uint32_t colorTableBytes; // masks of BI_BITFIELDS included
    uint32_t rowBytes;        // each row padded to 4 bytes
    uint64_t pixelOffset;     // from the start of the block
    uint64_t totalBytes;      // header, table and rows
};

// False, with the layout untouched, for a header that does not fit the
// block, or of an unknown size, a width or height of 0 or beyond 65535, a
// plane count other than 1, an unknown bit count or compression (BI_RGB, and
// BI_BITFIELDS at 16 and 32 bits, are known), or more colours than the bits
// allow.
bool ReadDibHeader(const uint8_t* block, size_t blockBytes, DibLayout& layout);

}  // namespace general
