#include "FrameTestViews.h"

IMPLEMENT_DYNCREATE(CFramesTestView, CView)

IMPLEMENT_DYNCREATE(CFramesRefusingView, CView)
BEGIN_MESSAGE_MAP(CFramesRefusingView, CView)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CFramesTestFrame* MakeTestFrame(CFramesTestFrame::BuildClient build)
{
    CFramesTestFrame* pFrame = new CFramesTestFrame(build);
    if (!pFrame->Create(nullptr, "框架测试", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400)))
        return nullptr;
    pFrame->InitialUpdateFrame(nullptr, TRUE);
    PumpPending();
    return pFrame;
}

void PumpPending()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}
