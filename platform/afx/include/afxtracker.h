// A rectangle the user moves and resizes with the mouse: draws itself with
// an optional border, hatching and resize handles, hit-tests those handles,
// and runs the drag loop.
#pragma once

#include "afxtypes.h"
#include "afxgdi.h"

class CWnd;

class AFX_API CRectTracker {
public:
    CRectTracker();
    CRectTracker(LPCRECT lpSrcRect, UINT nStyle);
    virtual ~CRectTracker();

    enum StyleFlags {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32,
    };

    enum TrackerHit {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8,
    };

    UINT m_nStyle;
    CRect m_rect;      // client coordinates of the tracked window; may be inverted
    CSize m_sizeMin;   // resizing stops here
    int m_nHandleSize;

    void Draw(CDC* pDC) const;
    // The rect with everything drawn around it (border, outside handles).
    void GetTrueRect(LPRECT lpTrueRect) const;
    // For WM_SETCURSOR: the cursor of the handle under the mouse; FALSE
    // outside the tracker or outside the client area.
    BOOL SetCursor(CWnd* pWnd, UINT nHitTest) const;
    // Drags the handle under point (client coordinates) until the left button
    // goes up; TRUE if m_rect changed. Escape or the right button cancel.
    BOOL Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = NULL);
    BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);
    int HitTest(CPoint point) const;
    // The handle as it appears on screen when m_rect is inverted.
    int NormalizeHit(int nHandle) const;

    virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
    virtual void AdjustRect(int nHandle, LPRECT lpRect);
    virtual void OnChangedRect(const CRect& rectOld);
    // Bit n set: handle n is shown (side handles go when the rect is small).
    virtual UINT GetHandleMask() const;

protected:
    BOOL m_bAllowInvert;
    CRect m_rectLast;   // what DrawTrackerRect last drew, to erase it
    CSize m_sizeLast;
    BOOL m_bErase;       // DrawTrackerRect is erasing the old rect
    BOOL m_bFinalErase;  // ... for the last time

    virtual int GetHandleSize(LPCRECT lpRect = NULL) const;
    BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);
    void Construct();
    void GetHandleRect(int nHandle, CRect* pHandleRect) const;
    // The sides of m_rect a handle moves (NULL: that axis stays), and where
    // they are now.
    void GetModifyPointers(int nHandle, LONG** ppx, LONG** ppy, int* px, int* py);
    int HitTestHandles(CPoint point) const;
};
