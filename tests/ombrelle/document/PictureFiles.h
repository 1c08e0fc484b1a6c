// Picture files for the document and view tests: a BMP written byte by byte
// with known pixels, other formats converted from it, and the host's
// ImageMagick as an independent reader.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace doctest {

// Colour of the pixel (x, y), y counted from the top.
using PixelFn = std::function<COLORREF(int x, int y)>;

// A 24-bit BMP of that size.
bool WriteBmp(const std::string& path, int width, int height, const PixelFn& pixel);

// A picture in the format of the path's extension (bmp, jpg, tif, gif, png),
// made from a BMP by the host's ImageMagick.
bool WritePicture(const std::string& path, int width, int height, const PixelFn& pixel);

// One colour everywhere.
bool WritePicture(const std::string& path, int width, int height, COLORREF colour);

// What the host's ImageMagick reads in the file: "<format> <width>x<height>"
// ("JPEG 400x300"); "" when it cannot read it.
std::string Identify(const std::string& path);

}  // namespace doctest
