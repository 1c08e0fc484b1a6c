#include "TabWnd.h"

namespace {

const int kStripRows = 40;     // the strip along the top or bottom edge
const int kBandTop = 6;        // a tab's rows, from the edge
const int kBandBottom = 36;
const int kMaxCaption = 200;   // a caption's width at most, padding included
const int kIconRoom = 24;
const int kIconSize = 16;
const UINT kLabelId = 0xFFFF;
const UINT kFirstPageId = 13576;

}  // namespace

// ---------------------------------------------------------------------------
// CTabEntry

CTabEntry::CTabEntry()
    : m_pWnd(NULL), m_pLabel(NULL), m_bPageEnabled(TRUE), m_bEnabled(TRUE), m_bVisible(TRUE), m_nLeft(0),
      m_nRight(0), m_hIcon(NULL), m_bOwnsLabel(TRUE)
{
}

CTabEntry::CTabEntry(const CTabEntry& other)
    : m_pWnd(other.m_pWnd), m_pLabel(other.m_pLabel), m_bPageEnabled(other.m_bPageEnabled),
      m_bEnabled(other.m_bEnabled), m_bVisible(other.m_bVisible), m_nLeft(other.m_nLeft), m_nRight(other.m_nRight),
      m_hIcon(other.m_hIcon), m_bOwnsLabel(FALSE)
{
}

CTabEntry::~CTabEntry()
{
    if (m_bOwnsLabel)
        delete m_pLabel;
}

// ---------------------------------------------------------------------------
// TTabWnd

IMPLEMENT_DYNCREATE(TTabWnd, CWnd)

BEGIN_MESSAGE_MAP(TTabWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONUP()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

TTabWnd::TTabWnd()
    : m_brushBlack(RGB(0, 0, 0)), m_brushFace(::GetSysColor(COLOR_BTNFACE)),
      m_penLight(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT)),
      m_penLight2(PS_SOLID, 2, ::GetSysColor(COLOR_BTNHIGHLIGHT)), m_penBlack(PS_SOLID, 1, RGB(0, 0, 0)),
      m_penFace(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE)), m_penShadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW)),
      m_penShadow2(PS_SOLID, 2, ::GetSysColor(COLOR_BTNSHADOW)), m_nSelectedTab(0), m_bInLayout(FALSE), m_nTabs(0),
      m_nTabPos(TABPOS_BOTTOM), m_nTabsWidth(0)
{
}

TTabWnd::~TTabWnd() { DeleteTabs(); }

BOOL TTabWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                     CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (lpszClassName == NULL)
        lpszClassName = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(NULL, IDC_ARROW),
                                            (HBRUSH)(COLOR_BTNFACE + 1));
    // The pages are drawn by themselves, never painted over by the strip.
    if (!CWnd::Create(lpszClassName, lpszWindowName, (dwStyle & ~WS_BORDER) | WS_CLIPCHILDREN, rect, pParentWnd, nID,
                      pContext))
        return FALSE;
    if (pParentWnd != NULL && pParentWnd->IsFrameWnd()) {
        pParentWnd->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
        ((CFrameWnd*)pParentWnd)->RecalcLayout();
    }
    ResizeTab(-1, -1);
    return TRUE;
}

int TTabWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    NONCLIENTMETRICSA metrics;
    ::ZeroMemory(&metrics, sizeof metrics);
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        m_font.CreateFontIndirect(&metrics.lfStatusFont);
    return 0;
}

void TTabWnd::OnDestroy()
{
    CWnd::OnDestroy();
    DeleteTabs();
}

void TTabWnd::DeleteTabs()
{
    for (int i = 0; i < m_tabs.GetSize(); i++)
        delete (CTabEntry*)m_tabs[i];
    m_tabs.RemoveAll();
    m_nTabs = 0;
}

CTabEntry* TTabWnd::GetTabEntry(int nIndex) const
{
    return IsValidIndex(nIndex) ? (CTabEntry*)m_tabs[nIndex] : NULL;
}

