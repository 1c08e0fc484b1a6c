// The host's modeless dialog that holds a library's form or pane. The form
// sits three parent levels below the dialog (form, inner container, outer
// container, dialog), as the libraries' checks expect: they ask the window
// three levels up for the accepting button and the image window, and take
// the cancel button (id 2) of the window four levels above an edit.
#pragma once

#include "afxwin.h"

#include "HostImageWnd.h"

class CHostDialog : public CDialog {
public:
    CHostDialog();

    // Shows the dialog; no parent when pParent is null.
    BOOL Create(CWnd* pParent = NULL);

    // Creates an object of the class (a form view or pane) through its
    // run-time class, makes its window in the inner container (nDepth 3) or
    // straight in the dialog (nDepth 1) and gives it its initial update.
    // Null when the class cannot be made or is no view.
    CView* Embed(CRuntimeClass* pClass, int nDepth = 3);
    CView* GetEmbedded() const { return m_pEmbedded; }
    CHostImageWnd* GetImageWnd() { return &m_wndImage; }

    // How the dialog's last end came about: IDOK, IDCANCEL, or 0 while open.
    int m_nResult;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnDestroy();
    afx_msg LRESULT OnGetTrueCtrlId(WPARAM, LPARAM);
    afx_msg LRESULT OnGetImageWnd(WPARAM, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CWnd m_wndOuter;
    CWnd m_wndInner;
    CHostImageWnd m_wndImage;
    CView* m_pEmbedded;
};
