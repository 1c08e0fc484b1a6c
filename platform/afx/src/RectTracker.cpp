// The rect tracker: drawing, hit-testing and the mouse drag loop.
#include "afxwin.h"
#include "afxtracker.h"

#include <stdlib.h>

#include <algorithm>

namespace {

// RECT seen as four ints, so a handle can name the sides it moves.
enum Side { sideLeft = 0, sideTop = 1, sideRight = 2, sideBottom = 3 };

LONG& SideOf(RECT& rect, int side)
{
    switch (side) {
    case sideLeft:
        return rect.left;
    case sideTop:
        return rect.top;
    case sideRight:
        return rect.right;
    default:
        return rect.bottom;
    }
}

// Where each handle sits and what it becomes when the rect is inverted.
struct HandleInfo {
    int sideX, sideY;          // the sides the handle's corner is taken from
    int centreX, centreY;      // 1: centred along that axis (the side handles)
    int insetX, insetY;        // -1: the handle lies before that side
    int invertX, invertY;      // the handle seen with the axis flipped; itself: axis not moved
};

const HandleInfo kHandles[8] = {
    {sideLeft, sideTop, 0, 0, 0, 0, CRectTracker::hitTopRight, CRectTracker::hitBottomLeft},
    {sideRight, sideTop, 0, 0, -1, 0, CRectTracker::hitTopLeft, CRectTracker::hitBottomRight},
    {sideRight, sideBottom, 0, 0, -1, -1, CRectTracker::hitBottomLeft, CRectTracker::hitTopRight},
    {sideLeft, sideBottom, 0, 0, 0, -1, CRectTracker::hitBottomRight, CRectTracker::hitTopLeft},
    {sideLeft, sideTop, 1, 0, 0, 0, CRectTracker::hitTop, CRectTracker::hitBottom},
    {sideRight, sideTop, 0, 1, -1, 0, CRectTracker::hitLeft, CRectTracker::hitRight},
    {sideLeft, sideBottom, 1, 0, 0, -1, CRectTracker::hitBottom, CRectTracker::hitTop},
    {sideLeft, sideTop, 0, 1, 0, 0, CRectTracker::hitRight, CRectTracker::hitLeft},
};

// The user's in-place border width, as the system sets it.
int DefaultHandleSize()
{
    static const int size = (int)::GetProfileInt("windows", "oleinplaceborderwidth", 4);
    return size;
}

// Diagonal hatching for hatched borders and insides, the lines as set bits;
// shared by all trackers.
HBRUSH HatchBrush()
{
    static HBRUSH brush = [] {
        WORD pattern[8];
        for (int i = 0; i < 8; ++i)
            pattern[i] = (WORD)(0x1111 << (i % 4));  // every fourth pixel, shifting
        HBITMAP bitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
        HBRUSH made = ::CreatePatternBrush(bitmap);
        ::DeleteObject(bitmap);
        return made;
    }();
    return brush;
}

HPEN DottedPen()
{
    static HPEN pen = ::CreatePen(PS_DOT, 0, RGB(0, 0, 0));
    return pen;
}

HCURSOR HandleCursor(int nHandle)
{
    switch (nHandle) {
    case CRectTracker::hitTopLeft:
    case CRectTracker::hitBottomRight:
        return ::LoadCursor(NULL, IDC_SIZENWSE);
    case CRectTracker::hitTopRight:
    case CRectTracker::hitBottomLeft:
        return ::LoadCursor(NULL, IDC_SIZENESW);
    case CRectTracker::hitTop:
    case CRectTracker::hitBottom:
        return ::LoadCursor(NULL, IDC_SIZENS);
    case CRectTracker::hitLeft:
    case CRectTracker::hitRight:
        return ::LoadCursor(NULL, IDC_SIZEWE);
    default:
        return ::LoadCursor(NULL, IDC_SIZEALL);
    }
}

// Inverts a frame of the given thickness: drawing it twice leaves no trace.
void InvertFrame(HDC hDC, const RECT& rect, SIZE size)
{
    HBRUSH hOld = (HBRUSH)::SelectObject(hDC, ::GetStockObject(WHITE_BRUSH));
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (size.cx <= 0 || size.cy <= 0 || width <= 0 || height <= 0) {
        ::SelectObject(hDC, hOld);
        return;
    }
    if (width <= 2 * size.cx || height <= 2 * size.cy) {
        ::PatBlt(hDC, rect.left, rect.top, width, height, PATINVERT);
    } else {
        ::PatBlt(hDC, rect.left, rect.top, width, size.cy, PATINVERT);
        ::PatBlt(hDC, rect.left, rect.bottom - size.cy, width, size.cy, PATINVERT);
        ::PatBlt(hDC, rect.left, rect.top + size.cy, size.cx, height - 2 * size.cy, PATINVERT);
        ::PatBlt(hDC, rect.right - size.cx, rect.top + size.cy, size.cx, height - 2 * size.cy,
                 PATINVERT);
    }
    ::SelectObject(hDC, hOld);
}

}  // namespace

