#include "afxwin.h"
#include "afxcmn.h"

#include "CommonControls.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

CToolTipCtrl::CToolTipCtrl() {}

CToolTipCtrl::~CToolTipCtrl()
{
    DestroyWindow();
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    if (!afxinternal::EnsureCommonControls(ICC_WIN95_CLASSES))
        return FALSE;
    BOOL bResult = CWnd::CreateEx(0, TOOLTIPS_CLASS, NULL, WS_POPUP | dwStyle, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  pParentWnd->GetSafeHwnd(), NULL, NULL);
    if (bResult)
        SetOwner(pParentWnd);
    return bResult;
}

// A tool without an id is the window itself, known to its parent; one with
// an id is a part of the window.
void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    memset(&ti, 0, sizeof(ti));
    // The size without the trailing reserved field: the version 5 controls
    // refuse the full one.
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    HWND hWnd = pWnd->GetSafeHwnd();
    if (nIDTool == 0) {
        ti.hwnd = ::GetParent(hWnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = (UINT_PTR)hWnd;
    } else {
        ti.hwnd = hWnd;
        ti.uFlags = 0;
        ti.uId = nIDTool;
    }
}

int CToolTipCtrl::GetToolCount() const
{
    return (int)::SendMessage(m_hWnd, TTM_GETTOOLCOUNT, 0, 0);
}

void CToolTipCtrl::SetDelayTime(UINT nDelay)
{
    ::SendMessage(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(nDelay, 0));
}

void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime)
{
    ::SendMessage(m_hWnd, TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0));
}

int CToolTipCtrl::SetMaxTipWidth(int iWidth)
{
    return (int)::SendMessage(m_hWnd, TTM_SETMAXTIPWIDTH, 0, iWidth);
}

void CToolTipCtrl::Activate(BOOL bActivate)
{
    ::SendMessage(m_hWnd, TTM_ACTIVATE, bActivate, 0);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != NULL)
        ti.rect = *lpRectTool;
    else
        ::GetClientRect(pWnd->GetSafeHwnd(), &ti.rect);
    // The string table block holding the id decides the module.
    ti.hinst = AfxFindResourceHandle(MAKEINTRESOURCE((nIDText >> 4) + 1), RT_STRING);
    ti.lpszText = MAKEINTRESOURCE(nIDText);
    return (BOOL)::SendMessage(m_hWnd, TTM_ADDTOOL, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != NULL)
        ti.rect = *lpRectTool;
    else
        ::GetClientRect(pWnd->GetSafeHwnd(), &ti.rect);
    ti.hinst = AfxGetResourceHandle();
    ti.lpszText = (LPTSTR)lpszText;
    return (BOOL)::SendMessage(m_hWnd, TTM_ADDTOOL, 0, (LPARAM)&ti);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ::SendMessage(m_hWnd, TTM_DELTOOL, 0, (LPARAM)&ti);
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg)
{
    ::SendMessage(m_hWnd, TTM_RELAYEVENT, 0, (LPARAM)lpMsg);
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = (LPTSTR)lpszText;
    ::SendMessage(m_hWnd, TTM_UPDATETIPTEXT, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.hinst = AfxFindResourceHandle(MAKEINTRESOURCE((nIDText >> 4) + 1), RT_STRING);
    ti.lpszText = MAKEINTRESOURCE(nIDText);
    ::SendMessage(m_hWnd, TTM_UPDATETIPTEXT, 0, (LPARAM)&ti);
}
