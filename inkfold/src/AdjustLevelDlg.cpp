#include "AdjustLevelDlg.h"

#include "CurveBox.h"
#include "LevelToneCurve.h"
#include "resource.h"

namespace {

const int kEditIds[3] = {IDC_LEVEL_DARK, IDC_LEVEL_MIDDLE, IDC_LEVEL_BRIGHT};
const COLORREF kInkPens[3] = {RGB(0, 255, 255), RGB(255, 0, 255), RGB(255, 255, 0)};

// What an edit shows for an amount on the 0..255 scale.
int EditPercent(int amount)
{
    return 100 - CSeparationCore::LevelToPercent(amount);
}

}  // namespace

CAdjustLevelDlg::CAdjustLevelDlg(CWnd* pParent, CSeparationModel* pModel)
    : CDialog(IDD, pParent),
      m_nBright(0),
      m_nMiddle(0),
      m_nDark(0),
      m_nAmount(),
      m_nSource(),
      m_pModel(pModel),
      m_pBox(new CCurveBox),
      m_nHandle(),
      m_nDragged(0),
      m_nShowHandles(-1),
      m_nInk(0),
      m_bReady(FALSE)
{
}

CAdjustLevelDlg::~CAdjustLevelDlg() = default;

const CCurvePlot& CAdjustLevelDlg::Plot() const
{
    return *m_pBox;
}

void CAdjustLevelDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_LEVEL_BRIGHT, m_nBright);
    DDV_MinMaxInt(pDX, m_nBright, -100, 100);
    DDX_Text(pDX, IDC_LEVEL_MIDDLE, m_nMiddle);
    DDV_MinMaxInt(pDX, m_nMiddle, -100, 100);
    DDX_Text(pDX, IDC_LEVEL_DARK, m_nDark);
    DDV_MinMaxInt(pDX, m_nDark, -100, 100);
}

BEGIN_MESSAGE_MAP(CAdjustLevelDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_BN_CLICKED(IDC_LEVEL_DATA, OnData)
    ON_BN_CLICKED(IDC_LEVEL_CURVE_MODE, OnCurveMode)
    ON_CBN_SELCHANGE(IDC_LEVEL_INK, OnSelchangeInk)
    ON_EN_CHANGE(IDC_LEVEL_BRIGHT, OnChangeBright)
    ON_EN_CHANGE(IDC_LEVEL_MIDDLE, OnChangeMiddle)
    ON_EN_CHANGE(IDC_LEVEL_DARK, OnChangeDark)
END_MESSAGE_MAP()

BOOL CAdjustLevelDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendDlgItemMessage(IDC_LEVEL_INK, CB_SETCURSEL, 0, 0);
    EnableEdits(FALSE);
    EnableRadios(FALSE);
    m_pBox->Setup(this, IDC_LEVEL_PLOT);

    const CSeparationModel& model = *m_pModel;
    for (int ink = 0; ink < 3; ++ink) {
        for (int k = 0; k < 3; ++k)
            m_nAmount[ink][k] = -model.m_nTone[ink][k];
        m_nSource[ink] = model.m_nLevelSource[ink];
        if (m_nSource[ink] != 0) {
            ToneCurve(ink);
        } else {
            int heights[5];
            m_pBox->ModelToDisplay(model.m_nLevelPoint[ink], heights);
            m_pBox->CurveFromHandles(heights, m_curve[ink]);
        }
    }
    m_nShowHandles = -1;
    m_bReady = TRUE;
    return TRUE;
}

void CAdjustLevelDlg::ToneCurve(int ink)
{
    m_curve[ink].assign(m_pBox->Width(), 0);
    LevelToneCurve(m_curve[ink].data(), m_pBox->Width(), m_nAmount[ink][kDark], m_nAmount[ink][kMiddle],
                   m_nAmount[ink][kBright]);
}

void CAdjustLevelDlg::EnableEdits(BOOL bEnable)
{
    for (int id : kEditIds)
        GetDlgItem(id)->EnableWindow(bEnable);
}

void CAdjustLevelDlg::EnableRadios(BOOL bEnable)
{
    GetDlgItem(IDC_LEVEL_DATA)->EnableWindow(bEnable);
    GetDlgItem(IDC_LEVEL_CURVE_MODE)->EnableWindow(bEnable);
}

void CAdjustLevelDlg::OnPaint()
{
    CPaintDC dc(this);
    m_pBox->DrawGrid(&dc);
    for (int ink = 0; ink < 3; ++ink)
        if (m_nInk == 0 || m_nInk == ink + 1)
            m_pBox->DrawCurve(&dc, m_curve[ink], kInkPens[ink], true);
    if (m_nShowHandles == 1)
        m_pBox->DrawHandles(&dc, m_nHandle);
}

