#include "ColorModeDlg.h"

#include "Ordwell.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CColorModeDlg, CDialog)
END_MESSAGE_MAP()

CColorModeDlg::CColorModeDlg(CWnd* pParent) : CDialog(IDD_COLOR_MODE, pParent), m_nColorMode(-1), m_bAsSystem(0)
{
}

CColorModeDlg::~CColorModeDlg() {}

void CColorModeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_COLOR_MODE_MANAGED, m_nColorMode);
    DDX_Check(pDX, IDC_COLOR_MODE_AS_SYSTEM, m_bAsSystem);
}

BOOL CColorModeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (JGetCurJob() == NULL)
        ::EnableWindow(::GetDlgItem(m_hWnd, IDC_COLOR_MODE_AS_SYSTEM), FALSE);
    return TRUE;
}