CRectTracker::CRectTracker()
{
    Construct();
}

CRectTracker::CRectTracker(LPCRECT lpSrcRect, UINT nStyle)
{
    Construct();
    m_rect.CopyRect(lpSrcRect);
    m_nStyle = nStyle;
}

CRectTracker::~CRectTracker() {}

void CRectTracker::Construct()
{
    m_nStyle = 0;
    m_nHandleSize = DefaultHandleSize();
    m_sizeMin.cx = m_sizeMin.cy = m_nHandleSize * 2;
    m_bAllowInvert = FALSE;
    m_rectLast.SetRectEmpty();
    m_sizeLast.cx = m_sizeLast.cy = 0;
    m_bErase = FALSE;
    m_bFinalErase = FALSE;
}

void CRectTracker::Draw(CDC* pDC) const
{
    // Trackers live in device pixels, whatever mapping the caller set up.
    VERIFY(pDC->SaveDC() != 0);
    pDC->SetMapMode(MM_TEXT);
    pDC->SetViewportOrg(0, 0);
    pDC->SetWindowOrg(0, 0);

    CRect rect = m_rect;
    rect.NormalizeRect();
    if ((m_nStyle & (dottedLine | solidLine)) != 0) {
        if (m_nStyle & dottedLine)
            pDC->SelectObject(CPen::FromHandle(DottedPen()));
        else
            pDC->SelectStockObject(BLACK_PEN);
        pDC->SelectStockObject(NULL_BRUSH);
        pDC->SetROP2(R2_COPYPEN);
        rect.InflateRect(1, 1);  // the line lies just outside the rect
        pDC->Rectangle(&rect);
        rect.DeflateRect(1, 1);
    }

    if ((m_nStyle & (hatchInside | hatchedBorder)) != 0)
        ::UnrealizeObject(HatchBrush());

    if ((m_nStyle & hatchInside) != 0) {
        // Black lines over the inside: dest AND NOT pattern, where the set
        // bits come out in the (white) background colour.
        pDC->SelectStockObject(NULL_PEN);
        pDC->SelectObject(CBrush::FromHandle(HatchBrush()));
        pDC->SetBkColor(RGB(255, 255, 255));
        pDC->SetTextColor(RGB(0, 0, 0));
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetROP2(R2_MASKNOTPEN);
        pDC->Rectangle(rect.left + 1, rect.top + 1, rect.right, rect.bottom);
    }

    if ((m_nStyle & hatchedBorder) != 0) {
        // The inverted pattern: black lines on white.
        const DWORD kPatternNot = 0x000F0001;
        pDC->SelectObject(CBrush::FromHandle(HatchBrush()));
        pDC->SetBkMode(OPAQUE);
        pDC->SetBkColor(RGB(255, 255, 255));
        pDC->SetTextColor(RGB(0, 0, 0));
        CRect rectTrue;
        GetTrueRect(&rectTrue);
        pDC->PatBlt(rectTrue.left, rectTrue.top, rectTrue.Width(), rect.top - rectTrue.top, kPatternNot);
        pDC->PatBlt(rectTrue.left, rect.bottom, rectTrue.Width(), rectTrue.bottom - rect.bottom,
                    kPatternNot);
        pDC->PatBlt(rectTrue.left, rect.top, rect.left - rectTrue.left, rect.Height(), kPatternNot);
        pDC->PatBlt(rect.right, rect.top, rectTrue.right - rect.right, rect.Height(), kPatternNot);
    }

    if ((m_nStyle & (resizeInside | resizeOutside)) != 0) {
        UINT mask = GetHandleMask();
        for (int i = 0; i < 8; ++i) {
            if (mask & (1u << i)) {
                CRect handle;
                GetHandleRect(i, &handle);
                pDC->FillSolidRect(&handle, RGB(0, 0, 0));
            }
        }
    }

    // Restoring the DC puts back every pen, brush and mode changed above.
    VERIFY(pDC->RestoreDC(-1));
}

