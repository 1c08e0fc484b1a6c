// Small views and a frame for the tab window and framework tests.
#pragma once

#include "afxwin.h"
#include "afxext.h"

// A plain view that paints nothing.
class CFramesTestView : public CView {
    DECLARE_DYNCREATE(CFramesTestView)

protected:
    CFramesTestView() {}
    void OnDraw(CDC*) override {}
};

// A view whose window refuses to be made.
class CFramesRefusingView : public CView {
    DECLARE_DYNCREATE(CFramesRefusingView)

protected:
    CFramesRefusingView() {}
    void OnDraw(CDC*) override {}
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};

// A frame whose client area is built by a callback, so that each test
// gives its own layout.
class CFramesTestFrame : public CFrameWnd {
public:
    using BuildClient = BOOL (*)(CFramesTestFrame* pFrame, CCreateContext* pContext);
    explicit CFramesTestFrame(BuildClient build = nullptr) : m_build(build) {}
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return m_build == nullptr || m_build(this, pContext);
    }

private:
    BuildClient m_build;
};

// Makes a visible frame of 600 x 400; it deletes itself with its window.
CFramesTestFrame* MakeTestFrame(CFramesTestFrame::BuildClient build = nullptr);
// Runs the thread's pending messages (paints included).
void PumpPending();
