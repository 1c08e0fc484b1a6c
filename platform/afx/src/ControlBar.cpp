// Control bars: their place in the frame's layout, idle updates of their
// items, the frame's list of bars, fly-by prompts and tool tips.
#include "afxext.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

namespace {

const int kBorder = 2;         // width of a CBRS_BORDER_ edge
const int kGripper = 3;        // width of one gripper line
const int kGripperBorder = 2;  // space either side of the gripper

// The command's text: line 0 is the prompt, line 1 the tool tip.
CString CommandText(UINT nID, int nLine)
{
    CString strFull;
    if (nID == 0 || !strFull.LoadString(nID))
        return CString();
    int nStart = 0;
    for (int i = 0; i < nLine; ++i) {
        int nNewLine = strFull.Find('\n', nStart);
        if (nNewLine < 0)
            return CString();
        nStart = nNewLine + 1;
    }
    int nEnd = strFull.Find('\n', nStart);
    return nEnd < 0 ? strFull.Mid(nStart) : strFull.Mid(nStart, nEnd - nStart);
}

}  // namespace

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_CTLCOLOR()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
END_MESSAGE_MAP()

CControlBar::CControlBar()
    : m_bAutoDelete(FALSE),
      m_cxLeftBorder(6),
      m_cxRightBorder(6),
      m_cyTopBorder(1),
      m_cyBottomBorder(1),
      m_cxDefaultGap(2),
      m_nMRUWidth(32767),
      m_nCount(0),
      m_pData(nullptr),
      m_nStateFlags(0),
      m_dwStyle(0),
      m_dwDockStyle(0),
      m_pDockSite(nullptr),
      m_pDockBar(nullptr),
      m_nFlyByID(0)
{
}

CControlBar::~CControlBar()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

int CControlBar::GetCount() const { return m_nCount; }

DWORD CControlBar::GetBarStyle() { return m_dwStyle; }

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    DWORD dwOld = m_dwStyle;
    m_dwStyle = dwStyle & CBRS_ALL;
    // Borders and the gripper live in the non-client area.
    if (m_hWnd != nullptr && (dwOld & (CBRS_BORDER_ANY | CBRS_GRIPPER | CBRS_ORIENT_ANY)) !=
                                 (m_dwStyle & (CBRS_BORDER_ANY | CBRS_GRIPPER | CBRS_ORIENT_ANY)))
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

void CControlBar::SetBorders(LPCRECT lpRect)
{
    SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

CRect CControlBar::GetBorders() const
{
    return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    CFrameWnd* pFrameWnd = GetParentFrame();
    if (pFrameWnd == nullptr)
        pFrameWnd = m_pDockSite;
    return pFrameWnd;
}

BOOL CControlBar::IsFloating() const
{
    if (IsDockBar())
        return static_cast<const CDockBar*>(this)->m_bFloating;
    return m_pDockBar != nullptr && m_pDockBar->m_bFloating;
}

BOOL CControlBar::IsDockBar() const { return FALSE; }

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size;
    size.cx = (bStretch && bHorz ? 32767 : 0);
    size.cy = (bStretch && !bHorz ? 32767 : 0);
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    if (bShow && !(GetStyle() & WS_VISIBLE))
        m_nStateFlags |= delayShow;
    else if (!bShow && (GetStyle() & WS_VISIBLE))
        m_nStateFlags |= delayHide;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) || (GetStyle() & WS_VISIBLE);
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    DWORD dwStyle = GetStyle();
    if (m_nStateFlags & (delayHide | delayShow)) {
        UINT swpFlags = 0;
        if ((m_nStateFlags & delayHide) && (dwStyle & WS_VISIBLE)) {
            swpFlags = SWP_HIDEWINDOW;
            dwStyle &= ~WS_VISIBLE;
        } else if ((m_nStateFlags & delayShow) && !(dwStyle & WS_VISIBLE)) {
            swpFlags = SWP_SHOWWINDOW;
            dwStyle |= WS_VISIBLE;
        }
        m_nStateFlags &= ~(delayHide | delayShow);
        if (swpFlags != 0) {
            swpFlags |= SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
            if (lpLayout != nullptr && lpLayout->hDWP != nullptr)
                lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, nullptr, 0, 0, 0, 0, swpFlags);
            else
                ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, swpFlags);
        }
    }
    return dwStyle;
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    DWORD dwStyle = m_dwStyle;
    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left += kBorder;
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top += kBorder;
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= kBorder;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= kBorder;

    BOOL bGripper = (dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
    if (bHorz) {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
        if (bGripper)
            rect.left += kGripperBorder + kGripper * 2 + kGripperBorder;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
        if (bGripper)
            rect.top += kGripperBorder + kGripper * 2 + kGripperBorder;
    }
}

void CControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
    DrawGripper(pDC, rect);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    DWORD dwStyle = m_dwStyle;
    if (!(dwStyle & CBRS_BORDER_ANY))
        return;
    UINT nFlags = 0;
    if (dwStyle & CBRS_BORDER_LEFT)
        nFlags |= BF_LEFT;
    if (dwStyle & CBRS_BORDER_TOP)
        nFlags |= BF_TOP;
    if (dwStyle & CBRS_BORDER_RIGHT)
        nFlags |= BF_RIGHT;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        nFlags |= BF_BOTTOM;
    ::DrawEdge(pDC->m_hDC, &rect, EDGE_ETCHED, nFlags | BF_ADJUST);
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    // Two raised lines across the bar at its start.
    CRect rectLine;
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        rectLine.SetRect(rect.left + kGripperBorder, rect.top + m_cyTopBorder,
                         rect.left + kGripperBorder + kGripper, rect.bottom - m_cyBottomBorder);
        for (int i = 0; i < 2; ++i) {
            ::DrawEdge(pDC->m_hDC, &rectLine, BDR_RAISEDINNER, BF_RECT);
            rectLine.OffsetRect(kGripper, 0);
        }
    } else {
        rectLine.SetRect(rect.left + m_cyTopBorder, rect.top + kGripperBorder,
                         rect.right - m_cyBottomBorder, rect.top + kGripperBorder + kGripper);
        for (int i = 0; i < 2; ++i) {
            ::DrawEdge(pDC->m_hDC, &rectLine, BDR_RAISEDINNER, BF_RECT);
            rectLine.OffsetRect(0, kGripper);
        }
    }
}

INT_PTR CControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    // Child controls (dialog bars) answer with their ids.
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
    if (hWndChild == nullptr || hWndChild == m_hWnd)
        return -1;
    int nID = ::GetDlgCtrlID(hWndChild);
    if (nID <= 0)
        return -1;
    if (pTI != nullptr) {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)nID;
        ::GetWindowRect(hWndChild, &pTI->rect);
        ::MapWindowPoints(nullptr, m_hWnd, (LPPOINT)&pTI->rect, 2);
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return nID;
}

CFrameWnd* CControlBar::GetTargetFrame() const
{
    CWnd* pOwner = GetOwner();
    if (pOwner != nullptr && pOwner->IsFrameWnd())
        return static_cast<CFrameWnd*>(pOwner);
    return GetParentFrame();
}

