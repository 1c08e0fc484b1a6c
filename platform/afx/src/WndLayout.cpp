// Layout of a window's control bars and the pane that fills the rest.
#include "afxwin.h"

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    HWND hWndParent = ::GetParent(hWnd);
    RECT rectOld;
    ::GetWindowRect(hWnd, &rectOld);
    ::MapWindowPoints(nullptr, hWndParent, (LPPOINT)&rectOld, 2);
    if (::EqualRect(&rectOld, lpRect))
        return;  // no flicker for windows that stay where they are
    int cx = lpRect->right - lpRect->left;
    int cy = lpRect->bottom - lpRect->top;
    if (lpLayout != nullptr && lpLayout->hDWP != nullptr)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top,
                                          cx, cy, SWP_NOACTIVATE | SWP_NOZORDER);
    else
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, cx, cy, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags,
                          LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != nullptr)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    layout.hDWP = nFlags != reposQuery ? ::BeginDeferWindowPos(8) : nullptr;

    HWND hWndLeftOver = nullptr;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        UINT nIDC = (UINT)::GetDlgCtrlID(hWndChild);
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && FromHandlePermanent(hWndChild) != nullptr)
            ::SendMessageA(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }

    if (nFlags == reposQuery) {
        if (bStretch) {
            ::CopyRect(lpRectParam, &layout.rect);
        } else {
            lpRectParam->left = lpRectParam->top = 0;
            lpRectParam->right = layout.sizeTotal.cx;
            lpRectParam->bottom = layout.sizeTotal.cy;
        }
        return;
    }

    if (nIDLeftOver != 0 && hWndLeftOver != nullptr) {
        if ((nFlags & ~reposNoPosLeftOver) == reposExtra && lpRectParam != nullptr) {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        if (!(nFlags & reposNoPosLeftOver)) {
            FromHandle(hWndLeftOver)->CalcWindowRect(&layout.rect);
            AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
        }
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
}