// ---------------------------------------------------------------------------
// Pages

CTabEntry* TTabWnd::AddTab(LPCTSTR lpszTitle, CWnd* pPage)
{
    CTabEntry* pEntry = new CTabEntry;
    pEntry->m_pWnd = pPage;
    pEntry->m_pLabel = new CStatic;
    pEntry->m_pLabel->Create(lpszTitle, WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(0, 0, 0, 0), this, kLabelId);
    if (m_nTabs > 0) {
        pPage->EnableWindow(FALSE);
        pPage->ShowWindow(SW_HIDE);
    }
    m_tabs.Add(pEntry);
    m_nTabs++;
    ResizeTab(-1, -1);
    InvalidateStrip();
    return pEntry;
}

CTabEntry* TTabWnd::AddViewTab(LPCTSTR lpszTitle, CRuntimeClass* pViewClass, CCreateContext* pContext)
{
    if (pViewClass == NULL || m_hWnd == NULL)
        return NULL;
    CObject* pObject = pViewClass->CreateObject();
    if (pObject == NULL || !pObject->IsKindOf(RUNTIME_CLASS(CWnd))) {
        delete pObject;
        return NULL;
    }
    CWnd* pPage = (CWnd*)pObject;
    CRect rectClient;
    GetClientRect(&rectClient);
    DWORD dwStyle = WS_CHILD | WS_VISIBLE;
    CWnd* pParent = GetParent();
    if (pParent == NULL || !pParent->IsKindOf(RUNTIME_CLASS(CSplitterWnd)))
        dwStyle |= WS_BORDER;
    CRect rect(0, 42, rectClient.Width(), rectClient.Height());
    if (!pPage->Create(NULL, NULL, dwStyle, rect, this, kFirstPageId + m_nTabs, pContext)) {
        // A view deletes itself when its creation fails; other windows do not.
        if (!pPage->IsKindOf(RUNTIME_CLASS(CView)))
            delete pPage;
        return NULL;
    }
    return AddTab(lpszTitle, pPage);
}

BOOL TTabWnd::AddSplitterTab(LPCTSTR lpszTitle, int nRows, int nCols, CSplitterWnd* pSplitter, UINT nID)
{
    if (pSplitter == NULL || m_hWnd == NULL || !pSplitter->CreateStatic(this, nRows, nCols, WS_CHILD | WS_VISIBLE, nID))
        return FALSE;
    return AddTab(lpszTitle, pSplitter) != NULL;
}

CWnd* TTabWnd::GetTabWnd(int nIndex) const
{
    CTabEntry* pEntry = GetTabEntry(nIndex);
    if (pEntry == NULL || pEntry->m_pWnd == NULL || !::IsWindow(pEntry->m_pWnd->m_hWnd))
        return NULL;
    return pEntry->m_pWnd;
}

int TTabWnd::GetTabIndex(const CWnd* pWnd) const
{
    if (pWnd == NULL)
        return -1;
    for (int i = 0; i < m_nTabs; i++) {
        if (GetTabEntry(i)->m_pWnd == pWnd)
            return i;
    }
    return -1;
}

CString TTabWnd::GetTabText(int nIndex) const
{
    CString strText;
    CTabEntry* pEntry = GetTabEntry(nIndex);
    if (pEntry != NULL && pEntry->m_pLabel->GetSafeHwnd() != NULL)
        pEntry->m_pLabel->GetWindowText(strText);
    return strText;
}

BOOL TTabWnd::SetTabText(int nIndex, LPCTSTR lpszText)
{
    CTabEntry* pEntry = GetTabEntry(nIndex);
    if (pEntry == NULL || pEntry->m_pLabel->GetSafeHwnd() == NULL)
        return FALSE;
    pEntry->m_pLabel->SetWindowText(lpszText);
    InvalidateStrip();
    return TRUE;
}

