// Static splitter windows: the layout of the panes from their ideal sizes,
// the bars and edges drawn between them, dragging a bar, and the active
// pane kept as the frame's active view.
#include "afxwin.h"
#include "afxext.h"

namespace {

const int kMaxRowCol = 16;  // pane ids leave 16 columns per row

// Gives each row (or column) its share of nTotal along one axis, nGap
// between neighbours: the ideal size for all but the last, which takes the
// rest. A pane asked to be smaller than its minimum is not shown; so is the
// last one when the rest is under its minimum (its neighbour takes the
// room, the bar stays at the edge). When there is no room left for a bar
// the pane before it takes what is left.
void LayoutAxis(int nCount, int nTotal, int nGap, const int* pMin, const int* pIdeal, int* pCur)
{
    int nLeft = nTotal > 0 ? nTotal : 0;
    for (int i = 0; i < nCount; i++) {
        if (i == nCount - 1) {
            pCur[i] = nLeft;
            if (i > 0 && nLeft < pMin[i]) {
                pCur[i - 1] += nLeft;
                pCur[i] = 0;
            }
            break;
        }
        int nWant = pIdeal[i] < pMin[i] ? 0 : pIdeal[i];
        pCur[i] = nWant < nLeft ? nWant : nLeft;
        nLeft -= pCur[i];
        if (nLeft >= nGap) {
            nLeft -= nGap;
        } else {
            pCur[i] += nLeft;
            nLeft = 0;
        }
    }
}

// An 8 x 8 checkerboard: the tracking line shows what lies under it.
HBRUSH CreateHalftoneBrush()
{
    WORD grayPattern[8];
    for (int i = 0; i < 8; i++)
        grayPattern[i] = (WORD)(0x5555 << (i & 1));
    HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, grayPattern);
    HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
    ::DeleteObject(hBitmap);
    return hBrush;
}

}  // namespace

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_KEYDOWN()
    ON_WM_CAPTURECHANGED()
    ON_WM_PAINT()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CSplitterWnd::CSplitterWnd()
    : m_nMaxRows(0), m_nMaxCols(0), m_nRows(0), m_nCols(0), m_pColInfo(NULL), m_pRowInfo(NULL),
      // A bar is 3 pixels with the 2-pixel edges of the panes on both sides.
      m_cxSplitter(7), m_cySplitter(7), m_cxSplitterGap(7), m_cySplitterGap(7), m_cxBorder(2),
      m_cyBorder(2), m_bTracking(FALSE), m_htTrack(noHit), m_ptTrackOffset(0, 0)
{
    m_rectLimit.SetRectEmpty();
    m_rectTracker.SetRectEmpty();
}

