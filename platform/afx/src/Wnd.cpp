// The window object's life: the handle map, attaching and subclassing,
// creation through the thread's creation hook, the window procedure with
// its exception boundary, and destruction.
#include "afxwin.h"
#include "afxdisp.h"

#include "HandleMap.h"
#include "ThreadState.h"

#include <stdio.h>

using afxinternal::CurrentThreadState;
using afxinternal::ThreadState;

namespace {

struct WndTraits {
    typedef CWnd Object;
    typedef HWND Handle;
    static CWnd* NewTemporary(HWND hWnd)
    {
        CWnd* pWnd = new CWnd;
        pWnd->m_hWnd = hWnd;
        return pWnd;
    }
    static void Forget(CWnd* pWnd) { pWnd->m_hWnd = nullptr; }
};
typedef afxinternal::HandleMap<WndTraits> WndMap;

const TCHAR kDefaultWndClass[] = "AfxWnd";

}  // namespace

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd()
    : m_hWnd(nullptr), m_hWndOwner(nullptr), m_nFlags(0), m_pfnSuper(nullptr), m_nModalResult(0)
{
}

CWnd::CWnd(HWND hWnd)
    : m_hWnd(hWnd), m_hWndOwner(nullptr), m_nFlags(0), m_pfnSuper(nullptr), m_nModalResult(0)
{
}

CWnd::~CWnd()
{
    // An object going away while its window lives takes the window with it,
    // so that no message reaches a deleted object.
    if (m_hWnd != nullptr && WndMap::Current().LookupPermanent(m_hWnd) == this)
        DestroyWindow();
}

CWnd::operator HWND() const
{
    return GetSafeHwnd();
}

HWND CWnd::GetSafeHwnd() const
{
    const CWnd* self = afxinternal::OpaquePointer(this);
    return self == nullptr ? nullptr : self->m_hWnd;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return WndMap::Current().FromHandle(hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd == nullptr ? nullptr : WndMap::Current().LookupPermanent(hWnd);
}

void PASCAL CWnd::DeleteTempMap()
{
    WndMap::Current().DeleteTemporaries();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr)
        return FALSE;
    ASSERT(FromHandlePermanent(hWndNew) == nullptr);
    WndMap& map = WndMap::Current();
    // A temporary wrapper of the same window must not outlive as a second object.
    if (CWnd* pTemp = map.LookupTemporary(hWndNew))
        if (pTemp != this)
            map.RemoveHandle(hWndNew);
    m_hWnd = hWndNew;
    map.SetPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr) {
        WndMap& map = WndMap::Current();
        if (map.LookupPermanent(hWnd) == this)
            map.RemoveHandle(hWnd);
    }
    m_hWnd = nullptr;
    m_nFlags &= ~WF_DESTROYING;  // the object may get a window again
    return hWnd;
}

WNDPROC* CWnd::GetSuperWndProcAddr()
{
    return &m_pfnSuper;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC oldWndProc =
        (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
    WNDPROC* lplpfn = GetSuperWndProcAddr();
    if (oldWndProc != &AfxWndProc)
        *lplpfn = oldWndProc;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID);
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    WNDPROC* lplpfn = GetSuperWndProcAddr();
    if (m_hWnd != nullptr && *lplpfn != nullptr)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)*lplpfn);
    *lplpfn = nullptr;
    return Detach();
}

void CWnd::PreSubclassWindow() {}

// ---------------------------------------------------------------------------
// Creation

namespace {

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    ThreadState& state = CurrentThreadState();
    if (code == HCBT_CREATEWND && state.pWndInit != nullptr) {
        LPCREATESTRUCTA lpcs = reinterpret_cast<LPCBT_CREATEWNDA>(lParam)->lpcs;
        // Input method windows come and go by themselves: not ours.
        BOOL bIme = lpcs != nullptr && !IS_INTRESOURCE(lpcs->lpszClass) &&
                    lstrcmpiA(lpcs->lpszClass, "ime") == 0;
        if (!bIme) {
            HWND hWnd = reinterpret_cast<HWND>(wParam);
            CWnd* pWndInit = state.pWndInit;
            state.pWndInit = nullptr;
            pWndInit->Attach(hWnd);
            pWndInit->PreSubclassWindow();
            WNDPROC oldWndProc =
                (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
            if (oldWndProc != &AfxWndProc)
                *pWndInit->GetSuperWndProcAddr() = oldWndProc;
        }
    }
    return ::CallNextHookEx(state.hHookCbt, code, wParam, lParam);
}

}  // namespace

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    ThreadState& state = CurrentThreadState();
    if (state.hHookCbt == nullptr)
        state.hHookCbt = ::SetWindowsHookExA(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId());
    state.pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    ThreadState& state = CurrentThreadState();
    if (state.pWndInit != nullptr) {
        state.pWndInit = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                    DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                    HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCTA cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;

    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x,
                                  cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                  cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();  // the window never came to be: clean up as after a destruction
    return hWnd != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                    DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, (LPVOID)pContext);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        WNDCLASSA wndcls = {};
        if (!::GetClassInfoA(AfxGetInstanceHandle(), kDefaultWndClass, &wndcls)) {
            wndcls.style = CS_DBLCLKS;
            wndcls.lpfnWndProc = ::DefWindowProcA;
            wndcls.hInstance = AfxGetInstanceHandle();
            wndcls.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
            wndcls.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
            wndcls.lpszClassName = kDefaultWndClass;
            if (!AfxRegisterClass(&wndcls))
                return FALSE;
        }
        cs.lpszClass = kDefaultWndClass;
    }
    return TRUE;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == 0)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    BOOL bPermanent = FromHandlePermanent(m_hWnd) == this;
    BOOL bResult = ::DestroyWindow(m_hWnd);
    // A permanent object was detached by WM_NCDESTROY (and may be deleted
    // now); a temporary one lets go of the dead handle here.
    if (!bPermanent)
        Detach();
    return bResult;
}

