#include "UserSetFormView.h"

#include "ChooseDir.h"
#include "Ordwell.h"
#include "Rasterdock.h"
#include "resource.h"

#include <commctrl.h>

IMPLEMENT_DYNCREATE(CUserSetFormView, CFormView)

namespace {

const char kSection[] = "PicSetting";
const int kPathChars = 256;
const DWORD kChooserFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLETEMPLATE;  // 70

// The controls of each web size mode, in mode order.
struct WebSizeControls {
    int nRadio;
    int nEdit;
    int nSpin;
};
const WebSizeControls kWebSizes[] = {
    {IDC_USERSET_BY_PROPORTION, IDC_USERSET_PROPORTION, IDC_USERSET_PROPORTION_SPIN},
    {IDC_USERSET_BY_WIDTH, IDC_USERSET_WIDTH, IDC_USERSET_WIDTH_SPIN},
    {IDC_USERSET_BY_HEIGHT, IDC_USERSET_HEIGHT, IDC_USERSET_HEIGHT_SPIN},
};
const int kWebSizeModes = sizeof kWebSizes / sizeof kWebSizes[0];

// The thumbnail size radios, in mode order.
const int kThumbRadios[] = {IDC_USERSET_THUMB_48, IDC_USERSET_THUMB_64, IDC_USERSET_THUMB_96,
                            IDC_USERSET_THUMB_CUSTOM};
const int kThumbCustomMode = 3;

const int kStorageRadios[] = {IDC_USERSET_STORE_NONE, IDC_USERSET_STORE_AUTO, IDC_USERSET_STORE_USER,
                              IDC_USERSET_STORE_MATCH};

CString CurrentFolder()
{
    char szFolder[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, szFolder);
    return szFolder;
}

}  // namespace

// A number edit: its range, the field it is bound to, the field that
// follows each value it takes (none for most) and its skip flag.
struct CUserSetFormView::NumberEdit {
    int nId;
    int nMin;
    int nMax;
    int CUserSetFormView::*pField;
    int CUserSetFormView::*pFollower;
    BOOL CUserSetFormView::*pSkip;
};

const CUserSetFormView::NumberEdit CUserSetFormView::kNumberEdits[] = {
    {IDC_USERSET_PROPORTION, 1, 100, &CUserSetFormView::m_nProportion, nullptr,
     &CUserSetFormView::m_bSkipProportion},
    {IDC_USERSET_THUMB_SIZE, 1, 1000, &CUserSetFormView::m_nThumbSizeEdit, &CUserSetFormView::m_nThumbSize,
     &CUserSetFormView::m_bSkipThumbSize},
    {IDC_USERSET_WIDTH, 1, 10000, &CUserSetFormView::m_nWebWidth, nullptr, &CUserSetFormView::m_bSkipWidth},
    {IDC_USERSET_HEIGHT, 1, 10000, &CUserSetFormView::m_nWebHeight, nullptr, &CUserSetFormView::m_bSkipHeight},
    {IDC_USERSET_RESOLUTION, 1, 10000, &CUserSetFormView::m_nResolutionEdit, &CUserSetFormView::m_nResolution,
     &CUserSetFormView::m_bSkipResolution},
};

