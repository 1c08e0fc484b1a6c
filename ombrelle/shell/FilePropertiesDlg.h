// Properties of one file of the thumbnail list; the caller fills the texts.
#pragma once

#include "afxwin.h"

class CFilePropertiesDlg : public CDialog {
public:
    explicit CFilePropertiesDlg(CWnd* pParent = NULL);

    CString m_strLocation;
    CString m_strSize;
    CString m_strCreated;
    CString m_strModified;
    CString m_strPictureSize;
    CString m_strPictureType;
    // Not shown.
    CString m_strFileName;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
