// The black generation curve as its dialog previews it, on a plot of width
// W: flat at the minimum up to the start position, a power curve with
// exponent 10 / level up to the maximum at the end position, then straight
// up to full height at the right edge. Entries may reach W (full height).
#pragma once

#include "InkfoldApi.h"

// Percentages 0..100: start and end positions, minimum and maximum amounts.
INKFOLD_API void BlackPreviewCurve(int* curve, int width, float level, int start, int end, int minimum,
                                   int maximum);
