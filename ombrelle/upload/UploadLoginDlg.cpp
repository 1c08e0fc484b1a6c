#include "UploadLoginDlg.h"

#include "ServerSession.h"
#include "resource.h"

CUploadLoginDlg::CUploadLoginDlg(CWnd* pParent) : CDialog(IDD_UPLOAD_LOGIN, pParent), m_bRemember(0) {}

void CUploadLoginDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_UPLOAD_USER, m_strUserName);
    DDX_Text(pDX, IDC_UPLOAD_PASSWORD, m_strPassword);
    DDX_Check(pDX, IDC_UPLOAD_REMEMBER, m_bRemember);
}

BOOL CUploadLoginDlg::OnInitDialog()
{
    CWinApp* pApp = AfxGetApp();
    m_strUserName = pApp->GetProfileString(kUploadUserSection, kUploadUserNameKey, "");
    m_strPassword = pApp->GetProfileString(kUploadUserSection, kUploadUserPassKey, "");
    m_bRemember = m_strPassword.IsEmpty() ? 0 : 1;
    return CDialog::OnInitDialog();
}
