#include "JobBrowseDlg.h"

#include "JobListParts.h"
#include "JobViewCore.h"
#include "Ordwell.h"
#include "resource.h"

namespace {

const int kLargeSide = 32;
const int kSmallSide = 16;

struct Column {
    const char* lpszHeading;
    int nWidth;
};

template <size_t N>
void AddColumns(CListCtrlEx& list, const Column (&columns)[N])
{
    for (size_t i = 0; i < N; i++)
        list.InsertColumn(int(i), columns[i].lpszHeading, LVCFMT_LEFT, columns[i].nWidth, int(i));
}

CString Number(int n)
{
    CString text;
    text.Format("%d", n);
    return text;
}

// A thumbnail of the side when there is a sound one, else the stock picture.
void AddOriginPicture(CWnd& window, CImageList* pList, const CString& strFolder, const CString& strName, int nSide,
                      LPCTSTR lpszStock)
{
    HBITMAP hThumbnail = LoadJobThumbnail(window, strFolder, strName, nSide);
    if (hThumbnail == NULL) {
        AddStockBitmap(pList, lpszStock);
        return;
    }
    CBitmap thumbnail;
    thumbnail.Attach(hThumbnail);
    pList->Add(&thumbnail, (CBitmap*)NULL);
}

}  // namespace

BEGIN_MESSAGE_MAP(JCJobBrowseDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_BROWSE_MODE, OnSelchangeViewMode)
    ON_BN_CLICKED(IDC_BROWSE_PROPERTIES, OnProperties)
END_MESSAGE_MAP()

JCJobBrowseDlg::JCJobBrowseDlg(CWnd* pParent)
    : CDialog(IDD_JOB_BROWSE, pParent),
      m_pTask(NULL),
      m_pJob(NULL),
      m_pPagesLarge(NULL),
      m_pPagesSmall(NULL),
      m_pOriginsLarge(NULL),
      m_pOriginsSmall(NULL)
{
}

JCJobBrowseDlg::~JCJobBrowseDlg()
{
    delete m_pPagesLarge;
    delete m_pPagesSmall;
    delete m_pOriginsLarge;
    delete m_pOriginsSmall;
}

void JCJobBrowseDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BROWSE_MODE, m_comboViewMode);
    DDX_Control(pDX, IDC_BROWSE_PAGES, m_listPages);
    DDX_Control(pDX, IDC_BROWSE_ORIGINS, m_listOrigins);
}

BOOL JCJobBrowseDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    AttachImageLists(m_listPages, m_pPagesLarge, m_pPagesSmall);
    AttachImageLists(m_listOrigins, m_pOriginsLarge, m_pOriginsSmall);
    m_comboViewMode.SetCurSel(1);
    OnSelchangeViewMode();
    FillPages();
    FillOrigins();
    return TRUE;
}

void JCJobBrowseDlg::FillPages()
{
    static const Column kColumns[] = {{"File Name", 160}, {"Status", 80}, {"No.", 40}, {"Time", 100}};
    AddColumns(m_listPages, kColumns);
    if (m_pJob == NULL)
        return;
    int nRow = 0;
    for (POSITION pos = m_pJob->JGetPageList()->GetHeadPosition(); pos != NULL; nRow++) {
        const JCPage* pPage = static_cast<const JCPage*>(m_pJob->JGetPageList()->GetNext(pos));
        m_listPages.AddItem(nRow, 0, pPage->m_strFile, nRow);
        m_listPages.AddItem(nRow, 1, jobview::BrowseStateName(pPage->m_nNumber1));
        m_listPages.AddItem(nRow, 2, Number(pPage->m_nNumber2));
        m_listPages.AddItem(nRow, 3, TimeText(pPage->m_tTime));
        AddStockBitmap(m_pPagesLarge, "IDB_JOB_PAGE32");
        AddStockBitmap(m_pPagesSmall, "IDB_JOB_PAGE16");
    }
}

void JCJobBrowseDlg::FillOrigins()
{
    static const Column kColumns[] = {{"File Name", 160}, {"Type", 40}, {"Status", 80},
                                      {"Time", 100},      {"Refer", 40}, {"Creator", 100}};
    AddColumns(m_listOrigins, kColumns);
    if (m_pJob == NULL)
        return;
    const CString folder = JCFileName(m_pJob->m_strJobFile).GetPath();
    int nRow = 0;
    for (POSITION pos = m_pJob->JGetOriginList()->GetHeadPosition(); pos != NULL; nRow++) {
        const JCOrigin* pOrigin = static_cast<const JCOrigin*>(m_pJob->JGetOriginList()->GetNext(pos));
        m_listOrigins.AddItem(nRow, 0, pOrigin->m_strFile, nRow);
        m_listOrigins.AddItem(nRow, 1, jobview::BrowseTypeName(pOrigin->m_nFileType));
        m_listOrigins.AddItem(nRow, 2, jobview::BrowseStateName(pOrigin->m_nNumber1));
        m_listOrigins.AddItem(nRow, 3, TimeText(pOrigin->m_tTime));
        m_listOrigins.AddItem(nRow, 4, Number(pOrigin->m_nNumber2));
        m_listOrigins.AddItem(nRow, 5, pOrigin->m_strDescription);
        const CString name = JCFileName(pOrigin->m_strFile).GetPureName();
        AddOriginPicture(*this, m_pOriginsLarge, folder, name, kLargeSide, "IDB_JOB_IMAGE32");
        AddOriginPicture(*this, m_pOriginsSmall, folder, name, kSmallSide, "IDB_JOB_IMAGE16");
    }
}

void JCJobBrowseDlg::OnSelchangeViewMode()
{
    ApplyViewMode(m_comboViewMode.GetCurSel(), {&m_listPages, &m_listOrigins});
}

void JCJobBrowseDlg::OnProperties() { RunJobProperties(m_pTask, m_pJob); }
