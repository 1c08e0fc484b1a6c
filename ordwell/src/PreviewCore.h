// The texts and the fitting of the open-from-job preview: plain C++ over
// numbers (no windows.h).
#pragma once

#include <string>

namespace preview {

// "<w>(H)*<h>(V)Pixels," and the file length: whole thousands of bytes as
// "KB" (at least 1 for a non-empty file, 0 for an empty one) below
// 1,000,000 bytes, else whole millions as "MB".
std::string SizeText(int width, int height, unsigned long long length);

// The colour mode's name (none for a mode without one), then both
// resolutions: "RGB(24bits),72.000Dpi(H),72.000Dpi(V)".
std::string TypeText(int colorMode, double xResolution, double yResolution);

// The rectangle (x, y, width, height) of a picture fitted into a box of
// boxWidth x boxHeight: the longer side fills the box less one pixel, the
// shorter one is scaled and centred. False, and out untouched, when the
// picture or the box has no area.
bool FitIntoBox(int boxWidth, int boxHeight, unsigned long width, unsigned long height, int out[4]);

}  // namespace preview
