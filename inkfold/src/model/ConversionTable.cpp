#include "ConversionTable.h"

#include <cstring>

#include "SeparationCore.h"

namespace {

uint32_t U16(const unsigned char* p)
{
    return p[0] | (p[1] << 8);
}

uint32_t U32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void Put16(unsigned char* p, uint32_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

void Put32(unsigned char* p, uint32_t v)
{
    Put16(p, v);
    Put16(p + 2, v >> 16);
}

const uint32_t kTypeLong = 4;

// The bytes [offset, offset + size) lie within the first limit bytes.
bool Within(uint64_t offset, uint64_t size, uint64_t limit)
{
    return offset <= limit && size <= limit - offset;
}

// Reads one IFD entry into info; false when a check fails.
bool ReadEntry(const unsigned char* head, uint64_t limit, const unsigned char* entry, CTifChartInfo& info)
{
    const uint32_t tag = U16(entry);
    const uint32_t type = U16(entry + 2);
    const uint32_t count = U32(entry + 4);
    const unsigned char* value = entry + 8;
    const uint32_t offset = U32(value);
    switch (tag) {
    case 256:   // ImageWidth
    case 257:   // ImageLength
        // Held in 16 bits: a longer value would be cut, not refused.
        if (type == kTypeLong && offset > 0xFFFF)
            return false;
        (tag == 256 ? info.width : info.height) = static_cast<uint16_t>(U16(value));
        return true;
    case 258:   // BitsPerSample
        if (count >= 2) {
            const uint32_t n = count < 4 ? count : 4;
            if (!Within(offset, 2 * n, limit))
                return false;
            for (uint32_t i = 0; i < n; ++i)
                if (U16(head + offset + 2 * i) != 8)
                    return false;
            info.bits = 8;
        } else {
            info.bits = static_cast<uint16_t>(U16(value));
        }
        return true;
    case 259:   // Compression
        return U16(value) == 1;
    case 262: {  // colour interpretation
        const uint32_t v = U16(value);
        info.photometric = v == 1 || v == 5 ? 1 : 0;
        return true;
    }
    case 263: {  // Threshholding
        const uint32_t v = U16(value);
        if (v == 1)
            info.threshholding = 0;
        else if (v == 2)
            info.threshholding = 1;
        return true;
    }
    case 273:   // StripOffsets
        if (count >= 2) {
            const uint32_t n = count < 4 ? count : 4;
            if (!Within(offset, 4 * n, limit))
                return false;
            for (uint32_t i = 0; i < n; ++i)
                info.strips[i] = U32(head + offset + 4 * i);
        } else {
            info.strips[0] = offset;
        }
        info.stripOffset = info.strips[0];
        return true;
    case 277:   // SamplesPerPixel
        info.samples = static_cast<uint16_t>(U16(value));
        return true;
    case 282:   // XResolution
    case 283: {  // YResolution
        if (!Within(offset, 8, limit))
            return false;
        uint32_t* rational = tag == 282 ? info.xResolution : info.yResolution;
        rational[0] = U32(head + offset);
        rational[1] = U32(head + offset + 4);
        return true;
    }
    case 284:   // PlanarConfiguration
        info.planar = U16(value) == 1 ? 1 : 0;
        return true;
    case 748:
        info.privateTag = 1;
        info.privateValue = value[0];
        return true;
    default:
        return true;
    }
}

}  // namespace

bool ReadTifChartInfo(const unsigned char* head, size_t headBytes, uint64_t fileBytes, CTifChartInfo& info)
{
    std::memset(&info, 0, sizeof info);
    uint64_t limit = headBytes < fileBytes ? headBytes : fileBytes;
    if (limit > kChartHeadBytes)
        limit = kChartHeadBytes;
    // Only little-endian charts are read.
    bool ok = limit >= 8 && head[0] == 'I' && head[1] == 'I' && U16(head + 2) == 42;
    const uint32_t ifd = ok ? U32(head + 4) : 0;
    ok = ok && Within(ifd, 2, limit);
    const uint32_t entries = ok ? U16(head + ifd) : 0;
    ok = ok && Within(ifd + 2, 12ull * entries, limit);
    for (uint32_t i = 0; ok && i < entries; ++i)
        ok = ReadEntry(head, limit, head + ifd + 2 + 12 * i, info);
    info.failed = ok ? 0 : 1;
    return ok;
}

bool IsConvertibleChart(const CTifChartInfo& info, uint64_t fileBytes)
{
    if (info.failed || info.bits != 8 || (info.samples != 3 && info.samples != 4) || info.planar != 1)
        return false;
    const uint64_t pixels = static_cast<uint64_t>(info.width) * info.height;
    if (pixels == 0 || pixels * 3 > kChartBufferBytes)
        return false;
    return Within(info.stripOffset, pixels * info.samples, fileBytes);
}

void FillCvtHead(unsigned char head[kCvtHeadBytes], int width, int height, int samples)
{
    std::memset(head, 0, kCvtHeadBytes);
    const uint32_t w = static_cast<uint32_t>(width);
    const uint32_t h = static_cast<uint32_t>(height);
    const uint32_t plane = w * h;
    head[0] = head[1] = 'I';
    Put16(head + 2, 42);
    Put32(head + 4, 50);
    for (int i = 0; i < 4; ++i) {
        Put16(head + 8 + 2 * i, 8);
        Put32(head + 16 + 4 * i, kCvtHeadBytes + i * plane);
    }
    Put32(head + 32, 300);
    Put32(head + 36, 1);
    Put32(head + 40, 300);
    Put32(head + 44, 1);
    const uint32_t s = static_cast<uint32_t>(samples);
    const uint32_t entries[13][4] = {
        {254, 4, 1, 0},
        {256, 4, 1, w},
        {257, 4, 1, h},
        {258, 3, s, 8},
        {259, 3, 1, 1},
        {262, 3, 1, s == 3 ? 2u : 5u},
        {273, 4, s, 16},
        {277, 3, 1, s},
        {278, 4, 1, h},
        {282, 5, 1, 32},
        {283, 5, 1, 40},
        {284, 3, 1, 1},
        {748, 4, 1, s},
    };
    Put16(head + 50, 13);
    for (int i = 0; i < 13; ++i) {
        unsigned char* entry = head + 52 + 12 * i;
        Put16(entry, entries[i][0]);
        Put16(entry + 2, entries[i][1]);
        Put32(entry + 4, entries[i][2]);
        // A SHORT stands in the value field's first two bytes.
        if (entries[i][1] == 3)
            Put16(entry + 8, entries[i][3]);
        else
            Put32(entry + 8, entries[i][3]);
    }
    Put32(head + 208, 0);
}

void ConvertChartRow(const CSeparationCore& model, const unsigned char* chart, int width, int samples,
                     unsigned char* table)
{
    for (int x = 0; x < width; ++x) {
        const unsigned char* in = chart + x * samples;
        int c, m, y, k;
        model.ConvertColor(in[0], in[1], in[2], c, m, y, k);
        unsigned char* out = table + 4 * x;
        out[0] = static_cast<unsigned char>(255 - c);
        out[1] = static_cast<unsigned char>(255 - m);
        out[2] = static_cast<unsigned char>(255 - y);
        out[3] = static_cast<unsigned char>(255 - k);
    }
}
