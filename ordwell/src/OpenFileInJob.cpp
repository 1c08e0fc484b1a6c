// The open-from-job dialog.
#include "OpenFileInJob.h"

#include "General.h"
#include "JobModel.h"
#include "Ordwell.h"
#include "PreviewCore.h"
#include "Rasterdock.h"
#include "resource.h"

#include <algorithm>
#include <memory>

namespace {

const COLORREF kEmptyBox = RGB(205, 205, 205);
const COLORREF kBehindPicture = RGB(255, 255, 255);

// Codes of general's file type table that the preview knows.
const int kTypeNone = 0;
const int kTypeBmp = 1;
const int kTypeRaw = 8;
const int kTypeTiff = 12;

bool HasReader(int nFileType)
{
    switch (nFileType) {
    case 1:
    case 3:
    case 4:
    case 5:
    case 12:
    case 13:
        return true;
    default:
        return false;
    }
}

// The preview frame's client rectangle and device context, released to the
// frame on every path. Get is null without a frame or a context.
class PreviewDC {
public:
    explicit PreviewDC(CWnd* pWnd) : m_pWnd(pWnd), m_pDC(NULL)
    {
        if (pWnd != NULL) {
            pWnd->GetClientRect(&m_rcBox);
            m_pDC = pWnd->GetDC();
        }
    }
    ~PreviewDC()
    {
        if (m_pDC != NULL)
            m_pWnd->ReleaseDC(m_pDC);
    }
    CDC* Get() const { return m_pDC; }
    const CRect& Box() const { return m_rcBox; }

private:
    PreviewDC(const PreviewDC&) = delete;
    PreviewDC& operator=(const PreviewDC&) = delete;
    CWnd* m_pWnd;
    CDC* m_pDC;
    CRect m_rcBox;
};

}  // namespace

BEGIN_MESSAGE_MAP(JOpenFileInJob, CDialog)
    ON_LBN_DBLCLK(IDC_JOB_FILE_LIST, OnDblclkJobCurFilelist)
    ON_BN_CLICKED(IDC_JOB_FILE_PREVIEW, OnPrvImgCheck)
    ON_LBN_SELCHANGE(IDC_JOB_FILE_LIST, OnSelchangeJobCurFilelist)
    ON_WM_PAINT()
END_MESSAGE_MAP()

JOpenFileInJob::JOpenFileInJob(CWnd* pParent)
    : CDialog(IDD_OPEN_FILE_IN_JOB, pParent),
      m_bPreview(1),
      m_nSelected(-1),
      m_pPreviewWnd(NULL),
      m_nImageWidth(0),
      m_nImageHeight(0),
      m_pDisplayBits(NULL)
{
}

JOpenFileInJob::~JOpenFileInJob() { GenFreeBuffer(reinterpret_cast<void**>(&m_pDisplayBits)); }

void JOpenFileInJob::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_JOB_FILE_LIST, m_listFiles);
    DDX_Check(pDX, IDC_JOB_FILE_PREVIEW, m_bPreview);
}

BOOL JOpenFileInJob::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_strLastDrawn.Empty();
    m_strSelectedFile.Empty();
    SetDlgItemText(IDC_JOB_FILE_SIZE, "");
    SetDlgItemText(IDC_JOB_FILE_TYPE, "");
    m_pDisplayBits = NULL;
    m_pPreviewWnd = GetDlgItem(IDC_JOB_FILE_BOX);
    JCJob* pJob = JGetCurJob();
    if (pJob != NULL) {
        for (POSITION pos = pJob->JGetPageList()->GetHeadPosition(); pos != NULL;)
            m_listFiles.AddString(static_cast<JCPage*>(pJob->JGetPageList()->GetNext(pos))->m_strFile);
        for (POSITION pos = pJob->JGetOriginList()->GetHeadPosition(); pos != NULL;)
            m_listFiles.AddString(static_cast<JCOrigin*>(pJob->JGetOriginList()->GetNext(pos))->m_strFile);
    }
    OnSelchangeJobCurFilelist();
    return TRUE;
}

void JOpenFileInJob::OnSelchangeJobCurFilelist()
{
    m_nSelected = m_listFiles.GetCurSel();
    if (m_nSelected < 0)
        return;
    CString line;
    m_listFiles.GetText(m_nSelected, line);
    m_strSelectedFile = line;
    OnDrawPrevImage(line);
}

void JOpenFileInJob::OnDrawPrevImage(const char* lpszFileName)
{
    m_strSelectedFile = lpszFileName != NULL ? lpszFileName : "";
    if (m_strSelectedFile.IsEmpty() || m_strSelectedFile == m_strLastDrawn)
        return;
    PreviewDC dc(m_pPreviewWnd);
    if (dc.Get() == NULL)
        return;
    const int nFileType = GenGetFileType(m_strSelectedFile);
    if (m_bPreview && (nFileType == kTypeBmp || nFileType == kTypeTiff))
        FillBox(dc.Get(), dc.Box(), kBehindPicture);
    else if (!m_bPreview)
        FillBox(dc.Get(), dc.Box(), kEmptyBox);
    m_strLastDrawn = m_strSelectedFile;
    CWaitCursor wait;
    DrawPrevImg(m_strSelectedFile, dc.Box(), dc.Get());
}

