#include "CJSearchEdit.h"

#include "FolderBrowser.h"

#include "afxdlgs.h"

IMPLEMENT_SERIAL(CEditButton, CButton, 1)

BEGIN_MESSAGE_MAP(CEditButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

CEditButton::CEditButton() : m_pEdit(NULL), m_nKind(kBrowseFolder), m_nMenuId(-1)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        m_font.CreateFontIndirect(&metrics.lfMessageFont);
}

CEditButton::~CEditButton() {}

int CEditButton::FindFreeControlId(CWnd* pParent)
{
    for (int nId = 32767; nId >= 2; nId--) {
        if (::GetDlgItem(pParent->GetSafeHwnd(), nId) == NULL)
            return nId;
    }
    return -1;
}

BOOL CEditButton::Attach(CWnd* pEdit, int nKind, int nMenuId)
{
    m_nKind = nKind;
    m_nMenuId = nMenuId;
    m_pEdit = pEdit;
    CWnd* pParent = pEdit != NULL ? pEdit->GetParent() : NULL;
    if (pParent == NULL)
        return FALSE;

    CRect rcEdit;
    pEdit->GetWindowRect(&rcEdit);
    pParent->ScreenToClient(&rcEdit);
    pEdit->SetWindowPos(NULL, 0, 0, rcEdit.Width() - 23, rcEdit.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rcButton = rcEdit;
    rcButton.left = rcButton.right - 18;

    switch (nKind) {
    case kBrowseFolder:
    case kBrowsePicture:
        break;
    case kBrowseMenu:
    case kBrowseAnyFile:
        if (!pParent->IsKindOf(RUNTIME_CLASS(CFormView)))
            return FALSE;
        break;
    default:
        return FALSE;
    }
    if (!Create("...", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, rcButton, pParent,
                (UINT)FindFreeControlId(pParent)))
        return FALSE;
    SetWindowPos(pEdit, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EnableWindow(pEdit->IsWindowEnabled());
    if (m_font.GetSafeHandle() != NULL)
        SetFont(&m_font);
    return TRUE;
}

void CEditButton::OnClicked()
{
    if (m_pEdit == NULL)
        return;
    CWnd* pParent = GetParent();
    switch (m_nKind) {
    case kBrowseFolder: {
        CFolderBrowser browser;
        browser.SetTitle("Select Folder Location:");
        if (browser.Browse(pParent))
            m_pEdit->SetWindowText(browser.GetChosenPath());
        break;
    }
    case kBrowsePicture: {
        CFileDialog dlg(TRUE, "*.jpg;*.gif", NULL, OFN_HIDEREADONLY, "JPGIF Files (*.jpg;*.gif)|*.jpg;*.gif||", pParent);
        if (dlg.DoModal() == IDOK)
            m_pEdit->SetWindowText(dlg.GetPathName());
        break;
    }
    case kBrowseMenu: {
        SetState(TRUE);
        CMenu menu;
        if (menu.LoadMenu((UINT)m_nMenuId)) {
            CMenu* pPopup = menu.GetSubMenu(0);
            CRect rc;
            GetWindowRect(&rc);
            if (pPopup != NULL)
                pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, rc.right, rc.top, m_pEdit->GetParent());
        }
        SetState(FALSE);
        menu.DestroyMenu();
        break;
    }
    case kBrowseAnyFile: {
        CFileDialog dlg(TRUE, "*.*", NULL, OFN_HIDEREADONLY,
                        "All Files (*.*)|*.*|Pictures (*.jpg;*.gif)|*.jpg;*.gif|HTML(*.htm;*.html)|*.htm;*.html||", pParent);
        if (dlg.DoModal() == IDOK)
            m_pEdit->SetWindowText(dlg.GetPathName());
        break;
    }
    default:
        break;
    }
}

IMPLEMENT_SERIAL(CCJSearchEdit, CEdit, 1)

BEGIN_MESSAGE_MAP(CCJSearchEdit, CEdit)
    ON_WM_CREATE()
    ON_WM_SHOWWINDOW()
    ON_WM_ENABLE()
END_MESSAGE_MAP()

CCJSearchEdit::CCJSearchEdit() : m_nKind(kBrowseFolder), m_nMenuId(-1) {}

CCJSearchEdit::~CCJSearchEdit() {}

void CCJSearchEdit::SetKind(int nKind, int nMenuId)
{
    m_nKind = nKind;
    m_nMenuId = nMenuId;
}

void CCJSearchEdit::PreSubclassWindow()
{
    CEdit::PreSubclassWindow();
    // An edit made by Create is subclassed before it has its size and its
    // place among its siblings; its button waits for WM_CREATE.
    CRect rc;
    GetWindowRect(&rc);
    if (rc.IsRectEmpty())
        return;
    m_button.Attach(this, m_nKind, m_nMenuId);
}

int CCJSearchEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CEdit::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The any-file kind gets its button when the edit is first shown.
    if (m_button.GetSafeHwnd() == NULL && m_nKind != kBrowseAnyFile)
        m_button.Attach(this, m_nKind, m_nMenuId);
    return 0;
}

void CCJSearchEdit::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CEdit::OnShowWindow(bShow, nStatus);
    if (m_button.GetSafeHwnd() == NULL && m_nKind == kBrowseAnyFile)
        m_button.Attach(this, m_nKind, m_nMenuId);
    if (m_button.GetSafeHwnd() != NULL)
        m_button.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CCJSearchEdit::OnEnable(BOOL bEnable)
{
    CEdit::OnEnable(bEnable);
    if (m_button.GetSafeHwnd() != NULL)
        m_button.EnableWindow(bEnable);
}
