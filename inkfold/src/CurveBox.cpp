#include "CurveBox.h"

namespace {

const COLORREF kGrey = RGB(128, 128, 128);

}  // namespace

void CCurveBox::Setup(CWnd* pDialog, int nFrameID)
{
    CWnd* pFrame = pDialog->GetDlgItem(nFrameID);
    if (pFrame == NULL)
        return;
    CRect rect;
    pFrame->GetClientRect(&rect);
    pFrame->MapWindowPoints(pDialog, &rect);
    SetFrame(rect.left, rect.top, rect.right, rect.bottom);
}

CRect CCurveBox::PlotRect() const
{
    return CRect(Left(), Bottom() - (Width() - 1) - 1, Right(), Bottom());
}

void CCurveBox::DrawGrid(CDC* pDC) const
{
    CPen pen(PS_SOLID, 1, kGrey);
    CBrush brush(kGrey);
    CPen* pOldPen = pDC->SelectObject(&pen);
    const int oldMode = pDC->SetROP2(R2_COPYPEN);
    const int top = Bottom() - (Width() - 1) - 1;
    for (int k = 0; k < 3; ++k) {
        pDC->MoveTo(OriginX(), BaselineY() - Quarter(k));
        pDC->LineTo(Right() - 1, BaselineY() - Quarter(k));
        pDC->MoveTo(OriginX() + Quarter(k), top);
        pDC->LineTo(OriginX() + Quarter(k), Bottom());
    }
    CRect frame(Left(), top, Right(), Bottom());
    pDC->FrameRect(&frame, &brush);
    pDC->SetROP2(oldMode);
    pDC->SelectObject(pOldPen);
}

void CCurveBox::DrawCurve(CDC* pDC, const std::vector<int>& curve, COLORREF colour, bool bMask) const
{
    if (curve.empty())
        return;
    std::vector<POINT> points(curve.size());
    for (size_t i = 0; i < curve.size(); ++i) {
        points[i].x = OriginX() + static_cast<int>(i);
        points[i].y = BaselineY() - curve[i];
    }
    CPen pen(PS_SOLID, 1, colour);
    CPen* pOldPen = pDC->SelectObject(&pen);
    const int oldMode = pDC->SetROP2(bMask ? R2_MASKPEN : R2_COPYPEN);
    pDC->Polyline(points.data(), static_cast<int>(points.size()));
    pDC->SetROP2(oldMode);
    pDC->SelectObject(pOldPen);
}

void CCurveBox::DrawHandles(CDC* pDC, const int* heights) const
{
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&pen);
    const int oldMode = pDC->SetROP2(R2_COPYPEN);
    for (int k = 0; k < kHandles; ++k) {
        const int x = OriginX() + HandleX(k);
        const int y = BaselineY() - heights[k];
        pDC->Rectangle(x - 2, y - 2, x + 2, y + 2);
    }
    pDC->SetROP2(oldMode);
    pDC->SelectObject(pOldPen);
}
