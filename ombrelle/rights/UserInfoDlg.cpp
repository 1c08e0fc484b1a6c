#include "UserInfoDlg.h"

#include "RightsDatabase.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CUserInfoDlg, CRightsEditDlg)
    ON_EN_CHANGE(IDC_USER_NAME, OnEditChange)
    ON_EN_CHANGE(IDC_USER_PASSWORD, OnEditChange)
    ON_EN_CHANGE(IDC_USER_CONFIRM, OnEditChange)
    ON_EN_CHANGE(IDC_USER_EMAIL, OnEditChange)
    ON_EN_CHANGE(IDC_USER_COMMENT, OnEditChange)
END_MESSAGE_MAP()

CUserInfoDlg::CUserInfoDlg(CWnd* pParent) : CRightsEditDlg(IDD_USER_INFO, IDC_USER_ERROR, pParent) {}

void CUserInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CRightsEditDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_USER_COMMENT, m_strComment);
    DDX_Text(pDX, IDC_USER_EMAIL, m_strEmail);
    DDX_Text(pDX, IDC_USER_PASSWORD, m_strPassword);
    DDX_Text(pDX, IDC_USER_CONFIRM, m_strConfirm);
    DDX_Text(pDX, IDC_USER_NAME, m_strUserName);
}

BOOL CUserInfoDlg::OnInitDialog()
{
    CRightsEditDlg::OnInitDialog();
    InitMode(_T("添加用户"), _T("修改用户 %s 信息"), IDC_USER_NAME, m_strEditName == _T("Keepr"));
    const auto get = [this](CRightsDatabase& store) { return store.GetUser(m_strEditName, &m_record); };
    if (m_nMode == 1 && LoadEntry(get, _T("提取用户数据出错"))) {
        m_record.Email.TrimRight();
        m_record.Comment.TrimRight();
        m_strStoredName = m_strUserName = m_record.UserName;
        m_strPassword = m_strConfirm = m_record.Password;
        m_strEmail = m_record.Email;
        m_strComment = m_record.Comment;
        UpdateData(FALSE);
    }
    return TRUE;
}

void CUserInfoDlg::OnOK()
{
    UpdateData(TRUE);
    if (m_strPassword != m_strConfirm) {
        ShowError(_T("输入密码不相同，请重新输入"));
        return;
    }
    m_record.UserName = m_strUserName;
    m_record.Password = m_strPassword;
    m_record.Email = m_strEmail;
    m_record.Comment = m_strComment;
    if (m_strUserName.IsEmpty()) {
        ShowError(_T("用户名不能为空"));
        return;
    }
    Save save;
    save.add = [this](CRightsDatabase& store) { return store.AddUser(&m_record); };
    save.taken = [this](CRightsDatabase& store) {
        return m_strUserName != m_strStoredName && store.UserExists(m_strUserName) == 1;
    };
    save.update = [this](CRightsDatabase& store) { return store.UpdateUser(&m_record); };
    save.lpszExists = _T("用户已经存在");
    SaveEntry(save);
}
