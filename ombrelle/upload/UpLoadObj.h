// The automation object "Ombrelle.UpLoadObj": an outside program shows the
// hidden client through it, hands in the metadata description, the call-back
// page and the upload account, and asks where the field-definition file lies.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"

// The dispatch interface's own id (the object's is CUpLoadObj::guid).
extern const IID IID_IUpLoadObj;

class CUpLoadObj : public CCmdTarget {
    DECLARE_DYNCREATE(CUpLoadObj)
    DECLARE_OLECREATE(CUpLoadObj)
public:
    CUpLoadObj();
    virtual ~CUpLoadObj();

protected:
    CString m_strFieldDefinitionFile;

    // Dispatch ids 1 to 6, in this order.
    BOOL Initialize(BOOL bReserved, LPCTSTR lpszReserved1, LPCTSTR lpszReserved2, LPCTSTR lpszReserved3);
    BSTR GetAssetMetaDataStruct();
    void SetCallBackFileName(LPCTSTR lpszFileName);
    void SetUserInfo(LPCTSTR lpszUser, LPCTSTR lpszPassword);
    void SetUploadURL(LPCTSTR lpszUrl);
    void SetAssetMetaDataStruct(LPCTSTR lpszStruct);

    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()
};
