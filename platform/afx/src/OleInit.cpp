// OLE start-up and end for the program, the message filter that keeps a
// busy server's callers waiting rather than failing, and the count of
// objects that keeps a program started for automation alive.
#include "afxwin.h"
#include "afxdisp.h"

#include "OleServing.h"

namespace {

// Incoming calls are always taken; a call the other side rejects as busy is
// retried for a while before the caller gets the failure.
class AppMessageFilter : public IMessageFilter {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override
    {
        if (ppv == NULL)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IMessageFilter)) {
            *ppv = static_cast<IMessageFilter*>(this);
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    // A static object: OLE's references do not own it.
    STDMETHOD_(ULONG, AddRef)() override { return 1; }
    STDMETHOD_(ULONG, Release)() override { return 1; }

    STDMETHOD_(DWORD, HandleInComingCall)(DWORD, HTASK, DWORD, LPINTERFACEINFO) override
    {
        return SERVERCALL_ISHANDLED;
    }
    STDMETHOD_(DWORD, RetryRejectedCall)(HTASK, DWORD dwTickCount, DWORD dwRejectType) override
    {
        if (dwRejectType == SERVERCALL_REJECTED)
            return (DWORD)-1;
        return dwTickCount < kRetryTimeoutMs ? kRetryDelayMs : (DWORD)-1;
    }
    STDMETHOD_(DWORD, MessagePending)(HTASK, DWORD, DWORD) override
    {
        return PENDINGMSG_WAITDEFPROCESS;
    }

private:
    static const DWORD kRetryTimeoutMs = 10000;
    static const DWORD kRetryDelayMs = 100;
};

AppMessageFilter g_messageFilter;
LPMESSAGEFILTER g_pOldFilter = NULL;
BOOL g_bOleInitialized = FALSE;
BOOL g_bFilterRegistered = FALSE;
LONG g_nObjectCount = 0;
BOOL g_bUserCtrl = TRUE;
BOOL g_bServedOtherProcesses = FALSE;

}  // namespace

BOOL AFXAPI AfxOleInit()
{
    if (g_bOleInitialized)
        return TRUE;
    HRESULT hr = ::OleInitialize(NULL);
    if (FAILED(hr))
        return FALSE;
    g_bOleInitialized = TRUE;
    if (SUCCEEDED(::CoRegisterMessageFilter(&g_messageFilter, &g_pOldFilter)))
        g_bFilterRegistered = TRUE;
    return TRUE;
}

void AFXAPI AfxOleTerm(BOOL bJustRevoke)
{
    COleObjectFactory::RevokeAll();
    if (bJustRevoke || !g_bOleInitialized)
        return;
    if (g_bFilterRegistered) {
        LPMESSAGEFILTER pMine = NULL;
        ::CoRegisterMessageFilter(g_pOldFilter, &pMine);
        g_pOldFilter = NULL;
        g_bFilterRegistered = FALSE;
    }
    ::CoFreeUnusedLibraries();
    // A client in another process can call in up to the last moment (the
    // release of a proxy it still holds). Under Wine a call that arrives
    // while the apartment is taken down can leave OleUninitialize waiting
    // for it for good, and the program never ends; such a program leaves
    // the apartment to the end of the process, which drops the call.
    if (!g_bServedOtherProcesses)
        ::OleUninitialize();
    g_bOleInitialized = FALSE;
}

void AfxOleNoteClassObjectRegistered()
{
    g_bServedOtherProcesses = TRUE;
}

void AFXAPI AfxEnableControlContainer()
{
}

void AFXAPI AfxOleLockApp()
{
    InterlockedIncrement(&g_nObjectCount);
}

void AFXAPI AfxOleUnlockApp()
{
    if (InterlockedDecrement(&g_nObjectCount) == 0 && AfxOleCanExitApp())
        AfxOleOnReleaseAllObjects();
}

BOOL AFXAPI AfxOleCanExitApp()
{
    return g_nObjectCount == 0;
}

void AFXAPI AfxOleOnReleaseAllObjects()
{
    if (AfxOleGetUserCtrl())
        return;
    AfxOleSetUserCtrl(TRUE);  // once: closing the main window must not come back here
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd != NULL) {
        CWnd* pMainWnd = pApp->m_pMainWnd;
        // A main window already going (its documents release their objects
        // while it destroys its children) posts WM_QUIT at its own end;
        // destroying it again from here would delete it twice. A disabled
        // main window is in a modal state that must end first.
        if ((pMainWnd->m_nFlags & WF_DESTROYING) == 0 && pMainWnd->IsWindowEnabled())
            pMainWnd->DestroyWindow();  // it posts WM_QUIT as it goes
    } else {
        AfxPostQuitMessage(0);
    }
}

BOOL AFXAPI AfxOleGetUserCtrl()
{
    return g_bUserCtrl;
}

void AFXAPI AfxOleSetUserCtrl(BOOL bUserCtrl)
{
    g_bUserCtrl = bUserCtrl;
}
