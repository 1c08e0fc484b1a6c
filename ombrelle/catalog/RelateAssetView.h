// The web view of the server's accessory-add page, shown in a frame of its
// own from the metadata form.
#pragma once

#include "afxwin.h"
#include "afxhtml.h"

// The server that the accessory page comes from when the application holds
// no address for it: the back-end address that the server address dialog offers.
#define ACCESSORY_DEFAULT_HOST "http://127.0.0.1:8080"
#define ACCESSORY_DEFAULT_PATH "/asps/edit/Asset_accessory_add_mod.asp?Editty=add&nAcessoryId=0&nAssetId=11805"

class CRelateAssetView : public CHtmlView {
    DECLARE_DYNCREATE(CRelateAssetView)
protected:
    CRelateAssetView();

public:
    virtual ~CRelateAssetView();

    // The address the view opens: the application's accessory page address,
    // or the default page.
    static CString AccessoryPageAddress();

    virtual void OnInitialUpdate();

    CString m_strText1;
    CString m_strText2;
    // The upload location's parts after and before its "#".
    CString m_strLocationAfter;
    CString m_strLocationBefore;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    DECLARE_MESSAGE_MAP()
};
