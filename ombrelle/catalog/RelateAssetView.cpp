#include "RelateAssetView.h"

#include "OmbrelleApp.h"

IMPLEMENT_DYNCREATE(CRelateAssetView, CHtmlView)

BEGIN_MESSAGE_MAP(CRelateAssetView, CHtmlView)
END_MESSAGE_MAP()

CRelateAssetView::CRelateAssetView() {}

CRelateAssetView::~CRelateAssetView() {}

void CRelateAssetView::DoDataExchange(CDataExchange* pDX)
{
    CHtmlView::DoDataExchange(pDX);
}

CString CRelateAssetView::AccessoryPageAddress()
{
    const CString strAddress = static_cast<COmbrelleApp*>(AfxGetApp())->m_strAccessoryPageUrl;
    return strAddress.IsEmpty() ? CString(ACCESSORY_DEFAULT_HOST ACCESSORY_DEFAULT_PATH) : strAddress;
}

void CRelateAssetView::OnInitialUpdate()
{
    CHtmlView::OnInitialUpdate();
    Navigate2(AccessoryPageAddress());
}
