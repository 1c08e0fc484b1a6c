#include "RightsEditDlg.h"

#include "RightsDatabase.h"

BEGIN_MESSAGE_MAP(CRightsEditDlg, CDialog)
END_MESSAGE_MAP()

CRightsEditDlg::CRightsEditDlg(UINT nIDTemplate, int nErrorId, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_nMode(-1), m_nErrorId(nErrorId)
{
}

void CRightsEditDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, m_nErrorId, m_strError);
}

void CRightsEditDlg::InitMode(LPCTSTR lpszAddCaption, LPCTSTR lpszModifyFormat, int nNameId, BOOL bNameFixed)
{
    EnableControl(IDOK, FALSE);
    if (m_nMode == 0)
        SetWindowText(lpszAddCaption);
    if (m_nMode == 1) {
        CString strCaption;
        strCaption.Format(lpszModifyFormat, (LPCTSTR)m_strEditName);
        SetWindowText(strCaption);
        if (bNameFixed)
            EnableControl(nNameId, FALSE);
        SetDlgItemText(IDOK, _T("保存"));
    }
}

void CRightsEditDlg::EnableControl(int nId, BOOL bEnable)
{
    ::EnableWindow(::GetDlgItem(m_hWnd, nId), bEnable);
}

BOOL CRightsEditDlg::LoadEntry(const std::function<int(CRightsDatabase&)>& get, LPCTSTR lpszFailure)
{
    {
        CRightsDatabase store;
        if (get(store) == 0)
            return TRUE;
    }
    MessageBox(lpszFailure, _T("错误"), MB_OK);
    EndDialog(IDCANCEL);
    return FALSE;
}

void CRightsEditDlg::ShowError(LPCTSTR lpszText)
{
    m_strError = lpszText;
    UpdateData(FALSE);
}

void CRightsEditDlg::SaveEntry(const Save& save)
{
    if (m_nMode == 0) {
        CRightsDatabase store;
        const int nResult = save.add(store);
        if (nResult == 0)
            EndDialog(IDOK);
        else
            ShowError(nResult == 1 ? save.lpszExists : _T("数据库操作错误，请稍后重试"));
    } else if (m_nMode == 1) {
        CRightsDatabase store;
        if (save.taken && save.taken(store)) {
            ShowError(save.lpszExists);
            EnableControl(IDOK, FALSE);
        } else if (save.update(store) == 0) {
            EndDialog(IDOK);
        } else {
            ShowError(_T("更改失败,请稍后重试"));
        }
    }
}

void CRightsEditDlg::OnEditChange()
{
    EnableControl(IDOK, TRUE);
    m_strError.Empty();
    SetDlgItemText(m_nErrorId, _T(""));
}
