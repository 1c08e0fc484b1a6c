#include "ServerPathDlg.h"

#include "ServerReply.h"
#include "resource.h"

const char kServletPage[] = "HttpRequestServlet.jsp";

namespace {

const char kRegisterPage[] = "asps/add/Register.asp?Flag=2";
const char kAccessoryPage[] = "asps/edit/Asset_Accessory_add_mod.asp?Editty=add&nAssetId=0";

}  // namespace

CServerPathDlg::CServerPathDlg(LPCTSTR lpszServerUrl, CWnd* pParent)
    : CDialog(IDD_SERVER_PATH, pParent), m_strServerUrl(lpszServerUrl != NULL ? lpszServerUrl : "")
{
    if (m_strServerUrl.IsEmpty())
        m_strServerUrl = "http://" OMBRELLE_DEFAULT_SERVER_HOST ":8080";
}

void CServerPathDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SERVER_PATH_URL, m_strServerUrl);
}

CString CServerPathDlg::PageBelow(const CString& strServerUrl, LPCTSTR lpszPage)
{
    return serverreply::PageBelow(std::string(strServerUrl), lpszPage).c_str();
}

CString CServerPathDlg::GetRegisterUrl() const { return PageBelow(m_strServerUrl, kRegisterPage); }

CString CServerPathDlg::GetAccessoryUrl() const { return PageBelow(m_strServerUrl, kAccessoryPage); }

CString CServerPathDlg::GetServletUrl() const { return PageBelow(m_strServerUrl, kServletPage); }
