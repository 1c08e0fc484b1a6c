// The scan folder and file type that the scan commands name their files with
// (profile section "ScanFilePath").
#pragma once

#include "afxwin.h"

class CScanSettingsDlg : public CDialog {
public:
    explicit CScanSettingsDlg(CWnd* pParent = NULL);

    CComboBox m_comboFileType;
    CString m_strFolder;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();

    afx_msg void OnChooseFolder();
    DECLARE_MESSAGE_MAP()
};
