// The document's view.
#pragma once

#include "afxwin.h"

class COmbrelleView : public CView {
    DECLARE_DYNCREATE(COmbrelleView)
protected:
    virtual void OnDraw(CDC* pDC);
};