void CControlBar::SetFlyBy(UINT nID)
{
    if (nID == m_nFlyByID)
        return;
    m_nFlyByID = nID;
    // The frame the bar belongs to shows the prompt, also while it floats.
    CFrameWnd* pFrame = GetTargetFrame();
    if (pFrame != nullptr)
        pFrame->SendMessage(WM_SETMESSAGESTRING, nID != 0 ? nID : AFX_IDS_IDLEMESSAGE);
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY: {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        LRESULT lResult = 0;
        if (pNMHDR != nullptr && (pNMHDR->code == TTN_NEEDTEXTA || pNMHDR->code == TTN_NEEDTEXTW) &&
            OnToolTipText(0, pNMHDR, &lResult))
            return lResult;
    }
        // fall through
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: {
        // What the bar's items send goes to the frame unless the bar takes it.
        LRESULT lResult = 0;
        if (OnWndMsg(message, wParam, lParam, &lResult))
            return lResult;
        CWnd* pOwner = GetOwner();
        if (pOwner != nullptr && pOwner->m_hWnd != nullptr && pOwner->m_hWnd != m_hWnd)
            return pOwner->SendMessage(message, wParam, lParam);
        return DefWindowProc(message, wParam, lParam);
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    // A bar made in a frame belongs to it: the frame lists it, lays it out,
    // routes its commands and destroys it with itself.
    CWnd* pParent = GetParent();
    if (pParent != nullptr && pParent->IsFrameWnd()) {
        CFrameWnd* pFrame = static_cast<CFrameWnd*>(pParent);
        m_pDockSite = pFrame;
        if (pFrame->m_listControlBars.Find(this) == nullptr)
            pFrame->m_listControlBars.AddTail(this);
        if (m_hWndOwner == nullptr)
            SetOwner(pFrame);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockBar != nullptr) {
        CDockBar* pDockBar = m_pDockBar;
        m_pDockBar = nullptr;
        // Only forget the bar: the dock bar (or its frame) may be going too.
        int nPos = pDockBar->FindBar(this);
        if (nPos >= 0)
            pDockBar->m_arrBars.RemoveAt(nPos);
    }
    if (m_pDockSite != nullptr) {
        POSITION pos = m_pDockSite->m_listControlBars.Find(this);
        if (pos != nullptr)
            m_pDockSite->m_listControlBars.RemoveAt(pos);
    }
    CWnd::OnDestroy();
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    DWORD dwStyle = RecalcDelayShow(lpLayout);
    if (!(dwStyle & WS_VISIBLE) || !(m_dwStyle & CBRS_ALIGN_ANY))
        return 0;

    CRect rect(lpLayout->rect);
    CSize sizeAvail = rect.Size();
    DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
        dwMode |= LM_HORZ | LM_MRUWIDTH;
    else if (m_dwStyle & CBRS_ORIENT_HORZ)
        dwMode |= LM_HORZ | LM_HORZDOCK;
    else
        dwMode |= LM_VERTDOCK;
    CSize size = CalcDynamicLayout(-1, dwMode);
    size.cx = size.cx < sizeAvail.cx ? size.cx : sizeAvail.cx;
    size.cy = size.cy < sizeAvail.cy ? size.cy : sizeAvail.cy;

    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        lpLayout->sizeTotal.cy += size.cy;
        if (size.cx > lpLayout->sizeTotal.cx)
            lpLayout->sizeTotal.cx = size.cx;
        if (m_dwStyle & CBRS_ALIGN_TOP) {
            lpLayout->rect.top += size.cy;
        } else {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    } else {
        lpLayout->sizeTotal.cx += size.cx;
        if (size.cy > lpLayout->sizeTotal.cy)
            lpLayout->sizeTotal.cy = size.cy;
        if (m_dwStyle & CBRS_ALIGN_LEFT) {
            lpLayout->rect.left += size.cx;
        } else {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (lpLayout->hDWP != nullptr)
        AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    // A pending show or hide that no layout has applied yet.
    if (m_nStateFlags & (delayHide | delayShow))
        RecalcDelayShow(nullptr);

    if ((GetStyle() & WS_VISIBLE) &&
        (m_pDockBar == nullptr || (m_pDockBar->GetStyle() & WS_VISIBLE))) {
        CFrameWnd* pTarget = GetTargetFrame();
        if (pTarget != nullptr)
            OnUpdateCmdUI(pTarget, (BOOL)wParam);
    }
    return 0;
}

void CControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_dwStyle & CBRS_FLYBY) {
        INT_PTR nHit = OnToolHitTest(point, nullptr);
        SetFlyBy(nHit > 0 ? (UINT)nHit : 0);
        if (m_nFlyByID != 0) {
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&tme);
        }
    }
    CWnd::OnMouseMove(nFlags, point);
}

