#include "AssetTypeDlg.h"

#include <new>

#include "HttpXMlProcess.h"
#include "OmbrelleDoc.h"
#include "ServerPathDlg.h"
#include "ServerSession.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CAssetTypeDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_ASSET_TYPE_COMBO, OnSelectionChange)
END_MESSAGE_MAP()

CAssetTypeDlg::CAssetTypeDlg(CWnd* pParent) : CDialog(IDD_ASSET_TYPE, pParent), m_pDoc(NULL), m_nChosenIndex(-1) {}

void CAssetTypeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ASSET_TYPE_COMBO, m_comboTypes);
}

void CAssetTypeDlg::DropTypeClient()
{
    if (m_pDoc->m_pAssetTypeClient != NULL)
        m_pDoc->m_pAssetTypeClient->Close();
    delete m_pDoc->m_pAssetTypeClient;
    m_pDoc->m_pAssetTypeClient = NULL;
    m_pDoc->m_strAssetTypeReply.Empty();
}

BOOL CAssetTypeDlg::LoadAssetTypes()
{
    if (m_pDoc == NULL)
        return FALSE;
    const CString strServlet = m_pDoc->m_strServletUrl;
    if (strServlet.IsEmpty()) {
        AfxMessageBox("请设置后台服务器路径");
        return FALSE;
    }
    if (m_pDoc->m_pAssetTypeClient != NULL) {
        if (m_pDoc->m_pAssetTypeClient->GetServerUrl() == strServlet)
            return TRUE;
        // Another server: its list is not this one's.
        m_pDoc->m_categories.clear();
        DropTypeClient();
    }
    CHttpXMlProcess* pClient = new (std::nothrow) CHttpXMlProcess;
    if (pClient == NULL)
        return TRUE;
    m_pDoc->m_pAssetTypeClient = pClient;
    if (!pClient->SetServerUrlRetrying(strServlet)) {
        DropTypeClient();
        return FALSE;
    }
    m_pDoc->m_strAssetTypeReply = pClient->EmunAllAssetType();
    if (m_pDoc->m_strAssetTypeReply.IsEmpty()) {
        m_pDoc->m_categories.clear();
        DropTypeClient();
        return FALSE;
    }
    m_pDoc->m_categories.clear();
    if (!CategoryListXml(m_pDoc->m_strAssetTypeReply, m_pDoc->m_categories)) {
        DropTypeClient();
        return FALSE;
    }
    return TRUE;
}

int CAssetTypeDlg::GetTypeId(int nIndex) const
{
    if (m_pDoc == NULL || nIndex < 0 || nIndex >= static_cast<int>(m_pDoc->m_categories.size()))
        return 0;
    return m_pDoc->m_categories[size_t(nIndex)].id;
}

CString CAssetTypeDlg::GetServletUrlForType(const CString& strServerUrl, int nTypeId) const
{
    CString strServlet = CServerPathDlg::PageBelow(strServerUrl, kServletPage);
    if (!strServlet.IsEmpty())
        CurrentCategoryId.Format("%d", nTypeId);
    return strServlet;
}

BOOL CAssetTypeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pDoc != NULL) {
        for (const CategoryRecord& record : m_pDoc->m_categories)
            m_comboTypes.AddString(record.name);
        if (m_comboTypes.SetCurSel(m_pDoc->m_nAssetTypeIndex) == CB_ERR)
            m_comboTypes.SetCurSel(0);
    }
    OnSelectionChange();
    return TRUE;
}

void CAssetTypeDlg::OnSelectionChange()
{
    if (CWnd* pOk = GetDlgItem(IDOK))
        pOk->EnableWindow(m_comboTypes.GetCurSel() != CB_ERR);
}

void CAssetTypeDlg::OnOK()
{
    const int nIndex = m_comboTypes.GetCurSel();
    if (nIndex == CB_ERR)
        return;
    m_nChosenIndex = nIndex;
    if (m_pDoc != NULL)
        m_pDoc->m_nAssetTypeIndex = nIndex;
    CurrentCategoryId.Format("%d", GetTypeId(nIndex));
    CDialog::OnOK();
}
