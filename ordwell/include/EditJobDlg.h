// The edit job dialog "编辑作业": adds layout pages and originals to the
// current job and removes them. Every change goes into the job at once; the
// job manager saves the job after IDOK.
#pragma once

#include "afxwin.h"

#include "OrdwellApi.h"

class ORDWELL_API JCEditJobDlg : public CDialog {
public:
    explicit JCEditJobDlg(CWnd* pParentWnd = NULL);
    virtual ~JCEditJobDlg();

    CListBox m_listPages;    // 4509
    CListBox m_listOrigins;  // 4510
    CString m_strJobName;    // shown in 4541: the job file
    CString m_strTaskName;   // shown in 4540: the task file

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    afx_msg void OnAddPage();
    afx_msg void OnDeletePage();
    afx_msg void OnAddOrigin();
    afx_msg void OnDeleteOrigin();
    DECLARE_MESSAGE_MAP()
};
