// The library's plain core: decoded pictures, our own readers (PCX, raw,
// the JPEG header and its DC reduction) and resampling. Bytes and numbers
// only, no windows.h, so that each reader can be fed a damaged file in tests
// without an image object around it, and built on the host under the
// sanitizers and the fuzzer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace rasterdock {

// A palette entry in the order of the image objects' palettes (blue, green,
// red, one unused byte).
struct PaletteColor {
    std::uint8_t blue;
    std::uint8_t green;
    std::uint8_t red;
    std::uint8_t unused;
};

// A decoded picture: top-down rows, samples interleaved. channels 1 (grey,
// bitmap 0/255 or palette index), 3 (blue, green, red) or 4 (cyan, magenta,
// yellow, black). Header readers fill everything but samples.
struct Picture {
    int width = 0;
    int height = 0;
    int channels = 0;
    int mode = 0;   // colour mode code, as in Rasterdock.h
    int depth = 0;  // bit depth reported to callers
    double xres = 72.0;
    double yres = 72.0;
    std::vector<PaletteColor> palette;
    std::vector<std::uint8_t> samples;
};

// Largest picture the readers take on (pixels): a header claiming more is
// treated as malformed rather than trusted with an allocation.
const double kMaxPixels = 200.0 * 1000 * 1000;

// Our own readers (no WIC codec for them).
bool PcxRead(const std::uint8_t* data, std::size_t size, bool withPixels, Picture& picture);
bool RawRead(const std::uint8_t* data, std::size_t size, bool withPixels, Picture& picture);

// A JPEG's size, colour mode and JFIF density (72 dpi when it gives none)
// from its markers, without decoding: WIC's decoder under Wine decodes the
// whole picture as soon as it is made.
bool JpegReadHeader(const std::uint8_t* data, std::size_t size, Picture& picture);

// A baseline JPEG reduced to 1/8 by its DC coefficients alone (each 8 x 8
// block becomes its mean), without decoding the rest. False for anything it
// does not take (progressive, arithmetic coding, CMYK ...) or damage.
bool JpegDcReduce(const std::uint8_t* data, std::size_t size, Picture& picture);

// 24-bit BGR, top-down, 3 bytes a pixel, no padding.
void ToBgr(const Picture& picture, std::vector<std::uint8_t>& bgr);

// The size of a w x h picture fitted into box x box (never enlarged; box 0
// keeps the size).
void FitBox(int width, int height, int box, int& fitWidth, int& fitHeight);

// Area-average resampling of packed BGR (or grey with channels 1).
void Resample(const std::vector<std::uint8_t>& source, int width, int height, int channels, int newWidth,
              int newHeight, std::vector<std::uint8_t>& target);

}  // namespace rasterdock
