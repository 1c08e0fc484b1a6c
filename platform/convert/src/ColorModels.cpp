#include "ColorModels.h"

#include <algorithm>
#include <cmath>

namespace convert {

namespace {

uint8_t Byte(float value)
{
    long rounded = std::lround(value);
    return static_cast<uint8_t>(std::min(255L, std::max(0L, rounded)));
}

float Channel(float p, float q, float t)
{
    if (t < 0.0f)
        t += 1.0f;
    if (t > 1.0f)
        t -= 1.0f;
    if (t < 1.0f / 6.0f)
        return p + (q - p) * 6.0f * t;
    if (t < 0.5f)
        return q;
    if (t < 2.0f / 3.0f)
        return p + (q - p) * (2.0f / 3.0f - t) * 6.0f;
    return p;
}

}  // namespace

void RgbToCmyk(const uint8_t rgb[3], uint8_t cmyk[4])
{
    int k = 255 - std::max({rgb[0], rgb[1], rgb[2]});
    cmyk[3] = static_cast<uint8_t>(k);
    for (int i = 0; i < 3; i++) {
        if (k == 255) {
            cmyk[i] = 0;
            continue;
        }
        int rest = 255 - k;
        cmyk[i] = static_cast<uint8_t>(((255 - rgb[i] - k) * 255 + rest / 2) / rest);
    }
}

void CmykToRgb(const uint8_t cmyk[4], uint8_t rgb[3])
{
    for (int i = 0; i < 3; i++)
        rgb[i] = static_cast<uint8_t>(((255 - cmyk[i]) * (255 - cmyk[3]) + 127) / 255);
}

void RgbToHsl(const uint8_t rgb[3], float hsl[3])
{
    float r = rgb[0] / 255.0f, g = rgb[1] / 255.0f, b = rgb[2] / 255.0f;
    float high = std::max({r, g, b}), low = std::min({r, g, b});
    float l = (high + low) / 2.0f;
    float h = 0.0f, s = 0.0f;
    float d = high - low;
    if (d > 0.0f) {
        s = l > 0.5f ? d / (2.0f - high - low) : d / (high + low);
        if (high == r)
            h = (g - b) / d + (g < b ? 6.0f : 0.0f);
        else if (high == g)
            h = (b - r) / d + 2.0f;
        else
            h = (r - g) / d + 4.0f;
        h *= 60.0f;
        if (h >= 360.0f)
            h -= 360.0f;
    }
    hsl[0] = h;
    hsl[1] = s * 100.0f;
    hsl[2] = l * 100.0f;
}

void HslToRgb(const float hsl[3], uint8_t rgb[3])
{
    float h = std::isfinite(hsl[0]) ? std::fmod(hsl[0], 360.0f) : 0.0f;
    if (h < 0.0f)
        h += 360.0f;
    float s = std::isfinite(hsl[1]) ? std::min(100.0f, std::max(0.0f, hsl[1])) / 100.0f : 0.0f;
    float l = std::isfinite(hsl[2]) ? std::min(100.0f, std::max(0.0f, hsl[2])) / 100.0f : 0.0f;
    if (s == 0.0f) {
        rgb[0] = rgb[1] = rgb[2] = Byte(l * 255.0f);
        return;
    }
    float q = l < 0.5f ? l * (1.0f + s) : l + s - l * s;
    float p = 2.0f * l - q;
    float t = h / 360.0f;
    rgb[0] = Byte(Channel(p, q, t + 1.0f / 3.0f) * 255.0f);
    rgb[1] = Byte(Channel(p, q, t) * 255.0f);
    rgb[2] = Byte(Channel(p, q, t - 1.0f / 3.0f) * 255.0f);
}

}  // namespace convert
