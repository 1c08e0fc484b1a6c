// The colour chart's TIFF header over any bytes, and the conversion of a
// chart it accepts into table rows, as the separation dialog does it.
#include "ConversionTable.h"
#include "SeparationCore.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

const CSeparationCore& Model()
{
    static const CSeparationCore model = [] {
        CSeparationCore built;
        built.BuildTables();
        return built;
    }();
    return model;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CTifChartInfo info;
    const std::size_t head = size < kChartHeadBytes ? size : std::size_t(kChartHeadBytes);
    if (!ReadTifChartInfo(data, head, size, info) || !IsConvertibleChart(info, size))
        return 0;
    if (info.samples < 3 || info.width == 0 || info.height == 0 ||
        std::size_t(info.width) * info.height * 3 > kChartBufferBytes ||
        info.stripOffset + std::uint64_t(info.width) * info.height * info.samples > size)
        std::abort();
    std::vector<unsigned char> row(std::size_t(info.width) * 4);
    const std::uint8_t* pixels = data + info.stripOffset;
    for (int y = 0; y < info.height; ++y)
        ConvertChartRow(Model(), pixels + std::size_t(y) * info.width * info.samples, info.width, info.samples,
                        row.data());
    return 0;
}
