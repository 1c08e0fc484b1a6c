#include "BlackPreview.h"

#include <cmath>

void BlackPreviewCurve(int* curve, int width, float level, int start, int end, int minimum, int maximum)
{
    const int w = width;
    const int a = w - w * end / 100;
    const int b = w - w * maximum / 100;
    const int d = w - w * minimum / 100;
    const int s = w - w * start / 100;
    if (level == 0.0f || start == 100 || s <= 0) {
        for (int i = 0; i < w; ++i)
            curve[i] = w;
        return;
    }
    for (int i = 0; i < a; ++i)
        curve[w - 1 - i] = w - (i * b) / a;
    // Runs only while a < s, where base is positive.
    const double step = static_cast<double>(w) / s;
    const double base = w - a * step;
    const double exponent = 10.0 / level;
    for (int j = a; j < s; ++j)
        curve[w - 1 - j] = static_cast<int>(std::pow((w - j * step) / base, exponent) * (d - b) + 0.5) - d + w;
    for (int j = s; j < w; ++j)
        curve[w - 1 - j] = w - d;
}
