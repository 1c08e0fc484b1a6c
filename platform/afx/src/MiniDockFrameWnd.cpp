// The small frame a floating control bar lives in: sized to its bars, its
// close button hides them instead of destroying anything.
#include "afxext.h"

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {}

CMiniDockFrameWnd::~CMiniDockFrameWnd() {}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME |
                    MFS_SYNCACTIVE | MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
    if (!CMiniFrameWnd::CreateEx(WS_EX_TOOLWINDOW, nullptr, "", dwStyle, CRect(0, 0, 0, 0), pParent))
        return FALSE;

    // The dock bar belongs to the bars' frame (made in it, so that it is
    // one of its bars) and lives in this one.
    m_wndDockBar.m_bAutoDelete = FALSE;
    if (!m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | (dwBarStyle & CBRS_ALIGN_ANY),
                             AFX_IDW_DOCKBAR_FLOAT))
        return FALSE;
    m_wndDockBar.SetParent(this);
    return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || m_wndDockBar.m_hWnd == nullptr)
        return;
    m_bInRecalcLayout = TRUE;

    // The frame takes the size of its bars.
    CSize size = m_wndDockBar.CalcFixedLayout(FALSE, (m_wndDockBar.m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    CRect rectBar(CPoint(0, 0), size);
    AfxRepositionWindow(nullptr, m_wndDockBar.m_hWnd, &rectBar);
    m_wndDockBar.LayoutBars(rectBar);

    CRect rectWindow, rectClient;
    GetWindowRect(&rectWindow);
    GetClientRect(&rectClient);
    int cx = size.cx + rectWindow.Width() - rectClient.Width();
    int cy = size.cy + rectWindow.Height() - rectClient.Height();
    if (cx != rectWindow.Width() || cy != rectWindow.Height())
        SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    m_bInRecalcLayout = FALSE;
}

void CMiniDockFrameWnd::OnClose()
{
    // The bars are hidden; they come back with ShowControlBar.
    m_wndDockBar.ShowAll(FALSE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    // With one bar that may dock, the caption drags the bar: dropped near a
    // side of its frame it docks there, elsewhere the frame moves.
    if (nHitTest == HTCAPTION && m_wndDockBar.GetDockedCount() == 1) {
        CControlBar* pBar = static_cast<CControlBar*>(m_wndDockBar.m_arrBars[0]);
        if (pBar->m_dwDockStyle != 0 && pBar->m_pDockSite != nullptr) {
            pBar->TrackDrag(point);
            return;
        }
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}
