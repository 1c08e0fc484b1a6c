// Scroll views: a document larger than the window, in any fixed mapping
// mode, scrolled with the window's scroll bars and the wheel; or scaled to
// fit the window.
#include "afxwin.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

namespace {
const int MM_NONE = 0;
const int MM_SCALETOFIT = -1;

// Converts between logical and device units of a mapping mode with the
// screen's resolution, the origin left alone.
void MapToDevice(int nMapMode, POINT* pt, BOOL bToDevice)
{
    if (nMapMode == MM_TEXT || nMapMode == MM_NONE || nMapMode == MM_SCALETOFIT)
        return;
    HDC hDC = ::CreateCompatibleDC(NULL);
    ::SetMapMode(hDC, nMapMode);
    if (bToDevice)
        ::LPtoDP(hDC, pt, 1);
    else
        ::DPtoLP(hDC, pt, 1);
    ::DeleteDC(hDC);
}

CSize SizeToDevice(int nMapMode, SIZE size)
{
    POINT pt = {size.cx, size.cy};
    MapToDevice(nMapMode, &pt, TRUE);
    return CSize(pt.x < 0 ? -pt.x : pt.x, pt.y < 0 ? -pt.y : pt.y);
}
}  // namespace

CScrollView::CScrollView()
    : m_nMapMode(MM_NONE), m_totalLog(0, 0), m_totalDev(0, 0), m_pageDev(0, 0), m_lineDev(0, 0),
      m_bCenter(FALSE), m_bInsideUpdate(FALSE)
{
}

CScrollView::~CScrollView() {}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage,
                                 const SIZE& sizeLine)
{
    ASSERT(nMapMode > 0 && nMapMode != MM_ISOTROPIC && nMapMode != MM_ANISOTROPIC);
    int nOldMapMode = m_nMapMode;
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    m_totalDev = SizeToDevice(nMapMode, sizeTotal);
    m_pageDev = SizeToDevice(nMapMode, sizePage);
    m_lineDev = SizeToDevice(nMapMode, sizeLine);

    // By default a page is a tenth of the whole and a line a tenth of a page.
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;

    if (m_hWnd != NULL) {
        UpdateBars();
        if (nOldMapMode != m_nMapMode)
            Invalidate(TRUE);
    }
}

void CScrollView::SetScaleToFitSize(SIZE sizeTotal)
{
    m_nMapMode = MM_SCALETOFIT;
    m_totalLog = sizeTotal;
    if (m_hWnd != NULL) {
        if (GetStyle() & (WS_HSCROLL | WS_VSCROLL)) {
            SetScrollPos(SB_HORZ, 0);
            SetScrollPos(SB_VERT, 0);
            EnableScrollBarCtrl(SB_BOTH, FALSE);
        }
        CRect rect;
        GetClientRect(&rect);
        m_totalDev = rect.Size();
        Invalidate(TRUE);
    }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage,
                                       SIZE& sizeLine) const
{
    nMapMode = m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_nMapMode == MM_SCALETOFIT) {
        pDC->SetMapMode(MM_ANISOTROPIC);
        pDC->SetWindowExt(m_totalLog);
        pDC->SetViewportExt(m_totalDev);
    } else if (m_nMapMode != MM_NONE) {
        pDC->SetMapMode(m_nMapMode);
    }

    // The origin moves against the scroll position; a small document may
    // be centred.
    CPoint ptVpOrg(0, 0);
    if (!pDC->IsPrinting()) {
        CPoint ptScroll = GetDeviceScrollPosition();
        ptVpOrg = CPoint(-ptScroll.x, -ptScroll.y);
        if (m_bCenter) {
            CRect rect;
            GetClientRect(&rect);
            if (m_totalDev.cx < rect.Width())
                ptVpOrg.x = (rect.Width() - m_totalDev.cx) / 2;
            if (m_totalDev.cy < rect.Height())
                ptVpOrg.y = (rect.Height() - m_totalDev.cy) / 2;
        }
    }
    pDC->SetViewportOrg(ptVpOrg);
    CView::OnPrepareDC(pDC, pInfo);
}

// ---------------------------------------------------------------------------
// Positions

