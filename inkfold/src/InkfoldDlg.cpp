// The separation dialog: start-up, curves and the handlers that edit the
// model in place. OnOK and the conversion table are in InkfoldDlgTable.cpp.
#include "InkfoldDlg.h"

#include "afxdlgs.h"

#include "InkList.h"
#include "resource.h"

namespace {

const char kParFilter[] = "Seperate Color File(*.par)|*.par||";

void Enable(CWnd* pWnd, BOOL bEnable)
{
    if (pWnd != NULL && pWnd->IsWindowEnabled() != bEnable)
        pWnd->EnableWindow(bEnable);
}

}  // namespace

CInkfoldDlg::CInkfoldDlg(CWnd* pParent, char* pszTableFolder, char* pszWorkFolder)
    : CDialog(IDD, pParent),
      m_nTotalInk(360),
      m_nUca(0),
      m_pUcaEdit(NULL),
      m_tifInfo(),
      m_pChartBuffer(new unsigned char[kChartBufferBytes]),
      m_tifHead(),
      m_nDisCurve(),
      m_rcCurve(0, 0, 0, 0),
      m_rcInner(0, 0, 0, 0),
      m_nInnerWidth(0),
      m_nGrid(),
      m_pszTableFolder(pszTableFolder),
      m_pszWorkFolder(pszWorkFolder),
      m_bInitialised(FALSE)
{
}

CInkfoldDlg::~CInkfoldDlg()
{
    delete[] m_pChartBuffer;
}

void CInkfoldDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_INKFOLD_SELECT_INK, m_cmbSelectInk);
    DDX_Control(pDX, IDC_INKFOLD_OUTGRAY, m_btnOutGray);
    DDX_Control(pDX, IDC_INKFOLD_INGRAY, m_btnInGray);
    DDX_Control(pDX, IDC_INKFOLD_COLOR, m_btnColor);
    DDX_Control(pDX, IDC_INKFOLD_BLACK, m_btnBlack);
    DDX_Control(pDX, IDC_INKFOLD_TYPE_UCR, m_btnTypeUcr);
    DDX_Control(pDX, IDC_INKFOLD_UCR, m_btnUcr);
    DDX_Text(pDX, IDC_INKFOLD_TOTALINK, m_nTotalInk);
    DDV_MinMaxInt(pDX, m_nTotalInk, 0, 400);
    DDX_Text(pDX, IDC_INKFOLD_UCA, m_nUca);
    DDV_MinMaxInt(pDX, m_nUca, 0, 100);
}

BEGIN_MESSAGE_MAP(CInkfoldDlg, CDialog)
    ON_WM_PAINT()
    ON_BN_CLICKED(IDC_INKFOLD_TYPE_UCR, OnInkfoldTypeUcr)
    ON_BN_CLICKED(IDC_INKFOLD_TYPE_GCR, OnInkfoldTypeGcr)
    ON_BN_CLICKED(IDC_INKFOLD_LOAD, OnInkfoldLoad)
    ON_BN_CLICKED(IDC_INKFOLD_SAVE, OnInkfoldSave)
    ON_CBN_SELCHANGE(IDC_INKFOLD_SELECT_INK, OnSelchangeInkfoldSelectInk)
    ON_EN_CHANGE(IDC_INKFOLD_UCA, OnChangeInkfoldUca)
    ON_EN_CHANGE(IDC_INKFOLD_TOTALINK, OnChangeInkfoldTotalink)
    ON_BN_CLICKED(IDC_INKFOLD_OPTION, OnInkfoldOption)
    ON_BN_CLICKED(IDC_INKFOLD_UCR, OnInkfoldUcr)
    ON_BN_CLICKED(IDC_INKFOLD_COLOR, OnInkfoldColor)
    ON_BN_CLICKED(IDC_INKFOLD_GCR, OnInkfoldGcr)
    ON_BN_CLICKED(IDC_INKFOLD_BLACK, OnInkfoldBlack)
    ON_BN_CLICKED(IDC_INKFOLD_LEVER, OnInkfoldLever)
    ON_BN_CLICKED(IDC_INKFOLD_INGRAY, OnInkfoldIngray)
    ON_BN_CLICKED(IDC_INKFOLD_OUTGRAY, OnInkfoldOutgray)
END_MESSAGE_MAP()

CString CInkfoldDlg::ColorFile(const char* pszName) const
{
    return CString(m_pszWorkFolder) + "\\..\\color\\" + pszName;
}

CString CInkfoldDlg::TableFile(const char* pszName) const
{
    return CString(m_pszTableFolder) + "\\" + pszName;
}

