#include "FilePropertiesDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CFilePropertiesDlg, CDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CFilePropertiesDlg::CFilePropertiesDlg(CWnd* pParent) : CDialog(IDD_FILE_PROPERTIES, pParent) {}

void CFilePropertiesDlg::OnPaint()
{
    SetDlgItemText(IDC_PROP_LOCATION, m_strLocation);
    SetDlgItemText(IDC_PROP_SIZE, m_strSize);
    SetDlgItemText(IDC_PROP_CREATED, m_strCreated);
    SetDlgItemText(IDC_PROP_MODIFIED, m_strModified);
    SetDlgItemText(IDC_PROP_PICTURE_SIZE, m_strPictureSize);
    SetDlgItemText(IDC_PROP_PICTURE_TYPE, m_strPictureType);
    CDialog::OnPaint();
}
