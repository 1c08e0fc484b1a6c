#include "OmbrelleView.h"

IMPLEMENT_DYNCREATE(COmbrelleView, CView)

void COmbrelleView::OnDraw(CDC*) {}
