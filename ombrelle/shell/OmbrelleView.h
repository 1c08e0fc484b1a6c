// The picture view: the document's current picture fitted into the window;
// a double click opens it in the image editor.
#pragma once

#include "afxwin.h"

class COmbrelleDoc;

class COmbrelleView : public CScrollView {
    DECLARE_DYNCREATE(COmbrelleView)
public:
    COmbrelleDoc* GetDocument() const;

    // The destination of the display image in the client area; 1.
    int FitRect(CRect& rect);
    // Where a picture of that size goes in a client area of that size:
    // unscaled and centred when it is smaller both ways, else scaled down to
    // fit and centred.
    static CRect FitPicture(const CSize& sizeClient, const CSize& sizePicture);
    // Forgets the current picture and repaints the empty view.
    void ClearCurrentPicture();
    // Copies and submission of the pictures selected in the thumbnail pane:
    // all of them, or only the catalogued ones while the main frame's upload
    // mode is 0.
    void PrepareUpload();

protected:
    COmbrelleView();
    virtual void OnDraw(CDC* pDC);
    virtual void OnInitialUpdate();

    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
