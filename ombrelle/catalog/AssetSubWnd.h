// The frame of a server web page: one HTML view, opened from the metadata form.
#pragma once

#include "afxwin.h"

class CAssetSubWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CAssetSubWnd)
public:
    CAssetSubWnd();
    virtual ~CAssetSubWnd();

    // Makes an 800 x 600 frame titled lpszTitle with a view of that class on
    // the document, and shows it centred; NULL when it could not be made.
    static CAssetSubWnd* Open(CRuntimeClass* pViewClass, LPCTSTR lpszTitle, CDocument* pDocument);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

// Shows a cataloguing frame that has just been made: its views' initial
// update, the record window's small icon, shown and centred.
void ShowCataloguingFrame(CFrameWnd* pFrame, CDocument* pDocument);