LRESULT CControlBar::OnMouseLeave(WPARAM, LPARAM)
{
    SetFlyBy(0);
    return Default();
}

HBRUSH CControlBar::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    // Static texts and buttons on a bar take the bar's face colour.
    if (nCtlColor == CTLCOLOR_STATIC || nCtlColor == CTLCOLOR_BTN || nCtlColor == CTLCOLOR_DLG) {
        pDC->SetBkColor(::GetSysColor(COLOR_BTNFACE));
        pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        return ::GetSysColorBrush(COLOR_BTNFACE);
    }
    return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CControlBar::OnWindowPosChanging(LPWINDOWPOS lpWndPos)
{
    // The bar repaints its whole face when it changes size (borders, gripper).
    if (!(lpWndPos->flags & SWP_NOSIZE))
        lpWndPos->flags |= SWP_NOCOPYBITS;
    CWnd::OnWindowPosChanging(lpWndPos);
}

BOOL CControlBar::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    UINT_PTR nID = pNMHDR->idFrom;
    BOOL bIsHwnd = pNMHDR->code == TTN_NEEDTEXTA
                       ? (reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR)->uFlags & TTF_IDISHWND) != 0
                       : (reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR)->uFlags & TTF_IDISHWND) != 0;
    if (bIsHwnd)
        nID = (UINT_PTR)::GetDlgCtrlID(reinterpret_cast<HWND>(nID));
    if (nID == 0 || nID > 0xFFFF)
        return FALSE;

    CString strTip = CommandText((UINT)nID, 1);
    if (pNMHDR->code == TTN_NEEDTEXTA) {
        TOOLTIPTEXTA* pTTT = reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR);
        lstrcpynA(pTTT->szText, strTip, (int)(sizeof(pTTT->szText) / sizeof(pTTT->szText[0])));
        pTTT->lpszText = pTTT->szText;
        pTTT->hinst = nullptr;
    } else {
        TOOLTIPTEXTW* pTTT = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
        int nMax = (int)(sizeof(pTTT->szText) / sizeof(pTTT->szText[0]));
        int n = ::MultiByteToWideChar(CP_ACP, 0, strTip, strTip.GetLength(), pTTT->szText, nMax - 1);
        pTTT->szText[n] = 0;
        pTTT->lpszText = pTTT->szText;
        pTTT->hinst = nullptr;
    }
    *pResult = 0;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Dragging by the gripper

namespace {

const int kDockZone = 32;  // how near a side a bar must be dropped to dock there

// Where a mouse message of the drag happened, in screen coordinates.
CPoint ScreenPoint(const MSG& msg)
{
    POINT point = {(short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam)};
    ::ClientToScreen(msg.hwnd, &point);
    return CPoint(point);
}

void DrawDragRect(HDC hDC, const CRect& rect)
{
    if (!rect.IsRectEmpty())
        ::DrawFocusRect(hDC, &rect);
}

}  // namespace

