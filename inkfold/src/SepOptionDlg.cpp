#include "SepOptionDlg.h"

#include "resource.h"

const CSepOptionDlg::StageBox CSepOptionDlg::kStageBoxes[kStages] = {
    {IDC_OPTION_INGRAY, 3}, {IDC_OPTION_BLACK, 8},    {IDC_OPTION_COLOR, 5},
    {IDC_OPTION_UCR, 9},    {IDC_OPTION_TOTALINK, 10}, {IDC_OPTION_OUTGRAY, 7},
};

CSepOptionDlg::CSepOptionDlg(CWnd* pParent, CSeparationModel* pModel)
    : CDialog(IDD, pParent)
{
    for (int k = 0; k < kStages; ++k)
        m_nStage[k] = pModel->m_nSwitch[kStageBoxes[k].nSwitch] == 1 ? 1 : 0;
}

void CSepOptionDlg::StoreSwitches(CSeparationCore& model) const
{
    for (int k = 0; k < kStages; ++k)
        model.m_nSwitch[kStageBoxes[k].nSwitch] = m_nStage[k] != 0 ? 1 : 0;
}

void CSepOptionDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    for (int k = 0; k < kStages; ++k)
        DDX_Check(pDX, kStageBoxes[k].nID, m_nStage[k]);
}
