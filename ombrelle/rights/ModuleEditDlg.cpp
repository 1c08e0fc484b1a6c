#include "ModuleEditDlg.h"

#include "RightsDatabase.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CModuleEditDlg, CRightsEditDlg)
    ON_EN_CHANGE(IDC_MODULE_NAME, OnEditChange)
    ON_EN_CHANGE(IDC_MODULE_COMMENT, OnEditChange)
END_MESSAGE_MAP()

CModuleEditDlg::CModuleEditDlg(CWnd* pParent) : CRightsEditDlg(IDD_MODULE_EDIT, IDC_MODULE_ERROR, pParent) {}

void CModuleEditDlg::DoDataExchange(CDataExchange* pDX)
{
    CRightsEditDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_MODULE_COMMENT, m_strComment);
    DDX_Text(pDX, IDC_MODULE_NAME, m_strModuleName);
}

BOOL CModuleEditDlg::OnInitDialog()
{
    CRightsEditDlg::OnInitDialog();
    InitMode(_T("添加模块"), _T("修改 %s 信息"), IDC_MODULE_NAME, TRUE);
    const auto get = [this](CRightsDatabase& store) { return store.GetModule(m_strEditName, &m_record); };
    if (m_nMode == 1 && LoadEntry(get, _T("提取模块数据出错"))) {
        m_record.ModelName.TrimRight();
        m_record.Comment.TrimRight();
        m_strModuleName = m_record.ModelName;
        m_strComment = m_record.Comment;
        UpdateData(FALSE);
    }
    return TRUE;
}

void CModuleEditDlg::OnOK()
{
    UpdateData(TRUE);
    m_strModuleName.TrimRight();
    m_strComment.TrimRight();
    m_record.ModelName = m_strModuleName;
    m_record.Comment = m_strComment;
    if (m_strModuleName.IsEmpty()) {
        ShowError(_T("模块名称不能为空"));
        return;
    }
    Save save;
    save.add = [this](CRightsDatabase& store) { return store.AddModule(&m_record); };
    save.update = [this](CRightsDatabase& store) { return store.UpdateModule(&m_record); };
    save.lpszExists = _T("模块已经存在");
    SaveEntry(save);
}
