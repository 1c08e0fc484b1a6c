#include "AboutDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

void CAboutDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    CDialog::OnLButtonDown(nFlags, point);
    EndDialog(IDOK);
}

void CAboutDlg::OnRButtonDown(UINT nFlags, CPoint point)
{
    CDialog::OnRButtonDown(nFlags, point);
    EndDialog(IDOK);
}
