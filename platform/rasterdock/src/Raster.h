// The library's inner pieces: decoded pictures, the readers, resampling and
// the JPEG writer. Plain code over bytes, so that each reader can be fed a
// damaged file in tests without an image object around it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

namespace rasterdock {

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
    std::vector<RGBQUAD> palette;
    std::vector<BYTE> samples;
};

// Largest picture the readers take on (pixels): a header claiming more is
// treated as malformed rather than trusted with an allocation.
const double kMaxPixels = 200.0 * 1000 * 1000;

// WIC: any container WIC decodes. With box > 0 the decoder reduces while it
// decodes (by 1/2, 1/4, 1/8, as far as the result still covers the box) and
// the picture comes back smaller than its header says; false when the
// decoder cannot reduce. With box 0, the whole picture.
bool WicReadHeader(const BYTE* data, size_t size, Picture& picture);
bool WicDecode(const BYTE* data, size_t size, int box, Picture& picture);

// Our own readers (no WIC codec for them).
bool PcxRead(const BYTE* data, size_t size, bool withPixels, Picture& picture);
bool RawRead(const BYTE* data, size_t size, bool withPixels, Picture& picture);

// A JPEG's size, colour mode and JFIF density (72 dpi when it gives none)
// from its markers, without decoding: WIC's decoder under Wine decodes the
// whole picture as soon as it is made.
bool JpegReadHeader(const BYTE* data, size_t size, Picture& picture);

// Whether WIC's JPEG decoder reduces while it decodes (found out once).
bool WicScalesJpeg();

// A baseline JPEG reduced to 1/8 by its DC coefficients alone (each 8 x 8
// block becomes its mean), without decoding the rest. False for anything it
// does not take (progressive, arithmetic coding, CMYK ...) or damage.
bool JpegDcReduce(const BYTE* data, size_t size, Picture& picture);

// 24-bit BGR, top-down, 3 bytes a pixel, no padding.
void ToBgr(const Picture& picture, std::vector<BYTE>& bgr);

// The size of a w x h picture fitted into box x box (never enlarged; box 0
// keeps the size).
void FitBox(int width, int height, int box, int& fitWidth, int& fitHeight);

// Area-average resampling of packed BGR (or grey with channels 1).
void Resample(const std::vector<BYTE>& source, int width, int height, int channels, int newWidth,
              int newHeight, std::vector<BYTE>& target);

// Encodes packed BGR (channels 3) or grey (channels 1) as a JPEG file with
// a JFIF density of 72 dpi. False, and no file, on failure.
bool WriteJpegFile(const char* path, const std::vector<BYTE>& pixels, int width, int height, int channels);

}  // namespace rasterdock
