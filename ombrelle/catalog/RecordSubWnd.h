// The cataloguing window: a frame without a title bar whose client area is
// the catalogue tree (200 pixels wide) beside the metadata form.
#pragma once

#include "afxwin.h"
#include "afxext.h"
#include "afxsplit.h"

class CRecordSubWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CRecordSubWnd)
public:
    CRecordSubWnd();
    virtual ~CRecordSubWnd();

    // The frame's close handling, for the form's buttons that end the work.
    void Close();

    CSplitterWnd& GetSplitter() { return m_wndSplitter; }

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

    // Kept for the frame's bars, which are never made; only the first splitter is.
    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CSplitterWnd m_wndSplitter;
    CSplitterWnd m_wndSplitter2;
};
