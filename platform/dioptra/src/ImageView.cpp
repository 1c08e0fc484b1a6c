#include "ImageView.h"

#include "ImageDoc.h"

IMPLEMENT_DYNCREATE(CDioImageView, CView)

BEGIN_MESSAGE_MAP(CDioImageView, CView)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
END_MESSAGE_MAP()

void CDioImageView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CDioImageDoc* pDoc = static_cast<CDioImageDoc*>(GetDocument());
    if (pDoc != NULL)
        pDoc->Draw(pDC, client);
}

// OnDraw covers the whole client area; erasing first would only flicker.
BOOL CDioImageView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// The fitted picture depends on the window's size.
void CDioImageView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    Invalidate(FALSE);
}
