// The MDI frame: the MDI client window, the window menu and commands, and
// routing through the active child first.
#include "afxwin.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(NULL) {}

BOOL CMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // The MDI frame reads "application - document".
    cs.style &= ~FWS_PREFIXTITLE;
    return TRUE;
}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext)
{
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    HMENU hWindowMenu = GetWindowMenuPopup(::GetMenu(m_hWnd));
    return CreateClient(lpcs, hWindowMenu != NULL ? CMenu::FromHandle(hWindowMenu) : NULL);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs;
    ccs.hWindowMenu = pWindowMenu->GetSafeHmenu();
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;

    DWORD dwStyle = WS_VISIBLE | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES;
    // Scroll bars asked for the frame belong to the client.
    if (lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL)) {
        dwStyle |= (lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL));
        ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0, SWP_NOREDRAW | SWP_FRAMECHANGED);
    }
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", NULL, dwStyle, 0, 0, 0, 0,
                                        m_hWnd, (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST,
                                        AfxGetInstanceHandle(), (LPVOID)&ccs);
    if (m_hWndMDIClient == NULL) {
        TRACE0("Warning: could not create the MDI client window.\n");
        return FALSE;
    }
    ::BringWindowToTop(m_hWndMDIClient);
    return TRUE;
}

// The MDI children go before the MDI client does. Wine's client, destroyed
// with children still in it, hears of their WM_DESTROY after its own and then
// walks the list of children it has already freed: every value there that
// reads as a window handle gets that window's control id renumbered, in any
// program of the session.
void CMDIFrameWnd::OnDestroy()
{
    if (m_hWndMDIClient != NULL) {
        for (HWND hChild = ::GetWindow(m_hWndMDIClient, GW_CHILD); hChild != NULL;
             hChild = ::GetWindow(m_hWndMDIClient, GW_CHILD)) {
            ::SendMessageA(m_hWndMDIClient, WM_MDIDESTROY, (WPARAM)hChild, 0);
            if (::IsWindow(hChild) && !::DestroyWindow(hChild))
                break;  // a window that cannot go stays for the client's own end
        }
    }
    CFrameWnd::OnDestroy();
}

namespace {

BOOL MenuTextIsWindow(HMENU hMenu, int nPos)
{
    char szText[64];
    if (::GetMenuStringA(hMenu, (UINT)nPos, szText, sizeof szText, MF_BYPOSITION) <= 0)
        return FALSE;
    CString strText;
    for (const char* p = szText; *p != '\0'; ++p) {
        if (*p != '&')
            strText += *p;
    }
    // "窗口" is in the code page of the program's texts.
    return strText.Left(4) == "窗口" || strText.Left(6).CompareNoCase("Window") == 0;
}

}  // namespace

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (hMenuBar == NULL)
        return NULL;
    int nCount = ::GetMenuItemCount(hMenuBar);
    for (int i = 0; i < nCount; ++i) {
        HMENU hPopup = ::GetSubMenu(hMenuBar, i);
        if (hPopup != NULL && MenuTextIsWindow(hMenuBar, i))
            return hPopup;
    }
    // A popup with the window commands.
    for (int i = nCount - 1; i >= 0; --i) {
        HMENU hPopup = ::GetSubMenu(hMenuBar, i);
        if (hPopup == NULL)
            continue;
        int nItems = ::GetMenuItemCount(hPopup);
        for (int j = 0; j < nItems; ++j) {
            UINT nID = ::GetMenuItemID(hPopup, j);
            if (nID >= AFX_IDM_WINDOW_FIRST && nID <= AFX_IDM_WINDOW_LAST)
                return hPopup;
        }
    }
    // The usual place: before the help menu.
    return nCount >= 2 ? ::GetSubMenu(hMenuBar, nCount - 2) : NULL;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

void CMDIFrameWnd::OnSize(UINT nType, int, int)
{
    // Not DefFrameProc's sizing: the bars take their part before the client.
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

// ---------------------------------------------------------------------------
// Children

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    if (m_hWndMDIClient == NULL) {
        if (pbMaximized != NULL)
            *pbMaximized = FALSE;
        return NULL;
    }
    HWND hWnd = (HWND)::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)pbMaximized);
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
        return NULL;
    return static_cast<CMDIChildWnd*>(pWnd);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    return pActiveChild != NULL ? static_cast<CFrameWnd*>(pActiveChild) : this;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pWndActivate->GetSafeHwnd(), 0);
}
void CMDIFrameWnd::MDIIconArrange() { ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }
void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pWnd->GetSafeHwnd(), 0);
}
void CMDIFrameWnd::MDINext() { ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)pWnd->GetSafeHwnd(), 0);
}
void CMDIFrameWnd::MDITile() { ::SendMessageA(m_hWndMDIClient, WM_MDITILE, 0, 0); }
void CMDIFrameWnd::MDICascade() { ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
void CMDIFrameWnd::MDITile(int nType) { ::SendMessageA(m_hWndMDIClient, WM_MDITILE, (WPARAM)nType, 0); }
void CMDIFrameWnd::MDICascade(int nType)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, (WPARAM)nType, 0);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    HMENU hOld = (HMENU)::SendMessageA(m_hWndMDIClient, WM_MDISETMENU,
                                       (WPARAM)pFrameMenu->GetSafeHmenu(),
                                       (LPARAM)pWindowMenu->GetSafeHmenu());
    return CMenu::FromHandle(hOld);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    UINT msg;
    WPARAM wParam = 0;
    switch (nID) {
    case ID_WINDOW_ARRANGE:
        msg = WM_MDIICONARRANGE;
        break;
    case ID_WINDOW_CASCADE:
        msg = WM_MDICASCADE;
        break;
    case ID_WINDOW_TILE_HORZ:
        wParam = MDITILE_HORIZONTAL;
        msg = WM_MDITILE;
        break;
    case ID_WINDOW_TILE_VERT:
        wParam = MDITILE_VERTICAL;
        msg = WM_MDITILE;
        break;
    default:
        return FALSE;
    }
    ::SendMessageA(m_hWndMDIClient, msg, wParam, 0);
    return TRUE;
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != NULL);
}

// ---------------------------------------------------------------------------
// Commands, keys, titles

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active child (its view, document, itself) before the frame.
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != NULL && pActiveChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The active child sees the command as its own message first (its
    // update handlers may disable it there).
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != NULL && (HWND)lParam == NULL &&
        AfxCallWndProc(pActiveChild, pActiveChild->m_hWnd, WM_COMMAND, wParam, lParam) != 0)
        return TRUE;
    if (CFrameWnd::OnCommand(wParam, lParam))
        return TRUE;
    return FALSE;  // DefFrameProc: the window menu's list of children
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != NULL && pActiveChild->PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        if (m_hAccelTable != NULL && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg))
            return TRUE;
        // Ctrl+F4, Ctrl+F6 of the children.
        if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) &&
            m_hWndMDIClient != NULL && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
            return TRUE;
    }
    return FALSE;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActiveChild = MDIGetActive(&bMaximized);
    CDocument* pDocument = GetActiveDocument();
    // A maximised child's title is shown by Windows itself.
    if (bAddToTitle && pActiveChild != NULL && !bMaximized &&
        (pDocument != NULL || (pDocument = pActiveChild->GetActiveDocument()) != NULL)) {
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    } else {
        CString strTitle;
        if (pActiveChild != NULL && !bMaximized)
            strTitle = pActiveChild->GetTitle();
        UpdateFrameTitleForDocument(strTitle.IsEmpty() ? NULL : (LPCTSTR)strTitle);
    }
}