void CRectTracker::GetTrueRect(LPRECT lpTrueRect) const
{
    CRect rect = m_rect;
    rect.NormalizeRect();
    int nInflateBy = 0;
    if ((m_nStyle & (resizeOutside | hatchedBorder)) != 0)
        nInflateBy += GetHandleSize() - 1;
    if ((m_nStyle & (solidLine | dottedLine)) != 0)
        ++nInflateBy;
    rect.InflateRect(nInflateBy, nInflateBy);
    *lpTrueRect = rect;
}

int CRectTracker::GetHandleSize(LPCRECT lpRect) const
{
    if (lpRect == NULL)
        lpRect = &m_rect;
    int size = m_nHandleSize;
    if (!(m_nStyle & resizeOutside)) {
        // Handles inside the rect must leave room between them.
        int sizeMax = std::min(abs(lpRect->right - lpRect->left), abs(lpRect->bottom - lpRect->top));
        if (size * 2 > sizeMax)
            size = sizeMax / 2;
    }
    return size;
}

UINT CRectTracker::GetHandleMask() const
{
    UINT mask = 0x0F;  // the corners always
    int size = m_nHandleSize * 3;
    if (abs(m_rect.Width()) - size > 4)
        mask |= 0x50;  // top and bottom middles
    if (abs(m_rect.Height()) - size > 4)
        mask |= 0xA0;  // left and right middles
    return mask;
}

int CRectTracker::NormalizeHit(int nHandle) const
{
    if (nHandle < 0 || nHandle >= hitMiddle)
        return nHandle;
    if (m_rect.Width() < 0)
        nHandle = kHandles[nHandle].invertX;
    if (m_rect.Height() < 0)
        nHandle = kHandles[nHandle].invertY;
    return nHandle;
}

void CRectTracker::GetHandleRect(int nHandle, CRect* pHandleRect) const
{
    CRect rectT = m_rect;
    rectT.NormalizeRect();
    if ((m_nStyle & (solidLine | dottedLine)) != 0)
        rectT.InflateRect(1, 1);

    // The rect was normalized, so the handle is looked up as it shows.
    nHandle = NormalizeHit(nHandle);

    int size = GetHandleSize();
    if (m_nStyle & resizeOutside)
        rectT.InflateRect(size - 1, size - 1);

    const HandleInfo& info = kHandles[nHandle];
    int left = SideOf(rectT, info.sideX) + size * info.insetX +
               info.centreX * (rectT.Width() - size) / 2;
    int top = SideOf(rectT, info.sideY) + size * info.insetY +
              info.centreY * (rectT.Height() - size) / 2;
    pHandleRect->SetRect(left, top, left + size, top + size);
}

int CRectTracker::HitTestHandles(CPoint point) const
{
    CRect rect;
    GetTrueRect(&rect);
    if (!rect.PtInRect(point))
        return hitNothing;

    UINT mask = GetHandleMask();
    for (int i = 0; i < 8; ++i) {
        if (mask & (1u << i)) {
            GetHandleRect(i, &rect);
            if (rect.PtInRect(point))
                return i;
        }
    }

    // Between two outside handles is outside, unless a hatched border is there.
    if ((m_nStyle & hatchedBorder) == 0) {
        rect = m_rect;
        rect.NormalizeRect();
        if ((m_nStyle & (dottedLine | solidLine)) != 0)
            rect.InflateRect(1, 1);
        if (!rect.PtInRect(point))
            return hitNothing;
    }
    return hitMiddle;
}

