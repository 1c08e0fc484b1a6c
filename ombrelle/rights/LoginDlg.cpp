#include "LoginDlg.h"

#include <sql.h>
#include <sqlext.h>

#include <climits>
#include <vector>

#include "BrowseAnswer.h"
#include "IniFile.h"
#include "ProgramFolder.h"
#include "RightsDatabase.h"
#include "resource.h"

namespace {

const TCHAR kSection[] = _T("ConnectiongString");
const TCHAR kConnectFormat[] = _T("Driver=%s;Server=%s;Database=MARRENTOLBECK;UID=MintaRolk;PWD=MintaRolk;");

bool Succeeded(SQLRETURN ret)
{
    return ret == SQL_SUCCESS || ret == SQL_SUCCESS_WITH_INFO;
}

CString AnsiText(const std::u16string& text)
{
    const std::wstring wide(text.begin(), text.end());
    if (wide.empty())
        return CString();
    const int nBytes = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), NULL, 0, NULL, NULL);
    CString strText;
    if (nBytes > 0) {
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), strText.GetBuffer(nBytes), nBytes, NULL, NULL);
        strText.ReleaseBuffer(nBytes);
    }
    return strText;
}

bool FileExists(const CString& strPath)
{
    return ::GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

BEGIN_MESSAGE_MAP(CLoginDlg, CDialog)
    ON_CBN_DROPDOWN(IDC_LOGIN_SERVER, OnDropdownServer)
    ON_BN_CLICKED(IDC_LOGIN_REFRESH, OnRefresh)
END_MESSAGE_MAP()

CLoginDlg::CLoginDlg(CWnd* pParent) : CDialog(IDD_LOGIN, pParent), m_bFilled(0) {}

CString CLoginDlg::GetConfigFilePath()
{
    return GetProgramFileName() + _T(".Config");
}

void CLoginDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LOGIN_SERVER, m_comboServer);
    DDX_Text(pDX, IDC_LOGIN_PASSWORD, m_strPassword);
    DDV_MaxChars(pDX, m_strPassword, 20);
    DDX_Text(pDX, IDC_LOGIN_USER, m_strUserName);
    DDV_MaxChars(pDX, m_strUserName, 20);
}

BOOL CLoginDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CString strPath = GetConfigFilePath();
    if (!FileExists(strPath))
        return FALSE;
    CIniFile ini;
    ini.SetFileName(strPath);
    m_comboServer.AddString(ini.GetValue(kSection, _T("Server")));
    m_comboServer.SetCurSel(0);
    return TRUE;
}

void CLoginDlg::FillServerList(const wchar_t* pszAnswer, size_t nLength)
{
    const std::u16string answer(pszAnswer, pszAnswer + nLength);
    m_comboServer.ResetContent();
    for (const std::u16string& server : rights::BrowseAnswerServers(answer.data(), answer.size()))
        m_comboServer.AddString(AnsiText(server));
    m_bFilled = 1;
}