CPoint CScrollView::GetDeviceScrollPosition() const
{
    CPoint pt(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
    return pt;
}

CPoint CScrollView::GetScrollPosition() const
{
    if (m_nMapMode == MM_SCALETOFIT)
        return CPoint(0, 0);
    CPoint pt = GetDeviceScrollPosition();
    MapToDevice(m_nMapMode, &pt, FALSE);
    return pt;
}

void CScrollView::ScrollToPosition(POINT pt)
{
    MapToDevice(m_nMapMode, &pt, TRUE);
    int xMax = GetScrollLimit(SB_HORZ);
    int yMax = GetScrollLimit(SB_VERT);
    pt.x = pt.x < 0 ? 0 : (pt.x > xMax ? xMax : pt.x);
    pt.y = pt.y < 0 ? 0 : (pt.y > yMax ? yMax : pt.y);
    ScrollToDevicePosition(pt);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev)
{
    int xOrig = GetScrollPos(SB_HORZ);
    SetScrollPos(SB_HORZ, ptDev.x);
    int yOrig = GetScrollPos(SB_VERT);
    SetScrollPos(SB_VERT, ptDev.y);
    // What the bars accepted is where the view goes.
    int x = GetScrollPos(SB_HORZ);
    int y = GetScrollPos(SB_VERT);
    ScrollWindow(xOrig - x, yOrig - y);
}

// ---------------------------------------------------------------------------
// Scroll bars

void CScrollView::GetScrollBarSizes(CSize& sizeSb)
{
    sizeSb.cx = sizeSb.cy = 0;
    if (GetScrollBarCtrl(SB_VERT) == NULL)
        sizeSb.cx = ::GetSystemMetrics(SM_CXVSCROLL);
    if (GetScrollBarCtrl(SB_HORZ) == NULL)
        sizeSb.cy = ::GetSystemMetrics(SM_CYHSCROLL);
}

BOOL CScrollView::GetTrueClientSize(CSize& size, CSize& sizeSb)
{
    // The client area as if no scroll bars were shown.
    CRect rect;
    GetClientRect(&rect);
    size.cx = rect.right;
    size.cy = rect.bottom;
    DWORD dwStyle = GetStyle();
    GetScrollBarSizes(sizeSb);
    if (sizeSb.cx != 0 && (dwStyle & WS_VSCROLL))
        size.cx += sizeSb.cx;
    if (sizeSb.cy != 0 && (dwStyle & WS_HSCROLL))
        size.cy += sizeSb.cy;
    return size.cx > sizeSb.cx && size.cy > sizeSb.cy;
}

void CScrollView::GetScrollBarState(CSize sizeClient, CSize& needSb, CSize& sizeRange,
                                    CPoint& ptMove, BOOL bInsideClient)
{
    CSize sizeSb;
    GetScrollBarSizes(sizeSb);
    sizeRange = CSize(m_totalDev.cx - sizeClient.cx, m_totalDev.cy - sizeClient.cy);
    ptMove = GetDeviceScrollPosition();

    BOOL bNeedH = sizeRange.cx > 0;
    if (!bNeedH)
        ptMove.x = 0;
    else if (bInsideClient)
        sizeRange.cy += sizeSb.cy;  // the horizontal bar takes height

    BOOL bNeedV = sizeRange.cy > 0;
    if (!bNeedV)
        ptMove.y = 0;
    else if (bInsideClient)
        sizeRange.cx += sizeSb.cx;

    if (bNeedV && !bNeedH && sizeRange.cx > 0) {
        // The vertical bar made the width too small after all.
        bNeedH = TRUE;
        sizeRange.cy += sizeSb.cy;
    }
    if (sizeRange.cx > 0 && ptMove.x >= sizeRange.cx)
        ptMove.x = sizeRange.cx;
    if (sizeRange.cy > 0 && ptMove.y >= sizeRange.cy)
        ptMove.y = sizeRange.cy;
    needSb.cx = bNeedH;
    needSb.cy = bNeedV;
}

void CScrollView::UpdateBars()
{
    // Showing or hiding a bar resizes the window and comes back here.
    if (m_bInsideUpdate || m_nMapMode == MM_NONE || m_nMapMode == MM_SCALETOFIT)
        return;
    m_bInsideUpdate = TRUE;

    CSize sizeClient, sizeSb;
    if (!GetTrueClientSize(sizeClient, sizeSb)) {
        // No room for bars at all (a window of no size yet).
        CRect rect;
        GetClientRect(&rect);
        if (rect.right > 0 && rect.bottom > 0)
            EnableScrollBarCtrl(SB_BOTH, FALSE);
        m_bInsideUpdate = FALSE;
        return;
    }

    CSize sizeRange, needSb;
    CPoint ptMove;
    GetScrollBarState(sizeClient, needSb, sizeRange, ptMove, TRUE);
    if (needSb.cx)
        sizeClient.cy -= sizeSb.cy;
    if (needSb.cy)
        sizeClient.cx -= sizeSb.cx;

    ScrollToDevicePosition(ptMove);

    SCROLLINFO info;
    info.cbSize = sizeof info;
    info.fMask = SIF_PAGE | SIF_RANGE;
    info.nMin = 0;
    EnableScrollBarCtrl(SB_HORZ, needSb.cx);
    if (needSb.cx) {
        info.nPage = (UINT)sizeClient.cx;
        info.nMax = m_totalDev.cx - 1;
        if (!SetScrollInfo(SB_HORZ, &info, TRUE))
            SetScrollRange(SB_HORZ, 0, sizeRange.cx, TRUE);
    }
    EnableScrollBarCtrl(SB_VERT, needSb.cy);
    if (needSb.cy) {
        info.nPage = (UINT)sizeClient.cy;
        info.nMax = m_totalDev.cy - 1;
        if (!SetScrollInfo(SB_VERT, &info, TRUE))
            SetScrollRange(SB_VERT, 0, sizeRange.cy, TRUE);
    }
    m_bInsideUpdate = FALSE;
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_nMapMode == MM_SCALETOFIT) {
        m_totalDev = CSize(cx, cy);
        Invalidate(TRUE);
    } else {
        UpdateBars();
    }
}