int CRectTracker::HitTest(CPoint point) const
{
    CRect rectTrue;
    GetTrueRect(&rectTrue);
    if (!rectTrue.PtInRect(point))
        return hitNothing;
    if ((m_nStyle & (resizeInside | resizeOutside)) != 0)
        return HitTestHandles(point);
    return hitMiddle;
}

BOOL CRectTracker::SetCursor(CWnd* pWnd, UINT nHitTest) const
{
    if (nHitTest != HTCLIENT)
        return FALSE;

    CPoint point;
    ::GetCursorPos(&point);
    ::ScreenToClient(pWnd->GetSafeHwnd(), &point);
    int nHandle = HitTestHandles(point);
    if (nHandle < 0)
        return FALSE;
    ::SetCursor(HandleCursor(NormalizeHit(nHandle)));
    return TRUE;
}

BOOL CRectTracker::Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo)
{
    int nHandle = HitTestHandles(point);
    if (nHandle < 0)
        return FALSE;
    m_bAllowInvert = bAllowInvert;
    return TrackHandle(nHandle, pWnd, point, pWndClipTo);
}

BOOL CRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert)
{
    m_bAllowInvert = bAllowInvert;
    m_rect.SetRect(point.x, point.y, point.x, point.y);
    return TrackHandle(hitBottomRight, pWnd, point, NULL);
}

void CRectTracker::GetModifyPointers(int nHandle, LONG** ppx, LONG** ppy, int* px, int* py)
{
    if (nHandle == hitMiddle)
        nHandle = hitTopLeft;  // a move drags the top left corner
    const HandleInfo& info = kHandles[nHandle];

    *ppx = NULL;
    *ppy = NULL;
    // A side handle does not move the axis along its side.
    if (info.invertX != nHandle) {
        *ppx = &SideOf(m_rect, info.sideX);
        if (px != NULL)
            *px = **ppx;
    } else if (px != NULL) {
        *px = m_rect.left + abs(m_rect.Width()) / 2;
    }
    if (info.invertY != nHandle) {
        *ppy = &SideOf(m_rect, info.sideY);
        if (py != NULL)
            *py = **ppy;
    } else if (py != NULL) {
        *py = m_rect.top + abs(m_rect.Height()) / 2;
    }
}

void CRectTracker::AdjustRect(int nHandle, LPRECT)
{
    if (nHandle == hitMiddle)
        return;

    LONG* px;
    LONG* py;
    GetModifyPointers(nHandle, &px, &py, NULL, NULL);

    // Keep the minimum size by moving the dragged side back; an inverted
    // rect keeps its direction only where inverting is allowed.
    int nWidth = m_rect.Width();
    int nAbsWidth = m_bAllowInvert ? abs(nWidth) : nWidth;
    if (px != NULL && nAbsWidth < m_sizeMin.cx) {
        int direction = nAbsWidth != 0 ? nWidth / nAbsWidth : 1;
        if (px == &m_rect.left)
            m_rect.left = m_rect.right - direction * m_sizeMin.cx;
        else
            m_rect.right = m_rect.left + direction * m_sizeMin.cx;
    }
    int nHeight = m_rect.Height();
    int nAbsHeight = m_bAllowInvert ? abs(nHeight) : nHeight;
    if (py != NULL && nAbsHeight < m_sizeMin.cy) {
        int direction = nAbsHeight != 0 ? nHeight / nAbsHeight : 1;
        if (py == &m_rect.top)
            m_rect.top = m_rect.bottom - direction * m_sizeMin.cy;
        else
            m_rect.bottom = m_rect.top + direction * m_sizeMin.cy;
    }
}

void CRectTracker::OnChangedRect(const CRect&) {}

