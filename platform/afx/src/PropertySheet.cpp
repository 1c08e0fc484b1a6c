#include "afxdlgs.h"
#include "afxcmn.h"

#include <vector>

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_MESSAGE(PSM_PRESSBUTTON, HandlePressButton)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace {

// The styles Create asks for, applied to the sheet's template before the
// window is made.
struct PendingStyle {
    BOOL bStyle;
    DWORD dwStyle;
    BOOL bExStyle;
    DWORD dwExStyle;
};
thread_local PendingStyle t_pendingStyle = {FALSE, 0, FALSE, 0};

#include <pshpack2.h>
struct DialogTemplateEx {
    WORD dlgVer;
    WORD signature;
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
};
#include <poppack.h>

}  // namespace

CPropertySheet::CPropertySheet()
{
    CommonConstruct(NULL, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption.LoadString(nIDCaption);
    CommonConstruct(pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption = pszCaption;
    CommonConstruct(pParentWnd, iSelectPage);
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    memset(&m_psh, 0, sizeof(m_psh));
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.pszCaption = m_strCaption;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
    m_bModeless = FALSE;
    m_nSheetResult = IDCANCEL;
    m_bInModalLoop = FALSE;
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption.LoadString(nIDCaption);
    m_psh.pszCaption = m_strCaption;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption = pszCaption;
    m_psh.pszCaption = m_strCaption;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
}

CPropertySheet::~CPropertySheet()
{
}

int CALLBACK CPropertySheet::SheetCallback(HWND, UINT message, LPARAM lParam)
{
    if (message == PSCB_PRECREATE && lParam != 0) {
        PendingStyle& pending = t_pendingStyle;
        DialogTemplateEx* pTemplateEx = reinterpret_cast<DialogTemplateEx*>(lParam);
        if (pTemplateEx->signature == 0xFFFF) {
            if (pending.bStyle)
                pTemplateEx->style = pending.dwStyle;
            if (pending.bExStyle)
                pTemplateEx->exStyle = pending.dwExStyle;
        } else {
            DLGTEMPLATE* pTemplate = reinterpret_cast<DLGTEMPLATE*>(lParam);
            if (pending.bStyle)
                pTemplate->style = pending.dwStyle;
            if (pending.bExStyle)
                pTemplate->dwExtendedStyle = pending.dwExStyle;
        }
    }
    return 0;
}

INT_PTR CPropertySheet::RunPropertySheet(DWORD dwStyle, DWORD dwExStyle)
{
    // PSH_PROPSHEETPAGE wants the pages' structures side by side; the sheet
    // copies them, so they live only for the call.
    const int nPages = static_cast<int>(m_pages.GetSize());
    std::vector<PROPSHEETPAGE> pages(nPages > 0 ? nPages : 1);
    for (int i = 0; i < nPages; ++i) {
        CPropertyPage* pPage = GetPage(i);
        pPage->PreparePage();
        pages[i] = pPage->m_psp;
    }

    const DWORD dwOldFlags = m_psh.dwFlags;
    const PFNPROPSHEETCALLBACK pfnOldCallback = m_psh.pfnCallback;
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags |= PSH_PROPSHEETPAGE | PSH_MODELESS;
    m_psh.nPages = nPages;
    m_psh.ppsp = pages.data();
    m_psh.pszCaption = m_strCaption;

    const BOOL bStyle = dwStyle != (DWORD)-1;
    const BOOL bExStyle = bStyle || dwExStyle != 0;
    if (bStyle || bExStyle) {
        t_pendingStyle = PendingStyle{bStyle, dwStyle, bExStyle, dwExStyle};
        m_psh.dwFlags |= PSH_USECALLBACK;
        m_psh.pfnCallback = SheetCallback;
    }

    AfxHookWindowCreate(this);
    INT_PTR result = ::PropertySheetA(&m_psh);
    AfxUnhookWindowCreate();

    t_pendingStyle = PendingStyle{FALSE, 0, FALSE, 0};
    m_psh.dwFlags = dwOldFlags;
    m_psh.pfnCallback = pfnOldCallback;
    m_psh.ppsp = NULL;
    return result;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (pParentWnd != NULL)
        m_pParentWnd = pParentWnd;
    m_psh.hwndParent = CWnd::GetSafeOwner(m_pParentWnd, NULL)->GetSafeHwnd();
    m_bModeless = TRUE;
    INT_PTR result = RunPropertySheet(dwStyle, dwExStyle);
    if (result == 0 || result == -1 || m_hWnd == NULL) {
        if (m_hWnd != NULL)
            DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

// The sheet runs modeless inside the library's modal loop, so that idle
// processing and PreTranslateMessage work as for any dialog of the library.
int CPropertySheet::DoModal()
{
    HWND hWndOwner = CWnd::GetSafeOwner(m_pParentWnd, NULL)->GetSafeHwnd();
    m_psh.hwndParent = hWndOwner;
    BOOL bEnableOwner = FALSE;
    if (hWndOwner != NULL && ::IsWindowEnabled(hWndOwner)) {
        ::EnableWindow(hWndOwner, FALSE);
        bEnableOwner = TRUE;
    }

    m_bModeless = FALSE;
    m_nSheetResult = IDCANCEL;
    INT_PTR result = RunPropertySheet((DWORD)-1, 0);

    int nResult = -1;
    if (result != 0 && result != -1 && m_hWnd != NULL) {
        m_bInModalLoop = TRUE;
        nResult = RunModalLoop(MLF_SHOWONIDLE);
        m_bInModalLoop = FALSE;
    }

    // Hide before the owner comes back so that it gets the activation.
    if (m_hWnd != NULL)
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    if (m_hWnd != NULL)
        DestroyWindow();
    return nResult;
}

// The sheet is done once it has no current page: OK, Cancel or Finish.
BOOL CPropertySheet::ContinueModal()
{
    if (!CWnd::ContinueModal())
        return FALSE;
    if (m_hWnd == NULL || ::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) == 0) {
        EndModalLoop(m_nSheetResult);
        return FALSE;
    }
    return TRUE;
}

// The button clicked last decides what a modal sheet ends with: OK and
// Finish, else Cancel (a page may refuse OK and the user cancel later).
BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    if (hWndCtrl != NULL && HIWORD(wParam) == BN_CLICKED &&
        (::SendMessageA(hWndCtrl, WM_GETDLGCODE, 0, 0) & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON))) {
        const LONG_PTR nType = ::GetWindowLongPtrA(hWndCtrl, GWL_STYLE) & 0x0F;
        if (nType == BS_PUSHBUTTON || nType == BS_DEFPUSHBUTTON || nType == BS_USERBUTTON ||
            nType == BS_OWNERDRAW) {
            const int nID = LOWORD(wParam);
            m_nSheetResult = nID == IDOK || nID == ID_WIZFINISH ? nID : IDCANCEL;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

// Windows presses the button through WM_COMMAND; some versions act on it
// directly, so the result is taken here too.
LRESULT CPropertySheet::HandlePressButton(WPARAM wParam, LPARAM)
{
    if (wParam == PSBTN_OK)
        m_nSheetResult = IDOK;
    else if (wParam == PSBTN_FINISH)
        m_nSheetResult = ID_WIZFINISH;
    else if (wParam == PSBTN_CANCEL)
        m_nSheetResult = IDCANCEL;
    return Default();
}

void CPropertySheet::OnClose()
{
    m_nSheetResult = IDCANCEL;
    Default();
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CPropertySheet::OnInitDialog()
{
    // The sheet's own initialisation: tabs, buttons and the first page.
    return static_cast<BOOL>(Default());
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (m_hWnd == NULL || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
        return FALSE;
    return ::SendMessageA(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg)) != 0;
}

int CPropertySheet::GetPageCount() const
{
    if (m_hWnd != NULL) {
        HWND hTab = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0));
        if (hTab != NULL)
            return static_cast<int>(::SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0));
    }
    return static_cast<int>(m_pages.GetSize());
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    if (nPage < 0 || nPage >= m_pages.GetSize())
        return NULL;
    return static_cast<CPropertyPage*>(m_pages[nPage]);
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == NULL)
        return static_cast<int>(m_psh.nStartPage);
    HWND hTab = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0));
    return hTab != NULL ? static_cast<int>(::SendMessageA(hTab, TCM_GETCURSEL, 0, 0)) : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    if (m_hWnd != NULL) {
        HWND hPage = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
        for (int i = 0; hPage != NULL && i < m_pages.GetSize(); ++i) {
            if (GetPage(i)->m_hWnd == hPage)
                return GetPage(i);
        }
    }
    return GetPage(GetActiveIndex());
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage)
{
    for (int i = 0; i < m_pages.GetSize(); ++i) {
        if (GetPage(i) == pPage)
            return i;
    }
    return -1;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (m_hWnd == NULL) {
        m_psh.nStartPage = nPage;
        return TRUE;
    }
    return ::SendMessageA(m_hWnd, PSM_SETCURSEL, nPage, 0) != 0;
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    int nPage = GetPageIndex(pPage);
    return nPage >= 0 && SetActivePage(nPage);
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    CString strText(lpszText);  // lpszText may be the caption itself
    m_strCaption = strText;
    m_psh.pszCaption = m_strCaption;
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd != NULL)
        ::SendMessageA(m_hWnd, PSM_SETTITLEA, nStyle, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(m_strCaption)));
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    HWND hTab = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0));
    // The tab control's wrapper adds no data to the window's: any wrapper serves.
    return static_cast<CTabCtrl*>(CWnd::FromHandle(hTab));
}

