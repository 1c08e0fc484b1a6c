// The separation dialog's handlers that open its sub-dialogs and hand what
// they return to the model.
#include "InkfoldDlg.h"

#include "AdjustLevelDlg.h"
#include "BlackGenDlg.h"
#include "ColorCorrectDlg.h"
#include "GcrDlg.h"
#include "GrayBalanceDlg.h"
#include "InkfoldResourceScope.h"
#include "SepOptionDlg.h"
#include "UcrDlg.h"

INT_PTR CInkfoldDlg::RunSubDialog(CDialog& dialog)
{
    CInkfoldResourceScope resources;
    return dialog.DoModal();
}

void CInkfoldDlg::OnInkfoldOption()
{
    CSepOptionDlg dialog(this, &m_model);
    if (RunSubDialog(dialog) != IDOK)
        return;
    dialog.StoreSwitches(m_model);
    m_model.m_nSwitch[4] = 0;
    SetEnableStates();
    m_model.BuildTables();
    Redraw();
}

void CInkfoldDlg::OnInkfoldUcr()
{
    CUcrDlg dialog(this, &m_model);
    if (RunSubDialog(dialog) != IDOK)
        return;
    for (int ch = 0; ch < 3; ++ch) {
        m_model.m_nUcrStart[ch] = dialog.m_nStart[ch];
        m_model.m_nUcrAmount[ch] = dialog.m_nAmount[ch];
    }
    Redraw();
}

void CInkfoldDlg::OnInkfoldColor()
{
    CColorCorrectDlg dialog(this, &m_model);
    if (RunSubDialog(dialog) != IDOK)
        return;
    // Only the shown patches change: the K and W targets the model refines
    // stay out of the stored rows.
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < CColorCorrectDlg::kColumns; ++col) {
            const int patch = CColorCorrectDlg::kPatchOfColumn[col];
            m_model.m_nColor[CSeparationCore::RowC + row][patch] = dialog.m_nLevel[row][col];
            m_model.m_nTarget[row][patch] = CSeparationCore::PercentToLevel(dialog.m_nPercent[row][col]);
            m_model.m_nColor[CSeparationCore::RowCt + row][patch] = m_model.m_nTarget[row][patch];
        }
        // The estimation reads patches C, M, Y, R, G, B and W.
        for (int patch = 0; patch < CSeparationCore::kPatches; ++patch)
            if (patch != 3)
                m_model.m_nInputCopy[row][patch] = m_model.m_nColor[CSeparationCore::RowC + row][patch];
    }
    m_model.EstimateRatios();
    m_model.EstimateGains();
    m_model.FitColorCorrection();
    m_model.RefineColorTargets();
}

// No control of the template sends this command or the next; the preview
// hands nothing back.
void CInkfoldDlg::OnInkfoldGcr()
{
    CGcrDlg dialog(this, &m_model);
    RunSubDialog(dialog);
}

// The level dialog has written the model itself.
void CInkfoldDlg::OnInkfoldLever()
{
    CAdjustLevelDlg dialog(this, &m_model);
    RunSubDialog(dialog);
}

// The mode switch has reached the model already; the curve itself only on OK.
void CInkfoldDlg::OnInkfoldBlack()
{
    CBlackGenDlg dialog(this, &m_model);
    if (RunSubDialog(dialog) != IDOK)
        return;
    dialog.StoreBlackCurve(m_model);
    if (m_model.m_nSwitch[9] != 0 && m_model.m_nUcrControl == 0)
        m_model.BuildGcrTable();
    Redraw();
}

// The balance dialogs write the model's tables on OK themselves.
void CInkfoldDlg::OnInkfoldIngray()
{
    CInputBalanceDlg dialog(this, &m_model);
    if (RunSubDialog(dialog) == IDOK)
        Redraw();
}

void CInkfoldDlg::OnInkfoldOutgray()
{
    COutputBalanceDlg dialog(this, &m_model);
    if (RunSubDialog(dialog) == IDOK)
        Redraw();
}
