// The PCX reader over any bytes, header alone and with the pixels: a
// picture it accepts is whole, and a thumbnail can be made of it.
#include "PictureChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    rasterdock::Picture header;
    const bool headerRead = rasterdock::PcxRead(data, size, false, header);
    if (headerRead)
        CheckAndShrink(header, false);
    rasterdock::Picture picture;
    if (rasterdock::PcxRead(data, size, true, picture)) {
        if (!headerRead)
            std::abort();
        CheckAndShrink(picture, true);
    }
    return 0;
}