CSplitterWnd::~CSplitterWnd()
{
    delete[] m_pRowInfo;
    delete[] m_pColInfo;
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    ASSERT(m_nRows == 0 && m_nCols == 0);  // one grid per object
    if (pParentWnd == NULL || nRows < 1 || nCols < 1 || nRows > kMaxRowCol || nCols > kMaxRowCol ||
        m_pRowInfo != NULL) {
        TRACE0("CSplitterWnd::CreateStatic: bad parent or grid.\n");
        return FALSE;
    }

    m_pRowInfo = new CRowColInfo[nRows];
    m_pColInfo = new CRowColInfo[nCols];
    for (int i = 0; i < nRows; i++)
        m_pRowInfo[i] = CRowColInfo{0, 0, 0};
    for (int i = 0; i < nCols; i++)
        m_pColInfo[i] = CRowColInfo{0, 0, 0};
    m_nRows = m_nMaxRows = nRows;
    m_nCols = m_nMaxCols = nCols;

    // The splitter draws the edges of its panes itself: a border of its own
    // would double them. The panes are clipped out of its painting; the
    // tracking line is drawn on a device context that does not clip them.
    DWORD dwCreateStyle =
        (dwStyle | WS_CHILD | WS_CLIPCHILDREN) & ~(WS_BORDER | WS_HSCROLL | WS_VSCROLL);
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(NULL, IDC_ARROW),
                                            (HBRUSH)(COLOR_BTNFACE + 1));
    if (!CreateEx(0, lpszClass, NULL, dwCreateStyle, 0, 0, 0, 0, pParentWnd->m_hWnd,
                  (HMENU)(UINT_PTR)nID, NULL)) {
        TRACE0("CSplitterWnd::CreateStatic: the window could not be made.\n");
        delete[] m_pRowInfo;
        delete[] m_pColInfo;
        m_pRowInfo = m_pColInfo = NULL;
        m_nRows = m_nMaxRows = m_nCols = m_nMaxCols = 0;
        return FALSE;
    }
    return TRUE;
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                              CCreateContext* pContext)
{
    if (m_hWnd == NULL || row < 0 || row >= m_nRows || col < 0 || col >= m_nCols ||
        pViewClass == NULL) {
        TRACE0("CSplitterWnd::CreateView: no such pane.\n");
        return FALSE;
    }
    if (GetDlgItem(IdFromRowCol(row, col)) != NULL) {
        TRACE2("CSplitterWnd::CreateView: pane %d, %d exists already.\n", row, col);
        return FALSE;
    }

    m_pColInfo[col].nIdealSize = sizeInit.cx;
    m_pRowInfo[row].nIdealSize = sizeInit.cy;

    // Without a context the new view shows the document of the active pane
    // and nobody else will send it its initial update.
    CCreateContext contextFromActive;
    BOOL bSendInitialUpdate = FALSE;
    if (pContext == NULL) {
        CWnd* pActive = GetActivePane();
        if (pActive != NULL && pActive->IsKindOf(RUNTIME_CLASS(CView))) {
            CView* pLastView = (CView*)pActive;
            contextFromActive.m_pLastView = pLastView;
            contextFromActive.m_pCurrentDoc = pLastView->GetDocument();
            if (contextFromActive.m_pCurrentDoc != NULL)
                contextFromActive.m_pNewDocTemplate =
                    contextFromActive.m_pCurrentDoc->GetDocTemplate();
        }
        pContext = &contextFromActive;
        bSendInitialUpdate = TRUE;
    }

    CObject* pObject = NULL;
    try {
        pObject = pViewClass->CreateObject();
    } catch (CException* e) {
        e->Delete();
        pObject = NULL;
    }
    if (pObject == NULL || !pObject->IsKindOf(RUNTIME_CLASS(CWnd))) {
        TRACE1("CSplitterWnd::CreateView: %s cannot be made as a window.\n",
               pViewClass->m_lpszClassName);
        delete pObject;
        return FALSE;
    }
    CWnd* pWnd = (CWnd*)pObject;

    // The splitter draws the panes' edges itself. The position comes with
    // the next layout.
    CRect rect(CPoint(0, 0), sizeInit);
    if (!pWnd->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, rect, this, IdFromRowCol(row, col),
                      pContext)) {
        // A view that got as far as a window deleted itself with it.
        TRACE2("CSplitterWnd::CreateView: pane %d, %d could not be made.\n", row, col);
        return FALSE;
    }

    if (bSendInitialUpdate)
        pWnd->SendMessage(WM_INITIALUPDATE);
    return TRUE;
}

int CSplitterWnd::GetRowCount() const
{
    return m_nRows;
}