void JOpenFileInJob::DrawPrevImg(const char* lpszFileName, CRect rcBox, CDC* pDC)
{
    if (lpszFileName == NULL || pDC == NULL)
        return;
    const int nFileType = GenGetFileType(lpszFileName);
    if (nFileType == kTypeNone)
        return;
    if (nFileType == kTypeRaw) {
        FillBox(pDC, rcBox, kEmptyBox);
        m_strSizeText.Empty();
        m_strTypeText.Empty();
        ShowTexts();
        return;
    }
    if (!HasReader(nFileType))
        return;
    std::unique_ptr<CImageIO> reader(RdCreateImage(nFileType, lpszFileName));
    if (!reader)
        return;
    if (!reader->m_File.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite)) {
        FillBox(pDC, rcBox, kEmptyBox);
        return;
    }
    m_strSizeText.Empty();
    m_strTypeText.Empty();
    if (!reader->ReadHeader()) {
        reader->CloseFile();
        FillBox(pDC, rcBox, kEmptyBox);
        ShowTexts();
        return;
    }
    m_strSizeText = preview::SizeText(reader->m_nWidth, reader->m_nHeight, reader->m_File.GetLength()).c_str();
    m_strTypeText =
        preview::TypeText(reader->m_nColorMode, reader->m_fXResolution, reader->m_fYResolution).c_str();
    ShowTexts();

    if (m_bPreview == 1) {
        reader->m_nDisplaySize = std::max(rcBox.Width(), rcBox.Height());
        m_nImageWidth = 0;
        m_nImageHeight = 0;
        if (!reader->ReducedDataForDisplay(m_nImageWidth, m_nImageHeight, m_pDisplayBits) ||
            m_pDisplayBits == NULL) {
            FillBox(pDC, rcBox, kEmptyBox);
        } else {
            FillBox(pDC, rcBox, kBehindPicture);
            BITMAPINFOHEADER header = {};
            header.biSize = sizeof(header);
            header.biWidth = m_nImageWidth;
            header.biHeight = m_nImageHeight;
            header.biPlanes = 1;
            header.biBitCount = 24;
            header.biCompression = BI_RGB;
            header.biSizeImage = ((DWORD(m_nImageWidth) * DWORD(m_nImageHeight) * 24 + 31) / 32) * 4;
            header.biXPelsPerMeter = 72;
            header.biYPelsPerMeter = 72;
            int out[4] = {0, 0, 0, 0};
            if (AdjustScale(rcBox, out, m_nImageWidth, m_nImageHeight)) {
                const int nOldMode = pDC->SetStretchBltMode(COLORONCOLOR);
                ::StretchDIBits(pDC->GetSafeHdc(), out[0], out[1], out[2], out[3], 0, 0, m_nImageWidth,
                                m_nImageHeight, m_pDisplayBits, reinterpret_cast<BITMAPINFO*>(&header),
                                DIB_RGB_COLORS, SRCCOPY);
                pDC->SetStretchBltMode(nOldMode);
            }
        }
    }
    reader->CloseFile();
    reader.reset();
    GenFreeBuffer(reinterpret_cast<void**>(&m_pDisplayBits));
}

BOOL JOpenFileInJob::AdjustScale(CRect rcBox, int out[4], unsigned long nWidth, unsigned long nHeight)
{
    return preview::FitIntoBox(rcBox.Width(), rcBox.Height(), nWidth, nHeight, out) ? TRUE : FALSE;
}

void JOpenFileInJob::FillBox(CDC* pDC, const CRect& rcBox, COLORREF color)
{
    const int nOldRop = pDC->SetROP2(R2_COPYPEN);
    pDC->FillSolidRect(&rcBox, color);
    pDC->SetROP2(nOldRop);
}

void JOpenFileInJob::ShowTexts()
{
    SetDlgItemText(IDC_JOB_FILE_SIZE, m_strSizeText);
    SetDlgItemText(IDC_JOB_FILE_TYPE, m_strTypeText);
}

void JOpenFileInJob::RedrawSelected()
{
    if (m_strSelectedFile.IsEmpty())
        return;
    PreviewDC dc(m_pPreviewWnd);
    if (dc.Get() == NULL)
        return;
    if (m_bPreview) {
        FillBox(dc.Get(), dc.Box(), kBehindPicture);
        CWaitCursor wait;
        DrawPrevImg(m_strSelectedFile, dc.Box(), dc.Get());
    } else {
        FillBox(dc.Get(), dc.Box(), kEmptyBox);
    }
}

void JOpenFileInJob::OnPrvImgCheck()
{
    m_bPreview = m_bPreview ? 0 : 1;
    RedrawSelected();
}

void JOpenFileInJob::OnPaint()
{
    CPaintDC dc(this);
    RedrawSelected();
}

void JOpenFileInJob::OnOK()
{
    m_nSelected = m_listFiles.GetCurSel();
    if (m_nSelected < 0)
        return;
    m_listFiles.GetText(m_nSelected, m_strFileName);
    EndDialog(IDOK);
}

void JOpenFileInJob::OnDblclkJobCurFilelist() { OnOK(); }
