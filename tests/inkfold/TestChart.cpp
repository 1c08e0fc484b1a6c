#include "TestChart.h"

#include <vector>

namespace inktest {

namespace {

void Put16(std::string& out, size_t at, uint32_t v)
{
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, size_t at, uint32_t v)
{
    Put16(out, at, v & 0xFFFF);
    Put16(out, at + 2, v >> 16);
}

struct Entry {
    uint32_t tag, type, count, value;
};

}  // namespace

std::string MakeChart(const ChartSpec& spec)
{
    const uint32_t kShort = 3, kLong = 4, kRational = 5;
    const uint32_t entries = 11;
    const uint32_t ifdEnd = spec.ifdOffset + 2 + 12 * entries + 4;
    const uint32_t bitsAt = spec.bitsOffset != 0 ? spec.bitsOffset : ifdEnd;
    const uint32_t naturalRes = ifdEnd + 2 * static_cast<uint32_t>(spec.samples);
    const uint32_t xResAt = spec.xResOffset != 0 ? spec.xResOffset : naturalRes;
    const uint32_t yResAt = naturalRes + 8;
    const uint32_t dataAt = naturalRes + 16;
    const uint32_t bytesPerSample = spec.bits / 8;
    const uint32_t dataBytes = spec.width * spec.height * spec.samples * bytesPerSample;

    const std::vector<Entry> ifd = {
        {256, kShort, 1, static_cast<uint32_t>(spec.width)},
        {257, kShort, 1, static_cast<uint32_t>(spec.height)},
        {258, kShort, static_cast<uint32_t>(spec.samples), spec.samples == 1 ? 8u : bitsAt},
        {259, kShort, 1, static_cast<uint32_t>(spec.compression)},
        {262, kShort, 1, spec.samples >= 3 ? 2u : 1u},
        {273, kLong, 1, dataAt},
        {277, kShort, 1, static_cast<uint32_t>(spec.samples)},
        {279, kLong, 1, dataBytes},
        {282, kRational, 1, xResAt},
        {283, kRational, 1, yResAt},
        {284, kShort, 1, static_cast<uint32_t>(spec.planar)},
    };

    std::string out(dataAt + dataBytes, '\0');
    out[0] = out[1] = 'I';
    Put16(out, 2, 42);
    Put32(out, 4, spec.ifdOffset);
    Put16(out, spec.ifdOffset, entries);
    for (size_t i = 0; i < ifd.size(); ++i) {
        const size_t at = spec.ifdOffset + 2 + 12 * i;
        Put16(out, at, ifd[i].tag);
        Put16(out, at + 2, ifd[i].type);
        Put32(out, at + 4, ifd[i].count);
        if (ifd[i].type == kShort && ifd[i].count == 1)
            Put16(out, at + 8, ifd[i].value);
        else
            Put32(out, at + 8, ifd[i].value);
    }
    if (spec.samples > 1 && bitsAt + 2 * spec.samples <= out.size())
        for (int s = 0; s < spec.samples; ++s)
            Put16(out, bitsAt + 2 * s, static_cast<uint32_t>(spec.bits));
    for (uint32_t at : {xResAt, yResAt}) {
        if (at + 8 <= out.size()) {
            Put32(out, at, 300);
            Put32(out, at + 4, 1);
        }
    }
    size_t at = dataAt;
    for (int y = 0; y < spec.height; ++y)
        for (int x = 0; x < spec.width; ++x)
            for (int s = 0; s < spec.samples; ++s)
                for (uint32_t b = 0; b < bytesPerSample; ++b)
                    out[at++] = static_cast<char>(spec.sample(x, y, s));
    out.resize(out.size() - spec.cutBytes);
    return out;
}

}  // namespace inktest
