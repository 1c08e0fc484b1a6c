#include "HostImageWnd.h"

#include <cstring>

#include "HostLog.h"
#include "HostState.h"

BEGIN_MESSAGE_MAP(CHostImageWnd, CWnd)
    ON_WM_PAINT()
    ON_MESSAGE(WM_GET_IMAGE_MODE, OnGetImageMode)
    ON_MESSAGE(WM_GET_IMAGE_INFO, OnGetImageInfo)
    ON_MESSAGE(WM_GET_AUTO_LEVELS, OnGetAutoLevels)
END_MESSAGE_MAP()

BOOL CHostImageWnd::Create(CWnd* pParent, const RECT& rect, UINT nID)
{
    return CWnd::CreateEx(WS_EX_CLIENTEDGE, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), "",
                          WS_CHILD | WS_VISIBLE, rect, pParent, nID);
}

void CHostImageWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    // Grey, darker for the modes of fewer channels: enough for a person to
    // see which mode the host is set to.
    int grey = CHostState::Get().nImageMode == IMAGE_MODE_RGB ? 160 : 96;
    dc.FillSolidRect(&client, RGB(grey, grey, grey));
}

LRESULT CHostImageWnd::OnGetImageMode(WPARAM wParam, LPARAM)
{
    if (!CHostState::Get().bImageAnswers || wParam == 0)
        return 0;
    *reinterpret_cast<int*>(wParam) = CHostState::Get().nImageMode;
    return 1;
}

LRESULT CHostImageWnd::OnGetImageInfo(WPARAM wParam, LPARAM lParam)
{
    return CHostState::Get().bImageAnswers ? HostAnswerImageInfo(wParam, lParam) : 0;
}

// The buffer holds 8 bytes: the two clips come in, the two colours go out.
// The logged wParam and lParam are the white and the black clip.
LRESULT CHostImageWnd::OnGetAutoLevels(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0)
        return 0;
    BYTE* buffer = reinterpret_cast<BYTE*>(lParam);
    INT32 clips[2];
    std::memcpy(clips, buffer, sizeof clips);
    CHostLog::Get().Add(WM_GET_AUTO_LEVELS, static_cast<WPARAM>(clips[0]), static_cast<LPARAM>(clips[1]), m_hWnd);
    const CHostState& state = CHostState::Get();
    if (!state.bImageAnswers || wParam == 0)
        return 0;
    std::memcpy(buffer, &state.dwWhitePoint, 4);
    *reinterpret_cast<int*>(wParam) = state.nBlackOffset;
    if (state.nBlackOffset >= 0 && state.nBlackOffset <= 4)
        std::memcpy(buffer + state.nBlackOffset, &state.dwBlackPoint, 4);
    return 1;
}
