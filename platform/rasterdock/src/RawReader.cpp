// The raw reader: square pictures of grey, RGB or CMYK samples, the layout
// told by the size alone.
#include "RasterCore.h"

#include <cmath>
#include <new>
#include <utility>

namespace rasterdock {

bool RawRead(const std::uint8_t* data, size_t size, bool withPixels, Picture& picture)
{
    if (data == nullptr || size == 0)
        return false;
    static const struct {
        int channels;
        int mode;
        int depth;
    } kLayouts[] = {{1, 3, 8}, {3, 4, 24}, {4, 5, 32}};
    for (const auto& layout : kLayouts) {
        if (size % layout.channels != 0)
            continue;
        const size_t pixels = size / layout.channels;
        size_t side = static_cast<size_t>(std::sqrt(double(pixels)) + 0.5);
        if (side * side != pixels || side > 65535)
            continue;
        picture.width = picture.height = int(side);
        picture.channels = layout.channels;
        picture.mode = layout.mode;
        picture.depth = layout.depth;
        picture.xres = picture.yres = 72.0;
        picture.palette.clear();
        if (withPixels) {
            try {
                picture.samples.assign(data, data + size);
            } catch (const std::bad_alloc&) {
                return false;
            }
            if (layout.channels == 3)  // stored red, green, blue
                for (size_t i = 0; i + 2 < size; i += 3)
                    std::swap(picture.samples[i], picture.samples[i + 2]);
        }
        return true;
    }
    return false;
}

}  // namespace rasterdock