int CSplitterWnd::GetColumnCount() const
{
    return m_nCols;
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const
{
    ASSERT(row >= 0 && row < m_nRows);
    cyCur = m_pRowInfo[row].nCurSize;
    cyMin = m_pRowInfo[row].nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    ASSERT(row >= 0 && row < m_nRows);
    ASSERT(cyIdeal >= 0 && cyMin >= 0);
    m_pRowInfo[row].nIdealSize = cyIdeal;
    m_pRowInfo[row].nMinSize = cyMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    ASSERT(col >= 0 && col < m_nCols);
    cxCur = m_pColInfo[col].nCurSize;
    cxMin = m_pColInfo[col].nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    ASSERT(col >= 0 && col < m_nCols);
    ASSERT(cxIdeal >= 0 && cxMin >= 0);
    m_pColInfo[col].nIdealSize = cxIdeal;
    m_pColInfo[col].nMinSize = cxMin;
}

int CSplitterWnd::IdFromRowCol(int row, int col) const
{
    ASSERT(row >= 0 && row < kMaxRowCol && col >= 0 && col < kMaxRowCol);
    return AFX_IDW_PANE_FIRST + row * kMaxRowCol + col;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols)
        return NULL;
    return GetDlgItem(IdFromRowCol(row, col));
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol)
{
    if (pWnd != NULL && pWnd->m_hWnd != NULL && m_hWnd != NULL &&
        ::GetParent(pWnd->m_hWnd) == m_hWnd) {
        int nID = ::GetDlgCtrlID(pWnd->m_hWnd) - AFX_IDW_PANE_FIRST;
        int row = nID / kMaxRowCol;
        int col = nID % kMaxRowCol;
        if (nID >= 0 && row < m_nRows && col < m_nCols) {
            if (pRow != NULL)
                *pRow = row;
            if (pCol != NULL)
                *pCol = col;
            return TRUE;
        }
    }
    if (pRow != NULL)
        *pRow = 0;
    if (pCol != NULL)
        *pCol = 0;
    return FALSE;
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol)
{
    CWnd* pPane = NULL;
    if (CFrameWnd* pFrame = GetParentFrame())
        pPane = pFrame->GetActiveView();
    if (pPane == NULL)
        pPane = GetFocus();
    if (pPane != NULL && !IsChildPane(pPane, pRow, pCol))
        pPane = NULL;
    return pPane;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd)
{
    CWnd* pPane = pWnd != NULL ? pWnd : GetPane(row, col);
    if (pPane == NULL)
        return;
    // A view pane becomes the frame's active view, which is where the frame
    // routes its commands.
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pPane->IsKindOf(RUNTIME_CLASS(CView)))
        pFrame->SetActiveView((CView*)pPane);
    else
        pPane->SetFocus();
}

BOOL CSplitterWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    // Commands and notifications of the panes' controls belong to the
    // frame, as if the splitter were not there.
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame != NULL && pFrame->SendMessage(WM_COMMAND, wParam, lParam) != 0;
}

BOOL CSplitterWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnNotify(wParam, lParam, pResult))
        return TRUE;
    CWnd* pParent = GetParent();
    if (pParent == NULL)
        return FALSE;
    *pResult = pParent->SendMessage(WM_NOTIFY, wParam, lParam);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Layout

void CSplitterWnd::GetInsideRect(CRect& rect) const
{
    GetClientRect(&rect);
    // Room for the outer edges of the panes on the sides.
    rect.InflateRect(-m_cxBorder, -m_cyBorder);
    if (rect.right < rect.left)
        rect.right = rect.left;
    if (rect.bottom < rect.top)
        rect.bottom = rect.top;
}

void CSplitterWnd::RecalcLayout()
{
    if (m_hWnd == NULL || m_nRows == 0 || m_nCols == 0)
        return;

    CRect rectInside;
    GetInsideRect(rectInside);

    int nMin[kMaxRowCol] = {}, nIdeal[kMaxRowCol] = {}, nCur[kMaxRowCol] = {};
    for (int col = 0; col < m_nCols; col++) {
        nMin[col] = m_pColInfo[col].nMinSize;
        nIdeal[col] = m_pColInfo[col].nIdealSize;
    }
    LayoutAxis(m_nCols, rectInside.Width(), m_cxSplitterGap, nMin, nIdeal, nCur);
    for (int col = 0; col < m_nCols; col++)
        m_pColInfo[col].nCurSize = nCur[col];
    for (int row = 0; row < m_nRows; row++) {
        nMin[row] = m_pRowInfo[row].nMinSize;
        nIdeal[row] = m_pRowInfo[row].nIdealSize;
    }
    LayoutAxis(m_nRows, rectInside.Height(), m_cySplitterGap, nMin, nIdeal, nCur);
    for (int row = 0; row < m_nRows; row++)
        m_pRowInfo[row].nCurSize = nCur[row];

    HDWP hDWP = ::BeginDeferWindowPos(m_nRows * m_nCols);
    int y = rectInside.top;
    for (int row = 0; row < m_nRows; row++) {
        int x = rectInside.left;
        for (int col = 0; col < m_nCols; col++) {
            HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
            if (hPane != NULL) {
                CRect rect(x, y, x + m_pColInfo[col].nCurSize, y + m_pRowInfo[row].nCurSize);
                // A splitter inside a pane draws its own panes' edges: it
                // gets the room of the edge this one would have drawn.
                CWnd* pPane = CWnd::FromHandlePermanent(hPane);
                if (pPane != NULL && pPane->IsKindOf(RUNTIME_CLASS(CSplitterWnd)) &&
                    !rect.IsRectEmpty())
                    rect.InflateRect(m_cxBorder, m_cyBorder);
                if (hDWP != NULL)
                    hDWP = ::DeferWindowPos(hDWP, hPane, NULL, rect.left, rect.top, rect.Width(),
                                            rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
                else
                    ::SetWindowPos(hPane, NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                                   SWP_NOZORDER | SWP_NOACTIVATE);
            }
            x += m_pColInfo[col].nCurSize + m_cxSplitterGap;
        }
        y += m_pRowInfo[row].nCurSize + m_cySplitterGap;
    }
    if (hDWP != NULL)
        ::EndDeferWindowPos(hDWP);

    DrawAllSplitBars(NULL, rectInside.right, rectInside.bottom);
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy)
{
    if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0)
        RecalcLayout();
    CWnd::OnSize(nType, cx, cy);
}