BOOL TTabWnd::EnableTab(int nIndex, BOOL bEnable)
{
    CTabEntry* pEntry = GetTabEntry(nIndex);
    if (pEntry == NULL)
        return FALSE;
    pEntry->m_bEnabled = bEnable;
    InvalidateStrip();
    return TRUE;
}

BOOL TTabWnd::ShowTab(int nIndex, BOOL bShow)
{
    CTabEntry* pEntry = GetTabEntry(nIndex);
    if (pEntry == NULL)
        return FALSE;
    pEntry->m_bVisible = bShow;
    // A hidden tab's caption must not stay where the tab was last drawn.
    if (pEntry->m_pLabel->GetSafeHwnd() != NULL)
        pEntry->m_pLabel->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
    InvalidateStrip();
    return TRUE;
}

BOOL TTabWnd::IsTabEnabled(int nIndex) const
{
    CTabEntry* pEntry = GetTabEntry(nIndex);
    return pEntry != NULL && pEntry->m_bEnabled;
}

BOOL TTabWnd::IsTabVisible(int nIndex) const
{
    CTabEntry* pEntry = GetTabEntry(nIndex);
    return pEntry != NULL && pEntry->m_bVisible;
}

BOOL TTabWnd::SetTabPageEnabled(int nIndex, BOOL bEnable)
{
    CTabEntry* pEntry = GetTabEntry(nIndex);
    if (pEntry == NULL)
        return FALSE;
    pEntry->m_bPageEnabled = bEnable;
    return TRUE;
}

BOOL TTabWnd::IsTabPageEnabled(int nIndex) const
{
    CTabEntry* pEntry = GetTabEntry(nIndex);
    return pEntry != NULL && pEntry->m_bPageEnabled;
}

BOOL TTabWnd::SetTabIcon(int nIndex, HICON hIcon)
{
    CTabEntry* pEntry = GetTabEntry(nIndex);
    if (pEntry == NULL)
        return FALSE;
    pEntry->m_hIcon = hIcon;
    InvalidateStrip();
    return TRUE;
}

HICON TTabWnd::GetTabIcon(int nIndex) const
{
    CTabEntry* pEntry = GetTabEntry(nIndex);
    return pEntry != NULL ? pEntry->m_hIcon : NULL;
}

void TTabWnd::SetTabPos(int nPos)
{
    m_nTabPos = nPos == TABPOS_TOP ? TABPOS_TOP : TABPOS_BOTTOM;
    if (m_hWnd != NULL) {
        ResizeTab(-1, -1);
        Invalidate();
    }
}

void TTabWnd::SetFont(CFont* pFont)
{
    if (pFont == NULL || m_hWnd == NULL)
        return;
    SendMessage(WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), 0);
    LOGFONT logFont;
    if (pFont->GetLogFont(&logFont)) {
        m_font.DeleteObject();
        m_font.CreateFontIndirect(&logFont);
    }
    InvalidateStrip();
}

void TTabWnd::InvalidateStrip()
{
    if (m_hWnd == NULL)
        return;
    CRect rect;
    GetClientRect(&rect);
    if (m_nTabPos == TABPOS_TOP)
        rect = CRect(0, 0, 32000, kStripRows);
    else
        rect = CRect(0, rect.bottom - kStripRows, 32000, rect.bottom);
    InvalidateRect(&rect);
}

// ---------------------------------------------------------------------------
// Switching

BOOL TTabWnd::CanSwitch(CWnd*, CWnd*) { return TRUE; }

void TTabWnd::OnSwitched(CWnd*, CWnd*) {}