// Each call inverts a frame: the first call for a rect shows it, the erasing
// call for the same rect takes it away again.
void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd)
{
    CRect rect = *lpRect;
    rect.NormalizeRect();
    if (pWndClipTo != NULL) {
        ::MapWindowPoints(pWnd->GetSafeHwnd(), pWndClipTo->GetSafeHwnd(),
                          reinterpret_cast<LPPOINT>(&rect), 2);
    }

    CSize size(1, 1);
    if (m_nStyle & hatchedBorder) {
        size.cx = size.cy = std::max(1, GetHandleSize(&rect) - 1);
        rect.InflateRect(size);
    }
    InvertFrame(pDC->GetSafeHdc(), rect, size);
    m_rectLast = rect;
    m_sizeLast = size;
}

BOOL CRectTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo)
{
    // Someone else is dragging already.
    if (::GetCapture() != NULL)
        return FALSE;

    HWND hWnd = pWnd->GetSafeHwnd();
    ::UpdateWindow(hWnd);  // the frames are inverted over a finished picture

    const int nWidth = m_rect.Width();
    const int nHeight = m_rect.Height();
    ::SetCapture(hWnd);

    HWND hWndDraw = pWndClipTo != NULL ? pWndClipTo->GetSafeHwnd() : hWnd;
    CDC drawDC;
    drawDC.Attach(pWndClipTo != NULL ? ::GetDCEx(hWndDraw, NULL, DCX_CACHE) : ::GetDC(hWndDraw));

    const CRect rectSave = m_rect;
    LONG* px;
    LONG* py;
    int xDiff, yDiff;
    GetModifyPointers(nHandle, &px, &py, &xDiff, &yDiff);
    // How far the grab point is from the sides it moves.
    xDiff = point.x - xDiff;
    yDiff = point.y - yDiff;

    BOOL bMoved = FALSE;
    for (bool done = false; !done;) {
        MSG msg;
        if (::GetMessage(&msg, NULL, 0, 0) <= 0) {
            if (msg.message == WM_QUIT)
                ::PostQuitMessage((int)msg.wParam);  // leave it for the outer loop
            break;
        }
        if (::GetCapture() != hWnd)
            break;

        switch (msg.message) {
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE: {
            CRect rectOld = m_rect;
            if (px != NULL)
                *px = (int)(short)LOWORD(msg.lParam) - xDiff;
            if (py != NULL)
                *py = (int)(short)HIWORD(msg.lParam) - yDiff;
            if (nHandle == hitMiddle) {
                m_rect.right = m_rect.left + nWidth;
                m_rect.bottom = m_rect.top + nHeight;
            }
            AdjustRect(nHandle, &m_rect);

            m_bFinalErase = msg.message == WM_LBUTTONUP;
            if (!rectOld.EqualRect(&m_rect) || m_bFinalErase) {
                if (bMoved) {
                    m_bErase = TRUE;
                    DrawTrackerRect(&rectOld, pWndClipTo, &drawDC, pWnd);
                }
                OnChangedRect(rectOld);
                if (msg.message != WM_LBUTTONUP)
                    bMoved = TRUE;
            }
            if (m_bFinalErase) {
                done = true;
                break;
            }
            if (!rectOld.EqualRect(&m_rect)) {
                m_bErase = FALSE;
                DrawTrackerRect(&m_rect, pWndClipTo, &drawDC, pWnd);
            }
            break;
        }
        case WM_KEYDOWN:
            if (msg.wParam != VK_ESCAPE)
                break;
            // Escape cancels like the right button.
            [[fallthrough]];
        case WM_RBUTTONDOWN:
            if (bMoved) {
                m_bErase = m_bFinalErase = TRUE;
                DrawTrackerRect(&m_rect, pWndClipTo, &drawDC, pWnd);
            }
            m_rect = rectSave;
            done = true;
            break;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }

    ::ReleaseDC(hWndDraw, drawDC.Detach());
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();

    // A click without a move leaves the rect as it was.
    if (!bMoved)
        m_rect = rectSave;
    m_bFinalErase = FALSE;
    m_bErase = FALSE;
    return !rectSave.EqualRect(&m_rect);
}