// ---------------------------------------------------------------------------
// Drawing

void CSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect)
{
    if (pDC == NULL) {
        RedrawWindow(rect, NULL, RDW_INVALIDATE | RDW_NOCHILDREN);
        return;
    }
    switch (nType) {
    case splitBorder: {
        CRect rectEdge(rect);
        pDC->DrawEdge(&rectEdge, EDGE_SUNKEN, BF_RECT);
        break;
    }
    case splitBar:
    case splitIntersection:
    case splitBox:
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
        break;
    }
}

void CSplitterWnd::DrawAllSplitBars(CDC* pDC, int cxInside, int cyInside)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectInside;
    GetInsideRect(rectInside);

    // The bars run the full height (or width) of the splitter.
    int x = rectInside.left;
    for (int col = 0; col < m_nCols - 1; col++) {
        x += m_pColInfo[col].nCurSize;
        if (x + m_cxSplitterGap > cxInside)
            break;  // no room was left for this bar
        OnDrawSplitter(pDC, splitBar,
                       CRect(x, rectClient.top, x + m_cxSplitterGap, rectClient.bottom));
        x += m_cxSplitterGap;
    }
    int y = rectInside.top;
    for (int row = 0; row < m_nRows - 1; row++) {
        y += m_pRowInfo[row].nCurSize;
        if (y + m_cySplitterGap > cyInside)
            break;
        OnDrawSplitter(pDC, splitBar,
                       CRect(rectClient.left, y, rectClient.right, y + m_cySplitterGap));
        y += m_cySplitterGap;
    }

    // The sunken edge around every shown pane that is not itself a
    // splitter.
    y = rectInside.top;
    for (int row = 0; row < m_nRows; row++) {
        x = rectInside.left;
        for (int col = 0; col < m_nCols; col++) {
            CRect rect(x, y, x + m_pColInfo[col].nCurSize, y + m_pRowInfo[row].nCurSize);
            HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
            CWnd* pPane = hPane != NULL ? CWnd::FromHandlePermanent(hPane) : NULL;
            if (!rect.IsRectEmpty() &&
                (pPane == NULL || !pPane->IsKindOf(RUNTIME_CLASS(CSplitterWnd)))) {
                rect.InflateRect(m_cxBorder, m_cyBorder);
                OnDrawSplitter(pDC, splitBorder, rect);
            }
            x += m_pColInfo[col].nCurSize + m_cxSplitterGap;
        }
        y += m_pRowInfo[row].nCurSize + m_cySplitterGap;
    }
}

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rectInside;
    GetInsideRect(rectInside);
    DrawAllSplitBars(&dc, rectInside.right, rectInside.bottom);
}

// ---------------------------------------------------------------------------
// Dragging a bar

