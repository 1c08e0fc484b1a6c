#include "FunctionEditDlg.h"

#include "RightsDatabase.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CFunctionEditDlg, CRightsEditDlg)
    ON_EN_CHANGE(IDC_FUNCTION_NAME, OnEditChange)
    ON_EN_CHANGE(IDC_FUNCTION_COMMENT, OnEditChange)
END_MESSAGE_MAP()

CFunctionEditDlg::CFunctionEditDlg(CWnd* pParent) : CRightsEditDlg(IDD_FUNCTION_EDIT, IDC_FUNCTION_ERROR, pParent) {}

void CFunctionEditDlg::DoDataExchange(CDataExchange* pDX)
{
    CRightsEditDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FUNCTION_NAME, m_strFunctionName);
    DDX_Text(pDX, IDC_FUNCTION_COMMENT, m_strComment);
}

BOOL CFunctionEditDlg::OnInitDialog()
{
    CRightsEditDlg::OnInitDialog();
    InitMode(_T("添加功能"), _T("修改 %s 信息"), IDC_FUNCTION_NAME, TRUE);
    const auto get = [this](CRightsDatabase& store) { return store.GetFunction(m_strEditName, &m_record); };
    if (m_nMode == 1 && LoadEntry(get, _T("提取功能数据出错"))) {
        m_record.FunName.TrimRight();
        m_record.Comment.TrimRight();
        m_record.ModelName.TrimRight();
        m_strFunctionName = m_record.FunName;
        m_strComment = m_record.Comment;
        UpdateData(FALSE);
    }
    return TRUE;
}

void CFunctionEditDlg::OnOK()
{
    UpdateData(TRUE);
    m_record.FunName = m_strFunctionName;
    m_record.Comment = m_strComment;
    if (m_strFunctionName.IsEmpty()) {
        ShowError(_T("功能名称不能为空"));
        return;
    }
    Save save;
    save.add = [this](CRightsDatabase& store) { return store.AddFunction(&m_record); };
    save.update = [this](CRightsDatabase& store) { return store.UpdateFunction(&m_record); };
    save.lpszExists = _T("功能名已经存在");
    SaveEntry(save);
}
