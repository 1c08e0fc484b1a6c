#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

namespace {

// The dialog the hook attaches at the next WM_INITDIALOG of this thread:
// the structures' lCustData belongs to the caller's own hook.
thread_local CCommonDialog* t_pDialogToAttach = NULL;

// A hook is called by the system's dialog code: no exception may pass it.
template <class Fn>
UINT_PTR Guarded(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, Fn fn)
{
    try {
        return fn();
    } catch (CException* e) {
        MSG msg = {hWnd, message, wParam, lParam, 0, {0, 0}};
        if (CWinThread* pThread = AfxGetThread())
            pThread->ProcessWndProcException(e, &msg);
        else
            CWinThread().ProcessWndProcException(e, &msg);
        e->Delete();
    } catch (...) {
        MSG msg = {hWnd, message, wParam, lParam, 0, {0, 0}};
        CException* e = new CException;
        if (CWinThread* pThread = AfxGetThread())
            pThread->ProcessWndProcException(e, &msg);
        else
            CWinThread().ProcessWndProcException(e, &msg);
        e->Delete();
    }
    return 0;
}

}  // namespace

CCommonDialog::CCommonDialog(CWnd* pParentWnd)
    : CDialog((UINT)0, pParentWnd), m_pfnCallerHook(NULL)
{
}

void CCommonDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    Default();  // the common dialog checks and ends itself
}

void CCommonDialog::OnCancel()
{
    Default();
}

BOOL CCommonDialog::OnHookMessage(UINT, WPARAM, LPARAM, UINT_PTR*)
{
    return FALSE;
}

HWND CCommonDialog::BeginCommonModal(COMMONHOOKPROC pfnCallerHook)
{
    m_pfnCallerHook = pfnCallerHook;
    t_pDialogToAttach = this;
    // The common dialog disables its owner itself.
    return CWnd::GetSafeOwner(m_pParentWnd, NULL)->GetSafeHwnd();
}

void CCommonDialog::EndCommonModal()
{
    if (t_pDialogToAttach == this)
        t_pDialogToAttach = NULL;
    // The dialog window is gone; drop a handle that missed its end.
    if (m_hWnd != NULL && !::IsWindow(m_hWnd))
        Detach();
}

UINT_PTR CALLBACK CCommonDialog::HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        CCommonDialog* pDlg = t_pDialogToAttach;
        if (pDlg != NULL && pDlg->m_hWnd == NULL && CWnd::FromHandlePermanent(hWnd) == NULL) {
            t_pDialogToAttach = NULL;
            pDlg->SubclassWindow(hWnd);
            return Guarded(hWnd, message, wParam, lParam, [&]() -> UINT_PTR {
                BOOL bResult = pDlg->OnInitDialog();
                if (pDlg->m_pfnCallerHook != NULL)
                    return pDlg->m_pfnCallerHook(hWnd, message, wParam, lParam);
                return bResult;
            });
        }
    }

    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CCommonDialog)))
        return 0;
    CCommonDialog* pDlg = static_cast<CCommonDialog*>(pWnd);
    return Guarded(hWnd, message, wParam, lParam, [&]() -> UINT_PTR {
        UINT_PTR result = 0;
        if (pDlg->OnHookMessage(message, wParam, lParam, &result))
            return result;
        if (pDlg->m_pfnCallerHook != NULL)
            return pDlg->m_pfnCallerHook(hWnd, message, wParam, lParam);
        return 0;
    });
}