BOOL CLoginDlg::BrowseServers(std::wstring& answer)
{
    SQLHENV hEnv = SQL_NULL_HENV;
    SQLHDBC hDbc = SQL_NULL_HDBC;
    BOOL bAnswered = FALSE;
    if (Succeeded(::SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &hEnv))) {
        if (Succeeded(::SQLSetEnvAttr(hEnv, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(static_cast<ULONG_PTR>(SQL_OV_ODBC3)), 0)) &&
            Succeeded(::SQLAllocHandle(SQL_HANDLE_DBC, hEnv, &hDbc))) {
            SQLWCHAR request[100] = {};
            const wchar_t kRequest[] = L"DRIVER=SQL SERVER";
            for (size_t i = 0; i + 1 < sizeof kRequest / sizeof kRequest[0]; ++i)
                request[i] = SQLWCHAR(kRequest[i]);
            SQLWCHAR none[1] = {};
            SQLSMALLINT nLength = 0;
            const SQLRETURN first = ::SQLBrowseConnectW(hDbc, request, SQL_NTS, none, 0, &nLength);
            SQLRETURN second = SQL_ERROR;
            if (first != SQL_ERROR && first != SQL_INVALID_HANDLE && nLength > 0) {
                // The length leaves out the terminating NUL, which needs room
                // of its own or the driver cuts the answer.
                const SQLSMALLINT nRoom = nLength < SHRT_MAX ? SQLSMALLINT(nLength + 1) : SQLSMALLINT(SHRT_MAX);
                std::vector<SQLWCHAR> buffer(size_t(nRoom), 0);
                SQLSMALLINT nWritten = 0;
                second = ::SQLBrowseConnectW(hDbc, request, SQL_NTS, buffer.data(), nRoom, &nWritten);
                if (second == SQL_SUCCESS || second == SQL_NEED_DATA) {
                    answer.assign(buffer.begin(), buffer.end());
                    bAnswered = TRUE;
                }
            }
            if (Succeeded(second)) {
                SQLHSTMT hStmt = SQL_NULL_HSTMT;
                if (Succeeded(::SQLAllocHandle(SQL_HANDLE_STMT, hDbc, &hStmt)))
                    ::SQLFreeHandle(SQL_HANDLE_STMT, hStmt);
                ::SQLDisconnect(hDbc);
            }
        }
        if (hDbc != SQL_NULL_HDBC)
            ::SQLFreeHandle(SQL_HANDLE_DBC, hDbc);
        ::SQLFreeHandle(SQL_HANDLE_ENV, hEnv);
    }
    return bAnswered;
}

void CLoginDlg::OnDropdownServer()
{
    if (m_bFilled)
        return;
    CWaitCursor wait;
    std::wstring answer;
    if (BrowseServers(answer))
        FillServerList(answer.c_str(), answer.size());
}

void CLoginDlg::OnRefresh()
{
    m_bFilled = 0;
    m_comboServer.ResetContent();
    OnDropdownServer();
    m_comboServer.ShowDropDown(TRUE);
}

void CLoginDlg::Refuse(const CString& strCaption, LPCTSTR lpszMessage)
{
    SetWindowText(strCaption);
    AfxMessageBox(lpszMessage);
}

void CLoginDlg::OnOK()
{
    CString strCaption;
    GetWindowText(strCaption);
    SetWindowText(_T("正在验证..."));
    if (!UpdateData(TRUE)) {
        SetWindowText(strCaption);
        return;
    }
    if (m_strUserName.IsEmpty()) {
        Refuse(strCaption, _T("用户名不能为空"));
        return;
    }
    // The texts go into SQL as they are typed: an apostrophe is refused
    // before anything is written or asked.
    if (m_strUserName.Find('\'') >= 0 || m_strPassword.Find('\'') >= 0) {
        Refuse(strCaption, _T("用户名或密码中含有非法字符"));
        return;
    }

    CString strServer;
    const int nSelected = m_comboServer.GetCurSel();
    if (nSelected != CB_ERR)
        m_comboServer.GetLBText(nSelected, strServer);
    const CString strPath = GetConfigFilePath();
    if (!FileExists(strPath)) {
        HANDLE hFile = ::CreateFileA(strPath, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile != INVALID_HANDLE_VALUE)
            ::CloseHandle(hFile);
    }
    CString strDriver;
    {
        CIniFile ini;
        ini.SetFileName(strPath);
        ini.SetValue(kSection, _T("Driver"), _T("SQL Server"));
        ini.SetValue(kSection, _T("Server"), strServer);
        strDriver = ini.GetValue(kSection, _T("Driver"));
        strServer = ini.GetValue(kSection, _T("Server"));
    }
    if (strServer == _T("(local)"))
        strServer = _T("127.0.0.1");
    CString strConnect;
    strConnect.Format(kConnectFormat, (LPCTSTR)strDriver, (LPCTSTR)strServer);

    CRightsDatabase store(strConnect);
    if (store.CheckLogin(m_strUserName, m_strPassword, &m_moduleNames) == 0) {
        EndDialog(IDOK);
        return;
    }
    Refuse(strCaption, _T("用户名或密码不正确"));
}