void CAdjustLevelDlg::OnSelchangeInk()
{
    const int selection = static_cast<int>(SendDlgItemMessage(IDC_LEVEL_INK, CB_GETCURSEL, 0, 0));
    if (selection <= 0) {
        EnableEdits(FALSE);
        EnableRadios(FALSE);
        m_nInk = 0;
        m_nShowHandles = 0;
        InvalidateRect(m_pBox->PlotRect());
        return;
    }
    EnableRadios(TRUE);
    m_nInk = selection;
    const int ink = m_nInk - 1;
    if (m_nSource[ink] == 0) {
        EnableEdits(FALSE);
        CheckDlgButton(IDC_LEVEL_CURVE_MODE, BST_CHECKED);
        CheckDlgButton(IDC_LEVEL_DATA, BST_UNCHECKED);
        m_nShowHandles = 1;
        m_pBox->HandlesFromCurve(m_curve[ink], m_nHandle);
    } else {
        EnableEdits(TRUE);
        CheckDlgButton(IDC_LEVEL_DATA, BST_CHECKED);
        CheckDlgButton(IDC_LEVEL_CURVE_MODE, BST_UNCHECKED);
        m_nShowHandles = 0;
        FillEdits();
    }
    InvalidateRect(m_pBox->PlotRect());
}

void CAdjustLevelDlg::FillEdits()
{
    // Each fill is an edit change: the amount comes back through its edit.
    const int ink = m_nInk - 1;
    for (int k = 0; k < 3; ++k)
        SetDlgItemInt(kEditIds[k], static_cast<UINT>(EditPercent(m_nAmount[ink][k])), TRUE);
}

void CAdjustLevelDlg::EditChanged(int nAmount)
{
    if (!m_bReady || m_nInk == 0)
        return;
    const int percent = static_cast<int>(GetDlgItemInt(kEditIds[nAmount], NULL, TRUE));
    if (percent < -100 || percent > 100) {
        AfxMessageBox(IDS_RANGE_MINUS_100_100);
        return;
    }
    m_nAmount[m_nInk - 1][nAmount] = percent * 255 / 100;
    ToneCurve(m_nInk - 1);
    InvalidateRect(m_pBox->PlotRect());
}

void CAdjustLevelDlg::OnChangeBright() { EditChanged(kBright); }
void CAdjustLevelDlg::OnChangeMiddle() { EditChanged(kMiddle); }
void CAdjustLevelDlg::OnChangeDark() { EditChanged(kDark); }

void CAdjustLevelDlg::OnData()
{
    EnableEdits(TRUE);
    CheckDlgButton(IDC_LEVEL_CURVE_MODE, BST_UNCHECKED);
    if (m_nInk == 0)
        return;
    m_nShowHandles = 0;
    m_nSource[m_nInk - 1] = 1;
    FillEdits();
    InvalidateRect(m_pBox->PlotRect());
}

void CAdjustLevelDlg::OnCurveMode()
{
    CheckDlgButton(IDC_LEVEL_DATA, BST_UNCHECKED);
    EnableEdits(FALSE);
    if (m_nInk == 0)
        return;
    const int ink = m_nInk - 1;
    m_nShowHandles = 1;
    m_nSource[ink] = 0;
    m_pBox->HandlesFromCurve(m_curve[ink], m_nHandle);
    m_pBox->CurveFromHandles(m_nHandle, m_curve[ink]);
    InvalidateRect(m_pBox->PlotRect());
}

BOOL CAdjustLevelDlg::CurveModeActive() const
{
    return m_nInk != 0 && IsDlgButtonChecked(IDC_LEVEL_CURVE_MODE) == BST_CHECKED;
}

void CAdjustLevelDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    CDialog::OnLButtonDown(nFlags, point);
    if (CurveModeActive())
        m_nDragged = m_pBox->HitTest(m_nHandle, point.x, point.y);
}

void CAdjustLevelDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    CDialog::OnMouseMove(nFlags, point);
    if (m_nDragged == 0 || !CurveModeActive())
        return;
    m_pBox->DragHandle(m_nDragged, point.y, m_nHandle, m_curve[m_nInk - 1]);
    InvalidateRect(m_pBox->PlotRect());
}

void CAdjustLevelDlg::OnLButtonUp(UINT nFlags, CPoint point)
{
    CDialog::OnLButtonUp(nFlags, point);
    if (m_nDragged == 0)
        return;
    m_nDragged = 0;
    // The moved points reach the model at once; Cancel keeps them.
    if (m_nInk != 0)
        m_pBox->DisplayToModel(m_nHandle, m_pModel->m_nLevelPoint[m_nInk - 1]);
}

void CAdjustLevelDlg::OnOK()
{
    // Written before the range check: a refused OK keeps them.
    for (int ink = 0; ink < 3; ++ink) {
        for (int k = 0; k < 3; ++k)
            m_pModel->m_nTone[ink][k] = -m_nAmount[ink][k];
        m_pModel->m_nLevelSource[ink] = m_nSource[ink];
    }
    m_pModel->BuildLevelTables();
    CDialog::OnOK();
}
