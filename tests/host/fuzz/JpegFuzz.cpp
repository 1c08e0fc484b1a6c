// The JPEG header reader and the DC reduction over any bytes: a picture
// either reader accepts is whole, and a thumbnail can be made of the
// reduced one.
#include "PictureChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    rasterdock::Picture header;
    if (rasterdock::JpegReadHeader(data, size, header))
        CheckAndShrink(header, false);
    rasterdock::Picture reduced;
    if (rasterdock::JpegDcReduce(data, size, reduced))
        CheckAndShrink(reduced, true);
    return 0;
}
