#include "PanePlaceholderView.h"

#include "resource.h"

IMPLEMENT_DYNCREATE(CPanePlaceholderView, CFormView)

CPanePlaceholderView::CPanePlaceholderView() : CFormView(IDD_PANE_PLACEHOLDER) {}
