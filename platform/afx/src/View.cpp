// Views: a child window of a frame that shows a document, paints it through
// OnDraw and routes commands to the document.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMsg)
END_MESSAGE_MAP()

CView::CView() : m_pDocument(NULL) {}

CView::~CView()
{
    if (m_pDocument != NULL)
        m_pDocument->RemoveView(this);
}

CDocument* CView::GetDocument() const
{
    return m_pDocument;
}

BOOL CView::IsSelected(const CObject*) const
{
    return FALSE;
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                           ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    // A view's border is drawn sunken.
    if (cs.style & WS_BORDER) {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~WS_BORDER;
    }
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    // The view joins the document of its context.
    CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
    if (pContext != NULL && pContext->m_pCurrentDoc != NULL)
        pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(NULL);  // no longer active once gone
    CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
    delete this;  // views are always allocated with new
}

void CView::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    if (nAdjustType != adjustBorder) {
        // The scroll bars are outside the given client area.
        DWORD dwStyle = GetStyle();
        if (dwStyle & WS_VSCROLL)
            lpClientRect->right += ::GetSystemMetrics(SM_CXVSCROLL);
        if (dwStyle & WS_HSCROLL)
            lpClientRect->bottom += ::GetSystemMetrics(SM_CYHSCROLL);
        return;
    }
    CWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnPrepareDC(CDC*, CPrintInfo*) {}

LRESULT CView::OnInitialUpdateMsg(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate()
{
    OnUpdate(NULL, 0, NULL);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView*, CView*)
{
    // The active view of the active window has the focus.
    if (bActivate) {
        CWnd* pTop = GetTopLevelParent();
        if (pTop != NULL && ::GetActiveWindow() == pTop->m_hWnd)
            SetFocus();
    }
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != NULL) {
        // Clicking a view makes it the active one; clicking the active view
        // gives it back the focus.
        CView* pView = pParentFrame->GetActiveView();
        HWND hWndFocus = ::GetFocus();
        if (pView == this && m_hWnd != hWndFocus && !::IsChild(m_hWnd, hWndFocus))
            OnActivateView(TRUE, this, this);
        else
            pParentFrame->SetActiveView(this);
    }
    return nResult;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The view, then its document (and its template).
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument != NULL && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
