#include "HostState.h"

#include "HostLog.h"

CHostState& CHostState::Get()
{
    static CHostState state;
    return state;
}

void CHostState::Reset() { *this = CHostState(); }

LRESULT HostAnswerImageInfo(WPARAM wParam, LPARAM lParam)
{
    if (wParam != 1 || lParam == 0)
        return 0;
    *reinterpret_cast<int*>(lParam) = CHostState::Get().nImageMode;
    return 1;
}

LRESULT HostSendUpdateMode(CWnd* pRollup)
{
    if (pRollup == NULL || !::IsWindow(pRollup->m_hWnd))
        return 0;
    WPARAM mode = static_cast<WPARAM>(CHostState::Get().nImageMode);
    CHostLog::Get().Add(WM_UPDATE_MODE, mode, 0, pRollup->m_hWnd);
    return pRollup->SendMessage(WM_UPDATE_MODE, mode, 0);
}

LRESULT HostSendPickColor(CWnd* pPane)
{
    if (pPane == NULL || !::IsWindow(pPane->m_hWnd))
        return 0;
    CHostLog::Get().Add(WM_PICK_COLOR, 0, 0, pPane->m_hWnd);
    return pPane->SendMessage(WM_PICK_COLOR, 0, 0);
}