BEGIN_MESSAGE_MAP(CUserSetFormView, CFormView)
    ON_BN_CLICKED(IDC_USERSET_STORE_NONE, OnStoreNone)
    ON_BN_CLICKED(IDC_USERSET_STORE_AUTO, OnStoreAuto)
    ON_BN_CLICKED(IDC_USERSET_STORE_USER, OnStoreUser)
    ON_BN_CLICKED(IDC_USERSET_STORE_MATCH, OnStoreMatch)
    ON_BN_CLICKED(IDC_USERSET_JPEG, OnFormatJpeg)
    ON_BN_CLICKED(IDC_USERSET_GIF, OnFormatGif)
    ON_BN_CLICKED(IDC_USERSET_THUMB_48, OnThumb48)
    ON_BN_CLICKED(IDC_USERSET_THUMB_64, OnThumb64)
    ON_BN_CLICKED(IDC_USERSET_THUMB_96, OnThumb96)
    ON_BN_CLICKED(IDC_USERSET_THUMB_CUSTOM, OnThumbCustom)
    ON_BN_CLICKED(IDC_USERSET_BY_PROPORTION, OnByProportion)
    ON_BN_CLICKED(IDC_USERSET_BY_WIDTH, OnByWidth)
    ON_BN_CLICKED(IDC_USERSET_BY_HEIGHT, OnByHeight)
    ON_CBN_SELCHANGE(IDC_USERSET_JPEG_MODE, OnJpegModeChange)
    ON_BN_CLICKED(IDC_USERSET_BROWSE, OnBrowse)
    ON_EN_CHANGE(IDC_USERSET_PROPORTION, OnProportionChange)
    ON_EN_CHANGE(IDC_USERSET_THUMB_SIZE, OnThumbSizeChange)
    ON_EN_CHANGE(IDC_USERSET_WIDTH, OnWidthChange)
    ON_EN_CHANGE(IDC_USERSET_HEIGHT, OnHeightChange)
    ON_EN_CHANGE(IDC_USERSET_RESOLUTION, OnResolutionChange)
END_MESSAGE_MAP()

CUserSetFormView::CUserSetFormView()
    : CFormView(IDD_USER_SET),
      m_nThumbSizeEdit(2),
      m_nResolutionEdit(1),
      m_nWebWidth(100),
      m_nWebHeight(100),
      m_nProportion(100),
      m_nFormat(1),
      m_nJpegMode(1),
      m_nStorageMode(1),
      m_nThumbMode(2),
      m_nThumbSize(150),
      m_nWebSizeMode(0),
      m_nResolution(72),
      m_bSkipProportion(TRUE),
      m_bSkipThumbSize(TRUE),
      m_bSkipWidth(TRUE),
      m_bSkipHeight(TRUE),
      m_bSkipResolution(TRUE),
      m_bRestoring(FALSE)
{
}

CUserSetFormView::~CUserSetFormView()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    if (!m_strWebPicPath.IsEmpty())
        pApp->WriteProfileString(kSection, "WebPicPath", m_strWebPicPath);
    pApp->WriteProfileInt(kSection, "WebFormat", m_nFormat);
    pApp->WriteProfileInt(kSection, "WebJepgMode", m_nJpegMode);
    pApp->WriteProfileInt(kSection, "WebPicGenMode", m_nStorageMode);
    pApp->WriteProfileInt(kSection, "PrevSizeMode", m_nThumbMode);
    pApp->WriteProfileInt(kSection, "PrevPicSize", m_nThumbSize);
    pApp->WriteProfileInt(kSection, "WebSizeMode", m_nWebSizeMode);
    pApp->WriteProfileInt(kSection, "WebResolution", m_nResolution);
    pApp->WriteProfileInt(kSection, "WebPicW", m_nWebWidth);
    pApp->WriteProfileInt(kSection, "WebPicH", m_nWebHeight);
    pApp->WriteProfileInt(kSection, "WebPicProp", m_nProportion);
}

void CUserSetFormView::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_USERSET_THUMB_SIZE, m_nThumbSizeEdit);
    DDX_Text(pDX, IDC_USERSET_RESOLUTION, m_nResolutionEdit);
    DDX_Text(pDX, IDC_USERSET_WIDTH, m_nWebWidth);
    DDX_Text(pDX, IDC_USERSET_HEIGHT, m_nWebHeight);
    DDX_Text(pDX, IDC_USERSET_PROPORTION, m_nProportion);
    DDX_Text(pDX, IDC_USERSET_PATH, m_strPathEdit);
    DDV_MaxChars(pDX, m_strPathEdit, kPathChars);
}