BOOL TTabWnd::SetActiveTab(int nIndex, BOOL bActivateView)
{
    if (nIndex == -1)
        return FALSE;
    if (nIndex == m_nSelectedTab)
        return TRUE;
    CTabEntry* pNew = GetTabEntry(nIndex);
    if (pNew == NULL || !pNew->m_bEnabled || !pNew->m_bVisible)
        return FALSE;

    CWnd* pOldPage = GetTabWnd(m_nSelectedTab);
    CWnd* pNewPage = GetTabWnd(nIndex);
    if (!CanSwitch(pOldPage, pNewPage))
        return FALSE;

    if (pOldPage != NULL) {
        pOldPage->EnableWindow(FALSE);
        pOldPage->ShowWindow(SW_HIDE);
    }
    if (pNewPage != NULL) {
        pNewPage->EnableWindow(pNew->m_bPageEnabled);
        pNewPage->ShowWindow(SW_SHOW);
        pNewPage->SetFocus();
    }
    m_nSelectedTab = nIndex;
    InvalidateStrip();
    OnSwitched(pOldPage, pNewPage);

    if (bActivateView && pNewPage != NULL) {
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame != NULL)
            ActivatePage(pNewPage, pFrame);
    }
    return TRUE;
}

void TTabWnd::ActivatePage(CWnd* pPage, CFrameWnd* pFrame)
{
    if (pPage == NULL)
        return;
    if (pPage->IsKindOf(RUNTIME_CLASS(CView))) {
        pFrame->SetActiveView((CView*)pPage);
    } else if (pPage->IsKindOf(RUNTIME_CLASS(CSplitterWnd))) {
        CSplitterWnd* pSplitter = (CSplitterWnd*)pPage;
        CWnd* pPane = pSplitter->GetActivePane();
        for (int row = 0; pPane == NULL && row < pSplitter->GetRowCount(); row++) {
            for (int col = 0; pPane == NULL && col < pSplitter->GetColumnCount(); col++) {
                CWnd* pCandidate = pSplitter->GetPane(row, col);
                if (pCandidate != NULL && pCandidate->IsWindowEnabled() &&
                    (pCandidate->IsKindOf(RUNTIME_CLASS(CView)) || pCandidate->IsKindOf(RUNTIME_CLASS(CSplitterWnd)) ||
                     pCandidate->IsKindOf(RUNTIME_CLASS(TTabWnd))))
                    pPane = pCandidate;
            }
        }
        if (pPane == NULL)
            pPane = pSplitter->GetPane(0, 0);
        ActivatePage(pPane, pFrame);
    } else if (pPage->IsKindOf(RUNTIME_CLASS(TTabWnd))) {
        TTabWnd* pTab = (TTabWnd*)pPage;
        ActivatePage(pTab->GetTabWnd(pTab->GetActiveTab()), pFrame);
    }
}

int TTabWnd::HitTest(CPoint point) { return HitTest(point.x, point.y); }

int TTabWnd::HitTest(int x, int y)
{
    CRect rect;
    GetClientRect(&rect);
    int nTop = kBandTop, nBottom = kBandBottom;
    if (m_nTabPos == TABPOS_BOTTOM) {
        nTop = rect.Height() - kBandBottom;
        nBottom = rect.Height() - kBandTop;
    }
    if (y < nTop || y > nBottom)
        return -1;
    for (int i = 0; i < m_nTabs; i++) {
        CTabEntry* pEntry = GetTabEntry(i);
        if (pEntry->m_bEnabled && pEntry->m_bVisible && x >= pEntry->m_nLeft && x <= pEntry->m_nRight)
            return i;
    }
    return -1;
}

void TTabWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    SetActiveTab(HitTest(point), TRUE);
    CWnd::OnLButtonUp(nFlags, point);
}

// ---------------------------------------------------------------------------
// Layout

