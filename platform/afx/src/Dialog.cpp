// CDialog and the dialog windows of CWnd: creation from templates on the
// resource chain, the modal loop around a modeless window, and the dialog
// keys.
#include "afxwin.h"

#include "afxres.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_MESSAGE(WM_SETFONT, HandleSetFont)
END_MESSAGE_MAP()

namespace {

// A dialog template found on the resource chain, locked for as long as the
// object lives.
class LoadedTemplate {
public:
    explicit LoadedTemplate(LPCTSTR lpszTemplateName)
    {
        if (lpszTemplateName == NULL)
            return;
        m_hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
        HRSRC hResource = ::FindResource(m_hInst, lpszTemplateName, RT_DIALOG);
        HGLOBAL hTemplate = hResource == NULL ? NULL : ::LoadResource(m_hInst, hResource);
        if (hTemplate != NULL)
            m_lpTemplate = static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate));
    }

    HINSTANCE m_hInst = NULL;
    LPCDLGTEMPLATE m_lpTemplate = NULL;
};

// Style and position of a template in either layout (DIALOG or DIALOGEX).
void TemplateStyleAndPosition(LPCDLGTEMPLATE lpTemplate, DWORD* pdwStyle, short* px, short* py)
{
    const WORD* words = reinterpret_cast<const WORD*>(lpTemplate);
    if (words[1] == 0xFFFF) {
        // dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y
        const BYTE* bytes = reinterpret_cast<const BYTE*>(lpTemplate);
        DWORD style;
        memcpy(&style, bytes + 12, sizeof style);
        memcpy(px, bytes + 18, sizeof *px);
        memcpy(py, bytes + 20, sizeof *py);
        *pdwStyle = style;
    } else {
        *pdwStyle = lpTemplate->style;
        *px = lpTemplate->x;
        *py = lpTemplate->y;
    }
}

BOOL IsMultiLineEdit(HWND hWnd)
{
    TCHAR szClass[8];
    return (::GetWindowLong(hWnd, GWL_STYLE) & ES_MULTILINE) &&
           ::GetClassName(hWnd, szClass, 8) != 0 && lstrcmpi(szClass, _T("Edit")) == 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// CWnd's dialog windows

BOOL CWnd::CreateDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    LoadedTemplate loaded(lpszTemplateName);
    if (loaded.m_lpTemplate == NULL)
        return FALSE;
    return CreateDlgIndirect(loaded.m_lpTemplate, pParentWnd, loaded.m_hInst);
}

BOOL CWnd::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (lpDialogTemplate == NULL)
        return FALSE;
    if (hInst == NULL)
        hInst = AfxGetResourceHandle();

    // EndDialog while the window is being made (in OnInitDialog) clears
    // WF_CONTINUEMODAL and leaves its result here.
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParam(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(),
                                            AfxDlgProc, 0);
    AfxUnhookWindowCreate();

    if (hWnd != NULL && !(m_nFlags & WF_CONTINUEMODAL)) {
        ::DestroyWindow(hWnd);
        hWnd = NULL;
    }
    if (hWnd == NULL) {
        // The window may have been attached before it failed.
        if (m_hWnd != NULL && !::IsWindow(m_hWnd))
            Detach();
        return FALSE;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// The dialog procedure

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        CDialog* pDlg = pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CDialog))
                            ? static_cast<CDialog*>(pWnd)
                            : NULL;
        if (pDlg != NULL)
            return pDlg->OnInitDialog();
        return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------------------
// Construction

void CDialog::CommonConstruct()
{
    m_nIDHelp = 0;
    m_lpszTemplateName = NULL;
    m_hDialogTemplate = NULL;
    m_lpDialogTemplate = NULL;
    m_lpDialogInit = NULL;
    m_pParentWnd = NULL;
    m_hWndTop = NULL;
}