void CUserSetFormView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    CWinApp* pApp = AfxGetApp();

    m_nFormat = pApp->GetProfileInt(kSection, "WebFormat", 1);
    m_nJpegMode = pApp->GetProfileInt(kSection, "WebJepgMode", 1);
    SendDlgItemMessage(IDC_USERSET_JPEG_MODE, CB_SETCURSEL, m_nJpegMode, 0);
    if (m_nFormat == 1) {
        CheckDlgButton(IDC_USERSET_JPEG, BST_CHECKED);
    } else if (m_nFormat == 0) {
        CheckDlgButton(IDC_USERSET_GIF, BST_CHECKED);
        EnableControl(IDC_USERSET_JPEG_MODE, FALSE);
    }

    m_strWebPicPath = pApp->GetProfileString(kSection, "WebPicPath", m_strWebPicPath);
    if (!m_strWebPicPath.IsEmpty())
        SetDlgItemText(IDC_USERSET_PATH, m_strWebPicPath);

    m_nStorageMode = pApp->GetProfileInt(kSection, "WebPicGenMode", 1);
    if (m_nStorageMode >= 0 && m_nStorageMode <= 3)
        CheckDlgButton(kStorageRadios[m_nStorageMode], BST_CHECKED);
    switch (m_nStorageMode) {
    case 0:
        EnableControl(IDC_USERSET_PATH, FALSE);
        EnableSizeControls(FALSE);
        break;
    case 1:
        EnableControl(IDC_USERSET_PATH, FALSE);
        break;
    case 2:
        EnableControl(IDC_USERSET_PATH, TRUE);
        EnableSizeControls(FALSE);
        break;
    case 3:
        SetDlgItemText(IDC_USERSET_PATH, BatchFolder());
        EnableSizeControls(FALSE);
        break;
    }

    m_nThumbSize = pApp->GetProfileInt(kSection, "PrevPicSize", 150);
    m_nThumbSizeEdit = m_nThumbSize;
    SetUpNumber(IDC_USERSET_THUMB_SIZE, IDC_USERSET_THUMB_SPIN, 1, 1000, m_nThumbSize);
    m_nThumbMode = pApp->GetProfileInt(kSection, "PrevSizeMode", 2);
    if (m_nThumbMode >= 0 && m_nThumbMode <= kThumbCustomMode) {
        CheckDlgButton(kThumbRadios[m_nThumbMode], BST_CHECKED);
        ShowThumbnailMode(m_nThumbMode);
    }

    m_nWebWidth = pApp->GetProfileInt(kSection, "WebPicW", 200);
    m_nWebHeight = pApp->GetProfileInt(kSection, "WebPicH", 300);
    m_nProportion = pApp->GetProfileInt(kSection, "WebPicProp", 100);
    m_nProportion = m_nProportion < 0 ? 0 : m_nProportion > 100 ? 100 : m_nProportion;
    SetUpNumber(IDC_USERSET_WIDTH, IDC_USERSET_WIDTH_SPIN, 1, 10000, m_nWebWidth);
    SetUpNumber(IDC_USERSET_HEIGHT, IDC_USERSET_HEIGHT_SPIN, 1, 10000, m_nWebHeight);
    SetUpNumber(IDC_USERSET_PROPORTION, IDC_USERSET_PROPORTION_SPIN, 1, 100, m_nProportion);

    m_nWebSizeMode = pApp->GetProfileInt(kSection, "WebSizeMode", 0);
    if (m_nWebSizeMode >= 0 && m_nWebSizeMode < kWebSizeModes) {
        CheckDlgButton(kWebSizes[m_nWebSizeMode].nRadio, BST_CHECKED);
        ShowWebSizeMode(m_nWebSizeMode);
    }

    m_nResolution = pApp->GetProfileInt(kSection, "WebResolution", 72);
    m_nResolutionEdit = m_nResolution;
    SetUpNumber(IDC_USERSET_RESOLUTION, IDC_USERSET_RESOLUTION_SPIN, 1, 10000, m_nResolution);

    // Whatever notices the filling raised, the operator's first change counts.
    for (const NumberEdit& edit : kNumberEdits)
        this->*edit.pSkip = FALSE;
}

