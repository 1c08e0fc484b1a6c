// MDI child frames: made through the MDI client, showing their document
// type's menu in the MDI frame while active.
#include "afxwin.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_MDIACTIVATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(NULL) {}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame()
{
    // The parent is the MDI client, its parent the frame.
    HWND hWndClient = ::GetParent(m_hWnd);
    CWnd* pFrame = CWnd::FromHandlePermanent(::GetParent(hWndClient));
    if (pFrame == NULL || !pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        return NULL;
    return static_cast<CMDIFrameWnd*>(pFrame);
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == NULL) {
        CWinThread* pThread = AfxGetThread();
        CWnd* pMainWnd = pThread != NULL ? pThread->m_pMainWnd : NULL;
        if (pMainWnd == NULL || !pMainWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) {
            TRACE0("Warning: an MDI child needs an MDI frame.\n");
            PostNcDestroy();
            return FALSE;
        }
        pParentWnd = static_cast<CMDIFrameWnd*>(pMainWnd);
    }
    pParentWnd->RecalcLayout();  // the client has its final size

    CREATESTRUCT cs;
    cs.dwExStyle = 0;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    BOOL bDefault = ::EqualRect(&rect, &rectDefault);
    cs.x = bDefault ? CW_USEDEFAULT : rect.left;
    cs.y = bDefault ? CW_USEDEFAULT : rect.top;
    cs.cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
    cs.cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    cs.hwndParent = pParentWnd->m_hWnd;
    cs.hMenu = NULL;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = (LPVOID)pContext;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    // Always made hidden: shown (and activated) below or by ActivateFrame.
    MDICREATESTRUCTA mcs;
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = (DWORD)cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = (LPARAM)cs.lpCreateParams;

    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();  // never made: clean up as after a destruction
    if (hWnd == NULL)
        return FALSE;

    if (cs.style & WS_VISIBLE) {
        ::BringWindowToTop(hWnd);
        if (cs.style & WS_MINIMIZE)
            ShowWindow(SW_SHOWMINIMIZED);
        else if (cs.style & WS_MAXIMIZE)
            ShowWindow(SW_SHOWMAXIMIZED);
        else
            ShowWindow(SW_SHOWNORMAL);
        pParentWnd->MDIActivate(this);
        ::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    // The child's own title: the first part of the string.
    CString strFull;
    if (strFull.LoadString(nIDResource)) {
        int nNewLine = strFull.Find('\n');
        m_strTitle = nNewLine < 0 ? strFull : strFull.Left(nNewLine);
    }
    // The document type's menu and keys come from its template.
    if (pContext != NULL && pContext->m_pNewDocTemplate != NULL &&
        pContext->m_pNewDocTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate))) {
        CMultiDocTemplate* pTemplate = static_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate);
        m_hMenuShared = pTemplate->m_hMenuShared;
        m_hAccelTable = pTemplate->m_hAccelTable;
    }

    LPCTSTR lpszClass = GetIconWndClass(dwDefaultStyle, nIDResource);
    CMDIFrameWnd* pFrame = NULL;
    if (pParentWnd != NULL) {
        if (!pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) {
            PostNcDestroy();
            return FALSE;
        }
        pFrame = static_cast<CMDIFrameWnd*>(pParentWnd);
    }
    CString strTitle = m_strTitle;
    return Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pFrame, pContext);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    // Made through the MDI client: the context rides in the MDI structure.
    MDICREATESTRUCTA* pmcs = (MDICREATESTRUCTA*)lpcs->lpCreateParams;
    CCreateContext* pContext = pmcs != NULL ? (CCreateContext*)pmcs->lParam : NULL;
    return OnCreateHelper(lpcs, pContext);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    // The frame's caption stays as it is while the child goes, then follows
    // the child that remains active.
    CMDIFrameWnd* pFrame = GetMDIFrame();
    HWND hWndFrame = pFrame != NULL ? pFrame->m_hWnd : NULL;
    LONG dwStyle = 0;
    if (hWndFrame != NULL) {
        dwStyle = ::GetWindowLongA(hWndFrame, GWL_STYLE);
        ::SetWindowLongA(hWndFrame, GWL_STYLE, dwStyle & ~FWS_ADDTOTITLE);
    }
    MDIDestroy();
    if (hWndFrame != NULL && ::IsWindow(hWndFrame)) {
        ::SetWindowLongA(hWndFrame, GWL_STYLE, dwStyle);
        pFrame->OnUpdateFrameTitle(TRUE);
    }
    return TRUE;
}

