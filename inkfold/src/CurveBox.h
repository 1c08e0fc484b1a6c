// The plot of a separation sub-dialog as its dialog draws it: the geometry
// taken from a frame control, the grey grid, curves and handle marks.
#pragma once

#include "afxwin.h"

#include <vector>

#include "CurvePlot.h"

class CCurveBox : public CCurvePlot {
public:
    // Reads the frame's client rectangle in the dialog's client coordinates.
    void Setup(CWnd* pDialog, int nFrameID);

    // The square the plot is drawn in, to have it painted again.
    CRect PlotRect() const;

    void DrawGrid(CDC* pDC) const;
    // Entry i at (x0 + i, y0 - curve[i]); mask mode ANDs the pen with the
    // screen, so that overlapping curves mix their colours.
    void DrawCurve(CDC* pDC, const std::vector<int>& curve, COLORREF colour, bool bMask) const;
    void DrawHandles(CDC* pDC, const int* heights) const;
};