// ---------------------------------------------------------------------------
// Scrolling

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != GetScrollBarCtrl(SB_HORZ))
        return;  // another scroll bar control of the window
    OnScroll(MAKEWORD(nSBCode, 0xff), nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != GetScrollBarCtrl(SB_VERT))
        return;
    OnScroll(MAKEWORD(0xff, nSBCode), nPos);
}

namespace {
int NewPosition(int nPos, BYTE nCode, UINT nTrack, int nLine, int nPage)
{
    switch (nCode) {
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return INT_MAX;
    case SB_LINEUP:
        return nPos - nLine;
    case SB_LINEDOWN:
        return nPos + nLine;
    case SB_PAGEUP:
        return nPos - nPage;
    case SB_PAGEDOWN:
        return nPos + nPage;
    case SB_THUMBTRACK:
        return (int)nTrack;
    default:
        return nPos;
    }
}
}  // namespace

// nScrollCode: the horizontal code in the low byte, the vertical in the
// high byte (0xff: no scrolling that way).
BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    // The thumb's 32-bit position (the message carries only 16 bits).
    if (LOBYTE(nScrollCode) == SB_THUMBTRACK || HIBYTE(nScrollCode) == SB_THUMBTRACK) {
        SCROLLINFO info;
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        if (::GetScrollInfo(m_hWnd, LOBYTE(nScrollCode) == SB_THUMBTRACK ? SB_HORZ : SB_VERT, &info))
            nPos = (UINT)info.nTrackPos;
    }
    int xOrig = GetScrollPos(SB_HORZ);
    int x = NewPosition(xOrig, LOBYTE(nScrollCode), nPos, m_lineDev.cx, m_pageDev.cx);
    int yOrig = GetScrollPos(SB_VERT);
    int y = NewPosition(yOrig, HIBYTE(nScrollCode), nPos, m_lineDev.cy, m_pageDev.cy);
    // Overflow-free differences: INT_MAX is clamped by OnScrollBy.
    long long dx = (long long)x - xOrig;
    long long dy = (long long)y - yOrig;
    if (dx > INT_MAX) dx = INT_MAX;
    if (dy > INT_MAX) dy = INT_MAX;
    BOOL bResult = OnScrollBy(CSize((int)dx, (int)dy), bDoScroll);
    if (bResult && bDoScroll)
        UpdateWindow();
    return bResult;
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    // No scrolling along a direction without an enabled bar.
    DWORD dwStyle = GetStyle();
    CScrollBar* pBar = GetScrollBarCtrl(SB_VERT);
    if ((pBar != NULL && !pBar->IsWindowEnabled()) || (pBar == NULL && !(dwStyle & WS_VSCROLL)))
        sizeScroll.cy = 0;
    pBar = GetScrollBarCtrl(SB_HORZ);
    if ((pBar != NULL && !pBar->IsWindowEnabled()) || (pBar == NULL && !(dwStyle & WS_HSCROLL)))
        sizeScroll.cx = 0;

    int xOrig = GetScrollPos(SB_HORZ);
    int xMax = GetScrollLimit(SB_HORZ);
    long long x = (long long)xOrig + sizeScroll.cx;
    x = x < 0 ? 0 : (x > xMax ? xMax : x);
    int yOrig = GetScrollPos(SB_VERT);
    int yMax = GetScrollLimit(SB_VERT);
    long long y = (long long)yOrig + sizeScroll.cy;
    y = y < 0 ? 0 : (y > yMax ? yMax : y);

    if (x == xOrig && y == yOrig)
        return FALSE;
    if (bDoScroll) {
        ScrollWindow(-(int)(x - xOrig), -(int)(y - yOrig));
        if (x != xOrig)
            SetScrollPos(SB_HORZ, (int)x);
        if (y != yOrig)
            SetScrollPos(SB_VERT, (int)y);
    }
    return TRUE;
}