void CWnd::PostNcDestroy() {}

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASSA existing;
    if (::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    return ::RegisterClassA(lpWndClass) != 0;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground,
                                   HICON hIcon)
{
    thread_local char name[96];
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (hCursor == nullptr && hbrBackground == nullptr && hIcon == nullptr)
        _snprintf(name, sizeof name, "Afx:%p:%x", (void*)hInst, nClassStyle);
    else
        _snprintf(name, sizeof name, "Afx:%p:%x:%p:%p:%p", (void*)hInst, nClassStyle,
                  (void*)hCursor, (void*)hbrBackground, (void*)hIcon);
    name[sizeof name - 1] = '\0';

    WNDCLASSA wndcls = {};
    wndcls.style = nClassStyle;
    wndcls.lpfnWndProc = ::DefWindowProcA;  // replaced by the library's when a CWnd is created
    wndcls.hInstance = hInst;
    wndcls.hIcon = hIcon;
    wndcls.hCursor = hCursor;
    wndcls.hbrBackground = hbrBackground;
    wndcls.lpszClassName = name;
    if (!AfxRegisterClass(&wndcls))
        AfxThrowResourceException();
    return name;
}

// ---------------------------------------------------------------------------
// The window procedure

const MSG* AFXAPI AfxGetCurrentMessage()
{
    return &CurrentThreadState().lastSentMsg;
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    ThreadState& state = CurrentThreadState();
    MSG oldMsg = state.lastSentMsg;
    state.lastSentMsg.hwnd = hWnd;
    state.lastSentMsg.message = nMsg;
    state.lastSentMsg.wParam = wParam;
    state.lastSentMsg.lParam = lParam;

    if (nMsg == WM_DESTROY)
        pWnd->m_nFlags |= WF_DESTROYING;

    LRESULT lResult = 0;
    // No exception may unwind through the system's frames: report it here.
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        MSG msg = state.lastSentMsg;
        if (CWinThread* pThread = AfxGetThread())
            lResult = pThread->ProcessWndProcException(e, &msg);
        else
            lResult = CWinThread().ProcessWndProcException(e, &msg);
        e->Delete();
    } catch (...) {
        MSG msg = state.lastSentMsg;
        CException* e = new CException;  // no text of its own: the internal failure message
        if (CWinThread* pThread = AfxGetThread())
            lResult = pThread->ProcessWndProcException(e, &msg);
        else
            lResult = CWinThread().ProcessWndProcException(e, &msg);
        e->Delete();
    }
    state.lastSentMsg = oldMsg;
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC)
        return 1;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnSuper = *GetSuperWndProcAddr();
    if (pfnSuper != nullptr)
        return ::CallWindowProcA(pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = CurrentThreadState().lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

void CWnd::OnNcDestroy()
{
    if (CWinThread* pThread = AfxGetThread()) {
        if (pThread->m_pMainWnd == this) {
            // The main window going ends the thread's message loop, unless
            // OLE clients still hold objects of the application.
            if (pThread != AfxGetApp() || AfxOleCanExitApp())
                AfxPostQuitMessage(0);
            pThread->m_pMainWnd = nullptr;
        }
        if (pThread->m_pActiveWnd == this)
            pThread->m_pActiveWnd = nullptr;
    }

    // Let the window's own procedure see WM_NCDESTROY, then give the window
    // back its procedure unless someone subclassed it after us.
    WNDPROC pfnWndProc = (WNDPROC)::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC);
    Default();
    if ((WNDPROC)::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == pfnWndProc) {
        WNDPROC pfnSuper = *GetSuperWndProcAddr();
        if (pfnSuper != nullptr)
            ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)pfnSuper);
    }
    Detach();
    PostNcDestroy();
}

// ---------------------------------------------------------------------------
// Modal loops

int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);

    CWinThread* pThread = AfxGetThread();
    MSG* pMsg = pThread != nullptr ? &pThread->m_msgCur : &CurrentThreadState().msgCur;
    CWinThread idleRules;  // the idle message rules when there is no thread object

    for (;;) {
        while (bIdle && !::PeekMessageA(pMsg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != nullptr && lIdleCount == 0)
                ::SendMessageA(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
            if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
        }

        do {
            BOOL bPumped = pThread != nullptr ? pThread->PumpMessage() : AfxPumpMessage();
            if (!bPumped) {
                AfxPostQuitMessage(0);  // leave WM_QUIT for the outer loop
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (bShowIdle && (pMsg->message == 0x118 || pMsg->message == WM_SYSKEYDOWN)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!ContinueModal()) {
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return m_nModalResult;
            }
            BOOL bIdleMessage = pThread != nullptr ? pThread->IsIdleMessage(pMsg)
                                                   : idleRules.IsIdleMessage(pMsg);
            if (bIdleMessage) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(pMsg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL);  // wake the loop up
    }
}

// ---------------------------------------------------------------------------
// Pre-translation

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::PreTranslateInput(LPMSG lpMsg)
{
    if ((lpMsg->message < WM_KEYFIRST || lpMsg->message > WM_KEYLAST) &&
        (lpMsg->message < WM_MOUSEFIRST || lpMsg->message > WM_MOUSELAST))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, lpMsg);
}