CDialog::CDialog()
{
    CommonConstruct();
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    CommonConstruct();
    m_pParentWnd = pParentWnd;
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = LOWORD(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
{
    CommonConstruct();
    m_pParentWnd = pParentWnd;
    m_lpszTemplateName = MAKEINTRESOURCE(nIDTemplate);
    m_nIDHelp = nIDTemplate;
}

CDialog::~CDialog()
{
    // A modeless dialog still open when its object goes: the window must
    // not keep calling into a destroyed object.
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpszTemplateName = NULL;
    m_hDialogTemplate = NULL;
    m_lpDialogInit = lpDialogInit;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    m_hDialogTemplate = hDialogTemplate;
    m_lpszTemplateName = NULL;
    m_lpDialogTemplate = NULL;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Modeless dialogs

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;  // for help and for the initialisation data
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = LOWORD(reinterpret_cast<ULONG_PTR>(lpszTemplateName));

    LoadedTemplate loaded(lpszTemplateName);
    if (loaded.m_lpTemplate == NULL)
        return FALSE;
    return CreateIndirect(loaded.m_lpTemplate, pParentWnd, NULL, loaded.m_hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    return CreateIndirect(lpDialogTemplate, pParentWnd, lpDialogInit, NULL);
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    return CreateIndirect(hDialogTemplate, pParentWnd, NULL);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit,
                             HINSTANCE hInst)
{
    if (pParentWnd == NULL)
        pParentWnd = AfxGetMainWnd();
    m_lpDialogInit = lpDialogInit;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd, hInst);
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (hDialogTemplate == NULL)
        return FALSE;
    LPCDLGTEMPLATE lpTemplate = static_cast<LPCDLGTEMPLATE>(::LockResource(hDialogTemplate));
    return CreateIndirect(lpTemplate, pParentWnd, NULL, hInst);
}

// ---------------------------------------------------------------------------
// Modal dialogs

HWND CDialog::PreModal()
{
    // The owner: the parent's top-level window, else the main window's
    // last active popup (a dialog opened from a modeless one stays above it).
    HWND hWndParent = m_pParentWnd != NULL ? m_pParentWnd->m_hWnd : NULL;
    HWND hWnd = hWndParent;
    CWnd* pMainWnd = AfxGetMainWnd();
    if (hWnd == NULL && pMainWnd != NULL)
        hWnd = pMainWnd->m_hWnd;
    while (hWnd != NULL && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);

    HWND hWndTop = hWnd;
    for (HWND hWndUp = hWnd; hWndUp != NULL; hWndUp = ::GetParent(hWndUp))
        hWndTop = hWndUp;
    if (hWndParent == NULL && hWnd != NULL)
        hWnd = ::GetLastActivePopup(hWnd);

    // The root of the owner chain is disabled too, so that no window of the
    // application takes input while the dialog runs.
    m_hWndTop = NULL;
    if (hWndTop != NULL && hWndTop != hWnd && ::IsWindowEnabled(hWndTop)) {
        ::EnableWindow(hWndTop, FALSE);
        m_hWndTop = hWndTop;
    }
    return hWnd;
}

void CDialog::PostModal()
{
    if (m_hWnd != NULL && !::IsWindow(m_hWnd))
        Detach();
    if (m_hWndTop != NULL && ::IsWindow(m_hWndTop))
        ::EnableWindow(m_hWndTop, TRUE);
    m_hWndTop = NULL;
}

int CDialog::DoModal()
{
    LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
    HINSTANCE hInst = AfxGetResourceHandle();
    if (m_lpszTemplateName != NULL) {
        LoadedTemplate loaded(m_lpszTemplateName);
        lpTemplate = loaded.m_lpTemplate;
        hInst = loaded.m_hInst;
    } else if (m_hDialogTemplate != NULL) {
        lpTemplate = static_cast<LPCDLGTEMPLATE>(::LockResource(m_hDialogTemplate));
    }
    if (lpTemplate == NULL)
        return -1;

    HWND hWndOwner = PreModal();
    BOOL bEnableOwner = FALSE;
    if (hWndOwner != NULL && ::IsWindowEnabled(hWndOwner)) {
        ::EnableWindow(hWndOwner, FALSE);
        bEnableOwner = TRUE;
    }

    try {
        if (CreateDlgIndirect(lpTemplate, CWnd::FromHandle(hWndOwner), hInst)) {
            if (m_nFlags & WF_CONTINUEMODAL) {
                DWORD dwFlags = MLF_SHOWONIDLE;
                if (GetStyle() & DS_NOIDLEMSG)
                    dwFlags |= MLF_NOIDLEMSG;
                RunModalLoop(dwFlags);
            }
            // Hidden before the owner comes back, so that the owner, not the
            // dialog, is activated.
            if (m_hWnd != NULL)
                SetWindowPos(NULL, 0, 0, 0, 0,
                             SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        }
    } catch (CException* e) {
        e->Delete();
        m_nModalResult = -1;
    }

    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);

    DestroyWindow();
    PostModal();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

// ---------------------------------------------------------------------------
// Initialisation

void CDialog::PreInitDialog()
{
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    PreInitDialog();

    RECT rectBefore;
    ::GetWindowRect(m_hWnd, &rectBefore);
    DWORD dwStyleBefore = GetStyle();

    // Reaches AfxDlgProc, hence OnInitDialog, through the dialog class.
    LRESULT lResult = Default();

    // A dialog that OnInitDialog neither showed nor moved, without an
    // enabled owner (a modal one), and whose template gives no position, is
    // centred on its owner.
    if (::IsWindow(m_hWnd) && !(dwStyleBefore & WS_VISIBLE) &&
        !(GetStyle() & (WS_VISIBLE | WS_CHILD))) {
        RECT rectAfter;
        ::GetWindowRect(m_hWnd, &rectAfter);
        HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
        if (rectAfter.left == rectBefore.left && rectAfter.top == rectBefore.top &&
            (hWndOwner == NULL || !::IsWindowEnabled(hWndOwner)) && CheckAutoCenter())
            CenterWindow();
    }
    return lResult;
}

BOOL CDialog::CheckAutoCenter()
{
    LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
    LoadedTemplate loaded(m_lpszTemplateName);
    if (m_lpszTemplateName != NULL)
        lpTemplate = loaded.m_lpTemplate;
    else if (m_hDialogTemplate != NULL)
        lpTemplate = static_cast<LPCDLGTEMPLATE>(::LockResource(m_hDialogTemplate));
    if (lpTemplate == NULL)
        return TRUE;

    DWORD dwStyle;
    short x, y;
    TemplateStyleAndPosition(lpTemplate, &dwStyle, &x, &y);
    return !(dwStyle & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN)) && x == 0 && y == 0;
}

BOOL CDialog::OnInitDialog()
{
    BOOL bDlgInit = m_lpDialogInit != NULL ? ExecuteDlgInit(m_lpDialogInit)
                                           : ExecuteDlgInit(m_lpszTemplateName);
    if (!bDlgInit) {
        TRACE0("Warning: ExecuteDlgInit failed during dialog init.\n");
        EndDialog(-1);
        return FALSE;
    }
    if (!UpdateData(FALSE)) {
        TRACE0("Warning: UpdateData failed during dialog init.\n");
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;  // focus on the first tab stop
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM)
{
    OnSetFont(CFont::FromHandle(reinterpret_cast<HFONT>(wParam)));
    return Default();
}

void CDialog::OnSetFont(CFont*)
{
}

// ---------------------------------------------------------------------------
// Buttons

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) {
        TRACE0("UpdateData failed during dialog termination.\n");
        return;  // the focus is on the field at fault
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

// ---------------------------------------------------------------------------
// Keys and controls

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;

    // Escape in a multi-line edit: the edit swallows it (it asks for all
    // keys), so cancel here unless the dialog's cancel button is disabled.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL) &&
        ::IsChild(m_hWnd, pMsg->hwnd) && IsMultiLineEdit(pMsg->hwnd)) {
        HWND hItem = ::GetDlgItem(m_hWnd, IDCANCEL);
        if (hItem == NULL || ::IsWindowEnabled(hItem)) {
            SendMessage(WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        }
    }

    // Only input goes through the dialog manager (tab, arrows, Enter, Escape,
    // mnemonics).
    if ((pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) &&
        (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST))
        return FALSE;
    return ::IsDialogMessage(m_hWnd, pMsg);
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    ::MapDialogRect(m_hWnd, lpRect);
}

void CDialog::SetHelpID(UINT nIDR)
{
    m_nIDHelp = nIDR;
}

void CDialog::NextDlgCtrl() const
{
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const
{
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->GetSafeHwnd()), 1);
}

void CDialog::SetDefID(UINT nID)
{
    ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
    return static_cast<DWORD>(::SendMessage(m_hWnd, DM_GETDEFID, 0, 0));
}
