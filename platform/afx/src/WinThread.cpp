// The thread object: the message pump with pre-translation and idle
// processing, and the report of exceptions that reached a window procedure.
#include "afxwin.h"

#include "HandleMap.h"
#include "ThreadState.h"

using afxinternal::CurrentThreadState;

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread()
    : m_pMainWnd(nullptr), m_pActiveWnd(nullptr), m_bAutoDelete(TRUE), m_hThread(nullptr),
      m_nThreadID(0), m_msgCur(), m_ptCursorLast(-1, -1), m_nMsgLast(0)
{
}

CWinThread::~CWinThread() {}

CWnd* CWinThread::GetMainWnd()
{
    if (m_pActiveWnd != nullptr)
        return m_pActiveWnd;
    return m_pMainWnd;
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessageA(&m_msgCur, nullptr, 0, 0))
        return FALSE;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    // The message's window and its parents up to the main window, then the
    // main window itself for messages of its other top-level windows and for
    // the thread's own messages, which have no window.
    CWnd* pMainWnd = AfxGetMainWnd();
    if (CWnd::WalkPreTranslateTree(pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr, pMsg))
        return TRUE;
    if (pMainWnd != nullptr) {
        if (pMsg->hwnd == nullptr || CWnd::FromHandle(pMsg->hwnd)->GetTopLevelParent() != pMainWnd)
            return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        // Menus and controls bound to commands get their state.
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMainWnd->IsWindowVisible()) {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
    } else {
        AfxDeleteTempHandleMaps();
    }
    return lCount < 0;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // A mouse move that does not move, paints and the caret's timer do not
    // change anything idle processing would show.
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        if (m_ptCursorLast == pMsg->pt && pMsg->message == m_nMsgLast)
            return FALSE;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    LRESULT lResult = 0;
    UINT nIDP = AFX_IDP_INTERNAL_FAILURE;
    if (pMsg->message == WM_CREATE) {
        lResult = -1;  // the window is not made
    } else if (pMsg->message == WM_PAINT) {
        ::ValidateRect(pMsg->hwnd, nullptr);  // or it would be painted (and fail) forever
    } else if (pMsg->message == WM_COMMAND) {
        if (pMsg->lParam == 0)
            nIDP = AFX_IDP_COMMAND_FAILURE;
        lResult = TRUE;
    }
    if (e->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        e->ReportError(MB_ICONEXCLAMATION | MB_SYSTEMMODAL, nIDP);
    else if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
        e->ReportError(MB_ICONSTOP, nIDP);
    return lResult;
}

BOOL CWinThread::ProcessMessageFilter(int, LPMSG lpMsg)
{
    return PreTranslateMessage(lpMsg);
}

// ---------------------------------------------------------------------------
// Pumping without a thread object (a modal loop in a program that has no
// application object)

BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg)
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->PreTranslateMessage(pMsg);
    return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

BOOL AFXAPI AfxPumpMessage()
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->PumpMessage();
    MSG& msg = CurrentThreadState().msgCur;
    if (!::GetMessageA(&msg, nullptr, 0, 0))
        return FALSE;
    if (msg.message != WM_KICKIDLE && !AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

void AFXAPI AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}
