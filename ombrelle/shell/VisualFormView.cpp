#include "VisualFormView.h"

IMPLEMENT_DYNAMIC(TVisualFormView, CFormView)

BEGIN_MESSAGE_MAP(TVisualFormView, CFormView)
    ON_WM_ENABLE()
END_MESSAGE_MAP()

TVisualFormView::TVisualFormView(LPCTSTR lpszTemplateName) : CFormView(lpszTemplateName) {}

TVisualFormView::TVisualFormView(UINT nIDTemplate) : CFormView(nIDTemplate) {}

void TVisualFormView::OnEnable(BOOL bEnable)
{
    CFormView::OnEnable(bEnable);
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        ::EnableWindow(hChild, bEnable);
}