// The spin first: its own setting of the edit is then overwritten by the
// value as it is, also one outside the spin's range.
void CUserSetFormView::SetUpNumber(int nEdit, int nSpin, int nMin, int nMax, int nValue)
{
    SendDlgItemMessage(nSpin, UDM_SETRANGE32, nMin, nMax);
    SendDlgItemMessage(nSpin, UDM_SETPOS32, 0, nValue);
    CString strValue;
    strValue.Format("%d", nValue);
    SetDlgItemText(nEdit, strValue);
}

CString CUserSetFormView::BatchFolder() const
{
    CString strFolder = AfxGetApp()->GetProfileString(kSection, "BatchPath", "");
    return strFolder.IsEmpty() ? CurrentFolder() : strFolder;
}

void CUserSetFormView::EnableControl(int nId, BOOL bEnable)
{
    if (CWnd* pControl = GetDlgItem(nId))
        pControl->EnableWindow(bEnable);
}

void CUserSetFormView::EnableSizeControls(BOOL bOn)
{
    EnableControl(IDC_USERSET_RESOLUTION, bOn);
    EnableControl(IDC_USERSET_RESOLUTION_SPIN, bOn);
    for (int nMode = 0; nMode < kWebSizeModes; ++nMode) {
        const BOOL bOwn = bOn && nMode == m_nWebSizeMode;
        EnableControl(kWebSizes[nMode].nRadio, bOn);
        EnableControl(kWebSizes[nMode].nEdit, bOwn);
        EnableControl(kWebSizes[nMode].nSpin, bOwn);
    }
}

// The edit and spin of the other web size modes go off.
void CUserSetFormView::ShowWebSizeMode(int nMode)
{
    for (int nOther = 0; nOther < kWebSizeModes; ++nOther) {
        if (nOther == nMode)
            continue;
        EnableControl(kWebSizes[nOther].nEdit, FALSE);
        EnableControl(kWebSizes[nOther].nSpin, FALSE);
    }
}

// Only the custom size takes the edit and its spin.
void CUserSetFormView::ShowThumbnailMode(int nMode)
{
    const BOOL bCustom = nMode == kThumbCustomMode;
    EnableControl(IDC_USERSET_THUMB_SIZE, bCustom);
    EnableControl(IDC_USERSET_THUMB_SPIN, bCustom);
}

void CUserSetFormView::OnStoreNone()
{
    EnableControl(IDC_USERSET_PATH, FALSE);
    EnableControl(IDC_USERSET_BROWSE, FALSE);
    m_nStorageMode = 0;
    EnableSizeControls(FALSE);
}

void CUserSetFormView::OnStoreAuto()
{
    EnableControl(IDC_USERSET_PATH, FALSE);
    EnableControl(IDC_USERSET_BROWSE, FALSE);
    m_nStorageMode = 1;
    EnableSizeControls(TRUE);
}

void CUserSetFormView::OnStoreUser()
{
    EnableControl(IDC_USERSET_PATH, TRUE);
    EnableControl(IDC_USERSET_BROWSE, TRUE);
    if (m_nStorageMode == 3)
        SetDlgItemText(IDC_USERSET_PATH, "");
    m_nStorageMode = 2;
    EnableSizeControls(FALSE);
}

void CUserSetFormView::OnStoreMatch()
{
    EnableControl(IDC_USERSET_PATH, TRUE);
    EnableControl(IDC_USERSET_BROWSE, TRUE);
    if (m_nStorageMode == 2)
        SetDlgItemText(IDC_USERSET_PATH, BatchFolder());
    m_nStorageMode = 3;
    EnableSizeControls(FALSE);
}

void CUserSetFormView::OnFormatJpeg()
{
    EnableControl(IDC_USERSET_JPEG_MODE, TRUE);
    m_nFormat = 1;
}

