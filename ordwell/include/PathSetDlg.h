// The path settings "路径设置": the task, temporary and plug-in folders
// (CPathSetDlg), or the temporary folder alone (CPathSetDlg2). On OK each
// folder is checked, a missing one created (one level), and handed back as
// the full path the system reports; the host stores them.
#pragma once

#include "afxwin.h"

#include "OrdwellApi.h"

class ORDWELL_API CPathSetDlg : public CDialog {
public:
    explicit CPathSetDlg(CWnd* pParent = NULL);
    virtual ~CPathSetDlg();

    CEdit m_editTemp;        // 4584
    CEdit m_editTask;        // 4585
    CString m_strTaskPath;   // 4585
    CString m_strTempPath;   // 4584
    CString m_strPlugInPath; // 4586

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    afx_msg void OnTskBrowse();
    afx_msg void OnTmpBrowse();
    afx_msg void OnPluginBrowse();
    DECLARE_MESSAGE_MAP()

private:
    // Runs the chooser from the edit's current text; on IDOK the member
    // takes the chosen folder and all three members are shown.
    void Browse(int nEditID, CString& strMember);
};

class ORDWELL_API CPathSetDlg2 : public CDialog {
public:
    explicit CPathSetDlg2(CWnd* pParent = NULL);
    virtual ~CPathSetDlg2();

    CEdit m_editTemp;       // 4595
    CString m_strTempPath;  // 4595

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    afx_msg void OnTempBrowse();
    DECLARE_MESSAGE_MAP()
};
