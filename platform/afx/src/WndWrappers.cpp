// The window object's thin members over the window functions of Windows,
// and the few that add behaviour: centring, the safe owner of a message box,
// walking descendants.
#include "afxwin.h"

#include "ThreadState.h"

// ---------------------------------------------------------------------------
// Styles

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLongA(hWnd, GWL_STYLE);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongA(hWnd, GWL_STYLE, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLongA(hWnd, GWL_EXSTYLE);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongA(hWnd, GWL_EXSTYLE, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

DWORD CWnd::GetStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE); }
DWORD CWnd::GetExStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_EXSTYLE); }
BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags); }
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags); }

// ---------------------------------------------------------------------------
// Text and font

void CWnd::SetWindowText(LPCTSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }
int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const { return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount); }
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return static_cast<CFont*>(CGdiObject::FromHandle((HGDIOBJ)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
}

// ---------------------------------------------------------------------------
// Menus

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu()); }
void CWnd::DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

// ---------------------------------------------------------------------------
// Size and position

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) { ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint); }
void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                 lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    // The placement objects (wndTop ...) carry their special handle values.
    HWND hWndAfter = pWndInsertAfter == nullptr ? nullptr : pWndInsertAfter->m_hWnd;
    return ::SetWindowPos(m_hWnd, hWndAfter, x, y, cx, cy, nFlags);
}

void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
void CWnd::ClientToScreen(LPRECT lpRect) const { ::MapWindowPoints(m_hWnd, nullptr, (LPPOINT)lpRect, 2); }
void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
void CWnd::ScreenToClient(LPRECT lpRect) const { ::MapWindowPoints(nullptr, m_hWnd, (LPPOINT)lpRect, 2); }
void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const { ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount); }
void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const { ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), (LPPOINT)lpRect, 2); }
BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
{
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, lpwndpl);
}
BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl)
{
    WINDOWPLACEMENT placement = *lpwndpl;
    placement.length = sizeof placement;
    return ::SetWindowPlacement(m_hWnd, &placement);
}
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

#define WM_QUERYCENTERWND 0x036B

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    DWORD dwStyle = GetStyle();
    HWND hWndCenter = pAlternateOwner != nullptr ? pAlternateOwner->m_hWnd : nullptr;
    if (pAlternateOwner == nullptr) {
        hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
        if (hWndCenter != nullptr) {
            HWND hWndTemp = (HWND)::SendMessageA(hWndCenter, WM_QUERYCENTERWND, 0, 0);
            if (hWndTemp != nullptr)
                hWndCenter = hWndTemp;
        }
    }

    CRect rcDlg;
    GetWindowRect(&rcDlg);
    CRect rcArea;
    CRect rcCenter;
    if (!(dwStyle & WS_CHILD)) {
        // Never centre on a hidden or minimised owner.
        if (hWndCenter != nullptr) {
            DWORD dwCenterStyle = (DWORD)::GetWindowLongA(hWndCenter, GWL_STYLE);
            if (!(dwCenterStyle & WS_VISIBLE) || (dwCenterStyle & WS_MINIMIZE))
                hWndCenter = nullptr;
        }
        MONITORINFO mi = {};
        mi.cbSize = sizeof mi;
        HMONITOR hMonitor = ::MonitorFromWindow(hWndCenter != nullptr ? hWndCenter : m_hWnd,
                                                MONITOR_DEFAULTTONEAREST);
        if (::GetMonitorInfoA(hMonitor, &mi))
            rcArea = mi.rcWork;
        else
            ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
        if (hWndCenter == nullptr)
            rcCenter = rcArea;
        else
            ::GetWindowRect(hWndCenter, &rcCenter);
    } else {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        ::GetClientRect(hWndCenter, &rcCenter);
        ::MapWindowPoints(hWndCenter, hWndParent, (LPPOINT)&rcCenter, 2);
    }

    int xLeft = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    if (xLeft + rcDlg.Width() > rcArea.right)
        xLeft = rcArea.right - rcDlg.Width();
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    if (yTop + rcDlg.Height() > rcArea.bottom)
        yTop = rcArea.bottom - rcDlg.Height();
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    SetWindowPos(nullptr, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---------------------------------------------------------------------------
// Painting

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint) { return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint)); }
void CWnd::EndPaint(LPPAINTSTRUCT lpPaint) { ::EndPaint(m_hWnd, lpPaint); }
CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* pDC) { return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
void CWnd::SetRedraw(BOOL bRedraw) { ::SendMessageA(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase) { ::InvalidateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle(), bErase); }
void CWnd::ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
void CWnd::ValidateRgn(CRgn* pRgn) { ::ValidateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle()); }
BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, (HRGN)prgnUpdate->GetSafeHandle(), flags);
}
BOOL CWnd::FlashWindow(BOOL bInvert) { return ::FlashWindow(m_hWnd, bInvert); }

