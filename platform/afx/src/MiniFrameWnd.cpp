// A small frame with a tool window's caption, for floating bars and
// roll-ups.
#include "afxwin.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

CMiniFrameWnd::CMiniFrameWnd() {}
CMiniFrameWnd::~CMiniFrameWnd() {}

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                           const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName,
                             DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strTitle = lpWindowName;
    // A popup's menu parameter is a menu: only a child takes the id there.
    HMENU hMenuOrID = (dwStyle & WS_CHILD) ? (HMENU)(UINT_PTR)nID : NULL;
    return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                          hMenuOrID, NULL);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                           (HBRUSH)(COLOR_BTNFACE + 1));
    if (cs.style & (MFS_THICKFRAME | MFS_4THICKFRAME))
        cs.style |= WS_THICKFRAME;
    cs.style &= ~(MFS_SYNCACTIVE | MFS_4THICKFRAME | MFS_THICKFRAME | MFS_MOVEFRAME | MFS_BLOCKSYSMENU);
    if ((cs.style & WS_CHILD) == 0)
        cs.style |= WS_POPUP;
    cs.dwExStyle |= WS_EX_TOOLWINDOW;
    return TRUE;
}
