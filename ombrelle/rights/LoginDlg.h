// "身份验证": checks a user against the rights database. The database server
// is kept in the configuration file beside the program (its full file name
// followed by ".Config", section "ConnectiongString", keys "Driver" and
// "Server"); every log-in attempt that passes the input checks writes it,
// builds the connection string from the file and makes that the connection
// string of every rights store made from then on. No command of the client
// opens this dialog; a caller that does reads the accepted user's module
// names after IDOK.
//
// CIniFile takes the section first: GetValue(section, key) and
// SetValue(section, key, value).
#pragma once

#include "afxwin.h"

#include <string>

class CLoginDlg : public CDialog {
public:
    explicit CLoginDlg(CWnd* pParent = NULL);

    // The configuration file's path.
    static CString GetConfigFilePath();

    // Fills the server box from a browse answer (up to its length or its
    // first NUL), the list being what lies between the answer's first
    // braces: the box is emptied first, even when the answer has no list,
    // and the filled flag is set.
    void FillServerList(const wchar_t* pszAnswer, size_t nLength);

    CStringList m_moduleNames;  // the accepted user's modules
    CComboBox m_comboServer;
    CString m_strPassword;
    CString m_strUserName;
    int m_bFilled;  // the server list came from the network; only the refresh clears it

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();

    // Asks the ODBC driver manager for the SQL Server instances on the
    // network; FALSE, silently, when a step fails or the driver gives no
    // list.
    virtual BOOL BrowseServers(std::wstring& answer);

    afx_msg void OnDropdownServer();
    afx_msg void OnRefresh();
    DECLARE_MESSAGE_MAP()

private:
    // The attempt ends with the dialog open: the caption it had comes back
    // before the message shows.
    void Refuse(const CString& strCaption, LPCTSTR lpszMessage);
};
