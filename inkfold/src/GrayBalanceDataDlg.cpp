#include "GrayBalanceDataDlg.h"

#include "resource.h"

namespace {

const int kSteps = CSeparationCore::kMaxSteps;

int StepID(int row, int step)
{
    return IDC_GRAY_STEP_FIRST + row * kSteps + step;
}

}  // namespace

CGrayBalanceDataDlg::CGrayBalanceDataDlg(CGrayBalanceDlg* pParent, CSeparationModel* pModel, int nMode, int nChannel)
    : CDialog(IDD, pParent),
      m_pBalance(pParent),
      m_pModel(pModel),
      m_nMode(nMode),
      m_nChannel(nChannel),
      m_nCount(pParent->m_nCount),
      m_nStep()
{
}

void CGrayBalanceDataDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    for (int row = 0; row < 3; ++row) {
        for (int step = 0; step < kSteps; ++step) {
            DDX_Text(pDX, StepID(row, step), m_nStep[row][step]);
            DDV_MinMaxInt(pDX, m_nStep[row][step], 0, 255);
        }
    }
    DDX_Text(pDX, IDC_GRAY_COUNT, m_nCount);
    DDV_MinMaxInt(pDX, m_nCount, 1, kSteps);
}

BOOL CGrayBalanceDataDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Held to a row's 21 edits: a larger count would reach the next row's.
    const int count = m_pBalance->m_nCount < 1 ? 1 : m_pBalance->m_nCount > kSteps ? kSteps : m_pBalance->m_nCount;
    SetDlgItemInt(IDC_GRAY_COUNT, count);
    const bool output = m_nMode == kOutputMode;
    if (!output) {
        static const char* const kLabels[3] = {"r", "g", "b"};
        for (int label = 0; label < 9; ++label)
            SetDlgItemText(IDC_GRAY_LABEL_FIRST + label, kLabels[label / 3]);
    }
    for (int step = 0; step < count; ++step) {
        for (int row = 0; row < 3; ++row) {
            const int v = m_pBalance->m_nTable[row][step];
            SetDlgItemInt(StepID(row, step), output ? CSeparationCore::LevelToPercent(v) : v);
        }
    }
    CString caption;
    caption.LoadString(output ? IDS_OUTPUT_BALANCE_CAPTION : IDS_INPUT_BALANCE_CAPTION);
    SetWindowText(caption);
    for (int row = 0; row < 3; ++row)
        for (int step = 0; step < kSteps; ++step)
            GetDlgItem(StepID(row, step))->EnableWindow(row + 1 == m_nChannel);
    return TRUE;
}

void CGrayBalanceDataDlg::OnOK()
{
    const int n = static_cast<int>(GetDlgItemInt(IDC_GRAY_COUNT, NULL, TRUE));
    if (n > kSteps || n < 0) {
        AfxMessageBox(IDS_RANGE_0_21);
        return;
    }
    const bool output = m_nMode == kOutputMode;
    for (int step = 0; step < n; ++step) {
        int values[3];
        for (int row = 0; row < 3; ++row) {
            const int v = static_cast<int>(GetDlgItemInt(StepID(row, step), NULL, TRUE));
            if (v < 0 || v > (output ? 100 : 255)) {
                AfxMessageBox(output ? IDS_RANGE_0_100 : IDS_RANGE_0_255);
                return;
            }
            values[row] = output ? CSeparationCore::PercentToLevel(v) : v;
        }
        for (int row = 0; row < 3; ++row)
            m_pBalance->m_nTable[row][step] = values[row];
    }
    // A count of 0 is refused by the range check below; the balance dialog
    // never takes it.
    if (n >= 1)
        m_pBalance->m_nCount = n;
    CDialog::OnOK();
}