// ---------------------------------------------------------------------------
// State

BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
CWnd* PASCAL CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
CWnd* PASCAL CWnd::GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
CWnd* PASCAL CWnd::GetCapture() { return FromHandle(::GetCapture()); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* PASCAL CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* PASCAL CWnd::GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) { return (HICON)::SendMessageA(m_hWnd, WM_SETICON, bBigIcon, (LPARAM)hIcon); }
HICON CWnd::GetIcon(BOOL bBigIcon) const { return (HICON)::SendMessageA(m_hWnd, WM_GETICON, bBigIcon, 0); }
void CWnd::DragAcceptFiles(BOOL bAccept) { ::DragAcceptFiles(m_hWnd, bAccept); }

// ---------------------------------------------------------------------------
// Dialog items

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}
int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton)
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; nID++)
        if (::IsDlgButtonChecked(m_hWnd, nID))
            return nID;
    return 0;
}
CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
void CWnd::GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(m_hWnd, nID); }
UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const { return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned); }
int CWnd::GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const { return (int)::GetDlgItemTextA(m_hWnd, nID, lpStr, nMaxCount); }
int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    if (hWnd != nullptr) {
        int nLen = ::GetWindowTextLengthA(hWnd);
        ::GetWindowTextA(hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
        rString.ReleaseBuffer();
    }
    return rString.GetLength();
}
CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const { return FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious)); }
CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const { return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious)); }
UINT CWnd::IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) { return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam); }
void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemTextA(m_hWnd, nID, lpszString); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID); }

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    // Direct children first (the common case), then each child's subtree.
    if (HWND hWndChild = ::GetDlgItem(m_hWnd, nID)) {
        if (::GetTopWindow(hWndChild) != nullptr) {
            // A child with the id that has children of its own may hide a deeper match.
            CWnd* pDeeper = FromHandle(hWndChild)->GetDescendantWindow(nID, bOnlyPerm);
            if (pDeeper != nullptr)
                return pDeeper;
        }
        return bOnlyPerm ? FromHandlePermanent(hWndChild) : FromHandle(hWndChild);
    }
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        if (::GetTopWindow(hWndChild) != nullptr) {
            CWnd* pFound = FromHandle(hWndChild)->GetDescendantWindow(nID, bOnlyPerm);
            if (pFound != nullptr)
                return pFound;
        }
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// Scrolling

int CWnd::GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const { ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos); }
void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect) { ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect); }
int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) { ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw); }
void CWnd::ShowScrollBar(UINT nBar, BOOL bShow) { ::ShowScrollBar(m_hWnd, (int)nBar, bShow); }
void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable) { ::ShowScrollBar(m_hWnd, nBar, bEnable); }
CScrollBar* CWnd::GetScrollBarCtrl(int) const { return nullptr; }
BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}
BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}
int CWnd::GetScrollLimit(int nBar)
{
    SCROLLINFO info = {};
    if (!GetScrollInfo(nBar, &info, SIF_RANGE | SIF_PAGE))
        return 0;
    int nLimit = info.nMax;
    if (info.nPage > 1)
        nLimit -= (int)info.nPage - 1;
    return nLimit;
}

// ---------------------------------------------------------------------------
// Window tree

CWnd* CWnd::ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
CWnd* PASCAL CWnd::WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
CWnd* PASCAL CWnd::FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName) { return FromHandle(::FindWindowA(lpszClassName, lpszWindowName)); }
CWnd* CWnd::GetNextWindow(UINT nFlag) const { return FromHandle(::GetWindow(m_hWnd, nFlag)); }
CWnd* CWnd::GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
CWnd* CWnd::GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
CWnd* CWnd::GetLastActivePopup() const { return FromHandle(::GetLastActivePopup(m_hWnd)); }
BOOL CWnd::IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, pWnd->GetSafeHwnd()); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::SetParent(CWnd* pWndNewParent) { return FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd())); }
CWnd* CWnd::GetOwner() const { return m_hWndOwner != nullptr ? FromHandle(m_hWndOwner) : GetParent(); }
void CWnd::SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd->GetSafeHwnd(); }
BOOL CWnd::IsFrameWnd() const { return FALSE; }

namespace {
// A child's parent, or a popup's owner.
HWND ParentOrOwner(HWND hWnd)
{
    if (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}
}  // namespace

// The unowned top-level window above this one, through parents and owners.
CWnd* CWnd::GetTopLevelParent() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    HWND hWndParent = m_hWnd;
    for (HWND hWndT; (hWndT = ParentOrOwner(hWndParent)) != nullptr;)
        hWndParent = hWndT;
    return FromHandle(hWndParent);
}

