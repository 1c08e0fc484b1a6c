// The PCX reader: 8-bit palette and RGB, 1-bit black and white, 16 colours.
#include "RasterCore.h"

#include <cstring>
#include <new>

namespace rasterdock {

namespace {

int Word(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

}  // namespace

bool PcxRead(const std::uint8_t* data, size_t size, bool withPixels, Picture& picture)
{
    if (data == nullptr || size < 128 || data[0] != 0x0A || data[2] > 1)
        return false;
    const int bits = data[3];
    const int planes = data[65];
    const int xmin = Word(data + 4), ymin = Word(data + 6), xmax = Word(data + 8), ymax = Word(data + 10);
    const int bytesPerLine = Word(data + 66);
    if (xmax < xmin || ymax < ymin)
        return false;
    const int width = xmax - xmin + 1;
    const int height = ymax - ymin + 1;
    if (bytesPerLine <= 0 || bytesPerLine * 8 < width * bits || double(width) * height > kMaxPixels)
        return false;

    // Layouts: 8-bit with 1 (palette), 3 (RGB) or 4 (RGB and a
    // fourth plane, dropped) planes; 1-bit black and white; 16 colours as
    // 1 bit x 4 planes or 4 bits x 1 plane.
    picture.width = width;
    picture.height = height;
    picture.xres = Word(data + 12) > 0 ? Word(data + 12) : 72;
    picture.yres = Word(data + 14) > 0 ? Word(data + 14) : 72;
    picture.palette.clear();
    const bool hasEndPalette = size >= 128 + 769 && data[size - 769] == 0x0C;
    if (bits == 8 && planes == 1) {
        if (!hasEndPalette)
            return false;  // it ends the file: without it the file was cut
        picture.mode = 6;
        picture.depth = 8;
        for (int i = 0; i < 256; ++i) {
            const std::uint8_t* rgb = data + size - 768 + 3 * i;
            picture.palette.push_back({rgb[2], rgb[1], rgb[0], 0});
        }
        picture.channels = 1;
    } else if (bits == 8 && (planes == 3 || planes == 4)) {
        picture.mode = 4;
        picture.depth = 24;
        picture.channels = 3;
    } else if (bits == 1 && planes == 1) {
        picture.mode = 2;
        picture.depth = 1;
        picture.channels = 1;
    } else if ((bits == 1 && planes == 4) || (bits == 4 && planes == 1)) {
        picture.mode = 6;
        picture.depth = 4;
        picture.channels = 1;
        for (int i = 0; i < 16; ++i) {
            const std::uint8_t* rgb = data + 16 + 3 * i;
            picture.palette.push_back({rgb[2], rgb[1], rgb[0], 0});
        }
    } else {
        return false;
    }
    if (!withPixels)
        return true;

    const bool rle = data[2] == 1;
    const size_t end = picture.mode == 6 && picture.depth == 8 ? size - 769 : size;
    const size_t lineBytes = size_t(bytesPerLine) * planes;
    // A run gives at most 63 bytes: a file too short for its size is cut,
    // found out before anything the size asks for is allocated.
    if (double(end - 128) * (rle ? 63 : 1) < double(lineBytes) * height)
        return false;
    try {
        std::vector<std::uint8_t> line(lineBytes);
        picture.samples.assign(size_t(width) * height * picture.channels, 0);
        size_t pos = 128;
        for (int y = 0; y < height; ++y) {
            size_t filled = 0;
            while (filled < lineBytes) {
                if (pos >= end)
                    return false;  // truncated
                std::uint8_t value = data[pos++];
                size_t count = 1;
                if (rle && (value & 0xC0) == 0xC0) {
                    count = value & 0x3F;
                    if (pos >= end)
                        return false;
                    value = data[pos++];
                }
                // A run may cross into the next line: that is malformed.
                if (count > lineBytes - filled)
                    return false;
                std::memset(line.data() + filled, value, count);
                filled += count;
            }
            std::uint8_t* out = picture.samples.data() + size_t(y) * width * picture.channels;
            for (int x = 0; x < width; ++x) {
                if (picture.channels == 3) {
                    out[3 * x + 2] = line[x];
                    out[3 * x + 1] = line[bytesPerLine + x];
                    out[3 * x + 0] = line[2 * bytesPerLine + x];
                } else if (bits == 8) {
                    out[x] = line[x];
                } else if (bits == 1 && planes == 1) {
                    out[x] = (line[x / 8] >> (7 - x % 8)) & 1 ? 255 : 0;
                } else if (bits == 4) {
                    out[x] = (line[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
                } else {
                    int index = 0;
                    for (int p = 0; p < 4; ++p)
                        index |= ((line[p * bytesPerLine + x / 8] >> (7 - x % 8)) & 1) << p;
                    out[x] = std::uint8_t(index);
                }
            }
        }
    } catch (const std::bad_alloc&) {
        picture.samples.clear();
        return false;
    }
    return true;
}

}  // namespace rasterdock
