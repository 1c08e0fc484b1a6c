// The IPTC page (tab page 16 of the child frame): the current picture's
// thirteen IPTC texts, editable; what the operator types reaches the
// document when another pane becomes active.
#pragma once

#include "afxwin.h"

class CIPTCInfoFormView : public CFormView {
    DECLARE_DYNCREATE(CIPTCInfoFormView)
protected:
    CIPTCInfoFormView();

public:
    virtual ~CIPTCInfoFormView();

    // Puts the thirteen texts into their edits.
    void ShowFields();
    // Empties the thirteen edits.
    void ClearFields();

    virtual void OnInitialUpdate();

    // In the order of the page and of the document's IPTC texts.
    CString m_strDescription;   // caption
    CString m_strHeadLine;
    CString m_strCategory;
    CString m_strEnveNumber;
    CString m_strEnvePriority;
    CString m_strLanguageID;
    CString m_strProductID;
    CString m_strServiceID;
    CString m_strDestination;
    CString m_strObjName;
    CString m_strOriginalTX;    // original transmission reference
    CString m_strCity;
    CString m_strCountry;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
};
