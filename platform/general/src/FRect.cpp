// The out-of-line members of the float rectangle.
#include "General.h"

#include <algorithm>

namespace {

bool Empty(const tagFRECT& r, int bUpward)
{
    float height = bUpward ? r.top - r.bottom : r.bottom - r.top;
    return !(r.right - r.left > 0.0f) || !(height > 0.0f);
}

// Of two edges, the one met first and the one met last going from the top
// edge towards the bottom edge.
float Earlier(float a, float b, int bUpward) { return bUpward ? std::max(a, b) : std::min(a, b); }
float Later(float a, float b, int bUpward) { return bUpward ? std::min(a, b) : std::max(a, b); }

}  // namespace

void CFRect::SetRect(float l, float t, float r, float b)
{
    left = l;
    top = t;
    right = r;
    bottom = b;
}

void CFRect::OffsetRect(float dx, float dy)
{
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
}

void CFRect::InflateRect(float l, float t, float r, float b)
{
    left -= l;
    right += r;
    if (m_bUpward) {
        top += t;
        bottom -= b;
    } else {
        top -= t;
        bottom += b;
    }
}

BOOL CFRect::EqualRect(const tagFRECT* lpRect) const
{
    return lpRect != NULL && left == lpRect->left && top == lpRect->top && right == lpRect->right &&
           bottom == lpRect->bottom;
}

BOOL CFRect::IntersectRect(const tagFRECT* lpRect1, const tagFRECT* lpRect2)
{
    if (lpRect1 == NULL || lpRect2 == NULL) {
        SetRect(0, 0, 0, 0);
        return FALSE;
    }
    tagFRECT r;
    r.left = std::max(lpRect1->left, lpRect2->left);
    r.right = std::min(lpRect1->right, lpRect2->right);
    r.top = Later(lpRect1->top, lpRect2->top, m_bUpward);
    r.bottom = Earlier(lpRect1->bottom, lpRect2->bottom, m_bUpward);
    if (Empty(r, m_bUpward)) {
        SetRect(0, 0, 0, 0);
        return FALSE;
    }
    SetRect(r.left, r.top, r.right, r.bottom);
    return TRUE;
}

BOOL CFRect::UnionRect(const tagFRECT* lpRect1, const tagFRECT* lpRect2)
{
    bool empty1 = lpRect1 == NULL || Empty(*lpRect1, m_bUpward);
    bool empty2 = lpRect2 == NULL || Empty(*lpRect2, m_bUpward);
    if (empty1 && empty2) {
        SetRect(0, 0, 0, 0);
        return FALSE;
    }
    if (empty1 || empty2) {
        const tagFRECT& only = empty1 ? *lpRect2 : *lpRect1;
        SetRect(only.left, only.top, only.right, only.bottom);
        return TRUE;
    }
    SetRect(std::min(lpRect1->left, lpRect2->left), Earlier(lpRect1->top, lpRect2->top, m_bUpward),
            std::max(lpRect1->right, lpRect2->right), Later(lpRect1->bottom, lpRect2->bottom, m_bUpward));
    return TRUE;
}
