// "模块信息": adds a module (mode 0) or changes the description of the
// module named m_strEditName (mode 1; its name cannot change). Trailing
// blanks of the name and the description are not kept.
#pragma once

#include "RightsEditDlg.h"
#include "RightsRecords.h"

class CModuleEditDlg : public CRightsEditDlg {
public:
    explicit CModuleEditDlg(CWnd* pParent = NULL);

    CString m_strComment;
    CString m_strModuleName;
    ModuleRecord m_record;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    DECLARE_MESSAGE_MAP()
};
