// Asks for the server user and password of an upload ("身份信息提取"),
// pre-filled from profile section "UpLoadUserInfo". It checks nothing itself.
#pragma once

#include "afxwin.h"

class CUploadLoginDlg : public CDialog {
public:
    explicit CUploadLoginDlg(CWnd* pParent = NULL);

    CString m_strUserName;
    CString m_strPassword;
    int m_bRemember;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
};
