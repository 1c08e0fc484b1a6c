// Packed BGR from any decoded picture, the size fitted into a box and
// area-average resampling.
#include "RasterCore.h"

#include <algorithm>

namespace rasterdock {

void ToBgr(const Picture& picture, std::vector<std::uint8_t>& bgr)
{
    const size_t pixels = size_t(picture.width) * picture.height;
    bgr.assign(pixels * 3, 0);
    const std::uint8_t* in = picture.samples.data();
    for (size_t i = 0; i < pixels; ++i) {
        std::uint8_t* out = &bgr[i * 3];
        if (picture.channels == 3) {
            out[0] = in[3 * i];
            out[1] = in[3 * i + 1];
            out[2] = in[3 * i + 2];
        } else if (picture.channels == 4) {
            const int k = 255 - in[4 * i + 3];
            out[0] = std::uint8_t((255 - in[4 * i + 2]) * k / 255);
            out[1] = std::uint8_t((255 - in[4 * i + 1]) * k / 255);
            out[2] = std::uint8_t((255 - in[4 * i + 0]) * k / 255);
        } else if (!picture.palette.empty()) {
            const std::uint8_t index = in[i];
            if (index < picture.palette.size()) {
                out[0] = picture.palette[index].blue;
                out[1] = picture.palette[index].green;
                out[2] = picture.palette[index].red;
            }
        } else {
            out[0] = out[1] = out[2] = in[i];
        }
    }
}

void FitBox(int width, int height, int box, int& fitWidth, int& fitHeight)
{
    fitWidth = width;
    fitHeight = height;
    if (box <= 0 || (width <= box && height <= box))
        return;
    if (width >= height) {
        fitWidth = box;
        fitHeight = int((long long)height * box * 2 / width + 1) / 2;
    } else {
        fitHeight = box;
        fitWidth = int((long long)width * box * 2 / height + 1) / 2;
    }
    fitWidth = std::max(fitWidth, 1);
    fitHeight = std::max(fitHeight, 1);
}

void Resample(const std::vector<std::uint8_t>& source, int width, int height, int channels, int newWidth, int newHeight,
              std::vector<std::uint8_t>& target)
{
    if (newWidth == width && newHeight == height) {
        target = source;
        return;
    }
    // Each target sample is the mean of the source samples its area covers
    // (whole samples: the box edges are rounded down). Rows first, then
    // columns.
    std::vector<unsigned> rows(size_t(newWidth) * height * channels);
    std::vector<int> xs(newWidth + 1);
    for (int x = 0; x <= newWidth; ++x)
        xs[x] = int((long long)x * width / newWidth);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = source.data() + size_t(y) * width * channels;
        unsigned* out = rows.data() + size_t(y) * newWidth * channels;
        for (int x = 0; x < newWidth; ++x) {
            const int x0 = xs[x];
            const int x1 = std::max(xs[x + 1], x0 + 1);
            for (int c = 0; c < channels; ++c) {
                unsigned sum = 0;
                for (int sx = x0; sx < x1; ++sx)
                    sum += in[sx * channels + c];
                out[x * channels + c] = unsigned((unsigned long long)sum * 256 / unsigned(x1 - x0));
            }
        }
    }
    target.assign(size_t(newWidth) * newHeight * channels, 0);
    for (int y = 0; y < newHeight; ++y) {
        const int y0 = int((long long)y * height / newHeight);
        const int y1 = std::max(int((long long)(y + 1) * height / newHeight), y0 + 1);
        std::uint8_t* out = target.data() + size_t(y) * newWidth * channels;
        for (int i = 0; i < newWidth * channels; ++i) {
            unsigned long long sum = 0;
            for (int sy = y0; sy < y1; ++sy)
                sum += rows[size_t(sy) * newWidth * channels + i];
            out[i] = std::uint8_t((sum / unsigned(y1 - y0) + 128) / 256);
        }
    }
}

}  // namespace rasterdock