void CUserSetFormView::OnFormatGif()
{
    EnableControl(IDC_USERSET_JPEG_MODE, FALSE);
    m_nFormat = 0;
}

void CUserSetFormView::OnThumb48()
{
    ShowThumbnailMode(0);
    m_nThumbMode = 0;
}

void CUserSetFormView::OnThumb64()
{
    ShowThumbnailMode(1);
    m_nThumbMode = 1;
}

void CUserSetFormView::OnThumb96()
{
    ShowThumbnailMode(2);
    m_nThumbMode = 2;
}

void CUserSetFormView::OnThumbCustom()
{
    ShowThumbnailMode(kThumbCustomMode);
    m_nThumbMode = kThumbCustomMode;
}

void CUserSetFormView::OnByProportion()
{
    m_nWebSizeMode = 0;
    EnableSizeControls(TRUE);
}

void CUserSetFormView::OnByWidth()
{
    m_nWebSizeMode = 1;
    EnableSizeControls(TRUE);
}

void CUserSetFormView::OnByHeight()
{
    m_nWebSizeMode = 2;
    EnableSizeControls(TRUE);
}

void CUserSetFormView::OnJpegModeChange()
{
    m_nJpegMode = static_cast<int>(SendDlgItemMessage(IDC_USERSET_JPEG_MODE, CB_GETCURSEL, 0, 0));
}

void CUserSetFormView::OnBrowse()
{
    if (m_nStorageMode == 3) {
        const CString strStart = BatchFolder();
        HINSTANCE hPrevious = SetOrdwellResourceHandle();
        CChooseDir chooser(TRUE, strStart, NULL, NULL, kChooserFlags, NULL, NULL);
        const INT_PTR nResult = chooser.DoModal();
        AfxSetResourceHandle(hPrevious);
        if (nResult == IDOK) {
            SetDlgItemText(IDC_USERSET_PATH, chooser.m_strChosenDir);
            // Where the folder pane opens at the next start.
            AfxGetApp()->WriteProfileString("PicSkipBar", "Path", chooser.m_strChosenDir);
        }
    } else if (m_nStorageMode == 2) {
        CString strText;
        const int nStar = RdPromptPath(&strText) ? strText.Find('*') : -1;
        if (nStar >= 0)
            SetDlgItemText(IDC_USERSET_PATH, strText.Left(nStar));
    }
}

void CUserSetFormView::OnProportionChange() { OnNumberChange(kNumberEdits[0]); }
void CUserSetFormView::OnThumbSizeChange() { OnNumberChange(kNumberEdits[1]); }
void CUserSetFormView::OnWidthChange() { OnNumberChange(kNumberEdits[2]); }
void CUserSetFormView::OnHeightChange() { OnNumberChange(kNumberEdits[3]); }
void CUserSetFormView::OnResolutionChange() { OnNumberChange(kNumberEdits[4]); }

// A value in range reaches the field (and its follower); text that is no
// integer is reported by the data exchange and changes nothing; a number out
// of range never reaches the field: the edit gets the field's value back.
void CUserSetFormView::OnNumberChange(const NumberEdit& edit)
{
    BOOL& bSkip = this->*edit.pSkip;
    if (bSkip) {
        bSkip = FALSE;
        return;
    }
    int& nField = this->*edit.pField;
    int nValue = nField;
    BOOL bRead = FALSE;
    CDataExchange dx(this, TRUE);
    try {
        DDX_Text(&dx, edit.nId, nValue);
        bRead = TRUE;
    } catch (CUserException* e) {
        e->Delete();  // the user has been told
    }
    if (!bRead)
        return;
    if (nValue >= edit.nMin && nValue <= edit.nMax) {
        nField = nValue;
        if (edit.pFollower != nullptr)
            this->*edit.pFollower = nValue;
    } else if (!m_bRestoring) {
        m_bRestoring = TRUE;
        CString strValue;
        strValue.Format("%d", nField);
        SetDlgItemText(edit.nId, strValue);
        m_bRestoring = FALSE;
    }
}
