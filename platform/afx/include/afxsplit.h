// Splitter windows: a grid of panes (views, or further splitters) separated
// by bars that the user drags to share the room between them. Static
// splitters only: every pane is made by CreateView when the splitter is.
#pragma once

#include "afxwin.h"

class AFX_API CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)

public:
    CSplitterWnd();
    virtual ~CSplitterWnd();

    // Makes the splitter window with its grid (at most 16 x 16); the panes
    // follow with CreateView. The id makes it a frame's pane by default;
    // inside another splitter it is the containing pane's id.
    virtual BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols,
                              DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                              UINT nID = AFX_IDW_PANE_FIRST);
    // Makes the pane at row, col from the view's run-time class, with the
    // pane's id; sizeInit becomes the row's and column's ideal size.
    // Without a context the view joins the document of the active pane and
    // gets its initial update at once.
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                            CCreateContext* pContext);

    int GetRowCount() const;
    int GetColumnCount() const;
    // Current and minimum size of a row or column. A pane whose ideal size
    // is under its minimum is not shown.
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void SetColumnInfo(int col, int cxIdeal, int cxMin);

    CWnd* GetPane(int row, int col) const;
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);
    int IdFromRowCol(int row, int col) const;

    // Places the panes from the ideal sizes (the last row and column take
    // what is left) and redraws the bars; call it after Set...Info.
    virtual void RecalcLayout();

    // The pane holding the frame's active view (or the focus), NULL when
    // that is not one of this splitter's panes.
    virtual CWnd* GetActivePane(int* pRow = NULL, int* pCol = NULL);
    // Makes the pane (pWnd, or the one at row, col) the frame's active view;
    // a pane that is not a view gets the focus.
    virtual void SetActivePane(int row, int col, CWnd* pWnd = NULL);

protected:
    struct CRowColInfo {
        int nMinSize;    // below it the pane is not shown
        int nIdealSize;  // what the user or the program asked for
        int nCurSize;    // what the last layout gave
    };

    enum ESplitType { splitBox, splitBar, splitIntersection, splitBorder };

    // Hit test results: a bar is numbered from 1 after the row or column it
    // follows.
    enum HitTestValue {
        noHit = 0,
        vSplitterBar1 = 101,
        vSplitterBar15 = 115,
        hSplitterBar1 = 201,
        hSplitterBar15 = 215
    };

    // Draws a bar or a pane's edge; pDC NULL only invalidates it.
    virtual void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect);
    // Inverts the tracking line drawn while a bar is dragged.
    virtual void OnInvertTracker(const CRect& rect);

    virtual int HitTest(CPoint pt) const;
    virtual void GetInsideRect(CRect& rect) const;
    virtual void GetHitRect(int ht, CRect& rect);
    virtual void TrackRowSize(int y, int row);
    virtual void TrackColumnSize(int x, int col);
    virtual void DrawAllSplitBars(CDC* pDC, int cxInside, int cyInside);
    virtual void SetSplitCursor(int ht);
    virtual void StartTracking(int ht);
    virtual void StopTracking(BOOL bAccept);

    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    int m_nMaxRows, m_nMaxCols;
    int m_nRows, m_nCols;
    CRowColInfo* m_pColInfo;
    CRowColInfo* m_pRowInfo;

    int m_cxSplitter, m_cySplitter;        // a bar, with the panes' edges on both sides
    int m_cxSplitterGap, m_cySplitterGap;  // room between two panes
    int m_cxBorder, m_cyBorder;            // the sunken edge around each pane

    BOOL m_bTracking;
    int m_htTrack;
    CPoint m_ptTrackOffset;  // where the bar was taken, from its top left
    CRect m_rectLimit;       // where the tracking line may go
    CRect m_rectTracker;     // the tracking line now

    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint pt);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint pt);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint pt);
    afx_msg void OnCancelMode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
