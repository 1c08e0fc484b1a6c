// The common dialogs (file, colour, font) and property sheets with their
// pages, each a C++ object attached to the dialog window Windows makes.
#pragma once

#include "afxwin.h"
#include "afxcoll.h"

#include <commdlg.h>
#include <prsht.h>

class CTabCtrl;

// ---------------------------------------------------------------------------
// Common dialogs

// Base of the dialogs that Windows runs itself. The library's hook attaches
// the object to the dialog window on WM_INITDIALOG (and calls OnInitDialog);
// from then on the dialog's messages go through the object's message map.
class AFX_API CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);

protected:
    // Both let the common dialog do its own work (it ends itself).
    virtual void OnOK();
    virtual void OnCancel();

    // Implementation
    typedef UINT_PTR(CALLBACK* COMMONHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

    // The hook every common dialog of the library runs with.
    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Messages the hook hands to the object before the caller's hook; TRUE
    // with *pResult when the object answered.
    virtual BOOL OnHookMessage(UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR* pResult);

    // Around the Windows call: the owner to pass, and the object the hook
    // attaches. pfnCallerHook is the hook the caller set in the structure,
    // if any, kept and called after the library's own handling.
    HWND BeginCommonModal(COMMONHOOKPROC pfnCallerHook);
    void EndCommonModal();

    COMMONHOOKPROC m_pfnCallerHook;
};

class AFX_API CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    OPENFILENAME m_ofn;  // may be changed before DoModal

    // lpszFilter: pairs of description and pattern separated by '|',
    // ended with "||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL,
                         LPCTSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCTSTR lpszFilter = NULL, CWnd* pParentWnd = NULL);

    // IDOK or IDCANCEL.
    virtual int DoModal();

    // The chosen file (while an explorer-style dialog is open: the current one).
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    BOOL GetReadOnlyPref() const;

    // The files of a multiple selection, in either result format.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    // Explorer-style dialogs, while open.
    CString GetFolderPath() const;
    void SetControlText(int nID, LPCSTR lpsz);
    void HideControl(int nID);

protected:
    // The sharing violation answer for the dialog (OFN_SHAREWARN ...).
    virtual UINT OnShareViolation(LPCTSTR lpszPathName);
    // TRUE refuses the name and keeps the dialog open.
    virtual BOOL OnFileNameOK();
    // Old style: a list box selection changed (nCode CD_LBSELCHANGE ...).
    virtual void OnLBSelChangedNotify(UINT nIDBox, UINT iCurSel, UINT nCode);
    // Explorer style.
    virtual void OnFileNameChange();
    virtual void OnFolderChange();
    virtual void OnTypeChange();

    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnHookMessage(UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR* pResult);

    BOOL m_bOpenFileDialog;
    CString m_strFilter;
    CString m_strDefExt;
    TCHAR m_szFileTitle[64];
    TCHAR m_szFileName[_MAX_PATH];
    // The structure the dialog filled, while OnFileNameOK runs.
    OPENFILENAME* m_pofnTemp;

private:
    BOOL IsExplorerOpen() const;
    const OPENFILENAME& CurrentResult() const;
    // Asks the caller's hook about a notification the library handled.
    LRESULT ForwardNotify(WPARAM wParam, LPARAM lParam, LRESULT lResult);
};

class AFX_API CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    CHOOSECOLOR m_cc;

    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);

    virtual int DoModal();

    // Moves the open dialog's selection to clr.
    void SetCurrentColor(COLORREF clr);
    COLORREF GetColor() const;

    // The custom colours every colour dialog shows and keeps.
    static COLORREF clrSavedCustom[16];
};

