// The image editor's view: the document's picture, fitted to the window.
#pragma once

#include "afxwin.h"

class CDioImageView : public CView {
    DECLARE_DYNCREATE(CDioImageView)
protected:
    void OnDraw(CDC* pDC) override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
