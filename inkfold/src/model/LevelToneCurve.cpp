#include "LevelToneCurve.h"

namespace {

// Zero at 0 and at the right end, the amount at the centre.
double Bump(int amount, int centre, int right, int x)
{
    if (x < centre) {
        const float rise = static_cast<float>(2.0 * amount / centre);
        const float bend = static_cast<float>(static_cast<double>(amount) / (static_cast<double>(centre) * centre));
        return static_cast<double>(rise) * x - static_cast<double>(bend) * x * x;
    }
    const int span = right - centre;
    if (span <= 0)
        return amount;
    const float fall = static_cast<float>(static_cast<double>(amount) / (static_cast<double>(span) * span));
    const double d = x - centre;
    return amount - static_cast<double>(fall) * d * d;
}

}  // namespace

void LevelToneCurve(int* curve, int width, int dark, int middle, int bright)
{
    const int right = width - 1;
    const int xd = 75 * right / 100;
    const int xm = 50 * right / 100;
    const int xb = 25 * right / 100;
    for (int x = 0; x < width; ++x) {
        int y = static_cast<int>(x + 0.5 + Bump(bright, xb, right, x) + Bump(middle, xm, right, x) +
                                 Bump(dark, xd, right, x));
        curve[x] = y < 0 ? 0 : y > right ? right : y;
    }
}
