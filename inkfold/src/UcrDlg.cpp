#include "UcrDlg.h"

#include "resource.h"

namespace {

const int kStartIds[3] = {IDC_UCR_C_START, IDC_UCR_M_START, IDC_UCR_Y_START};
const int kAmountIds[3] = {IDC_UCR_C_AMOUNT, IDC_UCR_M_AMOUNT, IDC_UCR_Y_AMOUNT};

}  // namespace

CUcrDlg::CUcrDlg(CWnd* pParent, CSeparationModel* pModel)
    : CDialog(IDD, pParent)
{
    for (int ch = 0; ch < 3; ++ch) {
        m_nStart[ch] = pModel->m_nUcrStart[ch];
        m_nAmount[ch] = pModel->m_nUcrAmount[ch];
    }
}

void CUcrDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    for (int ch = 0; ch < 3; ++ch) {
        DDX_Text(pDX, kStartIds[ch], m_nStart[ch]);
        DDV_MinMaxInt(pDX, m_nStart[ch], 0, 100);
        DDX_Text(pDX, kAmountIds[ch], m_nAmount[ch]);
        DDV_MinMaxInt(pDX, m_nAmount[ch], 0, 100);
    }
}
