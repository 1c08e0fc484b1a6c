#include "ColorCorrectDlg.h"

#include "resource.h"

// C, M, Y, R, G, B of the colour table's C, M, Y, K, R, G, B, W.
const int CColorCorrectDlg::kPatchOfColumn[kColumns] = {0, 1, 2, 4, 5, 6};

CColorCorrectDlg::CColorCorrectDlg(CWnd* pParent, CSeparationModel* pModel)
    : CDialog(IDD, pParent)
{
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            const int patch = kPatchOfColumn[col];
            m_nLevel[row][col] = pModel->m_nColor[CSeparationCore::RowC + row][patch];
            m_nPercent[row][col] = CSeparationCore::LevelToPercent(pModel->m_nTarget[row][patch]);
        }
    }
}

void CColorCorrectDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    // The edits run row by row, six to a row.
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            DDX_Text(pDX, IDC_COLOR_LEVEL_FIRST + row * kColumns + col, m_nLevel[row][col]);
            DDV_MinMaxInt(pDX, m_nLevel[row][col], 0, 255);
        }
    }
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            DDX_Text(pDX, IDC_COLOR_PERCENT_FIRST + row * kColumns + col, m_nPercent[row][col]);
            DDV_MinMaxInt(pDX, m_nPercent[row][col], 0, 100);
        }
    }
}
