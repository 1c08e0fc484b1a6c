// The ten controls of the form-control framework: standard Windows controls
// that each carry one property record. In design state a control hands its
// mouse messages to the parent (the designer) and lets it see its keys.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"

#include "FCControlInternalProp.h"

// WM_USER+166: run the control's validity check; 0 when it passes, -1 when not.
#define WM_FC_CHECKVALID (WM_USER + 166)

// What every framework control shares; TWnd is its window class.
template<class TWnd>
class CFCControl : public TWnd {
public:
    CFCControlInternalProp m_prop;  // follows the window part directly

    virtual void Serialize(CArchive& ar);
    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    CFCControl(int nKind, DWORD dwStyle, BOOL bWindowProcForwards);

    // The reflected control-colour message.
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    LRESULT OnCheckValid(WPARAM wParam, LPARAM lParam);
    // The design-state forwarding of the window procedure, for the kinds
    // that have it (edit, push button, check box, combo box, date-time picker).
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // Keys reach the parent from the window procedure then, not here as well.
    BOOL m_bWindowProcForwards;
};

class CFCLabel : public CFCControl<CStatic> {
    DECLARE_SERIAL(CFCLabel)
public:
    CFCLabel();
    // Paints the caption with the record's font, colours and alignments.
    void PaintText();
    void DrawLabelText(CDC* pDC, const CRect& rcClient);

protected:
    virtual void PreSubclassWindow();
    DECLARE_MESSAGE_MAP()
};

class CFCButton : public CFCControl<CButton> {
    DECLARE_SERIAL(CFCButton)
public:
    CFCButton();

protected:
    DECLARE_MESSAGE_MAP()
};

class CFCRadio : public CFCControl<CButton> {
    DECLARE_SERIAL(CFCRadio)
public:
    CFCRadio();

protected:
    DECLARE_MESSAGE_MAP()
};

class CFCCheckBox : public CFCControl<CButton> {
    DECLARE_SERIAL(CFCCheckBox)
public:
    CFCCheckBox();

protected:
    DECLARE_MESSAGE_MAP()
};

class CFCGroupBox : public CFCControl<CButton> {
    DECLARE_SERIAL(CFCGroupBox)
public:
    CFCGroupBox();

protected:
    DECLARE_MESSAGE_MAP()
};

class CFCEdit : public CFCControl<CEdit> {
    DECLARE_SERIAL(CFCEdit)
public:
    CFCEdit();

protected:
    DECLARE_MESSAGE_MAP()
};

class CFCMemo : public CFCControl<CEdit> {
    DECLARE_SERIAL(CFCMemo)
public:
    CFCMemo();

protected:
    DECLARE_MESSAGE_MAP()
};

class CFCComboBox : public CFCControl<CComboBox> {
    DECLARE_SERIAL(CFCComboBox)
public:
    CFCComboBox();

protected:
    DECLARE_MESSAGE_MAP()
};

class CFCListBox : public CFCControl<CListBox> {
    DECLARE_SERIAL(CFCListBox)
public:
    CFCListBox();

protected:
    DECLARE_MESSAGE_MAP()
};

class CFCDateTimeCtrl : public CFCControl<CDateTimeCtrl> {
    DECLARE_SERIAL(CFCDateTimeCtrl)
public:
    CFCDateTimeCtrl();

protected:
    DECLARE_MESSAGE_MAP()
};

// The kind by class test (label, edit, memo, button, radio, check box, group
// box, combo box, list box); anything else, the date-time picker too, is 0.
int KindOfControl(const CObject* pObject);
// The property record of a framework control of any kind, the date-time
// picker included; NULL for anything else.
CFCControlInternalProp* FCPropOf(CObject* pObject);
// A new control of kind 1 to 10; NULL for any other kind.
CWnd* FCNewControl(int nKind);
