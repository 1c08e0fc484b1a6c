#include "HostView.h"

#include <cstring>

#include "HostLog.h"
#include "HostState.h"

IMPLEMENT_DYNCREATE(CHostDoc, CDocument)
IMPLEMENT_DYNCREATE(CHostChildFrame, CMDIChildWnd)
IMPLEMENT_DYNCREATE(CHostView, CView)

BEGIN_MESSAGE_MAP(CHostView, CView)
    ON_MESSAGE(WM_GET_IMAGE_INFO, OnGetImageInfo)
    ON_MESSAGE(WM_GET_RESOLUTION, OnGetResolution)
    ON_MESSAGE(WM_SET_PATH_MODE, OnToolMessage)
    ON_MESSAGE(WM_TOOL_DLG_SHOWN, OnToolMessage)
    ON_MESSAGE(WM_ZOOM_TOOL_DBLCLK, OnToolMessage)
    ON_MESSAGE(WM_PAN_TOOL_DBLCLK, OnToolMessage)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

void CHostView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, RGB(128, 128, 128));
}

LRESULT CHostView::OnGetImageInfo(WPARAM wParam, LPARAM lParam)
{
    return CHostState::Get().bViewAnswers ? HostAnswerImageInfo(wParam, lParam) : 0;
}

LRESULT CHostView::OnGetResolution(WPARAM, LPARAM lParam)
{
    if (!CHostState::Get().bViewAnswers || lParam == 0)
        return 0;
    std::memcpy(reinterpret_cast<float*>(lParam), CHostState::Get().fResolution, 2 * sizeof(float));
    return 1;
}

// Messages that only tell the host something: recorded.
LRESULT CHostView::OnToolMessage(WPARAM wParam, LPARAM lParam)
{
    const MSG* pMsg = AfxGetCurrentMessage();
    CHostLog::Get().Add(pMsg->message, wParam, lParam, m_hWnd);
    return 0;
}

// The tool box sends WM_SETCURSOR with no hit test and no mouse message when
// it wants the view's cursor set again.
BOOL CHostView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == 0 && message == 0) {
        const MSG* pMsg = AfxGetCurrentMessage();
        CHostLog::Get().Add(WM_SETCURSOR, pMsg->wParam, pMsg->lParam, m_hWnd);
        ::SetCursor(::LoadCursor(NULL, IDC_CROSS));
        return TRUE;
    }
    return CView::OnSetCursor(pWnd, nHitTest, message);
}