void CMDIChildWnd::OnDestroy()
{
    CFrameWnd::OnDestroy();
    // The last child gone: the frame's own menu comes back.
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL && pFrame->m_hMenuDefault != NULL) {
        HWND hWndActive = (HWND)::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0);
        if ((hWndActive == NULL || hWndActive == m_hWnd) &&
            ::GetMenu(pFrame->m_hWnd) != pFrame->m_hMenuDefault) {
            BOOL bOther = FALSE;
            for (HWND h = ::GetWindow(pFrame->m_hWndMDIClient, GW_CHILD); h != NULL;
                 h = ::GetWindow(h, GW_HWNDNEXT)) {
                if (h != m_hWnd && ::GetWindow(h, GW_OWNER) == NULL &&
                    CWnd::FromHandlePermanent(h) != NULL) {
                    bOther = TRUE;
                    break;
                }
            }
            if (!bOther)
                OnUpdateFrameMenu(FALSE, NULL, pFrame->m_hMenuDefault);
        }
    }
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIDESTROY, (WPARAM)m_hWnd, 0);
}
void CMDIChildWnd::MDIActivate()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0);
}
void CMDIChildWnd::MDIMaximize()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIMAXIMIZE, (WPARAM)m_hWnd, 0);
}
void CMDIChildWnd::MDIRestore()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIRESTORE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    BOOL bVisibleThen = (GetStyle() & WS_VISIBLE) != 0;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (nCmdShow == -1) {
        // A new child comes up maximised when the active one is.
        BOOL bMaximized = FALSE;
        if (pFrame != NULL)
            pFrame->MDIGetActive(&bMaximized);
        DWORD dwStyle = GetStyle();
        if (bMaximized || (dwStyle & WS_MAXIMIZE))
            nCmdShow = SW_SHOWMAXIMIZED;
        else if (dwStyle & WS_MINIMIZE)
            nCmdShow = SW_SHOWMINIMIZED;
    }
    CFrameWnd::ActivateFrame(nCmdShow);
    if (pFrame == NULL)
        return;
    BOOL bVisibleNow = (GetStyle() & WS_VISIBLE) != 0;
    if (bVisibleNow && (!bVisibleThen || pFrame->MDIGetActive() != this))
        pFrame->MDIActivate(this);
    ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL)
        return;
    if (hMenuAlt == NULL && bActivate)
        hMenuAlt = m_hMenuShared;
    if (hMenuAlt != NULL && bActivate) {
        ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt,
                       (LPARAM)pFrame->GetWindowMenuPopup(hMenuAlt));
    } else if (!bActivate && pActivateWnd == NULL) {
        // The last child is going: back to the frame's own menu.
        HMENU hMenuDefault = pFrame->m_hMenuDefault;
        if (hMenuDefault != NULL)
            ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuDefault,
                           (LPARAM)pFrame->GetWindowMenuPopup(hMenuDefault));
    } else {
        ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
    pFrame->DrawMenuBar();
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*)
{
    CView* pActiveView = GetActiveView();
    if (!bActivate && pActiveView != NULL)
        pActiveView->OnActivateView(FALSE, pActiveView, pActiveView);

    OnUpdateFrameMenu(bActivate, pActivateWnd, NULL);
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->DelayUpdateFrameTitle();

    if (bActivate && pActiveView != NULL)
        pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    // Children have no menu: their keys work in the MDI frame.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        HACCEL hAccel = GetDefaultAccelerator();
        CMDIFrameWnd* pFrame = GetMDIFrame();
        return hAccel != NULL && pFrame != NULL &&
               ::TranslateAcceleratorA(pFrame->m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(bAddToTitle);
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CDocument* pDocument = GetActiveDocument();
    CString strText;
    if (bAddToTitle && pDocument != NULL) {
        strText = pDocument->GetTitle();
        if (m_nWindow > 0) {
            char szNum[16];
            wsprintfA(szNum, ":%u", m_nWindow);
            strText += szNum;
        }
    } else {
        strText = m_strTitle;
    }
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strText)
        SetWindowText(strText);
}
