// The CMYK conversion table as the separation dialog writes it, built by
// hand for the table checks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cvtfixture {

inline void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// The CMYK table as the separation dialog writes it: the 212-byte header
// with its IFD at 50, then w x h pixels of four bytes.
inline std::vector<uint8_t> CmykTable(uint32_t w, uint32_t h)
{
    std::vector<uint8_t> b(212 + w * h * 4, 0);
    b[0] = b[1] = 'I';
    Put16(b, 2, 42);
    Put32(b, 4, 50);
    Put16(b, 50, 13);
    const uint32_t entries[][4] = {{254, 4, 1, 0}, {256, 4, 1, w}, {257, 4, 1, h}, {258, 3, 4, 8},
                                   {259, 3, 1, 1}, {262, 3, 1, 5}, {273, 4, 4, 16}, {277, 3, 1, 4},
                                   {278, 4, 1, h}, {279, 4, 4, 0}, {282, 5, 1, 32}, {283, 5, 1, 40},
                                   {284, 3, 1, 2}};
    for (int i = 0; i < 13; i++) {
        size_t at = 52 + i * 12;
        Put16(b, at, entries[i][0]);
        Put16(b, at + 2, entries[i][1]);
        Put32(b, at + 4, entries[i][2]);
        Put32(b, at + 8, entries[i][3]);
    }
    return b;
}

}  // namespace cvtfixture