class AFX_API CFontDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFontDialog)
public:
    CHOOSEFONT m_cf;
    LOGFONT m_lf;  // the font chosen (m_cf.lpLogFont points here)

    explicit CFontDialog(LPLOGFONT lplfInitial = NULL,
                         DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = NULL, CWnd* pParentWnd = NULL);

    virtual int DoModal();

    // The font of the open dialog, or the chosen one after it closed.
    void GetCurrentFont(LPLOGFONT lplf);
    CString GetFaceName() const;
    int GetSize() const;  // tenths of a point
    COLORREF GetColor() const;
    int GetWeight() const;
    BOOL IsBold() const;
    BOOL IsItalic() const;
};

// ---------------------------------------------------------------------------
// Property sheets

class CPropertySheet;

// A page: a dialog template on the resource chain; the object is attached to
// the page window when the sheet creates it, and the sheet's PSN_
// notifications reach the overridables below.
class AFX_API CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    PROPSHEETPAGE m_psp;

    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    virtual ~CPropertyPage();

    // Turns the sheet's OK into Close and disables Cancel.
    void CancelToClose();
    // Enables (or, with no other page changed, disables) Apply Now.
    void SetModified(BOOL bChanged = TRUE);
    // PSM_QUERYSIBLINGS: the first nonzero answer of the sheet's pages.
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);

    // Overridables, with the answers the sheet expects.
    virtual BOOL OnApply();         // calls OnOK; FALSE keeps the sheet open
    virtual void OnReset();         // calls OnCancel
    virtual void OnOK();
    virtual void OnCancel();
    virtual BOOL OnSetActive();     // FALSE: the page is not shown
    virtual BOOL OnKillActive();    // UpdateData(TRUE); FALSE keeps the page
    virtual BOOL OnQueryCancel();   // FALSE keeps the sheet open
    virtual LRESULT OnWizardBack(); // 0 the previous page, -1 none, or a page's template id
    virtual LRESULT OnWizardNext();
    virtual BOOL OnWizardFinish();  // FALSE keeps the wizard open

    // Leaves keyboard navigation to the sheet.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Implementation
    friend class CPropertySheet;
    // Fills m_psp for the sheet: the template from the resource chain.
    void PreparePage();
    // A wizard page's answer naming a page by its template id, as the sheet
    // finds pages whose templates it was given in memory.
    LRESULT MapWizardResult(LRESULT lResult);
    static INT_PTR CALLBACK PageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    CString m_strCaption;
    BOOL m_bFirstSetActive;

private:
    void CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption);
};

class AFX_API CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    PROPSHEETHEADER m_psh;

    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    void Construct(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CPropertySheet();

    // Modeless: the sheet window with this object attached. dwStyle -1: a
    // visible popup with caption, system menu and dialog frame.
    BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
    // Modal: IDOK, IDCANCEL, or the wizard's ID_WIZFINISH.
    virtual int DoModal();

    int GetPageCount() const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage);
    // Once the sheet is open, the current page may refuse to be left.
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    // nStyle PSH_PROPTITLE: "Properties for" the text.
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    CTabCtrl* GetTabControl() const;

    void SetWizardMode();
    void SetFinishText(LPCTSTR lpszText);
    void SetWizardButtons(DWORD dwFlags);

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    // Ends a modal sheet with nEndID (and cancels the sheet).
    void EndDialog(int nEndID);
    BOOL PressButton(int nButton);

    // Runs after the sheet made its first page; a derived sheet calls it first.
    virtual BOOL OnInitDialog();

    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    virtual BOOL ContinueModal();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT HandlePressButton(WPARAM wParam, LPARAM lParam);
    afx_msg void OnClose();

    CPtrArray m_pages;
    CString m_strCaption;
    CWnd* m_pParentWnd;
    BOOL m_bModeless;

    DECLARE_MESSAGE_MAP()

private:
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    // Builds m_psh with a copy of every page's PROPSHEETPAGE and runs
    // PropertySheet with this object hooked to the sheet window.
    INT_PTR RunPropertySheet(DWORD dwStyle, DWORD dwExStyle);
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);

    int m_nSheetResult;  // the button that ended a modal sheet
    BOOL m_bInModalLoop;
};
