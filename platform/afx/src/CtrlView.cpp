// Views that are a control: a list view control, a tree view control, or
// any window class.
#include "afxwin.h"
#include "afxcmn.h"

#include "CommonControls.h"

IMPLEMENT_DYNCREATE(CCtrlView, CView)
IMPLEMENT_DYNCREATE(CListView, CCtrlView)
IMPLEMENT_DYNCREATE(CTreeView, CCtrlView)

BEGIN_MESSAGE_MAP(CCtrlView, CView)
    ON_WM_PAINT()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CListView, CCtrlView)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CTreeView, CCtrlView)
END_MESSAGE_MAP()

CCtrlView::CCtrlView(LPCTSTR lpszClass, DWORD dwStyle)
    : m_strClass(lpszClass), m_dwDefaultStyle(dwStyle)
{
}

BOOL CCtrlView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.lpszClass = m_strClass;
    cs.style |= (LONG)m_dwDefaultStyle;
    return CView::PreCreateWindow(cs);
}

void CCtrlView::OnDraw(CDC*) {}

void CCtrlView::OnPaint()
{
    Default();  // the control paints itself
}

// The control classes add no data to CWnd: the view is the control.
static_assert(sizeof(CListCtrl) == sizeof(CWnd), "CListCtrl must be a bare CWnd");
static_assert(sizeof(CTreeCtrl) == sizeof(CWnd), "CTreeCtrl must be a bare CWnd");

CListView::CListView() : CCtrlView(WC_LISTVIEWA, AFX_WS_DEFAULT_VIEW)
{
    afxinternal::EnsureCommonControls(ICC_LISTVIEW_CLASSES);
}

CListCtrl& CListView::GetListCtrl() const
{
    return *reinterpret_cast<CListCtrl*>(const_cast<CListView*>(this));
}

CTreeView::CTreeView() : CCtrlView(WC_TREEVIEWA, AFX_WS_DEFAULT_VIEW)
{
    afxinternal::EnsureCommonControls(ICC_TREEVIEW_CLASSES);
}

CTreeCtrl& CTreeView::GetTreeCtrl() const
{
    return *reinterpret_cast<CTreeCtrl*>(const_cast<CTreeView*>(this));
}
