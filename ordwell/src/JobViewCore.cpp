#include "JobViewCore.h"

#include <cstdint>

namespace jobview {

const char* FileTypeName(int code)
{
    static const char* const kNames[] = {"UNKNOW", "IMAGE", "PS",  "TEXT", "HTML", "BMP", "TIFF",
                                         "PCX",    "GIF",   "JPEG", "OVK", "RAW",  "XB"};
    if (code < 0 || code >= static_cast<int>(sizeof(kNames) / sizeof(kNames[0])))
        return kNames[0];
    return kNames[code];
}

namespace {

template <size_t N>
const char* NameOrFirst(const char* const (&names)[N], int code)
{
    return code < 0 || code >= static_cast<int>(N) ? names[0] : names[code];
}

}  // namespace

const char* BrowseStateName(int code)
{
    static const char* const kNames[] = {"None", "New", "Edit", "Finished"};
    return NameOrFirst(kNames, code);
}

const char* BrowseTypeName(int code)
{
    static const char* const kNames[] = {"Unknow", "Image", "Graphics", "Text"};
    return NameOrFirst(kNames, code);
}

std::string ThumbnailPath(const std::string& jobFolder, const std::string& pureName)
{
    std::string name = pureName;
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return jobFolder + "\\bitmaps\\" + name + ".bmp";
}

namespace {

uint32_t Read32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t Read16(const unsigned char* p) { return uint16_t(p[0] | p[1] << 8); }

const size_t kFileHeaderSize = 14;

}  // namespace

bool CheckThumbnail(const unsigned char* data, size_t size, ThumbnailDib& dib)
{
    if (data == nullptr || size < kFileHeaderSize + 40 || data[0] != 'B' || data[1] != 'M')
        return false;
    const unsigned char* info = data + kFileHeaderSize;
    const uint32_t infoSize = Read32(info);
    // The info header forms that start with the 40-byte one: plain, V4, V5.
    if ((infoSize != 40 && infoSize != 108 && infoSize != 124) || infoSize > size - kFileHeaderSize)
        return false;
    const int32_t width = static_cast<int32_t>(Read32(info + 4));
    const int32_t height = static_cast<int32_t>(Read32(info + 8));
    const uint16_t planes = Read16(info + 12);
    const uint16_t bits = Read16(info + 14);
    const uint32_t compression = Read32(info + 16);
    const uint32_t colorsUsed = Read32(info + 32);
    if (planes != 1 || compression != 0)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    const int64_t rows = height < 0 ? -int64_t(height) : int64_t(height);
    if (width < 1 || width > kMaxThumbnailSide || rows < 1 || rows > kMaxThumbnailSide)
        return false;
    uint64_t colors = 0;
    if (bits <= 8) {
        const uint64_t most = uint64_t(1) << bits;
        if (colorsUsed > most)
            return false;
        colors = colorsUsed != 0 ? colorsUsed : most;
    } else if (colorsUsed > 256) {
        return false;
    } else {
        colors = colorsUsed;
    }
    const uint64_t tableEnd = kFileHeaderSize + uint64_t(infoSize) + colors * 4;
    const uint64_t bitsOffset = Read32(data + 10);
    const uint64_t rowBytes = ((uint64_t(width) * bits + 31) / 32) * 4;
    if (bitsOffset < tableEnd || bitsOffset + rowBytes * uint64_t(rows) > size)
        return false;
    dib.infoOffset = kFileHeaderSize;
    dib.bitsOffset = static_cast<size_t>(bitsOffset);
    return true;
}

}  // namespace jobview
