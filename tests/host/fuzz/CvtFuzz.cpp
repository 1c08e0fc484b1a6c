// The conversion table checks over any bytes.
#include "CvtTable.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    const bool cmyk = convert::IsValidTable("dto.cvt", bytes);
    // Any table that is not empty is readable; the CMYK table also needs
    // its header and its pixels.
    if (convert::IsValidTable("otd.cvt", bytes) != !bytes.empty() || (cmyk && size < 212))
        std::abort();
    return 0;
}
