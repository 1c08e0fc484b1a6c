// "用户信息": adds a user (mode 0) or changes the user named m_strEditName
// (mode 1). "Keepr" keeps its name; any other user may be renamed unless
// the new name is another user's. Passwords are kept as typed, and the
// modify mode shows the stored one in both password edits.
#pragma once

#include "RightsEditDlg.h"
#include "RightsRecords.h"

class CUserInfoDlg : public CRightsEditDlg {
public:
    explicit CUserInfoDlg(CWnd* pParent = NULL);

    CString m_strComment;
    CString m_strEmail;
    CString m_strPassword;
    CString m_strConfirm;
    CString m_strUserName;
    UserRecord m_record;

private:
    // The name as loaded: the record takes the typed name on every attempt,
    // and a refused rename must be refused again on the next.
    CString m_strStoredName;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    DECLARE_MESSAGE_MAP()
};
