// The host's image document, its child frame and its view: the active view
// that the editing libraries ask about the image and tell about their tools.
#pragma once

#include "afxwin.h"

class CHostDoc : public CDocument {
    DECLARE_DYNCREATE(CHostDoc)
};

class CHostChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CHostChildFrame)
};

class CHostView : public CView {
    DECLARE_DYNCREATE(CHostView)

protected:
    void OnDraw(CDC* pDC) override;
    afx_msg LRESULT OnGetImageInfo(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetResolution(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolMessage(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()
};
