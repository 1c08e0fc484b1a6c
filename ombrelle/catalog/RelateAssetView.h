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

    // The page's script functions, on the view's document or the given
    // one; "" when the page or the function is missing or the call failed.
    // Only "GetFilesize" shows the operator the script's exception.
    CString CallGetFilesize();
    CString CallGetFilesize(IDispatch* pDocument);
    CString CallGetXml(LPCTSTR lpszText);
    CString CallGetXml(IDispatch* pDocument, LPCTSTR lpszText);
    // The answer "before#after" goes into m_strLocationBefore and
    // m_strLocationAfter; both stay empty without a "#".
    void CallGetUploadLocation(LPCTSTR lpszFirst, LPCTSTR lpszSecond);
    void CallGetUploadLocation(IDispatch* pDocument, LPCTSTR lpszFirst, LPCTSTR lpszSecond);
    // The tag and inner HTML of the form "addform" and of each of its elements.
    CString ReadAddForm();
    CString ReadAddForm(IDispatch* pDocument);

    CString m_strText1;
    CString m_strText2;
    // The upload location's parts after and before its "#".
    CString m_strLocationAfter;
    CString m_strLocationBefore;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    DECLARE_MESSAGE_MAP()
};
