// The colour model rules of the convert library, over plain bytes and
// floats: RGB and CMYK (the built-in rule of command 2), RGB and HSL.
#pragma once

#include <cstdint>

namespace convert {

// K = 255 - max(R, G, B); each of C, M, Y = (255 - X - K) x 255 / (255 - K),
// rounded; black gives 0, 0, 0, 255.
void RgbToCmyk(const uint8_t rgb[3], uint8_t cmyk[4]);
// X = (255 - C') x (255 - K) / 255, rounded, for each of R, G, B.
void CmykToRgb(const uint8_t cmyk[4], uint8_t rgb[3]);

// Hue in degrees 0 up to 360, saturation and lightness 0 to 100 (the
// standard double-cone HSL). Greys have hue and saturation 0.
void RgbToHsl(const uint8_t rgb[3], float hsl[3]);
// Out-of-range hues wrap around; saturation and lightness are clamped.
void HslToRgb(const float hsl[3], uint8_t rgb[3]);

}  // namespace convert
