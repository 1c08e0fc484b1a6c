// The output copy dialog "转存输出文件": copies chosen outputs of the current
// job (PostScript, layout pages, encapsulated PostScript) into a folder,
// each with the files that belong to it. All copying happens in OnOK.
#pragma once

#include "afxdlgs.h"

#include "OrdwellApi.h"

class ORDWELL_API JCopyPSFile : public CDialog {
public:
    explicit JCopyPSFile(CWnd* pParent = NULL);
    virtual ~JCopyPSFile();

    // Copies the source over a file of its name in the target folder:
    // "非法文件名" when the copy fails, the path and "文件没有找到，拷贝失败！"
    // when the source is missing.
    void CopyOneFile(CString strSource, CString strTargetFolder);
    // The named output, then every output whose owning page it is.
    void CopyPsFile(char* lpszName);
    // The named page, then every original whose owning page it is.
    void CopyApgFile(char* lpszName);
    void CopyEpsFile(char* lpszName);

    int m_nFileType;  // 0 .ps outputs, 1 pages, 2 .eps outputs
    CComboBox m_comboType;
    CEdit m_editTarget;
    CListBox m_listFiles;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    afx_msg void OnBrowse();
    afx_msg void OnSelchangeCombo1();
    DECLARE_MESSAGE_MAP()
};

// An old-style file dialog with template 4103 "选择输出文件转存路径". Nothing
// in the library constructs it.
class ORDWELL_API JSelectCopyPath : public CFileDialog {
    DECLARE_DYNAMIC(JSelectCopyPath)
public:
    JSelectCopyPath(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                    DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                    CWnd* pParentWnd = NULL);
    virtual ~JSelectCopyPath();

protected:
    virtual void OnOK();
};