int CSplitterWnd::HitTest(CPoint pt) const
{
    CRect rectClient;
    GetClientRect(&rectClient);
    if (!rectClient.PtInRect(pt))
        return noHit;
    CRect rectInside;
    GetInsideRect(rectInside);

    int x = rectInside.left;
    for (int col = 0; col < m_nCols - 1; col++) {
        x += m_pColInfo[col].nCurSize;
        if (x + m_cxSplitterGap > rectInside.right)
            break;
        if (pt.x >= x && pt.x < x + m_cxSplitterGap)
            return vSplitterBar1 + col;
        x += m_cxSplitterGap;
    }
    int y = rectInside.top;
    for (int row = 0; row < m_nRows - 1; row++) {
        y += m_pRowInfo[row].nCurSize;
        if (y + m_cySplitterGap > rectInside.bottom)
            break;
        if (pt.y >= y && pt.y < y + m_cySplitterGap)
            return hSplitterBar1 + row;
        y += m_cySplitterGap;
    }
    return noHit;
}

void CSplitterWnd::GetHitRect(int ht, CRect& rect)
{
    CRect rectInside;
    GetInsideRect(rectInside);
    rect.SetRectEmpty();
    if (ht >= vSplitterBar1 && ht <= vSplitterBar15 && ht - vSplitterBar1 < m_nCols - 1) {
        int x = rectInside.left;
        for (int col = 0; col <= ht - vSplitterBar1; col++)
            x += m_pColInfo[col].nCurSize + (col > 0 ? m_cxSplitterGap : 0);
        rect.SetRect(x, rectInside.top, x + m_cxSplitterGap, rectInside.bottom);
    } else if (ht >= hSplitterBar1 && ht <= hSplitterBar15 && ht - hSplitterBar1 < m_nRows - 1) {
        int y = rectInside.top;
        for (int row = 0; row <= ht - hSplitterBar1; row++)
            y += m_pRowInfo[row].nCurSize + (row > 0 ? m_cySplitterGap : 0);
        rect.SetRect(rectInside.left, y, rectInside.right, y + m_cySplitterGap);
    }
}

