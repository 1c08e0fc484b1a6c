#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage()
{
    CommonConstruct(NULL, 0);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
{
    CommonConstruct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage()
{
}

void CPropertyPage::CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    memset(&m_psp, 0, sizeof(m_psp));
    m_psp.dwSize = sizeof(m_psp);
    m_psp.pfnDlgProc = PageDlgProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    m_bFirstSetActive = TRUE;
    Construct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    Construct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    m_lpszTemplateName = lpszTemplateName;
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.dwFlags &= ~PSP_DLGINDIRECT;
    if (lpszTemplateName != NULL && IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = LOWORD(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
    m_strCaption.Empty();
    if (nIDCaption != 0)
        m_strCaption.LoadString(nIDCaption);
}

// The sheet gets the template itself, found on the resource chain, so that
// a page of an extension library shows from any module.
void CPropertyPage::PreparePage()
{
    m_psp.dwSize = sizeof(m_psp);
    m_psp.pfnDlgProc = PageDlgProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    m_bFirstSetActive = TRUE;

    HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResourceA(hInst, m_lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
    LPCDLGTEMPLATE lpTemplate =
        hTemplate != NULL ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : NULL;
    m_psp.hInstance = hInst;
    if (lpTemplate != NULL) {
        m_psp.pResource = lpTemplate;
        m_psp.dwFlags |= PSP_DLGINDIRECT;
    } else {
        m_psp.pszTemplate = m_lpszTemplateName;
        m_psp.dwFlags &= ~PSP_DLGINDIRECT;
    }
    if (!m_strCaption.IsEmpty()) {
        m_psp.pszTitle = m_strCaption;
        m_psp.dwFlags |= PSP_USETITLE;
    }
}

// The sheet creates the page window with the structure it copied, whose
// lParam is the page object. The object is attached there and WM_INITDIALOG
// goes through its window procedure as for any dialog of the library
// (PreInitDialog, then OnInitDialog from this procedure's second call).
INT_PTR CALLBACK CPropertyPage::PageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG && CWnd::FromHandlePermanent(hWnd) == NULL) {
        const PROPSHEETPAGE* psp = reinterpret_cast<const PROPSHEETPAGE*>(lParam);
        CPropertyPage* pPage = psp != NULL ? reinterpret_cast<CPropertyPage*>(psp->lParam) : NULL;
        if (pPage != NULL && pPage->m_hWnd == NULL && pPage->SubclassWindow(hWnd))
            return AfxCallWndProc(pPage, hWnd, message, wParam, lParam);
    }
    return AfxDlgProc(hWnd, message, wParam, lParam);
}

void CPropertyPage::CancelToClose()
{
    ::SendMessageA(::GetParent(m_hWnd), PSM_CANCELTOCLOSE, 0, 0);
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    ::SendMessageA(::GetParent(m_hWnd), bChanged ? PSM_CHANGED : PSM_UNCHANGED,
                   reinterpret_cast<WPARAM>(m_hWnd), 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(::GetParent(m_hWnd), PSM_QUERYSIBLINGS, wParam, lParam);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnCancel()
{
}

BOOL CPropertyPage::OnSetActive()
{
    // The first time, OnInitDialog has just filled the controls.
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

LRESULT CPropertyPage::OnWizardBack()
{
    return 0;
}

LRESULT CPropertyPage::OnWizardNext()
{
    return 0;
}

BOOL CPropertyPage::OnWizardFinish()
{
    return TRUE;
}

LRESULT CPropertyPage::MapWizardResult(LRESULT lResult)
{
    if (lResult == 0 || lResult == -1)
        return lResult;
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (pParent == NULL || !pParent->IsKindOf(RUNTIME_CLASS(CPropertySheet)))
        return lResult;
    CPropertySheet* pSheet = static_cast<CPropertySheet*>(pParent);
    for (int i = 0; i < pSheet->GetPageCount(); ++i) {
        CPropertyPage* pPage = pSheet->GetPage(i);
        if (pPage != NULL && IS_INTRESOURCE(pPage->m_lpszTemplateName) &&
            reinterpret_cast<ULONG_PTR>(pPage->m_lpszTemplateName) == static_cast<ULONG_PTR>(lResult) &&
            (pPage->m_psp.dwFlags & PSP_DLGINDIRECT))
            return reinterpret_cast<LRESULT>(pPage->m_psp.pResource);
    }
    return lResult;
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    // Not the dialog's own IsDialogMessage: Enter, Escape and Ctrl+Tab
    // belong to the sheet, whose PreTranslateMessage comes next.
    return CWnd::PreTranslateMessage(pMsg);
}

// The sheet's PSN_ notifications, answered as the sheet reads them.
BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CDialog::OnNotify(wParam, lParam, pResult))
        return TRUE;

    const NMHDR* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
    if (pNMHDR->hwndFrom != ::GetParent(m_hWnd))
        return FALSE;

    LRESULT lResult = 0;
    switch (pNMHDR->code) {
    case PSN_SETACTIVE:
        lResult = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        lResult = OnKillActive() ? FALSE : TRUE;
        break;
    case PSN_APPLY:
        lResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        break;
    case PSN_QUERYCANCEL:
        lResult = OnQueryCancel() ? FALSE : TRUE;
        break;
    case PSN_WIZBACK:
        lResult = MapWizardResult(OnWizardBack());
        break;
    case PSN_WIZNEXT:
        lResult = MapWizardResult(OnWizardNext());
        break;
    case PSN_WIZFINISH:
        lResult = OnWizardFinish() ? FALSE : TRUE;
        break;
    default:
        return FALSE;
    }
    *pResult = lResult;
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, lResult);
    return TRUE;
}
