// Message dispatch of windows: the message map lookup, the cracking of
// each message into its handler's parameters, commands and notifications
// with their reflection to the control that sent them.
#include "afxwin.h"

#include "ThreadState.h"

// Handlers are stored under one member pointer type and cast back by shape.
#pragma GCC diagnostic ignored "-Wcast-function-type"

using afxinternal::CurrentThreadState;

namespace {

// What a reflected colour message carries to the control.
struct ReflectedCtlColor {
    HDC hDC;
    UINT nCtlType;
};

CPoint PointFrom(LPARAM lParam)
{
    return CPoint((short)LOWORD(lParam), (short)HIWORD(lParam));
}

const AFX_MSGMAP_ENTRY* FindRegisteredEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg)
{
    for (; lpEntry->nSig != AfxSig_end; ++lpEntry)
        if (lpEntry->nMessage == 0xC000 && *reinterpret_cast<const UINT*>(lpEntry->nSig) == nMsg)
            return lpEntry;
    return nullptr;
}

}  // namespace

// Casts the stored handler back to its shape.
#define AFX_CALL(type, ...) (this->*reinterpret_cast<type>(pfn))(__VA_ARGS__)

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        if (pResult != nullptr)
            *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (pNMHDR->hwndFrom == nullptr || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
        if (pResult != nullptr)
            *pResult = lResult;
        return TRUE;
    }

    // The per-kind colour messages reach the one classic colour handler.
    UINT nCtlType = 0;
    UINT nLookup = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        nCtlType = message - WM_CTLCOLORMSGBOX;
        nLookup = WM_CTLCOLOR;
    }

    const AFX_MSGMAP_ENTRY* lpEntry = nullptr;
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr && lpEntry == nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        lpEntry = nLookup >= 0xC000 && nLookup <= 0xFFFF
                      ? FindRegisteredEntry(pMap->lpEntries, nLookup)
                      : FindMessageEntry(pMap->lpEntries, nLookup, 0, 0);
    }
    if (lpEntry == nullptr)
        return FALSE;

    AFX_PMSG pfn = lpEntry->pfn;
    UINT_PTR nSig = lpEntry->nMessage == 0xC000 ? (UINT_PTR)AfxSig_lwl : lpEntry->nSig;
    switch (nSig) {
    case AfxSig_vv:
        AFX_CALL(void (CWnd::*)(), );
        break;
    case AfxSig_bv:
        lResult = AFX_CALL(BOOL (CWnd::*)(), );
        break;
    case AfxSig_wv:
        lResult = AFX_CALL(UINT (CWnd::*)(), );
        break;
    case AfxSig_lwl:
        lResult = AFX_CALL(LRESULT (CWnd::*)(WPARAM, LPARAM), wParam, lParam);
        break;
    case AfxSig_is:
        lResult = AFX_CALL(int (CWnd::*)(LPCREATESTRUCT), reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_bs:
    case AfxSig_bs2:
        lResult = AFX_CALL(BOOL (CWnd::*)(void*), reinterpret_cast<void*>(lParam));
        break;
    case AfxSig_vwii:
        AFX_CALL(void (CWnd::*)(UINT, int, int), (UINT)wParam, (int)(short)LOWORD(lParam),
                 (int)(short)HIWORD(lParam));
        break;
    case AfxSig_vii:
        AFX_CALL(void (CWnd::*)(int, int), (int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam));
        break;
    case AfxSig_bD:
        lResult = AFX_CALL(BOOL (CWnd::*)(CDC*), CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        break;
    case AfxSig_vw:
        AFX_CALL(void (CWnd::*)(UINT), (UINT)wParam);
        break;
    case AfxSig_vb:
        AFX_CALL(void (CWnd::*)(BOOL), (BOOL)wParam);
        break;
    case AfxSig_bb:
        lResult = AFX_CALL(BOOL (CWnd::*)(BOOL), (BOOL)wParam);
        break;
    case AfxSig_vwp:
        AFX_CALL(void (CWnd::*)(UINT, CPoint), (UINT)wParam, PointFrom(lParam));
        break;
    case AfxSig_bwsp:
        lResult = AFX_CALL(BOOL (CWnd::*)(UINT, short, CPoint), (UINT)LOWORD(wParam),
                           (short)HIWORD(wParam), PointFrom(lParam));
        break;
    case AfxSig_vwww:
        AFX_CALL(void (CWnd::*)(UINT, UINT, UINT), (UINT)wParam, (UINT)LOWORD(lParam),
                 (UINT)HIWORD(lParam));
        break;
    case AfxSig_bWww:
        lResult = AFX_CALL(BOOL (CWnd::*)(CWnd*, UINT, UINT),
                           CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), (UINT)LOWORD(lParam),
                           (UINT)HIWORD(lParam));
        break;
    case AfxSig_iWww:
        lResult = AFX_CALL(int (CWnd::*)(CWnd*, UINT, UINT),
                           CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), (UINT)LOWORD(lParam),
                           (UINT)HIWORD(lParam));
        break;
    case AfxSig_hDWw:
        lResult = (LRESULT)AFX_CALL(HBRUSH (CWnd::*)(CDC*, CWnd*, UINT),
                                    CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                    CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), nCtlType);
        break;
    case AfxSig_hDw: {
        // A reflected colour handler that returns no brush leaves the
        // colour to the parent.
        const ReflectedCtlColor* pCtl = reinterpret_cast<const ReflectedCtlColor*>(lParam);
        HBRUSH hbr = AFX_CALL(HBRUSH (CWnd::*)(CDC*, UINT), CDC::FromHandle(pCtl->hDC), pCtl->nCtlType);
        if (hbr == nullptr)
            return FALSE;
        lResult = (LRESULT)hbr;
        break;
    }
    case AfxSig_vOWNER:
        AFX_CALL(void (CWnd::*)(int, void*), (int)wParam, reinterpret_cast<void*>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_iis:
        lResult = AFX_CALL(int (CWnd::*)(int, void*), (int)wParam, reinterpret_cast<void*>(lParam));
        break;
    case AfxSig_vs:
        AFX_CALL(void (CWnd::*)(void*), reinterpret_cast<void*>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_is2:
        lResult = AFX_CALL(int (CWnd::*)(void*), reinterpret_cast<void*>(lParam));
        break;
    case AfxSig_vWp: {
        // WM_CONTEXTMENU from the keyboard carries (-1, -1).
        AFX_CALL(void (CWnd::*)(CWnd*, CPoint), CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                 PointFrom(lParam));
        break;
    }
    case AfxSig_vwwW:
        AFX_CALL(void (CWnd::*)(UINT, UINT, CScrollBar*), (UINT)LOWORD(wParam), (UINT)HIWORD(wParam),
                 static_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam))));
        break;
    case AfxSig_vwwx:
        AFX_CALL(void (CWnd::*)(UINT, UINT), (UINT)LOWORD(wParam), (UINT)HIWORD(wParam));
        break;
    case AfxSig_wp:
        lResult = AFX_CALL(UINT (CWnd::*)(CPoint), PointFrom(lParam));
        break;
    case AfxSig_vbw:
        AFX_CALL(void (CWnd::*)(BOOL, UINT), (BOOL)wParam, (UINT)lParam);
        break;
    case AfxSig_vwWb:
        AFX_CALL(void (CWnd::*)(UINT, CWnd*, BOOL), (UINT)LOWORD(wParam),
                 CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), (BOOL)HIWORD(wParam));
        break;
    case AfxSig_vW:
        AFX_CALL(void (CWnd::*)(CWnd*), CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
        break;
    case AfxSig_vW2:
        AFX_CALL(void (CWnd::*)(CWnd*), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)));
        break;
    case AfxSig_vh:
        AFX_CALL(void (CWnd::*)(HANDLE), reinterpret_cast<HANDLE>(wParam));
        break;
    case AfxSig_vwl:
        AFX_CALL(void (CWnd::*)(UINT, LPARAM), (UINT)wParam, lParam);
        break;
    case AfxSig_vMwb:
        AFX_CALL(void (CWnd::*)(CMenu*, UINT, BOOL), CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)),
                 (UINT)LOWORD(lParam), (BOOL)HIWORD(lParam));
        break;
    case AfxSig_vM:
        AFX_CALL(void (CWnd::*)(CMenu*), CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)));
        break;
    case AfxSig_vwwh:
        AFX_CALL(void (CWnd::*)(UINT, UINT, HMENU), (UINT)LOWORD(wParam), (UINT)HIWORD(wParam),
                 reinterpret_cast<HMENU>(lParam));
        break;
    case AfxSig_vbh:
        AFX_CALL(void (CWnd::*)(BOOL, DWORD), (BOOL)wParam, (DWORD)lParam);
        break;
    case AfxSig_vbs:
        AFX_CALL(void (CWnd::*)(BOOL, void*), (BOOL)wParam, reinterpret_cast<void*>(lParam));
        break;
    case AfxSig_bWs:
        lResult = AFX_CALL(BOOL (CWnd::*)(CWnd*, void*), CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                           reinterpret_cast<void*>(lParam));
        break;
    case AfxSig_vws:
        AFX_CALL(void (CWnd::*)(UINT, LPCTSTR), (UINT)wParam, reinterpret_cast<LPCTSTR>(lParam));
        break;
    case AfxSig_vwpr:
        AFX_CALL(void (CWnd::*)(UINT, LPRECT), (UINT)wParam, reinterpret_cast<LPRECT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_vbWW:
        // Sent to the child frame: wParam leaves, lParam becomes active.
        AFX_CALL(void (CWnd::*)(BOOL, CWnd*, CWnd*), m_hWnd == reinterpret_cast<HWND>(lParam),
                 CWnd::FromHandle(reinterpret_cast<HWND>(lParam)),
                 CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
        break;
    case AfxSig_iwWw:
        lResult = AFX_CALL(int (CWnd::*)(UINT, CListBox*, UINT), (UINT)LOWORD(wParam),
                           static_cast<CListBox*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam))),
                           (UINT)HIWORD(wParam));
        break;
    default:
        ASSERT(FALSE);  // a command shape in a window message entry
        return FALSE;
    }
    if (pResult != nullptr)
        *pResult = lResult;
    return TRUE;
}

