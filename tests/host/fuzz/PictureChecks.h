// What every reader's picture must hold, and the way a thumbnail is made of
// it (packed BGR, fitted into a box, resampled), run on each picture read.
#pragma once

#include "RasterCore.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

inline void CheckAndShrink(const rasterdock::Picture& picture, bool withPixels)
{
    if (picture.width <= 0 || picture.height <= 0 || double(picture.width) * picture.height > rasterdock::kMaxPixels)
        std::abort();
    if (!withPixels)
        return;
    if (picture.samples.size() != std::size_t(picture.width) * picture.height * picture.channels)
        std::abort();
    std::vector<std::uint8_t> bgr;
    rasterdock::ToBgr(picture, bgr);
    int width = 0;
    int height = 0;
    rasterdock::FitBox(picture.width, picture.height, 16, width, height);
    if (width < 1 || height < 1 || width > 16 || height > 16)
        std::abort();
    std::vector<std::uint8_t> thumbnail;
    rasterdock::Resample(bgr, picture.width, picture.height, 3, width, height, thumbnail);
    if (thumbnail.size() != std::size_t(width) * height * 3)
        std::abort();
}
