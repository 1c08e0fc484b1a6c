// What the user, module and function dialogs share: the mode and the name
// to edit that the caller sets before DoModal, "确定" off until the first
// change, the error line inside the dialog, the failed load and the saving
// through a rights store of its own.
#pragma once

#include "afxwin.h"

#include <functional>

class CRightsDatabase;

class CRightsEditDlg : public CDialog {
public:
    CString m_strEditName;  // the entry to modify
    int m_nMode;            // -1 none, 0 add, 1 modify

protected:
    CRightsEditDlg(UINT nIDTemplate, int nErrorId, CWnd* pParent);

    virtual void DoDataExchange(CDataExchange* pDX);

    // After the class library's initialisation: "确定" off, the caption of
    // the mode and, when modifying, "保存" and the name edit disabled where
    // the name must not change.
    void InitMode(LPCTSTR lpszAddCaption, LPCTSTR lpszModifyFormat, int nNameId, BOOL bNameFixed);
    // Modify mode: reads the entry through a rights store of its own; when
    // that fails, the message, and the dialog ends with IDCANCEL.
    BOOL LoadEntry(const std::function<int(CRightsDatabase&)>& get, LPCTSTR lpszFailure);
    // The error line shows the text; the dialog stays open.
    void ShowError(LPCTSTR lpszText);
    void EnableControl(int nId, BOOL bEnable);

    struct Save {
        std::function<int(CRightsDatabase&)> add;     // 0 added, 1 the name exists
        std::function<bool(CRightsDatabase&)> taken;  // modify: the new name is another entry's
        std::function<int(CRightsDatabase&)> update;  // 0 done
        LPCTSTR lpszExists = NULL;
    };
    // Adds or updates by the mode; IDOK when written, else the error line.
    void SaveEntry(const Save& save);

    afx_msg void OnEditChange();
    DECLARE_MESSAGE_MAP()

    CString m_strError;

private:
    int m_nErrorId;
};
