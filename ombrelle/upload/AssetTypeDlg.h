// "资产类型设置": the asset types the server lists; choosing one sets the
// program-wide CurrentCategoryId that the server client sends as "Cate=".
#pragma once

#include "afxwin.h"

class COmbrelleDoc;

class CAssetTypeDlg : public CDialog {
public:
    explicit CAssetTypeDlg(CWnd* pParent = NULL);

    // Fills the document's type list from the server at its servlet address
    // (or keeps the list fetched from that address before); FALSE when there
    // is no address or the server gave no list.
    BOOL LoadAssetTypes();
    // The id of the type at that place in the list; 0 for none.
    int GetTypeId(int nIndex) const;
    // The servlet address below the server address; when there is one, the
    // type id becomes CurrentCategoryId.
    CString GetServletUrlForType(const CString& strServerUrl, int nTypeId) const;

    CComboBox m_comboTypes;
    COmbrelleDoc* m_pDoc;
    int m_nChosenIndex;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();

    // OK stays off until a type is chosen, so that no "0" becomes the type.
    afx_msg void OnSelectionChange();
    void DropTypeClient();
    DECLARE_MESSAGE_MAP()
};
