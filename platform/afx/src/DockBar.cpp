// Dock bars: the bars along a frame's sides (and in floating frames) that
// hold the docked control bars, one row or column each, and lay them out.
#include "afxext.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_SIZE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating)
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
    m_cxDefaultGap = 0;
}

CDockBar::~CDockBar()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                            (HBRUSH)(COLOR_BTNFACE + 1));
    return CWnd::Create(lpszClass, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CDockBar::IsDockBar() const { return TRUE; }

int CDockBar::FindBar(CControlBar* pBar) const
{
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
        if (m_arrBars[i] == pBar)
            return i;
    return -1;
}

int CDockBar::GetDockedCount() const { return (int)m_arrBars.GetSize(); }

int CDockBar::GetDockedVisibleCount() const
{
    int nCount = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
        if (static_cast<CControlBar*>(m_arrBars[i])->IsVisible())
            ++nCount;
    return nCount;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    if (pOldDockBar == this)
        m_arrBars.RemoveAt(FindBar(pBar));

    // Bars are kept in the order they sit: before the first one that lies
    // after the given place, else last.
    int nPos = (int)m_arrBars.GetSize();
    if (lpRect != nullptr) {
        for (int i = 0; i < m_arrBars.GetSize(); ++i) {
            CRect rectBar;
            static_cast<CControlBar*>(m_arrBars[i])->GetWindowRect(&rectBar);
            if (bHorz ? rectBar.top >= lpRect->top : rectBar.left >= lpRect->left) {
                nPos = i;
                break;
            }
        }
    }
    m_arrBars.InsertAt(nPos, pBar);

    // Into this bar first: a floating frame left empty is destroyed, with
    // its children.
    pBar->SetParent(this);
    pBar->m_pDockBar = this;
    if (pBar->m_pDockSite == nullptr)
        pBar->m_pDockSite = m_pDockSite;
    if (pOldDockBar != nullptr && pOldDockBar != this)
        pOldDockBar->RemoveControlBar(pBar);

    // The bar takes the side's alignment (and so its orientation); a docked
    // bar with a border has it on the side that faces the pane.
    DWORD dwStyle = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & CBRS_ALIGN_ANY);
    if ((dwStyle & CBRS_BORDER_ANY) && !m_bFloating) {
        dwStyle &= ~CBRS_BORDER_ANY;
        if (m_dwStyle & CBRS_ALIGN_TOP)
            dwStyle |= CBRS_BORDER_BOTTOM;
        else if (m_dwStyle & CBRS_ALIGN_BOTTOM)
            dwStyle |= CBRS_BORDER_TOP;
        else if (m_dwStyle & CBRS_ALIGN_LEFT)
            dwStyle |= CBRS_BORDER_RIGHT;
        else if (m_dwStyle & CBRS_ALIGN_RIGHT)
            dwStyle |= CBRS_BORDER_LEFT;
    }
    if (m_bFloating)
        dwStyle |= CBRS_FLOATING;
    pBar->SetBarStyle(dwStyle);

    if (m_bFloating) {
        // The floating frame's caption is the bar's name.
        CString strTitle;
        pBar->GetWindowText(strTitle);
        GetParent()->SetWindowText(strTitle);
    }
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar)
{
    int nPos = FindBar(pBar);
    if (nPos < 0)
        return FALSE;
    m_arrBars.RemoveAt(nPos);
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = nullptr;

    if (m_bFloating && m_hWnd != nullptr) {
        CFrameWnd* pFrame = static_cast<CFrameWnd*>(GetParent());
        if (GetDockedCount() == 0) {
            // The floating frame (and this bar with it) goes.
            pFrame->DestroyWindow();
            return TRUE;
        }
        if (GetDockedVisibleCount() == 0)
            pFrame->ShowWindow(SW_HIDE);
        else
            pFrame->RecalcLayout();
    }
    return TRUE;
}

