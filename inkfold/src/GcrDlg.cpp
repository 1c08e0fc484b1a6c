#include "GcrDlg.h"

#include <vector>

#include "CurveBox.h"
#include "resource.h"

namespace {

const COLORREF kInkPens[3] = {RGB(0, 200, 255), RGB(255, 0, 200), RGB(250, 250, 0)};

int Level(int value)
{
    return value < 0 ? 0 : value > 255 ? 255 : value;
}

}  // namespace

CGcrDlg::CGcrDlg(CWnd* pParent, CSeparationModel* pModel)
    : CDialog(IDD, pParent), m_nAmount(0), m_nPreview(), m_pModel(pModel), m_pBox(new CCurveBox)
{
}

CGcrDlg::~CGcrDlg() = default;

void CGcrDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_GCR_AMOUNT, m_nAmount);
    DDV_MinMaxInt(pDX, m_nAmount, 0, 100);
}

BEGIN_MESSAGE_MAP(CGcrDlg, CDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CGcrDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ComputePreview();
    m_pBox->Setup(this, IDC_GCR_CURVE);
    return TRUE;
}

void CGcrDlg::ComputePreview()
{
    const CSeparationModel& model = *m_pModel;
    const float level = model.m_fBlackLevel;
    for (int i = 0; i < 256; ++i) {
        int t = i;
        if (level > 0.0f)
            t = i - static_cast<int>((255 - model.m_nBlackTable[255 - i]) * level * 0.1);
        // A black table can take more than the grey holds; a level below 0
        // would index outside the balance tables.
        t = Level(t);
        for (int ch = 0; ch < 3; ++ch)
            m_nPreview[ch][i] = Level(255 - model.m_nOutBalTable[ch][255 - t]);
    }
}

int CGcrDlg::PlotHeight(int ch, int i, int width) const
{
    return m_nPreview[ch][255 * i / width] * width / 255;
}

void CGcrDlg::OnPaint()
{
    CPaintDC dc(this);
    m_pBox->DrawGrid(&dc);
    const int width = m_pBox->Width();
    std::vector<int> curve(width);
    for (int ch = 0; ch < 3; ++ch) {
        for (int i = 0; i < width; ++i)
            curve[i] = PlotHeight(ch, i, width);
        m_pBox->DrawCurve(&dc, curve, kInkPens[ch], true);
    }
}
