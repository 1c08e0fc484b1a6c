// The tone curve of one ink as the adjust-level dialog shows it, on a plot
// of width W: the diagonal lifted or lowered by three parabolic bumps
// centred at a quarter (bright), half (middle) and three quarters (dark) of
// the width, each amount in plot pixels. Entries are held to 0..W - 1.
#pragma once

#include "InkfoldApi.h"

INKFOLD_API void LevelToneCurve(int* curve, int width, int dark, int middle, int bright);