void CPropertySheet::SetWizardMode()
{
    m_psh.dwFlags |= PSH_WIZARD;
}

void CPropertySheet::SetFinishText(LPCTSTR lpszText)
{
    ::SendMessageA(m_hWnd, PSM_SETFINISHTEXTA, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags)
{
    // Posted as Windows does: a page calls it from OnSetActive.
    ::PostMessageA(m_hWnd, PSM_SETWIZBUTTONS, 0, dwFlags);
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    m_pages.Add(pPage);
    if (m_hWnd == NULL)
        return;
    pPage->PreparePage();
    HPROPSHEETPAGE hPage = ::CreatePropertySheetPageA(&pPage->m_psp);
    if (hPage == NULL || !::SendMessageA(m_hWnd, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(hPage))) {
        if (hPage != NULL)
            ::DestroyPropertySheetPage(hPage);
        m_pages.RemoveAt(m_pages.GetSize() - 1);
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    int nPage = GetPageIndex(pPage);
    if (nPage >= 0)
        RemovePage(nPage);
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= m_pages.GetSize())
        return;
    if (m_hWnd != NULL)
        ::SendMessageA(m_hWnd, PSM_REMOVEPAGE, nPage, 0);
    m_pages.RemoveAt(nPage);
}

void CPropertySheet::EndDialog(int nEndID)
{
    m_nSheetResult = nEndID;
    if (m_bInModalLoop)
        EndModalLoop(nEndID);
    ::PostMessageA(m_hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

BOOL CPropertySheet::PressButton(int nButton)
{
    return ::PostMessageA(m_hWnd, PSM_PRESSBUTTON, nButton, 0);
}