BOOL CScrollView::OnMouseWheel(UINT nFlags, short zDelta, CPoint)
{
    if (nFlags & (MK_SHIFT | MK_CONTROL))
        return FALSE;  // zooming and the like are not scrolling
    DWORD dwStyle = GetStyle();
    BOOL bHasVert = (dwStyle & WS_VSCROLL) != 0;
    BOOL bHasHorz = (dwStyle & WS_HSCROLL) != 0;
    if (!bHasVert && !bHasHorz)
        return FALSE;

    UINT uLines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &uLines, 0);
    int nToScroll = ::MulDiv(-zDelta, (int)uLines, WHEEL_DELTA);
    BOOL bResult;
    if (bHasVert) {
        int nDisplacement;
        if (nToScroll == -1 || uLines == WHEEL_PAGESCROLL) {
            nDisplacement = zDelta > 0 ? -m_pageDev.cy : m_pageDev.cy;
        } else {
            nDisplacement = nToScroll * m_lineDev.cy;
            if (nDisplacement > m_pageDev.cy)
                nDisplacement = m_pageDev.cy;
            if (nDisplacement < -m_pageDev.cy)
                nDisplacement = -m_pageDev.cy;
        }
        bResult = OnScrollBy(CSize(0, nDisplacement), TRUE);
    } else {
        int nDisplacement;
        if (nToScroll == -1 || uLines == WHEEL_PAGESCROLL) {
            nDisplacement = zDelta > 0 ? -m_pageDev.cx : m_pageDev.cx;
        } else {
            nDisplacement = nToScroll * m_lineDev.cx;
            if (nDisplacement > m_pageDev.cx)
                nDisplacement = m_pageDev.cx;
            if (nDisplacement < -m_pageDev.cx)
                nDisplacement = -m_pageDev.cx;
        }
        bResult = OnScrollBy(CSize(nDisplacement, 0), TRUE);
    }
    if (bResult)
        UpdateWindow();
    return bResult;
}

void CScrollView::ResizeParentToFit(BOOL bShrinkOnly)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (m_nMapMode == MM_NONE || m_nMapMode == MM_SCALETOFIT || pFrame == NULL)
        return;
    CSize sizeClient, sizeSb;
    GetTrueClientSize(sizeClient, sizeSb);
    CSize sizeWanted = m_totalDev;
    if (bShrinkOnly) {
        sizeWanted.cx = std::min(sizeWanted.cx, sizeClient.cx);
        sizeWanted.cy = std::min(sizeWanted.cy, sizeClient.cy);
    }
    if (sizeWanted == sizeClient)
        return;
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    pFrame->SetWindowPos(NULL, 0, 0, rcFrame.Width() + sizeWanted.cx - sizeClient.cx,
                         rcFrame.Height() + sizeWanted.cy - sizeClient.cy,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
