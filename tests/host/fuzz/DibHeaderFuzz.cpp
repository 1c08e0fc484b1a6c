// The packed DIB header check over any bytes: whatever it accepts lies
// inside the block, and its rows are all there to be read.
#include "DibHeader.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A block of exactly the input's size, so that AddressSanitizer sees
    // any read past it.
    const std::vector<std::uint8_t> block(data, data + size);
    general::DibLayout layout;
    if (!general::ReadDibHeader(block.empty() ? nullptr : block.data(), block.size(), layout))
        return 0;
    if (layout.totalBytes > size || layout.pixelOffset + std::uint64_t(layout.rowBytes) * layout.height != layout.totalBytes ||
        layout.width < 1 || layout.height < 1 || layout.rowBytes * 8ull < std::uint64_t(layout.width) * layout.bitCount)
        std::abort();
    unsigned sum = 0;
    for (std::int32_t row = 0; row < layout.height; row++)
        sum += block[layout.pixelOffset + std::uint64_t(row) * layout.rowBytes + layout.rowBytes - 1];
    return static_cast<int>(sum & 0);
}
