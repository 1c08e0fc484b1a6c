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

class CMetaDataInput : public CFormView {
    DECLARE_DYNCREATE(CMetaDataInput)
protected:
    CMetaDataInput();

public:
    virtual ~CMetaDataInput();

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

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    // Every control the form made, each deleted once: a key given twice
    // replaces the map's entry but not the ownership.
    CPtrList m_createdControls;
    // How deep the cascade of selection changes runs now.
    int m_nCascadeDepth;
};
