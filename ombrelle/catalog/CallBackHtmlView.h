// The web view of the local call-back page, whose script answers the asset
// id, the storage location and the operator's right, and takes a call-back.
#pragma once

#include "afxwin.h"
#include "afxhtml.h"

class CCallBackHtmlView : public CHtmlView {
    DECLARE_DYNCREATE(CCallBackHtmlView)
protected:
    CCallBackHtmlView();

public:
    virtual ~CCallBackHtmlView();

    // Opens the call-back page that the upload automation object set.
    virtual void OnInitialUpdate();

    // The page's script functions, on the view's document or the given
    // one; "" when the page or the function is missing or the call failed.
    CString CallGetAssetId();
    static CString CallGetAssetId(IDispatch* pDocument);
    CString CallGetStorageLocation(LPCTSTR lpszText);
    static CString CallGetStorageLocation(IDispatch* pDocument, LPCTSTR lpszText);
    void CallCallBack(LPCTSTR lpszText);
    static void CallCallBack(IDispatch* pDocument, LPCTSTR lpszText);
    // Asks the page's "GetCode" whether the operator has the right. With it
    // the frame is shown maximised; without it (or without an answer) the
    // operator is told and the active window is asked to close its active
    // window. TRUE with the right.
    BOOL CheckRight();
    BOOL CheckRight(IDispatch* pDocument);

protected:
    DECLARE_MESSAGE_MAP()
};