int CInkfoldDlg::TotalInkPercent() const
{
    return static_cast<int>(m_model.m_nTotalInk * 0.39215687f + 0.5) - 15;
}

BOOL CInkfoldDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // A failure has shown its message; the defaults stay.
    m_model.LoadParFile(ColorFile("default.par"));
    m_cmbSelectInk.SetCurSel(m_model.m_nInk);
    m_model.BuildTables();

    SetDlgItemInt(IDC_INKFOLD_TOTALINK, TotalInkPercent());
    // The edit shows the UCA the model holds, not the constructor's 0.
    SetDlgItemInt(IDC_INKFOLD_UCA, m_model.m_nUca);
    m_pUcaEdit = GetDlgItem(IDC_INKFOLD_UCA);
    SetEnableStates();

    for (int curve = 0; curve < 4; ++curve)
        for (int i = 0; i < 256; ++i)
            m_nDisCurve[curve][i] = i;
    mk_DisCurve();

    CWnd* pFrame = GetDlgItem(IDC_INKFOLD_CURVE);
    if (pFrame != NULL) {
        pFrame->GetWindowRect(&m_rcCurve);
        ScreenToClient(&m_rcCurve);
    }
    m_rcInner = m_rcCurve;
    m_rcInner.DeflateRect(1, 1);
    m_nInnerWidth = m_rcInner.Width();
    m_nGrid[0] = static_cast<int>(m_nInnerWidth * 0.25);
    m_nGrid[1] = static_cast<int>(m_nInnerWidth * 0.5);
    m_nGrid[2] = static_cast<int>(m_nInnerWidth * 0.75);

    m_bInitialised = TRUE;
    return TRUE;
}

void CInkfoldDlg::SetEnableStates()
{
    const int* sw = m_model.m_nSwitch;
    const BOOL bUcr = m_model.m_nUcrControl != 0;
    Enable(GetDlgItem(IDC_INKFOLD_BLACK), sw[8] == 1);
    Enable(GetDlgItem(IDC_INKFOLD_COLOR), sw[5] == 1);
    Enable(GetDlgItem(IDC_INKFOLD_INGRAY), sw[3] == 1);
    Enable(GetDlgItem(IDC_INKFOLD_OUTGRAY), sw[7] == 1);
    Enable(GetDlgItem(IDC_INKFOLD_TOTALINK), sw[10] == 1);
    Enable(GetDlgItem(IDC_INKFOLD_UCA), sw[9] == 1 && !bUcr);
    const BOOL bUnderColour = sw[9] != 0;
    Enable(GetDlgItem(IDC_INKFOLD_TYPE_UCR), bUnderColour);
    Enable(GetDlgItem(IDC_INKFOLD_TYPE_GCR), bUnderColour);
    Enable(GetDlgItem(IDC_INKFOLD_UCR), bUnderColour && bUcr);
    if (bUnderColour)
        CheckRadioButton(IDC_INKFOLD_TYPE_UCR, IDC_INKFOLD_TYPE_GCR,
                         bUcr ? IDC_INKFOLD_TYPE_UCR : IDC_INKFOLD_TYPE_GCR);
}

void CInkfoldDlg::mk_DisCurve()
{
    for (int v = 0; v < 256; ++v) {
        int c, m, y, k;
        m_model.ConvertColor(v, v, v, c, m, y, k);
        m_nDisCurve[0][255 - v] = 255 - c;
        m_nDisCurve[1][255 - v] = 255 - m;
        m_nDisCurve[2][255 - v] = 255 - y;
        m_nDisCurve[3][255 - v] = 255 - k;
    }
}

void CInkfoldDlg::Redraw()
{
    mk_DisCurve();
    InvalidateRect(&m_rcInner);
}

void CInkfoldDlg::OnPaint()
{
    CPaintDC dc(this);
    drawgrid(&dc);
    drawcurve(&dc);
}

void CInkfoldDlg::drawgrid(CDC* pDC)
{
    CPen pen(PS_SOLID, 1, RGB(128, 128, 128));
    CBrush brush(RGB(128, 128, 128));
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->SetROP2(R2_COPYPEN);
    const int height = m_rcInner.Height();
    for (int i = 0; i < 3; ++i) {
        const int x = m_rcInner.left + m_nGrid[i];
        pDC->MoveTo(x, m_rcInner.top);
        pDC->LineTo(x, m_rcInner.bottom);
        // The same fractions of the height: the frame need not be square.
        const int y = m_rcInner.top + static_cast<int>(height * 0.25 * (i + 1));
        pDC->MoveTo(m_rcInner.left, y);
        pDC->LineTo(m_rcInner.right, y);
    }
    pDC->FrameRect(&m_rcInner, &brush);
    pDC->SelectObject(pOldPen);
}

