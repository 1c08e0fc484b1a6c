#include "DibHeader.h"

#include <cstring>

namespace general {

namespace {

uint32_t U32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
int32_t I32(const uint8_t* p)
{
    uint32_t u = U32(p);
    int32_t value;
    std::memcpy(&value, &u, sizeof value);
    return value;
}

const int64_t kMaxSide = 65535;

}  // namespace

bool ReadDibHeader(const uint8_t* block, size_t blockBytes, DibLayout& layout)
{
    if (block == nullptr || blockBytes < 40)
        return false;
    const uint32_t size = U32(block);
    if (size != 40 && size != 108 && size != 124)
        return false;
    const int64_t width = I32(block + 4);
    const int64_t signedHeight = I32(block + 8);
    const int64_t height = signedHeight < 0 ? -signedHeight : signedHeight;
    const uint16_t planes = U16(block + 12);
    const uint16_t bits = U16(block + 14);
    const uint32_t compression = U32(block + 16);
    const uint32_t used = U32(block + 32);
    if (width < 1 || width > kMaxSide || height < 1 || height > kMaxSide || planes != 1)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    const bool bitfields = compression == 3;
    if (compression != 0 && !(bitfields && (bits == 16 || bits == 32)))
        return false;
    uint64_t colors = used;
    if (bits <= 8) {
        const uint64_t most = uint64_t(1) << bits;
        if (colors > most)
            return false;
        if (colors == 0)
            colors = most;
    } else if (colors > 256) {
        return false;
    }
    // The masks follow a 40-byte header; the larger headers hold them.
    const uint64_t table = colors * 4 + (bitfields && size == 40 ? 12 : 0);
    const uint64_t rowBytes = (uint64_t(width) * bits + 31) / 32 * 4;
    const uint64_t pixelOffset = size + table;
    const uint64_t total = pixelOffset + rowBytes * uint64_t(height);
    if (size > blockBytes || total > blockBytes)
        return false;
    layout.width = static_cast<int32_t>(width);
    layout.height = static_cast<int32_t>(height);
    layout.bottomUp = signedHeight > 0;
    layout.bitCount = bits;
    layout.headerBytes = size;
    layout.colorTableBytes = static_cast<uint32_t>(table);
    layout.rowBytes = static_cast<uint32_t>(rowBytes);
    layout.pixelOffset = pixelOffset;
    layout.totalBytes = total;
    return true;
}

}  // namespace general
