#include "GrayBalanceDlg.h"

#include "BalanceCurves.h"
#include "CurveBox.h"
#include "GrayBalanceDataDlg.h"
#include "InkfoldResourceScope.h"
#include "resource.h"

namespace {

const COLORREF kInputPens[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
const COLORREF kOutputPens[3] = {RGB(0, 200, 255), RGB(255, 0, 200), RGB(250, 250, 0)};

int HeldCount(int n)
{
    return n < 1 ? 1 : n > CSeparationCore::kMaxSteps ? CSeparationCore::kMaxSteps : n;
}

}  // namespace

// The model's fields of one side.
struct CGrayBalanceDlg::Fields {
    int* source;
    int (*points)[5];
    int* count;
    int (*table)[CSeparationCore::kStepEntries];
    int (*modelTable)[256];
};

CGrayBalanceDlg::CGrayBalanceDlg(UINT nIDTemplate, CWnd* pParent, CSeparationModel* pModel, bool bOutput)
    : CDialog(nIDTemplate, pParent),
      m_nSource(),
      m_nCount(1),
      m_nTable(),
      m_pModel(pModel),
      m_bOutput(bOutput),
      m_nFrameID(bOutput ? IDC_OUTBAL_PLOT : IDC_INBAL_PLOT),
      m_nDataID(bOutput ? IDC_OUTBAL_DATA : IDC_INBAL_DATA),
      m_nCurveID(bOutput ? IDC_OUTBAL_CURVE_MODE : IDC_INBAL_CURVE_MODE),
      m_nListID(bOutput ? IDC_OUTBAL_CHANNEL : IDC_INBAL_CHANNEL),
      m_nSettingsID(bOutput ? IDC_OUTBAL_SETTINGS : IDC_INBAL_SETTINGS),
      m_pBox(new CCurveBox),
      m_nHandle(),
      m_nShowHandles(-1),
      m_nChannel(0),
      m_nDragged(0)
{
}

CGrayBalanceDlg::~CGrayBalanceDlg() = default;

CInputBalanceDlg::CInputBalanceDlg(CWnd* pParent, CSeparationModel* pModel)
    : CGrayBalanceDlg(IDD, pParent, pModel, false)
{
}

COutputBalanceDlg::COutputBalanceDlg(CWnd* pParent, CSeparationModel* pModel)
    : CGrayBalanceDlg(IDD, pParent, pModel, true)
{
}

const CCurvePlot& CGrayBalanceDlg::Plot() const
{
    return *m_pBox;
}

CGrayBalanceDlg::Fields CGrayBalanceDlg::ModelFields() const
{
    CSeparationModel& m = *m_pModel;
    if (m_bOutput)
        return {m.m_nOutBalSource, m.m_nOutBalPoint, &m.m_nBalanceCount, m.m_nBalance, m.m_nOutBalTable};
    return {m.m_nInBalSource, m.m_nInBalPoint, &m.m_nGrayCount, m.m_nGray, m.m_nInBalTable};
}

BEGIN_MESSAGE_MAP(CGrayBalanceDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_BN_CLICKED(IDC_INBAL_DATA, OnData)
    ON_BN_CLICKED(IDC_OUTBAL_DATA, OnData)
    ON_BN_CLICKED(IDC_INBAL_CURVE_MODE, OnCurveMode)
    ON_BN_CLICKED(IDC_OUTBAL_CURVE_MODE, OnCurveMode)
    ON_CBN_SELCHANGE(IDC_INBAL_CHANNEL, OnSelchangeChannel)
    ON_CBN_SELCHANGE(IDC_OUTBAL_CHANNEL, OnSelchangeChannel)
    ON_BN_CLICKED(IDC_INBAL_SETTINGS, OnSettings)
    ON_BN_CLICKED(IDC_OUTBAL_SETTINGS, OnSettings)
END_MESSAGE_MAP()

BOOL CGrayBalanceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendDlgItemMessage(m_nListID, CB_SETCURSEL, 0, 0);
    EnableModeControls(FALSE, FALSE);
    m_pBox->Setup(this, m_nFrameID);

    const Fields f = ModelFields();
    m_nCount = HeldCount(*f.count);
    for (int ch = 0; ch < kChannels; ++ch) {
        m_nSource[ch] = f.source[ch];
        for (int i = 0; i < CSeparationCore::kStepEntries; ++i)
            m_nTable[ch][i] = f.table[ch][i];
    }
    for (int ch = 0; ch < kChannels; ++ch) {
        if (m_nSource[ch] == 0) {
            m_pBox->ModelToDisplay(f.points[ch], m_nHandle[ch]);
            m_pBox->CurveFromHandles(m_nHandle[ch], m_curve[ch]);
        } else {
            CurveFromTable(ch);
        }
    }
    m_nShowHandles = -1;
    m_nChannel = 0;
    return TRUE;
}

void CGrayBalanceDlg::CurveFromTable(int channel)
{
    const int width = m_pBox->Width();
    m_curve[channel].assign(width, 0);
    if (m_bOutput)
        OutputBalanceCurve(m_curve[channel].data(), width, m_nTable[channel], m_nCount);
    else
        InputBalanceCurve(m_curve[channel].data(), width, m_nTable[channel], m_nTable[1], m_nCount);
}

void CGrayBalanceDlg::EnableModeControls(BOOL bRadios, BOOL bSettings)
{
    GetDlgItem(m_nDataID)->EnableWindow(bRadios);
    GetDlgItem(m_nCurveID)->EnableWindow(bRadios);
    GetDlgItem(m_nSettingsID)->EnableWindow(bSettings);
}

void CGrayBalanceDlg::RedrawPlot()
{
    InvalidateRect(m_pBox->PlotRect());
}

void CGrayBalanceDlg::OnPaint()
{
    CPaintDC dc(this);
    m_pBox->DrawGrid(&dc);
    const COLORREF* pens = m_bOutput ? kOutputPens : kInputPens;
    for (int ch = 0; ch < kChannels; ++ch)
        if (m_nChannel == 0 || m_nChannel == ch + 1)
            m_pBox->DrawCurve(&dc, m_curve[ch], pens[ch], true);
    if (m_nShowHandles == 1 && m_nChannel != 0)
        m_pBox->DrawHandles(&dc, m_nHandle[m_nChannel - 1]);
}

void CGrayBalanceDlg::OnSelchangeChannel()
{
    const int selection = static_cast<int>(SendDlgItemMessage(m_nListID, CB_GETCURSEL, 0, 0));
    if (selection <= 0) {
        EnableModeControls(FALSE, FALSE);
        m_nChannel = 0;
        m_nShowHandles = 0;
        RedrawPlot();
        return;
    }
    m_nChannel = selection;
    const int ch = m_nChannel - 1;
    const bool curveMode = m_nSource[ch] == 0;
    EnableModeControls(TRUE, !curveMode);
    CheckDlgButton(m_nCurveID, curveMode ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_nDataID, curveMode ? BST_UNCHECKED : BST_CHECKED);
    m_nShowHandles = curveMode ? 1 : 0;
    if (curveMode)
        m_pBox->HandlesFromCurve(m_curve[ch], m_nHandle[ch]);
    RedrawPlot();
}

void CGrayBalanceDlg::OnData()
{
    GetDlgItem(m_nSettingsID)->EnableWindow(TRUE);
    CheckDlgButton(m_nCurveID, BST_UNCHECKED);
    if (m_nChannel == 0)
        return;
    m_nShowHandles = 0;
    m_nSource[m_nChannel - 1] = 1;
    CurveFromTable(m_nChannel - 1);
    RedrawPlot();
}

void CGrayBalanceDlg::OnCurveMode()
{
    CheckDlgButton(m_nDataID, BST_UNCHECKED);
    GetDlgItem(m_nSettingsID)->EnableWindow(FALSE);
    if (m_nChannel == 0)
        return;
    const int ch = m_nChannel - 1;
    m_nShowHandles = 1;
    m_nSource[ch] = 0;
    m_pBox->HandlesFromCurve(m_curve[ch], m_nHandle[ch]);
    m_pBox->CurveFromHandles(m_nHandle[ch], m_curve[ch]);
    RedrawPlot();
}

void CGrayBalanceDlg::OnSettings()
{
    if (m_nChannel == 0)
        return;
    CGrayBalanceDataDlg dialog(this, m_pModel, m_bOutput ? CGrayBalanceDataDlg::kOutputMode : CGrayBalanceDataDlg::kInputMode,
                               m_nChannel);
    INT_PTR result;
    {
        CInkfoldResourceScope resources;
        result = dialog.DoModal();
    }
    if (result != IDOK)
        return;
    CurveFromTable(m_nChannel - 1);
    RedrawPlot();
}

BOOL CGrayBalanceDlg::CurveModeActive() const
{
    return m_nChannel != 0 && IsDlgButtonChecked(m_nCurveID) == BST_CHECKED;
}

void CGrayBalanceDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    CDialog::OnLButtonDown(nFlags, point);
    if (CurveModeActive())
        m_nDragged = m_pBox->HitTest(m_nHandle[m_nChannel - 1], point.x, point.y);
}

void CGrayBalanceDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    CDialog::OnMouseMove(nFlags, point);
    if (m_nDragged == 0 || !CurveModeActive())
        return;
    const int ch = m_nChannel - 1;
    m_pBox->DragHandle(m_nDragged, point.y, m_nHandle[ch], m_curve[ch]);
    RedrawPlot();
}

void CGrayBalanceDlg::OnLButtonUp(UINT nFlags, CPoint point)
{
    CDialog::OnLButtonUp(nFlags, point);
    if (m_nDragged == 0)
        return;
    m_nDragged = 0;
    // The moved points reach the model at once; Cancel keeps them.
    if (m_nChannel != 0)
        m_pBox->DisplayToModel(m_nHandle[m_nChannel - 1], ModelFields().points[m_nChannel - 1]);
}

void CGrayBalanceDlg::OnOK()
{
    const Fields f = ModelFields();
    *f.count = m_nCount;
    for (int ch = 0; ch < kChannels; ++ch) {
        f.source[ch] = m_nSource[ch];
        for (int i = 0; i < CSeparationCore::kStepEntries; ++i)
            f.table[ch][i] = m_nTable[ch][i];
    }
    int xs[kHandles];
    m_pBox->ModelX(xs);
    for (int ch = 0; ch < kChannels; ++ch) {
        if (m_nSource[ch] != 0) {
            if (m_bOutput)
                CSeparationCore::BalanceToTable(m_nTable[ch], f.modelTable[ch], m_nCount, 255);
            else
                m_pModel->GrayToTable(m_nTable[ch], f.modelTable[ch], m_nCount, 255);
        } else {
            m_pBox->DisplayToModel(m_nHandle[ch], f.points[ch]);
            CSeparationCore::FivePointCurve(f.modelTable[ch], 256, xs, f.points[ch]);
        }
    }
    CDialog::OnOK();
}
