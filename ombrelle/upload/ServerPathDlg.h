// "系统路径设置": the back-end server's address, from which the
// registration page, the accessory page and the request servlet follow.
#pragma once

#include "afxwin.h"

// The address the dialog offers when none is stored: the back-end stand-in
// that scripts/run starts on this machine.
#define OMBRELLE_DEFAULT_SERVER_HOST "127.0.0.1"

class CServerPathDlg : public CDialog {
public:
    // An empty address shows the default "http://" host ":8080".
    explicit CServerPathDlg(LPCTSTR lpszServerUrl = NULL, CWnd* pParent = NULL);

    CString GetServerUrl() const { return m_strServerUrl; }
    CString GetRegisterUrl() const;
    CString GetAccessoryUrl() const;
    CString GetServletUrl() const;

    // A page below a server address: "" for "" and "http://".
    static CString PageBelow(const CString& strServerUrl, LPCTSTR lpszPage);

    CString m_strServerUrl;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
};

extern const char kServletPage[];