void CDockBar::ShowAll(BOOL bShow)
{
    // Copied: showing and hiding may change the bars held.
    CPtrArray arrBars;
    arrBars.Copy(m_arrBars);
    for (int i = 0; i < arrBars.GetSize(); ++i) {
        CControlBar* pBar = static_cast<CControlBar*>(arrBars[i]);
        CFrameWnd* pFrame = pBar->m_pDockSite != nullptr ? pBar->m_pDockSite : GetParentFrame();
        if (pFrame != nullptr)
            pFrame->ShowControlBar(pBar, bShow, FALSE);
    }
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CSize sizeTotal(0, 0);
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* pBar = static_cast<CControlBar*>(m_arrBars[i]);
        if (pBar->m_hWnd == nullptr || !pBar->IsVisible())
            continue;
        CSize size = pBar->CalcFixedLayout(FALSE, bHorz);
        if (bHorz) {
            sizeTotal.cy += size.cy;
            if (size.cx > sizeTotal.cx)
                sizeTotal.cx = size.cx;
        } else {
            sizeTotal.cx += size.cx;
            if (size.cy > sizeTotal.cy)
                sizeTotal.cy = size.cy;
        }
    }
    if (bStretch && !m_bFloating) {
        if (bHorz)
            sizeTotal.cx = 32767;
        else
            sizeTotal.cy = 32767;
    }
    return sizeTotal;
}

void CDockBar::LayoutBars(const CRect& rectBar)
{
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    int nPos = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* pBar = static_cast<CControlBar*>(m_arrBars[i]);
        if (pBar->m_hWnd == nullptr)
            continue;
        // Shows and hides asked for with a delay happen with the layout.
        if (!(pBar->RecalcDelayShow(nullptr) & WS_VISIBLE))
            continue;
        CSize size = pBar->CalcFixedLayout(FALSE, bHorz);
        CRect rect;
        if (bHorz)
            rect.SetRect(rectBar.left, rectBar.top + nPos, rectBar.left + size.cx, rectBar.top + nPos + size.cy);
        else
            rect.SetRect(rectBar.left + nPos, rectBar.top, rectBar.left + nPos + size.cx, rectBar.top + size.cy);
        AfxRepositionWindow(nullptr, pBar->m_hWnd, &rect);
        nPos += bHorz ? size.cy : size.cx;
    }
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void CDockBar::DoPaint(CDC*)
{
    // Only the face colour of the class: the bars paint themselves.
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    CRect rectBefore(lpLayout->rect);
    LRESULT lResult = CControlBar::OnSizeParent(wParam, lParam);
    if (lpLayout->hDWP != nullptr) {
        // The part taken: what the free rectangle lost on this bar's side.
        CRect rectAfter(lpLayout->rect);
        CSize size;
        if (m_dwStyle & CBRS_ORIENT_HORZ)
            size = CSize(rectBefore.Width(), rectBefore.Height() - rectAfter.Height());
        else
            size = CSize(rectBefore.Width() - rectAfter.Width(), rectBefore.Height());
        LayoutBars(CRect(CPoint(0, 0), size));
    }
    return lResult;
}

void CDockBar::OnSize(UINT, int cx, int cy)
{
    LayoutBars(CRect(0, 0, cx, cy));
}

LRESULT CDockBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    CControlBar::OnIdleUpdateCmdUI(wParam, lParam);
    // Floating frames are not the main window's descendants: the frame's
    // first dock bar passes the idle update on to the bars in them, and
    // shows the floating frames made while the frame was hidden.
    if (m_bFloating || m_pDockSite == nullptr)
        return 0;
    CDockBar* pFirst = nullptr;
    for (POSITION pos = m_pDockSite->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        CControlBar* pBar = static_cast<CControlBar*>(m_pDockSite->m_listControlBars.GetNext(pos));
        if (pBar->IsDockBar() && !static_cast<CDockBar*>(pBar)->m_bFloating) {
            pFirst = static_cast<CDockBar*>(pBar);
            break;
        }
    }
    if (pFirst != this)
        return 0;
    for (POSITION pos = m_pDockSite->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        CControlBar* pBar = static_cast<CControlBar*>(m_pDockSite->m_listControlBars.GetNext(pos));
        if (!pBar->IsDockBar() || !static_cast<CDockBar*>(pBar)->m_bFloating || pBar->m_hWnd == nullptr)
            continue;
        CDockBar* pFloatBar = static_cast<CDockBar*>(pBar);
        CWnd* pFrame = pFloatBar->GetParent();
        if (pFrame == nullptr)
            continue;
        if (!pFrame->IsWindowVisible() && pFloatBar->GetDockedVisibleCount() > 0 &&
            m_pDockSite->IsWindowVisible() && !m_pDockSite->IsIconic())
            pFrame->ShowWindow(SW_SHOWNA);
        if (pFrame->IsWindowVisible())
            pFloatBar->SendMessageToDescendants(WM_IDLEUPDATECMDUI, wParam, 0, TRUE, TRUE);
    }
    return 0;
}