CRect CControlBar::GetGripperRect() const
{
    CRect rect(0, 0, 0, 0);
    if (m_hWnd == nullptr || (m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return rect;
    GetWindowRect(&rect);
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += kBorder;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += kBorder;
    int nGripper = kGripperBorder + kGripper * 2 + kGripperBorder;
    if (m_dwStyle & CBRS_ORIENT_HORZ)
        rect.right = rect.left + m_cxLeftBorder + nGripper;
    else
        rect.bottom = rect.top + m_cxLeftBorder + nGripper;
    return rect;
}

UINT CControlBar::DockBarAtPoint(CPoint ptScreen) const
{
    CFrameWnd* pFrame = m_pDockSite;
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr)
        return 0;
    CRect rectClient;
    pFrame->GetClientRect(&rectClient);
    pFrame->ClientToScreen(&rectClient);
    if (!rectClient.PtInRect(ptScreen))
        return 0;
    // The nearest side within reach that the bar may dock to.
    const struct {
        UINT nID;
        DWORD dwAlign;
        int nDistance;
    } sides[4] = {
        {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP, ptScreen.y - rectClient.top},
        {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM, rectClient.bottom - ptScreen.y},
        {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT, ptScreen.x - rectClient.left},
        {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT, rectClient.right - ptScreen.x},
    };
    UINT nBest = 0;
    int nBestDistance = kDockZone;
    for (const auto& side : sides) {
        if (!(m_dwDockStyle & side.dwAlign) || side.nDistance >= nBestDistance)
            continue;
        CControlBar* pDockBar = pFrame->GetControlBar(side.nID);
        if (pDockBar == nullptr || !pDockBar->IsDockBar())
            continue;
        nBest = side.nID;
        nBestDistance = side.nDistance;
    }
    return nBest;
}

BOOL CControlBar::TrackDrag(CPoint ptScreen)
{
    CFrameWnd* pFrame = m_pDockSite;
    if (pFrame == nullptr || m_dwDockStyle == 0)
        return FALSE;

    // What moves: the floating frame, or the bar itself.
    CRect rectStart;
    if (IsFloating())
        m_pDockBar->GetParent()->GetWindowRect(&rectStart);
    else
        GetWindowRect(&rectStart);
    CSize sizeOffset(ptScreen.x - rectStart.left, ptScreen.y - rectStart.top);

    SetCapture();
    HDC hDC = ::GetDC(nullptr);
    CRect rectDrag = rectStart;
    DrawDragRect(hDC, rectDrag);

    CPoint point = ptScreen;
    BOOL bDone = FALSE;
    BOOL bCancel = FALSE;
    MSG msg;
    while (!bDone && ::GetCapture() == m_hWnd) {
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);  // for the loop that ends the program
            bCancel = TRUE;
            break;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE:
            point = ScreenPoint(msg);
            DrawDragRect(hDC, rectDrag);
            rectDrag = CRect(CPoint(point.x - sizeOffset.cx, point.y - sizeOffset.cy), rectStart.Size());
            DrawDragRect(hDC, rectDrag);
            break;
        case WM_LBUTTONUP:
            point = ScreenPoint(msg);
            bDone = TRUE;
            break;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                bCancel = bDone = TRUE;
            break;
        case WM_RBUTTONDOWN:
            bCancel = bDone = TRUE;
            break;
        default:
            ::DispatchMessageA(&msg);
            break;
        }
    }
    DrawDragRect(hDC, rectDrag);
    ::ReleaseDC(nullptr, hDC);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (bCancel || !bDone)
        return FALSE;

    CPoint ptTopLeft(point.x - sizeOffset.cx, point.y - sizeOffset.cy);
    UINT nDockBarID = DockBarAtPoint(point);
    if (nDockBarID != 0) {
        if (IsFloating() || (UINT)m_pDockBar->GetDlgCtrlID() != nDockBarID) {
            pFrame->DockControlBar(this, nDockBarID);
        } else {
            // Along the same side: a new place among its bars.
            CRect rectDrop(ptTopLeft, rectStart.Size());
            pFrame->DockControlBar(this, nDockBarID, &rectDrop);
        }
    } else {
        // Floating keeps the orientation a floating bar had, else lies flat.
        DWORD dwAlign = IsFloating() ? (m_pDockBar->m_dwStyle & CBRS_ALIGN_ANY) : CBRS_ALIGN_TOP;
        pFrame->FloatControlBar(this, ptTopLeft, dwAlign);
    }
    return TRUE;
}

UINT CControlBar::OnNcHitTest(CPoint point)
{
    if (m_pDockSite != nullptr && m_dwDockStyle != 0 && GetGripperRect().PtInRect(point))
        return HTCAPTION;
    return CWnd::OnNcHitTest(point);
}

void CControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    // The gripper answers as a caption: dragging it moves the bar.
    if (nHitTest == HTCAPTION && m_pDockSite != nullptr && m_dwDockStyle != 0) {
        TrackDrag(point);
        return;
    }
    CWnd::OnNcLButtonDown(nHitTest, point);
}
