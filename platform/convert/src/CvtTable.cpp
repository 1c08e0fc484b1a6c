#include "CvtTable.h"

namespace convert {

namespace {

uint32_t U16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }
uint32_t U32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

const size_t kHeaderSize = 212;

}  // namespace

bool IsValidCmykTable(const std::vector<uint8_t>& b)
{
    if (b.size() < kHeaderSize || b[0] != 'I' || b[1] != 'I' || U16(b, 2) != 42)
        return false;
    uint64_t ifd = U32(b, 4);
    if (ifd + 2 > b.size())
        return false;
    uint64_t entries = U16(b, static_cast<size_t>(ifd));
    if (ifd + 2 + entries * 12 + 4 > b.size())
        return false;
    uint64_t width = 0, height = 0;
    for (uint64_t i = 0; i < entries; i++) {
        size_t at = static_cast<size_t>(ifd + 2 + i * 12);
        uint32_t tag = U16(b, at), type = U16(b, at + 2);
        uint32_t value = type == 3 ? U16(b, at + 8) : U32(b, at + 8);
        if (tag == 256)
            width = value;
        else if (tag == 257)
            height = value;
    }
    // Divided rather than multiplied: width * height * 4 can pass 64 bits.
    return width > 0 && height > 0 && height <= (b.size() - kHeaderSize) / 4 / width;
}

bool IsValidTable(const std::string& name, const std::vector<uint8_t>& bytes)
{
    if (bytes.empty())
        return false;
    if (name == "dto.cvt")
        return IsValidCmykTable(bytes);
    return true;
}

}  // namespace convert
