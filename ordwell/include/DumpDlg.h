// The dump dialog "转储作业": which parts of the current job to dump, where
// to, and whether to delete the job afterwards; it refuses a target drive
// without room. The job manager sets the sizes, runs it and dumps after IDOK.
// Sizes and drive figures are 64-bit, so that neither wraps above 4 GiB.
#pragma once

#include "afxwin.h"

#include "OrdwellApi.h"

class ORDWELL_API JCDumpDlg : public CDialog {
public:
    explicit JCDumpDlg(CWnd* pParent = NULL);
    virtual ~JCDumpDlg();

    CButton m_btnOutput;        // 4554
    CButton m_btnOrigin;        // 4553
    CEdit m_editTotal;          // 4557
    CEdit m_editOutputSize;     // 4556
    CEdit m_editOriginSize;     // 4555
    CEdit m_editDiskTotal;      // 4558
    CEdit m_editDiskFree;       // 4559
    CEdit m_editDumpPath;       // 4560
    int m_bDeleteOriginal;      // 4518
    int m_bDumpOrigin;          // 4553
    int m_bDumpOutput;          // 4554
    CString m_strDumpPath;      // 4560
    ULONGLONG m_nDiskFree;      // free bytes of the target drive (for this user)
    ULONGLONG m_nDiskTotal;     // total bytes of the target drive
    ULONGLONG m_nOriginSize;    // originals, pages and profiles; set by the caller
    ULONGLONG m_nOutputSize;    // outputs; set by the caller
    ULONGLONG m_nDumpSize;      // what the check boxes select

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    afx_msg void OnBtDumpBrowse();
    afx_msg void OnCheckDumpOrigin();
    afx_msg void OnCheckDumpOutput();
    afx_msg void OnBtDumpUpdate();
    afx_msg void OnChangeEditDumpPath();
    DECLARE_MESSAGE_MAP()

private:
    // Caption of 4593 and the figures of the drive of the folder's first
    // three characters; both 0 when the drive cannot be queried.
    void ShowDriveFigures(const CString& strFolder);
    void ShowDumpSize();
};
