// The frame's side of docking: the dock bars along its sides, docking,
// floating, showing and hiding its control bars.
#include "afxext.h"

namespace {

// The frame's dock bars and the side each holds.
const struct {
    UINT nID;
    DWORD dwStyle;
} kDockBars[4] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};

CDockBar* SideDockBar(CFrameWnd* pFrame, UINT nID)
{
    CControlBar* pBar = pFrame->GetControlBar(nID);
    if (pBar == nullptr || !pBar->IsDockBar())
        return nullptr;
    return static_cast<CDockBar*>(pBar);
}

}  // namespace

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    for (const auto& side : kDockBars) {
        if (!(side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY) || SideDockBar(this, side.nID) != nullptr)
            continue;
        CDockBar* pDockBar = new CDockBar;
        if (!pDockBar->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | side.dwStyle,
                              side.nID)) {
            delete pDockBar;
            continue;
        }
        pDockBar->m_bAutoDelete = TRUE;  // goes with the frame
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    CDockBar* pDockBar = nDockBarID != 0 ? SideDockBar(this, nDockBarID) : nullptr;
    if (pDockBar == nullptr) {
        // The side the bar is aligned to when it may dock there, else the
        // first side it may dock to.
        for (const auto& side : kDockBars) {
            if ((pBar->m_dwStyle & side.dwStyle & CBRS_ALIGN_ANY) &&
                (pBar->m_dwDockStyle & side.dwStyle & CBRS_ALIGN_ANY) &&
                (pDockBar = SideDockBar(this, side.nID)) != nullptr)
                break;
        }
        for (int i = 0; pDockBar == nullptr && i < 4; ++i)
            if (pBar->m_dwDockStyle & kDockBars[i].dwStyle & CBRS_ALIGN_ANY)
                pDockBar = SideDockBar(this, kDockBars[i].nID);
    }
    if (pDockBar == nullptr)
        return;
    if (pBar->m_pDockSite == nullptr)
        pBar->m_pDockSite = this;
    pDockBar->DockControlBar(pBar, lpRect);
    RecalcLayout();
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    if (pBar->m_pDockSite == nullptr)
        pBar->m_pDockSite = this;

    CDockBar* pOldDockBar = pBar->m_pDockBar;
    if (pOldDockBar != nullptr && pOldDockBar->m_bFloating && pOldDockBar->GetDockedCount() == 1) {
        // Alone in its floating frame already: move the frame.
        CFrameWnd* pDockFrame = static_cast<CFrameWnd*>(pOldDockBar->GetParent());
        pOldDockBar->m_dwStyle = (pOldDockBar->m_dwStyle & ~CBRS_ALIGN_ANY) | (dwStyle & CBRS_ALIGN_ANY);
        pOldDockBar->DockControlBar(pBar);
        pDockFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pDockFrame->RecalcLayout();
        return;
    }

    CMiniDockFrameWnd* pDockFrame = new CMiniDockFrameWnd;
    if (!pDockFrame->Create(this, dwStyle)) {
        if (pDockFrame->m_hWnd != nullptr)
            pDockFrame->DestroyWindow();  // deletes it
        else
            delete pDockFrame;
        return;
    }
    pDockFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pDockFrame->m_wndDockBar.DockControlBar(pBar);
    pDockFrame->RecalcLayout();
    if ((GetStyle() & WS_VISIBLE) && pBar->IsVisible()) {
        pDockFrame->ShowWindow(SW_SHOWNA);
        pDockFrame->UpdateWindow();
    }
    // The bar left its side.
    if (pOldDockBar != nullptr && !pOldDockBar->m_bFloating)
        RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    CFrameWnd* pParentFrame = pBar->GetDockingFrame();
    if (pParentFrame == nullptr)
        return;
    if (bDelay) {
        pBar->DelayShow(bShow);
        pParentFrame->DelayRecalcLayout();
    } else {
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                               (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        pBar->DelayShow(bShow);  // nothing left pending
        if (bShow || !pBar->IsFloating())
            pParentFrame->RecalcLayout(FALSE);
    }

    // A floating frame shows while one of its bars does.
    if (pBar->IsFloating()) {
        int nVisible = pBar->m_pDockBar->GetDockedVisibleCount();
        if (nVisible > 0 && bShow) {
            CFrameWnd* pDockSite = pBar->m_pDockSite;
            if (pDockSite == nullptr || (pDockSite->GetStyle() & WS_VISIBLE))
                pParentFrame->ShowWindow(SW_SHOWNA);
        } else if (nVisible == 0) {
            pParentFrame->ShowWindow(SW_HIDE);
        } else if (!bDelay) {
            pParentFrame->RecalcLayout(FALSE);
        }
    }
}
