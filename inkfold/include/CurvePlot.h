// The square plot of the separation's sub-dialogs, without windows: where
// the plot and its five handles stand, which handle a point hits, how a
// drag moves a handle, and the conversion between the plot's ink heights
// and the model's levels (255 = no ink). Heights run 0..W - 1 upwards;
// entry i of a display curve stands at x0 + i.
#pragma once

#include <vector>

#include "InkfoldApi.h"

class INKFOLD_API CCurvePlot {
public:
    enum { kHandles = 5 };

    CCurvePlot();

    // The frame's client rectangle in dialog coordinates.
    void SetFrame(int left, int top, int right, int bottom);

    int Left() const { return m_nLeft; }
    int Right() const { return m_nRight; }
    int Bottom() const { return m_nBottom; }
    int OriginX() const { return m_nLeft + 1; }
    int BaselineY() const { return m_nBottom - 1; }
    int Width() const { return m_nWidth; }   // W: entries of a display curve
    int Quarter(int k) const { return m_nQuarter[k]; }   // k = 0, 1, 2
    int HandleX(int k) const { return m_nHandleX[k]; }

    // 1..5 for the first handle whose 4-pixel square holds the point
    // (right and bottom edges excluded), 0 for none.
    int HitTest(const int* heights, int x, int y) const;
    // A dragged handle's height for the pointer at y, held to 0..W - 1.
    int DragHeight(int y) const;

    // Handles from the model's five levels (the first goes right), and back
    // (negatives become 0).
    void ModelToDisplay(const int* points, int* heights) const;
    void DisplayToModel(const int* heights, int* points) const;
    // The handles' x positions on a 256-entry model table.
    void ModelX(int* xs) const;

    // Handles set on a display curve of W entries.
    void HandlesFromCurve(const std::vector<int>& curve, int* heights) const;
    // The display curve through the five handles.
    void CurveFromHandles(const int* heights, std::vector<int>& curve) const;
    // Handle 1..5 dragged to the pointer at y, and the curve through the
    // handles anew.
    void DragHandle(int handle, int y, int* heights, std::vector<int>& curve) const;

private:
    // W - 1, kept at 1 or more so that a frame too narrow to plot in divides
    // by nothing.
    int Span() const { return m_nWidth > 1 ? m_nWidth - 1 : 1; }

    int m_nLeft, m_nTop, m_nRight, m_nBottom;
    int m_nWidth;
    int m_nQuarter[3];
    int m_nHandleX[kHandles];
};