void CSplitterWnd::SetSplitCursor(int ht)
{
    LPCSTR lpszCursor = IDC_ARROW;
    if (ht >= vSplitterBar1 && ht <= vSplitterBar15)
        lpszCursor = IDC_SIZEWE;
    else if (ht >= hSplitterBar1 && ht <= hSplitterBar15)
        lpszCursor = IDC_SIZENS;
    ::SetCursor(::LoadCursorA(NULL, lpszCursor));
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd == this && nHitTest == HTCLIENT && !m_bTracking) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        SetSplitCursor(HitTest(pt));
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CSplitterWnd::OnInvertTracker(const CRect& rect)
{
    if (rect.IsRectEmpty())
        return;
    // Drawn over the panes too: a device context that does not clip them.
    HDC hDC = ::GetDCEx(m_hWnd, NULL, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (hDC == NULL)
        return;
    HBRUSH hBrush = CreateHalftoneBrush();
    HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
    ::PatBlt(hDC, rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    ::SelectObject(hDC, hOldBrush);
    ::DeleteObject(hBrush);
    ::ReleaseDC(m_hWnd, hDC);
}

void CSplitterWnd::StartTracking(int ht)
{
    if (ht == noHit || m_bTracking)
        return;
    GetHitRect(ht, m_rectTracker);
    if (m_rectTracker.IsRectEmpty())
        return;

    // The line may go anywhere between the start of the pane before the bar
    // and the far side of the splitter.
    GetInsideRect(m_rectLimit);
    if (ht >= vSplitterBar1 && ht <= vSplitterBar15)
        m_rectLimit.left = m_rectTracker.left - m_pColInfo[ht - vSplitterBar1].nCurSize;
    else
        m_rectLimit.top = m_rectTracker.top - m_pRowInfo[ht - hSplitterBar1].nCurSize;
    m_ptTrackOffset = CPoint(m_rectTracker.Width() / 2, m_rectTracker.Height() / 2);

    // Pending paints of the panes would break the inverted line.
    RedrawWindow(NULL, NULL, RDW_ALLCHILDREN | RDW_UPDATENOW);
    SetCapture();
    SetFocus();  // Escape cancels
    m_htTrack = ht;
    m_bTracking = TRUE;
    SetSplitCursor(ht);
    OnInvertTracker(m_rectTracker);
}

void CSplitterWnd::StopTracking(BOOL bAccept)
{
    if (!m_bTracking)
        return;
    m_bTracking = FALSE;  // before ReleaseCapture, which reports the change
    OnInvertTracker(m_rectTracker);
    if (GetCapture() == this)
        ::ReleaseCapture();

    // Give the focus back to the active pane.
    if (CWnd* pActive = GetActivePane())
        pActive->SetFocus();

    if (bAccept) {
        if (m_htTrack >= vSplitterBar1 && m_htTrack <= vSplitterBar15)
            TrackColumnSize(m_rectTracker.left, m_htTrack - vSplitterBar1);
        else
            TrackRowSize(m_rectTracker.top, m_htTrack - hSplitterBar1);
        RecalcLayout();
    }
    m_htTrack = noHit;
}

void CSplitterWnd::TrackColumnSize(int x, int col)
{
    ASSERT(col >= 0 && col < m_nCols - 1);
    CRect rectInside;
    GetInsideRect(rectInside);
    int xLeft = rectInside.left;
    for (int i = 0; i < col; i++)
        xLeft += m_pColInfo[i].nCurSize + m_cxSplitterGap;
    int cxIdeal = x - xLeft;
    // Under the minimum the column goes out of sight.
    m_pColInfo[col].nIdealSize = cxIdeal < m_pColInfo[col].nMinSize ? 0 : cxIdeal;
}

void CSplitterWnd::TrackRowSize(int y, int row)
{
    ASSERT(row >= 0 && row < m_nRows - 1);
    CRect rectInside;
    GetInsideRect(rectInside);
    int yTop = rectInside.top;
    for (int i = 0; i < row; i++)
        yTop += m_pRowInfo[i].nCurSize + m_cySplitterGap;
    int cyIdeal = y - yTop;
    m_pRowInfo[row].nIdealSize = cyIdeal < m_pRowInfo[row].nMinSize ? 0 : cyIdeal;
}

void CSplitterWnd::OnLButtonDown(UINT nFlags, CPoint pt)
{
    if (m_bTracking)
        return;
    StartTracking(HitTest(pt));
    // The line keeps its distance to the mouse from where the bar was taken.
    if (m_bTracking)
        m_ptTrackOffset = pt - m_rectTracker.TopLeft();
    else
        CWnd::OnLButtonDown(nFlags, pt);
}

void CSplitterWnd::OnMouseMove(UINT nFlags, CPoint pt)
{
    if (!m_bTracking) {
        SetSplitCursor(HitTest(pt));
        CWnd::OnMouseMove(nFlags, pt);
        return;
    }
    CRect rectNew(m_rectTracker);
    if (m_htTrack >= vSplitterBar1 && m_htTrack <= vSplitterBar15) {
        int x = pt.x - m_ptTrackOffset.x;
        if (x > m_rectLimit.right - rectNew.Width())
            x = m_rectLimit.right - rectNew.Width();
        if (x < m_rectLimit.left)
            x = m_rectLimit.left;
        rectNew.OffsetRect(x - rectNew.left, 0);
    } else {
        int y = pt.y - m_ptTrackOffset.y;
        if (y > m_rectLimit.bottom - rectNew.Height())
            y = m_rectLimit.bottom - rectNew.Height();
        if (y < m_rectLimit.top)
            y = m_rectLimit.top;
        rectNew.OffsetRect(0, y - rectNew.top);
    }
    if (rectNew != m_rectTracker) {
        OnInvertTracker(m_rectTracker);
        m_rectTracker = rectNew;
        OnInvertTracker(m_rectTracker);
    }
}

void CSplitterWnd::OnLButtonUp(UINT nFlags, CPoint pt)
{
    if (m_bTracking)
        StopTracking(TRUE);
    else
        CWnd::OnLButtonUp(nFlags, pt);
}

void CSplitterWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_bTracking && nChar == VK_ESCAPE)
        StopTracking(FALSE);
    else if (m_bTracking && nChar == VK_RETURN)
        StopTracking(TRUE);
    else
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CSplitterWnd::OnCancelMode()
{
    StopTracking(FALSE);
    CWnd::OnCancelMode();
}

void CSplitterWnd::OnCaptureChanged(CWnd* pWnd)
{
    // Another window took the mouse: the drag is over, nothing changes.
    if (m_bTracking && pWnd != this)
        StopTracking(FALSE);
    CWnd::OnCaptureChanged(pWnd);
}
