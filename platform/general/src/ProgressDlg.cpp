// CProgressDlg: a plain modeless dialog from general's own resources.
#include "General.h"

#include <commctrl.h>

#include "afxwin.h"
#include "CallLog.h"
#include "resource.h"

using general::ThisModule;

CProgressDlg::CProgressDlg(UINT nCaptionID)
    : m_hWnd(NULL), m_nCaptionID(nCaptionID), m_nLower(0), m_nUpper(100), m_nStep(1), m_nPos(0),
      m_bCancel(FALSE)
{
}

CProgressDlg::~CProgressDlg()
{
    if (m_hWnd != NULL)
        ::DestroyWindow(m_hWnd);
}

BOOL CProgressDlg::Create(CWnd* pParent)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    m_bCancel = FALSE;
    m_hWnd = ::CreateDialogParamA(ThisModule(), MAKEINTRESOURCEA(IDD_GENERAL_PROGRESS),
                                  pParent ? pParent->GetSafeHwnd() : NULL, DialogProc,
                                  reinterpret_cast<LPARAM>(this));
    if (m_hWnd == NULL)
        return FALSE;
    if (m_nCaptionID != 0) {
        CString caption;
        if (caption.LoadString(m_nCaptionID))
            ::SetWindowTextA(m_hWnd, caption);
    }
    SetRange(m_nLower, m_nUpper);
    SetPos(m_nPos);
    return TRUE;
}

void CProgressDlg::SetRange(int nLower, int nUpper)
{
    m_nLower = nLower;
    m_nUpper = nUpper;
    if (m_hWnd != NULL)
        ::SendDlgItemMessageA(m_hWnd, IDC_GENERAL_PROGRESS, PBM_SETRANGE32, nLower, nUpper);
}

int CProgressDlg::SetStep(int nStep)
{
    int old = m_nStep;
    m_nStep = nStep;
    return old;
}

int CProgressDlg::SetPos(int nPos)
{
    int old = m_nPos;
    m_nPos = nPos;
    if (m_hWnd != NULL)
        ::SendDlgItemMessageA(m_hWnd, IDC_GENERAL_PROGRESS, PBM_SETPOS, nPos, 0);
    PumpMessages();
    return old;
}

int CProgressDlg::StepIt()
{
    int next = m_nPos + m_nStep;
    // The bar wraps around so that a long run keeps showing movement.
    if (next > m_nUpper)
        next = m_nLower + (next - m_nUpper);
    return SetPos(next);
}

BOOL CProgressDlg::CheckCancelButton()
{
    PumpMessages();
    BOOL bCancel = m_bCancel;
    m_bCancel = FALSE;
    return bCancel;
}

void CProgressDlg::PumpMessages()
{
    if (m_hWnd == NULL)
        return;
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!::IsDialogMessageA(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

INT_PTR CALLBACK CProgressDlg::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        return TRUE;
    }
    CProgressDlg* self = reinterpret_cast<CProgressDlg*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL && self != NULL) {
        self->m_bCancel = TRUE;
        return TRUE;
    }
    return FALSE;
}
