// The document's side of the back-end server: the operator's log-in and the
// commands that set the server address and the asset type.
#include "OmbrelleDoc.h"

#include <new>

#include "AssetTypeDlg.h"
#include "HttpXMlProcess.h"
#include "MainFrame.h"
#include "ServerPathDlg.h"
#include "ServerSession.h"
#include "UploadLoginDlg.h"
#include "resource.h"

namespace {

const char kCannotConnect[] = "不能连接到服务器，无法验证登录信息";
const char kRefused[] = "用户名或密码错误！";

void WriteUploadUser(const CString& strUser, const CString& strPassword)
{
    CWinApp* pApp = AfxGetApp();
    if (!strUser.IsEmpty())
        pApp->WriteProfileString(kUploadUserSection, kUploadUserNameKey, strUser);
    if (!strPassword.IsEmpty())
        pApp->WriteProfileString(kUploadUserSection, kUploadUserPassKey, strPassword);
}

}  // namespace

BOOL COmbrelleDoc::EnsureServerClient()
{
    if (m_pServerClient == NULL)
        m_pServerClient = new (std::nothrow) CHttpXMlProcess;
    return m_pServerClient != NULL;
}

BOOL COmbrelleDoc::ValidateUploadLogin(int nForce)
{
    if (nForce == 1)
        m_bLoggedIn = FALSE;
    if (m_bLoggedIn)
        return TRUE;

    const BOOL bRemembered = !RememberedUploadUser.IsEmpty();
    CString strUser = RememberedUploadUser;
    CString strPassword = RememberedUploadPassword;
    BOOL bKeep = bRemembered;
    if (!bRemembered) {
        CUploadLoginDlg dlg(AfxGetMainWnd());
        if (dlg.DoModal() != IDOK)
            return FALSE;
        strUser = dlg.m_strUserName;
        strPassword = dlg.m_strPassword;
        bKeep = dlg.m_bRemember;
    }
    return LogInAs(strUser, strPassword, bKeep);
}

BOOL COmbrelleDoc::LogInAs(const CString& strUser, const CString& strPassword, BOOL bKeep)
{
    if (!EnsureServerClient()) {
        AfxMessageBox(kCannotConnect);
        return FALSE;
    }
    m_pServerClient->SetServerUrl(m_strServerUrl);
    int nError = -1;
    // Only the server's yes passes: a server that cannot be asked is no yes.
    if (!m_pServerClient->CheckLogin(strUser, strPassword, nError)) {
        AfxMessageBox(nError == 0 ? kRefused : kCannotConnect);
        return FALSE;
    }
    if (bKeep)
        WriteUploadUser(strUser, strPassword);
    RememberedUploadUser = strUser;
    RememberedUploadPassword = strPassword;
    m_bLoggedIn = TRUE;
    return TRUE;
}

void COmbrelleDoc::EditServerAddress()
{
    CServerPathDlg dlg(m_strBaseServerUrl);
    if (dlg.DoModal() != IDOK)
        return;
    m_strBaseServerUrl = dlg.GetServerUrl();
    m_strAccessoryUrl = dlg.GetAccessoryUrl();
    m_strRegisterUrl = dlg.GetRegisterUrl();
    m_strServletUrl = dlg.GetServletUrl();
    m_strServerUrl = m_strServletUrl;
}

void COmbrelleDoc::ChooseAssetType()
{
    if (m_strBaseServerUrl.IsEmpty()) {
        AfxMessageBox(IDS_CHOOSE_SERVER_FIRST);
        return;
    }
    BeginWaitCursor();
    CAssetTypeDlg dlg(AfxGetMainWnd());
    dlg.m_pDoc = this;
    if (!dlg.LoadAssetTypes()) {
        EndWaitCursor();
        AfxMessageBox(IDS_ASSET_TYPES_UNREACHABLE);
        return;
    }
    EndWaitCursor();
    if (dlg.DoModal() == IDOK)
        m_strServerUrl = dlg.GetServletUrlForType(m_strBaseServerUrl, dlg.GetTypeId(dlg.m_nChosenIndex));
}
