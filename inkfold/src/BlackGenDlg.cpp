#include "BlackGenDlg.h"

#include "BlackPreview.h"
#include "CurveBox.h"
#include "resource.h"

namespace {

const int kEditIds[4] = {IDC_BLACK_START, IDC_BLACK_END, IDC_BLACK_MIN, IDC_BLACK_MAX};

}  // namespace

CBlackGenDlg::CBlackGenDlg(CWnd* pParent, CSeparationModel* pModel)
    : CDialog(IDD, pParent),
      m_nStart(pModel->m_nBlackStartPoint),
      m_nEnd(pModel->m_nBlackEndPoint),
      m_nMinimum(pModel->m_nBlackStart),
      m_nMaximum(pModel->m_nBlackEnd),
      m_pModel(pModel),
      m_pBox(new CCurveBox),
      m_nHandle(),
      m_nDragged(0),
      m_fWorkLevel(0.0f),
      m_nWork(),
      m_bReady(FALSE)
{
}

CBlackGenDlg::~CBlackGenDlg() = default;

const CCurvePlot& CBlackGenDlg::Plot() const
{
    return *m_pBox;
}

void CBlackGenDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    int* values[4] = {&m_nStart, &m_nEnd, &m_nMinimum, &m_nMaximum};
    for (int k = 0; k < kValues; ++k) {
        DDX_Text(pDX, kEditIds[k], *values[k]);
        DDV_MinMaxInt(pDX, *values[k], 0, 100);
    }
}

BEGIN_MESSAGE_MAP(CBlackGenDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_BN_CLICKED(IDC_BLACK_DATA, OnData)
    ON_BN_CLICKED(IDC_BLACK_CURVE_MODE, OnCurveMode)
    ON_CBN_SELCHANGE(IDC_BLACK_LEVEL, OnSelchangeLevel)
    ON_EN_CHANGE(IDC_BLACK_START, OnChangeStart)
    ON_EN_CHANGE(IDC_BLACK_END, OnChangeEnd)
    ON_EN_CHANGE(IDC_BLACK_MIN, OnChangeMinimum)
    ON_EN_CHANGE(IDC_BLACK_MAX, OnChangeMaximum)
END_MESSAGE_MAP()

BOOL CBlackGenDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CSeparationModel& model = *m_pModel;
    SendDlgItemMessage(IDC_BLACK_LEVEL, CB_SETCURSEL, static_cast<int>(model.m_fBlackLevel), 0);
    m_pBox->Setup(this, IDC_BLACK_PLOT);
    m_curve.assign(m_pBox->Width(), 0);

    m_fWorkLevel = model.m_fBlackLevel;
    m_nWork[kStart] = model.m_nBlackStartPoint;
    m_nWork[kEnd] = model.m_nBlackEndPoint;
    m_nWork[kMinimum] = model.m_nBlackStart;
    m_nWork[kMaximum] = model.m_nBlackEnd;
    if (model.m_nBlackSource != 0) {
        CheckDlgButton(IDC_BLACK_DATA, BST_CHECKED);
        ComputePreview();
    } else {
        CheckDlgButton(IDC_BLACK_CURVE_MODE, BST_CHECKED);
        EnableParameters(FALSE);
        m_pBox->ModelToDisplay(model.m_nBlackPoint, m_nHandle);
        m_pBox->CurveFromHandles(m_nHandle, m_curve);
    }
    m_bReady = TRUE;
    return TRUE;
}

void CBlackGenDlg::ComputePreview()
{
    for (int k = 0; k < kValues; ++k)
        if (m_nWork[k] < 0 || m_nWork[k] > 100)
            return;
    BlackPreviewCurve(m_curve.data(), static_cast<int>(m_curve.size()), m_fWorkLevel, m_nWork[kStart],
                      m_nWork[kEnd], m_nWork[kMinimum], m_nWork[kMaximum]);
}

void CBlackGenDlg::EnableParameters(BOOL bEnable)
{
    GetDlgItem(IDC_BLACK_LEVEL)->EnableWindow(bEnable);
    for (int id : kEditIds)
        GetDlgItem(id)->EnableWindow(bEnable);
}

void CBlackGenDlg::RedrawPlot()
{
    // A little larger than the plot: handle marks at its edges go too.
    const CRect plot = m_pBox->PlotRect();
    CRect rect(plot.left - 2, m_pBox->Bottom() - (m_pBox->Right() - m_pBox->Left()) - 1, plot.right + 2,
               plot.bottom + 2);
    InvalidateRect(&rect);
}

