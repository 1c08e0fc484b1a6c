// "功能": adds a function, with no module (mode 0), or changes the
// description of the function named m_strEditName (mode 1; its name cannot
// change).
#pragma once

#include "RightsEditDlg.h"
#include "RightsRecords.h"

class CFunctionEditDlg : public CRightsEditDlg {
public:
    explicit CFunctionEditDlg(CWnd* pParent = NULL);

    CString m_strFunctionName;
    CString m_strComment;
    FunctionRecord m_record;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    DECLARE_MESSAGE_MAP()
};
