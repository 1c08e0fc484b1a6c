#include "BalanceCurves.h"

#include "SeparationCore.h"

namespace {

// A level as a plot height; levels outside 0..255 are held to it.
int Height(int level, int right)
{
    const int held = level < 0 ? 0 : level > 255 ? 255 : level;
    return right - held * right / 255;
}

bool Diagonal(int* curve, int width, int n)
{
    if (n >= 1)
        return false;
    for (int i = 0; i < width; ++i)
        curve[i] = i;
    return true;
}

int HeldCount(int n)
{
    return n > CSeparationCore::kMaxSteps ? CSeparationCore::kMaxSteps : n;
}

}  // namespace

void InputBalanceCurve(int* curve, int width, const int* column, const int* middle, int n)
{
    if (Diagonal(curve, width, n))
        return;
    n = HeldCount(n);
    const int right = width - 1;
    int xs[CSeparationCore::kMaxSteps];
    int ys[CSeparationCore::kMaxSteps];
    for (int i = 0; i < n; ++i) {
        xs[i] = Height(column[n - 1 - i], right);
        ys[i] = Height(middle[n - 1 - i], right);
    }
    for (int x = 0; x < xs[0]; ++x)
        curve[x] = ys[0];
    for (int i = 0; i + 1 < n; ++i)
        CSeparationCore::LinearSegment(curve, xs[i], xs[i + 1], ys[i], ys[i + 1], right);
    for (int x = xs[n - 1]; x < width; ++x)
        curve[x] = ys[n - 1];
}

void OutputBalanceCurve(int* curve, int width, const int* column, int n)
{
    if (Diagonal(curve, width, n))
        return;
    n = HeldCount(n);
    const int right = width - 1;
    int ys[CSeparationCore::kMaxSteps];
    for (int i = 0; i < n; ++i)
        ys[i] = Height(column[n - 1 - i], right);
    CSeparationCore::BalanceToTable(ys, curve, n, right);
}