void CBlackGenDlg::OnPaint()
{
    CPaintDC dc(this);
    m_pBox->DrawGrid(&dc);
    m_pBox->DrawCurve(&dc, m_curve, RGB(0, 0, 0), false);
    if (IsDlgButtonChecked(IDC_BLACK_CURVE_MODE) == BST_CHECKED)
        m_pBox->DrawHandles(&dc, m_nHandle);
}

void CBlackGenDlg::EditChanged(int nValue)
{
    if (!m_bReady)
        return;
    const int value = static_cast<int>(GetDlgItemInt(kEditIds[nValue], NULL, TRUE));
    m_nWork[nValue] = value;
    if (value < 0 || value > 100) {
        AfxMessageBox(IDS_RANGE_0_100);
        return;
    }
    ComputePreview();
    RedrawPlot();
}

void CBlackGenDlg::OnChangeStart() { EditChanged(kStart); }
void CBlackGenDlg::OnChangeEnd() { EditChanged(kEnd); }
void CBlackGenDlg::OnChangeMinimum() { EditChanged(kMinimum); }
void CBlackGenDlg::OnChangeMaximum() { EditChanged(kMaximum); }

void CBlackGenDlg::OnSelchangeLevel()
{
    const int selection = static_cast<int>(SendDlgItemMessage(IDC_BLACK_LEVEL, CB_GETCURSEL, 0, 0));
    if (!m_bReady || selection < 0)
        return;
    m_fWorkLevel = static_cast<float>(selection);
    ComputePreview();
    RedrawPlot();
}

void CBlackGenDlg::OnData()
{
    if (m_pModel->m_nBlackSource != 0)
        return;
    m_pModel->m_nBlackSource = 1;
    EnableParameters(TRUE);
    m_pBox->HandlesFromCurve(m_curve, m_nHandle);
    ComputePreview();
    RedrawPlot();
}

void CBlackGenDlg::OnCurveMode()
{
    if (m_pModel->m_nBlackSource == 0)
        return;
    m_pModel->m_nBlackSource = 0;
    EnableParameters(FALSE);
    m_pBox->HandlesFromCurve(m_curve, m_nHandle);
    RedrawPlot();
}

void CBlackGenDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    CDialog::OnLButtonDown(nFlags, point);
    if (IsDlgButtonChecked(IDC_BLACK_CURVE_MODE) != BST_CHECKED)
        return;
    m_nDragged = m_pBox->HitTest(m_nHandle, point.x, point.y);
    if (m_nDragged != 0) {
        ::SetCursor(::LoadCursor(NULL, IDC_SIZENS));
        SetCapture();
    }
}

void CBlackGenDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    CDialog::OnMouseMove(nFlags, point);
    if (m_pBox->HitTest(m_nHandle, point.x, point.y) != 0)
        ::SetCursor(::LoadCursor(NULL, IDC_SIZENS));
    if (m_nDragged == 0)
        return;
    m_pBox->DragHandle(m_nDragged, point.y, m_nHandle, m_curve);
    RedrawPlot();
}

void CBlackGenDlg::OnLButtonUp(UINT nFlags, CPoint point)
{
    CDialog::OnLButtonUp(nFlags, point);
    m_nDragged = 0;
    ::ReleaseCapture();
}

void CBlackGenDlg::OnOK()
{
    // Stored before the range check: a refused OK keeps the new level.
    const int selection = static_cast<int>(SendDlgItemMessage(IDC_BLACK_LEVEL, CB_GETCURSEL, 0, 0));
    if (selection >= 0)
        m_pModel->m_fBlackLevel = static_cast<float>(selection);
    CDialog::OnOK();
}

void CBlackGenDlg::StoreBlackCurve(CSeparationCore& model) const
{
    if (model.m_nBlackSource == 1) {
        model.m_nBlackStartPoint = m_nStart;
        model.m_nBlackEndPoint = m_nEnd;
        model.m_nBlackStart = m_nMinimum;
        model.m_nBlackEnd = m_nMaximum;
        model.BuildBlackTable();
        return;
    }
    int xs[5];
    m_pBox->DisplayToModel(m_nHandle, model.m_nBlackPoint);
    m_pBox->ModelX(xs);
    CSeparationCore::FivePointCurve(model.m_nBlackTable, 256, xs, model.m_nBlackPoint);
}
