// The thumbnail pane (pane 11 of the child frame): the folder shown, the
// thumbnail list, selection buttons and the store button. Selecting one
// thumbnail fills the file information and IPTC pages and the document's
// current-picture fields; it also registers the picture file types.
#pragma once

#include "afxwin.h"
#include "afxext.h"
#include "afxcmn.h"

#include "ThumbListCtrl.h"

class COmbrelleDoc;

class CPicThumnailFormView : public CFormView {
    DECLARE_DYNCREATE(CPicThumnailFormView)
protected:
    CPicThumnailFormView();

public:
    virtual ~CPicThumnailFormView();

    virtual void OnInitialUpdate();

    // Fills the pages and the document from one list item.
    void ShowItem(int nIndex);
    // Empties the pages; the store button enabled as told.
    void ClearItem(BOOL bStoreEnabled);
    // One record's details into the document's current-picture fields.
    void CopyFileDetailsToDocument(int nItem);
    // The folder label's text into the document's folder field.
    void CopyFolderToDocument(COmbrelleDoc* pDoc);

    COmbrelleDoc* GetOmbrelleDoc() const;

    CButton m_btnStore;
    CStatic m_staticFolder;
    CButton m_btnSelectNone;
    CButton m_btnSelectAll;
    CStatic m_staticFrame;
    CThumbListCtrl m_list;
    CBitmap m_bitmap;
    CString m_strFolder;
    BOOL m_bInitialised;
    int m_nLastSelectedCount;
    int m_nShownIndex;
    CStringArray m_arrSelectedFiles;
    CString m_strLastSelected;
    CString m_strShown;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // The nine picture file types into the document's list, selected as
    // profile section "PicType" tells.
    void RegisterFileTypes();
    // A pane of the frame that holds this one, by pane id; NULL when absent.
    CWnd* FindPane(int nId) const;

    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnClickList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSelectAll();
    afx_msg void OnSelectNone();
    afx_msg void OnStore();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
