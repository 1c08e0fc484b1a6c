#include "CurvePlot.h"

#include "SeparationCore.h"

CCurvePlot::CCurvePlot()
    : m_nLeft(0), m_nTop(0), m_nRight(0), m_nBottom(0), m_nWidth(0), m_nQuarter(), m_nHandleX()
{
}

void CCurvePlot::SetFrame(int left, int top, int right, int bottom)
{
    m_nLeft = left;
    m_nTop = top;
    m_nRight = right;
    m_nBottom = bottom;
    m_nWidth = right - left - 1;
    if (m_nWidth < 1)
        m_nWidth = 1;
    m_nQuarter[0] = static_cast<int>(0.25 * m_nWidth);
    m_nQuarter[1] = static_cast<int>(0.5 * m_nWidth);
    m_nQuarter[2] = static_cast<int>(0.75 * m_nWidth);
    m_nHandleX[0] = 0;
    m_nHandleX[1] = m_nQuarter[0];
    m_nHandleX[2] = m_nQuarter[1];
    m_nHandleX[3] = m_nQuarter[2];
    m_nHandleX[4] = m_nWidth - 1;
}

int CCurvePlot::HitTest(const int* heights, int x, int y) const
{
    for (int k = 0; k < kHandles; ++k) {
        const int cx = OriginX() + m_nHandleX[k];
        const int cy = BaselineY() - heights[k];
        if (x >= cx - 2 && x < cx + 2 && y >= cy - 2 && y < cy + 2)
            return k + 1;
    }
    return 0;
}

int CCurvePlot::DragHeight(int y) const
{
    const int height = BaselineY() - y;
    if (height < 0)
        return 0;
    if (height >= m_nWidth)
        return m_nWidth - 1;
    return height;
}

void CCurvePlot::ModelToDisplay(const int* points, int* heights) const
{
    for (int k = 0; k < kHandles; ++k)
        heights[k] = (m_nWidth - 1) - points[4 - k] * (m_nWidth - 1) / 255;
}

void CCurvePlot::DisplayToModel(const int* heights, int* points) const
{
    for (int j = 0; j < kHandles; ++j) {
        const int level = 255 - heights[4 - j] * 255 / Span();
        points[j] = level < 0 ? 0 : level;
    }
}

void CCurvePlot::ModelX(int* xs) const
{
    for (int j = 0; j < kHandles; ++j)
        xs[j] = m_nHandleX[j] * 255 / Span();
}

void CCurvePlot::HandlesFromCurve(const std::vector<int>& curve, int* heights) const
{
    for (int k = 0; k < kHandles; ++k) {
        const int x = m_nHandleX[k];
        heights[k] = x >= 0 && x < static_cast<int>(curve.size()) ? curve[x] : 0;
    }
}

void CCurvePlot::CurveFromHandles(const int* heights, std::vector<int>& curve) const
{
    curve.assign(m_nWidth, 0);
    CSeparationCore::FivePointCurve(curve.data(), m_nWidth, m_nHandleX, heights);
}

void CCurvePlot::DragHandle(int handle, int y, int* heights, std::vector<int>& curve) const
{
    heights[handle - 1] = DragHeight(y);
    CurveFromHandles(heights, curve);
}
