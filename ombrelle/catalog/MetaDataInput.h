// The cataloguing window's right-hand pane: a form whose labelled field
// controls are made at run time from the field descriptions of the server's
// category structure, one label and one input control per shown field.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"
#include "afxcoll.h"

#include <msxml2.h>

class COmbrelleDoc;

// What the checks of an edit-type field need: its label (the subject of the
// check messages), type, length and whether it may stay empty.
struct FieldAttributeRecord {
    CString CName;
    CString Type;
    CString Length;
    CString AllowNull;
};

// One enumeration combo box: its configuration and parent ids and its
// entries, each "ID EnumItemName FatherItemID" (blank-separated; the name
// itself may hold blanks).
struct EnumRecord {
    CString ConfigItemId;
    CString ParentEnumId;
    CString Spare1;
    CString Spare2;
    CComboBox* pCombo = nullptr;
    CStringList Entries;
};

// The texts of one "Field" element that building reads.
struct FieldDescription {
    CString Name, CName, Type, Length, View, Input, DefaultValue, AllowNull;
    // "FloderCreated" of its "CatalogList/CatalogItem", "" without one.
    CString FolderCreated;
};

// Another program fills a field with WM_COPYDATA: dwData
// kCopyDataSetField, lpData the field's label (its "CName"), a zero byte,
// the value, a zero byte, both texts in the ANSI code page (GBK), and
// cbData counting every byte, both zeros included. Other layouts are
// ignored. The form copies the data before it reads it; the result is
// TRUE when a field took the value. WM_USER+4 carries addresses, which mean
// something only inside this thread, so the form ignores it from any other
// thread or program, and ignores it posted.
const ULONG_PTR kCopyDataSetField = 0x404;

class CMetaDataInput : public CFormView {
    DECLARE_DYNCREATE(CMetaDataInput)
protected:
    CMetaDataInput();

public:
    virtual ~CMetaDataInput();

    // TRUE when every generated control passes; the first that fails gets
    // the focus (a wrong value also its message).
    BOOL ValidateFields();
    // Whether the edit's value suits its field (any other edit passes).
    BOOL CheckEditField(CWnd* pEdit);
    // Name='value' followed by one blank for each input control in child
    // order, the values XML-escaped.
    CString BuildFieldAttributes();
    // The catalogue tree's checked ids joined by ";"; "" outside the
    // cataloguing window.
    CString GetCheckedCatalogIds();
    // Whether "入库" is chosen rather than "待入库".
    BOOL IsStoreChecked();
    // Puts the value into the field of that label: an edit's text, or a
    // date control's date (seconds since 1970 or a date text); FALSE when
    // no edit or date control took it.
    BOOL SetFieldValue(const CString& strLabel, const CString& strValue);

    // Whether the window is one of the generated date controls.
    BOOL IsDateTimeControl(CWnd* pWnd) const;

    // The show rules: not a created catalogue folder, no system field, "View" "1".
    static BOOL IsFieldShown(const FieldDescription& field);
    // A type-"4" field longer than 50 characters, unless it is the title, gets a 60-pixel row.
    static BOOL IsTallField(const FieldDescription& field);
    // "CName" followed by ":", or by "(*)" and ":" when the field is required.
    static CString LabelText(const FieldDescription& field);

    virtual void OnInitialUpdate();

    int m_nPendingStateFlag;
    int m_nRebuildRequested;
    int m_nLastBottom;
    int m_nLastRight;
    CPtrList m_DateTimeControls;  // CDateTimeCtrl*, owned through m_createdControls
    int m_nLabelLeft, m_nLabelTop, m_nLabelRight, m_nLabelBottom;
    int m_nControlLeft, m_nControlTop, m_nControlRight, m_nControlBottom;
    int m_nLastControlId;
    int m_nFirstControlId;
    CString m_strLocalIpAddress;
    CPtrList m_EnumRecords;  // EnumRecord*, owned
    CFont m_font;
    // A field's CName to its label and its Name to its input control.
    CMapStringToPtr m_FieldControls;
    CMapStringToPtr m_FieldAttributes;  // Name to FieldAttributeRecord*, owned
    CMapStringToString m_CNameToName;

protected:
    COmbrelleDoc* GetMetaDocument() const;
    void ReadLocalIpAddress();
    void LoadDescription();
    void BuildFields(IXMLDOMDocument* pDocument);
    void BuildField(const FieldDescription& field, int nId, BOOL bFirst);
    void PlaceRow(BOOL bFirst, BOOL bTall);
    void CreateFieldLabel(const FieldDescription& field, int nId);
    void CreateFieldControl(const FieldDescription& field, int nId);
    CEdit* CreateEditControl(CEdit* pEdit, const FieldDescription& field, DWORD dwStyle, int nId);
    void KeepFieldAttributes(const FieldDescription& field);
    void AddFieldControl(const CString& strKey, CWnd* pControl);
    void FillEnumCombo(CComboBox* pCombo, const CString& strFieldName);
    void ReadEnumConfig(IXMLDOMDocument* pDocument, const CString& strFieldName, EnumRecord& record);
    EnumRecord* FindEnumRecord(HWND hCombo) const;
    void OnFieldSelChange(HWND hCombo);
    void OnTabKey();
    void OnEnterKey();
    void MoveHiddenControls();
    void DeleteFieldObjects();

    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);

    // The field key of a generated input control, "" for any other window.
    CString FieldNameOf(CWnd* pControl) const;
    CString FieldValueOf(CWnd* pControl) const;
    BOOL CheckFileField(CWnd* pEdit);
    // The asset state and, for "入库", the checked ids into the document;
    // FALSE (after telling the operator) when no folder is checked.
    BOOL StoreAssetState(COmbrelleDoc& doc);
    // Appends the thumbnail pane's selected pictures.
    void CopySelectedPictures(CStringArray& arrPictures);
    // Ends the cataloguing window, and with it this form.
    void CloseRecordWindow();
    // Turns a WM_USER+4 that was posted to a form into WM_NULL before it is
    // dispatched, whichever message loop takes it from the queue.
    static LRESULT CALLBACK DropPostedFieldValues(int nCode, WPARAM wParam, LPARAM lParam);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnOK();
    afx_msg void OnSubmit();
    afx_msg void OnCancel();
    // The related-asset pages, each in a frame of its own.
    afx_msg void OnAddAccessory();
    afx_msg void OnAddCompoundAsset();
    afx_msg LRESULT OnSetFieldValue(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct);
    DECLARE_MESSAGE_MAP()

    // Every control the form made, each deleted once: a key given twice
    // replaces the map's entry but not the ownership.
    CPtrList m_createdControls;
    // How deep the cascade of selection changes runs now.
    int m_nCascadeDepth;
    // This thread's hook that drops posted WM_USER+4, while the window lives.
    HHOOK m_hPostedValueHook;
};
