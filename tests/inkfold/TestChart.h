// Colour charts for the separation tests: little-endian TIFFs laid out as
// header, IFD, bits per sample, resolutions and pixel data, each part
// movable so that a test can break one rule at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace inktest {

struct ChartSpec {
    int width = 4;
    int height = 3;
    int samples = 3;
    int bits = 8;
    int compression = 1;
    int planar = 1;
    uint32_t ifdOffset = 8;      // where the IFD starts (bytes before it are 0)
    uint32_t bitsOffset = 0;     // 0: right after the IFD
    uint32_t xResOffset = 0;     // 0: right after the bits per sample
    size_t cutBytes = 0;         // bytes dropped from the end
    // Sample s of pixel (x, y), y from the top.
    std::function<uint8_t(int x, int y, int s)> sample = [](int x, int y, int s) {
        return static_cast<uint8_t>(s == 3 ? 77 : 40 * x + 60 * y + 25 * s);
    };
};

std::string MakeChart(const ChartSpec& spec);

}  // namespace inktest
