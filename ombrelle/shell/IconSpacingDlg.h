// The thumbnail list's custom icon spacing: two numbers, horizontal and
// vertical, in pixels beyond the thumbnail size.
#pragma once

#include "afxwin.h"

// A number edit: takes a decimal number with at most a given count of
// decimals within a range, and puts back the last valid text on any change
// that breaks those rules.
class CNumberEdit : public CEdit {
public:
    CNumberEdit();

    void SetAttributes(int nDecimals, double dMin, double dMax);
    void SetNumber(int nValue);
    // FALSE when the text holds no number (empty, a lone point).
    BOOL GetValue(float& fValue) const;

protected:
    BOOL IsAcceptable(const CString& strText) const;

    int m_nDecimals;
    double m_dMin;
    double m_dMax;
    CString m_strLastValid;
    BOOL m_bRestoring;

    afx_msg void OnChange();
    DECLARE_MESSAGE_MAP()
};

class CIconSpacingDlg : public CDialog {
public:
    explicit CIconSpacingDlg(CWnd* pParent = NULL);

    // Set by the caller before DoModal; the values after OK.
    int m_nHorzSpacing;
    int m_nVertSpacing;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();

    CNumberEdit m_editHorz;
    CNumberEdit m_editVert;
};