#undef AFX_CALL

// ---------------------------------------------------------------------------
// Commands and notifications

namespace {
// Learns whether a menu or accelerator command is enabled before it runs.
class CTestCmdUI : public CCmdUI {
public:
    CTestCmdUI() : m_bEnabled(TRUE) {}
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
    BOOL m_bEnabled;
};
}  // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);

    if (hWndCtrl == nullptr) {
        if (nID == 0)
            return FALSE;
        // A command whose update handler disables it does not run.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        if (CurrentThreadState().hLockoutNotifyWindow == m_hWnd)
            return TRUE;  // a data exchange is filling the controls
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;  // the control took its own notification
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = (UINT)::GetDlgCtrlID(hWndCtrl);
    int nCode = (int)pNMHDR->code;

    if (CurrentThreadState().hLockoutNotifyWindow == m_hWnd)
        return TRUE;
    if (ReflectLastMsg(hWndCtrl, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, nullptr);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd != nullptr && pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = CurrentThreadState().lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lIgnored = 0;
    if (pResult == nullptr)
        pResult = &lIgnored;
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND: {
        int nCode = HIWORD(wParam);
        if (CWnd::OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr)) {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify = {pResult, pNMHDR};
        return CWnd::OnCmdMsg(0, MAKELONG((int)pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify,
                              nullptr);
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
            ReflectedCtlColor ctl = {reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX};
            return CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, (LPARAM)&ctl, pResult);
        }
        return FALSE;
    }
}
