// Folder chooser: the old-style file-open dialog with Ordwell's template
// 4118, on which the user picks a drive and a folder or types a folder path.
// After DoModal returns IDOK, m_strChosenDir holds the path as typed.
#pragma once

#include "afxdlgs.h"

#include "OrdwellApi.h"

class ORDWELL_API CChooseDir : public CFileDialog {
    DECLARE_DYNAMIC(CChooseDir)
public:
    // Makes lpszInitialDir the current folder (the dialog starts there); the
    // template comes from the current resource handle.
    CChooseDir(BOOL bOpenFileDialog, LPCTSTR lpszInitialDir, LPCTSTR lpszDefExt = NULL,
               LPCTSTR lpszFileName = NULL, DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
               LPCTSTR lpszFilter = NULL, CWnd* pParentWnd = NULL);
    virtual ~CChooseDir();

    CString m_strChosenDir;

protected:
    BOOL m_bFirstPaint;

    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual BOOL OnFileNameOK();
    virtual void OnLBSelChangedNotify(UINT nIDBox, UINT iCurSel, UINT nCode);
    virtual BOOL OnHookMessage(UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR* pResult);

    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    // The path from the drive root down to the list's item nSel.
    CString PathFromList(int nSel) const;
    // Shows the path of the list's selection; leaves the edit alone when
    // nothing is selected.
    void ShowSelectedPath(BOOL bLower);
    // Fills the folder list as root, each folder down to the current one,
    // then the current folder's subfolders, and selects the current one.
    void FillFolderList();
    void OpenSelectedFolder();

    // TRUE while the chooser keeps the folder list itself (the platform's
    // list is not the drive-to-folder hierarchy).
    BOOL m_bOwnFolderList;
    // Index of the current folder in a list the chooser keeps.
    int m_nOpenItem;
};
