// The property record that every form-framework control carries: where the
// control sits, how it looks, what it shows and how it behaves, in its binary
// archive form and as the property block of the form file.
#pragma once

#include "afxwin.h"
#include "afxcoll.h"

#include <msxml2.h>

class CFCControlFactory;

// The ten control kinds; 0 is no framework control.
enum FCControlKind {
    FCKindNone = 0,
    FCKindLabel = 1,
    FCKindButton = 2,
    FCKindRadio = 3,
    FCKindCheckBox = 4,
    FCKindGroupBox = 5,
    FCKindEdit = 6,
    FCKindMemo = 7,
    FCKindComboBox = 8,
    FCKindListBox = 9,
    FCKindDateTime = 10,
};

// The form file's element name of a kind ("" outside 1 to 10).
LPCTSTR FCKindElementName(int nKind);

// The alignment name of a text-alignment value: 2 "居右", 6 "居中", else "居左".
CString AlignmentName(int nTextAlign);

class CFCControlInternalProp : public CObject {
    DECLARE_SERIAL(CFCControlInternalProp)
public:
    enum { PropertyFlagCount = 40 };

    CFCControlInternalProp();
    virtual ~CFCControlInternalProp();

    // Stored: see the .cpp; items, alignments, checked, read-only and the
    // script are not archived.
    virtual void Serialize(CArchive& ar);

    // The property block of the form file at the given level.
    CString ToXml(int nLevel);
    // Fills the record from the "内部属性" element of a control element.
    // A DOM call that fails raises _com_error.
    void FromXml(IXMLDOMNode* pInternal);
    // Copies another record; bKeepIdentity also takes its tab order, id and
    // already-exists, else the owner gives a new tab order and id.
    void CopyFrom(CFCControlInternalProp& other, BOOL bKeepIdentity);
    void SetStyleBits(DWORD dwBits, BOOL bOn);
    // The style with the disabled bit cleared while in design state.
    DWORD CreationStyle() const;
    // Moves the record's control to nIndex in its owner's tab-order array.
    void SetTabOrder(int nIndex);

    // Sets kind, default style and the property flags of a kind.
    void InitKind(int nKind, DWORD dwStyle);
    // (Re)makes the font object from the font description.
    CFont* MakeFont();
    // The brush of the background colour, made again only when the colour changed.
    HBRUSH BackgroundBrush();

    BOOL m_bDesignState;
    BOOL m_bTabStop;
    CString m_strCaption;
    CString m_strItems;  // lines separated by CR LF
    // Left, top, right, bottom in the parent's client area; archived as 16 raw bytes.
    RECT m_rect;
    int m_nTabOrder;
    int m_nControlId;
    LOGFONT m_logFont;
    DWORD m_dwStyle;
    CFont* m_pFont;
    BOOL m_bShowTip;
    BOOL m_bShown;
    BOOL m_bValid;
    CString m_strTip;
    CFCControlFactory* m_pOwner;  // not owned
    CDWordArray m_arrPropertyFlags;
    BOOL m_bAlreadyExists;
    int m_nKind;
    COLORREF m_clrFore;
    COLORREF m_clrBack;
    HBRUSH m_hBackBrush;
    CString m_strVertAlign;
    CString m_strHorzAlign;
    BOOL m_bChecked;
    BOOL m_bReadOnly;
    CString m_strScript;

private:
    COLORREF m_clrBrush;  // the colour m_hBackBrush was made of
};