// The first window above this one that is not a child.
CWnd* CWnd::GetParentOwner() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    HWND hWndParent = m_hWnd;
    HWND hWndT;
    while ((::GetWindowLongA(hWndParent, GWL_STYLE) & WS_CHILD) &&
           (hWndT = ::GetParent(hWndParent)) != nullptr)
        hWndParent = hWndT;
    return FromHandle(hWndParent);
}

// The last owner in the chain of owners.
CWnd* CWnd::GetTopLevelOwner() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    HWND hWndOwner = m_hWnd;
    for (HWND hWndT; (hWndT = ::GetWindow(hWndOwner, GW_OWNER)) != nullptr;)
        hWndOwner = hWndT;
    return FromHandle(hWndOwner);
}

// Frame windows are CWnd's first and only base: the object's address is
// the frame's.
CFrameWnd* CWnd::GetParentFrame() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    for (CWnd* pParentWnd = GetParent(); pParentWnd != nullptr; pParentWnd = pParentWnd->GetParent())
        if (pParentWnd->IsFrameWnd())
            return reinterpret_cast<CFrameWnd*>(pParentWnd);
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    CWnd* pFrameWnd = const_cast<CWnd*>(this);
    if (!IsFrameWnd())
        pFrameWnd = reinterpret_cast<CWnd*>(GetParentFrame());
    if (pFrameWnd != nullptr) {
        for (CWnd* pTemp; (pTemp = reinterpret_cast<CWnd*>(pFrameWnd->GetParentFrame())) != nullptr;)
            pFrameWnd = pTemp;
    }
    return reinterpret_cast<CFrameWnd*>(pFrameWnd);
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    HWND hWnd = pParent != nullptr ? pParent->m_hWnd : nullptr;
    if (hWnd == nullptr) {
        CWnd* pMain = AfxGetMainWnd();
        hWnd = pMain != nullptr ? pMain->m_hWnd : nullptr;
    }
    // A popup cannot be owned by a child window.
    while (hWnd != nullptr && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);

    HWND hWndTop = hWnd;
    for (HWND hWndTemp = hWnd; hWndTemp != nullptr; hWndTemp = ::GetParent(hWndTop))
        hWndTop = hWndTemp;

    if (pParent == nullptr && hWnd != nullptr)
        hWnd = ::GetLastActivePopup(hWnd);
    if (hWnd == nullptr && pParent == nullptr) {
        // No main window: the thread's active window (a dialog, say) owns it.
        hWnd = ::GetActiveWindow();
    }

    if (pWndTop != nullptr) {
        if (hWndTop != nullptr && ::IsWindowEnabled(hWndTop) && hWndTop != hWnd) {
            *pWndTop = hWndTop;
            ::EnableWindow(hWndTop, FALSE);
        } else {
            *pWndTop = nullptr;
        }
    }
    return FromHandle(hWnd);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            CWnd* pWnd = FromHandlePermanent(hWndChild);
            if (pWnd != nullptr)
                AfxCallWndProc(pWnd, pWnd->m_hWnd, message, wParam, lParam);
        } else {
            ::SendMessageA(hWndChild, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(hWndChild) != nullptr)
            FromHandle(hWndChild)->SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

// ---------------------------------------------------------------------------
// Messages, timers, help

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) { return ::SendMessageA(m_hWnd, message, wParam, lParam); }
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) { return ::PostMessageA(m_hWnd, message, wParam, lParam); }

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (lpszCaption == nullptr)
        lpszCaption = AfxGetAppName();
    return ::MessageBoxA(GetSafeHwnd(), lpszText, lpszCaption, nType);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void(CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD))
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}
BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

void CWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->WinHelp(dwData, nCmd);
}

// ---------------------------------------------------------------------------
// Data exchange

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);

    // The controls' notifications while they are being filled are not the
    // user's doing: keep them from the handlers.
    afxinternal::ThreadState& state = afxinternal::CurrentThreadState();
    HWND hWndOldLockout = state.hLockoutNotifyWindow;
    state.hLockoutNotifyWindow = m_hWnd;

    BOOL bOK = FALSE;
    try {
        DoDataExchange(&dx);
        bOK = TRUE;
    } catch (CUserException* e) {
        e->Delete();  // the user has been told
    } catch (CException* e) {
        e->ReportError(MB_ICONSTOP);
        e->Delete();
    }
    state.hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

void CWnd::DoDataExchange(CDataExchange*) {}
