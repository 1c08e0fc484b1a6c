#include "HostLog.h"

CHostLog& CHostLog::Get()
{
    static CHostLog log;
    return log;
}

void CHostLog::Add(UINT message, WPARAM wParam, LPARAM lParam, HWND hWndReceiver)
{
    HOST_LOG_ENTRY entry = {message, wParam, lParam, hWndReceiver};
    m_entries.push_back(entry);
    if (m_hWndList != NULL && ::IsWindow(m_hWndList)) {
        int index = static_cast<int>(
            ::SendMessageA(m_hWndList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(Describe(entry)))));
        ::SendMessageA(m_hWndList, LB_SETTOPINDEX, index, 0);
    }
}

void CHostLog::Clear()
{
    m_entries.clear();
    if (m_hWndList != NULL && ::IsWindow(m_hWndList))
        ::SendMessageA(m_hWndList, LB_RESETCONTENT, 0, 0);
}

CString CHostLog::Describe(const HOST_LOG_ENTRY& entry)
{
    char className[64] = "";
    if (entry.hWndReceiver != NULL)
        ::GetClassNameA(entry.hWndReceiver, className, sizeof className);
    CString text;
    text.Format("消息 %u  wParam %lld  lParam %lld  接收窗口 %p (%s)", entry.message,
                static_cast<long long>(entry.wParam), static_cast<long long>(entry.lParam),
                static_cast<void*>(entry.hWndReceiver), className);
    return text;
}
