// CDialog: modal and modeless dialogs made from a dialog template, with the
// library's dialog procedure, initialisation data and data exchange.
#pragma once

#include "afxwnd.h"
#include "afxapp.h"
#include "afxres.h"

class CFont;

class AFX_API CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)

public:
    // Modeless construction
    CDialog();
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL,
                                void* lpDialogInit = NULL);
    virtual BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);

    // Modal construction
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL,
                           void* lpDialogInit = NULL);
    BOOL InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);

    virtual ~CDialog();

    // Operations
    virtual int DoModal();

    void MapDialogRect(LPRECT lpRect) const;
    void SetHelpID(UINT nIDR);

    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);

    void SetDefID(UINT nID);
    DWORD GetDefID() const;

    void EndDialog(int nResult);

    // Overridables
    virtual BOOL OnInitDialog();
    virtual void OnSetFont(CFont* pFont);

protected:
    virtual void OnOK();
    virtual void OnCancel();

public:
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL CheckAutoCenter();

    // Attributes kept public: derived dialogs and sheets set them before
    // DoModal/Create.
    UINT m_nIDHelp;                     // help id, 0 for none
    LPCTSTR m_lpszTemplateName;         // name or MAKEINTRESOURCE
    HGLOBAL m_hDialogTemplate;          // indirect template (m_lpszTemplateName NULL)
    LPCDLGTEMPLATE m_lpDialogTemplate;  // indirect template (both above NULL)
    void* m_lpDialogInit;               // initialisation data of an indirect template
    CWnd* m_pParentWnd;                 // parent, or owner of a modal dialog
    HWND m_hWndTop;                     // the owner's top-level window, disabled while modal

protected:
    // Called on WM_INITDIALOG before OnInitDialog.
    virtual void PreInitDialog();

    // The window that owns a modal dialog (and is disabled while it runs).
    HWND PreModal();
    void PostModal();

    BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit,
                        HINSTANCE hInst);
    BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT HandleSetFont(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void CommonConstruct();
};

// The dialog procedure of every dialog the library makes. It only answers
// WM_INITDIALOG (by the dialog's OnInitDialog); every other message reaches
// the dialog object through the library's window procedure first.
AFX_API INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
