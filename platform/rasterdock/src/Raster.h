// The library's inner pieces that need Windows: WIC decoding and the JPEG
// writer, beside the plain core of RasterCore.h.
#pragma once

#include "RasterCore.h"

#include <windows.h>

#include <cstddef>
#include <vector>

namespace rasterdock {

// WIC: any container WIC decodes. With box > 0 the decoder reduces while it
// decodes (by 1/2, 1/4, 1/8, as far as the result still covers the box) and
// the picture comes back smaller than its header says; false when the
// decoder cannot reduce. With box 0, the whole picture.
bool WicReadHeader(const BYTE* data, size_t size, Picture& picture);
bool WicDecode(const BYTE* data, size_t size, int box, Picture& picture);

// Whether WIC's JPEG decoder reduces while it decodes (found out once).
bool WicScalesJpeg();

// Encodes packed BGR (channels 3) or grey (channels 1) as a JPEG file with
// a JFIF density of 72 dpi. False, and no file, on failure.
bool WriteJpegFile(const char* path, const std::vector<BYTE>& pixels, int width, int height, int channels);

}  // namespace rasterdock
