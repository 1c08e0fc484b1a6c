// Chooses which picture file types the thumbnail list shows; edits the
// document's list of types and the profile section "PicType".
#pragma once

#include "afxwin.h"
#include "afxcmn.h"
#include "afxtempl.h"

class COmbrelleDoc;

class CFileTypeDlg : public CDialog {
public:
    explicit CFileTypeDlg(COmbrelleDoc* pDoc = NULL, CWnd* pParent = NULL);

    // The document whose file type list the dialog edits.
    COmbrelleDoc* m_pDoc;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    int GetTypeCount() const;
    // Makes the flags and one row per type, checked from "PicType".
    void AddRows();
    void CheckAll(BOOL bCheck);

    CListCtrl m_list;
    // One check flag per type, in list order; empty while there are none.
    CArray<int, int> m_checkFlags;

    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSelectAll();
    afx_msg void OnSelectNone();
    afx_msg void OnRefresh();
    DECLARE_MESSAGE_MAP()
};
