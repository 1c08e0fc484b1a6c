// The colour-mode choice "选择分色方式": colour management or traditional
// separation, and whether the choice is the system's rather than the current
// job's. The caller presets both members and acts on them after IDOK.
#pragma once

#include "afxwin.h"

#include "OrdwellApi.h"

class ORDWELL_API CColorModeDlg : public CDialog {
public:
    CColorModeDlg(CWnd* pParent = NULL);
    virtual ~CColorModeDlg();

    int m_nColorMode;  // radio group 4104: -1 none, 0 colour management, 1 traditional separation
    int m_bAsSystem;   // check box 4106

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Without a current job the check box is disabled and keeps its preset.
    virtual BOOL OnInitDialog();
    DECLARE_MESSAGE_MAP()
};
