// Display curves of the grey balance dialogs from their grey-step tables,
// on a plot of width W (heights 0..W - 1, levels 255 = no ink). With no
// steps the curve is the diagonal; one step gives a flat line at its value.
#pragma once

#include "InkfoldApi.h"

// Input side: the column's steps against the middle column's, from the last
// step to the first.
INKFOLD_API void InputBalanceCurve(int* curve, int width, const int* column, const int* middle, int n);
// Output side: the column's steps spread evenly over the width.
INKFOLD_API void OutputBalanceCurve(int* curve, int width, const int* column, int n);
