// Form views: a view made from a dialog template, with the dialog's
// keyboard interface and data exchange.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

BEGIN_MESSAGE_MAP(CFormView, CScrollView)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CFormView::CFormView(LPCTSTR lpszTemplateName)
    : m_lpszTemplateName(lpszTemplateName), m_pCreateContext(NULL), m_hWndFocus(NULL)
{
}

CFormView::CFormView(UINT nIDTemplate)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_pCreateContext(NULL), m_hWndFocus(NULL)
{
}

CFormView::~CFormView() {}

BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD dwRequestedStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    // The border and edge the view asks for (PreCreateWindow), applied to
    // the window the template makes.
    CREATESTRUCT cs;
    memset(&cs, 0, sizeof cs);
    if (dwRequestedStyle == 0)
        dwRequestedStyle = AFX_WS_DEFAULT_VIEW;
    cs.style = (LONG)dwRequestedStyle;
    if (!PreCreateWindow(cs))
        return FALSE;

    m_pCreateContext = pContext;  // for OnCreate
    BOOL bCreated = CreateDlg(m_lpszTemplateName, pParentWnd);
    m_pCreateContext = NULL;
    if (!bCreated)
        return FALSE;
    // The strings its combo and list boxes start with, as a dialog has them.
    ExecuteDlgInit(m_lpszTemplateName);

    ModifyStyle(WS_BORDER | WS_CAPTION, (DWORD)cs.style & (WS_BORDER | WS_CAPTION));
    ModifyStyleEx(WS_EX_CLIENTEDGE, cs.dwExStyle & WS_EX_CLIENTEDGE);
    SetDlgCtrlID((int)nID);

    // The template's size is the size of the form.
    CRect rectTemplate;
    GetWindowRect(&rectTemplate);
    SetScrollSizes(MM_TEXT, rectTemplate.Size());

    SetWindowPos(NULL, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (dwRequestedStyle & WS_VISIBLE)
        ShowWindow(SW_NORMAL);
    return TRUE;
}

int CFormView::OnCreate(LPCREATESTRUCT lpcs)
{
    // A dialog's creation parameter is not the context: give the view its
    // own.
    lpcs->lpCreateParams = m_pCreateContext;
    return CScrollView::OnCreate(lpcs);
}

void CFormView::OnInitialUpdate()
{
    if (!UpdateData(FALSE))
        TRACE0("Warning: the form's data could not be shown.\n");
    CScrollView::OnInitialUpdate();
}

void CFormView::OnDraw(CDC*) {}

BOOL CFormView::SaveFocusControl()
{
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus != NULL && ::IsChild(m_hWnd, hWndFocus)) {
        m_hWndFocus = hWndFocus;
        return TRUE;
    }
    return FALSE;
}

void CFormView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    // A control of the form already has the focus: leave it there.
    if (SaveFocusControl())
        return;
    CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CFormView::OnActivateFrame(UINT nState, CFrameWnd*)
{
    if (nState == WA_INACTIVE)
        SaveFocusControl();  // to give it back when the frame comes back
}

void CFormView::OnSetFocus(CWnd*)
{
    if (m_hWndFocus == NULL || !::IsWindow(m_hWndFocus) || !::IsChild(m_hWnd, m_hWndFocus)) {
        m_hWndFocus = NULL;
        Default();  // the dialog's first control
        return;
    }
    ::SetFocus(m_hWndFocus);
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    if (CScrollView::PreTranslateMessage(pMsg))
        return TRUE;
    // The frames' accelerators come before the dialog keys would eat them.
    for (CFrameWnd* pFrame = GetParentFrame(); pFrame != NULL; pFrame = pFrame->GetParentFrame()) {
        if (pFrame->PreTranslateMessage(pMsg))
            return TRUE;
    }
    if (::GetWindow(m_hWnd, GW_CHILD) == NULL)
        return FALSE;  // nothing to move between
    return PreTranslateInput(pMsg);
}