void CInkfoldDlg::drawcurve(CDC* pDC)
{
    static const COLORREF kColours[4] = {RGB(0, 200, 255), RGB(255, 0, 200), RGB(250, 250, 0), RGB(0, 0, 0)};
    const int right = m_rcInner.Width() - 1;
    const int top = m_rcInner.Height() - 1;
    if (right <= 0 || top <= 0)
        return;
    const int oldMode = pDC->SetROP2(R2_NOTXORPEN);
    POINT points[256];
    for (int curve = 0; curve < 4; ++curve) {
        for (int i = 0; i < 256; ++i) {
            points[i].x = m_rcInner.left + i * right / 255;
            points[i].y = m_rcInner.bottom - 1 - m_nDisCurve[curve][i] * top / 255;
        }
        CPen pen(PS_SOLID, 1, kColours[curve]);
        CPen* pOldPen = pDC->SelectObject(&pen);
        pDC->Polyline(points, 256);
        pDC->SelectObject(pOldPen);
    }
    pDC->SetROP2(oldMode);
}

void CInkfoldDlg::OnInkfoldTypeUcr()
{
    m_btnUcr.EnableWindow(TRUE);
    if (m_pUcaEdit != NULL)
        m_pUcaEdit->EnableWindow(FALSE);
    m_model.m_nUcrControl = 1;
    Redraw();
}

void CInkfoldDlg::OnInkfoldTypeGcr()
{
    m_btnUcr.EnableWindow(FALSE);
    if (m_pUcaEdit != NULL)
        m_pUcaEdit->EnableWindow(TRUE);
    m_model.m_nUcrControl = 0;
    m_model.BuildGcrTable();
    Redraw();
}

void CInkfoldDlg::OnInkfoldLoad()
{
    CFileDialog dialog(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kParFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    if (!m_model.LoadParFile(dialog.GetPathName()))
        return;
    m_model.BuildTables();
    SetEnableStates();
    SetDlgItemInt(IDC_INKFOLD_TOTALINK, TotalInkPercent());
    SetDlgItemInt(IDC_INKFOLD_UCA, m_model.m_nUca);
    Redraw();
}

void CInkfoldDlg::OnInkfoldSave()
{
    CFileDialog dialog(FALSE, NULL, NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kParFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    CString path = dialog.GetPathName();
    if (path.Find(".par") < 0)
        path += ".par";
    if (!m_model.SaveParFile(path))
        CSeparationModel::ShowOpenFileError(path);
}

void CInkfoldDlg::OnSelchangeInkfoldSelectInk()
{
    const int selection = m_cmbSelectInk.GetCurSel();
    if (selection == CB_ERR || selection == m_model.m_nInk)
        return;
    const CString path = ColorFile("ink.dat");
    int rows[3][kInkSteps];
    const int read = ReadInkListFile(path, selection, rows);
    if (read == kInkListNotOpened) {
        CSeparationModel::ShowOpenFileError(path);
    } else if (read == kInkListBadRecord) {
        AfxMessageBox(IDS_FILE_TYPE_ERROR, MB_OK | MB_ICONSTOP);
    } else {
        ApplyInkRecord(m_model, selection, rows);
        m_model.BuildTables();
        Redraw();
        return;
    }
    // The list shows the ink set the model still holds.
    m_cmbSelectInk.SetCurSel(m_model.m_nInk);
}

BOOL CInkfoldDlg::ReadEditInRange(int nID, int nMin, int nMax, UINT nIDMessage, int& value)
{
    // An empty edit, or one that holds no number, reads as 0.
    value = static_cast<int>(GetDlgItemInt(nID, NULL, TRUE));
    if (value >= nMin && value <= nMax)
        return TRUE;
    AfxMessageBox(nIDMessage);
    return FALSE;
}

void CInkfoldDlg::OnChangeInkfoldUca()
{
    int value;
    if (!m_bInitialised || !ReadEditInRange(IDC_INKFOLD_UCA, 0, 100, IDS_RANGE_0_100, value))
        return;
    m_model.m_nUca = value;
    m_model.BuildGcrTable();
    Redraw();
}

void CInkfoldDlg::OnChangeInkfoldTotalink()
{
    int value;
    if (!m_bInitialised || !ReadEditInRange(IDC_INKFOLD_TOTALINK, 0, 400, IDS_RANGE_0_400, value))
        return;
    m_model.m_nTotalInk = CSeparationCore::TotalInkToHeld(value);
    Redraw();
}