void TTabWnd::ResizeTab(int cx, int cy)
{
    if (m_hWnd == NULL)
        return;
    CWnd* pParent = GetParent();
    // The pane the tab window sits in is laid out first; from a size
    // message that layout is already done.
    if (cx == -1 && cy == -1 && !m_bInLayout && pParent != NULL) {
        m_bInLayout = TRUE;
        if (pParent->IsKindOf(RUNTIME_CLASS(CSplitterWnd))) {
            CSplitterWnd* pSplitter = (CSplitterWnd*)pParent;
            if (pSplitter->IsChildPane(this, NULL, NULL))
                pSplitter->RecalcLayout();
        } else if (pParent->IsFrameWnd()) {
            CRect rect;
            pParent->GetClientRect(&rect);
            pParent->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rect, &rect);
            MoveWindow(&rect);
        }
        m_bInLayout = FALSE;
    }

    const int nStrip = m_nTabPos == TABPOS_TOP ? 42 : 40;
    int nWidth, nHeight;
    if (cx == -1 && cy == -1) {
        CRect rect;
        GetClientRect(&rect);
        nWidth = rect.Width() - 2;
        nHeight = rect.Height() - nStrip;
    } else {
        nWidth = cx;
        nHeight = cy - nStrip;
    }
    if (nWidth < 0)
        nWidth = 0;
    if (nHeight < 0)
        nHeight = 0;
    const int y = m_nTabPos == TABPOS_TOP ? 41 : 0;

    BOOL bWasInLayout = m_bInLayout;
    m_bInLayout = TRUE;
    for (int i = 0; i < m_nTabs; i++) {
        CWnd* pPage = GetTabWnd(i);
        if (pPage != NULL)
            pPage->SetWindowPos(NULL, 1, y, nWidth, nHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_bInLayout = bWasInLayout;
}

void TTabWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    ResizeTab(cx, cy);
}

LRESULT TTabWnd::OnSizeParent(WPARAM, LPARAM)
{
    if (!m_bInLayout)
        ResizeTab(-1, -1);
    return 0;
}

// ---------------------------------------------------------------------------
// Drawing

BOOL TTabWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    if (m_nTabPos == TABPOS_TOP)
        rect.bottom = rect.top + kStripRows;
    else
        rect.top = rect.bottom - 43;
    pDC->FillRect(&rect, &m_brushFace);
    return TRUE;
}

void TTabWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(&rectClient);
    const int cx = rectClient.Width();
    const int cy = rectClient.Height();
    const BOOL bTop = m_nTabPos == TABPOS_TOP;

    CWnd* pParent = GetParent();
    if (pParent != NULL && pParent->IsFrameWnd()) {
        CRect rectEdge = rectClient;
        dc.DrawEdge(&rectEdge, EDGE_ETCHED, bTop ? BF_TOP : BF_BOTTOM);
    }
    if (bTop) {
        dc.Draw3dRect(0, 40, cx, cy - 40, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        dc.Draw3dRect(1, 41, cx - 2, cy - 42, RGB(0, 0, 0), ::GetSysColor(COLOR_3DLIGHT));
    } else {
        dc.Draw3dRect(0, 0, cx, cy - 39, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        dc.Draw3dRect(1, 1, cx - 2, cy - 41, RGB(0, 0, 0), ::GetSysColor(COLOR_3DLIGHT));
    }

    CFont* pOldFont = m_font.GetSafeHandle() != NULL ? dc.SelectObject(&m_font) : NULL;
    CPen* pOldPen = dc.SelectObject(&m_penBlack);
    int x = 0;
    for (int i = 0; i < m_nTabs; i++) {
        CTabEntry* pEntry = GetTabEntry(i);
        if (!pEntry->m_bVisible) {
            pEntry->m_nRight = x;
            continue;
        }
        pEntry->m_nLeft = x;
        CString strText = GetTabText(i);
        int nText = dc.GetTextExtent(strText).cx + 4;
        if (nText > kMaxCaption)
            nText = kMaxCaption;
        int w = nText + (pEntry->m_hIcon != NULL ? kIconRoom : 0);
        DrawTab(&dc, pEntry, x, w, i == m_nSelectedTab, cx, cy);

        // The caption is a static control laid onto the tab.
        CSize sizeText = dc.GetTextExtent(strText.IsEmpty() ? CString("X") : strText);
        int nBandTop = bTop ? kBandTop : cy - kBandBottom;
        CRect rectLabel(CPoint(x + 5 + (pEntry->m_hIcon != NULL ? kIconRoom : 0), nBandTop + (30 - sizeText.cy) / 2),
                        CSize(nText, sizeText.cy));
        CStatic* pLabel = pEntry->m_pLabel;
        if (pLabel->GetSafeHwnd() != NULL) {
            pLabel->SendMessage(WM_SETFONT, (WPARAM)m_font.GetSafeHandle(), FALSE);
            CRect rectOld;
            pLabel->GetWindowRect(&rectOld);
            ScreenToClient(&rectOld);
            if (rectOld != rectLabel)
                pLabel->SetWindowPos(NULL, rectLabel.left, rectLabel.top, rectLabel.Width(), rectLabel.Height(),
                                     SWP_NOZORDER | SWP_NOACTIVATE);
            if (!pLabel->IsWindowVisible())
                pLabel->ShowWindow(SW_SHOWNA);
        }
        x += w + 10;
        pEntry->m_nRight = x;
    }
    m_nTabsWidth = x;
    dc.SelectObject(pOldPen);
    if (pOldFont != NULL)
        dc.SelectObject(pOldFont);
}

// One tab drawn as seen with the tabs on top; with the tabs at the bottom
// the same figure is mirrored against the bottom edge.
void TTabWnd::DrawTab(CDC* pDC, CTabEntry* pEntry, int x, int w, BOOL bCurrent, int cx, int cy)
{
    const BOOL bTop = m_nTabPos == TABPOS_TOP;
    auto Y = [&](int y) { return bTop ? y : cy - y; };
    auto Rect = [&](int l, int t, int r, int b) { return bTop ? CRect(l, t, r, b) : CRect(l, cy - b + 1, r, cy - t + 1); };
    auto Line = [&](CPen* pPen, int x1, int y1, int x2, int y2) {
        pDC->SelectObject(pPen);
        pDC->MoveTo(x1, Y(y1));
        pDC->LineTo(x2, Y(y2));
    };

    if (bCurrent) {
        CRect rectFill = Rect(x + 3, 9, x + 3 + w + 4, 9 + 30);
        pDC->FillRect(&rectFill, &m_brushFace);
        // Outline.
        pDC->SelectObject(&m_penBlack);
        pDC->MoveTo(x, Y(35));
        pDC->LineTo(x, Y(6));
        pDC->LineTo(x + w + 9, Y(6));
        pDC->LineTo(x + w + 9, Y(36));
        // Light and dark edges.
        pDC->SelectObject(&m_penLight2);
        pDC->MoveTo(x + 2, Y(35));
        pDC->LineTo(x + 2, Y(8));
        pDC->LineTo(x + w + 6, Y(8));
        Line(&m_penShadow2, x + w + 8, 8, x + w + 8, 35);
        // The tab opens into the page.
        Line(&m_penFace, x - 1, 36, x + w + 10, 36);
        Line(&m_penFace, x - 1, 37, x + w + 10, 37);
        Line(&m_penBlack, 0, 35, x, 35);
        Line(&m_penBlack, x + w + 11, 35, cx, 35);
        if (x > 0)
            Line(&m_penLight2, 0, 37, x, 37);
        Line(&m_penLight2, x + w + 10, 37, cx, 37);
    } else {
        CRect rectFill = Rect(x + 2, 8, x + w + 8, 35);
        pDC->FillRect(&rectFill, &m_brushFace);
        CRect rectFrame = Rect(x, 6, x + w + 10, 36);
        pDC->FrameRect(&rectFrame, &m_brushBlack);
        pDC->SelectObject(&m_penLight);
        pDC->MoveTo(x + 1, Y(35));
        pDC->LineTo(x + 1, Y(7));
        pDC->LineTo(x + w + 8, Y(7));
        Line(&m_penShadow, x + w + 8, 7, x + w + 8, 35);
    }

    if (pEntry->m_hIcon != NULL) {
        int yIcon = bTop ? 11 : cy - 11 - kIconSize;
        ::DrawIconEx(pDC->m_hDC, x + 6, yIcon, pEntry->m_hIcon, kIconSize, kIconSize, 0, NULL, DI_NORMAL);
    }
}
