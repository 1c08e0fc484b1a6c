// The web view of the server's asset-association page, which lists assets
// with a check box each; the view reads back which ones the operator ticked.
#pragma once

#include "afxwin.h"
#include "afxhtml.h"

// The server of the association page when the application holds no address for it.
#define ASSOCIATE_DEFAULT_HOST "127.0.0.1"
#define ASSOCIATE_DEFAULT_PATH ":821/asps/edit/add_asset_Associate.asp?AssetType=1&ViewID=375"

class CAssociateHtmlView : public CHtmlView {
    DECLARE_DYNCREATE(CAssociateHtmlView)
protected:
    CAssociateHtmlView();

public:
    virtual ~CAssociateHtmlView();

    // The application's association page address, or the default page.
    static CString AssociatePageAddress();

    virtual void OnInitialUpdate();

    // The values of the ticked check boxes of the list's asset rows, in row
    // order, separated by ";"; "" when none is ticked or the page has no list.
    CString GetSelectedAssetIds();
    static CString GetSelectedAssetIds(IDispatch* pDocument);
    // The page's "fnGetXMLNode"; "" when the call fails.
    CString CallGetXmlNode();
    static CString CallGetXmlNode(IDispatch* pDocument);
    // The tag and inner HTML of each "select" element of that name.
    static CString DescribeSelectElements(IDispatch* pDocument, LPCTSTR lpszName);

protected:
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
